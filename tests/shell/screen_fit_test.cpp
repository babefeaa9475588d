// Every screen and dialog as a user meets it in the main window as it opens
// on a 1024x768 screen (the test programs' screen): every tab and every
// option that shows or hides fields. A visible control outside its window,
// a caption cut short, a child window reaching outside the MDI area, or a
// window of its own reaching outside the main window fails the test with
// the control's name. The main window itself, frame included, must open
// inside the screen with its status bar in view. Offscreen there is no
// window manager to draw a frame: frames are taken as the program assumes
// them (ui::kAssumedWindowFrame, platform/ui/window_placement.h).
//
// With TAVIR_SCREENSHOT_DIR set (scripts/screenshot sets it to
// docs/screens) the test also writes a picture of every screen there.

#include "shell_screen_test_env.h"

#include "support/layout_check.h"

#include "shell/frmBrowser.h"
#include "shell/frmConfig.h"
#include "shell/frmInrNieuwDialog.h"
#include "shell/frmOpenInr.h"
#include "shell/frmOpenInrConfirm.h"
#include "shell/frmSplash.h"
#include "shell/frmUpdateCheck.h"
#include "shell/frmUpdateProxy.h"

#include "screens/frmAct.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"
#include "screens/frmAlgNazKosten.h"
#include "screens/frmAlgemeen.h"
#include "screens/frmTonnage.h"
#include "screens/frmVersiebeheer.h"
#include "screens/masked_edit.h"

#include "reports/frmDoelverm.h"
#include "reports/frmGevoelAna.h"
#include "reports/frmRapScherm.h"
#include "reports/frmRapVoorz.h"

#include "platform/ui/qt_dialogs.h"
#include "platform/ui/window_placement.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>

using namespace shelltest;

namespace {

class ScreenFitTest : public ShellScreenTest {
protected:
    void SetUp() override
    {
        ShellScreenTest::SetUp();
        // The main window as it opened: placed on the screen.
        main->show();
        QApplication::setActiveWindow(main);
        modMain::gblnInstellingenGelezen = true;
        // A landfill on the 2008 rules: combination items, surcharges per
        // replacement item, and a newer checklist version to move to.
        site = addSite(QStringLiteral("Stortplaats 't Veld"), 1, 3, 80);
        runSql(dataFile, QStringLiteral("UPDATE tblStort SET bytBedrijfsGebonden=0 WHERE idrStort_ID=%1").arg(site));
        facility = addFacility(site, 7, QStringLiteral("Keet"));
        modMain::OpenInrichting(site);
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
    }

    QMdiArea *area() const { return main->findChild<QMdiArea *>(QStringLiteral("mdiArea")); }

    // Checks the shown state of `form`; `state` names it in the faults and,
    // when pictures are asked for, in the picture's file name.
    void check(screens::Form *form, const QString &state, bool picture = false)
    {
        ASSERT_NE(form, nullptr) << state.toStdString();
        QApplication::processEvents();
        QWidget *frame = form->frame();
        const bool child = qobject_cast<QMdiSubWindow *>(frame) != nullptr;
        const QStringList faults = testsupport::layoutFaults(frame, child ? area() : nullptr, main->geometry());
        EXPECT_TRUE(faults.isEmpty()) << state.toStdString() << ":\n  "
                                      << faults.join(QStringLiteral("\n  ")).toStdString();
        if (picture)
            shoot(child ? static_cast<QWidget *>(main) : frame, state);
    }

    void shoot(QWidget *what, const QString &name)
    {
        const QByteArray dir = qgetenv("TAVIR_SCREENSHOT_DIR");
        if (dir.isEmpty())
            return;
        QDir().mkpath(QString::fromLocal8Bit(dir));
        const QImage image = what->grab().toImage();
        EXPECT_TRUE(image.save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + name + QStringLiteral(".png")));
    }

    // Every tab of `tabs`, each checked.
    void checkTabs(screens::Form *form, const char *tabsName, const QString &state, bool pictures = true)
    {
        auto *tabs = control<QTabWidget>(form, tabsName);
        ASSERT_NE(tabs, nullptr);
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            check(form, state + QStringLiteral("-tab%1").arg(i + 1), pictures);
        }
        tabs->setCurrentIndex(0);
    }

    qint32 site = 0;
    qint32 facility = 0;
};

TEST_F(ScreenFitTest, MainWindowOpensWithItsFrameAndStatusBarOnTheScreen)
{
    const QRect scherm = main->screen()->availableGeometry();
    ASSERT_EQ(scherm, QRect(0, 0, 1024, 768));
    const QRect geheel = ui::frameRect(main);
    EXPECT_TRUE(scherm.contains(geheel)) << "window with frame at (" << geheel.x() << "," << geheel.y() << ") "
                                         << geheel.width() << "x" << geheel.height();
    // The platform's own frame, where it draws one, lies within that.
    EXPECT_TRUE(geheel.contains(main->frameGeometry()));
    // The room the screen gives: no smaller than it need be.
    EXPECT_EQ(geheel.width(), scherm.width());
    EXPECT_EQ(geheel.height(), scherm.height());
    // The status bar and its three panels are in view.
    QApplication::processEvents();
    for (const char *name : {"StatusBar1", "StatusBar1_1", "StatusBar1_2", "StatusBar1_3"}) {
        auto *w = control<QWidget>(main, name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_TRUE(w->isVisible()) << name;
        const QRect opScherm(w->mapToGlobal(QPoint(0, 0)), w->size());
        EXPECT_TRUE(main->geometry().contains(opScherm)) << name;
        EXPECT_TRUE(scherm.contains(opScherm)) << name;
    }
    shoot(main, QStringLiteral("frmMDI_main"));
}

// A help window opens inside the MDI area whatever is open beside it:
// another screen, or another help window.
TEST_F(ScreenFitTest, HelpWindowsOpenInsideTheMainWindow)
{
    trigger("open_inrichting");
    check(shell::frmBrowser::open(QString()), QStringLiteral("frmBrowser-naast-frmOpenInr"));
    testsupport::unloadForms();

    trigger("Act_en_KostPost");
    check(shell::frmBrowser::open(QString()), QStringLiteral("frmBrowser-naast-frmAct"));
    check(shell::frmBrowser::open(QString()), QStringLiteral("frmBrowser-tweede"));
    check(shell::frmBrowser::open(QString()), QStringLiteral("frmBrowser-derde"), true);
    // The picker of the cost-item screen, a window of its own, too.
    check(screens::frmAct_AddCLitem::load(), QStringLiteral("frmAct_AddCLitem-naast-frmBrowser"));
    testsupport::unloadForms();
}

TEST_F(ScreenFitTest, StartAndShellScreens)
{
    check(shell::frmSplash::loadAbout(), QStringLiteral("frmSplash-about"), true);
    screens::Form::loaded<shell::frmSplash>()->unload();

    trigger("open_inrichting");
    check(screens::Form::loaded<shell::frmOpenInr>(), QStringLiteral("frmOpenInr"), true);
    screens::Form::loaded<shell::frmOpenInr>()->unload();

    trigger("Nieuwe_inrichting");
    check(screens::Form::loaded<shell::frmInrNieuwDialog>(), QStringLiteral("frmInrNieuwDialog"), true);
    screens::Form::loaded<shell::frmInrNieuwDialog>()->unload();

    check(shell::frmOpenInrConfirm::toon(QStringLiteral("Geopend: Stortplaats 't Veld")),
          QStringLiteral("frmOpenInrConfirm"), true);
    screens::Form::loaded<shell::frmOpenInrConfirm>()->Timer1_Timer();

    trigger("Configuratie");
    check(screens::Form::loaded<shell::frmConfig>(), QStringLiteral("frmConfig"), true);
    screens::Form::loaded<shell::frmConfig>()->unload();

    trigger("check_updates");
    auto *update = screens::Form::loaded<shell::frmUpdateCheck>();
    check(update, QStringLiteral("frmUpdateCheck"), true);
    auto *proxy = shell::frmUpdateProxy::load();
    for (const char *option : {"optProxType_0", "optProxType_1", "optProxType_2"}) {
        clickBox(control<QRadioButton>(proxy, option));
        check(proxy, QStringLiteral("frmUpdateProxy-") + QLatin1String(option),
              QLatin1String(option) == QLatin1String("optProxType_2"));
    }
    proxy->unload();
    update->unload();

    check(shell::frmBrowser::open(QString()), QStringLiteral("frmBrowser"), true);
    screens::Form::loaded<shell::frmBrowser>()->unload();
}

TEST_F(ScreenFitTest, GeneralDataForecastAndChecklistVersion)
{
    trigger("Algemeen");
    auto *alg = screens::Form::loaded<screens::frmAlgemeen>();
    checkTabs(alg, "SSTab1", QStringLiteral("frmAlgemeen"));
    auto *tabs = control<QTabWidget>(alg, "SSTab1");
    tabs->setCurrentIndex(3);
    clickBox(control<QRadioButton>(alg, "optBedrijfsGebonden_1"));
    check(alg, QStringLiteral("frmAlgemeen-bedrijfsgebonden"));
    clickBox(control<QRadioButton>(alg, "optBedrijfsGebonden_0"));
    check(alg, QStringLiteral("frmAlgemeen-niet-bedrijfsgebonden"));

    click(control<QPushButton>(alg, "cmdAfvalprognose"));
    auto *tonnage = screens::Form::loaded<screens::frmTonnage>();
    check(tonnage, QStringLiteral("frmTonnage"), true);
    click(control<QPushButton>(tonnage, "cmdOK"));

    auto *versie = screens::frmVersiebeheer::load();
    ASSERT_NE(versie, nullptr);
    versie->show();
    checkTabs(versie, "SSTab1", QStringLiteral("frmVersiebeheer"));
    versie->unload();
    alg->unload();
}

TEST_F(ScreenFitTest, AfterCareSurcharges)
{
    trigger("AlgNazKosten");
    auto *form = screens::Form::loaded<screens::frmAlgNazKosten>();
    checkTabs(form, "SSTab1", QStringLiteral("frmAlgNazKosten"));
    auto *tabs = control<QTabWidget>(form, "SSTab1");
    tabs->setCurrentIndex(1);
    auto *opp = control<QLineEdit>(form, "txtLocatieNazorgOpp");
    // Each area picks another reporting option and shows its own fields.
    for (const char *area : {"5", "20", "50"}) {
        opp->setText(QLatin1String(area));
        check(form, QStringLiteral("frmAlgNazKosten-opp-") + QLatin1String(area));
    }
}

TEST_F(ScreenFitTest, FacilitiesAndCostItems)
{
    trigger("Act_en_KostPost");
    auto *act = screens::Form::loaded<screens::frmAct>();
    ASSERT_NE(act, nullptr);
    check(act, QStringLiteral("frmAct-leeg"));
    // A user browsing hundreds of items has room for them at the first
    // opening: the tree shows at least fourteen whole rows.
    {
        QTreeWidget *boom = act->TreeView1();
        QApplication::processEvents();
        const int rij = boom->visualItemRect(boom->topLevelItem(0)).height();
        ASSERT_GT(rij, 0);
        EXPECT_GE(boom->viewport()->height() / rij, 14) << boom->viewport()->height() << " px for rows of " << rij;
    }

    // An own item through the dialog, in add mode.
    act->ververs(QStringLiteral("inr") + QString::number(facility));
    check(act, QStringLiteral("frmAct-voorziening"));
    auto *dlg = screens::frmAct_AddCustomItem::openen(1);
    check(dlg, QStringLiteral("frmAct_AddCustomItem"), true);
    control<QLineEdit>(dlg, "txtNaam")->setText(QStringLiteral("Schilderwerk keet"));
    dlg->cdmOK_Click();
    act->ververs(QStringLiteral("inr") + QString::number(facility));
    const QList<QTreeWidgetItem *> eigenNode =
        act->TreeView1()->findItems(QStringLiteral("Schilderwerk keet"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(eigenNode.size(), 1);
    const QString eigen = screens::SiteTreeWidget::keyOf(eigenNode.first());

    // A checklist item of rubric 5 through the picker.
    auto *picker = screens::frmAct_AddCLitem::load();
    check(picker, QStringLiteral("frmAct_AddCLitem"), true);
    {
        // A window of its own: wholly inside the main window with the
        // frame a window manager draws around it (a title bar of some 30
        // pixels), and beside the site tree that its items are dragged to.
        QApplication::processEvents();
        const QRect metRand = picker->geometry().adjusted(-4, -30, 4, 4);
        EXPECT_TRUE(main->geometry().contains(metRand.united(picker->frameGeometry())))
            << "picker at (" << metRand.x() << "," << metRand.y() << ") " << metRand.width() << "x" << metRand.height();
        const QRect boom(act->TreeView1()->mapToGlobal(QPoint(0, 0)), act->TreeView1()->size());
        // Beside the tree where the main window has the room for it; else
        // at the main window's right edge (inside it, as checked above),
        // over the tree's right part.
        if (boom.right() + 4 + metRand.width() <= main->geometry().right()) {
            EXPECT_FALSE(metRand.intersects(boom)) << "the picker covers the site tree";
        }
    }
    QTreeWidgetItem *vervanging = nullptr;
    for (QTreeWidgetItemIterator it(picker->tvw1()); *it; ++it)
        if ((*it)->text(0).contains(QStringLiteral("Vervang"), Qt::CaseInsensitive) && (*it)->childCount() == 0
            && screens::SiteTreeWidget::tagOf(*it) == QStringLiteral("new")) {
            vervanging = *it;
            break;
        }
    ASSERT_NE(vervanging, nullptr);
    picker->tvw1_MouseDown(vervanging);
    act->TreeView1_DragDrop();
    act->BewaarNieuweAct();
    const QString clVervanging = act->gekozenKey();
    // And one that may be absorbed into a combination item.
    QTreeWidgetItem *combineerbaar = picker->node(QStringLiteral("act10"));
    ASSERT_NE(combineerbaar, nullptr);
    picker->tvw1_MouseDown(combineerbaar);
    act->TreeView1_DragDrop();
    act->BewaarNieuweAct();
    const QString clCombineerbaar = act->gekozenKey();
    act->ververs(eigen);
    picker->unload();

    // Where a control stands on the screen.
    const auto plaats = [&](const char *name) { return control<QWidget>(act, name)->mapTo(act, QPoint(0, 0)); };
    int gecombineerd = 0;
    const auto states = [&](const QString &name) {
        check(act, name, true);
        // Each option of a group that shows or hides fields.
        for (const char *option : {"optKosten_1", "optKosten_2", "optKosten_3", "optFreq_1", "optFreq_2", "optFreq_3",
                                   "optStart_2", "optStart_1", "optEind_1", "optEind_2", "optEind_3"}) {
            auto *o = control<QRadioButton>(act, option);
            if (o->isVisible() && o->isEnabled()) {
                clickBox(o);
                check(act, name + QLatin1Char('-') + QLatin1String(option));
            }
        }
        auto *start = control<QCheckBox>(act, "chkStartBA");
        auto *eind = control<QCheckBox>(act, "chkEindBA");
        if (start->isVisible() && start->isEnabled()) {
            clickBox(start);
            check(act, name + QStringLiteral("-chkStartBA"));
            if (eind->isEnabled()) {
                clickBox(eind);
                check(act, name + QStringLiteral("-chkEindBA"), name == QStringLiteral("frmAct-eigen-post"));
                clickBox(eind);
            }
            clickBox(start);
        }
        for (const char *option : {"optVervangingsToeslag_1", "optVervangingsToeslag_2", "optVervangingsToeslag_3"}) {
            auto *o = control<QRadioButton>(act, option);
            if (o->isVisible() && o->isEnabled()) {
                clickBox(o);
                check(act, name + QLatin1Char('-') + QLatin1String(option));
            }
        }
        auto *combi = control<QCheckBox>(act, "chkCombineer");
        if (combi->isVisible() && combi->isEnabled()) {
            // Ticked, it hides the frames and stays where it is.
            const QPoint was = plaats("chkCombineer");
            clickBox(combi);
            QApplication::processEvents();
            EXPECT_EQ(plaats("chkCombineer"), was) << name.toStdString();
            check(act, name + QStringLiteral("-chkCombineer"));
            clickBox(combi);
            ++gecombineerd;
        }
    };
    states(QStringLiteral("frmAct-eigen-post"));
    act->ververs(clVervanging);
    states(QStringLiteral("frmAct-checklistpost"));
    act->ververs(clCombineerbaar);
    states(QStringLiteral("frmAct-combinatie-mogelijk"));
    EXPECT_GT(gecombineerd, 0);

    // The tree's buttons stay where they are whatever the panel shows.
    const QPoint plus = plaats("cmdTreeExpand"), min = plaats("cmdTreeCollapse"), bewerken = plaats("Command1");
    click(control<QPushButton>(act, "cmdTreeCollapse"));
    QApplication::processEvents();
    EXPECT_EQ(plaats("cmdTreeExpand"), plus);
    EXPECT_EQ(plaats("cmdTreeCollapse"), min);
    EXPECT_EQ(plaats("Command1"), bewerken);
    check(act, QStringLiteral("frmAct-ingeklapt"));
    click(control<QPushButton>(act, "cmdTreeExpand"));
    act->ververs(eigen);
    QApplication::processEvents();
    EXPECT_EQ(plaats("cmdTreeCollapse"), min);
    act->unload();
}

// Every number box is wide enough for the widest value its field holds,
// shown in its picture: a box that the layout makes too narrow shows only
// the end of a value (",00" for 2,00). Where the field's input is limited,
// the widest value it takes; else the widest the field holds in use.
TEST_F(ScreenFitTest, NumberBoxesShowTheWidestValueOfTheirFieldWhole)
{
    const QHash<QString, QString> widest = {
        // Percentages, with their picture's decimals.
        {QStringLiteral("txtRente"), QStringLiteral("100,00")},
        {QStringLiteral("txtInflatie"), QStringLiteral("100,00")},
        {QStringLiteral("txtOnvoorzien"), QStringLiteral("100,0")},
        {QStringLiteral("txtOntwerpdirectieFixed"), QStringLiteral("100,0")},
        {QStringLiteral("txtAppKostenBasisPerc"), QStringLiteral("100,0")},
        // The VAT is at most 30 %.
        {QStringLiteral("txtBTWperc"), QStringLiteral("29,99")},
        // The date and the year of the price level.
        {QStringLiteral("txtAanvangNazorg"), QStringLiteral("16-12-2099")},
        {QStringLiteral("txtJaar_1"), QStringLiteral("9999")},
        // Yearly amounts of at most five digits in whole euros.
        {QStringLiteral("txtAlgAppKosten"), QStringLiteral("€ 99.999")},
        {QStringLiteral("txtAlgCommunicatie"), QStringLiteral("€ 99.999")},
        {QStringLiteral("txtRapEvalKleinerDan10ha"), QStringLiteral("€ 99.999")},
        {QStringLiteral("txtRapEvalPerHa"), QStringLiteral("€ 99.999")},
        {QStringLiteral("txtRapEvalGroterDan34_5ha"), QStringLiteral("€ 99.999")},
        // The risk amount, once, and the area in hectares.
        {QStringLiteral("txtAlgRisico"), QStringLiteral("€ 999.999.999")},
        {QStringLiteral("txtLocatieNazorgOpp"), QStringLiteral("9999,99")},
        // A cost item's percentage of an investment, the investment, and
        // the replacement surcharge (five characters).
        {QStringLiteral("txtKostenPerc"), QStringLiteral("100,00")},
        {QStringLiteral("txtKostenInvest"), QStringLiteral("€ 99.999.999,00")},
        {QStringLiteral("txtVervangingsToeslagPerc"), QStringLiteral("99,99")},
    };
    const auto checkBoxes = [&](screens::Form *form, const QString &state) {
        QApplication::processEvents();
        for (QLineEdit *box : form->findChildren<QLineEdit *>()) {
            if (!box->isVisible())
                continue;
            const bool number = qobject_cast<screens::MaskedEdit *>(box) != nullptr;
            const auto w = widest.constFind(box->objectName());
            // Every number box of these screens has its row above.
            if (number) {
                EXPECT_NE(w, widest.constEnd()) << state.toStdString() << ": " << box->objectName().toStdString();
            }
            if (w == widest.constEnd())
                continue;
            EXPECT_TRUE(testsupport::showsWhole(box, *w))
                << state.toStdString() << ": " << box->objectName().toStdString() << " shows "
                << testsupport::lineEditTextRoom(box) << " px of '" << w->toStdString() << "'";
            EXPECT_TRUE(testsupport::showsWhole(box, box->text()))
                << state.toStdString() << ": " << box->objectName().toStdString() << " cuts '"
                << box->text().toStdString() << "'";
        }
    };
    const auto everyTab = [&](screens::Form *form, const QString &state) {
        auto *tabs = control<QTabWidget>(form, "SSTab1");
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            checkBoxes(form, state + QStringLiteral("-tab%1").arg(i + 1));
        }
    };

    trigger("Algemeen");
    everyTab(screens::Form::loaded<screens::frmAlgemeen>(), QStringLiteral("frmAlgemeen"));
    screens::Form::loaded<screens::frmAlgemeen>()->unload();

    trigger("AlgNazKosten");
    auto *naz = screens::Form::loaded<screens::frmAlgNazKosten>();
    // Each area opens the amount of its own reporting option.
    for (const char *area : {"5", "20", "50"}) {
        control<QLineEdit>(naz, "txtLocatieNazorgOpp")->setText(QLatin1String(area));
        everyTab(naz, QStringLiteral("frmAlgNazKosten-opp-") + QLatin1String(area));
    }
    control<QLineEdit>(naz, "txtAlgRisico")->setText(QStringLiteral("€ 0"));
    naz->unload();

    trigger("Doelvermogen");
    checkBoxes(screens::Form::loaded<reports::frmDoelverm>(), QStringLiteral("frmDoelverm"));
    screens::Form::loaded<reports::frmDoelverm>()->unload();

    trigger("gev_ana");
    auto *gev = screens::Form::loaded<reports::frmGevoelAna>();
    clickBox(control<QRadioButton>(gev, "opt1_1"));
    checkBoxes(gev, QStringLiteral("frmGevoelAna-opt1_1"));
    gev->unload();

    // An own replacement item, whose surcharge the user chooses, costed as
    // a percentage of an investment.
    trigger("Act_en_KostPost");
    auto *act = screens::Form::loaded<screens::frmAct>();
    act->ververs(QStringLiteral("inr") + QString::number(facility));
    auto *dlg = screens::frmAct_AddCustomItem::openen(1);
    control<QLineEdit>(dlg, "txtNaam")->setText(QStringLiteral("Vervangen dak keet"));
    auto *rubrieken = control<QTreeWidget>(dlg, "ListView1");
    rubrieken->setCurrentItem(rubrieken->topLevelItem(4));
    dlg->cdmOK_Click();
    act->BewaarNieuweAct();
    const QString eigen = act->gekozenKey();
    clickBox(control<QRadioButton>(act, "optKosten_1"));
    typeAndLeave(control<QLineEdit>(act, "txtKostenPerc"), QStringLiteral("2"));
    act->ververs(eigen);
    QApplication::processEvents();
    EXPECT_EQ(control<QLineEdit>(act, "txtKostenPerc")->text(), QStringLiteral("2,00"));
    checkBoxes(act, QStringLiteral("frmAct-optKosten_1"));
    for (const char *option : {"optVervangingsToeslag_2", "optVervangingsToeslag_3"}) {
        clickBox(control<QRadioButton>(act, option));
        checkBoxes(act, QStringLiteral("frmAct-") + QLatin1String(option));
    }
    // The small works' surcharge with its decimals, as it is stored.
    EXPECT_EQ(control<QLineEdit>(act, "txtVervangingsToeslagPerc")->text(), QStringLiteral("5,00"));
    act->unload();
}

// A box with a short text under a longer title: the title is whole in the
// title bar, not cut in the middle ("Basisbed...skosten").
TEST_F(ScreenFitTest, BoxesAreWideEnoughForTheirTitles)
{
    using ui::Buttons;
    using ui::Icon;
    const ui::MsgBoxRequest boxes[] = {
        {QStringLiteral("Vul een waarde in."), Buttons::OK, Icon::Exclamation,
         QStringLiteral("Basisbedrag apparaatskosten")},
        {QStringLiteral("Voer een nazorgoppervlak in."), Buttons::OK, Icon::Exclamation,
         QStringLiteral("Invoer nazorgoppervlak")},
        {QStringLiteral("Selecteer een kostenpost"), Buttons::OK, Icon::Exclamation,
         QStringLiteral("Selectie QOR-checklistitem")},
        {QStringLiteral("Onbekende optie"), Buttons::OK, Icon::Critical, QStringLiteral("Fout toeslagtype")},
        {QStringLiteral("U kunt deze naam niet wijzigen."), Buttons::OK, Icon::Information,
         QStringLiteral("Naam wijzigen niet toegestaan")},
        {QStringLiteral("Ongeldige invoer"), Buttons::OK, Icon::Exclamation, QString()},
    };
    for (const ui::MsgBoxRequest &r : boxes) {
        QMessageBox box(main);
        ui::configureMessageBox(box, r);
        box.show();
        QApplication::processEvents();
        EXPECT_GE(box.width(), testsupport::titleBarNeed(&box)) << box.windowTitle().toStdString();
    }
    const ui::InputRequest inputs[] = {
        {QStringLiteral("Naam voorziening:"), QStringLiteral("Nieuwe voorziening"), QString()},
        {QStringLiteral("Nieuwe naam:"), QStringLiteral("Naam wijzigen"), QStringLiteral("Keet")},
    };
    for (const ui::InputRequest &r : inputs) {
        QInputDialog dialog(main);
        ui::configureInputDialog(dialog, r);
        dialog.show();
        QApplication::processEvents();
        EXPECT_GE(dialog.width(), testsupport::titleBarNeed(&dialog)) << dialog.windowTitle().toStdString();
    }
}

TEST_F(ScreenFitTest, ReportScreens)
{
    trigger("Doelvermogen");
    auto *dv = screens::Form::loaded<reports::frmDoelverm>();
    check(dv, QStringLiteral("frmDoelverm"), true);
    for (const char *option : {"optRapNaar_1", "optRapNaar_2"}) {
        clickBox(control<QRadioButton>(dv, option));
        check(dv, QStringLiteral("frmDoelverm-") + QLatin1String(option));
    }
    dv->unload();

    trigger("gev_ana");
    auto *gev = screens::Form::loaded<reports::frmGevoelAna>();
    check(gev, QStringLiteral("frmGevoelAna"), true);
    for (const char *option : {"opt1_1", "opt1_3", "opt1_2"}) {
        clickBox(control<QRadioButton>(gev, option));
        check(gev, QStringLiteral("frmGevoelAna-") + QLatin1String(option));
    }
    gev->unload();

    trigger("rap_invoer");
    check(screens::Form::loaded<reports::frmRapVoorz>(), QStringLiteral("frmRapVoorz"), true);
    screens::Form::loaded<reports::frmRapVoorz>()->unload();

    // The report window with the site's target-fund report, years entered
    // as calendar years among its rows.
    runSql(dataFile, QStringLiteral("UPDATE tblStort SET intJaarPrijsPeil=2002, sngNazorgOpp=35, "
                                    "sngAlgAppKostenBasis=15000, sngAppKostenPerc=3, bytRapEval=2, sngRapEvalMin=3500, "
                                    "sngRapEvalPerHa=225, sngRapEvalMax=9000, sngAlgCommunicatieKosten=3000, "
                                    "sngOnvoorzien=10, sngOntwerpdirectie=12, sngAlgRisicoBedrag=250000 "
                                    "WHERE idrStort_ID=%1")
                         .arg(site));
    {
        testsupport::SiteBuilder b(dataFile);
        b.item(site, facility, testsupport::ownItem(QStringLiteral("Onderhoud keet")));
        b.item(site, facility,
               testsupport::ownItem(QStringLiteral("Schilderwerk keet"), {{"bytOptieStart", 1},
                                                                          {"intStartAbs", 2035},
                                                                          {"bytOptieEind", 1},
                                                                          {"intEindAbs", 2100},
                                                                          {"bytOptieFreq", 3},
                                                                          {"intFreqX", 5},
                                                                          {"sngKostenTotaal", 12500.0}}));
        b.item(site, facility,
               testsupport::ownItem(QStringLiteral("Vervangen keet"), {{"bytRubriek_REF", 5},
                                                                       {"bytTypeVervangingsToeslag", 1},
                                                                       {"intStartRel", 25},
                                                                       {"bytOptieKosten", 3},
                                                                       {"sngAantal", 160000.0},
                                                                       {"sngKostenPE", 30.0},
                                                                       {"strEenheid", QStringLiteral("m2")},
                                                                       {"bytOptieFreq", 3},
                                                                       {"intFreqX", 75}}));
    }
    trigger("Doelvermogen");
    click(control<QPushButton>(screens::Form::loaded<reports::frmDoelverm>(), "OKButton"));
    reports::frmRapScherm *rap = screens::Form::loaded<reports::frmRapScherm>();
    ASSERT_NE(rap, nullptr);
    check(rap, QStringLiteral("frmRapScherm"), true);
    rap->unload();
}

} // namespace

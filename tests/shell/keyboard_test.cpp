// The program from the keyboard, screen by screen inside the main window:
// - every access key of a screen (Alt and the underlined letter) presses
//   the screen's own control and never opens a menu of the menu bar, which
//   has access keys of its own ("&Bestand", "&Invoer", "&Rapportage");
// - Enter presses the default button and Escape the cancel button of the
//   screens that act as dialogs;
// - Tab goes through a screen in reading order (left to right, top to
//   bottom, frame by frame), every stop shown and reached once, and
//   Shift+Tab goes back the same way;
// - choosing a tab puts the focus on the tab's first field.

#include "shell_screen_test_env.h"

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
#include "screens/layout_helpers.h"

#include "reports/frmDoelverm.h"
#include "reports/frmGevoelAna.h"
#include "reports/frmRapScherm.h"
#include "reports/frmRapVoorz.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

using namespace shelltest;

namespace {

// A control as the tables below name it: its control name; a tab bar or
// another unnamed part by the control it belongs to ("SSTab1/QTabBar"); a
// grid with its current cell ("DataGrid1[0,1]").
QString stopName(const QWidget *w)
{
    if (!w)
        return QStringLiteral("<none>");
    if (auto *grid = qobject_cast<const QTableWidget *>(w))
        return QStringLiteral("%1[%2,%3]").arg(grid->objectName()).arg(grid->currentRow()).arg(grid->currentColumn());
    if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
        return w->objectName();
    QString parent = QStringLiteral("?");
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_"))) {
            parent = p->objectName();
            break;
        }
    return parent + QLatin1Char('/') + QLatin1String(w->metaObject()->className());
}

// The control of `form` that the tables name `name`.
QWidget *findStop(screens::Form *form, const QString &name)
{
    for (QWidget *w : form->findChildren<QWidget *>()) {
        QString n = stopName(w);
        if (qobject_cast<QTableWidget *>(w))
            n = w->objectName() + name.mid(name.indexOf(QLatin1Char('[')));
        if (n == name && w->isVisible())
            return w;
    }
    return nullptr;
}

// An access key of a shown control: Alt and `key` reaches `control` (for a
// tab bar, its tab `tab`).
struct AccessKey {
    int key = 0;
    QWidget *control = nullptr;
    int tab = -1;
    QString caption;
};

// Every access key that the shown, enabled controls of `form` carry in
// their captions: buttons, labels with a buddy, frames and tabs.
QList<AccessKey> accessKeys(screens::Form *form)
{
    QList<AccessKey> keys;
    const auto add = [&keys](const QString &caption, QWidget *control, int tab = -1) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
        if (!mnemonic.isEmpty())
            keys << AccessKey{mnemonic[0].key(), control, tab, caption};
    };
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || w->window() != form->window())
            continue;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            add(b->text(), b);
        else if (auto *l = qobject_cast<QLabel *>(w); l && l->buddy())
            add(l->text(), l->buddy());
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            add(g->title(), g);
        else if (auto *t = qobject_cast<QTabBar *>(w))
            for (int i = 0; i < t->count(); ++i)
                add(t->tabText(i), t, i);
    }
    return keys;
}

class KeyboardTest : public ShellScreenTest {
protected:
    void SetUp() override
    {
        ShellScreenTest::SetUp();
        main->resize(1024, 768);
        main->show();
        QApplication::setActiveWindow(main);
        modMain::gblnInstellingenGelezen = true;
        // A landfill on the 2008 rules, not company-bound, with a facility.
        site = addSite(QStringLiteral("Stortplaats 't Veld"), 1, 3, 80);
        runSql(dataFile, QStringLiteral("UPDATE tblStort SET bytBedrijfsGebonden=0, sngNazorgOpp=5, bytRapEval=1, "
                                        "sngAlgRisicoBedrag=1000 WHERE idrStort_ID=%1")
                             .arg(site));
        facility = addFacility(site, 7, QStringLiteral("Keet"));
        modMain::OpenInrichting(site);
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
    }

    // Opens the screen in the state `state` names ("frmConfig-tab2",
    // "frmAct-kostenpost", ...) and gives it the focus.
    screens::Form *open(const QString &state)
    {
        const QString screen = state.section(QLatin1Char('-'), 0, 0);
        const QString detail = state.section(QLatin1Char('-'), 1);
        screens::Form *form = nullptr;
        if (screen == QLatin1String("frmSplash")) {
            form = shell::frmSplash::loadAbout();
        } else if (screen == QLatin1String("frmOpenInr")) {
            trigger("open_inrichting");
            form = screens::Form::loaded<shell::frmOpenInr>();
        } else if (screen == QLatin1String("frmInrNieuwDialog")) {
            trigger("Nieuwe_inrichting");
            form = screens::Form::loaded<shell::frmInrNieuwDialog>();
            typeText(control<QLineEdit>(form, "Text1"), QStringLiteral("Zandput"));
            clickBox(control<QRadioButton>(form, "optStortType_1"));
            control<QLineEdit>(form, "Text1")->setFocus();
        } else if (screen == QLatin1String("frmConfig")) {
            trigger("Configuratie");
            form = screens::Form::loaded<shell::frmConfig>();
        } else if (screen == QLatin1String("frmUpdateCheck")) {
            trigger("check_updates");
            form = screens::Form::loaded<shell::frmUpdateCheck>();
        } else if (screen == QLatin1String("frmUpdateProxy")) {
            form = shell::frmUpdateProxy::load();
            if (!detail.isEmpty())
                clickBox(control<QRadioButton>(form, detail));
        } else if (screen == QLatin1String("frmBrowser")) {
            form = shell::frmBrowser::open(QString());
        } else if (screen == QLatin1String("frmAlgemeen")) {
            trigger("Algemeen");
            form = screens::Form::loaded<screens::frmAlgemeen>();
        } else if (screen == QLatin1String("frmTonnage")) {
            trigger("Algemeen");
            auto *alg = screens::Form::loaded<screens::frmAlgemeen>();
            control<QTabWidget>(alg, "SSTab1")->setCurrentIndex(3);
            click(control<QPushButton>(alg, "cmdAfvalprognose"));
            form = screens::Form::loaded<screens::frmTonnage>();
        } else if (screen == QLatin1String("frmVersiebeheer")) {
            form = screens::frmVersiebeheer::load();
            form->show();
        } else if (screen == QLatin1String("frmAlgNazKosten")) {
            trigger("AlgNazKosten");
            form = screens::Form::loaded<screens::frmAlgNazKosten>();
        } else if (screen == QLatin1String("frmDoelverm")) {
            trigger("Doelvermogen");
            form = screens::Form::loaded<reports::frmDoelverm>();
        } else if (screen == QLatin1String("frmGevoelAna")) {
            trigger("gev_ana");
            form = screens::Form::loaded<reports::frmGevoelAna>();
            if (!detail.isEmpty()) {
                clickBox(control<QRadioButton>(form, detail));
                control<QLineEdit>(form, "txtRente")->setText(QStringLiteral("5,00"));
                control<QLineEdit>(form, "txtInflatie")->setText(QStringLiteral("2,00"));
            }
        } else if (screen == QLatin1String("frmRapVoorz")) {
            trigger("rap_invoer");
            form = screens::Form::loaded<reports::frmRapVoorz>();
            clickBox(control<QCheckBox>(form, "chkAlg"));
        } else if (screen == QLatin1String("frmRapScherm")) {
            auto *rap = reports::frmRapScherm::load();
            rap->setZichtbaar(true);
            form = rap;
        } else if (screen == QLatin1String("frmAct")) {
            trigger("Act_en_KostPost");
            auto *act = screens::Form::loaded<screens::frmAct>();
            // An own item; a replacement item ("vervanging") with its
            // surcharge for large works chosen.
            const bool vervanging = detail == QLatin1String("vervanging");
            if (detail == QLatin1String("kostenpost") || vervanging) {
                act->ververs(QStringLiteral("inr") + QString::number(facility));
                auto *dlg = screens::frmAct_AddCustomItem::openen(1);
                control<QLineEdit>(dlg, "txtNaam")
                    ->setText(vervanging ? QStringLiteral("Vervangen dak keet") : QStringLiteral("Schilderwerk keet"));
                if (vervanging) {
                    auto *rubrieken = control<QTreeWidget>(dlg, "ListView1");
                    rubrieken->setCurrentItem(rubrieken->topLevelItem(4));
                }
                dlg->cdmOK_Click();
                act->BewaarNieuweAct();
                // Its frequency and amount filled in, so that Tab may leave
                // their boxes.
                control<QLineEdit>(act, "txtfreqX")->setText(QStringLiteral("1"));
                control<QLineEdit>(act, "txtKostenTotaal")->setText(QStringLiteral("€ 1.000,00"));
                if (vervanging)
                    clickBox(control<QRadioButton>(act, "optVervangingsToeslag_2"));
                // The dialog is gone before the main window is active again.
                QApplication::processEvents(QEventLoop::AllEvents);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QApplication::setActiveWindow(main);
                act->TreeView1()->setFocus();
            }
            form = act;
        } else if (screen == QLatin1String("frmAct_AddCustomItem")) {
            trigger("Act_en_KostPost");
            screens::Form::loaded<screens::frmAct>()->ververs(QStringLiteral("inr") + QString::number(facility));
            form = screens::frmAct_AddCustomItem::openen(1);
            control<QLineEdit>(form, "txtNaam")->setText(QStringLiteral("Schilderwerk keet"));
        } else if (screen == QLatin1String("frmAct_AddCLitem")) {
            trigger("Act_en_KostPost");
            form = screens::frmAct_AddCLitem::load();
        }
        EXPECT_NE(form, nullptr) << state.toStdString();
        if (!form)
            return nullptr;
        if (detail.startsWith(QLatin1String("tab")))
            if (auto *tabs = form->findChild<QTabWidget *>(QStringLiteral("SSTab1")))
                tabs->setCurrentIndex(detail.mid(3).toInt() - 1);
        QApplication::setActiveWindow(form->window());
        QApplication::processEvents();
        // The focus in the screen, where the screen's own opening left it
        // or else on its first control.
        QWidget *focus = QApplication::focusWidget();
        if (!focus || !form->isAncestorOf(focus))
            if (QWidget *first = screens::firstTabStop(form))
                first->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        return form;
    }

    // Closes every screen; the forecast closes only through its own button.
    void closeAll()
    {
        if (auto *forecast = screens::Form::loaded<screens::frmTonnage>())
            forecast->cmdOK_Click();
        unloadForms();
    }

    qint32 site = 0;
    qint32 facility = 0;
};

// ---- Access keys ----------------------------------------------------------------

TEST_F(KeyboardTest, EveryAccessKeyOfAScreenReachesItsOwnControlAndNoMenu)
{
    const char *const states[] = {"frmSplash",
                                  "frmOpenInr",
                                  "frmInrNieuwDialog",
                                  "frmConfig-tab1",
                                  "frmConfig-tab2",
                                  "frmUpdateCheck",
                                  "frmUpdateProxy",
                                  "frmBrowser",
                                  "frmAlgemeen-tab1",
                                  "frmAlgemeen-tab4",
                                  "frmTonnage",
                                  "frmVersiebeheer",
                                  "frmAlgNazKosten-tab1",
                                  "frmAlgNazKosten-tab2",
                                  "frmDoelverm",
                                  "frmGevoelAna",
                                  "frmRapVoorz",
                                  "frmRapScherm",
                                  "frmAct",
                                  "frmAct-kostenpost",
                                  "frmAct_AddCustomItem",
                                  "frmAct_AddCLitem"};
    int keysTried = 0;
    for (const char *state : states) {
        SCOPED_TRACE(state);
        screens::Form *form = open(QLatin1String(state));
        ASSERT_NE(form, nullptr);
        const QList<AccessKey> keys = accessKeys(form);
        // No two controls of a screen share a key.
        QHash<int, QString> seen;
        for (const AccessKey &k : keys) {
            EXPECT_FALSE(seen.contains(k.key)) << "'" << k.caption.toStdString() << "' and '"
                                               << seen.value(k.key).toStdString() << "' share their access key";
            seen.insert(k.key, k.caption);
        }
        for (const AccessKey &k : keys) {
            SCOPED_TRACE(k.caption.toStdString());
            // What a button does is its screen's tests' matter: here only
            // that the key presses it.
            auto *button = qobject_cast<QAbstractButton *>(k.control);
            if (button)
                QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
            std::unique_ptr<QSignalSpy> clicked(button ? new QSignalSpy(button, &QAbstractButton::clicked) : nullptr);
            QWidget *focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QTest::keyClick(focus, Qt::Key(k.key), Qt::AltModifier);
            QApplication::processEvents();
            QWidget *popup = QApplication::activePopupWidget();
            EXPECT_EQ(popup, nullptr) << "Alt+" << QKeySequence(k.key).toString().toStdString() << " opened menu "
                                      << (popup ? popup->objectName().toStdString() : "");
            EXPECT_EQ(main->menuBar()->activeAction(), nullptr);
            if (popup)
                popup->close();
            if (clicked)
                EXPECT_EQ(clicked->count(), 1) << "the key did not press the button";
            else if (auto *bar = qobject_cast<QTabBar *>(k.control))
                EXPECT_EQ(bar->currentIndex(), k.tab);
            else if (qobject_cast<QGroupBox *>(k.control))
                EXPECT_TRUE(k.control->isAncestorOf(QApplication::focusWidget()));
            else
                EXPECT_EQ(QApplication::focusWidget(), k.control);
            ++keysTried;
        }
        closeAll();
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }
    // Among them the four that a menu of the menu bar has too.
    EXPECT_GE(keysTried, 4);
}

TEST_F(KeyboardTest, AnAccessKeyThatNoControlOfTheScreenHasOpensItsMenu)
{
    // The site list has no control with B: Alt+B opens "Bestand".
    screens::Form *list = open(QStringLiteral("frmOpenInr"));
    ASSERT_NE(list, nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
    QApplication::processEvents();
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("Bestand"));
    menu->close();
    // And Alt+I, the list's "&Importeer...", not the menu "&Invoer".
    auto *import = control<QPushButton>(list, "cmdImport");
    QObject::disconnect(import, &QAbstractButton::clicked, nullptr, nullptr);
    QSignalSpy clicked(import, &QAbstractButton::clicked);
    list->findChild<QTreeWidget *>(QStringLiteral("lst1"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(clicked.count(), 1);
}

// ---- Enter and Escape ---------------------------------------------------------------

struct DialogKeys {
    const char *state;
    const char *field;         // the control that has the focus
    const char *defaultButton; // what Enter presses; nullptr: none
    const char *cancelButton;  // what Escape presses: it closes the screen
};

const DialogKeys kDialogs[] = {
    {"frmOpenInr", "lst1", "OKButton", "CancelButton"},
    {"frmInrNieuwDialog", "Text1", "Command1", "cmdCancel"},
    {"frmConfig", "txtDataLocatie", "OKButton", "OKButton"},
    {"frmDoelverm", "txtBTWperc", "OKButton", "CancelButton"},
    {"frmGevoelAna-opt1_1", "txtRente", "OKButton", "CancelButton"},
    {"frmRapVoorz", "chkAlg", "OKButton", "CancelButton"},
    {"frmRapScherm", "txtRap", nullptr, "Command1"},
    {"frmAct_AddCustomItem", "txtNaam", "cdmOK", "cmdCancel"},
    {"frmAct_AddCLitem", "tvw1", "cmdClose", "cmdClose"},
    {"frmUpdateCheck", "chkUpdate", nullptr, "cmdClose"},
    {"frmUpdateProxy", "optProxType_0", "OKButton", "CancelButton"},
    {"frmVersiebeheer", "lst1", nullptr, "cmdCancel"},
    {"frmSplash", "cmdClose", nullptr, "cmdClose"},
};

TEST_F(KeyboardTest, EnterPressesTheDefaultButtonOfEveryDialog)
{
    for (const DialogKeys &d : kDialogs) {
        if (!d.defaultButton)
            continue;
        SCOPED_TRACE(d.state);
        screens::Form *form = open(QLatin1String(d.state));
        ASSERT_NE(form, nullptr);
        auto *button = control<QPushButton>(form, d.defaultButton);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled());
        // What the button does is its screen's tests' matter.
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        auto *field = control<QWidget>(form, d.field);
        field->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(clicked.count(), 1);
        // The Enter key of the numeric keypad too.
        QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(clicked.count(), 2);
        closeAll();
    }
}

TEST_F(KeyboardTest, EscapePressesTheCancelButtonOfEveryDialogAndClosesIt)
{
    for (const DialogKeys &d : kDialogs) {
        SCOPED_TRACE(d.state);
        screens::Form *opened = open(QLatin1String(d.state));
        ASSERT_NE(opened, nullptr);
        QPointer<screens::Form> form = opened;
        QSignalSpy clicked(control<QPushButton>(form, d.cancelButton), &QAbstractButton::clicked);
        auto *field = control<QWidget>(form, d.field);
        field->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_TRUE(!form || !form->isLoaded()) << "still open";
        closeAll();
    }
}

// ---- Tab ------------------------------------------------------------------------------

struct TabOrder {
    const char *state;
    QStringList stops; // in reading order, from the first
};

const TabOrder kTabOrders[] = {
    {"frmSplash", {"cmdClose"}},
    {"frmOpenInr", {"lst1", "OKButton", "CancelButton", "cmdNieuw", "cmdVerwijder", "cmdImport"}},
    {"frmInrNieuwDialog", {"Text1", "optStortType_1", "Command1", "cmdCancel"}},
    {"frmConfig-tab1", {"SSTab1/QTabBar", "txtDataLocatie", "cmdDataLocatie", "cmdNew", "OKButton"}},
    // The two colours, their reset beside them, the tree's switches.
    {"frmConfig-tab2",
     {"SSTab1/QTabBar", "cmdKleur", "Command2", "Command3", "chkSingleSel", "chkPlusMin", "chkLines", "OKButton"}},
    {"frmUpdateCheck", {"chkUpdate", "cmdGet", "cmdProxysettings", "cmdClose"}},
    {"frmUpdateProxy-optProxType_2", {"optProxType_2", "txtProxyNaam", "txtProxyPoortNr", "OKButton", "CancelButton"}},
    // Each tab's fields, then the checklist version's link and "Sluiten"
    // below the tabs; the link takes one Tab.
    {"frmAlgemeen-tab1",
     {"SSTab1/QTabBar", "txtLocatieNaam", "txtLocatieRIVMnr", "lstProv", "txtLocatieAdres", "lblChecklistHuidigWijzig",
      "cmdApply"}},
    {"frmAlgemeen-tab2",
     {"SSTab1/QTabBar", "txtVergHouderNaam", "txtVergHouderPostadres", "txtVergHouderContactPers", "txtVergHouderTelnr",
      "txtVergHouderFaxnr", "txtVergHouderEmail", "lblChecklistHuidigWijzig", "cmdApply"}},
    {"frmAlgemeen-tab3",
     {"SSTab1/QTabBar", "txtInvullerNaam", "txtInvullerPostadres", "txtInvullerContactPers", "txtInvullerTelnr",
      "txtInvullerFaxnr", "txtInvullerEmail", "lblChecklistHuidigWijzig", "cmdApply"}},
    {"frmAlgemeen-tab4",
     {"SSTab1/QTabBar", "txtRente", "txtInflatie", "txtAanvangNazorg", "txtJaar_1", "lblInfoPrijspeil",
      "optBedrijfsGebonden_0", "chkObjectGebonden", "cmdAfvalprognose", "lblChecklistHuidigWijzig", "cmdApply"}},
    // The grid cell by cell, then on to "Sluiten".
    {"frmTonnage", {"DataGrid1[0,0]", "DataGrid1[0,1]", "cmdOK"}},
    {"frmVersiebeheer-tab1", {"lst1", "SSTab1/QTabBar", "txtRapToegevoegd", "txtRapVerwijderd", "cmdOK", "cmdCancel"}},
    {"frmVersiebeheer-tab2", {"lst1", "SSTab1/QTabBar", "txtRapGewijzigd", "cmdOK", "cmdCancel"}},
    {"frmVersiebeheer-tab3", {"lst1", "SSTab1/QTabBar", "txtRapAct", "cmdOK", "cmdCancel"}},
    // Under the 2008 rules design/supervision has no field of its own.
    {"frmAlgNazKosten-tab1", {"SSTab1/QTabBar", "txtOnvoorzien", "cmdApply"}},
    // 5 ha: only the amount for the first 10 ha is open.
    {"frmAlgNazKosten-tab2",
     {"SSTab1/QTabBar", "txtAlgAppKosten", "txtAppKostenBasisPerc", "txtAlgCommunicatie", "txtLocatieNazorgOpp",
      "txtRapEvalKleinerDan10ha", "cmdApply"}},
    {"frmAlgNazKosten-tab3", {"SSTab1/QTabBar", "txtAlgRisico", "cmdApply"}},
    // The parts of the report with the VAT below them, then the frames
    // beside them; on screen the cover page and the unused items are off.
    {"frmDoelverm",
     {"chkRapDV", "chkRapHef", "txtBTWperc", "optRapNaar_1", "optRapSort_1", "OKButton", "CancelButton"}},
    {"frmGevoelAna", {"opt1_2", "Slider1", "Combo1", "OKButton", "CancelButton"}},
    {"frmGevoelAna-opt1_1", {"opt1_1", "txtRente", "txtInflatie", "OKButton", "CancelButton"}},
    {"frmRapVoorz", {"chkAlg", "chkVoorz", "chkAct", "chkRapUnselectedCLitems", "OKButton", "CancelButton"}},
    {"frmRapScherm", {"txtRap", "Command1"}},
    {"frmAct_AddCustomItem", {"txtNaam", "ListView1", "cdmOK", "cmdCancel"}},
    {"frmAct_AddCLitem", {"tvw1", "cmdClose"}},
    // The tree's buttons above it, the tree and the checklist information
    // beside it, then the panel below them frame by frame (start, end and
    // frequency, then the costs, the replacement surcharge and the unit,
    // then the remark and the reference) and the sentence. Tab enters an
    // option group at the option that had the focus last, else its first.
    {"frmAct", {"cmdTreeExpand", "cmdTreeCollapse", "Command1", "cmdClose", "TreeView1", "txtInfoChecklist", "txtZin"}},
    {"frmAct-kostenpost",
     {"cmdTreeExpand", "cmdTreeCollapse", "Command1", "cmdClose", "TreeView1", "txtInfoChecklist", "optStart_1",
      "txtIntStartAct_2", "chkStartBA", "optEind_1", "optFreq_1", "txtfreqX", "optKosten_1", "txtKostenTotaal",
      "txtActOpm", "txtNazorgplanRef", "txtZin"}},
    {"frmAct-vervanging",
     {"cmdTreeExpand", "cmdTreeCollapse", "Command1", "cmdClose", "TreeView1", "txtInfoChecklist", "optStart_1",
      "txtIntStartAct_2", "chkStartBA", "optEind_1", "optFreq_1", "txtfreqX", "optKosten_1", "txtKostenTotaal",
      "optVervangingsToeslag_2", "txtVervangingsToeslagPerc", "txtActOpm", "txtNazorgplanRef", "txtZin"}},
};

TEST_F(KeyboardTest, TabGoesThroughEveryScreenInReadingOrderAndShiftTabBack)
{
    for (const TabOrder &t : kTabOrders) {
        SCOPED_TRACE(t.state);
        screens::Form *form = open(QLatin1String(t.state));
        ASSERT_NE(form, nullptr);
        QWidget *first = findStop(form, t.stops.first());
        ASSERT_NE(first, nullptr) << t.stops.first().toStdString();
        first->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(stopName(QApplication::focusWidget()), t.stops.first());

        const auto walk = [&](bool forward) {
            QStringList went;
            for (int i = 0; i < t.stops.size(); ++i) {
                QWidget *at = QApplication::focusWidget();
                if (!at)
                    break;
                QTest::keyClick(at, Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
                QApplication::processEvents();
                QWidget *now = QApplication::focusWidget();
                went << stopName(now);
                // Every stop is a control the user sees.
                if (now) {
                    EXPECT_TRUE(now->isVisible()) << stopName(now).toStdString();
                    EXPECT_FALSE(now->visibleRegion().isEmpty()) << stopName(now).toStdString();
                    EXPECT_EQ(now->window(), form->window()) << stopName(now).toStdString();
                }
            }
            return went;
        };
        // Round once and back to the first.
        QStringList forward = t.stops.mid(1);
        forward << t.stops.first();
        EXPECT_EQ(walk(true), forward);
        QStringList back;
        for (int i = int(t.stops.size()) - 1; i >= 1; --i)
            back << t.stops.at(i);
        back << t.stops.first();
        EXPECT_EQ(walk(false), back);
        closeAll();
    }
}

TEST_F(KeyboardTest, ALinkReachedByTabFollowsOnEnter)
{
    screens::Form *form = open(QStringLiteral("frmAlgemeen-tab4"));
    ASSERT_NE(form, nullptr);
    for (const bool forward : {true, false}) {
        SCOPED_TRACE(forward ? "Tab" : "Shift+Tab");
        // From the field before the link, or the option after it.
        auto *from = control<QWidget>(form, forward ? "txtJaar_1" : "optBedrijfsGebonden_0");
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
        ASSERT_EQ(stopName(QApplication::focusWidget()), QStringLiteral("lblInfoPrijspeil"));
        script.expectMsgBox(ui::Icon::Information, QStringLiteral("Informatie prijspeil"),
                            QStringLiteral("Het prijspeil is vastgelegd in de QOR-checklist. Alle bedragen dienen "
                                           "ingevoerd te worden in dit prijspeil."));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(script.remaining().isEmpty());
    }
}

// ---- The focus after choosing a tab --------------------------------------------------

TEST_F(KeyboardTest, ChoosingATabPutsTheFocusOnItsFirstField)
{
    // A click on a tab, from a field of another tab; the field that had the
    // focus on the chosen tab before does not get it back.
    const struct {
        const char *state;
        const char *before; // a field of the chosen tab that had the focus
        const char *from;   // the field that has the focus
        int tab;            // the tab clicked, from 0
        const char *first;  // where the focus then is
    } cases[] = {
        // From the last fields of one contact tab to the other.
        {"frmAlgemeen-tab3", "txtInvullerEmail", "txtVergHouderEmail", 2, "txtInvullerNaam"},
        {"frmAlgemeen-tab2", "txtVergHouderTelnr", "txtInvullerTelnr", 1, "txtVergHouderNaam"},
        {"frmAlgemeen-tab4", "txtAanvangNazorg", "txtLocatieAdres", 3, "txtRente"},
        {"frmAlgNazKosten-tab3", "txtAlgRisico", "txtOnvoorzien", 2, "txtAlgRisico"},
        {"frmAlgNazKosten-tab2", "txtAlgCommunicatie", "txtAlgRisico", 1, "txtAlgAppKosten"},
        {"frmAlgNazKosten-tab1", "txtOnvoorzien", "txtLocatieNazorgOpp", 0, "txtOnvoorzien"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.state) + " to tab " + std::to_string(c.tab + 1));
        screens::Form *form = open(QLatin1String(c.state));
        ASSERT_NE(form, nullptr);
        auto *tabs = control<QTabWidget>(form, "SSTab1");
        control<QLineEdit>(form, c.before)->setFocus();
        QApplication::processEvents();
        // The field of another tab, reached as the user does: by a click on
        // its tab and into the field.
        auto *from = control<QLineEdit>(form, c.from);
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(from))
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
        QTest::mouseClick(from, Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), from);
        QPointer<screens::Form> shown = form;
        QTabBar *bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(c.tab).center());
        QApplication::processEvents();
        ASSERT_EQ(tabs->currentIndex(), c.tab);
        ASSERT_EQ(stopName(QApplication::focusWidget()), QLatin1String(c.first));
        // What is typed next goes into that field; nothing is pressed.
        auto *first = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(first, nullptr);
        first->end(false);
        const QString was = first->text();
        QTest::keyClick(first, Qt::Key_Space);
        EXPECT_EQ(first->text(), was + QLatin1Char(' '));
        EXPECT_TRUE(shown && shown->isLoaded());
        first->setText(was);
        closeAll();
    }
}

TEST_F(KeyboardTest, TheArrowKeysOnATabBarKeepTheFocusThereAndTabGoesToTheTabsFirstField)
{
    screens::Form *form = open(QStringLiteral("frmAlgemeen-tab2"));
    ASSERT_NE(form, nullptr);
    auto *tabs = control<QTabWidget>(form, "SSTab1");
    tabs->tabBar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tabs->tabBar(), Qt::Key_Right);
    QTest::keyClick(tabs->tabBar(), Qt::Key_Right);
    EXPECT_EQ(tabs->currentIndex(), 3);
    EXPECT_EQ(QApplication::focusWidget(), tabs->tabBar());
    QTest::keyClick(tabs->tabBar(), Qt::Key_Tab);
    EXPECT_EQ(stopName(QApplication::focusWidget()), QStringLiteral("txtRente"));
}

} // namespace

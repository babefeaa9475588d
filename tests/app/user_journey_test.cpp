// One user's journey through the whole program, offscreen: the program
// starts on a fresh data file, a new site gets its general data, its
// surcharges and one own cost item, the target fund is reported in Word and
// on screen, the site goes out to XML and comes back, and the program closes
// keeping its VAT setting, which a new run finds. Every step goes through
// the widgets, found by their control names, and the boxes come from the
// script.

#include "shell/shell_screen_test_env.h"

#include "docx_reader.h"

#include "shell/frmInrNieuwDialog.h"
#include "shell/frmOpenInr.h"
#include "shell/frmOpenInrConfirm.h"
#include "shell/frmSplash.h"

#include "screens/frmAct.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"
#include "screens/frmAlgNazKosten.h"
#include "screens/frmAlgemeen.h"
#include "screens/site_tree_widget.h"

#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"

#include "platform/os/open_document.h"
#include "platform/text/format.h"

#include <QComboBox>
#include <QDate>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextEdit>

#include <cmath>

using namespace shelltest;

namespace {

const QString kSite = QStringLiteral("Stort De Hoge Berg");
const QString kFacility = QStringLiteral("Bovenafdichting noord");
const QString kItem = QStringLiteral("Maaien en bijzaaien");

// The target fund of the journey's site, worked out from the calculation
// rules for its one yearly item (after-care years 1 to 10, € 10.000 a time,
// rubric Onderhoud), with the rates and surcharges typed below.
struct HandFigures {
    double ncwItem = 0;      // the item's net present value
    double doelvermogen = 0; // with the risk amount, without VAT
    double metBTW = 0;
};

HandFigures handFigures()
{
    const double rente = 0.04, inflatie = 0.02;
    const double d = (1 + inflatie) / (1 + rente);
    // Every outlay of year t is discounted to the middle of that year.
    const auto jaarlijks = [d](int jaren) { return std::pow(d, 0.5) * (1 - std::pow(d, jaren)) / (1 - d); };
    // Amounts at the 2012 price level, after-care from 1 January 2031.
    const double prijsfactor = std::pow(1 + inflatie, 2031 - 2012);
    HandFigures h;
    h.ncwItem = 10000 * jaarlijks(10) * prijsfactor;
    const double somA = h.ncwItem * (1 + 0.10);                               // unforeseen 10 %
    const double kap = jaarlijks(1000) * prijsfactor;                         // yearly costs for ever
    const double somC = somA * 0.035 + kap * 15000 + kap * 4000 + kap * 3500; // overhead, communication, reporting
    h.doelvermogen = somA + somC + 50000;                                     // risk amount as entered
    h.metBTW = h.doelvermogen * 1.21;
    return h;
}

// "€ 1.234.567" (or a bare "1.234.567") as a number.
double euros(const QString &text)
{
    QString digits = text;
    digits.remove(QRegularExpression(QStringLiteral("[^0-9,]")));
    digits.replace(QLatin1Char(','), QLatin1Char('.'));
    return digits.toDouble();
}

class UserJourneyTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(out.isValid());
        previousOpener = os::setOpener([this](const QUrl &u) {
            opened << u;
            return true;
        });
    }

    void TearDown() override
    {
        unloadForms();
        os::setOpener(previousOpener);
        ShellTest::TearDown();
    }

    shell::frmMDI_main *main() const { return shell::frmMDI_main::instance(); }
    qint64 count(const QString &sql) const { return scalar(dataFile, sql).toLongLong(); }

    // Every row of `table`, each field quoted, without the keys that an
    // import gives anew.
    QString rowsOf(const char *table) const
    {
        QStringList fields;
        const QStringList names =
            scalar(dataFile, QStringLiteral("SELECT group_concat(name, ',') FROM pragma_table_info('%1')").arg(table))
                .split(QLatin1Char(','));
        for (const QString &name : names)
            if (!name.startsWith(QStringLiteral("idr")) && !name.startsWith(QStringLiteral("lngStort_REF"))
                && !name.startsWith(QStringLiteral("lngInrichting_REF")))
                fields << QStringLiteral("quote(%1)").arg(name);
        return scalar(dataFile,
                      QStringLiteral("SELECT group_concat(r, char(10)) FROM (SELECT %1 AS r FROM %2 ORDER BY 1)")
                          .arg(fields.join(QStringLiteral(" || '|' || ")), QLatin1String(table)));
    }

    void trigger(const char *item)
    {
        triggerMenuItem(main(), item);
        QApplication::processEvents();
    }

    template <class F> F *loaded()
    {
        F *f = screens::Form::loaded<F>();
        EXPECT_NE(f, nullptr) << "screen not loaded; loaded: " << loadedFormNames().join(' ').toStdString();
        return f;
    }

    void activate()
    {
        main()->activateWindow();
        QApplication::setActiveWindow(main());
        QApplication::processEvents();
    }

    // Shows the tab of the screen's tab strip that holds `w`.
    static void showTabOf(QWidget *form, QWidget *w)
    {
        if (auto *tabs = form->findChild<QTabWidget *>(QStringLiteral("SSTab1")))
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->isAncestorOf(w))
                    tabs->setCurrentIndex(i);
        QApplication::processEvents();
    }

    // Replaces the text of a field as the user does and leaves it by Tab.
    void typeInto(QWidget *form, const char *name, const QString &text)
    {
        auto *e = control<QLineEdit>(form, name);
        ASSERT_NE(e, nullptr);
        SCOPED_TRACE(name);
        showTabOf(form, e);
        ASSERT_TRUE(e->isEnabled());
        // A closed dialog leaves no window active; the user's click on the
        // screen activates it again.
        if (QApplication::activeWindow() != e->window())
            QApplication::setActiveWindow(e->window());
        typeAndLeave(e, text);
    }

    void clickOption(QWidget *form, const char *name)
    {
        auto *o = control<QAbstractButton>(form, name);
        ASSERT_NE(o, nullptr);
        ASSERT_TRUE(o->isEnabled()) << name;
        clickBox(o);
        QApplication::processEvents();
    }

    // ---- the stages ----------------------------------------------------

    void startTheProgram()
    {
        dataFile = templateCopy();
        modMain::Main();
        ASSERT_NE(main(), nullptr);
        EXPECT_EQ(modMain::gstrDatabestand, dataFile);
        EXPECT_NE(screens::Form::loaded<shell::frmSplash>(), nullptr);
        // The splash hands over to the site list after its time.
        ASSERT_TRUE(QTest::qWaitFor([] { return screens::Form::loaded<shell::frmOpenInr>() != nullptr; }, 5000));
        EXPECT_EQ(rowTexts(control<QTreeWidget>(loaded<shell::frmOpenInr>(), "lst1")), QStringList());
    }

    void makeANewSite()
    {
        click(control<QPushButton>(loaded<shell::frmOpenInr>(), "cmdNieuw"));
        auto *dialog = loaded<shell::frmInrNieuwDialog>();
        ASSERT_NE(dialog, nullptr);
        typeText(control<QLineEdit>(dialog, "Text1"), kSite);
        clickBox(control<QRadioButton>(dialog, "optStortType_1"));
        script.expectMsgBox(ui::Icon::Information, QStringLiteral("Aanmaken nieuwe inrichting"),
                            QStringLiteral("De nieuwe inrichting is aangemaakt. Vul in dit scherm de algemene "
                                           "gegevens in.\n"));
        click(control<QPushButton>(dialog, "Command1"));
        EXPECT_EQ(modMain::gstrNaamStort, kSite);
        EXPECT_NE(modMain::glngStortID, 0);
        site = modMain::glngStortID;
        EXPECT_TRUE(main()->menuItem(QStringLiteral("Doelvermogen"))->isEnabled());
        // The short notice goes by its own timer.
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
    }

    void fillTheGeneralData()
    {
        auto *form = loaded<screens::frmAlgemeen>();
        ASSERT_NE(form, nullptr);
        activate();
        EXPECT_EQ(control<QLineEdit>(form, "txtLocatieNaam")->text(), kSite);
        EXPECT_EQ(control<QLineEdit>(form, "txtJaar_1")->text(), QStringLiteral("2012"));
        typeInto(form, "txtAanvangNazorg", QStringLiteral("1-1-2031"));
        typeInto(form, "txtRente", QStringLiteral("4"));
        typeInto(form, "txtInflatie", QStringLiteral("2"));
        auto *prov = control<QComboBox>(form, "lstProv");
        showTabOf(form, prov);
        typeAndLeave(prov, QStringLiteral("Utrecht"));
        click(control<QPushButton>(form, "cmdApply"));
        EXPECT_EQ(screens::Form::loaded<screens::frmAlgemeen>(), nullptr);
        EXPECT_EQ(scalar(dataFile, QStringLiteral("SELECT dtmAanvangNazorg || '|' || sngRentePerc || '|' || "
                                                  "sngInflPerc || '|' || bytProv_REF FROM tblStort WHERE "
                                                  "idrStort_ID = %1")
                                       .arg(site)),
                  QStringLiteral("2031-01-01 00:00:00|4.0|2.0|100"));
    }

    void fillTheSurcharges()
    {
        trigger("AlgNazKosten");
        auto *form = loaded<screens::frmAlgNazKosten>();
        ASSERT_NE(form, nullptr);
        activate();
        typeInto(form, "txtAlgAppKosten", QStringLiteral("15000"));
        typeInto(form, "txtAppKostenBasisPerc", QStringLiteral("3,5"));
        typeInto(form, "txtAlgCommunicatie", QStringLiteral("4000"));
        typeInto(form, "txtOnvoorzien", QStringLiteral("10"));
        typeInto(form, "txtAlgRisico", QStringLiteral("50000"));
        // Below 10 ha the reporting costs are the minimum amount.
        typeInto(form, "txtLocatieNazorgOpp", QStringLiteral("8"));
        EXPECT_TRUE(control<QRadioButton>(form, "optRapEval_1")->isChecked());
        typeInto(form, "txtRapEvalKleinerDan10ha", QStringLiteral("3500"));
        click(control<QPushButton>(form, "cmdApply"));
        EXPECT_EQ(screens::Form::loaded<screens::frmAlgNazKosten>(), nullptr);
        EXPECT_EQ(scalar(dataFile, QStringLiteral("SELECT sngNazorgOpp || '|' || bytRapEval || '|' || "
                                                  "sngAlgRisicoBedrag FROM tblStort WHERE idrStort_ID = %1")
                                       .arg(site)),
                  QStringLiteral("8.0|1|50000.0"));
    }

    // Selects the node of `key` with a click.
    void choose(screens::frmAct *act, const QString &key)
    {
        QTreeWidgetItem *it = screens::SiteTreeWidget::item(act->boom().find(key));
        ASSERT_NE(it, nullptr) << key.toStdString();
        clickRow(act->TreeView1(), it);
        QApplication::processEvents();
    }

    // Runs a command of the cost-item screen's pop-up menu for the selected node.
    void popup(screens::frmAct *act, const char *name)
    {
        act->ZetPopupMenu();
        QAction *a = main()->popupAct()->findChild<QAction *>(QLatin1String(name));
        main()->popupAct()->hide();
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
        QApplication::processEvents();
    }

    void enterTheCostItems()
    {
        trigger("Act_en_KostPost");
        auto *act = loaded<screens::frmAct>();
        ASSERT_NE(act, nullptr);
        activate();

        // A facility under "Bovenafdichting".
        choose(act, QStringLiteral("objcat2"));
        script.expectInput(QStringLiteral("Naam voorziening:"), QStringLiteral("Nieuwe voorziening")).answer(kFacility);
        popup(act, "mnuPopUpaddVoorz");
        ASSERT_TRUE(act->voorzieningGekozen());
        const QString facilityKey = act->gekozenKey();

        // An own cost item through its dialog, rubric Onderhoud.
        popup(act, "mnuPopUpaddAct");
        auto *dlg = loaded<screens::frmAct_AddCustomItem>();
        ASSERT_NE(dlg, nullptr);
        typeText(control<QLineEdit>(dlg, "txtNaam"), kItem);
        auto *rubrieken = control<QTreeWidget>(dlg, "ListView1");
        clickRow(rubrieken, QStringLiteral("Onderhoud"));
        click(control<QPushButton>(dlg, "cdmOK"));
        ASSERT_EQ(act->gekozenKey(), QStringLiteral("actNEW"));

        // Its fields in the detail panel: every year from after-care year 1
        // to 10, € 10.000 a time.
        clickOption(act, "optStart_2");
        typeInto(act, "txtIntStartAct_2", QStringLiteral("1"));
        clickOption(act, "optEind_2");
        typeInto(act, "txtIntEindAct_2", QStringLiteral("10"));
        clickOption(act, "optKosten_2");
        typeInto(act, "txtKostenTotaal", QStringLiteral("10000"));
        clickOption(act, "optFreq_2");
        typeInto(act, "txtfreqX", QStringLiteral("1"));
        const QString zin = control<QTextEdit>(act, "txtZin")->toPlainText();
        EXPECT_TRUE(zin.contains(QStringLiteral("10.000"))) << zin.toStdString();

        // Choosing another node saves it.
        choose(act, facilityKey);
        EXPECT_EQ(
            scalar(dataFile, QStringLiteral("SELECT bytRubriek_REF || '|' || bytOptieStart || '|' || intStartRel "
                                            "|| '|' || bytOptieEind || '|' || intEindRel || '|' || "
                                            "bytOptieKosten || '|' || sngKostenTotaal || '|' || bytOptieFreq "
                                            "|| '|' || intFreqX || '|' || bytIsQOR FROM tblAct WHERE strAct = '%1'")
                                 .arg(kItem)),
            QStringLiteral("4|2|1|2|10|2|10000.0|2|1|0"));

        // A checklist item dragged from the picker onto the tree lands under
        // its own facility; the user then thinks better of it.
        popup(act, "mnuPopupAddClitem");
        auto *picker = loaded<screens::frmAct_AddCLitem>();
        ASSERT_NE(picker, nullptr);
        QTreeWidgetItem *post = nullptr;
        for (QTreeWidgetItemIterator it(picker->tvw1()); *it && !post; ++it)
            if ((*it)->childCount() == 0 && screens::SiteTreeWidget::tagOf(*it) == QStringLiteral("new"))
                post = *it;
        ASSERT_NE(post, nullptr);
        const QString postName = post->text(0);
        picker->tvw1()->scrollToItem(post);
        const QPoint onPost = rowPoint(picker->tvw1(), post);
        QTest::mousePress(picker->tvw1()->viewport(), Qt::LeftButton, {}, onPost);
        QTest::mouseRelease(picker->tvw1()->viewport(), Qt::LeftButton, {}, onPost);
        ASSERT_EQ(screens::gnodDrag(), post);
        QMimeData mime;
        mime.setData(QStringLiteral("application/x-tavir-checklistpost"),
                     screens::SiteTreeWidget::keyOf(post).toUtf8());
        const QPoint at = act->TreeView1()->visualItemRect(act->TreeView1()->topLevelItem(0)).center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(act->TreeView1()->viewport(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(act->TreeView1()->viewport(), &drop);
        ASSERT_EQ(act->gekozenKey(), QStringLiteral("actNEW"));
        EXPECT_EQ(screens::SiteTreeWidget::tagOf(post), QStringLiteral("old"));
        choose(act, facilityKey);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM tblAct WHERE lngClitem_REF IS NOT NULL")), 1);
        const QString clKey =
            QStringLiteral("act")
            + scalar(dataFile, QStringLiteral("SELECT idrAct_ID FROM tblAct WHERE lngClitem_REF IS NOT NULL"));
        choose(act, clKey);
        script
            .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen"),
                          QStringLiteral("Wilt u kostenpost '") + postName + QStringLiteral("' verwijderen?"),
                          ui::Buttons::YesNo)
            .answer(ui::Answer::Yes);
        popup(act, "mnuPopUpverwijder");
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM tblAct")), 1);

        click(control<QPushButton>(act, "cmdClose"));
        EXPECT_EQ(screens::Form::loaded<screens::frmAct>(), nullptr);
        EXPECT_EQ(screens::Form::loaded<screens::frmAct_AddCLitem>(), nullptr);
    }

    reports::frmDoelverm *openTheReportScreen()
    {
        trigger("Doelvermogen");
        auto *form = loaded<reports::frmDoelverm>();
        if (form)
            activate();
        return form;
    }

    void reportToWord()
    {
        auto *form = openTheReportScreen();
        ASSERT_NE(form, nullptr);
        // The VAT goes to 21 %; the program keeps it for next time.
        typeInto(form, "txtBTWperc", QStringLiteral("21"));
        clickOption(form, "optRapNaar_2");
        clickOption(form, "chkVoorblad");
        const QString pad = out.filePath(QStringLiteral("rapport.docx"));
        script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Rapportage opslaan als ..."))
            .withFileName(QStringLiteral("Rapportage ") + kSite + QLatin1Char(' ')
                          + vb::Format(QDate::currentDate(), QStringLiteral("dd-mm-yyyy")))
            .answer(pad);
        script
            .expectMsgBox(ui::Icon::Question, QStringLiteral("Rapportage doelvermogen & heffing"),
                          QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?"),
                          ui::Buttons::YesNo)
            .answer(ui::Answer::No);
        click(control<QPushButton>(form, "OKButton"));
        EXPECT_EQ(screens::Form::loaded<reports::frmDoelverm>(), nullptr);
        EXPECT_TRUE(opened.isEmpty());
        ASSERT_TRUE(QFile::exists(pad));

        const QJsonObject doc = wordtest::readDocx(pad);
        const QStringList body = wordtest::bodyTexts(doc);
        EXPECT_TRUE(body.contains(QStringLiteral("Rapportage doelvermogen\nInrichting: ") + kSite + QLatin1Char('\n')))
            << body.join(QStringLiteral(" // ")).toStdString();
        QStringList rows;
        for (const auto &t : wordtest::tables(doc))
            rows << wordtest::rowTexts(t.toObject());
        const HandFigures hand = handFigures();
        bool item = false, total = false, vat = false;
        for (const QString &row : rows) {
            // The amount last in a row is its net present value.
            const QStringList cells = row.split(QLatin1Char('|'));
            QString last;
            for (const QString &c : cells)
                if (c.contains(QStringLiteral("€")))
                    last = c;
            if (cells.contains(kItem)) {
                item = true;
                EXPECT_NEAR(euros(last), hand.ncwItem, 1.0) << row.toStdString();
            }
            // The cover page adds the VAT typed above.
            if (cells.first() == QStringLiteral("Doelvermogen incl. BTW")) {
                vat = true;
                EXPECT_NEAR(euros(last), hand.metBTW, 1.0) << row.toStdString();
            }
            if (cells.first().startsWith(QStringLiteral("DOELVERMOGEN"))) {
                total = true;
                EXPECT_NEAR(euros(last), hand.doelvermogen, 1.0) << row.toStdString();
            }
        }
        EXPECT_TRUE(rows.contains(QStringLiteral("Provincie|Utrecht")));
        EXPECT_TRUE(rows.contains(QStringLiteral("Nazorgoppervlak |8 ha")));
        EXPECT_TRUE(item && total && vat) << rows.join(QLatin1Char('\n')).toStdString();
    }

    void reportOnScreen(bool closeTheWindow = true)
    {
        auto *form = openTheReportScreen();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(control<QLineEdit>(form, "txtBTWperc")->text(), QStringLiteral("21"));
        EXPECT_TRUE(control<QRadioButton>(form, "optRapNaar_1")->isChecked());
        click(control<QPushButton>(form, "OKButton"));
        auto *rap = loaded<reports::frmRapScherm>();
        ASSERT_NE(rap, nullptr);
        const QString text = rap->Text();
        EXPECT_TRUE(text.contains(kItem)) << text.toStdString();
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("DOELVERMOGEN[ \t]*€ ([0-9.]+)")).match(text);
        ASSERT_TRUE(m.hasMatch()) << text.toStdString();
        EXPECT_NEAR(euros(m.captured(1)), handFigures().doelvermogen, 2.0);
        if (closeTheWindow)
            rap->unload();
    }

    void exportDeleteAndImport()
    {
        const QString file = out.filePath(QStringLiteral("hoge berg.xml"));
        script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Exporteren..."))
            .withFileName(kSite)
            .answer(file);
        trigger("exportInrichting");
        ASSERT_TRUE(QFile::exists(file));
        const QString siteRow = rowsOf("tblStort"), facilities = rowsOf("tblInrichting"), items = rowsOf("tblAct");

        trigger("open_inrichting");
        auto *list = loaded<shell::frmOpenInr>();
        ASSERT_NE(list, nullptr);
        auto *lst1 = control<QTreeWidget>(list, "lst1");
        clickRow(lst1, kSite);
        script
            .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen inrichting"),
                          QStringLiteral("Weet u zeker dat u inrichting '") + kSite
                              + QStringLiteral("' wilt verwijderen uit de database?"),
                          ui::Buttons::YesNo)
            .answer(ui::Answer::Yes);
        click(control<QPushButton>(list, "cmdVerwijder"));
        EXPECT_EQ(rowTexts(lst1), QStringList());
        EXPECT_EQ(modMain::glngStortID, 0);
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM tblAct")), 0);

        script.expectFileDialog(ui::FileDialogMode::Open, QStringLiteral("Importeren...")).answer(file);
        click(control<QPushButton>(list, "cmdImport"));
        EXPECT_EQ(rowTexts(lst1), QStringList{kSite});
        EXPECT_EQ(scalar(dataFile, QStringLiteral("SELECT group_concat(strAct) FROM tblAct")), kItem);
        // Everything the user entered came back.
        EXPECT_EQ(rowsOf("tblStort"), siteRow);
        EXPECT_EQ(rowsOf("tblInrichting"), facilities);
        EXPECT_EQ(rowsOf("tblAct"), items);

        // The imported site opens and reports the same target fund.
        clickRow(lst1, kSite);
        click(control<QPushButton>(list, "OKButton"));
        EXPECT_EQ(modMain::gstrNaamStort, kSite);
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
        reportOnScreen(false);
    }

    void closeTheProgram()
    {
        // The report window is still open; closing the program closes it.
        EXPECT_EQ(loadedFormNames(), QStringList{"frmRapScherm"});
        trigger("Afsluiten");
        EXPECT_TRUE(loadedFormNames().isEmpty());
        EXPECT_EQ(shell::frmMDI_main::instance(), nullptr);
        EXPECT_EQ(setting("BTW_PROCENTEN"), QStringLiteral("21"));
    }

    // A new run reads what the last one kept: the site list selects the
    // site opened last and the report screen shows the VAT typed before.
    void startAgain()
    {
        modMain::releaseSingleInstance();
        modMain::resetProgramState();
        modMain::Main();
        ASSERT_NE(main(), nullptr);
        ASSERT_TRUE(QTest::qWaitFor([] { return screens::Form::loaded<shell::frmOpenInr>() != nullptr; }, 5000));
        auto *list = loaded<shell::frmOpenInr>();
        const QList<QTreeWidgetItem *> selected = control<QTreeWidget>(list, "lst1")->selectedItems();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(selected.first()->text(0), kSite);
        click(control<QPushButton>(list, "OKButton"));
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
        auto *form = openTheReportScreen();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(control<QLineEdit>(form, "txtBTWperc")->text(), QStringLiteral("21"));
    }

    QTemporaryDir out;
    QString dataFile;
    qint32 site = 0;
    QList<QUrl> opened;
    os::Opener previousOpener;
};

TEST_F(UserJourneyTest, FromANewSiteToItsTargetFundAndBack)
{
    ASSERT_NO_FATAL_FAILURE(startTheProgram());
    ASSERT_NO_FATAL_FAILURE(makeANewSite());
    ASSERT_NO_FATAL_FAILURE(fillTheGeneralData());
    ASSERT_NO_FATAL_FAILURE(fillTheSurcharges());
    ASSERT_NO_FATAL_FAILURE(enterTheCostItems());
    ASSERT_NO_FATAL_FAILURE(reportToWord());
    ASSERT_NO_FATAL_FAILURE(reportOnScreen());
    ASSERT_NO_FATAL_FAILURE(exportDeleteAndImport());
    ASSERT_NO_FATAL_FAILURE(closeTheProgram());
    ASSERT_NO_FATAL_FAILURE(startAgain());
}

} // namespace

// The target-fund and levy report screen, offscreen, on the fixture sites:
// its choices, the VAT field, the whole report into a Word file through the
// save dialog and on screen, and the reports that write nothing.

#include "support/item_at.h"
#include "support/qstring_printer.h"
#include "support/read_only_folder.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/sqlite_shell.h"
#include "support/widget_driver.h"

#include "calc/calc_fixture.h"
#include "docx_reader.h"

#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"

#include "screens/session.h"

#include "platform/os/open_document.h"
#include "platform/text/format.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

#include <csignal>
#include <sys/resource.h>

using namespace reports;

namespace {

using testsupport::itemAt;
using testsupport::lastItem;

class FrmDoelvermTest : public testsupport::ScriptedDialogsTest {
protected:
    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        screens::Session s;
        s.context = [this] {
            calc::Context c = fx.context(site);
            c.gsngBTWPerc = btw;
            return c;
        };
        s.setBTWPerc = [this](float p) { btw = p; };
        screens::installSession(std::move(s));
        vorigeOpener = os::setOpener([this](const QUrl &u) {
            geopend << u;
            return opent;
        });
        area.resize(1000, 800);
        area.show();
        screens::Form::setHost(&area);
        QApplication::setActiveWindow(&area);
    }

    void TearDown() override
    {
        testsupport::unloadForms();
        screens::Form::setHost(nullptr);
        screens::installSession({});
        os::setOpener(vorigeOpener);
        ScriptedDialogsTest::TearDown();
    }

    void laad(qint32 s)
    {
        site = s;
        form = frmDoelverm::load({fx.dataFile, QStringLiteral("TAVIR"), 3, 0});
    }

    template <class W> W *control(const QString &name) { return testsupport::control<W>(form, name); }
    void klik(const QString &name) { testsupport::clickBox(control<QAbstractButton>(name)); }
    void ok() { QTest::mouseClick(control<QPushButton>(QStringLiteral("OKButton")), Qt::LeftButton); }
    QLineEdit *btwVeld() { return control<QLineEdit>(QStringLiteral("txtBTWperc")); }
    QStringList bestanden() const { return QDir(uit.path()).entryList(QDir::Files | QDir::Hidden); }
    QString opgeslagenMap()
    {
        return fx.scalar(QStringLiteral("SELECT memStandaardExportDir FROM tblStort WHERE idrStort_ID=?"), {site})
            .toString();
    }
    void verwachtOpslaan(const QString &pad)
    {
        script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Rapportage opslaan als ..."))
            .withFilter(QStringLiteral("Word bestanden (*.docx)|*.docx|"), 1)
            .withFileName(QStringLiteral("Rapportage ") + naam() + QLatin1Char(' ')
                          + vb::Format(QDate::currentDate(), QStringLiteral("dd-mm-yyyy")))
            .answer(pad);
    }
    QString naam() { return fx.context(site).gstrNaamStort; }
    static bool geladen() { return screens::Form::loaded<frmDoelverm>() != nullptr; }

    calctest::CalcFixture fx;
    QTemporaryDir uit;
    QMdiArea area;
    frmDoelverm *form = nullptr;
    qint32 site = 0;
    float btw = 19.0f;
    QList<QUrl> geopend;
    bool opent = true; // whether the desktop has a program that opens it
    os::Opener vorigeOpener;
};

TEST_F(FrmDoelvermTest, ScreenOutputDisablesTheWordOnlyPartsAndOkNeedsAPart)
{
    laad(fx.alfa);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Doelvermogen & heffing"));
    EXPECT_EQ(btwVeld()->text(), QStringLiteral("19"));
    auto *voorblad = control<QCheckBox>(QStringLiteral("chkVoorblad"));
    auto *dv = control<QCheckBox>(QStringLiteral("chkRapDV"));
    auto *okKnop = control<QPushButton>(QStringLiteral("OKButton"));
    EXPECT_TRUE(dv->isChecked());
    EXPECT_TRUE(control<QRadioButton>(QStringLiteral("optRapNaar_1"))->isChecked());
    EXPECT_TRUE(control<QRadioButton>(QStringLiteral("optRapSort_2"))->isChecked());
    EXPECT_FALSE(voorblad->isEnabled());

    klik(QStringLiteral("optRapNaar_2"));
    EXPECT_TRUE(voorblad->isEnabled());
    klik(QStringLiteral("chkVoorblad"));
    klik(QStringLiteral("chkRapUnselectedCLitems"));
    EXPECT_TRUE(voorblad->isChecked());
    klik(QStringLiteral("optRapNaar_1"));
    EXPECT_FALSE(voorblad->isChecked() || voorblad->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(QStringLiteral("chkRapUnselectedCLitems"))->isChecked());

    klik(QStringLiteral("chkRapDV"));
    EXPECT_FALSE(okKnop->isEnabled());
    klik(QStringLiteral("optRapSort_1"));
    EXPECT_TRUE(dv->isChecked());
    EXPECT_TRUE(okKnop->isEnabled());

    QTest::mouseClick(control<QPushButton>(QStringLiteral("CancelButton")), Qt::LeftButton);
    EXPECT_FALSE(geladen());
}

TEST_F(FrmDoelvermTest, TheVatFieldKeepsTheFocusOnAWrongValueAndStoresAGoodOne)
{
    laad(fx.alfa);
    QLineEdit *veld = btwVeld();
    testsupport::retype(veld, QStringLiteral("31"));
    QTest::keyClick(veld, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(veld->hasFocus());
    EXPECT_EQ(btw, 19.0f);

    testsupport::retype(veld, QStringLiteral("12"));
    QTest::keyClick(veld, Qt::Key_Period, Qt::KeypadModifier);
    QTest::sendKeyEvent(QTest::Click, veld, Qt::Key_unknown, QStringLiteral("5"), Qt::NoModifier);
    EXPECT_EQ(veld->text(), QStringLiteral("12,5"));
    QTest::keyClick(veld, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_FALSE(veld->hasFocus());
    EXPECT_EQ(btw, 12.5f);

    // Empty is accepted and changes nothing.
    testsupport::retype(veld, QString());
    QTest::keyClick(veld, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_FALSE(veld->hasFocus());
    EXPECT_EQ(btw, 12.5f);
}

TEST_F(FrmDoelvermTest, TheWholeReportIntoAProtectedWordFile)
{
    laad(fx.gamma);
    klik(QStringLiteral("optRapNaar_2"));
    klik(QStringLiteral("chkVoorblad"));
    klik(QStringLiteral("chkRapHef"));
    klik(QStringLiteral("chkRapUnselectedCLitems"));
    const QString pad = uit.filePath(QStringLiteral("rapport.docx"));
    verwachtOpslaan(pad);
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Rapportage doelvermogen & heffing"),
                      QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::No);
    ok();
    EXPECT_FALSE(geladen());
    EXPECT_TRUE(geopend.isEmpty());
    EXPECT_EQ(bestanden(), QStringList({"rapport.docx"})); // no temporary file left beside it
    EXPECT_EQ(opgeslagenMap(), uit.path() + QLatin1Char('/'));

    const QJsonObject d = wordtest::readDocx(pad);
    const QStringList body = wordtest::bodyTexts(d);
    EXPECT_EQ(itemAt(body, 0), QStringLiteral("R a p p o r t a g e   T A V I R"));
    // VAT rows on the cover page: the field read 19.
    EXPECT_TRUE(QJsonDocument(d).toJson().contains("Omzetbelasting (19,0%)"));
    EXPECT_TRUE(body.contains(QStringLiteral("Rapportage doelvermogen\nInrichting: Gamma\n")));
    EXPECT_TRUE(body.contains(QStringLiteral("Overzicht niet geselecteerde checklistposten")));
    EXPECT_TRUE(body.contains(QStringLiteral("Rapportage heffingen\n")));
    EXPECT_TRUE(body.contains(QStringLiteral("jaar\taantal kTon\theffing/ton *\theffing *\tcontrole NCW")));
    // One section per part, each later one on a new page.
    EXPECT_EQ(d[QStringLiteral("sections")].toArray().size(), 4);
    bool doelvermogen = false;
    for (const auto &t : wordtest::tables(d))
        doelvermogen =
            doelvermogen || lastItem(wordtest::rowTexts(t.toObject())).startsWith(QStringLiteral("DOELVERMOGEN"));
    EXPECT_TRUE(doelvermogen);

    const QByteArray kop = QJsonDocument(d[QStringLiteral("header")].toArray()).toJson();
    const QByteArray voet = QJsonDocument(d[QStringLiteral("footer")].toArray()).toJson();
    EXPECT_TRUE(kop.contains("TAVIR 3.0")) << kop.constData();
    EXPECT_TRUE(voet.contains("pag. ")) << voet.constData();
    const QJsonObject p = d[QStringLiteral("protection")].toObject();
    EXPECT_EQ(p[QStringLiteral("edit")].toString(), QStringLiteral("forms"));
    EXPECT_TRUE(p.contains(QStringLiteral("hashValue")) || p.contains(QStringLiteral("hash")))
        << QJsonDocument(p).toJson().constData();
}

// The proposed name has no extension: accepted as it is, the report is a
// Word file all the same; and where no program opens it, the user is told
// where it is.
TEST_F(FrmDoelvermTest, TheProposedNameBecomesAWordFileThatTheUserCanFind)
{
    opent = false;
    laad(fx.gamma);
    klik(QStringLiteral("optRapNaar_2"));
    const QString voorstel = uit.filePath(QStringLiteral("Rapportage ") + naam() + QLatin1Char(' ')
                                          + vb::Format(QDate::currentDate(), QStringLiteral("dd-mm-yyyy")));
    verwachtOpslaan(voorstel);
    const QString titel = QStringLiteral("Rapportage doelvermogen & heffing");
    script
        .expectMsgBox(ui::Icon::Question, titel,
                      QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    const QString pad = voorstel + QStringLiteral(".docx");
    script.expectMsgBox(ui::Icon::Exclamation, titel,
                        QStringLiteral("Het rapport kan niet worden geopend: er is op deze computer geen programma "
                                       "gevonden dat Word-documenten (.docx) opent.\r\n\r\nHet rapport is "
                                       "opgeslagen als:\r\n")
                            + pad);
    ok();
    EXPECT_EQ(bestanden(), QStringList{QFileInfo(pad).fileName()});
    EXPECT_EQ(geopend, QList<QUrl>{QUrl::fromLocalFile(pad)});
}

TEST_F(FrmDoelvermTest, OnScreenTheReportWindowGetsTheTargetFundAndTheLevy)
{
    laad(fx.alfa);
    klik(QStringLiteral("chkRapHef"));
    ok();
    EXPECT_FALSE(geladen());
    auto *rap = screens::Form::loaded<frmRapScherm>();
    ASSERT_NE(rap, nullptr);
    EXPECT_TRUE(rap->findChild<QTextEdit *>(QStringLiteral("txtRap"))->isVisibleTo(rap));
    const QString tekst = rap->Text();
    EXPECT_TRUE(tekst.startsWith(QStringLiteral("post\taanleg")));
    EXPECT_TRUE(tekst.contains(QString::fromUtf8("DOELVERMOGEN \t\t\t\t\t\t€ 1.670.408")));
    EXPECT_TRUE(tekst.contains(QStringLiteral("Rapportage heffingen:\n")));
    EXPECT_TRUE(tekst.contains(QStringLiteral("Jaar\tAantal kTon\tHeffing/ton *\tHeffing *\tControle doelvermogen")));

    // A second report empties the window first.
    laad(fx.alfa);
    ok();
    EXPECT_EQ(screens::Form::loaded<frmRapScherm>()->Text().count(QStringLiteral("post\taanleg")), 1);
}

// A levy that cannot be computed is left out after the box that says why,
// also for a site without a waste forecast: no header and total line of a
// levy that is not there.
TEST_F(FrmDoelvermTest, ALevyThatCannotBeComputedLeavesOutOnlyTheLevy)
{
    const struct {
        const char *sql;
        ui::Icon icon;
        const char *titel, *tekst;
    } gevallen[] = {
        {"UPDATE tblStort SET bytBedrijfsGebonden=1 WHERE idrStort_ID=?", ui::Icon::Information, "Rapportage heffing",
         "Bij objectgebonden inrichtingen is de (eenmalige) heffing gelijk aan het doelvermogen.\r\nEr wordt geen "
         "heffingsrapportage opgesteld."},
        {"DELETE FROM tblTonnage WHERE lngStort_REF=?", ui::Icon::Exclamation, "Berekening heffingen",
         "Er zijn geen gegevens beschikbaar m.b.t. de prognose van het afvalaanbod. De heffing kan niet berekend "
         "worden."},
    };
    for (const auto &g : gevallen) {
        SCOPED_TRACE(g.sql);
        fx.execute(QStringLiteral("UPDATE tblStort SET bytBedrijfsGebonden=0 WHERE idrStort_ID=?"), {fx.alfa});
        fx.execute(QString::fromLatin1(g.sql), {fx.alfa});
        laad(fx.alfa);
        klik(QStringLiteral("chkRapHef"));
        script.expectMsgBox(g.icon, QString::fromUtf8(g.titel), QString::fromUtf8(g.tekst));
        ok();
        EXPECT_TRUE(script.verify()) << script.report().toStdString();
        const QString tekst = screens::Form::loaded<frmRapScherm>()->Text();
        EXPECT_TRUE(tekst.contains(QStringLiteral("DOELVERMOGEN ")));
        EXPECT_FALSE(tekst.contains(QStringLiteral("Rapportage heffingen")));
    }
}

TEST_F(FrmDoelvermTest, ACancelledSaveDialogWritesNothingAndKeepsTheScreen)
{
    laad(fx.alfa);
    klik(QStringLiteral("optRapNaar_2"));
    const QString voor = opgeslagenMap();
    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Rapportage opslaan als ...")).cancel();
    ok();
    EXPECT_TRUE(geladen());
    EXPECT_TRUE(bestanden().isEmpty());
    EXPECT_EQ(opgeslagenMap(), voor);
    EXPECT_FALSE(control<QWidget>(QStringLiteral("ProgressBar1"))->isVisible());
}

TEST_F(FrmDoelvermTest, AFailedSaveAsksForAnotherNameAndLeavesNoFileBehind)
{
    laad(fx.alfa);
    klik(QStringLiteral("optRapNaar_2"));
    // The box names the system's reason; the script records it and answers OK.
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    const QString mis = uit.filePath(QStringLiteral("bestaat-niet/rapport.docx"));
    const QString goed = uit.filePath(QStringLiteral("tweede.docx"));
    verwachtOpslaan(mis);
    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Rapportage opslaan als ...")).answer(goed);
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Rapportage doelvermogen & heffing"),
                      QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    ok();
    const auto &boxen = script.shown();
    ASSERT_EQ(boxen.size(), 4u);
    EXPECT_EQ(boxen[1].msgBox.title, QStringLiteral("Fout bij opslaan"));
    EXPECT_EQ(boxen[1].msgBox.icon, ui::Icon::Exclamation);
    EXPECT_TRUE(boxen[1].msgBox.text.endsWith(QStringLiteral("\r\n\r\nSla het document op onder een andere naam.")));
    EXPECT_EQ(bestanden(), QStringList({"tweede.docx"}));
    EXPECT_EQ(itemAt(wordtest::bodyTexts(wordtest::readDocx(goed)), 0),
              QStringLiteral("Rapportage doelvermogen\nInrichting: Alfa\n"));
    // Yes opens the file that was saved.
    ASSERT_EQ(geopend.size(), 1);
    EXPECT_EQ(geopend[0].toLocalFile(), goed);
    EXPECT_FALSE(geladen());
}

TEST_F(FrmDoelvermTest, WhatAKilledReportLeftGoesWithTheNextReport)
{
    const QString leftover = uit.filePath(QStringLiteral(".Rapportage Alfa 01-12-2026.docx.tavir-Aa11Bb"));
    for (const QString &pad : {leftover, uit.filePath(QStringLiteral("notities.docx.bak"))}) {
        QFile f(pad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("PK half");
    }
    laad(fx.alfa);
    klik(QStringLiteral("optRapNaar_2"));
    verwachtOpslaan(uit.filePath(QStringLiteral("rapport.docx")));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Rapportage doelvermogen & heffing"),
                      QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::No);
    ok();
    EXPECT_EQ(bestanden(), QStringList({"notities.docx.bak", "rapport.docx"}));
}

// The report only reads; remembering its folder in the site's row is a
// convenience that a read-only data file cannot give.
TEST_F(FrmDoelvermTest, AReadOnlyDataFileStillGetsItsWordReport)
{
    const QString voor = opgeslagenMap();
    fx.con.Close();
    QFile::setPermissions(fx.dataFile, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    {
        testsupport::ReadOnlyFolder alleenLezen(fx.dir.path());
        if (!alleenLezen.effective() || QFile(fx.dataFile).open(QIODevice::ReadWrite))
            GTEST_SKIP() << "this process can write what is read-only";
        laad(fx.alfa);
        klik(QStringLiteral("optRapNaar_2"));
        const QString pad = uit.filePath(QStringLiteral("rapport.docx"));
        verwachtOpslaan(pad);
        script
            .expectMsgBox(ui::Icon::Question, QStringLiteral("Rapportage doelvermogen & heffing"),
                          QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?"),
                          ui::Buttons::YesNo)
            .answer(ui::Answer::No);
        ok();
        EXPECT_FALSE(geladen());
        EXPECT_EQ(bestanden(), QStringList({"rapport.docx"}));
        EXPECT_EQ(itemAt(wordtest::bodyTexts(wordtest::readDocx(pad)), 0),
                  QStringLiteral("Rapportage doelvermogen\nInrichting: Alfa\n"));
    }
    QFile::setPermissions(fx.dataFile, QFile::ReadOwner | QFile::WriteOwner);
    fx.con.Open(fx.dataFile);
    EXPECT_EQ(opgeslagenMap(), voor);
}

// The disk is full (the process may write nothing more): the data file's
// failure is reported once, then the report's own save failure, and the
// user gives up at the second name.
TEST_F(FrmDoelvermTest, AFullDiskReportsTheDataFileFailureOnce)
{
    laad(fx.alfa);
    klik(QStringLiteral("optRapNaar_2"));
    script.setMode(ui::ScriptedDialogs::Mode::Record);
    verwachtOpslaan(uit.filePath(QStringLiteral("rapport.docx")));
    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Rapportage opslaan als ...")).cancel();

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit vol = saved;
    vol.rlim_cur = 0;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &vol), 0);
    ok();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QStringList titels;
    for (const auto &box : script.shown())
        if (box.msgBox.title.startsWith(QStringLiteral("Fout")))
            titels << box.msgBox.title;
    EXPECT_EQ(titels, QStringList({"Fout 3051", "Fout bij opslaan"}));
    EXPECT_TRUE(bestanden().isEmpty());
}

TEST_F(FrmDoelvermTest, ACalculationThatFailsItsChecksWritesNothing)
{
    fx.execute(QStringLiteral("UPDATE tblStort SET bytRapEval=0 WHERE idrStort_ID=?"), {fx.gamma});
    laad(fx.gamma);
    klik(QStringLiteral("optRapNaar_2"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Algemene toeslag rapportage/evaluatie"),
                        QStringLiteral("De kosten voor rapportage/evaluatie zijn niet correct ingesteld. Controleer "
                                       "uw invoer via menu 'Invoer' -> 'Toeslagen nazorgfase', tabblad 'Algemene "
                                       "nazorgkosten'."));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Rapportage"),
                        QStringLiteral("Uw ingevoerde gegevens bevatten fouten. Er wordt geen rapportage opgesteld."));
    ok();
    EXPECT_TRUE(bestanden().isEmpty());
    EXPECT_FALSE(geladen());
}

// A value another tool wrote into the data file that the calculation cannot
// use stops the report after the one box that names it, on screen and in
// Word alike: no report window, no save dialog, no file.
TEST_F(FrmDoelvermTest, AValueFromOutsideThatCannotCountMakesNoReport)
{
    const QString datum = QStringLiteral(") is geen geldige datum. Zonder geldige datum aanvang nazorg kan niet worden "
                                         "gerekend.\r\nPast u de datum aanvang nazorg aan via de menu-optie 'Invoer -> "
                                         "Gegevens inrichting'.");
    const struct {
        const char *sql;
        const char *titel;
        QString tekst;
    } gevallen[] = {
        {"UPDATE tblStort SET sngRentePerc=9e999 WHERE idrStort_ID=%1", "Invoer onvolledig bij Alfa",
         QStringLiteral("Er is geen (geldige) rente ingevoerd in het scherm 'Gegevens inrichting'.")},
        {"UPDATE tblStort SET sngAlgRisicoBedrag=-9e999 WHERE idrStort_ID=%1", "Invoer onvolledig bij Alfa",
         QStringLiteral("Er is geen (geldig) risicobedrag ingevoerd in het scherm 'Toeslagen nazorgfase'.")},
        {"UPDATE tblAct SET sngKostenTotaal=1e39 WHERE lngStort_REF=%1 AND strAct='Maaien'",
         "Validatie invoer inrichting 'Alfa'",
         QStringLiteral("Bij een of meer kostenposten is de invoer nog niet volledig ('rood stopbord' in formulier "
                        "'Voorzieningen en kostenposten').\r\n\r\nKostenpost: \r\n\tTerrein --> Maaien\r\n\r\n"
                        "Voer de gegevens van de kostenposten eerst volledig in.")},
        {"UPDATE tblStort SET dtmAanvangNazorg='morgen' WHERE idrStort_ID=%1", "Ongeldige datum aanvang nazorg",
         QStringLiteral("De datum aanvang nazorg in het databestand (morgen") + datum},
        {"UPDATE tblStort SET dtmAanvangNazorg='10000-01-01 00:00:00' WHERE idrStort_ID=%1",
         "Ongeldige datum aanvang nazorg",
         QStringLiteral("De datum aanvang nazorg in het databestand (10000-01-01 00:00:00") + datum},
        {"UPDATE tblStort SET dtmAanvangNazorg='0231-01-01 00:00:00' WHERE idrStort_ID=%1",
         "Ongeldige datum aanvang nazorg",
         QStringLiteral("De datum aanvang nazorg in het databestand (1-1-0231") + datum},
        {"UPDATE tblStort SET dtmAanvangNazorg=47000 WHERE idrStort_ID=%1", "Ongeldige datum aanvang nazorg",
         QStringLiteral("De datum aanvang nazorg in het databestand (47000") + datum},
    };
    for (const auto &g : gevallen) {
        for (const bool inWord : {false, true}) {
            SCOPED_TRACE(std::string(g.sql) + (inWord ? " (Word)" : " (screen)"));
            calctest::CalcFixture eigen;
            std::swap(fx.dataFile, eigen.dataFile); // the session reads fx
            ASSERT_EQ(testsupport::sqliteShell(fx.dataFile, QString::fromLatin1(g.sql).arg(fx.alfa)), QString());
            laad(fx.alfa);
            klik(QStringLiteral("chkRapHef"));
            if (inWord)
                klik(QStringLiteral("optRapNaar_2"));
            script.expectMsgBox(ui::Icon::Exclamation, QString::fromUtf8(g.titel), g.tekst);
            ok();
            EXPECT_TRUE(script.verify()) << script.report().toStdString();
            script.clear();
            EXPECT_EQ(screens::Form::loaded<frmRapScherm>(), nullptr);
            EXPECT_TRUE(bestanden().isEmpty());
            testsupport::unloadForms();
            std::swap(fx.dataFile, eigen.dataFile);
        }
    }
}

} // namespace

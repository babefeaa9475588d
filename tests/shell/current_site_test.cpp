// Opening and deleting a site, the current-site values, the site commands
// with status panel 1, and the newest checklist version of a kind.

#include "shell_screen_test_env.h"

#include "shell/current_site.h"
#include "shell/datafile_compact.h"
#include "shell/frmInrNieuwDialog.h"
#include "shell/frmOpenInrConfirm.h"

#include "screens/session.h"

#include "platform/core/error.h"

using namespace shelltest;

namespace {

const QString kGeen = QStringLiteral("<geen inrichting geopend>");

const char *const kSiteItems[] = {"exportInrichting", "Algemeen", "AlgNazKosten", "Act_en_KostPost",
                                  "Doelvermogen",     "gev_ana",  "rap_invoer"};
const char *const kSiteKeys[] = {"frmAlgemeen", "frmAlgNazKosten", "OpenFrmAct",
                                 "Doelverm",    "GevAnalyse",      "rapIngevoerdeData"};

class CurrentSiteTest : public ShellScreenTest {
protected:
    // Whether every site command is in the state `on`.
    ::testing::AssertionResult commandsAre(bool on)
    {
        for (const char *name : kSiteItems)
            if (main->menuItem(QLatin1String(name))->isEnabled() != on)
                return ::testing::AssertionFailure() << "menu item " << name;
        for (const char *key : kSiteKeys)
            if (main->toolBarButton(QLatin1String(key))->isEnabled() != on)
                return ::testing::AssertionFailure() << "button " << key;
        for (const char *always : {"Nieuwe_inrichting", "open_inrichting", "Configuratie", "Info"})
            if (!main->menuItem(QLatin1String(always))->isEnabled())
                return ::testing::AssertionFailure() << "menu item " << always << " is off";
        return ::testing::AssertionSuccess();
    }

    // Fills the site's rows in the three tables under it.
    void addRowsUnder(qint32 site)
    {
        testsupport::SiteBuilder rows(dataFile);
        rows.item(site, rows.facility(site, 1, QStringLiteral("Hek")), {{"strAct", QStringLiteral("Maaien")}});
        rows.forecast(site, 2025, 10);
    }

    qint64 rowsOf(qint32 site)
    {
        return count(QStringLiteral("SELECT (SELECT count(*) FROM tblAct WHERE lngStort_REF=%1)"
                                    " + (SELECT count(*) FROM tblInrichting WHERE lngStort_REF=%1)"
                                    " + (SELECT count(*) FROM tblTonnage WHERE lngStort_REF=%1)"
                                    " + (SELECT count(*) FROM tblStort WHERE idrStort_ID=%1)")
                         .arg(site));
    }
};

TEST_F(CurrentSiteTest, OpeningSetsTheCurrentSiteRemembersItAndSwitchesTheCommandsOn)
{
    ASSERT_TRUE(commandsAre(false));
    const qint32 id = addSite(QStringLiteral("Stort 't Veld"), 1, 3);

    modMain::OpenInrichting(id);

    EXPECT_EQ(modMain::glngStortID, id);
    EXPECT_EQ(modMain::gstrNaamStort, QStringLiteral("Stort 't Veld"));
    EXPECT_EQ(modMain::gintStortType, 1);
    EXPECT_EQ(modMain::gintCL_ID, 3);
    EXPECT_FLOAT_EQ(modMain::gsngJaarAanvangNazorg, 2030.0f);
    EXPECT_EQ(modMain::gstrCLVersie, QStringLiteral("2008"));
    EXPECT_EQ(setting("HUIDIGSTORT_ID"), QString::number(id));
    EXPECT_EQ(main->panelText(1), QStringLiteral("Geopend: Stort 't Veld (checklistversie 2008)"));
    EXPECT_TRUE(commandsAre(true));

    // The notice: three seconds, then the flag is down again.
    auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->bericht(), QStringLiteral("Geopend: Stort 't Veld"));
    EXPECT_TRUE(modMain::gblnBerichtOpen);
    notice->Timer1_Timer();
    EXPECT_FALSE(modMain::gblnBerichtOpen);
    EXPECT_EQ(screens::Form::loaded<shell::frmOpenInrConfirm>(), nullptr);
}

TEST_F(CurrentSiteTest, ASiteWhoseChecklistVersionIsNotInstalledOpensWithItsCommandsOff)
{
    // 77: a version row without active items; 99: no row at all.
    runSql(progDir + QStringLiteral("/dbQORCL.mdb"),
           QStringLiteral("INSERT INTO tblCL SELECT 77, strVersie, '2019-05-01 00:00:00', lngStortType_REF, "
                          "strOpmerking, intJaarPrijspeil, sngCommunicatieMIN, sngCommunicatieMAX, sngRapEvalMin, "
                          "sngRapEvalPerHa, sngRapEvalMax, sngAppKostenBasisMIN, sngAppKostenBasisMAX, "
                          "sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngVervangingstoeslagKleineWerken, "
                          "sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax "
                          "FROM tblCL WHERE intCL_ID = 4"));
    const struct {
        int clId;
        const char *versie;
    } cases[] = {{77, "2019"}, {99, "?"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.clId);
        const qint32 id = addSite(QStringLiteral("Oud %1").arg(c.clId), 1, c.clId);
        modMain::OpenInrichting(addSite(QStringLiteral("Nieuw %1").arg(c.clId))); // commands on first
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Verificatie beschikbaarheid checklist"),
                            QStringLiteral("Deze inrichting is gerelateerd aan een nieuwere versie van de "
                                           "QOR-checklist.\r\nDownload eerst de benodigde update."));

        modMain::OpenInrichting(id);

        EXPECT_EQ(modMain::glngStortID, id);
        EXPECT_EQ(modMain::gstrCLVersie, QLatin1String(c.versie));
        EXPECT_TRUE(commandsAre(false));
        EXPECT_EQ(main->panelText(1), kGeen);
        const QList<screens::Form *> notices = screens::Form::loadedForms();
        ASSERT_FALSE(notices.isEmpty());
        EXPECT_EQ(qobject_cast<shell::frmOpenInrConfirm *>(notices.last())->bericht(),
                  QStringLiteral("Geopend: Oud %1").arg(c.clId));
    }
}

TEST_F(CurrentSiteTest, AFailedOpenLeavesThePreviousSiteItsPanelAndItsCommands)
{
    const qint32 id = addSite(QStringLiteral("De Kuil"));
    modMain::OpenInrichting(id);
    const QString panel = main->panelText(1);
    // A site without a kind cannot be read as the current site.
    const qint32 broken = addSite(QStringLiteral("Zonder soort"));
    runSql(dataFile, QStringLiteral("UPDATE tblStort SET intStortType = NULL WHERE idrStort_ID = %1").arg(broken));

    for (qint32 other : {broken, 9999}) {
        SCOPED_TRACE(other);
        EXPECT_THROW(modMain::OpenInrichting(other), platform::Error);
        EXPECT_EQ(modMain::glngStortID, id);
        EXPECT_EQ(modMain::gstrNaamStort, QStringLiteral("De Kuil"));
        EXPECT_EQ(modMain::gintCL_ID, 4);
        EXPECT_EQ(main->panelText(1), panel);
        EXPECT_TRUE(commandsAre(true));
        EXPECT_EQ(setting("HUIDIGSTORT_ID"), QString::number(id));
    }
}

TEST_F(CurrentSiteTest, DeletingTheOpenSiteRemovesAllItsRowsAndLeavesNoSiteOpen)
{
    const qint32 gone = addSite(QStringLiteral("Weg ermee"));
    const qint32 kept = addSite(QStringLiteral("Blijft"));
    addRowsUnder(gone);
    addRowsUnder(kept);
    modMain::OpenInrichting(gone);
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen inrichting"),
                      QStringLiteral("Weet u zeker dat u inrichting 'Weg ermee' wilt verwijderen uit de database?"),
                      ui::Buttons::YesNo)
        .withDefaultButton(ui::DefaultButton::Second)
        .answer(ui::Answer::Yes);

    EXPECT_TRUE(modMain::VerwijderInrichting(gone, QStringLiteral("Weg ermee")));

    EXPECT_EQ(rowsOf(gone), 0);
    EXPECT_EQ(rowsOf(kept), 4);
    EXPECT_EQ(modMain::glngStortID, 0);
    EXPECT_EQ(modMain::gstrNaamStort, QString());
    EXPECT_TRUE(commandsAre(false));
    EXPECT_EQ(main->panelText(1), kGeen);
    EXPECT_EQ(setting("HUIDIGSTORT_ID"), QString::number(gone));
}

TEST_F(CurrentSiteTest, DeletingAnotherSiteOrDecliningLeavesTheOpenSiteAlone)
{
    const qint32 open = addSite(QStringLiteral("Open"));
    const qint32 other = addSite(QStringLiteral("Ander"));
    addRowsUnder(other);
    modMain::OpenInrichting(open);
    const QString panel = main->panelText(1);
    const QString vraag = QStringLiteral("Weet u zeker dat u inrichting 'Ander' wilt verwijderen uit de database?");

    script.expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen inrichting"), vraag, ui::Buttons::YesNo)
        .answer(ui::Answer::No);
    EXPECT_FALSE(modMain::VerwijderInrichting(other, QStringLiteral("Ander")));
    EXPECT_EQ(rowsOf(other), 4);

    script.expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen inrichting"), vraag, ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    EXPECT_TRUE(modMain::VerwijderInrichting(other, QStringLiteral("Ander")));
    EXPECT_EQ(rowsOf(other), 0);
    EXPECT_EQ(modMain::glngStortID, open);
    EXPECT_EQ(main->panelText(1), panel);
    EXPECT_TRUE(commandsAre(true));
}

TEST_F(CurrentSiteTest, ADeletionThatFailsPartWayDeletesNothing)
{
    const qint32 id = addSite(QStringLiteral("Vast"));
    addRowsUnder(id);
    modMain::OpenInrichting(id);
    // The last of the four deletions fails.
    runSql(dataFile, QStringLiteral("CREATE TRIGGER weiger BEFORE DELETE ON tblStort BEGIN "
                                    "SELECT RAISE(ABORT, 'geweigerd'); END;"));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen inrichting"),
                      QStringLiteral("Weet u zeker dat u inrichting 'Vast' wilt verwijderen uit de database?"),
                      ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);

    EXPECT_THROW(modMain::VerwijderInrichting(id, QStringLiteral("Vast")), platform::Error);

    EXPECT_EQ(rowsOf(id), 4);
    EXPECT_EQ(modMain::glngStortID, id);
    EXPECT_TRUE(commandsAre(true));
}

TEST_F(CurrentSiteTest, TheNewestChecklistOfAKindIsTheOneWithTheLatestDate)
{
    EXPECT_EQ(modMain::pfunLaatsteChecklist(1), 4);
    EXPECT_EQ(modMain::pfunLaatsteChecklist(2), 12);
    runSql(progDir + QStringLiteral("/dbQORCL.mdb"),
           QStringLiteral("UPDATE tblCL SET dtmCl = '2020-01-01 00:00:00' WHERE intCL_ID = 1"));
    EXPECT_EQ(modMain::pfunLaatsteChecklist(1), 1);
    EXPECT_THROW(modMain::pfunLaatsteChecklist(3), platform::Error);
}

TEST_F(CurrentSiteTest, TheIdOfADeletedSiteIsNeverHandedOutAgainAlsoAfterCompaction)
{
    const qint32 last = addSite(QStringLiteral("Laatste"));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Verwijderen inrichting"),
                      QStringLiteral("Weet u zeker dat u inrichting 'Laatste' wilt verwijderen uit de database?"),
                      ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    ASSERT_TRUE(modMain::VerwijderInrichting(last, QStringLiteral("Laatste")));
    modCompress::CompactDatabestand(dataFile);

    EXPECT_GT(modMain::pfunMaakStort(QStringLiteral("Nieuw"), 1), last);
}

} // namespace

TEST_F(CurrentSiteTest, TheScreensSeeTheOpenSiteThroughTheirSession)
{
    const qint32 id = addSite(QStringLiteral("Bergje"), 1, 3);
    runSql(dataFile, QStringLiteral("UPDATE tblStort SET dtmAanvangNazorg='2031-07-16' WHERE idrStort_ID=%1;").arg(id));
    modMain::gsngBTWPerc = 21.0f;
    modMain::OpenInrichting(id);
    modMain::InstallSchermSessie();

    const calc::Context ctx = screens::currentContext();
    EXPECT_EQ(ctx.glngStortID, id);
    EXPECT_EQ(ctx.gintCL_ID, 3);
    EXPECT_EQ(ctx.gstrNaamStort, QStringLiteral("Bergje"));
    EXPECT_EQ(ctx.gstrConnData, modMain::gstrConnData);
    // July, on the 16th: 2031 + 6/12 + 1/24.
    EXPECT_FLOAT_EQ(ctx.gsngJaarAanvangNazorg, 2031.0f + 6.0f / 12.0f + 1.0f / 24.0f);
    EXPECT_FLOAT_EQ(screens::currentChecklistContext().gsngJaarAanvangNazorg, ctx.gsngJaarAanvangNazorg);
    EXPECT_FLOAT_EQ(ctx.gsngBTWPerc, 21.0f);

    screens::session().setBTWPerc(19.0f);
    EXPECT_FLOAT_EQ(modMain::gsngBTWPerc, 19.0f);

    // The version this run carries, as the reports' page header names it.
    modMain::gVersion = tavir::ProgramVersion{3, 4, 5};
    const tavir::ProgramVersion v = screens::session().programVersion();
    EXPECT_EQ(v.major, 3);
    EXPECT_EQ(v.minor, 4);
    EXPECT_EQ(v.revision, 5);
}

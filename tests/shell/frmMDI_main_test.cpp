// The main window: its menus, tool bar and pop-up menu, the one-screen
// rule and the program-version gate of every command that opens a screen,
// and closing.

#include "shell_screen_test_env.h"

#include "shell/checklist_version.h"
#include "shell/current_site.h"
#include "shell/frmOpenInr.h"
#include "shell/frmOpenInrConfirm.h"
#include "shell/frmSplash.h"

#include "screens/frmAct.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"
#include "screens/frmAlgemeen.h"

#include "platform/os/open_document.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

using namespace shelltest;

namespace {

const QString kEenScherm = QStringLiteral("Sluit eerst alle geopende schermen.");
const QString kVerouderd = QStringLiteral("Om met het geïnstalleerde QOR-checklistbestand te kunnen werken dient u "
                                          "eerst de meest recente versie van TAVIR te downloaden.");

// A screen that refuses to close until it is allowed to.
class Weigeraar : public screens::Form {
public:
    Weigeraar() : Form(QStringLiteral("frmWeigeraar")) { loadForm(); }
    bool magSluiten = false;

protected:
    bool QueryUnload() override { return magSluiten; }
};

// Every command that opens a screen through both gates, with the screen.
const struct {
    const char *item;
    const char *screen;
} kGated[] = {{"Nieuwe_inrichting", "frmInrNieuwDialog"},
              {"open_inrichting", "frmOpenInr"},
              {"Algemeen", "frmAlgemeen"},
              {"AlgNazKosten", "frmAlgNazKosten"},
              {"Act_en_KostPost", "frmAct"},
              {"Doelvermogen", "frmDoelverm"},
              {"gev_ana", "frmGevoelAna"},
              {"rap_invoer", "frmRapVoorz"},
              {"Configuratie", "frmConfig"}};

class MainWindowTest : public ShellScreenTest {
protected:
    // Opens a site and lets its notice go, so that only the main window is loaded.
    void openSite()
    {
        const qint32 site = addSite(QStringLiteral("Stort Noord"));
        // An after-care area, so that the surcharges screen may close.
        runSql(dataFile,
               QStringLiteral("UPDATE tblStort SET sngNazorgOpp = 5, bytRapEval = 1 WHERE idrStort_ID = %1").arg(site));
        modMain::InstallSchermSessie();
        modMain::OpenInrichting(site);
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
        ASSERT_TRUE(loadedFormNames().isEmpty()) << loadedFormNames().join(',').toStdString();
    }

    void expectRefusal() { script.expectMsgBox(ui::Icon::Information, QStringLiteral("Openen scherm"), kEenScherm); }
    void expectOutdated()
    {
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Verouderd programmabestand"), kVerouderd);
    }

    // A checklist file that demands program version 40.
    void demandNewerProgram()
    {
        runSql(progDir + QStringLiteral("/dbQORCL.mdb"),
               QStringLiteral("UPDATE tblSYS SET strSYSvalue = '40' WHERE strSYS_ID = 'progvermin'"));
        modMain::LeesVersieChecklist();
        ASSERT_EQ(modMain::gintProgVerMin, 40);
    }
};

TEST_F(MainWindowTest, MenusToolBarAndPopUpCarryTheirNamesAndCaptions)
{
    EXPECT_EQ(main->windowTitle(), QStringLiteral("TAVIR"));
    QStringList menus;
    for (QAction *a : main->menuBar()->actions())
        menus << a->objectName() + QLatin1Char('=') + a->text();
    EXPECT_EQ(menus, QStringList({"Bestand=&Bestand", "Invoer=&Invoer", "Berekeningen=&Rapportage", "Extra=E&xtra",
                                  "Help=&Help"}));

    auto itemsOf = [](const QMenu *menu) {
        QStringList items;
        for (QAction *a : menu->actions())
            items << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QStringLiteral("-") : a->text());
        return items;
    };
    EXPECT_EQ(itemsOf(control<QMenu>(main, "Bestand")),
              QStringList({"Nieuwe_inrichting=&Nieuwe inrichting...", "open_inrichting=&Open inrichting...", "dum1=-",
                           "importInrichting=&Importeer inrichting", "exportInrichting=&Exporteer inrichting...",
                           "dum209784=-", "Afsluiten=&Afsluiten"}));
    EXPECT_FALSE(main->menuItem(QStringLiteral("importInrichting"))->isVisible());
    EXPECT_EQ(itemsOf(control<QMenu>(main, "Invoer")),
              QStringList({"Algemeen=&Gegevens inrichting", "AlgNazKosten=&Toeslagen nazorgfase",
                           "Act_en_KostPost=&Voorzieningen en kostenposten"}));
    EXPECT_EQ(itemsOf(control<QMenu>(main, "Berekeningen")),
              QStringList({"Doelvermogen=&Doelvermogen && heffing", "dummy7=-", "gev_ana=&Gevoeligheidsanalyse",
                           "dummy3=-", "rap_invoer=&Rapportage ingevoerde data"}));
    EXPECT_EQ(itemsOf(control<QMenu>(main, "Extra")),
              QStringList({"check_updates=&Controle op updates", "Configuratie=&Instellingen"}));
    EXPECT_EQ(itemsOf(control<QMenu>(main, "Help")),
              QStringList({"online_support=&Website handleiding en helpdesk", "Info=&Info"}));
    EXPECT_EQ(itemsOf(main->popupAct()),
              QStringList(
                  {"mnuPopupAddClitem=Voeg QOR-checklistpost toe", "dummy33=-",
                   "mnuPopUpaddVoorz=voeg voorziening toe aan <....>", "mnuPopUpaddAct=voeg kostenpost toe aan <.....>",
                   "mnuPopUpaddFase=voeg deelfase toe aan <....>", "dummy4=-",
                   "mnuPopUpnaamwijzigen=naam/rubriek wijzigen", "dummy5=-", "mnuPopUpverwijder=verwijder ..."}));
    EXPECT_FALSE(main->menuBar()->actions().contains(main->popupAct()->menuAction()));

    QStringList buttons;
    for (QAction *a : control<QToolBar>(main, "tbToolBar")->actions())
        buttons << a->objectName() + QLatin1Char('=')
                       + (a->isSeparator() ? QStringLiteral("-")
                                           : a->data().toString() + QLatin1Char('/') + a->toolTip());
    EXPECT_EQ(
        buttons,
        QStringList({"tbToolBar_1=New/Nieuwe inrichting", "tbToolBar_2=Open/Open inrichting", "tbToolBar_3=-",
                     "tbToolBar_4=frmAlgemeen/Gegevens inrichting", "tbToolBar_5=frmAlgNazKosten/Toeslagen nazorgfase",
                     "tbToolBar_6=OpenFrmAct/Voorzieningen en kostenposten", "tbToolBar_7=-",
                     "tbToolBar_8=Doelverm/Doelvermogen & heffing", "tbToolBar_9=GevAnalyse/Gevoeligheidsanalyse",
                     "tbToolBar_10=rapIngevoerdeData/Rapportage ingevoerde data"}));
}

TEST_F(MainWindowTest, WithOnlyTheMainWindowEveryGatedCommandOpensItsScreen)
{
    openSite();
    for (const auto &g : kGated) {
        SCOPED_TRACE(g.item);
        trigger(g.item);
        EXPECT_EQ(loadedFormNames(), QStringList{QLatin1String(g.screen)});
        if (screens::Form *f = screens::Form::loadedForm(QLatin1String(g.screen))) {
            EXPECT_TRUE(f->unload());
        }
    }
    // The tool bar runs the same commands.
    main->tbToolBar_ButtonClick(QStringLiteral("OpenFrmAct"));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmAct"});
    EXPECT_TRUE(modMain::gblnFrmActOpen);
    screens::Form::loadedForm(QStringLiteral("frmAct"))->unload();
    EXPECT_FALSE(modMain::gblnFrmActOpen);
}

TEST_F(MainWindowTest, WhileTheAboutBoxIsOpenEveryGatedCommandIsRefused)
{
    openSite();
    trigger("Info");
    auto *about = screens::Form::loaded<shell::frmSplash>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isAboutBox());
    EXPECT_TRUE(control<QPushButton>(about, "cmdClose")->isVisibleTo(about));

    for (const auto &g : kGated) {
        SCOPED_TRACE(g.item);
        expectRefusal();
        trigger(g.item);
        EXPECT_EQ(loadedFormNames(), QStringList{"frmSplash"});
    }
    expectRefusal();
    trigger("check_updates");
    // Hidden, it still counts.
    about->frame()->hide();
    expectRefusal();
    trigger("Configuratie");
    about->frame()->show();
    // The help browser is not gated, and a second one may open.
    trigger("online_support");
    trigger("online_support");
    EXPECT_EQ(loadedFormNames(), QStringList({"frmSplash", "frmBrowser", "frmBrowser"}));

    // The about box never closes by itself and opens nothing.
    about->Timer1_Timer();
    EXPECT_EQ(screens::Form::loaded<shell::frmOpenInr>(), nullptr);
}

TEST_F(MainWindowTest, TheAboutBoxClosesByItsButtonOnly)
{
    trigger("Info");
    auto *about = screens::Form::loaded<shell::frmSplash>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(control<QLabel>(about, "lblVersion")->text(), QStringLiteral("versie 3.0"));
    QTest::qWait(50);
    EXPECT_NE(screens::Form::loaded<shell::frmSplash>(), nullptr);

    // The hot spots open the parties' pages.
    QStringList opened;
    const os::Opener previous = os::setOpener([&](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    for (const char *spot : {"lblQOR", "lblBrandeck", "lblKettrilon"}) {
        auto *label = control<QLabel>(about, spot);
        EXPECT_EQ(label->toolTip(), QStringLiteral("Klik hier voor openen van de website"));
        QTest::mouseClick(label, Qt::LeftButton);
    }
    os::setOpener(previous);
    EXPECT_EQ(opened, QStringList({shell::frmSplash::kUrlQOR, shell::frmSplash::kUrlBrandeck,
                                   shell::frmSplash::kUrlKettrilon}));
    click(control<QPushButton>(about, "cmdClose"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
}

TEST_F(MainWindowTest, AChecklistFileThatDemandsANewerProgramRefusesEveryScreenWithItsMessage)
{
    openSite();
    demandNewerProgram();
    for (const auto &g : kGated) {
        SCOPED_TRACE(g.item);
        expectOutdated();
        trigger(g.item);
        EXPECT_TRUE(loadedFormNames().isEmpty());
    }
    // The update check applies the one-screen rule only.
    trigger("check_updates");
    EXPECT_EQ(loadedFormNames(), QStringList{"frmUpdateCheck"});
    screens::Form::loadedForm(QStringLiteral("frmUpdateCheck"))->unload();
}

TEST_F(MainWindowTest, BothGateMessagesComeWhenTheSiteListIsOpenAndTheProgramOutdated)
{
    trigger("open_inrichting");
    ASSERT_EQ(loadedFormNames(), QStringList{"frmOpenInr"});
    demandNewerProgram();
    expectRefusal();
    expectOutdated();
    trigger("Configuratie");
    EXPECT_EQ(loadedFormNames(), QStringList{"frmOpenInr"});
}

TEST_F(MainWindowTest, TheNoticeWindowAllowsOneFurtherScreenAndNoMore)
{
    modMain::OpenInrichting(addSite(QStringLiteral("Stort Zuid")));
    ASSERT_TRUE(modMain::gblnBerichtOpen);
    trigger("Configuratie");
    EXPECT_EQ(loadedFormNames(), QStringList({"frmOpenInrConfirm", "frmConfig"}));
    expectRefusal();
    trigger("Algemeen");
    EXPECT_EQ(loadedFormNames(), QStringList({"frmOpenInrConfirm", "frmConfig"}));
}

TEST_F(MainWindowTest, AnUnknownToolBarKeyIsReportedAndOpensNothing)
{
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout in toolbarmenu"),
                        QStringLiteral("Foo is niet herkend"));
    main->tbToolBar_ButtonClick(QStringLiteral("Foo"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
}

TEST_F(MainWindowTest, PopUpCommandsRunWhileTheCostItemScreenIsOpen)
{
    openSite();
    trigger("Act_en_KostPost");
    main->popupAct()->findChild<QAction *>(QStringLiteral("mnuPopupAddClitem"))->trigger();
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAct", "frmAct_AddCLitem"}));
    main->popupAct()->findChild<QAction *>(QStringLiteral("mnuPopUpaddAct"))->trigger();
    auto *custom = screens::Form::loaded<screens::frmAct_AddCustomItem>();
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(custom->status(), 1);
}

TEST_F(MainWindowTest, ClosingTheGeneralDataScreenRefreshesTheCurrentSite)
{
    openSite();
    trigger("Algemeen");
    runSql(dataFile, QStringLiteral("UPDATE tblStort SET strStortNaam = 'Stort Noord-Oost' WHERE idrStort_ID = %1")
                         .arg(modMain::glngStortID));
    screens::Form::loadedForm(QStringLiteral("frmAlgemeen"))->unload();
    EXPECT_EQ(modMain::gstrNaamStort, QStringLiteral("Stort Noord-Oost"));
}

TEST_F(MainWindowTest, ClosingStopsWhenAScreenRefusesAndOtherwiseSavesTheVatPercentage)
{
    modMain::gblnInstellingenGelezen = true;
    modMain::gsngBTWPerc = 17.5f;
    auto *weigeraar = new Weigeraar;
    screens::frmAct::load();

    trigger("Afsluiten");
    EXPECT_EQ(shell::frmMDI_main::instance(), main);
    EXPECT_TRUE(weigeraar->isLoaded());
    EXPECT_EQ(setting("BTW_PROCENTEN"), QStringLiteral("<missing>"));

    weigeraar->magSluiten = true;
    EXPECT_TRUE(shell::frmMDI_main::unload());
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_FALSE(modMain::gblnFrmActOpen);
    EXPECT_EQ(setting("BTW_PROCENTEN"), QStringLiteral("17,5"));
}

} // namespace

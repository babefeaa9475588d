// The start as the user sees it: with a data file the splash comes and
// opens the site list after 2.5 seconds; without one the settings screen
// opens, where a new data file can be made and coupled.

#include "shell_screen_test_env.h"

#include "shell/frmConfig.h"
#include "shell/frmOpenInr.h"
#include "shell/frmSplash.h"

#include <QLabel>

using namespace shelltest;

namespace {

class StartScreensTest : public ShellTest {
protected:
    void TearDown() override
    {
        unloadForms();
        ShellTest::TearDown();
    }
};

TEST_F(StartScreensTest, WithADataFileTheSplashOpensTheSiteListAfterItsTime)
{
    const QString data = templateCopy();
    modMain::Main();

    shell::frmMDI_main *main = shell::frmMDI_main::instance();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(modMain::gstrDatabestand, data);
    auto *splash = screens::Form::loaded<shell::frmSplash>();
    ASSERT_NE(splash, nullptr);
    EXPECT_FALSE(splash->isAboutBox());
    EXPECT_FALSE(control<QPushButton>(splash, "cmdClose")->isVisibleTo(splash));
    EXPECT_EQ(control<QLabel>(splash, "lblVersion")->text(), QStringLiteral("versie 3.0"));
    EXPECT_EQ(main->panelText(1), QStringLiteral("<geen inrichting geopend>"));
    EXPECT_EQ(main->panelText(2), QStringLiteral(" TAVIR programmaversie: 3.0 "));
    EXPECT_EQ(main->panelText(3), QStringLiteral(" volgnr. bestand checklists: 12 "));
    EXPECT_FALSE(main->menuItem(QStringLiteral("Algemeen"))->isEnabled());

    EXPECT_TRUE(QTest::qWaitFor([] { return screens::Form::loaded<shell::frmOpenInr>() != nullptr; }, 5000));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmOpenInr"});
}

TEST_F(StartScreensTest, ARevision999BuildSaysSoAndGoesStraightToTheSiteList)
{
    templateCopy();
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("TAVIR"), QStringLiteral("revision=999"));
    modMain::Main(tavir::ProgramVersion{3, 0, 999});
    EXPECT_EQ(loadedFormNames(), QStringList{"frmOpenInr"});
}

TEST_F(StartScreensTest, WithoutADataFileTheSettingsScreenMakesAndCouplesANewOne)
{
    const QString missing = progDir + QStringLiteral("/dbQORdata_1.mdb");
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Koppeling aan databestand"),
                        QStringLiteral("Het databestand ") + missing
                            + QStringLiteral(" is niet gevonden. Wijzig de bestandslocatie of maak een nieuw "
                                             "databestand aan."));
    modMain::Main();

    auto *config = screens::Form::loaded<shell::frmConfig>();
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(loadedFormNames(), QStringList{"frmConfig"});
    auto *txt = control<QLineEdit>(config, "txtDataLocatie");
    EXPECT_EQ(txt->text(), missing);
    EXPECT_TRUE(modMain::gstrConnData.isEmpty());

    const QString fresh = tmp.path() + QStringLiteral("/dbQORdata_eigen.mdb");
    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Maak nieuw databestand..."))
        .withFileName(QStringLiteral("dbQORdata_"))
        .withFilter(QStringLiteral("databestand (dbQORdata_*)|dbQORdata_*.mdb|"), 1)
        .withFlags(0x806)
        .answer(fresh);
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Koppeling databestand"),
                        QStringLiteral("Koppeling aan {") + fresh + QStringLiteral("} is ingesteld. "));
    click(control<QPushButton>(config, "cmdNew"));

    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_EQ(txt->text(), fresh);
    EXPECT_EQ(modMain::gstrDatabestand, fresh);
    EXPECT_FALSE(modMain::gstrConnData.isEmpty());
    EXPECT_EQ(setting("ConDATAfilenaam"), fresh);

    // The site list now works on the new file.
    click(control<QPushButton>(config, "OKButton"));
    shell::frmMDI_main::instance()->menuItem(QStringLiteral("open_inrichting"))->trigger();
    auto *list = screens::Form::loaded<shell::frmOpenInr>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(control<QTreeWidget>(list, "lst1")->topLevelItemCount(), 0);
}

} // namespace

// The input screens inside the main window: the general data opened from
// its menu, a new name shown at once in the status bar, and a forecast
// grid that keeps the program from closing until its own button.

#include "shell/shell_screen_test_env.h"

#include "shell/current_site.h"
#include "shell/frmOpenInrConfirm.h"

#include "screens/frmAlgemeen.h"
#include "screens/frmTonnage.h"

using namespace shelltest;

namespace {

class InputScreensInMainWindowTest : public ShellScreenTest {
protected:
    void SetUp() override
    {
        ShellScreenTest::SetUp();
        modMain::OpenInrichting(addSite(QStringLiteral("Stort Noord")));
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
    }
};

TEST_F(InputScreensInMainWindowTest, ANewNameIsTheOpenSitesNameAtOnce)
{
    trigger("Algemeen");
    auto *form = screens::Form::loaded<screens::frmAlgemeen>();
    ASSERT_NE(form, nullptr);
    auto *naam = control<QLineEdit>(form, "txtLocatieNaam");
    QApplication::setActiveWindow(main);
    typeAndLeave(naam, QStringLiteral("Stort Zuid"));
    EXPECT_EQ(modMain::gstrNaamStort, QStringLiteral("Stort Zuid"));
    EXPECT_EQ(main->panelText(1), QStringLiteral("Geopend: Stort Zuid, checklistversie 2012"));
    ASSERT_TRUE(form->unload());
    EXPECT_EQ(modMain::gstrNaamStort, QStringLiteral("Stort Zuid"));
}

TEST_F(InputScreensInMainWindowTest, ANewNameThatCouldNotBeStoredAndWasDroppedLeavesTheStatusBar)
{
    trigger("Algemeen");
    auto *form = screens::Form::loaded<screens::frmAlgemeen>();
    ASSERT_NE(form, nullptr);
    QApplication::setActiveWindow(main);
    runSql(dataFile, QStringLiteral("CREATE TRIGGER weiger BEFORE UPDATE ON tblStort BEGIN "
                                    "SELECT RAISE(ABORT, 'schijf vol'); END"));
    typeAndLeave(control<QLineEdit>(form, "txtLocatieNaam"), QStringLiteral("Stort Zuid"));
    ASSERT_EQ(main->panelText(1), QStringLiteral("Geopend: Stort Zuid, checklistversie 2012"));
    // The save fails; the user closes without the edits.
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Opslaan mislukt"),
                      QStringLiteral("De wijziging voldoet niet aan een regel van het databestand '%1' (schijf "
                                     "vol).\r\n\r\nUw wijzigingen zijn niet opgeslagen. Het scherm blijft open, "
                                     "zodat u de oorzaak kunt verhelpen of de invoer kunt corrigeren; sluit het "
                                     "scherm daarna opnieuw.\r\n\r\nWilt u het scherm sluiten zonder de "
                                     "wijzigingen op te slaan?")
                          .arg(dataFile),
                      ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(modMain::gstrNaamStort, QStringLiteral("Stort Noord"));
    EXPECT_EQ(main->panelText(1), QStringLiteral("Geopend: Stort Noord, checklistversie 2012"));
}

TEST_F(InputScreensInMainWindowTest, TheForecastGridKeepsTheProgramOpenUntilItsButton)
{
    modMain::gblnInstellingenGelezen = true;
    runSql(dataFile, QStringLiteral("UPDATE tblStort SET bytBedrijfsGebonden=0"));
    trigger("Algemeen");
    click(control<QPushButton>(screens::Form::loaded<screens::frmAlgemeen>(), "cmdAfvalprognose"));
    ASSERT_EQ(loadedFormNames(), QStringList({"frmAlgemeen", "frmTonnage"}));

    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Sluiten formulier"),
                        QStringLiteral("Gebruik in verband met de datavalidatie de OK-knop om het venster te sluiten"));
    trigger("Afsluiten");
    EXPECT_EQ(shell::frmMDI_main::instance(), main);
    EXPECT_TRUE(loadedFormNames().contains(QStringLiteral("frmTonnage")));

    click(control<QPushButton>(screens::Form::loaded<screens::frmTonnage>(), "cmdOK"));
    EXPECT_TRUE(shell::frmMDI_main::unload());
    EXPECT_TRUE(loadedFormNames().isEmpty());
}

} // namespace

// The settings screen: coupling another or a new data file, the tree's
// colours and switches, and saving them whenever the screen closes.

#include "shell_screen_test_env.h"

#include "shell/frmConfig.h"

#include "screens/frmAct.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTest>

using namespace shelltest;

namespace {

class SettingsScreenTest : public ShellScreenTest {
protected:
    shell::frmConfig *openSettings()
    {
        trigger("Configuratie");
        auto *config = screens::Form::loaded<shell::frmConfig>();
        EXPECT_NE(config, nullptr);
        return config;
    }

    QStringList treeSettings()
    {
        QStringList values;
        for (const char *key : {"vwTreeSingleSel", "vwTreePlusMin", "vwTreeLines", "vwKLEURAct", "vwKLEURVoorz"})
            values << setting(key);
        return values;
    }

    static QString background(QPushButton *button) { return button->styleSheet(); }
};

TEST_F(SettingsScreenTest, ShowsTheCouplingAndTreeSettingsAndSavesThemUnchangedOnClose)
{
    modMain::gblnTreeSingleSel = true;
    shell::frmConfig *config = openSettings();
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->windowTitle(), QStringLiteral("Instellingen"));
    auto *tabs = control<QTabWidget>(config, "SSTab1");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Bestandslocatie"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Weergave boomstructuur"));
    EXPECT_EQ(control<QLineEdit>(config, "txtDataLocatie")->text(), dataFile);
    EXPECT_TRUE(control<QCheckBox>(config, "chkSingleSel")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(config, "chkPlusMin")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(config, "chkLines")->isChecked());
    EXPECT_EQ(background(control<QPushButton>(config, "cmdKleur")), QStringLiteral("background-color: #004000;"));
    EXPECT_EQ(background(control<QPushButton>(config, "Command2")), QStringLiteral("background-color: #800000;"));

    click(control<QPushButton>(config, "OKButton"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(treeSettings(), QStringList({"True", "False", "True", "128", "16384"}));
}

TEST_F(SettingsScreenTest, ColoursComeFromTheDialogAndResetAndAreSavedByTheCloseBoxToo)
{
    shell::frmConfig *config = openSettings();
    // The dialog starts from its own last colour, not from the setting.
    script.expectColorDialog().withInitialColor(0).answerColor(255);
    click(control<QPushButton>(config, "cmdKleur"));
    EXPECT_EQ(modMain::glngKleurVoorz, 255);
    EXPECT_EQ(background(control<QPushButton>(config, "cmdKleur")), QStringLiteral("background-color: #ff0000;"));
    script.expectColorDialog().withInitialColor(255).answerColor(16711680);
    click(control<QPushButton>(config, "Command2"));
    EXPECT_EQ(modMain::glngKleurAct, 16711680);
    script.expectColorDialog().withInitialColor(16711680).cancel();
    click(control<QPushButton>(config, "Command2"));
    EXPECT_EQ(modMain::glngKleurAct, 16711680);

    clickBox(control<QCheckBox>(config, "chkPlusMin"));
    clickBox(control<QCheckBox>(config, "chkLines"));
    EXPECT_FALSE(modMain::gblnTreePlusMin); // read when the screen closes
    config->frame()->close();
    EXPECT_TRUE(modMain::gblnTreePlusMin);
    EXPECT_FALSE(modMain::gblnTreeLines);
    EXPECT_EQ(treeSettings(), QStringList({"False", "True", "False", "16711680", "255"}));

    config = openSettings();
    click(control<QPushButton>(config, "Command3"));
    EXPECT_EQ(modMain::glngKleurAct, 128);
    EXPECT_EQ(modMain::glngKleurVoorz, 16384);
    config->frame()->close();
    EXPECT_EQ(treeSettings(), QStringList({"False", "True", "False", "128", "16384"}));
}

TEST_F(SettingsScreenTest, CouplingAnotherDataFileOrCancellingTheDialog)
{
    shell::frmConfig *config = openSettings();
    auto *txt = control<QLineEdit>(config, "txtDataLocatie");
    const QString title = QStringLiteral("Koppelen aan bestaand databestand...");

    script.expectFileDialog(ui::FileDialogMode::Open, title)
        .withFilter(QStringLiteral("databestand (dbQORdata_*)|dbQORdata_*.mdb|"), 1)
        .withFlags(0x806)
        .cancel();
    click(control<QPushButton>(config, "cmdDataLocatie"));
    EXPECT_EQ(txt->text(), dataFile);

    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Maak nieuw databestand...")).cancel();
    click(control<QPushButton>(config, "cmdNew"));
    EXPECT_EQ(txt->text(), dataFile);

    // A name outside the rule is refused by the coupling.
    const QString wrong = templateCopy(QStringLiteral("andere.mdb"));
    script.expectFileDialog(ui::FileDialogMode::Open, title).answer(wrong);
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Instellen bestandskoppeling"),
                        QStringLiteral("De bestandsnaam is ongeldig.\nDe bestandsnaam dient te bestaan uit "
                                       "'dbQORdata_' plus een door de gebruiker in te voeren tekst."));
    click(control<QPushButton>(config, "cmdDataLocatie"));
    EXPECT_EQ(txt->text(), dataFile);
    EXPECT_EQ(modMain::gstrDatabestand, dataFile);

    const QString other = templateCopy(QStringLiteral("dbQORdata_2.mdb"));
    script.expectFileDialog(ui::FileDialogMode::Open, title).answer(other);
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Koppeling databestand"),
                        QStringLiteral("Koppeling aan {") + other + QStringLiteral("} is ingesteld. "));
    click(control<QPushButton>(config, "cmdDataLocatie"));
    EXPECT_EQ(txt->text(), other);
    EXPECT_EQ(modMain::gstrDatabestand, other);
    EXPECT_EQ(main->panelText(1), QStringLiteral("<geen inrichting geopend>"));
}

TEST_F(SettingsScreenTest, ANewDataFileIsOneWijzigListsAgain)
{
    shell::frmConfig *config = openSettings();
    // The proposed name with a text typed after it, no extension.
    const QString typed = tmp.path() + QStringLiteral("/dbQORdata_proef");
    const QString made = typed + QStringLiteral(".mdb");
    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Maak nieuw databestand..."))
        .withFileName(QStringLiteral("dbQORdata_"))
        .withFilter(QStringLiteral("databestand (dbQORdata_*)|dbQORdata_*.mdb|"), 1)
        .answer(typed);
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Koppeling databestand"),
                        QStringLiteral("Koppeling aan {") + made + QStringLiteral("} is ingesteld. "));
    click(control<QPushButton>(config, "cmdNew"));
    EXPECT_EQ(modMain::gstrDatabestand, made);
    EXPECT_EQ(control<QLineEdit>(config, "txtDataLocatie")->text(), made);
    EXPECT_TRUE(QFileInfo::exists(made));
    EXPECT_FALSE(QFileInfo::exists(typed));
    // "Wijzig..." shows the files of its filter.
    EXPECT_TRUE(QDir::match(QStringLiteral("dbQORdata_*.mdb"), QFileInfo(made).fileName()));
}

// The data-file tab by keyboard: Tab and Shift+Tab go from "Wijzig..." to
// "Nieuw..." and back, Space and Return press the one that has the focus,
// and the save dialog closed by Escape (a cancel) changes nothing.
TEST_F(SettingsScreenTest, TheDataFileButtonsWorkByKeyboard)
{
    shell::frmConfig *config = openSettings();
    QApplication::setActiveWindow(main);
    auto *wijzig = control<QPushButton>(config, "cmdDataLocatie");
    auto *nieuw = control<QPushButton>(config, "cmdNew");
    wijzig->setFocus();
    ASSERT_TRUE(wijzig->hasFocus());
    QTest::keyClick(wijzig, Qt::Key_Tab);
    EXPECT_TRUE(nieuw->hasFocus());
    QTest::keyClick(nieuw, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(wijzig->hasFocus());

    nieuw->setFocus();
    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Maak nieuw databestand...")).cancel();
    QTest::keyClick(nieuw, Qt::Key_Space);
    const QString typed = tmp.path() + QStringLiteral("/dbQORdata_toets");
    script.expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Maak nieuw databestand...")).answer(typed);
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Koppeling databestand"),
                        QStringLiteral("Koppeling aan {") + typed + QStringLiteral(".mdb} is ingesteld. "));
    QTest::keyClick(nieuw, Qt::Key_Return);
    EXPECT_EQ(modMain::gstrDatabestand, typed + QStringLiteral(".mdb"));
}

TEST_F(SettingsScreenTest, ClosingRebuildsAnOpenCostItemScreen)
{
    auto *act = screens::frmAct::load();
    ASSERT_TRUE(modMain::gblnFrmActOpen);
    // Opened beside the cost-item screen (the one-screen rule is the
    // main window's; the start routine opens the screen directly).
    shell::frmConfig *config = shell::frmConfig::load();
    QPointer<screens::frmAct> before(act);
    click(control<QPushButton>(config, "OKButton"));
    auto *after = screens::Form::loaded<screens::frmAct>();
    ASSERT_NE(after, nullptr);
    EXPECT_TRUE(before.isNull() || !before->isLoaded());
    EXPECT_NE(after, act);
    EXPECT_TRUE(modMain::gblnFrmActOpen);
    EXPECT_EQ(loadedFormNames(), QStringList{"frmAct"});
}

} // namespace

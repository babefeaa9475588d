// The cost-item screen inside the main window: opened from the menu, its
// pop-up menu set for the selected node and its commands run from there.

#include "shell/shell_screen_test_env.h"

#include "shell/current_site.h"
#include "shell/frmOpenInrConfirm.h"

#include "screens/frmAct.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"

#include <QMenu>

#include <functional>

namespace {

using namespace shelltest;

class FrmActMainWindowTest : public ShellScreenTest {
protected:
    void SetUp() override
    {
        ShellScreenTest::SetUp();
        modMain::InstallSchermSessie();
        site = addSite(QStringLiteral("Stort Noord"));
        facility = addFacility(site, 7, QStringLiteral("Keet"));
        modMain::OpenInrichting(site);
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
    }

    QAction *popupItem(const char *name) { return main->popupAct()->findChild<QAction *>(QLatin1String(name)); }

    qint32 site = 0;
    qint32 facility = 0;
};

TEST_F(FrmActMainWindowTest, ThePopUpMenuServesTheSelectedNode)
{
    trigger("Act_en_KostPost");
    auto *act = screens::Form::loaded<screens::frmAct>();
    ASSERT_NE(act, nullptr);
    EXPECT_TRUE(modMain::gblnFrmActOpen);
    EXPECT_EQ(act->boom().text(act->boom().find(QStringLiteral("inr") + QString::number(facility))),
              QStringLiteral("Keet"));

    // A category: only a facility may be added.
    act->ververs(QStringLiteral("objcat7"));
    QTest::keyClick(act->TreeView1(), Qt::Key_Return);
    EXPECT_EQ(popupItem("mnuPopUpaddVoorz")->text(), QStringLiteral("Voorziening toevoegen aan ' Overig '"));
    EXPECT_TRUE(popupItem("mnuPopUpaddVoorz")->isEnabled());
    EXPECT_FALSE(popupItem("mnuPopUpaddAct")->isEnabled());
    EXPECT_FALSE(popupItem("mnuPopUpverwijder")->isEnabled());
    main->popupAct()->hide();

    // A facility: an own item is added through the dialog.
    act->ververs(QStringLiteral("inr") + QString::number(facility));
    act->ZetPopupMenu();
    EXPECT_EQ(popupItem("mnuPopUpaddAct")->text(), QStringLiteral("Kostenpost toevoegen aan  ' Keet '"));
    ASSERT_TRUE(popupItem("mnuPopUpaddAct")->isEnabled());
    popupItem("mnuPopUpaddAct")->trigger();
    auto *dlg = screens::Form::loaded<screens::frmAct_AddCustomItem>();
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->status(), 1);
    control<QLineEdit>(dlg, "txtNaam")->setText(QStringLiteral("Schilderwerk"));
    dlg->cdmOK_Click();
    EXPECT_EQ(act->gekozenKey(), QStringLiteral("actNEW"));

    // The item: a phase through the menu; then the picker opens beside it.
    act->ZetPopupMenu();
    ASSERT_TRUE(popupItem("mnuPopUpaddFase")->isEnabled());
    popupItem("mnuPopUpaddFase")->trigger();
    EXPECT_EQ(act->boom().text(act->boom().find(QStringLiteral("actNEW"))), QStringLiteral("{2e fase}"));
    // The item is stored; its phase not yet.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tblAct WHERE strAct='Schilderwerk'")), 1);
    popupItem("mnuPopupAddClitem")->trigger();
    auto *picker = screens::Form::loaded<screens::frmAct_AddCLitem>();
    ASSERT_NE(picker, nullptr);
    EXPECT_GT(picker->tvw1()->topLevelItemCount(), 0);

    // Closing stores the pending phase and closes the picker.
    EXPECT_TRUE(act->unload());
    EXPECT_FALSE(modMain::gblnFrmActOpen);
    EXPECT_EQ(screens::Form::loaded<screens::frmAct_AddCLitem>(), nullptr);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tblAct WHERE strAct='Schilderwerk'")), 2);
}

TEST_F(FrmActMainWindowTest, CtrlF4AndClosingTheProgramAskTheRefusedFieldFirst)
{
    const qint32 pomp =
        testsupport::SiteBuilder(dataFile).item(site, facility, testsupport::ownItem(QStringLiteral("Pomp")));
    trigger("Act_en_KostPost");
    auto *act = screens::Form::loaded<screens::frmAct>();
    ASSERT_NE(act, nullptr);
    QApplication::setActiveWindow(main);
    act->ververs(QStringLiteral("act") + QString::number(pomp));
    auto *totaal = control<QLineEdit>(act, "txtKostenTotaal");
    const QString geweigerd = QStringLiteral(
        "U heeft geen of een ongeldige waarde ingevuld in het volgende invoervak: \r\n\t---> kosten\r\n\r\nKlik op "
        "OK en voer alsnog een geldige waarde in.");
    const struct {
        const char *what;
        std::function<void()> way;
    } ways[] = {{"Ctrl+F4", [&] { ctrlF4(act); }}, {"closing the program", [&] { trigger("Afsluiten"); }}};
    int n = 0;
    for (const auto &w : ways) {
        SCOPED_TRACE(w.what);
        retype(totaal, QStringLiteral("3.%1").arg(++n));
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Geen of ongeldige invoer"), geweigerd);
        w.way();
        EXPECT_TRUE(act->isLoaded());
        EXPECT_TRUE(main->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), totaal);
    }
    retype(totaal, QStringLiteral("3100"));
    ctrlF4(act);
    EXPECT_FALSE(act->isLoaded());
    EXPECT_EQ(scalar(dataFile, QStringLiteral("SELECT sngKostenTotaal FROM tblAct WHERE idrAct_ID=%1").arg(pomp)),
              QStringLiteral("3100.0"));
}

} // namespace

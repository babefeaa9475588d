// The general-data screen: its fields bound to the site row, the checks of
// name, province and start of after-care that keep the focus, the levy
// options, the close that saves, and the link to a newer checklist version.

#include "input_screen_test_env.h"

#include "screens/frmAlgemeen.h"
#include "screens/frmAlgemeen_rules.h"
#include "screens/frmTonnage.h"

#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>

using namespace screentest;

namespace {

class FrmAlgemeenTest : public InputScreenTest {
protected:
    screens::frmAlgemeen *open()
    {
        form = screens::frmAlgemeen::load();
        EXPECT_NE(form, nullptr);
        QApplication::setActiveWindow(form->frame());
        form->frame()->activateWindow();
        return form;
    }

    QLineEdit *edit(const char *name) const { return control<QLineEdit>(form, name); }

    void close() { click(control<QPushButton>(form, "cmdApply")); }

    // Closes while the save fails: the one box that comes, answered as
    // Escape answers it (No: the screen stays open).
    ui::ScriptedDialogs::Box failingClose()
    {
        const size_t before = script.shown().size();
        script.setMode(ui::ScriptedDialogs::Mode::Record);
        close();
        script.setMode(ui::ScriptedDialogs::Mode::Strict);
        EXPECT_EQ(script.shown().size(), before + 1);
        return script.shown().back();
    }

    QVariant stored(const char *column) const
    {
        return site->scalar(QStringLiteral("SELECT %1 FROM tblStort WHERE idrStort_ID=?").arg(QLatin1String(column)),
                            {site->siteId});
    }

    screens::frmAlgemeen *form = nullptr;
};

TEST_F(FrmAlgemeenTest, ShowsTheSiteRowAndItsChecklistVersion)
{
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Gegevens inrichting"));
    auto *tabs = control<QTabWidget>(form, "SSTab1");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Locatie"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("Doelvermogen && heffing"));
    EXPECT_EQ(edit("txtLocatieNaam")->text(), QStringLiteral("Stort 't Veld"));
    EXPECT_EQ(edit("txtRente")->text(), QStringLiteral("5,06"));
    EXPECT_EQ(edit("txtInflatie")->text(), QStringLiteral("2,00"));
    EXPECT_EQ(edit("txtAanvangNazorg")->text(), QStringLiteral("1-1-2030"));
    EXPECT_EQ(edit("txtJaar_1")->text(), QStringLiteral("2008"));
    EXPECT_EQ(control<QComboBox>(form, "lstProv")->currentText(), QStringLiteral("??"));
    EXPECT_EQ(control<QLabel>(form, "lblStortType")->text(), QStringLiteral("stortplaats"));
    EXPECT_EQ(control<QLabel>(form, "lblChecklistHuidig")->text(), QStringLiteral("Checklistversie: 2008"));
    EXPECT_FALSE(control<QLabel>(form, "lblChecklistHuidigWijzig")->isHidden());
    // Company-bound: always object-bound, no forecast.
    EXPECT_TRUE(control<QRadioButton>(form, "optBedrijfsGebonden_1")->isChecked());
    auto *chk = control<QCheckBox>(form, "chkObjectGebonden");
    EXPECT_TRUE(chk->isChecked());
    EXPECT_FALSE(chk->isEnabled());
    EXPECT_EQ(chk->text(), QStringLiteral("Objectgebonden"));
    EXPECT_FALSE(control<QPushButton>(form, "cmdAfvalprognose")->isEnabled());
}

TEST_F(FrmAlgemeenTest, RefusedFieldsKeepTheFocusAndNeverReachTheRow)
{
    open();
    QSignalSpy renamed(form, &screens::frmAlgemeen::naamStortGewijzigd);
    auto *naam = edit("txtLocatieNaam");
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Ongeldige invoer"),
                        QStringLiteral("Voer de naam van de inrichting in."));
    typeAndLeave(naam, QString());
    EXPECT_TRUE(naam->hasFocus());
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Ongeldige invoer"),
                        QStringLiteral("Voer de naam van de inrichting in."));
    typeAndLeave(naam, QStringLiteral("   "));
    EXPECT_TRUE(naam->hasFocus());
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Ongeldige invoer"),
                        QStringLiteral("Deze naam komt al voor in het momenteel actieve databestand."));
    typeAndLeave(naam, QStringLiteral("de kuil"));
    EXPECT_TRUE(naam->hasFocus());
    EXPECT_EQ(renamed.count(), 0);

    // Its own name does not collide; a new one becomes the open site's name.
    typeAndLeave(naam, QStringLiteral("Stort 't Veld"));
    typeAndLeave(naam, QStringLiteral("Stort Noord"));
    ASSERT_EQ(renamed.count(), 2);
    EXPECT_EQ(renamed.last().first().toString(), QStringLiteral("Stort Noord"));

    auto *datum = edit("txtAanvangNazorg");
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Ongeldige datum aanvang nazorg"),
                        QStringLiteral("Ongeldige datum aanvang nazorg ingevoerd. De dag van aanvang nazorg dient de "
                                       "1e of de 16e te zijn. "));
    typeAndLeave(datum, QStringLiteral("15-3-2031"));
    EXPECT_TRUE(datum->hasFocus());

    // Closing with the refused date in focus: its message, then the notice.
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Ongeldige datum aanvang nazorg"),
                        QStringLiteral("Ongeldige datum aanvang nazorg ingevoerd. De dag van aanvang nazorg dient de "
                                       "1e of de 16e te zijn. "));
    script.expectMsgBox(ui::Icon::Exclamation, QString(), QStringLiteral("Ongeldige invoer"));
    close();
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen"}));
    EXPECT_EQ(stored("strStortNaam").toString(), QStringLiteral("Stort 't Veld"));

    typeAndLeave(datum, QStringLiteral("16-3-2031"));
    close();
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(stored("strStortNaam").toString(), QStringLiteral("Stort Noord"));
    EXPECT_EQ(stored("dtmAanvangNazorg").toDateTime().date(), QDate(2031, 3, 16));
    EXPECT_EQ(rereads, 1);
}

// A start of after-care that another tool stored with a year before 1000
// shows with four digits, as it is stored, and the field's own check
// refuses it: the screen does not close on it.
TEST_F(FrmAlgemeenTest, AStoredYearBefore1000ShowsWithFourDigitsAndIsRefused)
{
    site->execute(QStringLiteral("UPDATE tblStort SET dtmAanvangNazorg='0231-01-01 00:00:00' WHERE idrStort_ID=?"),
                  {site->siteId});
    open();
    EXPECT_EQ(edit("txtAanvangNazorg")->text(), QStringLiteral("1-1-0231"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Invoer datum aanvang nazorg"),
                        QStringLiteral("Ongeldige datum aanvang nazorg ingevoerd."));
    close();
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen"}));
}

TEST_F(FrmAlgemeenTest, ProvinceMustBeOneOfTheList)
{
    open();
    auto *prov = control<QComboBox>(form, "lstProv");
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Selectie provincie"),
                        QStringLiteral("Selecteer een bestaande provincie."));
    typeAndLeave(prov, QStringLiteral("Atlantis"));
    EXPECT_TRUE(prov->hasFocus());
    typeAndLeave(prov, QStringLiteral("Utrecht"));
    EXPECT_EQ(prov->currentData().toInt(), 100);
    close();
    EXPECT_EQ(stored("bytProv_REF").toInt(), 100);
}

TEST_F(FrmAlgemeenTest, LevyOptionsSwitchTheObjectBoxAndTheForecast)
{
    open();
    auto *chk = control<QCheckBox>(form, "chkObjectGebonden");
    auto *prognose = control<QPushButton>(form, "cmdAfvalprognose");
    control<QRadioButton>(form, "optBedrijfsGebonden_0")->click();
    EXPECT_TRUE(chk->isEnabled());
    EXPECT_TRUE(prognose->isEnabled());
    chk->click();
    EXPECT_FALSE(chk->isChecked());
    click(prognose);
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen", "frmTonnage"}));
    click(control<QPushButton>(screens::Form::loaded<screens::frmTonnage>(), "cmdOK"));

    control<QRadioButton>(form, "optBedrijfsGebonden_1")->click();
    EXPECT_TRUE(chk->isChecked());
    EXPECT_FALSE(chk->isEnabled());
    EXPECT_FALSE(prognose->isEnabled());
    control<QRadioButton>(form, "optBedrijfsGebonden_0")->click();
    close();
    EXPECT_EQ(stored("bytBedrijfsGebonden").toInt(), 0);
    EXPECT_EQ(stored("bytObjectGebonden").toInt(), 1);
}

TEST_F(FrmAlgemeenTest, RatesAreReadAsTheyShowOrRefused)
{
    open();
    auto *rente = edit("txtRente");
    // The keypad's decimal key types the comma.
    rente->setFocus();
    rente->selectAll();
    QTest::keyClick(rente, Qt::Key_Delete);
    QTest::keyClicks(rente, QStringLiteral("4"));
    QTest::keyClick(rente, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(rente, QStringLiteral("5"));
    EXPECT_EQ(rente->text(), QStringLiteral("4,5"));
    QTest::keyClick(rente, Qt::Key_Tab);
    EXPECT_FALSE(rente->hasFocus());

    // A point for a comma, letters or a broken grouping: refused with the
    // field's own box, the focus stays, and nothing reaches the row.
    const struct {
        const char *field;
        const char *naam;
        const char *tekst;
    } refused[] = {{"txtRente", "rente", "4.5"},
                   {"txtRente", "rente", "12.50"},
                   {"txtRente", "rente", "4x"},
                   {"txtInflatie", "inflatie", "2.0"},
                   {"txtInflatie", "inflatie", "twee"}};
    for (const auto &c : refused) {
        SCOPED_TRACE(std::string(c.field) + " " + c.tekst);
        const auto w = screens::OngeldigPercentage(QLatin1String(c.naam));
        script.expectMsgBox(ui::Icon::Exclamation, w.titel, w.tekst);
        typeAndLeave(edit(c.field), QString::fromUtf8(c.tekst));
        EXPECT_TRUE(edit(c.field)->hasFocus());
        typeAndLeave(edit(c.field), QStringLiteral("3,25"));
    }
    close();
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_FLOAT_EQ(stored("sngRentePerc").toFloat(), 3.25f);
    EXPECT_FLOAT_EQ(stored("sngInflPerc").toFloat(), 3.25f);
}

TEST_F(FrmAlgemeenTest, EveryTextBoxTakesNoMoreThanItsColumn)
{
    open();
    // One row per bound text field: its box takes what the column holds.
    const struct {
        const char *control;
        const char *column;
    } rows[] = {
        {"txtLocatieNaam", "strStortNaam"},
        {"txtLocatieRIVMnr", "strRIVMnr"},
        {"txtVergHouderNaam", "strVergNaam"},
        {"txtVergHouderPostadres", "strVergPostAdres"},
        {"txtVergHouderContactPers", "strVergContPers"},
        {"txtVergHouderTelnr", "strVergTel"},
        {"txtVergHouderFaxnr", "strVergFax"},
        {"txtVergHouderEmail", "strVergEmail"},
        {"txtInvullerNaam", "strInvNaam"},
        {"txtInvullerPostadres", "strInvPostAdres"},
        {"txtInvullerContactPers", "strInvContPers"},
        {"txtInvullerTelnr", "strInvTel"},
        {"txtInvullerFaxnr", "strInvFax"},
        {"txtInvullerEmail", "strInvEmail"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.control);
        EXPECT_EQ(edit(r.control)->maxLength(), site->textWidth(QStringLiteral("tblStort"), QLatin1String(r.column)));
    }
    // The address is a memo: no limit of its own.
    EXPECT_EQ(edit("txtLocatieAdres")->maxLength(), QLineEdit().maxLength());

    // The 51st character of a site name cannot be typed.
    auto *naam = edit("txtLocatieNaam");
    naam->setFocus();
    naam->selectAll();
    QTest::keyClicks(naam, QString(50, QLatin1Char('n')));
    QTest::keyClicks(naam, QStringLiteral("x"));
    EXPECT_EQ(naam->text(), QString(50, QLatin1Char('n')));
}

TEST_F(FrmAlgemeenTest, AFailingSaveKeepsTheScreenOpenWithEveryEdit)
{
    open();
    site->execute(QStringLiteral("CREATE TRIGGER weiger BEFORE UPDATE ON tblStort BEGIN "
                                 "SELECT RAISE(ABORT, 'schijf vol'); END"));
    auto *tabs = control<QTabWidget>(form, "SSTab1");
    typeAndLeave(edit("txtLocatieAdres"), QStringLiteral("Dijkweg 1"));
    tabs->setCurrentIndex(1);
    typeAndLeave(edit("txtVergHouderContactPers"), QStringLiteral("J. de Vries"));
    tabs->setCurrentIndex(3);
    typeAndLeave(edit("txtRente"), QStringLiteral("4,5"));
    typeAndLeave(edit("txtAanvangNazorg"), QStringLiteral("16-3-2031"));
    control<QRadioButton>(form, "optBedrijfsGebonden_0")->click();

    // The box says why, and the screen stays open with what was typed.
    const ui::ScriptedDialogs::Box box = failingClose();
    EXPECT_EQ(box.msgBox.icon, ui::Icon::Question);
    EXPECT_EQ(box.msgBox.buttons, ui::Buttons::YesNo);
    EXPECT_EQ(box.msgBox.defaultButton, ui::DefaultButton::Second);
    EXPECT_TRUE(box.msgBox.text.contains(QStringLiteral("(schijf vol)"))) << box.msgBox.text.toStdString();
    EXPECT_TRUE(box.msgBox.text.contains(QStringLiteral("Uw wijzigingen zijn niet opgeslagen.")));
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen"}));
    EXPECT_EQ(edit("txtLocatieAdres")->text(), QStringLiteral("Dijkweg 1"));
    EXPECT_EQ(edit("txtVergHouderContactPers")->text(), QStringLiteral("J. de Vries"));
    EXPECT_EQ(edit("txtRente")->text(), QStringLiteral("4,50"));
    EXPECT_TRUE(control<QRadioButton>(form, "optBedrijfsGebonden_0")->isChecked());
    EXPECT_TRUE(stored("memVestigingsadres").isNull());
    EXPECT_EQ(rereads, 0);

    // Once the cause is gone, closing stores everything.
    site->execute(QStringLiteral("DROP TRIGGER weiger"));
    close();
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(stored("memVestigingsadres").toString(), QStringLiteral("Dijkweg 1"));
    EXPECT_EQ(stored("strVergContPers").toString(), QStringLiteral("J. de Vries"));
    EXPECT_FLOAT_EQ(stored("sngRentePerc").toFloat(), 4.5f);
    EXPECT_EQ(stored("dtmAanvangNazorg").toDateTime().date(), QDate(2031, 3, 16));
    EXPECT_EQ(stored("bytBedrijfsGebonden").toInt(), 0);
    EXPECT_EQ(rereads, 1);
}

TEST_F(FrmAlgemeenTest, ASaveThatStaysImpossibleMayDropTheEdits)
{
    open();
    site->execute(QStringLiteral("CREATE TRIGGER weiger BEFORE UPDATE ON tblStort BEGIN "
                                 "SELECT RAISE(ABORT, 'schijf vol'); END"));
    typeAndLeave(edit("txtLocatieAdres"), QStringLiteral("Dijkweg 1"));
    const QString tekst = failingClose().msgBox.text;
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen"}));
    script.expectMsgBox(ui::Icon::Question, QStringLiteral("Opslaan mislukt"), tekst, ui::Buttons::YesNo)
        .answer(ui::Answer::Yes);
    close();
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_TRUE(stored("memVestigingsadres").isNull());
    EXPECT_TRUE(errors.isEmpty()) << errors.join('|').toStdString();
}

TEST_F(FrmAlgemeenTest, OnADredgeDepotTheObjectBoxStaysOff)
{
    site->execute(QStringLiteral("UPDATE tblStort SET intStortType=2, intCL_REF=11, intJaarPrijsPeil=2004"));
    clID = 11;
    open();
    auto *chk = control<QCheckBox>(form, "chkObjectGebonden");
    EXPECT_EQ(chk->text(), QStringLiteral("Objectgebonden (per definitie voor baggerdepots)"));
    EXPECT_EQ(control<QLabel>(form, "lblStortType")->text(), QStringLiteral("baggerdepot"));
    control<QRadioButton>(form, "optBedrijfsGebonden_0")->click();
    EXPECT_FALSE(chk->isEnabled());
    EXPECT_TRUE(control<QPushButton>(form, "cmdAfvalprognose")->isEnabled());
}

TEST_F(FrmAlgemeenTest, PriceLevelInfoAndANewSitesYearFromItsChecklist)
{
    site->execute(QStringLiteral("UPDATE tblStort SET intJaarPrijsPeil=NULL"));
    open();
    EXPECT_EQ(edit("txtJaar_1")->text(), QStringLiteral("2008"));
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Informatie prijspeil"),
                        QStringLiteral("Het prijspeil is vastgelegd in de QOR-checklist. Alle bedragen dienen "
                                       "ingevoerd te worden in dit prijspeil."));
    emit control<QLabel>(form, "lblInfoPrijspeil")->linkActivated(QStringLiteral("#"));
    close();
    EXPECT_EQ(stored("intJaarPrijsPeil").toInt(), 2008);
}

} // namespace

namespace {

class ChecklistLinkTest : public FrmAlgemeenTest {
protected:
    void clickLink()
    {
        emit control<QLabel>(form, "lblChecklistHuidigWijzig")->linkActivated(QStringLiteral("#"));
        QCoreApplication::processEvents();
    }
};

TEST_F(ChecklistLinkTest, IncompleteItemsStopTheLinkWithTheirOwnMessage)
{
    naam = QStringLiteral("De Kuil");
    installSession(site->otherSiteId);
    open();
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Validatie invoer inrichting 'De Kuil'"),
                        QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."));
    clickLink();
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen"}));
}

TEST_F(ChecklistLinkTest, ANewSiteMustFirstHaveItsSurcharges)
{
    site->execute(QStringLiteral("UPDATE tblStort SET intJaarPrijsPeil=NULL"));
    open();
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Wijzigen checklist nieuwe inrichting"),
                        QStringLiteral("U dient eerst het scherm 'toeslagen nazorgfase' in te vullen alvorens u de "
                                       "checklistversie kan wijzigen."));
    clickLink();
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen"}));
}

TEST_F(ChecklistLinkTest, TheNewestVersionNeverShowsTheVersionScreen)
{
    site->execute(QStringLiteral("UPDATE tblStort SET intCL_REF=4, intJaarPrijsPeil=2012"));
    clID = 4;
    open();
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Keuze checklist"),
                        QStringLiteral("De momenteel geselecteerde checklist is de meest recente checklist die "
                                       "beschikbaar is."));
    clickLink();
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen"}));
}

TEST_F(ChecklistLinkTest, ANewerVersionShowsTheVersionScreen)
{
    open();
    clickLink();
    EXPECT_EQ(loadedFormNames(), QStringList({"frmAlgemeen", "frmVersiebeheer"}));
    EXPECT_TRUE(screens::Form::loadedForm(QStringLiteral("frmVersiebeheer"))->frame()->isVisible());
}

} // namespace

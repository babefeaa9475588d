// The after-care surcharges screen in the main window, offscreen: defaults
// from the checklist, the option that follows from the area, refused
// fields, deviation notices, and the close that an invalid area refuses,
// which keeps the main window open too.

#include "shell/shell_screen_test_env.h"

#include "shell/current_site.h"
#include "shell/frmOpenInrConfirm.h"

#include "screens/frmAlgNazKosten.h"

#include "support/desktop_boxes.h"

#include <QLabel>
#include <QRadioButton>
#include <QTabBar>

#include <functional>

using namespace shelltest;

namespace {

const QString kTitelOpp = QStringLiteral("Invoer nazorgoppervlak");

class AlgNazKostenScreenTest : public ShellScreenTest {
protected:
    // Opens a new site of checklist version `cl`, with `zet` (SQL assignments)
    // applied to its row, and loads the screen from the menu.
    screens::frmAlgNazKosten *openScherm(int cl = 1, const QString &zet = QString())
    {
        site = addSite(QStringLiteral("Stort Zuid"), 1, cl);
        if (!zet.isEmpty())
            runSql(dataFile, QStringLiteral("UPDATE tblStort SET %1 WHERE idrStort_ID = %2").arg(zet).arg(site));
        modMain::InstallSchermSessie();
        modMain::OpenInrichting(site);
        if (auto *notice = screens::Form::loaded<shell::frmOpenInrConfirm>())
            notice->Timer1_Timer();
        trigger("AlgNazKosten");
        form = screens::Form::loaded<screens::frmAlgNazKosten>();
        EXPECT_NE(form, nullptr);
        if (form) {
            main->activateWindow();
            QApplication::setActiveWindow(main);
        }
        return form;
    }

    QLineEdit *veld(const char *name) { return control<QLineEdit>(form, name); }
    QLabel *lbl(const char *name) { return control<QLabel>(form, name); }
    QRadioButton *optie(int i)
    {
        return control<QRadioButton>(form, QStringLiteral("optRapEval_%1").arg(i).toLatin1().constData());
    }

    // Shows the tab that holds `w` and gives `w` the focus.
    void focus(QWidget *w)
    {
        auto *tabs = control<QTabWidget>(form, "SSTab1");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(w))
                tabs->setCurrentIndex(i);
        w->setFocus();
        QApplication::processEvents();
    }

    // Replaces the text of a field as the user would, and leaves it by Tab.
    void typ(const char *name, const QString &text, bool verlaat = true)
    {
        QLineEdit *e = veld(name);
        ASSERT_NE(e, nullptr);
        SCOPED_TRACE(name);
        ASSERT_TRUE(e->isEnabled());
        focus(e);
        QApplication::processEvents();
        ASSERT_TRUE(e->hasFocus());
        replaceText(e, text);
        if (verlaat) {
            QTest::keyClick(e, Qt::Key_Tab);
            QApplication::processEvents();
        }
    }

    QString stored(const char *column)
    {
        return scalar(dataFile, QStringLiteral("SELECT %1 FROM tblStort WHERE idrStort_ID = %2").arg(column).arg(site));
    }

    void expectVulIn(const char *titel)
    {
        script.expectMsgBox(ui::Icon::Exclamation, QString::fromUtf8(titel), QStringLiteral("Vul een waarde in."));
    }

    qint32 site = 0;
    screens::frmAlgNazKosten *form = nullptr;
};

TEST_F(AlgNazKostenScreenTest, ANewSiteGetsTheChecklistDefaultsCaptionsAndNoOption)
{
    ASSERT_NE(openScherm(1), nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Toeslagen nazorgfase"));
    auto *tabs = control<QTabWidget>(form, "SSTab1");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Onvoorzien && ontwerp/directie"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Algemene nazorgkosten"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Risicobedrag"));
    EXPECT_EQ(control<QPushButton>(form, "cmdApply")->text(), QStringLiteral("&Sluiten"));

    const struct {
        const char *name;
        const char *text;
    } velden[] = {{"txtAlgAppKosten", "€ 15.000"},
                  {"txtAppKostenBasisPerc", "3,0"},
                  {"txtAlgCommunicatie", "€ 3.750"},
                  {"txtRapEvalKleinerDan10ha", "€ 3.500"},
                  {"txtRapEvalPerHa", "€ 225"},
                  {"txtRapEvalGroterDan34_5ha", "€ 9.000"},
                  {"txtOnvoorzien", "10,0"},
                  {"txtOntwerpdirectieFixed", "12,0"},
                  {"txtAlgRisico", ""},
                  {"txtLocatieNazorgOpp", ""}};
    for (const auto &v : velden)
        EXPECT_EQ(veld(v.name)->text(), QString::fromUtf8(v.text)) << v.name;
    EXPECT_EQ(optie(2)->text(), QStringLiteral("tussen 10 ha en 34,44 ha"));
    EXPECT_EQ(optie(3)->text(), QStringLiteral("meer dan 34,44 ha"));
    for (int i = 0; i <= 3; ++i)
        EXPECT_FALSE(optie(i)->isChecked()) << i;
    for (const char *name : {"txtRapEvalKleinerDan10ha", "txtRapEvalPerHa", "txtRapEvalGroterDan34_5ha"})
        EXPECT_FALSE(veld(name)->isEnabled()) << name;
    for (const char *name : {"lblAfwijkingApp", "lblAfwijkingAppPerc", "lblAfwijkingCom", "lblAfwijkingOnvoorzien",
                             "lblAfwijkingOntwerpdirectie"})
        EXPECT_TRUE(lbl(name)->isHidden()) << name;
    EXPECT_TRUE(lbl("lblOntwerpDirectieToelichting")->text().startsWith(QStringLiteral("Voer een percentage")));

    typ("txtLocatieNazorgOpp", QStringLiteral("5"));
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
}

TEST_F(AlgNazKostenScreenTest, WithoutAValidAreaTheScreenAndTheMainWindowStayOpen)
{
    ASSERT_NE(openScherm(1), nullptr);
    script.expectMsgBox(ui::Icon::Exclamation, kTitelOpp, QStringLiteral("Voer een nazorgoppervlak in."));
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmAlgNazKosten"});

    // Afsluiten asks the screen first; its refusal keeps the program open.
    script.expectMsgBox(ui::Icon::Exclamation, kTitelOpp, QStringLiteral("Voer een nazorgoppervlak in."));
    trigger("Afsluiten");
    EXPECT_EQ(shell::frmMDI_main::instance(), main);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(loadedFormNames(), QStringList{"frmAlgNazKosten"});

    typ("txtLocatieNazorgOpp", QStringLiteral("0"), false);
    script.expectMsgBox(ui::Icon::Exclamation, kTitelOpp, QStringLiteral("Voer een nazorgoppervlak groter dan 0 in."));
    form->frame()->close();
    EXPECT_EQ(loadedFormNames(), QStringList{"frmAlgNazKosten"});

    typ("txtLocatieNazorgOpp", QStringLiteral("20"), false);
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    // Every bound field was written, the defaults too.
    EXPECT_EQ(stored("sngNazorgOpp"), QStringLiteral("20.0"));
    EXPECT_EQ(stored("bytRapEval"), QStringLiteral("2"));
    EXPECT_EQ(stored("sngAlgAppKostenBasis"), QStringLiteral("15000.0"));
    EXPECT_EQ(stored("sngAlgCommunicatieKosten"), QStringLiteral("3750.0"));
    EXPECT_EQ(stored("sngOntwerpdirectie"), QStringLiteral("12.0"));
    EXPECT_EQ(stored("sngAlgRisicoBedrag"), QStringLiteral("<null>"));
}

TEST_F(AlgNazKostenScreenTest, TheAreaSelectsTheOptionAndEnablesOnlyItsAmount)
{
    ASSERT_NE(openScherm(1), nullptr);
    const struct {
        const char *area;
        int optie;
        const char *aan;
    } cases[] = {{"9,5", 1, "txtRapEvalKleinerDan10ha"},
                 {"34,44", 2, "txtRapEvalPerHa"},
                 {"34,45", 3, "txtRapEvalGroterDan34_5ha"},
                 {"10", 2, "txtRapEvalPerHa"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.area);
        typ("txtLocatieNazorgOpp", QString::fromUtf8(c.area));
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(optie(i)->isChecked(), i == c.optie) << i;
        for (const char *name : {"txtRapEvalKleinerDan10ha", "txtRapEvalPerHa", "txtRapEvalGroterDan34_5ha"})
            EXPECT_EQ(veld(name)->isEnabled(), qstrcmp(name, c.aan) == 0) << name;
    }

    // Clearing the area is refused on leaving it; the focus stays.
    script.expectMsgBox(ui::Icon::Exclamation, kTitelOpp, QStringLiteral("Voer een nazorgoppervlak in."));
    typ("txtLocatieNazorgOpp", QString());
    EXPECT_TRUE(veld("txtLocatieNazorgOpp")->hasFocus());

    // An option cannot be chosen by hand.
    typ("txtLocatieNazorgOpp", QStringLiteral("50"));
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Toeslag rapportage/evaluatie"),
                        QStringLiteral("De keuze volgt automatisch uit het aantal hectare nazorgoppervlak dat u invult "
                                       "en kan niet handmatig ingesteld worden."));
    clickBox(optie(1));
    EXPECT_FALSE(optie(1)->isChecked());
    EXPECT_TRUE(optie(3)->isChecked());
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_EQ(stored("bytRapEval"), QStringLiteral("3"));
}

TEST_F(AlgNazKostenScreenTest, ARefusedFieldKeepsTheFocusAndItsTextIsNotStored)
{
    ASSERT_NE(openScherm(1, QStringLiteral("sngNazorgOpp = 5, bytRapEval = 1")), nullptr);
    typ("txtAlgAppKosten", QStringLiteral("14000"));
    EXPECT_EQ(veld("txtAlgAppKosten")->text(), QStringLiteral("€ 14.000"));

    expectVulIn("Communicatiekosten");
    typ("txtAlgCommunicatie", QString());
    EXPECT_TRUE(veld("txtAlgCommunicatie")->hasFocus());
    // Another tab asks again and stays where it was.
    expectVulIn("Communicatiekosten");
    auto *tabs = control<QTabWidget>(form, "SSTab1");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(2).center());
    QApplication::processEvents();
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(veld("txtAlgCommunicatie")->hasFocus());

    // The close box asks the field too; the refused text is not stored.
    expectVulIn("Communicatiekosten");
    form->frame()->close();
    EXPECT_EQ(loadedFormNames(), QStringList{"frmAlgNazKosten"});
    EXPECT_TRUE(veld("txtAlgCommunicatie")->hasFocus());
    EXPECT_EQ(stored("sngAlgCommunicatieKosten"), QStringLiteral("<null>"));
    typ("txtAlgCommunicatie", QStringLiteral("3000"), false);
    form->frame()->close();
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(stored("sngAlgAppKostenBasis"), QStringLiteral("14000.0"));
    EXPECT_EQ(stored("sngAlgCommunicatieKosten"), QStringLiteral("3000.0"));
}

TEST_F(AlgNazKostenScreenTest, EveryWayOutAsksTheRefusedFieldAsSluitenDoes)
{
    ASSERT_NE(openScherm(1, QStringLiteral("sngNazorgOpp = 5, bytRapEval = 1")), nullptr);
    const struct {
        const char *what;
        std::function<void()> way;
    } ways[] = {
        {"Sluiten", [&] { click(control<QPushButton>(form, "cmdApply")); }},
        {"the close box", [&] { form->frame()->close(); }},
        {"Ctrl+F4", [&] { ctrlF4(form); }},
        {"closing the program", [&] { trigger("Afsluiten"); }},
    };
    int n = 7;
    for (const auto &w : ways) {
        SCOPED_TRACE(w.what);
        // A text of its own each time (the same refused text again is
        // refused without a second box).
        typ("txtAppKostenBasisPerc", QStringLiteral("4.%1").arg(++n), false);
        expectVulIn("Percentage apparaatskosten");
        w.way();
        EXPECT_EQ(loadedFormNames(), QStringList{"frmAlgNazKosten"});
        EXPECT_TRUE(veld("txtAppKostenBasisPerc")->hasFocus());
        EXPECT_TRUE(main->isVisible());
    }
    EXPECT_EQ(stored("sngAppKostenPerc"), QStringLiteral("<null>"));
    typ("txtAppKostenBasisPerc", QStringLiteral("4,5"), false);
    form->frame()->close();
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(stored("sngAppKostenPerc"), QStringLiteral("4.5"));
}

TEST_F(AlgNazKostenScreenTest, TheCloseButtonChecksTheFocusedFieldAndThePercentageTheBaseAmountFirst)
{
    ASSERT_NE(openScherm(1, QStringLiteral("sngNazorgOpp = 5, bytRapEval = 1")), nullptr);
    veld("txtAlgAppKosten")->setText(QString());
    focus(veld("txtAppKostenBasisPerc"));
    expectVulIn("Basisbedrag apparaatskosten");
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmAlgNazKosten"});
    EXPECT_TRUE(veld("txtAppKostenBasisPerc")->hasFocus());

    veld("txtAlgAppKosten")->setText(QStringLiteral("€ 15.000"));
    typ("txtAppKostenBasisPerc", QStringLiteral("x"), false);
    expectVulIn("Percentage apparaatskosten");
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmAlgNazKosten"});

    typ("txtAppKostenBasisPerc", QStringLiteral("4"), false);
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(stored("sngAppKostenPerc"), QStringLiteral("4.0"));
}

TEST_F(AlgNazKostenScreenTest, AFailingSaveKeepsTheScreenOpenUntilTheCauseIsGone)
{
    ASSERT_NE(openScherm(1, QStringLiteral("sngNazorgOpp = 5, bytRapEval = 1")), nullptr);
    runSql(dataFile, QStringLiteral("CREATE TRIGGER weiger BEFORE UPDATE ON tblStort BEGIN "
                                    "SELECT RAISE(ABORT, 'schijf vol'); END"));
    typ("txtOnvoorzien", QStringLiteral("9"));
    typ("txtAlgAppKosten", QStringLiteral("14000"));
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Opslaan mislukt"),
                      QStringLiteral("De wijziging voldoet niet aan een regel van het databestand '%1' (schijf "
                                     "vol).\r\n\r\nUw wijzigingen zijn niet opgeslagen. Het scherm blijft open, "
                                     "zodat u de oorzaak kunt verhelpen of de invoer kunt corrigeren; sluit het "
                                     "scherm daarna opnieuw.\r\n\r\nWilt u het scherm sluiten zonder de "
                                     "wijzigingen op te slaan?")
                          .arg(dataFile),
                      ui::Buttons::YesNo)
        .withDefaultButton(ui::DefaultButton::Second);
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_EQ(loadedFormNames(), QStringList{"frmAlgNazKosten"});
    EXPECT_EQ(veld("txtOnvoorzien")->text(), QStringLiteral("9,0"));
    EXPECT_EQ(stored("sngOnvoorzien"), QStringLiteral("<null>"));

    runSql(dataFile, QStringLiteral("DROP TRIGGER weiger"));
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_TRUE(loadedFormNames().isEmpty());
    EXPECT_EQ(stored("sngOnvoorzien"), QStringLiteral("9.0"));
    EXPECT_EQ(stored("sngAlgAppKostenBasis"), QStringLiteral("14000.0"));
}

TEST_F(AlgNazKostenScreenTest, TheYearlyAmountsTakeWholeEurosAndRefuseAnythingElse)
{
    ASSERT_NE(openScherm(1, QStringLiteral("sngNazorgOpp = 5, bytRapEval = 1")), nullptr);
    // Nothing typed is dropped: each text reaches the check and is refused,
    // never read as another amount ("12,5" is not 125).
    const struct {
        const char *tekst;
        const char *melding;
    } geweigerd[] = {{"12,5", "Vul een bedrag in hele euro's in, zonder cijfers achter de komma."},
                     {"4.5", "Vul een waarde in."},
                     {"12x", "Vul een waarde in."}};
    for (const auto &[tekst, melding] : geweigerd) {
        SCOPED_TRACE(tekst);
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Basisbedrag apparaatskosten"),
                            QString::fromUtf8(melding));
        typ("txtAlgAppKosten", QString::fromUtf8(tekst));
        EXPECT_EQ(veld("txtAlgAppKosten")->text(), QString::fromUtf8(tekst));
        EXPECT_TRUE(veld("txtAlgAppKosten")->hasFocus());
    }
    // Five digits at most, as the mask has places; grouping is fine.
    typ("txtAlgAppKosten", QStringLiteral("123456"), false);
    EXPECT_EQ(veld("txtAlgAppKosten")->text(), QStringLiteral("12345"));
    typ("txtAlgAppKosten", QStringLiteral("12.500"));
    EXPECT_EQ(veld("txtAlgAppKosten")->text(), QStringLiteral("€ 12.500"));
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_EQ(stored("sngAlgAppKostenBasis"), QStringLiteral("12500.0"));
}

TEST_F(AlgNazKostenScreenTest, ValuesOutsideTheChecklistAreFlaggedNotRefused)
{
    ASSERT_NE(openScherm(1, QStringLiteral("sngNazorgOpp = 5, bytRapEval = 1, sngAlgRisicoBedrag = 0")), nullptr);
    // A five-digit amount: the sixth digit does not go in.
    typ("txtAlgAppKosten", QStringLiteral("200000"));
    EXPECT_EQ(veld("txtAlgAppKosten")->text(), QStringLiteral("€ 20.000"));
    EXPECT_TRUE(lbl("lblAfwijkingApp")->isVisibleTo(form));
    typ("txtAlgAppKosten", QStringLiteral("17500"));
    EXPECT_FALSE(lbl("lblAfwijkingApp")->isVisibleTo(form));

    typ("txtAppKostenBasisPerc", QStringLiteral("3,5"));
    EXPECT_TRUE(lbl("lblAfwijkingAppPerc")->isVisibleTo(form));
    typ("txtRapEvalKleinerDan10ha", QStringLiteral("4000"));
    EXPECT_TRUE(lbl("lblAfwijkingRapEvalMin")->isVisibleTo(form));

    // From option 1 to 2 the first-10-ha notice keeps its state.
    typ("txtLocatieNazorgOpp", QStringLiteral("12"));
    EXPECT_TRUE(lbl("lblAfwijkingRapEvalMin")->isVisibleTo(form));
    typ("txtRapEvalPerHa", QStringLiteral("225"));
    EXPECT_FALSE(lbl("lblAfwijkingRapEvalPerHa")->isVisibleTo(form));

    // The keypad's decimal key types a comma.
    focus(veld("txtOnvoorzien"));
    veld("txtOnvoorzien")->selectAll();
    typeText(veld("txtOnvoorzien"), QStringLiteral("12"));
    QTest::keyClick(veld("txtOnvoorzien"), Qt::Key_Period, Qt::KeypadModifier);
    typeText(veld("txtOnvoorzien"), QStringLiteral("5"));
    EXPECT_EQ(veld("txtOnvoorzien")->text(), QStringLiteral("12,5"));
    QTest::keyClick(veld("txtOnvoorzien"), Qt::Key_Tab);
    EXPECT_TRUE(lbl("lblAfwijkingOnvoorzien")->isVisibleTo(form));

    // A stored risk amount of 0 shows as "€ 0", not as a lone euro sign.
    EXPECT_EQ(veld("txtAlgRisico")->text(), QStringLiteral("€ 0"));
    focus(veld("txtAlgRisico"));
    QTest::keyClick(veld("txtAlgRisico"), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_FALSE(veld("txtAlgRisico")->hasFocus());

    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_EQ(stored("sngOnvoorzien"), QStringLiteral("12.5"));
    EXPECT_EQ(stored("sngAppKostenPerc"), QStringLiteral("3.5"));
    EXPECT_EQ(stored("sngAlgRisicoBedrag"), QStringLiteral("0.0"));
}

TEST_F(AlgNazKostenScreenTest, UnderTheDifferentiatedSchemeDesignSupervisionIsZeroAndHidden)
{
    ASSERT_NE(openScherm(3, QStringLiteral("sngNazorgOpp = 5, bytRapEval = 1, sngOntwerpdirectie = 8")), nullptr);
    EXPECT_FALSE(veld("txtOntwerpdirectieFixed")->isVisibleTo(form));
    EXPECT_FALSE(lbl("lblAfwijkingOntwerpdirectie")->isVisibleTo(form));
    EXPECT_FALSE(lbl("lblOntwDirectiePercentage")->isVisibleTo(form));
    EXPECT_EQ(lbl("lblOntwerpDirectieToelichting")->text(),
              QStringLiteral("Bij deze checklistversie worden toeslagen voor ontwerp/directie/toezicht per "
                             "vervangingspost bepaald in invoerscherm 'Voorzieningen en kostenposten'.\nZie paragraaf "
                             "3.4.2 van de handleiding."));
    // No maximum for communication: the minimum is the default.
    EXPECT_EQ(veld("txtAlgCommunicatie")->text(), QStringLiteral("€ 2.500"));
    click(control<QPushButton>(form, "cmdApply"));
    EXPECT_EQ(stored("sngOntwerpdirectie"), QStringLiteral("0.0"));
}

TEST_F(AlgNazKostenScreenTest, TheScreenHasItsFullSizeAlsoWhenTheNoticeOpensWhileItLoads)
{
    // Without the notice: the size the screen needs.
    ASSERT_NE(openScherm(1, QStringLiteral("sngNazorgOpp = 20, bytRapEval = 2")), nullptr);
    QApplication::processEvents();
    const QSize vol = form->frame()->size();
    click(control<QPushButton>(form, "cmdApply"));
    ASSERT_TRUE(loadedFormNames().isEmpty());

    // With it, as the desktop shows a box: the screen's events run while
    // it is up.
    runSql(dataFile, QStringLiteral("UPDATE tblStort SET bytRapEval = 0 WHERE idrStort_ID = %1").arg(site));
    testsupport::DesktopBoxes boxes;
    ui::ScopedDialogs use(&boxes);
    boxes.expectMsgBox(ui::Icon::Information, QStringLiteral("Toeslag Rapportage/evaluatie"),
                       QStringLiteral("In deze versie van TAVIR wordt de berekening van de toeslag 'Rapportage en "
                                      "evaluatie' anders uitgevoerd. U dient de benodigde gegevens opnieuw in te "
                                      "voeren."));
    trigger("AlgNazKosten");
    form = screens::Form::loaded<screens::frmAlgNazKosten>();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(boxes.verify()) << boxes.report().toStdString();
    QApplication::processEvents();
    EXPECT_EQ(form->frame()->size(), vol);
    // The options and amounts the notice asks to fill in again are whole.
    control<QTabWidget>(form, "SSTab1")->setCurrentIndex(1);
    QApplication::processEvents();
    for (QWidget *w : std::initializer_list<QWidget *>{optie(0), optie(1), optie(2), optie(3),
                                                       veld("txtRapEvalKleinerDan10ha"), veld("txtRapEvalPerHa"),
                                                       veld("txtRapEvalGroterDan34_5ha"), veld("txtLocatieNazorgOpp")})
        EXPECT_GE(w->height(), w->sizeHint().height()) << w->objectName().toStdString();
    typ("txtLocatieNazorgOpp", QStringLiteral("20"));
    click(control<QPushButton>(form, "cmdApply"));
}

TEST_F(AlgNazKostenScreenTest, AnAreaWithoutAnOptionAsksForTheDataAgain)
{
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Toeslag Rapportage/evaluatie"),
                        QStringLiteral("In deze versie van TAVIR wordt de berekening van de toeslag 'Rapportage en "
                                       "evaluatie' anders uitgevoerd. U dient de benodigde gegevens opnieuw in te "
                                       "voeren."));
    ASSERT_NE(openScherm(1, QStringLiteral("sngNazorgOpp = 20, bytRapEval = 0")), nullptr);
    EXPECT_EQ(veld("txtLocatieNazorgOpp")->text(), QStringLiteral("20,0"));
    typ("txtLocatieNazorgOpp", QStringLiteral("20"));
    EXPECT_TRUE(optie(2)->isChecked());
}

} // namespace

// The sensitivity analysis screen, offscreen, on a fixture site: its
// defaults, the range set with SHIFT on the slider, the alternative rates
// and their refusals, and the tables it appends to the report window.

#include "support/qstring_printer.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/widget_driver.h"

#include "calc/calc_fixture.h"

#include "reports/frmGevoelAna.h"
#include "reports/frmRapScherm.h"

#include "screens/session.h"

#include "platform/text/format.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextEdit>

using namespace reports;

namespace {

class GevoelAnaScreenTest : public testsupport::ScriptedDialogsTest {
protected:
    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        screens::Session s;
        s.context = [this] { return fx.context(fx.alfa); };
        screens::installSession(std::move(s));
        // The screens open as child windows, as in the main window.
        area.resize(1000, 800);
        area.show();
        screens::Form::setHost(&area);
        QApplication::setActiveWindow(&area);
        form = frmGevoelAna::load();
    }

    void TearDown() override
    {
        testsupport::unloadForms();
        screens::Form::setHost(nullptr);
        screens::installSession({});
        ScriptedDialogsTest::TearDown();
    }

    template <class W> W *control(const char *name) { return testsupport::control<W>(form, name); }

    SelectieSchuif *slider() { return control<SelectieSchuif>("Slider1"); }
    void bereken() { QTest::mouseClick(control<QPushButton>("OKButton"), Qt::LeftButton); }
    void kies(int optie)
    {
        testsupport::clickBox(control<QRadioButton>(QStringLiteral("opt1_%1").arg(optie).toLatin1().constData()));
    }

    // The report window's text, or "<none>" when it is not loaded.
    static QString rapport()
    {
        auto *w = screens::Form::loaded<frmRapScherm>();
        return w ? w->Text() : QStringLiteral("<none>");
    }

    // Retypes a field, which keeps the focus.
    void typ(QLineEdit *e, const QString &text)
    {
        testsupport::retype(e, text);
        ASSERT_TRUE(e->hasFocus());
    }

    void expectTarief(const char *wat)
    {
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Gevoeligheidsanalyse"),
                            QStringLiteral("Ongeldige waarde voor %1 ingevoerd (voer waarde in tussen 1 en 8).")
                                .arg(QLatin1String(wat)));
    }

    calctest::CalcFixture fx;
    QMdiArea area;
    frmGevoelAna *form = nullptr;
};

TEST_F(GevoelAnaScreenTest, LoadsWithInterestVaryingOverOneAndAHalfToFourPerCentInFiveRows)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Gevoeligheidsanalyse"));
    EXPECT_EQ(control<QRadioButton>("opt1_2")->text(), QStringLiteral("rente (inflatie is constant)"));
    EXPECT_EQ(control<QRadioButton>("opt1_3")->text(), QStringLiteral("inflatie (rente is constant)"));
    EXPECT_EQ(control<QRadioButton>("opt1_1")->text(), QStringLiteral("Voer een alternatieve rente en inflatie in"));
    EXPECT_TRUE(control<QRadioButton>("opt1_2")->isChecked());
    auto *combo = control<QComboBox>("Combo1");
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->currentText(), QStringLiteral("5"));
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, QStringList({"2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(slider()->minimum(), 2);
    EXPECT_EQ(slider()->maximum(), 16);
    EXPECT_EQ(slider()->value(), 8);
    EXPECT_EQ(slider()->selectie.start, 3);
    EXPECT_EQ(slider()->selectie.lengte, 5);
    EXPECT_FALSE(control<QLineEdit>("txtRente")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("txtInflatie")->isEnabled());
    EXPECT_EQ(control<QLineEdit>("txtInflatie")->toolTip(), QStringLiteral("Het QOR hanteert een inflatie van 2,00 %"));

    kies(1);
    EXPECT_TRUE(control<QLineEdit>("txtRente")->isEnabled());
    EXPECT_FALSE(slider()->isEnabled());
    EXPECT_FALSE(combo->isEnabled());
    kies(3);
    EXPECT_FALSE(control<QLineEdit>("txtRente")->isEnabled());
    EXPECT_TRUE(slider()->isEnabled());
}

// The range "Bereken" will use is drawn from the first showing: the slider
// looks different with it hidden, from the range's start to its end.
TEST_F(GevoelAnaScreenTest, TheDefaultRangeIsDrawnFromTheFirstShowing)
{
    QApplication::processEvents();
    SelectieSchuif *s = slider();
    EXPECT_TRUE(s->selectie.zichtbaar);
    const QImage met = s->grab().toImage();
    s->selectie.zichtbaar = false;
    const QImage zonder = s->grab().toImage();
    ASSERT_EQ(met.size(), zonder.size());
    int links = met.width(), rechts = -1;
    for (int y = 0; y < met.height(); ++y)
        for (int x = 0; x < met.width(); ++x)
            if (met.pixel(x, y) != zonder.pixel(x, y)) {
                links = std::min(links, x);
                rechts = std::max(rechts, x);
            }
    ASSERT_GE(rechts, 0) << "the range is not drawn";
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.orientation = Qt::Horizontal;
    opt.tickPosition = s->tickPosition();
    const QRect groef = s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, s);
    const auto x = [&](int v) {
        return groef.left() + QStyle::sliderPositionFromValue(s->minimum(), s->maximum(), v, groef.width());
    };
    EXPECT_NEAR(links, x(3), 2);
    EXPECT_NEAR(rechts, x(8), 2);
}

TEST_F(GevoelAnaScreenTest, TwoAnalysesFollowEachOtherInTheReportWindow)
{
    bereken();
    auto *rap = screens::Form::loaded<frmRapScherm>();
    ASSERT_NE(rap, nullptr);
    EXPECT_TRUE(rap->findChild<QTextEdit *>(QStringLiteral("txtRap"))->isVisibleTo(rap));
    QStringList rentes;
    for (const QString &regel : rapport().split(QLatin1Char('\n')))
        if (regel.contains(QLatin1Char('\t')) && !regel.startsWith(QStringLiteral("rente")))
            rentes << regel.section(QLatin1Char('\t'), 0, 0);
    EXPECT_EQ(rentes, QStringList({"1,50 %", "2,13 %", "2,75 %", "3,38 %", "4,00 %"}));

    kies(3);
    control<QComboBox>("Combo1")->setCurrentText(QStringLiteral("2"));
    bereken();
    EXPECT_EQ(rapport().count(QStringLiteral("Rapportage gevoeligheidsanalyse")), 2);
    EXPECT_TRUE(rapport().contains(QStringLiteral("inflatie\tdoelvermogen\t% hoger dan uitgangssituatie")));
    EXPECT_TRUE(rapport().contains(QStringLiteral("\n4,00 %\t")));
}

TEST_F(GevoelAnaScreenTest, AShiftClickWithoutMovingLeavesNoRangeAndThePlainClickKeepsIt)
{
    // A click without SHIFT hides the range; the analysis still uses it.
    QTest::mouseClick(slider(), Qt::LeftButton, {}, QPoint(slider()->width() / 2, slider()->height() / 2));
    EXPECT_FALSE(slider()->selectie.zichtbaar);
    EXPECT_EQ(slider()->selectie.lengte, 5);

    // SHIFT held from press to release without moving: a range of no length.
    const QPoint p(slider()->width() / 3, slider()->height() / 2);
    QTest::mousePress(slider(), Qt::LeftButton, Qt::ShiftModifier, p);
    QTest::mouseRelease(slider(), Qt::LeftButton, Qt::ShiftModifier, p);
    EXPECT_EQ(slider()->selectie.lengte, 0);
    script.expectMsgBox(ui::Icon::Information, QStringLiteral("Gevoeligheidsanalyse"),
                        QStringLiteral("Stel eerst een range in met de selectieschuif d.m.v. de muis en de "
                                       "SHIFT-toets."));
    bereken();
    EXPECT_EQ(rapport(), QStringLiteral("<none>"));

    // Dragged with SHIFT to four steps further: 2 rows at its ends.
    QTest::mousePress(slider(), Qt::LeftButton, Qt::ShiftModifier, p);
    const int start = slider()->selectie.start;
    slider()->setValue(start + 4);
    QTest::mouseRelease(slider(), Qt::LeftButton, Qt::ShiftModifier, p);
    EXPECT_EQ(slider()->selectie.lengte, 4);
    EXPECT_EQ(slider()->toolTip(), vb::CStr((start + 4) / 2.0));
    control<QComboBox>("Combo1")->setCurrentText(QStringLiteral("2"));
    bereken();
    EXPECT_TRUE(rapport().contains(vb::Format(start / 200.0f, QStringLiteral("0.00 %")) + QLatin1Char('\t')));
    EXPECT_TRUE(rapport().contains(vb::Format((start + 4) / 200.0f, QStringLiteral("0.00 %")) + QLatin1Char('\t')));
}

TEST_F(GevoelAnaScreenTest, AlternativeRatesAreCheckedOnLeavingAndBeforeTheAnalysis)
{
    kies(1);
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Gevoeligheidsanalyse"),
                        QStringLiteral("Voer waarden voor inflatie en rente in."));
    bereken();

    auto *rente = control<QLineEdit>("txtRente");
    auto *inflatie = control<QLineEdit>("txtInflatie");
    typ(rente, QStringLiteral("8,01"));
    expectTarief("rente");
    QTest::keyClick(rente, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(rente->hasFocus());

    typ(rente, QStringLiteral("8"));
    QTest::keyClick(rente, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(rente->text(), QStringLiteral("8,00"));

    // The keypad's decimal key types a comma; the field with the focus is
    // checked before the analysis runs.
    typ(inflatie, QStringLiteral("1"));
    QTest::keyClick(inflatie, Qt::Key_Period, Qt::KeypadModifier);
    QTest::sendKeyEvent(QTest::Click, inflatie, Qt::Key_unknown, QStringLiteral("5"), Qt::NoModifier);
    EXPECT_EQ(inflatie->text(), QStringLiteral("1,5"));
    bereken();
    EXPECT_EQ(inflatie->text(), QStringLiteral("1,50"));
    EXPECT_TRUE(rapport().contains(QStringLiteral("Bij rente van 8,00 % en inflatie van 1,50 %: \n\ndoelvermogen\t% "
                                                  "hoger dan uitgangssituatie\n")));

    typ(inflatie, QStringLiteral("0,5"));
    expectTarief("inflatie");
    bereken();
    EXPECT_EQ(rapport().count(QStringLiteral("Bij rente van")), 1);
}

TEST_F(GevoelAnaScreenTest, TheCloseButtonUnloadsTheScreen)
{
    QTest::mouseClick(control<QPushButton>("CancelButton"), Qt::LeftButton);
    EXPECT_TRUE(screens::Form::loadedForms().isEmpty());
}

} // namespace

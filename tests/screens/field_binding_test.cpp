// The binding of a screen's controls to a site row, offscreen: each kind of
// field in its picture, only typed (or screen-changed) controls written,
// a refused or non-numeric text never written, values the program puts
// into the record shown at once except where the user is typing, text boxes
// no longer than their columns, whole-number fields that take no fraction,
// and a value the field refuses kept marked until it is corrected.

#include "screens/field_binding.h"

#include "records/clsStort.h"
#include "records/site_fixture.h"
#include "support/qstring_printer.h"
#include "support/widget_driver.h"

#include "platform/core/error.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

class FieldBindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        stort = std::make_unique<records::clsStort>(site.context());
        stort->initializeStort(site.siteId);
        stort->setValue(QStringLiteral("sngRentePerc"), 4.5);
        stort->setValue(QStringLiteral("dtmAanvangNazorg"), QDateTime(QDate(2031, 3, 16), QTime(0, 0)));
        stort->setValue(QStringLiteral("bytObjectgebonden"), 1);
        stort->setValue(QStringLiteral("sngAlgAppKostenBasis"), QVariant());
        binding = std::make_unique<screens::FieldBindings>(*stort);
        binding->add(naam, QStringLiteral("strStortNaam"));
        binding->add(rente, QStringLiteral("sngRentePerc"), QStringLiteral("0.00"));
        binding->add(datum, QStringLiteral("dtmAanvangNazorg"));
        binding->add(bedrag, QStringLiteral("sngAlgAppKostenBasis"), QStringLiteral("€ #,##0"));
        binding->add(riv, QStringLiteral("strRIVMnr"));
        binding->add(object, QStringLiteral("bytObjectgebonden"));
    }

    void TearDown() override
    {
        binding.reset();
        stort.reset();
    }

    static void typ(QLineEdit *e, const QString &text) { testsupport::replaceText(e, text); }

    QVariant value(const char *field) const { return stort->value(QLatin1String(field)); }

    testsupport::SiteFixture site;
    std::unique_ptr<records::clsStort> stort;
    QWidget scherm;
    QLineEdit *naam = new QLineEdit(&scherm), *rente = new QLineEdit(&scherm), *datum = new QLineEdit(&scherm),
              *bedrag = new QLineEdit(&scherm), *riv = new QLineEdit(&scherm);
    QCheckBox *object = new QCheckBox(&scherm);
    QLineEdit *later = new QLineEdit(&scherm);
    std::unique_ptr<screens::FieldBindings> binding;
};

TEST_F(FieldBindingTest, ShowsEveryKindOfFieldInItsPicture)
{
    EXPECT_EQ(naam->text(), QStringLiteral("Stort 't Veld"));
    EXPECT_EQ(rente->text(), QStringLiteral("4,50"));
    EXPECT_EQ(datum->text(), QStringLiteral("16-3-2031"));
    EXPECT_EQ(bedrag->text(), QString());
    EXPECT_TRUE(object->isChecked());
    EXPECT_EQ(binding->fieldOf(rente), QStringLiteral("sngRentePerc"));
    for (QWidget *w : {static_cast<QWidget *>(naam), static_cast<QWidget *>(object)})
        EXPECT_FALSE(binding->isChanged(w));
}

TEST_F(FieldBindingTest, OnlyTypedOrScreenChangedControlsAreWritten)
{
    // A text put in by code that bypasses the binding is not written.
    rente->setText(QStringLiteral("7"));
    naam->setText(QStringLiteral("Anders"));
    EXPECT_FALSE(binding->isChanged(rente));
    binding->writeAll();
    EXPECT_FLOAT_EQ(value("sngRentePerc").toFloat(), 4.5f);
    EXPECT_EQ(value("strStortNaam").toString(), QStringLiteral("Stort 't Veld"));

    const struct {
        QLineEdit *edit;
        const char *field;
        const char *typed;
        QVariant stored;
        const char *shown;
    } cases[] = {
        {rente, "sngRentePerc", "6,25", 6.25f, "6,25"},
        {rente, "sngRentePerc", "6", 6.0f, "6,00"},
        {rente, "sngRentePerc", "", QVariant(), ""},
        {datum, "dtmAanvangNazorg", "1-4-2032", QDateTime(QDate(2032, 4, 1), QTime(0, 0)), "1-4-2032"},
        {bedrag, "sngAlgAppKostenBasis", "15000", 15000.0f, "€ 15.000"},
        {naam, "strStortNaam", "  Stort Zuid", QStringLiteral("  Stort Zuid"), "  Stort Zuid"},
        {riv, "strRIVMnr", " ", QVariant(), ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        typ(c.edit, QString::fromUtf8(c.typed));
        EXPECT_TRUE(binding->isChanged(c.edit));
        binding->write(c.edit);
        EXPECT_FALSE(binding->isChanged(c.edit));
        const QVariant v = value(c.field);
        if (c.stored.isNull())
            EXPECT_TRUE(v.isNull());
        else if (c.stored.typeId() == QMetaType::Float)
            EXPECT_FLOAT_EQ(v.toFloat(), c.stored.toFloat());
        else if (c.stored.typeId() == QMetaType::QDateTime)
            EXPECT_EQ(v.toDateTime(), c.stored.toDateTime());
        else
            EXPECT_EQ(v.toString(), c.stored.toString());
        EXPECT_EQ(c.edit->text(), QString::fromUtf8(c.shown));
    }

    // The screen's own change is written as a typed one; a click too.
    binding->setText(naam, QStringLiteral("Stort Noord"));
    object->click();
    binding->writeAll();
    EXPECT_EQ(value("strStortNaam").toString(), QStringLiteral("Stort Noord"));
    EXPECT_EQ(value("bytObjectgebonden").toInt(), 0);
}

TEST_F(FieldBindingTest, ARefusedOrNonNumericTextNeverReachesTheRecord)
{
    // Refused by the screen's check: the mark is cleared.
    typ(rente, QStringLiteral("99"));
    binding->setChanged(rente, false);
    binding->writeAll();
    EXPECT_FLOAT_EQ(value("sngRentePerc").toFloat(), 4.5f);

    // Not a number (not a date): not written, the mark stays for the check.
    for (QLineEdit *e : {rente, datum}) {
        typ(e, QStringLiteral("veel"));
        binding->write(e);
        EXPECT_TRUE(binding->isChanged(e));
        EXPECT_EQ(e->text(), QStringLiteral("veel"));
    }
    EXPECT_FLOAT_EQ(value("sngRentePerc").toFloat(), 4.5f);
    EXPECT_EQ(value("dtmAanvangNazorg").toDateTime().date(), QDate(2031, 3, 16));
}

TEST_F(FieldBindingTest, FollowsTheRecordExceptWhereTheUserTypes)
{
    stort->AppKostenBasis(1234.0f);
    EXPECT_EQ(bedrag->text(), QStringLiteral("€ 1.234"));

    typ(bedrag, QStringLiteral("99"));
    stort->AppKostenBasis(5.0f);
    EXPECT_EQ(bedrag->text(), QStringLiteral("99"));
    EXPECT_TRUE(binding->isChanged(bedrag));

    // Filling again shows the record and clears the marks.
    binding->load();
    EXPECT_EQ(bedrag->text(), QStringLiteral("€ 5"));
    EXPECT_FALSE(binding->isChanged(bedrag));
}

TEST_F(FieldBindingTest, ATextBoxTakesNoMoreThanItsColumn)
{
    EXPECT_EQ(riv->maxLength(), 50);
    typ(riv, QString(51, QLatin1Char('9')));
    EXPECT_EQ(riv->text(), QString(50, QLatin1Char('9')));
    // A limit of the screen's own that is smaller stays.
    QLineEdit kort(&scherm);
    kort.setMaxLength(20);
    binding->add(&kort, QStringLiteral("strVergNaam"));
    EXPECT_EQ(kort.maxLength(), 20);
}

TEST_F(FieldBindingTest, AValueTheFieldRefusesStaysMarkedUntilItIsCorrected)
{
    QLineEdit jaar(&scherm);
    binding->add(&jaar, QStringLiteral("intJaarPrijsPeil"));
    typ(&jaar, QStringLiteral("99999")); // beyond an Integer column
    typ(naam, QStringLiteral("Stort Oost"));
    // Every other marked control is written before the error reaches the
    // caller; the refused one is tried again at every write, not dropped.
    EXPECT_THROW(binding->writeAll(), platform::Error);
    EXPECT_EQ(value("strStortNaam").toString(), QStringLiteral("Stort Oost"));
    EXPECT_TRUE(binding->isChanged(&jaar));
    EXPECT_THROW(binding->writeAll(), platform::Error);
    typ(&jaar, QStringLiteral("2008"));
    EXPECT_NO_THROW(binding->writeAll());
    EXPECT_EQ(value("intJaarPrijsPeil").toInt(), 2008);
}

TEST_F(FieldBindingTest, AWholeNumberFieldTakesNoFraction)
{
    QLineEdit jaar(&scherm);
    binding->add(&jaar, QStringLiteral("intJaarPrijsPeil"));
    const struct {
        QLineEdit *edit;
        const char *text;
        bool takes;
    } cases[] = {{&jaar, "2008", true}, {&jaar, "2008,5", false}, {&jaar, "2.008", true}, {&jaar, "2008,0", true},
                 {rente, "4,5", true},  {rente, "4.5", false},    {rente, "12.50", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        typ(c.edit, QString::fromUtf8(c.text));
        EXPECT_EQ(binding->holdsNumber(c.edit), c.takes);
    }
}

TEST_F(FieldBindingTest, AValueTheScreenKeepsIsBoundAsAControlIs)
{
    // The screen's model holds a code; its setter marks a change and sets a
    // default in a box bound after it, as an option's change handler does.
    std::optional<int> code;
    const auto setter = [&](std::optional<int> c) {
        if (c == code)
            return;
        code = c;
        binding->markChanged(QStringLiteral("bytRapEval"));
        binding->setText(later, QStringLiteral("standaard"));
    };
    stort->setValue(QStringLiteral("bytRapEval"), 2);
    stort->setValue(QStringLiteral("strVergNaam"), QStringLiteral("opgeslagen"));
    binding->addValue(
        QStringLiteral("bytRapEval"),
        [&](const QVariant &v) { setter(v.isNull() ? std::nullopt : std::optional<int>(v.toInt())); },
        [&] { return code ? QVariant(*code) : QVariant(); });
    binding->add(later, QStringLiteral("strVergNaam"));

    // Filled in its place and unmarked: the box bound after it shows the
    // row, not the default the setter put in.
    EXPECT_EQ(code, 2);
    code = 7;
    binding->load();
    EXPECT_EQ(code, 2);
    EXPECT_FALSE(binding->isValueChanged(QStringLiteral("bytRapEval")));
    EXPECT_EQ(later->text(), QStringLiteral("opgeslagen"));
    EXPECT_FALSE(binding->isChanged(later));

    // Only a marked value is written.
    code = 5;
    binding->writeAll();
    EXPECT_EQ(value("bytRapEval").toInt(), 2);
    setter(3);
    EXPECT_TRUE(binding->isValueChanged(QStringLiteral("bytRapEval")));
    binding->writeAll();
    EXPECT_EQ(value("bytRapEval").toInt(), 3);
    EXPECT_FALSE(binding->isValueChanged(QStringLiteral("bytRapEval")));

    // It follows the record, Null included, except while it is marked.
    stort->setValue(QStringLiteral("bytRapEval"), 1);
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(binding->isValueChanged(QStringLiteral("bytRapEval")));
    stort->setValue(QStringLiteral("bytRapEval"), QVariant());
    EXPECT_EQ(code, std::nullopt);
    setter(4);
    stort->setValue(QStringLiteral("bytRapEval"), 0);
    EXPECT_EQ(code, 4);
    binding->writeAll();
    EXPECT_EQ(value("bytRapEval").toInt(), 4);

    // One value written on its own, only when it is marked, and no other.
    code = 6;
    binding->writeValue(QStringLiteral("bytRapEval"));
    EXPECT_EQ(value("bytRapEval").toInt(), 4);
    const QVariant naamVoor = value("strVergNaam");
    binding->setText(later, QStringLiteral("ander"));
    setter(7);
    binding->writeValue(QStringLiteral("bytRapEval"));
    EXPECT_EQ(value("bytRapEval").toInt(), 7);
    EXPECT_FALSE(binding->isValueChanged(QStringLiteral("bytRapEval")));
    EXPECT_TRUE(binding->isChanged(later));
    EXPECT_EQ(value("strVergNaam"), naamVoor);
}

} // namespace

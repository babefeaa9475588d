// Reading numbers: Val (invariant), CDbl/CSng/IsNumeric (Dutch) and the one
// reading of typed input, TypedNumber, for both kinds of number field.

#include "platform/text/number_parse.h"

#include "process_locale.h"

#include "support/qstring_printer.h"
#include "support/raised_error.h"

#include <QLocale>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

using testsupport::errorNumber;

TEST(VbTextParse, ValReadsTheInvariantFormAndStopsAtTheFirstOtherCharacter)
{
    const struct {
        const char *text;
        double expected;
    } cases[] = {
        {"4,5", 4.0},           {"", 0.0},         {"abc", 0.0},     {"-", 0.0},           {"1.5", 1.5},
        {"  -1.5abc", -1.5},    {" 1 2 3", 123.0}, {"- 5", -5.0},    {"+5", 5.0},          {"\t7\n", 7.0},
        {"12 345,67", 12345.0}, {"1.2.3", 1.2},    {".5", 0.5},      {"1e3", 1000.0},      {"1E-2", 0.01},
        {"1 e 3", 1000.0},      {"2D2", 200.0},    {"1e", 1.0},      {"1e+", 1.0},         {"3x4", 3.0},
        {"&HFF", 255.0},        {"&hff", 255.0},   {"&HFFFF", -1.0}, {"&H10000", 65536.0}, {"&HFFFFFFFF", -1.0},
        {"&O17", 15.0},         {"&H", 0.0},       {"&X1", 0.0},     {"1e-999", 0.0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::Val(QString::fromUtf8(c.text)), c.expected) << c.text;
    EXPECT_EQ(errorNumber([] { vb::Val(QStringLiteral("1e999")); }), 6);
    EXPECT_EQ(errorNumber([] { vb::Val(QStringLiteral("&H100000000")); }), 6);
}

TEST(VbTextParse, DutchNumbersThatAreAccepted)
{
    const struct {
        const char *text;
        double expected;
    } cases[] = {
        {"4,5", 4.5},
        {"0,1", 0.1},
        {" 12 ", 12.0},
        {"\t12\u00A0", 12.0},
        {",5", 0.5},
        {"5,", 5.0},
        {"007", 7.0},
        {"1.234", 1234.0},
        {"1.234,5", 1234.5},
        {"12.345.678", 12345678.0},
        {"-4,5", -4.5},
        {"+4,5", 4.5},
        {"- 4,5", -4.5},
        {"4,5-", -4.5},
        {"(4,5)", -4.5},
        {"( 1.234 )", -1234.0},
        {"€ 1.234,50", 1234.5},
        {"€1234", 1234.0},
        {"1234 €", 1234.0},
        {"-€ 1.234", -1234.0},
        {"€ -5", -5.0},
        {"1,5E3", 1500.0},
        {"2e-4", 0.0002},
        {"1D2", 100.0},
        {"1e-400", 0.0},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(vb::CDbl(text), c.expected) << c.text;
        EXPECT_TRUE(vb::IsNumeric(text)) << c.text;
    }
}

TEST(VbTextParse, TextsThatAreNotDutchNumbers)
{
    const char *texts[] = {
        "",     "   ",    "abc",      "-",    "+",    ",",      ".",     "€",
        "4.5", // a point is not a decimal comma
        "1.23", "1.2345", "1234.567", ".5",   "1.",   "1..234", "4,5,6", "1,5.0",    "4,5x",
        "x4,5", "5 5",    "1 234",    "1e",   "1e+",  "--5",    "+-5",   "-5-",      "-(5)",
        "(-5)", "(5",     "€€5",      "&H10", "0x10", "1/2",    "12:30", "1-3-2031",
    };
    for (const char *t : texts) {
        const QString text = QString::fromUtf8(t);
        EXPECT_FALSE(vb::IsNumeric(text)) << t;
        EXPECT_EQ(errorNumber([&] { vb::CDbl(text); }), 13) << t;
        EXPECT_EQ(errorNumber([&] { vb::CSng(text); }), 13) << t;
    }
}

TEST(VbTextParse, OutOfRangeIsAnOverflow)
{
    EXPECT_EQ(errorNumber([] { vb::CDbl(QStringLiteral("1e400")); }), 6);
    EXPECT_EQ(errorNumber([] { vb::CSng(QStringLiteral("1e39")); }), 6);
    EXPECT_EQ(errorNumber([] { vb::CSng(QStringLiteral("-3,5E38")); }), 6);
    EXPECT_FALSE(vb::IsNumeric(QStringLiteral("1e400")));
    EXPECT_TRUE(vb::IsNumeric(QStringLiteral("1e39")));
}

TEST(VbTextParse, VeryLongNumbersAreJudgedByTheirWholeLength)
{
    // 1 followed by 200.000 zeros, times 10^-300000: 10^-100000, which is 0.
    const QString zeros(200000, QLatin1Char('0'));
    const QString tiny = QStringLiteral("1") + zeros + QStringLiteral("e-300000");
    EXPECT_EQ(vb::Val(tiny), 0.0);
    EXPECT_EQ(vb::CDbl(tiny), 0.0);
    EXPECT_EQ(vb::CSng(tiny), 0.0f);
    // 0,000...01 times 10^300000: 10^99999, far too large.
    EXPECT_EQ(errorNumber([&] { vb::Val(QStringLiteral("0.") + zeros + QStringLiteral("1e300000")); }), 6);
    EXPECT_EQ(errorNumber([&] { vb::CDbl(QStringLiteral("0,") + zeros + QStringLiteral("1e300000")); }), 6);
    // Long, but in range.
    EXPECT_EQ(vb::Val(QStringLiteral("1") + zeros + QStringLiteral("e-200000")), 1.0);
}

TEST(VbTextParse, CSngGivesTheNearestFloat)
{
    EXPECT_EQ(vb::CSng(QStringLiteral("4,5")), 4.5f);
    EXPECT_EQ(vb::CSng(QStringLiteral("0,1")), 0.1f);
    EXPECT_EQ(vb::CSng(QStringLiteral("34,444443")), 34.444443f);
    EXPECT_EQ(vb::CSng(QStringLiteral("2,00")), 2.0f);
    EXPECT_EQ(vb::CSng(QStringLiteral("€ 12.500")), 12500.0f);
}

// Every typed text, for a field of fractions and one of whole numbers: the
// value it is read as, or a refusal. Nothing is read as another number.
void checkTypedNumbers()
{
    const std::optional<double> weg;
    const struct {
        const char *text;
        std::optional<double> fraction;
        std::optional<double> whole;
    } cases[] = {
        {"4,5", 4.5, weg},            // the comma is the decimal sign
        {"4.5", weg, weg},            // never 45
        {"12.50", weg, weg},          // not a valid grouping: refused
        {"12.500", 12500.0, 12500.0}, // grouping in its places
        {"1.234.567,8", 1234567.8, weg},
        {"1.23.456", weg, weg},
        {".5", weg, weg},
        {"12,5", 12.5, weg}, // a whole field refuses, not cuts
        {"12,0", 12.0, 12.0},
        {"2010", 2010.0, 2010.0},
        {" 7 ", 7.0, 7.0},
        {"-3", -3.0, -3.0},
        {"€ 5.000,50", 5000.5, weg}, // as the amount boxes show it
        {"€ 15.000", 15000.0, 15000.0},
        {"4x", weg, weg},
        {"4,5,6", weg, weg},
        {"", weg, weg},
        {"   ", weg, weg},
        {"1e400", weg, weg},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(vb::TypedNumber(QString::fromUtf8(c.text)), c.fraction);
        EXPECT_EQ(vb::TypedNumber(QString::fromUtf8(c.text), vb::NumberKind::Whole), c.whole);
    }
}

TEST(TypedNumber, OneRuleForEveryFieldUnderTheCLocale)
{
    checkTypedNumbers();
}

TEST(TypedNumber, OneRuleForEveryFieldUnderADutchLocale)
{
    const QLocale qtBefore;
    {
        const texttest::ProcessLocale dutch("nl_NL.UTF-8");
        ASSERT_TRUE(dutch.isSet());
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        checkTypedNumbers();
    }
    QLocale::setDefault(qtBefore);
}

} // namespace

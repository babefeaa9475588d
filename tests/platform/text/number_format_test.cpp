// Format(x, picture) for numbers under the Dutch settings.

#include "platform/text/number_format.h"

#include "support/qstring_printer.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct Case {
    const char *picture;
    double value;
    const char *expected;
};

void expectAll(const std::initializer_list<Case> &cases)
{
    for (const Case &c : cases) {
        EXPECT_EQ(vb::Format(c.value, QString::fromUtf8(c.picture)), QString::fromUtf8(c.expected))
            << "Format(" << c.value << ", \"" << c.picture << "\")";
    }
}

TEST(VbTextFormat, AmountPicturesGroupThousandsWithDots)
{
    expectAll({
        {"€ #,##0", 1234.0, "€ 1.234"},
        {"€ #,##0", 1234.5, "€ 1.235"},
        {"€ #,##0", 999.0, "€ 999"},
        {"€ #,##0", 0.0, "€ 0"},
        {"€ #,##0", 1234567.891, "€ 1.234.568"},
        {"€ #,##0", 1e12, "€ 1.000.000.000.000"},
        {"€ #,#0", 1234567.891, "€ 1.234.568"},
        {"€ #,#0", 999.5, "€ 1.000"},
        {"€ #,#0", 0.0, "€ 0"},
        {"€ #,#0", 12.0, "€ 12"},
        {"€ #,##0.00", 1234.5, "€ 1.234,50"},
        {"€ #,##0.00", 1234567.891, "€ 1.234.567,89"},
        {"€ #,##0.00", 0.0, "€ 0,00"},
        {"€ 0.00", 12.5, "€ 12,50"},
        {"€ 0", 12.5, "€ 13"},
        {"€ #,##", 1234.0, "€ 1.234"},
        {"€ #,##", 0.0, "€ "},
        {"#,##0", 1000.0, "1.000"},
        {"#,##0", 999.0, "999"},
        {"#,##0", 1234567.0, "1.234.567"},
        {"#,##0.00", 1234.5, "1.234,50"},
        {"#,##0.00", 0.5, "0,50"},
        {"€ #,##0.--", 1234.0, "€ 1.234,--"},
        {"€ #,##0.--", 1234.6, "€ 1.235,--"},
    });
}

TEST(VbTextFormat, HashCommaHashIsEmptyForZero)
{
    expectAll({
        {"#,#", 0.0, ""},
        {"#,#", 0.4, ""},
        {"#,#", 12.5, "13"},
        {"#,#", 1234.0, "1.234"},
        {"#,#", 1234567.0, "1.234.567"},
        {"#,#", -5.0, "-5"},
    });
}

TEST(VbTextFormat, NegativeValuesGetOneMinusInFrontOfTheWholeText)
{
    expectAll({
        {"€ #,##0", -1234.0, "-€ 1.234"},
        {"€ #,#0", -1234567.891, "-€ 1.234.568"},
        {"€ #,##0.00", -1234.5, "-€ 1.234,50"},
        {"#,##0", -1000000.0, "-1.000.000"},
        {"(0.0%)", -0.1234, "-(12,3%)"},
        {"0.00", -3.5, "-3,50"},
    });
}

TEST(VbTextFormat, ValueThatRoundsToZeroHasNoMinus)
{
    expectAll({
        {"€ #,##0", -0.4, "€ 0"},
        {"€ #,##0.00", -0.004, "€ 0,00"},
        {"0.0%", -0.0004, "0,0%"},
        {"0", -0.0, "0"},
        {"#,#", -0.3, ""},
    });
}

TEST(VbTextFormat, RoundsHalfAwayFromZeroOnTheExactBinaryValue)
{
    expectAll({
        {"0", 0.5, "1"},
        {"0", 1.5, "2"},
        {"0", 2.5, "3"},
        {"0", -0.5, "-1"},
        {"0", -2.5, "-3"},
        {"0.00", 0.125, "0,13"}, // exactly half
        {"0.00", 0.375, "0,38"},
        {"0.00", -0.125, "-0,13"},
        {"0.00", 2.675, "2,67"}, // binary value lies below the half
        {"0.00", 1.005, "1,00"},
        {"#0.00", 12.345, "12,35"}, // binary value lies above the half
        {"0.0", 0.35, "0,3"},
        {"0.0", 0.25, "0,3"},
        {"€ #,##0.00", 0.005, "€ 0,01"},
        {"0.00", 9.995, "9,99"},
        {"0.00", 9.999, "10,00"},
        {"€ #,##0", 999999.5, "€ 1.000.000"},
    });
}

TEST(VbTextFormat, PercentMultipliesByHundred)
{
    expectAll({
        {"0.0%", 0.0506, "5,1%"},
        {"0.0%", 0.125, "12,5%"},
        {"0.0%", 0.0, "0,0%"},
        {"0.0%", -0.05, "-5,0%"},
        {"0.00%", 0.0506, "5,06%"},
        {"0.00%", 1.0, "100,00%"},
        {"0%", 0.125, "13%"},
        {"0%", 0.005, "1%"},
        {"(0.0%)", 0.1234, "(12,3%)"},
        {"0.00 %", 0.0506, "5,06 %"},
        {"0.0 %", 0.0125, "1,3 %"},
    });
}

TEST(VbTextFormat, PlainDecimalPictures)
{
    expectAll({
        {"0.00", 3.5, "3,50"},
        {"0.00", 0.0, "0,00"},
        {"0.00", 1234567.891, "1234567,89"},
        {"0.0", 0.04, "0,0"},
        {"0.0", 12.0, "12,0"},
        {"0", 1234567.891, "1234568"},
        {"0", 1e15, "1000000000000000"},
        {"#0.00", 0.5, "0,50"},
        {"##0.0", 0.04, "0,0"},
        {"##0.0", 1234.56, "1234,6"},
        {"#.00", 0.5, ",50"},
        {".00", 12.5, "12,50"},
    });
}

TEST(VbTextFormat, OptionalDecimalsThatComeOutZeroAreLeftOut)
{
    expectAll({
        {"0.0#", 2.0, "2,0"},
        {"0.0#", 2.5, "2,5"},
        {"0.0#", 2.25, "2,25"},
        {"0.0#", 2.125, "2,13"},
        {"0.0#", 12.001, "12,0"},
        {"0.##", 1.0, "1,"},
    });
}

TEST(VbTextFormat, CommaBeforeThePointDividesByThousand)
{
    expectAll({
        {"#,##0,", 1234567.0, "1.235"},
        {"0,", 1500.0, "2"},
        {"0,,.0", 2500000.0, "2,5"},
        {"0.0,", 2500.0, "2500,0"}, // a comma among the decimals does nothing
    });
}

TEST(VbTextFormat, SectionsForNegativeAndZero)
{
    expectAll({
        {"0.00;(0.00);\\n\\u\\l", 1.5, "1,50"},
        {"0.00;(0.00);\\n\\u\\l", -1.5, "(1,50)"},
        {"0.00;(0.00);\\n\\u\\l", 0.0, "nul"},
        {"0.00;(0.00)", 0.0, "0,00"},
        {"0;;\"geen\"", -5.0, "-5"},
        {"0;;\"geen\"", 0.0, "geen"},
        {"€ #,##0;€ -#,##0", -1234.0, "€ -1.234"},
    });
}

TEST(VbTextFormat, QuotedAndEscapedLiterals)
{
    expectAll({
        {"\"Totaal: \"0", 5.0, "Totaal: 5"},
        {"\"0.0#;\"0", 5.0, "0.0#;5"},
        {"0\\%", 5.0, "5%"},
        {"0 \"m2\"", 5.0, "5 m2"},
    });
}

TEST(VbTextFormat, NamedFormatsAndEmptyPicture)
{
    expectAll({
        {"Fixed", 1234.5, "1234,50"},
        {"standard", 1234.5, "1.234,50"},
        {"Percent", 0.5, "50,00%"},
        {"General Number", 1234.5, "1234,5"},
        {"", 1234.5, "1234,5"},
        {"", 1.0 / 3.0, "0,333333333333333"},
    });
}

TEST(VbTextFormat, APictureGivesTheSameTextEachTimeAmongManyOthers)
{
    // More pictures than are kept parsed, twice over, each with its own text.
    for (int ronde = 0; ronde < 2; ++ronde)
        for (int i = 0; i < 600; ++i) {
            const QString picture = QStringLiteral("\"n%1 \"#,##0.00;\"m%1 \"0").arg(i);
            EXPECT_EQ(vb::Format(-1234.5 * (i % 2 ? 1 : -1), picture),
                      i % 2 ? QStringLiteral("m%1 1235").arg(i) : QStringLiteral("n%1 1.234,50").arg(i))
                << picture.toStdString();
        }
    EXPECT_EQ(vb::Format(2.5, QStringLiteral("Fixed")), QStringLiteral("2,50"));
    EXPECT_EQ(vb::Format(2.5, QStringLiteral("fixed")), QStringLiteral("2,50"));
}

TEST(VbTextFormat, FloatIsWidenedToDoubleBeforeRounding)
{
    // 0.285f is 0.28499999642..., 1.005f is 1.00499999523..., 0.125f exact.
    EXPECT_EQ(vb::Format(0.285f, QStringLiteral("0.00")), QStringLiteral("0,28"));
    EXPECT_EQ(vb::Format(1.005f, QStringLiteral("0.00")), QStringLiteral("1,00"));
    EXPECT_EQ(vb::Format(0.125f, QStringLiteral("0.00")), QStringLiteral("0,13"));
    EXPECT_EQ(vb::Format(0.1f, QStringLiteral("0.000000000")), QStringLiteral("0,100000001"));
    EXPECT_EQ(vb::Format(34.444443f, QStringLiteral("0.00")), QStringLiteral("34,44"));
    EXPECT_EQ(vb::Format(1234567.8f, QStringLiteral("#,##0")), QStringLiteral("1.234.568"));
    EXPECT_EQ(vb::Format(-2.5f, QStringLiteral("€ #,#0")), QStringLiteral("-€ 3"));
    // Without a picture a float keeps its own 7-digit text.
    EXPECT_EQ(vb::Format(0.1f, QString()), QStringLiteral("0,1"));
    EXPECT_EQ(vb::Format(34.444443f, QStringLiteral("General Number")), QStringLiteral("34,44444"));
}

TEST(VbTextFormat, WholeNumbersKeepEveryDigit)
{
    EXPECT_EQ(vb::Format(1234, QStringLiteral("€ #,##0")), QStringLiteral("€ 1.234"));
    EXPECT_EQ(vb::Format(-5, QStringLiteral("0.00")), QStringLiteral("-5,00"));
    EXPECT_EQ(vb::Format(0, QStringLiteral("#,#")), QString());
    // 2^53 + 1 has no double of its own.
    EXPECT_EQ(vb::Format(std::int64_t(9007199254740993), QStringLiteral("#,##0")),
              QStringLiteral("9.007.199.254.740.993"));
    EXPECT_EQ(vb::Format(std::numeric_limits<std::int64_t>::min(), QStringLiteral("0")),
              QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(vb::Format(short(12), QStringLiteral("0%")), QStringLiteral("1200%"));
    EXPECT_EQ(vb::Format(42, QString()), QStringLiteral("42"));
}

TEST(VbTextFormat, BooleanIsMinusOneOrZero)
{
    EXPECT_EQ(vb::Format(true, QStringLiteral("0")), QStringLiteral("-1"));
    EXPECT_EQ(vb::Format(false, QStringLiteral("0")), QStringLiteral("0"));
    EXPECT_EQ(vb::Format(true, QString()), QStringLiteral("True"));
}

TEST(VbTextFormat, NonFiniteValuesDoNotCrash)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(vb::Format(inf, QStringLiteral("€ #,#0")), QStringLiteral("1,#INF"));
    EXPECT_EQ(vb::Format(-inf, QStringLiteral("0.00")), QStringLiteral("-1,#INF"));
    EXPECT_EQ(vb::Format(std::nan(""), QStringLiteral("0.0%")), QStringLiteral("-1,#IND"));
    EXPECT_EQ(vb::Format(1e308, QStringLiteral("0%")), QStringLiteral("1,#INF"));
    EXPECT_FALSE(vb::Format(1e308, QStringLiteral("#,##0")).isEmpty());
}

} // namespace

// The default text of numbers (CStr) and the locale-independent Str.

#include "platform/text/number_text.h"

#include "support/qstring_printer.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(VbTextNumber, SingleHasAtMostSevenSignificantDigits)
{
    const struct {
        float value;
        const char *expected;
    } cases[] = {
        {34.444443f, "34,44444"}, // not the shortest round-trip form 34.444443
        {1234567.8f, "1234568"},  // the float is 1234567.75
        {0.1f, "0,1"},
        {0.035f * 100.0f, "3,5"},
        {1.0f / 3.0f, "0,3333333"},
        {5.0f, "5"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {-2.5f, "-2,5"},
        {-34.444443f, "-34,44444"},
        {9999999.0f, "9999999"},
        {654322.25f, "654322,3"}, // an exact half rounds away from zero
        {2030.1666f, "2030,167"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::CStr(c.value), QString::fromUtf8(c.expected)) << c.value;
}

TEST(VbTextNumber, SingleTakesTheExponentFormOutsideItsRange)
{
    const struct {
        float value;
        const char *expected;
    } cases[] = {
        {1e7f, "1E+07"},
        {12345678.0f, "1,234568E+07"},
        {-12345678.0f, "-1,234568E+07"},
        {1e-5f, "1E-05"},  // 9.99999974e-06 rounds up to a new leading digit
        {1e-4f, "0,0001"}, // still fixed
        {1.5e-5f, "1,5E-05"},
        {std::numeric_limits<float>::max(), "3,402823E+38"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::CStr(c.value), QString::fromUtf8(c.expected)) << c.value;
}

TEST(VbTextNumber, DoubleHasAtMostFifteenSignificantDigits)
{
    const struct {
        double value;
        const char *expected;
    } cases[] = {
        {0.1, "0,1"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3.0, "0,333333333333333"},
        {2.0 / 3.0, "0,666666666666667"},
        {static_cast<double>(0.1f), "0,100000001490116"},
        {34.444443, "34,444443"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1,23456789012346E+15"},
        {1e15, "1E+15"},
        {0.0001, "0,0001"},
        {0.00001, "1E-05"},
        {1e-300, "1E-300"},
        {-1.5, "-1,5"},
        {100.0, "100"},
        {0.0, "0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::CStr(c.value), QString::fromUtf8(c.expected)) << c.value;
}

TEST(VbTextNumber, WholeNumbersAndBooleans)
{
    EXPECT_EQ(vb::CStr(5), QStringLiteral("5"));
    EXPECT_EQ(vb::CStr(-32768), QStringLiteral("-32768"));
    EXPECT_EQ(vb::CStr(std::numeric_limits<std::int64_t>::max()), QStringLiteral("9223372036854775807"));
    EXPECT_EQ(vb::CStr(std::uint8_t(200)), QStringLiteral("200"));
    EXPECT_EQ(vb::CStr(true), QStringLiteral("True"));
    EXPECT_EQ(vb::CStr(false), QStringLiteral("False"));
    EXPECT_EQ(vb::BoolToNumber(true), -1);
    EXPECT_EQ(vb::BoolToNumber(false), 0);
}

TEST(VbTextNumber, StrUsesAPointAndALeadingBlank)
{
    EXPECT_EQ(vb::Str(1.5), QStringLiteral(" 1.5"));
    EXPECT_EQ(vb::Str(-1.5), QStringLiteral("-1.5"));
    EXPECT_EQ(vb::Str(0.0), QStringLiteral(" 0"));
    EXPECT_EQ(vb::Str(1.0 / 3.0), QStringLiteral(" 0.333333333333333"));
    EXPECT_EQ(vb::Str(34.444443f), QStringLiteral(" 34.44444"));
    EXPECT_EQ(vb::Str(1e7f), QStringLiteral(" 1E+07"));
    EXPECT_EQ(vb::Str(-1.5e-5f), QStringLiteral("-1.5E-05"));
    EXPECT_EQ(vb::Str(12), QStringLiteral(" 12"));
    EXPECT_EQ(vb::Str(-12), QStringLiteral("-12"));
}

TEST(VbTextNumber, NonFiniteValues)
{
    EXPECT_EQ(vb::CStr(std::numeric_limits<double>::infinity()), QStringLiteral("1,#INF"));
    EXPECT_EQ(vb::CStr(-std::numeric_limits<float>::infinity()), QStringLiteral("-1,#INF"));
    EXPECT_EQ(vb::Str(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("-1.#IND"));
}

} // namespace

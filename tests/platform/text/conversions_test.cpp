// Int, Fix, Round and the whole-number conversions.

#include "platform/text/conversions.h"

#include "platform/core/error.h"
#include "support/qstring_printer.h"
#include "support/raised_error.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

using testsupport::errorNumber;

TEST(VbTextConversions, IntFloorsAndFixCutsTowardsZero)
{
    EXPECT_EQ(vb::Int(2.5), 2.0);
    EXPECT_EQ(vb::Int(-2.5), -3.0);
    EXPECT_EQ(vb::Int(-0.1), -1.0);
    EXPECT_EQ(vb::Int(-3.0), -3.0);
    EXPECT_EQ(vb::Fix(2.5), 2.0);
    EXPECT_EQ(vb::Fix(-2.5), -2.0);
    EXPECT_EQ(vb::Fix(-0.1), 0.0);
    EXPECT_EQ(vb::Int(2030.999f), 2030.0);
}

TEST(VbTextConversions, RoundIsHalfToEven)
{
    const struct {
        double value;
        int places;
        double expected;
    } cases[] = {
        {0.5, 0, 0.0},           {1.5, 0, 2.0},        {2.5, 0, 2.0},    {3.5, 0, 4.0},
        {-2.5, 0, -2.0},         {-1.5, 0, -2.0},      {2.4999, 0, 2.0}, {0.125, 2, 0.12},
        {0.375, 2, 0.38},        {1.005, 2, 1.0}, // 1.005 * 100 is 100.49999999999999
        {2.675, 2, 2.68},                         // 2.675 * 100 is exactly 267.5: even is 268
        {1234.5678, 2, 1234.57}, {-0.3335, 3, -0.334}, {1e20, 2, 1e20},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::Round(c.value, c.places), c.expected) << c.value << " to " << c.places;
    EXPECT_EQ(errorNumber([] { vb::Round(1.5, -1); }), 5);
}

TEST(VbTextConversions, CIntRoundsHalfToEvenWithinSixteenBits)
{
    EXPECT_EQ(vb::CInt(0.5), 0);
    EXPECT_EQ(vb::CInt(1.5), 2);
    EXPECT_EQ(vb::CInt(2.5), 2);
    EXPECT_EQ(vb::CInt(-2.5), -2);
    EXPECT_EQ(vb::CInt(-1.5), -2);
    EXPECT_EQ(vb::CInt(2.5000001), 3);
    EXPECT_EQ(vb::CInt(32767.4), 32767);
    EXPECT_EQ(vb::CInt(-32768.5), -32768);
    EXPECT_EQ(errorNumber([] { vb::CInt(32767.5); }), 6);
    EXPECT_EQ(errorNumber([] { vb::CInt(-32768.6); }), 6);
    EXPECT_EQ(errorNumber([] { vb::CInt(std::nan("")); }), 6);
}

TEST(VbTextConversions, CLngAndCByteRanges)
{
    EXPECT_EQ(vb::CLng(2147483647.4), 2147483647);
    EXPECT_EQ(vb::CLng(-2147483648.5), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(vb::CLng(100000.5), 100000);
    EXPECT_EQ(errorNumber([] { vb::CLng(2147483647.5); }), 6);
    EXPECT_EQ(errorNumber([] { vb::CLng(std::numeric_limits<double>::infinity()); }), 6);

    EXPECT_EQ(vb::CByte(255.4), 255);
    EXPECT_EQ(vb::CByte(-0.5), 0);
    EXPECT_EQ(vb::CByte(6.5), 6);
    EXPECT_EQ(errorNumber([] { vb::CByte(255.5); }), 6);
    EXPECT_EQ(errorNumber([] { vb::CByte(-0.6); }), 6);
}

TEST(VbTextConversions, TextIsReadUnderDutchRulesFirst)
{
    EXPECT_EQ(vb::CInt(QStringLiteral("2,5")), 2);
    EXPECT_EQ(vb::CInt(QStringLiteral("3,5")), 4);
    EXPECT_EQ(vb::CInt(QStringLiteral(" -7 ")), -7);
    EXPECT_EQ(vb::CInt(QStringLiteral("1.234")), 1234);
    EXPECT_EQ(vb::CLng(QStringLiteral("1.234.567,5")), 1234568);
    EXPECT_EQ(vb::CByte(QStringLiteral("12")), 12);
    EXPECT_EQ(errorNumber([] { vb::CInt(QStringLiteral("abc")); }), 13);
    EXPECT_EQ(errorNumber([] { vb::CInt(QString()); }), 13);
    EXPECT_EQ(errorNumber([] { vb::CInt(QStringLiteral("40.000")); }), 6);
    EXPECT_EQ(errorNumber([] { vb::CByte(QStringLiteral("-1")); }), 6);
}

TEST(VbTextConversions, ErrorsCarryThePlatformDescriptions)
{
    try {
        vb::CInt(1e6);
        FAIL() << "no overflow";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.description(), QStringLiteral("Overflow"));
    }
    try {
        vb::CLng(QStringLiteral("x"));
        FAIL() << "no type mismatch";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.description(), QStringLiteral("Type mismatch"));
    }
}

} // namespace

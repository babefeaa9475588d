// Stored texts read as booleans and numbers, with the old forms and a
// default for anything that does not convert.

#include "platform/settings/setting_readers.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(SettingReaders, Booleans)
{
    struct Case {
        const char *text;
        bool fallback;
        bool expected;
    };
    const Case cases[] = {
        {"True", false, true},
        {"False", true, false},
        {"true", false, true},
        {"FALSE", true, false},
        {"Waar", false, true},
        {"Onwaar", true, false},
        {"waar", false, true},
        {" Onwaar ", true, false},
        {"1", false, true},
        {"0", true, false},
        {"-1", false, true},
        {"2", false, true},
        {"0,0", true, false},
        {"0.5", false, true},
        {" 1 ", false, true},
        // garbage keeps the default
        {"", true, true},
        {"", false, false},
        {"ja", true, true},
        {"ja", false, false},
        {"Truee", false, false},
        {"1x", true, true},
        {"--1", false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(settings::toBool(c.text, c.fallback), c.expected);
    }
}

TEST(SettingReaders, WholeNumbers)
{
    struct Case {
        const char *text;
        qint32 asLong; // -999 stands for the default
        qint16 asInt;
        int asByte;
    };
    const qint32 d = -999;
    const Case cases[] = {
        {"16384", 16384, 16384, d},
        {"128", 128, 128, 128},
        {"0", 0, 0, 0},
        {"-1", -1, -1, d},
        {" 42 ", 42, 42, 42},
        {"255", 255, 255, 255},
        {"256", 256, 256, d},
        {"32767", 32767, 32767, d},
        {"32768", 32768, d, d},
        {"-32768", -32768, -32768, d},
        {"2147483647", 2147483647, d, d},
        {"2147483648", d, d, d},
        {"-2147483648", -2147483647 - 1, d, d},
        // fractions round half to even, with either decimal mark
        {"2,5", 2, 2, 2},
        {"3.5", 4, 4, 4},
        {"-2,5", -2, -2, d},
        {"8080,4", 8080, 8080, d},
        {"1E3", 1000, 1000, d},
        // garbage
        {"", d, d, d},
        {"abc", d, d, d},
        {"12abc", d, d, d},
        {"1.234,5", d, d, d},
        {"1,234.5", d, d, d},
        {"0x10", d, d, d},
        {"inf", d, d, d},
        {"nan", d, d, d},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(settings::toLong(c.text, d), c.asLong);
        EXPECT_EQ(settings::toInt(c.text, qint16(d)), c.asInt);
        EXPECT_EQ(int(settings::toByte(c.text, 77)), c.asByte == d ? 77 : c.asByte);
    }
}

TEST(SettingReaders, FloatingNumbers)
{
    struct Case {
        const char *text;
        float expected;
    };
    const Case cases[] = {
        {"19", 19.0f},     {"17,5", 17.5f}, {"17.5", 17.5f}, {"-0,25", -0.25f},
        {"1,5E2", 150.0f}, {" 21 ", 21.0f}, {"0,1", 0.1f},   {"34,44444", 34.44444f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(settings::toFloat(c.text, -1.0f), c.expected);
    }
    for (const char *garbage : {"", "negentien", "19%", "1.234,5", "1e39", "inf", "nan", ","}) {
        SCOPED_TRACE(garbage);
        EXPECT_EQ(settings::toFloat(garbage, 19.0f), 19.0f);
    }
    EXPECT_EQ(settings::toDouble("0,1", 0), 0.1);
    EXPECT_EQ(settings::toDouble("1e39", 0), 1e39);
    EXPECT_EQ(settings::toDouble("x", 2.5), 2.5);
}

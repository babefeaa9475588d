// System error numbers and their texts.

#include "platform/os/system_error.h"

#include <cerrno>
#include <gtest/gtest.h>

TEST(SystemError, NumbersLieInTheirOwnRange)
{
    EXPECT_EQ(os::systemErrorNumber(ENOENT), -2147024894L);
    EXPECT_TRUE(os::isSystemErrorNumber(os::systemErrorNumber(EACCES)));
    EXPECT_EQ(os::errnoOf(os::systemErrorNumber(EACCES)), EACCES);
    for (long other : {0L, 5L, 75L, 3021L, 32755L, -2147217900L, os::kSystemErrorBase}) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(os::isSystemErrorNumber(other));
        EXPECT_TRUE(os::systemErrorText(other).isEmpty());
    }
}

TEST(SystemError, TextOfANumber)
{
    EXPECT_EQ(os::systemErrorText(os::systemErrorNumber(ENOENT)), "No such file or directory");
    EXPECT_EQ(os::systemErrorText(os::systemErrorNumber(EACCES)), "Permission denied");
    // An errno the system does not know has no text.
    EXPECT_TRUE(os::systemErrorText(os::systemErrorNumber(9999)).isEmpty());
}

TEST(SystemError, ErrorCarriesNumberTextAndSource)
{
    const platform::Error e = os::systemError(ENOSPC, "Kopiëren van a naar b", "CompactDatabestand");
    EXPECT_EQ(e.number(), os::kSystemErrorBase + ENOSPC);
    EXPECT_EQ(e.description(), "Kopiëren van a naar b: de schijf is vol");
    // A reason without a Dutch text is left out of the Dutch message.
    EXPECT_EQ(os::systemError(EHOSTDOWN, "Kopiëren van a naar b").description(), "Kopiëren van a naar b");
    EXPECT_EQ(e.source(), "CompactDatabestand");
    EXPECT_EQ(os::systemError(9999).description(), "systeemfout 9999");
}

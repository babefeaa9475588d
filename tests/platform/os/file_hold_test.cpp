// Holds on a file that other holders can see: shared ones together, a sole
// one only alone; a hold that outlives the other descriptors of its file
// (SQLite opens and closes its own), and one that knows when its file has
// been replaced. Holds in other processes, and their end when the process
// ends or is killed, are tested with the data file itself
// (tests/shell/shared_data_file_test.cpp).

#include "platform/os/file_hold.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Outcome = os::FileHold::Outcome;

class FileHoldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("dbQORdata_1.mdb"));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("gegevens");
    }

    QTemporaryDir dir;
    QString file;
};

struct TwoHolds {
    const char *name;
    bool firstSole;
    Outcome second; // of a sole hold taken next (a shared one never waits here)
    Outcome shared; // of a shared hold taken next, when the first is shared
};
void PrintTo(const TwoHolds &c, std::ostream *os)
{
    *os << c.name;
}

class FileHoldBeside : public FileHoldTest, public ::testing::WithParamInterface<TwoHolds> {};

// Two holds of one process are two holders, as two processes are.
TEST_P(FileHoldBeside, ASoleHoldOnlyWhenNoOtherIsKept)
{
    const TwoHolds &c = GetParam();
    os::FileHold first;
    ASSERT_EQ(c.firstSole ? first.takeSole(file) : first.share(file), Outcome::Held);
    EXPECT_TRUE(first.holds(file));

    os::FileHold sole;
    EXPECT_EQ(sole.takeSole(file), c.second);
    EXPECT_EQ(sole.isHeld(), c.second == Outcome::Held);
    if (!c.firstSole) {
        os::FileHold shared;
        EXPECT_EQ(shared.share(file), c.shared);
    }

    first.release();
    EXPECT_FALSE(first.isHeld());
    os::FileHold after;
    EXPECT_EQ(after.takeSole(file), Outcome::Held) << "once the first is released";
}

INSTANTIATE_TEST_SUITE_P(Cases, FileHoldBeside,
                         ::testing::Values(TwoHolds{"Shared", false, Outcome::InUse, Outcome::Held},
                                           TwoHolds{"Sole", true, Outcome::InUse, Outcome::InUse}),
                         [](const ::testing::TestParamInfo<TwoHolds> &info) { return std::string(info.param.name); });

// SQLite opens and closes descriptors of the database file as its
// connections come and go; the hold stays through that.
TEST_F(FileHoldTest, StaysWhenAnotherDescriptorOfTheFileIsClosed)
{
    os::FileHold hold;
    ASSERT_EQ(hold.share(file), Outcome::Held);
    const int other = ::open(QFile::encodeName(file).constData(), O_RDWR);
    ASSERT_GE(other, 0);
    ::close(other);

    os::FileHold sole;
    EXPECT_EQ(sole.takeSole(file), Outcome::InUse);
}

TEST_F(FileHoldTest, KnowsWhenItsFileHasBeenReplaced)
{
    os::FileHold hold;
    ASSERT_EQ(hold.share(file), Outcome::Held);
    const QString replacement = dir.filePath(QStringLiteral("nieuw"));
    QFile f(replacement);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_EQ(::rename(QFile::encodeName(replacement).constData(), QFile::encodeName(file).constData()), 0);

    EXPECT_TRUE(hold.isHeld());
    EXPECT_FALSE(hold.holds(file));
    // The file now there is held by nobody.
    os::FileHold sole;
    EXPECT_EQ(sole.takeSole(file), Outcome::Held);
}

TEST_F(FileHoldTest, MissingFileCannotBeHeld)
{
    os::FileHold hold;
    EXPECT_EQ(hold.share(dir.filePath(QStringLiteral("weg.mdb"))), Outcome::Failed);
    EXPECT_EQ(hold.errorNumber(), ENOENT);
    EXPECT_FALSE(hold.isHeld());
}

} // namespace

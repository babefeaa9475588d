// Putting a program update in place: which names an update may bring, all
// files or none, and a run broken off after any step (as by a kill, or by
// power going) that the next start completes or undoes, never leaving a
// file missing or the program half old and half new.

#include "shell/shell_test_env.h"

#include "updater/replace_files.h"
#include "updater/update_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file's permission bits.
mode_t mode(const QString &path)
{
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st.st_mode & 07777;
}

using shelltest::fileBytes;
using shelltest::writeBytes;
using updater::Outcome;

TEST(UpdateNames, OnlyPlainNamesOutsideTheDataFiles)
{
    struct Case {
        const char *name;
        bool plain;
        bool mayReplace;
    } cases[] = {
        {"tavir", true, true},
        {"runupd", true, true},
        {"libtavir.so.3", true, true},
        {"handleiding_3-0+1.pdf", true, true},
        {"dbQORdata_1.mdb", true, false},    // the data file
        {"DBQORDATA_werk.mdb", true, false}, // any data file, any case
        {"dbQORdata_1.mdbnew", true, false}, // a compaction's copy
        {"db00.mdb", true, false},           // the template
        {"dbQORCL.mdb", true, false},        // the checklist file has its own way
        {"runupd.journal", true, false},
        {"", false, false},
        {".", false, false},
        {"..", false, false},
        {"../x", false, false},
        {"/usr/bin/tavir", false, false},
        {"sub/tavir", false, false},
        {"..\\tavir", false, false},
        {"C:tavir", false, false},
        {".bashrc", false, false},
        {"a;b", false, false},
        {"a b", false, false},
        {"tav\nir", false, false},
        {"tavir\r", false, false},
        {"$(rm)", false, false},
        {"_0_tavir", false, false},
        {"_1_tavir", false, false},
        {"tävir", false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(updater::isPlainName(QString::fromUtf8(c.name)), c.plain) << c.name;
        EXPECT_EQ(updater::mayReplace(QString::fromUtf8(c.name)), c.mayReplace) << c.name;
    }
    EXPECT_TRUE(updater::isPlainName(QString(100, QLatin1Char('a'))));
    EXPECT_FALSE(updater::isPlainName(QString(101, QLatin1Char('a'))));
}

// A program folder with an old program of three files, of which the update
// replaces two and adds one; the data files beside them stay out of it.
class ReplaceFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        make(QStringLiteral("prog"));
    }

    // The folder `folder` under the temporary folder, filled, is the program
    // folder. With `linked` its "tavir" is a relative link to the program
    // in a folder of its own.
    void make(const QString &folder)
    {
        dir = tmp.path() + QLatin1Char('/') + folder;
        ASSERT_TRUE(QDir().mkpath(dir));
        if (linked) {
            lib = tmp.path() + QStringLiteral("/lib_") + folder;
            ASSERT_TRUE(QDir().mkpath(lib));
            ASSERT_EQ(::symlink(QFile::encodeName(QStringLiteral("../lib_") + folder + QStringLiteral("/tavir-3.0")),
                                QFile::encodeName(in(QStringLiteral("tavir")))),
                      0);
        }
        write(QStringLiteral("tavir"), "oud programma");
        QFile::setPermissions(in(QStringLiteral("tavir")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        write(QStringLiteral("libtavir.so"), "oude bibliotheek");
        write(QStringLiteral("handleiding.pdf"), "blijft");
        write(QStringLiteral("dbQORdata_1.mdb"), "gegevens");
        write(QStringLiteral("_0_dbQORdata_1.mdb"), "vreemd");
        write(QStringLiteral("_0_tavir"), "nieuw programma");
        write(QStringLiteral("_0_libtavir.so"), "nieuwe bibliotheek");
        write(QStringLiteral("_0_hulp"), "#!/bin/sh\necho nieuw\n");
    }

    QString in(const QString &name) const { return dir + QLatin1Char('/') + name; }
    void write(const QString &name, const QByteArray &bytes) { writeBytes(in(name), bytes); }
    QByteArray read(const char *name) const
    {
        const QString path = in(QLatin1String(name));
        return QFile::exists(path) ? fileBytes(path) : QByteArray("<weg>");
    }
    QStringList entries() const
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    void expectOld() const
    {
        EXPECT_EQ(read("tavir"), "oud programma");
        EXPECT_EQ(read("libtavir.so"), "oude bibliotheek");
        EXPECT_EQ(read("hulp"), "<weg>");
    }
    void expectNew() const
    {
        if (linked) {
            EXPECT_EQ(QFile::symLinkTarget(in(QStringLiteral("tavir"))), lib + QStringLiteral("/tavir-3.0"));
            EXPECT_EQ(fileBytes(lib + QStringLiteral("/tavir-3.0")), "nieuw programma");
        }
        EXPECT_EQ(read("tavir"), "nieuw programma");
        EXPECT_EQ(read("libtavir.so"), "nieuwe bibliotheek");
        EXPECT_EQ(read("hulp"), "#!/bin/sh\necho nieuw\n");
    }
    // What is never touched: the other program file and the data files.
    void expectUntouched() const
    {
        EXPECT_EQ(read("handleiding.pdf"), "blijft");
        EXPECT_EQ(read("dbQORdata_1.mdb"), "gegevens");
        EXPECT_EQ(read("_0_dbQORdata_1.mdb"), "vreemd");
    }
    // None of the program's files is missing at any moment; which of them
    // are old and which new is settled by the next start.
    void expectNoneMissing() const
    {
        EXPECT_NE(read("tavir"), "<weg>");
        EXPECT_NE(read("libtavir.so"), "<weg>");
    }
    // Nothing of the update's bookkeeping is left.
    void expectClean() const
    {
        for (const QString &e : entries())
            EXPECT_FALSE(e.startsWith(QLatin1String("_1_")) || e.startsWith(QLatin1String("runupd.journal")))
                << e.toStdString();
        if (linked)
            EXPECT_EQ(QDir(lib).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                      QStringList{QStringLiteral("tavir-3.0")});
    }

    // The steps of a whole run, counted in a folder made for it.
    int stepsOfAWholeRun()
    {
        make(QStringLiteral("steps"));
        int steps = 0;
        const Outcome o = updater::replaceAll(dir, [&steps](int) {
            ++steps;
            return true;
        });
        EXPECT_EQ(o.kind, Outcome::Kind::Replaced);
        return steps;
    }

    QTemporaryDir tmp;
    QString dir;
    bool linked = false;
    QString lib; // the folder the link leads to
};

TEST_F(ReplaceFiles, EveryDownloadTakesItsPlaceAndTheOldFilesGo)
{
    const Outcome o = updater::replaceAll(dir);

    EXPECT_EQ(o.kind, Outcome::Kind::Replaced) << o.error.toStdString();
    EXPECT_EQ(o.names, QStringList({"hulp", "libtavir.so", "tavir"}));
    expectNew();
    expectUntouched();
    expectClean();
    EXPECT_EQ(entries(), QStringList({"_0_dbQORdata_1.mdb", "dbQORdata_1.mdb", "handleiding.pdf", "hulp", "libtavir.so",
                                      "tavir"}));
    // The new program may run as the old one did; a new script too.
    EXPECT_TRUE(QFileInfo(in(QStringLiteral("tavir"))).isExecutable());
    EXPECT_TRUE(QFileInfo(in(QStringLiteral("hulp"))).isExecutable());
    EXPECT_FALSE(QFileInfo(in(QStringLiteral("libtavir.so"))).isExecutable());

    // A second run finds nothing to do.
    EXPECT_EQ(updater::replaceAll(dir).kind, Outcome::Kind::Nothing);
}

// A program whose file is a plain file, and one whose file is a link: the
// file behind the link takes the new content, and the link stays.
struct Layout {
    const char *name;
    bool linked;
};
void PrintTo(const Layout &l, std::ostream *os)
{
    *os << l.name;
}

class ReplaceFilesBrokenOff : public ReplaceFiles, public ::testing::WithParamInterface<Layout> {};

TEST_P(ReplaceFilesBrokenOff, RunBrokenOffAfterAnyStepIsCompletedAtTheNextStart)
{
    linked = GetParam().linked;
    const int steps = stepsOfAWholeRun();
    ASSERT_GT(steps, 6);
    for (int stop = 1; stop <= steps; ++stop) {
        // Broken off after `stop` steps, and the next start broken off too
        // after each number of its own steps, before one finishes.
        for (int again = 0; again <= steps; ++again) {
            SCOPED_TRACE(testing::Message() << "stopped after step " << stop << ", then after " << again);
            make(QStringLiteral("prog_%1_%2").arg(stop).arg(again));
            const Outcome first = updater::replaceAll(dir, [stop](int step) { return step < stop; });
            ASSERT_EQ(first.kind, Outcome::Kind::Failed);
            expectNoneMissing();
            if (again > 0) {
                updater::recover(dir, [again](int step) { return step < again; });
                expectNoneMissing();
            }
            const Outcome next = updater::recover(dir);
            EXPECT_TRUE(next.ok()) << next.error.toStdString();
            expectNew();
            expectUntouched();
            expectClean();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, ReplaceFilesBrokenOff,
                         ::testing::Values(Layout{"PlainFiles", false}, Layout{"ProgramBehindALink", true}),
                         [](const ::testing::TestParamInfo<Layout> &info) { return std::string(info.param.name); });

TEST_F(ReplaceFiles, FileThatCannotBePlacedPutsTheOldOnesBack)
{
    // "libtavir.so" cannot be replaced (a folder stands there), after "hulp"
    // is already in place and before "tavir".
    ASSERT_TRUE(QFile::remove(in(QStringLiteral("libtavir.so"))));
    ASSERT_TRUE(QDir().mkpath(in(QStringLiteral("libtavir.so/inhoud"))));

    const Outcome o = updater::replaceAll(dir);

    EXPECT_EQ(o.kind, Outcome::Kind::RolledBack);
    EXPECT_FALSE(o.error.isEmpty());
    EXPECT_EQ(read("tavir"), "oud programma");
    EXPECT_EQ(read("hulp"), "<weg>") << "a file that was new goes again";
    EXPECT_TRUE(QFileInfo(in(QStringLiteral("libtavir.so/inhoud"))).isDir());
    expectUntouched();
    expectClean();
    // The downloads that were not placed stay.
    EXPECT_EQ(read("_0_tavir"), "nieuw programma");
}

TEST_F(ReplaceFiles, GoingBackBrokenOffIsFinishedAtTheNextStart)
{
    ASSERT_TRUE(QFile::remove(in(QStringLiteral("libtavir.so"))));
    ASSERT_TRUE(QDir().mkpath(in(QStringLiteral("libtavir.so/inhoud"))));
    for (int stop = 1; stop < 12; ++stop) {
        SCOPED_TRACE(testing::Message() << "stopped after step " << stop);
        const Outcome first = updater::replaceAll(dir, [stop](int step) { return step < stop; });
        if (first.kind != Outcome::Kind::Failed)
            break; // the whole run takes fewer steps
        EXPECT_NE(read("tavir"), "<weg>");
        const Outcome next = updater::recover(dir);
        EXPECT_NE(next.kind, Outcome::Kind::Failed) << next.error.toStdString();
        EXPECT_EQ(read("tavir"), "oud programma");
        EXPECT_EQ(read("hulp"), "<weg>");
        expectUntouched();
        expectClean();
        // Put the downloads back for the next round.
        write(QStringLiteral("_0_tavir"), "nieuw programma");
        write(QStringLiteral("_0_hulp"), "#!/bin/sh\necho nieuw\n");
    }
}

TEST_F(ReplaceFiles, DownloadThatIsASymbolicLinkIsNotPutInPlace)
{
    // Where a link waiting as "_0_tavir" could point: a file outside the
    // program folder, or the user's data file beside the program.
    const QString buiten = tmp.path() + QStringLiteral("/elders");
    writeBytes(buiten, "vreemd programma");
    const struct {
        const char *what;
        QString target;
    } cases[] = {
        {"a file outside the folder", buiten},
        {"the data file", QStringLiteral("dbQORdata_1.mdb")},
    };
    int round = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        make(QStringLiteral("prog_link_%1").arg(round++));
        const QString doel = QFileInfo(c.target).isAbsolute() ? c.target : in(c.target);
        ASSERT_EQ(::chmod(QFile::encodeName(doel).constData(), 0600), 0);
        const QByteArray doelBytes = fileBytes(doel);
        ASSERT_TRUE(QFile::remove(in(QStringLiteral("_0_tavir"))));
        ASSERT_TRUE(QFile::link(c.target, in(QStringLiteral("_0_tavir"))));

        const Outcome o = updater::replaceAll(dir);

        EXPECT_EQ(o.kind, Outcome::Kind::Replaced) << o.error.toStdString();
        EXPECT_EQ(o.names, QStringList({"hulp", "libtavir.so"}));
        // The program stays the old file of its own; the link and what it
        // points at are left as they were.
        EXPECT_FALSE(QFileInfo(in(QStringLiteral("tavir"))).isSymLink());
        EXPECT_EQ(read("tavir"), "oud programma");
        EXPECT_TRUE(QFileInfo(in(QStringLiteral("tavir"))).isExecutable());
        EXPECT_EQ(QFileInfo(in(QStringLiteral("_0_tavir"))).symLinkTarget(), QFileInfo(doel).absoluteFilePath());
        EXPECT_EQ(fileBytes(doel), doelBytes);
        EXPECT_EQ(mode(doel), 0600);
        EXPECT_EQ(read("libtavir.so"), "nieuwe bibliotheek");
        expectClean();
    }
}

TEST_F(ReplaceFiles, ReadOnlyProgramFolderChangesNothing)
{
    const QStringList before = entries();
    {
        shelltest::ReadOnlyFolder readOnly(dir);
        if (!readOnly.effective())
            GTEST_SKIP() << "this process can write into a read-only folder";
        const Outcome o = updater::replaceAll(dir);
        EXPECT_EQ(o.kind, Outcome::Kind::Failed);
        EXPECT_FALSE(o.error.isEmpty());
    }
    EXPECT_EQ(entries(), before);
    expectOld();
    expectUntouched();
}

TEST_F(ReplaceFiles, JournalThatIsNotOneIsLeftAlone)
{
    write(QStringLiteral("runupd.journal"), "runupd 1\nforward\n1 ../../etc/passwd\n");
    const Outcome o = updater::replaceAll(dir);
    EXPECT_EQ(o.kind, Outcome::Kind::Failed);
    expectOld();
    expectUntouched();
}

} // namespace

// Putting a program update in place: which names an update may bring, all
// files or none, and a run broken off after any step (as by a kill, or by
// power going), also on a full disk and with the program behind a link,
// that the next start completes or undoes, never leaving a file missing or
// the program half old and half new; and links where the updater keeps its
// own files, left alone.

#include "shell/shell_test_env.h"

#include "updater/replace_files.h"
#include "updater/update_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
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

// A disk with room for the first `fit` writes of a run: every later one
// fails with ENOSPC.
updater::WriteFault roomFor(int fit)
{
    return [fit](int write) { return write > fit ? ENOSPC : 0; };
}

// Stops a run after its step `at` (never when 0), as a kill would, and
// notes whether it did.
struct Kill {
    int at = 0;
    bool happened = false;

    updater::StepHook hook()
    {
        return [this](int step) {
            if (at > 0 && step >= at) {
                happened = true;
                return false;
            }
            return true;
        };
    }
};

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
        {"tavir\n", false, false},            // a line feed at the end is in the name too
        {"dbQORCL.mdb\n", false, false},      // so it is no way round a protected name
        {"runupd.journal.part", true, false}, // the journal's own files
        {"runupd.journal.back", true, false},
        {"RUNUPD.JOURNAL.x", true, false},
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
    // The program is the old one or the new one, and the downloads of the
    // update wait all of them or none: never a part that a later run
    // would put in place alone.
    void expectAllOldOrAllNew() const
    {
        const QStringList waiting = updater::waitingDownloads(dir);
        if (read("tavir") == "nieuw programma") {
            expectNew();
            EXPECT_EQ(waiting, QStringList());
        } else {
            expectOld();
            EXPECT_TRUE(waiting.isEmpty() || waiting == QStringList({"hulp", "libtavir.so", "tavir"}))
                << waiting.join(QLatin1Char(',')).toStdString();
        }
        expectUntouched();
    }
    // Nothing of the update's bookkeeping is left.
    void expectClean() const
    {
        for (const QString &e : entries())
            EXPECT_FALSE(e.startsWith(QLatin1String("_1_")) || e.startsWith(QLatin1String("runupd.journal")))
                << e.toStdString();
        // Beside the program behind the link neither a download nor a
        // backup is left.
        if (linked) {
            EXPECT_EQ(QDir(lib).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                      QStringList{QStringLiteral("tavir-3.0")});
        }
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
const auto kLayouts = ::testing::Values(Layout{"PlainFiles", false}, Layout{"ProgramBehindALink", true});

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
            if (stop == 1) {
                // Broken off when only the journal for going back was in
                // place: nothing had changed, and every download waits for
                // the next update run.
                expectOld();
                EXPECT_EQ(updater::waitingDownloads(dir), QStringList({"hulp", "libtavir.so", "tavir"}));
                EXPECT_EQ(updater::replaceAll(dir).kind, Outcome::Kind::Replaced);
            }
            expectNew();
            expectUntouched();
            expectClean();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, ReplaceFilesBrokenOff, kLayouts,
                         [](const ::testing::TestParamInfo<Layout> &info) { return std::string(info.param.name); });

// A disk with room for some of the writes of a run: the two journals, then
// the backups of "libtavir.so" and of "tavir" ("hulp" is new and needs
// none). Renames and removals need no room.
struct Disk {
    const char *what;
    int fit;
};
void PrintTo(const Disk &d, std::ostream *os)
{
    *os << d.what;
}

// Each disk with each layout: behind the link the download is moved beside
// the program and its backup kept there, by renames that need no room.
class FullDisk : public ReplaceFiles, public ::testing::WithParamInterface<std::tuple<Layout, Disk>> {};

TEST_P(FullDisk, KilledAtAnyStepEndsAllOldOrAllNew)
{
    linked = std::get<0>(GetParam()).linked;
    const Disk &d = std::get<1>(GetParam());
    int round = 0;
    for (const bool fullAtNextStart : {true, false}) {
        // Killed after each step of the run (and not killed), then the next
        // start, on the disk as it is then, killed after each of its own
        // steps (and not killed), and the start after that.
        Kill first;
        do {
            ++first.at;
            Kill next;
            do {
                ++next.at;
                SCOPED_TRACE(testing::Message()
                             << (fullAtNextStart ? "still full" : "room again")
                             << " at the next start; killed after step " << first.at << ", then after " << next.at);
                make(QStringLiteral("prog_full_%1").arg(++round));
                first.happened = false;
                updater::replaceAll(dir, first.hook(), roomFor(d.fit));
                expectNoneMissing();
                const updater::WriteFault disk = fullAtNextStart ? roomFor(0) : updater::WriteFault();
                next.happened = false;
                updater::recover(dir, next.hook(), disk);
                expectNoneMissing();
                const Outcome after = updater::recover(dir, {}, disk);
                EXPECT_TRUE(after.kind != Outcome::Kind::Failed) << after.error.toStdString();
                expectAllOldOrAllNew();
                expectClean();

                // A later update run, with room on the disk, puts what waits
                // in place: all of it, or nothing.
                const Outcome later = updater::replaceAll(dir);
                EXPECT_TRUE(later.ok()) << later.error.toStdString();
                expectAllOldOrAllNew();
                EXPECT_EQ(updater::waitingDownloads(dir), QStringList());
                expectClean();
            } while (next.happened);
        } while (first.happened);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Disks, FullDisk,
    ::testing::Combine(kLayouts,
                       ::testing::Values(Disk{"no room for the first journal", 0},
                                         Disk{"no room for the second journal", 1},
                                         Disk{"no room for a backup once the new file is in place", 2},
                                         Disk{"no room for the last backup", 3}, Disk{"room for every write", 4})),
    [](const ::testing::TestParamInfo<std::tuple<Layout, Disk>> &info) {
        return std::string(std::get<0>(info.param).name) + "_RoomFor" + std::to_string(std::get<1>(info.param).fit);
    });

TEST_F(ReplaceFiles, UndoingThatCannotBeRecordedIsNotBegun)
{
    // Room for the journals only, and the journal for going back lost once
    // both are in place: "libtavir.so" cannot be kept after "hulp" is in
    // place, and the run cannot say that it goes back.
    const Outcome first = updater::replaceAll(
        dir,
        [this](int step) {
            if (step == 2) {
                EXPECT_TRUE(QFile::remove(in(QStringLiteral("runupd.journal.back"))));
            }
            return true;
        },
        roomFor(2));

    EXPECT_EQ(first.kind, Outcome::Kind::Failed);
    EXPECT_FALSE(first.error.isEmpty());
    // Nothing is undone; the journal still says forward.
    EXPECT_EQ(read("hulp"), "#!/bin/sh\necho nieuw\n");
    EXPECT_EQ(read("tavir"), "oud programma");
    EXPECT_TRUE(fileBytes(in(QStringLiteral("runupd.journal"))).contains("forward"));

    // The next start, with room again, finishes the update.
    const Outcome next = updater::recover(dir);
    EXPECT_EQ(next.kind, Outcome::Kind::Replaced) << next.error.toStdString();
    expectNew();
    expectUntouched();
    expectClean();
}

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
    // The downloads go with the update, also those not placed.
    EXPECT_EQ(updater::waitingDownloads(dir), QStringList());
}

TEST_F(ReplaceFiles, GoingBackBrokenOffIsFinishedAtTheNextStart)
{
    ASSERT_TRUE(QFile::remove(in(QStringLiteral("libtavir.so"))));
    ASSERT_TRUE(QDir().mkpath(in(QStringLiteral("libtavir.so/inhoud"))));
    Kill kill;
    do {
        ++kill.at;
        SCOPED_TRACE(testing::Message() << "stopped after step " << kill.at);
        kill.happened = false;
        const Outcome first = updater::replaceAll(dir, kill.hook());
        EXPECT_EQ(first.kind, kill.happened ? Outcome::Kind::Failed : Outcome::Kind::RolledBack);
        EXPECT_NE(read("tavir"), "<weg>");
        const Outcome next = updater::recover(dir);
        EXPECT_NE(next.kind, Outcome::Kind::Failed) << next.error.toStdString();
        EXPECT_EQ(read("tavir"), "oud programma");
        EXPECT_EQ(read("hulp"), "<weg>");
        expectUntouched();
        expectClean();
        const QStringList waiting = updater::waitingDownloads(dir);
        EXPECT_TRUE(waiting.isEmpty() || waiting.size() == 3) << waiting.join(QLatin1Char(',')).toStdString();
        // Put the downloads back for the next round.
        write(QStringLiteral("_0_tavir"), "nieuw programma");
        write(QStringLiteral("_0_libtavir.so"), "nieuwe bibliotheek");
        write(QStringLiteral("_0_hulp"), "#!/bin/sh\necho nieuw\n");
    } while (kill.happened);
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

TEST_F(ReplaceFiles, LinkWhereTheUpdaterKeepsItsOwnFilesIsLeftAlone)
{
    // Where each link points: a file outside the program folder that reads
    // as a journal naming the program.
    const QString buiten = tmp.path() + QStringLiteral("/elders");
    const QByteArray buitenBytes = "runupd 1\nforward\n1 tavir\n";
    const struct {
        const char *name;
        bool besideTheProgram;        // with the program behind a link, beside the file it names
        bool onceTheJournalIsInPlace; // else before the run
        Outcome::Kind kind;
    } cases[] = {
        // Refused before anything changes; the downloads wait.
        {"runupd.journal.part", false, false, Outcome::Kind::Failed},
        {"runupd.journal.back", false, false, Outcome::Kind::Failed},
        {"runupd.journal", false, false, Outcome::Kind::Failed},
        // Found on the way: the update is undone.
        {"_1_tavir", false, false, Outcome::Kind::RolledBack},
        {"_0_tavir", false, true, Outcome::Kind::RolledBack},
        // Where the download of the program behind the link is moved, and
        // where its backup is kept.
        {"_0_tavir-3.0", true, false, Outcome::Kind::RolledBack},
        {"_1_tavir-3.0", true, false, Outcome::Kind::RolledBack},
    };
    int round = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        linked = c.besideTheProgram;
        make(QStringLiteral("prog_own_link_%1").arg(round++));
        writeBytes(buiten, buitenBytes);
        ASSERT_EQ(::chmod(QFile::encodeName(buiten).constData(), 0600), 0);
        const QString folder = c.besideTheProgram ? lib : dir;
        const QString link = folder + QLatin1Char('/') + QLatin1String(c.name);
        const auto plant = [&link, &buiten] {
            QFile::remove(link);
            ASSERT_TRUE(QFile::link(buiten, link));
        };
        if (!c.onceTheJournalIsInPlace)
            plant();

        const Outcome o = updater::replaceAll(dir, [&](int step) {
            if (c.onceTheJournalIsInPlace && step == 2)
                plant();
            return true;
        });

        EXPECT_EQ(o.kind, c.kind) << o.error.toStdString();
        expectOld();
        expectUntouched();
        EXPECT_EQ(QFileInfo(in(QStringLiteral("tavir"))).isSymLink(), c.besideTheProgram);
        // The link, and what it points at, are as they were.
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), buiten);
        EXPECT_EQ(fileBytes(buiten), buitenBytes);
        EXPECT_EQ(mode(buiten), 0600);
        for (const QString &e : entries())
            EXPECT_TRUE((!c.besideTheProgram && e == QLatin1String(c.name)) || !e.startsWith(QLatin1String("_1_")))
                << e.toStdString();
        if (c.besideTheProgram) {
            EXPECT_EQ(QDir(lib).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                      QStringList({QLatin1String(c.name), QStringLiteral("tavir-3.0")}));
        }
        EXPECT_EQ(updater::waitingDownloads(dir),
                  c.kind == Outcome::Kind::Failed ? QStringList({"hulp", "libtavir.so", "tavir"}) : QStringList());
    }
}

TEST_F(ReplaceFiles, ProgramLinkThatEndsWhereNoUpdateMayGoRefusesTheUpdate)
{
    // Where the program's link "tavir" leads, in the program folder: a
    // file that a rename onto it would lose.
    const struct {
        const char *what;
        const char *target;
    } cases[] = {
        {"the data file", "dbQORdata_1.mdb"},
        {"the journal", "runupd.journal"},
        {"the journal for going back", "runupd.journal.back"},
        {"another file of the update", "libtavir.so"},
    };
    int round = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        make(QStringLiteral("prog_program_link_%1").arg(round++));
        ASSERT_TRUE(QFile::remove(in(QStringLiteral("tavir"))));
        ASSERT_EQ(::symlink(c.target, QFile::encodeName(in(QStringLiteral("tavir"))).constData()), 0);
        const QStringList before = entries();

        const Outcome o = updater::replaceAll(dir);

        EXPECT_EQ(o.kind, Outcome::Kind::Failed);
        EXPECT_TRUE(o.error.contains(QLatin1String(c.target))) << o.error.toStdString();
        // Nothing has changed; every download waits.
        EXPECT_EQ(entries(), before);
        EXPECT_EQ(QFile::symLinkTarget(in(QStringLiteral("tavir"))), in(QLatin1String(c.target)));
        EXPECT_EQ(read("libtavir.so"), "oude bibliotheek");
        EXPECT_EQ(read("_0_tavir"), "nieuw programma");
        expectUntouched();
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

// A whole update from a local update server on 127.0.0.1 through the real
// updater: the program checks, installs the new checklist file itself,
// downloads the program files and starts the updater, which waits until
// the program has ended, puts the files in place and starts the program
// again.

#include "shell/update_test_env.h"

#include "updater/update_names.h"

#include "platform/os/single_instance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

using namespace shelltest;

class ProgramUpdate : public UpdateServerTest {
protected:
    void SetUp() override
    {
        UpdateServerTest::SetUp();
        // The updater of the build, in the private program folder.
        const QString updater = inProg(QLatin1String(modAutoUpdate::kUpdater));
        ASSERT_TRUE(QFile::copy(testsupport::programDir() + QLatin1Char('/') + QLatin1String(modAutoUpdate::kUpdater),
                                updater));
        // The program the updater starts again is the one that handed over:
        // here a stand-in under this test program's name, which notes that
        // it ran.
        program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        writeBytes(inProg(program), "#!/bin/sh\necho oud > \"$(dirname \"$0\")/gestart.txt\"\n");
        QFile::setPermissions(inProg(program), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeBytes(inProg(QStringLiteral("libtavir.so")), "oude bibliotheek");
    }

    QString inProg(const QString &name) const { return progDir + QLatin1Char('/') + name; }

    QString program;
};

TEST_F(ProgramUpdate, ChecklistAndProgramAreInPlaceAndTheProgramRunsAgain)
{
    const QByteArray nieuweChecklist = newerChecklist();
    const QByteArray nieuwProgramma = "#!/bin/sh\necho \"nieuw $#\" > \"$(dirname \"$0\")/gestart.txt\"\n";
    const QByteArray bibliotheek(3000, 'b');
    server.set(kUpdateMap + QStringLiteral("dbQORCL.mdb"), nieuweChecklist);
    server.set(kUpdateMap + program, nieuwProgramma);
    server.set(kUpdateMap + QStringLiteral("libtavir.so"), bibliotheek);
    serveInfo("0",
              ("31,1-6-2027," + program.toUtf8() + "," + QByteArray::number(nieuwProgramma.size()) + ",libtavir.so,"
               + QByteArray::number(bibliotheek.size()))
                  .constData(),
              ("13,1-6-2027,dbQORCL.mdb," + QByteArray::number(nieuweChecklist.size())).constData());
    // This test is the running program: it holds the program's lock.
    os::SingleInstance running{QLatin1String(tavir::kProgramTitle)};
    ASSERT_TRUE(running.tryLock());

    const modAutoUpdate::UpdateUitkomst u = modAutoUpdate::ControleerUpdates();
    ASSERT_EQ(u.statusChecklist, 1);
    ASSERT_EQ(u.statusProgramma, 1);
    modAutoUpdate::VoerUpdateUit(true, true);

    // The checklist file is in place at once; the program hands over.
    EXPECT_EQ(fileBytes(checklist()), nieuweChecklist);
    EXPECT_EQ(modMain::gintCLVolgnr, 13);
    EXPECT_EQ(shell::frmMDI_main::instance(), nullptr);
    // While the program runs, the updater waits and changes nothing.
    QTest::qWait(500);
    EXPECT_EQ(fileBytes(inProg(program)).left(9), QByteArray("#!/bin/sh"));
    EXPECT_TRUE(fileBytes(inProg(program)).contains("oud"));
    EXPECT_TRUE(QFile::exists(inProg(QStringLiteral("_0_libtavir.so"))));
    EXPECT_FALSE(QFile::exists(inProg(QStringLiteral("gestart.txt"))));

    running.release(); // the program has ended
    ASSERT_TRUE(QTest::qWaitFor([this] { return QFile::exists(inProg(QStringLiteral("gestart.txt"))); }, 20000))
        << "the program is started again";
    QTest::qWait(100);

    EXPECT_EQ(fileBytes(inProg(QStringLiteral("gestart.txt"))), "nieuw 0\n") << "the new program, without arguments";
    EXPECT_EQ(fileBytes(inProg(program)), nieuwProgramma);
    EXPECT_EQ(fileBytes(inProg(QStringLiteral("libtavir.so"))), bibliotheek);
    EXPECT_EQ(fileBytes(checklist()), nieuweChecklist);
    QStringList files = QDir(progDir).entryList(QDir::Files | QDir::Hidden);
    QStringList expected = {"db00.mdb", "dbQORCL.mdb", "gestart.txt", "libtavir.so", "runupd", program};
    files.sort();
    expected.sort();
    EXPECT_EQ(files, expected) << "no download, backup or journal is left";
}

TEST_F(ProgramUpdate, LockFileLeftEmptyByAKillDoesNotKeepTheUpdaterWaiting)
{
    // A program killed between making its lock file and writing it; its
    // download waits.
    const QString lockFile = os::SingleInstance(QLatin1String(tavir::kProgramTitle)).lockFilePath();
    ASSERT_TRUE(QFile(lockFile).open(QIODevice::WriteOnly | QIODevice::Truncate));
    writeBytes(inProg(QStringLiteral("_0_libtavir.so")), "nieuwe bibliotheek");

    QProcess runupd;
    runupd.start(inProg(QLatin1String(modAutoUpdate::kUpdater)), {program + QStringLiteral("|TAVIR")});
    // The updater gives up after a minute of waiting for a program that
    // still holds the lock; here nobody holds it.
    ASSERT_TRUE(runupd.waitForFinished(120000));
    EXPECT_EQ(runupd.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(runupd.exitCode(), 0) << runupd.readAllStandardError().toStdString();
    EXPECT_EQ(fileBytes(inProg(QStringLiteral("libtavir.so"))), "nieuwe bibliotheek");
    EXPECT_TRUE(QTest::qWaitFor([this] { return QFile::exists(inProg(QStringLiteral("gestart.txt"))); }, 20000))
        << "the program is started again";
}

} // namespace

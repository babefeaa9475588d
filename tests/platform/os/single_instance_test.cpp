// The single-instance lock: one holder per name, released on request or
// when its process dies, whatever the moment it died at.

#include "platform/os/single_instance.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

TEST(SingleInstance, SecondLockOnTheSameNameFails)
{
    os::SingleInstance first("TAVIR-test");
    os::SingleInstance second("TAVIR-test");
    os::SingleInstance other("TAVIR-ander");

    ASSERT_TRUE(first.tryLock());
    EXPECT_TRUE(first.isLocked());
    EXPECT_TRUE(first.tryLock()) << "taking a held lock again is a no-op";
    EXPECT_FALSE(second.tryLock());
    EXPECT_FALSE(second.isLocked());
    EXPECT_TRUE(other.tryLock());

    first.release();
    EXPECT_FALSE(first.isLocked());
    EXPECT_TRUE(second.tryLock());
    EXPECT_FALSE(first.tryLock());
}

TEST(SingleInstance, DestructorReleases)
{
    {
        os::SingleInstance held("TAVIR-scope");
        ASSERT_TRUE(held.tryLock());
        EXPECT_TRUE(QFileInfo::exists(held.lockFilePath()));
    }
    os::SingleInstance again("TAVIR-scope");
    EXPECT_TRUE(again.tryLock());
}

TEST(SingleInstance, LivesInTheRuntimeFolderWithASafeName)
{
    os::SingleInstance lock("TAVIR 3.1/../x");
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    EXPECT_EQ(lock.lockFilePath(), runtime + "/TAVIR_3.1_.._x.lock");
}

TEST(SingleInstance, StaleLockOfADeadProcessIsTakenOver)
{
    os::SingleInstance probe("TAVIR-stale");
    ASSERT_TRUE(probe.tryLock());
    QFile file(probe.lockFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray content = file.readAll();
    file.close();
    probe.release();

    // A process that has ended, and been reaped: its pid is dead.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);

    // The lock file as that process would have left it when it crashed.
    const QByteArray ownPid = QByteArray::number(QCoreApplication::applicationPid());
    ASSERT_TRUE(content.startsWith(ownPid + "\n")) << content.toStdString();
    content.replace(0, ownPid.size(), QByteArray::number(child));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    os::SingleInstance next("TAVIR-stale");
    EXPECT_TRUE(next.tryLock());
}

TEST(SingleInstance, LockFileLeftBehindNeverBlocksTheNextStart)
{
    // What a holder killed at some moment leaves in the lock file: nothing
    // yet (killed between making the file and writing it), part of its
    // process id, or something that is no process id at all.
    const struct {
        const char *what;
        QByteArray content;
    } cases[] = {
        {"an empty lock file", ""},
        {"a half-written process id", "1"},
        {"no process id", "\n\n"},
        {"the process id of another live process, which now has that number", QByteArray::number(::getppid()) + "\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        os::SingleInstance next("TAVIR-left");
        QFile file(next.lockFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();

        EXPECT_TRUE(next.tryLock());
        os::SingleInstance second("TAVIR-left");
        EXPECT_FALSE(second.tryLock()) << "the lock taken over holds as any other";
    }
}

TEST(SingleInstance, HolderKilledWhileHoldingTheLockReleasesIt)
{
    os::SingleInstance inChild("TAVIR-killed");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Takes the lock, says so, and waits to be killed.
        const char taken = inChild.tryLock() ? '1' : '0';
        (void)!::write(ready[1], &taken, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    ::close(ready[0]);
    EXPECT_EQ(taken, '1');

    os::SingleInstance next("TAVIR-killed");
    EXPECT_FALSE(next.tryLock()) << "a live process holds it";
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    EXPECT_TRUE(next.tryLock()) << "its holder is gone";
}

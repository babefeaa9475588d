// Starting another program: it runs with its argument whole, and a missing
// or non-executable program is refused without starting anything.

#include "platform/os/start_program.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(StartProgram, RunsWithEachArgumentWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString script = dir.filePath(QStringLiteral("runupd.exe"));
    const QString out = dir.filePath(QStringLiteral("args.txt"));
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"" + out.toUtf8() + "\"\n");
    }
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_TRUE(os::startProgram(script, {QStringLiteral("tavir|TAVIR; echo x")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(out); }, 5000));
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("1\ntavir|TAVIR; echo x\n"));
}

TEST(StartProgram, MissingOrNotExecutableIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString plain = dir.filePath(QStringLiteral("runupd.exe"));
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    QFile::setPermissions(plain, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(os::startProgram(plain, {}));
    EXPECT_FALSE(os::startProgram(dir.filePath(QStringLiteral("weg.exe")), {}));
    EXPECT_FALSE(os::startProgram(dir.path(), {}));
}

TEST(StartProgram, InstalledStarterTakesTheCall)
{
    QStringList calls;
    const os::Starter previous = os::setStarter([&](const QString &program, const QStringList &arguments) {
        calls << program + QLatin1Char(' ') + arguments.join(QLatin1Char(','));
        return false;
    });
    EXPECT_FALSE(os::startProgram(QStringLiteral("/geen/programma"), {QStringLiteral("a b")}));
    os::setStarter(previous);
    EXPECT_EQ(calls, QStringList{QStringLiteral("/geen/programma a b")});
}

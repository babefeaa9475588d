// The installed program: `cmake --install` into a temporary prefix, the
// prefix made read-only, and the installed program started offscreen with
// a fresh home folder. It must make its data file in the user's data
// folder, reach the site list, and write nothing under the prefix (the
// tests may run as root, whom read-only permissions do not stop, so the
// prefix is compared file by file before and after).
//
// The program has no test hook: the probe plugin (tavir_probe.cpp), loaded
// through Qt's generic-plugin variables, reports what is on screen.

#include "support/test_paths.h"

#include "platform/db/jet_collation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <csignal>

namespace {

using namespace std::chrono_literals;

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString sqlScalar(const QString &path, const char *sql)
{
    sqlite3 *h = nullptr;
    QString result = QStringLiteral("<cannot open>");
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        db::registerJetCollation(h);
        sqlite3_stmt *stmt = nullptr;
        result = QStringLiteral("<none>");
        if (sqlite3_prepare_v2(h, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(h);
    return result;
}

// Every entry under `dir` with its kind, size, permissions and time.
QStringList snapshot(const QString &dir)
{
    QStringList entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo fi(it.next());
        entries << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(fi.filePath(), fi.isSymLink() ? QStringLiteral("link")
                                           : fi.isDir()   ? QStringLiteral("dir")
                                                          : QStringLiteral("file"))
                       .arg(fi.isDir() ? 0 : fi.size())
                       .arg(int(fi.permissions()), 0, 16)
                       .arg(fi.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

void setWritable(const QString &dir, bool writable)
{
    QStringList paths{dir};
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    for (const QString &p : paths) {
        QFile::Permissions perm = QFile::permissions(p);
        const QFile::Permissions write = QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
        QFile::setPermissions(p, writable ? perm | QFile::WriteOwner | QFile::WriteUser : perm & ~write);
    }
}

class InstalledProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        prefix = tmp.path() + QStringLiteral("/prefix");
        home = tmp.path() + QStringLiteral("/home");
        runtime = tmp.path() + QStringLiteral("/run");
        probeOut = tmp.path() + QStringLiteral("/probe.txt");
        ASSERT_TRUE(QDir().mkpath(home));
        ASSERT_TRUE(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(
            QStringLiteral(TAVIR_CMAKE_COMMAND),
            {QStringLiteral("--install"), QStringLiteral(TAVIR_BUILD_DIR), QStringLiteral("--prefix"), prefix});
        ASSERT_TRUE(install.waitForFinished(120000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAll().toStdString();
    }

    void TearDown() override
    {
        stop();
        setWritable(prefix, true);
    }

    QString programDir() const { return prefix + QStringLiteral("/lib/tavir"); }
    QString userDataDir() const { return home + QStringLiteral("/.local/share/tavir"); }

    // Starts the installed program as a user with a fresh home would: no
    // XDG folders set, only the runtime folder of the session.
    void start()
    {
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(TAVIR_PROBE_PLUGIN_DIR));
        env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("tavirprobe"));
        env.insert(QStringLiteral("TAVIR_PROBE_OUT"), probeOut);
        QFile::remove(probeOut);
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(home);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(prefix + QStringLiteral("/bin/tavir"), {});
        ASSERT_TRUE(program.waitForStarted(10000));
    }

    // Waits until the probe shows `line`, a message box shows, the program
    // ends, or a minute has passed; returns the last report.
    QString waitFor(const QString &line)
    {
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        QString report;
        while (std::chrono::steady_clock::now() < deadline) {
            report = readAll(probeOut);
            if (report.split(QLatin1Char('\n')).contains(line) || report.contains(QLatin1String("box: ")))
                return report;
            if (program.state() == QProcess::NotRunning)
                return report + QStringLiteral("\n<the program ended: ") + QString::fromUtf8(program.readAll())
                       + QStringLiteral(">");
            program.waitForReadyRead(100);
        }
        return report + QStringLiteral("\n<time-out>");
    }

    void stop()
    {
        if (program.state() == QProcess::NotRunning)
            return;
        program.terminate();
        if (!program.waitForFinished(10000)) {
            program.kill();
            program.waitForFinished(10000);
        }
    }

    // Inside the build folder: the installed program must be able to run
    // from there even where the system's temporary folder is mounted noexec.
    QTemporaryDir tmp{QStringLiteral(TAVIR_BUILD_DIR "/tests/installed-XXXXXX")};
    QString prefix, home, runtime, probeOut;
    QProcess program;
};

TEST_F(InstalledProgram, ReadOnlyPrefixStartsWithADataFileInTheUsersFolder)
{
    // What the install put there.
    for (const char *file : {"db00.mdb", "dbQORCL.mdb", "tavir-installed", "tavir"})
        EXPECT_TRUE(QFileInfo(programDir() + QLatin1Char('/') + QLatin1String(file)).isFile()) << file;
    if (QFileInfo::exists(testsupport::programDir() + QStringLiteral("/runupd"))) {
        EXPECT_TRUE(QFileInfo(programDir() + QStringLiteral("/runupd")).isExecutable());
    }
    EXPECT_EQ(QFileInfo(prefix + QStringLiteral("/bin/tavir")).canonicalFilePath(),
              QFileInfo(programDir() + QStringLiteral("/tavir")).canonicalFilePath());
    EXPECT_TRUE(readAll(prefix + QStringLiteral("/share/applications/tavir.desktop"))
                    .contains(QStringLiteral("\nExec=") + prefix + QStringLiteral("/bin/tavir\n")));
    EXPECT_TRUE(QFileInfo(prefix + QStringLiteral("/share/icons/hicolor/scalable/apps/tavir.svg")).isFile());
    EXPECT_TRUE(
        QFileInfo(prefix + QStringLiteral("/share/doc/tavir/examples/stortplaats-de-berkenheuvel.xml")).isFile());

    setWritable(prefix, false);
    const QStringList before = snapshot(prefix);
    start();

    const QString report = waitFor(QStringLiteral("screen: frmOpenInr"));
    ASSERT_TRUE(report.contains(QStringLiteral("\nscreen: frmOpenInr\n"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("StatusBar1_3:  volgnr. bestand checklists: 12 ")))
        << report.toStdString();

    const QString data = userDataDir() + QStringLiteral("/dbQORdata_1.mdb");
    EXPECT_EQ(sqlScalar(data, "SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID='versie'"), QStringLiteral("30"));
    EXPECT_EQ(sqlScalar(data, "PRAGMA integrity_check"), QStringLiteral("ok"));
    // The coupling stored it in the user's settings.
    QString stored;
    QDirIterator it(home + QStringLiteral("/.config"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        stored += readAll(it.next());
    EXPECT_TRUE(stored.contains(QStringLiteral("ConDATAfilenaam=") + data)) << stored.toStdString();

    stop();
    EXPECT_EQ(snapshot(prefix), before);

    // The second start compacts the data file beside itself and comes back
    // to the site list; a checklist file downloaded into the user's folder
    // (here a copy with a higher sequence number) is the one read.
    const QString own = userDataDir() + QStringLiteral("/dbQORCL.mdb");
    ASSERT_TRUE(QFile::copy(programDir() + QStringLiteral("/dbQORCL.mdb"), own));
    QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner);
    {
        sqlite3 *h = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(own).constData(), &h), SQLITE_OK);
        db::registerJetCollation(h);
        ASSERT_EQ(
            sqlite3_exec(h, "UPDATE tblSYS SET strSYSvalue='13' WHERE strSYS_ID='versie'", nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(h);
    }
    start();
    const QString again = waitFor(QStringLiteral("screen: frmOpenInr"));
    ASSERT_TRUE(again.contains(QStringLiteral("\nscreen: frmOpenInr\n"))) << again.toStdString();
    EXPECT_TRUE(again.contains(QStringLiteral("StatusBar1_3:  volgnr. bestand checklists: 13 ")))
        << again.toStdString();
    EXPECT_EQ(sqlScalar(data, "PRAGMA integrity_check"), QStringLiteral("ok"));
    stop();
    EXPECT_EQ(snapshot(prefix), before);
}

} // namespace

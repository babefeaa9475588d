#pragma once
// What the shell's tests share: a private copy of the program folder, clean
// settings, databases built from SQL, and a folder that cannot be written.

#include "support/qstring_printer.h"
#include "support/read_only_folder.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/sql_file.h"
#include "support/test_paths.h"

#include "shell/app_settings.h"
#include "shell/auto_update.h"
#include "shell/frmMDI_main.h"
#include "shell/program_state.h"
#include "shell/start_routine.h"

#include "platform/db/jet_collation.h"
#include "platform/os/program_dir.h"
#include "platform/settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <ostream>

#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace shelltest {

inline QString readText(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(f.readAll());
}

inline QString oldFormatSql()
{
    return readText(testsupport::fixturesDir() + QStringLiteral("/oldformat/dbQORdata_oud.sql"));
}

// Builds a database at `path` from `sql` on a handle that knows Jet's text comparison.
inline QString makeDatabase(const QString &path, const QString &sql)
{
    return testsupport::buildDatabase(path, sql);
}

using testsupport::runSql;

// The first column of the first row of `sql`, as text ("<null>" for Null,
// "<none>" without a row).
inline QString scalar(const QString &path, const QString &sql)
{
    sqlite3 *h = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(h);
        return QStringLiteral("<cannot open>");
    }
    db::registerJetCollation(h);
    sqlite3_stmt *stmt = nullptr;
    QString result = QStringLiteral("<none>");
    if (sqlite3_prepare_v2(h, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        result = QStringLiteral("<error: %1>").arg(QString::fromUtf8(sqlite3_errmsg(h)));
    } else if (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
        result = text ? QString::fromUtf8(text) : QStringLiteral("<null>");
    }
    sqlite3_finalize(stmt);
    sqlite3_close(h);
    return result;
}

// The file's schema, for comparing a file with itself before and after.
inline QString schemaOf(const QString &path)
{
    return scalar(path,
                  QStringLiteral("SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_schema ORDER BY name)"));
}

// The format-version row of a data file.
inline QString versionRowOf(const QString &path)
{
    return scalar(path, QStringLiteral("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID='versie'"));
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

// A process that dies in the middle of `sql` on `path`: its cache is too
// small to hold the change, so part of it reached the file and the journal
// beside it is what a crash leaves (a "hot" journal).
inline void crashInTheMiddleOfAChange(const QString &path, const char *sql)
{
    const QByteArray file = QFile::encodeName(path);
    const pid_t pid = ::fork();
    if (pid == 0) {
        sqlite3 *h = nullptr;
        sqlite3_open_v2(file.constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
        db::registerJetCollation(h);
        sqlite3_exec(h, "PRAGMA cache_size = 1; BEGIN", nullptr, nullptr, nullptr);
        sqlite3_exec(h, sql, nullptr, nullptr, nullptr);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
}

using testsupport::ReadOnlyFolder;

// A test with scripted boxes, a private program folder (a copy of the built
// one: template and checklist file) and empty settings. Nothing is written
// into the build's program folder.
class ShellTest : public testsupport::ScriptedDialogsTest {
protected:
    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        ASSERT_TRUE(tmp.isValid());
        progDir = tmp.path() + QStringLiteral("/prog");
        ASSERT_TRUE(QDir().mkpath(progDir));
        ASSERT_TRUE(QFile::copy(testsupport::templateFile(), progDir + QStringLiteral("/db00.mdb")));
        ASSERT_TRUE(QFile::copy(testsupport::checklistFile(), progDir + QStringLiteral("/dbQORCL.mdb")));
        os::setProgramDir(progDir);
        modMain::resetProgramState();
        clearSettings();
        // No test reaches the internet: the update server is a local port
        // on which nothing listens, unless a test serves one.
        modAutoUpdate::setServerAdres(QStringLiteral("http://127.0.0.1:9"));
    }

    void TearDown() override
    {
        shell::frmMDI_main::setSplashOpener({});
        shell::frmMDI_main::setSettingsScreenOpener({});
        shell::frmMDI_main::unload();
        modMain::releaseSingleInstance();
        clearSettings();
        os::setProgramDir(QString());
        modMain::resetProgramState();
        modAutoUpdate::setServerAdres(QString());
        ScriptedDialogsTest::TearDown();
    }

    static void clearSettings()
    {
        for (const char *section : {"TAVIR3_0", "TAVIR3_9", "TAVIR3_10"})
            settings::DeleteSetting(QLatin1String(modMain::kInstellingenApp), QLatin1String(section));
    }

    // The boxes of converting an older data file, and of a failed compaction.
    void expectUpgradeQuestion(const QString &pad, ui::Answer answer)
    {
        script
            .expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Upgraden databestand"),
                          QStringLiteral("Databestand '") + pad
                              + QStringLiteral("' staat in het format van een vorige versie van TAVIR.\n\nHet bestand "
                                               "zal nu worden omgezet voor gebruik met de huidige versie van TAVIR."
                                               "\n\nLET OP: Na omzetting kan het databestand niet meer worden "
                                               "gebruikt met de vorige versie van TAVIR."),
                          ui::Buttons::OKCancel)
            .answer(answer);
    }
    void expectUpgradeNotice()
    {
        script.expectMsgBox(
            ui::Icon::Information, QStringLiteral("Upgraden databestand"),
            QStringLiteral("Het databestand is bijgewerkt naar het format van de huidige TAVIR versie."));
    }
    void expectSchrijffout(const QString &pad)
    {
        script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Schrijffout"),
                            QStringLiteral("Er zijn onvoldoende schrijfrechten voor databestand \"") + pad
                                + QStringLiteral("\". Verplaats dit databestand naar een andere locatie, bij voorkeur "
                                                 "op het netwerk."));
    }

    // The stored text of a setting of this version ("<missing>" when absent).
    static QString setting(const char *key)
    {
        return modMain::LeesInstelling(QLatin1String(key), QStringLiteral("<missing>"));
    }

    // A fresh data file from the template.
    QString templateCopy(const QString &name = QStringLiteral("dbQORdata_1.mdb"))
    {
        const QString path = progDir + QStringLiteral("/") + name;
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(progDir + QStringLiteral("/db00.mdb"), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    // The old-format fixture built into a file.
    QString oldFormatFile(const QString &name = QStringLiteral("dbQORdata_oud.mdb"))
    {
        return makeDatabase(tmp.path() + QStringLiteral("/") + name, oldFormatSql());
    }

    QTemporaryDir tmp;
    QString progDir;
};

} // namespace shelltest

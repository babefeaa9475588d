#pragma once
// Database files for tests, made and changed straight through the sqlite3 C
// API on a handle that knows Jet's text comparison, so that a test can set up
// exactly the file it needs, faults included.

#include "platform/db/jet_collation.h"

#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace testsupport {

// Runs `sql` on the file at `path`; `create` makes the file when it is not
// there. A failing statement is a test failure.
inline void execSql(const QString &path, const QString &sql, bool create)
{
    sqlite3 *h = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int opened = sqlite3_open_v2(path.toUtf8().constData(), &h, flags, nullptr);
    EXPECT_EQ(opened, SQLITE_OK) << path.toStdString();
    if (opened != SQLITE_OK) {
        sqlite3_close(h);
        return;
    }
    db::registerJetCollation(h);
    char *error = nullptr;
    EXPECT_EQ(sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(h);
}

// Builds a database at `path` from `sql`; returns the path.
inline QString buildDatabase(const QString &path, const QString &sql)
{
    execSql(path, sql, true);
    return path;
}

// Runs statements on an existing database file.
inline void runSql(const QString &path, const QString &sql)
{
    execSql(path, sql, false);
}

} // namespace testsupport

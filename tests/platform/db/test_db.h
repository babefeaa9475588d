#pragma once
// Test databases: each test builds its own file in a temporary folder, with
// DDL that follows docs/database-files.md.

#include "platform/core/error.h"
#include "platform/db/jet_collation.h"
#include "support/raised_error.h"
#include "support/sql_file.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sqlite3.h>

namespace dbtest {

// A cost-item table in the file conventions, and a key/value table without
// an AutoNumber.
inline const char *kSchema = R"(
CREATE TABLE tblAct (
  idrAct_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  lngStort_REF INTEGER,
  bytRubriek_REF TINYINT,
  intStartAbs SMALLINT,
  strAct VARCHAR(50) COLLATE NOCASE,
  strEenheid VARCHAR(20) COLLATE NOCASE,
  sngKostenPE REAL,
  dblFactor DOUBLE,
  curBedrag CURRENCY,
  dtmMut DATETIME,
  memOpm LONGTEXT COLLATE NOCASE,
  blnActief BIT,
  bytCombineer TINYINT NOT NULL DEFAULT 0
);
CREATE INDEX idxActStort ON tblAct (lngStort_REF);
CREATE TABLE tblInrichting (
  idrInrichting_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  lngStort_REF INTEGER,
  strObject VARCHAR(50) COLLATE NOCASE
);
CREATE TABLE tblSYS (
  strSYS_ID VARCHAR(50) COLLATE NOCASE,
  strSYSvalue VARCHAR(50) COLLATE NOCASE
);
)";

// Creates `name` in dir with the given SQL run on a handle that knows Jet's text comparison.
inline QString makeDatabase(const QTemporaryDir &dir, const QString &sql = QString::fromUtf8(kSchema),
                            const QString &name = QStringLiteral("data.mdb"))
{
    return testsupport::buildDatabase(dir.filePath(name), sql);
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// Runs `body`, expects a platform::Error with that number, returns it.
inline platform::Error expectError(long number, const std::function<void()> &body)
{
    const std::optional<platform::Error> e = testsupport::raisedError(body);
    if (!e) {
        ADD_FAILURE() << "no platform::Error " << number << " raised";
        return platform::Error(0, QString());
    }
    EXPECT_EQ(e->number(), number) << e->description().toStdString();
    return *e;
}

} // namespace dbtest

#pragma once
// Jet's column types over SQLite: which declared type means which Jet kind,
// what a stored value reads back as, and the checks and conversions Jet
// applies when a value is written (docs/database-files.md).

#include <QDateTime>
#include <QString>
#include <QVariant>

struct sqlite3_stmt;

namespace db {

enum class JetKind {
    Unknown, // expression columns and types outside the table below
    AutoNumber,
    Long,
    Integer,
    Byte,
    Single,
    Double,
    Currency,
    Date,
    Text,
    Memo,
    YesNo,
};

// A Null value is a null QVariant.
inline bool isNull(const QVariant &v)
{
    return v.isNull() || !v.isValid();
}

struct ColumnType {
    JetKind kind = JetKind::Unknown;
    int width = 0; // characters of a Text column, else 0
};

// Kind of a declared type ("VARCHAR(20)", "SMALLINT", ...). autoIncrement
// marks an INTEGER PRIMARY KEY AUTOINCREMENT column.
ColumnType columnTypeOf(const QString &declaredType, bool autoIncrement = false);

// The declared type to create a column with, exactly as in the file
// conventions: "VARCHAR(50) COLLATE NOCASE", "SMALLINT", ...
QString declaredTypeFor(JetKind kind, int width = 0);

// ADO's DefinedSize: characters for Text, bytes for the others.
int definedSizeOf(const ColumnType &type);

QString kindName(JetKind kind);

// Dates are stored as text 'yyyy-MM-dd hh:mm:ss' and read back as local
// QDateTime.
QString dateTimeText(const QDateTime &dt);
QDateTime parseDateTimeText(const QString &text); // invalid when not that form

// The value of result column `col` of the current row of `stmt`, typed by kind.
QVariant readColumn(sqlite3_stmt *stmt, int col, JetKind kind);

// Jet's write rules: returns the value to store for `value` in a column of
// this type, or throws platform::Error (3163, 3349, 3421, 3164) whose text
// names the field and table. Null passes (NOT NULL is checked on write).
QVariant checkedValue(const ColumnType &type, const QVariant &value, const QString &table, const QString &field);

// Binds a value as parameter `index` (1-based): bool as -1/0, dates as text.
int bindValue(sqlite3_stmt *stmt, int index, const QVariant &value);

// Round half to even, as Jet's integer conversions and CInt do.
double roundHalfEven(double x);

} // namespace db

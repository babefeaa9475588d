#pragma once
// SQLite cannot change a column's declared type in place. A table is
// rebuilt instead: a copy with the new CREATE text takes every row (ids
// unchanged), replaces the old table, and gets its indexes, triggers and
// AUTOINCREMENT sequence back, all in one transaction.

#include <QString>

namespace db {

class PhysicalDatabase;

// The CREATE TABLE text with the declared type of `column` replaced by
// `newType` (constraints, collation and the other columns kept). Throws 3265
// when the column is not found in the text.
QString withColumnType(const QString &createSql, const QString &column, const QString &newType);

void rebuildWithColumnType(PhysicalDatabase &db, const QString &table, const QString &column,
                           const QString &newType);

} // namespace db

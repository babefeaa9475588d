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

void rebuildWithColumnType(PhysicalDatabase &db, const QString &table, const QString &column, const QString &newType);

// Files of earlier versions declare their text columns COLLATE JETTEXT, a
// collation no other SQLite tool knows. Rebuilds every such table with
// COLLATE NOCASE, and gives every index that keys a column by a
// case-folding collation (NOCASE or JETTEXT) COLLATE BINARY instead, all in
// one transaction. Returns whether anything changed.
bool useStandardTextCollation(PhysicalDatabase &db);

} // namespace db

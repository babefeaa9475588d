#pragma once
// Expected tables and columns of a database file, written with the Jet types
// of the file formats, and the check that compares them with a built file
// through the declarations of docs/database-files.md.

#include "sqlite_file.h"

#include <vector>

namespace datatest {

enum class Jet { AutoNumber, Long, Integer, Byte, Single, Double, Currency, Date, Text, Memo, YesNo };

struct ExpectedColumn {
    const char *name;
    Jet type;
    int width = 0;                      // Text only
    bool notNull = false;               // declared NOT NULL
    const char *defaultValue = nullptr; // declared DEFAULT, as SQLite reports it
};

struct ExpectedTable {
    const char *name;
    std::vector<ExpectedColumn> columns; // in their order in the table
};

// The declared type of a Jet type, as docs/database-files.md fixes it.
QString declaredType(Jet type, int width);

// Every expected table exists with exactly the expected columns, in order:
// declared type, collation (NOCASE for Text and Memo, none otherwise), NOT
// NULL, default, and AUTOINCREMENT primary key for an AutoNumber. The file
// holds no other table than these (and SQLite's own).
void expectSchema(const SqliteFile &file, const std::vector<ExpectedTable> &tables);

} // namespace datatest

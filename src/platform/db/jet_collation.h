#pragma once
// Jet compares text without regard to case, for every letter. SQLite's NOCASE
// folds ASCII only, so text columns are declared COLLATE JETTEXT and every
// handle registers this collation before it touches a table.

#include <QString>

struct sqlite3;

namespace db {

inline constexpr const char *kJetCollation = "JETTEXT";

// Registers JETTEXT on the handle. Returns the SQLite result code.
int registerJetCollation(sqlite3 *handle);

// The comparison itself, for in-memory searches that must agree with the
// database: <0, 0 or >0 like strcmp.
int compareJetText(const QString &a, const QString &b);

} // namespace db

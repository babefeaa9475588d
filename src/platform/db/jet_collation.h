#pragma once
// Jet compares text without regard to case, for every letter ("Ö" equals
// "ö"). Text columns are declared COLLATE NOCASE, a collation every SQLite
// tool knows (there it folds A-Z only), and every handle of this layer
// replaces NOCASE by Jet's rule: Unicode case folding. The files stay
// readable and checkable by any SQLite tool; within the program every text
// comparison follows Jet.
//
// Because the two NOCASE rules may order non-ASCII text differently, no
// index of our files keys a text column by NOCASE: such indexes are declared
// COLLATE BINARY (see docs/database-files.md), so that every tool finds the
// same order in them.
//
// Files made before that declare their text columns COLLATE JETTEXT; the
// name is registered too, with the same rule, so that they keep working
// until the upgrade rewrites them.

#include <QString>

struct sqlite3;

namespace db {

inline constexpr const char *kJetCollation = "NOCASE";
inline constexpr const char *kOldJetCollation = "JETTEXT";

// Registers Jet's rule under NOCASE and JETTEXT on the handle. Returns the
// SQLite result code.
int registerJetCollation(sqlite3 *handle);

// The comparison itself, for in-memory searches that must agree with the
// database: <0, 0 or >0 like strcmp.
int compareJetText(const QString &a, const QString &b);

} // namespace db

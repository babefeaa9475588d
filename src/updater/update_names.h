#pragma once
// Which files an update may put in the program folder. An update names its
// files in a text file on the update server; only a plain file name (no
// folder, nothing hidden, no characters a shell or the system reads in a
// special way) that is not one of the user's data files, nor a file of the
// update's own bookkeeping, may be written or replaced.

#include <QString>

namespace updater {

// Prefixes in the program folder: "_0_" + name is a downloaded file that
// waits to take the place of name; "_1_" + name keeps the file it replaces
// until every file of the update is in place.
inline constexpr const char *kNewPrefix = "_0_";
inline constexpr const char *kBackupPrefix = "_1_";
// The journal of a replacement under way; every name that begins with it
// (the journal for going back, the file a journal is written to first) is
// the updater's as well.
inline constexpr const char *kJournalName = "runupd.journal";

// A plain file name: 1 to 100 characters from A-Z, a-z, 0-9, ".", "_",
// "-" and "+", not starting with "." (so never "", ".", ".." or a hidden
// file) and not starting with the prefix of a download or a backup.
bool isPlainName(const QString &name);

// A data file of the user, the template and checklist file a new data file
// and the program read, or the updater's own bookkeeping: "dbQORdata_"
// (any case) followed by anything, "db00.mdb", "dbQORCL.mdb", and the
// journal's name (any case) followed by anything.
// Such names are never replaced by a program update.
bool isProtectedName(const QString &name);

// What a program update may replace: a plain name that is not protected.
bool mayReplace(const QString &name);

} // namespace updater

#pragma once
// Puts the downloaded files of a program update in place, all or none.
//
// Every "_0_" + name in the program folder (for a name an update may
// replace, see update_names.h) takes the place of name by a rename. The
// files are never missing for a moment, and a run that is broken off at
// any point (killed, power gone, the disk full) is completed or undone the
// next time the updater or the program starts:
//
//   1. Two journals are written, each to "runupd.journal.part" that is
//      flushed and renamed into place, with every name and whether it
//      existed: first "runupd.journal.back", which says "back", then
//      "runupd.journal", which says "forward" and starts the run. Nothing
//      has changed yet; when either cannot be written the run ends there.
//   2. For each name: the file it replaces is kept as "_1_" + name (a hard
//      link, or a copy where the file system has none), then "_0_" + name is
//      renamed onto name. A rename is atomic: name is always either the old
//      or the new file.
//   3. When all are in place the journal for going back, the backups and
//      then the journal go.
//   If a step of 2 fails, "runupd.journal.back" is renamed onto
//   "runupd.journal" before anything is undone: from that one rename on the
//   journal says "back", and a rename needs no room on a full disk. Then
//   every file already placed is renamed back from its backup (a file that
//   was new is removed), and the downloads of the update are removed, so
//   that none of them is placed later without the others. When the rename
//   of the journal fails too, nothing is undone (the journal still says
//   forward).
//
// A name that is a symbolic link (a chain of them) stays a link: the file it
// finally names takes the new content. Its download is first moved beside
// that file as "_0_" + that file's name (copied, to another file system),
// its backup is kept there as "_1_" + that name, and the rename goes onto
// it. Going back removes that download with the others. Two names of one
// update that end at the same file refuse the update, and so does a name
// that ends at a file of the program folder no update may replace (a data
// file, a journal).
//
// With a journal present, recover() goes on from the journal: forward when
// it says so (a file whose "_0_" is gone is already in place), back when it
// says back. Each step can be repeated, and the direction read is always
// the one the run was going in, so whatever moment a run is broken off at,
// the folder ends with all old or all new files.
//
// Only the program file's own links are followed. The updater's files are
// plain files: a symbolic link (or a folder) where a download (in the
// program folder or beside a linked file), a backup or a journal should be
// is never followed and is left as it is; the run refuses it, before
// anything changes or by going back.

#include <QString>
#include <QStringList>
#include <functional>

namespace updater {

struct Outcome {
    enum class Kind {
        Nothing,    // no journal and no download waiting
        Replaced,   // every file is in place
        RolledBack, // a file could not be placed; the old files are back, the downloads gone
        Failed,     // nothing could be started, or going back could not be begun or
                    // failed (the journal stays)
    };
    Kind kind = Kind::Nothing;
    QStringList names; // the files of the update
    QString error;     // why, when not Replaced or Nothing

    bool ok() const { return kind == Kind::Nothing || kind == Kind::Replaced; }
};

// Called after every change on disk, with its running number; returning
// false stops there at once, without any clean-up, as a kill would (tests).
using StepHook = std::function<bool(int step)>;

// Called before every write that takes room on the disk (a journal, a
// backup, a download copied beside a linked file on another file system),
// with its running number; an error number other than 0 makes that write
// fail with it, as a full disk does with ENOSPC (tests).
using WriteFault = std::function<int(int write)>;

// Completes or undoes a replacement that the journal in `dir` records.
// Nothing when there is no journal.
Outcome recover(const QString &dir, const StepHook &hook = {}, const WriteFault &writeFault = {});

// Recovers first, then puts every waiting "_0_" file of `dir` in place.
Outcome replaceAll(const QString &dir, const StepHook &hook = {}, const WriteFault &writeFault = {});

// The downloads waiting in `dir`: the names (without "_0_") an update may
// replace, sorted.
QStringList waitingDownloads(const QString &dir);

} // namespace updater

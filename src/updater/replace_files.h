#pragma once
// Puts the downloaded files of a program update in place, all or none.
//
// Every "_0_" + name in the program folder (for a name an update may
// replace, see update_names.h) takes the place of name by a rename. The
// files are never missing for a moment, and a run that is broken off at
// any point (killed, power gone) is completed or undone the next time the
// updater or the program starts:
//
//   1. The journal "runupd.journal" is written (to a temporary file that is
//      renamed into place) with every name and whether it existed.
//   2. For each name: the file it replaces is kept as "_1_" + name (a hard
//      link, or a copy where the file system has none), then "_0_" + name is
//      renamed onto name. A rename is atomic: name is always either the old
//      or the new file.
//   3. When all are in place the backups and then the journal go.
//   If a step of 2 fails, the journal is marked for going back and every
//   file already placed is renamed back from its backup (a file that was
//   new is removed); the downloads not yet placed stay.
//
// A name that is a symbolic link (a chain of them) stays a link: the file it
// finally names takes the new content. Its download is first moved beside
// that file as "_0_" + that file's name (copied, to another file system),
// its backup is kept there as "_1_" + that name, and the rename goes onto
// it. Going back moves the download into the program folder again. Two
// names of one update that end at the same file refuse the update.
//
// With a journal present, recover() goes on from the journal: forward when
// it says so (a file whose "_0_" is gone is already in place), back when it
// was marked for going back. Each step can be repeated.

#include <QString>
#include <QStringList>
#include <functional>

namespace updater {

struct Outcome {
    enum class Kind {
        Nothing,    // no journal and no download waiting
        Replaced,   // every file is in place
        RolledBack, // a file could not be placed; the old files are back
        Failed,     // nothing could be started, or going back failed (the journal stays)
    };
    Kind kind = Kind::Nothing;
    QStringList names; // the files of the update
    QString error;     // why, when not Replaced or Nothing

    bool ok() const { return kind == Kind::Nothing || kind == Kind::Replaced; }
};

// Called after every change on disk, with its running number; returning
// false stops there at once, without any clean-up, as a kill would (tests).
using StepHook = std::function<bool(int step)>;

// Completes or undoes a replacement that the journal in `dir` records.
// Nothing when there is no journal.
Outcome recover(const QString &dir, const StepHook &hook = {});

// Recovers first, then puts every waiting "_0_" file of `dir` in place.
Outcome replaceAll(const QString &dir, const StepHook &hook = {});

// The downloads waiting in `dir`: the names (without "_0_") an update may
// replace, sorted.
QStringList waitingDownloads(const QString &dir);

} // namespace updater

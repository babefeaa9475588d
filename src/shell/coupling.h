#pragma once
// Coupling a data file: making it the program's current data file.
//
// The coupling checks the name, makes a new file from the template when
// asked to, compares the file's format version with the program and offers
// the upgrade of an older file, and upgrades the file (one transaction).
// Only when all of that succeeded does it set gstrDatabestand, the
// connection strings and the setting ConDATAfilenaam, and (when not silent)
// confirm. Until then the previous coupling stays in force untouched: a
// refused name, a failed template copy, a cancelled or refused upgrade and a
// failed upgrade all leave it as it was.
//
// The coupled file is held (os::FileHold, a shared hold) from before the
// coupling reads it until another file is coupled or the program ends, also
// when it is killed: another instance's start sees the hold and leaves the
// file uncompacted (datafile_compact.h), so that no instance replaces the
// file while another works on it. The hold is taken once the compaction of
// another instance, if one is under way, is done.

#include <QString>
#include <QVariant>

namespace modMain {

// `bestand`: full path of the data file. `nieuw`: make it from the template
// "db00.mdb" of the program folder (replacing a file of that name).
// `stil`: no confirmation at the end. The outcome shows in gstrConnData and
// the other state. A failure to read or upgrade the file is raised as
// platform::Error (the caller reports it); the state is then unchanged.
void KoppelDatabestand(const QVariant &bestand, bool nieuw, bool stil);

// Gives up the hold on the coupled file (resetProgramState, for tests).
void LaatDatabestandLos();

} // namespace modMain

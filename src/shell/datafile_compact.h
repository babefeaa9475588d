#pragma once
// Compaction of the data file at every start.
//
// The file is compacted into a copy beside it, named by appending "new" to
// its path (dbQORdata_1.mdb into dbQORdata_1.mdbnew). The copy is checked
// (the same tables, indexes and triggers; read whole, the same number of
// rows in every table and an index entry for each), flushed to disk, and
// then renamed over the data file in one step: at every moment a complete
// data file stands under the data file's name, and a failure at any point
// leaves the original untouched.
//
// A data file reached through a symbolic link (a chain of them) is compacted
// beside the file the link finally names, and the copy takes that file's
// place: the link stays a link, to the compacted file.
//
// A copy left by an earlier run is removed only while the data file itself
// is there. When the data file is missing and the copy is a complete data
// file (an interrupted replacement), the copy is put back under the data
// file's name; a copy that is not complete is left alone.

#include <QString>

#include <functional>

namespace modCompress {

// The path of the compacted copy: the path of the file `bestand` finally
// names (os::finalTarget) with "new" appended.
QString pfunCompactPad(const QString &bestand);

// Puts a complete copy back under the data file's name when the data file
// is missing. Returns true when it did.
bool HerstelOnderbrokenCompactie(const QString &bestand);

// Compacts the data file. Reports every failure itself and never passes one
// on: "Beschadigd databestand" when the data file itself cannot be read
// whole, else "Schrijffout"; after a failure the data file is as it was. A
// file that is not a database is left alone without a message: the coupling
// reports it. The compaction needs sole access: a file that another running
// instance holds (it has the file coupled, see coupling.h) is left as it is,
// with a notice that says so.
void CompactDatabestand(const QString &bestand);

// The same with the step that writes the compacted copy given (the one
// above uses db::compactDatabase). Whatever that step writes is checked
// before it replaces the data file.
using KopieerStap = std::function<void(const QString &bestand, const QString &kopie)>;
void CompactDatabestand(const QString &bestand, const KopieerStap &kopieer);

// Whether `pad` is a readable database whose full integrity check passes
// and that holds the tables of a data file: tblSYS and the site tables
// tblStort, tblInrichting, tblAct and tblTonnage (a checklist file, which
// has a tblSYS of its own, is not a data file).
bool pfunIsVolledigDatabestand(const QString &pad);

} // namespace modCompress

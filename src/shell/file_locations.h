#pragma once
// Where the program's files are: the program folder with the template and
// the installed checklist file, the default data file, and the checklist
// file in use.
//
// Two layouts. Portable: the program folder (build/bin, or a copy of it)
// is the user's own and writable; the default data file and a downloaded
// checklist file live in it, as they always have. Installed: `cmake
// --install` writes the marker file kInstallatieMerkteken into the program
// folder, which belongs to the system; the default data file then lives in
// the user's own data folder, and a downloaded checklist file goes there
// too and is used in place of the installed one. A program folder that the
// user cannot write counts as installed as well, marker or not.
//
// The marker decides even where the user could write the program folder
// (root, or a prefix owned by the user): the layout is a property of how
// the program was put there, not of who runs it. That also keeps the
// choice testable where tests run as root.

#include <QString>

namespace modMain {

// The marker file of an installed program folder.
inline constexpr const char *kInstallatieMerkteken = "tavir-installed";

// True when the program runs from an installed program folder (the marker
// is there, or the folder cannot be written).
bool pfunIsGeinstalleerd();

// The user's own data folder: the XDG data folder + "/tavir"
// (~/.local/share/tavir). Not made here.
QString pfunGebruikersMap();

// The folder of the default data file: the program folder (portable) or
// the user's own data folder (installed).
QString pfunDataMap();

// The template data file db00.mdb in the program folder.
QString pfunSjabloonBestand();

// The checklist file installed with the program (the program folder's
// dbQORCL.mdb).
QString pfunGeinstalleerdeChecklist();

// The checklist file to read. Portable: the program folder's. Installed:
// the user's downloaded copy when there is one and it is not older (by its
// sequence number) than the installed file, or when the installed file
// cannot be read; else the installed file. A downloaded copy that cannot
// be read is passed over.
QString pfunChecklistBestand();

// The folder of pfunChecklistBestand() (what pfunConnStrCL is given).
QString pfunChecklistMap();

// The folder into which a downloaded checklist file is written (as "_0_"
// + its name) and then renamed over the checklist file: the program folder
// (portable) or the user's own data folder (installed), made when missing.
// After the rename, ZetChecklistVerbinding points the program at it.
QString pfunChecklistDownloadMap();

// A new data file at `pad` as a copy of the template, writable by the user
// whatever the template's own permissions (an installed template is
// read-only). With `alleenAlsNieuw` an existing file is left alone and the
// copy fails. The description of a failure is in `fout` (Dutch, with the
// system's text).
bool pfunKopieerSjabloon(const QString &pad, bool alleenAlsNieuw, QString *fout = nullptr);

// The first start of an installed program for this user (no data file
// coupled yet): makes the default data file from the template in the user's
// own data folder, so that the start goes on to the site list. Does nothing
// in the portable layout, when a data file is coupled already, or when the
// default file exists; a failure leaves the start to find no data file.
void MaakEersteDatabestand();

// Points gstrConnCL at pfunChecklistBestand(). The start routine calls it;
// so does the install of a downloaded checklist file, before the version
// rows are read again.
void ZetChecklistVerbinding();

} // namespace modMain

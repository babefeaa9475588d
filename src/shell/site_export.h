#pragma once
// Writing one site to an export file: the site's row of tblStort with two
// chapters, rsTonnage (its waste forecast, tblTonnage) and rsInr (its
// facilities, tblInrichting), each facility with the chapter rsAct (its
// cost items, tblAct), saved in ADO's XML persistence format (ado_xml.h).
// Every column of the tables is written, with the data type it has in the
// data file; the ids in the file are the data file's own and are never
// reused by an import.

#include <QString>

namespace modMain {

// The chapter names of the file.
inline constexpr const char *kHoofdstukTonnage = "rsTonnage";
inline constexpr const char *kHoofdstukInrichting = "rsInr";
inline constexpr const char *kHoofdstukAct = "rsAct";

// Writes the open site (glngStortID) to `bestand`. The file is written
// beside the target under a temporary name and then renamed into place, so
// an existing file is replaced only by a complete one and a failure leaves
// it as it was. Failures are raised as platform::Error with a Dutch text:
// a folder that cannot be written (75), a site that is not in the data
// file (3021), a text that XML cannot carry (321), data-file errors.
void ExporteerInrichting(const QString &bestand);

} // namespace modMain

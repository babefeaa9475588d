#pragma once
// The version rows of the installed checklist file (tblSYS): 'versie', the
// file's sequence number, and 'progvermin', the lowest program version
// number that may use it.

namespace modMain {

// Reads both rows over gstrConnCL into gintCLVolgnr and gintProgVerMin (0
// for a row the file lacks) and writes status panel 3. Raises
// platform::Error when the file cannot be read (3024, 3343, 3078, ...) or a
// row holds no 16-bit number (13, 6); the values are then left at 0.
void LeesVersieChecklist();

} // namespace modMain

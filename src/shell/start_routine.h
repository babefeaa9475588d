#pragma once
// The start routine: the program starts here, not in a window.

#include "platform/core/program_version.h"

namespace modMain {

// Runs the start once: refuses a minor version above 9 and a second running
// instance, reads the settings, loads the main window, reads the checklist
// file's version rows, runs the update check when the settings ask for it,
// compacts and couples the data file, and hands over to the splash (or,
// when the data file is missing, to the settings screen). When it returns
// the run goes on while frmMDI_main::instance() is loaded; otherwise the
// run has ended.
void Main(const tavir::ProgramVersion &version = tavir::kProgramVersion);

// Gives up the single-instance lock the start routine took (tests; the
// lock also goes when the process ends).
void releaseSingleInstance();

} // namespace modMain

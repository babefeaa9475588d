#pragma once
// Opening a document or web page with the desktop's program for it, and
// keeping a window on top.

#include <QString>
#include <QtGlobal>

class QWidget;

namespace modAPI_2_ShellExecute {

// Opens `bestand` (a file path or a web address). The result is the outcome
// code as text: "-1" when it opened; "2, Error: File not found.  Couldn't
// Execute!" for a missing file; "3, Error: Path not found. Couldn't
// Execute!" when its folder does not exist; "0" when no program would take
// it. `toonModus` is the window's show mode (callers pass 1, a normal
// window); the desktop decides how the program's window is shown.
QString ShellOpen(const QString &bestand, qint32 toonModus = 1);

} // namespace modAPI_2_ShellExecute

namespace modAPI_1 {

// Asks the window system to keep `window` above other windows (True) or to
// release it (False). Returns 1 when it was put on top, else 0.
qint32 SetTopMost(QWidget *window, bool bovenop);

} // namespace modAPI_1

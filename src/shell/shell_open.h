#pragma once
// Opening a document or web page with the desktop's program for it, and
// keeping a window on top.

#include <QString>
#include <QtGlobal>

class QWidget;

namespace modAPI_2_ShellExecute {

// Opens `bestand` (a file path or a web address) with the desktop's
// program for it. The result is the outcome code as text, with the
// shell's codes for what went wrong:
//   "-1"  the desktop started the program that opens it;
//   "2, Error: File not found.  Couldn't Execute!"  no such file;
//   "3, Error: Path not found. Couldn't Execute!"  its folder does not exist;
//   "5"   the file cannot be read (access denied);
//   "11, Error:  Bad File Format. Couldn't Execute!"  a program this system
//         cannot start (a DOS or Windows program);
//   "0, Error: Out of Memory/Resources. Couldn't execute!"  the desktop could
//         not start a program for it.
// `toonModus` is the window's show mode (callers pass 1, a normal window);
// the desktop decides how the program's window is shown.
QString ShellOpen(const QString &bestand, qint32 toonModus = 1);

} // namespace modAPI_2_ShellExecute

namespace modAPI_1 {

// Asks the window system to keep `window` above other windows (True) or to
// release it (False). Returns 1 when it was put on top, else 0.
qint32 SetTopMost(QWidget *window, bool bovenop);

} // namespace modAPI_1

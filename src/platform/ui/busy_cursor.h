#pragma once
// The program's mouse pointer: normal or the hourglass, program-wide. It is
// one state, not a stack: setting the hourglass twice and resetting once
// gives the normal pointer again. The central error reporter resets it
// before it shows its box.
//
// How the state is shown is installed: the program shows it as Qt's
// override cursor (qt_busy_cursor.h); until a display is installed only the
// state is kept, so that the layers below the screens need no GUI.

#include <functional>

namespace ui {

// Shows the pointer: called with true when the hourglass comes, with false
// when the normal pointer returns, once for each change.
using CursorDisplay = std::function<void(bool busy)>;

// Installs `display` (an empty function: none) and returns the one before.
// Install it while the pointer is normal.
CursorDisplay setCursorDisplay(CursorDisplay display);

void setBusyCursor();
void resetCursor();
bool isBusyCursor();

// Sets the hourglass for its lifetime and then puts back the pointer it
// found: a guard inside another leaves the hourglass on, the outermost one
// returns to normal. Code in between may reset the pointer (before a box,
// say); the guard still restores the state it found.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool m_wasBusy;
};

} // namespace ui

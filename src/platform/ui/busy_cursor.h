#pragma once
// The program's mouse pointer: normal or the hourglass, program-wide. It is
// one state, not a stack: setting the hourglass twice and resetting once
// gives the normal pointer again. The central error reporter resets it
// before it shows its box.
//
// Shown through QGuiApplication's override cursor; without a GUI
// application only the state is kept.

namespace ui {

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

#pragma once
// The hourglass on screen: QGuiApplication's override cursor. The program
// installs it as the pointer's display at start:
//
//   ui::setCursorDisplay(ui::showOverrideCursor);

namespace ui {

// Sets the wait cursor as the application's override cursor (true) or
// removes it (false). Without a GUI application nothing is shown.
void showOverrideCursor(bool busy);

} // namespace ui

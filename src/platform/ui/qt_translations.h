#pragma once
// Qt's own Dutch translations, so that what Qt itself shows (file dialogs,
// the standard buttons of message boxes, the overwrite question, the
// system menu of a child window) reads Dutch like the rest of the program,
// whatever the process locale.

namespace ui {

// Installs Qt's Dutch translations ("qtbase_nl" from Qt's translations
// folder) on the application. False when they cannot be found; the program
// then runs with Qt's English texts.
bool installQtDutch();

} // namespace ui

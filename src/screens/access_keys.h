#pragma once
// The access keys of a screen (Alt and the underlined letter of a caption)
// belong to the screen the user works in. The main window's menu bar has
// access keys of its own ("&Bestand", "&Invoer", "&Rapportage", ...); where
// a screen's control has the same letter ("&Importeer...", "&Bewerken"),
// Qt would find two shortcuts for one key, open the menu or only move the
// focus to the control. So the key goes to the screen first: when the
// screen that has the focus has a shown, enabled control with that access
// key, the control acts and the shortcut map (the menu bar) never sees the
// key. A letter that no control of the screen has still opens its menu.
//
// What a control does with its access key:
// - a button presses (a check or option box takes the focus and is
//   clicked, a push button is clicked where the focus is);
// - a label gives the focus to its buddy;
// - a frame gives the focus to its first control;
// - a tab of a tab bar becomes the current tab.
// A screen's controls share no access key; where two do, the first one
// made acts.

namespace screens {

// Starts the key handling for every screen (once; loading a form does it).
void installAccessKeys();

} // namespace screens

#pragma once
// Where windows open: wholly inside the room they belong to (the main
// window's client area for the windows it owns, the screen's available
// area for the main window itself), frame included.
//
// A window's frame (title bar and borders) is the window manager's. The
// platform tells it only once the window is shown, and some platforms (the
// offscreen one of the tests) give a token frame or none. Windows are
// therefore placed with the frame a window manager adds at the least as
// large as kAssumedWindowFrame: a title bar of 38 pixels and borders of 8,
// what the common desktops (GNOME, KDE, Windows) draw at 96 dots per inch,
// rounded up.

#include <QMargins>
#include <QRect>

class QWidget;

namespace ui {

inline constexpr QMargins kAssumedWindowFrame{8, 38, 8, 8};

// The frame around the client area of the top-level window `window`: on
// each side the larger of what the platform reports and the assumed frame.
QMargins windowFrame(const QWidget *window);

// The whole of the top-level window `window` on the screen: its client area
// with windowFrame() around it.
QRect frameRect(const QWidget *window);

// `rect` moved the least that puts it inside `bounds`; a rect larger than
// `bounds` is first cut to its size.
QRect keptInside(const QRect &rect, const QRect &bounds);

// Moves the top-level window `window`, frame included, inside `bounds`
// (screen coordinates); one larger than `bounds` is made smaller where it
// can be.
void keepWindowInside(QWidget *window, const QRect &bounds);

} // namespace ui

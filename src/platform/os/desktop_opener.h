#pragma once
// The desktop's opener: a local file goes to the program the desktop
// associates with its type, an address to the browser or mail program
// (QDesktopServices). The program installs it at start with os::setOpener;
// it is the one part of this folder that needs Qt Gui.

#include <QUrl>

namespace os {

bool openWithDesktop(const QUrl &url);

} // namespace os

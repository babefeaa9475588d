#pragma once
// The desktop's opener: a local file goes to the program the desktop
// associates with its type, an address to the browser or mail program
// (QDesktopServices). The program installs it at start with os::setOpener;
// it is the one part of this folder that needs Qt Gui.

#include <QString>
#include <QUrl>
#include <optional>

namespace os {

// False when nothing could be started for `url`. The desktop's launcher
// (xdg-open) starts even for a file type that no program opens and then
// fails on its own, unseen; so a local file is first looked up in the
// desktop's list of programs per file type (xdg-mime), and one whose type
// has no program there is refused here.
bool openWithDesktop(const QUrl &url);

// The desktop's program for files of `mimeType` ("libreoffice-writer.desktop"),
// an empty text when it has none, nothing when the desktop cannot be asked
// (no xdg-mime).
std::optional<QString> desktopProgramFor(const QString &mimeType);

} // namespace os

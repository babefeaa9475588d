#pragma once
// Opening a file or web page with the program the desktop associates with
// it. What opens it is installed: the program installs the desktop's
// (desktop_opener.h) at start, tests their own, so that nothing is started.
// Until one is installed nothing is opened.

#include <QString>
#include <QUrl>
#include <functional>

namespace os {

using Opener = std::function<bool(const QUrl &)>;

// Opens `pathOrUrl`: a web or mail address (a scheme such as http:, https:,
// mailto:, file:) as it is, anything else as a local file path. A local file
// that does not exist gives false without starting anything. Returns
// whether the opener accepted it (false when none is installed).
bool openDocument(const QString &pathOrUrl);

// The URL openDocument hands to the opener, or an empty URL when it would
// refuse (missing local file, empty text).
QUrl documentUrl(const QString &pathOrUrl);

// Installs `opener` and returns the one before; an empty function installs
// none.
Opener setOpener(Opener opener);

} // namespace os

#include "platform/os/desktop_opener.h"

#include <QDesktopServices>

namespace os {

bool openWithDesktop(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace os

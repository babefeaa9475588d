#include "platform/os/desktop_opener.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace os {

std::optional<QString> desktopProgramFor(const QString &mimeType)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return std::nullopt;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    // It reads the desktop's lists and answers at once; one that does not
    // answer tells nothing.
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        return std::nullopt;
    }
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

bool openWithDesktop(const QUrl &url)
{
    if (url.isLocalFile()) {
        const QString type = QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name();
        const std::optional<QString> program = desktopProgramFor(type);
        if (program && program->isEmpty())
            return false;
    }
    return QDesktopServices::openUrl(url);
}

} // namespace os

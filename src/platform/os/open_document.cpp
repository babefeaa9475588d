#include "platform/os/open_document.h"

#include <QFileInfo>

namespace os {

namespace {

Opener &currentOpener()
{
    static Opener opener;
    return opener;
}

bool isAddress(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    // A one-letter scheme would be a drive letter, not an address.
    return url.isValid() && url.scheme().size() > 1;
}

} // namespace

QUrl documentUrl(const QString &pathOrUrl)
{
    const QString text = pathOrUrl.trimmed();
    if (text.isEmpty())
        return QUrl();
    QUrl url;
    if (isAddress(text) && !QFileInfo::exists(text))
        url = QUrl(text, QUrl::StrictMode);
    else
        url = QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return QUrl();
    return url;
}

bool openDocument(const QString &pathOrUrl)
{
    const QUrl url = documentUrl(pathOrUrl);
    if (url.isEmpty())
        return false;
    const Opener &opener = currentOpener();
    return opener && opener(url);
}

Opener setOpener(Opener opener)
{
    Opener previous = std::move(currentOpener());
    currentOpener() = std::move(opener);
    return previous;
}

} // namespace os

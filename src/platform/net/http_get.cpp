#include "platform/net/http_get.h"

#include "platform/net/errors.h"

#include "platform/core/file_error_text.h"

#include <QEventLoop>
#include <QSaveFile>
#include <QStringDecoder>

namespace net {

namespace {

void wait(HttpRequest &request)
{
    QEventLoop loop;
    QObject::connect(&request, &HttpRequest::finished, &loop, &QEventLoop::quit);
    request.start();
    if (request.isRunning())
        loop.exec();
}

} // namespace

Result get(const QUrl &url, const Options &options)
{
    HttpRequest request(url, options);
    wait(request);
    return request.result();
}

Result download(const QUrl &url, const QString &target, const Options &options, qint64 expectedSize,
                const Progress &progress)
{
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        Result r;
        r.url = url;
        r.failure = Failure::Write;
        r.number = kErrWrite;
        r.description = QStringLiteral("Het bestand '%1' kan niet worden geschreven").arg(target)
                        + platform::inParentheses(platform::dutchFileError(file)) + QLatin1Char('.');
        return r;
    }
    HttpRequest request(url, options, &file);
    request.setExpectedSize(expectedSize);
    if (progress)
        QObject::connect(&request, &HttpRequest::progress,
                         [&progress](qint64 received, qint64) { progress(received); });
    wait(request);
    Result r = request.result();
    if (r.ok() && expectedSize >= 0 && r.bytes != expectedSize) {
        r.failure = Failure::WrongSize;
        r.number = kErrWrongSize;
        r.description =
            QStringLiteral("Er kwamen %1 bytes binnen in plaats van de verwachte %2.").arg(r.bytes).arg(expectedSize);
    }
    if (!r.ok()) {
        file.cancelWriting();
        return r;
    }
    if (!file.commit()) {
        r.failure = Failure::Write;
        r.number = kErrWrite;
        r.description = QStringLiteral("Het bestand '%1' kan niet worden geschreven").arg(target)
                        + platform::inParentheses(platform::dutchFileError(file)) + QLatin1Char('.');
    }
    return r;
}

QString textOf(const QByteArray &body)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (utf8.hasError())
        return QString::fromLatin1(body);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

} // namespace net

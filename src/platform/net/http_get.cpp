#include "platform/net/http_get.h"

#include "platform/core/error_numbers.h"

#include "platform/core/file_error_text.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <unistd.h>

namespace net {

namespace {

int (*syncToDisk)(int fd) = &::fsync;

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
    // QSaveFile's commit does not look at the flush to disk (on a full disk
    // the data may be refused only then, leaving an empty file): the data
    // goes to disk here first, and only a complete flush counts.
    const auto writeFailed = [&](const QString &why) {
        r.failure = Failure::Write;
        r.number = kErrWrite;
        r.description = QStringLiteral("Het bestand '%1' kan niet worden geschreven").arg(target)
                        + platform::inParentheses(why) + QLatin1Char('.');
    };
    if (!file.flush()) {
        writeFailed(platform::dutchFileError(file));
        file.cancelWriting();
        return r;
    }
    if (syncToDisk(file.handle()) != 0) {
        writeFailed(platform::dutchSystemErrorText(errno));
        file.cancelWriting();
        return r;
    }
    if (!file.commit()) {
        writeFailed(platform::dutchFileError(file));
        return r;
    }
    // What counts is what is on disk: every byte that was sent.
    const qint64 onDisk = QFileInfo(target).size();
    if (onDisk != r.bytes) {
        writeFailed(QStringLiteral("er staan %1 van de %2 bytes op de schijf").arg(onDisk).arg(r.bytes));
        QFile::remove(target);
    }
    return r;
}

void setSyncToDiskForTests(int (*sync)(int fd))
{
    syncToDisk = sync ? sync : &::fsync;
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

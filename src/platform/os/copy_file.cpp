#include "platform/os/copy_file.h"

#include "platform/os/replacing_file.h"
#include "platform/os/system_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace os {

platform::Error CopyResult::error(const QString &source) const
{
    return platform::Error(number, description, source);
}

namespace {

CopyResult failure(int errnum, const QString &context)
{
    const platform::Error e = systemError(errnum, context);
    return CopyResult{false, e.number(), e.description()};
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// errno of a failed QFile operation, where Qt keeps none of its own.
int errnoOr(int fallback)
{
    return errno != 0 ? errno : fallback;
}

} // namespace

CopyResult copyFile(const QString &source, const QString &target, bool failIfExists)
{
    const QString what = QStringLiteral("Kopiëren van %1 naar %2").arg(native(source), native(target));

    QFile in(source);
    errno = 0;
    if (!in.open(QIODevice::ReadOnly))
        return failure(errnoOr(ENOENT), what);
    if (QFileInfo(source).isDir())
        return failure(EISDIR, what);

    const QFileInfo targetInfo(target);
    if (failIfExists && (targetInfo.exists() || targetInfo.isSymLink()))
        return failure(EEXIST, what);
    if (QFileInfo(source).canonicalFilePath() == targetInfo.canonicalFilePath())
        return failure(EINVAL, what);

    // What an earlier copy into this folder left when it was killed goes
    // first; then the copy is written beside the target.
    removeLeftoversBeside(targetInfo.absoluteFilePath());
    ReplacingFile temp(targetInfo.absoluteFilePath());
    if (!temp.open())
        return failure(temp.errorNumber(), what);

    QByteArray buffer;
    for (;;) {
        errno = 0;
        buffer = in.read(1 << 20);
        if (buffer.isEmpty()) {
            if (in.error() != QFileDevice::NoError)
                return failure(errnoOr(EIO), what);
            break;
        }
        if (!temp.write(buffer))
            return failure(temp.errorNumber(), what);
    }
    if (!temp.commit(in.permissions(), failIfExists))
        return failure(temp.errorNumber(), what);
    return CopyResult{true, 0, QString()};
}

} // namespace os

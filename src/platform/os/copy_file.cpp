#include "platform/os/copy_file.h"

#include "platform/os/system_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <fcntl.h>
#include <cstdio>
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

// Renames `from` to `to` unless `to` exists, in one step where the file
// system allows it, so that no file that appeared meanwhile is replaced.
int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return -1;
#endif
    // A hard link also refuses an existing target.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno == EEXIST)
        return -1;
    // A file system with neither: check, then rename.
    if (QFileInfo::exists(QFile::decodeName(to))) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.constData(), to.constData());
}

// Makes the rename itself durable.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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

    QTemporaryFile temp(targetInfo.absolutePath() + QStringLiteral("/.") + targetInfo.fileName()
                        + QStringLiteral(".XXXXXX"));
    errno = 0;
    if (!temp.open())
        return failure(errnoOr(EACCES), what);

    QByteArray buffer;
    for (;;) {
        errno = 0;
        buffer = in.read(1 << 20);
        if (buffer.isEmpty()) {
            if (in.error() != QFileDevice::NoError)
                return failure(errnoOr(EIO), what);
            break;
        }
        if (temp.write(buffer) != buffer.size())
            return failure(errnoOr(ENOSPC), what);
    }
    errno = 0;
    if (!temp.flush() || ::fsync(temp.handle()) != 0)
        return failure(errnoOr(EIO), what);
    temp.setPermissions(in.permissions());
    temp.close();

    const QByteArray from = QFile::encodeName(temp.fileName());
    const QByteArray to = QFile::encodeName(targetInfo.absoluteFilePath());
    const int moved = failIfExists ? renameNoReplace(from, to) : ::rename(from.constData(), to.constData());
    if (moved != 0)
        return failure(errno, what);
    temp.setAutoRemove(false);
    syncFolder(targetInfo.absolutePath());
    return CopyResult{true, 0, QString()};
}

} // namespace os

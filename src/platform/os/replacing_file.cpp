#include "platform/os/replacing_file.h"

#include "platform/core/file_error_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os {

namespace {

constexpr const char *kMarker = ".tavir-";

// As many links as the system follows in one path before it calls it a loop.
constexpr int kMaxLinks = 40;

// `path` with its folder part as the system finds it: links, "." and ".."
// in the folders resolved, so that a ".." after a linked folder leads where
// the system would go. The last part stays as it is (it may be a link or
// missing); so does a path whose folder is not there.
QString physical(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash > 0 ? path.left(slash) : QStringLiteral("/");
    const QString real = QFileInfo(folder).canonicalFilePath();
    if (real.isEmpty())
        return path;
    return (real == QLatin1String("/") ? QString() : real) + QLatin1Char('/') + path.mid(slash + 1);
}

QString randomSuffix()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    for (int i = 0; i < 6; ++i)
        s += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return s;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.constData(), to.constData());
}

} // namespace

QString finalTarget(const QString &path, int *error)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int followed = 0; followed <= kMaxLinks; ++followed) {
        const QByteArray encoded = QFile::encodeName(current);
        struct stat st {};
        if (::lstat(encoded.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray text(PATH_MAX, '\0');
        const ssize_t n = ::readlink(encoded.constData(), text.data(), size_t(text.size()));
        if (n < 0)
            return current; // gone meanwhile: whatever stands there now
        text.truncate(n);
        const QString next = QFile::decodeName(text);
        // A relative link is read from the folder of the link itself.
        current = physical(
            next.startsWith(QLatin1Char('/')) ? next : current.left(current.lastIndexOf(QLatin1Char('/')) + 1) + next);
    }
    if (error)
        *error = ELOOP;
    return QString();
}

ReplacingFile::ReplacingFile(const QString &target) : m_target(finalTarget(target)) {}

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::fail(int errnum)
{
    m_errno = errnum != 0 ? errnum : EIO;
    discard();
    return false;
}

void ReplacingFile::discard()
{
    if (m_fd < 0)
        return;
    // Removed while still locked, so that no cleaner takes it meanwhile.
    ::unlink(QFile::encodeName(m_temp).constData());
    ::close(m_fd);
    m_fd = -1;
}

bool ReplacingFile::open()
{
    if (m_target.isEmpty())
        return fail(ELOOP); // a chain of links without end
    const QFileInfo info(m_target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temp = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1String(kMarker) + randomSuffix();
        m_fd = ::open(QFile::encodeName(m_temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            break;
        if (errno != EEXIST)
            return fail(errno);
    }
    if (m_fd < 0)
        return fail(EEXIST);
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        return fail(errno);
    return true;
}

bool ReplacingFile::write(const QByteArray &bytes)
{
    if (m_fd < 0)
        return fail(EBADF);
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        if (n == 0)
            return fail(ENOSPC);
        p += n;
        left -= n;
    }
    return true;
}

bool ReplacingFile::commit(std::optional<QFileDevice::Permissions> permissions, bool noReplace)
{
    if (m_fd < 0)
        return fail(EBADF);
    if (::fsync(m_fd) != 0)
        return fail(errno);
    const QFileInfo target(m_target);
    if (!permissions && target.exists())
        permissions = QFile::permissions(m_target);
    if (permissions)
        QFile::setPermissions(m_temp, *permissions);
    const QByteArray from = QFile::encodeName(m_temp);
    const QByteArray to = QFile::encodeName(m_target);
    const int moved = noReplace ? renameNoReplace(from, to) : ::rename(from.constData(), to.constData());
    if (moved != 0)
        return fail(errno);
    ::close(m_fd); // the lock goes with it, after the rename
    m_fd = -1;
    syncFolder(target.absolutePath());
    return true;
}

QString ReplacingFile::errorString() const
{
    return platform::dutchSystemErrorText(m_errno);
}

bool isTemporaryName(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.tavir-[A-Za-z0-9]{6}$"));
    return pattern.match(fileName).hasMatch();
}

int removeLeftovers(const QString &folder)
{
    int removed = 0;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names) {
        if (!isTemporaryName(name))
            continue;
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st {};
        // Only a plain file whose writer no longer holds its lock.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

int removeLeftoversBeside(const QString &target)
{
    const QString file = finalTarget(target);
    return file.isEmpty() ? 0 : removeLeftovers(QFileInfo(file).absolutePath());
}

} // namespace os

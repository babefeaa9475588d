#include "platform/os/file_hold.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os {

namespace {

// How often a hold is tried again when the file was put in another's place
// while the hold was taken (a compaction elsewhere finished meanwhile).
constexpr int kAttempts = 100;

bool sameFile(int fd, const QByteArray &path)
{
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 && held.st_dev == named.st_dev
           && held.st_ino == named.st_ino;
}

} // namespace

FileHold::~FileHold()
{
    release();
}

FileHold::Outcome FileHold::share(const QString &path)
{
    return take(path, false);
}

FileHold::Outcome FileHold::takeSole(const QString &path)
{
    return take(path, true);
}

FileHold::Outcome FileHold::take(const QString &path, bool sole)
{
    release();
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        // A write lock needs a descriptor open for writing.
        const int fd = ::open(name.constData(), (sole ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            m_errno = errno;
            return Outcome::Failed;
        }
        struct flock lock {};
        lock.l_type = sole ? F_WRLCK : F_RDLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = kHoldByte;
        lock.l_len = 1;
        int rc = 0;
        do
            rc = ::fcntl(fd, sole ? F_OFD_SETLK : F_OFD_SETLKW, &lock);
        while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            m_errno = errno;
            ::close(fd);
            return (m_errno == EAGAIN || m_errno == EACCES) ? Outcome::InUse : Outcome::Failed;
        }
        // Held; but while it was waited for (or opened) another process may
        // have put a new file in the old one's place. That one is meant.
        if (sameFile(fd, name)) {
            m_fd = fd;
            m_errno = 0;
            return Outcome::Held;
        }
        ::close(fd);
    }
    m_errno = EAGAIN;
    return Outcome::InUse;
}

void FileHold::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd); // the lock goes with the last descriptor of its open file
    m_fd = -1;
}

bool FileHold::holds(const QString &path) const
{
    return m_fd >= 0 && sameFile(m_fd, QFile::encodeName(path));
}

} // namespace os

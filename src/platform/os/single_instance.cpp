#include "platform/os/single_instance.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace os {

namespace {

QString lockPath(const QString &name)
{
    QString safe = name;
    safe.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    if (safe.isEmpty())
        safe = QStringLiteral("program");
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + QLatin1Char('/') + safe + QStringLiteral(".lock");
    // The temporary folder is shared between users: one lock per user.
    return QDir::tempPath() + QLatin1Char('/') + safe + QStringLiteral("-") + QString::number(::getuid())
           + QStringLiteral(".lock");
}

} // namespace

SingleInstance::SingleInstance(const QString &name) : m_path(lockPath(name)) {}

SingleInstance::~SingleInstance()
{
    release();
}

bool SingleInstance::tryLock()
{
    if (m_fd >= 0)
        return true;
    // Not inherited by a program this one starts (the updater takes the
    // lock of its own), and never through a link someone put in its place.
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    // A lock of the open file: another open of the same file, in this
    // process or another, cannot take it while this one holds it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0)
        (void)!::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
    m_fd = fd;
    return true;
}

void SingleInstance::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd); // the lock goes with the last descriptor of the open file
    m_fd = -1;
}

} // namespace os

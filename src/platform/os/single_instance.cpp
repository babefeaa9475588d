#include "platform/os/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>

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

SingleInstance::SingleInstance(const QString &name)
    : m_path(lockPath(name)), m_lock(std::make_unique<QLockFile>(m_path))
{
    // Only a dead owner makes a lock stale, never its age: the program may
    // run for days.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    release();
}

bool SingleInstance::tryLock()
{
    if (m_lock->isLocked())
        return true;
    return m_lock->tryLock(0);
}

void SingleInstance::release()
{
    if (m_lock->isLocked())
        m_lock->unlock();
}

bool SingleInstance::isLocked() const
{
    return m_lock->isLocked();
}

} // namespace os

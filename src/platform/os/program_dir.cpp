#include "platform/os/program_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace os {

namespace {

QString &overrideDir()
{
    static QString dir;
    return dir;
}

} // namespace

QString programDir()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object exists.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

void setProgramDir(const QString &dir)
{
    overrideDir() = dir.isEmpty() ? QString() : QDir::cleanPath(QDir(dir).absolutePath());
}

} // namespace os

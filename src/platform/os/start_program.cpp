#include "platform/os/start_program.h"

#include <QFileInfo>
#include <QProcess>

namespace os {

namespace {

Starter &currentStarter()
{
    static Starter starter;
    return starter;
}

} // namespace

bool startProgram(const QString &program, const QStringList &arguments)
{
    if (const Starter &starter = currentStarter())
        return starter(program, arguments);
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        return false;
    return QProcess::startDetached(info.absoluteFilePath(), arguments, info.absolutePath());
}

Starter setStarter(Starter starter)
{
    Starter previous = std::move(currentStarter());
    currentStarter() = std::move(starter);
    return previous;
}

} // namespace os

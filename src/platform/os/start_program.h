#pragma once
// Starting another program, detached from this one, so that it runs on
// after this program ends. Tests install their own starter, so that
// nothing is started.

#include <QString>
#include <QStringList>
#include <functional>

namespace os {

using Starter = std::function<bool(const QString &program, const QStringList &arguments)>;

// Starts `program` (a full path) with `arguments`, each passed as one
// argument as it stands (no shell reads them). False when it could not be
// started: missing, not executable, or refused by the system.
bool startProgram(const QString &program, const QStringList &arguments);

// Installs `starter` in place of the system's and returns the one before;
// an empty function restores the system's.
Starter setStarter(Starter starter);

} // namespace os

// The updater: started by the program after it has downloaded a program
// update, with one argument, the program's executable name, "|" and its
// main window's caption. It waits until the program has ended, puts every
// downloaded "_0_" file of its own folder (the program folder) in place,
// all or none (see replace_files.h), and starts the program again, also
// when the update could not be put in place: the old program then runs on.
//
// Exit status: 0 the update is in place (or there was none), 1 a bad
// argument, 2 the update was undone or could not start, 3 the program did
// not end in time (nothing was changed, nothing is started).

#include "updater/replace_files.h"
#include "updater/update_names.h"

#include "platform/core/program_version.h"

#include "platform/os/single_instance.h"
#include "platform/os/start_program.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>

namespace {

// The program closes its windows and ends within moments; a minute is
// ample, also on a slow machine.
constexpr int kWaitMs = 60000;

void say(const QString &text)
{
    std::fprintf(stderr, "runupd: %s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || !args.at(1).contains(QLatin1Char('|'))) {
        say(QStringLiteral("gebruik: runupd <programma>|<venstertitel>"));
        return 1;
    }
    const QString program = args.at(1).section(QLatin1Char('|'), 0, 0);
    if (!updater::isPlainName(program)) {
        say(QStringLiteral("ongeldige programmanaam: %1").arg(program));
        return 1;
    }
    const QString dir = QCoreApplication::applicationDirPath();

    // The program holds its single-instance lock while it runs; holding it
    // here also keeps a new start of the program out until the files are
    // in place.
    os::SingleInstance lock{QLatin1String(tavir::kProgramTitle)};
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock()) {
        if (waited.elapsed() > kWaitMs) {
            say(QStringLiteral("het programma is na %1 seconden nog niet afgesloten; er is niets vervangen")
                    .arg(kWaitMs / 1000));
            return 3;
        }
        QThread::msleep(100);
    }

    const updater::Outcome outcome = updater::replaceAll(dir);
    int status = 0;
    switch (outcome.kind) {
    case updater::Outcome::Kind::Nothing:
        say(QStringLiteral("geen update gevonden"));
        break;
    case updater::Outcome::Kind::Replaced:
        say(QStringLiteral("vervangen: %1").arg(outcome.names.join(QStringLiteral(", "))));
        break;
    case updater::Outcome::Kind::RolledBack:
    case updater::Outcome::Kind::Failed:
        say(QStringLiteral("de update kon niet worden geplaatst: %1").arg(outcome.error));
        status = 2;
        break;
    }

    lock.release();
    if (!os::startProgram(dir + QLatin1Char('/') + program, {})) {
        say(QStringLiteral("%1 kan niet worden gestart").arg(dir + QLatin1Char('/') + program));
        return 2;
    }
    return status;
}

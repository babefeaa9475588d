// Another running instance of the program on one data file, for the tests
// of a shared data file. It couples the file named by its one argument as
// the start does, opens the site rows for editing as "Gegevens inrichting"
// does, writes "gekoppeld" and waits. A line "bewerk <naam>" gives the first
// site that name through the rows it opened and answers "bewaard" or
// "mislukt: <reden>". The end of its input ends it.

#include "shell/coupling.h"
#include "shell/program_state.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        say(QStringLiteral("gebruik: other_instance <databestand>"));
        return 1;
    }
    try {
        modMain::KoppelDatabestand(QString::fromLocal8Bit(argv[1]), false, true);
        if (modMain::gstrConnData.isEmpty()) {
            say(QStringLiteral("niet gekoppeld"));
            return 2;
        }
        db::Connection cn;
        cn.Open(modMain::gstrConnData);
        db::Recordset sites;
        sites.Open(QStringLiteral("SELECT * FROM tblStort ORDER BY idrStort_ID"), cn, db::LockType::Pessimistic);
        say(QStringLiteral("gekoppeld"));

        std::string line;
        const std::string edit = "bewerk ";
        while (std::getline(std::cin, line)) {
            if (line.compare(0, edit.size(), edit) != 0)
                continue;
            try {
                sites.Fields("strStortNaam") = QString::fromStdString(line.substr(edit.size()));
                sites.Update();
                say(QStringLiteral("bewaard"));
            } catch (const platform::Error &e) {
                sites.CancelUpdate();
                say(QStringLiteral("mislukt: ") + e.description());
            }
        }
    } catch (const platform::Error &e) {
        say(QStringLiteral("mislukt: ") + e.description());
        return 2;
    }
    return 0;
}

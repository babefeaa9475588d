#include "shell/program_info.h"

#include "shell/program_state.h"

#include "platform/ui/dialogs.h"

namespace modMain {

qint32 pfunProgVersieNr()
{
    return (QString::number(gVersion.major) + QString::number(gVersion.minor)).toInt();
}

QString pfunRegSectie()
{
    return pfunRegSectie(gVersion.major, gVersion.minor);
}

QString pfunRegSectie(int major, int minor)
{
    return QStringLiteral("TAVIR%1_%2").arg(major).arg(minor);
}

bool pfunProgVersieActueel()
{
    if (pfunProgVersieNr() >= gintProgVerMin)
        return true;
    ui::MsgBox(QStringLiteral("Om met het geïnstalleerde QOR-checklistbestand te kunnen werken dient u eerst "
                              "de meest recente versie van ")
                   + QLatin1String(tavir::kProgramTitle) + QStringLiteral(" te downloaden."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Verouderd programmabestand"));
    return false;
}

} // namespace modMain

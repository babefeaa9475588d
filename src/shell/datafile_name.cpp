#include "shell/datafile_name.h"

#include "shell/small_routines.h"

#include "platform/ui/dialogs.h"

namespace modMain {

QString pfunBestandsnaam(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return slash < 0 ? path : path.mid(slash + 1);
}

bool pfunVoldoetAanNaamregel(const QString &path)
{
    const QString naam = pfunBestandsnaam(path);
    const QLatin1String prefix(kDatabestandPrefix);
    return naam.startsWith(prefix, Qt::CaseInsensitive) && naam.size() > prefix.size() + 4;
}

bool pfunBestandsnaamGeldig(const QVariant &bestand)
{
    if (!modCompress::pfunIsNull(bestand) && pfunVoldoetAanNaamregel(bestand.toString()))
        return true;
    ui::MsgBox(QStringLiteral("De bestandsnaam is ongeldig.\nDe bestandsnaam dient te bestaan uit '")
                   + QLatin1String(kDatabestandPrefix)
                   + QStringLiteral("' plus een door de gebruiker in te voeren tekst."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Instellen bestandskoppeling"));
    return false;
}

} // namespace modMain

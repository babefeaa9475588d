#include "records/codes.h"

#include "platform/ui/dialogs.h"

#include <QStringList>

namespace records {

QString rubriekNaam(int rubriek)
{
    static const QStringList names = {QStringLiteral("Instandhouden"), QStringLiteral("Controlemetingen"),
                                      QStringLiteral("Inspecties"),    QStringLiteral("Onderhoud"),
                                      QStringLiteral("Vervanging"),    QStringLiteral("Overig")};
    return rubriek >= 1 && rubriek <= names.size() ? names.at(rubriek - 1) : QString();
}

QString objectCatName(int category)
{
    static const QStringList names = {QStringLiteral("Algemeen"),
                                      QStringLiteral("Bovenafdichting"),
                                      QStringLiteral("Grondwatermonitoringssysteem"),
                                      QStringLiteral("Percolaatopvangsysteem"),
                                      QStringLiteral("Stortgasonttrekking"),
                                      QStringLiteral("Grondwaterbeheerssysteem"),
                                      QStringLiteral("Overig")};
    return category >= 1 && category <= names.size() ? names.at(category - 1) : QString();
}

QString provincieNaam(int code)
{
    static const QStringList names = {
        QStringLiteral("Drenthe"),       QStringLiteral("Flevoland"),     QStringLiteral("Friesland"),
        QStringLiteral("Gelderland"),    QStringLiteral("Groningen"),     QStringLiteral("Limburg"),
        QStringLiteral("Noord-Brabant"), QStringLiteral("Noord-Holland"), QStringLiteral("Overijssel"),
        QStringLiteral("Utrecht"),       QStringLiteral("Zeeland"),       QStringLiteral("Zuid-Holland")};
    if (code == 0)
        return QStringLiteral("??");
    if (code % 10 == 0 && code >= 10 && code <= 120)
        return names.at(code / 10 - 1);
    ui::MsgBox(QStringLiteral("Onbekende provincie-id in pfunStrProv"), ui::Buttons::OK, ui::Icon::Critical,
               QStringLiteral("Fout"));
    return QString();
}

} // namespace records

#include "screens/frmAlgemeen_rules.h"

#include "records/clsStort.h"
#include "records/codes.h"

#include "platform/text/format.h"

namespace screens {

QList<Provincie> ProvincieLijst()
{
    QList<Provincie> lijst;
    for (int code = 10; code <= 120; code += 10)
        lijst.append({code, records::provincieNaam(code)});
    lijst.append({0, records::provincieNaam(0)});
    return lijst;
}

std::optional<Weigering> ToetsAanvangNazorg(const QString &tekst)
{
    const QString titel = QStringLiteral("Invoer datum aanvang nazorg");
    // A year before 1000 ("1-1-0231") is refused as a three-digit one is:
    // every date taken here reads back as it is shown.
    if (!vb::IsDate(tekst) || !records::isDatumAanvangNazorg(vb::CDate(tekst).date()))
        return Weigering{QStringLiteral("Ongeldige datum aanvang nazorg ingevoerd."), titel};
    const int dag = vb::CDate(tekst).date().day();
    if (dag != 1 && dag != 16)
        return Weigering{QStringLiteral("Ongeldige datum aanvang nazorg ingevoerd. ")
                             + QStringLiteral("De dag van aanvang nazorg dient de 1e of de 16e te zijn. "),
                         QStringLiteral("Ongeldige datum aanvang nazorg")};
    return std::nullopt;
}

std::optional<Weigering> ToetsNaam(const QString &tekst, bool bestaatAl)
{
    // A name of blanks only is no name either.
    if (tekst.trimmed().isEmpty())
        return Weigering{QStringLiteral("Voer de naam van de inrichting in."), QStringLiteral("Ongeldige invoer")};
    if (bestaatAl)
        return Weigering{QStringLiteral("Deze naam komt al voor in het momenteel actieve databestand."),
                         QStringLiteral("Ongeldige invoer")};
    return std::nullopt;
}

Weigering OngeldigPercentage(const QString &naam)
{
    return {QStringLiteral("Ongeldige waarde voor ") + naam
                + QStringLiteral(" ingevoerd. Voer een percentage in met een komma als decimaalteken, bijvoorbeeld "
                                 "5,06."),
            QStringLiteral("Ongeldige invoer")};
}

BedrijfsGebondenStand BedrijfsGebonden(const QString &drager, int stortType)
{
    BedrijfsGebondenStand s;
    if (!vb::IsNumeric(drager))
        return s;
    const double code = vb::CDbl(drager);
    if (code != 0 && code != 1)
        return s;
    s.optie = int(code);
    s.objectAanvinken = code == 1;
    s.objectIngeschakeld = stortType == 1 && code == 0;
    s.prognoseIngeschakeld = code == 0;
    return s;
}

QString ObjectGebondenCaption(int stortType)
{
    switch (stortType) {
    case 1:
        return QStringLiteral("Objectgebonden");
    case 2:
        return QStringLiteral("Objectgebonden (per definitie voor baggerdepots)");
    default:
        return QString();
    }
}

QString StortTypeNaam(int stortType)
{
    switch (stortType) {
    case 1:
        return QStringLiteral("stortplaats");
    case 2:
        return QStringLiteral("baggerdepot");
    default:
        return QString();
    }
}

} // namespace screens

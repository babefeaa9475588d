#include "shell/datafile_version.h"

#include "shell/connection_strings.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/dialogs.h"

#include <QRegularExpression>

namespace modCompress {

bool pfunLeesVersieTekst(const QString &text, qint32 *versie)
{
    static const QRegularExpression whole(QStringLiteral("^\\s*[+-]?\\d{1,9}\\s*$"));
    if (!whole.match(text).hasMatch())
        return false;
    *versie = text.trimmed().toInt();
    return true;
}

namespace {

// What a look at the version row found.
enum class Lezing {
    Gelezen,        // `versie` holds the row's number
    GeenVersie,     // no row, or no whole number in it
    TabelOntbreekt, // one of the data file's tables is missing (`ontbreekt` says which)
};

// Reads the version row into `versie`. A file that cannot be opened at all
// raises.
Lezing leesVersie(const QString &bestand, qint32 &versie, QString *ontbreekt = nullptr)
{
    bool gevonden = false;
    try {
        db::Connection cn;
        // A data file lacking one of its tables is as damaged as one
        // without its version row: refuse it here, not at its first use.
        cn.Open(modMain::pfunConnStrData(bestand),
                {QStringLiteral("tblSYS"), QStringLiteral("tblStort"), QStringLiteral("tblInrichting"),
                 QStringLiteral("tblAct"), QStringLiteral("tblTonnage"), QStringLiteral("tblProv"),
                 QStringLiteral("tblObjectCat")});
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID='versie'"), cn, db::LockType::ReadOnly);
        if (!rs.EOF_())
            gevonden = pfunLeesVersieTekst(rs.Fields(QStringLiteral("strSYSvalue")).Value().toString(), &versie);
        rs.Close();
        cn.Close();
    } catch (const platform::Error &e) {
        // A database without the table is a damaged data file; any other
        // failure (missing file, no database at all) goes to the caller.
        if (e.number() == db::err::kTableNotFound) {
            if (ontbreekt)
                *ontbreekt = e.description();
            return Lezing::TabelOntbreekt;
        }
        if (e.number() != db::err::kUnknownColumn)
            throw e.withSource(QStringLiteral("pfunVersieDatabestand"));
    }
    return gevonden ? Lezing::Gelezen : Lezing::GeenVersie;
}

} // namespace

bool pfunIsBeschadigd(const QString &bestand)
{
    qint32 versie = 0;
    try {
        return leesVersie(bestand, versie) != Lezing::Gelezen;
    } catch (const platform::Error &) {
        return true;
    }
}

qint32 pfunVersieDatabestand(const QString &bestand)
{
    qint32 versie = 0;
    QString ontbreekt;
    switch (leesVersie(bestand, versie, &ontbreekt)) {
    case Lezing::Gelezen:
        return versie;
    case Lezing::TabelOntbreekt:
        // Not a file of a later program: say what is the matter.
        ui::MsgBox(ontbreekt + QStringLiteral(" Koppeling kan niet worden gelegd."), ui::Buttons::OK,
                   ui::Icon::Critical, QStringLiteral("Beschadigd databestand"));
        return kTabelOntbreekt;
    case Lezing::GeenVersie:
        break;
    }
    ui::MsgBox(QStringLiteral("Fout in databestand. Sluit TAVIR af en neem contact op met de helpdesk"),
               ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Beschadigd databestand"));
    return kVersieOnbekend;
}

VersieOpslag pfunLeesVersieStil(const QString &bestand)
{
    VersieOpslag uit;
    try {
        uit.staat = leesVersie(bestand, uit.versie) == Lezing::Gelezen ? VersieOpslag::Staat::Gelezen
                                                                       : VersieOpslag::Staat::GeenVersie;
    } catch (const platform::Error &) {
        uit.staat = VersieOpslag::Staat::Onleesbaar;
    }
    return uit;
}

} // namespace modCompress

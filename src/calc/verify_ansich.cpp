#include "calc/verify_ansich.h"

#include "checklist/checklist_view.h"
#include "records/act_checks.h"
#include "records/context.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/dialogs.h"

#include <QHash>

namespace modVerifyAnSich {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The checklist version of the site examined: its own, so that a site
// checked while another one is open (the province-wide levy checks every
// site of the province) is judged by the scheme its items were entered
// under. The open site's version stands in for a site row without one.
qint32 checklistVersie(const records::Context &ctx, db::Connection &con, qint32 lngStort_ID)
{
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT intCL_REF FROM tblStort WHERE idrStort_ID=?"), con, db::LockType::ReadOnly,
            {lngStort_ID});
    if (!rs.EOF_()) {
        const QVariant versie = rs.Fields(QStringLiteral("intCL_REF")).Value();
        if (versie.isValid() && !versie.isNull())
            return versie.toInt();
    }
    return ctx.gintCL_ID;
}

bool differentiatedSurcharges(const records::Context &ctx, qint32 versie)
{
    checklist::clsCL cl(ctx.gstrConnCL);
    cl.initializeCL(versie);
    return cl.GebruikGedifferentieerdeToeslagB();
}

} // namespace

QString onvolledigeKostenpostTekst(const QString &strObject, const QString &strAct)
{
    return QStringLiteral("Bij een of meer kostenposten is de invoer nog niet volledig ('rood stopbord' in "
                          "formulier 'Voorzieningen en kostenposten').")
        + kCrLf + kCrLf + QStringLiteral("Kostenpost: ") + kCrLf + QStringLiteral("\t") + strObject
        + QStringLiteral(" --> ") + strAct + kCrLf + kCrLf
        + QStringLiteral("Voer de gegevens van de kostenposten eerst volledig in.");
}

bool VerifyInvoerInrichting(const records::Context &ctx, qint32 lngStort_ID, const QString &naam)
{
    bool gediff = false;
    {
        db::Connection con;
        con.Open(ctx.gstrConnData);
        gediff = differentiatedSurcharges(ctx, checklistVersie(ctx, con, lngStort_ID));
    }
    return VerifyInvoerInrichting(ctx, lngStort_ID, naam, gediff);
}

bool VerifyInvoerInrichting(const records::Context &ctx, qint32 lngStort_ID, const QString &naam,
                            bool blnGebruiktGediffToeslag)
{
    const QString titel = QStringLiteral("Validatie invoer inrichting '") + naam + QStringLiteral("'");

    db::Connection con;
    con.Open(ctx.gstrConnData);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT tblAct.*, tblInrichting.strObject"
                           " FROM tblInrichting INNER JOIN tblAct"
                           " ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF"
                           " WHERE tblAct.lngStort_REF=?"
                           " ORDER BY tblInrichting.bytObjectCat_REF, tblInrichting.strObject,"
                           " tblInrichting.idrInrichting_ID, tblAct.strAct, tblAct.idrAct_ID"),
            con, db::LockType::ReadOnly, {lngStort_ID});

    if (rs.EOF_()) {
        ui::MsgBox(QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."),
                   ui::Buttons::OK, ui::Icon::Exclamation, titel);
        return false;
    }

    // Every row has the same columns: each name is looked up once, then
    // the fields are read by number.
    QHash<QString, int> kolommen;
    const records::ActFieldReader field = [&rs, &kolommen](const QString &name) {
        auto it = kolommen.constFind(name);
        if (it == kolommen.cend()) {
            const int kolom = rs.fieldIndex(name);
            if (kolom < 0)
                return rs.Fields(name).Value(); // raises the unknown-field error
            it = kolommen.insert(name, kolom);
        }
        return rs.Fields(*it).Value();
    };
    for (; !rs.EOF_(); rs.MoveNext()) {
        if (records::verifyAnSich(field, blnGebruiktGediffToeslag))
            continue;
        ui::MsgBox(onvolledigeKostenpostTekst(field(QStringLiteral("strObject")).toString(),
                                              field(QStringLiteral("strAct")).toString()),
                   ui::Buttons::OK, ui::Icon::Exclamation, titel);
        return false;
    }
    return true;
}

} // namespace modVerifyAnSich

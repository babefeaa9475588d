#include "calc/verify_ansich.h"

#include "calc/kostenposten.h"

#include "checklist/clsCL.h"
#include "records/act_checks.h"
#include "records/context.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

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
    db::Connection con;
    con.Open(ctx.gstrConnData);
    calc::Kostenposten posten;
    posten.open(con, lngStort_ID);
    return VerifyInvoerInrichting(posten, naam, blnGebruiktGediffToeslag);
}

namespace {

// Whether the check of a row could show a box of its own: an unknown
// replacement-surcharge type under the differentiated scheme.
bool meldingMogelijk(const calc::Kostenpost &post)
{
    if (records::byteCode(post.value(calc::Veld::bytRubriek_REF)) != std::uint8_t(5))
        return false;
    const Invoer soort = post.invoer(calc::Veld::bytTypeVervangingsToeslag);
    if (!soort.isGetal)
        return false;
    const double type = vb::Round(soort.getal);
    return !(type == 0 || type == 1 || type == 2 || type == 3 || type == 7);
}

// True when every item is complete, walking the rows in the order they
// were read, without any box: a row whose check could show one ends the
// walk with False, as an incomplete row does.
bool stilVolledig(const calc::Kostenposten &posten, bool blnGebruiktGediffToeslag)
{
    for (int i = 0; i < posten.size(); ++i) {
        const calc::Kostenpost &post = posten[i];
        if (blnGebruiktGediffToeslag && meldingMogelijk(post))
            return false;
        const auto waarde = [&post](records::ActVeld veld) { return post.invoer(calc::Veld(veld)); };
        if (!records::verifyAnSich(waarde, blnGebruiktGediffToeslag))
            return false;
    }
    return true;
}

} // namespace

bool VerifyInvoerInrichting(const calc::Kostenposten &kostenposten, const QString &naam, bool blnGebruiktGediffToeslag)
{
    const QString titel = QStringLiteral("Validatie invoer inrichting '") + naam + QStringLiteral("'");
    if (kostenposten.size() == 0) {
        ui::MsgBox(QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."),
                   ui::Buttons::OK, ui::Icon::Exclamation, titel);
        return false;
    }

    // Most sites are complete: the rows are first walked as they were read.
    // Only otherwise are they put in the order of the site tree (object
    // category, facility, cost item, the entry order of its phases) and
    // walked again, to the first incomplete item.
    if (stilVolledig(kostenposten, blnGebruiktGediffToeslag))
        return true;
    db::Recordset rs = kostenposten.recordset().Clone(db::LockType::ReadOnly);
    rs.setSort(QStringLiteral("bytObjectCat_REF, strObject, lngInrichting_REF, strAct, idrAct_ID"));
    rs.MoveFirst();
    const records::ActColumns kolommen(rs);
    for (; !rs.EOF_(); rs.MoveNext()) {
        if (records::verifyAnSich(rs, kolommen, blnGebruiktGediffToeslag))
            continue;
        ui::MsgBox(onvolledigeKostenpostTekst(rs.Fields(QLatin1String("strObject")).Value().toString(),
                                              rs.Fields(QLatin1String("strAct")).Value().toString()),
                   ui::Buttons::OK, ui::Icon::Exclamation, titel);
        return false;
    }
    return true;
}

} // namespace modVerifyAnSich

#include "calc/verify_ansich.h"

#include "calc/dv_values.h"

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

void openKostenposten(db::Recordset &rs, db::Connection &con, qint32 lngStort_ID)
{
    rs.Open(QStringLiteral("SELECT ") + QLatin1String(calc::kActVelden)
                + QStringLiteral(", tblInrichting.strObject, tblInrichting.bytObjectCat_REF"
                                 " FROM tblInrichting INNER JOIN tblAct"
                                 " ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF"
                                 " WHERE tblAct.lngStort_REF=? ORDER BY tblAct.idrAct_ID"),
            con, db::LockType::ReadOnly, {lngStort_ID});
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
    db::Recordset rs;
    openKostenposten(rs, con, lngStort_ID);
    return VerifyInvoerInrichting(rs, naam, blnGebruiktGediffToeslag);
}

namespace {

// Whether the check of the current row could show a box of its own: an
// unknown replacement-surcharge type under the differentiated scheme.
class MeldingMogelijk {
public:
    MeldingMogelijk(const db::Recordset &rs, bool blnGebruiktGediffToeslag)
        : m_rs(rs), m_actief(blnGebruiktGediffToeslag)
    {
        if (m_actief) {
            m_rubriek = rs.fieldIndex(QStringLiteral("bytRubriek_REF"));
            m_type = rs.fieldIndex(QStringLiteral("bytTypeVervangingsToeslag"));
        }
    }

    bool operator()() const
    {
        if (!m_actief || records::byteCode(m_rs.Fields(m_rubriek).Value()) != std::uint8_t(5))
            return false;
        double type = 0;
        if (!detail::toNumber(m_rs.Fields(m_type).Value(), &type))
            return false;
        type = vb::Round(type);
        return !(type == 0 || type == 1 || type == 2 || type == 3 || type == 7);
    }

private:
    const db::Recordset &m_rs;
    bool m_actief;
    int m_rubriek = -1;
    int m_type = -1;
};

// True when every item is complete, walking the rows in the order they
// were read, without any box: a row whose check could show one ends the
// walk with False, as an incomplete row does.
bool stilVolledig(db::Recordset &rs, bool blnGebruiktGediffToeslag)
{
    const records::ActColumns kolommen(rs);
    const MeldingMogelijk meldingMogelijk(rs, blnGebruiktGediffToeslag);
    for (; !rs.EOF_(); rs.MoveNext()) {
        if (meldingMogelijk() || !records::verifyAnSich(rs, kolommen, blnGebruiktGediffToeslag))
            return false;
    }
    return true;
}

} // namespace

bool VerifyInvoerInrichting(const db::Recordset &kostenposten, const QString &naam, bool blnGebruiktGediffToeslag)
{
    const QString titel = QStringLiteral("Validatie invoer inrichting '") + naam + QStringLiteral("'");
    if (kostenposten.RecordCount() == 0) {
        ui::MsgBox(QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."),
                   ui::Buttons::OK, ui::Icon::Exclamation, titel);
        return false;
    }

    // Most sites are complete: the rows are first walked as they were read.
    // Only otherwise are they put in the order of the site tree (object
    // category, facility, cost item, the entry order of its phases) and
    // walked again, to the first incomplete item.
    db::Recordset rs = kostenposten.Clone(db::LockType::ReadOnly);
    if (stilVolledig(rs, blnGebruiktGediffToeslag))
        return true;
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

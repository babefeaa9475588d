#include "calc/clsHeffing.h"

#include "calc/clsDV.h"
#include "calc/dv_values.h"

#include "records/clsStort.h"
#include "records/field_read.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <cmath>
#include <limits>

namespace calc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitelBerekening = QStringLiteral("Berekening heffingen");
const QString kTitelAfgebroken = QStringLiteral("Berekening heffing afgebroken");

float percentage(const QVariant &v)
{
    return records::toSingle(v, QStringLiteral("psubBerekenHeffingPerTon")) / 100.0f;
}

} // namespace

clsHeffing::clsHeffing(const Context &ctx) : m_ctx(ctx) {}

void clsHeffing::psubBerekenHeffingPerTon(float DV_indien_Objectgebonden)
{
    try {
        bereken(DV_indien_Objectgebonden);
    } catch (...) {
        ValidatieOK = false;
        HeffingPerTon_prijspeil_tRef = 0;
        throw;
    }
}

void clsHeffing::psubBerekenHeffingPerTon(float DV_indien_Objectgebonden, const clsDV &openSite)
{
    m_openSite = &openSite;
    try {
        psubBerekenHeffingPerTon(DV_indien_Objectgebonden);
    } catch (...) {
        m_openSite = nullptr;
        throw;
    }
    m_openSite = nullptr;
}

void clsHeffing::bereken(float dv)
{
    ValidatieOK = true;
    qint16 jaarPrijspeil = 0;
    std::uint8_t prov = 0;
    qint16 stortType = 0;
    {
        records::clsStort stort(m_ctx);
        stort.initializeStort(m_ctx.glngStortID);
        bytBedrijfsGebonden = stort.bytBedrijfsGebonden();
        bytObjectGebonden = stort.bytObjectGebonden();
        m_aanvangNazorg = stort.AanvangNazorgGebrokenJaar();
        jaarPrijspeil = stort.JaarPrijsPeil();
        try {
            m_datumAanvangNazorg = stort.DatumAanvangNazorg();
        } catch (const platform::Error &) {
            m_datumAanvangNazorg = QDateTime(); // no date: the start counts as 2030
        }
        if (bytBedrijfsGebonden != 1) {
            sngRente = stort.rente();
            sngInflatie = stort.inflatie();
            prov = stort.prov_id();
            stortType = stort.intStortType();
        }
    }
    intAantaljaren = 0;
    rapStortNamen.clear();
    m_jaren.clear();
    m_kton.clear();
    HeffingPerTon_prijspeil_tRef = 0;

    if (bytBedrijfsGebonden == 1) {
        ValidatieOK = false;
        if (bytObjectGebonden == 1)
            ui::MsgBox(QStringLiteral("Bij objectgebonden inrichtingen is de (eenmalige) heffing gelijk aan het "
                                      "doelvermogen.")
                           + kCrLf + QStringLiteral("Er wordt geen heffingsrapportage opgesteld."),
                       ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Rapportage heffing"));
        else
            ui::MsgBox(QStringLiteral("Fout bij berekening heffing bedrijfsgebonden inrichting"), ui::Buttons::OK,
                       ui::Icon::Critical, QStringLiteral("Heffing"));
        return;
    }

    // Neither discounting nor indexing is defined at -100 % or less, nor
    // with a rate that is no finite number.
    const auto geldig = [](float tarief) { return std::isfinite(tarief) && 1.0f + tarief > 0.0f; };
    if (!geldig(sngRente) || !geldig(sngInflatie)) {
        ValidatieOK = false;
        ui::MsgBox(QStringLiteral("Ongeldige rente (") + vb::Format(sngRente, QStringLiteral("0.00%"))
                       + QStringLiteral(") en/of inflatie (") + vb::Format(sngInflatie, QStringLiteral("0.00%"))
                       + QStringLiteral(") bij inrichting '") + m_ctx.gstrNaamStort + QStringLiteral("'.") + kCrLf
                       + QStringLiteral("De heffing kan niet berekend worden."),
                   ui::Buttons::OK, ui::Icon::Exclamation, kTitelBerekening);
        return;
    }

    if (bytObjectGebonden == 1) {
        sngTref = m_aanvangNazorg;
        sngDV = dv;
        DVref = dv;
        sommeer(QStringLiteral("SELECT intKalJaar, lngTonnage AS Aanbod FROM tblTonnage"
                               " WHERE lngStort_REF = ? AND intKalJaar Is Not Null ORDER BY intKalJaar;"),
                {m_ctx.glngStortID});
        return;
    }

    sngTref = float(jaarPrijspeil);
    // The equalised target fund is summed afresh on every calculation.
    sngDV = 0;
    DVref = 0;
    QList<qint32> ids;
    const bool compleet = verevening(stortType, prov, ids);
    if (rapStortNamen.size() > 0)
        rapStortNamen.remove(0, 1);
    if (!compleet)
        return;
    QString in;
    QVariantList params;
    for (qint32 id : ids) {
        in += in.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
        params << id;
    }
    sommeer(QStringLiteral("SELECT intKalJaar, SUM(lngTonnage) AS Aanbod FROM tblTonnage WHERE lngStort_REF IN (") + in
                + QStringLiteral(") GROUP BY intKalJaar HAVING intKalJaar Is Not Null ORDER BY intKalJaar;"),
            params);
}

bool clsHeffing::verevening(qint16 stortType, std::uint8_t prov, QList<qint32> &ids)
{
    db::Connection cn;
    cn.Open(m_ctx.gstrConnData);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM tblStort WHERE intStortType IN (?) AND bytObjectGebonden=0"
                           " AND bytPROV_REF=? ORDER BY idrStort_ID"),
            cn, db::LockType::ReadOnly, {stortType, prov});
    clsDV dv(m_ctx);
    for (; !rs.EOF_(); rs.MoveNext()) {
        const qint32 id = rs.Fields(QStringLiteral("idrStort_ID")).Value().toInt();
        const QString naam = records::toText(rs.Fields(QStringLiteral("strStortNaam")).Value());
        rapStortNamen += QStringLiteral(", ") + naam;

        const QVariant rente = rs.Fields(QStringLiteral("sngRentePerc")).Value();
        const QVariant inflatie = rs.Fields(QStringLiteral("sngInflPerc")).Value();
        if (records::isNullValue(rente) || records::isNullValue(inflatie)) {
            ValidatieOK = false;
            ui::MsgBox(QStringLiteral("Bij inrichting '") + naam
                           + QStringLiteral("' is geen rente en/of inflatie ingevoerd.") + kCrLf
                           + QStringLiteral("De verevening kan alleen berekend worden bij gelijke rente en inflatie "
                                            "per provincie."),
                       ui::Buttons::OK, ui::Icon::Exclamation, kTitelAfgebroken);
            return false;
        }
        if (percentage(rente) != sngRente || percentage(inflatie) != sngInflatie) {
            ValidatieOK = false;
            ui::MsgBox(QStringLiteral("Bij inrichting '") + naam
                           + QStringLiteral("' heeft u andere rente en/of inflatie ingevoerd dan bij inrichting '")
                           + m_ctx.gstrNaamStort + QStringLiteral("'.") + kCrLf
                           + QStringLiteral("De verevening kan alleen berekend worden bij gelijke rente en inflatie "
                                            "per provincie."),
                       ui::Buttons::OK, ui::Icon::Exclamation, kTitelAfgebroken);
            return false;
        }
        // The open site's calculation, when given, is this one's result.
        const clsDV *site = id == m_ctx.glngStortID ? m_openSite : nullptr;
        if (!site) {
            dv.initializeDV(id, -9.0f, -9.0f);
            // A site whose input is incomplete or whose calculation fails has
            // told the user why; the levy is then not computed at all.
            if (!dv.VerifyBeforeBerekening2() || !dv.BerekenAlles()) {
                ValidatieOK = false;
                return false;
            }
            site = &dv;
        }
        ids << id;
        const double dvk = double(site->DoelvermogenMetRisicoFonds());
        const float tk = site->kaljaarAN;
        DVref = checkedSingle(double(DVref) + dvk / std::pow(double(1.0f + sngRente), double(tk - sngTref)));
    }
    return true;
}

void clsHeffing::sommeer(const QString &sql, const QVariantList &params)
{
    db::Connection cn;
    cn.Open(m_ctx.gstrConnData);
    db::Recordset rs;
    if (!params.isEmpty())
        rs.Open(sql, cn, db::LockType::ReadOnly, params);
    if (params.isEmpty() || rs.EOF_()) {
        nietBerekend(QStringLiteral("Er zijn geen gegevens beschikbaar m.b.t. de prognose van het afvalaanbod. De "
                                    "heffing kan niet berekend worden."));
        return;
    }
    double S = 0;
    const double inflatie = double(1.0f + sngInflatie);
    const double rente = double(1.0f + sngRente);
    for (; !rs.EOF_(); rs.MoveNext()) {
        const qint16 jaar =
            records::toInt16(rs.Fields(QStringLiteral("intKalJaar")).Value(), QStringLiteral("intKalJaar"));
        const QVariant a = rs.Fields(QStringLiteral("Aanbod")).Value();
        const qint32 aanbod = records::isNullValue(a) ? 0 : records::toInt32(a, QStringLiteral("Aanbod"));
        const double t = double(float(jaar) - sngTref);
        S += double(aanbod) * std::pow(inflatie, t) / std::pow(rente, t);
        ++intAantaljaren;
        m_jaren.push_back(jaar);
        m_kton.push_back(aanbod);
    }
    if (!(S > 0.0)) {
        nietBerekend(QStringLiteral("De prognose van het afvalaanbod telt op tot nul. De heffing kan niet berekend "
                                    "worden."));
        return;
    }
    HeffingPerTon_prijspeil_tRef = double(DVref) / (S * 1000.0);
}

void clsHeffing::nietBerekend(const QString &reden)
{
    ui::MsgBox(reden, ui::Buttons::OK, ui::Icon::Exclamation, kTitelBerekening);
    HeffingPerTon_prijspeil_tRef = 0;
    ValidatieOK = false;
}

size_t clsHeffing::index(qint16 i) const
{
    if (i < 1 || i > intAantaljaren || size_t(i) > m_jaren.size())
        throw platform::Error(vb::kErrSubscriptOutOfRange, QStringLiteral("Subscript out of range"),
                              QStringLiteral("clsHeffing"));
    return size_t(i - 1);
}

qint32 clsHeffing::tonnen(qint16 i) const
{
    const qint64 t = qint64(rapAantalKtonPerJaar(i)) * 1000;
    if (t > std::numeric_limits<qint32>::max() || t < std::numeric_limits<qint32>::min())
        throw platform::Error(kErrOverflow, QStringLiteral("Overflow"), QStringLiteral("clsHeffing"));
    return qint32(t);
}

qint32 clsHeffing::rapAantalKtonTotaal() const
{
    qint64 som = 0;
    for (qint16 i = 1; i <= intAantaljaren; ++i)
        som += rapAantalKtonPerJaar(i);
    if (som > std::numeric_limits<qint32>::max() || som < std::numeric_limits<qint32>::min())
        throw platform::Error(kErrOverflow, QStringLiteral("Overflow"), QStringLiteral("clsHeffing"));
    return qint32(som);
}

qint16 clsHeffing::rapJaar(qint16 i) const
{
    return m_jaren[index(i)];
}
qint32 clsHeffing::rapAantalKtonPerJaar(qint16 i) const
{
    return m_kton[index(i)];
}

double clsHeffing::rapHeffingPerTonInJaar(qint16 i) const
{
    return HeffingPerTon_prijspeil_tRef * std::pow(double(1.0f + sngInflatie), double(float(rapJaar(i)) - sngTref));
}

double clsHeffing::rapHeffingInJaar(qint16 i) const
{
    return double(tonnen(i)) * rapHeffingPerTonInJaar(i);
}

double clsHeffing::rapControleDV(qint16 i) const
{
    return std::pow(double(1.0f + sngRente), double(sngTref - float(rapJaar(i)))) * double(tonnen(i))
           * rapHeffingPerTonInJaar(i);
}

float clsHeffing::rapControleDVsom() const
{
    double som = 0;
    for (qint16 i = 1; i <= intAantaljaren; ++i)
        som += std::pow(double(1.0f + sngRente), double(sngTref - float(rapJaar(i)))) * double(rapAantalKtonPerJaar(i))
               * rapHeffingPerTonInJaar(i);
    return float(som * 1000.0);
}

} // namespace calc

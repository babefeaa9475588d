#pragma once
// clsHeffing: the levy per ton of waste that builds up the target fund.
//
// For the open site (ctx.glngStortID) psubBerekenHeffingPerTon chooses by
// the site's flags:
//  - company-bound: no levy; the user is told why;
//  - object-bound: the levy from the target fund passed in and the site's
//    own waste forecast, at the price level of the start of after-care;
//  - otherwise equalised over every site of the same kind and province that
//    is not object-bound: their target funds (each calculated here with its
//    own rates), discounted to the open site's price-level year, and their
//    forecasts summed year by year give one levy per ton for all.
// The levy is found from: sum over the forecast years of
// levy x (1 + inflation)^(year - tRef) x tons / (1 + interest)^(year - tRef)
// = the target fund at tRef.
//
// ValidatieOK tells whether a levy report may be made. It is False when the
// levy could not be computed: a company-bound site, rates that differ
// between equalised sites, a site whose input or calculation fails, an
// interest or inflation rate of -100 % or less, no forecast, or a forecast
// that sums to nothing. Each of these has shown one box.
//
// One object serves one calculation. A database error reaches the caller,
// with ValidatieOK False.

#include "calc/calc_context.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

namespace calc {

class clsDV;

class clsHeffing {
public:
    explicit clsHeffing(const Context &ctx);

    double HeffingPerTon_prijspeil_tRef = 0;
    qint16 intAantaljaren = 0;
    std::uint8_t bytBedrijfsGebonden = 0;
    std::uint8_t bytObjectGebonden = 0;
    float sngRente = 0;
    float sngInflatie = 0;
    float sngTref = 0;
    float sngDV = 0;
    float DVref = 0;
    QString rapStortNamen;
    bool ValidatieOK = false;

    // The target fund with risk amount of the open site (used when the site
    // is object-bound).
    void psubBerekenHeffingPerTon(float DV_indien_Objectgebonden);
    // The same with the open site's own calculation, bound on this context
    // to the open site with its own rates and calculated without a message:
    // the equalisation takes its result rather than calculating the site
    // again.
    void psubBerekenHeffingPerTon(float DV_indien_Objectgebonden, const clsDV &openSite);

    QDateTime DatumAanvangNazorg() const { return m_datumAanvangNazorg; }
    qint32 rapAantalKtonTotaal() const;
    // Positions 1..intAantaljaren; another position raises error 9.
    qint16 rapJaar(qint16 i) const;
    qint32 rapAantalKtonPerJaar(qint16 i) const;
    double rapHeffingPerTonInJaar(qint16 i) const;
    double rapHeffingInJaar(qint16 i) const;
    double rapControleDV(qint16 i) const;
    float rapControleDVsom() const;

private:
    void bereken(float dv);
    bool verevening(qint16 stortType, std::uint8_t prov, QList<qint32> &ids);
    void sommeer(const QString &sql, const QVariantList &params);
    // Shows why the levy cannot be computed and marks it not computed.
    void nietBerekend(const QString &reden);
    size_t index(qint16 i) const;
    qint32 tonnen(qint16 i) const;

    Context m_ctx;
    const clsDV *m_openSite = nullptr; // during a calculation that was given it
    std::vector<qint16> m_jaren;
    std::vector<qint32> m_kton;
    QDateTime m_datumAanvangNazorg;
    float m_aanvangNazorg = 0;
};

} // namespace calc

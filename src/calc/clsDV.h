#pragma once
// clsDV: one target-fund calculation of one site.
//
// Make it on a Context, bind it to a site and a pair of rates with
// initializeDV, check the input with VerifyBeforeBerekening2, calculate with
// BerekenAlles, then read the sums and, after rapOpenActRecordset, the
// report rows (rapRegel for each row of the view). An object may be bound
// and calculated again and again: each initializeDV replaces the site, the
// rates, the checklist view and the surcharge records; each BerekenAlles
// sizes and zeroes its lists afresh.
//
// Time is counted in after-care years (1 is the first year of after-care);
// an outlay in year t is discounted to the start of after-care with the
// exponent t - 0.5 by the ratio d = (1 + inflation) / (1 + interest).
// Amounts at the price-level year are raised by (1 + inflation) to the
// power (start of after-care - price-level year). Money, rates and factors
// per item are held in single precision and worked with single arithmetic;
// d is formed in double from the two single rates (so it is exactly 1 when
// they are equal), and every power is taken in double and then stored where
// its result lives. Items are calculated in the order of their record ids,
// so the single-precision totals do not depend on how the file returns the
// rows. A result beyond the single range is reported as an overflow.
//
// Nothing of a calculation is written to the data file; the only write is
// the conformity code of the cost items in VerifyAlles_CL.

#include "calc/calc_context.h"
#include "calc/clsToeslag2008.h"
#include "calc/dv_values.h"
#include "calc/kostenposten.h"

#include "checklist/clsCL.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace records {
class clsStort;
}

namespace calc {

class DVRapportRegel;

class clsDV {
public:
    explicit clsDV(const Context &ctx);
    ~clsDV();
    clsDV(const clsDV &) = delete;
    clsDV &operator=(const clsDV &) = delete;

    // ---- Public members --------------------------------------------------
    bool rapIsNietQOR_JaarStart = false;
    bool rapIsNietQOR_JaarEind = false;
    bool rapIsNietQOR_Kosten = false;
    bool rapIsNietQOR_Freq = false;
    float NazJaarEersteUitgave = 0;  // after-care year of the item being calculated
    float NazJaarLaatsteUitgave = 0; // 1000 for a perpetual item
    qint16 kaljaarPP = 0;            // price-level year
    float kaljaarAN = 0;             // start of after-care, fractional year
    qint32 lngAantalRecords = 0;
    float sngCommunicatieKostenPerJaar = 0;
    float sngCommunicatieKostenKAP = 0;
    float sngOnvoorzien = 0;           // fraction
    float sngOntwerpdirectieFixed = 0; // fraction
    float sngRapEvalKostenPerJaar = 0;
    float sngRapEvalKostenKAP = 0;
    float sngNazorgOpp = 0; // ha
    std::uint8_t bytOptieRapEval = 0;
    float sngRapEvalPerHa = 0;
    float sngRapEvalMin = 0;
    float sngRapEvalMax = 0;
    float sngAppKostenBasisPerJaar = 0;
    float sngAppKostenBasisPerc = 0; // fraction
    float sngAppKostenBasisKAP = 0;
    float sngAppKostenTotaalKAP = 0;
    float sngRisicobedragKAP = 0;
    // The worked reporting/evaluation amount, for the report.
    QString rapRapEvalKostenCalculatie;

    // ---- Set-up and validation -------------------------------------------

    // Binds the object to a site. A rate of exactly -9 takes the site's own
    // rate; any other value is taken as a fraction (0.05 for 5 %).
    void initializeDV(qint32 lngStort_ID, float sngRentePerc, float sngInflPerc);
    // True when the calculation may run; otherwise one box has told why:
    // the start of after-care (a stored value that is no usable date, told
    // of by initializeDV already), the after-care area, the site's rates
    // and amounts (each a finite number, a rate above -100 %), the
    // completeness of the cost items (a number that is not finite counts as
    // missing there), then the combination items.
    // The cost items it has checked are the ones the BerekenAlles that
    // follows on the same binding calculates (they are read once); a new
    // initializeDV or VerifyAlles_CL lets the next run read them afresh.
    bool VerifyBeforeBerekening2();
    bool GebruikGedifferentieerdeToeslagB() const;
    // Writes bytIsQOR of every checklist-based cost item of the site: 1
    // within the checklist's criteria, 2 outside them (also when its
    // checklist item is gone from the version). A row is saved only when its
    // code changes. False, after a box, when the site has no such item.
    bool VerifyAlles_CL();

    // ---- Calculation -------------------------------------------------------

    // True when every item was calculated without a message. An interval of
    // 0, an unset reporting option or an invalid interest or inflation rate
    // are reported; an overflow, an unknown option or surcharge code or any
    // other error ends the run with a box that names the cost item.
    bool BerekenAlles();

    // ---- Sums (each computed afresh from the object's state) -------------

    const ToeslagenLijst &Toeslagen2008() const { return mcolToeslagen2008; }
    float Toeslagen2008SomWaardeNCW() const;
    float somA_exclOnvoorzien() const;
    float toeslagA() const;
    float somA_inclOnvoorzien() const;
    float somB_exclDirectievoering() const;
    float toeslagB() const;
    float somB_inclDirectievoering() const;
    float AppKostenVariabelKAP() const;
    float somC() const;
    float DoelvermogenZonderRisicoFonds() const;
    float DoelvermogenMetRisicoFonds() const;
    float BTWbedrag() const;
    float DoelvermogenMetRisicofonds_InclBTW() const;

    // The VAT percentage (percent) used by BTWbedrag.
    void setBTWPerc(float gsngBTWPerc) { m_ctx.gsngBTWPerc = gsngBTWPerc; }

    // Totals of the net present values: per rubric 1..6, per object category
    // 1..7, per conformity class 0..2 (index bytIsQOR).
    float TotaalRubriek(int rubriek) const;
    float TotaalObjectCat(int cat) const;
    float TotaalIsQOR(int isQOR) const;

    // ---- Report view and rows ----------------------------------------------
    //
    // The report writers read the rows as a small view: rapAantalRijen rows
    // in the view's order, each through rapRegel.

    void rapOpenActRecordset();
    // The same view made of the rows the last BerekenAlles of this binding
    // read, when they hold every row the view reads; otherwise as
    // rapOpenActRecordset, from the file. For a report that follows its
    // calculation at once: the site's rows are read once.
    void rapOpenActRecordsetVanBerekening();
    // The rows the last BerekenAlles of this binding read (those of
    // Kostenposten, with lngClitem_REF, tblAct's lngStort_REF, the
    // facility's lngInrichtingStort_REF and strObjectCat); closed before
    // any run and when the binding or the conformity codes change.
    const db::Recordset &rijenBerekening() const { return m_rijenBerekend; }
    // "bytRubriek_REF", "bytObjectCat_REF" or "bytIsQOR" (any case) sorts
    // the view; another name is stored and leaves the order unchanged.
    void rapSorteerVeldNaam(const QString &VeldNaam_tbv_sorteren);

    // The rows of the view, in its order.
    qint32 rapAantalRijen() const { return qint32(m_rapRijen.size()); }
    // Row i (from 0) with the result of its cost item: for an item the
    // calculation does not know, a box says so and the row has the result
    // of the row read before it. Past the last row this fails as reading
    // beyond the end of the view does.
    DVRapportRegel rapRegel(qint32 i);

    QString rapPercVanDV(float sngBedrag) const;
    float rapPercOnvoorz() const { return sngOnvoorzien; }
    float rapPercDirectievoering2002() const { return sngOntwerpdirectieFixed; }

    // The group total for a key value of the sort field; Null for another
    // sort field.
    QVariant rapTotaalPerSorteerveld(std::uint8_t bytIDsorteerveld) const;
    // The group total without the rows of rubric 6 ("Overig"), which count
    // in neither sum A nor sum B: the total of the rows a report shows in
    // the group when it lists those rows apart. Null for another sort field.
    QVariant rapTotaalPerSorteerveldZonderOverig(std::uint8_t bytIDsorteerveld) const;
    qint16 AantalDVtabelRegels();

    // ---- Conformity of report rows and general costs ----------------------

    // The conformity class of `regel`; for a class 2 row also the four
    // rapIsNietQOR_ flags. A checklist item gone from the version is
    // reported and leaves the flags as they were.
    std::uint8_t rapIsQOR(const DVRapportRegel &regel);
    std::uint8_t rapIsQORCommKosten() const;
    std::uint8_t rapIsQORAppKosten() const;
    std::uint8_t rapIsQORRapEval() const;
    std::uint8_t rapIsQOROnvoorzien() const;
    std::uint8_t rapIsQOROntwerpdirectieFixed() const;

    // Results per item, in calculation order (positions 0..lngAantalRecords-1).
    struct ItemResult {
        qint32 Act_ID = 0;
        QVariant NCWfactorX; // float; empty for a combined item
        float NCW = 0;
        QVariant JaarEerste;  // float (a whole year), "nvt" or empty
        QVariant JaarLaatste; // float, "nvt", "-" or empty
    };
    const std::vector<ItemResult> &items() const { return m_items; }
    double kortingsfactor() const { return mdblKortingsfactor; }
    float prijsfactor() const { return msngPrijsfactor; }

private:
    // The factor of the outlays from tStart (moved to the first year that
    // has one, for a yearly item) to tEnd, every intFreqX years for option
    // 3.
    float BerekenNCWfactor(std::uint8_t bytOptieFreq, qint16 intFreqX, float &tStart, float tEnd, QVariant &jaarEerste,
                           QVariant &jaarLaatste) const;
    // std::pow(mdblKortingsfactor, exponent), remembered for the exponents
    // that recur (whole and half years): the same call always gives the
    // same result, so a remembered one is the very same figure.
    double macht(double exponent) const;
    bool VerifyNazorgOpp() const;
    // The site's rates and amounts; false after a box that names the first
    // one that is not a finite number in its range.
    bool VerifyWaardenInrichting() const;
    bool VerifyCombinatiePosten();
    // What the calculation of one cost item gives.
    struct PostResultaat {
        ItemResult item;
        // False for an item absorbed into a combination item: it counts in
        // no total.
        bool telt = false;
        std::uint8_t rubriek = 0;   // 1..6
        std::uint8_t objectCat = 0; // 1..7
        std::uint8_t isQOR = 0;     // 0..2
        float jaarEerste = 0;       // after-care years of the first and last outlay
        float jaarLaatste = 0;
        bool melding = false;     // a box has told of an invalid interval
        ToeslagenLijst toeslagen; // under the differentiated scheme
    };
    // The calculation of one item (`strAct` its name, for the messages);
    // an error ends it.
    PostResultaat berekenPost(const Kostenpost &row, const QString &strAct) const;
    // Counts a calculated item in the totals and the run's surcharges.
    void telOp(const PostResultaat &r);
    void zetRapEvalKosten(bool &ok);
    void kapitaliseer();
    friend class DVRapportRegel;
    // Makes the result of the cost item with this id the one a row reads
    // (rapRegel); for an id the calculation does not know, a box says so
    // and the result activated before stays.
    void rapActiveerDV_ID(qint32 lngAct_ID);
    const ItemResult *geactiveerd() const;
    void leesRapRijen();
    QString titelInvoerOnvolledig() const;
    checklist::Context clContext() const;
    // The bound checklist version; error 91 before initializeDV.
    checklist::clsCL &cl() const;

    Context m_ctx;
    db::Connection mconData;
    // The site record, opened on the bound site by each initializeDV.
    std::unique_ptr<records::clsStort> m_stort;
    qint32 mlngStort_ID = 0;
    qint32 mlngCL_ID = 0;
    QString mstrNaamStort;
    float msngRente = 0;
    float msngInflatie = 0;
    ToeslagenLijst mcolToeslagen2008;
    std::unique_ptr<checklist::clsCL> mclsCL;
    qint32 m_clGeladen = -1; // the version mclsCL holds
    // The site's start of after-care is no usable date (initializeDV has
    // said so): the calculation does not run.
    bool m_aanvangOnleesbaar = false;
    double mdblKortingsfactor = 1;
    // Remembered results for the discount ratio m_machtGrondtal; emptied
    // when the ratio changes.
    mutable double m_machtGrondtal = 0;
    mutable std::vector<double> m_machten; // NaN: not computed yet
    // The walk of an item every N years, by the bits of its first and last
    // year and its interval.
    struct Reeks {
        float factor = 0;
        QVariant jaarEerste;
        QVariant jaarLaatste;
    };
    mutable std::map<std::tuple<std::uint32_t, std::uint32_t, qint16>, Reeks> m_reeksen;
    void zelfdeGrondtal() const;
    float msngPrijsfactor = 1;
    std::array<float, 6> msngTotaalRubriek{};
    std::array<float, 7> msngTotaalObjectCat{};
    std::array<float, 3> msngTotaalIsQOR{};
    // The same per category and per class without the rubric "Overig".
    std::array<float, 7> msngTotaalObjectCatZonderOverig{};
    std::array<float, 3> msngTotaalIsQORZonderOverig{};
    std::vector<ItemResult> m_items;
    // Act_ID -> index of its first result in m_items, made when a report
    // first asks (rapActiveerDV_ID); emptied with m_items.
    std::unordered_map<qint32, qint32> m_itemIndex;
    bool m_gediff = false; // the scheme of the run, read once

    // The cost items read by VerifyBeforeBerekening2 for the BerekenAlles
    // that follows it on the same binding; closed when used or unbound.
    Kostenposten m_kostenposten;
    db::Recordset m_rijenBerekend;
    db::Recordset m_rsRap;
    // The view's rows, copied in its order.
    std::vector<std::vector<QVariant>> m_rapRijen;
    std::unique_ptr<checklist::clsCL> mclsCLrap;
    QString mstrSorteerVeldNaam;
    qint32 mlngRapRecordNr = -1;
};

// One row of the report view with the result of its cost item: what the
// report writes of it. It reads the calculation it came from.
class DVRapportRegel {
public:
    DVRapportRegel(const clsDV &dv, const ActRow &rij, const clsDV::ItemResult *item)
        : m_dv(dv), m_rij(rij), m_item(item)
    {
    }

    qint32 Act_ID() const;
    QString Kostenpost() const;
    QString ObjectCat() const;
    QString ObjectCat_ID() const;
    QString Voorz() const;
    qint32 Combineer() const;
    // The rubric, 1 to 6.
    std::uint8_t Rubriek() const;
    QString KalJaarAanlegBA() const;
    QString PrijsPerKeer() const;
    QString Freq() const;
    std::uint8_t SorteerVeldwaardeID() const;
    QString SorteerVeldwaardeString() const;

    // From the result (error 9 when no result was ever activated).
    QString Tstart() const;
    QString Teind() const;
    QString NCWFactorX() const;
    QString NCW() const;
    // The NCW as a report prints it, in whole euros ("€ #,#0"), rounded once
    // from its value; NCW() is the value's text of seven digits, which
    // rounded again can differ by a euro from the group totals.
    QString NCWBedrag() const;
    float FractieVanTotaalDV() const;

private:
    friend class clsDV;
    const clsDV::ItemResult &item() const;
    std::uint8_t byte(const char *name) const { return m_rij.byte(name); }
    QVariant field(const char *name) const { return m_rij.value(name); }
    bool combined() const { return byte("bytCombineer") == 1; }

    const clsDV &m_dv;
    ActRow m_rij;
    const clsDV::ItemResult *m_item;
};

} // namespace calc

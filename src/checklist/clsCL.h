#pragma once
// clsCL: the read-only view of one checklist version.
//
// It holds the version's row of tblCL, its active cost items of tblCLitem
// with a cursor on one current item, and its footnotes of tblVoetnoot. Every
// routine or screen that needs a checklist version makes its own view on a
// Context (the checklist connection string and the open site's start of
// after-care), calls initializeCL with the version id and lets the object go
// when done; the view opens its own connection when it is made and closes it
// when it is destroyed.
//
// Calling order: make, initializeCL, then anything else. Item properties
// read the current item: after GaNaarItem returned true, or while walking
// with movefirst_rsCLitem / EOF_rsCLitem / movenext_rsCLitem. After loading
// the current item is the first one.
//
// Failures are platform::Error exceptions that reach the caller: the data
// layer's 3021 for an item property read without a current item, 94
// ("Invalid use of Null") for a Byte, Boolean or version value on an empty
// column, the data layer's errors when the file or a query fails. The only
// checks that trap their own errors are VerifyCL_Freq,
// VerifyCL_VervangingsToeslag and verifyCL_RapEvalPerHa (they report and
// answer false).

#include "checklist/context.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>

namespace checklist {

class clsCL {
public:
    // Opens the view's connection on ctx.gstrConnCL.
    explicit clsCL(const Context &ctx);
    // The same with only the connection string (start of after-care left at
    // its default).
    explicit clsCL(const QString &gstrConnCL);
    ~clsCL();
    clsCL(const clsCL &) = delete;
    clsCL &operator=(const clsCL &) = delete;

    // The start of after-care that the calendar-year checks count from.
    void setJaarAanvangNazorg(float gsngJaarAanvangNazorg) { m_ctx.gsngJaarAanvangNazorg = gsngJaarAanvangNazorg; }
    float jaarAanvangNazorg() const { return m_ctx.gsngJaarAanvangNazorg; }

    // ---- Loading and cursor ------------------------------------------------

    // Loads the version: its active items (in the order the file returns
    // them), its tblCL row and its footnotes.
    void initializeCL(qint32 SelectCL_ID);
    // False, after the box "Verificatie beschikbaarheid checklist", when the
    // version has no active item: the installed checklist file does not
    // hold it.
    bool checklistBestaat();
    bool EOF_rsCLitem() const;
    void movenext_rsCLitem();
    // Does nothing when the version has no item.
    void movefirst_rsCLitem();
    qint32 lngCLitem_ID() const;
    // Makes the active item with this id current, searching from the first
    // item; false (cursor after the last item) when there is none.
    bool GaNaarItem(qint32 lngCLitem_ID);
    // The ids of the version's combination items in item order, joined by
    // "," ("40,12"); empty when there is none. Leaves the cursor after the
    // last item.
    QString GetCombinatiePosten();

    // The data source of the items for binding: any non-empty data member
    // name ("tblCLItem") gives the items' recordset, the empty name nothing.
    db::Recordset *DataMember(const QString &name);

    // ---- Version values (tblCL row; no default for an empty value) --------

    QString strVersie() const;
    QDateTime dtmCl() const;
    qint16 intCl_ID() const;
    qint16 intJaarPrijspeil() const;
    float sngCommunicatieMIN() const;
    float sngCommunicatieMAX() const; // -999: no upper bound
    float sngRapEvalPerHa() const;
    float sngRapEvalMin() const;
    float sngRapEvalMax() const;
    float sngAppKostenBasisMIN() const;
    float sngAppKostenBasisMAX() const;
    float sngAppKostenPerc() const;                    // fraction
    float sngOnvoorzien() const;                       // fraction
    float sngOntwerpdirectieFixed() const;             // fraction; -999: differentiated scheme
    float sngVervangingstoeslagKleineWerken() const;   // percent
    float sngVervangingstoeslagGroteWerkenMin() const; // percent
    float sngVervangingstoeslagGroteWerkenMax() const; // percent

    // ---- Item values (current item; Null as a null QVariant) --------------

    QVariant Voorziening() const;
    QVariant Omschrijving() const;
    // The description, " (ID: ", the id, ")".
    QVariant OmschrijvingEx() const;
    QVariant Startjaar() const;
    bool StartjaarEerderMag() const;
    QVariant Eindjaar() const;
    QVariant FreqXmin() const;
    QVariant FreqXmax() const;
    QVariant PrijsPEmin() const;
    QVariant PrijsPEmax() const;
    QVariant PercInvestMIN() const;
    QVariant PercInvestMAX() const;
    QVariant KostenInvestMIN() const;
    QVariant KostenInvestMAX() const;
    QVariant KostenTotaalMIN() const;
    QVariant KostenTotaalMAX() const;
    QVariant Eenheid() const;
    QVariant AantalMIN() const;
    QVariant AantalMAX() const;
    QVariant Toelichting() const;
    QVariant RefDeelonderz() const;
    QVariant VtNtStartjaar() const;
    QVariant VtNtEindjaar() const;
    QVariant strVtntPeriodMin() const;
    QVariant VtNtPeriodMax() const;
    QVariant VtNtPrijsPEmin() const;
    QVariant VtNtPrijsPEmax() const;
    std::uint8_t bytObjectCat_ID() const;
    std::uint8_t bytOptieKosten() const;
    std::uint8_t bytOptieFreq() const;
    std::uint8_t bytOptieEind() const;
    // Always 2: a checklist item's start is an after-care year (or, with
    // bytStartBA 1, a year after the top liner).
    std::uint8_t bytOptieStartX() const { return 2; }
    std::uint8_t bytRubriek_REF() const;
    // The rubric's name: 1 "Instandhouden" ... 6 "Overig".
    QString Rubriek() const;
    std::uint8_t bytStartBA() const;
    std::uint8_t bytEindBA() const;
    std::uint8_t bytTypeVervangingsToeslag() const;
    bool blnCombinatieMogelijk() const;
    bool blnIsCombinatiePost() const;
    // The version's sngOntwerpdirectie is exactly -999 (a Single compare).
    bool GebruikGedifferentieerdeToeslagB() const;

    // ---- Explanation texts (current item) ---------------------------------

    QString strVoetnotenToelichting();
    QString VoetNootFasering() const;
    QString strStartJaarToelichting() const;
    QString strEindJaarToelichting() const;
    QString strFreqXtoelichting() const;
    // strKostenToelichting, CRLF, lblToelichtingPrijspeil.
    QString strKostenToelichtingEx() const;
    QString strKostenToelichting() const;

    // ---- Averages of a pair of item bounds (single precision) -------------

    QVariant freqXGEM() const; // Null when the lower bound is 0
    QVariant AantalGEM() const;
    QVariant PrijsPEgem() const;
    QVariant InvKostenGEM() const;
    float InvPercGEM() const; // 0 when both bounds are empty
    QVariant KostenTotaalGEM() const;
    QString VolledigeOmschrijving() const { return QString(); }

    // ---- Checks against the bounds (true: conform) -------------------------
    // Value arguments hold a number, a text or Null.

    bool VerifyCL_Kosten(std::uint8_t bytOptieKostenACT, const QVariant &sngPercInvACT, const QVariant &varKostenInvACT,
                         const QVariant &varKostenTotaalACT, const QVariant &sngPrijsPeACT,
                         const QVariant &varEenheidACT, const QVariant &varAantalEenhACT) const;
    bool VerifyCL_Freq(std::uint8_t bytOptieFreqACT, const QVariant &varFreqXact) const;
    bool VerifyCL_JaarStart(std::uint8_t bytOptieStartACT, std::uint8_t bytStartBA, const QVariant &varIntStartAbsACT,
                            const QVariant &varIntStartRelACT, const QVariant &varIntStartBA) const;
    bool VerifyCL_JaarEind(std::uint8_t bytOptieEindACT, std::uint8_t bytEindBA, const QVariant &varIntEindAbsACT,
                           const QVariant &varIntEindRelACT, const QVariant &varIntEindBA) const;
    bool VerifyCL_VervangingsToeslag(std::uint8_t bytRubriek, std::uint8_t bytTypeVervangingsToeslag,
                                     const QVariant &varVervangingsToeslagPerc) const;
    bool verifyCL_CommKosten(float sng) const;
    bool verifyCL_AppKostenBasis(float sng) const;
    bool verifyCL_AppKostenPerc(float sng) const;
    bool verifyCL_RapEvalPerHa(std::uint8_t bytOptieRapEval, const QVariant &IngevoerdeMinWaarde,
                               const QVariant &IngevoerdePerHaWaarde, const QVariant &IngevoerdeMaxWaarde) const;
    bool verifyCL_Onvoorzien(float sng) const;
    bool verifyCL_OntwerpdirectieFixed(float sng) const;

    // ---- Price level and reporting rules -----------------------------------

    // "NB: Alle kostenposten invoeren in prijspeil " and the version's
    // price-level year.
    QString lblToelichtingPrijspeil() const;
    // The factor that takes an amount from price level intJaarVan to
    // intJaarNaar: the product of (1 + sngPPcorr / 100) over the years after
    // the earlier year up to and including the later one, inverted when
    // going back; 1 for equal years and for a range without rows.
    float sngPrijsPeilCorr(int intJaarVan, int intJaarNaar);
    // The area (ha) up to which reporting option 2 applies:
    // (max - min) / rate per ha + 10, rounded to two decimals when its
    // default text ends in "44". Error 11 for a rate of 0.
    float AantalHaGrens() const;
    // 0 for an empty or non-numeric area, 1 below 10 ha, 2 up to and
    // including AantalHaGrens, 3 above it.
    qint32 CalcOptieRapEval(const QVariant &aantalHa) const;

private:
    QVariant item(const char *column) const;
    QVariant version(const char *column) const;
    float versionSingle(const char *column) const;
    std::uint8_t itemByte(const char *column) const;
    bool itemBool(const char *column) const;
    QString GetVoetnootTekst(const char *column, const QString &label);

    Context m_ctx;
    db::Connection cnCL;
    db::Recordset rsCL;
    db::Recordset rsVoetnoot;
    db::Recordset rsCLitem;
};

} // namespace checklist

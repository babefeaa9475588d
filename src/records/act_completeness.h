#pragma once
// Completeness of a cost item, one group of fields at a time: start year,
// end year, cost, frequency and replacement surcharge. Each check answers
// True when its group is filled in completely; it compares with no
// checklist and touches no database. The cost-item screen marks each group
// with them, the cost-item record checks its current row with them, and the
// calculation's site-wide check (calc/verify_ansich.h) runs them over every
// stored item of a site.
//
// Values may be Null (an invalid QVariant), an empty text, a number or a
// text that holds a number. Null and the empty text count as missing; 0 is
// present. A text that is not a number under the Dutch settings cannot be
// used as a year, amount or count and counts as missing too, and so does a
// number that no field of a cost item can hold: one that is not finite
// (infinite, NaN) or beyond the single range, as another tool may write
// into the data file. Bounds are inclusive.
//
// Option codes and flags outside the ones the data defines make their group
// incomplete: an item is never passed as complete on a code that nothing
// downstream knows how to calculate.

#include <QVariant>
#include <cstdint>

namespace modVerifyAnSich {

// A value as the checks read it, worked out once: whether it is Null,
// whether it is missing (Null or the empty text), and the number it reads
// as, if any (see detail::toNumber).
struct Invoer {
    bool null = true;
    bool ontbreekt = true;
    bool isGetal = false;
    double getal = 0;

    Invoer() = default; // Null
    explicit Invoer(const QVariant &value);
    // A number as the data file holds it (never missing; no number when it
    // is not a usable one, see detail::isBruikbaarGetal).
    static Invoer vanGetal(double getal);
    // A text: missing when empty, else the number it reads as, if any.
    static Invoer vanTekst(const QString &tekst);

private:
    explicit Invoer(double n) : null(false), ontbreekt(false), isGetal(true), getal(n) {}
};

// The checks below on values read already; the QVariant forms read their
// arguments and call these.
bool VerifyJaarStart(std::uint8_t bytOptieStart, std::uint8_t bytStartBA, const Invoer &intStartabs,
                     const Invoer &intStartrel, const Invoer &intStartBA);
bool VerifyJaarEind(std::uint8_t bytOptieEind, std::uint8_t bytEindBA, const Invoer &intEindabs,
                    const Invoer &intEindrel, const Invoer &intEindBA);
bool VerifyKosten(std::uint8_t bytOptieKosten, const Invoer &sngPercInvest, const Invoer &sngKostenInvest,
                  const Invoer &sngKostenTotaal, const Invoer &sngKostenPE, const Invoer &strEenheid,
                  const Invoer &sngAantal);
bool VerifyFreq(std::uint8_t bytOptieFreq, const Invoer &intfreqX);
bool VerifyVervangingsToeslag(bool blnGebruiktGediffToeslag, std::uint8_t bytRubriek_REF,
                              const Invoer &bytTypeVervangingsToeslag, const Invoer &sngVervangingsToeslagPerc);

// Start option 1 (calendar year): intStartabs within 1970..2300; option 2
// (after-care year): intStartrel within 1..1000. With bytStartBA 1 also
// intStartBA within 1..1000. bytStartBA must be 0 or 1.
bool VerifyJaarStart(std::uint8_t bytOptieStart, std::uint8_t bytStartBA, const QVariant &intStartabs,
                     const QVariant &intStartrel, const QVariant &intStartBA);

// With bytEindBA 1 only intEindBA must be present (any value; the end
// option is not looked at). With bytEindBA 0: end option 1 intEindabs
// within 1970..2300, option 2 intEindrel within 1..1000, option 3
// (perpetual) nothing.
bool VerifyJaarEind(std::uint8_t bytOptieEind, std::uint8_t bytEindBA, const QVariant &intEindabs,
                    const QVariant &intEindrel, const QVariant &intEindBA);

// Option 1: 0 < percentage <= 100 and an investment other than 0; option 2:
// a total (0 passes); option 3: a price per unit other than 0, a unit text
// and a number of units above 0.
bool VerifyKosten(std::uint8_t bytOptieKosten, const QVariant &sngPercInvest, const QVariant &sngKostenInvest,
                  const QVariant &sngKostenTotaal, const QVariant &sngKostenPE, const QVariant &strEenheid,
                  const QVariant &sngAantal);

// Option 1 (once) needs nothing; options 2 and 3 need intfreqX within
// 1..1000.
bool VerifyFreq(std::uint8_t bytOptieFreq, const QVariant &intfreqX);

// Applies only under the differentiated surcharge scheme and in rubric 5
// (Vervanging); True otherwise. Then type 1 (top liner) passes, types 2 and
// 3 need 0 < percentage <= 100, and a missing type, type 0 (none) and type
// 7 (large or small work still to be chosen) fail. Any other type shows the
// critical box "Onbekende conditie vervangingstoeslag" and fails.
bool VerifyVervangingsToeslag(bool blnGebruiktGediffToeslag, std::uint8_t bytRubriek_REF,
                              const QVariant &bytTypeVervangingsToeslag, const QVariant &sngVervangingsToeslagPerc);

// The helpers the checks share, for callers that hand over the same kind
// of values.
namespace detail {
// Reads a value as a number into *number; false when it is Null, an empty
// text, a text that is not a number under the Dutch settings, or a number
// that is not usable.
bool toNumber(const QVariant &value, double *number);
// A finite number within the single range: what a number field of a cost
// item can hold.
bool isBruikbaarGetal(double number);
// Null or the empty text.
bool isMissing(const QVariant &value);
} // namespace detail

} // namespace modVerifyAnSich

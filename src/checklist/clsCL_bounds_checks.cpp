// The checks of a user's entries against the checklist: the checks of one
// cost item against the current item, and of the site's general costs
// against the version row. Each answers true for conform.
//
// How entered values are read (see entered_values.h):
// - Amounts (costs, prices, investments, percentages of the cost check) are
//   read under the Dutch rules; an amount not entered meets no bound, so its
//   check fails.
// - Years and counts of the start and end checks, and the number of units,
//   are compared through their read number: the value's Dutch text read
//   back by Val, which cuts the fraction after the decimal comma. A
//   calendar year becomes an after-care year as year - start of after-care
//   + 1 first; with after-care starting on 1 July 2030 the calendar year
//   2034 is year 4,5 and reads 4, and 2035 is year 5,5 and reads 5. Every
//   user of the checklist marks an item the same way through this rule.
// - The frequency, surcharge and reporting checks trap their errors: an
//   entry that is no number is reported and the check answers false.

#include "checklist/clsCL.h"

#include "checklist/entered_values.h"
#include "platform/core/error.h"
#include "platform/db/jet_types.h"
#include "platform/text/variant_text.h"
#include "platform/ui/dialogs.h"

#include <exception>

namespace checklist {

namespace {

// True when the item's code is present and differs from the entered one
// (an empty item value differs from nothing).
bool differs(const QVariant &itemCode, int entered)
{
    return !db::isNull(itemCode) && itemCode.toInt() != entered;
}

// The trap of the frequency and surcharge checks: a division by zero points
// at the checklist, any other error goes to the central error reporter.
void reportTrapped(const Context &ctx, long number, const QString &description, const QString &source)
{
    if (number == 11) {
        ui::MsgBox(QStringLiteral("Er zit een fout in de QOR-checklist, validatie kon niet uitgevoerd worden"),
                   ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Fout in QOR-checklist"));
        return;
    }
    meldFout(ctx, platform::Error(number, description, source));
}

template <typename Check> bool trapped(const Context &ctx, const QString &source, Check check)
{
    try {
        return check();
    } catch (const platform::Error &e) {
        reportTrapped(ctx, e.number(), e.description(), source);
    } catch (const std::exception &e) {
        reportTrapped(ctx, 0, QString::fromLocal8Bit(e.what()), source);
    }
    return false;
}

// 1 / x in single precision; error 11 for 0.
float reciprocal(float x)
{
    if (x == 0.0f)
        throw divisionByZero();
    return 1.0f / x;
}

} // namespace

// ---- One cost item against the current item --------------------------------

bool clsCL::VerifyCL_Kosten(std::uint8_t bytOptieKostenACT, const QVariant &sngPercInvACT,
                            const QVariant &varKostenInvACT, const QVariant &varKostenTotaalACT,
                            const QVariant &sngPrijsPeACT, const QVariant &varEenheidACT,
                            const QVariant &varAantalEenhACT) const
{
    const bool anyCostBound = boundOf(PercInvestMIN()) || boundOf(PercInvestMAX()) || boundOf(KostenTotaalMIN())
                              || boundOf(KostenTotaalMAX()) || boundOf(PrijsPEmin()) || boundOf(PrijsPEmax());
    if (anyCostBound && differs(item("bytOptieKosten"), bytOptieKostenACT))
        return false;

    // An amount not entered meets no bound.
    const auto binnen = [](std::optional<float> v, std::optional<float> lower, std::optional<float> upper) {
        return v && IsBinnenGrenzen(*v, lower, upper);
    };
    switch (bytOptieKostenACT) {
    case 1:
        return binnen(amountOf(varKostenInvACT), boundOf(KostenInvestMIN()), boundOf(KostenInvestMAX()))
               && binnen(amountOf(sngPercInvACT), boundOf(PercInvestMIN()), boundOf(PercInvestMAX()));
    case 2:
        return binnen(amountOf(varKostenTotaalACT), boundOf(KostenTotaalMIN()), boundOf(KostenTotaalMAX()));
    case 3: {
        const float aantal = static_cast<float>(readNumberOf(varAantalEenhACT));
        if (!IsBinnenGrenzen(aantal, boundOf(AantalMIN()), boundOf(AantalMAX())))
            return false;
        if (!binnen(amountOf(sngPrijsPeACT), boundOf(PrijsPEmin()), boundOf(PrijsPEmax())))
            return false;
        const QVariant eenheid = Eenheid();
        // Case-sensitive; an empty value on either side does not differ.
        if (db::isNull(eenheid) || db::isNull(varEenheidACT))
            return true;
        return eenheid.toString() == vb::CStr(varEenheidACT);
    }
    default:
        return true;
    }
}

bool clsCL::VerifyCL_Freq(std::uint8_t bytOptieFreqACT, const QVariant &varFreqXact) const
{
    return trapped(m_ctx, QStringLiteral("VerifyCL_Freq"), [&]() {
        const std::uint8_t itemOptie = bytOptieFreq();
        if (bytOptieFreqACT == 1 && itemOptie != 1)
            return false;

        // The entered rate in times per year.
        float rate = 0.0f;
        if (bytOptieFreqACT == 2) {
            rate = numberOf(varFreqXact);
        } else if (bytOptieFreqACT == 3) {
            const double interval = numberOfAsDouble(varFreqXact);
            if (interval == 0.0)
                throw divisionByZero();
            rate = static_cast<float>(1.0 / interval);
        }

        const std::optional<float> min = boundOf(FreqXmin());
        const std::optional<float> max = boundOf(FreqXmax());
        if (itemOptie != 1 && !min && !max)
            return true;

        std::optional<float> lower, upper;
        switch (itemOptie) {
        case 1:
            if (itemOptie != bytOptieFreqACT)
                return false;
            break;
        case 2:
            lower = min;
            upper = max;
            break;
        case 3:
            // An interval of x to y years is a rate of 1/y to 1/x a year.
            if (max)
                lower = reciprocal(*max);
            if (min)
                upper = reciprocal(*min);
            break;
        default:
            break;
        }
        return IsBinnenGrenzen(rate, lower, upper);
    });
}

namespace {

// The read number of the after-care year of an entered start or end: the
// calendar year counted from the start of after-care (option 1) or the
// after-care year as entered. An empty entry reads as 0.
double nazorgJaar(std::uint8_t optie, const QVariant &kalenderjaar, const QVariant &nazorgjaar, float jaarAanvangNazorg)
{
    if (optie != 1)
        return readNumberOf(nazorgjaar);
    if (isEmptyValue(kalenderjaar))
        return 0.0;
    return readNumberOf(numberOfAsDouble(kalenderjaar) - static_cast<double>(jaarAanvangNazorg) + 1.0);
}

} // namespace

bool clsCL::VerifyCL_JaarStart(std::uint8_t bytOptieStartACT, std::uint8_t bytStartBA_ACT,
                               const QVariant &varIntStartAbsACT, const QVariant &varIntStartRelACT,
                               const QVariant &varIntStartBA) const
{
    const QVariant itemBA = item("bytStartBA");
    if (differs(itemBA, bytStartBA_ACT))
        return false;
    const QVariant jaar = Startjaar();
    if (db::isNull(jaar))
        return true;
    const double n = jaar.toInt();
    const int ba = db::isNull(itemBA) ? -1 : itemBA.toInt();
    if (ba == 1) {
        const double v = readNumberOf(varIntStartBA);
        return StartjaarEerderMag() ? (v > 0.0 && v <= n) : v == n;
    }
    if (ba == 0) {
        const double v =
            nazorgJaar(bytOptieStartACT, varIntStartAbsACT, varIntStartRelACT, m_ctx.gsngJaarAanvangNazorg);
        return StartjaarEerderMag() ? v <= n : v == n;
    }
    return true;
}

bool clsCL::VerifyCL_JaarEind(std::uint8_t bytOptieEindACT, std::uint8_t bytEindBA_ACT,
                              const QVariant &varIntEindAbsACT, const QVariant &varIntEindRelACT,
                              const QVariant &varIntEindBA) const
{
    const QVariant itemOptie = item("bytOptieEind");
    if (!db::isNull(itemOptie) && itemOptie.toInt() == 3)
        return bytOptieEindACT == 3 && bytEindBA_ACT != 1;
    const QVariant itemBA = item("bytEindBA");
    if (differs(itemBA, bytEindBA_ACT))
        return false;
    const QVariant jaar = Eindjaar();
    if (db::isNull(jaar))
        return true;
    const double n = jaar.toInt();
    const int ba = db::isNull(itemBA) ? -1 : itemBA.toInt();
    if (ba == 1)
        return readNumberOf(varIntEindBA) == n;
    if (ba == 0)
        return nazorgJaar(bytOptieEindACT, varIntEindAbsACT, varIntEindRelACT, m_ctx.gsngJaarAanvangNazorg) == n;
    return true;
}

bool clsCL::VerifyCL_VervangingsToeslag(std::uint8_t bytRubriek, std::uint8_t bytTypeVervangingsToeslag,
                                        const QVariant &varVervangingsToeslagPerc) const
{
    return trapped(m_ctx, QStringLiteral("VerifyCL_VervangingsToeslag"), [&]() {
        if (!(GebruikGedifferentieerdeToeslagB() && bytRubriek == 5))
            return true;
        // The limits are those of the 2008 rules, not the version's fields.
        switch (bytTypeVervangingsToeslag) {
        case 0:
        case 1:
            return true;
        case 3:
            // A missing percentage equals nothing.
            return !db::isNull(varVervangingsToeslagPerc) && numberOfAsDouble(varVervangingsToeslagPerc) == 5.0;
        case 2:
            return IsBinnenGrenzen(numberOf(varVervangingsToeslagPerc), 6.0f, 6.5f);
        default:
            ui::MsgBox(QStringLiteral("Onbekende conditie vervangingstoeslag"), ui::Buttons::OK, ui::Icon::Critical,
                       QStringLiteral("Controle invoer vervangingstoeslag"));
            return false;
        }
    });
}

// ---- The site's general costs against the version -----------------------------
// An empty lower bound of the version requires at least 0, an empty upper
// bound sets no limit; an empty value to be equal to is met by nothing.

bool clsCL::verifyCL_CommKosten(float sng) const
{
    const QVariant max = version("sngCommunicatieMAX");
    std::optional<float> upper = boundOf(max);
    if (upper && *upper == -999.0f)
        upper.reset();
    return IsBinnenGrenzen(sng, boundOf(version("sngCommunicatieMIN")), upper);
}

bool clsCL::verifyCL_AppKostenBasis(float sng) const
{
    return IsBinnenGrenzen(sng, boundOf(version("sngAppKostenBasisMIN")), boundOf(version("sngAppKostenBasisMAX")));
}

namespace {

bool equalsVersionValue(float sng, const QVariant &value)
{
    const std::optional<float> v = boundOf(value);
    return v && sng == *v;
}

} // namespace

bool clsCL::verifyCL_AppKostenPerc(float sng) const
{
    return equalsVersionValue(sng, version("sngAppKostenPerc"));
}

bool clsCL::verifyCL_Onvoorzien(float sng) const
{
    return equalsVersionValue(sng, version("sngOnvoorzien"));
}

bool clsCL::verifyCL_OntwerpdirectieFixed(float sng) const
{
    const QVariant value = version("sngOntwerpdirectie");
    const std::optional<float> v = boundOf(value);
    if (v && *v == -999.0f)
        return true;
    return v && sng == *v;
}

bool clsCL::verifyCL_RapEvalPerHa(std::uint8_t bytOptieRapEval, const QVariant &IngevoerdeMinWaarde,
                                  const QVariant &IngevoerdePerHaWaarde, const QVariant &IngevoerdeMaxWaarde) const
{
    try {
        switch (bytOptieRapEval) {
        case 0:
            return false;
        case 1:
            return numberOf(IngevoerdeMinWaarde) == sngRapEvalMin();
        case 2:
            return numberOf(IngevoerdePerHaWaarde) == sngRapEvalPerHa();
        case 3:
            return numberOf(IngevoerdeMaxWaarde) == sngRapEvalMax();
        default:
            return true;
        }
    } catch (const std::exception &) {
        ui::MsgBox(QStringLiteral("Fout in clsCL.verifyCL_RapEvalPerHa"), ui::Buttons::OK, ui::Icon::Critical,
                   QStringLiteral("Controle checklist"));
        return false;
    }
}

} // namespace checklist

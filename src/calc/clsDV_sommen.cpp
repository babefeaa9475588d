// clsDV: the sums of the target-fund table. Each is computed afresh from the
// object's state; intermediate values in double, each result a single.

#include "calc/clsDV.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

namespace calc {

float clsDV::Toeslagen2008SomWaardeNCW() const
{
    double som = 0;
    for (const clsToeslag2008 &t : mcolToeslagen2008)
        som += double(t.ToeslagWaardeNCW);
    return float(som);
}

float clsDV::somA_exclOnvoorzien() const
{
    return float(double(msngTotaalRubriek[0]) + double(msngTotaalRubriek[1]) + double(msngTotaalRubriek[2])
                 + double(msngTotaalRubriek[3]));
}

float clsDV::toeslagA() const
{
    return float(double(somA_exclOnvoorzien()) * double(sngOnvoorzien));
}

float clsDV::somA_inclOnvoorzien() const
{
    return float(double(somA_exclOnvoorzien()) + double(toeslagA()));
}

float clsDV::somB_exclDirectievoering() const
{
    return msngTotaalRubriek[4];
}

float clsDV::toeslagB() const
{
    if (GebruikGedifferentieerdeToeslagB())
        return Toeslagen2008SomWaardeNCW();
    return float(double(somB_exclDirectievoering()) * double(sngOntwerpdirectieFixed));
}

float clsDV::somB_inclDirectievoering() const
{
    return float(double(somB_exclDirectievoering()) + double(toeslagB()));
}

float clsDV::AppKostenVariabelKAP() const
{
    return float((double(somA_inclOnvoorzien()) + double(somB_inclDirectievoering())) * double(sngAppKostenBasisPerc));
}

float clsDV::somC() const
{
    return float(double(sngAppKostenTotaalKAP) + double(sngCommunicatieKostenKAP) + double(sngRapEvalKostenKAP));
}

float clsDV::DoelvermogenZonderRisicoFonds() const
{
    return float(double(somA_inclOnvoorzien()) + double(somB_inclDirectievoering()) + double(somC()));
}

float clsDV::DoelvermogenMetRisicoFonds() const
{
    return float(double(DoelvermogenZonderRisicoFonds()) + double(sngRisicobedragKAP));
}

float clsDV::BTWbedrag() const
{
    return float(double(m_ctx.gsngBTWPerc) / 100.0 * double(DoelvermogenMetRisicoFonds()));
}

float clsDV::DoelvermogenMetRisicofonds_InclBTW() const
{
    return float(double(DoelvermogenMetRisicoFonds()) + double(BTWbedrag()));
}

namespace {

// A total by its key; error 9 for a key outside the list.
template <size_t N> float totaal(const std::array<float, N> &totalen, int positie)
{
    if (positie < 0 || positie >= int(N))
        throw platform::Error(vb::kErrSubscriptOutOfRange, QStringLiteral("Subscript out of range"),
                              QStringLiteral("clsDV"));
    return totalen[size_t(positie)];
}

} // namespace

float clsDV::TotaalRubriek(int rubriek) const
{
    return totaal(msngTotaalRubriek, rubriek - 1);
}

float clsDV::TotaalObjectCat(int cat) const
{
    return totaal(msngTotaalObjectCat, cat - 1);
}

float clsDV::TotaalIsQOR(int isQOR) const
{
    return totaal(msngTotaalIsQOR, isQOR);
}

} // namespace calc

#include "screens/frmAlgNazKosten_rules.h"

#include "checklist/clsCL.h"

#include "platform/core/error.h"
#include "platform/text/format.h"

namespace screens {

namespace {

QString bedrag(float v)
{
    return vb::CStr(v);
}

} // namespace

NazorgChecklistWaarden NazorgChecklistWaarden::lees(const checklist::clsCL &cl)
{
    NazorgChecklistWaarden w;
    w.sngRapEvalMin = cl.sngRapEvalMin();
    w.sngRapEvalMax = cl.sngRapEvalMax();
    w.sngRapEvalPerHa = cl.sngRapEvalPerHa();
    w.sngCommunicatieMIN = cl.sngCommunicatieMIN();
    w.sngCommunicatieMAX = cl.sngCommunicatieMAX();
    w.sngAppKostenBasisMIN = cl.sngAppKostenBasisMIN();
    w.sngAppKostenBasisMAX = cl.sngAppKostenBasisMAX();
    w.sngAppKostenPerc = cl.sngAppKostenPerc();
    w.sngOnvoorzien = cl.sngOnvoorzien();
    w.sngOntwerpdirectieFixed = cl.sngOntwerpdirectieFixed();
    w.blnGedifferentieerd = cl.GebruikGedifferentieerdeToeslagB();
    try {
        w.aantalHaGrens = cl.AantalHaGrens();
    } catch (const platform::Error &e) {
        // A version without a rate per hectare has no threshold; the area
        // check reports that when an area is typed.
        if (e.number() != 11 && e.number() != 94)
            throw;
    }
    return w;
}

QString AlgNazKostenRegels::captionOptie2() const
{
    return QStringLiteral("tussen 10 ha en ") + vb::CStr(m_cl.aantalHaGrens) + QStringLiteral(" ha");
}

QString AlgNazKostenRegels::captionOptie3() const
{
    return QStringLiteral("meer dan ") + vb::CStr(m_cl.aantalHaGrens) + QStringLiteral(" ha");
}

QString AlgNazKostenRegels::lblCommunicatie() const
{
    if (m_cl.sngCommunicatieMAX != kGeenMaximum)
        return QStringLiteral("Voer een bedrag voor 'Communicatie' in tussen € ") + bedrag(m_cl.sngCommunicatieMIN)
               + QStringLiteral(",- en € ") + bedrag(m_cl.sngCommunicatieMAX)
               + QStringLiteral(",-\nper nazorgjaar. Alleen van toepassing voor complexe gevallen.");
    return QStringLiteral("Voer een bedrag voor 'Communicatie' in van ten minste € ") + bedrag(m_cl.sngCommunicatieMIN)
           + QStringLiteral(",- per nazorgjaar.\nAlleen van toepassing voor complexe gevallen.");
}

QString AlgNazKostenRegels::lblAppKostenBasis() const
{
    return QStringLiteral("De apparaatskosten worden berekend als een basisbedrag plus een percentage van de som van "
                          "jaarlijkse en vervangingskosten.\n\nVoer een basisbedrag in tussen € ")
           + bedrag(m_cl.sngAppKostenBasisMIN) + QStringLiteral(",- en € ") + bedrag(m_cl.sngAppKostenBasisMAX)
           + QStringLiteral(",- per nazorgjaar.");
}

QString AlgNazKostenRegels::lblAppKostenBasisPerc()
{
    return QStringLiteral("Voer een waarde voor het hierboven beschreven percentage in.");
}

QString AlgNazKostenRegels::lblRapEval() const
{
    return QStringLiteral("De kosten voor rapportage en evaluatie bedragen € ") + bedrag(m_cl.sngRapEvalMin)
           + QStringLiteral(",- per jaar voor de eerste 10 ha, daarna  € ") + bedrag(m_cl.sngRapEvalPerHa)
           + QStringLiteral(",- per ha nazorgoppervlak per jaar tot een maximumbedrag van € ")
           + bedrag(m_cl.sngRapEvalMax) + QStringLiteral(",-.");
}

QString AlgNazKostenRegels::lblOntwerpDirectieVast()
{
    return QStringLiteral("Voer een percentage 'ontwerp/directie' in:");
}

QString AlgNazKostenRegels::lblOntwerpDirectieGedifferentieerd()
{
    return QStringLiteral("Bij deze checklistversie worden toeslagen voor ontwerp/directie/toezicht per "
                          "vervangingspost bepaald in invoerscherm 'Voorzieningen en kostenposten'.\nZie paragraaf "
                          "3.4.2 van de handleiding.");
}

float AlgNazKostenRegels::standaard(NazorgVeld veld) const
{
    switch (veld) {
    case NazorgVeld::AppKostenBasis:
        return (m_cl.sngAppKostenBasisMIN + m_cl.sngAppKostenBasisMAX) / 2.0f;
    case NazorgVeld::AppKostenBasisPerc:
        return maal100(m_cl.sngAppKostenPerc);
    case NazorgVeld::RapEvalMin:
        return m_cl.sngRapEvalMin;
    case NazorgVeld::RapEvalPerHa:
        return m_cl.sngRapEvalPerHa;
    case NazorgVeld::RapEvalMax:
        return m_cl.sngRapEvalMax;
    case NazorgVeld::Onvoorzien:
        return maal100(m_cl.sngOnvoorzien);
    case NazorgVeld::OntwerpdirectieFixed:
        return m_cl.blnGedifferentieerd ? 0.0f : maal100(m_cl.sngOntwerpdirectieFixed);
    case NazorgVeld::CommunicatieKosten:
        return m_cl.sngCommunicatieMAX == kGeenMaximum ? m_cl.sngCommunicatieMIN
                                                       : (m_cl.sngCommunicatieMIN + m_cl.sngCommunicatieMAX) / 2.0f;
    }
    return 0.0f;
}

bool AlgNazKostenRegels::wijktAfAppKostenBasis(float v) const
{
    return v < m_cl.sngAppKostenBasisMIN || v > m_cl.sngAppKostenBasisMAX;
}

bool AlgNazKostenRegels::wijktAfAppKostenPerc(float v) const
{
    return v != maal100(m_cl.sngAppKostenPerc);
}

bool AlgNazKostenRegels::wijktAfCommunicatie(float v) const
{
    return v < m_cl.sngCommunicatieMIN || (m_cl.sngCommunicatieMAX != kGeenMaximum && v > m_cl.sngCommunicatieMAX);
}

bool AlgNazKostenRegels::wijktAfRapEval(int optie, float v) const
{
    switch (optie) {
    case 1:
        return v != m_cl.sngRapEvalMin;
    case 2:
        return v != m_cl.sngRapEvalPerHa;
    case 3:
        return v != m_cl.sngRapEvalMax;
    default:
        return false;
    }
}

bool AlgNazKostenRegels::wijktAfOnvoorzien(float v) const
{
    return v != maal100(m_cl.sngOnvoorzien);
}

bool AlgNazKostenRegels::wijktAfOntwerpdirectie(float v) const
{
    return v != maal100(m_cl.sngOntwerpdirectieFixed);
}

RapEvalWeergave AlgNazKostenRegels::weergave(int optie)
{
    RapEvalWeergave w;
    if (optie < 0 || optie > 3)
        return w;
    w.bekend = true;
    w.geselecteerd = optie;
    w.minAan = optie == 1;
    w.perHaAan = optie == 2;
    w.maxAan = optie == 3;
    return w;
}

int AlgNazKostenRegels::optieVanTekst(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || !vb::IsNumeric(t))
        return 0;
    const double v = vb::CDbl(t);
    return v >= -1000 && v <= 1000 ? int(v) : -1;
}

QString AlgNazKostenRegels::waardeFout(const QString &text, bool toontOpgeslagenWaarde, vb::NumberKind kind)
{
    if (toontOpgeslagenWaarde || vb::TypedNumber(text, kind))
        return QString();
    // A number all the same: its fraction is what is refused.
    if (kind == vb::NumberKind::Whole && vb::TypedNumber(text, vb::NumberKind::Fraction))
        return QString::fromUtf8(kHeleEuros);
    return QLatin1String(kVulWaardeIn);
}

QString AlgNazKostenRegels::nazorgOppFout(const QString &text)
{
    const std::optional<double> opp = vb::TypedNumber(text);
    if (!opp)
        return QStringLiteral("Voer een nazorgoppervlak in.");
    if (*opp <= 0)
        return QStringLiteral("Voer een nazorgoppervlak groter dan 0 in.");
    return QString();
}

} // namespace screens

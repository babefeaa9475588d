#include "checklist/report_text.h"

namespace checklist {

RapTekst::RapTekst(qint32 basisKleur, int inspringing) : m_basisKleur(basisKleur), m_inspringing(inspringing)
{
    wis();
}

void RapTekst::wis()
{
    m_stukken.clear();
    m_opmaak = RapOpmaak{};
    m_opmaak.kleur = m_basisKleur;
}

void RapTekst::voegToe(const QString &tekst)
{
    if (tekst.isEmpty())
        return;
    // Fragments in the same format are kept as one.
    if (!m_stukken.isEmpty() && m_stukken.last().opmaak == m_opmaak)
        m_stukken.last().tekst += tekst;
    else
        m_stukken.append(RapStuk{tekst, m_opmaak});
}

QString RapTekst::tekst() const
{
    QString all;
    for (const RapStuk &s : m_stukken)
        all += s.tekst;
    return all;
}

} // namespace checklist

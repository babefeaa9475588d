#pragma once
// The target-fund report on screen: the same groups, blocks and totals as
// the Word table (rap_dv_word.h), written as tab-separated text into the
// report window, one line per cost item, with the columns made by eight
// tab stops.
//
// The calculation object must have calculated, opened its report view,
// been given its division key and stand on the view's first row; the
// walk does not rewind it and ends at the end of the view. Errors of the
// calculation or the window go to the caller.

#include "calc/clsDV.h"

#include <QString>
#include <cstdint>

namespace reports {

class RapportTekst;

class RapDVScherm {
public:
    RapDVScherm(calc::clsDV &dv, RapportTekst &rap);

    // The division the user chose: 1 facility category, 2 rubric, 3
    // checklist conformity.
    int optRapSort = 2;

    void RapDVnaarScherm();
    // The A block and the B block.
    void RapSubtotaalA();
    void RapSubtotaalB();

private:
    bool perRubriek() const { return optRapSort == 2; }
    void symbool(int klasse);
    void scheidingslijn();
    void vet(const QString &tekst);
    // A label at the left edge, its amount in the NCW column and its share.
    QString somRegel(const QString &label, float bedrag) const;
    void groepsSubtotaal(std::uint8_t key, const QString &label, const QString &na);
    void kopB();
    // An empty line and the facility's name, underlined.
    void voorzieningKop(const QString &voorz);
    // The line of a cost item.
    void itemRegel(const calc::DVRapportRegel &regel, bool metAandeel);

    calc::clsDV &m_dv;
    RapportTekst &m_rap;
};

} // namespace reports

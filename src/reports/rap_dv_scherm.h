#pragma once
// The target-fund report on screen: the same groups, blocks and totals as
// the Word table (rap_dv_word.h), written as tab-separated text into the
// report window, one line per cost item, with the columns made by eight
// tab stops. Every line keeps its columns whatever its texts: the columns
// are as wide as the widest texts their values can give, the free texts (a
// cost item's name, its cost text, a surcharge's text, a label) are cut to
// the room they have, and an amount after a label gets as many TABs as
// bring it to its column from where the label ends.
//
// The calculation object must have calculated, opened its report view,
// been given its division key and stand on the view's first row; the
// walk does not rewind it and ends at the end of the view. Errors of the
// calculation or the window go to the caller.

#include "calc/clsDV.h"

#include <QList>
#include <QString>
#include <array>
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

    // The columns: 0 the conformity symbol, 1 the cost item, 2 the year of
    // the top liner, 3 and 4 the first and last outlay, 5 the frequency, 6
    // the cost per time, 7 the NCW, 8 the share of the target fund.
    static constexpr int kKolommen = 9;
    static constexpr int kNCW = 7;
    static constexpr int kAandeel = 8;

private:
    // A text and the column it starts in; a text that may be cut is cut to
    // end before the next text's column.
    struct Cel {
        int kolom = 0;
        QString tekst;
        bool inkorten = true;
    };

    bool perRubriek() const { return optRapSort == 2; }
    // Where the columns begin, in the window's units, and how wide a line is.
    void zetKolommen();
    // The cells of one line joined by the TABs that put each in its column,
    // measured in the formatting at the insertion point; the line starts at
    // the left edge or just behind a conformity symbol.
    QString kolomRegel(const QList<Cel> &cellen) const;
    void symbool(int klasse);
    void scheidingslijn();
    void vet(const QString &tekst);
    // A label in column `kolom` (0, or 1 behind a symbol), its amount in the
    // NCW column and its share; one line.
    void somRegel(const QString &label, float bedrag, bool vetgedrukt = false, int kolom = 0);
    void groepsSubtotaal(std::uint8_t key, const QString &label, const QString &na);
    void kopB();
    // An empty line and the facility's name, underlined.
    void voorzieningKop(const QString &voorz);
    // The line of a cost item.
    void itemRegel(const calc::DVRapportRegel &regel, bool metAandeel);

    calc::clsDV &m_dv;
    RapportTekst &m_rap;
    std::array<double, kKolommen> m_kolom{};
    double m_regelBreedte = 0;
};

} // namespace reports

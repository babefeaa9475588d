#pragma once
// The walk over the rows of the target-fund table's A and B blocks that the
// Word table (rap_dv_word.h) and the report window (rap_dv_scherm.h) share:
// which rows open a group, where a group's subtotal and the turn from A to B
// fall, and where a facility's heading goes. Each writer says how a step
// looks in its own output.
//
// Rows of rubric 6 ("Overig") count in neither sum A nor sum B: the walk
// leaves them out and says whether there were any, for the writer to list
// them after block B.

#include "reports/word_report.h"

#include "calc/clsDV.h"

#include <QString>
#include <cstdint>

namespace reports {

// Where the walk ended, for the writer's closing steps.
struct BlokABStand {
    bool leeg = true;           // no row was written
    bool overig = false;        // rows of rubric 6 were left out
    bool aGeschreven = false;   // the A subtotal and the B heading are out
    std::uint8_t vorigeKey = 0; // the last group's key and label
    QString vorigLabel;
};

// Walks rows 0 to n-1 of the view. `uit` is told, in this order:
//   rij()                                  before each row written;
//   groepBegint()                          when the row opens a group; then
//   groepsSubtotaal(key, label)            for the group before it, if any;
//   naarB()                                by rubric, at rubric 5: subtotal
//                                          A and the heading of block B;
//   groepsKop(label)                       else the group's heading;
//   voorzieningKop(voorz, nieuweGroep)     for a row of another facility or
//                                          group than the row before;
//   item(regel)                            the row itself.
template <class Uitvoer> BlokABStand loopBlokAB(calc::clsDV &dv, qint32 n, bool perRubriek, Uitvoer &uit)
{
    BlokABStand s;
    QString vorigeVoorz;
    for (qint32 i = 0; i < n; ++i) {
        const calc::DVRapportRegel regel = dv.rapRegel(i);
        if (regel.Rubriek() == kRubriekOverig) {
            s.overig = true;
            continue;
        }
        uit.rij();
        const std::uint8_t key = regel.SorteerVeldwaardeID();
        // The first row always opens its group, whatever its key.
        const bool keyAnders = s.leeg || key != s.vorigeKey;
        if (keyAnders) {
            uit.groepBegint();
            if (!s.leeg)
                uit.groepsSubtotaal(s.vorigeKey, s.vorigLabel);
            if (perRubriek && key == 5) {
                uit.naarB();
                s.aGeschreven = true;
            } else {
                uit.groepsKop(regel.SorteerVeldwaardeString().toUpper());
            }
        }
        const QString voorz = regel.Voorz();
        if (voorz != vorigeVoorz || keyAnders)
            uit.voorzieningKop(voorz, keyAnders);
        uit.item(regel);
        s.vorigeKey = key;
        s.vorigLabel = regel.SorteerVeldwaardeString().toLower();
        vorigeVoorz = voorz;
        s.leeg = false;
    }
    return s;
}

} // namespace reports

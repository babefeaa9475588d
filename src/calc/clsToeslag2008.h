#pragma once
// The replacement surcharges of the 2008 rules. Under a checklist version
// with differentiated surcharges, the design-and-supervision surcharge on a
// replacement cost item depends on its surcharge type: a top liner gets a
// design amount by its area and a supervision percentage by its area; a
// large or small work gets its own percentage. AppendToeslagen turns one
// cost item into its surcharge records.

#include "platform/core/error_numbers.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace checklist {
class clsCL;
}

namespace calc {

// One surcharge record.
struct clsToeslag2008 {
    qint32 TypeVervangingstoeslag = 0; // not filled by AppendToeslagen
    qint16 Kostenpost_ID = 0;          // not filled
    qint16 Checklistitem_ID = 0;       // not filled
    float ToeslagWaardeNCWfactor = 0;  // the item's NCW factor X
    float ToeslagWaarde = 0;           // surcharge per occurrence, euro at price level
    float ToeslagWaardeNCW = 0;        // factor times value, euro
    QString ToeslagTekst;
    std::uint8_t IsQOR = 0; // 1 within the checklist's criteria, 2 outside
};

using ToeslagenLijst = std::vector<clsToeslag2008>;

// Design amount (euro) of a top liner of `area` m2.
float OntwerpBedragBovenafdichting(float area);
// Supervision percentage of a top liner of `area` m2.
float PercDirectieBovenafdichting(float area);

// Appends the records of one cost item to `col`: none for type 0, a design
// and a supervision record for type 1 (top liner, `aantal` its area in m2),
// one record for type 2 (large work) or 3 (small work) at `perc` percent.
// Null for `aantal` or `perc` counts as 0. Any other type raises
// platform::Error kErrOnbekendeToeslag, source "Onbekende conditie in
// AppendToeslagen", whose description names the cost item.
void AppendToeslagen(ToeslagenLijst &col, const QString &strObject, const QString &strAct, qint32 type, float kosten,
                     const QVariant &aantal, float NCWfactorX, const QVariant &perc, std::uint8_t bytRubriek,
                     const checklist::clsCL &cl);

} // namespace calc

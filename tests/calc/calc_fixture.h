#pragma once
// Fixture sites for the calculation tests, in a data file made from the
// template in a temporary folder. Their figures are worked out by hand in
// expected_values.py.
//
//  Alfa  (checklist 1, fixed surcharge; 5 % interest, 2 % inflation; after
//         care from 16 Jul 2030, price level 2002; 20 ha: reporting option
//         2; object-bound, with a forecast): a perpetual twice-a-year item,
//         a checklist item every 5 years between calendar years, a
//         replacement counted from the top liner, a rubric-6 item, a
//         combined item, a one-off before the first year and a yearly item
//         that starts before after-care.
//  Beta  (checklist 3, differentiated surcharges; 3 % and 3 %, so d is 1;
//         from 1 Jan 2030, price level 2008; 8 ha: option 1; object-bound):
//         a top liner, a large and a small work, a perpetual yearly item,
//         a rubric-6 item, a combined item and its combination item.
//  Gamma, Delta (checklist 1; 4 % and 2 %; province 30, equalised; 50 ha
//         option 3 and 5 ha option 1), each with a forecast; Gamma starts
//         in 2032, Delta on 16 Jan 2030.

#include "calc/calc_context.h"

#include "support/site_builder.h"

#include <QString>
#include <QVariant>

namespace calctest {

using testsupport::Fields;
using testsupport::ownItem;

class CalcFixture : public testsupport::SiteFile {
public:
    CalcFixture();

    calc::Context context(qint32 site) const;

    void execute(const QString &sql, const QVariantList &params = {});
    QVariant scalar(const QString &sql, const QVariantList &params = {});

    qint32 alfa = 0, beta = 0, gamma = 0, delta = 0;
    // Cost items of Alfa, in the order of their ids.
    qint32 aMaaien = 0, aHekwerk = 0, aAfdeklaag = 0, aOpruimen = 0, aGecombineerd = 0, aInspectie = 0, aZetting = 0;
    // Cost items of Beta.
    qint32 bBoven = 0, bDrains = 0, bHekwerk = 0, bMaaien = 0, bOverig = 0, bGecombineerd = 0, bCombinatie = 0;
};

} // namespace calctest

#pragma once
// A filled demo site beside the calculation's fixture sites: every
// conformity class, every rubric (the rubric "Overig" too), the longest
// regular texts of the tables, amounts of millions, a waste forecast of
// twenty years. Its name holds a "/", which no file name may. A second
// site holds only the user's own items.

#include "calc_fixture.h"

namespace reporttest {

class DemoSite : public calctest::CalcFixture {
public:
    DemoSite();

    qint32 demo = 0;
    qint32 eigen = 0;
};

} // namespace reporttest

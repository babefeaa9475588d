// The replacement surcharges of the 2008 rules: the design amount and the
// supervision percentage of a top liner by its area, and the records one
// cost item gives.

#include "calc/clsToeslag2008.h"

#include "checklist/clsCL.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/test_paths.h"

#include "platform/core/error.h"

#include <gtest/gtest.h>

namespace {

using namespace calc;

TEST(Toeslag2008, TopLinerAmountsByArea)
{
    struct Case {
        float area;
        float ontwerp;
        float perc;
    };
    const Case cases[] = {
        {0, 110000, 6.5f},      {149999, 110000, 6.5f}, {150000, 120000, 6.5f}, {199999, 120000, 6.5f},
        {200000, 130000, 6.3f}, {249999, 130000, 6.3f}, {250000, 135000, 6.3f}, {299999, 135000, 6.3f},
        {300000, 140000, 6.2f}, {350000, 145000, 6.2f}, {399999, 145000, 6.2f}, {400000, 150000, 6.0f},
        {450000, 155000, 6.0f}, {499999, 155000, 6.0f}, {500000, 160000, 6.0f}, {2000000, 160000, 6.0f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.area);
        EXPECT_EQ(OntwerpBedragBovenafdichting(c.area), c.ontwerp);
        EXPECT_EQ(PercDirectieBovenafdichting(c.area), c.perc);
    }
}

class AppendToeslagenTest : public testsupport::ScriptedDialogsTest {
protected:
    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        cl.initializeCL(3);
    }
    checklist::clsCL cl{testsupport::checklistFile()};
    ToeslagenLijst col;
};

TEST_F(AppendToeslagenTest, RecordsPerType)
{
    AppendToeslagen(col, "Terrein", "Geen", 0, 1000, QVariant(), 2.0f, QVariant(), 5, cl);
    EXPECT_TRUE(col.empty());

    // A top liner without a number of units: the smallest area.
    AppendToeslagen(col, "Bovenafdichting", "Vervangen", 1, 200000, QVariant(), 2.0f, QVariant(), 5, cl);
    ASSERT_EQ(col.size(), 2u);
    EXPECT_EQ(col[0].ToeslagWaarde, 110000.0f);
    EXPECT_EQ(col[0].ToeslagWaardeNCW, 220000.0f);
    EXPECT_EQ(col[0].ToeslagTekst, QStringLiteral("'Bovenafdichting: Vervangen' (bovenafd. (ontwerp),  m2)"));
    EXPECT_EQ(col[1].ToeslagWaarde, 6.5f / 100.0f * 200000.0f);
    EXPECT_EQ(col[1].ToeslagTekst,
              QStringLiteral("'Bovenafdichting: Vervangen' (bovenafd. (directievoering/toezicht),  m2; 6,5%)"));
    EXPECT_EQ(col[0].IsQOR, 1);
    EXPECT_EQ(col[0].Kostenpost_ID, 0);

    // Large work at 6,25 % (within 6 - 6,5) and at 7 % (outside).
    col.clear();
    AppendToeslagen(col, "Drains", "Vervangen", 2, 1000, QVariant(), 3.0f, 6.25, 5, cl);
    AppendToeslagen(col, "Drains", "Vervangen", 2, 1000, QVariant(), 3.0f, 7.0, 5, cl);
    AppendToeslagen(col, "Hek", "Vervangen", 3, 1000, QVariant(), 3.0f, 5.0, 5, cl);
    ASSERT_EQ(col.size(), 3u);
    EXPECT_EQ(col[0].ToeslagTekst, QStringLiteral("'Drains: Vervangen' (groot werk, 6,25%)"));
    EXPECT_EQ(col[0].ToeslagWaarde, 62.5f);
    EXPECT_EQ(col[0].ToeslagWaardeNCW, 187.5f);
    EXPECT_EQ(col[0].IsQOR, 1);
    EXPECT_EQ(col[1].IsQOR, 2);
    EXPECT_EQ(col[2].ToeslagTekst, QStringLiteral("'Hek: Vervangen' (klein werk, 5,0%)"));
    EXPECT_EQ(col[2].IsQOR, 1);
}

TEST_F(AppendToeslagenTest, UnknownTypeRaisesNamingTheItem)
{
    for (int type : {7, 4}) {
        try {
            AppendToeslagen(col, "Hek", "Vervangen", type, 1000, QVariant(), 1.0f, 5.0, 5, cl);
            ADD_FAILURE() << "no error for type " << type;
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.source(), QStringLiteral("Onbekende conditie in AppendToeslagen"));
            EXPECT_TRUE(e.description().contains(QStringLiteral("'Hek: Vervangen'")));
        }
    }
    EXPECT_TRUE(col.empty());
}

} // namespace

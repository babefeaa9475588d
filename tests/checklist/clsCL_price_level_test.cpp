// The price-level note and factor, the hectare threshold and the reporting
// and evaluation option of an area.

#include "checklist_files.h"

#include "support/raised_error.h"

#include "platform/text/number_text.h"
#include "support/scripted_dialogs_fixture.h"

#include <cmath>
#include <limits>

using cltest::viewOn;

namespace {

class PriceLevelRulesTest : public testsupport::ScriptedDialogsTest {};

TEST_F(PriceLevelRulesTest, PriceLevelNote)
{
    EXPECT_EQ(viewOn(1)->lblToelichtingPrijspeil(), "NB: Alle kostenposten invoeren in prijspeil 2002");
    EXPECT_EQ(viewOn(4)->lblToelichtingPrijspeil(), "NB: Alle kostenposten invoeren in prijspeil 2012");
    EXPECT_EQ(viewOn(12)->lblToelichtingPrijspeil(), "NB: Alle kostenposten invoeren in prijspeil 2010");
}

// The factors as the default text of a Single: the product of
// (1 + correction / 100) over the years after the earlier year up to and
// including the later one, by hand from the shipped corrections
// (2003 2,1 %, 2004 1,2 %, 2005 1,7 %, 2006 1,1 %, none for 2007 and 2008,
// 2009 1,2 %, 2010 1,3 %, 2011 2,3 %, 2012 2,5 %).
TEST_F(PriceLevelRulesTest, FactorForwardBackAndAcrossAGap)
{
    const struct {
        int van, naar;
        const char *text;
        double approx;
    } cases[] = {
        // 1,021 x 1,012 x 1,017 x 1,011 = 1,06237627
        {2002, 2006, "1,062376", 1.0623763},
        {2006, 2002, "0,9412861", 1.0 / 1.0623763},
        // 1,012 x 1,013 x 1,023 x 1,025 = 1,07495295
        {2008, 2012, "1,074953", 1.0749530},
        {2012, 2008, "0,9302732", 1.0 / 1.0749530},
        // 1,017 x 1,011 x 1,012 x 1,013 (2007 and 2008 have no row)
        {2004, 2010, "1,054052", 1.0540521},
        // Only years without a row: no correction.
        {2006, 2008, "1", 1.0},
        {2008, 2006, "1", 1.0},
        {2007, 2008, "1", 1.0},
        {1990, 2000, "1", 1.0},
        // One year: the year after the earlier one.
        {2000, 2001, "1,045", 1.045},
        {2001, 2000, "0,9569378", 1.0 / 1.045},
    };
    cltest::underBothLocales([&] {
        auto cl = viewOn(1);
        for (const auto &c : cases) {
            const float factor = cl->sngPrijsPeilCorr(c.van, c.naar);
            EXPECT_EQ(vb::CStr(factor), c.text) << c.van << " -> " << c.naar;
            EXPECT_NEAR(factor, c.approx, 1e-6) << c.van << " -> " << c.naar;
        }
        EXPECT_EQ(cl->sngPrijsPeilCorr(2006, 2008), 1.0f);
        EXPECT_EQ(cl->sngPrijsPeilCorr(2005, 2005), 1.0f);
        // There and back again is 1 up to single rounding.
        for (const auto &pair : {std::pair{2002, 2006}, std::pair{2008, 2012}, std::pair{2001, 2012}})
            EXPECT_NEAR(cl->sngPrijsPeilCorr(pair.first, pair.second) * cl->sngPrijsPeilCorr(pair.second, pair.first),
                        1.0f, 2e-7f);
    });
}

TEST_F(PriceLevelRulesTest, FactorOfTheWorkedExample)
{
    cltest::ChecklistCopy copy;
    copy.change(
        QStringLiteral("DELETE FROM tblPPcorr;"
                       "INSERT INTO tblPPcorr (intJaar, sngPPcorr) VALUES (2006, 2.0), (2007, 1.5), (2008, 3.0);"));
    auto cl = viewOn(copy.path(), 1);
    EXPECT_EQ(vb::CStr(cl->sngPrijsPeilCorr(2005, 2008)), "1,066359");
    EXPECT_EQ(vb::CStr(cl->sngPrijsPeilCorr(2008, 2005)), "0,9377704");
    EXPECT_EQ(cl->sngPrijsPeilCorr(2008, 2009), 1.0f);
    EXPECT_EQ(vb::CStr(cl->sngPrijsPeilCorr(2006, 2007)), "1,015");
}

TEST_F(PriceLevelRulesTest, FactorWithoutAnyCorrectionRows)
{
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("DELETE FROM tblPPcorr"));
    auto cl = viewOn(copy.path(), 1);
    EXPECT_EQ(cl->sngPrijsPeilCorr(2002, 2002), 1.0f);
    EXPECT_EQ(cl->sngPrijsPeilCorr(2002, 2012), 1.0f);
    EXPECT_EQ(cl->sngPrijsPeilCorr(2012, 2002), 1.0f);
}

TEST_F(PriceLevelRulesTest, HectareThresholdFollowsTheSinglesText)
{
    // 5500 / 225 + 10 is the Single 34.444443, whose text 34,44444 ends in
    // "44": the threshold is 34.44. With 250 per ha it is 32, unrounded.
    EXPECT_EQ(viewOn(1)->AantalHaGrens(), 34.44f);
    EXPECT_EQ(viewOn(11)->AantalHaGrens(), 34.44f);
    EXPECT_EQ(viewOn(4)->AantalHaGrens(), 32.0f);

    const struct {
        float min, perHa, max, expected;
    } cases[] = {
        {3500, 200, 9000, 37.5f},    // 37,5: unrounded
        {0, 100, 3444.4f, 44.44f},   // 44,444 ends in 44
        {0, 100, 3440, 44.4f},       // 44,4 ends in 4 only
        {1000, 300, 4000, 20.0f},    // 20
        {3500, 225, 3500, 10.0f},    // maximum equal to minimum
        {3500, 90, 4500, 21.11111f}, // 21,11111: unrounded
    };
    for (const auto &c : cases) {
        cltest::ChecklistCopy copy;
        copy.change(
            QStringLiteral("UPDATE tblCL SET sngRapEvalMin=?, sngRapEvalPerHa=?, sngRapEvalMax=? WHERE intCL_ID=1"),
            {c.min, c.perHa, c.max});
        cltest::underBothLocales([&] {
            EXPECT_EQ(viewOn(copy.path(), 1)->AantalHaGrens(), c.expected) << c.min << " " << c.perHa << " " << c.max;
        });
    }
}

TEST_F(PriceLevelRulesTest, HectareThresholdWithoutARatePerHectare)
{
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCL SET sngRapEvalPerHa=0 WHERE intCL_ID=1"));
    auto cl = viewOn(copy.path(), 1);
    EXPECT_EQ(testsupport::errorNumber([&] { cl->AantalHaGrens(); }), 11);
    // Below 10 ha no threshold is needed; above it the area cannot be
    // qualified.
    EXPECT_EQ(cl->CalcOptieRapEval(5.0f), 1);
    script.expectMsgBox(ui::Icon::Critical, "", "Fout:\r\nOngeldige kwalificatie aantal ha in CalcOptieRapEval");
    EXPECT_EQ(cl->CalcOptieRapEval(20.0f), 0);
}

TEST_F(PriceLevelRulesTest, ReportingOptionOfAnArea)
{
    const struct {
        QVariant area;
        int v1, v4;
    } cases[] = {
        {QVariant(), 0, 0},
        {QString(), 0, 0},
        {QString("abc"), 0, 0},
        {QString("   "), 0, 0},
        {-5.0f, 1, 1},
        {0, 1, 1},
        {9.999f, 1, 1},
        {QString("9,999"), 1, 1},
        {10, 2, 2},
        {QString("10"), 2, 2},
        {10.0f, 2, 2},
        {32.0f, 2, 2},
        {32.001f, 2, 3},
        {34.44f, 2, 3},
        // The area is compared as a Single: the double 34.44 lies above the
        // Single threshold 34.44 but becomes that same Single.
        {34.44, 2, 3},
        {QString("34,44"), 2, 3},
        {34.441f, 3, 3},
        {34.442f, 3, 3},
        {QString("34,442"), 3, 3},
        {34.444443f, 3, 3},
        {100.0, 3, 3},
        // A point is no decimal sign under the Dutch rules.
        {QString("34.44"), 0, 0},
    };
    cltest::underBothLocales([&] {
        auto v1 = viewOn(1);
        auto v4 = viewOn(4);
        for (const auto &c : cases) {
            EXPECT_EQ(v1->CalcOptieRapEval(c.area), c.v1) << c.area.toString().toStdString();
            EXPECT_EQ(v4->CalcOptieRapEval(c.area), c.v4) << c.area.toString().toStdString();
        }
    });
}

TEST_F(PriceLevelRulesTest, AreaThatComparesNeitherWay)
{
    script.expectMsgBox(ui::Icon::Critical, "", "Fout:\r\nOngeldige kwalificatie aantal ha in CalcOptieRapEval");
    EXPECT_EQ(viewOn(1)->CalcOptieRapEval(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST_F(PriceLevelRulesTest, RulesLeaveTheCursorAlone)
{
    auto cl = viewOn(1, 17);
    cl->sngPrijsPeilCorr(2002, 2006);
    cl->AantalHaGrens();
    cl->CalcOptieRapEval(20);
    cl->lblToelichtingPrijspeil();
    EXPECT_EQ(cl->lngCLitem_ID(), 17);
}

} // namespace

// The checks of a cost item and of the site's general costs against the
// checklist: values inside, on and outside each bound, one-sided and absent
// bounds, empty entries, and the messages of the checks that trap errors.

#include "checklist_files.h"

#include "support/raised_error.h"

#include "support/scripted_dialogs_fixture.h"

#include <functional>
#include <vector>

using cltest::itemWhere;
using cltest::viewOn;

namespace {

const QVariant Null;

class BoundsChecksTest : public testsupport::ScriptedDialogsTest {
protected:
    std::unique_ptr<checklist::clsCL> itemView(int version, const char *where, float start = 2030.0f)
    {
        const qint32 id = itemWhere(version, QString::fromUtf8(where));
        EXPECT_NE(id, 0) << "no item of version " << version << " with " << where;
        checklist::Context ctx;
        ctx.gstrConnCL = cltest::shipped();
        ctx.gsngJaarAanvangNazorg = start;
        ctx.MeldFout = [this](const platform::Error &e) { reported.push_back({e.number(), e.source()}); };
        auto cl = std::make_unique<checklist::clsCL>(ctx);
        cl->initializeCL(version);
        EXPECT_TRUE(cl->GaNaarItem(id));
        return cl;
    }

    struct Reported {
        long number;
        QString source;
    };
    std::vector<Reported> reported;
};

// ---- Costs ---------------------------------------------------------------------

struct CostCase {
    std::uint8_t optie;
    QVariant perc, invest, totaal, prijs, eenheid, aantal;
    bool expected;
};

void expectCosts(checklist::clsCL &cl, const std::vector<CostCase> &cases)
{
    for (const CostCase &c : cases)
        EXPECT_EQ(cl.VerifyCL_Kosten(c.optie, c.perc, c.invest, c.totaal, c.prijs, c.eenheid, c.aantal), c.expected)
            << "option " << int(c.optie) << " perc " << c.perc.toString().toStdString() << " invest "
            << c.invest.toString().toStdString() << " totaal " << c.totaal.toString().toStdString() << " prijs "
            << c.prijs.toString().toStdString() << " eenheid " << c.eenheid.toString().toStdString() << " aantal "
            << c.aantal.toString().toStdString();
}

TEST_F(BoundsChecksTest, TotalAmountBetweenBounds)
{
    cltest::underBothLocales([&] {
        auto cl = itemView(1, "bytOptieKosten=2 AND sngKostenTotaalMIN=1000 AND sngKostenTotaalMAX=2500");
        expectCosts(*cl, {
                             {2, Null, Null, 999.99f, Null, Null, Null, false},
                             {2, Null, Null, 1000.0f, Null, Null, Null, true},
                             {2, Null, Null, 1750, Null, Null, Null, true},
                             {2, Null, Null, 2500.0f, Null, Null, Null, true},
                             {2, Null, Null, 2500.01f, Null, Null, Null, false},
                             {2, Null, Null, "2.500,00", Null, Null, Null, true},
                             {2, Null, Null, "2500,01", Null, Null, Null, false},
                             // An amount not entered meets no bound.
                             {2, Null, Null, "", Null, Null, Null, false},
                             {2, Null, Null, Null, Null, Null, Null, false},
                             // Another cost option than the item's, while the item has cost bounds.
                             {3, Null, Null, Null, 1500.0f, "stuk", 1, false},
                             {1, 1.0f, 1500.0f, Null, Null, Null, Null, false},
                             {7, Null, Null, 1500.0f, Null, Null, Null, false},
                         });
    });
}

TEST_F(BoundsChecksTest, TotalAmountWithOneBound)
{
    auto onlyMax = itemView(1, "bytOptieKosten=2 AND sngKostenTotaalMIN IS NULL AND sngKostenTotaalMAX=2000");
    expectCosts(*onlyMax, {
                              // No lower bound: at least 0.
                              {2, Null, Null, -10.0f, Null, Null, Null, false},
                              {2, Null, Null, -0.01f, Null, Null, Null, false},
                              {2, Null, Null, 0.0f, Null, Null, Null, true},
                              // An amount not entered is not 0: it never conforms.
                              {2, Null, Null, "", Null, Null, Null, false},
                              {2, Null, Null, Null, Null, Null, Null, false},
                              {2, Null, Null, 2000.0f, Null, Null, Null, true},
                              {2, Null, Null, 2000.5f, Null, Null, Null, false},
                          });
    auto onlyMin = itemView(1, "bytOptieKosten=2 AND sngKostenTotaalMIN=1500 AND sngKostenTotaalMAX IS NULL");
    expectCosts(*onlyMin, {
                              {2, Null, Null, 1499.0f, Null, Null, Null, false},
                              {2, Null, Null, 1500.0f, Null, Null, Null, true},
                              {2, Null, Null, 1.0e9f, Null, Null, Null, true},
                          });
}

TEST_F(BoundsChecksTest, ItemWithoutCostBoundsAcceptsAnyCostOption)
{
    auto none = itemView(1, "bytOptieKosten=2 AND sngKostenTotaalMIN IS NULL AND sngKostenTotaalMAX IS NULL AND "
                            "sngPercInvestMIN IS NULL AND sngPercInvestMAX IS NULL AND sngPrijsPEmin IS NULL AND "
                            "sngPrijsPEmax IS NULL");
    expectCosts(*none, {
                           {2, Null, Null, 123456.0f, Null, Null, Null, true},
                           {1, 50.0f, 20000.0f, Null, Null, Null, Null, true},
                           {3, Null, Null, Null, 12.5f, "m2", 100, true},
                           {9, Null, Null, Null, Null, Null, Null, true},
                           // Still at least 0 without a bound.
                           {2, Null, Null, -1.0f, Null, Null, Null, false},
                           {3, Null, Null, Null, -5.0f, "m2", 100, false},
                       });
}

TEST_F(BoundsChecksTest, UnitsTimesPricePerUnit)
{
    cltest::underBothLocales([&] {
        auto cl = itemView(1, "bytOptieKosten=3 AND sngAantalMIN=1 AND sngAantalMAX=4 AND sngPrijsPEmin=5000 AND "
                              "sngPrijsPEmax=8000 AND strEenheid='stuk'");
        expectCosts(*cl, {
                             {3, Null, Null, Null, 6000.0f, "stuk", 2, true},
                             {3, Null, Null, Null, 6000.0f, "stuk", 1, true},
                             {3, Null, Null, Null, 6000.0f, "stuk", 4, true},
                             {3, Null, Null, Null, 6000.0f, "stuk", "4", true},
                             // An empty number of units reads as 0.
                             {3, Null, Null, Null, 6000.0f, "stuk", "", false},
                             {3, Null, Null, Null, 4999.99f, "stuk", 2, false},
                             {3, Null, Null, Null, 5000.0f, "stuk", 2, true},
                             {3, Null, Null, Null, 8000.0f, "stuk", 2, true},
                             {3, Null, Null, Null, 8000.5f, "stuk", 2, false},
                             {3, Null, Null, Null, "8.000", "stuk", 2, true},
                             // The unit is compared with regard to case; Null is no difference.
                             {3, Null, Null, Null, 6000.0f, "Stuk", 2, false},
                             {3, Null, Null, Null, 6000.0f, "", 2, false},
                             {3, Null, Null, Null, 6000.0f, Null, 2, true},
                         });
        auto minOnly = itemView(1, "bytOptieKosten=3 AND sngAantalMIN=1 AND sngAantalMAX IS NULL");
        expectCosts(*minOnly, {
                                  {3, Null, Null, Null, 5000.0f, "stuk", 1000, true},
                              });
        auto equal = itemView(1, "bytOptieKosten=3 AND sngPrijsPEmin=20 AND sngPrijsPEmax=20");
        expectCosts(*equal, {
                                {3, Null, Null, Null, 20.0f, "stuk", 3, true},
                                {3, Null, Null, Null, 19.99f, "stuk", 3, false},
                                {3, Null, Null, Null, 20.01f, "stuk", 3, false},
                            });
    });
}

TEST_F(BoundsChecksTest, PercentageOfAnInvestment)
{
    cltest::underBothLocales([&] {
        auto both = itemView(11, "bytOptieKosten=1 AND sngPercInvestMIN=0.5 AND sngPercInvestMAX=1.5 AND "
                                 "sngKostenInvestMIN=50000 AND sngKostenInvestMAX=250000");
        expectCosts(*both, {
                               {1, 1.0f, 100000.0f, Null, Null, Null, Null, true},
                               {1, 0.5f, 50000.0f, Null, Null, Null, Null, true},
                               {1, 1.5f, 250000.0f, Null, Null, Null, Null, true},
                               {1, "1,5", "250.000", Null, Null, Null, Null, true},
                               {1, 0.49f, 100000.0f, Null, Null, Null, Null, false},
                               {1, 1.51f, 100000.0f, Null, Null, Null, Null, false},
                               {1, 1.0f, 49999.0f, Null, Null, Null, Null, false},
                               {1, 1.0f, 250001.0f, Null, Null, Null, Null, false},
                               {1, "", 100000.0f, Null, Null, Null, Null, false},
                           });
        auto oneSided = itemView(1, "bytOptieKosten=1 AND sngPercInvestMIN IS NULL AND sngPercInvestMAX=3 AND "
                                    "sngKostenInvestMIN=10000 AND sngKostenInvestMAX IS NULL");
        expectCosts(*oneSided, {
                                   {1, 3.0f, 10000.0f, Null, Null, Null, Null, true},
                                   {1, 0.0f, 1.0e7f, Null, Null, Null, Null, true},
                                   {1, 3.01f, 10000.0f, Null, Null, Null, Null, false},
                                   {1, -1.0f, 10000.0f, Null, Null, Null, Null, false},
                                   {1, 2.0f, 9999.0f, Null, Null, Null, Null, false},
                                   {2, Null, Null, 500.0f, Null, Null, Null, false},
                               });
    });
}

TEST_F(BoundsChecksTest, AmountThatIsNoNumberRaisesToTheCaller)
{
    auto cl = itemView(1, "bytOptieKosten=2 AND sngKostenTotaalMIN=1000 AND sngKostenTotaalMAX=2500");
    EXPECT_EQ(testsupport::errorNumber([&] { cl->VerifyCL_Kosten(2, Null, Null, "veel", Null, Null, Null); }), 13);
    // A point typed for the decimal comma is no number under the Dutch rules.
    EXPECT_EQ(testsupport::errorNumber([&] { cl->VerifyCL_Kosten(2, Null, Null, "1500.5", Null, Null, Null); }), 13);
}

// ---- Every bounded quantity, with each combination of its two bounds ------------

// One bounded quantity of a cost item: the two item columns that bound it,
// the SQL that makes item 1 of version 1 measure it, and the check of one
// entered value.
struct Quantity {
    const char *name;
    const char *lowerColumn;
    const char *upperColumn;
    const char *setUp;
    std::function<bool(checklist::clsCL &, float)> check;
};

// The bounds 10 and 20, each present or absent, and the verdicts on the
// values below, of each position "-1 0 9.99 10 15 20 20.01" ("+" conform).
struct Combination {
    QVariant lower, upper;
    const char *costs;     // every cost quantity but the number of units
    const char *units;     // read up to the decimal comma: 9,99 as 9, 20,01 as 20
    const char *frequency; // times a year
};

TEST_F(BoundsChecksTest, EachQuantityInsideOnAndOutsideEachBound)
{
    const float values[] = {-1.0f, 0.0f, 9.99f, 10.0f, 15.0f, 20.0f, 20.01f};
    const Combination combinations[] = {
        {10.0, 20.0, "---+++-", "---++++", "---+++-"},
        {10.0, Null, "---++++", "---++++", "---++++"},
        // Without a lower bound the value must still be at least 0 ...
        {Null, 20.0, "-+++++-", "-++++++", "-+++++-"},
        // ... but a recurring item without any frequency bound takes any rate.
        {Null, Null, "-++++++", "-++++++", "+++++++"},
    };
    const char *const clearCosts =
        "UPDATE tblCLitem SET sngPercInvestMIN=NULL, sngPercInvestMAX=NULL, sngKostenInvestMIN=NULL, "
        "sngKostenInvestMAX=NULL, sngKostenTotaalMIN=NULL, sngKostenTotaalMAX=NULL, sngPrijsPEmin=NULL, "
        "sngPrijsPEmax=NULL, sngAantalMIN=NULL, sngAantalMAX=NULL, strEenheid='stuk', bytOptieFreq=2, "
        "sngFreqXMin=NULL, sngFreqXMax=NULL WHERE intCL_REF=1 AND lngCLitem_ID=1;";
    const Quantity quantities[] = {
        {"investment", "sngKostenInvestMIN", "sngKostenInvestMAX", "bytOptieKosten=1",
         [](checklist::clsCL &cl, float v) { return cl.VerifyCL_Kosten(1, 0.0f, v, Null, Null, Null, Null); }},
        {"percentage of the investment", "sngPercInvestMIN", "sngPercInvestMAX", "bytOptieKosten=1",
         [](checklist::clsCL &cl, float v) { return cl.VerifyCL_Kosten(1, v, 0.0f, Null, Null, Null, Null); }},
        {"total", "sngKostenTotaalMIN", "sngKostenTotaalMAX", "bytOptieKosten=2",
         [](checklist::clsCL &cl, float v) { return cl.VerifyCL_Kosten(2, Null, Null, v, Null, Null, Null); }},
        {"number of units", "sngAantalMIN", "sngAantalMAX", "bytOptieKosten=3",
         [](checklist::clsCL &cl, float v) { return cl.VerifyCL_Kosten(3, Null, Null, Null, 0.0f, "stuk", v); }},
        {"price per unit", "sngPrijsPEmin", "sngPrijsPEmax", "bytOptieKosten=3",
         [](checklist::clsCL &cl, float v) { return cl.VerifyCL_Kosten(3, Null, Null, Null, v, "stuk", 0.0f); }},
        {"times a year", "sngFreqXMin", "sngFreqXMax", "bytOptieKosten=2",
         [](checklist::clsCL &cl, float v) { return cl.VerifyCL_Freq(2, v); }},
    };
    for (const Quantity &q : quantities) {
        for (const Combination &c : combinations) {
            cltest::ChecklistCopy copy;
            copy.change(QString::fromLatin1(clearCosts));
            copy.change(QStringLiteral("UPDATE tblCLitem SET %1, %2=?, %3=? WHERE intCL_REF=1 AND lngCLitem_ID=1")
                            .arg(QLatin1String(q.setUp), QLatin1String(q.lowerColumn), QLatin1String(q.upperColumn)),
                        {c.lower, c.upper});
            auto cl = viewOn(copy.path(), 1, 1);
            const QLatin1String lower(q.lowerColumn);
            const char *expected = lower == QLatin1String("sngFreqXMin")    ? c.frequency
                                   : lower == QLatin1String("sngAantalMIN") ? c.units
                                                                            : c.costs;
            QString verdicts;
            for (float v : values)
                verdicts += q.check(*cl, v) ? QLatin1Char('+') : QLatin1Char('-');
            EXPECT_EQ(verdicts, QLatin1String(expected)) << q.name << " between " << c.lower.toString().toStdString()
                                                         << " and " << c.upper.toString().toStdString();
        }
    }
    EXPECT_TRUE(reported.empty());
}

// ---- Frequency -------------------------------------------------------------------

struct FreqCase {
    std::uint8_t optie;
    QVariant x;
    bool expected;
};

void expectFreq(checklist::clsCL &cl, const std::vector<FreqCase> &cases)
{
    for (const FreqCase &c : cases)
        EXPECT_EQ(cl.VerifyCL_Freq(c.optie, c.x), c.expected)
            << "option " << int(c.optie) << " x " << c.x.toString().toStdString();
}

TEST_F(BoundsChecksTest, FrequencyAgainstAnIntervalOfYears)
{
    cltest::underBothLocales([&] {
        auto cl = itemView(1, "bytOptieFreq=3 AND sngFreqXMin=5 AND sngFreqXMax=10");
        expectFreq(*cl, {
                            // Times a year against once every 5 to 10 years: 0,1 to 0,2.
                            {2, "0,15", true},
                            {2, 0.15f, true},
                            {2, 0.1f, true},
                            {2, 0.2f, true},
                            {2, "0,25", false},
                            {2, 0.09f, false},
                            {3, 5, true},
                            {3, 10, true},
                            {3, "7", true},
                            {3, 4, false},
                            {3, 11, false},
                            // A once-only entry against a recurring item.
                            {1, Null, false},
                        });
        EXPECT_TRUE(reported.empty());
    });
}

TEST_F(BoundsChecksTest, FrequencyTimesAYear)
{
    auto both = itemView(1, "bytOptieFreq=2 AND sngFreqXMin=2 AND sngFreqXMax=4");
    expectFreq(*both, {
                          {2, 1.99f, false},
                          {2, 2, true},
                          {2, 3, true},
                          {2, 4, true},
                          {2, 4.01f, false},
                          // Every half year is twice a year; once a year is too seldom.
                          {3, 0.5f, true},
                          {3, "0,25", true},
                          {3, 1, false},
                      });
    auto onlyMax = itemView(1, "bytOptieFreq=2 AND sngFreqXMin IS NULL AND sngFreqXMax=1");
    expectFreq(*onlyMax, {{2, 1, true}, {2, 0, true}, {2, 1.5f, false}, {2, -1, false}, {3, 2, true}});
    auto onlyMin = itemView(1, "bytOptieFreq=2 AND sngFreqXMin=2 AND sngFreqXMax IS NULL");
    expectFreq(*onlyMin, {{2, 2, true}, {2, 100, true}, {2, 1.9f, false}, {3, 0.5f, true}, {3, 1, false}});
    EXPECT_TRUE(reported.empty());
}

TEST_F(BoundsChecksTest, FrequencyWithOneSidedInterval)
{
    // Not more often than every 5 years: an interval of at least 5.
    auto notMoreOften = itemView(1, "bytOptieFreq=3 AND sngFreqXMin=5 AND sngFreqXMax IS NULL");
    expectFreq(*notMoreOften, {{3, 5, true}, {3, 100, true}, {3, 4, false}, {2, 0.2f, true}, {2, 0.3f, false}});
    // Once every 5 years or more often: an interval of at most 5.
    auto orMoreOften = itemView(1, "bytOptieFreq=3 AND sngFreqXMin IS NULL AND sngFreqXMax=5");
    expectFreq(*orMoreOften, {{3, 5, true}, {3, 1, true}, {3, 6, false}, {2, 12, true}});
    EXPECT_TRUE(reported.empty());
}

TEST_F(BoundsChecksTest, FrequencyWithoutBoundsAndOnceOnly)
{
    auto none = itemView(1, "bytOptieFreq=2 AND sngFreqXMin IS NULL AND sngFreqXMax IS NULL");
    // A once-only entry never meets a recurring item.
    expectFreq(*none, {{2, 7, true}, {3, 7, true}, {2, -3, true}, {1, Null, false}});
    auto once = itemView(1, "bytOptieFreq=1");
    expectFreq(*once, {{1, Null, true}, {1, "", true}, {2, 1, false}, {3, 5, false}});
    EXPECT_TRUE(reported.empty());
}

TEST_F(BoundsChecksTest, FrequencyIntervalOfZeroPointsAtTheChecklist)
{
    script.expectMsgBox(ui::Icon::Critical, "Fout in QOR-checklist",
                        "Er zit een fout in de QOR-checklist, validatie kon niet uitgevoerd worden");
    auto cl = itemView(1, "bytOptieFreq=3 AND sngFreqXMin=5 AND sngFreqXMax=10");
    EXPECT_FALSE(cl->VerifyCL_Freq(3, 0));
    EXPECT_TRUE(reported.empty());
}

TEST_F(BoundsChecksTest, FrequencyIntervalBoundOfZeroInTheChecklist)
{
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCLitem SET sngFreqXMin=0 WHERE intCL_REF=1 AND lngCLitem_ID=2"));
    script.expectMsgBox(ui::Icon::Critical, "Fout in QOR-checklist",
                        "Er zit een fout in de QOR-checklist, validatie kon niet uitgevoerd worden");
    auto cl = viewOn(copy.path(), 1, 2);
    EXPECT_FALSE(cl->VerifyCL_Freq(3, 5));
}

TEST_F(BoundsChecksTest, EmptyFrequencyIsReportedAsTypeMismatch)
{
    auto cl = itemView(1, "bytOptieFreq=3 AND sngFreqXMin=5 AND sngFreqXMax=10");
    EXPECT_FALSE(cl->VerifyCL_Freq(2, ""));
    EXPECT_FALSE(cl->VerifyCL_Freq(3, ""));
    EXPECT_FALSE(cl->VerifyCL_Freq(3, "vaak"));
    ASSERT_EQ(reported.size(), 3u);
    for (const Reported &r : reported) {
        EXPECT_EQ(r.number, 13);
        EXPECT_EQ(r.source, "VerifyCL_Freq");
    }
}

// ---- Start and end ---------------------------------------------------------------

struct YearCase {
    std::uint8_t optie, ba;
    QVariant abs, rel, countBA;
    bool expected;
};

void expectStart(checklist::clsCL &cl, const std::vector<YearCase> &cases)
{
    for (const YearCase &c : cases)
        EXPECT_EQ(cl.VerifyCL_JaarStart(c.optie, c.ba, c.abs, c.rel, c.countBA), c.expected)
            << "option " << int(c.optie) << " BA " << int(c.ba) << " abs " << c.abs.toString().toStdString() << " rel "
            << c.rel.toString().toStdString() << " countBA " << c.countBA.toString().toStdString();
}

void expectEnd(checklist::clsCL &cl, const std::vector<YearCase> &cases)
{
    for (const YearCase &c : cases)
        EXPECT_EQ(cl.VerifyCL_JaarEind(c.optie, c.ba, c.abs, c.rel, c.countBA), c.expected)
            << "option " << int(c.optie) << " BA " << int(c.ba) << " abs " << c.abs.toString().toStdString() << " rel "
            << c.rel.toString().toStdString() << " countBA " << c.countBA.toString().toStdString();
}

const char *const kStart5Exact = "bytStartBA=0 AND intStartJaar=5 AND blnStartjaarEerderMag=0";

TEST_F(BoundsChecksTest, StartInTheFifthAfterCareYear)
{
    cltest::underBothLocales([&] {
        // After-care starts on 1 January 2030.
        auto cl = itemView(1, kStart5Exact, 2030.0f);
        expectStart(*cl, {
                             {2, 0, Null, 5, Null, true},
                             {2, 0, Null, "5", Null, true},
                             {2, 0, Null, 4, Null, false},
                             {2, 0, Null, 6, Null, false},
                             {1, 0, 2034, Null, Null, true},
                             {1, 0, "2034", Null, Null, true},
                             {1, 0, 2033, Null, Null, false},
                             {1, 0, 2035, Null, Null, false},
                             // Counted from the top liner while the item counts in after-care years.
                             {2, 1, Null, 5, 5, false},
                             // Empty entries read as year 0.
                             {2, 0, Null, "", Null, false},
                             {1, 0, "", Null, Null, false},
                             {2, 0, Null, "vijf", Null, false},
                         });
    });
}

// ---- The read number of years and counts --------------------------------------
// A year or count is compared through its Dutch text read back up to the
// decimal comma. A calendar year is first counted from the start of
// after-care, so with a start on 1 July or 16 July it is fractional and
// reads as the after-care year it falls in.

constexpr float k1Jan2030 = 2030.0f;
constexpr float k1Jul2030 = 2030.5f;
constexpr float k16Jul2030 = 2030.0f + 6.0f / 12.0f + 1.0f / 24.0f;

struct CalendarCase {
    const char *item; // the item under test
    int year;         // the calendar year entered
    // Verdicts with after-care starting on 1 January, 1 July, 16 July 2030.
    bool jan1, jul1, jul16;
};

TEST_F(BoundsChecksTest, CalendarYearsByTheStartOfAfterCare)
{
    const struct {
        const char *name;
        int version;
        const char *where;
        bool end;
    } items[] = {
        {"start exactly in year 5", 1, kStart5Exact, false},
        {"start at the latest in year 25", 3, "bytStartBA=0 AND intStartJaar=25 AND blnStartjaarEerderMag<>0", false},
        {"end exactly in year 30", 1, "bytOptieEind<>3 AND bytEindBA=0 AND intEINDJAAR=30", true},
    };
    const CalendarCase cases[] = {
        // 2034 is after-care year 5, 4,5 or 4,46: it reads 5, 4, 4.
        {items[0].name, 2033, false, false, false}, {items[0].name, 2034, true, false, false},
        {items[0].name, 2035, false, true, true},   {items[0].name, 2036, false, false, false},
        {items[1].name, 2030, true, true, true},    {items[1].name, 2054, true, true, true},
        {items[1].name, 2055, false, true, true},   {items[1].name, 2056, false, false, false},
        {items[2].name, 2058, false, false, false}, {items[2].name, 2059, true, false, false},
        {items[2].name, 2060, false, true, true},   {items[2].name, 2061, false, false, false},
    };
    cltest::underBothLocales([&] {
        for (const auto &item : items) {
            for (const auto &[start, label] : {std::pair{k1Jan2030, "1 January"}, std::pair{k1Jul2030, "1 July"},
                                               std::pair{k16Jul2030, "16 July"}}) {
                auto cl = itemView(item.version, item.where, start);
                for (const CalendarCase &c : cases) {
                    if (QLatin1String(c.item) != QLatin1String(item.name))
                        continue;
                    const bool expected = start == k1Jan2030 ? c.jan1 : start == k1Jul2030 ? c.jul1 : c.jul16;
                    // As the row holds it (a number) and as the screen does (a text).
                    for (const QVariant &year : {QVariant(c.year), QVariant(QString::number(c.year))}) {
                        const bool verdict = item.end ? cl->VerifyCL_JaarEind(1, 0, year, Null, Null)
                                                      : cl->VerifyCL_JaarStart(1, 0, year, Null, Null);
                        EXPECT_EQ(verdict, expected) << item.name << ", after-care from " << label << ", calendar year "
                                                     << year.toString().toStdString();
                    }
                }
            }
        }
    });
}

TEST_F(BoundsChecksTest, AfterCareYearsAndTopLinerCountsReadUpToTheComma)
{
    cltest::underBothLocales([&] {
        auto exact = itemView(1, kStart5Exact);
        expectStart(*exact, {
                                {2, 0, Null, 4.9f, Null, false},
                                {2, 0, Null, 5.5f, Null, true},
                                {2, 0, Null, "5,9", Null, true},
                                {2, 0, Null, 6.0f, Null, false},
                            });
        // The earliest start counted from the top liner is its first year.
        auto topLiner = itemView(1, "bytStartBA=1 AND intStartJaar=5 AND blnStartjaarEerderMag<>0");
        expectStart(*topLiner, {
                                   {2, 1, Null, Null, 0.5f, false},
                                   {2, 1, Null, Null, "0,9", false},
                                   {2, 1, Null, Null, 1, true},
                                   {2, 1, Null, Null, 1.5f, true},
                                   {2, 1, Null, Null, 5.9f, true},
                                   {2, 1, Null, Null, 6, false},
                               });
        auto endTopLiner = itemView(1, "bytOptieEind<>3 AND bytEindBA=1 AND intEINDJAAR=30");
        expectEnd(*endTopLiner, {
                                    {2, 1, Null, Null, 29.9f, false},
                                    {2, 1, Null, Null, "30,5", true},
                                    {2, 1, Null, Null, 31, false},
                                });
    });
}

TEST_F(BoundsChecksTest, UnitCountsAroundTheItemsBounds)
{
    cltest::underBothLocales([&] {
        auto cl = itemView(1, "bytOptieKosten=3 AND sngAantalMIN=1 AND sngAantalMAX=4 AND sngPrijsPEmin=5000 AND "
                              "sngPrijsPEmax=8000 AND strEenheid='stuk'");
        const struct {
            QVariant aantal;
            bool expected;
        } cases[] = {
            {0.5f, false}, {"0,99", false}, {1, true},     {1.01f, true}, {"1", true},    {4, true},
            {4.5f, true},  {"4,5", true},   {4.99f, true}, {5, false},    {"5,1", false},
        };
        for (const auto &c : cases)
            EXPECT_EQ(cl->VerifyCL_Kosten(3, Null, Null, Null, 6000.0f, "stuk", c.aantal), c.expected)
                << c.aantal.toString().toStdString();
        auto minOnly = itemView(1, "bytOptieKosten=3 AND sngAantalMIN=1 AND sngAantalMAX IS NULL");
        EXPECT_FALSE(minOnly->VerifyCL_Kosten(3, Null, Null, Null, 5000.0f, "stuk", 0.99f));
        EXPECT_TRUE(minOnly->VerifyCL_Kosten(3, Null, Null, Null, 5000.0f, "stuk", 1.99f));
    });
}

TEST_F(BoundsChecksTest, StartThatMayBeEarlier)
{
    cltest::underBothLocales([&] {
        auto cl = itemView(3, "bytStartBA=0 AND intStartJaar=25 AND blnStartjaarEerderMag<>0", 2030.5f);
        expectStart(*cl, {
                             {2, 0, Null, 25, Null, true},
                             {2, 0, Null, 1, Null, true},
                             {2, 0, Null, 0, Null, true},
                             {2, 0, Null, -3, Null, true},
                             {2, 0, Null, 26, Null, false},
                             {2, 0, Null, "", Null, true},
                             // July start: 2055 is year 25,5, which reads 25; 2056 reads 26.
                             {1, 0, 2055, Null, Null, true},
                             {1, 0, 2056, Null, Null, false},
                         });
        auto topLiner = itemView(1, "bytStartBA=1 AND intStartJaar=5 AND blnStartjaarEerderMag<>0");
        expectStart(*topLiner, {
                                   {2, 1, Null, Null, 5, true},
                                   {2, 1, Null, Null, 1, true},
                                   {2, 1, Null, Null, "3", true},
                                   // Counted from the top liner the year must still be above 0.
                                   {2, 1, Null, Null, 0, false},
                                   {2, 1, Null, Null, -1, false},
                                   {2, 1, Null, Null, "", false},
                                   {2, 1, Null, Null, 6, false},
                                   {2, 0, Null, 3, Null, false},
                               });
    });
}

TEST_F(BoundsChecksTest, StartCountedFromTheTopLinerOrLeftOpen)
{
    auto exact = itemView(1, "bytStartBA=1 AND intStartJaar=1 AND blnStartjaarEerderMag=0");
    expectStart(*exact, {{2, 1, Null, Null, 1, true}, {2, 1, Null, Null, 2, false}, {1, 1, 2040, Null, 1, true}});
    auto openTopLiner = itemView(1, "bytStartBA=1 AND intStartJaar IS NULL");
    expectStart(*openTopLiner,
                {{2, 1, Null, Null, 99, true}, {2, 1, Null, Null, Null, true}, {2, 0, Null, 1, Null, false}});
    auto open = itemView(1, "bytStartBA=0 AND intStartJaar IS NULL");
    expectStart(*open, {{1, 0, 1999, Null, Null, true}, {2, 0, Null, Null, Null, true}, {2, 1, Null, Null, 3, false}});
}

TEST_F(BoundsChecksTest, EndForEver)
{
    auto cl = itemView(1, "bytOptieEind=3");
    expectEnd(*cl, {
                       {3, 0, Null, Null, Null, true},
                       // For ever counted from the top liner is not for ever.
                       {3, 1, Null, Null, 30, false},
                       {2, 0, Null, 1000, Null, false},
                       {1, 0, 3000, Null, Null, false},
                   });
}

TEST_F(BoundsChecksTest, EndInAGivenYear)
{
    cltest::underBothLocales([&] {
        auto cl = itemView(1, "bytOptieEind<>3 AND bytEindBA=0 AND intEINDJAAR=30", 2030.0f);
        expectEnd(*cl, {
                           {2, 0, Null, 30, Null, true},
                           {2, 0, Null, "30", Null, true},
                           {2, 0, Null, 29, Null, false},
                           {2, 0, Null, 31, Null, false},
                           {1, 0, 2059, Null, Null, true},
                           {1, 0, 2060, Null, Null, false},
                           {3, 0, Null, Null, Null, false},
                           {2, 1, Null, 30, 30, false},
                           {2, 0, Null, "", Null, false},
                       });
        auto topLiner = itemView(1, "bytOptieEind<>3 AND bytEindBA=1 AND intEINDJAAR=30");
        expectEnd(*topLiner, {
                                 {2, 1, Null, Null, 30, true},
                                 {2, 1, Null, Null, 31, false},
                                 {2, 1, Null, Null, "", false},
                                 {2, 0, Null, 30, Null, false},
                             });
        auto open = itemView(1, "bytOptieEind<>3 AND bytEindBA=0 AND intEINDJAAR IS NULL");
        expectEnd(*open, {{2, 0, Null, 7, Null, true}, {1, 0, 2100, Null, Null, true}, {2, 1, Null, Null, 7, false}});
    });
}

// ---- Replacement surcharge -------------------------------------------------------

TEST_F(BoundsChecksTest, ReplacementSurchargeOutsideTheDifferentiatedScheme)
{
    auto fixed = viewOn(1, 3);
    for (std::uint8_t type : {0, 1, 2, 3, 7, 9})
        EXPECT_TRUE(fixed->VerifyCL_VervangingsToeslag(5, type, Null)) << int(type);
}

TEST_F(BoundsChecksTest, ReplacementSurchargeUnderTheDifferentiatedScheme)
{
    cltest::underBothLocales([&] {
        auto cl = itemView(3, "bytRubriek_REF=5");
        const struct {
            std::uint8_t rubriek, type;
            QVariant perc;
            bool expected;
        } cases[] = {
            {4, 7, Null, true}, {6, 2, 99.0f, true}, {5, 0, Null, true},  {5, 1, Null, true},   {5, 3, 5.0f, true},
            {5, 3, "5", true},  {5, 3, "5,0", true}, {5, 3, 4.9f, false}, {5, 3, 5.1f, false},  {5, 3, Null, false},
            {5, 2, 6.0f, true}, {5, 2, 6.25f, true}, {5, 2, "6,5", true}, {5, 2, 5.99f, false}, {5, 2, 6.51f, false},
        };
        for (const auto &c : cases)
            EXPECT_EQ(cl->VerifyCL_VervangingsToeslag(c.rubriek, c.type, c.perc), c.expected)
                << int(c.rubriek) << "/" << int(c.type) << "/" << c.perc.toString().toStdString();
        EXPECT_TRUE(reported.empty());
    });
}

TEST_F(BoundsChecksTest, ReplacementSurchargeOfUnknownType)
{
    for (int i = 0; i < 2; ++i)
        script.expectMsgBox(ui::Icon::Critical, "Controle invoer vervangingstoeslag",
                            "Onbekende conditie vervangingstoeslag");
    auto cl = itemView(3, "bytRubriek_REF=5");
    EXPECT_FALSE(cl->VerifyCL_VervangingsToeslag(5, 7, 6.0f));
    EXPECT_FALSE(cl->VerifyCL_VervangingsToeslag(5, 4, 6.0f));
}

TEST_F(BoundsChecksTest, ReplacementSurchargeThatIsNoNumberIsReported)
{
    auto cl = itemView(3, "bytRubriek_REF=5");
    EXPECT_FALSE(cl->VerifyCL_VervangingsToeslag(5, 2, "zes"));
    EXPECT_FALSE(cl->VerifyCL_VervangingsToeslag(5, 3, ""));
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0].number, 13);
    EXPECT_EQ(reported[0].source, "VerifyCL_VervangingsToeslag");
}

// ---- General costs ---------------------------------------------------------------

TEST_F(BoundsChecksTest, CommunicationCosts)
{
    const struct {
        int version;
        float x;
        bool expected;
    } cases[] = {
        {1, 2499.99f, false},
        {1, 2500, true},
        {1, 5000, true},
        {1, 5000.01f, false},
        // -999: no upper bound.
        {2, 2499, false},
        {2, 2500, true},
        {2, 1.0e9f, true},
        {4, 2999, false},
        {4, 3000, true},
        {4, 6000, true},
        {4, 6001, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(viewOn(c.version)->verifyCL_CommKosten(c.x), c.expected) << c.version << " " << c.x;

    // A maximum of 0 is a bound like any other.
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral("UPDATE tblCL SET sngCommunicatieMIN=0, sngCommunicatieMAX=0 WHERE intCL_ID=1"));
    auto zero = viewOn(copy.path(), 1);
    EXPECT_TRUE(zero->verifyCL_CommKosten(0));
    EXPECT_FALSE(zero->verifyCL_CommKosten(1));
    EXPECT_FALSE(zero->verifyCL_CommKosten(-1));
}

TEST_F(BoundsChecksTest, OverheadAndPercentages)
{
    auto v1 = viewOn(1);
    EXPECT_FALSE(v1->verifyCL_AppKostenBasis(12499.99f));
    EXPECT_TRUE(v1->verifyCL_AppKostenBasis(12500));
    EXPECT_TRUE(v1->verifyCL_AppKostenBasis(17500));
    EXPECT_FALSE(v1->verifyCL_AppKostenBasis(17500.5f));
    EXPECT_TRUE(v1->verifyCL_AppKostenPerc(0.03f));
    EXPECT_FALSE(v1->verifyCL_AppKostenPerc(0.031f));
    EXPECT_TRUE(v1->verifyCL_Onvoorzien(0.1f));
    EXPECT_TRUE(v1->verifyCL_Onvoorzien(static_cast<float>(10.0 / 100.0)));
    EXPECT_FALSE(v1->verifyCL_Onvoorzien(0.11f));
    EXPECT_TRUE(v1->verifyCL_OntwerpdirectieFixed(0.12f));
    EXPECT_FALSE(v1->verifyCL_OntwerpdirectieFixed(0.13f));
    EXPECT_TRUE(viewOn(4)->verifyCL_AppKostenPerc(0.035f));
    // Under the differentiated scheme any percentage passes.
    auto v3 = viewOn(3);
    EXPECT_TRUE(v3->verifyCL_OntwerpdirectieFixed(0.5f));
    EXPECT_TRUE(v3->verifyCL_OntwerpdirectieFixed(0.0f));
}

TEST_F(BoundsChecksTest, GeneralCostsAgainstEmptyVersionValues)
{
    // The shipped file fills every version value; a file that leaves them
    // empty is checked the way an empty item bound is.
    cltest::ChecklistCopy copy;
    copy.change(QStringLiteral(
        "CREATE TABLE t AS SELECT * FROM tblCL; DROP TABLE tblCL; CREATE TABLE tblCL AS SELECT * FROM t; DROP TABLE t;"
        "UPDATE tblCL SET sngCommunicatieMIN=NULL, sngAppKostenBasisMAX=NULL, sngAppKostenPerc=NULL, "
        "sngOnvoorzien=NULL, sngOntwerpdirectie=NULL WHERE intCL_ID=1;"
        "UPDATE tblCL SET sngCommunicatieMIN=NULL, sngCommunicatieMAX=NULL, sngAppKostenBasisMIN=NULL WHERE "
        "intCL_ID=4;"));
    auto v1 = viewOn(copy.path(), 1);
    const struct {
        float x;
        bool comm, basis;
    } v1Cases[] = {
        // Communication: no lower bound (at least 0), at most 5000.
        // Overhead base: at least 12500, no upper bound.
        {-0.01f, false, false},   {0, true, false},     {5000, true, false},
        {5000.01f, false, false}, {12500, false, true}, {1.0e9f, false, true},
    };
    for (const auto &c : v1Cases) {
        EXPECT_EQ(v1->verifyCL_CommKosten(c.x), c.comm) << c.x;
        EXPECT_EQ(v1->verifyCL_AppKostenBasis(c.x), c.basis) << c.x;
    }
    // Nothing equals an empty percentage.
    for (float x : {0.0f, 0.03f, 0.1f, 0.12f, -999.0f}) {
        EXPECT_FALSE(v1->verifyCL_AppKostenPerc(x)) << x;
        EXPECT_FALSE(v1->verifyCL_Onvoorzien(x)) << x;
        EXPECT_FALSE(v1->verifyCL_OntwerpdirectieFixed(x)) << x;
    }
    auto v4 = viewOn(copy.path(), 4);
    for (float x : {0.0f, 3000.0f, 1.0e9f})
        EXPECT_TRUE(v4->verifyCL_CommKosten(x)) << x;
    EXPECT_FALSE(v4->verifyCL_CommKosten(-1.0f));
    EXPECT_TRUE(v4->verifyCL_AppKostenBasis(0.0f));
    EXPECT_TRUE(v4->verifyCL_AppKostenBasis(19000.0f));
    EXPECT_FALSE(v4->verifyCL_AppKostenBasis(19000.5f));
    EXPECT_FALSE(v4->verifyCL_AppKostenBasis(-1.0f));
}

TEST_F(BoundsChecksTest, ReportingAndEvaluationAmounts)
{
    cltest::underBothLocales([&] {
        auto v1 = viewOn(1);
        const struct {
            std::uint8_t optie;
            QVariant min, perHa, max;
            bool expected;
        } cases[] = {
            {0, 3500.0f, 225.0f, 9000.0f, false}, {1, 3500.0f, Null, Null, true},
            {1, "3500", Null, Null, true},        {1, "3.500,00", Null, Null, true},
            {1, 3499.0f, 225.0f, 9000.0f, false}, {2, Null, 225.0f, Null, true},
            {2, 3500.0f, 224.0f, 9000.0f, false}, {3, Null, Null, 9000.0f, true},
            {3, 3500.0f, 225.0f, 9001.0f, false}, {4, Null, Null, Null, true},
        };
        for (const auto &c : cases)
            EXPECT_EQ(v1->verifyCL_RapEvalPerHa(c.optie, c.min, c.perHa, c.max), c.expected) << int(c.optie);
    });
}

TEST_F(BoundsChecksTest, ReportingAmountThatCannotBeReadIsReported)
{
    for (int i = 0; i < 3; ++i)
        script.expectMsgBox(ui::Icon::Critical, "Controle checklist", "Fout in clsCL.verifyCL_RapEvalPerHa");
    auto v1 = viewOn(1);
    EXPECT_FALSE(v1->verifyCL_RapEvalPerHa(1, Null, 225.0f, 9000.0f));
    EXPECT_FALSE(v1->verifyCL_RapEvalPerHa(2, 3500.0f, "", 9000.0f));
    EXPECT_FALSE(v1->verifyCL_RapEvalPerHa(3, 3500.0f, 225.0f, "veel"));
}

} // namespace

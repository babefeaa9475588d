// The sentence of a cost item, case by case. The expected texts are written
// out by hand from the sentence rules; every case uses the item "Maaien"
// with a total of € 1.000 unless it says otherwise.

#include "records/act_sentence.h"

#include "platform/core/error.h"

#include <gtest/gtest.h>

#include <QVariant>
#include <functional>

namespace {

using records::ActSentenceRow;
using records::BeschrijvingInZin;

constexpr float k1Jan2030 = 2030.0f;
constexpr float k1Jul2030 = 2030.5f;
// 16 July 2030: year + (month - 1)/12 + 1/24, in single precision.
const float k16Jul2030 = 2030.0f + 6.0f / 12.0f + 1.0f / 24.0f;

const QString kKosten1000 = QStringLiteral("De kosten per keer bedragen € 1.000. ");
const QString kNietOpgenomen =
    QStringLiteral("Uitgaven voor datum aanvang nazorg worden niet opgenomen in de doelvermogenberekening. ");
const QString kSlechtsEenmalig =
    QStringLiteral("Slechts eenmalig (als gevolg van de looptijd van de kostenpost in relatie tot de aanvang van de "
                   "nazorgfase) vindt in ");

struct Item {
    // Options as the caller passes them.
    int start = 2;
    int eind = 3;
    int kosten = 2;
    int freq = 2;
    int startBA = 0;
    int eindBA = 0;
    // Fields of the row; an invalid QVariant is Null.
    QVariant startAbs, startRel, startBAjaar, eindAbs, eindRel, eindBAjaar;
    QVariant freqX = 1;
    QVariant naam = QStringLiteral("Maaien");
    QVariant percInvest, kostenInvest, kostenTotaal = 1000.0f, kostenPE, aantal;
    float aanvang = k1Jan2030;
    int combineer = 0;
    bool volledig = true;
};

QString zin(const Item &i)
{
    ActSentenceRow row;
    row.intStartabs = i.startAbs;
    row.intStartrel = i.startRel;
    row.intStartBA = i.startBAjaar;
    row.intEindabs = i.eindAbs;
    row.intEindrel = i.eindRel;
    row.intEindBA = i.eindBAjaar;
    row.intfreqX = i.freqX;
    row.strAct = i.naam;
    row.sngPercInvest = i.percInvest;
    row.sngKostenInvest = i.kostenInvest;
    row.sngKostenTotaal = i.kostenTotaal;
    row.sngKostenPE = i.kostenPE;
    row.sngAantal = i.aantal;
    return BeschrijvingInZin(row, i.aanvang, i.combineer, i.volledig, i.start, i.eind,
                             static_cast<std::uint8_t>(i.kosten), i.freq, i.startBA, i.eindBA);
}

struct Case {
    const char *name;
    Item item;
    QString expected;
};

Item item(std::initializer_list<std::function<void(Item &)>> changes)
{
    Item i;
    for (const auto &change : changes)
        change(i);
    return i;
}

// Small setters, so that each case reads as a line of options.
auto kalStart(int y)
{
    return [y](Item &i) {
        i.start = 1;
        i.startAbs = y;
    };
}
auto nzStart(int n)
{
    return [n](Item &i) {
        i.start = 2;
        i.startRel = n;
    };
}
auto kalEind(int y)
{
    return [y](Item &i) {
        i.eind = 1;
        i.eindAbs = y;
    };
}
auto nzEind(int n)
{
    return [n](Item &i) {
        i.eind = 2;
        i.eindRel = n;
    };
}
auto eeuwig()
{
    return [](Item &i) { i.eind = 3; };
}
auto eenmalig()
{
    return [](Item &i) {
        i.freq = 1;
        i.freqX = QVariant();
    };
}
auto perJaar(int x)
{
    return [x](Item &i) {
        i.freq = 2;
        i.freqX = x;
    };
}
auto iedere(int x)
{
    return [x](Item &i) {
        i.freq = 3;
        i.freqX = x;
    };
}
auto startBA(int n)
{
    return [n](Item &i) {
        i.startBA = 1;
        i.startBAjaar = n;
    };
}
auto eindBA(int n)
{
    return [n](Item &i) {
        i.eindBA = 1;
        i.eindBAjaar = n;
    };
}
auto aanvang(float a)
{
    return [a](Item &i) { i.aanvang = a; };
}

class SentenceTest : public ::testing::TestWithParam<Case> {};

TEST_P(SentenceTest, ReadsAsWritten)
{
    EXPECT_EQ(zin(GetParam().item).toStdString(), GetParam().expected.toStdString());
}

// The shapes of the sentence rules' own examples (after-care from 1 January
// 2030).
INSTANTIATE_TEST_SUITE_P(
    Shapes, SentenceTest,
    ::testing::Values(
        Case{"CalendarYears", item({kalStart(2031), kalEind(2040), perJaar(1)}),
             "Vanaf juli 2031 (nazorgjaar 2) t/m 2040 (nazorgjaar 11) vindt jaarlijks een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        Case{"WholePeriodForEver", item({nzStart(1), eeuwig(), iedere(5)}),
             "Gedurende de gehele nazorgperiode vindt iedere 5 jaar een uitgave aan 'Maaien' plaats. " + kKosten1000},
        Case{"FromStartOfAfterCare", item({nzStart(1), nzEind(10), perJaar(2)}),
             "Vanaf aanvang nazorg t/m nazorgjaar 10 vindt 2 x per jaar een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        Case{"OnceForEver", item({nzStart(3), eeuwig(), eenmalig()}),
             "In nazorgjaar 3 vindt eenmalig een uitgave aan 'Maaien' plaats. " + kKosten1000},
        Case{"StartBeforeAfterCare", item({kalStart(2025), eeuwig(), perJaar(1)}),
             "De eerste uitgave in juli 2025 ligt 4,5 jr voor de datum aanvang nazorg. " + kNietOpgenomen
                 + "Vanaf juli 2030 (valt in nazorgjaar 1) vindt jaarlijks een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        Case{"OnlyOnceInItsPeriod", item({nzStart(3), nzEind(5), iedere(10)}),
             kSlechtsEenmalig + "nazorgjaar 3 een uitgave aan 'Maaien' plaats. " + kKosten1000},
        Case{"OnceBeforeAfterCare", item({kalStart(2025), eeuwig(), eenmalig()}),
             "Het jaar waarin deze eenmalige uitgave van toepassing is, valt vóór aanvang nazorg."},
        Case{"EntirelyBeforeAfterCare", item({kalStart(2025), kalEind(2029), perJaar(1)}),
             "Deze kostenpost is niet van toepassing in de nazorgfase."},
        Case{"EndBeforeAfterCare", item({kalStart(2031), kalEind(2029), perJaar(1)}),
             "De periode waarin deze kostenpost van toepassing is, is al afgelopen voordat de nazorg begint."}),
    [](const auto &info) { return std::string(info.param.name); });

// Every further branch: top-liner counts, other starts of after-care, the
// cost formats and the codes the sentence does not know.
INSTANTIATE_TEST_SUITE_P(
    Branches, SentenceTest,
    ::testing::Values(
        Case{"CombinedEvenWhenIncomplete", item({[](Item &i) {
                 i.combineer = 1;
                 i.volledig = false;
             }}),
             "De kostenpost wordt ondergebracht in de daartoe bestemde combinatiekostenpost uit de QOR-checklist."},
        Case{"Incomplete", item({[](Item &i) { i.volledig = false; }}),
             "Vul de kostenpost volledig in. Controleer de rood gemarkeerde kentallen."},
        // Ends before after-care, but not before its first outlay: after-care
        // from 1 July, first outlay in July 2030 exactly.
        Case{"PeriodOverBeforeAfterCare", item({aanvang(k1Jul2030), kalStart(2025), kalEind(2029), perJaar(1)}),
             "De periode waarin deze kostenpost van toepassing is, is al afgelopen voordat de nazorg begint."},
        Case{"TopLinerPeriodOverBeforeAfterCare", item({aanvang(k1Jul2030), kalStart(2020), eindBA(10), perJaar(1)}),
             "De periode waarin deze kostenpost van toepassing is, is al afgelopen voordat de nazorg begint."},
        // From the 16th of July the July outlay of the same year lies before the
        // start; the first one in after-care is July of the next year.
        Case{"SixteenthOfJuly", item({aanvang(k16Jul2030), kalStart(2030), eeuwig(), perJaar(1)}),
             "De eerste uitgave in juli 2030 ligt 0,042 jr voor de datum aanvang nazorg. " + kNietOpgenomen
                 + "Vanaf juli 2031 (valt in nazorgjaar 1) vindt jaarlijks een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        Case{"FirstOfJuly", item({aanvang(k1Jul2030), kalStart(2030), eeuwig(), perJaar(1)}),
             "Vanaf juli 2030 (nazorgjaar 1) vindt jaarlijks een uitgave aan 'Maaien' plaats. " + kKosten1000},
        Case{"TopLinerCalendarStart", item({kalStart(2028), startBA(5), eeuwig(), perJaar(1)}),
             "Vanaf 5e jr na aanleg bovenafd (valt in 2032 = nazorgjaar 3) vindt jaarlijks een uitgave aan 'Maaien' "
             "plaats. "
                 + kKosten1000},
        Case{"TopLinerCalendarStartAndEnd", item({kalStart(2028), startBA(5), eindBA(25), perJaar(1)}),
             "Vanaf 5e jr na aanleg bovenafd (valt in 2032 = nazorgjaar 3) t/m 25e jr na aanleg bovenafd (valt in "
             "2052 = nazorgjaar 23) vindt jaarlijks een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        // Liner built in 2020, outlays from its 3rd year every 5 years: 2022,
        // 2027, then July 2032 in after-care year 3; the end, the liner's 30th
        // year, is 2049.
        Case{"TopLinerBeforeAfterCareWithRemainingPeriod", item({kalStart(2020), startBA(3), eindBA(30), iedere(5)}),
             "De bovenafdichting wordt aangelegd in 2020. De eerste uitgave in juli 2022 ligt 7,5 jaar voor de datum "
             "aanvang nazorg. "
                 + kNietOpgenomen
                 + "Vanaf aanvang nazorg resteert derhalve nog een periode van 20 jaar waarin deze kostenpost van "
                   "toepassing is. Vanaf juli 2032 (valt in nazorgjaar 3) t/m nazorgjaar 20 (= 30e jr na aanleg "
                   "bovenafd, valt in 2049) vindt iedere 5 jaar een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        // Every 4 years from July 2024: 2028, then July 2032 in after-care
        // year 3.
        Case{"StartBeforeAfterCareEveryFewYears", item({kalStart(2024), eeuwig(), iedere(4)}),
             "De eerste uitgave in juli 2024 ligt 5,5 jr voor de datum aanvang nazorg. " + kNietOpgenomen
                 + "Vanaf juli 2032 (valt in nazorgjaar 3) vindt iedere 4 jaar een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        Case{"StartBeforeAfterCareOnlyOnce", item({kalStart(2024), nzEind(5), iedere(4)}),
             "De eerste uitgave in juli 2024 ligt 5,5 jr voor de datum aanvang nazorg. " + kNietOpgenomen
                 + kSlechtsEenmalig + "juli 2032 (valt in nazorgjaar 3) een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        Case{"TopLinerAfterCareYears", item({nzStart(2), startBA(4), eindBA(20), iedere(1)}),
             "Vanaf 4e jr na aanleg bovenafd (valt in nazorgjaar 5) t/m 20e jr na aanleg bovenafd (valt in "
             "nazorgjaar 21) vindt ieder jaar een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        Case{"TopLinerYearOneIsNoWholePeriod", item({nzStart(1), startBA(1), eeuwig(), perJaar(1)}),
             "Vanaf 1e jr na aanleg bovenafd (valt in nazorgjaar 1) vindt jaarlijks een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        // The start text "Vanaf aanvang nazorg " becomes "nazorgjaar 1 "; this
        // sentence keeps its blanks as they come.
        Case{"OnlyOnceFromStartOfAfterCare", item({nzStart(1), nzEind(5), iedere(10)}),
             kSlechtsEenmalig + "nazorgjaar 1  een uitgave aan 'Maaien' plaats. " + kKosten1000},
        Case{"UnknownStartOption", item({[](Item &i) { i.start = 0; }, nzEind(10), perJaar(1)}),
             "Vanaf t/m nazorgjaar 10 vindt jaarlijks een uitgave aan 'Maaien' plaats. " + kKosten1000},
        Case{"UnknownFrequencyOption", item({nzStart(3), nzEind(5), [](Item &i) { i.freq = 4; }}),
             "nazorgjaar 3 t/m nazorgjaar 5 vindt " + kKosten1000},
        Case{"ThreeBlanksLeaveTwo",
             item({nzStart(3), eeuwig(), eenmalig(), [](Item &i) { i.naam = QStringLiteral("Maaien   gras"); }}),
             "In nazorgjaar 3 vindt eenmalig een uitgave aan 'Maaien  gras' plaats. " + kKosten1000}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Costs, SentenceTest,
    ::testing::Values(
        Case{"PercentageOfInvestment",
             item({nzStart(3), eeuwig(), eenmalig(),
                   [](Item &i) {
                       i.kosten = 1;
                       i.percInvest = 2.5f;
                       i.kostenInvest = 12345.0f;
                   }}),
             "In nazorgjaar 3 vindt eenmalig een uitgave aan 'Maaien' plaats. De kosten per keer bedragen 2,5% van de "
             "investeringskosten à € 12.345 = € 309. "},
        Case{"UnitsTimesPrice",
             item({nzStart(3), eeuwig(), eenmalig(),
                   [](Item &i) {
                       i.kosten = 3;
                       i.aantal = 2.5f;
                       i.kostenPE = 1234.5f;
                   }}),
             "In nazorgjaar 3 vindt eenmalig een uitgave aan 'Maaien' plaats. De kosten per keer bedragen 2,5 x "
             "€ 1234,50 = € 3.086,25. "},
        // A Single joins with its 7-digit text.
        Case{"SingleDefaultText",
             item({nzStart(3), eeuwig(), eenmalig(),
                   [](Item &i) {
                       i.kosten = 3;
                       i.aantal = 34.444443f;
                       i.kostenPE = 2.0f;
                   }}),
             "In nazorgjaar 3 vindt eenmalig een uitgave aan 'Maaien' plaats. De kosten per keer bedragen 34,44444 x "
             "€ 2,00 = € 68,89. "},
        Case{"UnknownCostOption", item({nzStart(3), eeuwig(), eenmalig(), [](Item &i) { i.kosten = 0; }}),
             "In nazorgjaar 3 vindt eenmalig een uitgave aan 'Maaien' plaats. "}),
    [](const auto &info) { return std::string(info.param.name); });

// Where the plain wording would contradict what the calculation does, the
// sentence follows the calculation.
INSTANTIATE_TEST_SUITE_P(
    SoundReadings, SentenceTest,
    ::testing::Values(
        // A calendar start in after-care year 6, every 5 years until year 10:
        // the next outlay (year 11) falls after the end.
        Case{"CalendarStartInAfterCareOnlyOnce", item({kalStart(2035), nzEind(10), iedere(5)}),
             kSlechtsEenmalig + "juli 2035 (nazorgjaar 6) een uitgave aan 'Maaien' plaats. " + kKosten1000},
        Case{"CalendarStartInAfterCareTwice", item({kalStart(2035), nzEind(11), iedere(5)}),
             "Vanaf juli 2035 (nazorgjaar 6) t/m nazorgjaar 11 vindt iedere 5 jaar een uitgave aan 'Maaien' plaats. "
                 + kKosten1000},
        Case{"CalendarStartAfterItsEnd", item({kalStart(2035), nzEind(3), perJaar(1)}),
             "Deze kostenpost is niet van toepassing in de nazorgfase."},
        Case{"TopLinerStartInAfterCareAfterItsEnd", item({kalStart(2028), startBA(5), nzEind(2), perJaar(1)}),
             "Deze kostenpost is niet van toepassing in de nazorgfase."},
        // An end before after-care: over before it begins, unless the end's
        // after-care year lies below 0 (2028 is after-care year -1).
        Case{"CalendarStartInAfterCareEnd2028", item({kalStart(2031), kalEind(2028), perJaar(1)}),
             "Deze kostenpost is niet van toepassing in de nazorgfase."},
        Case{"TopLinerStartInAfterCareEndBeforeIt", item({kalStart(2028), startBA(5), kalEind(2029), perJaar(1)}),
             "De periode waarin deze kostenpost van toepassing is, is al afgelopen voordat de nazorg begint."},
        // A once-only item has no end, whatever end the caller passes.
        Case{"OnceWithAnEndYear", item({nzStart(3), nzEind(5), eenmalig()}),
             "In nazorgjaar 3 vindt eenmalig een uitgave aan 'Maaien' plaats. " + kKosten1000},
        Case{"OnceWithAnEarlierEndYear", item({nzStart(3), nzEind(2), eenmalig()}),
             "In nazorgjaar 3 vindt eenmalig een uitgave aan 'Maaien' plaats. " + kKosten1000},
        // An end counted from the top liner is no perpetual end.
        Case{"TopLinerEndIsNoWholePeriod", item({nzStart(1), eeuwig(), eindBA(10), perJaar(1)}),
             "Vanaf aanvang nazorg t/m 10e jr na aanleg bovenafd (valt in nazorgjaar 10) vindt jaarlijks een uitgave "
             "aan 'Maaien' plaats. "
                 + kKosten1000},
        // An interval below one year cannot be stepped through to the first
        // outlay in after-care (a start in 2025): the item is not complete.
        Case{"IntervalZero", item({kalStart(2025), eeuwig(), iedere(0)}),
             "Vul de kostenpost volledig in. Controleer de rood gemarkeerde kentallen."},
        Case{"IntervalNegative", item({kalStart(2025), eeuwig(), iedere(-5)}),
             "Vul de kostenpost volledig in. Controleer de rood gemarkeerde kentallen."},
        Case{"IntervalMissing",
             item({kalStart(2025), eeuwig(),
                   [](Item &i) {
                       i.freq = 3;
                       i.freqX = QVariant();
                   }}),
             "Vul de kostenpost volledig in. Controleer de rood gemarkeerde kentallen."}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SentenceErrors, MissingYearReachesTheCaller)
{
    Item i = item({kalStart(2031), perJaar(1)});
    i.startAbs = QVariant();
    try {
        zin(i);
        FAIL() << "no error raised";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 94);
    }
}

TEST(SentenceErrors, YearOutOfRangeReachesTheCaller)
{
    // The top-liner year 32767 + 10 - 1 does not fit a 16-bit year.
    Item i = item({kalStart(32767), startBA(10), perJaar(1)});
    try {
        zin(i);
        FAIL() << "no error raised";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), 6);
    }
}

TEST(AfterCareYears, CountFromTheMiddleOfTheYear)
{
    using records::pfunJaarNaAanvangNazorg;
    using records::pfunNazorgjaar;
    EXPECT_EQ(pfunNazorgjaar(2029, k1Jan2030), 0);
    EXPECT_EQ(pfunNazorgjaar(2030, k1Jan2030), 1);
    EXPECT_EQ(pfunNazorgjaar(2031, k1Jan2030), 2);
    EXPECT_EQ(pfunJaarNaAanvangNazorg(2030, k1Jul2030), 0.0f);
    EXPECT_EQ(pfunNazorgjaar(2030, k1Jul2030), 1);
    EXPECT_LT(pfunJaarNaAanvangNazorg(2030, k16Jul2030), 0.0f);
    EXPECT_EQ(pfunNazorgjaar(2030, k16Jul2030), 0);
    EXPECT_EQ(pfunNazorgjaar(2028, k1Jan2030), -1);
}

} // namespace

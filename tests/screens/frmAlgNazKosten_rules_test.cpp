// The rules of the after-care surcharges screen: the checklist values it
// reads, its texts, defaults, deviation notices, options and field checks.

#include "support/qstring_printer.h"
#include "support/test_paths.h"

#include "screens/frmAlgNazKosten_rules.h"

#include "checklist/clsCL.h"

#include <gtest/gtest.h>

using namespace screens;

namespace {

NazorgChecklistWaarden versie(int id)
{
    checklist::clsCL cl(testsupport::checklistFile());
    cl.initializeCL(id);
    return NazorgChecklistWaarden::lees(cl);
}

TEST(AlgNazKostenRegels, ReadsTheVersionValuesWithTheirSchemeAndThreshold)
{
    const NazorgChecklistWaarden v1 = versie(1);
    EXPECT_FLOAT_EQ(v1.sngAppKostenBasisMIN, 12500);
    EXPECT_FLOAT_EQ(v1.sngAppKostenBasisMAX, 17500);
    EXPECT_FLOAT_EQ(v1.sngCommunicatieMAX, 5000);
    EXPECT_FLOAT_EQ(v1.sngOntwerpdirectieFixed, 0.12f);
    EXPECT_FALSE(v1.blnGedifferentieerd);
    EXPECT_FLOAT_EQ(v1.aantalHaGrens, 34.44f);

    const NazorgChecklistWaarden v3 = versie(3);
    EXPECT_TRUE(v3.blnGedifferentieerd);
    EXPECT_FLOAT_EQ(v3.sngCommunicatieMAX, -999);
    EXPECT_FLOAT_EQ(versie(4).aantalHaGrens, 32);
}

TEST(AlgNazKostenRegels, CaptionsWriteTheAmountsAsPlainNumbers)
{
    const AlgNazKostenRegels r(versie(1));
    EXPECT_EQ(r.captionOptie2(), QStringLiteral("tussen 10 ha en 34,44 ha"));
    EXPECT_EQ(r.captionOptie3(), QStringLiteral("meer dan 34,44 ha"));
    EXPECT_EQ(r.lblCommunicatie(), QStringLiteral("Voer een bedrag voor 'Communicatie' in tussen € 2500,- en € 5000,-\n"
                                                  "per nazorgjaar. Alleen van toepassing voor complexe gevallen."));
    EXPECT_EQ(r.lblAppKostenBasis(),
              QStringLiteral("De apparaatskosten worden berekend als een basisbedrag plus een percentage van de som "
                             "van jaarlijkse en vervangingskosten.\n\nVoer een basisbedrag in tussen € 12500,- en € "
                             "17500,- per nazorgjaar."));
    EXPECT_EQ(r.lblRapEval(),
              QStringLiteral("De kosten voor rapportage en evaluatie bedragen € 3500,- per jaar voor de "
                             "eerste 10 ha, daarna  € 225,- per ha nazorgoppervlak per jaar tot een "
                             "maximumbedrag van € 9000,-."));
}

TEST(AlgNazKostenRegels, WithoutACommunicationMaximumTheMinimumIsTheDefaultAndOnlyLessIsFlagged)
{
    const AlgNazKostenRegels r(versie(2));
    EXPECT_EQ(r.lblCommunicatie(), QStringLiteral("Voer een bedrag voor 'Communicatie' in van ten minste € 2500,- per "
                                                  "nazorgjaar.\nAlleen van toepassing voor complexe gevallen."));
    EXPECT_FLOAT_EQ(r.standaard(NazorgVeld::CommunicatieKosten), 2500);
    EXPECT_TRUE(r.wijktAfCommunicatie(2499));
    EXPECT_FALSE(r.wijktAfCommunicatie(2500));
    EXPECT_FALSE(r.wijktAfCommunicatie(99999));
}

TEST(AlgNazKostenRegels, DefaultsComeFromTheChecklistInPercentForThePercentages)
{
    const AlgNazKostenRegels vast(versie(1));
    const AlgNazKostenRegels gediff(versie(3));
    const struct {
        NazorgVeld veld;
        float vast, gediff;
    } cases[] = {
        {NazorgVeld::AppKostenBasis, 15000, 15500}, {NazorgVeld::AppKostenBasisPerc, 3, 3},
        {NazorgVeld::RapEvalMin, 3500, 3500},       {NazorgVeld::RapEvalPerHa, 225, 225},
        {NazorgVeld::RapEvalMax, 9000, 9000},       {NazorgVeld::Onvoorzien, 10, 10},
        {NazorgVeld::OntwerpdirectieFixed, 12, 0},  {NazorgVeld::CommunicatieKosten, 3750, 2500},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.veld));
        EXPECT_FLOAT_EQ(vast.standaard(c.veld), c.vast);
        EXPECT_FLOAT_EQ(gediff.standaard(c.veld), c.gediff);
    }
}

TEST(AlgNazKostenRegels, BoundsThemselvesAndEqualPercentagesRaiseNoNotice)
{
    const AlgNazKostenRegels r(versie(1));
    const struct {
        const char *wat;
        bool (AlgNazKostenRegels::*regel)(float) const;
        float waarde;
        bool afwijking;
    } cases[] = {
        {"basis min", &AlgNazKostenRegels::wijktAfAppKostenBasis, 12500, false},
        {"basis max", &AlgNazKostenRegels::wijktAfAppKostenBasis, 17500, false},
        {"basis below", &AlgNazKostenRegels::wijktAfAppKostenBasis, 12499, true},
        {"basis above", &AlgNazKostenRegels::wijktAfAppKostenBasis, 17501, true},
        {"comm max", &AlgNazKostenRegels::wijktAfCommunicatie, 5000, false},
        {"comm above", &AlgNazKostenRegels::wijktAfCommunicatie, 5001, true},
        {"app perc 3", &AlgNazKostenRegels::wijktAfAppKostenPerc, 3, false},
        {"app perc 3.5", &AlgNazKostenRegels::wijktAfAppKostenPerc, 3.5f, true},
        {"onvoorzien 10", &AlgNazKostenRegels::wijktAfOnvoorzien, 10, false},
        {"onvoorzien 11", &AlgNazKostenRegels::wijktAfOnvoorzien, 11, true},
        // 0.12 as a single times 100 is 12 again.
        {"ontwerp 12", &AlgNazKostenRegels::wijktAfOntwerpdirectie, 12.0f, false},
        {"ontwerp 12.5", &AlgNazKostenRegels::wijktAfOntwerpdirectie, 12.5f, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ((r.*c.regel)(c.waarde), c.afwijking) << c.wat;
}

TEST(AlgNazKostenRegels, OnlyTheAmountOfTheOptionIsCompared)
{
    const AlgNazKostenRegels r(versie(1));
    EXPECT_TRUE(r.wijktAfRapEval(1, 3000));
    EXPECT_FALSE(r.wijktAfRapEval(1, 3500));
    EXPECT_TRUE(r.wijktAfRapEval(2, 200));
    EXPECT_FALSE(r.wijktAfRapEval(2, 225));
    EXPECT_TRUE(r.wijktAfRapEval(3, 8000));
    EXPECT_FALSE(r.wijktAfRapEval(0, 1));
    EXPECT_FALSE(r.wijktAfRapEval(4, 1));
}

TEST(AlgNazKostenRegels, EachOptionEnablesOnlyItsAmount)
{
    const struct {
        int optie;
        bool bekend;
        int geselecteerd;
        bool min, perHa, max;
    } cases[] = {{0, true, 0, false, false, false},  {1, true, 1, true, false, false},
                 {2, true, 2, false, true, false},   {3, true, 3, false, false, true},
                 {4, false, 0, false, false, false}, {-1, false, 0, false, false, false}};
    for (const auto &c : cases) {
        const RapEvalWeergave w = AlgNazKostenRegels::weergave(c.optie);
        EXPECT_EQ(w.bekend, c.bekend) << c.optie;
        EXPECT_EQ(w.geselecteerd, c.geselecteerd) << c.optie;
        EXPECT_EQ(w.minAan, c.min) << c.optie;
        EXPECT_EQ(w.perHaAan, c.perHa) << c.optie;
        EXPECT_EQ(w.maxAan, c.max) << c.optie;
    }
    EXPECT_EQ(AlgNazKostenRegels::optieVanTekst(QString()), 0);
    EXPECT_EQ(AlgNazKostenRegels::optieVanTekst(QStringLiteral("x")), 0);
    EXPECT_EQ(AlgNazKostenRegels::optieVanTekst(QStringLiteral("3")), 3);
}

TEST(AlgNazKostenRegels, FieldChecksRefuseEmptyAndNonNumericTextsAndFractionsOfWholeEuros)
{
    const vb::NumberKind deel = vb::NumberKind::Fraction;
    const vb::NumberKind heel = vb::NumberKind::Whole;
    const char *const vulIn = AlgNazKostenRegels::kVulWaardeIn;
    const char *const heleEuros = AlgNazKostenRegels::kHeleEuros;
    const struct {
        const char *text;
        bool opgeslagen;
        vb::NumberKind kind;
        const char *fout; // nullptr: accepted
    } cases[] = {{"", false, deel, vulIn},
                 {"  ", false, deel, vulIn},
                 {"abc", false, deel, vulIn},
                 {"€ ", false, deel, vulIn},
                 {"€ 15.000", false, deel, nullptr},
                 {"12,5", false, deel, nullptr},
                 {"4.5", false, deel, vulIn},
                 // The risk amount's picture shows a stored 0 as "€ ".
                 {"€ ", true, deel, nullptr},
                 // The yearly amounts hold whole euros: a fraction is
                 // refused, saying so, and never cut.
                 {"12,5", false, heel, heleEuros},
                 {"€ 15.000,50", false, heel, heleEuros},
                 {"€ 15.000", false, heel, nullptr},
                 {"12,0", false, heel, nullptr},
                 {"", false, heel, vulIn},
                 {"12x", false, heel, vulIn},
                 {"4.5", false, heel, vulIn}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.kind == heel ? " (whole)" : ""));
        EXPECT_EQ(AlgNazKostenRegels::waardeFout(QString::fromUtf8(c.text), c.opgeslagen, c.kind),
                  c.fout ? QString::fromUtf8(c.fout) : QString());
    }
}

TEST(AlgNazKostenRegels, TheAreaMustBeANumberAboveZero)
{
    const struct {
        const char *text;
        const char *fout;
    } cases[] = {{"", "Voer een nazorgoppervlak in."},
                 {"veel", "Voer een nazorgoppervlak in."},
                 {"0", "Voer een nazorgoppervlak groter dan 0 in."},
                 {"-2,5", "Voer een nazorgoppervlak groter dan 0 in."},
                 {"0,01", ""},
                 {"9,5", ""}};
    for (const auto &c : cases)
        EXPECT_EQ(AlgNazKostenRegels::nazorgOppFout(QString::fromUtf8(c.text)), QString::fromUtf8(c.fout)) << c.text;
}

} // namespace

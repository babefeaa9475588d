// The target-fund calculation on the fixture sites: the binding, the input
// checks and their messages in order, the value of every cost item, the
// totals, the sums and the target fund (figures worked out in
// expected_values.py), and the faults that must stop a run soundly.

#include "calc/clsDV.h"

#include "calc/verify_ansich.h"

#include "calc_fixture.h"
#include "support/scripted_dialogs_fixture.h"
#include "support/sqlite_shell.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <limits>
#include <map>

namespace {

using calc::clsDV;
using calctest::CalcFixture;
using calctest::ownItem;

// Single-precision results are compared to the last bit or two.
void expectSingle(float actual, double expected)
{
    EXPECT_NEAR(actual, expected, std::abs(expected) * 2e-7 + 1e-6) << "expected " << expected;
}

class ClsDVTest : public testsupport::ScriptedDialogsTest {
protected:
    std::unique_ptr<clsDV> bound(qint32 site, float rente = -9.0f, float inflatie = -9.0f)
    {
        auto dv = std::make_unique<clsDV>(fx.context(site));
        dv->initializeDV(site, rente, inflatie);
        return dv;
    }

    const clsDV::ItemResult &item(const clsDV &dv, qint32 id)
    {
        for (const auto &r : dv.items())
            if (r.Act_ID == id)
                return r;
        ADD_FAILURE() << "no result for item " << id;
        static clsDV::ItemResult none;
        return none;
    }

    // Net present value, factor X and displayed first and last year.
    struct ItemRow {
        qint32 id;
        double ncw;
        double x;
        QVariant first;
        QVariant last;
    };
    template <size_t N> void expectItems(const clsDV &dv, const ItemRow (&rows)[N])
    {
        for (const ItemRow &r : rows) {
            SCOPED_TRACE(r.id);
            const auto &res = item(dv, r.id);
            expectSingle(res.NCW, r.ncw);
            expectSingle(res.NCWfactorX.toFloat(), r.x);
            EXPECT_EQ(res.JaarEerste.toString(), r.first.toString());
            EXPECT_EQ(res.JaarLaatste.toString(), r.last.toString());
        }
    }

    CalcFixture fx;
};

TEST_F(ClsDVTest, InitializeTakesTheSiteOrTheGivenRates)
{
    auto dv = bound(fx.alfa);
    EXPECT_EQ(dv->kaljaarPP, 2002);
    EXPECT_FLOAT_EQ(dv->kaljaarAN, 2030.0f + 6.0f / 12.0f + 1.0f / 24.0f);
    EXPECT_FLOAT_EQ(dv->sngOnvoorzien, 0.10f);
    EXPECT_FLOAT_EQ(dv->sngOntwerpdirectieFixed, 0.12f);
    EXPECT_FLOAT_EQ(dv->sngAppKostenBasisPerc, 0.03f);
    EXPECT_EQ(dv->bytOptieRapEval, 2);
    EXPECT_FLOAT_EQ(dv->sngRisicobedragKAP, 50000.0f);
    EXPECT_FALSE(dv->GebruikGedifferentieerdeToeslagB());
    ASSERT_TRUE(dv->BerekenAlles());
    EXPECT_DOUBLE_EQ(dv->kortingsfactor(), (1.0 + double(0.02f)) / (1.0 + double(0.05f)));

    // 3 % interest given, the site's 2 % inflation: d = 1.02 / 1.03.
    dv->initializeDV(fx.alfa, 0.03f, -9.0f);
    ASSERT_TRUE(dv->BerekenAlles());
    EXPECT_DOUBLE_EQ(dv->kortingsfactor(), (1.0 + double(0.02f)) / (1.0 + double(0.03f)));
    // -9.5 is a rate, not the sentinel.
    dv->initializeDV(fx.alfa, -9.5f, -9.0f);
    EXPECT_TRUE(bound(fx.beta)->GebruikGedifferentieerdeToeslagB());
}

TEST_F(ClsDVTest, AlfaItemByItem)
{
    auto dv = bound(fx.alfa);
    ASSERT_TRUE(dv->VerifyBeforeBerekening2());
    ASSERT_TRUE(dv->BerekenAlles());
    EXPECT_EQ(dv->lngAantalRecords, 7);
    expectSingle(dv->prijsfactor(), 1.7597973346710205);

    const ItemRow rows[] = {
        {fx.aMaaien, 121413.2578125, 121.41326141357422, 1.0f, 1000.0f},
        {fx.aHekwerk, 11162.3125, 5.581156253814697, 1.0f, 16.0f},
        {fx.aAfdeklaag, 6866.880859375, 2.7467522621154785, 14.0f, 34.0f},
        {fx.aOpruimen, 8183.89111328125, 1.6367782354354858, 3.0f, QStringLiteral("-")},
        {fx.aInspectie, 0.0, 0.0, QStringLiteral("nvt"), QStringLiteral("-")},
        {fx.aZetting, 18089.724609375, 15.0747709274292, 1.0f, 10.0f},
    };
    expectItems(*dv, rows);
    // The combined item counts 0 and has no factor.
    EXPECT_EQ(item(*dv, fx.aGecombineerd).NCW, 0.0f);
    EXPECT_FALSE(item(*dv, fx.aGecombineerd).NCWfactorX.isValid());

    const double rubriek[] = {121413.2578125, 18089.724609375, 0.0, 11162.3125, 6866.880859375, 8183.89111328125};
    for (int r = 1; r <= 6; ++r)
        expectSingle(dv->TotaalRubriek(r), rubriek[r - 1]);
    expectSingle(dv->TotaalObjectCat(1), 150665.28125);
    expectSingle(dv->TotaalObjectCat(2), 6866.880859375);
    expectSingle(dv->TotaalObjectCat(3), 8183.89111328125);
    expectSingle(dv->TotaalIsQOR(0), 154553.75);
    expectSingle(dv->TotaalIsQOR(1), 11162.3125);
    EXPECT_EQ(dv->TotaalIsQOR(2), 0.0f);

    // Reporting option 2: the checklist minimum + (20 - 10) x 225.
    expectSingle(dv->sngRapEvalKostenPerJaar, 5750.0);
    EXPECT_EQ(dv->rapRapEvalKostenCalculatie, QStringLiteral("€ 3.500 + 10 x € 225 = € 5.750"));
    expectSingle(dv->sngRapEvalKostenKAP, 349063.125);
    expectSingle(dv->sngCommunicatieKostenKAP, 182119.890625);
    expectSingle(dv->sngAppKostenBasisKAP, 910599.4375);
    expectSingle(dv->sngAppKostenTotaalKAP, 915802.125);

    EXPECT_TRUE(dv->Toeslagen2008().empty());
    expectSingle(dv->somA_exclOnvoorzien(), 150665.296875);
    expectSingle(dv->toeslagA(), 15066.5302734375);
    expectSingle(dv->somA_inclOnvoorzien(), 165731.828125);
    expectSingle(dv->somB_exclDirectievoering(), 6866.880859375);
    expectSingle(dv->toeslagB(), 824.0256958007812);
    expectSingle(dv->somB_inclDirectievoering(), 7690.90673828125);
    expectSingle(dv->AppKostenVariabelKAP(), 5202.68212890625);
    expectSingle(dv->somC(), 1446985.125);
    expectSingle(dv->DoelvermogenZonderRisicoFonds(), 1620407.875);
    expectSingle(dv->DoelvermogenMetRisicoFonds(), 1670407.875);
    expectSingle(dv->BTWbedrag(), 0.19 * double(1670407.875f));
    expectSingle(dv->DoelvermogenMetRisicofonds_InclBTW(), 1670407.875 + double(float(0.19 * 1670407.875)));
    dv->setBTWPerc(0);
    EXPECT_EQ(dv->BTWbedrag(), 0.0f);
    EXPECT_EQ(dv->DoelvermogenMetRisicofonds_InclBTW(), dv->DoelvermogenMetRisicoFonds());

    // The sums follow a public member changed after the run; the stored
    // capitalised overhead does not.
    const float totaalKAP = dv->sngAppKostenTotaalKAP;
    dv->sngOnvoorzien = 0;
    EXPECT_EQ(dv->toeslagA(), 0.0f);
    expectSingle(dv->somA_inclOnvoorzien(), 150665.296875);
    EXPECT_EQ(dv->sngAppKostenTotaalKAP, totaalKAP);
}

TEST_F(ClsDVTest, BetaDifferentiatedSurcharges)
{
    auto dv = bound(fx.beta);
    ASSERT_TRUE(dv->VerifyBeforeBerekening2());
    ASSERT_TRUE(dv->BerekenAlles());
    EXPECT_EQ(dv->kortingsfactor(), 1.0);

    const ItemRow rows[] = {
        {fx.bBoven, 9197291.0, 1.9161022901535034, 75.0f, QStringLiteral("-")},
        {fx.bDrains, 7664409.0, 76.64408874511719, 25.0f, 1000.0f},
        {fx.bHekwerk, 38322.046875, 1.9161022901535034, 30.0f, QStringLiteral("-")},
        {fx.bMaaien, 958051.125, 1916.102294921875, 1.0f, 1000.0f},
        {fx.bOverig, 1916.1021728515625, 19.161022186279297, 1.0f, 10.0f},
        {fx.bCombinatie, 7664409.0, 3832.20458984375, 1.0f, 1000.0f},
    };
    expectItems(*dv, rows);
    // Rubric 6 is totalled but enters neither sum.
    expectSingle(dv->TotaalRubriek(6), 1916.1021728515625);
    expectSingle(dv->TotaalRubriek(5), 16900022.0);
    expectSingle(dv->TotaalIsQOR(1), 16861700.0);

    // Top liner of 160.000 m2: design 120.000 and 6,5 % supervision; the
    // large work at 6,25 %; the small work at 5 %.
    const auto &t = dv->Toeslagen2008();
    ASSERT_EQ(t.size(), 4u);
    const double waarde[] = {120000.0, 312000.0, 6250.0, 1000.0};
    const double ncw[] = {229932.28125, 597823.9375, 479025.5625, 1916.102294921875};
    for (size_t i = 0; i < 4; ++i) {
        expectSingle(t[i].ToeslagWaarde, waarde[i]);
        expectSingle(t[i].ToeslagWaardeNCW, ncw[i]);
        EXPECT_EQ(t[i].IsQOR, 1);
    }
    EXPECT_EQ(t[0].ToeslagTekst,
              QStringLiteral("'Bovenafdichting: Vervangen bovenafdichting' (bovenafd. (ontwerp), 160.000 m2)"));
    EXPECT_EQ(t[1].ToeslagTekst, QStringLiteral("'Bovenafdichting: Vervangen bovenafdichting' (bovenafd. "
                                                "(directievoering/toezicht), 160.000 m2; 6,5%)"));
    EXPECT_EQ(t[2].ToeslagTekst,
              QStringLiteral("'Drainageleidingen: Vervangen drainageleidingen' (groot werk, 6,25%)"));
    EXPECT_EQ(t[3].ToeslagTekst, QStringLiteral("'Terrein en hekwerk: Vervangen hekwerk' (klein werk, 5,0%)"));

    expectSingle(dv->sngRapEvalKostenPerJaar, 3500.0);
    EXPECT_EQ(dv->rapRapEvalKostenCalculatie, QStringLiteral("€ 3.500"));
    expectSingle(dv->somA_exclOnvoorzien(), 8622460.0);
    expectSingle(dv->toeslagB(), 1308697.875);
    expectSingle(dv->somB_inclDirectievoering(), 18208720.0);
    expectSingle(dv->somC(), 37236744.0);
    expectSingle(dv->DoelvermogenZonderRisicoFonds(), 64930168.0);
    expectSingle(dv->DoelvermogenMetRisicoFonds(), 64930168.0);

    // A second run on the same binding gives the same figures (the
    // surcharge records are not counted twice).
    ASSERT_TRUE(dv->BerekenAlles());
    EXPECT_EQ(dv->Toeslagen2008().size(), 4u);
    expectSingle(dv->DoelvermogenZonderRisicoFonds(), 64930168.0);
}

TEST_F(ClsDVTest, OneObjectBoundToSiteAfterSite)
{
    // Sites of different checklist versions and surcharge schemes, in turn
    // on one object: each run gives what a fresh object gives.
    std::map<qint32, std::pair<float, size_t>> fresh;
    for (qint32 site : {fx.alfa, fx.beta, fx.gamma}) {
        auto dv = bound(site);
        ASSERT_TRUE(dv->VerifyBeforeBerekening2());
        ASSERT_TRUE(dv->BerekenAlles());
        fresh[site] = {dv->DoelvermogenMetRisicoFonds(), dv->Toeslagen2008().size()};
    }
    auto dv = std::make_unique<clsDV>(fx.context(fx.alfa));
    for (qint32 site : {fx.alfa, fx.beta, fx.beta, fx.gamma, fx.alfa, fx.beta}) {
        SCOPED_TRACE(site);
        dv->initializeDV(site, -9, -9);
        EXPECT_EQ(dv->GebruikGedifferentieerdeToeslagB(), site == fx.beta);
        ASSERT_TRUE(dv->VerifyBeforeBerekening2());
        ASSERT_TRUE(dv->BerekenAlles());
        EXPECT_EQ(dv->DoelvermogenMetRisicoFonds(), fresh[site].first);
        EXPECT_EQ(dv->Toeslagen2008().size(), fresh[site].second);
    }
}

TEST_F(ClsDVTest, OneObjectAtRateAfterRateGivesWhatAFreshObjectGives)
{
    // As the sensitivity analysis recalculates: every item's figures, bit
    // for bit, whatever the rates of the runs before.
    const std::pair<float, float> rates[] = {{-9.0f, -9.0f}, {0.03f, -9.0f}, {-9.0f, 0.04f},
                                             {0.0f, 0.0f},   {-9.0f, -9.0f}, {0.03f, -9.0f}};
    auto dv = std::make_unique<clsDV>(fx.context(fx.alfa));
    for (const auto &[rente, inflatie] : rates) {
        SCOPED_TRACE(::testing::Message() << rente << " " << inflatie);
        auto fresh = bound(fx.alfa, rente, inflatie);
        ASSERT_TRUE(fresh->BerekenAlles());
        dv->initializeDV(fx.alfa, rente, inflatie);
        ASSERT_TRUE(dv->BerekenAlles());
        ASSERT_EQ(dv->items().size(), fresh->items().size());
        for (size_t i = 0; i < dv->items().size(); ++i) {
            const auto &a = dv->items()[i];
            const auto &b = fresh->items()[i];
            EXPECT_EQ(a.Act_ID, b.Act_ID);
            EXPECT_EQ(a.NCW, b.NCW) << a.Act_ID;
            EXPECT_EQ(a.NCWfactorX, b.NCWfactorX) << a.Act_ID;
            EXPECT_EQ(a.JaarEerste, b.JaarEerste) << a.Act_ID;
            EXPECT_EQ(a.JaarLaatste, b.JaarLaatste) << a.Act_ID;
        }
        EXPECT_EQ(dv->DoelvermogenMetRisicoFonds(), fresh->DoelvermogenMetRisicoFonds());
    }
}

TEST_F(ClsDVTest, ReportingOption3AndUnsetOption)
{
    // Option 2 below 10 ha has no lower bound on the area term.
    fx.execute(QStringLiteral("UPDATE tblStort SET sngNazorgOpp=8 WHERE idrStort_ID=?"), {fx.alfa});
    auto alfa = bound(fx.alfa);
    ASSERT_TRUE(alfa->BerekenAlles());
    EXPECT_EQ(alfa->sngRapEvalKostenPerJaar, 3050.0f);
    EXPECT_EQ(alfa->rapRapEvalKostenCalculatie, QStringLiteral("€ 3.500 + -2 x € 225 = € 3.050"));

    auto dv = bound(fx.gamma);
    ASSERT_TRUE(dv->BerekenAlles());
    EXPECT_EQ(dv->sngRapEvalKostenPerJaar, 9000.0f);
    EXPECT_EQ(dv->rapRapEvalKostenCalculatie, QStringLiteral("€ 9.000"));
    expectSingle(dv->DoelvermogenMetRisicoFonds(), 2460110.25);

    fx.execute(QStringLiteral("UPDATE tblStort SET bytRapEval=0 WHERE idrStort_ID=?"), {fx.gamma});
    dv->initializeDV(fx.gamma, -9, -9);
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Algemene toeslag rapportage/evaluatie"),
                        QStringLiteral("De kosten voor rapportage/evaluatie zijn niet correct ingesteld. Controleer "
                                       "uw invoer via menu 'Invoer' -> 'Toeslagen nazorgfase', tabblad 'Algemene "
                                       "nazorgkosten'."));
    EXPECT_FALSE(dv->BerekenAlles());
    EXPECT_EQ(dv->sngRapEvalKostenKAP, 0.0f);
    EXPECT_EQ(dv->rapRapEvalKostenCalculatie, QStringLiteral("?"));
}

TEST_F(ClsDVTest, ValidationMessagesInOrder)
{
    const calctest::Fields siteFields{{"strStortNaam", QStringLiteral("Proef")},
                                      {"intStortType", 1},
                                      {"sngRentePerc", 4.0},
                                      {"sngInflPerc", 2.0},
                                      {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")},
                                      {"intJaarPrijsPeil", 2008},
                                      {"sngNazorgOpp", 0.0},
                                      {"bytRapEval", 1},
                                      {"intCL_REF", 3}};
    const qint32 site = fx.site(siteFields);
    const QString titel = QStringLiteral("Invoer onvolledig bij Proef");
    auto dv = bound(site);

    // 1. No area, checked before any cost item.
    script.expectMsgBox(ui::Icon::Exclamation, titel,
                        QStringLiteral("Er is geen (geldig) nazorgoppervlak ingevoerd in het scherm 'Toeslagen "
                                       "nazorgfase'."));
    EXPECT_FALSE(dv->VerifyBeforeBerekening2());

    // 2. An area, but no cost items: the completeness check's own box.
    fx.execute(QStringLiteral("UPDATE tblStort SET sngNazorgOpp=12 WHERE idrStort_ID=?"), {site});
    dv->initializeDV(site, -9, -9);
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Validatie invoer inrichting 'Proef'"),
                        QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."));
    EXPECT_FALSE(dv->VerifyBeforeBerekening2());

    // 3. A combined item without a combination item.
    const qint32 peil = fx.facility(site, 3, QStringLiteral("Peilbuizen"));
    fx.item(site, peil, ownItem(QStringLiteral("Maaien")));
    fx.item(site, peil,
            {{"strAct", QStringLiteral("Controlemetingen grondwater")},
             {"bytRubriek_REF", 2},
             {"bytIsQOR", 1},
             {"lngClitem_REF", 10},
             {"bytCombineer", 1}});
    script.expectMsgBox(ui::Icon::Exclamation, titel,
                        QStringLiteral("Er is gebruik gemaakt van de mogelijkheid om posten te combineren in een "
                                       "combinatiepost. Er is echter geen combinatiepost in de raming aangetroffen."));
    EXPECT_FALSE(dv->VerifyBeforeBerekening2());

    // With the combination item present every check passes.
    fx.item(site, peil, ownItem(QStringLiteral("Combinatie"), {{"bytIsQOR", 1}, {"lngClitem_REF", 30}}));
    EXPECT_TRUE(dv->VerifyBeforeBerekening2());

    // Under a checklist without combination items the combined item alone passes.
    fx.execute(QStringLiteral("UPDATE tblStort SET intCL_REF=1 WHERE idrStort_ID=?"), {site});
    fx.execute(QStringLiteral("DELETE FROM tblAct WHERE lngClitem_REF=30"));
    dv->initializeDV(site, -9, -9);
    EXPECT_TRUE(dv->VerifyBeforeBerekening2());
}

TEST_F(ClsDVTest, VerifyAllesCLWritesOnlyChangedCodes)
{
    const qint32 terrein =
        fx.scalar(QStringLiteral("SELECT idrInrichting_ID FROM tblInrichting WHERE strObject='Terrein'")).toInt();
    const qint32 weg =
        fx.item(fx.alfa, terrein, ownItem(QStringLiteral("Verdwenen"), {{"bytIsQOR", 1}, {"lngClitem_REF", 999}}));
    auto dv = bound(fx.alfa);
    // An item whose checklist item is gone from the version is outside it.
    // Alfa's hekwerk item (stored 1) counts cost as a percentage and ends in
    // a calendar year, outside checklist item 2: it becomes 2. The combined
    // item 10 is stored 2 and stays so (its values are empty).
    ASSERT_TRUE(dv->VerifyBeforeBerekening2());
    EXPECT_TRUE(dv->VerifyAlles_CL());
    EXPECT_EQ(fx.scalar(QStringLiteral("SELECT bytIsQOR FROM tblAct WHERE idrAct_ID=?"), {fx.aHekwerk}).toInt(), 2);
    // A run after the new codes counts them, not those of the rows checked
    // before.
    ASSERT_TRUE(dv->BerekenAlles());
    EXPECT_EQ(dv->TotaalIsQOR(1), 0.0f);
    expectSingle(dv->TotaalIsQOR(2), 11162.3125 + double(item(*dv, weg).NCW));
    EXPECT_EQ(fx.scalar(QStringLiteral("SELECT bytIsQOR FROM tblAct WHERE idrAct_ID=?"), {fx.aGecombineerd}).toInt(),
              2);
    EXPECT_EQ(fx.scalar(QStringLiteral("SELECT bytIsQOR FROM tblAct WHERE idrAct_ID=?"), {weg}).toInt(), 2);
    // Own items are not touched.
    EXPECT_EQ(fx.scalar(QStringLiteral("SELECT bytIsQOR FROM tblAct WHERE idrAct_ID=?"), {fx.aMaaien}).toInt(), 0);

    const qint32 leeg = fx.site({{"strStortNaam", QStringLiteral("Leeg")},
                                 {"intCL_REF", 1},
                                 {"sngRentePerc", 4.0},
                                 {"sngInflPerc", 2.0},
                                 {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")}});
    auto dvLeeg = bound(leeg);
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Validatie inrichting 'Leeg'"),
                        QStringLiteral("Er zijn geen gegevens om te valideren tov de QOR-checklist"));
    EXPECT_FALSE(dvLeeg->VerifyAlles_CL());
}

TEST_F(ClsDVTest, OutlayYearsAndCounts)
{
    // Interest equals inflation and the price level is the start of
    // after-care: d and the price factor are exactly 1, so every factor X is
    // the number of outlays.
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Nul")},
                                 {"intStortType", 1},
                                 {"sngRentePerc", 0.0},
                                 {"sngInflPerc", 0.0},
                                 {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")},
                                 {"intJaarPrijsPeil", 2030},
                                 {"sngNazorgOpp", 5.0},
                                 {"bytRapEval", 1},
                                 {"sngRapEvalMin", 3500.0},
                                 {"intCL_REF", 1}});
    const qint32 fac = fx.facility(site, 1, QStringLiteral("Terrein"));
    struct Case {
        const char *naam;
        calctest::Fields f;
        float x;
        QString first;
        QString last;
    };
    const Case cases[] = {
        {"eenmalig jaar 1", {{"bytOptieFreq", 1}}, 1, "1", "-"},
        {"kalenderjaar als startjaar", {{"bytOptieFreq", 1}, {"bytOptieStart", 1}, {"intStartAbs", 2030}}, 1, "1", "-"},
        {"jaarlijks vanaf -2 tot 10",
         {{"bytOptieStart", 1}, {"intStartAbs", 2027}, {"bytOptieEind", 1}, {"intEindAbs", 2039}},
         10,
         "1",
         "10"},
        {"einde voor begin", {{"intStartRel", 10}, {"bytOptieEind", 2}, {"intEindRel", 5}}, 0, "nvt", "nvt"},
        {"elke 5 jaar, 1 tot 12",
         {{"bytOptieFreq", 3}, {"intFreqX", 5}, {"bytOptieEind", 2}, {"intEindRel", 12}},
         3,
         "1",
         "11"},
        {"tweemaal per jaar", {{"intFreqX", 2}, {"bytOptieEind", 2}, {"intEindRel", 10}}, 20, "1", "10"},
        {"elke 3 jaar vanaf -4",
         {{"bytOptieFreq", 3},
          {"intFreqX", 3},
          {"bytOptieStart", 1},
          {"intStartAbs", 2025},
          {"bytOptieEind", 2},
          {"intEindRel", 5}},
         2,
         "2",
         "5"},
        {"elke 4 jaar, einde voor aanvang",
         {{"bytOptieFreq", 3}, {"intFreqX", 4}, {"bytOptieEind", 1}, {"intEindAbs", 2029}},
         0,
         "nvt",
         "nvt"},
        {"bovenafdichting 5 tot 30",
         {{"intStartRel", 3}, {"bytStartBA", 1}, {"intStartBA", 5}, {"bytEindBA", 1}, {"intEindBA", 30}},
         26,
         "7",
         "32"},
        {"eeuwigdurend", {}, 1000, "1", "1000"},
    };
    std::vector<qint32> ids;
    for (const Case &c : cases)
        ids.push_back(fx.item(site, fac, ownItem(QString::fromUtf8(c.naam), c.f)));
    auto dv = bound(site);
    ASSERT_TRUE(dv->BerekenAlles());
    EXPECT_EQ(dv->kortingsfactor(), 1.0);
    EXPECT_EQ(dv->prijsfactor(), 1.0f);
    for (size_t i = 0; i < ids.size(); ++i) {
        SCOPED_TRACE(cases[i].naam);
        const auto &r = item(*dv, ids[i]);
        EXPECT_EQ(r.NCWfactorX.toFloat(), cases[i].x);
        EXPECT_EQ(r.NCW, cases[i].x * 1000.0f);
        EXPECT_EQ(r.JaarEerste.toString(), cases[i].first);
        EXPECT_EQ(r.JaarLaatste.toString(), cases[i].last);
    }
    // The general costs over 1000 years.
    EXPECT_EQ(dv->sngRapEvalKostenKAP, 3500.0f * 1000.0f);
}

TEST_F(ClsDVTest, WalksThatDifferOnlyInTheirEndKeepTheirOwnFigures)
{
    // Epsilon of expected_values.py: every 5 years from after-care year 1,
    // to year 12, to year 30 and for ever, at a ratio d below 1.
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Epsilon")},
                                 {"intStortType", 1},
                                 {"sngRentePerc", 4.0},
                                 {"sngInflPerc", 2.0},
                                 {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")},
                                 {"intJaarPrijsPeil", 2030},
                                 {"sngNazorgOpp", 5.0},
                                 {"bytRapEval", 1},
                                 {"sngRapEvalMin", 3500.0},
                                 {"sngAlgAppKostenBasis", 12500.0},
                                 {"sngAppKostenPerc", 3.0},
                                 {"sngAlgCommunicatieKosten", 2500.0},
                                 {"sngOnvoorzien", 10.0},
                                 {"sngOntwerpdirectie", 12.0},
                                 {"intCL_REF", 1}});
    const qint32 fac = fx.facility(site, 1, QStringLiteral("Terrein"));
    const calctest::Fields vijfjaarlijks{{"bytOptieFreq", 3}, {"intFreqX", 5}};
    auto walk = [&](const char *naam, calctest::Fields eind) {
        for (const auto &[k, v] : vijfjaarlijks)
            eind[k] = v;
        return fx.item(site, fac, ownItem(QString::fromUtf8(naam), eind));
    };
    const qint32 tot12 = walk("Elke 5 jaar tot jaar 12", {{"bytOptieEind", 2}, {"intEindRel", 12}});
    const qint32 tot30 = walk("Elke 5 jaar tot jaar 30", {{"bytOptieEind", 2}, {"intEindRel", 30}});
    const qint32 eeuwig = walk("Elke 5 jaar eeuwigdurend", {});

    auto dv = bound(site);
    ASSERT_TRUE(dv->BerekenAlles());
    const ItemRow rows[] = {
        {tot12, 2704.595947265625, 2.7045960426330566, 1.0f, 11.0f},
        {tot30, 4725.77587890625, 4.725775718688965, 1.0f, 26.0f},
        {eeuwig, 10703.337890625, 10.703337669372559, 1.0f, 996.0f},
    };
    expectItems(*dv, rows);
    expectSingle(dv->TotaalRubriek(4), 18133.7109375);
    expectSingle(dv->DoelvermogenMetRisicoFonds(), 973250.625);
}

TEST_F(ClsDVTest, SurchargesAreSummedInDoublePrecision)
{
    // Zeta of expected_values.py: one surcharge of 5.000.000 and twenty of
    // 0,35; summed in single precision they would make 5.000.010.
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Zeta")},
                                 {"intStortType", 1},
                                 {"sngRentePerc", 3.0},
                                 {"sngInflPerc", 3.0},
                                 {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")},
                                 {"intJaarPrijsPeil", 2030},
                                 {"sngNazorgOpp", 8.0},
                                 {"bytRapEval", 1},
                                 {"sngRapEvalMin", 3500.0},
                                 {"sngAlgAppKostenBasis", 13000.0},
                                 {"sngAppKostenPerc", 3.0},
                                 {"sngAlgCommunicatieKosten", 2500.0},
                                 {"sngOnvoorzien", 10.0},
                                 {"intCL_REF", 3}});
    const qint32 fac = fx.facility(site, 1, QStringLiteral("Terrein"));
    const calctest::Fields kleinWerk{{"bytRubriek_REF", 5},
                                     {"bytOptieEind", 2},
                                     {"intEindRel", 1},
                                     {"bytOptieFreq", 1},
                                     {"bytTypeVervangingsToeslag", 3},
                                     {"sngVervangingsToeslagPerc", 5.0}};
    auto werk = [&](const QString &naam, double kosten) {
        calctest::Fields f = kleinWerk;
        f["sngKostenTotaal"] = kosten;
        fx.item(site, fac, ownItem(naam, f));
    };
    werk(QStringLiteral("Vervangen kunstwerk"), 1e8);
    for (int i = 1; i <= 20; ++i)
        werk(QStringLiteral("Vervangen paal %1").arg(i), 7.0);

    auto dv = bound(site);
    ASSERT_TRUE(dv->GebruikGedifferentieerdeToeslagB());
    ASSERT_TRUE(dv->BerekenAlles());
    ASSERT_EQ(dv->Toeslagen2008().size(), 21u);
    EXPECT_EQ(dv->Toeslagen2008SomWaardeNCW(), 5000007.0f);
    EXPECT_EQ(dv->toeslagB(), 5000007.0f);
    expectSingle(dv->somB_inclDirectievoering(), 105000168.0);
    expectSingle(dv->DoelvermogenMetRisicoFonds(), 127150176.0);
}

// ---- Values from outside the program ----------------------------------------

// The data file is a plain SQLite file that another tool may change: a
// rate, an amount or a count that is no finite number in its field's range
// (infinite, NaN, beyond the single range, no number at all) is refused by
// the input check with that field's message, and a value the calculation
// does not use blocks nothing.
TEST_F(ClsDVTest, ValuesWrittenByAnotherToolAreJudgedBeforeTheyCount)
{
    const auto site = [](const char *veld, const char *scherm) {
        return QStringLiteral("Er is geen (") + QLatin1String(veld) + QStringLiteral(" ingevoerd in het scherm '")
               + QLatin1String(scherm) + QStringLiteral("'.");
    };
    const QString rente = site("geldige) rente", "Gegevens inrichting");
    const QString inflatie = site("geldige) inflatie", "Gegevens inrichting");
    const QString opp = site("geldig) nazorgoppervlak", "Toeslagen nazorgfase");
    const QString rapEval = site("geldig) bedrag voor rapportage/evaluatie", "Toeslagen nazorgfase");
    const auto post = [](const char *object, const char *act) {
        return modVerifyAnSich::onvolledigeKostenpostTekst(QLatin1String(object), QLatin1String(act));
    };
    const QString maaien = post("Terrein", "Maaien");
    const QString hekwerk = post("Terrein", "Onderhoud hekwerk en poort");
    const QString afdeklaag = post("Bovenafdichting", "Vervangen afdeklaag");
    const struct {
        const char *tabel;
        const char *veld;
        char site; // 'a' Alfa (reporting option 2), 'b' Beta (option 1, differentiated), 'g' Gamma (option 3)
        qint32 CalcFixture::*post; // the cost item changed; null for the site row
        const char *waarde;        // as SQL
        QString melding;           // empty: passes
    } gevallen[] = {
        {"tblStort", "sngRentePerc", 'a', nullptr, "9e999", rente},
        {"tblStort", "sngRentePerc", 'a', nullptr, "-9e999", rente},
        {"tblStort", "sngRentePerc", 'a', nullptr, "'NaN'", rente},
        {"tblStort", "sngRentePerc", 'a', nullptr, "1e39", rente},
        {"tblStort", "sngRentePerc", 'a', nullptr, "-100", rente},
        {"tblStort", "sngRentePerc", 'a', nullptr, "NULL", rente},
        {"tblStort", "sngInflPerc", 'a', nullptr, "9e999", inflatie},
        {"tblStort", "sngInflPerc", 'a', nullptr, "-150", inflatie},
        {"tblStort", "sngNazorgOpp", 'a', nullptr, "9e999", opp},
        {"tblStort", "sngNazorgOpp", 'a', nullptr, "'veel'", opp},
        {"tblStort", "sngAlgAppKostenBasis", 'a', nullptr, "-9e999",
         site("geldig) basisbedrag apparaatskosten", "Toeslagen nazorgfase")},
        {"tblStort", "sngAppKostenPerc", 'a', nullptr, "'NaN'",
         site("geldig) percentage apparaatskosten", "Toeslagen nazorgfase")},
        {"tblStort", "sngAlgCommunicatieKosten", 'a', nullptr, "1e39",
         site("geldig) bedrag voor communicatie", "Toeslagen nazorgfase")},
        {"tblStort", "sngRapEvalPerHa", 'a', nullptr, "9e999",
         site("geldig) bedrag voor rapportage/evaluatie per ha", "Toeslagen nazorgfase")},
        {"tblStort", "sngRapEvalMin", 'b', nullptr, "9e999", rapEval},
        {"tblStort", "sngRapEvalMax", 'g', nullptr, "-9e999", rapEval},
        {"tblStort", "sngOnvoorzien", 'a', nullptr, "9e999",
         site("geldig) percentage onvoorzien", "Toeslagen nazorgfase")},
        {"tblStort", "sngOntwerpdirectie", 'a', nullptr, "9e999",
         site("geldig) percentage ontwerp/directie", "Toeslagen nazorgfase")},
        {"tblStort", "sngAlgRisicoBedrag", 'a', nullptr, "9e999", site("geldig) risicobedrag", "Toeslagen nazorgfase")},
        // not used: the reporting option of Alfa is 2, Beta's surcharge B is differentiated
        {"tblStort", "sngRapEvalMax", 'a', nullptr, "9e999", QString()},
        {"tblStort", "sngOntwerpdirectie", 'b', nullptr, "9e999", QString()},
        // a cost item's amounts and counts
        {"tblAct", "sngKostenTotaal", 'a', &CalcFixture::aMaaien, "9e999", maaien},
        {"tblAct", "sngKostenTotaal", 'a', &CalcFixture::aMaaien, "-9e999", maaien},
        {"tblAct", "sngKostenTotaal", 'a', &CalcFixture::aMaaien, "1e39", maaien},
        {"tblAct", "intFreqX", 'a', &CalcFixture::aMaaien, "9e999", maaien},
        {"tblAct", "sngKostenInvest", 'a', &CalcFixture::aHekwerk, "9e999", hekwerk},
        {"tblAct", "sngPercInvest", 'a', &CalcFixture::aHekwerk, "-9e999", hekwerk},
        {"tblAct", "sngAantal", 'a', &CalcFixture::aAfdeklaag, "9e999", afdeklaag},
        {"tblAct", "sngKostenPE", 'a', &CalcFixture::aAfdeklaag, "1e39", afdeklaag},
        {"tblAct", "intEindBA", 'a', &CalcFixture::aAfdeklaag, "-9e999", afdeklaag},
    };
    for (const auto &g : gevallen) {
        SCOPED_TRACE(std::string(g.veld) + " = " + g.waarde);
        const qint32 id = g.site == 'a' ? fx.alfa : g.site == 'b' ? fx.beta : fx.gamma;
        const QString sleutel =
            g.post ? QStringLiteral("idrAct_ID=%1").arg(fx.*g.post) : QStringLiteral("idrStort_ID=%1").arg(id);
        const QString waar = QStringLiteral(" FROM %1 WHERE %2").arg(QLatin1String(g.tabel), sleutel);
        const QString was =
            testsupport::sqliteShell(fx.dataFile, QStringLiteral("SELECT quote(%1)").arg(QLatin1String(g.veld)) + waar);
        const QString zet =
            QStringLiteral("UPDATE %1 SET %2=%4 WHERE %3").arg(QLatin1String(g.tabel), QLatin1String(g.veld), sleutel);
        ASSERT_EQ(testsupport::sqliteShell(fx.dataFile, zet.arg(QLatin1String(g.waarde))), QString());

        if (!g.melding.isEmpty()) {
            const QString titel = g.post ? QStringLiteral("Validatie invoer inrichting 'Alfa'")
                                         : QStringLiteral("Invoer onvolledig bij ") + fx.context(id).gstrNaamStort;
            script.expectMsgBox(ui::Icon::Exclamation, titel, g.melding);
        }
        auto dv = bound(id);
        EXPECT_EQ(dv->VerifyBeforeBerekening2(), g.melding.isEmpty());
        EXPECT_TRUE(script.verify()) << script.report().toStdString();
        script.clear();

        ASSERT_EQ(testsupport::sqliteShell(fx.dataFile, zet.arg(was)), QString());
    }
}

// ---- Faults that must end soundly -------------------------------------------

TEST_F(ClsDVTest, InterestOfMinus100PercentStopsWithAMessage)
{
    auto dv = bound(fx.alfa, -1.0f, -9.0f);
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Doelvermogenberekening inrichting 'Alfa' afgebroken"),
                        QStringLiteral("Ongeldige rente (-100,00%) en/of inflatie (2,00%): bij -100% of lager kan "
                                       "de contante waarde niet berekend worden.\r\nPas rente- en/of "
                                       "inflatiepercentages aan."));
    EXPECT_FALSE(dv->BerekenAlles());
}

// A rate given to the calculation (the sensitivity analysis's rows) that is
// no finite number stops it as well, before any figure is made from it.
TEST_F(ClsDVTest, ARateThatIsNoFiniteNumberStopsWithTheRateMessage)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (const float rente : {inf, -inf, std::numeric_limits<float>::quiet_NaN()}) {
        SCOPED_TRACE(rente);
        auto dv = bound(fx.alfa, rente, -9.0f);
        script.setMode(ui::ScriptedDialogs::Mode::Record);
        EXPECT_FALSE(dv->BerekenAlles());
        ASSERT_EQ(script.shown().size(), 1u);
        EXPECT_EQ(script.shown()[0].msgBox.title,
                  QStringLiteral("Doelvermogenberekening inrichting 'Alfa' afgebroken"));
        EXPECT_TRUE(script.shown()[0].msgBox.text.startsWith(QStringLiteral("Ongeldige rente (")));
        script.clear();
    }
}

TEST_F(ClsDVTest, UnboundObjectReportsInsteadOfCrashing)
{
    clsDV dv(fx.context(fx.alfa));
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout bij berekening: 91 ''"),
                        QStringLiteral("Object variable or With block variable not set"));
    EXPECT_FALSE(dv.BerekenAlles());
}

TEST_F(ClsDVTest, IntervalOfZeroIsReportedAndEnds)
{
    const qint32 fac = fx.facility(fx.gamma, 1, QStringLiteral("Hek"));
    const qint32 id =
        fx.item(fx.gamma, fac, ownItem(QStringLiteral("Schilderen"), {{"bytOptieFreq", 3}, {"intFreqX", 0}}));
    fx.item(fx.gamma, fac, ownItem(QStringLiteral("Vegen"), {{"bytOptieFreq", 2}, {"intFreqX", 0}}));
    auto dv = bound(fx.gamma);
    const QString titel = QStringLiteral("Berekening doelvermogen inrichting 'Gamma'");
    script.expectMsgBox(
        ui::Icon::Critical, titel,
        QStringLiteral("Ongeldige frequentie (namelijk: 0) aangetroffen bij kostenpost 'Schilderen'. "));
    script.expectMsgBox(ui::Icon::Critical, titel,
                        QStringLiteral("Ongeldige frequentie (namelijk: 0) aangetroffen bij kostenpost 'Vegen'. "));
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(dv->BerekenAlles());
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(item(*dv, id).NCW, 0.0f);
    EXPECT_EQ(item(*dv, id).JaarEerste.toString(), QStringLiteral("nvt"));
    // The other items are calculated as before.
    expectSingle(dv->TotaalRubriek(4), 186561.359375);
}

TEST_F(ClsDVTest, UnknownCodesStopNamingTheItem)
{
    struct Case {
        const char *field;
        int code;
        QString wat;
    };
    const Case cases[] = {
        {"bytOptieStart", 9, QStringLiteral("optie voor het startjaar (9)")},
        {"bytOptieEind", 0, QStringLiteral("optie voor het eindjaar (0)")},
        {"bytOptieKosten", 4, QStringLiteral("optie voor de kosten (4)")},
        {"bytOptieFreq", 7, QStringLiteral("optie voor de frequentie (7)")},
        {"bytRubriek_REF", 8, QStringLiteral("rubriek (8)")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        CalcFixture f;
        f.execute(QStringLiteral("UPDATE tblAct SET %1=? WHERE strAct='Onderhoud terrein'").arg(QLatin1String(c.field)),
                  {c.code});
        clsDV dv(f.context(f.gamma));
        dv.initializeDV(f.gamma, -9, -9);
        script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout bij berekening: 5 'Gamma'"),
                            QStringLiteral("Onbekende ") + c.wat
                                + QStringLiteral(" bij kostenpost 'Terrein: Onderhoud terrein'. De berekening is "
                                                 "afgebroken."));
        EXPECT_FALSE(dv.BerekenAlles());
    }

    // Surcharge type 7 (still to choose) under the differentiated scheme.
    fx.execute(QStringLiteral("UPDATE tblAct SET bytTypeVervangingsToeslag=7 WHERE idrAct_ID=?"), {fx.bHekwerk});
    auto dv = bound(fx.beta);
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout bij berekening: 5 'Beta'"),
                        QStringLiteral("Onbekende soort vervangingstoeslag (7) bij kostenpost 'Terrein en hekwerk: "
                                       "Vervangen hekwerk'."));
    EXPECT_FALSE(dv->BerekenAlles());
}

TEST_F(ClsDVTest, EmptyIntervalStopsTheRun)
{
    fx.execute(QStringLiteral("UPDATE tblAct SET intFreqX=NULL WHERE strAct='Onderhoud terrein'"));
    auto dv = bound(fx.gamma);
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout bij berekening: 94 'Gamma'"),
                        QStringLiteral("Invalid use of Null"));
    EXPECT_FALSE(dv->BerekenAlles());
}

TEST_F(ClsDVTest, OverflowStopsWithTheItemsName)
{
    fx.execute(
        QStringLiteral("UPDATE tblAct SET sngKostenTotaal=3e38, intFreqX=1000 WHERE strAct='Onderhoud terrein'"));
    auto dv = bound(fx.gamma);
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Doelvermogenberekening inrichting 'Gamma' afgebroken"),
                        QStringLiteral("Overloop bij berekening van de contante waarde voor kostenpost 'Onderhoud "
                                       "terrein'. \r\nPas rente- en/of inflatiepercentages aan of controleer de "
                                       "gegevens van deze post"));
    EXPECT_FALSE(dv->BerekenAlles());
}

} // namespace

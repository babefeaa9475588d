// The site-wide completeness check on fixture data files made from the
// template: which site passes, which box a failing site gets and which cost
// item that box names.

#include "calc/verify_ansich.h"

#include "records/context.h"

#include "support/scripted_dialogs_fixture.h"
#include "support/site_builder.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <QVariant>

namespace {

// The checklist versions the shipped checklist file holds for landfills:
// 1 with a fixed design/supervision percentage, 3 with the differentiated
// replacement surcharges.
constexpr qint16 kVastSchema = 1;
constexpr qint16 kGedifferentieerd = 3;

using testsupport::Fields;
using testsupport::merged;

// A complete own item: after-care year 1, for ever, € 1.000 twice a year.
Fields compleet(const QString &naam)
{
    return testsupport::ownItem(naam, {{"intFreqX", 2}});
}

class VerifyInvoerInrichtingTest : public testsupport::ScriptedDialogsTest {
protected:
    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        ctx.gstrConnData = file.dataFile;
        ctx.gstrConnCL = testsupport::checklistFile();
    }

    qint32 site(const QString &naam, qint16 cl)
    {
        return file.site({{"strStortNaam", naam}, {"intStortType", 1}, {"intCL_REF", cl}});
    }
    qint32 facility(qint32 stort, int category, const QString &naam) { return file.facility(stort, category, naam); }
    void item(qint32 stort, qint32 inrichting, const Fields &fields) { file.item(stort, inrichting, fields); }

    bool verify(qint32 stort, qint16 cl)
    {
        ctx.glngStortID = stort;
        ctx.gintCL_ID = cl;
        return modVerifyAnSich::VerifyInvoerInrichting(ctx, stort, QStringLiteral("Proefstort"));
    }

    void expectIncomplete(const QString &object, const QString &act)
    {
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Validatie invoer inrichting 'Proefstort'"),
                            QStringLiteral("Bij een of meer kostenposten is de invoer nog niet volledig ('rood "
                                           "stopbord' in formulier 'Voorzieningen en kostenposten').\r\n\r\n"
                                           "Kostenpost: \r\n\t")
                                + object + QStringLiteral(" --> ") + act
                                + QStringLiteral("\r\n\r\nVoer de gegevens van de kostenposten eerst volledig in."));
    }

    testsupport::SiteFile file{QStringLiteral("dbQORdata_test.mdb")};
    records::Context ctx;
};

TEST_F(VerifyInvoerInrichtingTest, SiteWithoutCostItems)
{
    const qint32 stort = site(QStringLiteral("Proefstort"), kVastSchema);
    facility(stort, 1, QStringLiteral("Terrein"));
    script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Validatie invoer inrichting 'Proefstort'"),
                        QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."));
    EXPECT_FALSE(verify(stort, kVastSchema));
}

TEST_F(VerifyInvoerInrichtingTest, CompleteSitePassesWithoutABox)
{
    const qint32 stort = site(QStringLiteral("Proefstort"), kGedifferentieerd);
    const qint32 terrein = facility(stort, 1, QStringLiteral("Terrein"));
    item(stort, terrein, compleet(QStringLiteral("Maaien")));
    item(stort, terrein,
         merged(compleet(QStringLiteral("Vervangen hekwerk")),
                {{"bytRubriek_REF", 5}, {"bytTypeVervangingsToeslag", 3}, {"sngVervangingsToeslagPerc", 5.0f}}));
    EXPECT_TRUE(verify(stort, kGedifferentieerd));
}

TEST_F(VerifyInvoerInrichtingTest, ItemsAbsorbedInACombinationAreNotExamined)
{
    const qint32 stort = site(QStringLiteral("Proefstort"), kGedifferentieerd);
    const qint32 peilbuizen = facility(stort, 3, QStringLiteral("Peilbuizen"));
    item(stort, peilbuizen, {{"strAct", QStringLiteral("Controlemetingen grondwater")}, {"bytCombineer", 1}});
    EXPECT_TRUE(verify(stort, kGedifferentieerd));
}

TEST_F(VerifyInvoerInrichtingTest, OtherSitesAreNotExamined)
{
    const qint32 stort = site(QStringLiteral("Proefstort"), kVastSchema);
    const qint32 ander = site(QStringLiteral("Andere stort"), kVastSchema);
    item(stort, facility(stort, 1, QStringLiteral("Terrein")), compleet(QStringLiteral("Maaien")));
    item(ander, facility(ander, 1, QStringLiteral("Terrein")), {{"strAct", QStringLiteral("Leeg")}});
    EXPECT_TRUE(verify(stort, kVastSchema));
}

// One complete item and one with a single group broken: the box names the
// broken one.
TEST_F(VerifyInvoerInrichtingTest, EachGroupCanMakeAnItemIncomplete)
{
    const struct {
        const char *what;
        Fields changes;
        qint16 cl;
    } cases[] = {
        {"start year out of range", {{"bytOptieStart", 1}, {"intStartAbs", 1969}}, kVastSchema},
        {"start counted from the top liner without its year", {{"bytStartBA", 1}}, kVastSchema},
        {"end after-care year missing", {{"bytOptieEind", 2}}, kVastSchema},
        {"end counted from the top liner without its year", {{"bytEindBA", 1}}, kVastSchema},
        {"total missing", {{"sngKostenTotaal", QVariant()}}, kVastSchema},
        {"percentage above 100",
         {{"bytOptieKosten", 1}, {"sngPercInvest", 100.5f}, {"sngKostenInvest", 1e5f}},
         kVastSchema},
        {"unit missing", {{"bytOptieKosten", 3}, {"sngKostenPE", 12.5f}, {"sngAantal", 4.0f}}, kVastSchema},
        {"interval of 0 years", {{"bytOptieFreq", 3}, {"intFreqX", 0}}, kVastSchema},
        {"no surcharge chosen for a replacement", {{"bytRubriek_REF", 5}}, kGedifferentieerd},
        {"large work still to be chosen", {{"bytRubriek_REF", 5}, {"bytTypeVervangingsToeslag", 7}}, kGedifferentieerd},
        {"large work without percentage", {{"bytRubriek_REF", 5}, {"bytTypeVervangingsToeslag", 2}}, kGedifferentieerd},
        {"unknown cost option", {{"bytOptieKosten", 4}}, kVastSchema},
        {"stored row without a frequency option", {{"bytOptieFreq", QVariant()}}, kVastSchema},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        file.con.Execute(QStringLiteral("DELETE FROM tblAct"));
        const qint32 stort = site(QStringLiteral("Proefstort"), c.cl);
        const qint32 terrein = facility(stort, 1, QStringLiteral("Terrein"));
        item(stort, terrein, compleet(QStringLiteral("Maaien")));
        item(stort, terrein, merged(compleet(QStringLiteral("Onderhoud hekwerk")), c.changes));
        expectIncomplete(QStringLiteral("Terrein"), QStringLiteral("Onderhoud hekwerk"));
        EXPECT_FALSE(verify(stort, c.cl));
        EXPECT_TRUE(script.verify()) << script.report().toStdString();
        script.clear();
    }
}

TEST_F(VerifyInvoerInrichtingTest, ReplacementWithoutSurchargePassesUnderTheFixedScheme)
{
    const qint32 stort = site(QStringLiteral("Proefstort"), kVastSchema);
    item(stort, facility(stort, 1, QStringLiteral("Terrein")),
         merged(compleet(QStringLiteral("Vervangen hekwerk")), {{"bytRubriek_REF", 5}}));
    EXPECT_TRUE(verify(stort, kVastSchema));
}

// A site checked while another one is open (as the province-wide levy does)
// is judged by its own checklist version's surcharge scheme.
TEST_F(VerifyInvoerInrichtingTest, SurchargeSchemeOfTheSiteExamined)
{
    const Fields vervanging = merged(compleet(QStringLiteral("Vervangen hekwerk")), {{"bytRubriek_REF", 5}});
    const qint32 gediff = site(QStringLiteral("Proefstort"), kGedifferentieerd);
    item(gediff, facility(gediff, 1, QStringLiteral("Terrein")), vervanging);
    const qint32 vast = site(QStringLiteral("Proefstort"), kVastSchema);
    item(vast, facility(vast, 1, QStringLiteral("Terrein")), vervanging);

    ctx.gintCL_ID = kVastSchema;
    expectIncomplete(QStringLiteral("Terrein"), QStringLiteral("Vervangen hekwerk"));
    EXPECT_FALSE(modVerifyAnSich::VerifyInvoerInrichting(ctx, gediff, QStringLiteral("Proefstort")));

    ctx.gintCL_ID = kGedifferentieerd;
    EXPECT_TRUE(modVerifyAnSich::VerifyInvoerInrichting(ctx, vast, QStringLiteral("Proefstort")));
}

TEST_F(VerifyInvoerInrichtingTest, UnknownSurchargeTypeIsReportedThenIncomplete)
{
    const qint32 stort = site(QStringLiteral("Proefstort"), kGedifferentieerd);
    item(stort, facility(stort, 1, QStringLiteral("Terrein")),
         merged(compleet(QStringLiteral("Vervangen hekwerk")),
                {{"bytRubriek_REF", 5}, {"bytTypeVervangingsToeslag", 4}, {"sngVervangingsToeslagPerc", 5.0f}}));
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Controle invoer vervangingstoeslag"),
                        QStringLiteral("Onbekende conditie vervangingstoeslag"));
    expectIncomplete(QStringLiteral("Terrein"), QStringLiteral("Vervangen hekwerk"));
    EXPECT_FALSE(verify(stort, kGedifferentieerd));
}

// The walk stops at the first incomplete item in the order of the site tree
// (object category, facility, cost item), whatever order they were entered
// in; the checks of that item stop at its first failing group, so the
// unknown surcharge type of the same item shows no box.
TEST_F(VerifyInvoerInrichtingTest, NamesTheFirstIncompleteItemInTreeOrder)
{
    const qint32 stort = site(QStringLiteral("Proefstort"), kGedifferentieerd);
    const qint32 peilbuizen = facility(stort, 3, QStringLiteral("Peilbuizen"));
    const qint32 wegen = facility(stort, 1, QStringLiteral("Wegen"));
    const qint32 terrein = facility(stort, 1, QStringLiteral("Terrein"));
    item(stort, peilbuizen, merged(compleet(QStringLiteral("Bemonsteren")), {{"intFreqX", QVariant()}}));
    item(stort, wegen, merged(compleet(QStringLiteral("Vegen")), {{"intStartRel", 0}}));
    item(stort, terrein, merged(compleet(QStringLiteral("Snoeien")), {{"sngKostenTotaal", QVariant()}}));
    item(stort, terrein,
         merged(compleet(QStringLiteral("Maaien")),
                {{"intStartRel", QVariant()}, {"bytRubriek_REF", 5}, {"bytTypeVervangingsToeslag", 4}}));
    expectIncomplete(QStringLiteral("Terrein"), QStringLiteral("Maaien"));
    EXPECT_FALSE(verify(stort, kGedifferentieerd));
}

} // namespace

// The comparison of a site's checklist version with a newer one, on the
// checklist file the build ships (landfill versions 3 and 4 differ in
// version values, items added, removed and changed) and the small data file
// of the record tests (a landfill site on version 3).

#include "checklist/version_comparison.h"

#include "records/site_fixture.h"
#include "support/item_at.h"
#include "support/qstring_printer.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

namespace {

using checklist::RapTekst;

class VersionComparisonTest : public ::testing::Test {
protected:
    checklist::VersieVergelijking vergelijk(qint32 nieuw = 4, const QString &tekst = QStringLiteral("2012 (4.0)"))
    {
        return checklist::VergelijkChecklists(site.context(), nieuw, tekst);
    }

    testsupport::SiteFixture site;
};

// The lines of a report text, without empty ones.
QStringList regels(const RapTekst &t)
{
    QStringList lines = t.tekst().split(QStringLiteral("\r\n"));
    lines.removeAll(QString());
    return lines;
}

// The fragment that holds `tekst`, with its format.
checklist::RapOpmaak opmaakVan(const RapTekst &t, const QString &tekst)
{
    for (const checklist::RapStuk &s : t.stukken())
        if (s.tekst.contains(tekst))
            return s.opmaak;
    ADD_FAILURE() << "no fragment with " << tekst.toStdString();
    return {};
}

TEST_F(VersionComparisonTest, VersionsThreeAndFourDifferInValuesAndItems)
{
    const auto v = vergelijk();
    EXPECT_EQ(v.lblGewijzigd, QStringLiteral("Checklistposten die in checklistversie 2012 (4.0) zijn gewijzigd:"));
    EXPECT_EQ(v.lblToegevoegd, QStringLiteral("Checklistposten die in checklistversie 2012 (4.0) zijn toegevoegd:"));
    EXPECT_EQ(v.lblVerwijderd,
              QStringLiteral("Checklistposten die in checklistversie 2012 (4.0) niet meer voorkomen:"));

    EXPECT_EQ(regels(v.txtRapGewijzigd),
              QStringList({
                  "Jaar prijspeil: 2008  2012",
                  "Communicatiekosten:   ten minste € 2.500  € 3.000 - € 6.000",
                  "Rapportage- en evaluatiekosten: hectare-prijs: € 225  € 250",
                  "Algemene apparaatskosten: percentage van NCW (A+B): 3,00%  3,50%",
                  "Algemene apparaatskosten: onder/bovengrens: € 13.000 - € 18.000  € 14.000 - € 19.000",
                  "Bovenafdichting : Vervangen bovenafdichting (ID: 8) (rubriek vervanging)",
                  "Kosten: € 25,00 - € 40,00 per m2  € 30,00 - € 45,00 per m2",
                  "Drainageleidingen : Vervangen drainageleidingen (ID: 16) (rubriek vervanging)",
                  "Periodiciteit: één keer per 30 à 40 jaar  één keer per 35 à 45 jaar",
                  "Overig : Actualiseren nazorgplan (ID: 27) (rubriek overig)",
                  "Naam voorziening is gewijzigd tot: Nazorgorganisatie",
                  "Voorzieningencategorie is gewijzigd tot : Algemeen",
              }));
    EXPECT_EQ(regels(v.txtRapToegevoegd),
              QStringList({"Gasonttrekking : Monitoring stortgasemissie (ID: 35) (rubriek controlemetingen)",
                           "Startjaar : 1e jaar na aanvang nazorg", "Eindjaar : 30e jaar na aanvang nazorg",
                           "Periodiciteit : één keer per 2 à 5 jaar", "Kosten : € 2.500,00 - € 5.000,00"}));
    EXPECT_EQ(testsupport::itemAt(regels(v.txtRapVerwijderd), 0),
              QStringLiteral("Overig : Verwijderen tijdelijke voorzieningen (ID: 29) (rubriek overig)"));

    // An old value struck through, the new one in blue, the label black.
    const auto label = opmaakVan(v.txtRapGewijzigd, QStringLiteral("Jaar prijspeil: "));
    EXPECT_EQ(label.kleur, checklist::kRapZwart);
    EXPECT_FALSE(label.doorgehaald);
    EXPECT_TRUE(opmaakVan(v.txtRapGewijzigd, QStringLiteral("2008")).doorgehaald);
    const auto nieuw = opmaakVan(v.txtRapGewijzigd, QStringLiteral("  2012"));
    EXPECT_EQ(nieuw.kleur, checklist::kRapBlauw);
    EXPECT_FALSE(nieuw.doorgehaald);
    // Item lines are bulleted at size 7 under a heading of size 8.
    const auto kop = opmaakVan(v.txtRapGewijzigd, QStringLiteral("Vervangen drainageleidingen"));
    EXPECT_EQ(kop.grootte, 8);
    EXPECT_FALSE(kop.opsomming);
    const auto regel = opmaakVan(v.txtRapGewijzigd, QStringLiteral("Periodiciteit: "));
    EXPECT_EQ(regel.grootte, 7);
    EXPECT_TRUE(regel.opsomming);
    EXPECT_EQ(opmaakVan(v.txtRapVerwijderd, QStringLiteral("Eindjaar : ")).kleur, checklist::kRapRood);
    EXPECT_EQ(opmaakVan(v.txtRapToegevoegd, QStringLiteral("Eindjaar : ")).kleur, checklist::kRapBlauw);

    EXPECT_EQ(regels(v.txtRapAct),
              QStringList({"Alle ingevoerde kosten worden omgerekend van prijspeil 2008 naar 2012 (factor 1,074953). ",
                           "Risicobedrag (prijspeilcorrectie): € 0  € 0"}));
}

TEST_F(VersionComparisonTest, AVersionAgainstItselfHasNothingToReport)
{
    const auto v = vergelijk(3, QStringLiteral("2008 (3.1)"));
    EXPECT_EQ(v.txtRapGewijzigd.tekst(), QStringLiteral("<er zijn geen posten gewijzigd in de checklist>"));
    EXPECT_EQ(v.txtRapToegevoegd.tekst(), QStringLiteral("<er zijn geen posten toegevoegd in de checklist>"));
    EXPECT_EQ(v.txtRapVerwijderd.tekst(), QStringLiteral("<er zijn geen posten verwijderd uit de checklist>"));
    EXPECT_EQ(v.txtRapAct.tekst(), QStringLiteral("<er hoeven geen aanpassingen worden doorgevoerd>"));
}

TEST_F(VersionComparisonTest, FromVersionTwoTheDifferentiatedSchemeAndAPriceLevelWithoutCorrection)
{
    site.execute(QStringLiteral("UPDATE tblStort SET intCL_REF=2, intJaarPrijsPeil=2006, sngAlgRisicoBedrag=1000"));
    records::Context ctx = site.context();
    ctx.gintCL_ID = 2;
    const auto v = checklist::VergelijkChecklists(ctx, 3, QStringLiteral("2008 (3.1)"));
    EXPECT_TRUE(v.txtRapGewijzigd.tekst().contains(
        QStringLiteral("Percentage ontwerp/directie: 12,0% Geen overall vast percentage van toepassing\r\n")));
    // Both without a communication maximum and the same minimum: no line.
    EXPECT_FALSE(v.txtRapGewijzigd.tekst().contains(QStringLiteral("Communicatiekosten")));
    const QString letOp = QStringLiteral("Let op: er wordt geen automatische prijspeilcorrectie gedaan van 2006 naar "
                                         "2008. U dient de door u ingevoerde prijzen na te lopen en zo nodig aan te "
                                         "passen. ");
    EXPECT_TRUE(v.txtRapAct.tekst().startsWith(letOp)) << v.txtRapAct.tekst().toStdString();
    const auto opmaak = opmaakVan(v.txtRapAct, QStringLiteral("Let op"));
    EXPECT_TRUE(opmaak.vet);
    EXPECT_EQ(opmaak.kleur, checklist::kRapBlauw);
}

TEST_F(VersionComparisonTest, ConsequencesForTheSitesCostItems)
{
    site.execute(QStringLiteral("UPDATE tblStort SET sngAlgRisicoBedrag=1000"));
    // The user gave the facility another name, moved item 2 to another
    // rubric and took item 10 outside its bounds.
    site.execute(QStringLiteral("UPDATE tblInrichting SET strObject='Hekwerk' WHERE idrInrichting_ID=?"),
                 {site.facTerrein});
    site.execute(QStringLiteral("UPDATE tblAct SET bytRubriek_REF=6 WHERE idrAct_ID=?"), {site.clItem2});
    site.execute(QStringLiteral("UPDATE tblAct SET sngKostenPE=9999 WHERE idrAct_ID=?"), {site.clItem10});
    // Item 27 under a facility of category 7; item 29 is gone from version 4.
    site.execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct, "
                                "bytOptieStart, intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieKosten, "
                                "sngKostenTotaal, bytOptieFreq, intFreqX, bytIsQOR, lngClitem_REF, bytCombineer, "
                                "bytTypeVervangingsToeslag) VALUES (?, ?, 6, 'Actualiseren nazorgplan', 2, 1, 0, 3, "
                                "0, 2, 5000, 3, 5, 0, 27, 0, 0)"),
                 {site.siteId, site.facKeet});
    site.execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct, "
                                "bytOptieStart, intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieKosten, "
                                "sngKostenTotaal, bytOptieFreq, bytIsQOR, lngClitem_REF, bytCombineer, "
                                "bytTypeVervangingsToeslag) VALUES (?, ?, 6, 'Opruimen', 2, 1, 0, 3, 0, 2, 5000, 1, "
                                "1, 29, 0, 0)"),
                 {site.siteId, site.facKeet});

    const auto v = vergelijk();
    const QStringList lines = regels(v.txtRapAct);
    EXPECT_EQ(lines.mid(1, 1), QStringList({"Risicobedrag (prijspeilcorrectie): € 1.000  € 1.075"}));
    const QStringList verwacht = {
        "Hekwerk : Onderhoud hekwerk en poort (rubriek overig)",
        "- naam voorziening wordt gewijzigd tot 'Terrein en hekwerk'",
        "- rubriek wordt 'Onderhoud'",
        "Peilbuizen : Controlemetingen grondwater (rubriek controlemetingen)",
        "- voldoet niet langer aan de criteria uit de QOR-checklist.",
        "Bouwkeet 't Hoekje : Actualiseren nazorgplan (rubriek overig)",
        "- naam voorziening wordt gewijzigd tot 'Nazorgorganisatie'",
        "- wordt ingedeeld onder 'Algemeen'",
        "- was voorheen een checklistpost, is daarna door wijziging van checklistversie een gebruikergedefinieerde "
        "post geworden, en wordt nu weer een checklistpost.",
        "Bouwkeet 't Hoekje : Opruimen (rubriek overig)",
        "- wordt een gebruikergedefinieerde post.",
    };
    EXPECT_EQ(lines.mid(2), verwacht);
    EXPECT_TRUE(opmaakVan(v.txtRapAct, QStringLiteral("Peilbuizen : ")).vet);
    EXPECT_FALSE(opmaakVan(v.txtRapAct, QStringLiteral("- voldoet niet")).vet);
}

TEST_F(VersionComparisonTest, AnItemOutsideItsBoundsThatNowConformsIsAnnounced)
{
    // Item 10 at 2 (outside) is within the bounds of version 4 and complete.
    site.execute(QStringLiteral("UPDATE tblAct SET bytIsQOR=2 WHERE idrAct_ID=?"), {site.clItem10});
    const QStringList lines = regels(vergelijk().txtRapAct);
    EXPECT_TRUE(
        lines.contains(QStringLiteral("- voldeed niet, maar voldoet nu wel aan de criteria uit de QOR-checklist.")))
        << lines.join('|').toStdString();
}

TEST(NieuwereVersies, NewerVersionsOfTheSiteKindNewestFirst)
{
    const QString cl = testsupport::checklistFile();
    QStringList shown;
    for (const auto &v : checklist::NieuwereVersies(cl, 1, 2))
        shown << v.key + QLatin1Char('=') + v.tekst;
    EXPECT_EQ(shown, QStringList({"id4=2012 (4.0)", "id3=2008 (3.1)"}));
    EXPECT_TRUE(checklist::NieuwereVersies(cl, 1, 4).isEmpty());
    EXPECT_EQ(checklist::NieuwereVersies(cl, 2, 11).size(), 1);
    EXPECT_EQ(checklist::versieIdUitKey(QStringLiteral("id12")), 12);
}

} // namespace

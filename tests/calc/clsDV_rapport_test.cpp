// The report interface of a calculated object: the report view in its three
// sort orders, the texts of every row, group labels and totals, and the
// checklist conformity of rows and general costs.

#include "calc/clsDV.h"

#include "calc_fixture.h"
#include "support/item_at.h"
#include "support/scripted_dialogs_fixture.h"

#include "platform/core/error.h"
#include "platform/text/format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace {

using calc::clsDV;
using calctest::CalcFixture;
using calctest::ownItem;
using testsupport::itemAt;
using testsupport::lastItem;

class DVRapportTest : public testsupport::ScriptedDialogsTest {
protected:
    std::unique_ptr<clsDV> report(qint32 site, const QString &sortering)
    {
        auto dv = std::make_unique<clsDV>(fx.context(site));
        dv->initializeDV(site, -9, -9);
        EXPECT_TRUE(dv->BerekenAlles());
        dv->rapOpenActRecordset();
        dv->rapSorteerVeldNaam(sortering);
        return dv;
    }
    // The site's facility "Terrein".
    qint32 terrein(qint32 site)
    {
        return fx
            .scalar(QStringLiteral("SELECT idrInrichting_ID FROM tblInrichting WHERE strObject='Terrein'"
                                   " AND lngStort_REF=?"),
                    {site})
            .toInt();
    }

    CalcFixture fx;
};

TEST_F(DVRapportTest, RowTextsByRubric)
{
    auto dv = report(fx.alfa, QStringLiteral("BYTRUBRIEK_REF"));
    struct Row {
        QString naam, groep, start, aanleg, eind, prijs, freq, ncw;
    };
    const Row rows[] = {
        {"Maaien", "Instandhouden", "1", "", "oo", "€ 1.000,00", "2x per jr", "121413,3"},
        {"Zettingsmetingen", "Controlemetingen", "1 (2028)", "", "10 (2040)", "€ 1.200,00", "1x per jr", "18089,72"},
        {"Controlemetingen grondwater", "Controlemetingen", "-", "-", "-", "zie combinatiepost", "-", "0"},
        {"Inspectie peilbuizen", "Inspecties", "nvt (2030)", "", "- (2030)", "€ 800,00", "eenm.", "0"},
        {"Onderhoud hekwerk en poort", "Onderhoud", "1 (2031)", "", "16 (2050)", "10% x€ 20.000 = € 2.000",
         "1x per 5 jr", "11162,31"},
        {"Vervangen afdeklaag", "Vervanging", "14", "naz.jr. 10", "34", "100 x € 25,00/m2 = € 2.500", "1x per 10 jr",
         "6866,881"},
        {"Opruimen", "Overig", "3", "", "-", "€ 5.000,00", "eenm.", "8183,891"},
    };
    ASSERT_EQ(dv->rapAantalRijen(), qint32(std::size(rows)));
    for (qint32 i = 0; i < dv->rapAantalRijen(); ++i) {
        const Row &r = rows[i];
        SCOPED_TRACE(r.naam.toStdString());
        const calc::DVRapportRegel regel = dv->rapRegel(i);
        EXPECT_EQ(regel.Kostenpost(), r.naam);
        EXPECT_EQ(regel.SorteerVeldwaardeString(), r.groep);
        EXPECT_EQ(regel.Tstart(), r.start);
        EXPECT_EQ(regel.KalJaarAanlegBA(), r.aanleg);
        EXPECT_EQ(regel.Teind(), r.eind);
        EXPECT_EQ(regel.PrijsPerKeer(), r.prijs);
        EXPECT_EQ(regel.Freq(), r.freq);
        EXPECT_EQ(regel.NCW(), r.ncw);
    }

    const calc::DVRapportRegel eerste = dv->rapRegel(0);
    EXPECT_EQ(eerste.ObjectCat(), QStringLiteral("Algemeen"));
    EXPECT_EQ(eerste.ObjectCat_ID(), QStringLiteral("1"));
    EXPECT_EQ(eerste.Voorz(), QStringLiteral("Terrein"));
    EXPECT_EQ(eerste.SorteerVeldwaardeID(), 1);
    EXPECT_EQ(eerste.NCWFactorX(), QStringLiteral("121,4133"));
    EXPECT_EQ(dv->rapPercVanDV(121413.2578125f), QStringLiteral("(7,5%)"));
    EXPECT_FLOAT_EQ(eerste.FractieVanTotaalDV(), 121413.2578125f / 1620407.875f);
    EXPECT_FLOAT_EQ(dv->rapTotaalPerSorteerveld(1).toFloat(), 121413.2578125f);
    EXPECT_FLOAT_EQ(dv->rapTotaalPerSorteerveld(6).toFloat(), 8183.89111328125f);
    EXPECT_EQ(dv->AantalDVtabelRegels(), 3 * 7 + 3 * 3 + 60);
    // A key outside the groups is the caller's error, reported as such.
    for (std::uint8_t sleutel : {std::uint8_t(0), std::uint8_t(7)}) {
        try {
            dv->rapTotaalPerSorteerveld(sleutel);
            ADD_FAILURE() << "no error for key " << int(sleutel);
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), 9);
        }
    }

    // Another field name is kept but neither sorts nor labels.
    dv->rapSorteerVeldNaam(QStringLiteral("strAct"));
    EXPECT_EQ(dv->rapRegel(0).SorteerVeldwaardeString(), QString());
    EXPECT_FALSE(dv->rapTotaalPerSorteerveld(1).isValid());
}

TEST_F(DVRapportTest, SortOrdersAndGroups)
{
    auto perCat = report(fx.alfa, QStringLiteral("bytObjectCat_REF"));
    QStringList namen, groepen;
    for (qint32 i = 0; i < perCat->rapAantalRijen(); ++i) {
        const calc::DVRapportRegel regel = perCat->rapRegel(i);
        namen << regel.Kostenpost();
        groepen << regel.SorteerVeldwaardeString();
    }
    EXPECT_EQ(namen, QStringList({"Maaien", "Zettingsmetingen", "Onderhoud hekwerk en poort", "Vervangen afdeklaag",
                                  "Controlemetingen grondwater", "Inspectie peilbuizen", "Opruimen"}));
    EXPECT_EQ(itemAt(groepen, 0), QStringLiteral("Algemeen"));
    EXPECT_EQ(lastItem(groepen), QStringLiteral("Grondwatermonitoringssysteem"));
    EXPECT_FLOAT_EQ(perCat->rapTotaalPerSorteerveld(1).toFloat(), 150665.28125f);

    // Conformity: outside the criteria first, then within, then own items.
    auto perQOR = report(fx.alfa, QStringLiteral("bytIsQOR"));
    namen.clear();
    groepen.clear();
    for (qint32 i = 0; i < perQOR->rapAantalRijen(); ++i) {
        const calc::DVRapportRegel regel = perQOR->rapRegel(i);
        namen << regel.Kostenpost();
        groepen << regel.SorteerVeldwaardeString();
    }
    EXPECT_EQ(namen, QStringList({"Controlemetingen grondwater", "Onderhoud hekwerk en poort", "Maaien",
                                  "Zettingsmetingen", "Vervangen afdeklaag", "Inspectie peilbuizen", "Opruimen"}));
    EXPECT_EQ(itemAt(groepen, 0), QStringLiteral("Checklistposten, niet conform criteria"));
    EXPECT_EQ(itemAt(groepen, 1), QStringLiteral("Checklistposten"));
    EXPECT_EQ(itemAt(groepen, 2), QStringLiteral("Door gebruiker gedefinieerd"));
    EXPECT_FLOAT_EQ(perQOR->rapTotaalPerSorteerveld(0).toFloat(), 154553.75f);
    EXPECT_FLOAT_EQ(perQOR->rapTotaalPerSorteerveld(1).toFloat(), 11162.3125f);
}

// An item added after the calculation stands in the view without a result:
// its row says so and shows the result of the row read before it.
TEST_F(DVRapportTest, AnItemAddedAfterTheCalculationShowsTheResultReadBeforeIt)
{
    clsDV dv(fx.context(fx.alfa));
    dv.initializeDV(fx.alfa, -9, -9);
    ASSERT_TRUE(dv.BerekenAlles());
    const qint32 nieuw = fx.item(fx.alfa, terrein(fx.alfa), ownItem(QStringLiteral("Zaaien"), {{"bytRubriek_REF", 1}}));
    dv.rapOpenActRecordset();
    dv.rapSorteerVeldNaam(QStringLiteral("bytRubriek_REF"));
    EXPECT_EQ(dv.rapRegel(0).NCW(), QStringLiteral("121413,3"));
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout in rapActiveerDV_ID Alfa"),
                        QStringLiteral("Doelvermogen-ID %1 niet gevonden.").arg(nieuw));
    const calc::DVRapportRegel regel = dv.rapRegel(1);
    EXPECT_EQ(regel.Act_ID(), nieuw);
    EXPECT_EQ(regel.NCW(), QStringLiteral("121413,3"));
}

// Each row of the view reads its own cost item and that item's result,
// whatever the order the rows are read in; a row whose item was not
// calculated (its facility belongs to the site, the item itself to another)
// shows the result activated before it, after a box, and past the last row
// reading fails as reading beyond the end of a recordset does.
TEST_F(DVRapportTest, EachRowOfTheViewReadsItsOwnItemInAnyOrder)
{
    const qint32 vreemd =
        fx.item(fx.beta, terrein(fx.alfa), ownItem(QStringLiteral("Zaaien"), {{"bytRubriek_REF", 1}}));
    struct Post {
        qint32 id;
        const char *naam, *voorz;
        int cat, rubriek, isQOR, combineer;
        const char *aanleg, *prijs, *freq;
        // From the item's result; none for the item not calculated.
        const char *start, *eind, *ncw;
    };
    const Post posten[] = {
        {fx.aMaaien, "Maaien", "Terrein", 1, 1, 0, 0, "", "€ 1.000,00", "2x per jr", "1", "oo", "121413,3"},
        {vreemd, "Zaaien", "Terrein", 1, 1, 0, 0, "", "€ 1.000,00", "1x per jr", nullptr, nullptr, nullptr},
        {fx.aZetting, "Zettingsmetingen", "Terrein", 1, 2, 0, 0, "", "€ 1.200,00", "1x per jr", "1 (2028)", "10 (2040)",
         "18089,72"},
        {fx.aGecombineerd, "Controlemetingen grondwater", "Peilbuizen", 3, 2, 2, 1, "-", "zie combinatiepost", "-", "-",
         "-", "0"},
        {fx.aInspectie, "Inspectie peilbuizen", "Peilbuizen", 3, 3, 0, 0, "", "€ 800,00", "eenm.", "nvt (2030)",
         "- (2030)", "0"},
        {fx.aHekwerk, "Onderhoud hekwerk en poort", "Terrein", 1, 4, 1, 0, "", "10% x€ 20.000 = € 2.000", "1x per 5 jr",
         "1 (2031)", "16 (2050)", "11162,31"},
        {fx.aAfdeklaag, "Vervangen afdeklaag", "Bovenafdichting", 2, 5, 0, 0, "naz.jr. 10",
         "100 x € 25,00/m2 = € 2.500", "1x per 10 jr", "14", "34", "6866,881"},
        {fx.aOpruimen, "Opruimen", "Peilbuizen", 3, 6, 0, 0, "", "€ 5.000,00", "eenm.", "3", "-", "8183,891"},
    };
    const QStringList categorieen = {QString(), "Algemeen", "Bovenafdichting", "Grondwatermonitoringssysteem"};
    struct Sortering {
        const char *veld;
        int Post::*sleutel;
        QStringList groepen; // by key
        QStringList volgorde;
    };
    const Sortering sorteringen[] = {
        {"bytRubriek_REF",
         &Post::rubriek,
         {QString(), "Instandhouden", "Controlemetingen", "Inspecties", "Onderhoud", "Vervanging", "Overig"},
         {"Maaien", "Zaaien", "Zettingsmetingen", "Controlemetingen grondwater", "Inspectie peilbuizen",
          "Onderhoud hekwerk en poort", "Vervangen afdeklaag", "Opruimen"}},
        {"bytObjectCat_REF",
         &Post::cat,
         categorieen,
         {"Maaien", "Zaaien", "Zettingsmetingen", "Onderhoud hekwerk en poort", "Vervangen afdeklaag",
          "Controlemetingen grondwater", "Inspectie peilbuizen", "Opruimen"}},
        {"bytIsQOR",
         &Post::isQOR,
         {"Door gebruiker gedefinieerd", "Checklistposten", "Checklistposten, niet conform criteria"},
         {"Controlemetingen grondwater", "Onderhoud hekwerk en poort", "Maaien", "Zaaien", "Zettingsmetingen",
          "Vervangen afdeklaag", "Inspectie peilbuizen", "Opruimen"}},
    };
    auto post = [&](const QString &naam) -> const Post & {
        for (const Post &p : posten)
            if (naam == QLatin1String(p.naam))
                return p;
        throw std::logic_error("no such item in the table");
    };
    for (const Sortering &s : sorteringen) {
        SCOPED_TRACE(s.veld);
        auto dv = report(fx.alfa, QString::fromLatin1(s.veld));
        ASSERT_EQ(dv->lngAantalRecords, 7);
        ASSERT_EQ(dv->rapAantalRijen(), s.volgorde.size());
        // The rows are read from the last to the first.
        const Post *vorige = nullptr;
        for (qint32 i = dv->rapAantalRijen() - 1; i >= 0; --i) {
            const Post &p = post(s.volgorde[i]);
            SCOPED_TRACE(p.naam);
            if (p.id == vreemd)
                script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout in rapActiveerDV_ID Alfa"),
                                    QStringLiteral("Doelvermogen-ID %1 niet gevonden.").arg(vreemd));
            const calc::DVRapportRegel regel = dv->rapRegel(i);
            EXPECT_EQ(regel.Act_ID(), p.id);
            EXPECT_EQ(regel.Kostenpost(), QString::fromUtf8(p.naam));
            EXPECT_EQ(regel.Voorz(), QString::fromUtf8(p.voorz));
            EXPECT_EQ(regel.ObjectCat(), categorieen[p.cat]);
            EXPECT_EQ(regel.ObjectCat_ID(), QString::number(p.cat));
            EXPECT_EQ(regel.Rubriek(), p.rubriek);
            EXPECT_EQ(regel.Combineer(), p.combineer);
            EXPECT_EQ(regel.KalJaarAanlegBA(), QString::fromUtf8(p.aanleg));
            EXPECT_EQ(regel.PrijsPerKeer(), QString::fromUtf8(p.prijs));
            EXPECT_EQ(regel.Freq(), QString::fromUtf8(p.freq));
            EXPECT_EQ(regel.SorteerVeldwaardeID(), p.*s.sleutel);
            EXPECT_EQ(regel.SorteerVeldwaardeString(), s.groepen[p.*s.sleutel]);
            EXPECT_EQ(dv->rapIsQOR(regel), p.isQOR);
            if (p.ncw) {
                EXPECT_EQ(regel.Tstart(), QString::fromUtf8(p.start));
                EXPECT_EQ(regel.Teind(), QString::fromUtf8(p.eind));
                EXPECT_EQ(regel.NCW(), QString::fromUtf8(p.ncw));
            } else {
                ASSERT_NE(vorige, nullptr);
                EXPECT_EQ(regel.NCW(), QString::fromUtf8(vorige->ncw));
            }
            vorige = &p;
        }
        try {
            dv->rapRegel(dv->rapAantalRijen());
            ADD_FAILURE() << "no error past the last row";
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), 3021);
        }
    }
}

TEST_F(DVRapportTest, ARunForAnotherSiteFindsOnlyItsOwnItems)
{
    auto dv = report(fx.alfa, QStringLiteral("bytRubriek_REF"));
    ASSERT_EQ(dv->rapRegel(0).Act_ID(), fx.aMaaien);
    EXPECT_EQ(dv->rapRegel(0).NCW(), QStringLiteral("121413,3"));
    // The same object bound to Beta and calculated again: Alfa's item, still
    // in the view opened before, has no result in Beta's run.
    dv->initializeDV(fx.beta, -9, -9);
    ASSERT_TRUE(dv->BerekenAlles());
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout in rapActiveerDV_ID Beta"),
                        QStringLiteral("Doelvermogen-ID %1 niet gevonden.").arg(fx.aMaaien));
    dv->rapRegel(0);
    // The view opened again: every row is one of Beta's items, with its own
    // result.
    dv->rapOpenActRecordset();
    QList<qint32> ids;
    QString maaienBeta;
    for (qint32 i = 0; i < dv->rapAantalRijen(); ++i) {
        const calc::DVRapportRegel regel = dv->rapRegel(i);
        ids << regel.Act_ID();
        const auto &items = dv->items();
        const auto eigen = std::find_if(items.begin(), items.end(),
                                        [&](const clsDV::ItemResult &r) { return r.Act_ID == regel.Act_ID(); });
        ASSERT_NE(eigen, items.end());
        EXPECT_EQ(regel.NCW(), vb::CStr(eigen->NCW));
        if (regel.Act_ID() == fx.bMaaien)
            maaienBeta = regel.NCW();
    }
    EXPECT_TRUE(ids.contains(fx.bMaaien));
    EXPECT_FALSE(ids.contains(fx.aMaaien));
    EXPECT_NE(maaienBeta, QStringLiteral("121413,3"));
}

TEST_F(DVRapportTest, ACalculationAfterTheViewOpenedGivesEveryRowItsNewValues)
{
    auto dv = report(fx.alfa, QStringLiteral("bytRubriek_REF"));
    // Without its first item the site's other items stand one place earlier.
    fx.execute(QStringLiteral("DELETE FROM tblAct WHERE idrAct_ID=?"), {fx.aMaaien});
    ASSERT_TRUE(dv->BerekenAlles());
    // The view still holds the deleted item's row: the rows after it read
    // their own items' new results.
    const calc::DVRapportRegel hekwerk = dv->rapRegel(4);
    EXPECT_EQ(hekwerk.Act_ID(), fx.aHekwerk);
    EXPECT_EQ(hekwerk.NCW(), QStringLiteral("11162,31"));
    const calc::DVRapportRegel afdeklaag = dv->rapRegel(5);
    EXPECT_EQ(afdeklaag.Act_ID(), fx.aAfdeklaag);
    EXPECT_EQ(afdeklaag.NCW(), QStringLiteral("6866,881"));
}

TEST_F(DVRapportTest, ZeroTargetFund)
{
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Nul")},
                                 {"intStortType", 1},
                                 {"sngRentePerc", 4.0},
                                 {"sngInflPerc", 2.0},
                                 {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")},
                                 {"intJaarPrijsPeil", 2002},
                                 {"sngNazorgOpp", 5.0},
                                 {"bytRapEval", 1},
                                 {"intCL_REF", 1}});
    fx.item(site, fx.facility(site, 1, QStringLiteral("Terrein")),
            ownItem(QStringLiteral("Niets"), {{"sngKostenTotaal", 0.0}}));
    auto dv = report(site, QStringLiteral("bytRubriek_REF"));
    EXPECT_EQ(dv->DoelvermogenZonderRisicoFonds(), 0.0f);
    EXPECT_EQ(dv->rapPercVanDV(10.0f), QStringLiteral("-"));
    EXPECT_EQ(dv->rapRegel(0).FractieVanTotaalDV(), 0.0f);
}

TEST_F(DVRapportTest, ConformityOfRows)
{
    // Class 2 rows: one whose checklist item now meets every bound, one
    // whose item is gone from the version.
    const qint32 conform = fx.item(fx.alfa, terrein(fx.alfa),
                                   ownItem(QStringLiteral("Onderhoud hekwerk (conform)"), {{"bytIsQOR", 2},
                                                                                           {"lngClitem_REF", 2},
                                                                                           {"sngKostenTotaal", 1500.0},
                                                                                           {"bytOptieFreq", 3},
                                                                                           {"intFreqX", 5}}));
    const qint32 weg = fx.item(fx.alfa, terrein(fx.alfa),
                               ownItem(QStringLiteral("Verdwenen"), {{"bytIsQOR", 2}, {"lngClitem_REF", 999}}));
    auto dv = report(fx.alfa, QStringLiteral("bytIsQOR"));
    std::map<qint32, int> klasse;
    int gecontroleerd = 0;
    for (qint32 i = 0; i < dv->rapAantalRijen(); ++i) {
        const calc::DVRapportRegel regel = dv->rapRegel(i);
        const qint32 id = regel.Act_ID();
        dv->rapIsNietQOR_JaarStart = dv->rapIsNietQOR_JaarEind = dv->rapIsNietQOR_Kosten = dv->rapIsNietQOR_Freq = true;
        if (id == weg)
            script.expectMsgBox(ui::Icon::Critical, QString(),
                                QStringLiteral("Checklistpost 999 is niet (meer) aanwezig in de checklist."));
        klasse[id] = dv->rapIsQOR(regel);
        if (id == conform) {
            ++gecontroleerd;
            EXPECT_FALSE(dv->rapIsNietQOR_JaarStart);
            EXPECT_FALSE(dv->rapIsNietQOR_JaarEind);
            EXPECT_FALSE(dv->rapIsNietQOR_Kosten);
            EXPECT_FALSE(dv->rapIsNietQOR_Freq);
        } else {
            // A missing item or a class 0/1 row leaves the flags alone.
            if (id == weg || id == fx.aMaaien || id == fx.aHekwerk) {
                ++gecontroleerd;
                EXPECT_TRUE(dv->rapIsNietQOR_JaarStart && dv->rapIsNietQOR_Kosten);
            }
        }
    }
    EXPECT_EQ(gecontroleerd, 4);
    EXPECT_EQ(klasse[conform], 2);
    EXPECT_EQ(klasse[weg], 2);
    EXPECT_EQ(klasse[fx.aHekwerk], 1);
    EXPECT_EQ(klasse[fx.aMaaien], 0);
    // Stored codes are not rewritten by the report.
    EXPECT_EQ(fx.scalar(QStringLiteral("SELECT bytIsQOR FROM tblAct WHERE idrAct_ID=?"), {conform}).toInt(), 2);
}

TEST_F(DVRapportTest, ConformityOfGeneralCosts)
{
    auto dv = report(fx.alfa, QStringLiteral("bytRubriek_REF"));
    EXPECT_EQ(dv->rapIsQORCommKosten(), 1);
    EXPECT_EQ(dv->rapIsQORAppKosten(), 1);
    EXPECT_EQ(dv->rapIsQORRapEval(), 1);
    EXPECT_EQ(dv->rapIsQOROnvoorzien(), 1);
    EXPECT_EQ(dv->rapIsQOROntwerpdirectieFixed(), 1);
    EXPECT_FLOAT_EQ(dv->rapPercOnvoorz(), 0.10f);
    EXPECT_FLOAT_EQ(dv->rapPercDirectievoering2002(), 0.12f);

    dv->sngCommunicatieKostenPerJaar = 6000;
    dv->sngAppKostenBasisPerc = 0.04f;
    dv->sngRapEvalPerHa = 200;
    dv->sngOnvoorzien = 0.2f;
    dv->sngOntwerpdirectieFixed = 0.1f;
    EXPECT_EQ(dv->rapIsQORCommKosten(), 2);
    EXPECT_EQ(dv->rapIsQORAppKosten(), 2);
    EXPECT_EQ(dv->rapIsQORRapEval(), 2);
    EXPECT_EQ(dv->rapIsQOROnvoorzien(), 2);
    EXPECT_EQ(dv->rapIsQOROntwerpdirectieFixed(), 2);
}

} // namespace

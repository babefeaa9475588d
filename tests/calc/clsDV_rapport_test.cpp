// The report interface of a calculated object: the report view in its three
// sort orders, the texts of every row, group labels and totals, and the
// checklist conformity of rows and general costs.

#include "calc/clsDV.h"

#include "calc_fixture.h"
#include "support/item_at.h"
#include "support/scripted_dialogs_fixture.h"

#include "platform/core/error.h"

#include <gtest/gtest.h>

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
        dv->GaNaarEersteRecord();
        return dv;
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
    for (const Row &r : rows) {
        SCOPED_TRACE(r.naam.toStdString());
        ASSERT_FALSE(dv->rapEOF());
        dv->rapActiveerDV_ID(dv->rapAct_ID());
        EXPECT_EQ(dv->rapKostenpost(), r.naam);
        EXPECT_EQ(dv->rapSorteerVeldwaardeString(), r.groep);
        EXPECT_EQ(dv->rapTstart(), r.start);
        EXPECT_EQ(dv->rapKalJaarAanlegBA(), r.aanleg);
        EXPECT_EQ(dv->rapTeind(), r.eind);
        EXPECT_EQ(dv->rapPrijsPerKeer(), r.prijs);
        EXPECT_EQ(dv->rapFreq(), r.freq);
        EXPECT_EQ(dv->rapNCW(), r.ncw);
        dv->GaNaarVolgendeRecord();
    }
    EXPECT_TRUE(dv->rapEOF());

    dv->rapRsActMoveFirst();
    dv->rapActiveerDV_ID(dv->rapAct_ID());
    EXPECT_EQ(dv->rapObjectCat(), QStringLiteral("Algemeen"));
    EXPECT_EQ(dv->rapObjectCat_ID(), QStringLiteral("1"));
    EXPECT_EQ(dv->rapVoorz(), QStringLiteral("Terrein"));
    EXPECT_EQ(dv->rapSorteerVeldwaardeID(), 1);
    EXPECT_EQ(dv->rapNCWFactorX(), QStringLiteral("121,4133"));
    EXPECT_EQ(dv->rapPercVanDV(121413.2578125f), QStringLiteral("(7,5%)"));
    EXPECT_FLOAT_EQ(dv->rapFractieVanTotaalDV(), 121413.2578125f / 1620407.875f);
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
    EXPECT_EQ(dv->rapSorteerVeldwaardeString(), QString());
    EXPECT_FALSE(dv->rapTotaalPerSorteerveld(1).isValid());
}

TEST_F(DVRapportTest, SortOrdersAndGroups)
{
    auto perCat = report(fx.alfa, QStringLiteral("bytObjectCat_REF"));
    QStringList namen, groepen;
    for (; !perCat->rapEOF(); perCat->GaNaarVolgendeRecord()) {
        namen << perCat->rapKostenpost();
        groepen << perCat->rapSorteerVeldwaardeString();
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
    for (; !perQOR->rapEOF(); perQOR->GaNaarVolgendeRecord()) {
        namen << perQOR->rapKostenpost();
        groepen << perQOR->rapSorteerVeldwaardeString();
    }
    EXPECT_EQ(namen, QStringList({"Controlemetingen grondwater", "Onderhoud hekwerk en poort", "Maaien",
                                  "Zettingsmetingen", "Vervangen afdeklaag", "Inspectie peilbuizen", "Opruimen"}));
    EXPECT_EQ(itemAt(groepen, 0), QStringLiteral("Checklistposten, niet conform criteria"));
    EXPECT_EQ(itemAt(groepen, 1), QStringLiteral("Checklistposten"));
    EXPECT_EQ(itemAt(groepen, 2), QStringLiteral("Door gebruiker gedefinieerd"));
    EXPECT_FLOAT_EQ(perQOR->rapTotaalPerSorteerveld(0).toFloat(), 154553.75f);
    EXPECT_FLOAT_EQ(perQOR->rapTotaalPerSorteerveld(1).toFloat(), 11162.3125f);
}

TEST_F(DVRapportTest, UnknownIdKeepsThePosition)
{
    auto dv = report(fx.alfa, QStringLiteral("bytRubriek_REF"));
    dv->rapActiveerDV_ID(fx.aMaaien);
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout in rapActiveerDV_ID Alfa"),
                        QStringLiteral("Doelvermogen-ID 99999 niet gevonden."));
    dv->rapActiveerDV_ID(99999);
    EXPECT_EQ(dv->rapNCW(), QStringLiteral("121413,3"));
}

// Each row of the view reads its own cost item and that item's result,
// whatever the order the rows are read in and wherever the cursor stands;
// a row whose item was not calculated (its facility belongs to the site,
// the item itself to another) shows the result activated before it, after
// a box, and past the last row reading fails as the cursor's does.
TEST_F(DVRapportTest, EachRowOfTheViewReadsItsOwnItemInAnyOrder)
{
    const qint32 terrein =
        fx.scalar(QStringLiteral("SELECT idrInrichting_ID FROM tblInrichting WHERE strObject='Terrein'"
                                 " AND lngStort_REF=?"),
                  {fx.alfa})
            .toInt();
    const qint32 vreemd = fx.item(fx.beta, terrein, ownItem(QStringLiteral("Zaaien"), {{"bytRubriek_REF", 1}}));
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
        // The cursor stands on the third row; the rows are read from the
        // last to the first.
        dv->GaNaarVolgendeRecord();
        dv->GaNaarVolgendeRecord();
        const qint32 cursor = dv->rapAct_ID();
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
        EXPECT_EQ(dv->rapAct_ID(), cursor);
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
    dv->rapActiveerDV_ID(fx.aMaaien);
    EXPECT_EQ(dv->rapNCW(), QStringLiteral("121413,3"));
    // The same object bound to Beta and calculated again.
    dv->initializeDV(fx.beta, -9, -9);
    ASSERT_TRUE(dv->BerekenAlles());
    dv->rapOpenActRecordset();
    dv->GaNaarEersteRecord();
    dv->rapActiveerDV_ID(fx.bMaaien);
    const QString maaienBeta = dv->rapNCW();
    EXPECT_NE(maaienBeta, QStringLiteral("121413,3"));
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Fout in rapActiveerDV_ID Beta"),
                        QStringLiteral("Doelvermogen-ID %1 niet gevonden.").arg(fx.aMaaien));
    dv->rapActiveerDV_ID(fx.aMaaien);
    EXPECT_EQ(dv->rapNCW(), maaienBeta);
}

TEST_F(DVRapportTest, ACalculationAfterTheViewOpenedGivesEveryRowItsNewValues)
{
    auto dv = report(fx.alfa, QStringLiteral("bytRubriek_REF"));
    // Without its first item the site's other items stand one place earlier.
    fx.execute(QStringLiteral("DELETE FROM tblAct WHERE idrAct_ID=?"), {fx.aMaaien});
    ASSERT_TRUE(dv->BerekenAlles());
    dv->rapActiveerDV_ID(fx.aHekwerk);
    EXPECT_EQ(dv->rapNCW(), QStringLiteral("11162,31"));
    dv->rapActiveerDV_ID(fx.aAfdeklaag);
    EXPECT_EQ(dv->rapNCW(), QStringLiteral("6866,881"));
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
    dv->rapActiveerDV_ID(dv->rapAct_ID());
    EXPECT_EQ(dv->DoelvermogenZonderRisicoFonds(), 0.0f);
    EXPECT_EQ(dv->rapPercVanDV(10.0f), QStringLiteral("-"));
    EXPECT_EQ(dv->rapFractieVanTotaalDV(), 0.0f);
}

TEST_F(DVRapportTest, ConformityOfRows)
{
    // Class 2 rows: one whose checklist item now meets every bound, one
    // whose item is gone from the version.
    const qint32 terrein =
        fx.scalar(QStringLiteral("SELECT idrInrichting_ID FROM tblInrichting WHERE strObject='Terrein'"
                                 " AND lngStort_REF=?"),
                  {fx.alfa})
            .toInt();
    const qint32 conform = fx.item(fx.alfa, terrein,
                                   ownItem(QStringLiteral("Onderhoud hekwerk (conform)"), {{"bytIsQOR", 2},
                                                                                           {"lngClitem_REF", 2},
                                                                                           {"sngKostenTotaal", 1500.0},
                                                                                           {"bytOptieFreq", 3},
                                                                                           {"intFreqX", 5}}));
    const qint32 weg =
        fx.item(fx.alfa, terrein, ownItem(QStringLiteral("Verdwenen"), {{"bytIsQOR", 2}, {"lngClitem_REF", 999}}));
    auto dv = report(fx.alfa, QStringLiteral("bytIsQOR"));
    std::map<qint32, int> klasse;
    int gecontroleerd = 0;
    for (; !dv->rapEOF(); dv->GaNaarVolgendeRecord()) {
        const qint32 id = dv->rapAct_ID();
        dv->rapIsNietQOR_JaarStart = dv->rapIsNietQOR_JaarEind = dv->rapIsNietQOR_Kosten = dv->rapIsNietQOR_Freq = true;
        if (id == weg)
            script.expectMsgBox(ui::Icon::Critical, QString(),
                                QStringLiteral("Checklistpost 999 is niet (meer) aanwezig in de checklist."));
        klasse[id] = dv->rapIsQOR();
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

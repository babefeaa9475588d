// The cost-item table of the input-data report, read back by python-docx.

#include "report_fixture.h"
#include "support/item_at.h"

#include "reports/clsActRapInvoer.h"
#include "reports/rap_kostenposten.h"

#include <gtest/gtest.h>

namespace {

using reporttest::column;
using testsupport::itemAt;

const QString S250 = QString(QChar(0x25CB));
const QString S252 = QString(QChar(0x2714));
const QString S214 = QString(QChar(0x2718));

// The progress bar as the writer moves it.
struct Voortgang : reports::Voortgang {
    void setVisible(bool) override {}
    void setMinimum(int v) override { minimum = v; }
    void setMaximum(int v) override { maximum = v; }
    void setValue(int v) override { values << v; }
    int minimum = 0, maximum = 0;
    QList<int> values;
};

class KostenpostenTest : public reporttest::WordReportTest {
protected:
    QJsonObject write(qint32 site, bool deelVooraf)
    {
        if (deelVooraf)
            app.Selection().TypeText(QStringLiteral("vorig deel"));
        reports::RapporteerKostenposten(app, doc, context(site), &voortgang, deelVooraf);
        return saveAndRead();
    }
    Voortgang voortgang;
};

TEST_F(KostenpostenTest, ListsEveryItemByCategoryAndFacility)
{
    const QJsonObject d = write(fx.alfa, false);
    const QJsonObject t = itemAt(wordtest::tables(d), 0).toObject();
    const QStringList expected = {
        "|post|start|eind|freq.|kosten|verwijzing nazorgplan|opmerkingen",
        "|||||||",
        "|ALGEMEEN||||||",
        "|||||||",
        "|Terrein||||||",
        S250 + "|Maaien|1|oo|2x per jr| €1000||",
        S250 + "|Zettingsmetingen|2028 *|2040 *|1x per jr| €1200||",
        S252 + "|Onderhoud hekwerk en poort|2031 *|2050 *|1x per 5 jr|10 % x €20000||",
        "|||||||",
        "|BOVENAFDICHTING||||||",
        "|||||||",
        "|Bovenafdichting||||||",
        S250 + "|Vervangen afdeklaag|10 + 5 #| + 30 #|1x per 10 jr|100 x €25/m2||",
        "|||||||",
        "|GRONDWATERMONITORINGSSYSTEEM||||||",
        "|||||||",
        "|Peilbuizen||||||",
        S214 + "|Controlemetingen grondwater|-|-|-|zie combinatiepost||",
        S250 + "|Inspectie peilbuizen|2030 *|2030 *|eenm.| €800||",
        S250 + "|Opruimen|3|3|eenm.| €5000||",
        "|||||||",
    };
    EXPECT_EQ(wordtest::rowTexts(t), expected);

    // Header row: bold, lines above and below, repeated on every page.
    const QJsonArray rows = t[QStringLiteral("rows")].toArray();
    EXPECT_TRUE(itemAt(rows, 0).toObject()[QStringLiteral("heading")].toBool());
    EXPECT_TRUE(wordtest::cell(t, 1, 2)[QStringLiteral("bold")].toBool());
    EXPECT_NE(wordtest::cell(t, 1, 2)[QStringLiteral("top")], QJsonValue());
    EXPECT_NE(wordtest::cell(t, 1, 2)[QStringLiteral("bottom")], QJsonValue());
    EXPECT_NE(wordtest::cell(t, rows.size(), 2)[QStringLiteral("bottom")], QJsonValue());
    // Category bold, facility underlined, items plain, in 8 points Arial.
    EXPECT_TRUE(wordtest::cell(t, 3, 2)[QStringLiteral("bold")].toBool());
    EXPECT_TRUE(wordtest::cell(t, 5, 2)[QStringLiteral("underline")].toBool());
    EXPECT_FALSE(wordtest::cell(t, 5, 2)[QStringLiteral("bold")].toBool());
    const QJsonObject item = wordtest::cell(t, 6, 2);
    EXPECT_FALSE(item[QStringLiteral("bold")].toBool() || item[QStringLiteral("underline")].toBool());
    EXPECT_EQ(item[QStringLiteral("font")].toString(), QStringLiteral("Arial"));
    EXPECT_EQ(item[QStringLiteral("size")].toDouble(), 8.0);
    // The status column in the symbol font.
    EXPECT_EQ(wordtest::cell(t, 6, 1)[QStringLiteral("font")].toString(), reports::kSymboolKolomFont);
    EXPECT_EQ(t[QStringLiteral("grid")].toArray(), (QJsonArray{0.5, 6.3, 2.5, 2.0, 2.3, 4.4, 3.0, 3.7}));
    // A group's header rows keep with the group; the last item before a
    // new category does not.
    EXPECT_TRUE(wordtest::cell(t, 2, 1)[QStringLiteral("keep_with_next")].toBool());
    EXPECT_TRUE(wordtest::cell(t, 5, 1)[QStringLiteral("keep_with_next")].toBool());
    EXPECT_FALSE(wordtest::cell(t, 8, 1)[QStringLiteral("keep_with_next")].toBool());

    EXPECT_EQ(voortgang.minimum, 1);
    EXPECT_EQ(voortgang.maximum, 8);
    EXPECT_EQ(voortgang.values, (QList<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(KostenpostenTest, FirstPartIsALandscapeSectionWithHeadingAndLegend)
{
    const QJsonObject d = write(fx.alfa, false);
    const QJsonArray sections = d[QStringLiteral("sections")].toArray();
    ASSERT_EQ(sections.size(), 1);
    const QJsonObject s = sections[0].toObject();
    EXPECT_EQ(s[QStringLiteral("orientation")].toInt(), 1);
    EXPECT_EQ(s[QStringLiteral("width")].toDouble(), 29.7);
    EXPECT_EQ(s[QStringLiteral("height")].toDouble(), 21.0);
    EXPECT_EQ(s[QStringLiteral("left")].toDouble(), 2.5);
    EXPECT_EQ(s[QStringLiteral("top")].toDouble(), 1.5);
    EXPECT_EQ(s[QStringLiteral("footer")].toDouble(), 0.7);

    const QStringList texts = wordtest::bodyTexts(d);
    ASSERT_GE(texts.size(), 2);
    EXPECT_EQ(texts[0], QStringLiteral("Rapportage TAVIR: ingevoerde data"));
    EXPECT_EQ(texts[1], QStringLiteral(">>  Kostenposten"));
    const qsizetype v = texts.indexOf(QStringLiteral("Verklaring:"));
    ASSERT_GT(v, 1);
    EXPECT_EQ(texts.mid(v + 1, 8),
              (QStringList{S252 + " : QOR-checklistpost, invoer voldoet aan criteria;",
                           S214 + " : QOR-checklistpost, invoer voldoet niet aan criteria;",
                           S250 + " : door de gebruiker gedefinieerde kostenpost.", "",
                           "De jaren start en eind zijn ingevoerd t.o.v. aanvang nazorg, waarbij jaar 1= jaar van "
                           "aanvang nazorg.",
                           "Uitzonderingen:", "* : betreft kalenderjaar;",
                           "# : betreft jaar na aanleg bovenafdichting, waarbij jaar 1= jaar waarin bovenafdichting "
                           "is aangelegd."}));
    // The symbol in the symbol font, its text in Arial.
    const QJsonArray blocks = d[QStringLiteral("body")].toArray();
    QJsonArray runs;
    for (const auto &b : blocks)
        if (b.toObject()[QStringLiteral("text")].toString().startsWith(S252 + " :"))
            runs = b.toObject()[QStringLiteral("runs")].toArray();
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[0].toObject()[QStringLiteral("font")].toString(), reports::kSymboolFont);
    EXPECT_EQ(runs[1].toObject()[QStringLiteral("font")].toString(), QStringLiteral("Arial"));
}

TEST_F(KostenpostenTest, ALaterPartStartsANewLandscapeSection)
{
    const QJsonObject d = write(fx.beta, true);
    const QJsonArray sections = d[QStringLiteral("sections")].toArray();
    ASSERT_EQ(sections.size(), 2);
    EXPECT_EQ(sections[1].toObject()[QStringLiteral("orientation")].toInt(), 1);
    EXPECT_EQ(sections[1].toObject()[QStringLiteral("start")].toInt(), 2);
    EXPECT_EQ(itemAt(wordtest::bodyTexts(d), 0), QStringLiteral("vorig deel"));
}

TEST_F(KostenpostenTest, ASiteWithoutItemsOfItsOwnIsToldAndGetsNothing)
{
    // One facility of its own, and an item that names it as its site but
    // hangs under a facility of another site.
    const qint32 leeg = fx.site({{"strStortNaam", QStringLiteral("Leeg")}, {"intStortType", 1}, {"intCL_REF", 1}});
    fx.facility(leeg, 1, QStringLiteral("Terrein"));
    fx.item(leeg,
            fx.scalar(QStringLiteral("SELECT lngInrichting_REF FROM tblAct WHERE idrAct_ID=?"), {fx.aMaaien}).toInt(),
            calctest::ownItem(QStringLiteral("Elders")));
    script.expectMsgBox(ui::Icon::None, QString(), reports::kGeenKostenposten);
    const QJsonObject d = write(leeg, true);
    EXPECT_TRUE(wordtest::tables(d).isEmpty());
    EXPECT_EQ(d[QStringLiteral("sections")].toArray().size(), 1);
    EXPECT_EQ(wordtest::bodyTexts(d), QStringList{QStringLiteral("vorig deel")});
}

TEST_F(KostenpostenTest, GroupsByTheNamesAsSorted)
{
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Groepen")}, {"intStortType", 1}, {"intCL_REF", 1}});
    // Two facilities of one name in one category make one group; the same
    // name in another category makes a group of its own.
    fx.item(site, fx.facility(site, 3, QStringLiteral("Put")), calctest::ownItem(QStringLiteral("B")));
    fx.item(site, fx.facility(site, 3, QStringLiteral("Put")), calctest::ownItem(QStringLiteral("A")));
    fx.item(site, fx.facility(site, 1, QStringLiteral("Put")), calctest::ownItem(QStringLiteral("C")));
    const QJsonObject t = itemAt(wordtest::tables(write(site, false)), 0).toObject();
    EXPECT_EQ(column(t, 2), (QStringList{"post", "", "ALGEMEEN", "", "Put", "C", "", "GRONDWATERMONITORINGSSYSTEEM", "",
                                         "Put", "A", "B", ""}));
}

// One cost item's texts in the four formatted columns.
struct Geval {
    const char *naam;
    calctest::Fields velden;
    const char *start, *eind, *freq, *kosten;
};

class KostenpostTekstTest : public reporttest::WordReportTest {};

TEST_F(KostenpostTekstTest, ColumnsShowTheEntryWithItsMarks)
{
    const std::vector<Geval> gevallen = {
        {"kalenderjaar met aanleg",
         {{"bytOptieStart", 1},
          {"intStartAbs", 2015},
          {"bytStartBA", 1},
          {"intStartBA", 3},
          {"bytEindBA", 1},
          {"intEindBA", 10}},
         "2015 * + 3 #",
         " + 10 #",
         "1x per jr",
         " €1000"},
        {"nazorgjaar met aanleg",
         {{"intStartRel", 4}, {"bytStartBA", 1}, {"intStartBA", 3}},
         "4 + 3 #",
         "oo",
         "1x per jr",
         " €1000"},
        {"aanleg zonder jaren",
         {{"bytStartBA", 1}, {"intStartBA", QVariant()}, {"bytEindBA", 1}, {"intEindBA", QVariant()}},
         "1 +  #",
         " +  #",
         "1x per jr",
         " €1000"},
        {"eenmalig eeuwigdurend", {{"bytOptieFreq", 1}}, "1", "-", "eenm.", " €1000"},
        {"ontbrekende getallen",
         {{"intStartRel", QVariant()},
          {"bytOptieEind", 1},
          {"intEindAbs", QVariant()},
          {"intFreqX", QVariant()},
          {"sngKostenTotaal", QVariant()}},
         "?",
         "? *",
         "?x per jr",
         " €?"},
        {"eens per jaren",
         {{"bytOptieFreq", 3}, {"intFreqX", 5}, {"bytOptieEind", 2}, {"intEindRel", 40}},
         "1",
         "40",
         "1x per 5 jr",
         " €1000"},
        {"eenheden",
         {{"bytOptieKosten", 3}, {"sngAantal", 1200.0}, {"sngKostenPE", 2.5}, {"strEenheid", QStringLiteral("m2")}},
         "1",
         "oo",
         "1x per jr",
         "1200 x €2,5/m2"},
        {"eenheid ontbreekt",
         {{"bytOptieKosten", 3}, {"sngAantal", 3.0}, {"sngKostenPE", 0.1f}},
         "1",
         "oo",
         "1x per jr",
         "3 x €0,1/?"},
        {"percentage",
         {{"bytOptieKosten", 1}, {"sngPercInvest", 12.5}, {"sngKostenInvest", 40000.0}},
         "1",
         "oo",
         "1x per jr",
         "12,5 % x €40000"},
        {"opties onbekend",
         {{"bytOptieStart", 0},
          {"bytOptieEind", 0},
          {"bytOptieFreq", 0},
          {"bytOptieKosten", 0},
          {"bytEindBA", 1},
          {"intEindBA", 2}},
         "",
         "",
         "",
         ""},
        {"gecombineerd",
         {{"bytCombineer", 1}, {"bytOptieStart", 1}, {"intStartAbs", 2020}},
         "-",
         "-",
         "-",
         "zie combinatiepost"},
    };
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Teksten")}, {"intStortType", 1}, {"intCL_REF", 1}});
    const qint32 voorz = fx.facility(site, 1, QStringLiteral("Terrein"));
    for (const Geval &g : gevallen)
        fx.item(site, voorz, calctest::ownItem(QString::fromUtf8(g.naam), g.velden));

    reports::clsActRapInvoer rap(context(site));
    rap.rapSorteerOp(QStringLiteral("ObjCat"));
    const qint32 aantal = rap.AantalRecords();
    ASSERT_EQ(aantal, qint32(gevallen.size()));
    std::map<QString, QStringList> gelezen;
    for (qint32 i = 0; i < aantal; ++i) {
        gelezen[rap.rapKostenpost()] = {rap.rapTstart(), rap.rapTeind(), rap.rapFreq(), rap.rapPrijsPerKeer()};
        rap.GaNaarVolgendeRecord();
    }
    for (const Geval &g : gevallen)
        EXPECT_EQ(gelezen[QString::fromUtf8(g.naam)],
                  (QStringList{QString::fromUtf8(g.start), QString::fromUtf8(g.eind), QString::fromUtf8(g.freq),
                               QString::fromUtf8(g.kosten)}))
            << g.naam;
}

TEST_F(KostenpostTekstTest, SortsByCategoryOrByRubric)
{
    reports::clsActRapInvoer rap(context(fx.alfa));
    auto namen = [&rap] {
        QStringList out;
        const qint32 n = rap.AantalRecords();
        for (qint32 i = 0; i < n; ++i, rap.GaNaarVolgendeRecord())
            out << rap.rapKostenpost();
        return out;
    };
    rap.rapSorteerOp(QStringLiteral("Rubriek"));
    const QStringList perRubriek = namen();
    EXPECT_EQ(perRubriek,
              (QStringList{"Maaien", "Zettingsmetingen", "Controlemetingen grondwater", "Inspectie peilbuizen",
                           "Onderhoud hekwerk en poort", "Vervangen afdeklaag", "Opruimen"}));
    rap.rapSorteerOp(QStringLiteral("objcat")); // not a known order: unchanged
    EXPECT_EQ(namen(), perRubriek);
    EXPECT_EQ(rap.DataMember(QString()), nullptr);
    EXPECT_NE(rap.DataMember(QStringLiteral("tblAct")), nullptr);
}

} // namespace

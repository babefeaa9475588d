// The content of the built checklist file: the rules that the program takes
// for granted when it reads a checklist version (one active row per item,
// ids ordered like dates, filled version values, footnote keys that exist,
// surcharge types that fit the scheme, combination items where items may be
// combined), and the versions and items that data/README.md documents.

#include "sqlite_file.h"
#include "support/test_paths.h"

#include <QDateTime>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>

using namespace datatest;

namespace {

constexpr float kSentinel = -999.0f;

const char *const kFootnoteColumns[] = {"strVtNtStartjaar", "strVtNtEindjaar",   "strVtntPeriodMin",
                                        "strVtNtPeriodMax", "strVtNtPrijsPEmin", "strVtNtPrijsPEmax"};

float single(const QVariant &v)
{
    return static_cast<float>(v.toDouble());
}

bool isSet(const QVariant &v)
{
    return v.isValid() && !v.isNull();
}

class ChecklistContent : public ::testing::Test {
protected:
    std::vector<QVariantMap> versions() const { return file.records("SELECT * FROM tblCL ORDER BY intCL_ID"); }
    std::vector<QVariantMap> activeItems() const
    {
        return file.records("SELECT * FROM tblCLitem WHERE blnActief = -1 ORDER BY intCL_REF, lngCLitem_ID");
    }
    bool differentiated(int version) const
    {
        return single(file.value("SELECT sngOntwerpdirectie FROM tblCL WHERE intCL_ID = ?", {version})) == kSentinel;
    }
    QList<int> activeIds(int version) const
    {
        QList<int> ids;
        for (const Row &r : file.rows("SELECT lngCLitem_ID FROM tblCLitem WHERE intCL_REF = ? AND blnActief = -1 "
                                      "ORDER BY lngCLitem_ID",
                                      {version}))
            ids << r[0].toInt();
        return ids;
    }

    SqliteFile file{testsupport::checklistFile()};
};

#define TRACE_ITEM(item)                                  \
    SCOPED_TRACE(QStringLiteral("version %1, item %2")    \
                     .arg((item)["intCL_REF"].toInt())    \
                     .arg((item)["lngCLitem_ID"].toInt()) \
                     .toStdString())

} // namespace

TEST_F(ChecklistContent, HasOneActiveRowPerItemInEachVersion)
{
    EXPECT_TRUE(file.rows("SELECT intCL_REF, lngCLitem_ID FROM tblCLitem WHERE blnActief <> 0 "
                          "GROUP BY intCL_REF, lngCLitem_ID HAVING COUNT(*) > 1")
                    .empty());
    // And an inactive row beside an active one is there to be skipped.
    EXPECT_GT(file.value("SELECT COUNT(*) FROM tblCLitem WHERE blnActief = 0").toInt(), 0);
}

TEST_F(ChecklistContent, StoresYesNoAsMinusOneOrZero)
{
    for (const char *column :
         {"blnActief", "blnStartjaarEerderMag", "blnCombinatieMogelijk", "blnIsCombinatiePost", "blnVoetnoot1"}) {
        const QString sql =
            QStringLiteral("SELECT COUNT(*) FROM tblCLitem WHERE %1 NOT IN (-1, 0) OR typeof(%1) <> 'integer'")
                .arg(QString::fromUtf8(column));
        EXPECT_EQ(file.value(sql.toUtf8().constData()).toInt(), 0) << column;
    }
}

TEST_F(ChecklistContent, NumbersVersionsInTheOrderOfTheirDatesWithinEachKind)
{
    for (const Row &kind : file.rows("SELECT intStortType_ID FROM tblStortType")) {
        SCOPED_TRACE(kind[0].toInt());
        const std::vector<Row> rows =
            file.rows("SELECT intCL_ID, dtmCl FROM tblCL WHERE lngStortType_REF = ? ORDER BY dtmCl", {kind[0]});
        ASSERT_FALSE(rows.empty()) << "every site kind has a version";
        QDateTime previousDate;
        int previousId = -1;
        for (const Row &r : rows) {
            const QDateTime date = QDateTime::fromString(r[1].toString(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
            ASSERT_TRUE(date.isValid()) << r[1].toString().toStdString();
            EXPECT_GT(r[0].toInt(), previousId) << "a newer version has a larger id";
            EXPECT_GT(date, previousDate) << "no two versions of one kind share a date";
            previousId = r[0].toInt();
            previousDate = date;
        }
    }
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblCL WHERE lngStortType_REF NOT IN "
                         "(SELECT intStortType_ID FROM tblStortType)")
                  .toInt(),
              0);
}

TEST_F(ChecklistContent, FillsEveryVersionValueWithANumberOfTheRightUnit)
{
    for (const QVariantMap &v : versions()) {
        SCOPED_TRACE(v["intCL_ID"].toInt());
        for (auto it = v.begin(); it != v.end(); ++it) {
            EXPECT_TRUE(isSet(it.value())) << it.key().toStdString();
            if (it.key().startsWith(QLatin1String("sng"))) {
                EXPECT_TRUE(it.value().typeId() == QMetaType::Double || it.value().typeId() == QMetaType::LongLong)
                    << it.key().toStdString() << " is no number";
            }
        }
        EXPECT_FALSE(v["strVersie"].toString().isEmpty());
        EXPECT_FALSE(v["strOpmerking"].toString().isEmpty());
        EXPECT_GE(v["intJaarPrijspeil"].toInt(), 1990);

        // Fractions, not percent.
        for (const char *fraction : {"sngAppKostenPerc", "sngOnvoorzien"}) {
            EXPECT_GT(single(v[fraction]), 0.0f) << fraction;
            EXPECT_LT(single(v[fraction]), 1.0f) << fraction;
        }
        const float design = single(v["sngOntwerpdirectie"]);
        EXPECT_TRUE(design == kSentinel || (design > 0.0f && design < 1.0f)) << design;

        const float commMin = single(v["sngCommunicatieMIN"]), commMax = single(v["sngCommunicatieMAX"]);
        EXPECT_TRUE(commMax == kSentinel || commMax >= commMin);
        EXPECT_LE(single(v["sngAppKostenBasisMIN"]), single(v["sngAppKostenBasisMAX"]));
        EXPECT_GT(single(v["sngRapEvalPerHa"]), 0.0f) << "the hectare threshold divides by it";
        EXPECT_GT(single(v["sngRapEvalMax"]), single(v["sngRapEvalMin"]));
        // The yearly amounts are typed into five-digit fields.
        for (const char *amount : {"sngCommunicatieMIN", "sngCommunicatieMAX", "sngRapEvalMin", "sngRapEvalPerHa",
                                   "sngRapEvalMax", "sngAppKostenBasisMIN", "sngAppKostenBasisMAX"})
            EXPECT_LE(single(v[amount]), 99999.0f) << amount;

        // Replacement surcharges in percent, agreeing with the fixed limits of
        // the surcharge check (5 for a small work, 6 - 6.5 for a large work),
        // so that the defaults a new cost item gets from them conform.
        EXPECT_EQ(single(v["sngVervangingstoeslagKleineWerken"]), 5.0f);
        EXPECT_EQ(single(v["sngVervangingstoeslagGroteWerkenMin"]), 6.0f);
        EXPECT_EQ(single(v["sngVervangingstoeslagGroteWerkenMax"]), 6.5f);
    }
}

TEST_F(ChecklistContent, GivesEveryVersionActiveItems)
{
    // A version without active items counts as not installed; none of the
    // versions listed in the file may look like that.
    for (const QVariantMap &v : versions()) {
        EXPECT_FALSE(activeIds(v["intCL_ID"].toInt()).isEmpty()) << v["intCL_ID"].toInt();
    }
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblCLitem WHERE intCL_REF NOT IN (SELECT intCL_ID FROM tblCL)").toInt(),
              0);
    EXPECT_EQ(
        file.value("SELECT COUNT(*) FROM tblVoetnoot WHERE intCL_REF NOT IN (SELECT intCL_ID FROM tblCL)").toInt(), 0);
}

TEST_F(ChecklistContent, HasBothSchemesAndBothKindsOfCommunicationBound)
{
    const std::vector<Row> landfill =
        file.rows("SELECT sngOntwerpdirectie, sngCommunicatieMAX FROM tblCL WHERE lngStortType_REF = 1 ORDER BY dtmCl");
    ASSERT_GE(landfill.size(), 2u);
    EXPECT_NE(single(landfill.front()[0]), kSentinel) << "the oldest landfill version has a fixed percentage";
    EXPECT_EQ(single(landfill.back()[0]), kSentinel) << "the newest landfill version is differentiated";
    bool unbounded = false, bounded = false;
    for (const Row &r : landfill)
        (single(r[1]) == kSentinel ? unbounded : bounded) = true;
    EXPECT_TRUE(unbounded);
    EXPECT_TRUE(bounded);
    EXPECT_GT(file.value("SELECT COUNT(*) FROM tblCL WHERE lngStortType_REF = 2").toInt(), 0);
}

TEST_F(ChecklistContent, DescribesEveryItemConsistently)
{
    for (QVariantMap item : activeItems()) {
        TRACE_ITEM(item);
        EXPECT_GE(item["bytObjectCat_REF"].toInt(), 1);
        EXPECT_LE(item["bytObjectCat_REF"].toInt(), 7);
        EXPECT_GE(item["bytRubriek_REF"].toInt(), 1);
        EXPECT_LE(item["bytRubriek_REF"].toInt(), 6);
        EXPECT_TRUE(isSet(item["intSortNr"]));

        // The facility name and the description become the site's facility
        // and cost-item name: present, within their widths, and without the
        // braces that mark phases.
        const QString facility = item["strVoorz"].toString(), name = item["strOmschrijving"].toString();
        EXPECT_FALSE(facility.isEmpty());
        EXPECT_FALSE(name.isEmpty());
        EXPECT_LE(facility.size(), 100);
        for (const QString &text : {facility, name}) {
            EXPECT_FALSE(text.contains(u'{') || text.contains(u'}')) << text.toStdString();
        }

        EXPECT_TRUE(item["bytStartBA"].toInt() == 0 || item["bytStartBA"].toInt() == 1);
        EXPECT_TRUE(item["bytEindBA"].toInt() == 0 || item["bytEindBA"].toInt() == 1);
        if (isSet(item["intStartJaar"])) {
            EXPECT_GE(item["intStartJaar"].toInt(), 1);
        }
        // End option 2 (after-care year) or 3 (for ever); for ever has no year.
        const int end = item["bytOptieEind"].toInt();
        EXPECT_TRUE(end == 2 || end == 3) << end;
        if (end == 3) {
            EXPECT_FALSE(isSet(item["intEINDJAAR"]));
        }

        // Only the bounds of the item's own cost option are filled.
        const int cost = item["bytOptieKosten"].toInt();
        ASSERT_TRUE(cost >= 1 && cost <= 3) << cost;
        const QStringList option1 = {"sngPercInvestMIN", "sngPercInvestMAX", "sngKostenInvestMIN",
                                     "sngKostenInvestMAX"};
        const QStringList option2 = {"sngKostenTotaalMIN", "sngKostenTotaalMAX"};
        const QStringList option3 = {"sngPrijsPEmin", "sngPrijsPEmax", "sngAantalMIN", "sngAantalMAX"};
        const QList<QStringList> bounds = {option1, option2, option3};
        for (int option = 1; option <= 3; ++option)
            if (option != cost)
                for (const QString &column : bounds[option - 1]) {
                    EXPECT_FALSE(isSet(item[column])) << column.toStdString();
                }
        EXPECT_EQ(isSet(item["strEenheid"]), cost == 3) << "a unit belongs to a price per unit";
        for (const auto &[low, high] :
             {std::pair{"sngPercInvestMIN", "sngPercInvestMAX"}, std::pair{"sngKostenInvestMIN", "sngKostenInvestMAX"},
              std::pair{"sngKostenTotaalMIN", "sngKostenTotaalMAX"}, std::pair{"sngPrijsPEmin", "sngPrijsPEmax"},
              std::pair{"sngAantalMIN", "sngAantalMAX"}, std::pair{"sngFreqXMin", "sngFreqXMax"}}) {
            if (isSet(item[low])) {
                EXPECT_GT(single(item[low]), 0.0f) << low;
            }
            if (isSet(item[low]) && isSet(item[high])) {
                EXPECT_LE(single(item[low]), single(item[high])) << low;
            }
        }
        if (isSet(item["sngPercInvestMAX"])) {
            EXPECT_LE(single(item["sngPercInvestMAX"]), 100.0f);
        }

        // Frequency: bounds only for a recurring item, and never 0, which the
        // check of an every-X-years item would divide by.
        const int freq = item["bytOptieFreq"].toInt();
        ASSERT_TRUE(freq >= 1 && freq <= 3) << freq;
        if (freq == 1) {
            EXPECT_FALSE(isSet(item["sngFreqXMin"]));
            EXPECT_FALSE(isSet(item["sngFreqXMax"]));
        }

        // A combination item is not itself absorbed into another.
        if (item["blnIsCombinatiePost"].toInt()) {
            EXPECT_EQ(item["blnCombinatieMogelijk"].toInt(), 0);
        }
    }
}

TEST_F(ChecklistContent, RefersOnlyToFootnotesOfTheSameVersion)
{
    int keysSeen = 0;
    bool multiKey = false;
    for (QVariantMap item : activeItems()) {
        TRACE_ITEM(item);
        QSet<QString> notes;
        for (const Row &r :
             file.rows("SELECT strVoetnootItem FROM tblVoetnoot WHERE intCL_REF = ?", {item["intCL_REF"]}))
            notes.insert(r[0].toString());
        for (const char *column : kFootnoteColumns) {
            if (!isSet(item[column]))
                continue;
            const QString keys = item[column].toString();
            // The lookup splits at "," without trimming: a blank would become
            // part of a key, and an empty key is never found.
            EXPECT_FALSE(keys.contains(u' ')) << column << " '" << keys.toStdString() << "'";
            const QStringList list = keys.split(u',');
            multiKey = multiKey || list.size() > 1;
            for (const QString &key : list) {
                EXPECT_FALSE(key.isEmpty()) << column << " '" << keys.toStdString() << "'";
                EXPECT_TRUE(notes.contains(key)) << column << ": footnote " << key.toStdString() << " missing";
                ++keysSeen;
            }
        }
    }
    EXPECT_GT(keysSeen, 0);
    EXPECT_TRUE(multiKey) << "some column names more than one footnote";
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblVoetnoot WHERE memVoetnoot IS NULL OR memVoetnoot = ''").toInt(), 0);
}

TEST_F(ChecklistContent, GivesReplacementItemsTheSurchargeTypesOfTheirScheme)
{
    QSet<int> typesUnderDifferentiated, typesUnderFixed;
    for (QVariantMap item : activeItems()) {
        TRACE_ITEM(item);
        const int type = item["bytTypeVervangingsToeslag"].toInt();
        if (item["bytRubriek_REF"].toInt() != 5) {
            EXPECT_EQ(type, 0) << "a surcharge type belongs to a replacement item";
        } else if (differentiated(item["intCL_REF"].toInt())) {
            // Type 0 would make the user's copy of the item incomplete.
            EXPECT_TRUE(type == 1 || type == 2 || type == 3 || type == 7) << type;
            typesUnderDifferentiated.insert(type);
        } else {
            EXPECT_EQ(type, 0) << "the fixed scheme has no per-item surcharge";
            typesUnderFixed.insert(type);
        }
    }
    EXPECT_EQ(typesUnderDifferentiated, (QSet<int>{1, 2, 3, 7}));
    EXPECT_EQ(typesUnderFixed, (QSet<int>{0}));
}

TEST_F(ChecklistContent, OffersACombinationItemWhereItemsMayBeCombined)
{
    bool anyCombinable = false;
    for (const QVariantMap &v : versions()) {
        const int id = v["intCL_ID"].toInt();
        const int combinable = file.value("SELECT COUNT(*) FROM tblCLitem WHERE intCL_REF = ? AND blnActief = -1 "
                                          "AND blnCombinatieMogelijk = -1",
                                          {id})
                                   .toInt();
        const int combinations = file.value("SELECT COUNT(*) FROM tblCLitem WHERE intCL_REF = ? AND blnActief = -1 "
                                            "AND blnIsCombinatiePost = -1",
                                            {id})
                                     .toInt();
        if (combinable > 0) {
            EXPECT_GT(combinations, 0) << "version " << id;
        }
        if (combinations > 0) {
            EXPECT_GT(combinable, 0) << "version " << id;
        }
        anyCombinable = anyCombinable || combinable > 0;
    }
    EXPECT_TRUE(anyCombinable);
}

TEST_F(ChecklistContent, HasOnePriceLevelCorrectionPerYearWithAGap)
{
    EXPECT_TRUE(file.rows("SELECT intJaar FROM tblPPcorr GROUP BY intJaar HAVING COUNT(*) > 1").empty());
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblPPcorr WHERE typeof(sngPPcorr) NOT IN ('real', 'integer')").toInt(),
              0);
    // Landfill versions 2 and 3 (price levels 2006 and 2008) lie across the
    // years without corrections: moving between them gives the factor 1.
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblPPcorr WHERE intJaar > 2006 AND intJaar <= 2008").toInt(), 0);
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblPPcorr WHERE intJaar > 2002 AND intJaar <= 2006").toInt(), 4);
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblPPcorr WHERE intJaar > 2008 AND intJaar <= 2012").toInt(), 4);
}

TEST_F(ChecklistContent, KeepsItemIdsWithinOneSiteKind)
{
    EXPECT_TRUE(file.rows("SELECT i.lngCLitem_ID FROM tblCLitem i JOIN tblCL c ON c.intCL_ID = i.intCL_REF "
                          "GROUP BY i.lngCLitem_ID HAVING COUNT(DISTINCT c.lngStortType_REF) > 1")
                    .empty());
}

// The versions and items that data/README.md describes and other tests build on.
TEST_F(ChecklistContent, HoldsTheDocumentedVersions)
{
    struct Version {
        int id, kind, year, priceLevel;
        bool differentiated, communicationBound;
        float ratePerHa;
    };
    const Version expected[] = {
        {1, 1, 2003, 2002, false, true, 225},  {2, 1, 2006, 2006, false, false, 225},
        {3, 1, 2008, 2008, true, false, 225},  {4, 1, 2012, 2012, true, true, 250},
        {11, 2, 2005, 2004, false, true, 225}, {12, 2, 2010, 2010, true, false, 225},
    };
    const std::vector<QVariantMap> actual = versions();
    ASSERT_EQ(actual.size(), std::size(expected));
    for (size_t i = 0; i < actual.size(); ++i) {
        const Version &e = expected[i];
        const QVariantMap &v = actual[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(v["intCL_ID"].toInt(), e.id);
        EXPECT_EQ(v["lngStortType_REF"].toInt(), e.kind);
        EXPECT_EQ(v["dtmCl"].toString().left(4).toInt(), e.year);
        EXPECT_EQ(v["intJaarPrijspeil"].toInt(), e.priceLevel);
        EXPECT_EQ(single(v["sngOntwerpdirectie"]) == kSentinel, e.differentiated);
        EXPECT_EQ(single(v["sngCommunicatieMAX"]) != kSentinel, e.communicationBound);
        EXPECT_EQ(single(v["sngRapEvalPerHa"]), e.ratePerHa);
        EXPECT_EQ(single(v["sngRapEvalMin"]), 3500.0f);
        EXPECT_EQ(single(v["sngRapEvalMax"]), 9000.0f);
    }
}

TEST_F(ChecklistContent, HoldsTheDocumentedItemChanges)
{
    // Removed, added and deactivated items between the landfill versions.
    EXPECT_TRUE(activeIds(1).contains(32));
    EXPECT_FALSE(activeIds(2).contains(32));
    EXPECT_FALSE(activeIds(1).contains(34));
    EXPECT_TRUE(activeIds(2).contains(34));
    EXPECT_TRUE(activeIds(2).contains(33));
    EXPECT_FALSE(activeIds(3).contains(33));
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblCLitem WHERE intCL_REF = 3 AND lngCLitem_ID = 33").toInt(), 1);
    EXPECT_EQ(file.value("SELECT COUNT(*) FROM tblCLitem WHERE intCL_REF = 3 AND lngCLitem_ID = 14").toInt(), 2);
    EXPECT_TRUE(activeIds(3).contains(29));
    EXPECT_FALSE(activeIds(4).contains(29));
    EXPECT_TRUE(activeIds(4).contains(35));
    EXPECT_FALSE(activeIds(12).contains(208));
    for (int id : {210, 211, 212}) {
        EXPECT_TRUE(activeIds(12).contains(id)) << id;
    }

    // Combination items.
    const char *combinations = "SELECT lngCLitem_ID FROM tblCLitem WHERE intCL_REF = ? AND blnActief = -1 "
                               "AND blnIsCombinatiePost = -1 ORDER BY 1";
    EXPECT_EQ(file.rows(combinations, {3}), (std::vector<Row>{{qlonglong(30)}, {qlonglong(31)}}));
    EXPECT_EQ(file.rows(combinations, {4}), (std::vector<Row>{{qlonglong(30)}, {qlonglong(31)}}));
    EXPECT_EQ(file.rows(combinations, {12}), (std::vector<Row>{{qlonglong(210)}}));
    EXPECT_TRUE(file.rows(combinations, {1}).empty());

    // The footnote pair on item 8 from version 3 on.
    EXPECT_EQ(file.value("SELECT strVtNtPrijsPEmax FROM tblCLitem WHERE intCL_REF = 2 AND lngCLitem_ID = 8").toString(),
              QStringLiteral("3"));
    EXPECT_EQ(file.value("SELECT strVtNtPrijsPEmax FROM tblCLitem WHERE intCL_REF = 4 AND lngCLitem_ID = 8").toString(),
              QStringLiteral("3,7"));
}

// Every option and bound shape that the checks, sentences and texts of a
// checklist item distinguish occurs in at least one active item, for each
// site kind where the kind's versions need it.
TEST_F(ChecklistContent, CoversEveryOptionTheProgramDistinguishes)
{
    struct Case {
        const char *what;
        const char *where; // over the active items of one site kind
        bool bothKinds;
    };
    const Case cases[] = {
        {"start in an after-care year", "bytStartBA = 0 AND intStartJaar IS NOT NULL", true},
        {"start counted from the top liner", "bytStartBA = 1 AND intStartJaar IS NOT NULL", true},
        {"start left to the user", "intStartJaar IS NULL", true},
        {"start top liner, year left to the user", "bytStartBA = 1 AND intStartJaar IS NULL", false},
        {"start may lie earlier", "blnStartjaarEerderMag = -1", false},
        {"end for ever", "bytOptieEind = 3", true},
        {"end in an after-care year", "bytOptieEind <> 3 AND bytEindBA = 0 AND intEINDJAAR IS NOT NULL", false},
        {"end counted from the top liner", "bytOptieEind <> 3 AND bytEindBA = 1 AND intEINDJAAR IS NOT NULL", false},
        {"end left to the user", "bytOptieEind <> 3 AND intEINDJAAR IS NULL", false},
        {"cost: percentage of an investment", "bytOptieKosten = 1", true},
        {"cost: total amount", "bytOptieKosten = 2", true},
        {"cost: units times a price", "bytOptieKosten = 3", true},
        {"frequency: once", "bytOptieFreq = 1", false},
        {"frequency: X times a year", "bytOptieFreq = 2", true},
        {"frequency: once every X years", "bytOptieFreq = 3", true},
        {"percentage: both bounds",
         "bytOptieKosten = 1 AND sngPercInvestMIN IS NOT NULL AND sngPercInvestMAX IS NOT NULL", true},
        {"percentage: lower bound only",
         "bytOptieKosten = 1 AND sngPercInvestMIN IS NOT NULL AND sngPercInvestMAX IS NULL", false},
        {"percentage: upper bound only",
         "bytOptieKosten = 1 AND sngPercInvestMIN IS NULL AND sngPercInvestMAX IS NOT NULL", false},
        {"percentage: no bounds", "bytOptieKosten = 1 AND sngPercInvestMIN IS NULL AND sngPercInvestMAX IS NULL",
         false},
        {"investment: lower bound only",
         "bytOptieKosten = 1 AND sngKostenInvestMIN IS NOT NULL AND sngKostenInvestMAX IS NULL", false},
        {"total: both bounds",
         "bytOptieKosten = 2 AND sngKostenTotaalMIN IS NOT NULL AND sngKostenTotaalMAX IS NOT NULL", true},
        {"total: lower bound only",
         "bytOptieKosten = 2 AND sngKostenTotaalMIN IS NOT NULL AND sngKostenTotaalMAX IS NULL", false},
        {"total: upper bound only",
         "bytOptieKosten = 2 AND sngKostenTotaalMIN IS NULL AND sngKostenTotaalMAX IS NOT NULL", true},
        {"total: no bounds", "bytOptieKosten = 2 AND sngKostenTotaalMIN IS NULL AND sngKostenTotaalMAX IS NULL", true},
        {"total: equal bounds", "bytOptieKosten = 2 AND sngKostenTotaalMIN = sngKostenTotaalMAX", false},
        {"unit price: both bounds", "bytOptieKosten = 3 AND sngPrijsPEmin IS NOT NULL AND sngPrijsPEmax IS NOT NULL",
         true},
        {"unit price: lower bound only", "bytOptieKosten = 3 AND sngPrijsPEmin IS NOT NULL AND sngPrijsPEmax IS NULL",
         false},
        {"unit price: upper bound only", "bytOptieKosten = 3 AND sngPrijsPEmin IS NULL AND sngPrijsPEmax IS NOT NULL",
         false},
        {"unit price: no bounds", "bytOptieKosten = 3 AND sngPrijsPEmin IS NULL AND sngPrijsPEmax IS NULL", false},
        {"units: bounded", "bytOptieKosten = 3 AND sngAantalMIN IS NOT NULL", false},
        {"frequency: both bounds", "bytOptieFreq <> 1 AND sngFreqXMin IS NOT NULL AND sngFreqXMax IS NOT NULL", true},
        {"frequency: lower bound only", "bytOptieFreq <> 1 AND sngFreqXMin IS NOT NULL AND sngFreqXMax IS NULL", true},
        {"frequency: upper bound only", "bytOptieFreq <> 1 AND sngFreqXMin IS NULL AND sngFreqXMax IS NOT NULL", false},
        {"frequency: no bounds", "bytOptieFreq <> 1 AND sngFreqXMin IS NULL AND sngFreqXMax IS NULL", false},
        {"replacement, no surcharge type", "bytRubriek_REF = 5 AND bytTypeVervangingsToeslag = 0", true},
        {"replacement of the top liner", "bytRubriek_REF = 5 AND bytTypeVervangingsToeslag = 1", true},
        {"replacement, large work", "bytRubriek_REF = 5 AND bytTypeVervangingsToeslag = 2", true},
        {"replacement, small work", "bytRubriek_REF = 5 AND bytTypeVervangingsToeslag = 3", true},
        {"replacement, type still to choose", "bytRubriek_REF = 5 AND bytTypeVervangingsToeslag = 7", true},
        {"may be combined", "blnCombinatieMogelijk = -1", true},
        {"combination item", "blnIsCombinatiePost = -1", true},
        {"phasing note", "blnVoetnoot1 = -1", true},
        {"footnote on the start year", "strVtNtStartjaar IS NOT NULL", false},
        {"footnote on the end year", "strVtNtEindjaar IS NOT NULL", false},
        {"footnote on the minimum frequency", "strVtntPeriodMin IS NOT NULL", true},
        {"footnote on the maximum frequency", "strVtNtPeriodMax IS NOT NULL", false},
        {"footnote on the minimum unit price", "strVtNtPrijsPEmin IS NOT NULL", false},
        {"footnote on the maximum unit price", "strVtNtPrijsPEmax IS NOT NULL", true},
    };
    for (const Case &c : cases) {
        for (int kind : {1, 2}) {
            if (kind == 2 && !c.bothKinds)
                continue;
            const QByteArray sql =
                QByteArray("SELECT COUNT(*) FROM tblCLitem i JOIN tblCL v ON v.intCL_ID = i.intCL_REF "
                           "WHERE i.blnActief = -1 AND v.lngStortType_REF = ? AND ")
                + c.where;
            EXPECT_GT(file.value(sql.constData(), {kind}).toInt(), 0) << c.what << " (site kind " << kind << ")";
        }
    }
}

// The unused checklist items.

#include "report_fixture.h"
#include "support/item_at.h"

#include "reports/niet_geselecteerd.h"

#include "records/clsAct.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <gtest/gtest.h>

namespace {

using reporttest::column;
using testsupport::itemAt;

class NietGeselecteerdTest : public reporttest::WordReportTest {
protected:
    QJsonObject write(qint32 site, qint32 modus, bool deelVooraf)
    {
        if (deelVooraf)
            app.Selection().TypeText(QStringLiteral("vorig deel"));
        reports::InsertOverzichtNietGeselecteerdeCLitems(doc, app, deelVooraf, modus, context(site));
        return saveAndRead();
    }
    // The list of another site, in a document of its own.
    QJsonObject saveAndReadAgain(qint32 site)
    {
        word::Application eigenApp;
        word::Document &eigenDoc = eigenApp.Documents().Add();
        bool deelVooraf = false;
        reports::InsertOverzichtNietGeselecteerdeCLitems(eigenDoc, eigenApp, deelVooraf, 0, context(site));
        const QString path = out.filePath(QStringLiteral("apart.docx"));
        eigenDoc.SaveAs(path);
        return wordtest::readDocx(path);
    }
    // The active item ids of checklist version 1.
    QList<qint32> actieveItems()
    {
        db::Connection cn;
        cn.Open(fx.context(fx.alfa).gstrConnCL);
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT lngCLitem_ID FROM tblCLitem WHERE intCL_REF=1 AND blnActief<>0"), cn);
        QList<qint32> ids;
        for (; !rs.EOF_(); rs.MoveNext())
            ids << rs.Fields(0).Value().toInt();
        return ids;
    }
};

TEST_F(NietGeselecteerdTest, ListsTheUnusedItemsGroupedByRubric)
{
    const QJsonObject d = write(fx.alfa, 0, true);
    const QJsonArray sections = d[QStringLiteral("sections")].toArray();
    ASSERT_EQ(sections.size(), 2);
    EXPECT_EQ(sections[1].toObject()[QStringLiteral("left")].toDouble(), 2.0);
    EXPECT_EQ(sections[1].toObject()[QStringLiteral("top")].toDouble(), 1.5);
    EXPECT_EQ(sections[1].toObject()[QStringLiteral("orientation")].toInt(), 0);
    EXPECT_TRUE(wordtest::bodyTexts(d).contains(QStringLiteral("Overzicht niet geselecteerde checklistposten")));

    const QJsonObject t = itemAt(wordtest::tables(d), 0).toObject();
    const QStringList rows = wordtest::rowTexts(t);
    const int items = int(actieveItems().size()) - 2; // Alfa uses items 2 and 10
    // Items of all six rubrics: a row for each group, none left out.
    EXPECT_EQ(rows.size(), items + 6);
    const QStringList groepen = {"\nINSTANDHOUDEN||", "\nCONTROLEMETINGEN||", "\nINSPECTIES||",
                                 "\nONDERHOUD||",     "\nVERVANGING||",       "\nOVERIG||"};
    qsizetype vorige = -1;
    for (const QString &g : groepen) {
        const qsizetype i = rows.indexOf(g);
        ASSERT_GT(i, vorige) << g.toStdString();
        EXPECT_TRUE(wordtest::cell(t, int(i) + 1, 1)[QStringLiteral("bold")].toBool());
        // The first item of a group names its facility.
        EXPECT_FALSE(itemAt(column(t, 1), i + 1).isEmpty());
        vorige = i;
    }
    EXPECT_EQ(itemAt(rows, 1), QStringLiteral("Bovenafdichting|Maaien bovenafdichting|Deelonderzoek 2, par. 3.1"));
    EXPECT_FALSE(rows.contains(QStringLiteral("|Onderhoud hekwerk en poort|Deelonderzoek 1, par. 2.2")));
    EXPECT_FALSE(rows.contains(QStringLiteral("Peilbuizen|Controlemetingen grondwater|Deelonderzoek 3, par. 2.1")));
    // A further item of the same facility leaves the facility empty.
    EXPECT_TRUE(rows.contains(QStringLiteral("|Onderhoud gasinstallatie|Deelonderzoek 5, par. 2.1")));
    EXPECT_EQ(t[QStringLiteral("grid")].toArray(), (QJsonArray{5.0, 8.0, 4.0}));
}

TEST_F(NietGeselecteerdTest, EachRubricKeepsItsHeadingWithTwoRowsAndEndsWithTwo)
{
    const QJsonObject t = itemAt(wordtest::tables(write(fx.alfa, 0, false)), 0).toObject();
    const QJsonArray rows = t[QStringLiteral("rows")].toArray();
    // The rubrics' heading rows, then the end of the table.
    QList<int> koppen;
    for (int r = 0; r < rows.size(); ++r)
        if (wordtest::cellText(t, r + 1, 1).startsWith(QLatin1Char('\n')))
            koppen << r;
    ASSERT_EQ(koppen.size(), 6);
    koppen << int(rows.size());
    for (qsizetype g = 0; g + 1 < koppen.size(); ++g) {
        const int kop = koppen[g], laatste = koppen[g + 1] - 1;
        SCOPED_TRACE(wordtest::cellText(t, kop + 1, 1).toStdString());
        for (int r = kop; r <= laatste; ++r) {
            const bool verwacht = r == kop || (r == kop + 1 && laatste - kop >= 2) || (r == laatste - 1 && r > kop);
            EXPECT_EQ(wordtest::cell(t, r + 1, 1)[QStringLiteral("keep_with_next")].toBool(), verwacht) << "row " << r;
        }
        // Every row breaks over a page whole.
        for (int r = kop; r <= laatste; ++r)
            EXPECT_TRUE(rows[r].toObject()[QStringLiteral("cant_split")].toBool()) << "row " << r;
    }
    // The last row holds an item: no empty rows stand after the list, also
    // where it has fewer groups than the table was made with rows to spare.
    EXPECT_FALSE(wordtest::cellText(t, int(rows.size()), 2).isEmpty());
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Bijna")}, {"intStortType", 1}, {"intCL_REF", 1}});
    const qint32 voorz = fx.facility(site, 1, QStringLiteral("Terrein"));
    const QList<qint32> ids = actieveItems();
    for (qint32 id : ids.mid(1))
        fx.item(site, voorz,
                calctest::ownItem(QStringLiteral("Post %1").arg(id), {{"bytIsQOR", 1}, {"lngClitem_REF", id}}));
    const QJsonObject een = itemAt(wordtest::tables(saveAndReadAgain(site)), 0).toObject();
    EXPECT_EQ(wordtest::rowTexts(een).size(), 2) << wordtest::rowTexts(een).join(QLatin1Char('/')).toStdString();
}

TEST_F(NietGeselecteerdTest, ASiteWithoutChecklistItemsGetsEveryItemListed)
{
    const QJsonObject d = write(fx.gamma, reports::kModusInvoer, false);
    EXPECT_EQ(d[QStringLiteral("sections")].toArray().size(), 1);
    const QStringList texts = wordtest::bodyTexts(d);
    EXPECT_EQ(itemAt(texts, 0), QStringLiteral("Rapportage TAVIR: ingevoerde data"));
    EXPECT_EQ(itemAt(texts, 1), QStringLiteral(">> Overzicht niet geselecteerde checklistposten"));
    EXPECT_EQ(wordtest::rowTexts(itemAt(wordtest::tables(d), 0).toObject()).size(), actieveItems().size() + 6);
}

TEST_F(NietGeselecteerdTest, ASiteThatUsesEveryItemIsToldSo)
{
    const qint32 site = fx.site({{"strStortNaam", QStringLiteral("Volledig")}, {"intStortType", 1}, {"intCL_REF", 1}});
    const qint32 voorz = fx.facility(site, 1, QStringLiteral("Terrein"));
    for (qint32 id : actieveItems())
        fx.item(site, voorz,
                calctest::ownItem(QStringLiteral("Post %1").arg(id), {{"bytIsQOR", 1}, {"lngClitem_REF", id}}));
    const QJsonObject d = write(site, 0, false);
    EXPECT_TRUE(wordtest::tables(d).isEmpty());
    EXPECT_TRUE(wordtest::bodyTexts(d).contains(QStringLiteral("Alle checklistposten zijn geselecteerd.")));
}

// The items in use taken from rows the report has read already are those
// read from the file, or none where the rows do not hold all of the site's
// cost items.
TEST_F(NietGeselecteerdTest, TheItemsInUseFromRowsReadAlready)
{
    const auto set = [](const QString &refs) {
        QStringList l = refs.split(QLatin1Char('|'), Qt::SkipEmptyParts);
        l.sort();
        return l;
    };
    const reports::WordReportContext ctx = context(fx.alfa);
    const QStringList uitBestand = set(records::clsAct(ctx).strAlleChecklistRefs());
    ASSERT_EQ(uitBestand, QStringList({"10", "2"}));
    struct Geval {
        const char *rijen;
        bool alle; // the rows hold every cost item of the site
    };
    const Geval gevallen[] = {
        {"SELECT * FROM tblAct WHERE lngStort_REF=%1", true},
        {"SELECT * FROM tblAct", true},
        // As the input-data report's table reads them.
        {"SELECT tblAct.*, tblInrichting.bytObjectCat_REF, tblObjectCat.strObjectCat, tblInrichting.strObject"
         " FROM tblObjectCat INNER JOIN (tblInrichting INNER JOIN tblAct"
         " ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF)"
         " ON tblObjectCat.bytObjectCat_ID = tblInrichting.bytObjectCat_REF WHERE tblInrichting.lngStort_REF=%1",
         true},
        {"SELECT * FROM tblAct WHERE lngStort_REF=%1 AND bytIsQOR=0", false},
        {"SELECT * FROM tblAct WHERE lngStort_REF=%1 AND idrAct_ID<>(SELECT max(idrAct_ID) FROM tblAct"
         " WHERE lngStort_REF=%1 AND bytIsQOR=0)",
         false},
        {"SELECT idrAct_ID, bytIsQOR, lngClitem_REF FROM tblAct WHERE lngStort_REF=%1", false},
    };
    db::Connection cn;
    cn.Open(ctx.gstrConnData);
    for (const Geval &g : gevallen) {
        SCOPED_TRACE(g.rijen);
        db::Recordset rs;
        rs.Open(QString::fromLatin1(g.rijen).arg(fx.alfa), cn);
        const std::optional<QString> refs = reports::checklistRefsVan(rs, ctx);
        ASSERT_EQ(refs.has_value(), g.alle);
        if (refs) {
            EXPECT_EQ(set(*refs), uitBestand);
        }
    }
}

} // namespace

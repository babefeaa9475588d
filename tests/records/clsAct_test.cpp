// The cost-item records: positioning, saving, adding from a checklist item
// and as an own item, further phases, renaming and moving to another rubric
// over all phases, deleting, the checklist references, and the tree nodes
// the records add; checked against what the data file holds.

#include "records/clsAct.h"

#include "site_fixture.h"
#include "support/scripted_dialogs_fixture.h"

#include "platform/core/error.h"
#include "platform/db/jet_types.h"
#include "platform/ui/busy_cursor.h"

#include <functional>
#include <gtest/gtest.h>

using records::clsAct;
using records::MemorySiteTree;
using testsupport::SiteFixture;

namespace {

using Values = std::vector<std::pair<const char *, QVariant>>;

const QString kPhaseName = QStringLiteral("Vervangen toegangsweg");

class ActTest : public testsupport::ScriptedDialogsTest {
protected:
    SiteFixture fx;
    MemorySiteTree tree;

    void SetUp() override
    {
        ScriptedDialogsTest::SetUp();
        fx.fillTree(tree);
    }

    QVariant col(qint32 id, const QString &column) const
    {
        return fx.scalar(QStringLiteral("SELECT %1 FROM tblAct WHERE idrAct_ID=?").arg(column), {id});
    }
    qint64 actRows() const { return fx.count(QStringLiteral("SELECT * FROM tblAct")); }
    qint64 facilityRows() const { return fx.count(QStringLiteral("SELECT * FROM tblInrichting")); }
    qint64 rowsNamed(const QString &name) const
    {
        return fx.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct=?"), {name});
    }

    // Every value of the list as the file holds it for the row.
    void expectInFile(qint32 id, const Values &values, const std::string &what) const
    {
        for (const auto &[column, expected] : values) {
            const QVariant actual = col(id, QLatin1String(column));
            if (db::isNull(expected))
                EXPECT_TRUE(db::isNull(actual)) << what << ": " << column << " = " << actual.toString().toStdString();
            else if (expected.typeId() == QMetaType::QString)
                EXPECT_EQ(actual.toString(), expected.toString()) << what << ": " << column;
            else
                EXPECT_DOUBLE_EQ(actual.toDouble(), expected.toDouble()) << what << ": " << column;
        }
    }

    // The boxes that `run` shows, answered without a script.
    std::vector<ui::ScriptedDialogs::Box> boxesOf(const std::function<void()> &run)
    {
        const size_t before = script.shown().size();
        script.setMode(ui::ScriptedDialogs::Mode::Record);
        run();
        script.setMode(ui::ScriptedDialogs::Mode::Strict);
        return {script.shown().begin() + qsizetype(before), script.shown().end()};
    }

    // Saves the pending new item and re-keys its node, as the screen does.
    qint32 saveNew(clsAct &act)
    {
        EXPECT_TRUE(act.UpdateNu());
        const qint32 id = act.idrAct_ID();
        if (auto node = tree.find(records::kKeyActNew))
            tree.setKey(node, records::keyAct(id));
        return id;
    }

    void expectEmptyNameRefused()
    {
        script.expectMsgBox(ui::Icon::Exclamation, QStringLiteral("Bewerking ongeldig"),
                            QStringLiteral("Ongeldige naam. Wijziging niet doorgevoerd."));
    }

    void blockUpdatesOf(qint32 id)
    {
        fx.execute(QStringLiteral("CREATE TRIGGER block%1 BEFORE UPDATE ON tblAct WHEN OLD.idrAct_ID=%1"
                                  " BEGIN SELECT RAISE(ABORT, 'geblokkeerd'); END")
                       .arg(id));
    }
};

// ---- reading and positioning ------------------------------------------------

TEST_F(ActTest, ReadsTheSiteRows)
{
    clsAct act(fx.context());
    EXPECT_EQ(act.AantalRecords(), 6);
    EXPECT_EQ(act.idrAct_ID(), fx.phase1); // the first row is current

    clsAct empty(fx.context(nullptr, fx.otherSiteId));
    EXPECT_EQ(empty.AantalRecords(), 0);
    EXPECT_EQ(empty.IsQOR(), 0);
    EXPECT_EQ(empty.strAlleChecklistRefs(), QStringLiteral("|"));
    EXPECT_FALSE(empty.hasCurrentRow());

    EXPECT_EQ(act.DataMember(QString()), nullptr);
    EXPECT_NE(act.DataMember(QStringLiteral("Act")), nullptr);
}

TEST_F(ActTest, ActivateMakesTheRowCurrent)
{
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.phase2));
    EXPECT_EQ(act.idrAct_ID(), fx.phase2);
    EXPECT_EQ(act.strActHuidig(), kPhaseName);
    EXPECT_EQ(act.Voorz_ID(), fx.facTerrein);
    EXPECT_EQ(act.bytRubriek_REF(), 5);
    EXPECT_EQ(act.Rubriek(), QStringLiteral("Vervanging"));
    EXPECT_EQ(act.bytTypeVervangingsToeslag(), 2);
    EXPECT_EQ(act.IsQOR(), 0);
    EXPECT_TRUE(db::isNull(act.Clitem_REF()));

    ASSERT_TRUE(act.ActiveerID(fx.clItem10));
    EXPECT_EQ(act.IsQOR(), 1);
    EXPECT_EQ(act.Clitem_REF().toInt(), 10);
    EXPECT_EQ(act.Rubriek(), QStringLiteral("Controlemetingen"));
    EXPECT_EQ(act.AantalRecords(), 6);
    EXPECT_EQ(act.idrAct_ID(), fx.clItem10); // counting does not move
}

TEST_F(ActTest, ActivateSavesThePendingEditFirst)
{
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.ownItem));
    act.setValue(QStringLiteral("strOpm"), QStringLiteral("schilderwerk 'buiten'"));
    EXPECT_TRUE(db::isNull(col(fx.ownItem, QStringLiteral("strOpm"))));
    ASSERT_TRUE(act.ActiveerID(fx.phase1));
    EXPECT_EQ(col(fx.ownItem, QStringLiteral("strOpm")).toString(), QStringLiteral("schilderwerk 'buiten'"));
}

TEST_F(ActTest, UnknownIdLeavesNoRowToActOn)
{
    {
        clsAct act(fx.context());
        ASSERT_TRUE(act.ActiveerID(fx.ownItem));
        script.expectMsgBox(ui::Icon::Critical, QString(), QStringLiteral("EOF-fout in ActiveerID(lngIDAct as long)"));
        EXPECT_FALSE(act.ActiveerID(99999));
        EXPECT_FALSE(act.hasCurrentRow());
        EXPECT_TRUE(act.EOF_());
        // No later operation lands on the item that was current before.
        EXPECT_THROW(act.setValue(QStringLiteral("strOpm"), QStringLiteral("verkeerd")), platform::Error);
        EXPECT_THROW(act.ForceDirty(), platform::Error);
        EXPECT_THROW(act.strActHuidig(), platform::Error);
        EXPECT_THROW(act.pfunHernoemActNaamOfRubriek(QStringLiteral("Verkeerd")), platform::Error);
        script.setMode(ui::ScriptedDialogs::Mode::Record);
        EXPECT_FALSE(act.verwijderAct());
        script.setMode(ui::ScriptedDialogs::Mode::Strict);
        EXPECT_TRUE(act.UpdateNu());
    }
    EXPECT_EQ(actRows(), 6);
    EXPECT_TRUE(db::isNull(col(fx.ownItem, QStringLiteral("strOpm"))));
    EXPECT_EQ(col(fx.ownItem, QStringLiteral("strAct")).toString(), QStringLiteral("Onderhoud bouwkeet"));
}

TEST_F(ActTest, EmptyColumnsNameTheFieldWhenRead)
{
    fx.execute(QStringLiteral("UPDATE tblAct SET lngInrichting_REF=NULL, strAct=NULL, bytRubriek_REF=NULL,"
                              " bytIsQOR=NULL WHERE idrAct_ID=?"),
               {fx.ownItem});
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.ownItem));
    testsupport::expectInvalidUseOfNull(
        {
            {"lngInrichting_REF", [&] { act.Voorz_ID(); }},
            {"strAct", [&] { act.strActHuidig(); }},
            {"bytRubriek_REF", [&] { act.bytRubriek_REF(); }},
            {"bytRubriek_REF", [&] { act.Rubriek(); }},
            {"bytIsQOR", [&] { act.IsQOR(); }},
            {"strAct", [&] { act.pfunHernoemActNaamOfRubriek(QStringLiteral("Nieuw")); }},
        },
        QStringLiteral("clsAct."));
    EXPECT_EQ(act.idrAct_ID(), fx.ownItem);
    EXPECT_TRUE(db::isNull(act.Clitem_REF()));
}

TEST_F(ActTest, MovingOnAndToTheLastRow)
{
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.clItem2));
    act.MoveVolgendeOfLaatste();
    EXPECT_EQ(act.idrAct_ID(), fx.clItem10);
    act.MoveVolgendeOfLaatste(); // past the last: back to the last
    EXPECT_EQ(act.idrAct_ID(), fx.clItem10);
    act.moveNext();
    EXPECT_TRUE(act.EOF_());
    EXPECT_THROW(act.moveNext(), platform::Error);
}

// ---- saving ------------------------------------------------------------------

TEST_F(ActTest, UpdateNuAndReleaseSaveThePendingEdit)
{
    {
        clsAct act(fx.context());
        ASSERT_TRUE(act.ActiveerID(fx.ownItem));
        act.ForceDirty();
        EXPECT_TRUE(db::isNull(col(fx.ownItem, QStringLiteral("dtmMut"))));
        EXPECT_TRUE(act.UpdateNu());
        EXPECT_EQ(col(fx.ownItem, QStringLiteral("dtmMut")).toDateTime().date(), QDate::currentDate());
        EXPECT_TRUE(act.UpdateNu()); // nothing pending: nothing to do

        act.LetbytIsQOR(2);
        act.Clitem_REF(27);
        act.setValue(QStringLiteral("SNGKOSTENTOTAAL"), 650.5f);
    }
    expectInFile(fx.ownItem, {{"bytIsQOR", 2}, {"lngClitem_REF", 27}, {"sngKostenTotaal", 650.5}}, "release");

    {
        clsAct act(fx.context());
        ASSERT_TRUE(act.ActiveerID(fx.ownItem));
        EXPECT_TRUE(db::isNull(act.DeleteCLitem_REF()));
        act.IsQOR(QVariant(0));
    }
    expectInFile(fx.ownItem, {{"bytIsQOR", 0}, {"lngClitem_REF", QVariant()}}, "release after DeleteCLitem_REF");
}

TEST_F(ActTest, FailedSaveIsReportedAndTheEditStaysPending)
{
    blockUpdatesOf(fx.ownItem);
    {
        clsAct act(fx.context());
        ASSERT_TRUE(act.ActiveerID(fx.ownItem));
        act.setValue(QStringLiteral("strOpm"), QStringLiteral("bewaren"));
        bool saved = true;
        auto boxes = boxesOf([&] { saved = act.UpdateNu(); });
        EXPECT_FALSE(saved);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].msgBox.icon, ui::Icon::Exclamation);
        EXPECT_EQ(boxes[0].msgBox.title, QStringLiteral("Fout bij opslaan"));
        EXPECT_EQ(boxes[0].msgBox.text, QStringLiteral("Er is een fout opgetreden bij het opslaan van het record."));
        EXPECT_EQ(boxes[1].msgBox.icon, ui::Icon::Critical);
        EXPECT_TRUE(boxes[1].msgBox.title.startsWith(QLatin1String("fout "))) << boxes[1].msgBox.title.toStdString();
        EXPECT_TRUE(boxes[1].msgBox.text.contains(QLatin1String("geblokkeerd"))) << boxes[1].msgBox.text.toStdString();
        EXPECT_EQ(act.value(QStringLiteral("strOpm")).toString(), QStringLiteral("bewaren"));

        // Moving on needs the save too: the object stays on its row.
        boxes = boxesOf([&] { saved = act.ActiveerID(fx.phase1); });
        EXPECT_FALSE(saved);
        EXPECT_EQ(boxes.size(), 2u);
        EXPECT_EQ(act.idrAct_ID(), fx.ownItem);

        fx.execute(QStringLiteral("DROP TRIGGER block%1").arg(fx.ownItem));
        EXPECT_TRUE(act.UpdateNu());
    }
    EXPECT_EQ(col(fx.ownItem, QStringLiteral("strOpm")).toString(), QStringLiteral("bewaren"));
}

TEST_F(ActTest, FailedSaveOnReleaseIsReported)
{
    blockUpdatesOf(fx.ownItem);
    const auto boxes = boxesOf([&] {
        clsAct act(fx.context());
        act.ActiveerID(fx.ownItem);
        act.setValue(QStringLiteral("strOpm"), QStringLiteral("verloren"));
    });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].msgBox.title, QStringLiteral("Fout bij opslaan"));
    EXPECT_TRUE(db::isNull(col(fx.ownItem, QStringLiteral("strOpm"))));
}

TEST_F(ActTest, TwoObjectsOnOneRowKeepEachOthersEdits)
{
    clsAct screen(fx.context());
    clsAct other(fx.context());
    ASSERT_TRUE(screen.ActiveerID(fx.ownItem));
    ASSERT_TRUE(other.ActiveerID(fx.ownItem));
    screen.setValue(QStringLiteral("strOpm"), QStringLiteral("van het scherm"));
    other.LetbytIsQOR(2);
    EXPECT_TRUE(screen.UpdateNu());
    EXPECT_TRUE(other.UpdateNu());
    expectInFile(fx.ownItem, {{"strOpm", QStringLiteral("van het scherm")}, {"bytIsQOR", 2}}, "both edits");
}

TEST_F(ActTest, FieldsByNameWithChangeNotification)
{
    clsAct act(fx.context());
    QStringList heard;
    act.onChanged([&](const QString &field) { heard << field; });
    ASSERT_TRUE(act.ActiveerID(fx.ownItem));
    EXPECT_EQ(heard, QStringList{QString()});
    act.setValue(QStringLiteral("intfreqx"), 4);
    EXPECT_EQ(heard.last(), QStringLiteral("intFreqX"));
    EXPECT_EQ(act.value(QStringLiteral("INTFREQX")).toInt(), 4);

    // A value the column cannot hold is refused naming the field; the other
    // pending edits stay and are saved.
    for (const auto &[field, value] : Values{{"strEenheid", QString(51, QLatin1Char('e'))},
                                             {"intFreqX", 40000},
                                             {"bytRubriek_REF", 256},
                                             {"sngAantal", QStringLiteral("4,5")}}) {
        try {
            act.setValue(QLatin1String(field), value);
            ADD_FAILURE() << field << " accepted";
        } catch (const platform::Error &e) {
            EXPECT_TRUE(e.description().contains(QLatin1String(field), Qt::CaseInsensitive))
                << e.description().toStdString();
        }
    }
    EXPECT_TRUE(act.UpdateNu());
    expectInFile(fx.ownItem, {{"intFreqX", 4}, {"strEenheid", QVariant()}, {"bytRubriek_REF", 4}}, "after refusals");
}

// ---- adding from a checklist item ----------------------------------------------

TEST_F(ActTest, AddFromChecklistTakesTheItemsValues)
{
    struct Case {
        qint32 item;
        int category;
        QString facility;
        bool facilityExists;
        Values values;
    };
    const QVariant null;
    const std::vector<Case> cases = {
        {2,
         1,
         QStringLiteral("Terrein en hekwerk"),
         true,
         {{"bytRubriek_REF", 4},
          {"strAct", QStringLiteral("Onderhoud hekwerk en poort")},
          {"bytStartBA", 0},
          {"intStartRel", 1},
          {"bytOptieStart", 2},
          {"intStartBA", null},
          {"intStartAbs", null},
          {"bytOptieEind", 3},
          {"bytEindBA", 0},
          {"intEindRel", null},
          {"intEindBA", null},
          {"intEindAbs", null},
          {"bytOptieKosten", 2},
          {"sngKostenTotaal", 1750},
          {"sngKostenPE", null},
          {"sngPercInvest", null},
          {"strEenheid", null},
          {"sngAantal", null},
          {"bytOptieFreq", 3},
          {"intFreqX", 8},
          {"bytIsQOR", 1},
          {"lngClitem_REF", 2},
          {"bytCombineer", 0},
          {"bytTypeVervangingsToeslag", 0},
          {"sngVervangingsToeslagPerc", null},
          {"strOpm", null},
          {"strNazorgplanRef", null}}},
        // Counted from the top liner: the start year goes to intStartBA, start option 1.
        {7,
         2,
         QStringLiteral("Bovenafdichting"),
         true,
         {{"bytStartBA", 1},
          {"intStartBA", 5},
          {"bytOptieStart", 1},
          {"intStartRel", null},
          {"bytOptieKosten", 1},
          {"sngPercInvest", 1.5},
          {"sngKostenInvest", null},
          {"intFreqX", 1}}},
        {8,
         2,
         QStringLiteral("Bovenafdichting"),
         true,
         {{"intStartBA", 75},
          {"bytOptieStart", 1},
          {"bytOptieKosten", 3},
          {"sngKostenPE", 32.5},
          {"strEenheid", QStringLiteral("m2")},
          {"intFreqX", 88},
          {"bytTypeVervangingsToeslag", 1},
          {"sngVervangingsToeslagPerc", null}}},
        // End counted from the top liner: the end year goes to intEindBA.
        {9,
         2,
         QStringLiteral("Bovenafdichting"),
         true,
         {{"bytStartBA", 1},
          {"intStartBA", null},
          {"bytOptieEind", 2},
          {"bytEindBA", 1},
          {"intEindBA", 30},
          {"intEindRel", null},
          {"sngKostenTotaal", 3000}}},
        // Small works: the version's small-works percentage.
        {12,
         3,
         QStringLiteral("Peilbuizen"),
         true,
         {{"intStartRel", 25},
          {"sngKostenPE", 2000},
          {"strEenheid", QStringLiteral("stuk")},
          {"intFreqX", 28},
          {"bytTypeVervangingsToeslag", 3},
          {"sngVervangingsToeslagPerc", 5}}},
        // Large works: the middle of the version's bounds 6 and 6,5.
        {16,
         4,
         QStringLiteral("Drainageleidingen"),
         false,
         {{"intStartRel", 30},
          {"sngKostenPE", 75},
          {"strEenheid", QStringLiteral("m1")},
          {"intFreqX", 35},
          {"bytTypeVervangingsToeslag", 2},
          {"sngVervangingsToeslagPerc", 6.25}}},
        {20,
         4,
         QStringLiteral("Percolaatafvoer"),
         false,
         {{"bytOptieEind", 2},
          {"intEindRel", 30},
          {"intEindBA", null},
          {"sngKostenPE", null},
          {"strEenheid", QStringLiteral("m3")}}},
        // Type 7 (still to choose): no percentage.
        {23,
         5,
         QStringLiteral("Gasonttrekking"),
         false,
         {{"intStartRel", null},
          {"bytOptieStart", 2},
          {"sngKostenTotaal", null},
          {"bytOptieFreq", 1},
          {"intFreqX", null},
          {"bytTypeVervangingsToeslag", 7},
          {"sngVervangingsToeslagPerc", null}}},
    };

    records::Context ctx = fx.context(&tree);
    ctx.glngKleurAct = 255;
    clsAct act(ctx);
    for (const Case &c : cases) {
        const std::string what = "item " + std::to_string(c.item);
        const qint64 rowsBefore = actRows();
        const qint64 facilitiesBefore = facilityRows();
        ASSERT_TRUE(act.VoegToe_CLitem(c.item)) << what;
        EXPECT_FALSE(ui::isBusyCursor()) << what;

        // Pending until saved.
        EXPECT_EQ(actRows(), rowsBefore) << what;
        const qint32 facility =
            fx.scalar(QStringLiteral("SELECT idrInrichting_ID FROM tblInrichting WHERE lngStort_REF=? AND"
                                     " bytObjectCat_REF=? AND strObject=?"),
                      {fx.siteId, c.category, c.facility})
                .toInt();
        EXPECT_EQ(facilityRows(), facilitiesBefore + (c.facilityExists ? 0 : 1)) << what;
        EXPECT_EQ(act.Voorz_ID(), facility) << what;

        // The nodes: a new facility under its category, the item under its facility.
        const auto *facilityNode = tree.itemByKey(records::keyInrichting(facility));
        ASSERT_NE(facilityNode, nullptr) << what;
        EXPECT_EQ(tree.key(facilityNode->parent), records::keyObjectCat(c.category)) << what;
        const auto *node = tree.itemByKey(records::kKeyActNew);
        ASSERT_NE(node, nullptr) << what;
        EXPECT_EQ(tree.key(node->parent), records::keyInrichting(facility)) << what;
        EXPECT_EQ(tree.childKeys(records::keyInrichting(facility)).last(), records::kKeyActNew) << what;
        EXPECT_EQ(node->text, act.strActHuidig()) << what;
        EXPECT_EQ(node->tag, QStringLiteral("1")) << what;
        EXPECT_FALSE(node->bold) << what;
        EXPECT_EQ(node->foreColor, 255) << what;
        EXPECT_EQ(node->image, act.bytRubriek_REF()) << what;
        EXPECT_TRUE(node->expanded) << what;

        const qint32 id = saveNew(act);
        EXPECT_EQ(actRows(), rowsBefore + 1) << what;
        expectInFile(id, c.values, what);
        expectInFile(id,
                     {{"lngStort_REF", fx.siteId},
                      {"lngInrichting_REF", facility},
                      {"bytIsQOR", 1},
                      {"lngClitem_REF", c.item},
                      {"bytCombineer", 0}},
                     what);
        EXPECT_EQ(col(id, QStringLiteral("dtmMut")).toDateTime().date(), QDate::currentDate()) << what;
    }
    EXPECT_EQ(act.strAlleChecklistRefs(), QStringLiteral("|2|10|2|7|8|9|12|16|20|23|"));
}

TEST_F(ActTest, AddFromChecklistFindsTheFacilityIgnoringCase)
{
    fx.execute(QStringLiteral("UPDATE tblInrichting SET strObject='PEILBUIZEN' WHERE idrInrichting_ID=?"),
               {fx.facPeil});
    clsAct act(fx.context(&tree));
    ASSERT_TRUE(act.VoegToe_CLitem(11));
    EXPECT_EQ(act.Voorz_ID(), fx.facPeil);
    EXPECT_EQ(facilityRows(), 4);
}

TEST_F(ActTest, AddFromChecklistWithoutATree)
{
    clsAct act(fx.context());
    ASSERT_TRUE(act.VoegToe_CLitem(16));
    const qint32 id = saveNew(act);
    EXPECT_EQ(col(id, QStringLiteral("strAct")).toString(), QStringLiteral("Vervangen drainageleidingen"));
    EXPECT_EQ(facilityRows(), 5);
}

TEST_F(ActTest, ItemMissingFromTheVersionAddsNothing)
{
    const int nodes = tree.nodeCount();
    {
        clsAct act(fx.context(&tree));
        ASSERT_TRUE(act.ActiveerID(fx.ownItem));
        bool added = true;
        const auto boxes = boxesOf([&] { added = act.VoegToe_CLitem(999); });
        EXPECT_FALSE(added);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].msgBox.icon, ui::Icon::Critical);
        EXPECT_EQ(boxes[0].msgBox.title, QStringLiteral("TAVIR"));
        EXPECT_EQ(boxes[0].msgBox.text, QStringLiteral("Fout bij VoegToe_CLitem(999)"));
        EXPECT_EQ(boxes[1].msgBox.icon, ui::Icon::Critical);
        EXPECT_EQ(boxes[1].msgBox.title, QStringLiteral("Fout 3021"));
        EXPECT_FALSE(ui::isBusyCursor());
        EXPECT_EQ(act.AantalRecords(), 6);
        EXPECT_EQ(act.idrAct_ID(), fx.ownItem); // back where it was
        EXPECT_TRUE(act.UpdateNu());
    }
    EXPECT_EQ(actRows(), 6);
    EXPECT_EQ(facilityRows(), 4);
    EXPECT_EQ(tree.nodeCount(), nodes);
}

TEST_F(ActTest, FailedNodeLeavesNoHalfFilledRow)
{
    // An earlier new item whose node still has the key "actNEW".
    const auto stale = tree.addChild(records::keyInrichting(fx.facBoven));
    tree.setKey(stale, records::kKeyActNew);
    const int nodes = tree.nodeCount();
    {
        clsAct act(fx.context(&tree));
        ASSERT_TRUE(act.ActiveerID(fx.clItem2));
        bool added = true;
        const auto boxes = boxesOf([&] { added = act.VoegToe_CLitem(4); });
        EXPECT_FALSE(added);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].msgBox.title, QStringLiteral("Fout 35602"));
        EXPECT_EQ(tree.nodeCount(), nodes);
        EXPECT_EQ(act.idrAct_ID(), fx.clItem2);
        EXPECT_EQ(act.AantalRecords(), 6);
    }
    EXPECT_EQ(actRows(), 6);
    EXPECT_EQ(rowsNamed(QStringLiteral("Onderhoud wegen en paden")), 0);
}

// ---- adding an own item --------------------------------------------------------

TEST_F(ActTest, AddOwnItem)
{
    struct Case {
        int rubric;
        int frequencyOption;
        QString name;
    };
    const std::vector<Case> cases = {
        {5, 3, QStringLiteral("Vervangen 'oude' put")},
        {4, 2, QStringLiteral("Onderhoud bouwkeet")}, // the same name under another facility
        {1, 2, QStringLiteral("ONDERHOUD BOUWKEET")},
    };
    clsAct act(fx.context(&tree));
    for (const Case &c : cases) {
        const std::string what = c.name.toStdString();
        const qint64 rowsBefore = actRows();
        EXPECT_EQ(act.VoegToe_CustomAct(c.name, fx.facBoven, std::uint8_t(c.rubric)), QStringLiteral("NEW"));
        EXPECT_FALSE(ui::isBusyCursor());
        const auto *node = tree.itemByKey(records::kKeyActNew);
        ASSERT_NE(node, nullptr) << what;
        EXPECT_EQ(tree.key(node->parent), records::keyInrichting(fx.facBoven));
        EXPECT_EQ(node->text, c.name);
        EXPECT_EQ(node->tag, QStringLiteral("0"));
        EXPECT_FALSE(node->bold);
        EXPECT_EQ(node->foreColor, 128);
        EXPECT_EQ(node->image, c.rubric);
        EXPECT_TRUE(node->expanded);
        EXPECT_EQ(actRows(), rowsBefore) << what; // pending

        const qint32 id = saveNew(act);
        const QVariant null;
        expectInFile(id,
                     {{"lngStort_REF", fx.siteId},
                      {"lngInrichting_REF", fx.facBoven},
                      {"bytRubriek_REF", c.rubric},
                      {"strAct", c.name},
                      {"bytOptieStart", 2},
                      {"intStartRel", 1},
                      {"intStartAbs", null},
                      {"bytOptieEind", 3},
                      {"bytOptieKosten", 2},
                      {"bytEindBA", 0},
                      {"bytStartBA", 0},
                      {"bytIsQOR", 0},
                      {"bytTypeVervangingsToeslag", 0},
                      {"bytOptieFreq", c.frequencyOption},
                      {"bytCombineer", 0},
                      {"intFreqX", null},
                      {"sngKostenTotaal", null},
                      {"sngKostenPE", null},
                      {"sngVervangingsToeslagPerc", null},
                      {"lngClitem_REF", null},
                      {"strOpm", null}},
                     what);
        EXPECT_EQ(col(id, QStringLiteral("dtmMut")).toDateTime().date(), QDate::currentDate());
    }
}

TEST_F(ActTest, FailedOwnItemAddsNothing)
{
    struct Case {
        const char *what;
        QString name;
        qint32 facility;
        long error;
    };
    const std::vector<Case> cases = {
        {"name longer than its column", QString(256, QLatin1Char('n')), fx.facBoven, 3163},
        {"facility without a node", QStringLiteral("Put"), 99999, 35601},
    };
    const int nodes = tree.nodeCount();
    {
        clsAct act(fx.context(&tree));
        ASSERT_TRUE(act.ActiveerID(fx.phase3));
        for (const Case &c : cases) {
            QString result = QStringLiteral("?");
            const auto boxes = boxesOf([&] { result = act.VoegToe_CustomAct(c.name, c.facility, 4); });
            EXPECT_EQ(result, QString()) << c.what;
            ASSERT_EQ(boxes.size(), 1u) << c.what;
            EXPECT_EQ(boxes[0].msgBox.icon, ui::Icon::Critical);
            EXPECT_EQ(boxes[0].msgBox.title, QStringLiteral("Fout ") + QString::number(c.error)) << c.what;
            if (c.error == 3163) {
                EXPECT_TRUE(boxes[0].msgBox.text.contains(QLatin1String("strAct")))
                    << boxes[0].msgBox.text.toStdString();
            }
            EXPECT_FALSE(ui::isBusyCursor());
            EXPECT_EQ(act.idrAct_ID(), fx.phase3) << c.what;
            EXPECT_EQ(tree.nodeCount(), nodes) << c.what;
        }
        EXPECT_TRUE(act.UpdateNu());
    }
    EXPECT_EQ(actRows(), 6);
}

TEST_F(ActTest, NameExistsInTheSameFacilityWhateverItsCase)
{
    fx.execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, strAct) VALUES (?, ?, NULL)"),
               {fx.siteId, fx.facKeet});
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.clItem10));
    EXPECT_TRUE(act.ActiviteitBestaatAl(QStringLiteral("Onderhoud bouwkeet"), fx.facKeet));
    // As the data file compares text: another case is the same name.
    EXPECT_TRUE(act.ActiviteitBestaatAl(QStringLiteral("onderhoud BOUWKEET"), fx.facKeet));
    EXPECT_FALSE(act.ActiviteitBestaatAl(QStringLiteral("Onderhoud bouwkeetje"), fx.facKeet));
    EXPECT_FALSE(act.ActiviteitBestaatAl(QStringLiteral("Onderhoud bouwkeet"), fx.facTerrein));
    EXPECT_FALSE(act.ActiviteitBestaatAl(QString(), fx.facKeet)); // an empty name never matches
    EXPECT_TRUE(act.ActiviteitBestaatAl(kPhaseName, fx.facTerrein));
    EXPECT_EQ(act.idrAct_ID(), fx.clItem10);
}

// ---- further phases ------------------------------------------------------------

TEST_F(ActTest, SecondPhaseCopiesTheItemWithoutItsYears)
{
    clsAct act(fx.context(&tree));
    ASSERT_TRUE(act.ActiveerID(fx.ownItem));
    act.setValue(QStringLiteral("strOpm"), QStringLiteral("fase 'twee'")); // saved before the copy
    ASSERT_TRUE(act.Dupliceer_Act(1));
    EXPECT_EQ(col(fx.ownItem, QStringLiteral("strOpm")).toString(), QStringLiteral("fase 'twee'"));
    EXPECT_EQ(actRows(), 6); // the new phase is pending

    EXPECT_EQ(tree.itemByKey(records::keyAct(fx.ownItem))->text, QStringLiteral("Onderhoud bouwkeet {1e fase}"));
    const auto *node = tree.itemByKey(records::kKeyActNew);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(tree.key(node->parent), records::keyAct(fx.ownItem));
    EXPECT_EQ(node->text, QStringLiteral("{2e fase}"));
    EXPECT_EQ(node->tag, QStringLiteral("0"));
    EXPECT_FALSE(node->bold);
    EXPECT_EQ(node->foreColor, 0);
    EXPECT_EQ(node->image, 8);
    EXPECT_TRUE(node->expanded);

    const qint32 id = saveNew(act);
    ASSERT_NE(id, fx.ownItem);
    for (const char *column :
         {"lngStort_REF", "lngInrichting_REF", "bytRubriek_REF", "strAct", "bytOptieStart", "bytStartBA",
          "bytOptieEind", "bytEindBA", "bytOptieKosten", "sngKostenTotaal", "bytOptieFreq", "intFreqX", "bytIsQOR",
          "bytCombineer", "bytTypeVervangingsToeslag", "strOpm"})
        EXPECT_EQ(col(id, QLatin1String(column)), col(fx.ownItem, QLatin1String(column))) << column;
    const QVariant null;
    expectInFile(id, {{"intStartRel", null}, {"intStartAbs", null}, {"intEindRel", null}, {"intEindAbs", null}},
                 "years");
    EXPECT_EQ(col(id, QStringLiteral("dtmMut")).toDateTime().date(), QDate::currentDate());
    EXPECT_EQ(col(fx.ownItem, QStringLiteral("intStartRel")).toInt(), 1); // the source keeps its years
}

TEST_F(ActTest, FirstPhaseIsMarkedOnlyOnce)
{
    // A tree whose first phase still carries the mark, its other phases gone.
    const auto head = tree.find(records::keyAct(fx.ownItem));
    tree.setText(head, QStringLiteral("Onderhoud bouwkeet {1e fase}"));
    clsAct act(fx.context(&tree));
    ASSERT_TRUE(act.ActiveerID(fx.ownItem));
    ASSERT_TRUE(act.Dupliceer_Act(1));
    EXPECT_EQ(tree.text(head), QStringLiteral("Onderhoud bouwkeet {1e fase}"));
}

TEST_F(ActTest, FurtherPhaseOfAChecklistItemKeepsItsReference)
{
    clsAct act(fx.context(&tree));
    ASSERT_TRUE(act.ActiveerID(fx.clItem10));
    ASSERT_TRUE(act.Dupliceer_Act(1));
    EXPECT_EQ(tree.itemByKey(records::kKeyActNew)->tag, QStringLiteral("1"));
    const qint32 id = saveNew(act);
    expectInFile(
        id, {{"lngClitem_REF", 10}, {"bytIsQOR", 1}, {"sngKostenPE", 375}, {"strEenheid", QStringLiteral("monster")}},
        "checklist phase");
    EXPECT_EQ(act.strAlleChecklistRefs(), QStringLiteral("|2|10|10|"));
}

TEST_F(ActTest, FourthPhaseLeavesTheFirstPhasesTextAlone)
{
    clsAct act(fx.context(&tree));
    ASSERT_TRUE(act.ActiveerID(fx.phase1));
    const QString firstText = tree.itemByKey(records::keyAct(fx.phase1))->text;
    ASSERT_EQ(firstText, kPhaseName + QStringLiteral(" {1e fase}"));
    ASSERT_TRUE(act.Dupliceer_Act(3));
    EXPECT_EQ(tree.itemByKey(records::keyAct(fx.phase1))->text, firstText);
    EXPECT_EQ(tree.itemByKey(records::kKeyActNew)->text, QStringLiteral("{4e fase}"));
    EXPECT_EQ(tree.childKeys(records::keyAct(fx.phase1)),
              (QStringList{records::keyAct(fx.phase2), records::keyAct(fx.phase3), records::kKeyActNew}));
    saveNew(act);
    EXPECT_EQ(rowsNamed(kPhaseName), 4);
}

TEST_F(ActTest, FailedPhaseAddsNothing)
{
    // The first phase's node is missing from the tree.
    tree.remove(tree.find(records::keyAct(fx.ownItem)));
    const int nodes = tree.nodeCount();
    {
        clsAct act(fx.context(&tree));
        ASSERT_TRUE(act.ActiveerID(fx.ownItem));
        bool added = true;
        const auto boxes = boxesOf([&] { added = act.Dupliceer_Act(1); });
        EXPECT_FALSE(added);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].msgBox.title, QStringLiteral("Fout 35601"));
        EXPECT_EQ(act.idrAct_ID(), fx.ownItem);
        EXPECT_EQ(tree.nodeCount(), nodes);
    }
    EXPECT_EQ(rowsNamed(QStringLiteral("Onderhoud bouwkeet")), 1);
}

TEST_F(ActTest, FailedSaveOfAPendingNewItemKeepsIt)
{
    fx.execute(QStringLiteral("CREATE TRIGGER blockNew BEFORE INSERT ON tblAct WHEN NEW.strAct='Nieuwe post'"
                              " BEGIN SELECT RAISE(ABORT, 'geblokkeerd'); END"));
    clsAct act(fx.context());
    ASSERT_EQ(act.VoegToe_CustomAct(QStringLiteral("Nieuwe post"), fx.facBoven, 3), QStringLiteral("NEW"));
    bool added = true;
    const auto boxes = boxesOf([&] { added = act.Dupliceer_Act(1); });
    EXPECT_FALSE(added);
    EXPECT_EQ(boxes.size(), 1u);
    // The user's new item is still there, pending, and saved once it can be.
    EXPECT_EQ(act.strActHuidig(), QStringLiteral("Nieuwe post"));
    fx.execute(QStringLiteral("DROP TRIGGER blockNew"));
    EXPECT_TRUE(act.UpdateNu());
    EXPECT_EQ(rowsNamed(QStringLiteral("Nieuwe post")), 1);
}

// ---- renaming and moving to another rubric --------------------------------------

TEST_F(ActTest, RenameChangesEveryPhaseWhicheverIsCurrent)
{
    for (qint32 current : {fx.phase1, fx.phase3}) {
        const QString name = QStringLiteral("Toegangsweg 'noord' ") + QString::number(current);
        {
            clsAct act(fx.context());
            ASSERT_TRUE(act.ActiveerID(current));
            const QString before = act.strActHuidig();
            QStringList heard;
            act.onChanged([&](const QString &field) { heard << field; });
            ASSERT_TRUE(act.pfunHernoemActNaamOfRubriek(name));
            EXPECT_EQ(act.strActHuidig(), name);
            EXPECT_FALSE(heard.isEmpty()); // bound controls learn of the new name
            EXPECT_EQ(rowsNamed(name), 3);
            EXPECT_EQ(rowsNamed(before), 0);
            EXPECT_EQ(act.idrAct_ID(), current);
        }
        for (qint32 phase : {fx.phase1, fx.phase2, fx.phase3})
            expectInFile(phase,
                         {{"strAct", name},
                          {"bytRubriek_REF", 5},
                          {"bytTypeVervangingsToeslag", 2},
                          {"sngVervangingsToeslagPerc", 6.25},
                          {"dtmMut", QVariant()}},
                         "renamed phase");
    }
    EXPECT_EQ(col(fx.ownItem, QStringLiteral("strAct")).toString(), QStringLiteral("Onderhoud bouwkeet"));
}

TEST_F(ActTest, RenameKeepsTheSameNameInAnotherFacility)
{
    fx.execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct)"
                              " VALUES (?, ?, 5, ?)"),
               {fx.siteId, fx.facBoven, kPhaseName});
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.phase2));
    ASSERT_TRUE(act.pfunHernoemActNaamOfRubriek(QStringLiteral("vervangen TOEGANGSWEG"), 4));
    EXPECT_EQ(rowsNamed(kPhaseName), 4); // compared without regard to case in the file
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE lngInrichting_REF=? AND bytRubriek_REF=4"
                                      " AND strAct='vervangen TOEGANGSWEG'"),
                       {fx.facTerrein}),
              3);
    EXPECT_EQ(
        fx.scalar(QStringLiteral("SELECT bytRubriek_REF FROM tblAct WHERE lngInrichting_REF=?"), {fx.facBoven}).toInt(),
        5);
}

TEST_F(ActTest, MovingToAnotherRubric)
{
    struct Case {
        const char *what;
        qint32 item;
        int from, to;
        QVariant type, perc; // of every phase afterwards
    };
    fx.execute(QStringLiteral("UPDATE tblAct SET sngVervangingsToeslagPerc=3 WHERE idrAct_ID=?"), {fx.ownItem});
    const std::vector<Case> cases = {
        {"5 to 4 clears the surcharge", fx.phase2, 5, 4, 0, QVariant()},
        {"4 to 5 leaves it", fx.ownItem, 4, 5, 0, 3},
        {"no rubric given", fx.clItem10, 2, 0, 0, QVariant()},
    };
    for (const Case &c : cases) {
        {
            clsAct act(fx.context());
            ASSERT_TRUE(act.ActiveerID(c.item));
            ASSERT_TRUE(
                act.pfunHernoemActNaamOfRubriek(QStringLiteral("Post ") + QLatin1String(c.what), std::uint8_t(c.to)));
            EXPECT_EQ(act.bytRubriek_REF(), c.to ? c.to : c.from) << c.what;
            EXPECT_EQ(act.value(QStringLiteral("sngVervangingsToeslagPerc")).toDouble(), c.perc.toDouble()) << c.what;
        }
        const qint64 rows = fx.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct=?"),
                                     {QStringLiteral("Post ") + QLatin1String(c.what)});
        EXPECT_EQ(rows, c.item == fx.phase2 ? 3 : 1) << c.what;
        db::Connection cn;
        cn.Open(fx.dataFile);
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT idrAct_ID FROM tblAct WHERE strAct=?"), cn, db::LockType::ReadOnly,
                {QStringLiteral("Post ") + QLatin1String(c.what)});
        for (; !rs.EOF_(); rs.MoveNext())
            expectInFile(rs.Fields(0).Value().toInt(),
                         {{"bytRubriek_REF", c.to ? c.to : c.from},
                          {"bytTypeVervangingsToeslag", c.type},
                          {"sngVervangingsToeslagPerc", c.perc}},
                         c.what);
    }
}

TEST_F(ActTest, RenameRefusesAnEmptyName)
{
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.phase1));
    for (const QVariant &name : {QVariant(QString()), QVariant()}) {
        expectEmptyNameRefused();
        EXPECT_FALSE(act.pfunHernoemActNaamOfRubriek(name, 4));
    }
    EXPECT_EQ(rowsNamed(kPhaseName), 3);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE bytRubriek_REF=5")), 3);
}

TEST_F(ActTest, RenameIsWholeOrNotAtAll)
{
    struct Case {
        const char *what;
        QString name;
        bool blockLastPhase;
        long error;
    };
    const std::vector<Case> cases = {
        {"last phase cannot be saved", QStringLiteral("Nieuwe naam"), true, 0},
        {"name longer than its column", QString(256, QLatin1Char('w')), false, 3163},
    };
    for (const Case &c : cases) {
        if (c.blockLastPhase)
            blockUpdatesOf(fx.phase3);
        {
            clsAct act(fx.context());
            ASSERT_TRUE(act.ActiveerID(fx.phase2));
            try {
                act.pfunHernoemActNaamOfRubriek(c.name, 4);
                ADD_FAILURE() << c.what << ": no error";
            } catch (const platform::Error &e) {
                if (c.error) {
                    EXPECT_EQ(e.number(), c.error) << c.what;
                    EXPECT_TRUE(e.description().contains(QLatin1String("strAct"))) << e.description().toStdString();
                }
                EXPECT_EQ(e.source(), QStringLiteral("clsAct.pfunHernoemActNaamOfRubriek")) << c.what;
            }
            // Neither the file nor the object holds a part of the change.
            EXPECT_EQ(rowsNamed(kPhaseName), 3) << c.what;
            EXPECT_EQ(act.strActHuidig(), kPhaseName) << c.what;
            EXPECT_EQ(act.bytRubriek_REF(), 5) << c.what;
            EXPECT_TRUE(act.ActiviteitBestaatAl(kPhaseName, fx.facTerrein)) << c.what;
            EXPECT_FALSE(act.ActiviteitBestaatAl(c.name, fx.facTerrein)) << c.what;
        }
        if (c.blockLastPhase)
            fx.execute(QStringLiteral("DROP TRIGGER block%1").arg(fx.phase3));
        for (qint32 phase : {fx.phase1, fx.phase2, fx.phase3})
            expectInFile(phase,
                         {{"strAct", kPhaseName},
                          {"bytRubriek_REF", 5},
                          {"bytTypeVervangingsToeslag", 2},
                          {"sngVervangingsToeslagPerc", 6.25}},
                         c.what);
    }
}

// ---- deleting -------------------------------------------------------------------

TEST_F(ActTest, DeleteMovesToTheNextOrTheLastRow)
{
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.phase2));
    EXPECT_TRUE(act.verwijderAct());
    EXPECT_EQ(col(fx.phase2, QStringLiteral("idrAct_ID")).toString(), QStringLiteral("<no row>"));
    EXPECT_EQ(act.idrAct_ID(), fx.phase3);

    ASSERT_TRUE(act.ActiveerID(fx.clItem10));
    EXPECT_TRUE(act.verwijderAct());
    EXPECT_EQ(act.idrAct_ID(), fx.clItem2); // the new last row
    EXPECT_EQ(act.AantalRecords(), 4);
    EXPECT_EQ(actRows(), 4);
    EXPECT_EQ(act.strAlleChecklistRefs(), QStringLiteral("|2|"));
}

TEST_F(ActTest, DeletingAnItemWithAllItsPhases)
{
    fx.execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct)"
                              " VALUES (?, ?, 5, ?)"),
               {fx.siteId, fx.facBoven, kPhaseName});
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.phase2));
    act.setValue(QStringLiteral("strOpm"), QStringLiteral("weg"));
    EXPECT_EQ(act.verwijderActMetAlleFases(), (QList<qint32>{fx.phase1, fx.phase2, fx.phase3}));
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE lngInrichting_REF=? AND strAct=?"),
                       {fx.facTerrein, kPhaseName}),
              0);
    EXPECT_EQ(rowsNamed(kPhaseName), 1); // the same name under another facility stays
    EXPECT_EQ(act.idrAct_ID(), fx.ownItem);
    EXPECT_EQ(act.AantalRecords(), 4);
    EXPECT_FALSE(act.ActiviteitBestaatAl(kPhaseName, fx.facTerrein));
}

TEST_F(ActTest, PhasesWhoseNamesDifferInCaseAreRenamedAndDeletedWithTheirItem)
{
    // The rows of one item as the tree groups them: the name in any case.
    fx.execute(QStringLiteral("UPDATE tblAct SET strAct='vervangen TOEGANGSWEG' WHERE idrAct_ID=?"), {fx.phase2});
    fx.execute(QStringLiteral("UPDATE tblAct SET strAct='VERVANGEN TOEGANGSWEG' WHERE idrAct_ID=?"), {fx.phase3});
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.phase1));
    ASSERT_TRUE(act.pfunHernoemActNaamOfRubriek(QStringLiteral("Toegangsweg"), 4));
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE strAct=? COLLATE BINARY AND bytRubriek_REF=4"),
                       {QStringLiteral("Toegangsweg")}),
              3);
    EXPECT_EQ(act.verwijderActMetAlleFases(), (QList<qint32>{fx.phase1, fx.phase2, fx.phase3}));
    EXPECT_EQ(rowsNamed(QStringLiteral("Toegangsweg")), 0);
}

TEST_F(ActTest, DeletingAnItemWithItsPhasesIsWholeOrNotAtAll)
{
    fx.execute(QStringLiteral("CREATE TRIGGER blockDelete BEFORE DELETE ON tblAct WHEN OLD.idrAct_ID=%1"
                              " BEGIN SELECT RAISE(ABORT, 'geblokkeerd'); END")
                   .arg(fx.phase3));
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.phase1));
    QList<qint32> deleted{-1};
    const auto boxes = boxesOf([&] { deleted = act.verwijderActMetAlleFases(); });
    EXPECT_TRUE(deleted.isEmpty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].msgBox.title.startsWith(QLatin1String("Fout "))) << boxes[0].msgBox.title.toStdString();
    EXPECT_EQ(rowsNamed(kPhaseName), 3);
    EXPECT_EQ(act.AantalRecords(), 6);
    EXPECT_EQ(act.idrAct_ID(), fx.phase1);
    EXPECT_TRUE(act.ActiveerID(fx.phase2));
}

TEST_F(ActTest, DeletingTheOnlyRowLeavesNoCurrentRow)
{
    fx.execute(QStringLiteral("INSERT INTO tblAct (lngStort_REF, strAct) VALUES (?, 'Enige')"), {fx.otherSiteId});
    clsAct act(fx.context(nullptr, fx.otherSiteId));
    EXPECT_TRUE(act.verwijderAct());
    EXPECT_FALSE(act.hasCurrentRow());
    EXPECT_EQ(act.AantalRecords(), 0);
    EXPECT_EQ(fx.count(QStringLiteral("SELECT * FROM tblAct WHERE lngStort_REF=?"), {fx.otherSiteId}), 0);
}

TEST_F(ActTest, DeletingAPendingNewItemWritesNothing)
{
    clsAct act(fx.context());
    act.VoegToe_CustomAct(QStringLiteral("Toch niet"), fx.facBoven, 2);
    EXPECT_TRUE(act.verwijderAct());
    EXPECT_TRUE(act.UpdateNu());
    EXPECT_EQ(act.AantalRecords(), 6);
    EXPECT_EQ(actRows(), 6);
}

TEST_F(ActTest, FailedDeleteIsReportedAndKeepsTheRow)
{
    fx.execute(QStringLiteral(
        "CREATE TRIGGER blockDelete BEFORE DELETE ON tblAct BEGIN SELECT RAISE(ABORT, 'geblokkeerd'); END"));
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.ownItem));
    bool deleted = true;
    const auto boxes = boxesOf([&] { deleted = act.verwijderAct(); });
    EXPECT_FALSE(deleted);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].msgBox.icon, ui::Icon::Critical);
    EXPECT_TRUE(boxes[0].msgBox.title.startsWith(QLatin1String("Fout "))) << boxes[0].msgBox.title.toStdString();
    EXPECT_EQ(act.idrAct_ID(), fx.ownItem);
    EXPECT_EQ(actRows(), 6);
}

// ---- checklist references ---------------------------------------------------------

TEST_F(ActTest, ChecklistReferencesAndChecklistFacilities)
{
    clsAct act(fx.context());
    ASSERT_TRUE(act.ActiveerID(fx.ownItem));
    EXPECT_EQ(act.strAlleChecklistRefs(), QStringLiteral("|2|10|"));
    EXPECT_TRUE(act.IsQORvoorziening(fx.facTerrein));
    EXPECT_TRUE(act.IsQORvoorziening(fx.facPeil));
    EXPECT_FALSE(act.IsQORvoorziening(fx.facKeet));
    EXPECT_FALSE(act.IsQORvoorziening(fx.facBoven));

    // A checklist item whose item left the version (bytIsQOR 0) no longer counts.
    act.ActiveerID(fx.clItem10);
    act.LetbytIsQOR(0);
    act.UpdateNu();
    EXPECT_EQ(act.strAlleChecklistRefs(), QStringLiteral("|2|"));
    EXPECT_FALSE(act.IsQORvoorziening(fx.facPeil));
    EXPECT_EQ(act.idrAct_ID(), fx.clItem10); // the scans do not move

    // An own item gets no reference.
    clsAct own(fx.context(nullptr, fx.otherSiteId));
    own.VoegToe_CustomAct(QStringLiteral("Eigen post"), fx.facBoven, 6);
    own.UpdateNu();
    EXPECT_EQ(own.strAlleChecklistRefs(), QStringLiteral("|"));
}

} // namespace

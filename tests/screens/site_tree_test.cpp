// The site tree: filled from the data file, and the tree widget behind the
// record classes' tree interface.

#include "act_screen_test_env.h"

#include "records/clsAct.h"
#include "records/clsVoorz.h"
#include "records/memory_site_tree.h"
#include "screens/frmAct_tree_fill.h"
#include "screens/site_tree_widget.h"

#include "platform/core/error.h"

namespace {

using records::MemorySiteTree;
using screens::SiteTreeWidget;
using testsupport::SiteFixture;

class SiteTreeTest : public testsupport::ScriptedDialogsTest {
protected:
    records::Context ctx(records::SiteTree *tree = nullptr, qint32 siteId = -1)
    {
        records::Context c = site.context(tree, siteId);
        c.glngKleurAct = 128;
        c.glngKleurVoorz = 16384;
        return c;
    }
    SiteFixture site;
};

QString k(const char *prefix, qint32 id) { return QLatin1String(prefix) + QString::number(id); }

TEST_F(SiteTreeTest, ASiteWithoutFacilitiesHasTheSevenBoldExpandedCategories)
{
    MemorySiteTree tree;
    screens::VulTreeviewAct(tree, ctx(nullptr, site.otherSiteId));
    ASSERT_EQ(tree.roots().size(), 7u);
    EXPECT_EQ(tree.nodeCount(), 7);
    for (int c = 1; c <= 7; ++c) {
        const auto *item = tree.itemByKey(QStringLiteral("objcat") + QString::number(c));
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->bold);
        EXPECT_TRUE(item->expanded);
        EXPECT_EQ(item->foreColor, 16384);
        EXPECT_EQ(item->image, 7);
        EXPECT_EQ(item->tag, QStringLiteral("?"));
    }
    EXPECT_EQ(tree.itemByKey(QStringLiteral("objcat2"))->text, QStringLiteral("Bovenafdichting"));
}

TEST_F(SiteTreeTest, FacilitiesItemsAndPhasesGetTheirKeysTextsAndLooks)
{
    MemorySiteTree tree;
    screens::VulTreeviewAct(tree, ctx());
    EXPECT_EQ(tree.childKeys(QStringLiteral("objcat1")), QStringList{k("inr", site.facTerrein)});
    EXPECT_EQ(tree.childKeys(QStringLiteral("objcat7")), QStringList{k("inr", site.facKeet)});
    const auto *fac = tree.itemByKey(k("inr", site.facKeet));
    EXPECT_EQ(fac->text, QStringLiteral("Bouwkeet 't Hoekje"));
    EXPECT_FALSE(fac->bold);
    EXPECT_EQ(fac->image, 7);

    // The three rows of one name: a head with " {1e fase}" and two children
    // in the order of their ids.
    const auto *head = tree.itemByKey(k("act", site.phase1));
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->text, QStringLiteral("Vervangen toegangsweg {1e fase}"));
    EXPECT_EQ(head->image, 5);
    EXPECT_EQ(head->tag, QStringLiteral("0"));
    EXPECT_EQ(tree.childKeys(k("act", site.phase1)), QStringList({k("act", site.phase2), k("act", site.phase3)}));
    EXPECT_EQ(tree.itemByKey(k("act", site.phase2))->text, QStringLiteral("{2e fase}"));
    EXPECT_EQ(tree.itemByKey(k("act", site.phase3))->text, QStringLiteral("{3e fase}"));
    EXPECT_EQ(tree.itemByKey(k("act", site.phase3))->image, 8);

    const auto *own = tree.itemByKey(k("act", site.ownItem));
    EXPECT_EQ(own->text, QStringLiteral("Onderhoud bouwkeet"));
    EXPECT_EQ(own->image, 4);
    EXPECT_EQ(tree.itemByKey(k("act", site.clItem10))->tag, QStringLiteral("1"));
}

TEST_F(SiteTreeTest, IncompleteRowsAreRedAtEveryLevelAndCompletePhasesBlack)
{
    // Phase 2 loses its start year; the own item loses its total.
    site.execute(QStringLiteral("UPDATE tblAct SET intStartRel=NULL WHERE idrAct_ID=?"), {site.phase2});
    site.execute(QStringLiteral("UPDATE tblAct SET bytOptieKosten=2, sngKostenTotaal=NULL WHERE idrAct_ID=?"),
                 {site.ownItem});
    MemorySiteTree tree;
    screens::VulTreeviewAct(tree, ctx());
    EXPECT_EQ(tree.itemByKey(k("act", site.phase1))->foreColor, 128);
    EXPECT_EQ(tree.itemByKey(k("act", site.phase2))->foreColor, 255);
    EXPECT_EQ(tree.itemByKey(k("act", site.phase3))->foreColor, 0);
    EXPECT_EQ(tree.itemByKey(k("act", site.ownItem))->foreColor, 255);
}

TEST_F(SiteTreeTest, NamesThatDifferInCaseOrFacilityAreSeparateItems)
{
    site.execute(QStringLiteral("UPDATE tblAct SET strAct='VERVANGEN TOEGANGSWEG' WHERE idrAct_ID=?"), {site.phase3});
    site.execute(QStringLiteral("UPDATE tblAct SET lngInrichting_REF=? WHERE idrAct_ID=?"), {site.facBoven, site.phase2});
    MemorySiteTree tree;
    screens::VulTreeviewAct(tree, ctx());
    EXPECT_EQ(tree.itemByKey(k("act", site.phase1))->text, QStringLiteral("Vervangen toegangsweg"));
    EXPECT_EQ(tree.itemByKey(k("act", site.phase3))->text, QStringLiteral("VERVANGEN TOEGANGSWEG"));
    EXPECT_EQ(tree.itemByKey(k("act", site.phase2))->text, QStringLiteral("Vervangen toegangsweg"));
    EXPECT_TRUE(tree.childKeys(k("act", site.phase1)).isEmpty());
}

TEST_F(SiteTreeTest, TheTreeWidgetServesTheRecordClasses)
{
    QTreeWidget widget;
    screens::SiteTreeWidget tree(&widget);
    screens::VulTreeviewAct(tree, ctx(&tree));
    EXPECT_EQ(widget.topLevelItemCount(), 7);
    const auto head = tree.find(k("act", site.phase1));
    ASSERT_NE(head, 0u);
    EXPECT_EQ(tree.children(head).size(), 2);
    EXPECT_EQ(tree.foreColor(head), 128);
    EXPECT_EQ(SiteTreeWidget::item(head)->foreground(0).color(), QColor(128, 0, 0));

    // A facility added by the record class lands under its category.
    records::clsVoorz voorz(ctx(&tree));
    const QString key = voorz.VoegVoorzieningToe(4, QStringLiteral("Drains"));
    const auto fac = tree.find(key);
    ASSERT_NE(fac, 0u);
    EXPECT_EQ(tree.key(tree.parent(fac)), QStringLiteral("objcat4"));
    EXPECT_EQ(tree.text(fac), QStringLiteral("Drains"));
    EXPECT_EQ(tree.image(fac), 7);

    // A phase added by the cost-item records: "actNEW" under the head.
    records::clsAct act(ctx(&tree));
    ASSERT_TRUE(act.ActiveerID(site.ownItem));
    ASSERT_TRUE(act.Dupliceer_Act(1));
    const auto nieuw = tree.find(QStringLiteral("actNEW"));
    ASSERT_NE(nieuw, 0u);
    EXPECT_EQ(tree.text(nieuw), QStringLiteral("{2e fase}"));
    EXPECT_EQ(tree.text(tree.find(k("act", site.ownItem))), QStringLiteral("Onderhoud bouwkeet {1e fase}"));

    // Keys stay unique; removing a node forgets its keys and its children's.
    EXPECT_THROW(tree.setKey(nieuw, k("act", site.phase2)), platform::Error);
    EXPECT_EQ(tree.key(nieuw), QStringLiteral("actNEW"));
    tree.remove(head);
    EXPECT_EQ(tree.find(k("act", site.phase2)), 0u);
    EXPECT_EQ(tree.find(k("act", site.phase1)), 0u);
    EXPECT_THROW(tree.addChild(k("act", site.phase1)), platform::Error);
}

} // namespace

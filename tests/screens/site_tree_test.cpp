// The site tree: filled from the data file, and the tree widget behind the
// record classes' tree interface.

#include "act_screen_test_env.h"

#include "records/clsAct.h"
#include "records/clsVoorz.h"
#include "records/memory_site_tree.h"
#include "screens/frmAct_tree_fill.h"
#include "screens/site_tree_widget.h"

#include "platform/core/error.h"
#include "platform/db/recordset.h"

#include <QHeaderView>
#include <QTreeWidgetItemIterator>

#include <functional>

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

QString k(const char *prefix, qint32 id)
{
    return QLatin1String(prefix) + QString::number(id);
}

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

TEST_F(SiteTreeTest, ReplacementWithoutSurchargeTypeIsRedOnlyUnderTheDifferentiatedSurcharges)
{
    // The three phases are replacements (rubric 5). Version 3 of the
    // checklist has the differentiated surcharges, version 1 the fixed one.
    const struct {
        const char *what;
        int type;
        qint16 checklist;
        qint32 head, phase;
    } cases[] = {
        {"no surcharge type", 0, 3, 255, 255},
        {"the top-liner surcharge", 1, 3, 128, 0},
        {"no surcharge type under the fixed surcharge", 0, 1, 128, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        site.execute(QStringLiteral("UPDATE tblAct SET bytTypeVervangingsToeslag=?, sngVervangingsToeslagPerc=NULL"
                                    " WHERE idrAct_ID IN (?, ?)"),
                     {c.type, site.phase1, site.phase2});
        records::Context context = ctx();
        context.gintCL_ID = c.checklist;
        MemorySiteTree tree;
        screens::VulTreeviewAct(tree, context);
        EXPECT_EQ(tree.itemByKey(k("act", site.phase1))->foreColor, c.head);
        EXPECT_EQ(tree.itemByKey(k("act", site.phase2))->foreColor, c.phase);
        // The third phase keeps its complete surcharge.
        EXPECT_EQ(tree.itemByKey(k("act", site.phase3))->foreColor, 0);
    }
}

TEST_F(SiteTreeTest, APhaseAddedAfterAnotherItemJoinsItsOwnItem)
{
    // A fourth phase, stored after the facility's checklist item.
    qint32 phase4 = 0;
    {
        testsupport::SiteBuilder file(site.dataFile);
        phase4 = file.item(site.siteId, site.facTerrein,
                           testsupport::ownItem(QStringLiteral("Vervangen toegangsweg"),
                                                {{"bytRubriek_REF", 5}, {"bytTypeVervangingsToeslag", 1}}));
    }
    ASSERT_GT(phase4, site.clItem2);
    MemorySiteTree tree;
    screens::VulTreeviewAct(tree, ctx());
    EXPECT_EQ(tree.childKeys(k("inr", site.facTerrein)), QStringList({k("act", site.clItem2), k("act", site.phase1)}));
    EXPECT_EQ(tree.itemByKey(k("act", site.phase1))->text, QStringLiteral("Vervangen toegangsweg {1e fase}"));
    EXPECT_EQ(tree.childKeys(k("act", site.phase1)),
              QStringList({k("act", site.phase2), k("act", site.phase3), k("act", phase4)}));
    const auto *vierde = tree.itemByKey(k("act", phase4));
    ASSERT_NE(vierde, nullptr);
    EXPECT_EQ(vierde->text, QStringLiteral("{4e fase}"));
    EXPECT_EQ(vierde->image, 8);
}

TEST_F(SiteTreeTest, NamesThatDifferOnlyInCaseAreOneItemAndAnotherFacilityHasItsOwn)
{
    // Names compare as the data file compares text: "Pomp", "pomp" and
    // "POMP" are the phases of one item, in the order of their ids.
    site.execute(QStringLiteral("UPDATE tblAct SET strAct='vervangen TOEGANGSWEG' WHERE idrAct_ID=?"), {site.phase2});
    site.execute(QStringLiteral("UPDATE tblAct SET strAct='VERVANGEN TOEGANGSWEG' WHERE idrAct_ID=?"), {site.phase3});
    MemorySiteTree tree;
    screens::VulTreeviewAct(tree, ctx());
    EXPECT_EQ(tree.itemByKey(k("act", site.phase1))->text, QStringLiteral("Vervangen toegangsweg {1e fase}"));
    EXPECT_EQ(tree.childKeys(k("act", site.phase1)), QStringList({k("act", site.phase2), k("act", site.phase3)}));
    EXPECT_EQ(tree.itemByKey(k("act", site.phase2))->text, QStringLiteral("{2e fase}"));
    EXPECT_EQ(tree.itemByKey(k("act", site.phase3))->text, QStringLiteral("{3e fase}"));

    // The same name under another facility is an item of its own.
    site.execute(QStringLiteral("UPDATE tblAct SET lngInrichting_REF=? WHERE idrAct_ID=?"),
                 {site.facBoven, site.phase2});
    MemorySiteTree moved;
    screens::VulTreeviewAct(moved, ctx());
    EXPECT_EQ(moved.itemByKey(k("act", site.phase2))->text, QStringLiteral("vervangen TOEGANGSWEG"));
    EXPECT_EQ(moved.childKeys(k("act", site.phase1)), QStringList({k("act", site.phase3)}));
    EXPECT_EQ(moved.itemByKey(k("act", site.phase3))->text, QStringLiteral("{2e fase}"));
}

// Every node of the tree, depth first, with all it shows.
QStringList beschrijving(const MemorySiteTree &tree)
{
    QStringList regels;
    const std::function<void(records::SiteTree::Node, int)> beschrijf = [&](records::SiteTree::Node n, int diepte) {
        const auto &it = tree.item(n);
        regels << QStringLiteral("%1%2 '%3' tag=%4 bold=%5 colour=%6 image=%7 expanded=%8")
                      .arg(QString(diepte * 2, QLatin1Char(' ')), it.key, it.text, it.tag)
                      .arg(it.bold)
                      .arg(it.foreColor)
                      .arg(it.image)
                      .arg(it.expanded);
        for (const records::SiteTree::Node c : it.children)
            beschrijf(c, diepte + 1);
    };
    for (const records::SiteTree::Node r : tree.roots())
        beschrijf(r, 0);
    return regels;
}

TEST_F(SiteTreeTest, FilledFromTheRowsTheRecordObjectReadTheTreeIsTheOneFromTheFile)
{
    // Rows in an order of ids that is not the tree's: a phase stored after
    // another item of its facility, names that differ in case only, an
    // incomplete row, and an item under another facility.
    {
        testsupport::SiteBuilder file(site.dataFile);
        file.item(site.siteId, site.facTerrein,
                  testsupport::ownItem(QStringLiteral("VERVANGEN toegangsweg"),
                                       {{"bytRubriek_REF", 5}, {"bytTypeVervangingsToeslag", 1}}));
        file.item(site.siteId, site.facKeet,
                  testsupport::ownItem(QStringLiteral("Aaa eerst"), {{"bytRubriek_REF", 1}}));
    }
    site.execute(QStringLiteral("UPDATE tblAct SET strAct='vervangen TOEGANGSWEG' WHERE idrAct_ID=?"), {site.phase2});
    site.execute(QStringLiteral("UPDATE tblAct SET sngKostenTotaal=NULL WHERE idrAct_ID=?"), {site.phase3});
    MemorySiteTree uitBestand;
    screens::VulTreeviewAct(uitBestand, ctx());

    records::clsAct act(ctx());
    db::Recordset *rijen = act.DataMember(QStringLiteral("tblAct"));
    ASSERT_NE(rijen, nullptr);
    rijen->MoveLast();
    const qint32 huidig = act.idrAct_ID();
    MemorySiteTree uitRijen;
    screens::VulTreeviewAct(uitRijen, ctx(), *rijen);
    EXPECT_EQ(beschrijving(uitRijen), beschrijving(uitBestand));
    EXPECT_GT(uitRijen.nodeCount(), 7);
    // The record object stays on its row.
    EXPECT_EQ(act.idrAct_ID(), huidig);
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

// One node as the widget shows it, with all under it.
QString toon(const QTreeWidgetItem *it, int diepte = 0)
{
    QString regel = QString(diepte, QLatin1Char(' ')) + SiteTreeWidget::keyOf(it) + QLatin1Char('|') + it->text(0)
                    + QLatin1Char('|') + SiteTreeWidget::tagOf(it) + QLatin1Char('|')
                    + QString::number(it->font(0).bold()) + QString::number(it->isExpanded())
                    + QString::number(!it->icon(0).isNull()) + QLatin1Char('|') + it->foreground(0).color().name()
                    + QLatin1Char('\n');
    for (int i = 0; i < it->childCount(); ++i)
        regel += toon(it->child(i), diepte + 1);
    return regel;
}

QString toon(const QTreeWidget &widget)
{
    QString alles;
    for (int i = 0; i < widget.topLevelItemCount(); ++i)
        alles += toon(widget.topLevelItem(i));
    return alles;
}

TEST_F(SiteTreeTest, FilledInOneGoTheWidgetShowsWhatAFillNodeByNodeShows)
{
    QTreeWidget losWidget;
    SiteTreeWidget los(&losWidget);
    screens::VulTreeviewAct(los, ctx(&los));

    QTreeWidget widget;
    SiteTreeWidget tree(&widget);
    {
        SiteTreeWidget::Vulling inEens(tree);
        screens::VulTreeviewAct(tree, ctx(&tree));
        // Before the widget has them, the nodes answer as they will after.
        EXPECT_EQ(widget.topLevelItemCount(), 0);
        EXPECT_EQ(tree.key(tree.firstNode()), QStringLiteral("objcat1"));
        EXPECT_TRUE(tree.expanded(tree.find(k("inr", site.facKeet))));
        EXPECT_EQ(tree.allNodes().size(), los.allNodes().size());
    }
    EXPECT_EQ(toon(widget), toon(losWidget));
    EXPECT_EQ(tree.allNodes().size(), los.allNodes().size());

    // Nodes added afterwards go straight into the widget.
    records::clsVoorz voorz(ctx(&tree));
    const QString key = voorz.VoegVoorzieningToe(4, QStringLiteral("Drains"));
    ASSERT_NE(tree.find(key), 0u);
    EXPECT_EQ(SiteTreeWidget::item(tree.find(key))->treeWidget(), &widget);
}

TEST_F(SiteTreeTest, AFillThatFailsHalfWayShowsTheNodesItMadeAndDropsTheOnesRemoved)
{
    QTreeWidget widget;
    SiteTreeWidget tree(&widget);
    try {
        SiteTreeWidget::Vulling inEens(tree);
        for (const char *sleutel : {"a", "b", "c"}) {
            const auto wortel = tree.addChild(QString());
            tree.setKey(wortel, QLatin1String(sleutel));
            tree.setExpanded(wortel, true);
            tree.setKey(tree.addChild(QLatin1String(sleutel)), QLatin1String(sleutel) + QStringLiteral("1"));
        }
        tree.setExpanded(tree.find(QStringLiteral("c")), false);
        tree.remove(tree.find(QStringLiteral("b")));
        tree.addChild(QStringLiteral("b")); // no such node any more
        ADD_FAILURE() << "no error";
    } catch (const platform::Error &) {
    }
    ASSERT_EQ(widget.topLevelItemCount(), 2);
    EXPECT_EQ(SiteTreeWidget::keyOf(widget.topLevelItem(0)), QStringLiteral("a"));
    EXPECT_TRUE(widget.topLevelItem(0)->isExpanded());
    EXPECT_EQ(SiteTreeWidget::keyOf(widget.topLevelItem(1)), QStringLiteral("c"));
    EXPECT_FALSE(widget.topLevelItem(1)->isExpanded());
    EXPECT_EQ(tree.find(QStringLiteral("b1")), 0u);
    EXPECT_EQ(SiteTreeWidget::keyOf(widget.topLevelItem(1)->child(0)), QStringLiteral("c1"));
}

// The sizes the tree gets for its items, from its delegate.
QList<QSize> maten(const QTreeWidget &widget)
{
    QList<QSize> list;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(&widget)); *it; ++it)
        list << widget.sizeHintForIndex(widget.indexFromItem(*it));
    return list;
}

TEST(MeasuredOnceDelegate, GivesTheSizesOfTheStyledDelegateAlsoAfterAChange)
{
    QTreeWidget gewoon;
    QTreeWidget onthouden;
    onthouden.setItemDelegate(new screens::MeasuredOnceDelegate(&onthouden));
    for (QTreeWidget *w : {&gewoon, &onthouden}) {
        // As wide as the widest item, as on the screen.
        w->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        w->header()->setStretchLastSection(false);
        const QStringList teksten = {QStringLiteral("Bovenafdichting"), QStringLiteral("Maaien"),
                                     QStringLiteral("Maaien"), QStringLiteral("Vervangen drainageleidingen {1e fase}")};
        for (int i = 0; i < teksten.size(); ++i) {
            auto *it = new QTreeWidgetItem(w, {teksten[i]});
            if (i == 1)
                it->setIcon(0, screens::actImage(2));
            if (i == 3)
                it->setCheckState(0, Qt::Checked);
        }
        QFont vet = w->topLevelItem(2)->font(0);
        vet.setBold(true);
        w->topLevelItem(2)->setFont(0, vet);
    }
    const std::function<void(QTreeWidget *)> wijzigingen[] = {
        [](QTreeWidget *) {},
        [](QTreeWidget *w) { w->topLevelItem(1)->setText(0, QStringLiteral("Maaien van de taluds")); },
        [](QTreeWidget *w) {
            QFont f = w->topLevelItem(1)->font(0);
            f.setBold(true);
            w->topLevelItem(1)->setFont(0, f);
        },
        [](QTreeWidget *w) { w->topLevelItem(0)->setIcon(0, screens::actImage(7)); },
        [](QTreeWidget *w) { w->topLevelItem(3)->setData(0, Qt::CheckStateRole, QVariant()); },
        [](QTreeWidget *w) {
            QFont f = w->font();
            f.setPointSize(f.pointSize() + 6);
            w->setFont(f);
        },
        [](QTreeWidget *w) { w->setIconSize(QSize(32, 32)); },
    };
    int stap = 0;
    for (const auto &wijzig : wijzigingen) {
        SCOPED_TRACE(stap++);
        wijzig(&gewoon);
        wijzig(&onthouden);
        EXPECT_EQ(maten(onthouden), maten(gewoon));
        EXPECT_EQ(onthouden.header()->sectionSize(0), gewoon.header()->sectionSize(0));
    }
}

} // namespace

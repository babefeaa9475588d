// The in-memory site tree that the record tests (and the screens' rule
// tests) use in place of the tree widget: it must refuse what the widget
// refuses, or the record tests would pass against a tree that forgives.

#include "records/memory_site_tree.h"

#include "support/raised_error.h"

#include <gtest/gtest.h>

using records::MemorySiteTree;
using records::SiteTree;

namespace {

using testsupport::errorNumber;

TEST(MemorySiteTreeTest, CategoriesAndChildrenInOrder)
{
    MemorySiteTree tree;
    tree.addCategoryNodes(16384);
    ASSERT_EQ(tree.roots().size(), 7u);
    const auto *category = tree.itemByKey(QStringLiteral("objcat4"));
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->text, QStringLiteral("Percolaatopvangsysteem"));
    EXPECT_EQ(category->foreColor, 16384);

    for (const char *key : {"inr12", "inr3"}) {
        const SiteTree::Node node = tree.addChild(QStringLiteral("objcat4"));
        records::ZetNodeEigenschappen(tree, node, QLatin1String(key), QLatin1String(key), QStringLiteral("?"), true,
                                      255, records::kImageVoorziening, false);
    }
    EXPECT_EQ(tree.childKeys(QStringLiteral("objcat4")), (QStringList{"inr12", "inr3"}));
    const auto &item = tree.item(tree.find(QStringLiteral("inr3")));
    EXPECT_EQ(item.tag, QStringLiteral("?"));
    EXPECT_TRUE(item.bold);
    EXPECT_EQ(item.foreColor, 255);
    EXPECT_EQ(item.image, 7);
    EXPECT_FALSE(item.expanded);
    EXPECT_EQ(tree.key(item.parent), QStringLiteral("objcat4"));
    EXPECT_EQ(tree.find(QStringLiteral("INR3")), 0u); // keys compare exactly
    EXPECT_EQ(tree.find(QString()), 0u);
}

TEST(MemorySiteTreeTest, RefusesWhatTheTreeControlRefuses)
{
    MemorySiteTree tree;
    tree.addCategoryNodes();
    EXPECT_EQ(errorNumber([&] { tree.addChild(QStringLiteral("inr99")); }), 35601);

    const SiteTree::Node first = tree.addChild(QStringLiteral("objcat1"));
    tree.setKey(first, records::kKeyActNew);
    const SiteTree::Node second = tree.addChild(QStringLiteral("objcat1"));
    tree.setText(second, QStringLiteral("tweede"));
    EXPECT_EQ(errorNumber([&] { tree.setKey(second, records::kKeyActNew); }), 35602);
    EXPECT_EQ(tree.key(second), QString());  // keeps its old key
    tree.setKey(first, records::kKeyActNew); // its own key again is fine

    // The node setter stops at the key: what comes after it is not set.
    EXPECT_EQ(errorNumber([&] {
                  records::ZetNodeEigenschappen(tree, second, QStringLiteral("derde"), records::kKeyActNew,
                                                QStringLiteral("0"), true, 128, 4, true);
              }),
              35602);
    EXPECT_EQ(tree.item(second).text, QStringLiteral("derde"));
    EXPECT_EQ(tree.item(second).tag, QStringLiteral("0"));
    EXPECT_FALSE(tree.item(second).bold);
    EXPECT_EQ(tree.item(second).image, 0);
}

TEST(MemorySiteTreeTest, RemoveTakesTheChildrenAlong)
{
    MemorySiteTree tree;
    tree.addCategoryNodes();
    const SiteTree::Node facility = tree.addChild(QStringLiteral("objcat2"));
    tree.setKey(facility, QStringLiteral("inr5"));
    const SiteTree::Node item = tree.addChild(QStringLiteral("inr5"));
    tree.setKey(item, QStringLiteral("act8"));
    const SiteTree::Node phase = tree.addChild(QStringLiteral("act8"));
    tree.setKey(phase, QStringLiteral("act9"));
    const int nodes = tree.nodeCount();

    tree.remove(item);
    EXPECT_EQ(tree.nodeCount(), nodes - 2);
    EXPECT_EQ(tree.find(QStringLiteral("act9")), 0u);
    EXPECT_TRUE(tree.childKeys(QStringLiteral("inr5")).isEmpty());
    EXPECT_EQ(errorNumber([&] { tree.text(phase); }), 35601);

    tree.redraw();
    EXPECT_EQ(tree.redrawCount(), 1);
}

} // namespace

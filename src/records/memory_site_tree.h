#pragma once
// A SiteTree held in plain memory: what the record classes' tests (and the
// screens' rule tests) use in place of the tree widget. It keeps every
// property a node was given and counts redraws.

#include "records/site_tree.h"

#include <QStringList>
#include <map>
#include <memory>
#include <vector>

namespace records {

class MemorySiteTree : public SiteTree {
public:
    struct Item {
        QString text, key, tag;
        bool bold = false;
        qint32 foreColor = 0;
        int image = 0;
        bool expanded = false;
        Node parent = 0;
        std::vector<Node> children;
    };

    MemorySiteTree();
    ~MemorySiteTree() override;

    Node addChild(const QString &parentKey) override;
    Node find(const QString &key) const override;
    void remove(Node node) override;
    QString text(Node node) const override;
    QString key(Node node) const override;
    void setText(Node node, const QString &text) override;
    void setTag(Node node, const QString &tag) override;
    void setKey(Node node, const QString &key) override;
    void setBold(Node node, bool bold) override;
    void setForeColor(Node node, qint32 vbColour) override;
    void setImage(Node node, int image) override;
    void setExpanded(Node node, bool expanded) override;
    void redraw() override { ++m_redraws; }

    // Inspection for tests.
    const Item &item(Node node) const;
    const Item *itemByKey(const QString &key) const;
    std::vector<Node> roots() const { return m_roots; }
    // The keys of a node's children, in order.
    QStringList childKeys(const QString &parentKey) const;
    int nodeCount() const { return int(m_items.size()); }
    int redrawCount() const { return m_redraws; }

    // Adds the seven object-category root nodes as the screen does when it
    // fills the tree ("objcat1" .. "objcat7").
    void addCategoryNodes(qint32 foreColor = 16384);

private:
    Item &at(Node node);
    const Item &at(Node node) const;

    std::map<Node, std::unique_ptr<Item>> m_items;
    std::vector<Node> m_roots;
    Node m_next = 1;
    int m_redraws = 0;
};

} // namespace records

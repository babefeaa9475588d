#pragma once
// The cost-item screen's site tree over a QTreeWidget.
//
// The record classes add and change nodes through records::SiteTree; the
// screen reads the same nodes back (key, tag, bold, colour, image, parent,
// children). A node's properties live in the item's data roles; keys are
// unique and kept in an index, so that looking a node up by key is cheap.
// Colours are kept as VB colour numbers and painted through ui::fromVbColor.

#include "records/site_tree.h"

#include <QHash>
#include <QIcon>
#include <QList>

class QTreeWidget;
class QTreeWidgetItem;

namespace screens {

// The eight pictures of the tree's image list: 1 to 6 one per rubric, 7 for
// categories and facilities, 8 for later phases. Any other index: no icon.
QIcon actImage(int index);

class SiteTreeWidget : public records::SiteTree {
public:
    explicit SiteTreeWidget(QTreeWidget *tree);

    QTreeWidget *widget() const { return m_tree; }

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
    void redraw() override;

    // Removes every node.
    void clear();

    QString tag(Node node) const;
    bool bold(Node node) const;
    qint32 foreColor(Node node) const;
    int image(Node node) const;
    bool expanded(Node node) const;
    Node parent(Node node) const;
    QList<Node> children(Node node) const;
    // Every node, depth first in the order shown.
    QList<Node> allNodes() const;
    Node firstNode() const;

    Node selected() const;
    void select(Node node);

    // The properties of an item of any tree this class fills.
    static QString keyOf(const QTreeWidgetItem *item);
    static QString tagOf(const QTreeWidgetItem *item);
    static qint32 foreColorOf(const QTreeWidgetItem *item);
    static void setTagOf(QTreeWidgetItem *item, const QString &tag);
    static void setForeColorOf(QTreeWidgetItem *item, qint32 vbColour);

    static QTreeWidgetItem *item(Node node) { return reinterpret_cast<QTreeWidgetItem *>(node); }
    static Node node(QTreeWidgetItem *item) { return reinterpret_cast<Node>(item); }

private:
    QTreeWidgetItem *at(Node node) const;
    void forget(QTreeWidgetItem *item);

    QTreeWidget *m_tree;
    QHash<QString, QTreeWidgetItem *> m_keys;
    QIcon m_images[9]; // actImage(i), made on first use
};

} // namespace screens

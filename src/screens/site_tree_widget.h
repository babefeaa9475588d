#pragma once
// The cost-item screen's site tree over a QTreeWidget.
//
// The record classes add and change nodes through records::SiteTree; the
// screen reads the same nodes back (key, tag, bold, colour, image, parent,
// children). A node's properties live in the item's data roles; keys are
// unique and kept in an index, so that looking a node up by key is cheap.
// Colours are kept as VB colour numbers and painted through ui::fromVbColor.

#include "records/site_tree.h"

#include <QFont>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>

class QTreeWidget;
class QTreeWidgetItem;

namespace screens {

// The eight pictures of the tree's image list: 1 to 6 one per rubric, 7 for
// categories and facilities, 8 for later phases. Any other index: no icon.
QIcon actImage(int index);

// Paints an item as QStyledItemDelegate does and gives its size as that
// does, measured once for each text, font, picture and check state: the
// tree asks for the sizes of all its items again and again (the column as
// wide as the widest item, the height of every row), and laying out a text
// is what costs. The measures are forgotten when the tree's own font,
// picture size, style or item options change (and, a great many kept, all
// at once).
class MeasuredOnceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    struct Item {
        QString text;
        QVariant font;
        qint64 icon;
        QVariant check;
        bool operator==(const Item &o) const
        {
            return text == o.text && icon == o.icon && font == o.font && check == o.check;
        }
    };
    friend size_t qHash(const Item &item, size_t seed) { return qHashMulti(seed, item.text, item.icon); }

    // What the measures hold for.
    mutable QFont m_font;
    mutable QSize m_iconSize;
    mutable QStyleOptionViewItem::ViewItemFeatures m_features;
    mutable int m_positie = -1;
    mutable const QStyle *m_style = nullptr;
    mutable QHash<Item, QSize> m_sizes;
};

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

    // While a Vulling lives, new root nodes and all nodes under them are made
    // apart from the tree widget, which takes them all at once when it ends
    // (also when the filling fails half way), with the nodes expanded that
    // were. The widget then lays them out once, not after every node.
    class Vulling {
    public:
        explicit Vulling(SiteTreeWidget &tree);
        ~Vulling();
        Vulling(const Vulling &) = delete;
        Vulling &operator=(const Vulling &) = delete;

    private:
        SiteTreeWidget &m_tree;
    };

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
    // The root nodes: those of the widget, then those not yet in it.
    QList<QTreeWidgetItem *> roots() const;
    void eindVulling();

    QTreeWidget *m_tree;
    QHash<QString, QTreeWidgetItem *> m_keys;
    QIcon m_images[9]; // actImage(i), made on first use
    bool m_vullen = false;
    QList<QTreeWidgetItem *> m_nieuweWortels;
    // Whether nodes not yet in the widget are to be expanded.
    QHash<QTreeWidgetItem *, bool> m_uitklappen;
};

} // namespace screens

#pragma once
// The cost-item screen's tree as the record classes see it.
//
// Adding a facility, a cost item or a phase also adds its node to the tree
// of the facilities and cost-items screen. The records layer sits below the
// screens, so it owns this small interface and the screen implements it over
// its tree widget; tests use MemorySiteTree.
//
// Node keys: "objcat" + category number, "inr" + idrInrichting_ID,
// "act" + idrAct_ID, and "actNEW" for the one cost item not yet saved.
// Keys are unique in a tree: giving a node a key that another node already
// has is an error of the tree (platform::Error), and the node keeps its old
// key. Colours are VB colour numbers (0x00BBGGRR).

#include <QString>
#include <QtGlobal>

namespace records {

class SiteTree {
public:
    // An opaque handle of one node; 0 stands for no node.
    using Node = quintptr;

    virtual ~SiteTree() = default;

    // Adds a node, still without text and key, as the last child of the node
    // keyed parentKey (as a root node when parentKey is empty). Raises
    // platform::Error when no node has that key.
    virtual Node addChild(const QString &parentKey) = 0;

    // The node with that key (keys compare exactly), or 0.
    virtual Node find(const QString &key) const = 0;

    // Removes a node with all its children.
    virtual void remove(Node node) = 0;

    virtual QString text(Node node) const = 0;
    virtual QString key(Node node) const = 0;

    virtual void setText(Node node, const QString &text) = 0;
    virtual void setTag(Node node, const QString &tag) = 0;
    // Raises platform::Error when another node has that key.
    virtual void setKey(Node node, const QString &key) = 0;
    virtual void setBold(Node node, bool bold) = 0;
    virtual void setForeColor(Node node, qint32 vbColour) = 0;
    virtual void setImage(Node node, int image) = 0;
    virtual void setExpanded(Node node, bool expanded) = 0;

    // Repaints the tree after a change made node by node.
    virtual void redraw() = 0;
};

// Gives a node all its visible properties, in this order: text, tag, key,
// bold, fore colour, image, expanded. An error of the tree (a key that
// another node has) reaches the caller.
void ZetNodeEigenschappen(SiteTree &tree, SiteTree::Node node, const QString &text, const QString &key,
                          const QString &tag, bool bold, qint32 foreColor, int image, bool expanded);

// Image numbers of the tree's image list: 1 to 6 the rubric of a cost item.
inline constexpr int kImageVoorziening = 7;
inline constexpr int kImageFase = 8;

// Key of the cost item whose row is not yet saved.
inline const QString kKeyActNew = QStringLiteral("actNEW");

inline QString keyObjectCat(int category)
{
    return QStringLiteral("objcat") + QString::number(category);
}
inline QString keyInrichting(qint32 id)
{
    return QStringLiteral("inr") + QString::number(id);
}
inline QString keyAct(qint32 id)
{
    return QStringLiteral("act") + QString::number(id);
}

} // namespace records

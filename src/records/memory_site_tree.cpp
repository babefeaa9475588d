#include "records/memory_site_tree.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "records/codes.h"

#include <algorithm>

namespace records {

MemorySiteTree::MemorySiteTree() = default;
MemorySiteTree::~MemorySiteTree() = default;

MemorySiteTree::Item &MemorySiteTree::at(Node node)
{
    auto it = m_items.find(node);
    if (it == m_items.end())
        throw platform::Error(kErrElementNotFound, QStringLiteral("Element not found"), QStringLiteral("TreeView"));
    return *it->second;
}

const MemorySiteTree::Item &MemorySiteTree::at(Node node) const
{
    return const_cast<MemorySiteTree *>(this)->at(node);
}

SiteTree::Node MemorySiteTree::addChild(const QString &parentKey)
{
    Node parent = 0;
    if (!parentKey.isEmpty()) {
        parent = find(parentKey);
        if (parent == 0)
            throw platform::Error(kErrElementNotFound, QStringLiteral("Element not found"), QStringLiteral("TreeView"));
    }
    const Node node = m_next++;
    auto item = std::make_unique<Item>();
    item->parent = parent;
    m_items.emplace(node, std::move(item));
    if (parent)
        at(parent).children.push_back(node);
    else
        m_roots.push_back(node);
    return node;
}

SiteTree::Node MemorySiteTree::find(const QString &key) const
{
    if (key.isEmpty())
        return 0;
    for (const auto &[node, item] : m_items)
        if (item->key == key)
            return node;
    return 0;
}

void MemorySiteTree::remove(Node node)
{
    Item &item = at(node);
    const std::vector<Node> children = item.children;
    for (Node child : children)
        remove(child);
    auto &siblings = item.parent ? at(item.parent).children : m_roots;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
    m_items.erase(node);
}

QString MemorySiteTree::text(Node node) const
{
    return at(node).text;
}
QString MemorySiteTree::key(Node node) const
{
    return at(node).key;
}
void MemorySiteTree::setText(Node node, const QString &text)
{
    at(node).text = text;
}
void MemorySiteTree::setTag(Node node, const QString &tag)
{
    at(node).tag = tag;
}

void MemorySiteTree::setKey(Node node, const QString &key)
{
    Item &item = at(node);
    const Node other = find(key);
    if (other != 0 && other != node)
        throw platform::Error(kErrKeyNotUnique, QStringLiteral("Key is not unique in collection"),
                              QStringLiteral("TreeView"));
    item.key = key;
}

void MemorySiteTree::setBold(Node node, bool bold)
{
    at(node).bold = bold;
}
void MemorySiteTree::setForeColor(Node node, qint32 vbColour)
{
    at(node).foreColor = vbColour;
}
void MemorySiteTree::setImage(Node node, int image)
{
    at(node).image = image;
}
void MemorySiteTree::setExpanded(Node node, bool expanded)
{
    at(node).expanded = expanded;
}

const MemorySiteTree::Item &MemorySiteTree::item(Node node) const
{
    return at(node);
}

const MemorySiteTree::Item *MemorySiteTree::itemByKey(const QString &key) const
{
    const Node node = find(key);
    return node ? &at(node) : nullptr;
}

QStringList MemorySiteTree::childKeys(const QString &parentKey) const
{
    QStringList keys;
    const Item *parent = itemByKey(parentKey);
    if (!parent)
        return keys;
    for (Node child : parent->children)
        keys << at(child).key;
    return keys;
}

void MemorySiteTree::addCategoryNodes(qint32 foreColor)
{
    for (int category = 1; category <= 7; ++category) {
        const Node node = addChild(QString());
        ZetNodeEigenschappen(*this, node, objectCatName(category), keyObjectCat(category), QStringLiteral("?"), true,
                             foreColor, kImageVoorziening, true);
    }
}

} // namespace records

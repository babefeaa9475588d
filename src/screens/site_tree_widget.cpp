#include "screens/site_tree_widget.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/ui/vb_color.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QTreeWidget>

#include <functional>
#include <utility>

namespace screens {

namespace {
enum Role { KeyRole = Qt::UserRole + 1, TagRole, ColourRole, ImageRole };

using records::kErrElementNotFound;
using records::kErrKeyNotUnique;

[[noreturn]] void treeError(long number, const QString &text)
{
    throw platform::Error(number, text, QStringLiteral("TreeView1"));
}
} // namespace

QIcon actImage(int index)
{
    // Rubrics in the colours of the legend; facilities a folder, phases a
    // small step.
    static const QColor colours[] = {QColor(0, 128, 0),    QColor(0, 0, 192),    QColor(128, 0, 128),
                                     QColor(192, 96, 0),   QColor(192, 0, 0),    QColor(96, 96, 96),
                                     QColor(200, 160, 40), QColor(120, 120, 120)};
    if (index < 1 || index > 8)
        return {};
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colours[index - 1]);
    if (index == 7)
        p.drawRect(1, 4, 14, 10);
    else if (index == 8)
        p.drawRect(5, 6, 8, 4);
    else
        p.drawEllipse(2, 2, 12, 12);
    return QIcon(pm);
}

QSize MeasuredOnceDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QWidget *widget = option.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    if (index.data(Qt::SizeHintRole).isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    if (style != m_style || option.font != m_font || option.decorationSize != m_iconSize
        || option.features != m_features || int(option.decorationPosition) != m_positie) {
        m_sizes.clear();
        m_style = style;
        m_font = option.font;
        m_iconSize = option.decorationSize;
        m_features = option.features;
        m_positie = int(option.decorationPosition);
    }
    const QVariant icon = index.data(Qt::DecorationRole);
    if (icon.isValid() && icon.userType() != QMetaType::QIcon)
        return QStyledItemDelegate::sizeHint(option, index); // a pixmap or colour: measured as it is
    Item item{index.data(Qt::DisplayRole).toString(), index.data(Qt::FontRole),
              icon.isValid() ? qvariant_cast<QIcon>(icon).cacheKey() : -1, index.data(Qt::CheckStateRole)};
    const auto bekend = m_sizes.constFind(item);
    if (bekend != m_sizes.constEnd())
        return *bekend;
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (m_sizes.size() >= 100000) // texts renamed long ago
        m_sizes.clear();
    m_sizes.insert(std::move(item), size);
    return size;
}

SiteTreeWidget::SiteTreeWidget(QTreeWidget *tree) : m_tree(tree) {}

QTreeWidgetItem *SiteTreeWidget::at(Node node) const
{
    if (!node)
        treeError(kErrElementNotFound, QStringLiteral("Element not found"));
    return item(node);
}

SiteTreeWidget::Vulling::Vulling(SiteTreeWidget &tree) : m_tree(tree)
{
    m_tree.m_vullen = true;
}

SiteTreeWidget::Vulling::~Vulling()
{
    m_tree.eindVulling();
}

void SiteTreeWidget::eindVulling()
{
    m_vullen = false;
    if (m_nieuweWortels.isEmpty())
        return;
    m_tree->addTopLevelItems(std::exchange(m_nieuweWortels, {}));
    // In the order of the items, parents before their children.
    std::function<void(QTreeWidgetItem *)> klapUit = [&](QTreeWidgetItem *it) {
        if (m_uitklappen.value(it))
            it->setExpanded(true);
        for (int i = 0; i < it->childCount(); ++i)
            klapUit(it->child(i));
    };
    if (!m_uitklappen.isEmpty())
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            klapUit(m_tree->topLevelItem(i));
    m_uitklappen.clear();
}

QList<QTreeWidgetItem *> SiteTreeWidget::roots() const
{
    QList<QTreeWidgetItem *> list;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        list << m_tree->topLevelItem(i);
    return list + m_nieuweWortels;
}

SiteTreeWidget::Node SiteTreeWidget::addChild(const QString &parentKey)
{
    if (parentKey.isEmpty() && m_vullen) {
        auto *wortel = new QTreeWidgetItem;
        m_nieuweWortels << wortel;
        return node(wortel);
    }
    if (parentKey.isEmpty())
        return node(new QTreeWidgetItem(m_tree));
    QTreeWidgetItem *parent = m_keys.value(parentKey);
    if (!parent)
        treeError(kErrElementNotFound, QStringLiteral("Element not found: ") + parentKey);
    return node(new QTreeWidgetItem(parent));
}

SiteTreeWidget::Node SiteTreeWidget::find(const QString &key) const
{
    return node(m_keys.value(key));
}

void SiteTreeWidget::forget(QTreeWidgetItem *it)
{
    m_uitklappen.remove(it);
    for (int i = 0; i < it->childCount(); ++i)
        forget(it->child(i));
    const QString k = it->data(0, KeyRole).toString();
    if (!k.isEmpty() && m_keys.value(k) == it)
        m_keys.remove(k);
}

void SiteTreeWidget::remove(Node n)
{
    QTreeWidgetItem *it = at(n);
    forget(it);
    m_nieuweWortels.removeOne(it);
    delete it;
}

QString SiteTreeWidget::text(Node n) const
{
    return at(n)->text(0);
}
QString SiteTreeWidget::key(Node n) const
{
    return at(n)->data(0, KeyRole).toString();
}
QString SiteTreeWidget::tag(Node n) const
{
    return tagOf(at(n));
}

QString SiteTreeWidget::keyOf(const QTreeWidgetItem *it)
{
    return it->data(0, KeyRole).toString();
}
QString SiteTreeWidget::tagOf(const QTreeWidgetItem *it)
{
    return it->data(0, TagRole).toString();
}
qint32 SiteTreeWidget::foreColorOf(const QTreeWidgetItem *it)
{
    return it->data(0, ColourRole).toInt();
}
void SiteTreeWidget::setTagOf(QTreeWidgetItem *it, const QString &tag)
{
    it->setData(0, TagRole, tag);
}

void SiteTreeWidget::setForeColorOf(QTreeWidgetItem *it, qint32 vbColour)
{
    it->setData(0, ColourRole, vbColour);
    const QColor c = ui::fromVbColor(vbColour);
    if (c.isValid())
        it->setForeground(0, c);
}
bool SiteTreeWidget::bold(Node n) const
{
    return at(n)->font(0).bold();
}
qint32 SiteTreeWidget::foreColor(Node n) const
{
    return foreColorOf(at(n));
}
int SiteTreeWidget::image(Node n) const
{
    return at(n)->data(0, ImageRole).toInt();
}
bool SiteTreeWidget::expanded(Node n) const
{
    QTreeWidgetItem *it = at(n);
    return it->treeWidget() ? it->isExpanded() : m_uitklappen.value(it);
}

void SiteTreeWidget::setText(Node n, const QString &text)
{
    at(n)->setText(0, text);
}
void SiteTreeWidget::setTag(Node n, const QString &tag)
{
    setTagOf(at(n), tag);
}

void SiteTreeWidget::setKey(Node n, const QString &key)
{
    QTreeWidgetItem *it = at(n);
    const QString old = it->data(0, KeyRole).toString();
    if (!key.isEmpty()) {
        // One look-up that also makes the entry (a key is hashed slowly).
        QTreeWidgetItem *&plaats = m_keys[key];
        if (plaats && plaats != it)
            treeError(kErrKeyNotUnique, QStringLiteral("Key is not unique in collection: ") + key);
        plaats = it;
    }
    if (!old.isEmpty() && old != key && m_keys.value(old) == it)
        m_keys.remove(old);
    it->setData(0, KeyRole, key);
}

void SiteTreeWidget::setBold(Node n, bool bold)
{
    QTreeWidgetItem *it = at(n);
    QFont f = it->font(0);
    if (f.bold() == bold)
        return; // a new node is not bold: only categories need the change
    f.setBold(bold);
    it->setFont(0, f);
}

void SiteTreeWidget::setForeColor(Node n, qint32 vbColour)
{
    setForeColorOf(at(n), vbColour);
}

void SiteTreeWidget::setImage(Node n, int image)
{
    QTreeWidgetItem *it = at(n);
    it->setData(0, ImageRole, image);
    if (image < 1 || image > 8) {
        it->setIcon(0, QIcon());
        return;
    }
    if (m_images[image].isNull())
        m_images[image] = actImage(image);
    it->setIcon(0, m_images[image]);
}

void SiteTreeWidget::setExpanded(Node n, bool expanded)
{
    QTreeWidgetItem *it = at(n);
    if (it->treeWidget())
        it->setExpanded(expanded);
    else
        m_uitklappen.insert(it, expanded);
}

void SiteTreeWidget::redraw()
{
    m_tree->viewport()->update();
}

void SiteTreeWidget::clear()
{
    m_keys.clear();
    m_uitklappen.clear();
    qDeleteAll(std::exchange(m_nieuweWortels, {}));
    m_tree->clear();
}

SiteTreeWidget::Node SiteTreeWidget::parent(Node n) const
{
    return node(at(n)->parent());
}

QList<SiteTreeWidget::Node> SiteTreeWidget::children(Node n) const
{
    QList<Node> list;
    QTreeWidgetItem *it = at(n);
    for (int i = 0; i < it->childCount(); ++i)
        list << node(it->child(i));
    return list;
}

QList<SiteTreeWidget::Node> SiteTreeWidget::allNodes() const
{
    QList<Node> list;
    std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *it) {
        list << node(it);
        for (int i = 0; i < it->childCount(); ++i)
            walk(it->child(i));
    };
    for (QTreeWidgetItem *wortel : roots())
        walk(wortel);
    return list;
}

SiteTreeWidget::Node SiteTreeWidget::firstNode() const
{
    const QList<QTreeWidgetItem *> wortels = roots();
    return wortels.isEmpty() ? 0 : node(wortels.first());
}

SiteTreeWidget::Node SiteTreeWidget::selected() const
{
    return node(m_tree->currentItem());
}

void SiteTreeWidget::select(Node n)
{
    if (n)
        m_tree->setCurrentItem(at(n));
}

} // namespace screens

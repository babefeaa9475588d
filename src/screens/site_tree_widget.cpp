#include "screens/site_tree_widget.h"

#include "platform/core/error.h"
#include "platform/ui/vb_color.h"

#include <QPainter>
#include <QPixmap>
#include <QTreeWidget>

#include <functional>

namespace screens {

namespace {
enum Role { KeyRole = Qt::UserRole + 1, TagRole, ColourRole, ImageRole };

// The tree control's own error numbers.
constexpr long kErrElementNotFound = 35601;
constexpr long kErrKeyNotUnique = 35602;

[[noreturn]] void treeError(long number, const QString &text)
{
    throw platform::Error(number, text, QStringLiteral("TreeView1"));
}
} // namespace

QIcon actImage(int index)
{
    // Rubrics in the colours of the legend; facilities a folder, phases a
    // small step.
    static const QColor colours[] = {QColor(0, 128, 0),   QColor(0, 0, 192),   QColor(128, 0, 128),
                                     QColor(192, 96, 0),  QColor(192, 0, 0),   QColor(96, 96, 96),
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

SiteTreeWidget::SiteTreeWidget(QTreeWidget *tree) : m_tree(tree) {}

QTreeWidgetItem *SiteTreeWidget::at(Node node) const
{
    if (!node)
        treeError(kErrElementNotFound, QStringLiteral("Element not found"));
    return item(node);
}

SiteTreeWidget::Node SiteTreeWidget::addChild(const QString &parentKey)
{
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
    delete it;
}

QString SiteTreeWidget::text(Node n) const { return at(n)->text(0); }
QString SiteTreeWidget::key(Node n) const { return at(n)->data(0, KeyRole).toString(); }
QString SiteTreeWidget::tag(Node n) const { return tagOf(at(n)); }

QString SiteTreeWidget::keyOf(const QTreeWidgetItem *it) { return it->data(0, KeyRole).toString(); }
QString SiteTreeWidget::tagOf(const QTreeWidgetItem *it) { return it->data(0, TagRole).toString(); }
qint32 SiteTreeWidget::foreColorOf(const QTreeWidgetItem *it) { return it->data(0, ColourRole).toInt(); }
void SiteTreeWidget::setTagOf(QTreeWidgetItem *it, const QString &tag) { it->setData(0, TagRole, tag); }

void SiteTreeWidget::setForeColorOf(QTreeWidgetItem *it, qint32 vbColour)
{
    it->setData(0, ColourRole, vbColour);
    const QColor c = ui::fromVbColor(vbColour);
    if (c.isValid())
        it->setForeground(0, c);
}
bool SiteTreeWidget::bold(Node n) const { return at(n)->font(0).bold(); }
qint32 SiteTreeWidget::foreColor(Node n) const { return foreColorOf(at(n)); }
int SiteTreeWidget::image(Node n) const { return at(n)->data(0, ImageRole).toInt(); }
bool SiteTreeWidget::expanded(Node n) const { return at(n)->isExpanded(); }

void SiteTreeWidget::setText(Node n, const QString &text) { at(n)->setText(0, text); }
void SiteTreeWidget::setTag(Node n, const QString &tag) { setTagOf(at(n), tag); }

void SiteTreeWidget::setKey(Node n, const QString &key)
{
    QTreeWidgetItem *it = at(n);
    QTreeWidgetItem *other = m_keys.value(key);
    if (other && other != it)
        treeError(kErrKeyNotUnique, QStringLiteral("Key is not unique in collection: ") + key);
    const QString old = it->data(0, KeyRole).toString();
    if (!old.isEmpty() && m_keys.value(old) == it)
        m_keys.remove(old);
    it->setData(0, KeyRole, key);
    if (!key.isEmpty())
        m_keys.insert(key, it);
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

void SiteTreeWidget::setForeColor(Node n, qint32 vbColour) { setForeColorOf(at(n), vbColour); }

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

void SiteTreeWidget::setExpanded(Node n, bool expanded) { at(n)->setExpanded(expanded); }

void SiteTreeWidget::redraw() { m_tree->viewport()->update(); }

void SiteTreeWidget::clear()
{
    m_keys.clear();
    m_tree->clear();
}

SiteTreeWidget::Node SiteTreeWidget::parent(Node n) const { return node(at(n)->parent()); }

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
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        walk(m_tree->topLevelItem(i));
    return list;
}

SiteTreeWidget::Node SiteTreeWidget::firstNode() const
{
    return m_tree->topLevelItemCount() ? node(m_tree->topLevelItem(0)) : 0;
}

SiteTreeWidget::Node SiteTreeWidget::selected() const { return node(m_tree->currentItem()); }

void SiteTreeWidget::select(Node n)
{
    if (n)
        m_tree->setCurrentItem(at(n));
}

} // namespace screens

#include "screens/frmAct_AddCLitem.h"

#include "screens/frmAct.h"
#include "screens/session.h"
#include "screens/site_tree_widget.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QLabel>
#include <QMargins>
#include <QMdiArea>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace screens {

namespace {
QPointer<QTreeWidget> s_dragTree;
QTreeWidgetItem *s_dragNode = nullptr;

constexpr qint32 kPaars = 8388736;
constexpr qint32 kGrijs = 12632256;

// The least frame a window manager puts around a window (title bar and
// borders, at 96 dots per inch); the platform tells the real one only once
// the window is shown, and not at all offscreen.
constexpr QMargins kVensterRand{8, 38, 8, 8};

// Where the picker opens: wholly inside the main window, frame and title
// bar included, at the top of its screens' area and beside the site tree
// (`boom`) so that the items can be dragged onto it; where the room beside
// the tree is too small, at the main window's right edge.
void plaatsInHoofdvenster(QWidget *picker, const QWidget *boom)
{
    const QMdiArea *area = Form::host();
    if (!area)
        return;
    const QRect hoofd = area->window()->geometry();
    const QMargins gemeld(picker->geometry().left() - picker->frameGeometry().left(),
                          picker->geometry().top() - picker->frameGeometry().top(),
                          picker->frameGeometry().right() - picker->geometry().right(),
                          picker->frameGeometry().bottom() - picker->geometry().bottom());
    const QMargins rand(std::max(gemeld.left(), kVensterRand.left()), std::max(gemeld.top(), kVensterRand.top()),
                        std::max(gemeld.right(), kVensterRand.right()),
                        std::max(gemeld.bottom(), kVensterRand.bottom()));
    const QPoint bovenLinks = area->viewport()->mapToGlobal(QPoint(0, 0));
    QRect geheel(QPoint(bovenLinks.x() + Form::twips(3500), bovenLinks.y()), picker->size().grownBy(rand));
    if (boom)
        geheel.moveLeft(boom->mapToGlobal(QPoint(boom->width(), 0)).x() + 4);
    geheel.setHeight(std::min(geheel.height(), hoofd.bottom() - geheel.top() + 1));
    geheel.moveLeft(std::max(hoofd.left(), std::min(geheel.left(), hoofd.right() + 1 - geheel.width())));
    picker->setGeometry(geheel.marginsRemoved(rand));
}
} // namespace

QTreeWidgetItem *gnodDrag()
{
    return s_dragTree ? s_dragNode : nullptr;
}

void setGnodDrag(QTreeWidgetItem *node)
{
    s_dragNode = node;
    s_dragTree = node ? node->treeWidget() : nullptr;
}

frmAct_AddCLitem::frmAct_AddCLitem() : Form(QStringLiteral("frmAct_AddCLitem"))
{
    setWindowTitle(QStringLiteral("Toevoegen QOR-checklistpost"));
    auto *layout = new QVBoxLayout(this);
    auto *label1 = new QLabel(QStringLiteral("Versleep een of meerdere checklistposten naar de boomstructuur in het "
                                             "scherm 'Voorzieningen en kostenposten'."),
                              this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    layout->addWidget(label1);
    m_tvw1 = new QTreeWidget(this);
    m_tvw1->setObjectName(QStringLiteral("tvw1"));
    m_tvw1->setHeaderHidden(true);
    m_tvw1->viewport()->installEventFilter(this);
    // Long item names scroll sideways instead of being cut.
    m_tvw1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tvw1->header()->setStretchLastSection(false);
    layout->addWidget(m_tvw1);
    m_lblToelichtingPrijspeil = new QLabel(this);
    m_lblToelichtingPrijspeil->setObjectName(QStringLiteral("lblToelichtingPrijspeil"));
    layout->addWidget(m_lblToelichtingPrijspeil);
    auto *label2 = new QLabel(QStringLiteral("*) Combinatiepost"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(label2);
    auto *cmdClose = new QPushButton(QStringLiteral("&Sluiten"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    // The picker's one button: Enter and Escape close it.
    cmdClose->setDefault(true);
    setCancelButton(cmdClose);
    layout->addWidget(cmdClose);
    connect(cmdClose, &QPushButton::clicked, this, [this] { unload(); });
    connect(m_tvw1, &QTreeWidget::itemDoubleClicked, this, [](QTreeWidgetItem *it) { it->setExpanded(true); });
    resize(440, 560);
}

frmAct_AddCLitem *frmAct_AddCLitem::load()
{
    if (auto *f = Form::loaded<frmAct_AddCLitem>())
        return f;
    auto *f = new frmAct_AddCLitem;
    f->m_formAct = Form::loaded<frmAct>();
    if (f->m_formAct)
        f->m_lblToelichtingPrijspeil->setText(f->m_formAct->strToelichtingPrijspeil());
    f->loadForm(false);
    plaatsInHoofdvenster(f, f->m_formAct ? f->m_formAct->TreeView1() : nullptr);
    f->VulTreeviewChecklist();
    if (frmAct *act = f->m_formAct) {
        connect(act, &frmAct::eCLPostDeleted, f, &frmAct_AddCLitem::formAct_eCLPostDeleted);
        connect(act, &frmAct::eCLPostSelected, f, &frmAct_AddCLitem::formAct_eCLPostSelected);
        connect(act, &frmAct::eCLVoorzSelected, f, &frmAct_AddCLitem::formAct_eCLVoorzSelected);
    }
    return f;
}

void frmAct_AddCLitem::Form_Unload()
{
    if (gnodDrag() && gnodDrag()->treeWidget() == m_tvw1)
        setGnodDrag(nullptr);
}

QTreeWidgetItem *frmAct_AddCLitem::node(const QString &key) const
{
    for (QTreeWidgetItemIterator it(m_tvw1); *it; ++it)
        if (SiteTreeWidget::keyOf(*it) == key)
            return *it;
    return nullptr;
}

void frmAct_AddCLitem::VulTreeviewChecklist()
{
    if (gnodDrag() && gnodDrag()->treeWidget() == m_tvw1)
        setGnodDrag(nullptr);
    SiteTreeWidget tree(m_tvw1);
    tree.clear();
    try {
        const calc::Context ctx = currentContext();
        if (ctx.gstrConnCL.isEmpty() || ctx.glngStortID == 0)
            return;
        db::Connection cn;
        cn.Open(ctx.gstrConnCL);
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT lngCLitem_ID, strObjectCat, strVoorz, strOmschrijving, bytRubriek_REF,"
                               " blnIsCombinatiePost FROM tblObjectCat INNER JOIN tblCLitem"
                               " ON tblObjectCat.bytObjectCat_ID = tblCLitem.bytObjectCat_REF"
                               " WHERE blnActief<>0 AND intCL_REF=?"
                               " ORDER BY bytObjectCat_ID, strVoorz, bytRubriek_REF, intSortNr"),
                cn, db::LockType::ReadOnly, {ctx.gintCL_ID});
        const QString gebruikt = m_formAct ? m_formAct->strAlleChecklistRefs() : QStringLiteral("|");
        QString vorigeCat, vorigeVoorz, voorzKey;
        for (; !rs.EOF_(); rs.MoveNext()) {
            const qint32 id = rs.Fields(0).Value().toInt();
            const QString cat = rs.Fields(1).Value().toString();
            const QString voorz = rs.Fields(2).Value().toString();
            if (cat != vorigeCat) {
                const auto n = tree.addChild(QString());
                tree.setText(n, cat);
                tree.setKey(n, cat);
                tree.setBold(n, true);
                tree.setForeColor(n, ctx.glngKleurVoorz);
                tree.setExpanded(n, true);
                vorigeCat = cat;
                vorigeVoorz.clear();
            }
            if (voorz != vorigeVoorz) {
                voorzKey = QStringLiteral("inr") + QString::number(id);
                const auto n = tree.addChild(cat);
                tree.setText(n, voorz);
                tree.setKey(n, voorzKey);
                tree.setForeColor(n, ctx.glngKleurVoorz);
                tree.setExpanded(n, true);
                vorigeVoorz = voorz;
            }
            const auto n = tree.addChild(voorzKey);
            QString text = rs.Fields(3).Value().toString();
            tree.setKey(n, QStringLiteral("act") + QString::number(id));
            if (gebruikt.contains(QLatin1Char('|') + QString::number(id) + QLatin1Char('|'), Qt::CaseInsensitive)) {
                tree.setForeColor(n, kGrijs);
            } else {
                tree.setForeColor(n, kPaars);
                tree.setTag(n, QStringLiteral("new"));
            }
            tree.setImage(n, rs.Fields(4).Value().toInt());
            if (rs.Fields(5).Value().toInt() != 0)
                text += QStringLiteral(" *");
            tree.setText(n, text);
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("VulTreeviewChecklist")));
    }
}

void frmAct_AddCLitem::tvw1_MouseDown(QTreeWidgetItem *node)
{
    if (!node)
        return;
    m_tvw1->setCurrentItem(node);
    m_dragFlag = SiteTreeWidget::tagOf(node) == QLatin1String("new");
    if (m_dragFlag)
        setGnodDrag(node);
}

bool frmAct_AddCLitem::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tvw1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *me = static_cast<QMouseEvent *>(event);
            m_pressPos = me->position().toPoint();
            tvw1_MouseDown(m_tvw1->itemAt(m_pressPos));
        } else if (event->type() == QEvent::MouseMove) {
            auto *me = static_cast<QMouseEvent *>(event);
            if ((me->buttons() & Qt::LeftButton) && m_dragFlag && gnodDrag()
                && (me->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
                m_dragFlag = false;
                auto *drag = new QDrag(m_tvw1);
                auto *mime = new QMimeData;
                mime->setData(QStringLiteral("application/x-tavir-checklistpost"),
                              SiteTreeWidget::keyOf(gnodDrag()).toUtf8());
                drag->setMimeData(mime);
                drag->setPixmap(m_tvw1->grab(m_tvw1->visualItemRect(gnodDrag())));
                drag->exec(Qt::CopyAction);
                return true;
            }
        }
    }
    return Form::eventFilter(watched, event);
}

void frmAct_AddCLitem::unselect()
{
    if (QTreeWidgetItem *cur = m_tvw1->currentItem()) {
        cur->setSelected(false);
        m_tvw1->setCurrentItem(nullptr);
    }
}

void frmAct_AddCLitem::formAct_eCLPostDeleted()
{
    VulTreeviewChecklist();
}

void frmAct_AddCLitem::formAct_eCLPostSelected(qint32 intCl_ID)
{
    if (intCl_ID != 0) {
        if (QTreeWidgetItem *n = node(QStringLiteral("act") + QString::number(intCl_ID)))
            m_tvw1->setCurrentItem(n);
        else
            unselect();
    } else {
        unselect();
    }
}

void frmAct_AddCLitem::formAct_eCLVoorzSelected(const QString &text, const QString &parentText)
{
    QTreeWidgetItem *cat = node(parentText);
    if (cat) {
        for (int i = 0; i < cat->childCount(); ++i)
            if (cat->child(i)->text(0) == text) {
                m_tvw1->setCurrentItem(cat->child(i));
                return;
            }
    }
    unselect();
}

} // namespace screens

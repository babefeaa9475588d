#include "screens/frmAct.h"

// The cost-item screen's loading and closing, and the tree: what a chosen
// node shows, the keys and the mouse on the tree. Its layout is in
// frmAct_layout.cpp, the tree commands in frmAct_commands.cpp, the detail
// panel in frmAct_panel.cpp.

#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_tree_fill.h"
#include "screens/session.h"
#include "screens/site_row_save.h"

#include "checklist/clsCL.h"
#include "records/clsAct.h"
#include "records/clsVoorz.h"
#include "records/codes.h"

#include "platform/core/error.h"
#include "platform/db/recordset.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

namespace screens {

using records::SiteTree;

namespace {
const QString kActNew = records::kKeyActNew;
} // namespace

// ---- Loading ----------------------------------------------------------------

frmAct::frmAct() : Form(QStringLiteral("frmAct"))
{
    setWindowTitle(QStringLiteral(" Voorzieningen en kostenposten"));
    bouwScherm();
    verbindScherm();
}

// The panel, declared last, lets go of the record object before it goes.
frmAct::~frmAct() = default;

bool frmAct::kostenpostGekozen() const
{
    return m_paneel->kostenpostGekozen();
}

const act::PaneelOpties &frmAct::opties() const
{
    return m_paneel->opties();
}

frmAct *frmAct::load()
{
    if (auto *f = Form::loaded<frmAct>())
        return f;
    auto *f = new frmAct;
    f->loadForm();
    f->laad();
    return f;
}

void frmAct::laad()
{
    const calc::Context ctx = currentContext();
    records::Context recCtx = ctx;
    recCtx.tree = m_boom.get();
    // Without a coupled data file (no session installed) the screen stays
    // empty; the main window opens it only with an open site.
    const bool gekoppeld = !ctx.gstrConnData.isEmpty();
    try {
        if (gekoppeld)
            m_insAct = std::make_unique<records::clsAct>(recCtx);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.Form_Load")));
    }
    moveFrame(twips(1), twips(10));
    // The height of the main window less 1200 twips and its tool bar, within
    // the room the main window's area gives.
    if (QMdiArea *area = Form::host()) {
        int hoogte = area->window()->height() - twips(1200);
        if (const auto *bar = area->window()->findChild<QToolBar *>())
            hoogte -= bar->height();
        hoogte = std::min(hoogte, area->viewport()->height() - frame()->y());
        frame()->resize(frame()->width(), std::max(hoogte, frame()->minimumSizeHint().height()));
    }
    m_paneel->pSetKleur(ctx.glngKleurAct);
    PasTreeInstellingenToe();
    try {
        m_boom->clear();
        SiteTreeWidget::Vulling inEens(*m_boom);
        // From the rows the record object has read: the site's rows are
        // read once per opening.
        if (gekoppeld && m_insAct)
            VulTreeviewAct(*m_boom, recCtx, *m_insAct->DataMember(QStringLiteral("tblAct")));
        else if (gekoppeld)
            VulTreeviewAct(*m_boom, recCtx);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("VulTreeviewAct")));
    }
    m_geladen = true;
    try {
        if (gekoppeld) {
            m_cl = std::make_unique<checklist::clsCL>(currentChecklistContext());
            m_cl->initializeCL(ctx.gintCL_ID);
        }
        if (m_cl && ctx.glngStortID != 0)
            m_strToelichtingPrijspeil = m_cl->lblToelichtingPrijspeil();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.Form_Load")));
    }
    m_paneel->koppel(m_insAct.get(), m_cl.get());
    try {
        if (m_insAct)
            m_voorz = std::make_unique<records::clsVoorz>(recCtx);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.Form_Load")));
    }
    if (const SiteTree::Node first = m_boom->firstNode())
        ververs(m_boom->key(first), true);
    // The rows' height is known now that the tree holds them.
    verdeelHoogte();
    ui::resetCursor();
}

// ---- Closing ----------------------------------------------------------------

bool frmAct::QueryUnload()
{
    // Every way out (the close button, the close box, Ctrl+F4, the program
    // closing) asks the focused field first: a refused text keeps the
    // screen open with the field's box, as the field's own check does.
    if (m_geladen && !m_paneel->controleerFocus())
        return false;
    if (!m_geladen)
        return true;
    const std::optional<QString> fout = m_paneel->schrijfEnBewaar();
    if (!fout)
        return true;
    // The store failed: the screen stays open with the edits, unless the
    // user drops them.
    if (!sluitenZonderOpslaan(*fout))
        return false;
    m_zonderOpslaan = true;
    try {
        if (m_insAct)
            if (db::Recordset *rs = m_insAct->DataMember(QStringLiteral("tblAct")))
                rs->CancelUpdate();
    } catch (const platform::Error &) {
    }
    return true;
}

void frmAct::Form_Unload()
{
    if (m_geladen && !m_zonderOpslaan) {
        if (const SiteTree::Node first = m_boom->firstNode())
            ververs(m_boom->key(first));
        m_paneel->schrijfEnBewaar();
    }
    m_geladen = false;
    m_paneel->ontkoppel();
    m_insAct.reset();
    m_voorz.reset();
    m_cl.reset();
    SluitChecklistKeuze();
}

void frmAct::SluitChecklistKeuze()
{
    if (auto *picker = Form::loaded<frmAct_AddCLitem>())
        picker->unload();
}

// ---- Refresh ------------------------------------------------------------------

bool frmAct::BewaarNieuweAct()
{
    if (m_gekozenKey != kActNew || !m_insAct)
        return true;
    if (!m_paneel->bewaar())
        return false;
    if (const SiteTree::Node n = m_boom->find(kActNew)) {
        const QString key = records::keyAct(m_insAct->idrAct_ID());
        try {
            m_boom->setKey(n, key);
            m_gekozenKey = key;
        } catch (const platform::Error &e) {
            meldFout(e.withSource(QStringLiteral("frmAct.BewaarNieuweAct")));
        }
    }
    return true;
}

bool frmAct::ververs(const QString &key, bool blnDontChangeRecord)
{
    QString k = key;
    return pRefreshSubscherm(k, blnDontChangeRecord);
}

bool frmAct::pRefreshSubscherm(QString &strKlikNodeKey, bool blnDontChangeRecord)
{
    try {
        if (!blnDontChangeRecord) {
            if (!m_paneel->bewaar()) {
                // The row shown cannot be left: the tree's highlight goes
                // back to its node, heading and panel stay as they are.
                if (const SiteTree::Node shown = m_boom->find(m_gekozenKey)) {
                    if (m_boom->selected() != shown)
                        kiesNode(shown);
                    toonNode();
                }
                return false;
            }
            if (m_gekozenKey == kActNew && m_insAct) {
                if (const SiteTree::Node n = m_boom->find(kActNew)) {
                    const QString nieuw = records::keyAct(m_insAct->idrAct_ID());
                    m_boom->setKey(n, nieuw);
                    if (strKlikNodeKey == kActNew)
                        strKlikNodeKey = nieuw;
                }
            }
        } else if (m_gekozenKey == kActNew && strKlikNodeKey != kActNew) {
            // Leaving a new item without changing the record still keys its
            // node: a later new item needs the key "actNEW" for itself.
            if (!BewaarNieuweAct())
                return false;
        }
        m_gekozenKey = strKlikNodeKey;
        const SiteTree::Node node = m_boom->find(strKlikNodeKey);
        if (!node)
            return false;
        if (m_boom->selected() != node)
            kiesNode(node);
        toonNode();

        const QString prefix = strKlikNodeKey.left(3);
        m_voorzieningGekozen = prefix == QLatin1String("inr");
        m_paneel->zetKostenpostGekozen(prefix == QLatin1String("act"));

        if (m_voorzieningGekozen) {
            m_paneel->ZetFramesZichtbaar(true);
            if (m_voorz)
                m_voorz->ActiveerID(act::idUitKey(strKlikNodeKey, 3));
            m_paneel->ToonGeenSelectie();
            const SiteTree::Node parent = m_boom->parent(node);
            emit eCLVoorzSelected(m_boom->text(node), parent ? m_boom->text(parent) : QString());
        } else if (m_paneel->kostenpostGekozen() && m_insAct) {
            if (!blnDontChangeRecord && !m_insAct->ActiveerID(act::idUitKey(strKlikNodeKey, 3))) {
                // The row is not there (its box said so): nothing of another
                // item shows, and no edit can land on one.
                m_paneel->zetKostenpostGekozen(false);
                m_paneel->ZetFramesZichtbaar(true);
                m_paneel->ToonGeenSelectie();
                return false;
            }
            const QString text = m_boom->text(node);
            QString post = m_insAct->strActHuidig();
            if (text.endsWith(QLatin1Char('}')))
                post += QLatin1Char(' ') + text.mid(text.indexOf(QLatin1Char('{')));
            m_paneel->toonKostenpost(post);
        } else {
            m_paneel->ZetFramesZichtbaar(true);
            m_paneel->ToonGeenSelectie();
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.pRefreshSubscherm")));
    }
    return true;
}

// ---- Tree -------------------------------------------------------------------------

void frmAct::toonNode()
{
    // While the mouse is pressed on the tree the rows stay where they are:
    // scrolled now, the release would land on another row and take the
    // highlight there. The release scrolls the node into view instead.
    if (m_muisInBoom)
        return;
    if (const SiteTree::Node node = m_boom->find(m_gekozenKey))
        m_TreeView1->scrollToItem(SiteTreeWidget::item(node));
}

void frmAct::kiesNode(SiteTree::Node node)
{
    m_kiestInCode = true;
    m_boom->select(node);
    m_kiestInCode = false;
}

void frmAct::boomKeuzeGewijzigd(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (m_kiestInCode || !current || !m_geladen)
        return;
    if (!m_paneel->ok()) {
        // The refused field keeps the focus and the tree its selection.
        if (const SiteTree::Node shown = m_boom->find(m_gekozenKey))
            kiesNode(shown);
        Q_UNUSED(previous);
        return;
    }
    const SiteTree::Node n = SiteTreeWidget::node(current);
    if (!m_boom->expanded(n))
        m_boom->setExpanded(n, true);
    ververs(m_boom->key(n));
}

void frmAct::boomToets(int key)
{
    // The selected node is chosen again first, which stores the row.
    if (!m_paneel->ok())
        return;
    if (const SiteTree::Node n = m_boom->selected())
        if (!ververs(m_boom->key(n)))
            return;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        toonPopup(mapToGlobal(QPoint(twips(3800), twips(500))));
        break;
    case Qt::Key_Delete:
        psubDeleteItem();
        break;
    case Qt::Key_F2:
        if (ZetPopupMenu().naamWijzigen.enabled)
            psubHernoemActNaamOfRubriek();
        else
            ui::MsgBox(QStringLiteral("U kunt deze naam niet wijzigen."), ui::Buttons::OK, ui::Icon::Information,
                       QStringLiteral("Naam wijzigen niet toegestaan"));
        break;
    default:
        break;
    }
}

bool frmAct::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (watched == m_TreeView1
            && (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter || ke->key() == Qt::Key_Delete
                || ke->key() == Qt::Key_F2)) {
            boomToets(ke->key());
            return true;
        }
    }
    if (watched == m_TreeView1->viewport()) {
        if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) && m_geladen) {
            // A field that refuses its text keeps the focus, and an item
            // that cannot be stored keeps the panel (one box says why); the
            // press then moves neither the tree's highlight nor the panel,
            // so that the tree stays on the item the panel shows.
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            QTreeWidgetItem *onder = m_TreeView1->itemAt(at);
            if (onder && onder != m_TreeView1->currentItem() && (!m_paneel->ok() || !m_paneel->bewaar()))
                return true;
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                m_muisInBoom = true;
                m_TreeView1->setAutoScroll(false);
            }
        }
        if (event->type() == QEvent::MouseButtonRelease && m_muisInBoom) {
            // Once the tree has handled the release, the node shown comes
            // into view.
            QTimer::singleShot(0, this, [this] {
                m_muisInBoom = false;
                m_TreeView1->setAutoScroll(true);
                toonNode();
            });
        }
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *de = static_cast<QDropEvent *>(event);
            if (gnodDrag()) {
                de->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            static_cast<QDropEvent *>(event)->acceptProposedAction();
            TreeView1_DragDrop();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void frmAct::klapAlles(bool uit)
{
    // Collapsing leaves the shown item for the first node: the field that
    // has the focus is asked first, and the item is stored before its node
    // folds away, so that a refusal leaves everything as it was.
    if (!uit && (!m_paneel->ok() || !m_paneel->bewaar()))
        return;
    for (const SiteTree::Node n : m_boom->allNodes())
        m_boom->setExpanded(n, uit);
    if (!uit)
        if (const SiteTree::Node first = m_boom->firstNode()) {
            kiesNode(first);
            ververs(m_boom->key(first));
        }
}

void frmAct::tmrDropHighlightCorrectie_Timer()
{
    tmrDropHighlightCorrectie->stop();
    m_TreeView1->viewport()->update();
}

QString frmAct::strAlleChecklistRefs() const
{
    try {
        return m_insAct ? m_insAct->strAlleChecklistRefs() : QStringLiteral("|");
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.strAlleChecklistRefs")));
        return QStringLiteral("|");
    }
}

} // namespace screens

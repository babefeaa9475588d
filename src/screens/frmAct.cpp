#include "screens/frmAct.h"

#include "screens/field_binding.h"
#include "screens/field_validation.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"
#include "screens/frmAct_marking.h"
#include "screens/frmAct_tree_fill.h"
#include "screens/masked_edit.h"
#include "screens/session.h"
#include "screens/site_row_save.h"

#include "checklist/clsCL.h"
#include "records/clsAct.h"
#include "records/clsVoorz.h"
#include "records/codes.h"

#include "platform/core/error.h"
#include "platform/db/recordset.h"
#include "platform/text/format.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/vb_color.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace screens {

using records::SiteTree;

namespace {
const QString kActNew = records::kKeyActNew;
// A facility's name takes no more than its column holds (strObject).
constexpr int kMaxNaamVoorziening = 100;
// The rows the tree shows at least at the first opening, where the window
// has the room: the panel below it scrolls instead.
constexpr int kBoomRijen = 15;

qint32 idUitKey(const QString &key, int from)
{
    return key.mid(from).toInt();
}

QMenu *popupAct()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = w->findChild<QMenu *>(QStringLiteral("popupAct")))
            return m;
    return nullptr;
}
} // namespace

const QString CRLF = QStringLiteral("\r\n");

// ---- Loading ----------------------------------------------------------------

frmAct::frmAct() : Form(QStringLiteral("frmAct"))
{
    setWindowTitle(QStringLiteral(" Voorzieningen en kostenposten"));
    bouwScherm();
}

frmAct::~frmAct()
{
    // The bindings go before the record object they listen to.
    if (m_binding)
        m_binding->setDataSource(nullptr);
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
    m_kleurAct = ctx.glngKleurAct;
    m_kleurVoorz = ctx.glngKleurVoorz;
    records::Context recCtx = ctx;
    recCtx.tree = m_tree.get();
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
    pSetKleur();
    PasTreeInstellingenToe();
    try {
        m_tree->clear();
        SiteTreeWidget::Vulling inEens(*m_tree);
        if (gekoppeld)
            VulTreeviewAct(*m_tree, recCtx);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("VulTreeviewAct")));
    }
    m_loaded = true;
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
    psubSetBindingCollectie();
    try {
        if (m_insAct)
            m_voorz = std::make_unique<records::clsVoorz>(recCtx);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.Form_Load")));
    }
    if (const SiteTree::Node first = m_tree->firstNode())
        refresh(m_tree->key(first), true);
    // The rows' height is known now that the tree holds them.
    verdeelHoogte();
    ui::resetCursor();
}

void frmAct::bouwScherm()
{
    // The screen keeps its width; its height follows the window. The tree
    // with the checklist information and the detail panel share the height
    // through a splitter; the panel scrolls when its share is too small.
    setFixedWidth(twips(14190));
    resize(twips(14190), 640);
    auto *root = new QVBoxLayout(this);
    lblFormTitel = new QLabel(QStringLiteral(" Voorzieningen en kostenposten"), this);
    lblFormTitel->setObjectName(QStringLiteral("lblFormTitel"));
    root->addWidget(lblFormTitel);

    // The tree's buttons stand above the tree: nothing below them changes
    // their place.
    auto *knoppen = new QHBoxLayout;
    root->addLayout(knoppen);
    const auto knop = [&](QPushButton *&b, const char *name, const QString &caption, const QString &tip) {
        b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tip);
        knoppen->addWidget(b);
    };
    knop(cmdTreeExpand, "cmdTreeExpand", QStringLiteral("+"), QStringLiteral("Boomstructuur volledig uitklappen"));
    knop(cmdTreeCollapse, "cmdTreeCollapse", QStringLiteral("-"), QStringLiteral("Boomstructuur volledig inklappen"));
    for (QPushButton *b : {cmdTreeExpand, cmdTreeCollapse})
        b->setFixedWidth(b->sizeHint().height() + 8);
    knop(Command1, "Command1", QStringLiteral("&Bewerken"), QString());
    knoppen->addStretch();
    knop(cmdClose, "cmdClose", QStringLiteral("&Sluiten"), QString());

    auto *split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("splitAct"));
    split->setChildrenCollapsible(false);
    root->addWidget(split, 1);

    auto *bovenDeel = new QWidget(split);
    bovenDeel->setObjectName(QStringLiteral("picBoven"));
    auto *boven = new QHBoxLayout(bovenDeel);
    boven->setContentsMargins(0, 0, 0, 0);
    m_treeView = new QTreeWidget(bovenDeel);
    m_treeView->setObjectName(QStringLiteral("TreeView1"));
    m_treeView->setHeaderHidden(true);
    m_treeView->setAcceptDrops(true);
    m_treeView->viewport()->setAcceptDrops(true);
    m_treeView->setDropIndicatorShown(true);
    m_treeView->setContextMenuPolicy(Qt::CustomContextMenu);
    m_treeView->setMinimumHeight(120);
    // Long names scroll sideways instead of being cut.
    m_treeView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_treeView->header()->setStretchLastSection(false);
    m_treeView->setItemDelegate(new MeasuredOnceDelegate(m_treeView));
    m_treeView->installEventFilter(this);
    m_treeView->viewport()->installEventFilter(this);
    m_tree = std::make_unique<SiteTreeWidget>(m_treeView);
    boven->addWidget(m_treeView, 3);
    connect(m_treeView, &QTreeWidget::currentItemChanged, this, &frmAct::treeSelectionChanged);
    // A click on the node that is selected already shows it again (a new
    // item then gets its key).
    connect(m_treeView, &QTreeWidget::itemPressed, this,
            [this](QTreeWidgetItem *it) { m_pressedSelected = it == m_treeView->currentItem(); });
    connect(m_treeView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *it) {
        if (m_pressedSelected && it == m_treeView->currentItem() && m_loaded && m_validation->ok())
            refresh(m_tree->key(SiteTreeWidget::node(it)));
        m_pressedSelected = false;
    });
    connect(m_treeView, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { showPopup(m_treeView->viewport()->mapToGlobal(pos)); });

    auto *rechts = new QVBoxLayout;
    boven->addLayout(rechts, 2);
    auto *picRubriek = new QGroupBox(QStringLiteral("Legenda"), bovenDeel);
    picRubriek->setObjectName(QStringLiteral("picRubriek"));
    auto *legenda = new QGridLayout(picRubriek);
    legenda->setContentsMargins(6, 2, 6, 2);
    legenda->setVerticalSpacing(0);
    for (int r = 1; r <= 6; ++r) {
        auto *icon = new QLabel(picRubriek);
        icon->setPixmap(actImage(r).pixmap(16, 16));
        legenda->addWidget(icon, (r - 1) / 3, ((r - 1) % 3) * 2);
        legenda->addWidget(new QLabel(records::rubriekNaam(r), picRubriek), (r - 1) / 3, ((r - 1) % 3) * 2 + 1);
    }
    rechts->addWidget(picRubriek);
    lblInfoUitChecklist = new QLabel(QStringLiteral("Informatie uit de QOR-checklist"), bovenDeel);
    lblInfoUitChecklist->setObjectName(QStringLiteral("lblInfoUitChecklist"));
    rechts->addWidget(lblInfoUitChecklist);
    txtInfoChecklist = new QTextEdit(bovenDeel);
    txtInfoChecklist->setObjectName(QStringLiteral("txtInfoChecklist"));
    txtInfoChecklist->setReadOnly(true);
    rechts->addWidget(txtInfoChecklist, 1);

    connect(cmdTreeExpand, &QPushButton::clicked, this, [this] { expandAll(true); });
    connect(cmdTreeCollapse, &QPushButton::clicked, this, [this] { expandAll(false); });
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (!m_validation->ok())
            return;
        if (const SiteTree::Node n = m_tree->selected()) {
            m_tree->setExpanded(n, true);
            if (!refresh(m_tree->key(n)))
                return;
        }
        showPopup(mapToGlobal(QPoint(twips(4500), twips(500))));
    });
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        if (m_validation->ok())
            unload();
    });

    tmrDropHighlightCorrectie = new QTimer(this);
    tmrDropHighlightCorrectie->setObjectName(QStringLiteral("tmrDropHighlightCorrectie"));
    tmrDropHighlightCorrectie->setInterval(100);
    connect(tmrDropHighlightCorrectie, &QTimer::timeout, this, &frmAct::tmrDropHighlightCorrectie_Timer);

    auto *scroll = new QScrollArea(split);
    scroll->setObjectName(QStringLiteral("scrKaderDetail"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes through the fields it holds, not through the area itself.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *kader = new QWidget;
    kader->setObjectName(QStringLiteral("picKaderDetail"));
    m_validation = std::make_unique<FieldValidation>(this);
    bouwPaneel(kader);
    scroll->setWidget(kader);
    // The panel gets the height it needs; the tree the rest.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    m_split = split;
    connect(split, &QSplitter::splitterMoved, this, [this] { m_splitMoved = true; });
}

void frmAct::resizeEvent(QResizeEvent *event)
{
    Form::resizeEvent(event);
    verdeelHoogte();
}

bool frmAct::focusNextPrevChild(bool next)
{
    // Tab into the panel from the tree's side scrolls the field it reaches
    // into view, as Tab within the panel does.
    if (!Form::focusNextPrevChild(next))
        return false;
    auto *scroll = m_split ? static_cast<QScrollArea *>(m_split->widget(1)) : nullptr;
    if (QWidget *fw = focusWidget(); scroll && fw && scroll->widget()->isAncestorOf(fw))
        scroll->ensureWidgetVisible(fw);
    return true;
}

void frmAct::verdeelHoogte()
{
    // Until the user moves the splitter, the tree has room for a good
    // number of rows (a site has hundreds of items to browse) and the panel
    // the rest, scrolling where its fields need more; a tall window gives
    // the panel all it needs and the tree what remains.
    if (!m_split || m_splitMoved)
        return;
    const auto *scroll = static_cast<QScrollArea *>(m_split->widget(1));
    const int paneel = scroll->widget()->sizeHint().height() + 2;
    const int totaal = m_split->height();
    int rij = m_treeView->sizeHintForRow(0);
    if (rij <= 0)
        rij = std::max(m_treeView->fontMetrics().height(), m_treeView->iconSize().height()) + 2;
    const int rijen =
        kBoomRijen * rij + 2 * m_treeView->frameWidth() + m_treeView->horizontalScrollBar()->sizeHint().height();
    const int boom = std::max(totaal - paneel, std::min(rijen, totaal * 2 / 3));
    m_split->setSizes({boom, std::max(0, totaal - boom)});
}

void frmAct::PasTreeInstellingenToe()
{
    const TreeOptions o = session().treeOptions ? session().treeOptions() : TreeOptions{};
    m_treeView->setExpandsOnDoubleClick(!o.gblnTreeSingleSel);
    m_treeView->setProperty("singleSel", o.gblnTreeSingleSel);
    m_treeView->setRootIsDecorated(o.gblnTreePlusMin);
    QString style;
    if (!o.gblnTreeLines)
        style = QStringLiteral("QTreeView::branch { border-image: none; }");
    m_treeView->setStyleSheet(style);
    m_treeView->setProperty("treeStyle", (o.gblnTreeLines ? 4 : 0) + (o.gblnTreePlusMin ? 2 : 0) + 1);
}

// ---- Closing ----------------------------------------------------------------

bool frmAct::QueryUnload()
{
    // Every way out (the close button, the close box, Ctrl+F4, the program
    // closing) asks the focused field first: a refused text keeps the
    // screen open with the field's box, as the field's own check does.
    if (m_loaded && m_validation && !m_validation->controleerFocus())
        return false;
    if (!m_loaded)
        return true;
    const std::optional<QString> fout = commit();
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
    if (m_loaded && !m_zonderOpslaan) {
        if (const SiteTree::Node first = m_tree->firstNode())
            refresh(m_tree->key(first));
        commit();
    }
    m_loaded = false;
    if (m_binding)
        m_binding->setDataSource(nullptr);
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

std::optional<QString> frmAct::commit()
{
    if (!m_insAct)
        return std::nullopt;
    std::optional<QString> fout;
    try {
        m_binding->writeAll();
    } catch (const platform::Error &e) {
        fout = e.description();
    }
    try {
        m_insAct->Bewaar();
    } catch (const platform::Error &e) {
        if (!fout)
            fout = e.description();
    }
    return fout;
}

bool frmAct::bewaar()
{
    const std::optional<QString> fout = commit();
    if (!fout)
        return true;
    ui::MsgBox(QStringLiteral("Er is een fout opgetreden bij het opslaan van de kostenpost.") + CRLF + CRLF + *fout
                   + CRLF + CRLF
                   + QStringLiteral("De kostenpost blijft getoond met uw invoer, zodat u de oorzaak kunt verhelpen "
                                    "of de invoer kunt corrigeren."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Fout bij opslaan"));
    return false;
}

bool frmAct::BewaarNieuweAct()
{
    if (m_selectedKey != kActNew || !m_insAct)
        return true;
    if (!bewaar())
        return false;
    if (const SiteTree::Node n = m_tree->find(kActNew)) {
        const QString key = records::keyAct(m_insAct->idrAct_ID());
        try {
            m_tree->setKey(n, key);
            m_selectedKey = key;
        } catch (const platform::Error &e) {
            meldFout(e.withSource(QStringLiteral("frmAct.BewaarNieuweAct")));
        }
    }
    return true;
}

bool frmAct::refresh(const QString &key, bool blnDontChangeRecord)
{
    QString k = key;
    return pRefreshSubscherm(k, blnDontChangeRecord);
}

bool frmAct::pRefreshSubscherm(QString &strKlikNodeKey, bool blnDontChangeRecord)
{
    try {
        if (!blnDontChangeRecord) {
            if (!bewaar()) {
                // The row shown cannot be left: the tree's highlight goes
                // back to its node, heading and panel stay as they are.
                if (const SiteTree::Node shown = m_tree->find(m_selectedKey)) {
                    if (m_tree->selected() != shown)
                        selectNode(shown);
                    toonNode();
                }
                return false;
            }
            if (m_selectedKey == kActNew && m_insAct) {
                if (const SiteTree::Node n = m_tree->find(kActNew)) {
                    const QString nieuw = records::keyAct(m_insAct->idrAct_ID());
                    m_tree->setKey(n, nieuw);
                    if (strKlikNodeKey == kActNew)
                        strKlikNodeKey = nieuw;
                }
            }
        } else if (m_selectedKey == kActNew && strKlikNodeKey != kActNew) {
            // Leaving a new item without changing the record still keys its
            // node: a later new item needs the key "actNEW" for itself.
            if (!BewaarNieuweAct())
                return false;
        }
        m_selectedKey = strKlikNodeKey;
        const SiteTree::Node node = m_tree->find(strKlikNodeKey);
        if (!node)
            return false;
        if (m_tree->selected() != node)
            selectNode(node);
        toonNode();

        const QString prefix = strKlikNodeKey.left(3);
        m_facilitySelected = prefix == QLatin1String("inr");
        m_costItemSelected = prefix == QLatin1String("act");

        if (m_facilitySelected) {
            ZetFramesZichtbaar(true);
            if (m_voorz)
                m_voorz->ActiveerID(idUitKey(strKlikNodeKey, 3));
            ToonGeenSelectie();
            const SiteTree::Node parent = m_tree->parent(node);
            emit eCLVoorzSelected(m_tree->text(node), parent ? m_tree->text(parent) : QString());
        } else if (m_costItemSelected && m_insAct) {
            if (!blnDontChangeRecord && !m_insAct->ActiveerID(idUitKey(strKlikNodeKey, 3))) {
                // The row is not there (its box said so): nothing of another
                // item shows, and no edit can land on one.
                m_costItemSelected = false;
                ZetFramesZichtbaar(true);
                ToonGeenSelectie();
                return false;
            }
            ZetFramesZichtbaar(false);
            const QString text = m_tree->text(node);
            QString post = m_insAct->strActHuidig();
            if (text.endsWith(QLatin1Char('}')))
                post += QLatin1Char(' ') + text.mid(text.indexOf(QLatin1Char('{')));
            lblPost->setText(post);
            strInfoChecklistpost();
            imgQOR->setVisible(true);
            lblRubriek->setText(QStringLiteral("Rubriek: ") + m_insAct->Rubriek());
            lblGeenPost->setVisible(false);
            ZetCaptionsStartEind();
            VerifyEnMarkeer();
            ZetVervangingsToeslagStatus();
        } else {
            ZetFramesZichtbaar(true);
            ToonGeenSelectie();
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
    if (const SiteTree::Node node = m_tree->find(m_selectedKey))
        m_treeView->scrollToItem(SiteTreeWidget::item(node));
}

void frmAct::selectNode(SiteTree::Node node)
{
    m_selectingByCode = true;
    m_tree->select(node);
    m_selectingByCode = false;
}

void frmAct::treeSelectionChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (m_selectingByCode || !current || !m_loaded)
        return;
    if (!m_validation->ok()) {
        // The refused field keeps the focus and the tree its selection.
        if (const SiteTree::Node shown = m_tree->find(m_selectedKey))
            selectNode(shown);
        Q_UNUSED(previous);
        return;
    }
    const SiteTree::Node n = SiteTreeWidget::node(current);
    if (!m_tree->expanded(n))
        m_tree->setExpanded(n, true);
    refresh(m_tree->key(n));
}

act::PopupMenu frmAct::ZetPopupMenu()
{
    act::PopupMenu m;
    const SiteTree::Node n = m_tree->selected();
    if (!n)
        return m;
    act::PopupNode node;
    node.text = m_tree->text(n);
    node.tag = m_tree->tag(n);
    node.bold = m_tree->bold(n);
    node.foreColor = m_tree->foreColor(n);
    if (const SiteTree::Node p = m_tree->parent(n))
        node.parentText = m_tree->text(p);
    bool qorVoorz = false;
    try {
        if (m_facilitySelected && m_insAct)
            qorVoorz = m_insAct->IsQORvoorziening(idUitKey(m_selectedKey, 3));
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.ZetPopupMenu")));
    }
    m = act::ZetPopupMenu(node, m_facilitySelected, m_costItemSelected, qorVoorz);
    if (QMenu *menu = popupAct()) {
        const auto zet = [menu](const char *name, const act::PopupItem &item) {
            if (auto *a = menu->findChild<QAction *>(QLatin1String(name))) {
                a->setEnabled(item.enabled);
                if (!item.caption.isEmpty())
                    a->setText(item.caption);
            }
        };
        zet("mnuPopUpaddVoorz", m.addVoorz);
        zet("mnuPopUpaddAct", m.addAct);
        zet("mnuPopUpaddFase", m.addFase);
        zet("mnuPopUpnaamwijzigen", m.naamWijzigen);
        zet("mnuPopUpverwijder", m.verwijder);
    }
    return m;
}

void frmAct::showPopup(const QPoint &globalPos)
{
    ZetPopupMenu();
    if (QMenu *menu = popupAct())
        menu->popup(globalPos);
}

void frmAct::treeKey(int key)
{
    // The selected node is chosen again first, which stores the row.
    if (!m_validation->ok())
        return;
    if (const SiteTree::Node n = m_tree->selected())
        if (!refresh(m_tree->key(n)))
            return;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        showPopup(mapToGlobal(QPoint(twips(3800), twips(500))));
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
        // The keypad's decimal key types a comma in every box.
        if (keypadDecimalAsComma(qobject_cast<QLineEdit *>(watched), event))
            return true;
        if (watched == m_treeView
            && (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter || ke->key() == Qt::Key_Delete
                || ke->key() == Qt::Key_F2)) {
            treeKey(ke->key());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && (watched == imgQOR || watched == imgFoutAnSich))
        VerifyEnMarkeer();
    if (watched == m_treeView->viewport()) {
        if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) && m_loaded) {
            // A field that refuses its text keeps the focus, and an item
            // that cannot be stored keeps the panel (one box says why); the
            // press then moves neither the tree's highlight nor the panel,
            // so that the tree stays on the item the panel shows.
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            QTreeWidgetItem *onder = m_treeView->itemAt(at);
            if (onder && onder != m_treeView->currentItem() && (!m_validation->ok() || !bewaar()))
                return true;
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                m_muisInBoom = true;
                m_treeView->setAutoScroll(false);
            }
        }
        if (event->type() == QEvent::MouseButtonRelease && m_muisInBoom) {
            // Once the tree has handled the release, the node shown comes
            // into view.
            QTimer::singleShot(0, this, [this] {
                m_muisInBoom = false;
                m_treeView->setAutoScroll(true);
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

void frmAct::expandAll(bool expanded)
{
    // Collapsing leaves the shown item for the first node: the field that
    // has the focus is asked first, and the item is stored before its node
    // folds away, so that a refusal leaves everything as it was.
    if (!expanded && (!m_validation->ok() || !bewaar()))
        return;
    for (const SiteTree::Node n : m_tree->allNodes())
        m_tree->setExpanded(n, expanded);
    if (!expanded)
        if (const SiteTree::Node first = m_tree->firstNode()) {
            selectNode(first);
            refresh(m_tree->key(first));
        }
}

void frmAct::tmrDropHighlightCorrectie_Timer()
{
    tmrDropHighlightCorrectie->stop();
    m_treeView->viewport()->update();
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

// ---- Tree commands ------------------------------------------------------------------

void frmAct::psubAddVoorz()
{
    try {
        if (!m_validation->ok() || !m_voorz)
            return;
        QString naam = ui::InputBox(QStringLiteral("Naam voorziening:"), QStringLiteral("Nieuwe voorziening"));
        naam = naam.left(kMaxNaamVoorziening);
        if (naam.isEmpty())
            return;
        const SiteTree::Node n = m_tree->selected();
        if (!n || !m_tree->key(n).startsWith(QLatin1String("objcat")))
            return;
        if (!BewaarNieuweAct())
            return;
        const QString key = m_voorz->VoegVoorzieningToe(std::uint8_t(idUitKey(m_tree->key(n), 6)), naam);
        m_treeView->setFocus();
        refresh(key, true);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.psubAddVoorz")));
    }
}

void frmAct::psubAddFase()
{
    try {
        if (!m_validation->ok() || !m_insAct || !m_costItemSelected)
            return;
        if (!BewaarNieuweAct() || !bewaar())
            return;
        const SiteTree::Node n = m_tree->selected();
        if (!n || m_tree->text(n).startsWith(QLatin1Char('{')))
            return;
        if (m_insAct->Dupliceer_Act(qint16(m_tree->children(n).size() + 1)))
            refresh(kActNew, true);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.psubAddFase")));
    }
}

void frmAct::psubHernoemActNaamOfRubriek()
{
    try {
        if (!m_validation->ok())
            return;
        const SiteTree::Node n = m_tree->selected();
        if (!n)
            return;
        if (m_facilitySelected && m_voorz) {
            const QString huidig = m_tree->text(n);
            QString naam = ui::InputBox(QStringLiteral("Nieuwe naam:"), QStringLiteral("Naam wijzigen"), huidig);
            while (naam.contains(QLatin1Char('{')) || naam.contains(QLatin1Char('}')))
                naam = ui::InputBox(QStringLiteral("Ongeldige tekens { of } gebruikt.") + CRLF
                                        + QStringLiteral("Voer een nieuwe naam in: "),
                                    QStringLiteral("Hernoemen"), huidig);
            // As the add box: the name is cut to what the column holds.
            naam = naam.left(kMaxNaamVoorziening);
            if (!naam.isEmpty()) {
                if (m_voorz->HernoemVoorzNaam(naam))
                    m_tree->setText(n, naam);
                refresh(m_tree->key(n), true);
            }
        } else if (m_costItemSelected && m_insAct) {
            if (!BewaarNieuweAct() || !bewaar())
                return;
            frmAct_AddCustomItem::openen(0, m_tree->text(n), m_insAct->bytRubriek_REF());
        }
        m_treeView->setFocus();
        tmrDropHighlightCorrectie->start();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.psubHernoemActNaamOfRubriek")));
    }
}

void frmAct::psubDeleteItem()
{
    try {
        if (!m_validation->ok())
            return;
        // A new item is saved and keyed first, so that its row can be found.
        if (!BewaarNieuweAct())
            return;
        const SiteTree::Node n = m_tree->selected();
        if (!n)
            return;
        const QString key = m_tree->key(n);
        const QString text = m_tree->text(n);
        const SiteTree::Node parent = m_tree->parent(n);
        const auto fout = [](const QString &t) {
            ui::MsgBox(t, ui::Buttons::OK, ui::Icon::Critical, ui::programTitle());
        };

        if (m_costItemSelected && m_insAct) {
            const bool metFases = !m_tree->children(n).isEmpty();
            const QString vraag = metFases
                                      ? QStringLiteral("Wilt u kostenpost '") + text
                                            + QStringLiteral("' en alle onderliggende deelfases verwijderen?")
                                      : QStringLiteral("Wilt u kostenpost '") + text + QStringLiteral("' verwijderen?");
            if (ui::MsgBox(vraag, ui::Buttons::YesNo, ui::Icon::Question, QStringLiteral("Verwijderen"))
                == ui::Answer::Yes) {
                // The item is left (and stored) first; when it cannot be
                // stored, nothing is deleted.
                selectNode(parent);
                if (!refresh(m_tree->key(parent)))
                    return;
                if (!m_insAct->ActiveerID(idUitKey(key, 3))) {
                    fout(QStringLiteral("Fout bij verwijderen kostenpost"));
                } else if (metFases) {
                    // The item and all its phases go in one transaction.
                    if (!m_insAct->verwijderActMetAlleFases().isEmpty())
                        m_tree->remove(n);
                    else
                        fout(QStringLiteral("Fout bij verwijderen kostenpost"));
                } else if (m_insAct->verwijderAct()) {
                    m_tree->remove(n);
                    if (m_tree->key(parent).startsWith(QLatin1String("act"))) {
                        const QList<SiteTree::Node> fases = m_tree->children(parent);
                        if (fases.isEmpty()) {
                            const QString kop = m_tree->text(parent);
                            const int at = kop.indexOf(QStringLiteral(" {1e fase}"));
                            if (at >= 0)
                                m_tree->setText(parent, kop.left(at));
                        } else {
                            for (int i = 0; i < fases.size(); ++i)
                                m_tree->setText(fases[i], QStringLiteral("{") + QString::number(i + 2)
                                                              + QStringLiteral("e fase}"));
                        }
                        refresh(m_tree->key(parent));
                    }
                } else {
                    fout(QStringLiteral("Fout bij verwijderen kostenpost"));
                }
            }
        } else if (m_facilitySelected && m_voorz) {
            if (!m_tree->children(n).isEmpty()) {
                ui::MsgBox(QStringLiteral("U dient eerst kostenposten van deze voorziening te verwijderen."),
                           ui::Buttons::OK, ui::Icon::Information, QStringLiteral("verwijderen"));
                m_treeView->setFocus();
                return;
            }
            if (ui::MsgBox(QStringLiteral("Wilt u deze voorziening verwijderen?"), ui::Buttons::YesNo,
                           ui::Icon::Question, QStringLiteral("Verwijderen"))
                == ui::Answer::Yes) {
                selectNode(parent);
                if (!refresh(m_tree->key(parent)))
                    return;
                m_voorz->ActiveerID(idUitKey(key, 3));
                if (m_voorz->verwijderVoorz())
                    m_tree->remove(n);
                else
                    fout(QStringLiteral("Fout bij verwijderen voorziening"));
            }
        } else {
            ui::MsgBox(QStringLiteral("U kunt dit item niet verwijderen."), ui::Buttons::OK, ui::Icon::Exclamation,
                       QStringLiteral("Verwijdering niet toegestaan"));
        }
        m_treeView->setFocus();
        tmrDropHighlightCorrectie->start();
        emit eCLPostDeleted();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.psubDeleteItem")));
    }
}

void frmAct::TreeView1_DragDrop()
{
    QTreeWidgetItem *dragged = gnodDrag();
    if (!dragged)
        return;
    try {
        const QString key = SiteTreeWidget::keyOf(dragged);
        if (!key.startsWith(QLatin1String("act"))) {
            ui::MsgBox(QStringLiteral("Selecteer een kostenpost"), ui::Buttons::OK, ui::Icon::Exclamation,
                       QStringLiteral("Selectie QOR-checklistitem"));
        } else if (m_insAct && m_validation->ok() && BewaarNieuweAct() && bewaar()) {
            if (m_insAct->VoegToe_CLitem(idUitKey(key, 3))) {
                SiteTreeWidget::setTagOf(dragged, QStringLiteral("old"));
                SiteTreeWidget::setForeColorOf(dragged, 12632256);
                refresh(kActNew, true);
            }
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.TreeView1_DragDrop")));
    }
    setGnodDrag(nullptr);
}

} // namespace screens

#include "screens/frmAct.h"

// The cost-item screen's layout: the tree's buttons, the tree with the
// legend and the checklist information beside it, the detail panel below
// them in a scroll area, and the height they share.

#include "screens/frmAct_tree_fill.h"
#include "screens/session.h"

#include "records/codes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace screens {

using records::SiteTree;

namespace {
// The rows the tree shows at least at the first opening, where the window
// has the room: the panel below it scrolls instead.
constexpr int kBoomRijen = 15;
} // namespace

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
    bouwKnoppen(root);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("splitAct"));
    split->setChildrenCollapsible(false);
    root->addWidget(split, 1);
    auto *bovenDeel = new QWidget(split);
    bovenDeel->setObjectName(QStringLiteral("picBoven"));
    auto *boven = new QHBoxLayout(bovenDeel);
    boven->setContentsMargins(0, 0, 0, 0);
    boven->addWidget(bouwBoom(bovenDeel), 3);
    bouwInformatie(bovenDeel, boven);

    tmrDropHighlightCorrectie = new QTimer(this);
    tmrDropHighlightCorrectie->setObjectName(QStringLiteral("tmrDropHighlightCorrectie"));
    tmrDropHighlightCorrectie->setInterval(100);

    bouwPaneel(split);
    // The panel gets the height it needs; the tree the rest.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    m_verdeler = split;
}

void frmAct::bouwKnoppen(QVBoxLayout *root)
{
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
}

QWidget *frmAct::bouwBoom(QWidget *bovenDeel)
{
    m_TreeView1 = new QTreeWidget(bovenDeel);
    m_TreeView1->setObjectName(QStringLiteral("TreeView1"));
    m_TreeView1->setHeaderHidden(true);
    m_TreeView1->setAcceptDrops(true);
    m_TreeView1->viewport()->setAcceptDrops(true);
    m_TreeView1->setDropIndicatorShown(true);
    m_TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    m_TreeView1->setMinimumHeight(120);
    // Long names scroll sideways instead of being cut.
    m_TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_TreeView1->header()->setStretchLastSection(false);
    m_TreeView1->setItemDelegate(new MeasuredOnceDelegate(m_TreeView1));
    m_TreeView1->installEventFilter(this);
    m_TreeView1->viewport()->installEventFilter(this);
    m_boom = std::make_unique<SiteTreeWidget>(m_TreeView1);
    return m_TreeView1;
}

void frmAct::bouwInformatie(QWidget *bovenDeel, QHBoxLayout *boven)
{
    // Beside the tree the legend of the rubrics and the checklist
    // information of the shown item.
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
}

void frmAct::bouwPaneel(QSplitter *split)
{
    auto *scroll = new QScrollArea(split);
    scroll->setObjectName(QStringLiteral("scrKaderDetail"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes through the fields it holds, not through the area itself.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *kader = new QWidget;
    kader->setObjectName(QStringLiteral("picKaderDetail"));
    m_paneel = std::make_unique<ActPaneel>(this, kader, txtInfoChecklist, *m_boom);
    scroll->setWidget(kader);
}

void frmAct::verbindScherm()
{
    connect(m_TreeView1, &QTreeWidget::currentItemChanged, this, &frmAct::boomKeuzeGewijzigd);
    // A click on the node that is selected already shows it again (a new
    // item then gets its key).
    connect(m_TreeView1, &QTreeWidget::itemPressed, this,
            [this](QTreeWidgetItem *it) { m_gekozenIngedrukt = it == m_TreeView1->currentItem(); });
    connect(m_TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *it) {
        if (m_gekozenIngedrukt && it == m_TreeView1->currentItem() && m_geladen && m_paneel->ok())
            ververs(m_boom->key(SiteTreeWidget::node(it)));
        m_gekozenIngedrukt = false;
    });
    connect(m_TreeView1, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { toonPopup(m_TreeView1->viewport()->mapToGlobal(pos)); });

    connect(cmdTreeExpand, &QPushButton::clicked, this, [this] { klapAlles(true); });
    connect(cmdTreeCollapse, &QPushButton::clicked, this, [this] { klapAlles(false); });
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (!m_paneel->ok())
            return;
        if (const SiteTree::Node n = m_boom->selected()) {
            m_boom->setExpanded(n, true);
            if (!ververs(m_boom->key(n)))
                return;
        }
        toonPopup(mapToGlobal(QPoint(twips(4500), twips(500))));
    });
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        if (m_paneel->ok())
            unload();
    });
    connect(tmrDropHighlightCorrectie, &QTimer::timeout, this, &frmAct::tmrDropHighlightCorrectie_Timer);
    connect(m_verdeler, &QSplitter::splitterMoved, this, [this] { m_verdelerVerschoven = true; });
    connect(m_paneel.get(), &ActPaneel::eCLPostSelected, this, &frmAct::eCLPostSelected);
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
    auto *scroll = m_verdeler ? static_cast<QScrollArea *>(m_verdeler->widget(1)) : nullptr;
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
    if (!m_verdeler || m_verdelerVerschoven)
        return;
    const auto *scroll = static_cast<QScrollArea *>(m_verdeler->widget(1));
    const int paneel = scroll->widget()->sizeHint().height() + 2;
    const int totaal = m_verdeler->height();
    int rij = m_TreeView1->sizeHintForRow(0);
    if (rij <= 0)
        rij = std::max(m_TreeView1->fontMetrics().height(), m_TreeView1->iconSize().height()) + 2;
    const int rijen =
        kBoomRijen * rij + 2 * m_TreeView1->frameWidth() + m_TreeView1->horizontalScrollBar()->sizeHint().height();
    const int boom = std::max(totaal - paneel, std::min(rijen, totaal * 2 / 3));
    m_verdeler->setSizes({boom, std::max(0, totaal - boom)});
}

void frmAct::PasTreeInstellingenToe()
{
    const TreeOptions o = session().treeOptions ? session().treeOptions() : TreeOptions{};
    m_TreeView1->setExpandsOnDoubleClick(!o.gblnTreeSingleSel);
    m_TreeView1->setProperty("singleSel", o.gblnTreeSingleSel);
    m_TreeView1->setRootIsDecorated(o.gblnTreePlusMin);
    QString style;
    if (!o.gblnTreeLines)
        style = QStringLiteral("QTreeView::branch { border-image: none; }");
    m_TreeView1->setStyleSheet(style);
    m_TreeView1->setProperty("treeStyle", (o.gblnTreeLines ? 4 : 0) + (o.gblnTreePlusMin ? 2 : 0) + 1);
}

} // namespace screens

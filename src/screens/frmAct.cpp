#include "screens/frmAct.h"

#include "screens/act_binding.h"
#include "screens/act_marking.h"
#include "screens/act_tree_fill.h"
#include "screens/field_validator.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"
#include "screens/session.h"

#include "checklist/checklist_view.h"
#include "records/clsAct.h"
#include "records/clsVoorz.h"
#include "records/codes.h"

#include "platform/core/error.h"
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
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace screens {

using records::SiteTree;
using SiteTreeNode = records::SiteTree::Node;

namespace {
const QString kActNew = records::kKeyActNew;

qint32 idUitKey(const QString &key, int from) { return key.mid(from).toInt(); }

void zetKleur(QWidget *w, qint32 vbColour)
{
    w->setProperty("foreColor", vbColour);
    const QColor c = ui::fromVbColor(vbColour);
    if (!c.isValid())
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

QMenu *popupAct()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = w->findChild<QMenu *>(QStringLiteral("popupAct")))
            return m;
    return nullptr;
}
} // namespace

// Writes runs of text with their looks at the end of the information box.
class InfoWriter {
public:
    explicit InfoWriter(QTextEdit *box) : m_cursor(box->document())
    {
        m_cursor.movePosition(QTextCursor::End);
        m_format.setFontPointSize(8);
    }
    InfoWriter &text(const QString &t)
    {
        m_cursor.insertText(QString(t).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), m_format);
        return *this;
    }
    InfoWriter &bold(bool on) { m_format.setFontWeight(on ? QFont::Bold : QFont::Normal); return *this; }
    InfoWriter &italic(bool on) { m_format.setFontItalic(on); return *this; }
    InfoWriter &size(int points) { m_format.setFontPointSize(points); return *this; }
    InfoWriter &kleur(qint32 vb) { m_format.setForeground(ui::fromVbColor(vb)); return *this; }
    InfoWriter &underlined(const QString &t)
    {
        m_format.setFontUnderline(true);
        text(t);
        m_format.setFontUnderline(false);
        return *this;
    }

private:
    QTextCursor m_cursor;
    QTextCharFormat m_format;
};

const QString CRLF = QStringLiteral("\r\n");

// ---- Loading ----------------------------------------------------------------

frmAct::frmAct() : Form(QStringLiteral("frmAct"))
{
    setWindowTitle(QStringLiteral(" Voorzieningen en kostenposten"));
    bouwScherm();
}

frmAct::~frmAct() = default;

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
    if (QWidget *area = Form::host())
        resize(width(), std::max(minimumSizeHint().height(), area->height() - twips(1200)));
    pSetKleur();
    PasTreeInstellingenToe();
    try {
        m_tree->clear();
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
    ui::resetCursor();
}

void frmAct::bouwScherm()
{
    // The screen keeps its width; its height follows the window.
    setFixedWidth(twips(14190));
    resize(twips(14190), 640);
    auto *root = new QVBoxLayout(this);
    lblFormTitel = new QLabel(QStringLiteral(" Voorzieningen en kostenposten"), this);
    lblFormTitel->setObjectName(QStringLiteral("lblFormTitel"));
    root->addWidget(lblFormTitel);

    auto *boven = new QHBoxLayout;
    root->addLayout(boven, 3);
    m_treeView = new QTreeWidget(this);
    m_treeView->setObjectName(QStringLiteral("TreeView1"));
    m_treeView->setHeaderHidden(true);
    m_treeView->setAcceptDrops(true);
    m_treeView->viewport()->setAcceptDrops(true);
    m_treeView->setDropIndicatorShown(true);
    m_treeView->setContextMenuPolicy(Qt::CustomContextMenu);
    m_treeView->installEventFilter(this);
    m_treeView->viewport()->installEventFilter(this);
    m_tree = std::make_unique<SiteTreeWidget>(m_treeView);
    boven->addWidget(m_treeView, 3);
    connect(m_treeView, &QTreeWidget::currentItemChanged, this, &frmAct::treeSelectionChanged);
    // A click on the node that is selected already shows it again (a new
    // item then gets its key).
    connect(m_treeView, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem *it) {
        m_pressedSelected = it == m_treeView->currentItem();
    });
    connect(m_treeView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *it) {
        if (m_pressedSelected && it == m_treeView->currentItem() && m_loaded && m_validator->ok())
            refresh(m_tree->key(SiteTreeWidget::node(it)));
        m_pressedSelected = false;
    });
    connect(m_treeView, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { showPopup(m_treeView->viewport()->mapToGlobal(pos)); });

    auto *rechts = new QVBoxLayout;
    boven->addLayout(rechts, 2);
    auto *picRubriek = new QGroupBox(QStringLiteral("Legenda"), this);
    picRubriek->setObjectName(QStringLiteral("picRubriek"));
    auto *legenda = new QGridLayout(picRubriek);
    for (int r = 1; r <= 6; ++r) {
        auto *icon = new QLabel(picRubriek);
        icon->setPixmap(actImage(r).pixmap(16, 16));
        legenda->addWidget(icon, (r - 1) / 3, ((r - 1) % 3) * 2);
        legenda->addWidget(new QLabel(records::rubriekNaam(r), picRubriek), (r - 1) / 3, ((r - 1) % 3) * 2 + 1);
    }
    rechts->addWidget(picRubriek);
    lblInfoUitChecklist = new QLabel(QStringLiteral("Informatie uit de QOR-checklist"), this);
    lblInfoUitChecklist->setObjectName(QStringLiteral("lblInfoUitChecklist"));
    rechts->addWidget(lblInfoUitChecklist);
    txtInfoChecklist = new QTextEdit(this);
    txtInfoChecklist->setObjectName(QStringLiteral("txtInfoChecklist"));
    txtInfoChecklist->setReadOnly(true);
    rechts->addWidget(txtInfoChecklist);

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
    knop(Command1, "Command1", QStringLiteral("&Bewerken"), QString());
    knoppen->addStretch();
    knop(cmdClose, "cmdClose", QStringLiteral("&Sluiten"), QString());
    connect(cmdTreeExpand, &QPushButton::clicked, this, [this] { expandAll(true); });
    connect(cmdTreeCollapse, &QPushButton::clicked, this, [this] { expandAll(false); });
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (!m_validator->ok())
            return;
        if (const SiteTree::Node n = m_tree->selected()) {
            m_tree->setExpanded(n, true);
            refresh(m_tree->key(n));
        }
        showPopup(mapToGlobal(QPoint(twips(4500), twips(500))));
    });
    connect(cmdClose, &QPushButton::clicked, this, [this] {
        if (m_validator->ok())
            unload();
    });

    tmrDropHighlightCorrectie = new QTimer(this);
    tmrDropHighlightCorrectie->setObjectName(QStringLiteral("tmrDropHighlightCorrectie"));
    tmrDropHighlightCorrectie->setInterval(100);
    connect(tmrDropHighlightCorrectie, &QTimer::timeout, this, &frmAct::tmrDropHighlightCorrectie_Timer);

    auto *kader = new QWidget(this);
    kader->setObjectName(QStringLiteral("picKaderDetail"));
    root->addWidget(kader, 2);
    m_validator = new FieldValidator(this);
    bouwPaneel(kader);
}

void frmAct::bouwPaneel(QWidget *kader)
{
    auto *layout = new QGridLayout(kader);
    const auto edit = [&](const QString &name, QWidget *parent, int maxLength = 64) {
        auto *e = new QLineEdit(parent);
        e->setObjectName(name);
        e->setMaxLength(maxLength);
        e->installEventFilter(this);
        return e;
    };
    const auto hidden = [&](const char *name, QWidget *parent) {
        QLineEdit *e = edit(QLatin1String(name), parent);
        e->setVisible(false);
        return e;
    };
    const auto opties = [&](QList<QRadioButton *> &group, const char *name, const QStringList &captions,
                            QWidget *parent) {
        auto *buttons = new QButtonGroup(parent);
        for (int i = 0; i < captions.size(); ++i) {
            auto *rb = new QRadioButton(captions[i], parent);
            rb->setObjectName(QLatin1String(name) + QLatin1Char('_') + QString::number(i + 1));
            buttons->addButton(rb, i + 1);
            group << rb;
        }
    };
    const auto label = [&](const char *name, const QString &text, QWidget *parent) {
        auto *l = new QLabel(text, parent);
        if (name)
            l->setObjectName(QLatin1String(name));
        return l;
    };

    // Heading
    auto *kop = new QHBoxLayout;
    shpBalkAct = new QFrame(kader);
    shpBalkAct->setObjectName(QStringLiteral("shpBalkAct"));
    shpBalkAct->setFixedSize(6, 20);
    shpBalkAct->setAutoFillBackground(true);
    kop->addWidget(shpBalkAct);
    lblPostVet = label("lblPostVet", QStringLiteral("Kostenpost:"), kader);
    QFont vet = lblPostVet->font();
    vet.setBold(true);
    lblPostVet->setFont(vet);
    lblPost = label("lblPost", QString(), kader);
    lblRubriek = label("lblRubriek", QStringLiteral("Valt onder rubriek ''"), kader);
    lblGeenPost = label("lblGeenPost", QStringLiteral("Selecteer (een deelfase van) een kostenpost."), kader);
    imgQOR = label("imgQOR", QString(), kader);
    imgFoutAnSich = label("imgFoutAnSich", QStringLiteral("!"), kader);
    imgFoutAnSich->setToolTip(QStringLiteral(
        "De ingevoerde gegevens zijn niet volledig. Dit kan voorkomen bij zowel QOR-checklistposten als door de "
        "gebruiker gedefinieerde posten. Zie rode markering."));
    zetKleur(imgFoutAnSich, act::kRood);
    imgFoutAnSich->setVisible(false);
    imgFoutAnSich->installEventFilter(this);
    imgQOR->installEventFilter(this);
    for (QWidget *w : {static_cast<QWidget *>(lblPostVet), static_cast<QWidget *>(lblPost),
                       static_cast<QWidget *>(lblRubriek), static_cast<QWidget *>(lblGeenPost),
                       static_cast<QWidget *>(imgQOR), static_cast<QWidget *>(imgFoutAnSich)})
        kop->addWidget(w);
    kop->addStretch();
    layout->addLayout(kop, 0, 0, 1, 4);

    // Frames
    const QStringList captions = {QStringLiteral("Toeslag vervanging"), QStringLiteral("Startjaar"),
                                  QStringLiteral("Eindjaar"), QString(), QStringLiteral("Periodiciteit"),
                                  QStringLiteral("Kosten per keer "), QString(), QString()};
    for (int i = 0; i < 8; ++i) {
        auto *g = new QGroupBox(captions[i], kader);
        g->setObjectName(QStringLiteral("grpFrames_") + QString::number(i));
        grpFrames << g;
    }

    // 0: replacement surcharge
    {
        QGroupBox *g = grpFrames[0];
        auto *l = new QGridLayout(g);
        opties(optVervangingsToeslag, "optVervangingsToeslag",
               {QStringLiteral("bovenafdichting"), QStringLiteral("groot werk      .....     %"),
                QStringLiteral("klein werk       .....     %")},
               g);
        for (int i = 0; i < 3; ++i)
            l->addWidget(optVervangingsToeslag[i], i, 0);
        txtVervangingsToeslagPerc = edit(QStringLiteral("txtVervangingsToeslagPerc"), g, 5);
        l->addWidget(txtVervangingsToeslagPerc, 1, 1);
        txtOptieVervangingsToeslag = hidden("txtOptieVervangingsToeslag", g);
    }
    // 1, 2: start and end year, each with its top-liner count
    const auto jaarFrame = [&](QGroupBox *g, QList<QRadioButton *> &group, const char *optName,
                               const QStringList &captions, QList<QLineEdit *> &jaren, const char *jaarName,
                               QCheckBox *&chk, const char *chkName, const QString &chkCaption, QLineEdit *&baBox,
                               const char *baName, QLineEdit *&optieBox, const char *optieName) {
        auto *l = new QGridLayout(g);
        opties(group, optName, captions, g);
        for (int i = 0; i < group.size(); ++i)
            l->addWidget(group[i], i, 0);
        for (int i = 0; i < 2; ++i) {
            jaren << edit(QLatin1String(jaarName) + QLatin1Char('_') + QString::number(i + 1), g);
            l->addWidget(jaren[i], i, 1);
        }
        chk = new QCheckBox(chkCaption, g);
        chk->setObjectName(QLatin1String(chkName));
        l->addWidget(chk, group.size(), 0);
        baBox = edit(QLatin1String(baName), g);
        baBox->setVisible(false);
        l->addWidget(baBox, group.size(), 1);
        optieBox = hidden(optieName, g);
    };
    jaarFrame(grpFrames[1], optStart, "optStart", {QStringLiteral("kalenderjaar"), QStringLiteral("nazorgjaar")},
              txtIntStartAct, "txtIntStartAct", chkStartBA, "chkStartBA",
              QStringLiteral(" ........  e  jaar na aanleg bovenafdichting"), txtStartBA, "txtStartBA", txtOptieStart,
              "txtOptieStart");
    jaarFrame(grpFrames[2], optEind, "optEind",
              {QStringLiteral("kalenderjaar"), QStringLiteral("nazorgjaar"), QStringLiteral("eeuwigdurend")},
              txtIntEindAct, "txtIntEindAct", chkEindBA, "chkEindBA",
              QStringLiteral("........   e  jaar na aanleg bovenafdichting"), txtEindBA, "txtEindBA", txtOptieEind,
              "txtOptieEind");
    // 3: unit
    {
        QGroupBox *g = grpFrames[3];
        auto *l = new QGridLayout(g);
        l->addWidget(label(nullptr, QStringLiteral("Eenheid"), g), 0, 0);
        txtEenheid = edit(QStringLiteral("txtEenheid"), g, 20);
        l->addWidget(txtEenheid, 0, 1);
        l->addWidget(label(nullptr, QStringLiteral("Aantal"), g), 1, 0);
        txtAantal = edit(QStringLiteral("txtAantal"), g);
        l->addWidget(txtAantal, 1, 1);
    }
    // 4: frequency
    {
        QGroupBox *g = grpFrames[4];
        auto *l = new QGridLayout(g);
        opties(optFreq, "optFreq",
               {QStringLiteral("eenmalige uitgave"), QStringLiteral("   ......      keer per jaar"),
                QStringLiteral("één keer per    .....   jaar")},
               g);
        for (int i = 0; i < 3; ++i)
            l->addWidget(optFreq[i], i, 0);
        txtfreqX = edit(QStringLiteral("txtfreqX"), g);
        l->addWidget(txtfreqX, 1, 1);
        txtOptieFreq = hidden("txtOptieFreq", g);
    }
    // 5: cost
    {
        QGroupBox *g = grpFrames[5];
        auto *l = new QGridLayout(g);
        opties(optKosten, "optKosten",
               {QStringLiteral("% van investering"), QStringLiteral("totaalbedrag"), QStringLiteral("per eenheid")}, g);
        for (int i = 0; i < 3; ++i)
            l->addWidget(optKosten[i], i, 0);
        auto *perc = new QHBoxLayout;
        txtKostenPerc = edit(QStringLiteral("txtKostenPerc"), g, 5);
        lblKostenInvest = label("lblKostenInvest", QStringLiteral(" % van"), g);
        txtKostenInvest = edit(QStringLiteral("txtKostenInvest"), g);
        perc->addWidget(txtKostenPerc);
        perc->addWidget(lblKostenInvest);
        perc->addWidget(txtKostenInvest);
        l->addLayout(perc, 0, 1);
        txtKostenTotaal = edit(QStringLiteral("txtKostenTotaal"), g);
        l->addWidget(txtKostenTotaal, 1, 1);
        txtKostenPE = edit(QStringLiteral("txtKostenPE"), g);
        l->addWidget(txtKostenPE, 2, 1);
        txtOptieKosten = hidden("txtOptieKosten", g);
    }
    // 6, 7: remark and reference
    {
        auto *l6 = new QVBoxLayout(grpFrames[6]);
        l6->addWidget(label(nullptr, QStringLiteral(" Opmerking/aantekening"), grpFrames[6]));
        txtActOpm = edit(QStringLiteral("txtActOpm"), grpFrames[6], 100);
        l6->addWidget(txtActOpm);
        auto *l7 = new QVBoxLayout(grpFrames[7]);
        l7->addWidget(label(nullptr, QStringLiteral(" Verwijzing nazorgplan"), grpFrames[7]));
        txtNazorgplanRef = edit(QStringLiteral("txtNazorgplanRef"), grpFrames[7], 50);
        l7->addWidget(txtNazorgplanRef);
    }
    layout->addWidget(grpFrames[1], 1, 0);
    layout->addWidget(grpFrames[2], 1, 1);
    layout->addWidget(grpFrames[4], 1, 2);
    layout->addWidget(grpFrames[5], 2, 0, 1, 2);
    layout->addWidget(grpFrames[3], 2, 2);
    layout->addWidget(grpFrames[0], 1, 3);
    layout->addWidget(grpFrames[6], 3, 0, 1, 2);
    layout->addWidget(grpFrames[7], 3, 2);

    chkCombineer = new QCheckBox(QStringLiteral("Opgenomen in combinatiepost"), kader);
    chkCombineer->setObjectName(QStringLiteral("chkCombineer"));
    layout->addWidget(chkCombineer, 2, 3);
    txtCombineer = hidden("txtCombineer", kader);
    txtIsQOR = hidden("txtIsQOR", kader);
    txtZin = new QTextEdit(kader);
    txtZin->setObjectName(QStringLiteral("txtZin"));
    txtZin->setReadOnly(true);
    txtZin->setMaximumHeight(60);
    layout->addWidget(txtZin, 4, 0, 1, 4);

    // The year, count and percentage boxes hold a few digits.
    for (QLineEdit *e : {txtIntStartAct[0], txtIntStartAct[1], txtStartBA, txtIntEindAct[0], txtIntEindAct[1],
                         txtEindBA, txtfreqX, txtVervangingsToeslagPerc})
        e->setMinimumWidth(56);

    // Wiring of the option groups and hidden boxes.
    const auto wireOpties = [&](QList<QRadioButton *> &group, QLineEdit *box) {
        for (int i = 0; i < group.size(); ++i)
            connect(group[i], &QRadioButton::clicked, this, [this, box, i] {
                optClick(box, i + 1);
                VerifyEnMarkeer();
            });
    };
    wireOpties(optStart, txtOptieStart);
    wireOpties(optEind, txtOptieEind);
    wireOpties(optFreq, txtOptieFreq);
    wireOpties(optKosten, txtOptieKosten);
    wireOpties(optVervangingsToeslag, txtOptieVervangingsToeslag);
    connect(txtOptieStart, &QLineEdit::textChanged, this, &frmAct::txtOptieStart_Change);
    connect(txtOptieEind, &QLineEdit::textChanged, this, &frmAct::txtOptieEind_Change);
    connect(txtOptieFreq, &QLineEdit::textChanged, this, &frmAct::txtOptieFreq_Change);
    connect(txtOptieKosten, &QLineEdit::textChanged, this, &frmAct::txtOptieKosten_Change);
    connect(txtOptieVervangingsToeslag, &QLineEdit::textChanged, this, &frmAct::txtOptieVervangingsToeslag_Change);
    connect(txtIsQOR, &QLineEdit::textChanged, this, &frmAct::txtIsQOR_Change);
    connect(txtCombineer, &QLineEdit::textChanged, this, &frmAct::txtCombineer_Change);
    connect(chkCombineer, &QCheckBox::clicked, this, &frmAct::chkCombineer_Click);
    for (QCheckBox *box : {chkStartBA, chkEindBA})
        connect(box, &QCheckBox::clicked, this, [this] {
            ZetCaptionsStartEind();
            VerifyEnMarkeer();
        });

    // Field checks before the focus leaves a box; the marking when it has.
    const auto markeer = [this](QWidget *) { VerifyEnMarkeer(); };
    for (QLineEdit *e : {txtIntStartAct[0], txtIntStartAct[1], txtStartBA, txtIntEindAct[0], txtIntEindAct[1],
                         txtEindBA, txtfreqX, txtKostenPerc, txtKostenInvest, txtKostenTotaal, txtKostenPE, txtAantal,
                         txtVervangingsToeslagPerc})
        m_validator->watch(e, [this](QWidget *f) { return valideerInvoervak(f); }, markeer);
    m_validator->watch(txtEenheid, [this](QWidget *f) { return valideerEenheid(f); }, markeer);
    for (QLineEdit *e : {txtActOpm, txtNazorgplanRef})
        m_validator->watch(e, [this](QWidget *f) { return schrijfTerug(f); });
}

void frmAct::psubSetBindingCollectie()
{
    m_binding = new BindingCollection(this);
    const QString twee = QStringLiteral("0.00");
    m_binding->add(txtOptieStart, QStringLiteral("bytOptieStart"));
    m_binding->add(txtIntStartAct[0], QStringLiteral("intStartAbs"));
    m_binding->add(txtIntStartAct[1], QStringLiteral("intStartRel"));
    m_binding->add(txtStartBA, QStringLiteral("intStartBA"));
    m_binding->add(chkStartBA, QStringLiteral("bytStartBA"));
    m_binding->add(txtOptieEind, QStringLiteral("bytOptieEind"));
    m_binding->add(txtIntEindAct[0], QStringLiteral("intEindAbs"));
    m_binding->add(txtIntEindAct[1], QStringLiteral("intEindRel"));
    m_binding->add(txtEindBA, QStringLiteral("intEindBA"));
    m_binding->add(chkEindBA, QStringLiteral("bytEindBA"));
    m_binding->add(txtOptieKosten, QStringLiteral("bytOptieKosten"), twee);
    m_binding->add(txtKostenInvest, QStringLiteral("sngKostenInvest"), twee);
    m_binding->add(txtKostenPerc, QStringLiteral("sngPercInvest"), twee);
    m_binding->add(txtKostenTotaal, QStringLiteral("sngKostenTotaal"), twee);
    m_binding->add(txtKostenPE, QStringLiteral("sngKostenPE"), twee);
    // The unit is a text: no number picture, so that a unit such as "100"
    // is not shown as "100,00".
    m_binding->add(txtEenheid, QStringLiteral("strEenheid"));
    m_binding->add(txtAantal, QStringLiteral("sngAantal"), QStringLiteral("0.0#"));
    m_binding->add(txtOptieFreq, QStringLiteral("bytOptieFreq"));
    m_binding->add(txtfreqX, QStringLiteral("intFreqX"));
    m_binding->add(txtOptieVervangingsToeslag, QStringLiteral("bytTypeVervangingsToeslag"));
    m_binding->add(txtVervangingsToeslagPerc, QStringLiteral("sngVervangingsToeslagPerc"), twee);
    m_binding->add(txtActOpm, QStringLiteral("strOpm"));
    m_binding->add(txtNazorgplanRef, QStringLiteral("strNazorgplanRef"));
    m_binding->add(txtIsQOR, QStringLiteral("bytIsQOR"));
    m_binding->add(txtCombineer, QStringLiteral("bytCombineer"), twee);
    m_binding->setDataSource(m_insAct.get());
}

void frmAct::pSetKleur()
{
    QPalette p = shpBalkAct->palette();
    p.setColor(QPalette::Window, ui::fromVbColor(m_kleurAct));
    shpBalkAct->setPalette(p);
    for (QWidget *w : {static_cast<QWidget *>(lblPost), static_cast<QWidget *>(lblPostVet),
                       static_cast<QWidget *>(lblRubriek), static_cast<QWidget *>(lblGeenPost)})
        zetKleur(w, m_kleurAct);
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

void frmAct::Form_Unload()
{
    // A text refused (or still to refuse) in the focused field is not
    // stored; the rest of the row is.
    if (QWidget *f = QApplication::focusWidget(); f && f->window() == window() && m_binding) {
        auto *edit = qobject_cast<QLineEdit *>(f);
        if (f == m_validator->refused() || (edit && !act::veldNaam(f->objectName(), false).isEmpty()
                                            && !act::isGeldigGetal(edit->text())))
            m_binding->setDataChanged(f, false);
    }
    if (m_loaded) {
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

void frmAct::commit()
{
    if (!m_insAct)
        return;
    try {
        m_binding->writeBackAll();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.pRefreshSubscherm")));
    }
    m_insAct->UpdateNu();
}

void frmAct::BewaarNieuweAct()
{
    if (m_selectedKey != kActNew || !m_insAct)
        return;
    commit();
    if (const SiteTree::Node n = m_tree->find(kActNew)) {
        const QString key = records::keyAct(m_insAct->idrAct_ID());
        try {
            m_tree->setKey(n, key);
            m_selectedKey = key;
        } catch (const platform::Error &e) {
            meldFout(e.withSource(QStringLiteral("frmAct.BewaarNieuweAct")));
        }
    }
}

void frmAct::refresh(const QString &key, bool blnDontChangeRecord)
{
    QString k = key;
    pRefreshSubscherm(k, blnDontChangeRecord);
}

void frmAct::pRefreshSubscherm(QString &strKlikNodeKey, bool blnDontChangeRecord)
{
    try {
        if (!blnDontChangeRecord) {
            commit();
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
            BewaarNieuweAct();
        }
        m_selectedKey = strKlikNodeKey;
        const SiteTree::Node node = m_tree->find(strKlikNodeKey);
        if (!node)
            return;
        if (m_tree->selected() != node)
            selectNode(node);
        m_treeView->scrollToItem(SiteTreeWidget::item(node));

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
            if (!blnDontChangeRecord)
                m_insAct->ActiveerID(idUitKey(strKlikNodeKey, 3));
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
}

void frmAct::ZetFramesZichtbaar(bool hide)
{
    const act::FramesLayout l =
        act::framesLayout(hide, chkCombineer->isChecked(), act::optieCode(txtOptieKosten->text()));
    for (int i = 0; i < 8; ++i)
        grpFrames[i]->setVisible(l.frame[i]);
    chkCombineer->setVisible(l.chkCombineer);
}

void frmAct::ToonGeenSelectie()
{
    txtZin->clear();
    txtInfoChecklist->clear();
    lblPost->setText(QStringLiteral("<geen selectie>"));
    lblRubriek->clear();
    lblGeenPost->setVisible(true);
    imgQOR->setVisible(false);
    imgFoutAnSich->setVisible(false);
}

void frmAct::ZetCaptionsStartEind()
{
    const bool eindBAWas = chkEindBA->isChecked();
    const act::StartEindLayout l = act::startEindLayout(chkStartBA->isChecked(), eindBAWas,
                                                        grpFrames[2]->isEnabled(),
                                                        act::optieCode(txtOptieEind->text()));
    txtStartBA->setVisible(l.txtStartBAVisible);
    optStart[0]->setText(l.optStart1);
    optStart[1]->setText(l.optStart2);
    if (l.chkEindBAEnabledSet)
        chkEindBA->setEnabled(l.chkEindBAEnabled);
    if (l.chkEindBAClear)
        chkEindBA->setChecked(false);
    for (QRadioButton *o : optEind)
        o->setVisible(l.optEindVisible);
    if (l.txtIntEind1)
        txtIntEindAct[0]->setVisible(*l.txtIntEind1);
    if (l.txtIntEind2)
        txtIntEindAct[1]->setVisible(*l.txtIntEind2);
    txtEindBA->setVisible(l.txtEindBAVisible);
}

// ---- Option groups ------------------------------------------------------------

void frmAct::optClick(QLineEdit *hidden, int index)
{
    if (act::optieCode(hidden->text()) == index)
        return;
    hidden->setText(QString::number(index));
    try {
        if (m_insAct && m_insAct->hasCurrentRow())
            m_insAct->ForceDirty();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.opt_Click")));
    }
}

void frmAct::zetNaastOptie(QLineEdit *box, QList<QRadioButton *> &group, int n)
{
    // The number box stands on the dots of the option's caption.
    auto *grid = qobject_cast<QGridLayout *>(box->parentWidget()->layout());
    if (!grid || n < 1 || n > group.size())
        return;
    grid->removeWidget(box);
    grid->addWidget(box, n - 1, 1);
}

void frmAct::selectOption(QList<QRadioButton *> &group, int n)
{
    if (n >= 1 && n <= group.size())
        group[n - 1]->setChecked(true);
}

void frmAct::clearOptions(QList<QRadioButton *> &group)
{
    QButtonGroup *g = group.first()->group();
    g->setExclusive(false);
    for (QRadioButton *o : group)
        o->setChecked(false);
    g->setExclusive(true);
}

void frmAct::txtOptieStart_Change()
{
    const auto n = act::optieCode(txtOptieStart->text());
    if (!n)
        return;
    selectOption(optStart, *n);
    txtIntStartAct[0]->setVisible(*n == 1);
    txtIntStartAct[1]->setVisible(*n == 2);
}

void frmAct::txtOptieEind_Change()
{
    const auto n = act::optieCode(txtOptieEind->text());
    if (!n)
        return;
    selectOption(optEind, *n);
    txtIntEindAct[0]->setVisible(*n == 1 && !chkEindBA->isChecked());
    txtIntEindAct[1]->setVisible(*n == 2 && !chkEindBA->isChecked());
}

void frmAct::txtOptieFreq_Change()
{
    const auto n = act::optieCode(txtOptieFreq->text());
    if (!n)
        return;
    selectOption(optFreq, *n);
    const act::FreqLayout l = act::freqLayout(*n, chkStartBA->isChecked(), chkEindBA->isChecked());
    grpFrames[2]->setEnabled(l.eindFrameEnabled);
    for (QRadioButton *o : optEind)
        o->setEnabled(l.eindFrameEnabled);
    if (l.eindEeuwigdurend) {
        // Selecting the option runs its click: the end option becomes 3.
        selectOption(optEind, 3);
        optClick(txtOptieEind, 3);
    }
    chkEindBA->setEnabled(l.chkEindBAEnabled);
    if (l.chkEindBAClear) {
        chkEindBA->setChecked(false);
        txtEindBA->setVisible(false);
    }
    grpFrames[1]->setTitle(l.startCaption);
    txtfreqX->setVisible(l.freqXVisible);
    zetNaastOptie(txtfreqX, optFreq, *n);
}

void frmAct::txtOptieKosten_Change()
{
    const auto n = act::optieCode(txtOptieKosten->text());
    if (!n)
        return;
    selectOption(optKosten, *n);
    const act::KostenLayout l = act::kostenLayout(*n, m_costItemSelected);
    txtKostenPerc->setVisible(l.percEnInvest);
    txtKostenInvest->setVisible(l.percEnInvest);
    lblKostenInvest->setVisible(l.percEnInvest);
    txtKostenTotaal->setVisible(l.totaal);
    txtKostenPE->setVisible(l.perEenheid);
    grpFrames[3]->setVisible(l.eenheidFrame);
}

void frmAct::txtOptieVervangingsToeslag_Change()
{
    const auto n = act::optieCode(txtOptieVervangingsToeslag->text());
    if (!n)
        return;
    try {
        switch (*n) {
        case 1:
            selectOption(optVervangingsToeslag, 1);
            txtVervangingsToeslagPerc->setVisible(false);
            if (act::optieCode(txtOptieKosten->text()) != 3)
                txtOptieKosten->setText(QStringLiteral("3"));
            if (txtEenheid->text() != QLatin1String("m2"))
                txtEenheid->setText(QStringLiteral("m2"));
            break;
        case 2:
            selectOption(optVervangingsToeslag, 2);
            if (m_cl)
                txtVervangingsToeslagPerc->setText(vb::CStr((m_cl->sngVervangingstoeslagGroteWerkenMax()
                                                             + m_cl->sngVervangingstoeslagGroteWerkenMin())
                                                            / 2));
            zetNaastOptie(txtVervangingsToeslagPerc, optVervangingsToeslag, 2);
            txtVervangingsToeslagPerc->setVisible(true);
            break;
        case 3:
            selectOption(optVervangingsToeslag, 3);
            if (m_cl)
                txtVervangingsToeslagPerc->setText(vb::CStr(m_cl->sngVervangingstoeslagKleineWerken()));
            zetNaastOptie(txtVervangingsToeslagPerc, optVervangingsToeslag, 3);
            txtVervangingsToeslagPerc->setVisible(true);
            break;
        default: // 0 and 7: no choice yet
            clearOptions(optVervangingsToeslag);
            txtVervangingsToeslagPerc->setVisible(false);
            break;
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.txtOptieVervangingsToeslag_Change")));
    }
    ZetVervangingsToeslagStatus();
}

void frmAct::txtIsQOR_Change()
{
    static const QString tips[] = {
        QStringLiteral("Dit is een door de gebruiker gedefinieerde post."),
        QStringLiteral("Dit is een post uit de QOR-Checklist."),
        QStringLiteral("Dit is een QOR-checklistpost, maar de ingevoerde gegevens voldoen niet aan de criteria. "
                       "Zie oranje markering.")};
    static const qint32 kleuren[] = {0, 32768, act::kOranje};
    const QString t = txtIsQOR->text();
    int picture = 0;
    if (t == QLatin1String("0"))
        picture = 1;
    else if (t == QLatin1String("1"))
        picture = 2;
    else if (t == QLatin1String("2"))
        picture = 3;
    else
        return;
    imgQOR->setProperty("picture", picture);
    imgQOR->setToolTip(tips[picture - 1]);
    imgQOR->setText(picture == 1 ? QStringLiteral("eigen post") : QStringLiteral("QOR"));
    zetKleur(imgQOR, kleuren[picture - 1]);
}

void frmAct::chkCombineer_Click()
{
    const int waarde = chkCombineer->isChecked() ? 1 : 0;
    const QString tekst = txtCombineer->text();
    if (tekst.isEmpty() || !act::isGeldigGetal(tekst) || vb::CDbl(tekst) != waarde) {
        txtCombineer->setText(QString::number(waarde));
        try {
            if (m_insAct && m_insAct->hasCurrentRow())
                m_insAct->ForceDirty();
        } catch (const platform::Error &e) {
            meldFout(e.withSource(QStringLiteral("frmAct.chkCombineer_Click")));
        }
    }
    ZetFramesZichtbaar(false);
    VerifyEnMarkeer();
}

void frmAct::txtCombineer_Change()
{
    const QString tekst = txtCombineer->text();
    if (tekst.isEmpty() || !act::isGeldigGetal(tekst))
        return;
    const int waarde = vb::CDbl(tekst) != 0 ? 1 : 0;
    if (waarde != (chkCombineer->isChecked() ? 1 : 0)) {
        chkCombineer->setChecked(waarde == 1);
        chkCombineer_Click();
    }
}

// ---- Field checks ---------------------------------------------------------------

bool frmAct::schrijfTerug(QWidget *field)
{
    try {
        m_binding->writeBack(field);
        return true;
    } catch (const platform::Error &e) {
        // A value the field cannot hold (too large for its column) is
        // refused like a text that is no number.
        m_binding->setDataChanged(field, false);
        const bool eenmalig = act::optieCode(txtOptieFreq->text()) == 1;
        QString naam = act::veldNaam(field->objectName(), eenmalig);
        if (naam.isEmpty())
            naam = field->objectName();
        ui::MsgBox(act::meldingOngeldigeInvoer(naam), ui::Buttons::OK, ui::Icon::Exclamation,
                   act::kTitelOngeldigeInvoer);
        return false;
    }
}

bool frmAct::valideerInvoervak(QWidget *field)
{
    auto *edit = qobject_cast<QLineEdit *>(field);
    if (!act::isGeldigGetal(edit->text())) {
        m_binding->setDataChanged(field, false);
        const bool eenmalig = act::optieCode(txtOptieFreq->text()) == 1;
        ui::MsgBox(act::meldingOngeldigeInvoer(act::veldNaam(field->objectName(), eenmalig)), ui::Buttons::OK,
                   ui::Icon::Exclamation, act::kTitelOngeldigeInvoer);
        return false;
    }
    return schrijfTerug(field);
}

bool frmAct::valideerEenheid(QWidget *field)
{
    auto *edit = qobject_cast<QLineEdit *>(field);
    if (edit->text().isEmpty()) {
        m_binding->setDataChanged(field, false);
        ui::MsgBox(act::kMeldingEenheid, ui::Buttons::OK, ui::Icon::Exclamation, act::kTitelEenheid);
        return false;
    }
    return schrijfTerug(field);
}

// ---- Marking ------------------------------------------------------------------

bool frmAct::gebruiktGediffToeslag() const
{
    try {
        return m_cl && m_cl->GebruikGedifferentieerdeToeslagB();
    } catch (const platform::Error &) {
        return false;
    }
}

bool frmAct::gaNaarClItem()
{
    const QVariant ref = m_insAct->Clitem_REF();
    return m_cl && !ref.isNull() && m_cl->GaNaarItem(ref.toInt());
}

void frmAct::VerifyEnMarkeer()
{
    if (!m_costItemSelected || !m_insAct || !m_cl || !m_insAct->hasCurrentRow())
        return;
    try {
        act::ActInvoer in;
        in.optieStart = txtOptieStart->text();
        in.startAbs = txtIntStartAct[0]->text();
        in.startRel = txtIntStartAct[1]->text();
        in.startBAJaar = txtStartBA->text();
        in.startBA = chkStartBA->isChecked();
        in.optieEind = txtOptieEind->text();
        in.eindAbs = txtIntEindAct[0]->text();
        in.eindRel = txtIntEindAct[1]->text();
        in.eindBAJaar = txtEindBA->text();
        in.eindBA = chkEindBA->isChecked();
        in.optieKosten = txtOptieKosten->text();
        in.kostenPerc = txtKostenPerc->text();
        in.kostenInvest = txtKostenInvest->text();
        in.kostenTotaal = txtKostenTotaal->text();
        in.kostenPE = txtKostenPE->text();
        in.eenheid = txtEenheid->text();
        in.aantal = txtAantal->text();
        in.optieFreq = txtOptieFreq->text();
        in.freqX = txtfreqX->text();
        in.optieToeslag = txtOptieVervangingsToeslag->text();
        in.toeslagPerc = txtVervangingsToeslagPerc->text();
        in.combineer = chkCombineer->isChecked();
        act::ActRij rij;
        rij.isQOR = m_insAct->IsQOR();
        rij.clitemRef = m_insAct->Clitem_REF();
        rij.rubriek = m_insAct->bytRubriek_REF();

        const SiteTree::Node node = m_tree->selected();
        const bool laterPhase = node && m_tree->text(node).startsWith(QLatin1Char('{'));
        const act::Markering m = act::VerifyEnMarkeer(in, rij, *m_cl, laterPhase, m_kleurAct);
        for (int i = 0; i < 8; ++i)
            if (m.frameKleur[i])
                zetKleur(grpFrames[i], *m.frameKleur[i]);
        if (node)
            m_tree->setForeColor(node, m.nodeKleur);
        imgFoutAnSich->setVisible(!m.compleet);
        if (m.isQOR)
            txtIsQOR->setText(*m.isQOR);

        const auto code = [](const QLineEdit *box) { return act::optieCode(box->text()).value_or(0); };
        txtZin->setPlainText(m_insAct->BeschrijvingInZin(m.gecombineerd, m.compleet, code(txtOptieStart),
                                                         code(txtOptieEind), std::uint8_t(code(txtOptieKosten)),
                                                         code(txtOptieFreq), chkStartBA->isChecked() ? 1 : 0,
                                                         chkEindBA->isChecked() ? 1 : 0));
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.VerifyEnMarkeer")));
    }
}

void frmAct::strToelichtingVervangingsToeslag(InfoWriter &w)
{
    if (!gebruiktGediffToeslag())
        return;
    const int type = m_insAct->bytTypeVervangingsToeslag();
    if (type == 0)
        return;
    w.underlined(QStringLiteral("Toeslag vervanging:"));
    if (type == 1)
        w.text(QStringLiteral(" Over deze vervangingspost berekent TAVIR de toeslag 'Bovenafdichting' voor ontwerp, "
                              "directievoering en toezicht o.b.v. het aantal m2, conform bijlage 2 paragraaf 1.8 uit "
                              "de Checklist.")
               + CRLF + CRLF);
    else if (type == 2 || type == 3 || type == 7)
        w.text(QStringLiteral(" Op deze vervangingspost is een toeslag voor directievoering en toezicht van "
                              "toepassing. Deze kan liggen tussen 5% voor een klein werk tot 6-6,5% voor een groot "
                              "werk. Zie Checklistbijlage 2, paragraaf 1.8, alinea 'Grote werken'.")
               + CRLF + CRLF);
}

void frmAct::strInfoChecklistpost()
{
    txtInfoChecklist->clear();
    if (!m_insAct || !m_cl)
        return;
    InfoWriter w(txtInfoChecklist);
    if (m_insAct->IsQOR() == 0) {
        emit eCLPostSelected(0);
        txtInfoChecklist->clear();
        InfoWriter own(txtInfoChecklist);
        own.bold(true).text(QStringLiteral("< dit is geen post uit de QOR-checklist >") + CRLF + CRLF).bold(false);
        if (m_insAct->bytRubriek_REF() == 5 && gebruiktGediffToeslag())
            strToelichtingVervangingsToeslag(own);
        return;
    }
    const QString ref = vb::CStr(m_insAct->Clitem_REF());
    if (!gaNaarClItem()) {
        w.kleur(act::kRood)
            .text(QStringLiteral("Checklistpost ") + ref + QStringLiteral(" is niet (meer) aanwezig onder nr ") + ref
                  + QStringLiteral(" in de checklist.")
                  + QStringLiteral("Dit is het gevolg van tussentijds onderhoud van de checklist tijdens de looptijd "
                                   "van het project. Deze melding komt niet voor in de eindversie.")
                  + CRLF + QStringLiteral("Verwijder dit item."))
            .kleur(act::kZwart);
        emit eCLPostSelected(0);
        return;
    }
    const qint32 id = m_cl->lngCLitem_ID();
    w.underlined(QStringLiteral("Checklistitem-ID:")).text(QStringLiteral(" ") + QString::number(id) + CRLF + CRLF);
    w.underlined(QStringLiteral("Periodiciteit:")).text(QStringLiteral(" ") + m_cl->strFreqXtoelichting() + CRLF);
    w.underlined(QStringLiteral("Kosten:")).text(QStringLiteral(" ") + m_cl->strKostenToelichtingEx() + CRLF + CRLF);
    if (m_cl->bytOptieFreq() != 1) {
        w.underlined(QStringLiteral("Startjaar:")).text(QStringLiteral(" ") + m_cl->strStartJaarToelichting() + CRLF);
        w.underlined(QStringLiteral("Eindjaar:"))
            .text(QStringLiteral(" ") + m_cl->strEindJaarToelichting() + CRLF + CRLF);
    } else {
        w.underlined(QStringLiteral("Jaar eenmalige uitgave:") + CRLF)
            .text(QStringLiteral(" ") + m_cl->strStartJaarToelichting() + CRLF + CRLF);
    }
    if (m_cl->blnIsCombinatiePost())
        w.underlined(QStringLiteral("Combinatie:"))
            .text(QStringLiteral(" Deze post is een combinatiepost.") + CRLF + CRLF);
    if (m_cl->blnCombinatieMogelijk())
        w.underlined(QStringLiteral("Combinatie:"))
            .text(QStringLiteral(" Deze post mag u combineren met andere posten in een zgn. combinatiepost.") + CRLF
                  + CRLF);
    strToelichtingVervangingsToeslag(w);
    const QVariant toelichting = m_cl->Toelichting();
    w.underlined(QStringLiteral("Toelichting:") + CRLF)
        .text((toelichting.isNull() ? QStringLiteral("..") : toelichting.toString()) + CRLF + CRLF);
    const QVariant ref2 = m_cl->RefDeelonderz();
    w.italic(true).text(QStringLiteral("Referentie deelonderzoek:") + CRLF).italic(false);
    w.text((ref2.isNull() ? QStringLiteral("..") : ref2.toString()) + CRLF);
    w.size(7).text(m_cl->strVoetnotenToelichting());
    w.size(7).text(CRLF + m_cl->VoetNootFasering());
    emit eCLPostSelected(id);
}

void frmAct::ZetVervangingsToeslagStatus()
{
    if (!m_insAct || !m_insAct->hasCurrentRow())
        return;
    try {
        const int isQOR = m_insAct->IsQOR();
        std::optional<int> clType;
        bool combinatie = false;
        if (isQOR != 0 && gaNaarClItem()) {
            clType = m_cl->bytTypeVervangingsToeslag();
            combinatie = m_cl->blnCombinatieMogelijk();
        }
        const act::ToeslagStatus s =
            act::toeslagStatus(isQOR, gebruiktGediffToeslag(), m_insAct->bytRubriek_REF(),
                               act::optieCode(txtOptieVervangingsToeslag->text()), clType, combinatie);
        if (s.changed) {
            grpFrames[0]->setEnabled(s.frame);
            for (int i = 0; i < 3; ++i)
                optVervangingsToeslag[i]->setEnabled(s.option[i]);
        } else {
            ui::MsgBox(QStringLiteral("Onbekende optie"), ui::Buttons::OK, ui::Icon::Critical,
                       QStringLiteral("Fout toeslagtype"));
        }
        optKosten[0]->setEnabled(!s.bovenafdichting);
        optKosten[1]->setEnabled(!s.bovenafdichting);
        txtEenheid->setEnabled(!s.bovenafdichting);
        if (chkCombineer->isEnabled() != s.combinatieMogelijk)
            chkCombineer->setEnabled(s.combinatieMogelijk);
        if (!chkCombineer->isEnabled() && chkCombineer->isChecked()) {
            chkCombineer->setChecked(false);
            chkCombineer_Click();
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.ZetVervangingsToeslagStatus")));
    }
}

// ---- Tree -------------------------------------------------------------------------

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
    if (!m_validator->ok()) {
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
    if (!m_validator->ok())
        return;
    if (const SiteTree::Node n = m_tree->selected())
        refresh(m_tree->key(n));
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
        if (auto *edit = qobject_cast<QLineEdit *>(watched)) {
            if ((ke->modifiers() & Qt::KeypadModifier) && ke->text() == QLatin1String(".")) {
                edit->insert(QStringLiteral(","));
                return true;
            }
        }
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
        if (!m_validator->ok() || !m_voorz)
            return;
        QString naam = ui::InputBox(QStringLiteral("Naam voorziening:"), QStringLiteral("Nieuwe voorziening"));
        naam = naam.left(100);
        if (naam.isEmpty())
            return;
        const SiteTree::Node n = m_tree->selected();
        if (!n || !m_tree->key(n).startsWith(QLatin1String("objcat")))
            return;
        BewaarNieuweAct();
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
        if (!m_validator->ok() || !m_insAct || !m_costItemSelected)
            return;
        BewaarNieuweAct();
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
        if (!m_validator->ok())
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
            if (!naam.isEmpty()) {
                if (m_voorz->HernoemVoorzNaam(naam))
                    m_tree->setText(n, naam);
                refresh(m_tree->key(n), true);
            }
        } else if (m_costItemSelected && m_insAct) {
            BewaarNieuweAct();
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
        if (!m_validator->ok())
            return;
        // A new item is saved and keyed first, so that its row can be found.
        BewaarNieuweAct();
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
            const QString vraag = metFases ? QStringLiteral("Wilt u kostenpost '") + text
                                                 + QStringLiteral("' en alle onderliggende deelfases verwijderen?")
                                           : QStringLiteral("Wilt u kostenpost '") + text
                                                 + QStringLiteral("' verwijderen?");
            if (ui::MsgBox(vraag, ui::Buttons::YesNo, ui::Icon::Question, QStringLiteral("Verwijderen"))
                == ui::Answer::Yes) {
                selectNode(parent);
                refresh(m_tree->key(parent));
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
                refresh(m_tree->key(parent));
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
        } else if (m_insAct && m_validator->ok()) {
            BewaarNieuweAct();
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

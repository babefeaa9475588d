#include "screens/frmVersiebeheer.h"
#include "screens/layout_helpers.h"

#include "screens/frmAlgemeen.h"
#include "screens/session.h"

#include "checklist/clsCL.h"
#include "checklist/report_text.h"
#include "checklist/version_comparison.h"
#include "checklist/version_move.h"
#include "records/clsStort.h"

#include "platform/core/error.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/vb_color.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace screens {

namespace {

QWidget *tab(QTabWidget *tabs, const QString &titel, std::initializer_list<QWidget *> widgets)
{
    auto *page = new QWidget(tabs);
    auto *layout = new QVBoxLayout(page);
    for (QWidget *w : widgets) {
        w->setParent(page);
        layout->addWidget(w);
    }
    tabs->addTab(page, titel);
    return page;
}

QLabel *label(const char *name, const QString &tekst)
{
    auto *l = named<QLabel>(nullptr, name, tekst);
    l->setWordWrap(true);
    return l;
}

QTextEdit *rapBox(const char *name)
{
    auto *box = new QTextEdit;
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    return box;
}

} // namespace

frmVersiebeheer::frmVersiebeheer() : Form(QStringLiteral("frmVersiebeheer"))
{
    setWindowTitle(QStringLiteral("Actualiseren QOR-checklistversie"));
    auto *layout = new QVBoxLayout(this);
    Label5 = label("Label5", QStringLiteral("Actualiseer naar checklistversie:"));
    layout->addWidget(Label5);
    lst1 = new QTreeWidget(this);
    lst1->setObjectName(QStringLiteral("lst1"));
    lst1->setRootIsDecorated(false);
    lst1->setMaximumHeight(110);
    layout->addWidget(lst1);
    Label6 = label("Label6", QStringLiteral("In onderstaande tabbladen wordt aangegeven wat het verschil is tussen de "
                                            "momenteel actieve checklist en de checklist die u nu wenst te "
                                            "activeren."));
    layout->addWidget(Label6);

    SSTab1 = new QTabWidget(this);
    showAllTabs(SSTab1);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    lblToegevoegd = label("lblToegevoegd", QStringLiteral("Toegevoegde checklistposten:"));
    txtRapToegevoegd = rapBox("txtRapToegevoegd");
    lblVerwijderd = label("lblVerwijderd", QStringLiteral("Verwijderde checklistposten:"));
    txtRapVerwijderd = rapBox("txtRapVerwijderd");
    tab(SSTab1, QStringLiteral("Toegevoegd en verwijderd"),
        {lblToegevoegd, txtRapToegevoegd, lblVerwijderd, txtRapVerwijderd});
    lblGewijzigd = label("lblGewijzigd", QStringLiteral("Gewijzigde checklistposten:"));
    txtRapGewijzigd = rapBox("txtRapGewijzigd");
    tab(SSTab1, QStringLiteral("Gewijzigd"), {lblGewijzigd, txtRapGewijzigd});
    Label4 =
        label("Label4", QStringLiteral("Consequenties voor reeds ingevoerde kostenposten van de momenteel geopende "
                                       "inrichting."));
    txtRapAct = rapBox("txtRapAct");
    tab(SSTab1, QStringLiteral("Consequenties voor ingevoerde kostenposten"), {Label4, txtRapAct});
    layout->addWidget(SSTab1, 1);

    auto *knoppen = new QHBoxLayout;
    cmdOK = new QPushButton(QStringLiteral("&Voer wijziging door"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    setCancelButton(cmdCancel);
    knoppen->addStretch();
    knoppen->addWidget(cmdOK);
    knoppen->addWidget(cmdCancel);
    layout->addLayout(knoppen);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] { frame()->raise(); });

    connect(lst1, &QTreeWidget::itemClicked, this, [this] { lst1_ItemClick(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmVersiebeheer::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmVersiebeheer::cmdCancel_Click);
    resize(640, 560);
}

frmVersiebeheer *frmVersiebeheer::load()
{
    if (auto *f = Form::loaded<frmVersiebeheer>())
        return f;
    auto *f = new frmVersiebeheer;
    f->loadForm();
    f->Timer1->start();
    f->moveFrame(twips(100), twips(100));
    f->Form_Load();
    return f;
}

void frmVersiebeheer::Form_Load()
{
    VulLijstNieuwereVersies();
}

bool frmVersiebeheer::NieuwereChecklistBeschikbaar() const
{
    return lst1->topLevelItemCount() > 0;
}

void frmVersiebeheer::VulLijstNieuwereVersies()
{
    lst1->setColumnCount(1);
    lst1->setHeaderLabels({QStringLiteral("versie")});
    lst1->header()->resizeSection(0, qMax(0, lst1->width() - twips(100)));

    const calc::Context ctx = currentContext();
    qint32 stortType = 0;
    {
        records::clsStort stort(ctx);
        stort.initializeStort(ctx.glngStortID);
        stortType = stort.intStortType();
    }
    lst1->clear();
    for (const checklist::NieuwereVersie &v : checklist::NieuwereVersies(ctx.gstrConnCL, stortType, ctx.gintCL_ID)) {
        auto *item = new QTreeWidgetItem(lst1, {v.tekst});
        item->setData(0, Qt::UserRole, v.key);
    }
    if (lst1->topLevelItemCount() > 0) {
        lst1->setCurrentItem(lst1->topLevelItem(0));
        InitRapOpmaak();
        VergelijkChecklists();
        frame()->show();
        lst1->setFocus();
    }
}

void frmVersiebeheer::InitRapOpmaak()
{
    for (QTextEdit *box : {txtRapVerwijderd, txtRapGewijzigd, txtRapToegevoegd, txtRapAct}) {
        box->clear();
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(8);
        box->document()->setDefaultFont(font);
        box->setLineWrapMode(QTextEdit::WidgetWidth);
    }
}

void frmVersiebeheer::lst1_ItemClick()
{
    // The list shows its new selection before the report is built.
    QCoreApplication::processEvents();
    try {
        VergelijkChecklists();
    } catch (const platform::Error &e) {
        ui::resetCursor();
        meldFout(e.withSource(QStringLiteral("frmVersiebeheer.VergelijkChecklists")));
    }
}

void frmVersiebeheer::VergelijkChecklists()
{
    QTreeWidgetItem *item = lst1->currentItem();
    if (!item)
        return;
    ui::BusyCursor busy;
    const qint32 id = checklist::versieIdUitKey(item->data(0, Qt::UserRole).toString());
    const checklist::VersieVergelijking v = checklist::VergelijkChecklists(currentContext(), id, item->text(0));
    lblGewijzigd->setText(v.lblGewijzigd);
    lblToegevoegd->setText(v.lblToegevoegd);
    lblVerwijderd->setText(v.lblVerwijderd);
    toonRapport(txtRapVerwijderd, v.txtRapVerwijderd);
    toonRapport(txtRapGewijzigd, v.txtRapGewijzigd);
    toonRapport(txtRapToegevoegd, v.txtRapToegevoegd);
    toonRapport(txtRapAct, v.txtRapAct);
}

void frmVersiebeheer::toonRapport(QTextEdit *box, const checklist::RapTekst &tekst)
{
    box->clear();
    QTextCursor cursor(box->document());
    QTextBlockFormat blok;
    blok.setLeftMargin(twips(tekst.inspringing()));
    cursor.setBlockFormat(blok);
    QTextList *lijst = nullptr;
    const auto zetOpsomming = [&](bool aan) {
        const bool inLijst = cursor.block().textList() != nullptr;
        if (aan && !inLijst) {
            if (lijst)
                lijst->add(cursor.block());
            else
                lijst = cursor.createList(QTextListFormat::ListDisc);
        } else if (!aan && inLijst) {
            cursor.block().textList()->remove(cursor.block());
            cursor.setBlockFormat(blok);
        }
    };
    for (const checklist::RapStuk &stuk : tekst.stukken()) {
        QTextCharFormat teken;
        teken.setForeground(ui::fromVbColor(stuk.opmaak.kleur));
        teken.setFontPointSize(stuk.opmaak.grootte);
        teken.setFontWeight(stuk.opmaak.vet ? QFont::Bold : QFont::Normal);
        teken.setFontStrikeOut(stuk.opmaak.doorgehaald);
        const QStringList regels = stuk.tekst.split(QStringLiteral("\r\n"));
        for (int i = 0; i < regels.size(); ++i) {
            if (i > 0) {
                cursor.insertBlock(blok);
            }
            // A paragraph takes the bullet of the text that lands in it; one
            // that a line break has just opened waits for its text, so that
            // the end of a bulleted group shows no empty bullet line.
            const bool geopend = i > 0 && i == regels.size() - 1;
            if (!regels[i].isEmpty() || (cursor.block().text().isEmpty() && !geopend))
                zetOpsomming(stuk.opmaak.opsomming);
            cursor.insertText(regels[i], teken);
        }
    }
    box->moveCursor(QTextCursor::Start);
}

void frmVersiebeheer::cmdCancel_Click()
{
    unload();
}

void frmVersiebeheer::cmdOK_Click()
{
    QTreeWidgetItem *item = lst1->currentItem();
    if (!item)
        return;
    const calc::Context ctx = currentContext();
    const qint32 id = checklist::versieIdUitKey(item->data(0, Qt::UserRole).toString());
    const QString versie = item->text(0);
    ui::setBusyCursor();
    try {
        float f = 1.0f;
        {
            checklist::clsCL nieuw(checklist::checklistContext(ctx));
            nieuw.initializeCL(id);
            records::clsStort stort(ctx);
            stort.initializeStort(ctx.glngStortID);
            f = checklist::PrijspeilFactor(stort.JaarPrijsPeil(), nieuw);
        }
        const ui::Answer antwoord = ui::MsgBox(
            checklist::BevestigingWijzigen(versie, ctx.gstrNaamStort, f), ui::Buttons::YesNo, ui::Icon::Question,
            QStringLiteral("Bevestiging wijzigen checklistkeuze"), ui::DefaultButton::Second);
        if (antwoord == ui::Answer::Yes) {
            // The general-data screen is bound to the site row: it goes first
            // and comes back once the move is done (or undone).
            if (auto *algemeen = Form::loaded<frmAlgemeen>())
                algemeen->unload();
            try {
                checklist::VerplaatsNaarVersie(ctx, id, f);
            } catch (const platform::Error &e) {
                ui::resetCursor();
                meldFout(e);
            }
            if (session().leesHuidigeStort)
                session().leesHuidigeStort();
            frmAlgemeen::load();
        }
    } catch (const platform::Error &e) {
        ui::resetCursor();
        meldFout(e.withSource(QStringLiteral("frmVersiebeheer.cmdOK_Click")));
    }
    ui::resetCursor();
    unload();
}

} // namespace screens

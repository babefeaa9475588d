#include "screens/frmTonnage.h"

#include "screens/form_load.h"
#include "screens/frmTonnage_rules.h"
#include "screens/session.h"

#include "platform/core/error.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace screens {

namespace {

constexpr int kKolomStort = 2;

bool isEnterOfOmlaag(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Down)
           && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The control that Tab (or Shift+Tab) reaches from `from`.
QWidget *volgendeTabStop(QWidget *from, bool vooruit)
{
    for (QWidget *w = vooruit ? from->nextInFocusChain() : from->previousInFocusChain(); w && w != from;
         w = vooruit ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (w->window() == from->window() && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()
            && !w->focusProxy())
            return w;
    }
    return nullptr;
}

// Enter and Down move on to the next cell as Tab does. Tab from the last
// cell (the new line's last column) and Shift+Tab from the first leave the
// grid for the controls beside it, so that the keyboard reaches "Sluiten";
// coming back, Tab starts at the first cell and Shift+Tab at the last.
class EnterAlsTab : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (isEnterOfOmlaag(event)) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(watched, &tab);
            return true;
        }
        auto *grid = qobject_cast<QTableWidget *>(watched);
        if (grid && event->type() == QEvent::FocusIn) {
            // Tab comes in at the first cell, Shift+Tab at the last.
            const Qt::FocusReason reden = static_cast<QFocusEvent *>(event)->reason();
            if (reden == Qt::TabFocusReason && grid->rowCount() > 0)
                grid->setCurrentCell(0, 0);
            else if (reden == Qt::BacktabFocusReason && grid->rowCount() > 0)
                grid->setCurrentCell(grid->rowCount() - 1, kKolomStort - 1);
        }
        if (!grid || event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto *key = static_cast<QKeyEvent *>(event);
        const bool vooruit = key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier;
        const bool terug =
            key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ShiftModifier);
        const QModelIndex cel = grid->currentIndex();
        if ((!vooruit && !terug) || !cel.isValid())
            return QObject::eventFilter(watched, event);
        const bool aanRand = vooruit ? cel.row() == grid->rowCount() - 1 && cel.column() == kKolomStort - 1
                                     : cel.row() == 0 && cel.column() == 0;
        QWidget *naast = aanRand ? volgendeTabStop(grid, vooruit) : nullptr;
        if (!naast)
            return QObject::eventFilter(watched, event);
        naast->setFocus(vooruit ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
};

// Hands a typed cell to the screen before anything is written.
class CelDelegate : public QStyledItemDelegate {
public:
    CelDelegate(frmTonnage *form, QObject *parent) : QStyledItemDelegate(parent), m_form(form) {}

    // In a cell being typed, Enter and Down leave it as Tab does.
    bool eventFilter(QObject *editor, QEvent *event) override
    {
        if (!isEnterOfOmlaag(event))
            return QStyledItemDelegate::eventFilter(editor, event);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        return QStyledItemDelegate::eventFilter(editor, &tab);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *edit = qobject_cast<QLineEdit *>(editor);
        if (!edit)
            return;
        const QString tekst = edit->text();
        if (tekst == model->data(index).toString())
            return; // unchanged: nothing to check or write
        if (!m_form->schrijfCel(index.row(), index.column(), tekst)) {
            // The grid stays on the refused cell with its old value, and
            // keeps the keyboard: what is typed next is the cell's new
            // value (the box took the focus; the closed editor would hand
            // it on to the next control).
            auto *view = qobject_cast<QAbstractItemView *>(parent());
            QTimer::singleShot(0, view, [view, index] {
                if (!view)
                    return;
                view->setCurrentIndex(index);
                view->setFocus(Qt::OtherFocusReason);
            });
        }
    }

private:
    frmTonnage *m_form;
};

QString celTekst(const QVariant &v)
{
    return vb::CStr(v);
}

} // namespace

frmTonnage::frmTonnage() : Form(QStringLiteral("frmTonnage"))
{
    setWindowTitle(QStringLiteral("Prognose afvalaanbod"));
    auto *layout = new QVBoxLayout(this);

    auto *label1 =
        new QLabel(QStringLiteral("Voer het geprognotiseerde afvalaanbod in voor die kalenderjaren waarop de "
                                  "uit te rekenen heffing van toepassing is."),
                   this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    layout->addWidget(label1);

    DataGrid1 = new QTableWidget(0, 3, this);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("Kalenderjaar"), QStringLiteral("Aantal kiloton"), QStringLiteral("lngStort_REF")});
    DataGrid1->setItemDelegate(new CelDelegate(this, DataGrid1));
    DataGrid1->installEventFilter(new EnterAlsTab(DataGrid1));
    DataGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                               | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    DataGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DataGrid1->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(DataGrid1);

    lblTotaal = new QLabel(this);
    lblTotaal->setObjectName(QStringLiteral("lblTotaal"));
    layout->addWidget(lblTotaal);

    cmdOK = new QPushButton(QStringLiteral("&Sluiten"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    connect(cmdOK, &QPushButton::clicked, this, &frmTonnage::cmdOK_Click);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] { frame()->raise(); });

    resize(360, 360);
}

frmTonnage::~frmTonnage() = default;

frmTonnage *frmTonnage::load()
{
    if (auto *f = Form::loaded<frmTonnage>())
        return f;
    auto *f = geladenOfGemeld(
        new frmTonnage, [](frmTonnage *n) { n->Form_Load(); }, "frmTonnage.Form_Load");
    if (!f)
        return nullptr;
    f->loadForm();
    f->Timer1->start();
    return f;
}

void frmTonnage::Form_Load()
{
    const calc::Context ctx = currentContext();
    m_lngStortID = ctx.glngStortID;
    m_invoer = std::make_unique<TonnageInvoer>(ctx, m_lngStortID);
    DataGrid1->setColumnHidden(kKolomStort, true);
    vulGrid();
    psubToonTotaal();
}

void frmTonnage::vulGrid()
{
    const int rijen = m_invoer->rijen();
    DataGrid1->setRowCount(0);
    for (int r = 0; r <= rijen; ++r)
        toonRij(r);
}

void frmTonnage::toonRij(int rij)
{
    // The last line is the new line; once it holds a row, a new one follows.
    if (rij >= DataGrid1->rowCount())
        DataGrid1->insertRow(rij);
    const bool isRij = rij < m_invoer->rijen();
    for (int k = 0; k < 2; ++k) {
        const QString tekst = celTekst(m_invoer->waarde(rij, k));
        if (auto *item = DataGrid1->item(rij, k))
            item->setText(tekst);
        else
            DataGrid1->setItem(rij, k, new QTableWidgetItem(tekst));
    }
    // The hidden column carries the site of every row.
    auto *stort = new QTableWidgetItem(isRij ? QString::number(m_lngStortID) : QString());
    stort->setFlags(stort->flags() & ~Qt::ItemIsEditable);
    DataGrid1->setItem(rij, kKolomStort, stort);
    if (isRij && rij == DataGrid1->rowCount() - 1)
        toonRij(rij + 1);
}

bool frmTonnage::schrijfCel(int rij, int kolom, const QString &tekst)
{
    // A cell still open when the window goes is not written any more.
    if (!m_invoer || !m_invoer->schrijfCel(rij, kolom, tekst))
        return false;
    toonRij(rij);
    psubToonTotaal();
    return true;
}

void frmTonnage::psubToonTotaal()
{
    lblTotaal->setText(m_invoer->totaalTekst());
}

void frmTonnage::cmdOK_Click()
{
    try {
        if (!m_invoer->valideer()) {
            ui::MsgBox(QStringLiteral("U heeft geen aaneengesloten reeks jaartallen opgegeven, een jaartal twee maal "
                                      "ingevoerd, of een 'lege waarde' voor een jaartal ingevoerd.")
                           + QStringLiteral("\r\nCorrigeer uw invoer."),
                       ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Controle invoer"));
            return;
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmTonnage.cmdOK_Click")));
        return;
    }
    m_viaOK = true;
    if (!unload())
        m_viaOK = false;
}

bool frmTonnage::QueryUnload()
{
    if (m_viaOK)
        return true;
    ui::MsgBox(QStringLiteral("Gebruik in verband met de datavalidatie de OK-knop om het venster te sluiten"),
               ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Sluiten formulier"));
    return false;
}

void frmTonnage::Form_Unload()
{
    Timer1->stop();
    try {
        m_invoer->bewaar();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmTonnage.Form_Unload")));
    }
    m_invoer.reset();
}

} // namespace screens

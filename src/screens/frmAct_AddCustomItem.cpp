#include "screens/frmAct_AddCustomItem.h"

#include "screens/frmAct.h"
#include "screens/session.h"
#include "screens/site_tree_widget.h"

#include "records/clsAct.h"
#include "records/codes.h"

#include "platform/core/error.h"
#include "platform/db/jet_collation.h"
#include "platform/ui/dialogs.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace screens {

namespace {
const QString kBestaatAl = QStringLiteral("Een kostenpost met deze naam bestaat al bij deze voorziening.\r\n"
                                          "Voer een andere naam in.");
}

frmAct_AddCustomItem::frmAct_AddCustomItem() : Form(QStringLiteral("frmAct_AddCustomItem"))
{
    auto *layout = new QGridLayout(this);
    auto *label1 = new QLabel(QStringLiteral("Naam van de kostenpost:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label1, 0, 0, 1, 2);
    m_txtNaam = new QLineEdit(this);
    m_txtNaam->setObjectName(QStringLiteral("txtNaam"));
    m_txtNaam->setMaxLength(255);
    layout->addWidget(m_txtNaam, 1, 0, 1, 2);
    auto *label2 = new QLabel(QStringLiteral("Rubriek"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(label2, 2, 0, 1, 2);
    m_listView = new QTreeWidget(this);
    m_listView->setObjectName(QStringLiteral("ListView1"));
    m_listView->setHeaderLabels({QStringLiteral("Getoonde rubrieken")});
    m_listView->setRootIsDecorated(false);
    for (int r = 1; r <= 5; ++r) {
        auto *it = new QTreeWidgetItem(m_listView, {records::rubriekNaam(r)});
        it->setData(0, Qt::UserRole, QStringLiteral("rub") + QString::number(r));
        it->setIcon(0, actImage(r));
    }
    m_listView->header()->setStretchLastSection(true);
    layout->addWidget(m_listView, 3, 0, 1, 2);
    m_lblToelichtingPrijspeil = new QLabel(this);
    m_lblToelichtingPrijspeil->setObjectName(QStringLiteral("lblToelichtingPrijspeil"));
    layout->addWidget(m_lblToelichtingPrijspeil, 4, 0, 1, 2);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cdmOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    setCancelButton(cancel);
    layout->addWidget(ok, 5, 0);
    layout->addWidget(cancel, 5, 1);
    connect(ok, &QPushButton::clicked, this, &frmAct_AddCustomItem::cdmOK_Click);
    connect(m_listView, &QTreeWidget::itemDoubleClicked, this, &frmAct_AddCustomItem::cdmOK_Click);
    connect(cancel, &QPushButton::clicked, this, [this] { unload(); });
    resize(340, 320);
}

frmAct_AddCustomItem *frmAct_AddCustomItem::openen(qint32 status, const QString &tekstWas, std::uint8_t rubriekWas)
{
    auto *f = Form::loaded<frmAct_AddCustomItem>();
    if (!f) {
        f = new frmAct_AddCustomItem;
        f->setWindowModality(Qt::ApplicationModal);
        f->loadForm(false);
    }
    f->openStap(status, tekstWas, rubriekWas);
    return f;
}

void frmAct_AddCustomItem::openStap(qint32 status, const QString &tekstWas, std::uint8_t rubriekWas)
{
    m_status = status;
    moveFrame(twips(3000), twips(1500));
    m_listView->clearSelection();
    if (status == 1) {
        setWindowTitle(QStringLiteral("Kostenpost toevoegen"));
        if (frmAct *act = Form::loaded<frmAct>())
            m_lblToelichtingPrijspeil->setText(act->strToelichtingPrijspeil());
        m_listView->setCurrentItem(m_listView->topLevelItem(0));
        m_txtNaam->clear();
        m_fases = false;
    } else {
        setWindowTitle(QStringLiteral("Naam/rubriek wijzigen"));
        m_lblToelichtingPrijspeil->clear();
        m_tekstWas = tekstWas;
        m_fases = tekstWas.endsWith(QLatin1Char('}'));
        if (m_fases) {
            const int brace = m_tekstWas.indexOf(QLatin1Char('{'));
            m_tekstWas = m_tekstWas.left(brace > 0 ? brace - 1 : 0);
        }
        // Rubric 6 has no entry: nothing is selected, and the item keeps
        // its rubric unless the user picks one.
        if (rubriekWas >= 1 && rubriekWas <= 5)
            m_listView->setCurrentItem(m_listView->topLevelItem(rubriekWas - 1));
        else
            m_listView->setCurrentItem(nullptr);
        m_txtNaam->setText(m_tekstWas);
    }
}

int frmAct_AddCustomItem::gekozenRubriek() const
{
    QTreeWidgetItem *cur = m_listView->currentItem();
    if (!cur || !cur->isSelected())
        return 0;
    return m_listView->indexOfTopLevelItem(cur) + 1;
}

void frmAct_AddCustomItem::cdmOK_Click()
{
    frmAct *act = Form::loaded<frmAct>();
    const QString naam = m_txtNaam->text();
    if (naam.isEmpty()) {
        ui::MsgBox(QStringLiteral("Voer een naam in van de kostenpost."), ui::Buttons::OK, ui::Icon::Exclamation,
                   QStringLiteral("Ontbrekende gegevens"));
        return;
    }
    if (naam.contains(QLatin1Char('{')) || naam.contains(QLatin1Char('}'))) {
        ui::MsgBox(QStringLiteral("Ongeldige tekens { of } gebruikt.\r\nVoer een andere naam in."), ui::Buttons::OK,
                   ui::Icon::Exclamation, QStringLiteral("Ongeldige naam"));
        return;
    }
    if (!act || !act->insAct()) {
        unload();
        return;
    }
    records::clsAct *insAct = act->insAct();
    SiteTreeWidget &tree = act->boom();
    const records::SiteTree::Node selected = tree.selected();
    try {
        if (m_status == 1) {
            if (!selected || !tree.key(selected).startsWith(QLatin1String("inr"))) {
                unload();
                return;
            }
            const qint32 inr = tree.key(selected).mid(3).toInt();
            if (insAct->ActiviteitBestaatAl(naam, inr)) {
                ui::MsgBox(kBestaatAl, ui::Buttons::OK, ui::Icon::Exclamation,
                           QStringLiteral("Naam kostenpost instellen"));
                return;
            }
            if (!act->BewaarNieuweAct())
                return;
            const int rubriek = gekozenRubriek();
            if (!insAct->VoegToe_CustomAct(naam, inr, std::uint8_t(rubriek ? rubriek : 1)).isEmpty())
                act->ververs(records::kKeyActNew, true);
        } else {
            if (!selected) {
                unload();
                return;
            }
            const qint32 inr = tree.key(tree.parent(selected)).mid(3).toInt();
            const int gekozen = gekozenRubriek();
            // A name that another item of the facility bears is refused,
            // whatever the rubric: the two would be one item from then on.
            // The item's own name (also in other capitals) is no other's.
            const bool eigenNaam = db::compareJetText(naam, insAct->strActHuidig()) == 0;
            if (!eigenNaam && insAct->ActiviteitBestaatAl(naam, inr)) {
                ui::MsgBox(kBestaatAl, ui::Buttons::OK, ui::Icon::Exclamation,
                           QStringLiteral("Naam kostenpost instellen"));
                return;
            }
            if (insAct->pfunHernoemActNaamOfRubriek(naam, std::uint8_t(gekozen))) {
                tree.setImage(selected, insAct->bytRubriek_REF());
                tree.setText(selected, m_fases ? naam + QStringLiteral(" {1e fase}") : naam);
            }
            act->ververs(tree.key(selected), true);
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct_AddCustomItem.cdmOK_Click")));
    }
    unload();
}

} // namespace screens

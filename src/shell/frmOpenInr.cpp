#include "shell/frmOpenInr.h"

#include "shell/app_settings.h"
#include "shell/current_site.h"
#include "shell/error_report.h"
#include "shell/frmImExportXML.h"
#include "shell/frmInrNieuwDialog.h"
#include "shell/program_state.h"

#include "screens/layout_helpers.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/settings/setting_readers.h"
#include "platform/ui/busy_cursor.h"

#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace modMain {

namespace {

QString soortTekst(const QVariant &soort)
{
    if (soort.isNull() || !soort.isValid())
        return QStringLiteral("?");
    switch (soort.toInt()) {
    case 1:
        return QStringLiteral("stortplaats");
    case 2:
        return QStringLiteral("baggerdepot");
    default:
        return QStringLiteral("?");
    }
}

QString tekst(const QVariant &v)
{
    return (v.isNull() || !v.isValid()) ? QString() : v.toString();
}

} // namespace

QList<InrichtingRij> pfunInrichtingen()
{
    // The checklist versions: id to the year of their date.
    QHash<int, QString> versies;
    {
        db::Connection cn;
        cn.Open(gstrConnCL);
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT intCL_ID, dtmCl FROM tblCL"), cn, db::LockType::ReadOnly);
        for (; !rs.EOF_(); rs.MoveNext()) {
            const int id = rs.Fields(QStringLiteral("intCL_ID")).Value().toInt();
            if (!versies.contains(id))
                versies.insert(id,
                               QString::number(rs.Fields(QStringLiteral("dtmCl")).Value().toDateTime().date().year()));
        }
    }

    QList<InrichtingRij> rijen;
    db::Connection cn;
    cn.Open(gstrConnData);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT tblProv.strProvNaam, tblStort.* FROM tblStort"
                           " LEFT JOIN tblProv ON tblProv.bytProv_ID = tblStort.bytProv_REF"
                           " ORDER BY strStortNaam"),
            cn, db::LockType::ReadOnly);
    for (; !rs.EOF_(); rs.MoveNext()) {
        InrichtingRij rij;
        rij.id = rs.Fields(QStringLiteral("idrStort_ID")).Value().toInt();
        rij.naam = tekst(rs.Fields(QStringLiteral("strStortNaam")).Value());
        rij.rivmNr = tekst(rs.Fields(QStringLiteral("strRIVMnr")).Value());
        rij.soort = soortTekst(rs.Fields(QStringLiteral("intStortType")).Value());
        rij.provincie = tekst(rs.Fields(QStringLiteral("strProvNaam")).Value());
        const QVariant cl = rs.Fields(QStringLiteral("intCL_REF")).Value();
        rij.checklist =
            (cl.isValid() && !cl.isNull()) ? versies.value(cl.toInt(), QStringLiteral("?")) : QStringLiteral("?");
        rijen << rij;
    }
    return rijen;
}

} // namespace modMain

using namespace modMain;

namespace shell {

frmOpenInr::frmOpenInr() : Form(QStringLiteral("frmOpenInr"))
{
    setWindowTitle(QStringLiteral("Open inrichting"));

    lst1 = new QTreeWidget(this);
    lst1->setObjectName(QStringLiteral("lst1"));
    lst1->setRootIsDecorated(false);
    lst1->setSelectionMode(QAbstractItemView::SingleSelection);
    lst1->setAllColumnsShowFocus(true);
    lst1->setUniformRowHeights(true);
    lst1->header()->setSectionsClickable(true);

    auto button = [this](const char *name, const char *caption) {
        return screens::named<QPushButton>(this, name, QString::fromUtf8(caption));
    };
    OKButton = button("OKButton", "&OK");
    CancelButton = button("CancelButton", "&Annuleren");
    cmdNieuw = button("cmdNieuw", "&Nieuw...");
    cmdVerwijder = button("cmdVerwijder", "&Verwijderen...");
    cmdImport = button("cmdImport", "&Importeer...");
    OKButton->setDefault(true);
    setCancelButton(CancelButton);

    auto *knoppen = new QVBoxLayout;
    for (QPushButton *b : {OKButton, CancelButton})
        knoppen->addWidget(b);
    knoppen->addSpacing(16);
    for (QPushButton *b : {cmdNieuw, cmdVerwijder, cmdImport})
        knoppen->addWidget(b);
    knoppen->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(lst1, 1);
    layout->addLayout(knoppen);

    connect(OKButton, &QPushButton::clicked, this, &frmOpenInr::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmOpenInr::CancelButton_Click);
    connect(cmdNieuw, &QPushButton::clicked, this, &frmOpenInr::cmdNieuw_Click);
    connect(cmdVerwijder, &QPushButton::clicked, this, &frmOpenInr::cmdVerwijder_Click);
    connect(cmdImport, &QPushButton::clicked, this, &frmOpenInr::cmdImport_Click);
    connect(lst1, &QTreeWidget::itemDoubleClicked, this, [this] { OKButton_Click(); });
    connect(lst1, &QTreeWidget::itemClicked, this, [this] { psubZetKnopVerwijderen(); });
    connect(lst1->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { lst1->sortItems(column, Qt::AscendingOrder); });

    // Widths in twips: 3000, 1000, 1200, 2000, 1000.
    resize(twips(3000 + 1000 + 1200 + 2000 + 1000) + 150, 320);
}

frmOpenInr *frmOpenInr::load()
{
    if (auto *f = Form::loaded<frmOpenInr>())
        return f;
    auto *f = new frmOpenInr;
    f->Form_Load();
    return f;
}

void frmOpenInr::Form_Load()
{
    ui::setBusyCursor();
    const struct {
        const char *key;
        const char *header;
        int width;
    } kolommen[] = {{"naam", "Naam", 3000},
                    {"rivmnr", "RIVM-nr", 1000},
                    {"inrichting", "Inrichting", 1200},
                    {"provincie", "Provincie", 2000},
                    {"checklist", "Checklist", 1000}};
    QStringList koppen;
    for (const auto &k : kolommen)
        koppen << QString::fromUtf8(k.header);
    lst1->setHeaderLabels(koppen);
    for (int i = 0; i < 5; ++i) {
        lst1->setColumnWidth(i, twips(kolommen[i].width));
        lst1->headerItem()->setData(i, Qt::UserRole, QLatin1String(kolommen[i].key));
    }
    loadForm();
    moveFrame(twips(100), twips(100));
    ui::resetCursor();
    pFillList();
    lst1->setFocus();
}

void frmOpenInr::pFillList()
{
    ui::setBusyCursor();
    lst1->clear();
    try {
        const QList<InrichtingRij> rijen = pfunInrichtingen();
        for (const InrichtingRij &r : rijen) {
            auto *item = new QTreeWidgetItem(lst1, {r.naam, r.rivmNr, r.soort, r.provincie, r.checklist});
            item->setData(0, Qt::UserRole, QStringLiteral("id") + QString::number(r.id));
        }
        const qint32 huidig = settings::toLong(LeesInstelling(QLatin1String(kSetHuidigeStort)), 0);
        if (huidig != 0) {
            for (int i = 0; i < lst1->topLevelItemCount(); ++i) {
                QTreeWidgetItem *row = lst1->topLevelItem(i);
                if (idVan(row) == huidig) {
                    row->setSelected(true);
                    lst1->setCurrentItem(row);
                }
            }
        }
    } catch (const platform::Error &e) {
        MeldFout(e, QStringLiteral("pFillList"));
    }
    psubZetKnopVerwijderen();
    ui::resetCursor();
}

void frmOpenInr::psubZetKnopVerwijderen()
{
    cmdVerwijder->setEnabled(lst1->topLevelItemCount() > 0);
}

qint32 frmOpenInr::idVan(const QTreeWidgetItem *row)
{
    return row ? row->data(0, Qt::UserRole).toString().mid(2).toInt() : 0;
}

QTreeWidgetItem *frmOpenInr::geselecteerd() const
{
    const QList<QTreeWidgetItem *> rows = lst1->selectedItems();
    return rows.isEmpty() ? nullptr : rows.first();
}

void frmOpenInr::OKButton_Click()
{
    if (lst1->topLevelItemCount() == 0) {
        CancelButton_Click();
        return;
    }
    // With rows but none selected there is nothing to open: the list stays.
    QTreeWidgetItem *row = geselecteerd();
    if (!row)
        return;
    try {
        OpenInrichting(idVan(row));
    } catch (const platform::Error &e) {
        MeldFout(e, QStringLiteral("OKButton_Click"));
        return;
    }
    unload();
}

void frmOpenInr::CancelButton_Click()
{
    unload();
}

void frmOpenInr::cmdNieuw_Click()
{
    frmInrNieuwDialog::load();
    unload();
}

void frmOpenInr::cmdVerwijder_Click()
{
    QTreeWidgetItem *row = geselecteerd();
    if (!row)
        return;
    try {
        if (VerwijderInrichting(idVan(row), row->text(0)))
            pFillList();
    } catch (const platform::Error &e) {
        MeldFout(e, QStringLiteral("cmdVerwijder_Click"));
    }
}

void frmOpenInr::cmdImport_Click()
{
    frmImExportXML::Voeruit(QStringLiteral("import"));
}

} // namespace shell

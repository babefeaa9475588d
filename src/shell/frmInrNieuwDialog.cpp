#include "shell/frmInrNieuwDialog.h"

#include "shell/current_site.h"
#include "shell/error_report.h"
#include "shell/program_state.h"

#include "screens/frmAlgemeen.h"
#include "screens/layout_helpers.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace modMain {

namespace {
const QString kTitel = QStringLiteral("Aanmaken nieuwe inrichting");
}

bool pfunStortnaamBestaat(const QString &naam)
{
    db::Connection cn;
    cn.Open(gstrConnData);
    db::Recordset rs;
    // Text equality of the data file ignores case.
    rs.Open(QStringLiteral("SELECT idrStort_ID FROM tblStort WHERE strStortNaam=?"), cn, db::LockType::ReadOnly,
            {naam});
    return !rs.EOF_();
}

qint32 pfunMaakStort(const QString &naam, qint16 stortType)
{
    const qint16 clID = pfunLaatsteChecklist(stortType);
    db::Connection cn;
    cn.Open(gstrConnData);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM tblStort WHERE idrStort_ID=0"), cn, db::LockType::Pessimistic);
    rs.AddNew();
    rs.Fields(QStringLiteral("strStortNaam")) = naam;
    rs.Fields(QStringLiteral("intStortType")) = stortType;
    rs.Fields(QStringLiteral("intCL_REF")) = clID;
    rs.Fields(QStringLiteral("sngRentePerc")) = NieuweStortStandaard::sngRentePerc;
    rs.Fields(QStringLiteral("sngInflPerc")) = NieuweStortStandaard::sngInflPerc;
    rs.Fields(QStringLiteral("bytBedrijfsGebonden")) = NieuweStortStandaard::bytBedrijfsGebonden;
    rs.Fields(QStringLiteral("bytObjectGebonden")) = NieuweStortStandaard::bytObjectGebonden;
    rs.Fields(QStringLiteral("dtmAanvangNazorg")) = NieuweStortStandaard::dtmAanvangNazorg();
    rs.Fields(QStringLiteral("bytProv_REF")) = NieuweStortStandaard::bytProv_REF;
    rs.Update();
    const qint32 id = rs.Fields(QStringLiteral("idrStort_ID")).Value().toInt();
    rs.Close();
    cn.Close();
    return id;
}

} // namespace modMain

using namespace modMain;

namespace shell {

frmInrNieuwDialog::frmInrNieuwDialog() : Form(QStringLiteral("frmInrNieuwDialog"))
{
    setWindowTitle(kTitel);
    auto label = [this](const char *name, const QString &caption, bool bold) {
        auto *l = screens::named<QLabel>(this, name, caption);
        if (bold) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        return l;
    };
    QLabel *Label1 = label("Label1", QStringLiteral("Voer de naam van de  inrichting in:"), true);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMaxLength(50);
    QLabel *Label2 = label("Label2", QStringLiteral("Voer de soort inrichting in."), true);
    optStortType[1] = new QRadioButton(QStringLiteral("Stortplaats"), this);
    optStortType[1]->setObjectName(QStringLiteral("optStortType_1"));
    optStortType[2] = new QRadioButton(QStringLiteral("Baggerdepot"), this);
    optStortType[2]->setObjectName(QStringLiteral("optStortType_2"));
    QLabel *Label3 = label("Label3", QStringLiteral("Let op: U kunt dit later niet meer wijzigen."), false);
    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setEnabled(false);
    Command1->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    setCancelButton(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Text1);
    layout->addSpacing(8);
    layout->addWidget(Label2);
    layout->addWidget(optStortType[1]);
    layout->addWidget(optStortType[2]);
    layout->addWidget(Label3);
    auto *knoppen = new QHBoxLayout;
    knoppen->addStretch();
    knoppen->addWidget(Command1);
    knoppen->addWidget(cmdCancel);
    layout->addLayout(knoppen);

    connect(Text1, &QLineEdit::textChanged, this, &frmInrNieuwDialog::psubZetKnopOK);
    for (qint16 i : {1, 2})
        connect(optStortType[i], &QRadioButton::clicked, this, [this, i] { optStortType_Click(i); });
    connect(Command1, &QPushButton::clicked, this, &frmInrNieuwDialog::psubMaakNieuweInrichting);
    connect(cmdCancel, &QPushButton::clicked, this, &frmInrNieuwDialog::cmdCancel_Click);
}

frmInrNieuwDialog *frmInrNieuwDialog::load()
{
    if (auto *f = Form::loaded<frmInrNieuwDialog>())
        return f;
    auto *f = new frmInrNieuwDialog;
    f->loadForm();
    f->Text1->setFocus();
    return f;
}

void frmInrNieuwDialog::optStortType_Click(qint16 index)
{
    m_stortType = index;
    psubZetKnopOK();
}

void frmInrNieuwDialog::psubZetKnopOK()
{
    // A name of blanks only counts as no name.
    Command1->setEnabled(!Text1->text().trimmed().isEmpty() && m_stortType != 0);
}

void frmInrNieuwDialog::psubMaakNieuweInrichting()
{
    const QString naam = Text1->text();
    if (naam.trimmed().isEmpty() || m_stortType == 0)
        return;
    try {
        if (pfunStortnaamBestaat(naam)) {
            ui::MsgBox(QStringLiteral("De naam ") + naam
                           + QStringLiteral(" komt reeds voor in uw databestand. Voer een andere naam in."),
                       ui::Buttons::OK, ui::Icon::Exclamation, kTitel);
            return;
        }
        const qint32 id = pfunMaakStort(naam, m_stortType);
        OpenInrichting(id);
    } catch (const platform::Error &e) {
        MeldFout(e, QStringLiteral("psubMaakNieuweInrichting"));
        return;
    }
    screens::frmAlgemeen::load();
    ui::MsgBox(QStringLiteral("De nieuwe inrichting is aangemaakt. Vul in dit scherm de algemene gegevens in.\n"),
               ui::Buttons::OK, ui::Icon::Information, kTitel);
    unload();
}

void frmInrNieuwDialog::cmdCancel_Click()
{
    unload();
}

} // namespace shell

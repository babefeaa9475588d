#include "shell/frmConfig.h"

#include "shell/app_settings.h"
#include "shell/coupling.h"
#include "shell/error_report.h"
#include "shell/program_state.h"
#include "shell/shell_open.h"

#include "screens/frmAct.h"
#include "screens/layout_helpers.h"

#include "platform/core/error.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/vb_color.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace modMain {

namespace {
QString boolTekst(bool b)
{
    return b ? QStringLiteral("True") : QStringLiteral("False");
}
} // namespace

void BewaarBoomInstellingen()
{
    BewaarInstelling(QLatin1String(kSetTreeSingleSel), boolTekst(gblnTreeSingleSel));
    BewaarInstelling(QLatin1String(kSetTreePlusMin), boolTekst(gblnTreePlusMin));
    BewaarInstelling(QLatin1String(kSetTreeLines), boolTekst(gblnTreeLines));
    BewaarInstelling(QLatin1String(kSetKleurAct), QString::number(glngKleurAct));
    BewaarInstelling(QLatin1String(kSetKleurVoorz), QString::number(glngKleurVoorz));
}

} // namespace modMain

using namespace modMain;

namespace shell {

using screens::named;

namespace {

void kleurKnop(QPushButton *knop, qint32 kleur)
{
    const QColor c = ui::fromVbColor(kleur);
    knop->setStyleSheet(c.isValid() ? QStringLiteral("background-color: %1;").arg(c.name()) : QString());
}

ui::FileDialogRequest bestandsVerzoek(const QString &titel)
{
    ui::FileDialogRequest r;
    r.title = titel;
    r.filter = QLatin1String(frmConfig::kFilter);
    r.filterIndex = 1;
    r.flags = frmConfig::kFlags;
    return r;
}

} // namespace

frmConfig::frmConfig() : Form(QStringLiteral("frmConfig"))
{
    setWindowTitle(QStringLiteral("Instellingen"));
    SSTab1 = new QTabWidget(this);
    screens::showAllTabs(SSTab1);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    auto *bestand = new QWidget(SSTab1);
    auto *lblDataLocatie =
        named<QLabel>(bestand, "lblDataLocatie", QStringLiteral("Het programma is gekoppeld aan databestand:"));
    txtDataLocatie = new QLineEdit(bestand);
    txtDataLocatie->setObjectName(QStringLiteral("txtDataLocatie"));
    txtDataLocatie->setReadOnly(true);
    auto *cmdDataLocatie = named<QPushButton>(bestand, "cmdDataLocatie", QStringLiteral("&Wijzig..."));
    auto *cmdNew = named<QPushButton>(bestand, "cmdNew", QStringLiteral("&Nieuw..."));
    auto *b = new QVBoxLayout(bestand);
    b->addWidget(lblDataLocatie);
    b->addWidget(txtDataLocatie);
    auto *bk = new QHBoxLayout;
    bk->addStretch();
    bk->addWidget(cmdDataLocatie);
    bk->addWidget(cmdNew);
    b->addLayout(bk);
    b->addStretch();
    SSTab1->addTab(bestand, QStringLiteral("Bestandslocatie"));

    auto *boom = new QWidget(SSTab1);
    auto *lblKleur = named<QLabel>(boom, "lblKleur_0", QStringLiteral("Kleur 'voorzieningen'"));
    cmdKleur = named<QPushButton>(boom, "cmdKleur", QString());
    auto *Label1 = named<QLabel>(boom, "Label1", QStringLiteral("Kleur 'kostenposten'"));
    Command2 = named<QPushButton>(boom, "Command2", QString());
    auto *Command3 = named<QPushButton>(boom, "Command3", QStringLiteral("Reset"));
    chkSingleSel = named<QCheckBox>(boom, "chkSingleSel", QStringLiteral("Automatisch inklappen boomstructuur"));
    chkPlusMin = named<QCheckBox>(boom, "chkPlusMin", QStringLiteral("Toon plus/min"));
    chkLines = named<QCheckBox>(boom, "chkLines", QStringLiteral("Toon verbindingslijnen"));
    for (QPushButton *k : {cmdKleur, Command2})
        k->setFixedSize(48, 24);
    auto *g = new QGridLayout(boom);
    g->addWidget(lblKleur, 0, 0);
    g->addWidget(cmdKleur, 0, 1);
    g->addWidget(Label1, 1, 0);
    g->addWidget(Command2, 1, 1);
    g->addWidget(Command3, 0, 2, 2, 1);
    g->addWidget(chkSingleSel, 2, 0, 1, 3);
    g->addWidget(chkPlusMin, 3, 0, 1, 3);
    g->addWidget(chkLines, 4, 0, 1, 3);
    g->setRowStretch(5, 1);
    SSTab1->addTab(boom, QStringLiteral("Weergave boomstructuur"));

    auto *OKButton = named<QPushButton>(this, "OKButton", QStringLiteral("&Sluiten"));
    // Enter and Escape both close the screen: its settings are stored as
    // they are made.
    OKButton->setDefault(true);
    setCancelButton(OKButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    auto *onder = new QHBoxLayout;
    onder->addStretch();
    onder->addWidget(OKButton);
    layout->addLayout(onder);
    resize(460, 260);

    connect(cmdDataLocatie, &QPushButton::clicked, this, &frmConfig::cmdDataLocatie_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmConfig::cmdNew_Click);
    connect(cmdKleur, &QPushButton::clicked, this, &frmConfig::cmdKleur_Click);
    connect(Command2, &QPushButton::clicked, this, &frmConfig::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmConfig::Command3_Click);
    connect(OKButton, &QPushButton::clicked, this, [this] { unload(); });
}

frmConfig *frmConfig::load()
{
    if (auto *f = Form::loaded<frmConfig>())
        return f;
    auto *f = new frmConfig;
    f->Form_Load();
    return f;
}

void frmConfig::Form_Load()
{
    loadForm();
    modAPI_1::SetTopMost(frame(), true);
    moveFrame(twips(300), twips(300));
    toonKleuren();
    chkSingleSel->setChecked(gblnTreeSingleSel);
    chkPlusMin->setChecked(gblnTreePlusMin);
    chkLines->setChecked(gblnTreeLines);
    txtDataLocatie->setText(gstrDatabestand);
}

void frmConfig::toonKleuren()
{
    kleurKnop(cmdKleur, glngKleurVoorz);
    kleurKnop(Command2, glngKleurAct);
}

void frmConfig::cmdDataLocatie_Click()
{
    try {
        const QString bestand = ui::chosenFileOrRaise(
            ui::ShowOpen(bestandsVerzoek(QStringLiteral("Koppelen aan bestaand databestand..."))));
        KoppelDatabestand(bestand, false, false);
        txtDataLocatie->setText(gstrDatabestand);
    } catch (const platform::Error &e) {
        if (!ui::isCancelError(e))
            ui::MsgBox(QString::number(e.number()));
    }
}

void frmConfig::cmdNew_Click()
{
    try {
        ui::FileDialogRequest r = bestandsVerzoek(QStringLiteral("Maak nieuw databestand..."));
        r.fileName = QStringLiteral("dbQORdata_");
        const QString bestand = ui::chosenFileOrRaise(ui::ShowSave(r));
        KoppelDatabestand(bestand, true, false);
        txtDataLocatie->setText(gstrDatabestand);
    } catch (const platform::Error &e) {
        // A failed coupling is reported, not swallowed.
        if (!ui::isCancelError(e))
            ui::MsgBox(QString::number(e.number()));
    }
}

bool frmConfig::kiesKleur(qint32 &kleur)
{
    const ui::ColorResult r = ui::ShowColor(m_dialoogKleur);
    if (r.cancelled)
        return false;
    m_dialoogKleur = r.color;
    kleur = static_cast<qint32>(r.color);
    return true;
}

void frmConfig::cmdKleur_Click()
{
    if (kiesKleur(glngKleurVoorz))
        toonKleuren();
}

void frmConfig::Command2_Click()
{
    if (kiesKleur(glngKleurAct))
        toonKleuren();
}

void frmConfig::Command3_Click()
{
    glngKleurAct = 128;
    glngKleurVoorz = 16384;
    toonKleuren();
}

void frmConfig::BewaarInstellingen()
{
    gblnTreeSingleSel = chkSingleSel->isChecked();
    gblnTreePlusMin = chkPlusMin->isChecked();
    gblnTreeLines = chkLines->isChecked();
    try {
        BewaarBoomInstellingen();
    } catch (const platform::Error &e) {
        MeldFout(e, QStringLiteral("BewaarInstellingen"));
    }
    if (gblnFrmActOpen) {
        // The cost-item screen builds its tree when it loads.
        if (auto *act = screens::Form::loaded<screens::frmAct>()) {
            if (act->unload()) {
                auto *nieuw = screens::frmAct::load();
                modAPI_1::SetTopMost(nieuw->frame(), false);
            }
        }
    }
}

void frmConfig::Form_Unload()
{
    BewaarInstellingen();
}

} // namespace shell

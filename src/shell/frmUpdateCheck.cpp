#include "shell/frmUpdateCheck.h"

#include "shell/app_settings.h"
#include "shell/error_report.h"
#include "shell/frmMDI_main.h"
#include "shell/frmUpdateProxy.h"
#include "shell/program_state.h"

#include "screens/layout_helpers.h"

#include "platform/core/error.h"
#include "platform/core/program_version.h"
#include "platform/ui/dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {

using screens::named;

frmUpdateCheck::frmUpdateCheck() : Form(QStringLiteral("frmUpdateCheck"))
{
    setWindowTitle(QStringLiteral("Controle op updates"));
    chkUpdate =
        new QCheckBox(QStringLiteral("Automatisch controleren op updates bij opstarten van het programma"), this);
    chkUpdate->setObjectName(QStringLiteral("chkUpdate"));
    cmdGet = named<QPushButton>(this, "cmdGet", QStringLiteral("&Controleer nu"));
    cmdProxysettings = named<QPushButton>(this, "cmdProxysettings", QStringLiteral("&Geavanceerd ..."));
    cmdClose = named<QPushButton>(this, "cmdClose", QStringLiteral("&Sluiten"));
    setCancelButton(cmdClose);
    lblFileNaam = new QLabel(this);
    lblFileNaam->setObjectName(QStringLiteral("lblFileNaam"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(chkUpdate);
    layout->addWidget(lblFileNaam);
    layout->addWidget(ProgressBar1);
    auto *knoppen = new QHBoxLayout;
    knoppen->addWidget(cmdGet);
    knoppen->addWidget(cmdProxysettings);
    knoppen->addStretch();
    knoppen->addWidget(cmdClose);
    layout->addStretch();
    layout->addLayout(knoppen);
    resize(480, 170);

    // The check may end the run and take this screen with it: it runs from
    // the event loop, not inside the button's own click.
    QPointer<frmUpdateCheck> self(this);
    connect(
        cmdGet, &QPushButton::clicked, qApp,
        [self] {
            if (self)
                self->cmdGet_Click();
        },
        Qt::QueuedConnection);
    connect(cmdProxysettings, &QPushButton::clicked, this, &frmUpdateCheck::cmdProxysettings_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmUpdateCheck::cmdClose_Click);
}

frmUpdateCheck *frmUpdateCheck::load()
{
    if (auto *f = Form::loaded<frmUpdateCheck>())
        return f;
    auto *f = new frmUpdateCheck;
    f->loadForm();
    f->Form_Load();
    return f;
}

void frmUpdateCheck::Form_Load()
{
    moveFrame(twips(500), twips(500));
    chkUpdate->setChecked(modMain::gblnAutoUpdateOnStart);
    lblFileNaam->hide();
    ProgressBar1->hide();
}

void frmUpdateCheck::cmdGet_Click()
{
    if (isBezig())
        return;
    QPointer<frmUpdateCheck> self(this);
    const modAutoUpdate::UpdateUitkomst u = modAutoUpdate::ControleerUpdates();
    if (!self || u.afgebroken)
        return;
    using modAutoUpdate::kMislukt;
    using modAutoUpdate::kNietsNieuwer;
    using modAutoUpdate::kNieuwer;
    const bool nieuwer = u.statusChecklist == kNieuwer || u.statusProgramma == kNieuwer;
    if (!nieuwer && u.geweigerd) {
        // The check has said why nothing is offered.
        return;
    }
    if (u.statusChecklist == kNietsNieuwer && u.statusProgramma == kNietsNieuwer) {
        ui::MsgBox(QStringLiteral("Op deze pc zijn de nieuwste versies van ") + QLatin1String(tavir::kProgramTitle)
                       + QStringLiteral(" en het checklistbestand reeds geïnstalleerd."),
                   ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Controle op updates"));
        unload();
        return;
    }
    if (!nieuwer) {
        // The user can change the proxy settings and check again.
        modAutoUpdate::MeldGeenVerbinding();
        return;
    }
    if (u.inOnderhoud) {
        modAutoUpdate::MeldOnderhoud();
        unload();
        return;
    }
    if (!modAutoUpdate::VraagDownloaden(u.info)) {
        unload();
        return;
    }
    // A program update closes every window, this one too.
    modAutoUpdate::VoerUpdateUit(u.statusChecklist == kNieuwer, u.statusProgramma == kNieuwer);
}

void frmUpdateCheck::cmdProxysettings_Click()
{
    frmUpdateProxy::load();
}

void frmUpdateCheck::cmdClose_Click()
{
    unload();
}

void frmUpdateCheck::toonDownload(const QString &naam, int maximum)
{
    lblFileNaam->setText(QStringLiteral("Downloaden: ") + naam);
    lblFileNaam->show();
    ProgressBar1->setRange(0, std::max(maximum, 1));
    ProgressBar1->setValue(0);
    ProgressBar1->setVisible(maximum > 0);
}

void frmUpdateCheck::zetVoortgang(int waarde)
{
    if (waarde <= ProgressBar1->maximum())
        ProgressBar1->setValue(waarde);
}

void frmUpdateCheck::verbergVoortgang()
{
    ProgressBar1->hide();
    lblFileNaam->hide();
}

void frmUpdateCheck::setBezig(bool bezig)
{
    m_bezig += bezig ? 1 : -1;
    const bool vrij = m_bezig <= 0;
    for (QPushButton *b : {cmdGet, cmdProxysettings})
        b->setEnabled(vrij);
}

bool frmUpdateCheck::QueryUnload()
{
    // The check or download that runs gives way: the screen always closes.
    if (isBezig())
        modAutoUpdate::BreekAf();
    return true;
}

void frmUpdateCheck::Form_Unload()
{
    modMain::gblnAutoUpdateOnStart = chkUpdate->isChecked();
    try {
        modMain::BewaarInstelling(QLatin1String(modMain::kSetAutoUpdate),
                                  modMain::gblnAutoUpdateOnStart ? QStringLiteral("True") : QStringLiteral("False"));
    } catch (const platform::Error &e) {
        modMain::MeldFout(e, QStringLiteral("frmUpdateCheck.Form_Unload"));
    }
}

} // namespace shell

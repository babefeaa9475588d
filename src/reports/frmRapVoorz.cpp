#include "reports/frmRapVoorz.h"

#include "reports/progress_bar.h"

#include "screens/layout_helpers.h"
#include "screens/session.h"

#include "platform/db/connection.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace reports {

namespace {

int waarde(const QCheckBox *box)
{
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

} // namespace

frmRapVoorz::frmRapVoorz() : Form(QStringLiteral("frmRapVoorz"))
{
    setWindowTitle(QStringLiteral("Rapportage ingevoerde data"));
    auto *layout = new QVBoxLayout(this);
    Label3 = new QLabel(QStringLiteral("Maak rapport van:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    layout->addWidget(Label3);
    chkAlg = screens::named<QCheckBox>(this, "chkAlg", QStringLiteral("algemene gegevens"));
    chkVoorz = screens::named<QCheckBox>(this, "chkVoorz", QStringLiteral("voorzieningen"));
    chkAct = screens::named<QCheckBox>(this, "chkAct", QStringLiteral("kostenposten"));
    chkRapUnselectedCLitems = screens::named<QCheckBox>(this, "chkRapUnselectedCLitems",
                                                        QStringLiteral("overzicht niet geselecteerde checklistposten"));
    for (QCheckBox *box : {chkAlg, chkVoorz, chkAct, chkRapUnselectedCLitems}) {
        layout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, &frmRapVoorz::ZetOKButton);
    }
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setVisible(false);
    layout->addWidget(ProgressBar1);

    auto *knoppen = new QHBoxLayout;
    OKButton = new QPushButton(QStringLiteral("&Rapporteer"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(QStringLiteral("&Sluiten"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    OKButton->setDefault(true);
    setCancelButton(CancelButton);
    knoppen->addStretch();
    knoppen->addWidget(OKButton);
    knoppen->addWidget(CancelButton);
    layout->addLayout(knoppen);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { unload(); });

    mobjProgressBar = std::make_unique<reports::ProgressBarVoortgang>(ProgressBar1);
}

frmRapVoorz::~frmRapVoorz() = default;

frmRapVoorz *frmRapVoorz::load()
{
    if (auto *f = Form::loaded<frmRapVoorz>())
        return f;
    auto *f = new frmRapVoorz;
    f->loadForm();
    f->moveFrame(twips(100), twips(100));
    f->ZetOKButton();
    return f;
}

reports::RapVoorzKeuze frmRapVoorz::keuze() const
{
    reports::RapVoorzKeuze k;
    k.chkAlg = waarde(chkAlg);
    k.chkVoorz = waarde(chkVoorz);
    k.chkAct = waarde(chkAct);
    k.chkRapUnselectedCLitems = waarde(chkRapUnselectedCLitems);
    return k;
}

void frmRapVoorz::ZetOKButton()
{
    OKButton->setEnabled(keuze().ZetOKButton());
}

QString frmRapVoorz::OKButton_Click()
{
    reports::WordReportContext ctx;
    static_cast<calc::Context &>(ctx) = screens::currentContext();
    ctx.gstrDatabestand = db::dataSourceOf(ctx.gstrConnData);
    if (screens::session().programVersion) {
        const tavir::ProgramVersion v = screens::session().programVersion();
        ctx.versionMajor = v.major;
        ctx.versionMinor = v.minor;
    }
    return reports::RapporteerRapVoorz(keuze(), ctx, mobjProgressBar.get());
}

} // namespace reports

#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"
#include "reports/progress_bar.h"

#include "screens/field_validation.h"
#include "screens/layout_helpers.h"
#include "screens/masked_edit.h"
#include "screens/session.h"

#include "platform/text/format.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace reports {

RapportTekst *laadRapSchermDoelverm()
{
    // In centimetres, the window's own scale: the report's columns keep
    // their widths whatever the window's width.
    return frmRapScherm::load();
}

frmDoelverm::frmDoelverm() : Form(QStringLiteral("frmDoelverm"))
{
    setWindowTitle(QStringLiteral("Doelvermogen & heffing"));

    const auto vinkje = [this](const char *naam, const QString &caption) {
        auto *c = new QCheckBox(caption, this);
        c->setObjectName(QLatin1String(naam));
        connect(c, &QCheckBox::clicked, this, &frmDoelverm::ActualiseerKeuzes);
        return c;
    };
    chkVoorblad = vinkje("chkVoorblad", QStringLiteral("voorblad"));
    chkRapDV = vinkje("chkRapDV", QStringLiteral("berekening doelvermogen"));
    chkRapHef = vinkje("chkRapHef", QStringLiteral("berekening heffing"));
    chkRapUnselectedCLitems =
        vinkje("chkRapUnselectedCLitems", QStringLiteral("overzicht niet geselecteerde checklistposten"));

    // The VAT percentage stands below the parts of the report, before the
    // option frames beside them in the Tab order too.
    auto *lblBTW = new QLabel(QStringLiteral("BTW:               %"), this);
    lblBTW->setObjectName(QStringLiteral("lblBTW"));
    txtBTWperc = new screens::MaskedEdit(QStringLiteral("txtBTWperc"), this);
    txtBTWperc->setToolTip(QStringLiteral("Vul in als u een BTW-berekening op het voorblad moet voorkomen."));
    txtBTWperc->setMaximumWidth(60);

    // An option group in a frame: buttons name_1, name_2, ... with the
    // captions in order; a click passes the button's index.
    const auto optieGroep = [this](const QString &caption, const char *frame, const char *naam,
                                   const QStringList &captions, QRadioButton **knoppen, auto klik) {
        auto *fra = new QGroupBox(caption, this);
        fra->setObjectName(QLatin1String(frame));
        auto *groep = new QButtonGroup(this);
        auto *layout = new QVBoxLayout(fra);
        for (int i = 1; i <= int(captions.size()); ++i) {
            knoppen[i] = new QRadioButton(captions[i - 1], fra);
            knoppen[i]->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(naam)).arg(i));
            groep->addButton(knoppen[i], i);
            layout->addWidget(knoppen[i]);
        }
        connect(groep, &QButtonGroup::idClicked, this, klik);
        return fra;
    };
    auto *fraNaar = optieGroep(QStringLiteral("Uitvoer naar: "), "fraRapNaar", "optRapNaar",
                               {QStringLiteral("scherm"), QStringLiteral("MS Word-bestand")}, optRapNaar.data(),
                               [this] { ActualiseerKeuzes(); });
    auto *fraSort =
        optieGroep(QStringLiteral("Deel in naar: "), "fraRapSort", "optRapSort",
                   {QStringLiteral("Voorziening"), QStringLiteral("Rubriek"), QStringLiteral("Wel/niet QOR-Checklist")},
                   optRapSort.data(), [this](int i) { optRapSort_Click(i); });

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setVisible(false);
    mobjProgressBar = std::make_unique<ProgressBarVoortgang>(ProgressBar1);

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    auto *CancelButton = new QPushButton(QStringLiteral("&Annuleer"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    // A click leaves the focus in the VAT field, which is checked before
    // the report; Tab reaches the buttons.
    OKButton->setFocusPolicy(Qt::TabFocus);
    CancelButton->setFocusPolicy(Qt::TabFocus);
    OKButton->setDefault(true);
    setCancelButton(CancelButton);
    connect(OKButton, &QPushButton::clicked, this, &frmDoelverm::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmDoelverm::CancelButton_Click);

    auto *delen = new QVBoxLayout;
    for (QWidget *w : {chkVoorblad, chkRapDV, chkRapHef, chkRapUnselectedCLitems})
        delen->addWidget(w);
    // The percentage stands on the blanks of its label, before the "%".
    txtBTWperc->setMaximumWidth(QWIDGETSIZE_MAX);
    screens::placeOnBlanks(lblBTW, txtBTWperc);
    auto *btw = new QHBoxLayout;
    btw->addWidget(lblBTW);
    btw->addStretch();
    delen->addLayout(btw);
    delen->addStretch();
    auto *opties = new QVBoxLayout;
    opties->addWidget(fraNaar);
    opties->addWidget(fraSort);
    auto *boven = new QHBoxLayout;
    boven->addLayout(delen);
    boven->addLayout(opties);
    auto *knoppen = new QHBoxLayout;
    knoppen->addWidget(ProgressBar1, 1);
    knoppen->addStretch();
    knoppen->addWidget(OKButton);
    knoppen->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(boven);
    layout->addLayout(knoppen);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_validation = std::make_unique<screens::FieldValidation>(this);
    m_validation->add(txtBTWperc, [this] { return txtBTWperc_Validate(); });
}

frmDoelverm::~frmDoelverm() = default;

frmDoelverm *frmDoelverm::load(const RapportGegevens &gegevens)
{
    if (auto *f = Form::loaded<frmDoelverm>())
        return f;
    auto *f = new frmDoelverm;
    f->m_gegevens = gegevens;
    f->Form_Load();
    return f;
}

void frmDoelverm::Form_Load()
{
    loadForm();
    moveFrame(twips(100), twips(100));
    m_rapport = std::make_unique<DoelvermRapport>(mobjProgressBar.get());
    m_rapport->laadRapScherm = laadRapSchermDoelverm;
    chkRapDV->setChecked(true);
    optRapNaar[1]->setChecked(true);
    optRapSort[2]->setChecked(true);
    txtBTWperc->setText(vb::CStr(screens::currentContext().gsngBTWPerc));
    ActualiseerKeuzes();
}

DoelvermKeuzes frmDoelverm::keuzes() const
{
    DoelvermKeuzes k;
    k.chkVoorblad = chkVoorblad->isChecked();
    k.chkRapDV = chkRapDV->isChecked();
    k.chkRapHef = chkRapHef->isChecked();
    k.chkRapUnselectedCLitems = chkRapUnselectedCLitems->isChecked();
    k.optRapNaar = optRapNaar[2]->isChecked() ? 2 : 1;
    k.optRapSort = 0;
    for (int i : {1, 2, 3})
        if (optRapSort[i]->isChecked())
            k.optRapSort = i;
    return k;
}

void frmDoelverm::ActualiseerKeuzes()
{
    DoelvermKeuzes k = keuzes();
    k.ActualiseerKeuzes();
    chkVoorblad->setChecked(k.chkVoorblad);
    chkRapUnselectedCLitems->setChecked(k.chkRapUnselectedCLitems);
    chkVoorblad->setEnabled(k.alleenWord());
    chkRapUnselectedCLitems->setEnabled(k.alleenWord());
    OKButton->setEnabled(k.okMogelijk());
}

void frmDoelverm::optRapSort_Click(int index)
{
    DoelvermKeuzes k = keuzes();
    k.kiesSortering(index);
    chkRapDV->setChecked(k.chkRapDV);
    ActualiseerKeuzes();
}

bool frmDoelverm::txtBTWperc_Validate()
{
    const BTWInvoer invoer = controleerBTW(txtBTWperc->text());
    if (invoer.ok && invoer.perc && screens::session().setBTWPerc)
        screens::session().setBTWPerc(*invoer.perc);
    return invoer.ok;
}

void frmDoelverm::OKButton_Click()
{
    if (!m_validation || !m_validation->controleerFocus())
        return;
    WordReportContext ctx;
    static_cast<calc::Context &>(ctx) = screens::currentContext();
    ctx.gstrDatabestand = m_gegevens.gstrDatabestand;
    ctx.programTitle = m_gegevens.programTitle;
    ctx.versionMajor = m_gegevens.versionMajor;
    ctx.versionMinor = m_gegevens.versionMinor;
    QString btw = txtBTWperc->text();
    const bool klaar = m_rapport->maak(keuzes(), btw, ctx);
    txtBTWperc->setText(btw);
    if (klaar)
        unload();
}

void frmDoelverm::CancelButton_Click()
{
    unload();
}

void frmDoelverm::Form_Unload()
{
    // Leaving the screen checks no field.
    m_validation.reset();
}

} // namespace reports

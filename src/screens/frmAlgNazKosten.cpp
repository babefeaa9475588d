#include "screens/frmAlgNazKosten.h"

#include "screens/field_binding.h"
#include "screens/field_validation.h"
#include "screens/layout_helpers.h"
#include "screens/masked_edit.h"
#include "screens/session.h"
#include "screens/site_row_save.h"

#include "checklist/clsCL.h"
#include "records/clsStort.h"

#include "platform/core/error.h"
#include "platform/db/jet_types.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace screens {

namespace {

const char *const kBedrag = "€ #,##0";
const char *const kPerc = "0.0";
const char *const kOpp = "0.0#";

QLabel *label(QWidget *parent, const char *name, const QString &text = QString())
{
    auto *l = named<QLabel>(parent, name, text);
    l->setWordWrap(true);
    return l;
}

QLabel *afwijking(QWidget *parent, const char *name)
{
    QLabel *l = label(parent, name, QLatin1String(AlgNazKostenRegels::kAfwijking));
    l->setWordWrap(false);
    l->setStyleSheet(QStringLiteral("color: #ff0000;"));
    l->setVisible(false);
    return l;
}

// The widest values the fields hold, in their pictures: a yearly amount
// of at most five digits, the risk amount, a percentage, the area.
const char *const kBreedBedrag = "€ 99.999";
const char *const kBreedRisico = "€ 999.999.999";
const char *const kBreedPerc = "100,0";
const char *const kBreedOpp = "9999,99";

// A number box with room for the widest value of its field.
MaskedEdit *veld(QWidget *parent, const char *name, const char *breedste, int digits = 0)
{
    auto *e = new MaskedEdit(QLatin1String(name), parent);
    e->setMaxDigits(digits);
    e->setMaximumWidth(110);
    reserveWidthForValue(e, QString::fromUtf8(breedste));
    return e;
}

} // namespace

frmAlgNazKosten::frmAlgNazKosten() : Form(QStringLiteral("frmAlgNazKosten"))
{
    setWindowTitle(QStringLiteral("Toeslagen nazorgfase"));
    setFixedBorder();
    maakScherm();
}

frmAlgNazKosten::~frmAlgNazKosten()
{
    // The bindings let go of the record before it goes.
    m_binding.reset();
}

void frmAlgNazKosten::maakScherm()
{
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    showAllTabs(SSTab1);
    focusFirstControlOfChosenTab(SSTab1);
    // The explanations wrap at a width that reads well.
    SSTab1->setMinimumWidth(560);

    // Contingency and design/supervision.
    auto *tab1 = new QWidget(SSTab1);
    txtOnvoorzien = veld(tab1, "txtOnvoorzien", kBreedPerc);
    lblAfwijkingOnvoorzien = afwijking(tab1, "lblAfwijkingOnvoorzien");
    lblOntwerpDirectieToelichting =
        label(tab1, "lblOntwerpDirectieToelichting", AlgNazKostenRegels::lblOntwerpDirectieVast());
    txtOntwerpdirectieFixed = veld(tab1, "txtOntwerpdirectieFixed", kBreedPerc);
    lblOntwDirectiePercentage = label(tab1, "lblOntwDirectiePercentage", QStringLiteral("%"));
    lblAfwijkingOntwerpdirectie = afwijking(tab1, "lblAfwijkingOntwerpdirectie");
    auto *g1 = new QGridLayout(tab1);
    g1->addWidget(label(tab1, "lblOnvoorzien", QStringLiteral("Voer een percentage 'onvoorzien' in:")), 0, 0, 1, 4);
    g1->addWidget(txtOnvoorzien, 1, 0);
    g1->addWidget(label(tab1, "lblOnvoorzienPercentage", QStringLiteral("%")), 1, 1);
    g1->addWidget(lblAfwijkingOnvoorzien, 1, 2);
    g1->addWidget(lblOntwerpDirectieToelichting, 2, 0, 1, 4);
    g1->addWidget(txtOntwerpdirectieFixed, 3, 0);
    g1->addWidget(lblOntwDirectiePercentage, 3, 1);
    g1->addWidget(lblAfwijkingOntwerpdirectie, 3, 2);
    g1->setColumnStretch(3, 1);
    g1->setRowStretch(4, 1);
    SSTab1->addTab(tab1, QStringLiteral("Onvoorzien && ontwerp/directie"));

    // General after-care costs.
    auto *tab2 = new QWidget(SSTab1);
    lblAppKostenBasis = label(tab2, "lblAppKostenBasis");
    txtAlgAppKosten = veld(tab2, "txtAlgAppKosten", kBreedBedrag, 5);
    lblAfwijkingApp = afwijking(tab2, "lblAfwijkingApp");
    lblAppKostenBasisPerc = label(tab2, "lblAppKostenBasisPerc");
    txtAppKostenBasisPerc = veld(tab2, "txtAppKostenBasisPerc", kBreedPerc);
    lblAfwijkingAppPerc = afwijking(tab2, "lblAfwijkingAppPerc");
    lblCommunicatie = label(tab2, "lblCommunicatie");
    txtAlgCommunicatie = veld(tab2, "txtAlgCommunicatie", kBreedBedrag, 5);
    lblAfwijkingCom = afwijking(tab2, "lblAfwijkingCom");
    lblRapEval = label(tab2, "lblRapEval");
    txtLocatieNazorgOpp = veld(tab2, "txtLocatieNazorgOpp", kBreedOpp);
    txtOptieRapEval = new QLineEdit(tab2);
    txtOptieRapEval->setObjectName(QStringLiteral("txtOptieRapEval"));
    txtOptieRapEval->setVisible(false);
    auto *grpRapEval = new QGroupBox(QStringLiteral("Vul in: "), tab2);
    grpRapEval->setObjectName(QStringLiteral("grpRapEval"));
    auto *knoppen = new QButtonGroup(this);
    knoppen->setExclusive(false);
    const QString captions[4] = {QStringLiteral("onbekend"), QStringLiteral("kleiner dan 10 ha"), QString(), QString()};
    txtRapEvalKleinerDan10ha = veld(grpRapEval, "txtRapEvalKleinerDan10ha", kBreedBedrag, 5);
    txtRapEvalPerHa = veld(grpRapEval, "txtRapEvalPerHa", kBreedBedrag, 5);
    txtRapEvalGroterDan34_5ha = veld(grpRapEval, "txtRapEvalGroterDan34_5ha", kBreedBedrag, 5);
    lblAfwijkingRapEvalMin = afwijking(grpRapEval, "lblAfwijkingRapEvalMin");
    lblAfwijkingRapEvalPerHa = afwijking(grpRapEval, "lblAfwijkingRapEvalPerHa");
    lblAfwijkingRapEvalMax = afwijking(grpRapEval, "lblAfwijkingRapEvalMax");
    auto *gr = new QGridLayout(grpRapEval);
    MaskedEdit *bedragen[4] = {nullptr, txtRapEvalKleinerDan10ha, txtRapEvalPerHa, txtRapEvalGroterDan34_5ha};
    QLabel *notities[4] = {nullptr, lblAfwijkingRapEvalMin, lblAfwijkingRapEvalPerHa, lblAfwijkingRapEvalMax};
    for (int i = 0; i < 4; ++i) {
        optRapEval[i] = new QRadioButton(captions[i], grpRapEval);
        optRapEval[i]->setObjectName(QStringLiteral("optRapEval_%1").arg(i));
        optRapEval[i]->setFocusPolicy(Qt::NoFocus);
        knoppen->addButton(optRapEval[i], i);
        gr->addWidget(optRapEval[i], i, 0);
        if (bedragen[i]) {
            gr->addWidget(bedragen[i], i, 1);
            gr->addWidget(notities[i], i, 2);
        }
    }
    gr->setColumnStretch(3, 1);
    connect(knoppen, &QButtonGroup::idClicked, this, &frmAlgNazKosten::optRapEval_Click);

    auto *g2 = new QGridLayout(tab2);
    int r = 0;
    g2->addWidget(lblAppKostenBasis, r++, 0, 1, 4);
    g2->addWidget(txtAlgAppKosten, r, 0);
    g2->addWidget(lblAfwijkingApp, r++, 1);
    g2->addWidget(lblAppKostenBasisPerc, r++, 0, 1, 4);
    g2->addWidget(txtAppKostenBasisPerc, r, 0);
    g2->addWidget(lblAfwijkingAppPerc, r++, 1);
    g2->addWidget(lblCommunicatie, r++, 0, 1, 4);
    g2->addWidget(txtAlgCommunicatie, r, 0);
    g2->addWidget(lblAfwijkingCom, r++, 1);
    g2->addWidget(lblRapEval, r++, 0, 1, 4);
    QLabel *lblNazorgOpp = label(tab2, "lblNazorgOpp", QStringLiteral("Nazorgoppervlak (ha):"));
    lblNazorgOpp->setWordWrap(false);
    g2->addWidget(lblNazorgOpp, r, 0);
    g2->addWidget(txtLocatieNazorgOpp, r, 1);
    g2->addWidget(txtOptieRapEval, r++, 2);
    g2->addWidget(grpRapEval, r++, 0, 1, 4);
    g2->setColumnStretch(3, 1);
    SSTab1->addTab(tab2, QStringLiteral("Algemene nazorgkosten"));

    // Risk amount.
    auto *tab3 = new QWidget(SSTab1);
    txtAlgRisico = veld(tab3, "txtAlgRisico", kBreedRisico);
    auto *g3 = new QGridLayout(tab3);
    g3->addWidget(label(tab3, "lblRisico",
                        QStringLiteral("Het risicobedrag volgt uit een afzonderlijk model voor het risicobedrag. "
                                       "Voer dat model uit met dezelfde aanvang nazorg, rente en inflatie als in "
                                       "dit programma en vul de uitkomst hier in.")),
                  0, 0, 1, 2);
    g3->addWidget(label(tab3, "lblRisicoBedrag", QStringLiteral("Risicobedrag (eenmalig):")), 1, 0);
    g3->addWidget(txtAlgRisico, 1, 1);
    g3->setColumnStretch(2, 1);
    g3->setRowStretch(2, 1);
    SSTab1->addTab(tab3, QStringLiteral("Risicobedrag"));
    // Another tab hides the field that has the focus: it is checked first.
    SSTab1->tabBar()->installEventFilter(this);

    cmdApply = new QPushButton(QStringLiteral("&Sluiten"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    // A click leaves the focus where it is, so that the field that has it
    // is checked before the screen closes; Tab reaches the button.
    cmdApply->setFocusPolicy(Qt::TabFocus);
    connect(cmdApply, &QPushButton::clicked, this, &frmAlgNazKosten::cmdApply_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    auto *onder = new QHBoxLayout;
    onder->addStretch();
    onder->addWidget(cmdApply);
    layout->addLayout(onder);
}

frmAlgNazKosten *frmAlgNazKosten::load()
{
    if (auto *f = Form::loaded<frmAlgNazKosten>())
        return f;
    auto *f = new frmAlgNazKosten;
    try {
        f->Form_Load();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAlgNazKosten.Form_Load")));
        // Without its record the screen has nothing to save; the bindings
        // let go of the record before it goes.
        f->m_binding.reset();
        f->m_stort.reset();
        f->unload();
        if (!f->isLoaded())
            f->deleteLater();
        return nullptr;
    }
    return f;
}

void frmAlgNazKosten::Form_Load()
{
    loadForm();
    moveFrame(twips(100), twips(100));

    const calc::Context ctx = currentContext();
    m_stort = std::make_unique<records::clsStort>(ctx);
    m_stort->initializeStort(ctx.glngStortID);
    m_cl = std::make_unique<checklist::clsCL>(currentChecklistContext());
    m_cl->initializeCL(ctx.gintCL_ID);

    bindVelden();

    // Data entered before the option existed.
    const QVariant opp = m_stort->value(QStringLiteral("sngNazorgOpp"));
    const QVariant optie = m_stort->value(QStringLiteral("bytRapEval"));
    if (!db::isNull(opp) && (db::isNull(optie) || optie.toInt() == 0))
        ui::MsgBox(QStringLiteral("In deze versie van TAVIR wordt de berekening van de toeslag 'Rapportage en "
                                  "evaluatie' anders uitgevoerd. U dient de benodigde gegevens opnieuw in te "
                                  "voeren."),
                   ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Toeslag Rapportage/evaluatie"));

    psubInitChecklistWaarden();
    toonOptie(AlgNazKostenRegels::optieVanTekst(txtOptieRapEval->text()));
    connect(txtLocatieNazorgOpp, &QLineEdit::textChanged, this, &frmAlgNazKosten::txtLocatieNazorgOpp_Change);
    connect(txtOptieRapEval, &QLineEdit::textChanged, this, &frmAlgNazKosten::txtOptieRapEval_Change);
    vernieuwAlles();
    // The explanations have their texts now: the window fits them.
    fitFrame();
}

void frmAlgNazKosten::bindVelden()
{
    m_binding = std::make_unique<FieldBindings>(*m_stort, this);
    m_binding->add(txtAlgAppKosten, QStringLiteral("sngAlgAppKostenBasis"), QString::fromUtf8(kBedrag));
    m_binding->add(txtAlgCommunicatie, QStringLiteral("sngAlgCommunicatieKosten"), QString::fromUtf8(kBedrag));
    // Whole euros as the risk model gives them; 0 shows as "€ 0", not as a
    // lone euro sign.
    m_binding->add(txtAlgRisico, QStringLiteral("sngAlgRisicoBedrag"), QString::fromUtf8(kBedrag));
    m_binding->add(txtAppKostenBasisPerc, QStringLiteral("sngAppKostenPerc"), QLatin1String(kPerc));
    m_binding->add(txtOptieRapEval, QStringLiteral("bytRapEval"));
    m_binding->add(txtLocatieNazorgOpp, QStringLiteral("sngNazorgOpp"), QLatin1String(kOpp));
    m_binding->add(txtRapEvalKleinerDan10ha, QStringLiteral("sngRapEvalMin"), QString::fromUtf8(kBedrag));
    m_binding->add(txtRapEvalPerHa, QStringLiteral("sngRapEvalPerHa"), QString::fromUtf8(kBedrag));
    m_binding->add(txtRapEvalGroterDan34_5ha, QStringLiteral("sngRapEvalMax"), QString::fromUtf8(kBedrag));
    m_binding->add(txtOnvoorzien, QStringLiteral("sngOnvoorzien"), QLatin1String(kPerc));
    m_binding->add(txtOntwerpdirectieFixed, QStringLiteral("sngOntwerpdirectie"), QLatin1String(kPerc));

    m_validation = std::make_unique<FieldValidation>(this);
    // A number, then the notices of the field.
    const struct {
        MaskedEdit *veld;
        const char *titel;
        void (frmAlgNazKosten::*vernieuw)();
    } checks[] = {{txtAlgAppKosten, "Basisbedrag apparaatskosten", &frmAlgNazKosten::vernieuwApp},
                  {txtAlgCommunicatie, "Communicatiekosten", &frmAlgNazKosten::vernieuwCom},
                  {txtRapEvalKleinerDan10ha, "Kosten rapportage/evaluatie", &frmAlgNazKosten::vernieuwRapEval},
                  {txtRapEvalPerHa, "Kosten rapportage/evaluatie", &frmAlgNazKosten::vernieuwRapEval},
                  {txtRapEvalGroterDan34_5ha, "Kosten rapportage/evaluatie", &frmAlgNazKosten::vernieuwRapEval},
                  {txtOnvoorzien, "Percentage onvoorzien", &frmAlgNazKosten::vernieuwOnvoorzien},
                  {txtAlgRisico, "Risicobedrag", nullptr}};
    for (const auto &c : checks)
        m_validation->add(c.veld, [this, c] {
            if (!controleerWaarde(c.veld, QString::fromUtf8(c.titel)))
                return false;
            if (c.vernieuw)
                (this->*c.vernieuw)();
            return true;
        });
    // The percentage checks the base amount first.
    m_validation->add(txtAppKostenBasisPerc, [this] {
        if (!controleerWaarde(txtAlgAppKosten, QStringLiteral("Basisbedrag apparaatskosten"))
            || !controleerWaarde(txtAppKostenBasisPerc, QStringLiteral("Percentage apparaatskosten")))
            return false;
        vernieuwApp();
        return true;
    });
    // Under the differentiated scheme the field is not checked.
    m_validation->add(txtOntwerpdirectieFixed, [this] {
        if (!m_regels->checklist().blnGedifferentieerd
            && !controleerWaarde(txtOntwerpdirectieFixed, QStringLiteral("Percentage ontwerp/directie")))
            return false;
        vernieuwOntwerpdirectie();
        return true;
    });
    m_validation->add(txtLocatieNazorgOpp, [this] {
        if (!pfunValideerNazorgOpp())
            return false;
        m_binding->write(txtLocatieNazorgOpp);
        return true;
    });
}

void frmAlgNazKosten::psubInitChecklistWaarden()
{
    txtAlgAppKosten->setEnabled(true);
    txtAlgCommunicatie->setEnabled(true);
    m_regels.emplace(NazorgChecklistWaarden::lees(*m_cl));
    const AlgNazKostenRegels &regels = *m_regels;
    optRapEval[2]->setText(regels.captionOptie2());
    optRapEval[3]->setText(regels.captionOptie3());
    lblCommunicatie->setText(regels.lblCommunicatie());
    lblAppKostenBasis->setText(regels.lblAppKostenBasis());
    lblAppKostenBasisPerc->setText(AlgNazKostenRegels::lblAppKostenBasisPerc());
    lblRapEval->setText(regels.lblRapEval());

    // Defaults into empty fields, through the record's setters.
    const auto leeg = [](QLineEdit *e) { return e->text().isEmpty(); };
    records::clsStort &s = *m_stort;
    if (leeg(txtAlgAppKosten))
        s.AppKostenBasis(regels.standaard(NazorgVeld::AppKostenBasis));
    if (leeg(txtAppKostenBasisPerc))
        s.AppKostenBasisPerc(regels.standaard(NazorgVeld::AppKostenBasisPerc));
    if (leeg(txtRapEvalKleinerDan10ha))
        s.RapEvalMin(regels.standaard(NazorgVeld::RapEvalMin));
    if (leeg(txtRapEvalPerHa))
        s.RapEvalPerHa(regels.standaard(NazorgVeld::RapEvalPerHa));
    if (leeg(txtRapEvalGroterDan34_5ha))
        s.RapEvalMax(regels.standaard(NazorgVeld::RapEvalMax));
    if (leeg(txtOnvoorzien))
        s.Onvoorzien(regels.standaard(NazorgVeld::Onvoorzien));
    if (regels.checklist().blnGedifferentieerd) {
        s.OntwerpdirectieFixed(0.0f);
        txtOntwerpdirectieFixed->setEnabled(false);
    } else {
        if (leeg(txtOntwerpdirectieFixed))
            s.OntwerpdirectieFixed(regels.standaard(NazorgVeld::OntwerpdirectieFixed));
        txtOntwerpdirectieFixed->setEnabled(true);
    }
    if (leeg(txtAlgCommunicatie))
        s.CommunicatieKosten(regels.standaard(NazorgVeld::CommunicatieKosten));
}

// ---- Deviation notices -------------------------------------------------------

void frmAlgNazKosten::vernieuwApp()
{
    lblAfwijkingApp->setVisible(m_regels->wijktAfAppKostenBasis(m_stort->AppKostenBasis()));
    lblAfwijkingAppPerc->setVisible(m_regels->wijktAfAppKostenPerc(m_stort->AppKostenBasisPerc()));
}

void frmAlgNazKosten::vernieuwCom()
{
    lblAfwijkingCom->setVisible(m_regels->wijktAfCommunicatie(m_stort->CommunicatieKosten()));
}

void frmAlgNazKosten::vernieuwRapEval()
{
    const int optie = AlgNazKostenRegels::optieVanTekst(txtOptieRapEval->text());
    switch (optie) {
    case 1:
        lblAfwijkingRapEvalMin->setVisible(m_regels->wijktAfRapEval(1, m_stort->RapEvalMin()));
        break;
    case 2:
        lblAfwijkingRapEvalPerHa->setVisible(m_regels->wijktAfRapEval(2, m_stort->RapEvalPerHa()));
        break;
    case 3:
        lblAfwijkingRapEvalMax->setVisible(m_regels->wijktAfRapEval(3, m_stort->RapEvalMax()));
        break;
    default:
        break;
    }
}

void frmAlgNazKosten::vernieuwOnvoorzien()
{
    lblAfwijkingOnvoorzien->setVisible(m_regels->wijktAfOnvoorzien(m_stort->Onvoorzien()));
}

void frmAlgNazKosten::vernieuwOntwerpdirectie()
{
    if (m_regels->checklist().blnGedifferentieerd) {
        lblOntwerpDirectieToelichting->setText(AlgNazKostenRegels::lblOntwerpDirectieGedifferentieerd());
        txtOntwerpdirectieFixed->setVisible(false);
        lblAfwijkingOntwerpdirectie->setVisible(false);
        lblOntwDirectiePercentage->setVisible(false);
        return;
    }
    lblAfwijkingOntwerpdirectie->setVisible(m_regels->wijktAfOntwerpdirectie(m_stort->OntwerpdirectieFixed()));
}

void frmAlgNazKosten::vernieuwAlles()
{
    vernieuwApp();
    vernieuwCom();
    vernieuwRapEval();
    vernieuwOnvoorzien();
    vernieuwOntwerpdirectie();
}

// ---- Reporting/evaluation option ---------------------------------------------

void frmAlgNazKosten::txtLocatieNazorgOpp_Change()
{
    const int optie = m_cl->CalcOptieRapEval(QVariant(txtLocatieNazorgOpp->text()));
    if (optie == AlgNazKostenRegels::optieVanTekst(txtOptieRapEval->text()))
        return;
    txtOptieRapEval->setText(vb::CStr(optie));
    m_binding->setChanged(txtOptieRapEval, true);
    try {
        m_binding->write(txtOptieRapEval);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAlgNazKosten.txtLocatieNazorgOpp_Change")));
    }
}

void frmAlgNazKosten::txtOptieRapEval_Change()
{
    toonOptie(AlgNazKostenRegels::optieVanTekst(txtOptieRapEval->text()));
}

void frmAlgNazKosten::toonOptie(int optie)
{
    const RapEvalWeergave w = AlgNazKostenRegels::weergave(optie);
    if (!w.bekend)
        return;
    blnOptieBijwerken = true;
    for (int i = 1; i <= 3; ++i)
        optRapEval[i]->setChecked(i == w.geselecteerd);
    optRapEval[0]->setChecked(false);
    // Setting an option button runs its click: the option to show from now on.
    bytOptieRapEvalHuidig = optie;
    txtRapEvalKleinerDan10ha->setEnabled(w.minAan);
    txtRapEvalPerHa->setEnabled(w.perHaAan);
    txtRapEvalGroterDan34_5ha->setEnabled(w.maxAan);
    blnOptieBijwerken = false;
}

void frmAlgNazKosten::optRapEval_Click(int)
{
    if (blnOptieBijwerken)
        return;
    toonOptie(bytOptieRapEvalHuidig);
    ui::MsgBox(QStringLiteral("De keuze volgt automatisch uit het aantal hectare nazorgoppervlak dat u invult en kan "
                              "niet handmatig ingesteld worden."),
               ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Toeslag rapportage/evaluatie"));
}

// ---- Field checks ---------------------------------------------------------------

bool frmAlgNazKosten::toontOpgeslagenWaarde(QLineEdit *e) const
{
    return !m_binding->isChanged(e) && e->text() == m_binding->displayText(e)
           && !db::isNull(m_stort->value(m_binding->fieldOf(e)));
}

bool frmAlgNazKosten::controleerWaarde(MaskedEdit *e, const QString &titel)
{
    const vb::NumberKind soort = e->maxDigits() > 0 ? vb::NumberKind::Whole : vb::NumberKind::Fraction;
    const QString fout = AlgNazKostenRegels::waardeFout(e->text(), toontOpgeslagenWaarde(e), soort);
    if (!fout.isEmpty()) {
        m_binding->setChanged(e, false);
        ui::MsgBox(fout, ui::Buttons::OK, ui::Icon::Exclamation, titel);
        return false;
    }
    try {
        m_binding->write(e);
    } catch (const platform::Error &err) {
        meldFout(err.withSource(QStringLiteral("frmAlgNazKosten.") + e->objectName() + QStringLiteral("_Validate")));
        return false;
    }
    return true;
}

bool frmAlgNazKosten::pfunValideerNazorgOpp()
{
    const QString fout = AlgNazKostenRegels::nazorgOppFout(txtLocatieNazorgOpp->text());
    if (fout.isEmpty())
        return true;
    if (!vb::TypedNumber(txtLocatieNazorgOpp->text()))
        m_binding->setChanged(txtLocatieNazorgOpp, false);
    ui::MsgBox(fout, ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Invoer nazorgoppervlak"));
    return false;
}

bool frmAlgNazKosten::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SSTab1->tabBar() && event->type() == QEvent::MouseButtonPress && m_validation
        && !m_validation->controleerFocus())
        return true;
    return Form::eventFilter(watched, event);
}

// ---- Closing ------------------------------------------------------------------

void frmAlgNazKosten::cmdApply_Click()
{
    unload();
}

bool frmAlgNazKosten::QueryUnload()
{
    if (!m_stort || !m_binding)
        return true;
    // Every way out (this button, the close box, Ctrl+F4, the program
    // closing) checks the field that has the focus first: a refused text
    // keeps the screen open with the field's own box.
    if (m_validation && !m_validation->controleerFocus())
        return false;
    if (!pfunValideerNazorgOpp())
        return false;
    // A failing store keeps the screen open with the edits, unless the user
    // drops them.
    return bewaarStortRij(*m_binding, *m_stort);
}

void frmAlgNazKosten::Form_Unload()
{
    // The area was checked by QueryUnload, which every close runs first.
    m_validation.reset();
    m_binding.reset();
    m_cl.reset();
    m_stort.reset();
}

} // namespace screens

#include "screens/frmAlgemeen.h"

#include "screens/field_binding.h"
#include "screens/field_validation.h"
#include "screens/form_load.h"
#include "screens/frmAlgemeen_rules.h"
#include "screens/frmTonnage.h"
#include "screens/frmVersiebeheer.h"
#include "screens/layout_helpers.h"
#include "screens/masked_edit.h"
#include "screens/session.h"
#include "screens/site_row_save.h"

#include "calc/verify_ansich.h"
#include "checklist/clsCL.h"
#include "records/clsStort.h"

#include "platform/core/error.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

namespace screens {

namespace {

const QString kBron = QStringLiteral("frmAlgemeen");
const QString kVeldProv = QStringLiteral("bytProv_REF");
const QString kVeldBedrijfsGebonden = QStringLiteral("bytBedrijfsgebonden");
const QString kRenteTip =
    QStringLiteral("Standaard vult het model een rente van 5,00 % en een inflatie van 2,00 % in.");

// A label that is one link. Tab and Shift+Tab reach it once, with the link
// highlighted so that Enter follows it, and move on from it at once; a
// plain QLabel takes the focus with nothing highlighted and keeps it for a
// Tab to its link.
class LinkLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QLabel::focusInEvent(event);
        if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
            QLabel::focusNextPrevChild(event->reason() == Qt::TabFocusReason);
    }

    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

QLabel *link(QWidget *parent, const char *name, const QString &tekst)
{
    auto *label =
        new LinkLabel(QStringLiteral("<a href=\"#\">") + tekst.toHtmlEscaped() + QStringLiteral("</a>"), parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

void weiger(const Weigering &w)
{
    ui::MsgBox(w.tekst, ui::Buttons::OK, ui::Icon::Exclamation, w.titel);
}

// A stored code as a number; none for Null or a value that is no number.
std::optional<int> codeVan(const QVariant &v)
{
    bool ok = false;
    const int code = v.isNull() ? 0 : v.toInt(&ok);
    return ok ? std::optional<int>(code) : std::nullopt;
}

QVariant waardeVan(std::optional<int> code)
{
    return code ? QVariant(*code) : QVariant();
}

} // namespace

frmAlgemeen::frmAlgemeen() : Form(QStringLiteral("frmAlgemeen"))
{
    setWindowTitle(QStringLiteral("Gegevens inrichting"));
    setFixedBorder();
    m_validation = std::make_unique<FieldValidation>(this);
    maakSchermen();
}

frmAlgemeen::~frmAlgemeen()
{
    // The bindings let go of the record before it goes.
    m_binding.reset();
}

QLineEdit *frmAlgemeen::veld(QWidget *tab, const char *name, const QString &label)
{
    auto *edit = new QLineEdit(tab);
    edit->setObjectName(QLatin1String(name));
    edit->installEventFilter(this);
    if (auto *form = qobject_cast<QFormLayout *>(tab->layout()))
        form->addRow(label, edit);
    return edit;
}

void frmAlgemeen::maakSchermen()
{
    auto *layout = new QVBoxLayout(this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    showAllTabs(SSTab1);
    focusFirstControlOfChosenTab(SSTab1);
    layout->addWidget(SSTab1);

    // Locatie
    auto *locatie = new QWidget(SSTab1);
    auto *locForm = new QFormLayout(locatie);
    txtLocatieNaam = veld(locatie, "txtLocatieNaam", QStringLiteral("Naam:"));
    txtLocatieRIVMnr = veld(locatie, "txtLocatieRIVMnr", QStringLiteral("RIVM-nummer:"));
    lstProv = new QComboBox(locatie);
    lstProv->setObjectName(QStringLiteral("lstProv"));
    lstProv->setEditable(true);
    lstProv->setInsertPolicy(QComboBox::NoInsert);
    locForm->addRow(QStringLiteral("Provincie:"), lstProv);
    txtLocatieAdres = veld(locatie, "txtLocatieAdres", QStringLiteral("Vestigingsadres:"));
    lblStortType = new QLabel(locatie);
    lblStortType->setObjectName(QStringLiteral("lblStortType"));
    locForm->addRow(QStringLiteral("Type inrichting:"), lblStortType);
    SSTab1->addTab(locatie, QStringLiteral("Locatie"));

    // Vergunninghouder and Ingevuld door
    const char *const verg[6] = {"txtVergHouderNaam",  "txtVergHouderPostadres", "txtVergHouderContactPers",
                                 "txtVergHouderTelnr", "txtVergHouderFaxnr",     "txtVergHouderEmail"};
    const char *const inv[6] = {"txtInvullerNaam",  "txtInvullerPostadres", "txtInvullerContactPers",
                                "txtInvullerTelnr", "txtInvullerFaxnr",     "txtInvullerEmail"};
    const QString labels[6] = {
        QStringLiteral("Naam:"),     QStringLiteral("Postadres:"), QStringLiteral("Contactpersoon:"),
        QStringLiteral("Telefoon:"), QStringLiteral("Fax:"),       QStringLiteral("E-mail:")};
    auto *vergTab = new QWidget(SSTab1);
    new QFormLayout(vergTab);
    auto *invTab = new QWidget(SSTab1);
    new QFormLayout(invTab);
    for (int i = 0; i < 6; ++i) {
        txtVergHouder[i] = veld(vergTab, verg[i], labels[i]);
        txtInvuller[i] = veld(invTab, inv[i], labels[i]);
    }
    SSTab1->addTab(vergTab, QStringLiteral("Vergunninghouder"));
    SSTab1->addTab(invTab, QStringLiteral("Ingevuld door"));

    // Doelvermogen & heffing
    auto *dv = new QWidget(SSTab1);
    auto *dvForm = new QFormLayout(dv);
    txtRente = veld(dv, "txtRente", QStringLiteral("Rente (%):"));
    txtRente->setToolTip(kRenteTip);
    txtInflatie = veld(dv, "txtInflatie", QStringLiteral("Inflatie (%):"));
    txtInflatie->setToolTip(kRenteTip);
    txtAanvangNazorg = veld(dv, "txtAanvangNazorg", QStringLiteral("Aanvang nazorg:"));
    auto *jaarRij = new QWidget(dv);
    auto *jaarLayout = new QHBoxLayout(jaarRij);
    jaarLayout->setContentsMargins(0, 0, 0, 0);
    txtJaar_1 = new QLineEdit(jaarRij);
    txtJaar_1->setObjectName(QStringLiteral("txtJaar_1"));
    txtJaar_1->setReadOnly(true);
    txtJaar_1->setToolTip(
        QStringLiteral("Het kalenderjaar van het prijspeil is gerelateerd aan de van toepassing zijnde QOR-checklist"));
    lblInfoPrijspeil = link(jaarRij, "lblInfoPrijspeil", QStringLiteral("Info"));
    jaarLayout->addWidget(txtJaar_1);
    jaarLayout->addWidget(lblInfoPrijspeil);
    dvForm->addRow(QStringLiteral("Prijspeil:"), jaarRij);

    auto *frame = new QGroupBox(QStringLiteral("Bedrijfsgebonden"), dv);
    frame->setObjectName(QStringLiteral("fraBedrijfsGebonden"));
    auto *frameLayout = new QHBoxLayout(frame);
    const char *const opties[2] = {"nee", "ja"};
    const QString tips[2] = {
        QStringLiteral("De heffing wordt berekend per ton gestort materiaal"),
        QStringLiteral("De heffing wordt NIET omgeslagen per ton gestort materiaal. Bedrijfsbonden inrichtingen zijn "
                       "altijd objectgebonden.")};
    for (int i = 0; i < 2; ++i) {
        optBedrijfsGebonden[i] = new QRadioButton(QLatin1String(opties[i]), frame);
        optBedrijfsGebonden[i]->setObjectName(QStringLiteral("optBedrijfsGebonden_%1").arg(i));
        optBedrijfsGebonden[i]->setToolTip(tips[i]);
        frameLayout->addWidget(optBedrijfsGebonden[i]);
        connect(optBedrijfsGebonden[i], &QRadioButton::clicked, this, [this, i] { optBedrijfsGebonden_Click(i); });
    }
    dvForm->addRow(frame);
    chkObjectGebonden = new QCheckBox(QStringLiteral("Objectgebonden"), dv);
    chkObjectGebonden->setObjectName(QStringLiteral("chkObjectGebonden"));
    dvForm->addRow(chkObjectGebonden);
    cmdAfvalprognose = new QPushButton(QStringLiteral("Prognose afvalaanbod..."), dv);
    cmdAfvalprognose->setObjectName(QStringLiteral("cmdAfvalprognose"));
    dvForm->addRow(cmdAfvalprognose);
    // A single "&" would mark the next letter as the tab's shortcut.
    SSTab1->addTab(dv, QStringLiteral("Doelvermogen && heffing"));

    // The checklist version and the close button below the tabs.
    auto *onder = new QHBoxLayout;
    lblChecklistHuidig = new QLabel(this);
    lblChecklistHuidig->setObjectName(QStringLiteral("lblChecklistHuidig"));
    lblChecklistHuidigWijzig = link(this, "lblChecklistHuidigWijzig", QStringLiteral("Actualiseer ..."));
    lblChecklistHuidigWijzig->hide();
    cmdApply = new QPushButton(QStringLiteral("&Sluiten"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    // A click leaves the focus where it is, so that closing checks that
    // field once, with the closing notice.
    cmdApply->setFocusPolicy(Qt::TabFocus);
    onder->addWidget(lblChecklistHuidig);
    onder->addWidget(lblChecklistHuidigWijzig);
    onder->addStretch();
    onder->addWidget(cmdApply);
    layout->addLayout(onder);

    connect(cmdApply, &QPushButton::clicked, this, &frmAlgemeen::cmdApply_Click);
    connect(cmdAfvalprognose, &QPushButton::clicked, this, &frmAlgemeen::cmdAfvalprognose_Click);
    connect(lblInfoPrijspeil, &QLabel::linkActivated, this, &frmAlgemeen::lblInfoPrijspeil_Click);
    connect(lblChecklistHuidigWijzig, &QLabel::linkActivated, this, &frmAlgemeen::lblChecklistHuidigWijzig_Click);

    m_validation->add(lstProv, [this] { return lstProv_Validate(); });
    m_validation->add(txtAanvangNazorg, [this] { return txtAanvangNazorg_Validate(); });
    m_validation->add(txtLocatieNaam, [this] { return txtLocatieNaam_Validate(); });
    m_validation->add(txtRente, [this] { return percentageValidate(txtRente, QStringLiteral("rente")); });
    m_validation->add(txtInflatie, [this] { return percentageValidate(txtInflatie, QStringLiteral("inflatie")); });
    // Every other bound field goes to the record when it is left.
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        if (edit == txtAanvangNazorg || edit == txtLocatieNaam || edit == txtRente || edit == txtInflatie
            || edit->parent() == lstProv)
            continue;
        m_validation->add(edit, [this, edit] { return velVerlaten(edit, true); });
    }
}

frmAlgemeen *frmAlgemeen::load()
{
    if (auto *f = Form::loaded<frmAlgemeen>())
        return f;
    auto *f = geladenOfGemeld(
        new frmAlgemeen, [](frmAlgemeen *n) { n->Form_Load(); }, "frmAlgemeen.Form_Load");
    if (!f)
        return nullptr;
    f->loadForm();
    f->moveFrame(twips(100), twips(100));
    return f;
}

void frmAlgemeen::Form_Load()
{
    const calc::Context ctx = currentContext();
    for (const Provincie &p : ProvincieLijst())
        lstProv->addItem(p.naam, p.code);
    lstProv->setCurrentIndex(-1);

    m_stort = std::make_unique<records::clsStort>(ctx);
    m_stort->initializeStort(ctx.glngStortID);
    m_stortType = m_stort->intStortType();
    const QString caption = ObjectGebondenCaption(m_stortType);
    if (!caption.isEmpty())
        chkObjectGebonden->setText(caption);
    chkObjectGebonden->setToolTip(QStringLiteral("Aangevinkt: de heffing wordt berekend uit het doelvermogen van deze "
                                                 "stort alleen (geen verevening met andere inrichtingen in de "
                                                 "provincie)."));

    m_binding = std::make_unique<FieldBindings>(*m_stort, this);
    m_binding->add(txtLocatieNaam, QStringLiteral("strStortNaam"));
    m_binding->add(txtLocatieRIVMnr, QStringLiteral("strRIVMnr"));
    m_binding->addValue(
        kVeldProv, [this](const QVariant &v) { zetProv(codeVan(v)); }, [this] { return waardeVan(m_prov); });
    m_binding->add(txtLocatieAdres, QStringLiteral("memVestigingsadres"));
    const char *const verg[6] = {"strVergNaam", "strVergPostAdres", "strVergContPers",
                                 "strVergTel",  "strVergFax",       "strVergEmail"};
    const char *const inv[6] = {"strInvNaam", "strInvPostAdres", "strInvContPers",
                                "strInvTel",  "strInvFax",       "strInvEmail"};
    for (int i = 0; i < 6; ++i)
        m_binding->add(txtVergHouder[i], QLatin1String(verg[i]));
    for (int i = 0; i < 6; ++i)
        m_binding->add(txtInvuller[i], QLatin1String(inv[i]));
    m_binding->add(txtRente, QStringLiteral("sngRentePerc"), QStringLiteral("0.00"));
    m_binding->add(txtInflatie, QStringLiteral("sngInflPerc"), QStringLiteral("0.00"));
    m_binding->add(txtAanvangNazorg, QStringLiteral("dtmAanvangNazorg"));
    m_binding->add(txtJaar_1, QStringLiteral("intJaarPrijsPeil"));
    m_binding->addValue(
        kVeldBedrijfsGebonden, [this](const QVariant &v) { zetBedrijfsGebonden(codeVan(v)); },
        [this] { return waardeVan(m_bedrijfsGebonden); });
    m_binding->add(chkObjectGebonden, QStringLiteral("bytObjectgebonden"));
    // A click on the check box is written at once.
    connect(chkObjectGebonden, &QCheckBox::clicked, this, [this] { velVerlaten(chkObjectGebonden, true); });
    // The carriers' change rules ran before the kind of site was known.
    bedrijfsGebondenToepassen();

    lblStortType->setText(StortTypeNaam(m_stortType));
    blnNieuweInrichting = txtJaar_1->text().isEmpty();
    psubToonChecklistVersie();
}

void frmAlgemeen::psubToonChecklistVersie()
{
    checklist::clsCL cl(currentChecklistContext());
    cl.initializeCL(qint32(vb::CInt(double(m_stort->checklist_ID()))));
    m_stort->GetInfoChecklist();
    lblChecklistHuidig->setText(QStringLiteral("Checklistversie: ") + m_stort->ClInfo_Versie);
    lblChecklistHuidigWijzig->show();
    // The site's price level is always that of its checklist version.
    const QString jaar = QString::number(cl.intJaarPrijspeil());
    m_binding->setText(txtJaar_1, jaar);
}

// ---- Commands ----------------------------------------------------------------

void frmAlgemeen::cmdApply_Click()
{
    unload();
}

void frmAlgemeen::cmdAfvalprognose_Click()
{
    frmTonnage::load();
}

void frmAlgemeen::lblInfoPrijspeil_Click()
{
    ui::MsgBox(QStringLiteral("Het prijspeil is vastgelegd in de QOR-checklist. Alle bedragen dienen ingevoerd te "
                              "worden in dit prijspeil."),
               ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Informatie prijspeil"));
}

void frmAlgemeen::lblChecklistHuidigWijzig_Click()
{
    try {
        const calc::Context ctx = currentContext();
        if (!modVerifyAnSich::VerifyInvoerInrichting(ctx, ctx.glngStortID, ctx.gstrNaamStort))
            return;
        if (blnNieuweInrichting) {
            ui::MsgBox(QStringLiteral("U dient eerst het scherm 'toeslagen nazorgfase' in te vullen alvorens u de "
                                      "checklistversie kan wijzigen."),
                       ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Wijzigen checklist nieuwe inrichting"));
            return;
        }
        frmVersiebeheer *versies = frmVersiebeheer::load();
        versies->frame()->hide();
        if (versies->NieuwereChecklistBeschikbaar()) {
            versies->frame()->show();
            return;
        }
        versies->unload();
        ui::MsgBox(QStringLiteral("De momenteel geselecteerde checklist is de meest recente checklist die beschikbaar "
                                  "is."),
                   ui::Buttons::OK, ui::Icon::Information, QStringLiteral("Keuze checklist"));
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAlgemeen.lblChecklistHuidigWijzig_Click")));
    }
}

// ---- Field rules ---------------------------------------------------------------

bool frmAlgemeen::velVerlaten(QWidget *control, bool ok)
{
    if (!ok)
        return false;
    if (!m_binding)
        return true;
    try {
        m_binding->write(control);
    } catch (const platform::Error &e) {
        // The field cannot hold the value: the focus stays for a correction.
        meldFout(e.withSource(kBron));
        return false;
    }
    return true;
}

bool frmAlgemeen::codeVerlaten(const QString &veld)
{
    if (!m_binding)
        return true;
    try {
        m_binding->writeValue(veld);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(kBron));
        return false;
    }
    return true;
}

bool frmAlgemeen::lstProv_Validate()
{
    const int index = lstProv->findText(lstProv->currentText(), Qt::MatchExactly);
    if (index < 0) {
        weiger({QStringLiteral("Selecteer een bestaande provincie."), QStringLiteral("Selectie provincie")});
        return false;
    }
    if (lstProv->currentIndex() != index)
        lstProv->setCurrentIndex(index);
    const int code = lstProv->itemData(index).toInt();
    if (m_prov != code) {
        m_prov = code;
        m_binding->markChanged(kVeldProv);
    }
    return codeVerlaten(kVeldProv);
}

void frmAlgemeen::zetProv(std::optional<int> code)
{
    m_prov = code;
    if (!code)
        return;
    for (int i = 0; i < lstProv->count(); ++i) {
        if (lstProv->itemData(i).toInt() == *code) {
            lstProv->setCurrentIndex(i);
            return;
        }
    }
}

bool frmAlgemeen::txtAanvangNazorg_Validate()
{
    if (const auto w = ToetsAanvangNazorg(txtAanvangNazorg->text())) {
        weiger(*w);
        return false;
    }
    return velVerlaten(txtAanvangNazorg, true);
}

bool frmAlgemeen::txtLocatieNaam_Validate()
{
    const QString naam = txtLocatieNaam->text();
    bool bestaatAl = false;
    if (!naam.isEmpty()) {
        try {
            bestaatAl = m_stort->StortnaamBestaatAl(naam);
        } catch (const platform::Error &e) {
            meldFout(e.withSource(QStringLiteral("frmAlgemeen.txtLocatieNaam_Validate")));
            return false;
        }
    }
    if (const auto w = ToetsNaam(naam, bestaatAl)) {
        // The refused text never reaches the record.
        m_binding->setChanged(txtLocatieNaam, false);
        weiger(*w);
        return false;
    }
    m_gemeldeNaam = naam;
    emit naamStortGewijzigd(naam);
    return velVerlaten(txtLocatieNaam, true);
}

bool frmAlgemeen::percentageValidate(QLineEdit *edit, const QString &naam)
{
    // Read as the number it shows, or refused: never another number.
    if (!edit->text().trimmed().isEmpty() && !m_binding->holdsNumber(edit)) {
        m_binding->setChanged(edit, false);
        weiger(OngeldigPercentage(naam));
        return false;
    }
    return velVerlaten(edit, true);
}

void frmAlgemeen::optBedrijfsGebonden_Click(int index)
{
    if (m_bedrijfsGebonden == index)
        return;
    zetBedrijfsGebonden(index);
    m_binding->markChanged(kVeldBedrijfsGebonden);
    codeVerlaten(kVeldBedrijfsGebonden);
}

void frmAlgemeen::zetBedrijfsGebonden(std::optional<int> code)
{
    m_bedrijfsGebonden = code;
    bedrijfsGebondenToepassen();
}

void frmAlgemeen::bedrijfsGebondenToepassen()
{
    const QString code = m_bedrijfsGebonden ? QString::number(*m_bedrijfsGebonden) : QString();
    const BedrijfsGebondenStand s = BedrijfsGebonden(code, m_stortType);
    for (int i = 0; i < 2; ++i) {
        // Only one button of the group is ever selected; none for an empty code.
        optBedrijfsGebonden[i]->setAutoExclusive(false);
        optBedrijfsGebonden[i]->setChecked(i == s.optie);
        optBedrijfsGebonden[i]->setAutoExclusive(true);
    }
    if (s.objectAanvinken && !chkObjectGebonden->isChecked() && m_binding) {
        m_binding->setChecked(chkObjectGebonden, true);
        velVerlaten(chkObjectGebonden, true);
    }
    chkObjectGebonden->setEnabled(s.objectIngeschakeld);
    cmdAfvalprognose->setEnabled(s.prognoseIngeschakeld);
}

// ---- Keys --------------------------------------------------------------------

bool frmAlgemeen::eventFilter(QObject *watched, QEvent *event)
{
    if (keypadDecimalAsComma(qobject_cast<QLineEdit *>(watched), event))
        return true;
    return Form::eventFilter(watched, event);
}

// ---- Closing -------------------------------------------------------------------

bool frmAlgemeen::QueryUnload()
{
    if (!m_stort || !m_validation)
        return true;
    if (!m_validation->controleerFocus()) {
        ui::MsgBox(QStringLiteral("Ongeldige invoer"), ui::Buttons::OK, ui::Icon::Exclamation);
        return false;
    }
    // A failing save keeps the screen open with every edit, unless the user
    // drops them.
    if (!bewaarStortRij(*m_binding, *m_stort))
        return false;
    // A name announced but dropped with the other edits is not the site's:
    // the stored one is announced again.
    if (!m_gemeldeNaam.isNull()) {
        const QString opgeslagen = m_stort->value(QStringLiteral("strStortNaam")).toString();
        if (opgeslagen != m_gemeldeNaam) {
            m_gemeldeNaam = opgeslagen;
            emit naamStortGewijzigd(opgeslagen);
        }
    }
    if (const auto w = ToetsAanvangNazorg(txtAanvangNazorg->text())) {
        weiger(*w);
        return false;
    }
    return true;
}

void frmAlgemeen::Form_Unload()
{
    // The fields are no longer checked or written when the window goes.
    m_validation.reset();
    m_binding.reset();
    m_stort.reset();
    if (session().leesHuidigeStort) {
        try {
            session().leesHuidigeStort();
        } catch (const platform::Error &e) {
            meldFout(e.withSource(QStringLiteral("frmAlgemeen.Form_Unload")));
        }
    }
}

} // namespace screens

#include "screens/frmAct_panel.h"

// The detail panel of the cost-item screen at work: its bindings, the
// option groups and their codes, the field checks, the storing of the row
// and the marking. The checklist information: frmAct_panel_info.cpp.

#include "screens/field_binding.h"
#include "screens/field_validation.h"
#include "screens/frmAct_marking.h"
#include "screens/layout_helpers.h"
#include "screens/masked_edit.h"
#include "screens/multi_line_edit.h"
#include "screens/session.h"
#include "screens/site_tree_widget.h"

#include "checklist/clsCL.h"
#include "records/clsAct.h"

#include "platform/core/error.h"
#include "platform/text/format.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/vb_color.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace screens {

using records::SiteTree;

namespace {
const QString CRLF = QStringLiteral("\r\n");

// The fields of the codes the panel keeps.
const QString kVeldOptieStart = QStringLiteral("bytOptieStart");
const QString kVeldOptieEind = QStringLiteral("bytOptieEind");
const QString kVeldOptieKosten = QStringLiteral("bytOptieKosten");
const QString kVeldOptieFreq = QStringLiteral("bytOptieFreq");
const QString kVeldOptieToeslag = QStringLiteral("bytTypeVervangingsToeslag");
const QString kVeldIsQOR = QStringLiteral("bytIsQOR");
const QString kVeldCombineer = QStringLiteral("bytCombineer");

QVariant waardeVan(std::optional<int> code)
{
    return code ? QVariant(*code) : QVariant();
}
} // namespace

ActPaneel::~ActPaneel()
{
    // The bindings go before the record object they listen to.
    if (m_binding)
        m_binding->setDataSource(nullptr);
}

void ActPaneel::koppel(records::clsAct *act, checklist::clsCL *cl)
{
    m_insAct = act;
    m_cl = cl;
    psubSetBindingCollectie();
}

void ActPaneel::ontkoppel()
{
    if (m_binding)
        m_binding->setDataSource(nullptr);
    m_insAct = nullptr;
    m_cl = nullptr;
}

bool ActPaneel::ok()
{
    return m_validation->ok();
}

bool ActPaneel::controleerFocus()
{
    return m_validation->controleerFocus();
}

bool ActPaneel::eventFilter(QObject *watched, QEvent *event)
{
    // The keypad's decimal key types a comma in every box.
    if (event->type() == QEvent::KeyPress && keypadDecimalAsComma(qobject_cast<QLineEdit *>(watched), event))
        return true;
    if (event->type() == QEvent::MouseButtonRelease && (watched == imgQOR || watched == imgFoutAnSich))
        VerifyEnMarkeer();
    return QObject::eventFilter(watched, event);
}

std::optional<QString> ActPaneel::schrijfEnBewaar()
{
    if (!m_insAct)
        return std::nullopt;
    std::optional<QString> fout;
    try {
        m_binding->writeAll();
    } catch (const platform::Error &e) {
        fout = e.description();
    }
    try {
        m_insAct->Bewaar();
    } catch (const platform::Error &e) {
        if (!fout)
            fout = e.description();
    }
    return fout;
}

bool ActPaneel::bewaar()
{
    const std::optional<QString> fout = schrijfEnBewaar();
    if (!fout)
        return true;
    ui::MsgBox(QStringLiteral("Er is een fout opgetreden bij het opslaan van de kostenpost.") + CRLF + CRLF + *fout
                   + CRLF + CRLF
                   + QStringLiteral("De kostenpost blijft getoond met uw invoer, zodat u de oorzaak kunt verhelpen "
                                    "of de invoer kunt corrigeren."),
               ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Fout bij opslaan"));
    return false;
}

void ActPaneel::toonKostenpost(const QString &kop)
{
    ZetFramesZichtbaar(false);
    lblPost->setText(kop);
    strInfoChecklistpost();
    imgQOR->setVisible(true);
    lblRubriek->setText(QStringLiteral("Rubriek: ") + m_insAct->Rubriek());
    lblGeenPost->setVisible(false);
    ZetCaptionsStartEind();
    VerifyEnMarkeer();
    ZetVervangingsToeslagStatus();
}

void ActPaneel::psubSetBindingCollectie()
{
    m_binding = std::make_unique<FieldBindings>(this);
    // A code comes from the row through its setter and is written as the
    // panel holds it.
    const auto code = [this](const QString &veld, std::optional<int> &opgeslagen,
                             void (ActPaneel::*zetOptie)(std::optional<int>)) {
        m_binding->addValue(
            veld, [this, zetOptie](const QVariant &v) { (this->*zetOptie)(act::optieCode(v)); },
            [&opgeslagen] { return waardeVan(opgeslagen); });
    };
    code(kVeldOptieStart, m_opties.start, &ActPaneel::zetOptieStart);
    m_binding->add(txtIntStartAct[0], QStringLiteral("intStartAbs"));
    m_binding->add(txtIntStartAct[1], QStringLiteral("intStartRel"));
    m_binding->add(txtStartBA, QStringLiteral("intStartBA"));
    m_binding->add(chkStartBA, QStringLiteral("bytStartBA"));
    code(kVeldOptieEind, m_opties.eind, &ActPaneel::zetOptieEind);
    m_binding->add(txtIntEindAct[0], QStringLiteral("intEindAbs"));
    m_binding->add(txtIntEindAct[1], QStringLiteral("intEindRel"));
    m_binding->add(txtEindBA, QStringLiteral("intEindBA"));
    m_binding->add(chkEindBA, QStringLiteral("bytEindBA"));
    code(kVeldOptieKosten, m_opties.kosten, &ActPaneel::zetOptieKosten);
    // The amount and percentage boxes show their values in the boxes' own
    // pictures; what they show is read back as typed.
    const QString bedrag = QStringLiteral("€ #,##0.00");
    const QString perc = QStringLiteral("#0.00");
    m_binding->add(txtKostenInvest, QStringLiteral("sngKostenInvest"), bedrag);
    m_binding->add(txtKostenPerc, QStringLiteral("sngPercInvest"), perc);
    m_binding->add(txtKostenTotaal, QStringLiteral("sngKostenTotaal"), bedrag);
    m_binding->add(txtKostenPE, QStringLiteral("sngKostenPE"), bedrag);
    // The unit is a text: no number picture, so that a unit such as "100"
    // is not shown as "100,00".
    m_binding->add(txtEenheid, QStringLiteral("strEenheid"));
    m_binding->add(txtAantal, QStringLiteral("sngAantal"), QStringLiteral("0.0#"));
    code(kVeldOptieFreq, m_opties.freq, &ActPaneel::zetOptieFreq);
    m_binding->add(txtfreqX, QStringLiteral("intFreqX"));
    code(kVeldOptieToeslag, m_opties.toeslag, &ActPaneel::zetOptieVervangingsToeslag);
    m_binding->add(txtVervangingsToeslagPerc, QStringLiteral("sngVervangingsToeslagPerc"), perc);
    m_binding->add(txtActOpm, QStringLiteral("strOpm"));
    m_binding->add(txtNazorgplanRef, QStringLiteral("strNazorgplanRef"));
    code(kVeldIsQOR, m_opties.isQOR, &ActPaneel::zetIsQOR);
    code(kVeldCombineer, m_opties.combineer, &ActPaneel::zetCombineer);
    m_binding->setDataSource(m_insAct);
}

void ActPaneel::pSetKleur(qint32 kleurAct)
{
    m_kleurAct = kleurAct;
    QPalette p = shpBalkAct->palette();
    p.setColor(QPalette::Window, ui::fromVbColor(m_kleurAct));
    shpBalkAct->setPalette(p);
    for (QWidget *w : {static_cast<QWidget *>(lblPost), static_cast<QWidget *>(lblPostVet),
                       static_cast<QWidget *>(lblRubriek), static_cast<QWidget *>(lblGeenPost)})
        zetKleur(w, m_kleurAct);
}

void ActPaneel::ZetFramesZichtbaar(bool hide)
{
    const act::FramesLayout l = act::framesLayout(hide, chkCombineer->isChecked(), m_opties.kosten);
    for (int i = 0; i < 8; ++i)
        grpFrames[i]->setVisible(l.frame[i]);
    chkCombineer->setVisible(l.chkCombineer);
}

void ActPaneel::ToonGeenSelectie()
{
    txtZin->clear();
    txtInfoChecklist->clear();
    lblPost->setText(QStringLiteral("<geen selectie>"));
    lblRubriek->clear();
    lblGeenPost->setVisible(true);
    imgQOR->setVisible(false);
    imgFoutAnSich->setVisible(false);
}

void ActPaneel::ZetCaptionsStartEind()
{
    const bool eindBAWas = chkEindBA->isChecked();
    const act::StartEindLayout l =
        act::startEindLayout(chkStartBA->isChecked(), eindBAWas, grpFrames[2]->isEnabled(), m_opties.eind);
    txtStartBA->setVisible(l.txtStartBAVisible);
    optStart[0]->setText(l.optStart1);
    optStart[1]->setText(l.optStart2);
    if (l.chkEindBAEnabledSet)
        chkEindBA->setEnabled(l.chkEindBAEnabled);
    if (l.chkEindBAClear)
        zetVinkje(chkEindBA, false);
    for (QRadioButton *o : optEind)
        o->setVisible(l.optEindVisible);
    if (l.txtIntEind1)
        txtIntEindAct[0]->setVisible(*l.txtIntEind1);
    if (l.txtIntEind2)
        txtIntEindAct[1]->setVisible(*l.txtIntEind2);
    txtEindBA->setVisible(l.txtEindBAVisible);
}

void ActPaneel::opt_Click(const std::optional<int> &code, void (ActPaneel::*zetOptie)(std::optional<int>), int index)
{
    if (code == index)
        return;
    (this->*zetOptie)(index);
    try {
        if (m_insAct && m_insAct->hasCurrentRow())
            m_insAct->ForceDirty();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.opt_Click")));
    }
}

// The screen changes a bound box as the user would: it is written back.
void ActPaneel::zetTekst(QLineEdit *box, const QString &text)
{
    if (m_binding)
        m_binding->setText(box, text);
    else
        box->setText(text);
}

void ActPaneel::zetVinkje(QCheckBox *box, bool checked)
{
    if (m_binding)
        m_binding->setChecked(box, checked);
    else
        box->setChecked(checked);
}

void ActPaneel::zetNaastOptie(QLineEdit *box, QList<QRadioButton *> &group, int n)
{
    // The number box stands on the dots of the option's caption.
    if (n >= 1 && n <= group.size())
        placeOnDots(group[n - 1], box);
}

void ActPaneel::kiesOptie(QList<QRadioButton *> &group, int n)
{
    if (n >= 1 && n <= group.size())
        group[n - 1]->setChecked(true);
}

void ActPaneel::wisOpties(QList<QRadioButton *> &group)
{
    QButtonGroup *g = group.first()->group();
    g->setExclusive(false);
    for (QRadioButton *o : group)
        o->setChecked(false);
    g->setExclusive(true);
}

// Holds the new code and marks it for writing back (a mark made while the
// binding fills the code does not count); false when the code is the same.
bool ActPaneel::wijzigOptie(std::optional<int> &opgeslagen, std::optional<int> code, const QString &veld)
{
    if (opgeslagen == code)
        return false;
    opgeslagen = code;
    if (m_binding)
        m_binding->markChanged(veld);
    return true;
}

void ActPaneel::zetOptieStart(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.start, n, kVeldOptieStart) || !n)
        return;
    kiesOptie(optStart, *n);
    txtIntStartAct[0]->setVisible(*n == 1);
    txtIntStartAct[1]->setVisible(*n == 2);
}

void ActPaneel::zetOptieEind(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.eind, n, kVeldOptieEind) || !n)
        return;
    kiesOptie(optEind, *n);
    txtIntEindAct[0]->setVisible(*n == 1 && !chkEindBA->isChecked());
    txtIntEindAct[1]->setVisible(*n == 2 && !chkEindBA->isChecked());
}

void ActPaneel::zetOptieFreq(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.freq, n, kVeldOptieFreq) || !n)
        return;
    kiesOptie(optFreq, *n);
    const act::FreqLayout l = act::freqLayout(*n, chkStartBA->isChecked(), chkEindBA->isChecked());
    grpFrames[2]->setEnabled(l.eindFrameEnabled);
    for (QRadioButton *o : optEind)
        o->setEnabled(l.eindFrameEnabled);
    if (l.eindEeuwigdurend) {
        // Selecting the option runs its click: the end option becomes 3.
        kiesOptie(optEind, 3);
        opt_Click(m_opties.eind, &ActPaneel::zetOptieEind, 3);
    }
    chkEindBA->setEnabled(l.chkEindBAEnabled);
    if (l.chkEindBAClear) {
        zetVinkje(chkEindBA, false);
        txtEindBA->setVisible(false);
    }
    grpFrames[1]->setTitle(l.startCaption);
    txtfreqX->setVisible(l.freqXVisible);
    zetNaastOptie(txtfreqX, optFreq, *n);
}

void ActPaneel::zetOptieKosten(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.kosten, n, kVeldOptieKosten) || !n)
        return;
    kiesOptie(optKosten, *n);
    const act::KostenLayout l = act::kostenLayout(*n, m_kostenpostGekozen);
    txtKostenPerc->setVisible(l.percEnInvest);
    txtKostenInvest->setVisible(l.percEnInvest);
    lblKostenInvest->setVisible(l.percEnInvest);
    txtKostenTotaal->setVisible(l.totaal);
    txtKostenPE->setVisible(l.perEenheid);
    grpFrames[3]->setVisible(l.eenheidFrame);
}

void ActPaneel::zetOptieVervangingsToeslag(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.toeslag, n, kVeldOptieToeslag) || !n)
        return;
    try {
        switch (*n) {
        case 1:
            kiesOptie(optVervangingsToeslag, 1);
            txtVervangingsToeslagPerc->setVisible(false);
            if (m_opties.kosten != 3)
                zetOptieKosten(3);
            if (txtEenheid->text() != QLatin1String("m2"))
                zetTekst(txtEenheid, QStringLiteral("m2"));
            break;
        case 2:
            kiesOptie(optVervangingsToeslag, 2);
            if (m_cl)
                zetTekst(txtVervangingsToeslagPerc, vb::Format(double((m_cl->sngVervangingstoeslagGroteWerkenMax()
                                                                       + m_cl->sngVervangingstoeslagGroteWerkenMin())
                                                                      / 2),
                                                               QStringLiteral("0.00")));
            zetNaastOptie(txtVervangingsToeslagPerc, optVervangingsToeslag, 2);
            txtVervangingsToeslagPerc->setVisible(true);
            break;
        case 3:
            kiesOptie(optVervangingsToeslag, 3);
            if (m_cl)
                zetTekst(txtVervangingsToeslagPerc,
                         vb::Format(double(m_cl->sngVervangingstoeslagKleineWerken()), QStringLiteral("0.00")));
            zetNaastOptie(txtVervangingsToeslagPerc, optVervangingsToeslag, 3);
            txtVervangingsToeslagPerc->setVisible(true);
            break;
        default: // 0 and 7: no choice yet
            wisOpties(optVervangingsToeslag);
            txtVervangingsToeslagPerc->setVisible(false);
            break;
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.zetOptieVervangingsToeslag")));
    }
    ZetVervangingsToeslagStatus();
}

void ActPaneel::zetIsQOR(std::optional<int> code)
{
    static const QString tips[] = {
        QStringLiteral("Dit is een door de gebruiker gedefinieerde post."),
        QStringLiteral("Dit is een post uit de QOR-Checklist."),
        QStringLiteral("Dit is een QOR-checklistpost, maar de ingevoerde gegevens voldoen niet aan de criteria. "
                       "Zie oranje markering.")};
    static const qint32 kleuren[] = {0, 32768, act::kOranje};
    if (!wijzigOptie(m_opties.isQOR, code, kVeldIsQOR) || !code || *code < 0 || *code > 2)
        return;
    const int picture = *code + 1;
    imgQOR->setProperty("picture", picture);
    imgQOR->setToolTip(tips[picture - 1]);
    imgQOR->setText(picture == 1 ? QStringLiteral("eigen post") : QStringLiteral("QOR"));
    zetKleur(imgQOR, kleuren[picture - 1]);
}

void ActPaneel::chkCombineer_Click()
{
    const int waarde = chkCombineer->isChecked() ? 1 : 0;
    if (m_opties.combineer != waarde) {
        zetCombineer(waarde);
        try {
            if (m_insAct && m_insAct->hasCurrentRow())
                m_insAct->ForceDirty();
        } catch (const platform::Error &e) {
            meldFout(e.withSource(QStringLiteral("frmAct.chkCombineer_Click")));
        }
    }
    ZetFramesZichtbaar(false);
    VerifyEnMarkeer();
}

void ActPaneel::zetCombineer(std::optional<int> code)
{
    if (!wijzigOptie(m_opties.combineer, code, kVeldCombineer) || !code)
        return;
    const int waarde = *code != 0 ? 1 : 0;
    if (waarde != (chkCombineer->isChecked() ? 1 : 0)) {
        chkCombineer->setChecked(waarde == 1);
        chkCombineer_Click();
    }
}

bool ActPaneel::schrijfTerug(QWidget *field)
{
    try {
        m_binding->write(field);
        return true;
    } catch (const platform::Error &e) {
        // A value the field cannot hold (too large for its column) is
        // refused like a text that is no number.
        return weigerInvoer(field);
    }
}

bool ActPaneel::weigerInvoer(QWidget *field)
{
    // The refused text never reaches the row.
    m_binding->setChanged(field, false);
    const bool eenmalig = m_opties.freq == 1;
    QString naam = act::veldNaam(field->objectName(), eenmalig);
    if (naam.isEmpty())
        naam = field->objectName();
    ui::MsgBox(act::meldingOngeldigeInvoer(naam), ui::Buttons::OK, ui::Icon::Exclamation, act::kTitelOngeldigeInvoer);
    return false;
}

bool ActPaneel::valideerInvoervak(QWidget *field)
{
    // A number of the field's kind: a year or count takes no fraction.
    if (!m_binding->holdsNumber(field))
        return weigerInvoer(field);
    return schrijfTerug(field);
}

bool ActPaneel::valideerEenheid(QWidget *field)
{
    auto *edit = qobject_cast<QLineEdit *>(field);
    if (edit->text().isEmpty()) {
        m_binding->setChanged(field, false);
        ui::MsgBox(act::kMeldingEenheid, ui::Buttons::OK, ui::Icon::Exclamation, act::kTitelEenheid);
        return false;
    }
    return schrijfTerug(field);
}

bool ActPaneel::gebruiktGediffToeslag() const
{
    try {
        return m_cl && m_cl->GebruikGedifferentieerdeToeslagB();
    } catch (const platform::Error &) {
        return false;
    }
}

bool ActPaneel::gaNaarClItem()
{
    const QVariant ref = m_insAct->Clitem_REF();
    return m_cl && !ref.isNull() && m_cl->GaNaarItem(ref.toInt());
}

void ActPaneel::VerifyEnMarkeer()
{
    if (!m_kostenpostGekozen || !m_insAct || !m_cl || !m_insAct->hasCurrentRow())
        return;
    try {
        act::ActInvoer in;
        in.optieStart = m_opties.start;
        in.startAbs = txtIntStartAct[0]->text();
        in.startRel = txtIntStartAct[1]->text();
        in.startBAJaar = txtStartBA->text();
        in.startBA = chkStartBA->isChecked();
        in.optieEind = m_opties.eind;
        in.eindAbs = txtIntEindAct[0]->text();
        in.eindRel = txtIntEindAct[1]->text();
        in.eindBAJaar = txtEindBA->text();
        in.eindBA = chkEindBA->isChecked();
        in.optieKosten = m_opties.kosten;
        in.kostenPerc = txtKostenPerc->text();
        in.kostenInvest = txtKostenInvest->text();
        in.kostenTotaal = txtKostenTotaal->text();
        in.kostenPE = txtKostenPE->text();
        in.eenheid = txtEenheid->text();
        in.aantal = txtAantal->text();
        in.optieFreq = m_opties.freq;
        in.freqX = txtfreqX->text();
        in.optieToeslag = m_opties.toeslag;
        in.toeslagPerc = txtVervangingsToeslagPerc->text();
        in.combineer = chkCombineer->isChecked();
        act::ActRij rij;
        rij.isQOR = m_insAct->IsQOR();
        rij.clitemRef = m_insAct->Clitem_REF();
        rij.rubriek = m_insAct->bytRubriek_REF();

        const SiteTree::Node node = m_boom.selected();
        const bool laterPhase = node && m_boom.text(node).startsWith(QLatin1Char('{'));
        const act::Markering m = act::VerifyEnMarkeer(in, rij, *m_cl, laterPhase, m_kleurAct);
        for (int i = 0; i < 8; ++i)
            if (m.frameKleur[i])
                zetKleur(grpFrames[i], *m.frameKleur[i]);
        if (node)
            m_boom.setForeColor(node, m.nodeKleur);
        imgFoutAnSich->setVisible(!m.compleet);
        if (m.isQOR)
            zetIsQOR(*m.isQOR);

        txtZin->setPlainText(m_insAct->BeschrijvingInZin(
            m.gecombineerd, m.compleet, m_opties.start.value_or(0), m_opties.eind.value_or(0),
            std::uint8_t(m_opties.kosten.value_or(0)), m_opties.freq.value_or(0), chkStartBA->isChecked() ? 1 : 0,
            chkEindBA->isChecked() ? 1 : 0));
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.VerifyEnMarkeer")));
    }
}

void ActPaneel::ZetVervangingsToeslagStatus()
{
    if (!m_insAct || !m_insAct->hasCurrentRow())
        return;
    try {
        const int isQOR = m_insAct->IsQOR();
        std::optional<int> clType;
        bool combinatie = false;
        if (isQOR != 0 && gaNaarClItem()) {
            clType = m_cl->bytTypeVervangingsToeslag();
            combinatie = m_cl->blnCombinatieMogelijk();
        }
        const act::ToeslagStatus s = act::toeslagStatus(isQOR, gebruiktGediffToeslag(), m_insAct->bytRubriek_REF(),
                                                        m_opties.toeslag, clType, combinatie);
        if (s.changed) {
            grpFrames[0]->setEnabled(s.frame);
            for (int i = 0; i < 3; ++i)
                optVervangingsToeslag[i]->setEnabled(s.option[i]);
        } else {
            ui::MsgBox(QStringLiteral("Onbekende optie"), ui::Buttons::OK, ui::Icon::Critical,
                       QStringLiteral("Fout toeslagtype"));
        }
        optKosten[0]->setEnabled(!s.bovenafdichting);
        optKosten[1]->setEnabled(!s.bovenafdichting);
        txtEenheid->setEnabled(!s.bovenafdichting);
        if (chkCombineer->isEnabled() != s.combinatieMogelijk)
            chkCombineer->setEnabled(s.combinatieMogelijk);
        if (!chkCombineer->isEnabled() && chkCombineer->isChecked()) {
            chkCombineer->setChecked(false);
            chkCombineer_Click();
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.ZetVervangingsToeslagStatus")));
    }
}

} // namespace screens

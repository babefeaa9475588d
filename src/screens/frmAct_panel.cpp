#include "screens/frmAct.h"

// The detail panel of the cost-item screen: its controls and bindings, the
// option groups and their codes, the field checks, the marking and the
// checklist information.

#include "screens/field_binding.h"
#include "screens/field_validation.h"
#include "screens/frmAct_marking.h"
#include "screens/layout_helpers.h"
#include "screens/multi_line_edit.h"
#include "screens/session.h"

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

// A frame's grid with little room between its rows.
QGridLayout *compacteGrid(QWidget *frame)
{
    auto *l = new QGridLayout(frame);
    l->setContentsMargins(6, 2, 6, 4);
    l->setVerticalSpacing(0);
    return l;
}

// The text colour of a label or a frame's caption. A disabled control keeps
// the style's disabled look; the controls inside a frame keep their own
// colours, so the marking goes on the caption alone.
void zetKleur(QWidget *w, qint32 vbColour)
{
    w->setProperty("foreColor", vbColour);
    const QColor c = ui::fromVbColor(vbColour);
    if (!c.isValid())
        return;
    for (QWidget *kind : w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (kind->palette().isBrushSet(QPalette::Active, QPalette::WindowText))
            continue;
        const QPalette standaard = QApplication::palette(kind);
        QPalette eigen = kind->palette();
        for (const auto groep : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            eigen.setColor(groep, QPalette::WindowText, standaard.color(groep, QPalette::WindowText));
        kind->setPalette(eigen);
    }
    QPalette p = w->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, c);
    p.setColor(QPalette::Inactive, QPalette::WindowText, c);
    w->setPalette(p);
}

// A line edit of the panel, with the screen's key handling.
QLineEdit *invoervak(const QString &name, QWidget *parent, QObject *filter, int maxLength = 64)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    e->installEventFilter(filter);
    return e;
}

// The remark and the reference take two lines; the remark scrolls.
MultiLineEdit *regelvak(const QString &name, QWidget *parent, QObject *filter, int maxLength, bool scrollBar)
{
    auto *e = new MultiLineEdit(name, parent);
    e->setMaxLength(maxLength);
    e->setVisibleLines(2);
    e->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    e->installEventFilter(filter);
    return e;
}

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    return l;
}

// An option group down the first column of its frame's grid: the buttons
// are named name_1, name_2, ... and numbered from 1 in their button group.
void optieGroep(QList<QRadioButton *> &group, const char *name, const QStringList &captions, QGroupBox *frame,
                QGridLayout *grid)
{
    auto *buttons = new QButtonGroup(frame);
    for (int i = 0; i < captions.size(); ++i) {
        auto *rb = new QRadioButton(captions[i], frame);
        rb->setObjectName(QLatin1String(name) + QLatin1Char('_') + QString::number(i + 1));
        buttons->addButton(rb, i + 1);
        group << rb;
    }
    for (int i = 0; i < group.size(); ++i)
        grid->addWidget(group[i], i, 0);
}

// The remark or the reference: its caption above its box.
MultiLineEdit *regelFrame(QGroupBox *g, const QString &kop, const QString &name, int maxLength, bool scrollBar,
                          QObject *filter)
{
    auto *l = new QVBoxLayout(g);
    l->setContentsMargins(6, 2, 6, 4);
    l->setSpacing(2);
    l->addWidget(label(nullptr, kop, g));
    MultiLineEdit *e = regelvak(name, g, filter, maxLength, scrollBar);
    l->addWidget(e);
    return e;
}

// A start or end frame: its options, a year box beside each of the first
// two (calendar year, after-care year) and the top-liner check box under
// them.
QCheckBox *jaarFrame(QGroupBox *g, QList<QRadioButton *> &group, const char *optName, const QStringList &captions,
                     QList<QLineEdit *> &jaren, const char *jaarName, const char *chkName, const QString &chkCaption,
                     QObject *filter)
{
    auto *l = compacteGrid(g);
    optieGroep(group, optName, captions, g, l);
    for (int i = 0; i < 2; ++i) {
        jaren << invoervak(QLatin1String(jaarName) + QLatin1Char('_') + QString::number(i + 1), g, filter);
        l->addWidget(jaren[i], i, 1);
    }
    auto *chk = new QCheckBox(chkCaption, g);
    chk->setObjectName(QLatin1String(chkName));
    l->addWidget(chk, group.size(), 0, 1, 2);
    l->setRowStretch(group.size() + 1, 1);
    l->setColumnStretch(2, 1);
    return chk;
}
} // namespace

// Writes runs of text with their looks at the end of the information box.
class InfoWriter {
public:
    explicit InfoWriter(QTextEdit *box) : m_cursor(box->document())
    {
        m_cursor.movePosition(QTextCursor::End);
        m_format.setFontPointSize(8);
    }
    InfoWriter &text(const QString &t)
    {
        m_cursor.insertText(QString(t).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), m_format);
        return *this;
    }
    InfoWriter &bold(bool on)
    {
        m_format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        return *this;
    }
    InfoWriter &italic(bool on)
    {
        m_format.setFontItalic(on);
        return *this;
    }
    InfoWriter &size(int points)
    {
        m_format.setFontPointSize(points);
        return *this;
    }
    InfoWriter &kleur(qint32 vb)
    {
        m_format.setForeground(ui::fromVbColor(vb));
        return *this;
    }
    InfoWriter &underlined(const QString &t)
    {
        m_format.setFontUnderline(true);
        text(t);
        m_format.setFontUnderline(false);
        return *this;
    }

private:
    QTextCursor m_cursor;
    QTextCharFormat m_format;
};

void frmAct::bouwPaneel(QWidget *kader)
{
    auto *layout = new QGridLayout(kader);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setVerticalSpacing(4);
    layout->addLayout(bouwKop(kader), 0, 0, 1, 3);
    maakFrames(kader);
    // In the order a reader goes: start, end and frequency above, then the
    // costs, the replacement surcharge and the unit, then the remark and
    // the reference.
    bouwStartFrame();
    bouwEindFrame();
    bouwFreqFrame();
    bouwKostenFrame();
    bouwToeslagFrame();
    bouwEenheidFrame();
    bouwOpmerkingFrames();
    bouwCombinatie(kader, plaatsFrames(layout));
    bouwZin(kader, layout);
    zetMaten();
    verbindOpties();
    verbindControles();
}

QHBoxLayout *frmAct::bouwKop(QWidget *kader)
{
    auto *kop = new QHBoxLayout;
    kop->setSpacing(8);
    shpBalkAct = new QFrame(kader);
    shpBalkAct->setObjectName(QStringLiteral("shpBalkAct"));
    shpBalkAct->setFixedSize(6, 20);
    shpBalkAct->setAutoFillBackground(true);
    kop->addWidget(shpBalkAct);
    lblPostVet = label("lblPostVet", QStringLiteral("Kostenpost:"), kader);
    QFont vet = lblPostVet->font();
    vet.setBold(true);
    lblPostVet->setFont(vet);
    lblPost = label("lblPost", QString(), kader);
    lblRubriek = label("lblRubriek", QStringLiteral("Valt onder rubriek ''"), kader);
    lblGeenPost = label("lblGeenPost", QStringLiteral("Selecteer (een deelfase van) een kostenpost."), kader);
    imgQOR = label("imgQOR", QString(), kader);
    imgFoutAnSich = label("imgFoutAnSich", QStringLiteral("!"), kader);
    imgFoutAnSich->setToolTip(QStringLiteral(
        "De ingevoerde gegevens zijn niet volledig. Dit kan voorkomen bij zowel QOR-checklistposten als door de "
        "gebruiker gedefinieerde posten. Zie rode markering."));
    zetKleur(imgFoutAnSich, act::kRood);
    imgFoutAnSich->setVisible(false);
    imgFoutAnSich->installEventFilter(this);
    imgQOR->installEventFilter(this);
    for (QWidget *w :
         {static_cast<QWidget *>(lblPostVet), static_cast<QWidget *>(lblPost), static_cast<QWidget *>(lblRubriek),
          static_cast<QWidget *>(lblGeenPost), static_cast<QWidget *>(imgQOR), static_cast<QWidget *>(imgFoutAnSich)})
        kop->addWidget(w);
    kop->addStretch();
    return kop;
}

void frmAct::maakFrames(QWidget *kader)
{
    const QStringList captions = {QStringLiteral("Toeslag vervanging"),
                                  QStringLiteral("Startjaar"),
                                  QStringLiteral("Eindjaar"),
                                  QString(),
                                  QStringLiteral("Periodiciteit"),
                                  QStringLiteral("Kosten per keer "),
                                  QString(),
                                  QString()};
    for (int i = 0; i < 8; ++i) {
        auto *g = new QGroupBox(captions[i], kader);
        g->setObjectName(QStringLiteral("grpFrames_") + QString::number(i));
        grpFrames << g;
    }
}

void frmAct::bouwToeslagFrame()
{
    QGroupBox *g = grpFrames[0];
    auto *l = compacteGrid(g);
    optieGroep(optVervangingsToeslag, "optVervangingsToeslag",
               {QStringLiteral("bovenafdichting"), QStringLiteral("groot werk      .....     %"),
                QStringLiteral("klein werk       .....     %")},
               g, l);
    l->setRowStretch(3, 1);
    txtVervangingsToeslagPerc = invoervak(QStringLiteral("txtVervangingsToeslagPerc"), g, this, 5);
}

void frmAct::bouwStartFrame()
{
    QGroupBox *g = grpFrames[1];
    chkStartBA = jaarFrame(g, optStart, "optStart", {QStringLiteral("kalenderjaar"), QStringLiteral("nazorgjaar")},
                           txtIntStartAct, "txtIntStartAct", "chkStartBA",
                           QStringLiteral(" ........  e  jaar na aanleg bovenafdichting"), this);
    txtStartBA = invoervak(QStringLiteral("txtStartBA"), g, this);
    txtStartBA->setVisible(false);
}

void frmAct::bouwEindFrame()
{
    QGroupBox *g = grpFrames[2];
    chkEindBA = jaarFrame(
        g, optEind, "optEind",
        {QStringLiteral("kalenderjaar"), QStringLiteral("nazorgjaar"), QStringLiteral("eeuwigdurend")}, txtIntEindAct,
        "txtIntEindAct", "chkEindBA", QStringLiteral("........   e  jaar na aanleg bovenafdichting"), this);
    txtEindBA = invoervak(QStringLiteral("txtEindBA"), g, this);
    txtEindBA->setVisible(false);
}

void frmAct::bouwEenheidFrame()
{
    QGroupBox *g = grpFrames[3];
    auto *l = compacteGrid(g);
    l->addWidget(label(nullptr, QStringLiteral("Eenheid"), g), 0, 0);
    txtEenheid = invoervak(QStringLiteral("txtEenheid"), g, this, 20);
    l->addWidget(txtEenheid, 0, 1);
    l->addWidget(label(nullptr, QStringLiteral("Aantal"), g), 1, 0);
    txtAantal = invoervak(QStringLiteral("txtAantal"), g, this);
    l->addWidget(txtAantal, 1, 1);
}

void frmAct::bouwFreqFrame()
{
    QGroupBox *g = grpFrames[4];
    auto *l = compacteGrid(g);
    optieGroep(optFreq, "optFreq",
               {QStringLiteral("eenmalige uitgave"), QStringLiteral("   ......      keer per jaar"),
                QStringLiteral("één keer per    .....   jaar")},
               g, l);
    l->setRowStretch(3, 1);
    txtfreqX = invoervak(QStringLiteral("txtfreqX"), g, this);
}

void frmAct::bouwKostenFrame()
{
    QGroupBox *g = grpFrames[5];
    auto *l = compacteGrid(g);
    optieGroep(optKosten, "optKosten",
               {QStringLiteral("% van investering"), QStringLiteral("totaalbedrag"), QStringLiteral("per eenheid")}, g,
               l);
    auto *perc = new QHBoxLayout;
    txtKostenPerc = invoervak(QStringLiteral("txtKostenPerc"), g, this, 5);
    lblKostenInvest = label("lblKostenInvest", QStringLiteral(" % van"), g);
    txtKostenInvest = invoervak(QStringLiteral("txtKostenInvest"), g, this);
    perc->addWidget(txtKostenPerc);
    perc->addWidget(lblKostenInvest);
    perc->addWidget(txtKostenInvest);
    l->addLayout(perc, 0, 1);
    txtKostenTotaal = invoervak(QStringLiteral("txtKostenTotaal"), g, this);
    l->addWidget(txtKostenTotaal, 1, 1);
    txtKostenPE = invoervak(QStringLiteral("txtKostenPE"), g, this);
    l->addWidget(txtKostenPE, 2, 1);
    l->setRowStretch(3, 1);
    l->setColumnStretch(2, 1);
}

void frmAct::bouwOpmerkingFrames()
{
    txtActOpm = regelFrame(grpFrames[6], QStringLiteral(" Opmerking/aantekening"), QStringLiteral("txtActOpm"), 100,
                           true, this);
    txtNazorgplanRef = regelFrame(grpFrames[7], QStringLiteral(" Verwijzing nazorgplan"),
                                  QStringLiteral("txtNazorgplanRef"), 50, false, this);
}

QVBoxLayout *frmAct::plaatsFrames(QGridLayout *layout)
{
    // Three columns: start, end and frequency above; costs, replacement
    // surcharge and unit below; the remark and the reference under them.
    layout->addWidget(grpFrames[1], 1, 0);
    layout->addWidget(grpFrames[2], 1, 1);
    layout->addWidget(grpFrames[4], 1, 2);
    layout->addWidget(grpFrames[5], 2, 0);
    layout->addWidget(grpFrames[0], 2, 1);
    auto *rechtsOnder = new QVBoxLayout;
    rechtsOnder->addWidget(grpFrames[3]);
    layout->addLayout(rechtsOnder, 2, 2);
    layout->addWidget(grpFrames[6], 3, 0, 1, 2);
    layout->addWidget(grpFrames[7], 3, 2);
    for (int c = 0; c < 3; ++c)
        layout->setColumnStretch(c, 1);
    return rechtsOnder;
}

void frmAct::bouwCombinatie(QWidget *kader, QVBoxLayout *rechtsOnder)
{
    // The check box stands under the unit frame.
    chkCombineer = new QCheckBox(QStringLiteral("Opgenomen in combinatiepost"), kader);
    chkCombineer->setObjectName(QStringLiteral("chkCombineer"));
    rechtsOnder->addWidget(chkCombineer);
    rechtsOnder->addStretch(1);
}

void frmAct::bouwZin(QWidget *kader, QGridLayout *layout)
{
    txtZin = new QTextEdit(kader);
    txtZin->setObjectName(QStringLiteral("txtZin"));
    txtZin->setReadOnly(true);
    txtZin->setFixedHeight(3 * txtZin->fontMetrics().lineSpacing() + 10);
    layout->addWidget(txtZin, 4, 0, 1, 3);
}

void frmAct::zetMaten()
{
    // The year, count and percentage boxes hold a few digits.
    for (QLineEdit *e : {txtIntStartAct[0], txtIntStartAct[1], txtIntEindAct[0], txtIntEindAct[1]})
        e->setFixedWidth(56);
    for (QLineEdit *e : {txtKostenPerc, txtAantal})
        e->setMaximumWidth(70);
    // The percentage and the investment show their widest values whole.
    reserveWidthForValue(txtKostenPerc, QStringLiteral("100,00"));
    reserveWidthForValue(txtKostenInvest, QStringLiteral("€ 99.999.999,00"));
    // The top-liner counts, the frequency and the surcharge percentage stand
    // on the dots of their captions.
    placeOnDots(chkStartBA, txtStartBA);
    placeOnDots(chkEindBA, txtEindBA);
    placeOnDots(optFreq[1], txtfreqX);
    placeOnDots(optVervangingsToeslag[1], txtVervangingsToeslagPerc);
    // The start options take the longer captions of a start counted from
    // the top liner without moving the rest.
    reserveWidthFor(optStart[0], QStringLiteral("kalenderjaar aanleg bovenafd."));
    reserveWidthFor(optStart[1], QStringLiteral("kalenderjaar aanleg bovenafd."));
    // Fields that show and hide keep their places, so that nothing moves.
    for (QGroupBox *g : grpFrames)
        keepPlaceWhenHidden(g);
    for (QWidget *w : std::initializer_list<QWidget *>{
             chkCombineer, txtKostenPerc, lblKostenInvest, txtKostenInvest, txtKostenTotaal, txtKostenPE,
             txtIntStartAct[0], txtIntStartAct[1], txtIntEindAct[0], txtIntEindAct[1], optEind[0], optEind[1],
             optEind[2], lblGeenPost, imgQOR, imgFoutAnSich, lblRubriek})
        keepPlaceWhenHidden(w);
}

void frmAct::verbindOpties()
{
    const auto wireOpties = [this](QList<QRadioButton *> &group, const std::optional<int> &code,
                                   void (frmAct::*zetOptie)(std::optional<int>)) {
        for (int i = 0; i < group.size(); ++i)
            connect(group[i], &QRadioButton::clicked, this, [this, &code, zetOptie, i] {
                optClick(code, zetOptie, i + 1);
                VerifyEnMarkeer();
            });
    };
    wireOpties(optStart, m_opties.start, &frmAct::zetOptieStart);
    wireOpties(optEind, m_opties.eind, &frmAct::zetOptieEind);
    wireOpties(optFreq, m_opties.freq, &frmAct::zetOptieFreq);
    wireOpties(optKosten, m_opties.kosten, &frmAct::zetOptieKosten);
    wireOpties(optVervangingsToeslag, m_opties.toeslag, &frmAct::zetOptieVervangingsToeslag);
    connect(chkCombineer, &QCheckBox::clicked, this, &frmAct::chkCombineer_Click);
    for (QCheckBox *box : {chkStartBA, chkEindBA})
        connect(box, &QCheckBox::clicked, this, [this] {
            ZetCaptionsStartEind();
            VerifyEnMarkeer();
        });
}

void frmAct::verbindControles()
{
    // Field checks before the focus leaves a box; the marking when it has.
    const auto markeer = [this] { VerifyEnMarkeer(); };
    for (QLineEdit *e :
         {txtIntStartAct[0], txtIntStartAct[1], txtStartBA, txtIntEindAct[0], txtIntEindAct[1], txtEindBA, txtfreqX,
          txtKostenPerc, txtKostenInvest, txtKostenTotaal, txtKostenPE, txtAantal, txtVervangingsToeslagPerc})
        m_validation->add(
            e, [this, e] { return valideerInvoervak(e); }, markeer);
    m_validation->add(
        txtEenheid, [this] { return valideerEenheid(txtEenheid); }, markeer);
    for (QWidget *e : std::initializer_list<QWidget *>{txtActOpm, txtNazorgplanRef})
        m_validation->add(e, [this, e] { return schrijfTerug(e); });
}

void frmAct::psubSetBindingCollectie()
{
    m_binding = std::make_unique<FieldBindings>(this);
    // A code comes from the row through its setter and is written as the
    // panel holds it.
    const auto code = [this](const QString &veld, std::optional<int> &opgeslagen,
                             void (frmAct::*zetOptie)(std::optional<int>)) {
        m_binding->addValue(
            veld, [this, zetOptie](const QVariant &v) { (this->*zetOptie)(act::optieCode(v)); },
            [&opgeslagen] { return waardeVan(opgeslagen); });
    };
    code(kVeldOptieStart, m_opties.start, &frmAct::zetOptieStart);
    m_binding->add(txtIntStartAct[0], QStringLiteral("intStartAbs"));
    m_binding->add(txtIntStartAct[1], QStringLiteral("intStartRel"));
    m_binding->add(txtStartBA, QStringLiteral("intStartBA"));
    m_binding->add(chkStartBA, QStringLiteral("bytStartBA"));
    code(kVeldOptieEind, m_opties.eind, &frmAct::zetOptieEind);
    m_binding->add(txtIntEindAct[0], QStringLiteral("intEindAbs"));
    m_binding->add(txtIntEindAct[1], QStringLiteral("intEindRel"));
    m_binding->add(txtEindBA, QStringLiteral("intEindBA"));
    m_binding->add(chkEindBA, QStringLiteral("bytEindBA"));
    code(kVeldOptieKosten, m_opties.kosten, &frmAct::zetOptieKosten);
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
    code(kVeldOptieFreq, m_opties.freq, &frmAct::zetOptieFreq);
    m_binding->add(txtfreqX, QStringLiteral("intFreqX"));
    code(kVeldOptieToeslag, m_opties.toeslag, &frmAct::zetOptieVervangingsToeslag);
    m_binding->add(txtVervangingsToeslagPerc, QStringLiteral("sngVervangingsToeslagPerc"), perc);
    m_binding->add(txtActOpm, QStringLiteral("strOpm"));
    m_binding->add(txtNazorgplanRef, QStringLiteral("strNazorgplanRef"));
    code(kVeldIsQOR, m_opties.isQOR, &frmAct::zetIsQOR);
    code(kVeldCombineer, m_opties.combineer, &frmAct::zetCombineer);
    m_binding->setDataSource(m_insAct.get());
}

void frmAct::pSetKleur()
{
    QPalette p = shpBalkAct->palette();
    p.setColor(QPalette::Window, ui::fromVbColor(m_kleurAct));
    shpBalkAct->setPalette(p);
    for (QWidget *w : {static_cast<QWidget *>(lblPost), static_cast<QWidget *>(lblPostVet),
                       static_cast<QWidget *>(lblRubriek), static_cast<QWidget *>(lblGeenPost)})
        zetKleur(w, m_kleurAct);
}

void frmAct::ZetFramesZichtbaar(bool hide)
{
    const act::FramesLayout l = act::framesLayout(hide, chkCombineer->isChecked(), m_opties.kosten);
    for (int i = 0; i < 8; ++i)
        grpFrames[i]->setVisible(l.frame[i]);
    chkCombineer->setVisible(l.chkCombineer);
}

void frmAct::ToonGeenSelectie()
{
    txtZin->clear();
    txtInfoChecklist->clear();
    lblPost->setText(QStringLiteral("<geen selectie>"));
    lblRubriek->clear();
    lblGeenPost->setVisible(true);
    imgQOR->setVisible(false);
    imgFoutAnSich->setVisible(false);
}

void frmAct::ZetCaptionsStartEind()
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

void frmAct::optClick(const std::optional<int> &code, void (frmAct::*zetOptie)(std::optional<int>), int index)
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
void frmAct::zetTekst(QLineEdit *box, const QString &text)
{
    if (m_binding)
        m_binding->setText(box, text);
    else
        box->setText(text);
}

void frmAct::zetVinkje(QCheckBox *box, bool checked)
{
    if (m_binding)
        m_binding->setChecked(box, checked);
    else
        box->setChecked(checked);
}

void frmAct::zetNaastOptie(QLineEdit *box, QList<QRadioButton *> &group, int n)
{
    // The number box stands on the dots of the option's caption.
    if (n >= 1 && n <= group.size())
        placeOnDots(group[n - 1], box);
}

void frmAct::selectOption(QList<QRadioButton *> &group, int n)
{
    if (n >= 1 && n <= group.size())
        group[n - 1]->setChecked(true);
}

void frmAct::clearOptions(QList<QRadioButton *> &group)
{
    QButtonGroup *g = group.first()->group();
    g->setExclusive(false);
    for (QRadioButton *o : group)
        o->setChecked(false);
    g->setExclusive(true);
}

// Holds the new code and marks it for writing back (a mark made while the
// binding fills the code does not count); false when the code is the same.
bool frmAct::wijzigOptie(std::optional<int> &opgeslagen, std::optional<int> code, const QString &veld)
{
    if (opgeslagen == code)
        return false;
    opgeslagen = code;
    if (m_binding)
        m_binding->markChanged(veld);
    return true;
}

void frmAct::zetOptieStart(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.start, n, kVeldOptieStart) || !n)
        return;
    selectOption(optStart, *n);
    txtIntStartAct[0]->setVisible(*n == 1);
    txtIntStartAct[1]->setVisible(*n == 2);
}

void frmAct::zetOptieEind(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.eind, n, kVeldOptieEind) || !n)
        return;
    selectOption(optEind, *n);
    txtIntEindAct[0]->setVisible(*n == 1 && !chkEindBA->isChecked());
    txtIntEindAct[1]->setVisible(*n == 2 && !chkEindBA->isChecked());
}

void frmAct::zetOptieFreq(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.freq, n, kVeldOptieFreq) || !n)
        return;
    selectOption(optFreq, *n);
    const act::FreqLayout l = act::freqLayout(*n, chkStartBA->isChecked(), chkEindBA->isChecked());
    grpFrames[2]->setEnabled(l.eindFrameEnabled);
    for (QRadioButton *o : optEind)
        o->setEnabled(l.eindFrameEnabled);
    if (l.eindEeuwigdurend) {
        // Selecting the option runs its click: the end option becomes 3.
        selectOption(optEind, 3);
        optClick(m_opties.eind, &frmAct::zetOptieEind, 3);
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

void frmAct::zetOptieKosten(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.kosten, n, kVeldOptieKosten) || !n)
        return;
    selectOption(optKosten, *n);
    const act::KostenLayout l = act::kostenLayout(*n, m_costItemSelected);
    txtKostenPerc->setVisible(l.percEnInvest);
    txtKostenInvest->setVisible(l.percEnInvest);
    lblKostenInvest->setVisible(l.percEnInvest);
    txtKostenTotaal->setVisible(l.totaal);
    txtKostenPE->setVisible(l.perEenheid);
    grpFrames[3]->setVisible(l.eenheidFrame);
}

void frmAct::zetOptieVervangingsToeslag(std::optional<int> n)
{
    if (!wijzigOptie(m_opties.toeslag, n, kVeldOptieToeslag) || !n)
        return;
    try {
        switch (*n) {
        case 1:
            selectOption(optVervangingsToeslag, 1);
            txtVervangingsToeslagPerc->setVisible(false);
            if (m_opties.kosten != 3)
                zetOptieKosten(3);
            if (txtEenheid->text() != QLatin1String("m2"))
                zetTekst(txtEenheid, QStringLiteral("m2"));
            break;
        case 2:
            selectOption(optVervangingsToeslag, 2);
            if (m_cl)
                zetTekst(txtVervangingsToeslagPerc, vb::Format(double((m_cl->sngVervangingstoeslagGroteWerkenMax()
                                                                       + m_cl->sngVervangingstoeslagGroteWerkenMin())
                                                                      / 2),
                                                               QStringLiteral("0.00")));
            zetNaastOptie(txtVervangingsToeslagPerc, optVervangingsToeslag, 2);
            txtVervangingsToeslagPerc->setVisible(true);
            break;
        case 3:
            selectOption(optVervangingsToeslag, 3);
            if (m_cl)
                zetTekst(txtVervangingsToeslagPerc,
                         vb::Format(double(m_cl->sngVervangingstoeslagKleineWerken()), QStringLiteral("0.00")));
            zetNaastOptie(txtVervangingsToeslagPerc, optVervangingsToeslag, 3);
            txtVervangingsToeslagPerc->setVisible(true);
            break;
        default: // 0 and 7: no choice yet
            clearOptions(optVervangingsToeslag);
            txtVervangingsToeslagPerc->setVisible(false);
            break;
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.zetOptieVervangingsToeslag")));
    }
    ZetVervangingsToeslagStatus();
}

void frmAct::zetIsQOR(std::optional<int> code)
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

void frmAct::chkCombineer_Click()
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

void frmAct::zetCombineer(std::optional<int> code)
{
    if (!wijzigOptie(m_opties.combineer, code, kVeldCombineer) || !code)
        return;
    const int waarde = *code != 0 ? 1 : 0;
    if (waarde != (chkCombineer->isChecked() ? 1 : 0)) {
        chkCombineer->setChecked(waarde == 1);
        chkCombineer_Click();
    }
}

bool frmAct::schrijfTerug(QWidget *field)
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

bool frmAct::weigerInvoer(QWidget *field)
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

bool frmAct::valideerInvoervak(QWidget *field)
{
    // A number of the field's kind: a year or count takes no fraction.
    if (!m_binding->holdsNumber(field))
        return weigerInvoer(field);
    return schrijfTerug(field);
}

bool frmAct::valideerEenheid(QWidget *field)
{
    auto *edit = qobject_cast<QLineEdit *>(field);
    if (edit->text().isEmpty()) {
        m_binding->setChanged(field, false);
        ui::MsgBox(act::kMeldingEenheid, ui::Buttons::OK, ui::Icon::Exclamation, act::kTitelEenheid);
        return false;
    }
    return schrijfTerug(field);
}

bool frmAct::gebruiktGediffToeslag() const
{
    try {
        return m_cl && m_cl->GebruikGedifferentieerdeToeslagB();
    } catch (const platform::Error &) {
        return false;
    }
}

bool frmAct::gaNaarClItem()
{
    const QVariant ref = m_insAct->Clitem_REF();
    return m_cl && !ref.isNull() && m_cl->GaNaarItem(ref.toInt());
}

void frmAct::VerifyEnMarkeer()
{
    if (!m_costItemSelected || !m_insAct || !m_cl || !m_insAct->hasCurrentRow())
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

        const SiteTree::Node node = m_tree->selected();
        const bool laterPhase = node && m_tree->text(node).startsWith(QLatin1Char('{'));
        const act::Markering m = act::VerifyEnMarkeer(in, rij, *m_cl, laterPhase, m_kleurAct);
        for (int i = 0; i < 8; ++i)
            if (m.frameKleur[i])
                zetKleur(grpFrames[i], *m.frameKleur[i]);
        if (node)
            m_tree->setForeColor(node, m.nodeKleur);
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

void frmAct::strToelichtingVervangingsToeslag(InfoWriter &w)
{
    if (!gebruiktGediffToeslag())
        return;
    const int type = m_insAct->bytTypeVervangingsToeslag();
    if (type == 0)
        return;
    w.underlined(QStringLiteral("Toeslag vervanging:"));
    if (type == 1)
        w.text(QStringLiteral(" Over deze vervangingspost berekent TAVIR de toeslag 'Bovenafdichting' voor ontwerp, "
                              "directievoering en toezicht o.b.v. het aantal m2, conform bijlage 2 paragraaf 1.8 uit "
                              "de Checklist.")
               + CRLF + CRLF);
    else if (type == 2 || type == 3 || type == 7)
        w.text(QStringLiteral(" Op deze vervangingspost is een toeslag voor directievoering en toezicht van "
                              "toepassing. Deze kan liggen tussen 5% voor een klein werk tot 6-6,5% voor een groot "
                              "werk. Zie Checklistbijlage 2, paragraaf 1.8, alinea 'Grote werken'.")
               + CRLF + CRLF);
}

void frmAct::strInfoChecklistpost()
{
    txtInfoChecklist->clear();
    if (!m_insAct || !m_cl)
        return;
    InfoWriter w(txtInfoChecklist);
    if (m_insAct->IsQOR() == 0) {
        emit eCLPostSelected(0);
        txtInfoChecklist->clear();
        InfoWriter own(txtInfoChecklist);
        own.bold(true).text(QStringLiteral("< dit is geen post uit de QOR-checklist >") + CRLF + CRLF).bold(false);
        if (m_insAct->bytRubriek_REF() == 5 && gebruiktGediffToeslag())
            strToelichtingVervangingsToeslag(own);
        return;
    }
    const QString ref = vb::CStr(m_insAct->Clitem_REF());
    if (!gaNaarClItem()) {
        w.kleur(act::kRood)
            .text(QStringLiteral("Checklistpost ") + ref + QStringLiteral(" is niet (meer) aanwezig onder nr ") + ref
                  + QStringLiteral(" in de checklist.")
                  + QStringLiteral("Dit is het gevolg van tussentijds onderhoud van de checklist tijdens de looptijd "
                                   "van het project. Deze melding komt niet voor in de eindversie.")
                  + CRLF + QStringLiteral("Verwijder dit item."))
            .kleur(act::kZwart);
        emit eCLPostSelected(0);
        return;
    }
    const qint32 id = m_cl->lngCLitem_ID();
    w.underlined(QStringLiteral("Checklistitem-ID:")).text(QStringLiteral(" ") + QString::number(id) + CRLF + CRLF);
    w.underlined(QStringLiteral("Periodiciteit:")).text(QStringLiteral(" ") + m_cl->strFreqXtoelichting() + CRLF);
    w.underlined(QStringLiteral("Kosten:")).text(QStringLiteral(" ") + m_cl->strKostenToelichtingEx() + CRLF + CRLF);
    if (m_cl->bytOptieFreq() != 1) {
        w.underlined(QStringLiteral("Startjaar:")).text(QStringLiteral(" ") + m_cl->strStartJaarToelichting() + CRLF);
        w.underlined(QStringLiteral("Eindjaar:"))
            .text(QStringLiteral(" ") + m_cl->strEindJaarToelichting() + CRLF + CRLF);
    } else {
        w.underlined(QStringLiteral("Jaar eenmalige uitgave:") + CRLF)
            .text(QStringLiteral(" ") + m_cl->strStartJaarToelichting() + CRLF + CRLF);
    }
    if (m_cl->blnIsCombinatiePost())
        w.underlined(QStringLiteral("Combinatie:"))
            .text(QStringLiteral(" Deze post is een combinatiepost.") + CRLF + CRLF);
    if (m_cl->blnCombinatieMogelijk())
        w.underlined(QStringLiteral("Combinatie:"))
            .text(QStringLiteral(" Deze post mag u combineren met andere posten in een zgn. combinatiepost.") + CRLF
                  + CRLF);
    strToelichtingVervangingsToeslag(w);
    const QVariant toelichting = m_cl->Toelichting();
    w.underlined(QStringLiteral("Toelichting:") + CRLF)
        .text((toelichting.isNull() ? QStringLiteral("..") : toelichting.toString()) + CRLF + CRLF);
    const QVariant ref2 = m_cl->RefDeelonderz();
    w.italic(true).text(QStringLiteral("Referentie deelonderzoek:") + CRLF).italic(false);
    w.text((ref2.isNull() ? QStringLiteral("..") : ref2.toString()) + CRLF);
    w.size(7).text(m_cl->strVoetnotenToelichting());
    w.size(7).text(CRLF + m_cl->VoetNootFasering());
    emit eCLPostSelected(id);
}

void frmAct::ZetVervangingsToeslagStatus()
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

#include "screens/frmAct_panel.h"

// The detail panel's controls, frame by frame, in their tab order, and
// their connections: the option groups' clicks and the field checks.

#include "screens/field_binding.h"
#include "screens/field_validation.h"
#include "screens/frmAct_marking.h"
#include "screens/layout_helpers.h"
#include "screens/multi_line_edit.h"

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

namespace {
// A frame's grid with little room between its rows.
QGridLayout *compacteGrid(QWidget *frame)
{
    auto *l = new QGridLayout(frame);
    l->setContentsMargins(6, 2, 6, 4);
    l->setVerticalSpacing(0);
    return l;
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

// The text colour of a label or a frame's caption. A disabled control keeps
// the style's disabled look; the controls inside a frame keep their own
// colours, so the marking goes on the caption alone.
void ActPaneel::zetKleur(QWidget *w, qint32 vbColour)
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

ActPaneel::ActPaneel(QWidget *scherm, QWidget *kader, QTextEdit *infoBox, SiteTreeWidget &tree)
    : m_scherm(scherm), m_boom(tree), txtInfoChecklist(infoBox)
{
    m_validation = std::make_unique<FieldValidation>(scherm);
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

QHBoxLayout *ActPaneel::bouwKop(QWidget *kader)
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

void ActPaneel::maakFrames(QWidget *kader)
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

void ActPaneel::bouwToeslagFrame()
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

void ActPaneel::bouwStartFrame()
{
    QGroupBox *g = grpFrames[1];
    chkStartBA = jaarFrame(g, optStart, "optStart", {QStringLiteral("kalenderjaar"), QStringLiteral("nazorgjaar")},
                           txtIntStartAct, "txtIntStartAct", "chkStartBA",
                           QStringLiteral(" ........  e  jaar na aanleg bovenafdichting"), this);
    txtStartBA = invoervak(QStringLiteral("txtStartBA"), g, this);
    txtStartBA->setVisible(false);
}

void ActPaneel::bouwEindFrame()
{
    QGroupBox *g = grpFrames[2];
    chkEindBA = jaarFrame(
        g, optEind, "optEind",
        {QStringLiteral("kalenderjaar"), QStringLiteral("nazorgjaar"), QStringLiteral("eeuwigdurend")}, txtIntEindAct,
        "txtIntEindAct", "chkEindBA", QStringLiteral("........   e  jaar na aanleg bovenafdichting"), this);
    txtEindBA = invoervak(QStringLiteral("txtEindBA"), g, this);
    txtEindBA->setVisible(false);
}

void ActPaneel::bouwEenheidFrame()
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

void ActPaneel::bouwFreqFrame()
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

void ActPaneel::bouwKostenFrame()
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

void ActPaneel::bouwOpmerkingFrames()
{
    txtActOpm = regelFrame(grpFrames[6], QStringLiteral(" Opmerking/aantekening"), QStringLiteral("txtActOpm"), 100,
                           true, this);
    txtNazorgplanRef = regelFrame(grpFrames[7], QStringLiteral(" Verwijzing nazorgplan"),
                                  QStringLiteral("txtNazorgplanRef"), 50, false, this);
}

QVBoxLayout *ActPaneel::plaatsFrames(QGridLayout *layout)
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

void ActPaneel::bouwCombinatie(QWidget *kader, QVBoxLayout *rechtsOnder)
{
    // The check box stands under the unit frame.
    chkCombineer = new QCheckBox(QStringLiteral("Opgenomen in combinatiepost"), kader);
    chkCombineer->setObjectName(QStringLiteral("chkCombineer"));
    rechtsOnder->addWidget(chkCombineer);
    rechtsOnder->addStretch(1);
}

void ActPaneel::bouwZin(QWidget *kader, QGridLayout *layout)
{
    txtZin = new QTextEdit(kader);
    txtZin->setObjectName(QStringLiteral("txtZin"));
    txtZin->setReadOnly(true);
    txtZin->setFixedHeight(3 * txtZin->fontMetrics().lineSpacing() + 10);
    layout->addWidget(txtZin, 4, 0, 1, 3);
}

void ActPaneel::zetMaten()
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

void ActPaneel::verbindOpties()
{
    const auto verbind = [this](QList<QRadioButton *> &group, const std::optional<int> &code,
                                void (ActPaneel::*zetOptie)(std::optional<int>)) {
        for (int i = 0; i < group.size(); ++i)
            connect(group[i], &QRadioButton::clicked, this, [this, &code, zetOptie, i] {
                opt_Click(code, zetOptie, i + 1);
                VerifyEnMarkeer();
            });
    };
    verbind(optStart, m_opties.start, &ActPaneel::zetOptieStart);
    verbind(optEind, m_opties.eind, &ActPaneel::zetOptieEind);
    verbind(optFreq, m_opties.freq, &ActPaneel::zetOptieFreq);
    verbind(optKosten, m_opties.kosten, &ActPaneel::zetOptieKosten);
    verbind(optVervangingsToeslag, m_opties.toeslag, &ActPaneel::zetOptieVervangingsToeslag);
    connect(chkCombineer, &QCheckBox::clicked, this, &ActPaneel::chkCombineer_Click);
    for (QCheckBox *box : {chkStartBA, chkEindBA})
        connect(box, &QCheckBox::clicked, this, [this] {
            ZetCaptionsStartEind();
            VerifyEnMarkeer();
        });
}

void ActPaneel::verbindControles()
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

} // namespace screens

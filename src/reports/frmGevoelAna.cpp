#include "reports/frmGevoelAna.h"

#include "reports/frmRapScherm.h"

#include "screens/field_validation.h"
#include "screens/masked_edit.h"
#include "screens/session.h"

#include "platform/core/error.h"
#include "platform/text/format.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

namespace reports {

// ---- The slider -------------------------------------------------------------

SelectieSchuif::SelectieSchuif(QWidget *parent) : QSlider(Qt::Horizontal, parent)
{
    setRange(kSchuifMin, kSchuifMax);
    setSingleStep(1);
    setPageStep(1);
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(2);
    connect(this, &QSlider::valueChanged, this, [this](int v) { setToolTip(vb::CStr(v / 2.0)); });
}

void SelectieSchuif::mousePressEvent(QMouseEvent *event)
{
    QSlider::mousePressEvent(event);
    selectie.muisNeer(value(), event->modifiers() == Qt::ShiftModifier);
    update();
}

void SelectieSchuif::mouseReleaseEvent(QMouseEvent *event)
{
    QSlider::mouseReleaseEvent(event);
    selectie.muisOp(value(), event->modifiers() == Qt::ShiftModifier);
    update();
}

void SelectieSchuif::paintEvent(QPaintEvent *event)
{
    QSlider::paintEvent(event);
    if (!selectie.zichtbaar)
        return;
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect groef = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const int span = groef.width();
    const auto x = [&](int v) { return groef.left() + QStyle::sliderPositionFromValue(minimum(), maximum(), v, span); };
    // The range stands out from the groove and from the part of the groove
    // the style fills up to the handle: a darker band just below the groove
    // with a mark at either end.
    QPainter p(this);
    const QColor kleur =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Highlight).darker(170);
    const int links = x(selectie.start);
    const int rechts = x(selectie.start + selectie.lengte);
    const int boven = groef.bottom() + 2;
    p.fillRect(QRect(QPoint(links, boven), QPoint(rechts, boven + 3)), kleur);
    p.fillRect(QRect(QPoint(links - 1, groef.top()), QPoint(links, boven + 3)), kleur);
    p.fillRect(QRect(QPoint(rechts, groef.top()), QPoint(rechts + 1, boven + 3)), kleur);
}

// ---- The screen ---------------------------------------------------------------

frmGevoelAna::frmGevoelAna() : Form(QStringLiteral("frmGevoelAna"))
{
    setWindowTitle(titel());
    setFixedBorder();

    auto *frmVarieer = new QGroupBox(QStringLiteral("Varieer "), this);
    frmVarieer->setObjectName(QStringLiteral("frmVarieer"));
    auto *groep = new QButtonGroup(this);
    const QString captions[4] = {QString(), QStringLiteral("Voer een alternatieve rente en inflatie in"),
                                 QStringLiteral("rente (inflatie is constant)"),
                                 QStringLiteral("inflatie (rente is constant)")};
    for (int i : {2, 3, 1}) {
        opt1[i] = new QRadioButton(captions[i], frmVarieer);
        opt1[i]->setObjectName(QStringLiteral("opt1_%1").arg(i));
        groep->addButton(opt1[i], i);
    }
    connect(groep, &QButtonGroup::idClicked, this, &frmGevoelAna::opt1_Click);

    Slider1 = new SelectieSchuif(frmVarieer);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setToolTip(QStringLiteral("Schuif de slider naar de minimaal gewenste waarde. Hou vervolgens SHIFT "
                                       "ingedrukt en schuif naar de maximale waarde."));
    auto *schaal = new QHBoxLayout;
    for (int i = 1; i <= 8; ++i) {
        schaal->addWidget(new QLabel(QString::number(i), frmVarieer));
        if (i < 8)
            schaal->addStretch();
    }
    // The number of rows: a choice from the list only.
    Combo1 = new QComboBox(frmVarieer);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(false);

    txtRente = new screens::MaskedEdit(QStringLiteral("txtRente"), frmVarieer);
    txtInflatie = new screens::MaskedEdit(QStringLiteral("txtInflatie"), frmVarieer);
    txtInflatie->setToolTip(QStringLiteral("Het QOR hanteert een inflatie van 2,00 %"));
    for (QLineEdit *e : {static_cast<QLineEdit *>(txtRente), static_cast<QLineEdit *>(txtInflatie)}) {
        e->setMaximumWidth(80);
        e->setAutoFillBackground(true);
    }

    auto *g = new QGridLayout(frmVarieer);
    g->addWidget(opt1[2], 0, 0, 1, 3);
    g->addWidget(opt1[3], 1, 0, 1, 3);
    g->addWidget(Slider1, 2, 0, 1, 3);
    g->addLayout(schaal, 3, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Aantal stappen:"), frmVarieer), 4, 0);
    g->addWidget(Combo1, 4, 1);
    g->addWidget(opt1[1], 5, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Rente (%):"), frmVarieer), 6, 0);
    g->addWidget(txtRente, 6, 1);
    g->addWidget(new QLabel(QStringLiteral("Inflatie (%):"), frmVarieer), 7, 0);
    g->addWidget(txtInflatie, 7, 1);
    g->setColumnStretch(2, 1);

    auto *OKButton = new QPushButton(QStringLiteral("&Bereken"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    auto *CancelButton = new QPushButton(QStringLiteral("&Sluiten"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    // A click leaves the focus in the rate field, which is checked before
    // the analysis; Tab reaches the buttons.
    OKButton->setFocusPolicy(Qt::TabFocus);
    CancelButton->setFocusPolicy(Qt::TabFocus);
    OKButton->setDefault(true);
    setCancelButton(CancelButton);
    connect(OKButton, &QPushButton::clicked, this, &frmGevoelAna::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmGevoelAna::CancelButton_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frmVarieer);
    auto *knoppen = new QHBoxLayout;
    knoppen->addStretch();
    knoppen->addWidget(OKButton);
    knoppen->addWidget(CancelButton);
    layout->addLayout(knoppen);

    m_validation = std::make_unique<screens::FieldValidation>(this);
    m_validation->add(txtRente, [this] { return controleerTarief(txtRente, true); });
    m_validation->add(txtInflatie, [this] { return controleerTarief(txtInflatie, false); });
}

frmGevoelAna::~frmGevoelAna() = default;

frmGevoelAna *frmGevoelAna::load()
{
    if (auto *f = Form::loaded<frmGevoelAna>())
        return f;
    auto *f = new frmGevoelAna;
    f->Form_Load();
    return f;
}

void frmGevoelAna::Form_Load()
{
    loadForm();
    moveFrame(twips(300), twips(300));
    for (int i = kMinRijen; i <= kMaxRijen; ++i)
        Combo1->addItem(QString::number(i));
    Combo1->setCurrentText(QStringLiteral("5"));
    Slider1->selectie = SchuifSelectie{3, 5, true};
    Slider1->setValue(8);
    opt1[2]->setChecked(true);
    opt1_Click(2);
}

void frmGevoelAna::opt1_Click(int index)
{
    Slider1->setEnabled(index != 1);
    Combo1->setEnabled(index != 1);
    for (QLineEdit *e : {static_cast<QLineEdit *>(txtRente), static_cast<QLineEdit *>(txtInflatie)}) {
        e->setEnabled(index == 1);
        QPalette p = e->palette();
        p.setColor(QPalette::Base, index == 1 ? QColor(Qt::white) : p.color(QPalette::Button));
        e->setPalette(p);
    }
}

bool frmGevoelAna::controleerTarief(screens::MaskedEdit *veld, bool rente)
{
    const QString fout = tariefFout(veld->text(), rente);
    if (!fout.isEmpty()) {
        ui::MsgBox(fout, ui::Buttons::OK, ui::Icon::Exclamation, titel());
        return false;
    }
    veld->setText(vb::Format(vb::CDbl(veld->text()), QStringLiteral("0.00")));
    return true;
}

GevoeligheidInvoer frmGevoelAna::invoer() const
{
    GevoeligheidInvoer in;
    in.varieer = opt1[1]->isChecked()   ? Varieer::Alternatief
                 : opt1[3]->isChecked() ? Varieer::Inflatie
                                        : Varieer::Rente;
    in.selectie = Slider1->selectie;
    // A whole number of steps; any other text gives none, which the
    // analysis refuses.
    const std::optional<double> rijen = vb::TypedNumber(Combo1->currentText(), vb::NumberKind::Whole);
    in.rijen = rijen && *rijen >= 0 && *rijen <= 1000 ? int(*rijen) : 0;
    in.rente = txtRente->text();
    in.inflatie = txtInflatie->text();
    return in;
}

void frmGevoelAna::OKButton_Click()
{
    if (m_validation && !m_validation->controleerFocus())
        return;
    const GevoeligheidInvoer in = invoer();
    if (const std::optional<Melding> m = controleer(in)) {
        ui::MsgBox(m->tekst, ui::Buttons::OK, m->icon, titel());
        return;
    }
    ui::BusyCursor zandloper;
    try {
        const std::optional<GevoeligheidUitkomst> uitkomst = berekenGevoeligheid(screens::currentContext(), in);
        if (!uitkomst)
            return;
        frmRapScherm *rap = frmRapScherm::load();
        schrijfGevoeligheid(*uitkomst, *rap);
        rap->setZichtbaar(true);
    } catch (const platform::Error &e) {
        screens::meldFout(e.withSource(QStringLiteral("frmGevoelAna.OKButton_Click")));
    }
}

void frmGevoelAna::CancelButton_Click()
{
    unload();
}

void frmGevoelAna::Form_Unload()
{
    // Leaving the screen checks no field.
    m_validation.reset();
}

} // namespace reports

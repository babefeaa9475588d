#include "shell/frmSplash.h"

#include "shell/frmOpenInr.h"
#include "shell/program_state.h"
#include "shell/shell_open.h"

#include "platform/core/program_version.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace shell {

// The parties' home pages.
const char *const frmSplash::kUrlQOR = "https://www.example.org/qor";
const char *const frmSplash::kUrlBrandeck = "https://www.example.org/brandeck";
const char *const frmSplash::kUrlKettrilon = "https://www.example.org/kettrilon";

namespace {

constexpr int kBreedte = 480;
constexpr int kHoogte = 300;

// Where the three parties' names stand on the picture.
const QRect kVakQOR(24, 236, 136, 40);
const QRect kVakBrandeck(172, 236, 136, 40);
const QRect kVakKettrilon(320, 236, 136, 40);

} // namespace

frmSplash::frmSplash() : Form(QStringLiteral("frmSplash"))
{
    setWindowTitle(QLatin1String(tavir::kProgramTitle));
    setFixedSize(kBreedte, kHoogte);

    lblVersion = new QLabel(QStringLiteral("versie"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setFont(QFont(QStringLiteral("Arial"), 10));
    lblVersion->setStyleSheet(QStringLiteral("color: white;"));
    lblVersion->setGeometry(24, 150, 200, 24);

    auto *shape = new QFrame(this);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setFrameShape(QFrame::HLine);
    shape->setGeometry(24, 224, kBreedte - 48, 2);

    lblQOR = hotSpot("lblQOR", kVakQOR);
    lblBrandeck = hotSpot("lblBrandeck", kVakBrandeck);
    lblKettrilon = hotSpot("lblKettrilon", kVakKettrilon);

    cmdClose = new QPushButton(QStringLiteral("&Sluiten"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    setCancelButton(cmdClose);
    cmdClose->setGeometry(kBreedte - 104, 180, 80, 28);
    cmdClose->hide();
    connect(cmdClose, &QPushButton::clicked, this, &frmSplash::cmdClose_Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2500);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

QLabel *frmSplash::hotSpot(const char *name, const QRect &where)
{
    // A label of blanks over the party's name on the picture.
    auto *label = new QLabel(QStringLiteral("          "), this);
    label->setObjectName(QLatin1String(name));
    label->setToolTip(QStringLiteral("Klik hier voor openen van de website"));
    label->setCursor(Qt::PointingHandCursor);
    label->setGeometry(where);
    label->installEventFilter(this);
    return label;
}

frmSplash *frmSplash::loadSplash()
{
    return loadIn(false);
}

frmSplash *frmSplash::loadAbout()
{
    return loadIn(true);
}

frmSplash *frmSplash::loadIn(bool about)
{
    frmSplash *f = Form::loaded<frmSplash>();
    if (!f) {
        f = new frmSplash;
        f->loadForm();
    }
    if (about) {
        f->Timer1->stop();
        f->cmdClose->show();
    } else if (f->cmdClose->isHidden()) {
        f->Timer1->start();
    }
    f->Form_Activate();
    return f;
}

bool frmSplash::isAboutBox() const
{
    return !cmdClose->isHidden();
}

void frmSplash::Form_Activate()
{
    lblVersion->setText(QStringLiteral("versie ") + QString::number(modMain::gVersion.major) + QStringLiteral(".")
                        + QString::number(modMain::gVersion.minor));
    // Centred in the main window's client area (or on the screen).
    QWidget *fr = frame();
    const QWidget *area = screens::Form::host();
    const QSize ruimte = area ? area->size() : (fr->screen() ? fr->screen()->size() : QSize());
    if (!ruimte.isEmpty())
        fr->move((ruimte.width() - fr->width()) / 2, (ruimte.height() - fr->height()) / 2);
    if (modMain::gblnRevisie999) {
        ui::MsgBox(QStringLiteral("revision=999"), ui::Buttons::OK, ui::Icon::Critical,
                   QLatin1String(tavir::kProgramTitle));
        Timer1_Timer();
    }
}

void frmSplash::Timer1_Timer()
{
    Timer1->stop();
    if (!isAboutBox())
        frmOpenInr::load();
    ui::resetCursor();
    unload();
}

void frmSplash::cmdClose_Click()
{
    unload();
}

void frmSplash::lblQOR_Click()
{
    modAPI_2_ShellExecute::ShellOpen(QLatin1String(kUrlQOR), 1);
}

void frmSplash::lblBrandeck_Click()
{
    modAPI_2_ShellExecute::ShellOpen(QLatin1String(kUrlBrandeck), 1);
}

void frmSplash::lblKettrilon_Click()
{
    modAPI_2_ShellExecute::ShellOpen(QLatin1String(kUrlKettrilon), 1);
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == lblQOR)
            lblQOR_Click();
        else if (watched == lblBrandeck)
            lblBrandeck_Click();
        else if (watched == lblKettrilon)
            lblKettrilon_Click();
    }
    return Form::eventFilter(watched, event);
}

void frmSplash::paintEvent(QPaintEvent *)
{
    // The splash picture.
    QPainter p(this);
    QLinearGradient lucht(0, 0, 0, height());
    lucht.setColorAt(0.0, QColor(0x1f, 0x4e, 0x79));
    lucht.setColorAt(1.0, QColor(0x2e, 0x75, 0x4f));
    p.fillRect(rect(), lucht);

    p.setPen(Qt::white);
    QFont titel(QStringLiteral("Arial"), 40, QFont::Bold);
    p.setFont(titel);
    p.drawText(QRect(24, 30, width() - 48, 70), Qt::AlignLeft | Qt::AlignVCenter, QLatin1String(tavir::kProgramTitle));
    QFont onder(QStringLiteral("Arial"), 11);
    p.setFont(onder);
    p.drawText(QRect(24, 100, width() - 48, 44), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Doelvermogen en heffing voor de nazorg van stortplaatsen en baggerdepots"));

    QFont partij(QStringLiteral("Arial"), 10, QFont::Bold);
    p.setFont(partij);
    p.drawText(kVakQOR, Qt::AlignCenter, QStringLiteral("QOR"));
    p.drawText(kVakBrandeck, Qt::AlignCenter, QStringLiteral("Brandeck"));
    p.drawText(kVakKettrilon, Qt::AlignCenter, QStringLiteral("Kettrilon"));
}

} // namespace shell

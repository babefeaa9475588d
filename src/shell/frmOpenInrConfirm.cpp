#include "shell/frmOpenInrConfirm.h"

#include "shell/program_state.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace shell {

frmOpenInrConfirm::frmOpenInrConfirm() : Form(QStringLiteral("frmOpenInrConfirm"))
{
    auto *layout = new QVBoxLayout(this);
    auto *shape = new QFrame(this);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setFrameShape(QFrame::Box);
    auto *inner = new QVBoxLayout(shape);
    Label1 = new QLabel(shape);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont font = Label1->font();
    font.setBold(true);
    Label1->setFont(font);
    inner->addWidget(Label1);
    layout->addWidget(shape);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(3000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmOpenInrConfirm::Timer1_Timer);
}

frmOpenInrConfirm *frmOpenInrConfirm::toon(const QString &bericht)
{
    auto *f = new frmOpenInrConfirm;
    f->setBericht(bericht);
    f->Form_Load();
    return f;
}

void frmOpenInrConfirm::Form_Load()
{
    modMain::gblnBerichtOpen = true;
    loadForm();
    adjustSize();
    frame()->adjustSize();
    moveFrame(twips(500), twips(500));
    Timer1->start();
}

void frmOpenInrConfirm::setBericht(const QString &bericht)
{
    Label1->setText(bericht);
}

QString frmOpenInrConfirm::bericht() const
{
    return Label1->text();
}

void frmOpenInrConfirm::Timer1_Timer()
{
    Timer1->stop();
    modMain::gblnBerichtOpen = false;
    unload();
}

void frmOpenInrConfirm::Form_Unload()
{
    Timer1->stop();
    modMain::gblnBerichtOpen = false;
}

} // namespace shell

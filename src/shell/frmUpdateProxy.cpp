#include "shell/frmUpdateProxy.h"

#include "shell/app_settings.h"
#include "shell/error_report.h"
#include "shell/program_state.h"

#include "platform/core/error.h"
#include "platform/ui/dialogs.h"

#include "screens/layout_helpers.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace shell {

// The highest TCP port number.
constexpr int kMaxPoort = 65535;

QString pfunControleerProxy(int index, const QString &naam, const QString &poort, ProxyKeuze &keuze, QString *veld)
{
    bool ok = false;
    const int nummer = poort.trimmed().toInt(&ok);
    const bool geldigePoort = ok && nummer >= 1 && nummer <= kMaxPoort;
    if (index == 2) {
        if (naam.trimmed().isEmpty()) {
            if (veld)
                *veld = QStringLiteral("txtProxyNaam");
            return QStringLiteral("Vul de naam van de HTTP proxy in.");
        }
        if (!geldigePoort) {
            if (veld)
                *veld = QStringLiteral("txtProxyPoortNr");
            return QStringLiteral("Vul als poortnummer een heel getal van 1 tot en met 65535 in.");
        }
    }
    keuze.type = quint8(index >= 0 && index <= 2 ? index : 0);
    keuze.naam = naam.trimmed();
    keuze.poort = ok && nummer >= 0 && nummer <= kMaxPoort ? nummer : 0;
    return QString();
}

frmUpdateProxy::frmUpdateProxy() : Form(QStringLiteral("frmUpdateProxy"))
{
    setWindowTitle(QStringLiteral("Geavanceerd"));
    auto *frame = new QGroupBox(QStringLiteral("Internetverbinding"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    const char *captions[3] = {"Automatisch (standaard)", "Directe toegang", "Toegang via proxyserver"};
    auto *opties = new QVBoxLayout(frame);
    for (int i = 0; i < 3; ++i) {
        optProxType[i] = new QRadioButton(QString::fromUtf8(captions[i]), frame);
        optProxType[i]->setObjectName(QStringLiteral("optProxType_%1").arg(i));
        opties->addWidget(optProxType[i]);
        connect(optProxType[i], &QRadioButton::clicked, this, [this, i] { optProxType_Click(i); });
    }
    picKader = new QWidget(frame);
    picKader->setObjectName(QStringLiteral("picKader"));
    txtProxyNaam = new QLineEdit(picKader);
    txtProxyNaam->setObjectName(QStringLiteral("txtProxyNaam"));
    txtProxyPoortNr = new QLineEdit(picKader);
    txtProxyPoortNr->setObjectName(QStringLiteral("txtProxyPoortNr"));
    auto *velden = new QFormLayout(picKader);
    velden->addRow(QStringLiteral("Naam HTTP proxy"), txtProxyNaam);
    velden->addRow(QStringLiteral("Poortnr"), txtProxyPoortNr);
    opties->addWidget(picKader);
    // The dialog has room for the proxy's fields whether they show or not.
    screens::keepPlaceWhenHidden(picKader);

    auto *OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    auto *CancelButton = new QPushButton(QStringLiteral("&Annuleer"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    OKButton->setDefault(true);
    setCancelButton(CancelButton);
    connect(OKButton, &QPushButton::clicked, this, &frmUpdateProxy::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmUpdateProxy::CancelButton_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    auto *knoppen = new QHBoxLayout;
    knoppen->addStretch();
    knoppen->addWidget(OKButton);
    knoppen->addWidget(CancelButton);
    layout->addLayout(knoppen);
}

frmUpdateProxy *frmUpdateProxy::load()
{
    if (auto *f = Form::loaded<frmUpdateProxy>())
        return f;
    auto *f = new frmUpdateProxy;
    f->Form_Load();
    f->loadForm();
    return f;
}

void frmUpdateProxy::Form_Load()
{
    const int index = modMain::gbytProxySetting <= 2 ? modMain::gbytProxySetting : 0;
    txtProxyNaam->setText(modMain::gstrProxyNaam);
    txtProxyPoortNr->setText(QString::number(modMain::gintProxyPoort));
    optProxType[index]->setChecked(true);
    optProxType_Click(index);
}

void frmUpdateProxy::optProxType_Click(int index)
{
    m_index = index;
    picKader->setVisible(index == 2);
}

void frmUpdateProxy::OKButton_Click()
{
    ProxyKeuze keuze;
    QString veld;
    const QString melding = pfunControleerProxy(m_index, txtProxyNaam->text(), txtProxyPoortNr->text(), keuze, &veld);
    if (!melding.isEmpty()) {
        ui::MsgBox(melding, ui::Buttons::OK, ui::Icon::Exclamation, QStringLiteral("Geavanceerd"));
        if (auto *w = findChild<QLineEdit *>(veld)) {
            w->setFocus();
            w->selectAll();
        }
        return;
    }
    modMain::gbytProxySetting = keuze.type;
    modMain::gstrProxyNaam = keuze.naam;
    modMain::gintProxyPoort = keuze.poort;
    try {
        modMain::BewaarInstelling(QLatin1String(modMain::kSetProxySetting), QString::number(keuze.type));
        modMain::BewaarInstelling(QLatin1String(modMain::kSetProxyNaam), keuze.naam);
        modMain::BewaarInstelling(QLatin1String(modMain::kSetProxyPoort), QString::number(keuze.poort));
    } catch (const platform::Error &e) {
        modMain::MeldFout(e, QStringLiteral("frmUpdateProxy.OKButton_Click"));
    }
    unload();
}

void frmUpdateProxy::CancelButton_Click()
{
    unload();
}

} // namespace shell

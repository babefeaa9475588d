#include "shell/main_window.h"

#include "shell/app_settings.h"
#include "shell/error_report.h"
#include "shell/program_version.h"

#include "platform/core/error.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>

QPointer<frmMDI_main> frmMDI_main::s_instance;

namespace {

frmMDI_main::ScreenOpener &splashOpener()
{
    static frmMDI_main::ScreenOpener opener;
    return opener;
}

frmMDI_main::ScreenOpener &settingsScreenOpener()
{
    static frmMDI_main::ScreenOpener opener;
    return opener;
}

} // namespace

frmMDI_main::frmMDI_main(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMDI_main"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);

    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(bar);
    const char *designTexts[3] = {"<Geen inrichting geopend>", "programmaversie", "checklistbestandversie"};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(QString::fromUtf8(designTexts[i]), bar);
        m_panels[i]->setObjectName(QStringLiteral("StatusBar1_%1").arg(i + 1));
        // The first panel takes the room that is left.
        bar->addPermanentWidget(m_panels[i], i == 0 ? 1 : 0);
    }

    resize(1024, 768);
    MDIForm_Load();
}

frmMDI_main *frmMDI_main::instance()
{
    return s_instance.data();
}

frmMDI_main *frmMDI_main::load()
{
    if (!s_instance)
        s_instance = new frmMDI_main();
    s_instance->show();
    return s_instance.data();
}

bool frmMDI_main::unload()
{
    if (!s_instance)
        return true;
    QPointer<frmMDI_main> window = s_instance;
    if (!window->close())
        return false;
    // Closed: it deletes itself; it is no longer the loaded main window.
    delete window.data();
    s_instance.clear();
    return true;
}

QString frmMDI_main::panelText(int index) const
{
    if (index < 1 || index > 3)
        return QString();
    return m_panels[index - 1]->text();
}

void frmMDI_main::setPanelText(int index, const QString &text)
{
    if (index >= 1 && index <= 3)
        m_panels[index - 1]->setText(text);
}

void frmMDI_main::setSiteCommandsEnabled(bool on)
{
    // The menu items and tool-bar buttons that need an open site come with
    // the menus; until then only the state is kept.
    m_siteCommandsEnabled = on;
}

void frmMDI_main::openSplash()
{
    if (const auto &opener = splashOpener())
        opener(*this);
    emit splashRequested();
}

void frmMDI_main::openSettingsScreen()
{
    if (const auto &opener = settingsScreenOpener())
        opener(*this);
    emit settingsScreenRequested();
}

void frmMDI_main::setSplashOpener(ScreenOpener opener)
{
    splashOpener() = std::move(opener);
}

void frmMDI_main::setSettingsScreenOpener(ScreenOpener opener)
{
    settingsScreenOpener() = std::move(opener);
}

void frmMDI_main::closeEvent(QCloseEvent *event)
{
    // Child screens close first; one that refuses keeps the program open.
    m_mdiArea->closeAllSubWindows();
    if (!m_mdiArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    MDIForm_Unload();
    if (s_instance == this)
        s_instance.clear();
    event->accept();
}

void frmMDI_main::MDIForm_Load()
{
    setWindowTitle(QLatin1String(tavir::kProgramTitle));
}

void frmMDI_main::MDIForm_Unload()
{
    try {
        modMain::BewaarBTWPerc();
    } catch (const platform::Error &e) {
        modMain::MeldFout(e, QStringLiteral("MDIForm_Unload"));
    }
}

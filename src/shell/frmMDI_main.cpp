#include "shell/frmMDI_main.h"

#include "shell/app_settings.h"
#include "shell/current_site.h"
#include "shell/error_report.h"
#include "shell/frmBrowser.h"
#include "shell/frmConfig.h"
#include "shell/frmImExportXML.h"
#include "shell/frmInrNieuwDialog.h"
#include "shell/frmOpenInr.h"
#include "shell/frmSplash.h"
#include "shell/frmUpdateCheck.h"
#include "shell/program_info.h"
#include "shell/program_state.h"
#include "shell/site_export.h"
#include "shell/site_import.h"

#include "reports/frmDoelverm.h"
#include "reports/frmGevoelAna.h"
#include "reports/frmRapVoorz.h"
#include "screens/form.h"
#include "screens/frmAct.h"
#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"
#include "screens/frmAlgNazKosten.h"
#include "screens/frmAlgemeen.h"

#include "platform/core/error.h"
#include "platform/core/program_version.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>
#include <cstddef>

namespace shell {

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

// The menu items and tool-bar keys that need an open site.
const char *const kSiteItems[] = {"exportInrichting", "Algemeen", "AlgNazKosten", "Act_en_KostPost",
                                  "Doelvermogen",     "gev_ana",  "rap_invoer"};
const char *const kSiteKeys[] = {"frmAlgemeen", "frmAlgNazKosten", "OpenFrmAct",
                                 "Doelverm",    "GevAnalyse",      "rapIngevoerdeData"};
// Those that work on the data file itself.
const char *const kDataItems[] = {"Nieuwe_inrichting", "open_inrichting", "importInrichting"};
const char *const kDataKeys[] = {"New", "Open"};

template <std::size_t N> bool isOneOf(const QString &name, const char *const (&names)[N])
{
    for (const char *n : names)
        if (name == QLatin1String(n))
            return true;
    return false;
}

// The main window's client area where the screen leaves room for it.
constexpr QSize kClientArea(1024, 768);

} // namespace

frmMDI_main::frmMDI_main(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMDI_main"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    screens::Form::setHost(m_mdiArea);

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

    maakMenus();
    maakToolBar();
    maakPopup();
    volgSchermen();
    setSiteCommandsEnabled(false);
    frmImExportXML::setBewerkingen({modMain::ExporteerInrichting, [](const QString &bestand) {
                                        qint32 id = 0;
                                        QString naam;
                                        return modMain::ImporteerInrichting(bestand, id, naam);
                                    }});

    resize(kClientArea);
    MDIForm_Load();
}

void frmMDI_main::plaatsOpScherm(const QRect &beschikbaar)
{
    const QMargins rand = ui::windowFrame(this);
    const QSize ruimte = beschikbaar.marginsRemoved(rand).size();
    const QSize client = kClientArea.boundedTo(ruimte).expandedTo(minimumSizeHint());
    const QSize geheel = client.grownBy(rand);
    const QPoint hoek(beschikbaar.x() + std::max(0, (beschikbaar.width() - geheel.width()) / 2),
                      beschikbaar.y() + std::max(0, (beschikbaar.height() - geheel.height()) / 2));
    setGeometry(QRect(hoek + QPoint(rand.left(), rand.top()), client));
}

void frmMDI_main::maakMenus()
{
    struct Item {
        const char *name;
        const char *caption;
        void (frmMDI_main::*command)();
    };
    auto menu = [this](const char *name, const char *caption, std::initializer_list<Item> items) {
        QMenu *m = menuBar()->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        for (const Item &item : items) {
            QAction *a = item.command ? m->addAction(QString::fromUtf8(item.caption)) : m->addSeparator();
            a->setObjectName(QLatin1String(item.name));
            if (item.command)
                connect(a, &QAction::triggered, this, item.command);
        }
    };
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    menu("Bestand", "&Bestand",
         {{"Nieuwe_inrichting", "&Nieuwe inrichting...", &frmMDI_main::Nieuwe_inrichting_Click},
          {"open_inrichting", "&Open inrichting...", &frmMDI_main::open_inrichting_Click},
          {"dum1", "-", nullptr},
          {"importInrichting", "&Importeer inrichting", &frmMDI_main::importInrichting_Click},
          {"exportInrichting", "&Exporteer inrichting...", &frmMDI_main::exportInrichting_Click},
          {"dum209784", "-", nullptr},
          {"Afsluiten", "&Afsluiten", &frmMDI_main::Afsluiten_Click}});
    // The user imports from the site list; the menu item stays hidden.
    menuItem(QStringLiteral("importInrichting"))->setVisible(false);
    menu("Invoer", "&Invoer",
         {{"Algemeen", "&Gegevens inrichting", &frmMDI_main::Algemeen_Click},
          {"AlgNazKosten", "&Toeslagen nazorgfase", &frmMDI_main::AlgNazKosten_Click},
          {"Act_en_KostPost", "&Voorzieningen en kostenposten", &frmMDI_main::Act_en_KostPost_Click}});
    menu("Berekeningen", "&Rapportage",
         {{"Doelvermogen", "&Doelvermogen && heffing", &frmMDI_main::Doelvermogen_Click},
          {"dummy7", "-", nullptr},
          {"gev_ana", "&Gevoeligheidsanalyse", &frmMDI_main::gev_ana_Click},
          {"dummy3", "-", nullptr},
          {"rap_invoer", "&Rapportage ingevoerde data", &frmMDI_main::rap_invoer_Click}});
    menu("Extra", "E&xtra",
         {{"check_updates", "&Controle op updates", &frmMDI_main::check_updates_Click},
          {"Configuratie", "&Instellingen", &frmMDI_main::Configuratie_Click}});
    menu("Help", "&Help",
         {{"online_support", "&Website handleiding en helpdesk", &frmMDI_main::online_support_Click},
          {"Info", "&Info", &frmMDI_main::Info_Click}});
}

void frmMDI_main::maakToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("tbToolBar"));
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setMovable(false);
    // The pictures of the image list imlToolbarIcons.
    const struct {
        const char *key;
        const char *tip;
        QStyle::StandardPixmap icon;
    } buttons[] = {{"New", "Nieuwe inrichting", QStyle::SP_FileIcon},
                   {"Open", "Open inrichting", QStyle::SP_DialogOpenButton},
                   {nullptr, nullptr, QStyle::SP_CustomBase},
                   {"frmAlgemeen", "Gegevens inrichting", QStyle::SP_FileDialogInfoView},
                   {"frmAlgNazKosten", "Toeslagen nazorgfase", QStyle::SP_FileDialogContentsView},
                   {"OpenFrmAct", "Voorzieningen en kostenposten", QStyle::SP_DirIcon},
                   {nullptr, nullptr, QStyle::SP_CustomBase},
                   {"Doelverm", "Doelvermogen && heffing", QStyle::SP_ComputerIcon},
                   {"GevAnalyse", "Gevoeligheidsanalyse", QStyle::SP_BrowserReload},
                   {"rapIngevoerdeData", "Rapportage ingevoerde data", QStyle::SP_FileDialogDetailedView}};
    int index = 0;
    for (const auto &b : buttons) {
        ++index;
        QAction *a = b.key ? m_toolBar->addAction(style()->standardIcon(b.icon), QString()) : m_toolBar->addSeparator();
        a->setObjectName(QStringLiteral("tbToolBar_%1").arg(index));
        if (!b.key)
            continue;
        const QString key = QLatin1String(b.key);
        a->setData(key);
        // A tool tip shows "&&" as "&".
        a->setToolTip(QString::fromUtf8(b.tip).replace(QStringLiteral("&&"), QStringLiteral("&")));
        connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
    }
}

void frmMDI_main::maakPopup()
{
    m_popupAct = new QMenu(this);
    m_popupAct->setObjectName(QStringLiteral("popupAct"));
    const struct {
        const char *name;
        const char *caption;
        void (frmMDI_main::*command)();
    } items[] = {{"mnuPopupAddClitem", "Voeg QOR-checklistpost toe", &frmMDI_main::mnuPopupAddClitem_Click},
                 {"dummy33", "-", nullptr},
                 {"mnuPopUpaddVoorz", "voeg voorziening toe aan <....>", &frmMDI_main::mnuPopUpaddVoorz_Click},
                 {"mnuPopUpaddAct", "voeg kostenpost toe aan <.....>", &frmMDI_main::mnuPopUpaddAct_Click},
                 {"mnuPopUpaddFase", "voeg deelfase toe aan <....>", &frmMDI_main::mnuPopUpaddFase_Click},
                 {"dummy4", "-", nullptr},
                 {"mnuPopUpnaamwijzigen", "naam/rubriek wijzigen", &frmMDI_main::mnuPopUpnaamwijzigen_Click},
                 {"dummy5", "-", nullptr},
                 {"mnuPopUpverwijder", "verwijder ...", &frmMDI_main::mnuPopUpverwijder_Click}};
    for (const auto &item : items) {
        QAction *a = item.command ? m_popupAct->addAction(QString::fromUtf8(item.caption)) : m_popupAct->addSeparator();
        a->setObjectName(QLatin1String(item.name));
        if (item.command)
            connect(a, &QAction::triggered, this, item.command);
    }
}

void frmMDI_main::volgSchermen()
{
    // The cost-item screen's flag, and the current site after the general
    // data may have changed its name, start of after-care or version.
    auto &events = screens::FormEvents::instance();
    connect(&events, &screens::FormEvents::formLoaded, this, [this](screens::Form *form) {
        if (qobject_cast<screens::frmAct *>(form))
            modMain::gblnFrmActOpen = true;
        // An accepted new name is the open site's name at once; the screen
        // rereads the rest of the current site when it unloads.
        if (auto *algemeen = qobject_cast<screens::frmAlgemeen *>(form))
            connect(algemeen, &screens::frmAlgemeen::naamStortGewijzigd, this, [this](const QString &naam) {
                modMain::gstrNaamStort = naam;
                setPanelText(1, QStringLiteral("Geopend: ") + naam + QStringLiteral(", checklistversie ")
                                    + modMain::gstrCLVersie);
            });
    });
    connect(&events, &screens::FormEvents::formUnloaded, this, [](screens::Form *form) {
        if (qobject_cast<screens::frmAct *>(form))
            modMain::gblnFrmActOpen = false;
    });
}

frmMDI_main *frmMDI_main::instance()
{
    return s_instance.data();
}

frmMDI_main *frmMDI_main::load()
{
    if (!s_instance) {
        s_instance = new frmMDI_main();
        // The whole window opens on the screen, its status bar in view.
        if (QScreen *scherm = s_instance->screen())
            s_instance->plaatsOpScherm(scherm->availableGeometry());
    }
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

QAction *frmMDI_main::menuItem(const QString &name) const
{
    for (QAction *a : menuBar()->findChildren<QAction *>(name))
        return a;
    for (QAction *a : findChildren<QAction *>(name))
        return a;
    return nullptr;
}

QAction *frmMDI_main::toolBarButton(const QString &key) const
{
    for (QAction *a : m_toolBar->actions())
        if (a->data().toString() == key)
            return a;
    return nullptr;
}

void frmMDI_main::setSiteCommandsEnabled(bool on)
{
    m_siteCommandsEnabled = on;
    zetCommandos();
}

void frmMDI_main::setDataCommandsEnabled(bool on)
{
    m_dataCommandsEnabled = on;
    zetCommandos();
}

void frmMDI_main::setStartBezig(bool bezig)
{
    m_startBezig = bezig;
    zetCommandos();
}

void frmMDI_main::zetCommandos()
{
    auto zet = [this](QAction *a, bool site, bool data) {
        a->setEnabled(!m_startBezig && (!site || m_siteCommandsEnabled) && (!data || m_dataCommandsEnabled));
    };
    for (QMenu *menu : menuBar()->findChildren<QMenu *>()) {
        for (QAction *a : menu->actions()) {
            const QString name = a->objectName();
            // Closing the window is never kept waiting.
            if (a->isSeparator() || a->menu() || name == QLatin1String("Afsluiten"))
                continue;
            zet(a, isOneOf(name, kSiteItems), isOneOf(name, kDataItems));
        }
    }
    for (QAction *a : m_toolBar->actions()) {
        if (a->isSeparator())
            continue;
        const QString key = a->data().toString();
        zet(a, isOneOf(key, kSiteKeys), isOneOf(key, kDataKeys));
    }
}

void frmMDI_main::openSplash()
{
    if (const auto &opener = splashOpener())
        opener(*this);
    else
        frmSplash::loadSplash();
    emit splashRequested();
}

void frmMDI_main::openSettingsScreen()
{
    if (const auto &opener = settingsScreenOpener())
        opener(*this);
    else
        frmConfig::load();
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

// ---- The one-screen rule and the gates ------------------------------------

namespace {

// This window and every loaded screen, shown or hidden.
int geladenVensters()
{
    return 1 + int(screens::Form::loadedForms().size());
}

} // namespace

bool frmMDI_main::pfunMagSchermOpenen()
{
    QApplication::processEvents();
    if (geladenVensters() == 2 && modMain::gblnBerichtOpen)
        return true;
    QApplication::processEvents();
    if (geladenVensters() <= 1)
        return true;
    ui::MsgBox(QStringLiteral("Sluit eerst alle geopende schermen."), ui::Buttons::OK, ui::Icon::Information,
               QStringLiteral("Openen scherm"));
    return false;
}

bool frmMDI_main::magOpenen()
{
    // Both run, so that the user sees both messages.
    const bool eenScherm = pfunMagSchermOpenen();
    const bool versie = modMain::pfunProgVersieActueel();
    return eenScherm && versie;
}

void frmMDI_main::openScherm(const std::function<void()> &open)
{
    if (magOpenen())
        open();
}

// ---- Menu commands ----------------------------------------------------------

void frmMDI_main::Nieuwe_inrichting_Click()
{
    openScherm([] { frmInrNieuwDialog::load(); });
}

void frmMDI_main::open_inrichting_Click()
{
    openScherm([] { frmOpenInr::load(); });
}

void frmMDI_main::importInrichting_Click()
{
    openScherm([] {
        frmOpenInr::load()->pFillList();
        frmImExportXML::Voeruit(QStringLiteral("import"));
    });
}

void frmMDI_main::exportInrichting_Click()
{
    openScherm([] { frmImExportXML::Voeruit(QStringLiteral("export")); });
}

void frmMDI_main::Afsluiten_Click()
{
    close();
}

void frmMDI_main::Algemeen_Click()
{
    openScherm([] { screens::frmAlgemeen::load(); });
}

void frmMDI_main::AlgNazKosten_Click()
{
    openScherm([] { screens::frmAlgNazKosten::load(); });
}

void frmMDI_main::Act_en_KostPost_Click()
{
    openScherm([] {
        // The screen sets the pointer back when it has loaded.
        ui::setBusyCursor();
        screens::frmAct::load();
        ui::resetCursor();
    });
}

void frmMDI_main::Doelvermogen_Click()
{
    // The Word report shows the data file and the program's version.
    openScherm([] {
        reports::frmDoelverm::load({modMain::gstrDatabestand, QString::fromLatin1(tavir::kProgramTitle),
                                    modMain::gVersion.major, modMain::gVersion.minor});
    });
}

void frmMDI_main::gev_ana_Click()
{
    openScherm([] { reports::frmGevoelAna::load(); });
}

void frmMDI_main::rap_invoer_Click()
{
    openScherm([] { reports::frmRapVoorz::load(); });
}

void frmMDI_main::check_updates_Click()
{
    // The one-screen rule only.
    if (pfunMagSchermOpenen())
        frmUpdateCheck::load();
}

void frmMDI_main::Configuratie_Click()
{
    openScherm([] { frmConfig::load(); });
}

void frmMDI_main::online_support_Click()
{
    frmBrowser::open(modAutoUpdate::pfunHelpAdres());
}

void frmMDI_main::Info_Click()
{
    frmSplash::loadAbout();
}

void frmMDI_main::tbToolBar_ButtonClick(const QString &key)
{
    if (key == QLatin1String("New"))
        Nieuwe_inrichting_Click();
    else if (key == QLatin1String("Open"))
        open_inrichting_Click();
    else if (key == QLatin1String("frmAlgemeen"))
        Algemeen_Click();
    else if (key == QLatin1String("frmAlgNazKosten"))
        AlgNazKosten_Click();
    else if (key == QLatin1String("OpenFrmAct")) {
        // The gates run here and again in the menu command.
        if (magOpenen())
            Act_en_KostPost_Click();
    } else if (key == QLatin1String("Doelverm"))
        Doelvermogen_Click();
    else if (key == QLatin1String("GevAnalyse"))
        gev_ana_Click();
    else if (key == QLatin1String("rapIngevoerdeData"))
        rap_invoer_Click();
    else
        ui::MsgBox(key + QStringLiteral(" is niet herkend"), ui::Buttons::OK, ui::Icon::Critical,
                   QStringLiteral("Fout in toolbarmenu"));
}

// ---- Pop-up commands (no gate) ----------------------------------------------

void frmMDI_main::mnuPopupAddClitem_Click()
{
    screens::frmAct_AddCLitem::load();
}

void frmMDI_main::mnuPopUpaddVoorz_Click()
{
    if (auto *act = screens::Form::loaded<screens::frmAct>())
        act->psubAddVoorz();
}

void frmMDI_main::mnuPopUpaddAct_Click()
{
    screens::frmAct_AddCustomItem::openen(1);
}

void frmMDI_main::mnuPopUpaddFase_Click()
{
    if (auto *act = screens::Form::loaded<screens::frmAct>())
        act->psubAddFase();
}

void frmMDI_main::mnuPopUpnaamwijzigen_Click()
{
    if (auto *act = screens::Form::loaded<screens::frmAct>())
        act->psubHernoemActNaamOfRubriek();
}

void frmMDI_main::mnuPopUpverwijder_Click()
{
    if (auto *act = screens::Form::loaded<screens::frmAct>())
        act->psubDeleteItem();
}

// ---- Closing ----------------------------------------------------------------

void frmMDI_main::closeEvent(QCloseEvent *event)
{
    // Child screens close first; one that refuses keeps the program open.
    for (screens::Form *form : screens::Form::loadedForms()) {
        if (!form->unload()) {
            event->ignore();
            return;
        }
    }
    MDIForm_Unload();
    if (s_instance == this)
        s_instance.clear();
    if (screens::Form::host() == m_mdiArea)
        screens::Form::setHost(nullptr);
    event->accept();
    emit gesloten();
}

void frmMDI_main::MDIForm_Load()
{
    setWindowTitle(QLatin1String(tavir::kProgramTitle));
    setWindowIcon(style()->standardIcon(QStyle::SP_DriveHDIcon));
}

void frmMDI_main::MDIForm_Unload()
{
    try {
        modMain::BewaarBTWPerc();
    } catch (const platform::Error &e) {
        modMain::MeldFout(e, QStringLiteral("MDIForm_Unload"));
    }
}

} // namespace shell

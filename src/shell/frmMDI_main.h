#pragma once
// The main window: the multiple-document parent that owns the run. It
// carries the menu bar, the tool bar "tbToolBar", the status bar
// "StatusBar1" of three panels (1: the open site, 2: the program version,
// 3: the checklist file's sequence number) and the hidden pop-up menu
// "popupAct" that the cost-item screen shows over its tree.
//
// Every command that opens a working screen first applies the one-screen
// rule (pfunMagSchermOpenen) and then the program-version gate; both run,
// and the screen opens only when both pass. Closing the window closes the
// child screens first (one that refuses keeps the program open) and then
// saves the VAT percentage.
//
// While the start routine runs (setStartBezig) every command but
// "Afsluiten" waits, disabled: nothing reaches a data file that is not yet
// coupled, and nothing opens beside what the start will open. The commands
// that work on the data file itself (new, open and import a site) stay off
// until a data file is coupled (setDataCommandsEnabled, through
// modMain::ZetMenuStatus). Closing the window while the start runs ends the
// run: the window goes as at any close and emits gesloten(), which the
// start routine follows.
//
// It exists once, program-wide: load() creates and shows it, unload()
// closes it and instance() gives the loaded one. On its first load it
// opens wholly inside the screen's available area, its frame included.
// The splash and the settings screen, which the start routine opens
// through openSplash() and openSettingsScreen(), can be replaced by an
// installed opener (tests); each also emits a signal.

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace shell {

class frmMDI_main : public QMainWindow {
    Q_OBJECT

public:
    using ScreenOpener = std::function<void(frmMDI_main &)>;

    static frmMDI_main *instance();
    // Loads the window when it is not loaded (its caption is the program
    // title) and shows it.
    static frmMDI_main *load();
    // Closes the window, if loaded. Returns false when the close was refused.
    static bool unload();

    QMdiArea *mdiArea() const { return m_mdiArea; }

    // Status panels, 1 to 3.
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);

    // Switches the site-dependent menu items and tool-bar buttons.
    virtual void setSiteCommandsEnabled(bool on);
    bool siteCommandsEnabled() const { return m_siteCommandsEnabled; }
    // Switches the commands that work on the data file: new, open and
    // import a site.
    void setDataCommandsEnabled(bool on);
    bool dataCommandsEnabled() const { return m_dataCommandsEnabled; }

    // While the start routine runs, every command but "Afsluiten" is off.
    void setStartBezig(bool bezig);
    bool startBezig() const { return m_startBezig; }

    // Places the window, frame included, inside `beschikbaar` (a screen's
    // available area): its client area 1024x768 where there is room, less
    // where there is not, centred.
    void plaatsOpScherm(const QRect &beschikbaar);

    // The splash window (program start) and the settings screen (start
    // without a data file).
    void openSplash();
    void openSettingsScreen();

    // Replace the real screens above; an empty function (the default)
    // opens the real screen.
    static void setSplashOpener(ScreenOpener opener);
    static void setSettingsScreenOpener(ScreenOpener opener);

    // The one-screen-at-a-time rule: true when only this window is loaded,
    // or this window and the short notice window; else the box "Sluit eerst
    // alle geopende schermen." and false. Every loaded window counts,
    // hidden ones too.
    bool pfunMagSchermOpenen();

    // A menu item or tool-bar command by its control name / key.
    QAction *menuItem(const QString &name) const;
    QAction *toolBarButton(const QString &key) const;
    QMenu *popupAct() const { return m_popupAct; }

    // The tool bar's handler: runs the command of the button with `key`.
    void tbToolBar_ButtonClick(const QString &key);

signals:
    void splashRequested();
    void settingsScreenRequested();
    // The window has closed (the close was not refused).
    void gesloten();

protected:
    explicit frmMDI_main(QWidget *parent = nullptr);
    void closeEvent(QCloseEvent *event) override;

private:
    void MDIForm_Load();
    void MDIForm_Unload();
    void maakMenus();
    void maakToolBar();
    void maakPopup();
    void volgSchermen();
    // Enables every command as the start, the data file and the open site
    // allow.
    void zetCommandos();

    // Both gates, each with its message; true when both pass.
    bool magOpenen();
    // Runs `open` when both gates pass.
    void openScherm(const std::function<void()> &open);

    // Menu commands
    void Nieuwe_inrichting_Click();
    void open_inrichting_Click();
    void importInrichting_Click();
    void exportInrichting_Click();
    void Afsluiten_Click();
    void Algemeen_Click();
    void AlgNazKosten_Click();
    void Act_en_KostPost_Click();
    void Doelvermogen_Click();
    void gev_ana_Click();
    void rap_invoer_Click();
    void check_updates_Click();
    void Configuratie_Click();
    void online_support_Click();
    void Info_Click();
    // Pop-up commands (no gate)
    void mnuPopupAddClitem_Click();
    void mnuPopUpaddVoorz_Click();
    void mnuPopUpaddAct_Click();
    void mnuPopUpaddFase_Click();
    void mnuPopUpnaamwijzigen_Click();
    void mnuPopUpverwijder_Click();

    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_panels[3] = {};
    QToolBar *m_toolBar = nullptr;
    QMenu *m_popupAct = nullptr;
    bool m_siteCommandsEnabled = false;
    bool m_dataCommandsEnabled = true;
    bool m_startBezig = false;

    static QPointer<frmMDI_main> s_instance;
};

} // namespace shell

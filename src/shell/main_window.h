#pragma once
// The main window: the multiple-document parent that owns the run, with the
// status bar "StatusBar1" of three panels (1: the open site, 2: the program
// version, 3: the checklist file's sequence number).
//
// It exists once, program-wide: load() creates and shows it, unload() closes
// it (which saves the VAT percentage) and instance() gives the loaded one.
// The screens it opens on behalf of the start routine (the splash, the
// settings screen) are reached through openSplash() and
// openSettingsScreen(): each runs the opener installed for it and emits a
// signal, so that the screen's own code plugs in without changing the start.

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QLabel;
class QMdiArea;

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

    void openSplash();
    void openSettingsScreen();

    // The openers of the screens above; an empty function opens nothing.
    static void setSplashOpener(ScreenOpener opener);
    static void setSettingsScreenOpener(ScreenOpener opener);

signals:
    void splashRequested();
    void settingsScreenRequested();

protected:
    explicit frmMDI_main(QWidget *parent = nullptr);
    void closeEvent(QCloseEvent *event) override;

private:
    void MDIForm_Load();
    void MDIForm_Unload();

    QMdiArea *m_mdiArea = nullptr;
    QLabel *m_panels[3] = {};
    bool m_siteCommandsEnabled = false;

    static QPointer<frmMDI_main> s_instance;
};

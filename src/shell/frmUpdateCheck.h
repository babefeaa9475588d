#pragma once
// The update screen "Controle op updates": checks the update server on the
// user's request ("&Controleer nu"), says what it found and, when the user
// accepts, downloads and installs it; shows the file being downloaded with
// its progress; opens the proxy dialog ("&Geavanceerd ..."); and keeps the
// choice whether the program checks at every start (saved whenever the
// screen closes, by any way).
//
// While a request runs "&Controleer nu" and "&Geavanceerd ..." are off;
// closing the screen (by "&Sluiten", its frame or the program's closing)
// breaks the check or download off.

#include "screens/form.h"

#include "shell/auto_update.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace shell {

class frmUpdateCheck : public screens::Form {
    Q_OBJECT

public:
    static frmUpdateCheck *load();

    void cmdGet_Click();
    void cmdProxysettings_Click();
    void cmdClose_Click();

    // The download on screen: the file label "Downloaden: " + naam and the
    // bar from 0 to `maximum` (hidden when that is 0).
    void toonDownload(const QString &naam, int maximum);
    void zetVoortgang(int waarde);
    void verbergVoortgang();

    // While a request runs: the buttons but "&Sluiten" off.
    void setBezig(bool bezig);
    bool isBezig() const { return m_bezig > 0; }

private:
    frmUpdateCheck();
    void Form_Load();
    bool QueryUnload() override;
    void Form_Unload() override;

    QCheckBox *chkUpdate = nullptr;
    QPushButton *cmdGet = nullptr;
    QPushButton *cmdProxysettings = nullptr;
    QPushButton *cmdClose = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QLabel *lblFileNaam = nullptr;
    int m_bezig = 0;
};

} // namespace shell

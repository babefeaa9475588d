#pragma once
// The settings screen "Instellingen": which data file the program is
// coupled to (couple an existing one or create a new one; takes effect at
// once), and how the site tree of the cost-item screen looks (two colours,
// three switches; saved whenever the screen closes, by any way, and an open
// cost-item screen is then rebuilt with them).

#include "screens/form.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace modMain {

// Writes the tree settings from the program state, in the order
// vwTreeSingleSel, vwTreePlusMin, vwTreeLines, vwKLEURAct, vwKLEURVoorz.
void BewaarBoomInstellingen();

} // namespace modMain

namespace shell {

class frmConfig : public screens::Form {
    Q_OBJECT

public:
    static frmConfig *load();

    // The filter and flags of the data-file dialogs.
    static constexpr const char *kFilter = "databestand (dbQORdata_*)|dbQORdata_*.mdb|";
    static constexpr int kFlags = 0x806;

    void cmdDataLocatie_Click();
    void cmdNew_Click();
    void cmdKleur_Click();
    void Command2_Click();
    void Command3_Click();
    // The closing action: runs whenever the screen unloads.
    void BewaarInstellingen();

private:
    frmConfig();
    void Form_Load();
    void Form_Unload() override;
    void toonKleuren();
    // Runs the colour dialog; true with the chosen colour in `kleur`.
    bool kiesKleur(qint32 &kleur);

    QTabWidget *SSTab1 = nullptr;
    QLineEdit *txtDataLocatie = nullptr;
    QPushButton *cmdKleur = nullptr;
    QPushButton *Command2 = nullptr;
    QCheckBox *chkSingleSel = nullptr;
    QCheckBox *chkPlusMin = nullptr;
    QCheckBox *chkLines = nullptr;
    // The colour dialog's own value: where it starts from.
    long m_dialoogKleur = 0;
};

} // namespace shell

#pragma once
// The waste-forecast grid "Prognose afvalaanbod" of the open site: one row
// per calendar year with its kilotons. Every typed cell is checked before
// it is written; the window closes only through its own button, once the
// years form one series without gaps or repeats. The general-data screen
// opens it and it stays in front of that screen.

#include "screens/form.h"

#include <memory>

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace screens {

class TonnageInvoer;

class frmTonnage : public Form {
    Q_OBJECT

public:
    // Loads the screen for the open site (the loaded one when there is one).
    static frmTonnage *load();
    ~frmTonnage() override;

    void cmdOK_Click();
    // Writes the total into lblTotaal.
    void psubToonTotaal();

    // The grid's write of one typed cell (the last line adds a row); false
    // keeps the old value.
    bool schrijfCel(int rij, int kolom, const QString &tekst);

protected:
    bool QueryUnload() override;
    void Form_Unload() override;

private:
    frmTonnage();
    void Form_Load();
    void vulGrid();
    void toonRij(int rij);

    QTableWidget *DataGrid1 = nullptr;
    QLabel *lblTotaal = nullptr;
    QPushButton *cmdOK = nullptr;
    QTimer *Timer1 = nullptr;
    std::unique_ptr<TonnageInvoer> m_invoer;
    qint32 m_lngStortID = 0;
    bool m_viaOK = false;
};

} // namespace screens

#pragma once
// frmRapVoorz, "Rapportage ingevoerde data": the Word report of what the
// user entered for the open site. The user ticks the parts (general data,
// facilities, cost items, unused checklist items); "Rapporteer" asks for
// the file, writes and saves the report and offers to open it. The screen
// stays open with its choices for a next report. The rules and the writing
// live in reports/rap_voorz.h.

#include "screens/form.h"

#include "reports/rap_voorz.h"

#include <memory>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace reports {

class frmRapVoorz : public screens::Form {
    Q_OBJECT

public:
    // Loads the screen (the loaded one when it is open) and shows it.
    static frmRapVoorz *load();
    ~frmRapVoorz() override;

    // The parts ticked now.
    reports::RapVoorzKeuze keuze() const;
    // Enables "Rapporteer" while at least one part is ticked.
    void ZetOKButton();
    // Makes the report. Returns the file written, or an empty text.
    QString OKButton_Click();

private:
    frmRapVoorz();

    QLabel *Label3 = nullptr;
    QCheckBox *chkAlg = nullptr;
    QCheckBox *chkVoorz = nullptr;
    QCheckBox *chkAct = nullptr;
    QCheckBox *chkRapUnselectedCLitems = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    std::unique_ptr<reports::Voortgang> mobjProgressBar;
};

} // namespace reports

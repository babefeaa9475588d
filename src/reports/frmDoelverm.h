#pragma once
// frmDoelverm, "Doelvermogen & heffing": the report of the open site's
// target fund and levy, to the screen or to a Word file. The rules of the
// choices are in frmDoelverm_rules.h, the report itself in
// doelverm_rapport.h; this class holds the controls.
//
// The VAT field takes an empty text or a number from 0 to 30 when the
// focus leaves it (anything else keeps the focus there, without a box);
// an accepted number becomes the program's VAT percentage at once.

#include "reports/doelverm_rapport.h"
#include "reports/frmDoelverm_rules.h"

#include "screens/form.h"

#include <array>
#include <memory>

class QCheckBox;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace screens {
class FieldValidation;
class MaskedEdit;
} // namespace screens

namespace reports {

// The report window as the target-fund report writes to it: loaded, in the
// scale of the report's tab positions.
RapportTekst *laadRapSchermDoelverm();

class frmDoelverm : public screens::Form {
    Q_OBJECT

public:
    // `gegevens`: what the Word report shows of the program itself.
    static frmDoelverm *load(const RapportGegevens &gegevens = {});

    void OKButton_Click();
    void CancelButton_Click();
    void ActualiseerKeuzes();
    void optRapSort_Click(int index);

protected:
    void Form_Unload() override;

private:
    frmDoelverm();
    ~frmDoelverm() override;
    void Form_Load();
    DoelvermKeuzes keuzes() const;
    bool txtBTWperc_Validate();

    QCheckBox *chkVoorblad = nullptr;
    QCheckBox *chkRapDV = nullptr;
    QCheckBox *chkRapHef = nullptr;
    QCheckBox *chkRapUnselectedCLitems = nullptr;
    std::array<QRadioButton *, 3> optRapNaar{};
    std::array<QRadioButton *, 4> optRapSort{};
    screens::MaskedEdit *txtBTWperc = nullptr;
    QPushButton *OKButton = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    std::unique_ptr<screens::FieldValidation> m_validation;
    std::unique_ptr<Voortgang> mobjProgressBar;
    std::unique_ptr<DoelvermRapport> m_rapport;
    RapportGegevens m_gegevens;
};

} // namespace reports

#pragma once
// frmAlgNazKosten, "Toeslagen nazorgfase": the site-wide amounts and
// percentages of the after-care phase (contingency, design/supervision,
// apparatus and communication costs, reporting/evaluation with the
// after-care area that selects its rule, the risk amount) of the open site.
//
// Its fields are bound to its own clsStort; the checklist version's bounds
// and defaults come from its own clsCL (AlgNazKostenRegels holds the
// rules). A value that differs from the checklist is flagged beside its
// field, never refused. The reporting/evaluation option follows from the
// area and cannot be chosen by hand. The screen does not close, by any way,
// while the area is not a number above 0; the main window then stays open
// too. Closing writes every bound field (clsStort::Move0).

#include "screens/form.h"
#include "screens/frmAlgNazKosten_rules.h"

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace checklist {
class clsCL;
}
namespace records {
class clsStort;
}

namespace screens {

class FieldBindings;
class FieldValidation;
class MaskedEdit;

class frmAlgNazKosten : public Form {
    Q_OBJECT

public:
    // Loads the screen on the open site (the loaded one when it is open).
    // Nullptr when the site or its checklist version cannot be read (the
    // error has been reported).
    static frmAlgNazKosten *load();
    ~frmAlgNazKosten() override;

    // The check of the after-care area: false, after its box, when the area
    // is empty, not a number or not above 0.
    bool pfunValideerNazorgOpp();

    void cmdApply_Click();

protected:
    bool QueryUnload() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void Form_Unload() override;

private:
    frmAlgNazKosten();
    void maakScherm();
    void Form_Load();
    void psubInitChecklistWaarden();
    void bindVelden();

    // Deviation notices.
    void vernieuwApp();
    void vernieuwCom();
    void vernieuwRapEval();
    void vernieuwOnvoorzien();
    void vernieuwOntwerpdirectie();
    void vernieuwAlles();

    // Reporting/evaluation option.
    void txtLocatieNazorgOpp_Change();
    void txtOptieRapEval_Change();
    void optRapEval_Click(int index);
    void toonOptie(int optie);

    // A field check: a number, else "Vul een waarde in." titled `titel`.
    bool controleerWaarde(MaskedEdit *veld, const QString &titel);
    bool toontOpgeslagenWaarde(QLineEdit *veld) const;

    QTabWidget *SSTab1 = nullptr;
    QPushButton *cmdApply = nullptr;
    MaskedEdit *txtAlgAppKosten = nullptr;
    MaskedEdit *txtAlgCommunicatie = nullptr;
    MaskedEdit *txtAlgRisico = nullptr;
    MaskedEdit *txtAppKostenBasisPerc = nullptr;
    QLineEdit *txtOptieRapEval = nullptr;
    MaskedEdit *txtLocatieNazorgOpp = nullptr;
    MaskedEdit *txtRapEvalKleinerDan10ha = nullptr;
    MaskedEdit *txtRapEvalPerHa = nullptr;
    MaskedEdit *txtRapEvalGroterDan34_5ha = nullptr;
    MaskedEdit *txtOnvoorzien = nullptr;
    MaskedEdit *txtOntwerpdirectieFixed = nullptr;
    std::array<QRadioButton *, 4> optRapEval{};
    QLabel *lblAfwijkingApp = nullptr;
    QLabel *lblAfwijkingAppPerc = nullptr;
    QLabel *lblAfwijkingCom = nullptr;
    QLabel *lblAfwijkingRapEvalMin = nullptr;
    QLabel *lblAfwijkingRapEvalPerHa = nullptr;
    QLabel *lblAfwijkingRapEvalMax = nullptr;
    QLabel *lblAfwijkingOnvoorzien = nullptr;
    QLabel *lblAfwijkingOntwerpdirectie = nullptr;
    QLabel *lblCommunicatie = nullptr;
    QLabel *lblAppKostenBasis = nullptr;
    QLabel *lblAppKostenBasisPerc = nullptr;
    QLabel *lblRapEval = nullptr;
    QLabel *lblOntwerpDirectieToelichting = nullptr;
    QLabel *lblOntwDirectiePercentage = nullptr;

    std::unique_ptr<records::clsStort> m_stort;
    std::unique_ptr<checklist::clsCL> m_cl;
    std::unique_ptr<FieldBindings> m_binding;
    std::unique_ptr<FieldValidation> m_validation;
    std::optional<AlgNazKostenRegels> m_regels;
    int bytOptieRapEvalHuidig = 0;
    bool blnOptieBijwerken = false;
};

} // namespace screens

#pragma once
// The general-data screen "Gegevens inrichting" of the open site: name,
// registration number, province, address, licence holder, the person who
// fills in, interest and inflation, start of after-care, price-level year
// and the two levy options, bound to the site's row. It shows the site's
// checklist version with the link to move to a newer one, and opens the
// waste-forecast grid.
//
// Closing saves the row; a refused field or start of after-care keeps the
// screen open. After it has closed, the open-site values are read again.

#include "screens/form.h"

#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace records {
class clsStort;
}

namespace screens {

class FieldValidation;
class FieldBindings;

class frmAlgemeen : public Form {
    Q_OBJECT

public:
    static frmAlgemeen *load();
    ~frmAlgemeen() override;

    void cmdApply_Click();
    void cmdAfvalprognose_Click();
    void lblInfoPrijspeil_Click();
    void lblChecklistHuidigWijzig_Click();
    void optBedrijfsGebonden_Click(int index);

    // The validate events: false keeps the focus in the field.
    bool lstProv_Validate();
    bool txtAanvangNazorg_Validate();
    bool txtLocatieNaam_Validate();
    bool percentageValidate(QLineEdit *edit, const QString &naam);

signals:
    // The open site's name changed to `naam` (accepted in the name field).
    void naamStortGewijzigd(const QString &naam);

protected:
    bool QueryUnload() override;
    void Form_Unload() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    frmAlgemeen();
    void maakSchermen();
    void Form_Load();
    void psubToonChecklistVersie();
    // The codes from the row (their bindings' show): the province selects
    // its list item; the company-bound code sets its buttons, the object
    // box and the forecast button.
    void zetProv(std::optional<int> code);
    void zetBedrijfsGebonden(std::optional<int> code);
    void bedrijfsGebondenToepassen();
    bool velVerlaten(QWidget *control, bool ok);
    // Writes a code the screen changed (marked) to the row.
    bool codeVerlaten(const QString &veld);
    QLineEdit *veld(QWidget *tab, const char *name, const QString &label);

    QTabWidget *SSTab1 = nullptr;
    QLineEdit *txtLocatieNaam = nullptr, *txtLocatieRIVMnr = nullptr, *txtLocatieAdres = nullptr;
    QLineEdit *txtVergHouder[6] = {};
    QLineEdit *txtInvuller[6] = {};
    QLineEdit *txtRente = nullptr, *txtInflatie = nullptr, *txtAanvangNazorg = nullptr, *txtJaar_1 = nullptr;
    QCheckBox *chkObjectGebonden = nullptr;
    QComboBox *lstProv = nullptr;
    std::array<QRadioButton *, 2> optBedrijfsGebonden = {};
    QLabel *lblStortType = nullptr, *lblChecklistHuidig = nullptr, *lblChecklistHuidigWijzig = nullptr,
           *lblInfoPrijspeil = nullptr;
    QPushButton *cmdApply = nullptr, *cmdAfvalprognose = nullptr;

    std::unique_ptr<records::clsStort> m_stort;
    // The name last announced as the open site's (null: none announced).
    QString m_gemeldeNaam;
    std::unique_ptr<FieldBindings> m_binding;
    std::unique_ptr<FieldValidation> m_validation;
    // The coded values of the row, kept as numbers and bound to their
    // columns (none: Null): the province's code and the company-bound code.
    std::optional<int> m_prov, m_bedrijfsGebonden;
    int m_stortType = 0;
    bool blnNieuweInrichting = false;
    bool m_decimaalToets = false;
};

} // namespace screens

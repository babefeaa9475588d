#pragma once
// frmGevoelAna, "Gevoeligheidsanalyse": recomputes the target fund of the
// open site over a range of interest or inflation rates chosen on the
// slider (SHIFT with the mouse sets the range), or for one pair of
// alternative rates, and appends the table to the report window. The rules
// are in frmGevoelAna_rules.h; this class holds the controls.

#include "reports/frmGevoelAna_rules.h"

#include "screens/form.h"

#include <QSlider>
#include <array>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace screens {
class FieldValidation;
class MaskedEdit;
} // namespace screens

namespace reports {

// A slider that shows a selected range; SHIFT with the mouse sets it.
class SelectieSchuif : public QSlider {
    Q_OBJECT

public:
    explicit SelectieSchuif(QWidget *parent = nullptr);
    SchuifSelectie selectie;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

class frmGevoelAna : public screens::Form {
    Q_OBJECT

public:
    static frmGevoelAna *load();

    void OKButton_Click();
    void CancelButton_Click();
    void opt1_Click(int index);

protected:
    void Form_Unload() override;

private:
    frmGevoelAna();
    ~frmGevoelAna() override;
    void Form_Load();
    GevoeligheidInvoer invoer() const;
    bool controleerTarief(screens::MaskedEdit *veld, bool rente);

    std::array<QRadioButton *, 4> opt1{};
    SelectieSchuif *Slider1 = nullptr;
    QComboBox *Combo1 = nullptr;
    screens::MaskedEdit *txtRente = nullptr;
    screens::MaskedEdit *txtInflatie = nullptr;
    std::unique_ptr<screens::FieldValidation> m_validation;
};

} // namespace reports

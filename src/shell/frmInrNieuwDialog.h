#pragma once
// The new-site dialog "Aanmaken nieuwe inrichting": a name and a kind
// (fixed once the site exists). OK makes the site with its defaults on the
// newest checklist version of its kind, opens it and shows its general
// data.

#include "screens/form.h"

#include <QDateTime>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace modMain {

// The values a new site starts with besides its name, kind and checklist.
struct NieuweStortStandaard {
    static constexpr float sngRentePerc = 5.06f;
    static constexpr float sngInflPerc = 2.0f;
    static constexpr int bytBedrijfsGebonden = 1;
    static constexpr int bytObjectGebonden = 1;
    static constexpr int bytProv_REF = 0;
    static QDateTime dtmAanvangNazorg() { return QDateTime(QDate(2030, 1, 1), QTime(0, 0)); }
};

// Whether a site of this name is in the data file (case ignored).
bool pfunStortnaamBestaat(const QString &naam);

// Adds the site row with the defaults and returns its id.
qint32 pfunMaakStort(const QString &naam, qint16 stortType);

} // namespace modMain

namespace shell {

class frmInrNieuwDialog : public screens::Form {
    Q_OBJECT

public:
    static frmInrNieuwDialog *load();

    // Enables OK exactly when a name is typed and a kind chosen.
    void psubZetKnopOK();
    // The OK action.
    void psubMaakNieuweInrichting();
    void cmdCancel_Click();

    qint16 gekozenSoort() const { return m_stortType; }

private:
    frmInrNieuwDialog();
    void optStortType_Click(qint16 index);

    QLineEdit *Text1 = nullptr;
    QRadioButton *optStortType[3] = {};
    QPushButton *Command1 = nullptr;
    QPushButton *cmdCancel = nullptr;
    qint16 m_stortType = 0;
};

} // namespace shell

#pragma once
// frmAct_AddCustomItem: the modal dialog for a cost item of the user's own:
// in add mode (Status 1) it adds an item with a name and a rubric to the
// facility selected in the site tree; otherwise it renames the selected own
// item (with all its phases) and may move it to another rubric.

#include "screens/form.h"

#include <cstdint>

class QLineEdit;
class QTreeWidget;
class QLabel;

namespace screens {

class frmAct_AddCustomItem : public Form {
    Q_OBJECT

public:
    // Opens the dialog (modal, a window of its own) in add mode (status 1)
    // or rename mode (any other status, with the node's text and the item's
    // rubric).
    static frmAct_AddCustomItem *openen(qint32 status, const QString &tekstWas = QString(),
                                        std::uint8_t rubriekWas = 0);

    qint32 status() const { return m_status; }

    // OK: adds or renames; the dialog closes unless a box refused the name.
    void cdmOK_Click();

private:
    frmAct_AddCustomItem();
    void openStap(qint32 status, const QString &tekstWas, std::uint8_t rubriekWas);
    int gekozenRubriek() const;

    qint32 m_status = 0;
    bool m_fases = false;
    QString m_tekstWas;
    QLineEdit *m_txtNaam = nullptr;
    QTreeWidget *m_listView = nullptr;
    QLabel *m_lblToelichtingPrijspeil = nullptr;
};

} // namespace screens

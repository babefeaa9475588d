#pragma once
// frmAct_AddCLitem: the checklist picker beside the cost-item screen. It
// lists every active item of the open site's checklist version by object
// category and facility; items the site already uses are grey, the others
// purple and draggable onto the site tree, where the cost-item screen adds
// them. It follows the cost-item screen: a deleted item becomes draggable
// again, the shown cost item or facility is selected in the list.

#include "screens/form.h"

#include <QPoint>
#include <QPointer>

class QTreeWidget;
class QTreeWidgetItem;
class QLabel;

namespace screens {

class frmAct;

// The node being dragged from the picker; nullptr while no drag is under
// way. The cost-item screen's drop reads and clears it.
QTreeWidgetItem *gnodDrag();
void setGnodDrag(QTreeWidgetItem *node);

class frmAct_AddCLitem : public Form {
    Q_OBJECT

public:
    // Loads the picker (the one loaded already when there is one), shown
    // as a window of its own.
    static frmAct_AddCLitem *load();

    // Refills the list from the checklist file.
    void VulTreeviewChecklist();

    QTreeWidget *tvw1() const { return m_tvw1; }
    // The node keyed so, or nullptr.
    QTreeWidgetItem *node(const QString &key) const;

    // A press on a node: selects it and starts a drag of an unused item.
    void tvw1_MouseDown(QTreeWidgetItem *node);

    void formAct_eCLPostDeleted();
    void formAct_eCLPostSelected(qint32 intCl_ID);
    void formAct_eCLVoorzSelected(const QString &text, const QString &parentText);

protected:
    void Form_Unload() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    frmAct_AddCLitem();
    void unselect();

    QTreeWidget *m_tvw1 = nullptr;
    QLabel *m_lblToelichtingPrijspeil = nullptr;
    QPointer<frmAct> m_formAct;
    bool m_dragFlag = false;
    QPoint m_pressPos;
};

} // namespace screens

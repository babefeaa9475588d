#pragma once
// frmAct: the facilities and cost-items screen of the open site.
//
// Left the site tree (object categories, facilities, cost items, later
// phases); right and below the detail panel of the selected cost item
// (ActPaneel, frmAct_panel.h), its fields bound to the current row of the
// screen's cost-item records (insAct). Edits of a cost item are stored when
// another node is chosen and when the screen closes; the marking (colours
// of the groups and of the node), the sentence and the checklist
// information follow the fields at once. The tree commands (add a facility
// or a phase, rename, delete) are public: the main window's pop-up menu
// calls them for the selected node.
//
// The checklist picker and the own cost-item dialog work on this screen
// through insAct, strToelichtingPrijspeil, strAlleChecklistRefs, the tree
// and pRefreshSubscherm; the picker follows its three signals.

#include "screens/form.h"
#include "screens/frmAct_panel.h"
#include "screens/frmAct_rules.h"
#include "screens/site_tree_widget.h"

#include <memory>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;
class QTextEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

namespace records {
class clsAct;
class clsVoorz;
} // namespace records
namespace checklist {
class clsCL;
}

namespace screens {

class frmAct : public Form {
    Q_OBJECT

public:
    // Loads the screen (the one loaded already when there is one).
    static frmAct *load();
    ~frmAct() override;

    // ---- Tree commands (the pop-up menu's) -------------------------------
    void psubAddVoorz();
    void psubAddFase();
    void psubHernoemActNaamOfRubriek();
    void psubDeleteItem();

    // Sets the pop-up menu's captions and enabled states for the selected
    // node (and answers them).
    act::PopupMenu ZetPopupMenu();

    // Drops the checklist item being dragged from the picker on the tree.
    void TreeView1_DragDrop();

    // Saves a cost item added and not yet saved, and keys its node. False
    // when the store failed (one box said why; the item stays shown).
    bool BewaarNieuweAct();

    // ---- For the picker and the dialog -----------------------------------
    records::clsAct *insAct() const { return m_insAct.get(); }
    QString strToelichtingPrijspeil() const { return m_strToelichtingPrijspeil; }
    QString strAlleChecklistRefs() const;
    SiteTreeWidget &boom() { return *m_boom; }
    QTreeWidget *TreeView1() const { return m_TreeView1; }

    // Shows the node with that key; may rewrite the key (a new item that
    // has just been saved gets its "act" key). Leaving the shown item
    // stores it first; when that store fails, one box says why and the
    // tree, the heading and the panel stay on the item whose row is still
    // current (false), so that what is typed next goes where the heading
    // says.
    bool pRefreshSubscherm(QString &strKlikNodeKey, bool blnDontChangeRecord = false);
    bool ververs(const QString &key, bool blnDontChangeRecord = false);

    QString gekozenKey() const { return m_gekozenKey; }
    bool voorzieningGekozen() const { return m_voorzieningGekozen; }
    bool kostenpostGekozen() const;
    // The option codes of the shown cost item.
    const act::PaneelOpties &opties() const;

signals:
    // The shown cost item's checklist item (0 for an own item).
    void eCLPostSelected(qint32 intCl_ID);
    // A facility node is shown: its text and its category's text.
    void eCLVoorzSelected(const QString &text, const QString &parentText);
    // A delete command ended.
    void eCLPostDeleted();

protected:
    bool QueryUnload() override;
    void Form_Unload() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    frmAct();
    // The screen's layout: the tree's buttons, the tree with the legend
    // and the checklist information, the detail panel below them.
    void bouwScherm();
    void bouwKnoppen(QVBoxLayout *root);
    QWidget *bouwBoom(QWidget *bovenDeel);
    void bouwInformatie(QWidget *bovenDeel, QHBoxLayout *boven);
    void bouwPaneel(QSplitter *split);
    // What the tree, the buttons and the splitter do.
    void verbindScherm();
    // Shares the height between the tree and the panel.
    void verdeelHoogte();
    void laad();
    void PasTreeInstellingenToe();
    void SluitChecklistKeuze();

    // Tree
    void boomKeuzeGewijzigd(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void kiesNode(records::SiteTree::Node node);
    // Scrolls the node shown into view.
    void toonNode();
    void toonPopup(const QPoint &globalPos);
    void boomToets(int key);
    void klapAlles(bool uit);
    void tmrDropHighlightCorrectie_Timer();

    std::unique_ptr<records::clsAct> m_insAct;
    std::unique_ptr<records::clsVoorz> m_voorz;
    std::unique_ptr<checklist::clsCL> m_cl;
    std::unique_ptr<SiteTreeWidget> m_boom;
    // Declared after what it points at, so that it goes first.
    std::unique_ptr<ActPaneel> m_paneel;
    QString m_strToelichtingPrijspeil;
    QString m_gekozenKey;
    bool m_voorzieningGekozen = false;
    bool m_kiestInCode = false;
    bool m_gekozenIngedrukt = false;
    // The left mouse button is down on the tree.
    bool m_muisInBoom = false;
    QSplitter *m_verdeler = nullptr;
    bool m_verdelerVerschoven = false;
    bool m_geladen = false;
    // The user chose to close without the edits that could not be stored.
    bool m_zonderOpslaan = false;

    QTreeWidget *m_TreeView1 = nullptr;
    QTimer *tmrDropHighlightCorrectie = nullptr;
    QPushButton *Command1 = nullptr, *cmdTreeExpand = nullptr, *cmdTreeCollapse = nullptr, *cmdClose = nullptr;
    QLabel *lblFormTitel = nullptr, *lblInfoUitChecklist = nullptr;
    QTextEdit *txtInfoChecklist = nullptr;
};

} // namespace screens

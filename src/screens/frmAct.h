#pragma once
// frmAct: the facilities and cost-items screen of the open site.
//
// Left the site tree (object categories, facilities, cost items, later
// phases); right and below the detail panel of the selected cost item, its
// fields bound to the current row of the screen's cost-item records
// (insAct). Edits of a cost item are stored when another node is chosen
// and when the screen closes; the marking (colours of the groups and of the
// node), the sentence and the checklist information follow the fields at
// once. The tree commands (add a facility or a phase, rename, delete) are
// public: the main window's pop-up menu calls them for the selected node.
//
// The checklist picker and the own cost-item dialog work on this screen
// through insAct, strToelichtingPrijspeil, strAlleChecklistRefs, the tree
// and pRefreshSubscherm; the picker follows its three signals.

#include "screens/form.h"
#include "screens/frmAct_rules.h"
#include "screens/site_tree_widget.h"

#include <QList>
#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
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

class FieldBindings;
class FieldValidation;
class MultiLineEdit;

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
    SiteTreeWidget &tree() { return *m_tree; }
    QTreeWidget *TreeView1() const { return m_treeView; }

    // Shows the node with that key; may rewrite the key (a new item that
    // has just been saved gets its "act" key). Leaving the shown item
    // stores it first; when that store fails, one box says why and the
    // tree, the heading and the panel stay on the item whose row is still
    // current (false), so that what is typed next goes where the heading
    // says.
    bool pRefreshSubscherm(QString &strKlikNodeKey, bool blnDontChangeRecord = false);
    bool refresh(const QString &key, bool blnDontChangeRecord = false);

    QString selectedKey() const { return m_selectedKey; }
    bool facilitySelected() const { return m_facilitySelected; }
    bool costItemSelected() const { return m_costItemSelected; }
    // The option codes of the shown cost item.
    const act::PaneelOpties &opties() const { return m_opties; }

    // Recomputes the marking, the node colour and the sentence from the
    // panel's controls.
    void VerifyEnMarkeer();

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
    void bouwScherm();
    // The detail panel, frame by frame; the controls are made in their
    // tab order.
    void bouwPaneel(QWidget *kader);
    QHBoxLayout *bouwKop(QWidget *kader);
    void maakFrames(QWidget *kader);
    void bouwToeslagFrame();
    void bouwStartFrame();
    void bouwEindFrame();
    void bouwEenheidFrame();
    void bouwFreqFrame();
    void bouwKostenFrame();
    void bouwOpmerkingFrames();
    QVBoxLayout *plaatsFrames(QGridLayout *layout);
    void bouwCombinatie(QWidget *kader, QVBoxLayout *rechtsOnder);
    void bouwZin(QWidget *kader, QGridLayout *layout);
    void zetMaten();
    // Shares the height between the tree and the panel.
    void verdeelHoogte();
    void verbindOpties();
    void verbindControles();
    void laad();
    void psubSetBindingCollectie();

    // Panel
    // Writes the marked controls and stores the row: nothing when stored,
    // else why not (the row keeps its edits).
    std::optional<QString> commit();
    // The same, telling the user in one box when the store fails.
    bool bewaar();
    void ZetFramesZichtbaar(bool hide);
    void ToonGeenSelectie();
    void ZetCaptionsStartEind();
    void ZetVervangingsToeslagStatus();
    void strInfoChecklistpost();
    void strToelichtingVervangingsToeslag(class InfoWriter &w);
    void pSetKleur();
    void PasTreeInstellingenToe();
    void SluitChecklistKeuze();

    // Option groups and their codes
    void optClick(const std::optional<int> &code, void (frmAct::*zetOptie)(std::optional<int>), int index);
    void selectOption(QList<QRadioButton *> &group, int n);
    void zetNaastOptie(QLineEdit *box, QList<QRadioButton *> &group, int n);
    void clearOptions(QList<QRadioButton *> &group);
    void zetTekst(QLineEdit *box, const QString &text);
    void zetVinkje(QCheckBox *box, bool checked);
    // One setter per code. The screen sets a code as the user's choice
    // would (it is written back); the row's code comes in through the
    // binding. A new code shows at once in the panel.
    bool wijzigOptie(std::optional<int> &opgeslagen, std::optional<int> code, const QString &veld);
    void zetOptieStart(std::optional<int> code);
    void zetOptieEind(std::optional<int> code);
    void zetOptieFreq(std::optional<int> code);
    void zetOptieKosten(std::optional<int> code);
    void zetOptieVervangingsToeslag(std::optional<int> code);
    void zetIsQOR(std::optional<int> code);
    void chkCombineer_Click();
    void zetCombineer(std::optional<int> code);
    bool valideerInvoervak(QWidget *field);
    bool valideerEenheid(QWidget *field);
    bool schrijfTerug(QWidget *field);
    // Refuses the field's text with the box that names the field.
    bool weigerInvoer(QWidget *field);

    // Tree
    void treeSelectionChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void selectNode(records::SiteTree::Node node);
    // Scrolls the node shown into view.
    void toonNode();
    void showPopup(const QPoint &globalPos);
    void treeKey(int key);
    void expandAll(bool expanded);
    void tmrDropHighlightCorrectie_Timer();
    bool gebruiktGediffToeslag() const;
    bool gaNaarClItem();

    std::unique_ptr<records::clsAct> m_insAct;
    std::unique_ptr<records::clsVoorz> m_voorz;
    std::unique_ptr<checklist::clsCL> m_cl;
    std::unique_ptr<SiteTreeWidget> m_tree;
    std::unique_ptr<FieldBindings> m_binding;
    std::unique_ptr<FieldValidation> m_validation;
    QString m_strToelichtingPrijspeil;
    QString m_selectedKey;
    bool m_facilitySelected = false;
    bool m_costItemSelected = false;
    bool m_selectingByCode = false;
    bool m_pressedSelected = false;
    // The left mouse button is down on the tree.
    bool m_muisInBoom = false;
    QSplitter *m_split = nullptr;
    bool m_splitMoved = false;
    bool m_loaded = false;
    // The user chose to close without the edits that could not be stored.
    bool m_zonderOpslaan = false;
    qint32 m_kleurAct = 128;
    qint32 m_kleurVoorz = 16384;
    act::PaneelOpties m_opties;

    QTreeWidget *m_treeView = nullptr;
    QTimer *tmrDropHighlightCorrectie = nullptr;
    QPushButton *Command1 = nullptr, *cmdTreeExpand = nullptr, *cmdTreeCollapse = nullptr, *cmdClose = nullptr;
    QList<QGroupBox *> grpFrames;
    QList<QRadioButton *> optStart, optEind, optFreq, optKosten, optVervangingsToeslag;
    QList<QLineEdit *> txtIntStartAct, txtIntEindAct;
    QLineEdit *txtStartBA = nullptr, *txtEindBA = nullptr, *txtfreqX = nullptr, *txtKostenPerc = nullptr,
              *txtKostenInvest = nullptr, *txtKostenTotaal = nullptr, *txtKostenPE = nullptr, *txtEenheid = nullptr,
              *txtAantal = nullptr, *txtVervangingsToeslagPerc = nullptr;
    MultiLineEdit *txtActOpm = nullptr, *txtNazorgplanRef = nullptr;
    QCheckBox *chkStartBA = nullptr, *chkEindBA = nullptr, *chkCombineer = nullptr;
    QLabel *lblKostenInvest = nullptr, *lblPostVet = nullptr, *lblPost = nullptr, *lblRubriek = nullptr,
           *lblGeenPost = nullptr, *imgFoutAnSich = nullptr, *imgQOR = nullptr, *lblFormTitel = nullptr,
           *lblInfoUitChecklist = nullptr;
    QWidget *shpBalkAct = nullptr;
    QTextEdit *txtZin = nullptr, *txtInfoChecklist = nullptr;
};

} // namespace screens

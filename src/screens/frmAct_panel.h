#pragma once
// The detail panel of the cost-item screen (frmAct): the frames of the
// shown cost item, its option codes (act::PaneelOpties), the bindings of
// its fields to the current row of the screen's cost-item records, the
// field checks, the marking and the sentence, and the checklist
// information beside the tree.
//
// The screen keeps the tree, the commands and the pop-up menu. It builds
// the panel into the panel's frame, couples it to its record object and
// checklist version once they are made, and tells it what the tree shows:
// no cost item (ToonGeenSelectie), or the cost item of the current row
// (toonKostenpost). Before it leaves a row it asks the panel whether the
// focused field lets go (ok, controleerFocus) and has the row stored
// (schrijfEnBewaar, bewaar).

#include "screens/frmAct_rules.h"

#include <QList>
#include <QObject>
#include <memory>
#include <optional>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTextEdit;
class QVBoxLayout;

namespace records {
class clsAct;
}
namespace checklist {
class clsCL;
}

namespace screens {

class FieldBindings;
class FieldValidation;
class InfoSchrijver;
class MultiLineEdit;
class SiteTreeWidget;

class ActPaneel : public QObject {
    Q_OBJECT

public:
    // Builds the panel's controls into `kader`, in their tab order. The
    // field checks belong to `scherm`; the marking colours the selected
    // node of `tree`; the checklist information goes into `infoBox`.
    ActPaneel(QWidget *scherm, QWidget *kader, QTextEdit *infoBox, SiteTreeWidget &tree);
    ~ActPaneel() override;

    // Binds the fields to the current row of `act`; `cl` is the site's
    // checklist version (either may be null: the panel then stays empty).
    void koppel(records::clsAct *act, checklist::clsCL *cl);
    // Lets go of both before they go.
    void ontkoppel();

    // The cost-item colour of the heading.
    void pSetKleur(qint32 kleurAct);

    // Whether the tree shows a cost item; set before its row is made
    // current, as the layout of the costs depends on it.
    void zetKostenpostGekozen(bool gekozen) { m_kostenpostGekozen = gekozen; }
    bool kostenpostGekozen() const { return m_kostenpostGekozen; }

    // Hides the frames (or shows those the options open).
    void ZetFramesZichtbaar(bool hide);
    // The heading without an item; the sentence and information empty.
    void ToonGeenSelectie();
    // Shows the current row's cost item under `kop`, its marking and its
    // checklist information.
    void toonKostenpost(const QString &kop);

    // The focused field's check (FieldValidation::ok and controleerFocus).
    bool ok();
    bool controleerFocus();

    // Writes the marked controls and stores the row: nothing when stored,
    // else why not (the row keeps its edits).
    std::optional<QString> schrijfEnBewaar();
    // The same, telling the user in one box when the store fails.
    bool bewaar();

    // The option codes of the shown cost item.
    const act::PaneelOpties &opties() const { return m_opties; }

signals:
    // The shown cost item's checklist item (0 for an own item).
    void eCLPostSelected(qint32 intCl_ID);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Layout (frmAct_panel_layout.cpp), frame by frame.
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
    void verbindOpties();
    void verbindControles();
    void psubSetBindingCollectie();
    // The text colour of a label or a frame's caption.
    static void zetKleur(QWidget *w, qint32 vbKleur);

    // What the panel shows
    void ZetCaptionsStartEind();
    void ZetVervangingsToeslagStatus();
    void strInfoChecklistpost();
    void strToelichtingVervangingsToeslag(InfoSchrijver &w);
    // Recomputes the marking, the node colour and the sentence from the
    // panel's controls.
    void VerifyEnMarkeer();
    bool gebruiktGediffToeslag() const;
    bool gaNaarClItem();

    // Option groups and their codes
    void opt_Click(const std::optional<int> &code, void (ActPaneel::*zetOptie)(std::optional<int>), int index);
    void kiesOptie(QList<QRadioButton *> &group, int n);
    void zetNaastOptie(QLineEdit *box, QList<QRadioButton *> &group, int n);
    void wisOpties(QList<QRadioButton *> &group);
    void zetTekst(QLineEdit *box, const QString &text);
    void zetVinkje(QCheckBox *box, bool checked);
    // One setter per code. The panel sets a code as the user's choice
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

    // Field checks
    bool valideerInvoervak(QWidget *field);
    bool valideerEenheid(QWidget *field);
    bool schrijfTerug(QWidget *field);
    // Refuses the field's text with the box that names the field.
    bool weigerInvoer(QWidget *field);

    QWidget *m_scherm;
    SiteTreeWidget &m_boom;
    records::clsAct *m_insAct = nullptr;
    checklist::clsCL *m_cl = nullptr;
    std::unique_ptr<FieldBindings> m_binding;
    std::unique_ptr<FieldValidation> m_validation;
    act::PaneelOpties m_opties;
    bool m_kostenpostGekozen = false;
    qint32 m_kleurAct = 128;

    QList<QGroupBox *> grpFrames;
    QList<QRadioButton *> optStart, optEind, optFreq, optKosten, optVervangingsToeslag;
    QList<QLineEdit *> txtIntStartAct, txtIntEindAct;
    QLineEdit *txtStartBA = nullptr, *txtEindBA = nullptr, *txtfreqX = nullptr, *txtKostenPerc = nullptr,
              *txtKostenInvest = nullptr, *txtKostenTotaal = nullptr, *txtKostenPE = nullptr, *txtEenheid = nullptr,
              *txtAantal = nullptr, *txtVervangingsToeslagPerc = nullptr;
    MultiLineEdit *txtActOpm = nullptr, *txtNazorgplanRef = nullptr;
    QCheckBox *chkStartBA = nullptr, *chkEindBA = nullptr, *chkCombineer = nullptr;
    QLabel *lblKostenInvest = nullptr, *lblPostVet = nullptr, *lblPost = nullptr, *lblRubriek = nullptr,
           *lblGeenPost = nullptr, *imgFoutAnSich = nullptr, *imgQOR = nullptr;
    QWidget *shpBalkAct = nullptr;
    QTextEdit *txtZin = nullptr, *txtInfoChecklist = nullptr;
};

} // namespace screens

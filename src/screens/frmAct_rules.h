#pragma once
// The rules of the facilities and cost-items screen that do not need its
// widgets: the pop-up menu for the selected node, the check of a typed
// number or unit, and the layout that each option code of a cost item
// gives its group of fields. The screen applies the answers to its
// controls; tests drive them without a window.
//
// Option codes are the whole numbers the row holds; a row without one has
// no code (nullopt).

#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <optional>

namespace screens::act {

// The id in a node's key after its prefix of `from` characters ("act12",
// "inr7": 3; "objcat2": 6).
inline qint32 idUitKey(const QString &key, int from)
{
    return key.mid(from).toInt();
}

// ---- Pop-up menu ----------------------------------------------------------

struct PopupNode {
    QString text;
    QString parentText;
    QString tag;
    bool bold = false;
    qint32 foreColor = 0;
};

struct PopupItem {
    bool enabled = false;
    // The caption to show; empty leaves the item's caption as it is.
    QString caption;
};

struct PopupMenu {
    PopupItem addVoorz, addAct, addFase, naamWijzigen, verwijder;
};

// Captions and enabled states of the pop-up items for the selected node.
// `isQORvoorziening`: the selected facility holds a checklist item.
PopupMenu ZetPopupMenu(const PopupNode &node, bool facilitySelected, bool costItemSelected, bool isQORvoorziening);

// ---- Field checks -----------------------------------------------------------

// The name a numeric box has in the refusal message ("startjaar", "kosten",
// ...); `eenmalig`: the item is a once-only outlay (its start box is then
// the "jaar eenmalige uitgave"). Empty for a box that has no number check.
QString veldNaam(const QString &controlName, bool eenmalig);

// Whether a numeric box may be left: its text reads as a number under the
// Dutch settings (an empty box does not).
bool isGeldigGetal(const QString &text);

inline const QString kTitelOngeldigeInvoer = QStringLiteral("Geen of ongeldige invoer");
// The refusal message of a numeric box.
QString meldingOngeldigeInvoer(const QString &naam);

inline const QString kTitelEenheid = QStringLiteral("Eenheid niet ingevoerd");
inline const QString kMeldingEenheid = QStringLiteral("U dient een tekst in te voeren in het invoervak 'eenheid'.");

// ---- Option groups ----------------------------------------------------------

// The codes of the shown cost item: its option groups (start, end,
// frequency, cost, replacement surcharge), whether it is in a combination
// item, and its checklist state (0 own item, 1 checklist item, 2 checklist
// item outside the checklist's criteria).
struct PaneelOpties {
    std::optional<int> start, eind, freq, kosten, toeslag, combineer, isQOR;
};

// The code a stored value gives; nullopt for Null or a value that is no
// number from 0 to 255.
std::optional<int> optieCode(const QVariant &value);

// Cost option: which boxes show.
struct KostenLayout {
    bool percEnInvest = false; // txtKostenPerc, lblKostenInvest, txtKostenInvest
    bool totaal = false;
    bool perEenheid = false;   // txtKostenPE
    bool eenheidFrame = false; // frame 3 (unit and number of units)
};
KostenLayout kostenLayout(int code, bool costItemSelected);

// Frequency option: the end frame, the start frame's caption, the count box.
struct FreqLayout {
    bool eindFrameEnabled = true;
    bool eindEeuwigdurend = false; // select the perpetual end (code 3)
    bool chkEindBAEnabled = false;
    bool chkEindBAClear = false; // clear the end's top-liner flag
    QString startCaption;
    bool freqXVisible = true;
};
FreqLayout freqLayout(int code, bool chkStartBA, bool chkEindBA);

// The start frame's caption in lower case: the name its boxes have in the
// refusal message.
QString startCaption(bool eenmalig);

// Start and end as the top-liner check boxes lay them out.
struct StartEindLayout {
    bool txtStartBAVisible = false;
    QString optStart1, optStart2;
    bool chkEindBAEnabled = false; // only changed when `chkEindBAEnabledSet`
    bool chkEindBAEnabledSet = false;
    bool chkEindBAClear = false;
    bool optEindVisible = true;
    // txtIntEindAct(1), (2) visible; nullopt: left as they are.
    std::optional<bool> txtIntEind1, txtIntEind2;
    bool txtEindBAVisible = false;
};
StartEindLayout startEindLayout(bool chkStartBA, bool chkEindBA, bool eindFrameEnabled, std::optional<int> optieEind);

// Frames shown: all hidden for a facility or category, or for an item in a
// combination item (then only its check box shows); frame 3 only for cost
// per unit.
struct FramesLayout {
    std::array<bool, 8> frame{};
    bool chkCombineer = false;
};
FramesLayout framesLayout(bool hide, bool combineer, std::optional<int> optieKosten);

// Replacement-surcharge options: which are enabled, and whether the item is
// a top-liner item (cost per unit in m2 only).
struct ToeslagStatus {
    bool changed = true; // false: an unknown checklist type, nothing changes
    bool frame = false;
    std::array<bool, 3> option{}; // options 1 to 3
    bool bovenafdichting = false;
    bool combinatieMogelijk = false;
};
// `isQOR` 0: an own item; `clType`: the checklist item's surcharge type
// (nullopt when the item is not in the site's checklist version).
ToeslagStatus toeslagStatus(int isQOR, bool gediff, int rubriek, std::optional<int> verborgenType,
                            std::optional<int> clType, bool clCombinatieMogelijk);

} // namespace screens::act

#pragma once
// The marking of a cost item while the screen shows it: each group of
// fields in black (complete and, for a checklist item, within the
// checklist's criteria), orange (complete but outside them) or red
// (incomplete), the node's colour, and the conformity value a checklist
// item gets. It works on what the controls hold, so it follows the user's
// typing before anything is saved.

#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <optional>

namespace checklist {
class clsCL;
}

namespace screens::act {

inline constexpr qint32 kZwart = 0;
inline constexpr qint32 kRood = 255;
inline constexpr qint32 kOranje = 33023;

// The panel's option codes (nullopt: none chosen), the texts of its boxes
// and the states of its check boxes.
struct ActInvoer {
    std::optional<int> optieStart;
    QString startAbs, startRel, startBAJaar;
    bool startBA = false;
    std::optional<int> optieEind;
    QString eindAbs, eindRel, eindBAJaar;
    bool eindBA = false;
    std::optional<int> optieKosten;
    QString kostenPerc, kostenInvest, kostenTotaal, kostenPE, eenheid, aantal;
    std::optional<int> optieFreq;
    QString freqX;
    std::optional<int> optieToeslag;
    QString toeslagPerc;
    bool combineer = false;
};

// The shown row as the record object holds it.
struct ActRij {
    std::uint8_t isQOR = 0;
    QVariant clitemRef;
    std::uint8_t rubriek = 0;
};

// Frame indices of the groups: 0 surcharge, 1 start, 2 end, 4 frequency,
// 5 cost.
struct Markering {
    // The new caption colour of each frame; nullopt keeps the old one.
    std::array<std::optional<qint32>, 8> frameKleur{};
    bool compleet = true;
    bool conform = true;
    int gecombineerd = 0;
    // 1 or 2 for a checklist item; nullopt for an own item.
    std::optional<int> isQOR;
    // The node's colour: the item colour (black for a later phase) or red.
    qint32 nodeKleur = 0;
};

// `cl` is the site's checklist version; the marking moves its current item.
// `laterPhase`: the node's text begins with "{".
Markering VerifyEnMarkeer(const ActInvoer &invoer, const ActRij &rij, checklist::clsCL &cl, bool laterPhase,
                          qint32 kleurAct);

// A box's text as a value for the checks: Null when empty.
QVariant waarde(const QString &text);
// An option code as a byte for the checks (0 when there is none).
std::uint8_t codeByte(std::optional<int> code);

} // namespace screens::act

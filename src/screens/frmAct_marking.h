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

// The texts of the panel's boxes and the states of its check boxes.
struct ActInvoer {
    QString optieStart, startAbs, startRel, startBAJaar;
    bool startBA = false;
    QString optieEind, eindAbs, eindRel, eindBAJaar;
    bool eindBA = false;
    QString optieKosten, kostenPerc, kostenInvest, kostenTotaal, kostenPE, eenheid, aantal;
    QString optieFreq, freqX;
    QString optieToeslag, toeslagPerc;
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
    // "1" or "2" for a checklist item; nullopt for an own item.
    std::optional<QString> isQOR;
    // The node's colour: the item colour (black for a later phase) or red.
    qint32 nodeKleur = 0;
};

// `cl` is the site's checklist version; the marking moves its current item.
// `laterPhase`: the node's text begins with "{".
Markering VerifyEnMarkeer(const ActInvoer &invoer, const ActRij &rij, checklist::clsCL &cl, bool laterPhase,
                          qint32 kleurAct);

// A box's text as a value for the checks: Null when empty.
QVariant waarde(const QString &text);
// An option code text as a byte for the checks (0 when it is no code).
std::uint8_t codeByte(const QString &text);

} // namespace screens::act

#pragma once
// The rules of the general-data screen, without a window: the province
// list, the checks of the start of after-care and of the site name, and
// what the company-bound code means for the other controls.

#include <QList>
#include <QString>
#include <optional>

namespace screens {

// A refused input: the box's text and title (always an exclamation box).
struct Weigering {
    QString tekst;
    QString titel;
};

// The entries of the province list in their order: codes 10, 20, ... 120,
// then 0 ("??").
struct Provincie {
    int code;
    QString naam;
};
QList<Provincie> ProvincieLijst();

// The check of a typed start of after-care: a date with a four-digit year
// (1000 to 9999) on the 1st or the 16th.
std::optional<Weigering> ToetsAanvangNazorg(const QString &tekst);

// The check of a typed site name; `bestaatAl` tells whether another site
// of the data file has it.
std::optional<Weigering> ToetsNaam(const QString &tekst, bool bestaatAl);

// The box for a rate ("rente", "inflatie") whose text is no number: the
// comma is the decimal sign, a point only groups thousands.
Weigering OngeldigPercentage(const QString &naam);

// What the company-bound code (the carrier's text) sets on the screen.
struct BedrijfsGebondenStand {
    int optie = -1;               // the option button to select; -1 none
    bool objectAanvinken = false; // company-bound: always object-bound
    bool objectIngeschakeld = false;
    bool prognoseIngeschakeld = false;
};
// An empty or unreadable carrier selects no option and switches off the
// object-bound box and the forecast until the user chooses.
BedrijfsGebondenStand BedrijfsGebonden(const QString &drager, int stortType);

// The caption of the object-bound box for a site kind; empty for a kind
// that keeps the design caption.
QString ObjectGebondenCaption(int stortType);

// "stortplaats" / "baggerdepot"; empty for another kind.
QString StortTypeNaam(int stortType);

} // namespace screens

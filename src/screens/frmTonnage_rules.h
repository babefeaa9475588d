#pragma once
// The rules of the waste-forecast grid, without a window: the rows of the
// open site's forecast as the grid shows them (a last, empty line adds a
// row), the check of a typed cell before it is written, the write itself,
// the total and the check of the whole series of years.
//
// Every refusal is told in the box the forecast screen shows and leaves the
// data file as it was.

#include "records/clsTonnage.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

namespace screens {

// Why a typed cell is refused: the box's text, icon and title.
struct CelWeigering {
    QString tekst;
    int icon = 0; // ui::Icon
    QString titel;
};

// The check of value `v` typed into column `kolom` (0 year, 1 kilotons)
// before it is written; no value when it may be written.
std::optional<CelWeigering> ToetsCel(int kolom, const QString &v);

class TonnageInvoer {
public:
    enum Kolom { KolomJaar = 0, KolomKiloton = 1 };

    // The forecast of site `lngStortID`, read through its own record.
    TonnageInvoer(const records::Context &ctx, qint32 lngStortID);
    ~TonnageInvoer();

    // The rows there are; the grid shows one more, empty line for a new row.
    int rijen() const { return int(m_rijen.size()); }
    QVariant waarde(int rij, int kolom) const;

    // Checks `tekst` and writes it into that cell (rij == rijen() adds a
    // row for the site). False, after its box, when the cell is refused or
    // the write fails; the cell then keeps its old value.
    bool schrijfCel(int rij, int kolom, const QString &tekst);

    // "Totaal (kTon): " and the total.
    QString totaalTekst();

    // The whole series: no empty or repeated year, no gap.
    bool valideer();

    // Writes a pending edit (the screen's last act before it lets go).
    void bewaar();

private:
    struct Rij {
        QVariant bookmark;
        QVariant jaar;
        QVariant kiloton;
    };
    bool schrijf(int rij, int kolom, const QVariant &waarde);

    std::unique_ptr<records::clsTonnage> m_tonnage;
    db::Recordset *m_rs = nullptr;
    qint32 m_lngStortID;
    QList<Rij> m_rijen;
};

} // namespace screens

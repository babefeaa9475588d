#pragma once
// The sensitivity analysis without a window: how the target fund of the
// open site (without the risk fund: A+B+C of the regular after-care
// activities) reacts to the interest or the inflation rate.
//
// One calculation object serves every row: it is bound with the site's own
// rates for the base amount B (after its input check), then bound again
// with each row's rates. Rates are fractions held as singles.
//
// The range comes from the slider, in its own steps of half a percentage
// point: a step value s stands for the rate s / 200. The rows run from the
// selection's start to its end inclusive, in equal steps; a selection of no
// length, too few or too many rows give no rows at all, so a zero or
// negative step can never loop or divide by zero.

#include "calc/calc_context.h"
#include "platform/ui/dialogs.h"

#include <QString>
#include <optional>
#include <vector>

namespace reports {

class RapportTekst;

// What varies: the values of the option buttons opt1(1..3).
enum class Varieer { Alternatief = 1, Rente = 2, Inflatie = 3 };

constexpr int kSchuifMin = 2;
constexpr int kSchuifMax = 16;
constexpr int kMinRijen = 2;
constexpr int kMaxRijen = 10;

// The selection range of the slider: SHIFT with the mouse sets it. The
// range the analysis will use is shown from the start (1.5 % to 4 %), so the
// user sees what is computed before choosing another.
struct SchuifSelectie {
    int start = 3;
    int lengte = 5;
    bool zichtbaar = true;

    // Mouse-down with SHIFT alone: a new range starts at the slider's value.
    void muisNeer(int waarde, bool alleenShift);
    // Mouse-up: with SHIFT alone the length becomes the value minus the
    // start (a negative length is ignored); without it the range is hidden
    // and keeps its start and length.
    void muisOp(int waarde, bool alleenShift);
};

// The rates (fractions) of the rows: start / 200 + i * step for i = 0 ..
// rijen - 1, step = (lengte / 200) / (rijen - 1). Empty for fewer than
// kMinRijen or more than kMaxRijen rows, or a length of 0 or less.
std::vector<float> rijTarieven(int start, int lengte, int rijen);

struct GevoeligheidInvoer {
    Varieer varieer = Varieer::Rente;
    SchuifSelectie selectie;
    int rijen = 5;
    // The alternative rates in per cent, as typed.
    QString rente;
    QString inflatie;
};

struct Melding {
    QString tekst;
    ui::Icon icon = ui::Icon::None;
};

// The message that stops an analysis before anything is computed.
std::optional<Melding> controleer(const GevoeligheidInvoer &invoer);

// The check of an alternative rate field: empty when the text is a number
// from 1 to 8 (per cent), else the message.
QString tariefFout(const QString &text, bool rente);
QString titel();

struct GevoeligheidRegel {
    float rente = 0;    // fraction
    float inflatie = 0; // fraction
    float doelvermogen = 0;
};

struct GevoeligheidUitkomst {
    Varieer varieer = Varieer::Rente;
    float rente = 0;    // the site's own, fraction
    float inflatie = 0; // the site's own, fraction
    float basis = 0;    // B
    std::vector<GevoeligheidRegel> regels;
};

// Computes the analysis for the site of `ctx`. Nothing when the site fails
// the calculation's input check (it has shown why) or the invoer gives no
// rows. platform::Error when the site or a file cannot be read.
std::optional<GevoeligheidUitkomst> berekenGevoeligheid(const calc::Context &ctx, const GevoeligheidInvoer &invoer);

// The share of a row above the base, "0.0 %"; "nvt" when the base is 0.
QString percHoger(float doelvermogen, float basis);

// Writes the analysis at the report's insertion point.
void schrijfGevoeligheid(const GevoeligheidUitkomst &uitkomst, RapportTekst &rap);

} // namespace reports

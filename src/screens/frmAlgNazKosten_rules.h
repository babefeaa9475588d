#pragma once
// The rules of the after-care surcharges screen, without a window: the
// checklist values it compares with, its explanation texts, the defaults
// it puts into empty fields, when a value is flagged as differing from the
// checklist, which reporting/evaluation amount applies to an option, and
// the checks of its fields.
//
// The site stores its percentages as percent (12 is 12 %); the checklist
// holds the matching values as fractions, so they are compared and filled
// in times 100 (taken as a single).

#include "platform/text/number_parse.h"

#include <QString>

namespace checklist {
class clsCL;
}

namespace screens {

// The checklist values the screen reads when it loads.
struct NazorgChecklistWaarden {
    float sngRapEvalMin = 0;
    float sngRapEvalMax = 0;
    float sngRapEvalPerHa = 0;
    float sngCommunicatieMIN = 0;
    float sngCommunicatieMAX = 0; // -999: no upper bound
    float sngAppKostenBasisMIN = 0;
    float sngAppKostenBasisMAX = 0;
    float sngAppKostenPerc = 0;        // fraction
    float sngOnvoorzien = 0;           // fraction
    float sngOntwerpdirectieFixed = 0; // fraction
    bool blnGedifferentieerd = false;
    // The area (ha) up to which option 2 applies.
    float aantalHaGrens = 0;

    static NazorgChecklistWaarden lees(const checklist::clsCL &cl);
};

// The fields that get a default from the checklist, in the order they are
// filled.
enum class NazorgVeld {
    AppKostenBasis,
    AppKostenBasisPerc,
    RapEvalMin,
    RapEvalPerHa,
    RapEvalMax,
    Onvoorzien,
    OntwerpdirectieFixed,
    CommunicatieKosten,
};

// Which reporting/evaluation amount applies: the option button that shows
// selected and the amount fields that are enabled.
struct RapEvalWeergave {
    bool bekend = false;  // false: an option that changes nothing
    int geselecteerd = 0; // 1..3, 0 for none
    bool minAan = false;
    bool perHaAan = false;
    bool maxAan = false;
};

class AlgNazKostenRegels {
public:
    static constexpr float kGeenMaximum = -999.0f;

    explicit AlgNazKostenRegels(const NazorgChecklistWaarden &cl) : m_cl(cl) {}
    const NazorgChecklistWaarden &checklist() const { return m_cl; }

    // ---- Captions and explanations -----------------------------------------
    QString captionOptie2() const;
    QString captionOptie3() const;
    QString lblCommunicatie() const;
    QString lblAppKostenBasis() const;
    static QString lblAppKostenBasisPerc();
    QString lblRapEval() const;
    static QString lblOntwerpDirectieVast();
    static QString lblOntwerpDirectieGedifferentieerd();

    // ---- Defaults ------------------------------------------------------------
    // The default of a field that is empty. Design/supervision under the
    // differentiated scheme is always 0, whatever the field holds.
    float standaard(NazorgVeld veld) const;

    // ---- Deviation notices (true: show "(wijkt af van QOR-checklist)") --------
    bool wijktAfAppKostenBasis(float bedrag) const;
    bool wijktAfAppKostenPerc(float perc) const;
    bool wijktAfCommunicatie(float bedrag) const;
    // Only the amount of option 1, 2 or 3 is compared.
    bool wijktAfRapEval(int optie, float bedrag) const;
    bool wijktAfOnvoorzien(float perc) const;
    bool wijktAfOntwerpdirectie(float perc) const;

    // ---- Reporting/evaluation option ----------------------------------------
    static RapEvalWeergave weergave(int optie);
    // The option number in the carrier text (0 for an empty or non-numeric
    // text).
    static int optieVanTekst(const QString &text);

    // ---- Field checks --------------------------------------------------------
    // Why a field's text is refused, empty when it passes. A field passes
    // with a number, read by the one rule of typed numbers; the yearly
    // amounts (a mask of five digit places) take whole euros only, so
    // "12,5" is refused there, saying so, rather than read as 125. A text
    // the user did not change that shows a stored value passes too.
    static QString waardeFout(const QString &text, bool toontOpgeslagenWaarde = false,
                              vb::NumberKind kind = vb::NumberKind::Fraction);
    static constexpr const char *kVulWaardeIn = "Vul een waarde in.";
    static constexpr const char *kHeleEuros = "Vul een bedrag in hele euro's in, zonder cijfers achter de komma.";
    // The message for an after-care area, empty when it passes.
    static QString nazorgOppFout(const QString &text);

    static constexpr const char *kAfwijking = "(wijkt af van QOR-checklist)";

private:
    static float maal100(float fractie) { return fractie * 100.0f; }

    NazorgChecklistWaarden m_cl;
};

} // namespace screens

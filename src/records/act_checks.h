#pragma once
// Checks of one cost item read from its fields (tblAct names): whether it is
// complete as such, whether it stays within its checklist item of a given
// checklist version, and the amount it gets at another price level. The
// cost-item records apply them to their current row; the calculation's
// site-wide completeness check applies the first to every stored item.
//
// The functions only read: `field` gives a field's value by name (Null as an
// invalid QVariant). The scaling returns the amount to write and leaves the
// writing to the caller.

#include "records/act_completeness.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

namespace checklist {
class clsCL;
}

namespace db {
class Recordset;
}

namespace records {

using ActFieldReader = std::function<QVariant(const QString &)>;

// True when the item is complete: absorbed into a combination item
// (bytCombineer 1), or passing the checks of start year, end year, cost,
// frequency and replacement surcharge, in that order (the first failure
// decides; the later checks do not run). Missing flags bytStartBA and
// bytEindBA count as 0; a missing option code or rubric makes the item
// incomplete. `blnGebruiktGediffToeslag`: the site's checklist version uses
// the differentiated replacement surcharges.
bool verifyAnSich(const ActFieldReader &field, bool blnGebruiktGediffToeslag);

// The fields the check reads, by number, and their names as tblAct spells
// them; for a caller that holds an item's values by number. The list is
// kept once, here: a caller that reads more fields (the calculation) puts
// these first with TAVIR_ACT_VELDEN.
#define TAVIR_ACT_VELDEN(X)      \
    X(bytCombineer)              \
    X(bytOptieStart)             \
    X(bytStartBA)                \
    X(intStartabs)               \
    X(intStartrel)               \
    X(intStartBA)                \
    X(bytOptieEind)              \
    X(bytEindBA)                 \
    X(intEindabs)                \
    X(intEindrel)                \
    X(intEindBA)                 \
    X(bytOptieKosten)            \
    X(sngPercInvest)             \
    X(sngKostenInvest)           \
    X(sngKostenTotaal)           \
    X(sngKostenPE)               \
    X(strEenheid)                \
    X(sngAantal)                 \
    X(bytOptieFreq)              \
    X(intfreqX)                  \
    X(bytRubriek_REF)            \
    X(bytTypeVervangingsToeslag) \
    X(sngVervangingsToeslagPerc)

#define TAVIR_ACT_VELD_ENUM(naam) naam,
#define TAVIR_ACT_VELD_NAAM(naam) #naam,
enum class ActVeld : std::uint8_t { TAVIR_ACT_VELDEN(TAVIR_ACT_VELD_ENUM) };
inline constexpr const char *kActVeldNamen[] = {TAVIR_ACT_VELDEN(TAVIR_ACT_VELD_NAAM)};
inline constexpr int kAantalActVelden = int(std::size(kActVeldNamen));

// The same check on values by number: `value(v)` gives field v as the
// checks read it and is asked only for the fields the check reaches, so a
// caller that reads each field on first use reads no more than it needs.
using ActValueByNumber = std::function<modVerifyAnSich::Invoer(ActVeld)>;
bool verifyAnSich(const ActValueByNumber &value, bool blnGebruiktGediffToeslag);

// The same check on the current row of a recordset that holds every field
// it reads, by column number: a walk over many rows looks each name up once.
class ActColumns {
public:
    // Raises the recordset's unknown-field error when a field is missing.
    explicit ActColumns(const db::Recordset &rs);

private:
    friend bool verifyAnSich(const db::Recordset &, const ActColumns &, bool);
    std::vector<int> m_kolommen;
};
bool verifyAnSich(const db::Recordset &rs, const ActColumns &columns, bool blnGebruiktGediffToeslag);

// 1 when the item keeps within the current item of `insCl_new` (positioned
// by the caller on the item's checklist item) on start, end, cost and
// frequency, 2 otherwise. All four checks run, whatever the first gives.
// An option code or flag that cannot be read as a byte raises the error its
// conversion gives: 94 ("Invalid use of Null") when it is missing, 13
// ("Type mismatch") for a text that is no number, 6 ("Overflow") outside
// 0 to 255.
std::uint8_t toetsAanNieuweCL(const ActFieldReader &field, checklist::clsCL &insCl_new);

// The amount that carries the item's cost at another price level: the
// investment (cost option 1), the total (option 2) or the price per unit
// (option 3), multiplied by `sngFactor` in single precision. Nothing for
// another cost option or a missing amount; percentages and numbers of units
// never change, nor the amounts of the options not chosen.
struct ScaledAmount {
    QString field;
    float value = 0;
};
std::optional<ScaledAmount> kostenVermenigvuldigdMet(const ActFieldReader &field, float sngFactor);

// A byte code read from a field: nullopt when it is missing or not a whole
// number from 0 to 255.
std::optional<std::uint8_t> byteCode(const QVariant &value);

} // namespace records

#include "records/act_checks.h"

#include "records/act_completeness.h"

#include "checklist/clsCL.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/recordset.h"
#include "platform/text/conversions.h"

#include <cmath>

namespace records {

namespace {

// The values the checks see: Null as the empty text.
QVariant nz(const QVariant &value)
{
    return (!value.isValid() || value.isNull()) ? QVariant(QString()) : value;
}

QVariant nzField(const ActFieldReader &field, const char *name)
{
    return nz(field(QString::fromLatin1(name)));
}

// An option code or flag that must be there, converted as a byte: error 94
// when it is missing, 13 for a text that is no number, 6 outside 0..255.
std::uint8_t requiredByte(const ActFieldReader &field, const char *name)
{
    const QString source = QStringLiteral("clsAct.ToetsAanNieuweCL");
    const QVariant v = field(QString::fromLatin1(name));
    if (!v.isValid() || v.isNull())
        throw platform::Error(vb::kErrInvalidUseOfNull, QStringLiteral("Invalid use of Null"), source);
    double n = 0;
    if (!modVerifyAnSich::detail::toNumber(v, &n))
        throw platform::Error(vb::kErrTypeMismatch, QStringLiteral("Type mismatch"), source);
    const auto code = byteCode(v);
    if (!code)
        throw platform::Error(vb::kErrOverflow, QStringLiteral("Overflow"), source);
    return *code;
}

} // namespace

std::optional<std::uint8_t> byteCode(const QVariant &value)
{
    // Whole numbers, as the data file holds codes, need no rounding.
    qint64 i = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
        i = qvariant_cast<int>(value);
        return i < 0 || i > 255 ? std::nullopt : std::optional<std::uint8_t>(std::uint8_t(i));
    case QMetaType::LongLong:
        i = qvariant_cast<qlonglong>(value);
        return i < 0 || i > 255 ? std::nullopt : std::optional<std::uint8_t>(std::uint8_t(i));
    default:
        break;
    }
    double n = 0;
    if (!modVerifyAnSich::detail::toNumber(value, &n))
        return std::nullopt;
    n = vb::Round(n);
    if (n < 0 || n > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(n);
}

namespace {

using Veld = ActVeld;
using enum ActVeld;

// `get(veld)` gives a field's value; the fields are asked for in the order
// of the checks, and only as far as they run. A field that the chosen
// option or flag does not use (see the checks) is not read: it is handed
// over as missing, which its check never looks at.
// The byte code of a value read already: nullopt when it is missing or
// not a whole number from 0 to 255 (see byteCode).
std::optional<std::uint8_t> byteCode(const modVerifyAnSich::Invoer &value)
{
    if (!value.isGetal)
        return std::nullopt;
    // A code as the data file holds it is a whole number in range already.
    const double g = value.getal;
    if (g >= 0 && g <= 255 && g == double(int(g)))
        return static_cast<std::uint8_t>(g);
    const double n = vb::Round(g);
    if (n < 0 || n > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(n);
}

// `get(veld)` gives a field's value as the checks read it; the fields are
// asked for in the order of the checks, and only as far as they run. A
// field that the chosen option or flag does not use (see the checks) is
// not read: it is handed over as missing, which its check never looks at.
template <typename Get> bool volledig(const Get &get, bool blnGebruiktGediffToeslag)
{
    using modVerifyAnSich::Invoer;
    const auto indien = [&get](bool gebruikt, Veld v) { return gebruikt ? Invoer(get(v)) : Invoer(); };
    const auto vlag = [&get](Veld v) -> std::uint8_t {
        const Invoer w = get(v);
        if (w.null)
            return 0;
        // A flag that is no byte is no known flag; 255 makes its check fail.
        return byteCode(w).value_or(255);
    };

    if (byteCode(get(bytCombineer)) == std::uint8_t(1))
        return true;

    using namespace modVerifyAnSich;

    const auto optieStart = byteCode(get(bytOptieStart));
    if (!optieStart)
        return false;
    const std::uint8_t startBA = vlag(bytStartBA);
    if (!VerifyJaarStart(*optieStart, startBA, indien(*optieStart == 1, intStartabs),
                         indien(*optieStart == 2, intStartrel), indien(startBA == 1, intStartBA)))
        return false;

    const auto optieEind = byteCode(get(bytOptieEind));
    const std::uint8_t eindBA = vlag(bytEindBA);
    // With the end counted from the top liner the end option is not used.
    if (!optieEind && eindBA == 0)
        return false;
    const bool eindOptie = eindBA == 0;
    if (!VerifyJaarEind(optieEind.value_or(0), eindBA, indien(eindOptie && optieEind == 1, intEindabs),
                        indien(eindOptie && optieEind == 2, intEindrel), indien(eindBA == 1, intEindBA)))
        return false;

    const auto optieKosten = byteCode(get(bytOptieKosten));
    if (!optieKosten)
        return false;
    const bool k1 = *optieKosten == 1, k2 = *optieKosten == 2, k3 = *optieKosten == 3;
    if (!VerifyKosten(*optieKosten, indien(k1, sngPercInvest), indien(k1, sngKostenInvest), indien(k2, sngKostenTotaal),
                      indien(k3, sngKostenPE), indien(k3, strEenheid), indien(k3, sngAantal)))
        return false;

    const auto optieFreq = byteCode(get(bytOptieFreq));
    if (!optieFreq || !VerifyFreq(*optieFreq, indien(*optieFreq == 2 || *optieFreq == 3, intfreqX)))
        return false;

    const auto rubriek = byteCode(get(bytRubriek_REF));
    if (!rubriek)
        return false;
    if (!blnGebruiktGediffToeslag || *rubriek != 5)
        return true;
    return VerifyVervangingsToeslag(blnGebruiktGediffToeslag, *rubriek, Invoer(get(bytTypeVervangingsToeslag)),
                                    Invoer(get(sngVervangingsToeslagPerc)));
}

} // namespace

bool verifyAnSich(const ActFieldReader &field, bool blnGebruiktGediffToeslag)
{
    return volledig(
        [&field](Veld v) { return modVerifyAnSich::Invoer(field(QString::fromLatin1(kActVeldNamen[int(v)]))); },
        blnGebruiktGediffToeslag);
}

bool verifyAnSich(const ActValueByNumber &value, bool blnGebruiktGediffToeslag)
{
    return volledig(value, blnGebruiktGediffToeslag);
}

ActColumns::ActColumns(const db::Recordset &rs)
{
    m_kolommen.reserve(kAantalActVelden);
    for (const char *naam : kActVeldNamen) {
        const QLatin1String veld(naam);
        const int kolom = rs.fieldIndex(veld);
        if (kolom < 0)
            rs.Fields(veld); // raises the unknown-field error
        m_kolommen.push_back(kolom);
    }
}

bool verifyAnSich(const db::Recordset &rs, const ActColumns &columns, bool blnGebruiktGediffToeslag)
{
    return volledig(
        [&rs, &columns](Veld v) { return modVerifyAnSich::Invoer(rs.Fields(columns.m_kolommen[size_t(v)]).Value()); },
        blnGebruiktGediffToeslag);
}

std::uint8_t toetsAanNieuweCL(const ActFieldReader &field, checklist::clsCL &insCl_new)
{
    const std::uint8_t optieStart = requiredByte(field, "bytOptieStart");
    const std::uint8_t startBA = requiredByte(field, "bytStartBA");
    const std::uint8_t optieEind = requiredByte(field, "bytOptieEind");
    const std::uint8_t eindBA = requiredByte(field, "bytEindBA");
    const std::uint8_t optieKosten = requiredByte(field, "bytOptieKosten");
    const std::uint8_t optieFreq = requiredByte(field, "bytOptieFreq");

    // Every check runs, also after one has failed.
    const bool start = insCl_new.VerifyCL_JaarStart(optieStart, startBA, nzField(field, "intStartabs"),
                                                    nzField(field, "intStartrel"), nzField(field, "intStartBA"));
    const bool eind = insCl_new.VerifyCL_JaarEind(optieEind, eindBA, nzField(field, "intEindabs"),
                                                  nzField(field, "intEindrel"), nzField(field, "intEindBA"));
    const bool kosten =
        insCl_new.VerifyCL_Kosten(optieKosten, nzField(field, "sngPercInvest"), nzField(field, "sngKostenInvest"),
                                  nzField(field, "sngKostenTotaal"), nzField(field, "sngKostenPE"),
                                  nzField(field, "strEenheid"), nzField(field, "sngAantal"));
    const bool freq = insCl_new.VerifyCL_Freq(optieFreq, nzField(field, "intfreqX"));
    return (start && eind && kosten && freq) ? 1 : 2;
}

std::optional<ScaledAmount> kostenVermenigvuldigdMet(const ActFieldReader &field, float sngFactor)
{
    const auto optie = byteCode(field(QStringLiteral("bytOptieKosten")));
    if (!optie)
        return std::nullopt;
    QString name;
    switch (*optie) {
    case 1:
        name = QStringLiteral("sngKostenInvest");
        break;
    case 2:
        name = QStringLiteral("sngKostenTotaal");
        break;
    case 3:
        name = QStringLiteral("sngKostenPE");
        break;
    default:
        return std::nullopt;
    }
    double amount = 0;
    if (!modVerifyAnSich::detail::toNumber(field(name), &amount))
        return std::nullopt;
    return ScaledAmount{name, static_cast<float>(amount) * sngFactor};
}

} // namespace records

#include "records/act_checks.h"

#include "records/act_completeness.h"

#include "checklist/checklist_view.h"

#include "platform/core/error.h"
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

std::uint8_t flag(const ActFieldReader &field, const char *name)
{
    const QVariant v = field(QString::fromLatin1(name));
    if (!v.isValid() || v.isNull())
        return 0;
    // A flag that is no byte is no known flag; 255 makes its check fail.
    return byteCode(v).value_or(255);
}

// An option code or flag that must be there, converted as a byte: error 94
// when it is missing, 13 for a text that is no number, 6 outside 0..255.
std::uint8_t requiredByte(const ActFieldReader &field, const char *name)
{
    const QString source = QStringLiteral("clsAct.ToetsAanNieuweCL");
    const QVariant v = field(QString::fromLatin1(name));
    if (!v.isValid() || v.isNull())
        throw platform::Error(94, QStringLiteral("Invalid use of Null"), source);
    double n = 0;
    if (!modVerifyAnSich::detail::toNumber(v, &n))
        throw platform::Error(13, QStringLiteral("Type mismatch"), source);
    const auto code = byteCode(v);
    if (!code)
        throw platform::Error(6, QStringLiteral("Overflow"), source);
    return *code;
}

} // namespace

std::optional<std::uint8_t> byteCode(const QVariant &value)
{
    double n = 0;
    if (!modVerifyAnSich::detail::toNumber(value, &n))
        return std::nullopt;
    n = vb::Round(n);
    if (n < 0 || n > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(n);
}

bool verifyAnSich(const ActFieldReader &field, bool blnGebruiktGediffToeslag)
{
    if (byteCode(field(QStringLiteral("bytCombineer"))) == std::uint8_t(1))
        return true;

    using namespace modVerifyAnSich;

    const auto optieStart = byteCode(field(QStringLiteral("bytOptieStart")));
    if (!optieStart
        || !VerifyJaarStart(*optieStart, flag(field, "bytStartBA"), nzField(field, "intStartabs"),
                            nzField(field, "intStartrel"), nzField(field, "intStartBA")))
        return false;

    const auto optieEind = byteCode(field(QStringLiteral("bytOptieEind")));
    const std::uint8_t eindBA = flag(field, "bytEindBA");
    // With the end counted from the top liner the end option is not used.
    if ((!optieEind && eindBA == 0)
        || !VerifyJaarEind(optieEind.value_or(0), eindBA, nzField(field, "intEindabs"),
                           nzField(field, "intEindrel"), nzField(field, "intEindBA")))
        return false;

    const auto optieKosten = byteCode(field(QStringLiteral("bytOptieKosten")));
    if (!optieKosten
        || !VerifyKosten(*optieKosten, nzField(field, "sngPercInvest"), nzField(field, "sngKostenInvest"),
                         nzField(field, "sngKostenTotaal"), nzField(field, "sngKostenPE"),
                         nzField(field, "strEenheid"), nzField(field, "sngAantal")))
        return false;

    const auto optieFreq = byteCode(field(QStringLiteral("bytOptieFreq")));
    if (!optieFreq || !VerifyFreq(*optieFreq, nzField(field, "intfreqX")))
        return false;

    const auto rubriek = byteCode(field(QStringLiteral("bytRubriek_REF")));
    if (!rubriek)
        return false;
    return VerifyVervangingsToeslag(blnGebruiktGediffToeslag, *rubriek,
                                    field(QStringLiteral("bytTypeVervangingsToeslag")),
                                    nzField(field, "sngVervangingsToeslagPerc"));
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
    const bool kosten = insCl_new.VerifyCL_Kosten(optieKosten, nzField(field, "sngPercInvest"),
                                                  nzField(field, "sngKostenInvest"),
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

#include "records/act_completeness.h"

#include "platform/text/conversions.h"
#include "platform/text/number_parse.h"
#include "platform/ui/dialogs.h"

#include <QMetaType>

#include <cfloat>
#include <cmath>

namespace modVerifyAnSich {

namespace detail {

bool isBruikbaarGetal(double number)
{
    return std::isfinite(number) && std::fabs(number) <= double(FLT_MAX);
}

bool isMissing(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return true;
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

namespace {

// The number a value reads as, whatever its size.
bool leesGetal(const QVariant &value, double *number)
{
    if (isMissing(value))
        return false;
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QString text = value.toString();
        if (!vb::IsNumeric(text))
            return false;
        *number = vb::CDbl(text);
        return true;
    }
    case QMetaType::Bool:
        // True is -1 when a boolean becomes a number.
        *number = value.toBool() ? -1.0 : 0.0;
        return true;
    case QMetaType::Float:
        *number = static_cast<double>(value.toFloat());
        return true;
    // The types the data file delivers, taken as they are.
    case QMetaType::Double:
        *number = qvariant_cast<double>(value);
        return true;
    case QMetaType::Int:
        *number = static_cast<double>(qvariant_cast<int>(value));
        return true;
    case QMetaType::LongLong:
        *number = static_cast<double>(qvariant_cast<qlonglong>(value));
        return true;
    default: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            return false;
        *number = d;
        return true;
    }
    }
}

} // namespace

bool toNumber(const QVariant &value, double *number)
{
    double n = 0;
    if (!leesGetal(value, &n) || !isBruikbaarGetal(n))
        return false;
    *number = n;
    return true;
}

} // namespace detail

Invoer::Invoer(const QVariant &value)
{
    null = !value.isValid() || value.isNull();
    ontbreekt = detail::isMissing(value);
    isGetal = detail::toNumber(value, &getal);
}

Invoer Invoer::vanGetal(double getal)
{
    if (detail::isBruikbaarGetal(getal))
        return Invoer(getal);
    Invoer i;
    i.null = false;
    i.ontbreekt = false;
    return i;
}

Invoer Invoer::vanTekst(const QString &tekst)
{
    Invoer i;
    i.null = false;
    i.ontbreekt = tekst.isEmpty();
    if (!i.ontbreekt && vb::IsNumeric(tekst)) {
        const double getal = vb::CDbl(tekst);
        i.isGetal = detail::isBruikbaarGetal(getal);
        i.getal = i.isGetal ? getal : 0;
    }
    return i;
}

namespace {

bool inRange(const Invoer &value, double low, double high)
{
    return value.isGetal && value.getal >= low && value.getal <= high;
}

} // namespace

bool VerifyJaarStart(std::uint8_t bytOptieStart, std::uint8_t bytStartBA, const Invoer &intStartabs,
                     const Invoer &intStartrel, const Invoer &intStartBA)
{
    switch (bytOptieStart) {
    case 1:
        if (!inRange(intStartabs, 1970, 2300))
            return false;
        break;
    case 2:
        if (!inRange(intStartrel, 1, 1000))
            return false;
        break;
    default:
        return false;
    }
    switch (bytStartBA) {
    case 0:
        return true;
    case 1:
        return inRange(intStartBA, 1, 1000);
    default:
        return false;
    }
}

bool VerifyJaarEind(std::uint8_t bytOptieEind, std::uint8_t bytEindBA, const Invoer &intEindabs,
                    const Invoer &intEindrel, const Invoer &intEindBA)
{
    if (bytEindBA == 1)
        return intEindBA.isGetal;
    if (bytEindBA != 0)
        return false;
    switch (bytOptieEind) {
    case 1:
        return inRange(intEindabs, 1970, 2300);
    case 2:
        return inRange(intEindrel, 1, 1000);
    case 3:
        return true;
    default:
        return false;
    }
}

bool VerifyKosten(std::uint8_t bytOptieKosten, const Invoer &sngPercInvest, const Invoer &sngKostenInvest,
                  const Invoer &sngKostenTotaal, const Invoer &sngKostenPE, const Invoer &strEenheid,
                  const Invoer &sngAantal)
{
    switch (bytOptieKosten) {
    case 1:
        if (!sngPercInvest.isGetal || !sngKostenInvest.isGetal)
            return false;
        return sngPercInvest.getal > 0 && sngPercInvest.getal <= 100 && sngKostenInvest.getal != 0;
    case 2:
        return sngKostenTotaal.isGetal;
    case 3:
        if (!sngKostenPE.isGetal || sngKostenPE.getal == 0)
            return false;
        if (strEenheid.ontbreekt)
            return false;
        return sngAantal.isGetal && sngAantal.getal > 0;
    default:
        return false;
    }
}

bool VerifyFreq(std::uint8_t bytOptieFreq, const Invoer &intfreqX)
{
    switch (bytOptieFreq) {
    case 1:
        return true;
    case 2:
    case 3:
        return inRange(intfreqX, 1, 1000);
    default:
        return false;
    }
}

bool VerifyVervangingsToeslag(bool blnGebruiktGediffToeslag, std::uint8_t bytRubriek_REF,
                              const Invoer &bytTypeVervangingsToeslag, const Invoer &sngVervangingsToeslagPerc)
{
    if (!blnGebruiktGediffToeslag || bytRubriek_REF != 5)
        return true;
    // Under the differentiated scheme a replacement item must say which
    // surcharge applies; no type chosen is as incomplete as type 0 (none).
    if (!bytTypeVervangingsToeslag.isGetal)
        return false;
    // The type is a byte code; a fractional value rounds as a byte would.
    const double type = vb::Round(bytTypeVervangingsToeslag.getal);
    if (type == 0 || type == 7)
        return false;
    if (type == 1)
        return true;
    if (type == 2 || type == 3)
        return sngVervangingsToeslagPerc.isGetal && sngVervangingsToeslagPerc.getal > 0
               && sngVervangingsToeslagPerc.getal <= 100;
    ui::MsgBox(QStringLiteral("Onbekende conditie vervangingstoeslag"), ui::Buttons::OK, ui::Icon::Critical,
               QStringLiteral("Controle invoer vervangingstoeslag"));
    return false;
}

bool VerifyJaarStart(std::uint8_t bytOptieStart, std::uint8_t bytStartBA, const QVariant &intStartabs,
                     const QVariant &intStartrel, const QVariant &intStartBA)
{
    return VerifyJaarStart(bytOptieStart, bytStartBA, Invoer(intStartabs), Invoer(intStartrel), Invoer(intStartBA));
}

bool VerifyJaarEind(std::uint8_t bytOptieEind, std::uint8_t bytEindBA, const QVariant &intEindabs,
                    const QVariant &intEindrel, const QVariant &intEindBA)
{
    return VerifyJaarEind(bytOptieEind, bytEindBA, Invoer(intEindabs), Invoer(intEindrel), Invoer(intEindBA));
}

bool VerifyKosten(std::uint8_t bytOptieKosten, const QVariant &sngPercInvest, const QVariant &sngKostenInvest,
                  const QVariant &sngKostenTotaal, const QVariant &sngKostenPE, const QVariant &strEenheid,
                  const QVariant &sngAantal)
{
    return VerifyKosten(bytOptieKosten, Invoer(sngPercInvest), Invoer(sngKostenInvest), Invoer(sngKostenTotaal),
                        Invoer(sngKostenPE), Invoer(strEenheid), Invoer(sngAantal));
}

bool VerifyFreq(std::uint8_t bytOptieFreq, const QVariant &intfreqX)
{
    return VerifyFreq(bytOptieFreq, Invoer(intfreqX));
}

bool VerifyVervangingsToeslag(bool blnGebruiktGediffToeslag, std::uint8_t bytRubriek_REF,
                              const QVariant &bytTypeVervangingsToeslag, const QVariant &sngVervangingsToeslagPerc)
{
    return VerifyVervangingsToeslag(blnGebruiktGediffToeslag, bytRubriek_REF, Invoer(bytTypeVervangingsToeslag),
                                    Invoer(sngVervangingsToeslagPerc));
}

} // namespace modVerifyAnSich

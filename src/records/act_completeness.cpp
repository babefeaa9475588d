#include "records/act_completeness.h"

#include "platform/text/conversions.h"
#include "platform/text/number_parse.h"
#include "platform/ui/dialogs.h"

#include <QMetaType>

namespace modVerifyAnSich {

namespace detail {

bool isMissing(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return true;
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

bool toNumber(const QVariant &value, double *number)
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

} // namespace detail

namespace {

bool inRange(const QVariant &value, double low, double high)
{
    double n = 0;
    return detail::toNumber(value, &n) && n >= low && n <= high;
}

bool isPresentNumber(const QVariant &value)
{
    double n = 0;
    return detail::toNumber(value, &n);
}

} // namespace

bool VerifyJaarStart(std::uint8_t bytOptieStart, std::uint8_t bytStartBA,
                     const QVariant &intStartabs, const QVariant &intStartrel,
                     const QVariant &intStartBA)
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

bool VerifyJaarEind(std::uint8_t bytOptieEind, std::uint8_t bytEindBA,
                    const QVariant &intEindabs, const QVariant &intEindrel,
                    const QVariant &intEindBA)
{
    if (bytEindBA == 1)
        return isPresentNumber(intEindBA);
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

bool VerifyKosten(std::uint8_t bytOptieKosten, const QVariant &sngPercInvest,
                  const QVariant &sngKostenInvest, const QVariant &sngKostenTotaal,
                  const QVariant &sngKostenPE, const QVariant &strEenheid,
                  const QVariant &sngAantal)
{
    switch (bytOptieKosten) {
    case 1: {
        double perc = 0, invest = 0;
        if (!detail::toNumber(sngPercInvest, &perc) || !detail::toNumber(sngKostenInvest, &invest))
            return false;
        return perc > 0 && perc <= 100 && invest != 0;
    }
    case 2:
        return isPresentNumber(sngKostenTotaal);
    case 3: {
        double pe = 0, aantal = 0;
        if (!detail::toNumber(sngKostenPE, &pe) || pe == 0)
            return false;
        if (detail::isMissing(strEenheid))
            return false;
        return detail::toNumber(sngAantal, &aantal) && aantal > 0;
    }
    default:
        return false;
    }
}

bool VerifyFreq(std::uint8_t bytOptieFreq, const QVariant &intfreqX)
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
                              const QVariant &bytTypeVervangingsToeslag,
                              const QVariant &sngVervangingsToeslagPerc)
{
    if (!blnGebruiktGediffToeslag || bytRubriek_REF != 5)
        return true;
    // Under the differentiated scheme a replacement item must say which
    // surcharge applies; no type chosen is as incomplete as type 0 (none).
    double type = 0;
    if (!detail::toNumber(bytTypeVervangingsToeslag, &type))
        return false;
    // The type is a byte code; a fractional value rounds as a byte would.
    type = vb::Round(type);
    if (type == 0 || type == 7)
        return false;
    if (type == 1)
        return true;
    if (type == 2 || type == 3) {
        double perc = 0;
        return detail::toNumber(sngVervangingsToeslagPerc, &perc) && perc > 0 && perc <= 100;
    }
    ui::MsgBox(QStringLiteral("Onbekende conditie vervangingstoeslag"), ui::Buttons::OK,
               ui::Icon::Critical, QStringLiteral("Controle invoer vervangingstoeslag"));
    return false;
}

} // namespace modVerifyAnSich

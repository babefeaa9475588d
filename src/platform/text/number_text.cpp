#include "number_text.h"

#include "decimal_digits.h"

namespace vb {

namespace {

constexpr int singleDigits = 7;
constexpr int doubleDigits = 15;

QString withLeadingBlank(const QString &text)
{
    return text.startsWith(QLatin1Char('-')) ? text : QLatin1Char(' ') + text;
}

} // namespace

QString CStr(float value)
{
    return detail::generalText(static_cast<double>(value), singleDigits, QLatin1Char(','));
}

QString CStr(double value)
{
    return detail::generalText(value, doubleDigits, QLatin1Char(','));
}

QString CStr(std::int64_t value)
{
    return QString::number(value);
}

QString CStr(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString Str(float value)
{
    return withLeadingBlank(detail::generalText(static_cast<double>(value), singleDigits, QLatin1Char('.')));
}

QString Str(double value)
{
    return withLeadingBlank(detail::generalText(value, doubleDigits, QLatin1Char('.')));
}

QString Str(std::int64_t value)
{
    return withLeadingBlank(QString::number(value));
}

} // namespace vb

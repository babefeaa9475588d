#include "decimal_digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vb::detail {

namespace {

void trimTrailingZeros(Decimal &d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exp10 = 0;
}

// Keeps the first `keep` digits and rounds on the digit after them.
void roundAt(Decimal &d, long keep)
{
    if (keep >= static_cast<long>(d.digits.size()))
        return;
    if (keep < 0) {
        d = Decimal{};
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        long i = keep - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
            d.digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[static_cast<size_t>(i)];
        } else {
            // All nines (or nothing kept): the carry makes a new leading 1.
            d.digits.insert(d.digits.begin(), '1');
            ++d.exp10;
        }
    }
    trimTrailingZeros(d);
}

} // namespace

Decimal exactDecimal(double v)
{
    v = std::fabs(v);
    Decimal d;
    if (v == 0.0)
        return d;
    // A double m x 2^e (53-bit m) needs at most -e decimals to be exact.
    int binaryExponent = 0;
    std::frexp(v, &binaryExponent);
    const int precision = std::clamp(53 - binaryExponent, 0, 1074);
    char buffer[1500];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, precision);
    const std::string text(buffer, result.ptr);

    const size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    const size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string::npos) {
        d.digits = whole.substr(firstWhole) + fraction;
        d.exp10 = static_cast<int>(whole.size() - firstWhole);
    } else {
        const size_t firstFraction = fraction.find_first_not_of('0');
        d.digits = fraction.substr(firstFraction);
        d.exp10 = -static_cast<int>(firstFraction);
    }
    trimTrailingZeros(d);
    return d;
}

Decimal exactDecimal(std::int64_t v)
{
    // The magnitude of the most negative value does not fit; go unsigned.
    const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    Decimal d;
    if (magnitude == 0)
        return d;
    d.digits = std::to_string(magnitude);
    d.exp10 = static_cast<int>(d.digits.size());
    trimTrailingZeros(d);
    return d;
}

void roundToPlaces(Decimal &d, int places)
{
    if (!d.isZero())
        roundAt(d, static_cast<long>(d.exp10) + places);
}

void roundToSignificant(Decimal &d, int significant)
{
    if (!d.isZero())
        roundAt(d, significant);
}

std::string integerDigits(const Decimal &d)
{
    if (d.exp10 <= 0)
        return std::string();
    std::string out = d.digits.substr(0, static_cast<size_t>(d.exp10));
    out.resize(static_cast<size_t>(d.exp10), '0');
    return out;
}

std::string fractionDigits(const Decimal &d, int places)
{
    std::string out;
    if (d.exp10 < 0)
        out.assign(static_cast<size_t>(-d.exp10), '0');
    if (static_cast<long>(d.digits.size()) > std::max(d.exp10, 0))
        out += d.digits.substr(static_cast<size_t>(std::max(d.exp10, 0)));
    out.resize(static_cast<size_t>(std::max(places, 0)), '0');
    return out;
}

QString generalText(double v, int significant, QChar decimalSeparator)
{
    if (!std::isfinite(v))
        return nonFiniteText(v, decimalSeparator);
    Decimal d = exactDecimal(v);
    roundToSignificant(d, significant);
    if (d.isZero())
        return QStringLiteral("0");

    QString out;
    if (v < 0)
        out += QLatin1Char('-');
    const int exponent = d.exp10 - 1;
    const QString digits = QString::fromLatin1(d.digits.data(), static_cast<qsizetype>(d.digits.size()));
    if (exponent < -4 || exponent >= significant) {
        out += digits.left(1);
        if (digits.size() > 1)
            out += decimalSeparator + digits.mid(1);
        out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        out += QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    } else if (d.exp10 > 0) {
        out += QString::fromLatin1(integerDigits(d).c_str());
        if (digits.size() > d.exp10)
            out += decimalSeparator + digits.mid(d.exp10);
    } else {
        out += QLatin1Char('0') + QString(decimalSeparator) + QString(-d.exp10, QLatin1Char('0')) + digits;
    }
    return out;
}

QString nonFiniteText(double v, QChar decimalSeparator)
{
    if (std::isnan(v))
        return QStringLiteral("-1") + decimalSeparator + QStringLiteral("#IND");
    return (v < 0 ? QStringLiteral("-1") : QStringLiteral("1")) + decimalSeparator + QStringLiteral("#INF");
}

} // namespace vb::detail

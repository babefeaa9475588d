#include "number_parse.h"

#include "errors.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace vb {

namespace {

constexpr char16_t euroSign = u'\u20AC';

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A number in the form std::from_chars reads ("-1234.5e3"), with a rough
// decimal magnitude to tell an overflow from an underflow.
struct AsciiNumber {
    std::string text;
    long long magnitude = 0;
};

// The exponent, held at a bound far beyond the length of any text, so that
// a long run of digits weighs against it in full.
long long exponentValue(const std::string &digits)
{
    constexpr long long bound = 1'000'000'000'000'000LL;
    long long value = 0;
    for (char c : digits) {
        if (c == '-' || c == '+')
            continue;
        value = std::min(value * 10 + (c - '0'), bound);
    }
    return !digits.empty() && digits.front() == '-' ? -value : value;
}

AsciiNumber assemble(bool negative, const std::string &whole, const std::string &fraction, const std::string &exponent)
{
    AsciiNumber n;
    if (negative)
        n.text.push_back('-');
    n.text += whole.empty() ? std::string("0") : whole;
    if (!fraction.empty())
        n.text += "." + fraction;
    if (!exponent.empty())
        n.text += "e" + exponent;

    const size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string::npos)
        n.magnitude = static_cast<long long>(whole.size() - firstWhole);
    else
        n.magnitude = -static_cast<long long>(std::min(fraction.find_first_not_of('0'), fraction.size()));
    n.magnitude += exponentValue(exponent);
    return n;
}

template <typename T> T convert(const AsciiNumber &n)
{
    T value{};
    const auto result = std::from_chars(n.text.data(), n.text.data() + n.text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (n.magnitude > 0)
            throw detail::overflowError();
        return n.text.front() == '-' ? -T(0) : T(0);
    }
    return value;
}

// Reads a text typed under the Dutch settings; see the header for the forms.
std::optional<AsciiNumber> readDutch(const QString &text)
{
    QString t = text.trimmed();
    bool negative = false;
    bool signSeen = false;
    bool euroSeen = false;
    if (t.size() >= 2 && t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = signSeen = true;
        t = t.mid(1, t.size() - 2).trimmed();
    }
    qsizetype i = 0;
    auto skipBlanks = [&]() {
        while (i < t.size() && t.at(i).isSpace())
            ++i;
    };
    auto signOrEuro = [&]() {
        for (int k = 0; k < 2; ++k) {
            skipBlanks();
            if (i >= t.size())
                return;
            const QChar c = t.at(i);
            if (!signSeen && (c == QLatin1Char('+') || c == QLatin1Char('-'))) {
                signSeen = true;
                negative = c == QLatin1Char('-');
                ++i;
            } else if (!euroSeen && c == QChar(euroSign)) {
                euroSeen = true;
                ++i;
            }
        }
    };
    auto digitsInto = [&](std::string &out) {
        while (i < t.size() && isAsciiDigit(t.at(i)))
            out += static_cast<char>(t.at(i++).unicode());
    };

    signOrEuro();
    skipBlanks();
    std::string whole;
    digitsInto(whole);
    if (i < t.size() && t.at(i) == QLatin1Char('.')) {
        if (whole.empty() || whole.size() > 3)
            return std::nullopt;
        while (i < t.size() && t.at(i) == QLatin1Char('.')) {
            ++i;
            std::string group;
            digitsInto(group);
            if (group.size() != 3)
                return std::nullopt;
            whole += group;
        }
    }
    std::string fraction;
    if (i < t.size() && t.at(i) == QLatin1Char(',')) {
        ++i;
        digitsInto(fraction);
    }
    if (whole.empty() && fraction.empty())
        return std::nullopt;

    std::string exponent;
    if (i < t.size() && QStringLiteral("eEdD").contains(t.at(i))) {
        ++i;
        if (i < t.size() && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')))
            exponent += static_cast<char>(t.at(i++).unicode());
        const size_t signLength = exponent.size();
        digitsInto(exponent);
        if (exponent.size() == signLength)
            return std::nullopt;
    }

    signOrEuro();
    skipBlanks();
    if (i != t.size())
        return std::nullopt;
    return assemble(negative, whole, fraction, exponent);
}

AsciiNumber readDutchOrThrow(const QString &text)
{
    const std::optional<AsciiNumber> n = readDutch(text);
    if (!n)
        throw detail::typeMismatchError();
    return *n;
}

int digitValue(QChar c, int base)
{
    const char16_t u = c.toUpper().unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

} // namespace

double Val(const QString &text)
{
    qsizetype i = 0;
    auto next = [&]() -> QChar {
        while (i < text.size() && QStringLiteral(" \t\n\r").contains(text.at(i)))
            ++i;
        return i < text.size() ? text.at(i) : QChar();
    };

    if (next() == QLatin1Char('&')) {
        ++i;
        const QChar kind = next().toUpper();
        const int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
        if (base == 0)
            return 0.0;
        ++i;
        quint64 value = 0;
        for (int digit = digitValue(next(), base); digit >= 0; digit = digitValue(next(), base)) {
            value = value * static_cast<quint64>(base) + static_cast<quint64>(digit);
            if (value > 0xFFFFFFFFULL)
                throw detail::overflowError();
            ++i;
        }
        if (value <= 0xFFFF)
            return static_cast<qint16>(static_cast<quint16>(value));
        return static_cast<qint32>(static_cast<quint32>(value));
    }

    bool negative = false;
    if (next() == QLatin1Char('+') || next() == QLatin1Char('-')) {
        negative = next() == QLatin1Char('-');
        ++i;
    }
    auto digitsInto = [&](std::string &out) {
        while (isAsciiDigit(next()))
            out += static_cast<char>(text.at(i++).unicode());
    };
    std::string whole;
    std::string fraction;
    digitsInto(whole);
    if (next() == QLatin1Char('.')) {
        ++i;
        digitsInto(fraction);
    }
    if (whole.empty() && fraction.empty())
        return 0.0;

    std::string exponent;
    if (QStringLiteral("eEdD").contains(next()) && !next().isNull()) {
        const qsizetype mark = i++;
        if (next() == QLatin1Char('+') || next() == QLatin1Char('-'))
            exponent += static_cast<char>(text.at(i++).unicode());
        const size_t signLength = exponent.size();
        digitsInto(exponent);
        if (exponent.size() == signLength) {
            exponent.clear();
            i = mark;
        }
    }
    return convert<double>(assemble(negative, whole, fraction, exponent));
}

double CDbl(const QString &text)
{
    return convert<double>(readDutchOrThrow(text));
}

float CSng(const QString &text)
{
    return convert<float>(readDutchOrThrow(text));
}

bool IsNumeric(const QString &text)
{
    const std::optional<AsciiNumber> n = readDutch(text);
    if (!n)
        return false;
    try {
        convert<double>(*n);
        return true;
    } catch (const platform::Error &) {
        return false;
    }
}

std::optional<double> TypedNumber(const QString &text, NumberKind kind)
{
    const std::optional<AsciiNumber> n = readDutch(text);
    if (!n)
        return std::nullopt;
    double value = 0;
    try {
        value = convert<double>(*n);
    } catch (const platform::Error &) {
        return std::nullopt;
    }
    if (kind == NumberKind::Whole && value != std::trunc(value))
        return std::nullopt;
    return value;
}

} // namespace vb

#include "number_format.h"

#include "decimal_digits.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

namespace vb {

namespace {

enum class Kind { Zero, Hash, Point, Literal };

struct Token {
    Kind kind;
    QString text;
};

// One section of a picture, parsed.
struct Section {
    QList<Token> tokens;
    int integerPlaces = 0;
    int fractionPlaces = 0;
    bool grouping = false;
    int thousandsScale = 0; // times the value is divided by 1000
    int percent = 0;        // times the value is multiplied by 100

    bool isEmpty() const { return tokens.isEmpty(); }
};

// Splits at ";" outside quoted texts and escapes.
QStringList splitSections(const QString &picture)
{
    QStringList sections;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture.at(i);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && c == QLatin1Char('\\') && i + 1 < picture.size()) {
            current += c;
            current += picture.at(++i);
            continue;
        } else if (!quoted && c == QLatin1Char(';')) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

Section parseSection(const QString &text)
{
    Section s;
    bool afterPoint = false;
    int pendingCommas = 0;
    auto literal = [&s](const QString &t) { s.tokens.append({Kind::Literal, t}); };
    auto commasScale = [&]() {
        if (pendingCommas > 0 && s.integerPlaces > 0)
            s.thousandsScale += pendingCommas;
        pendingCommas = 0;
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? text.size() : close;
            literal(text.mid(i + 1, end - i - 1));
            i = end;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < text.size())
                literal(text.mid(++i, 1));
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            const Kind kind = c == QLatin1Char('0') ? Kind::Zero : Kind::Hash;
            if (afterPoint) {
                ++s.fractionPlaces;
            } else {
                if (pendingCommas > 0 && s.integerPlaces > 0)
                    s.grouping = true;
                pendingCommas = 0;
                ++s.integerPlaces;
            }
            s.tokens.append({kind, QString()});
        } else if (c == QLatin1Char('.') && !afterPoint) {
            commasScale();
            afterPoint = true;
            s.tokens.append({Kind::Point, QString()});
        } else if (c == QLatin1Char(',')) {
            if (!afterPoint)
                ++pendingCommas;
        } else if (c == QLatin1Char('%')) {
            ++s.percent;
            literal(QStringLiteral("%"));
        } else {
            literal(QString(c));
        }
    }
    commasScale();
    return s;
}

// Writes a rounded magnitude under a section.
QString render(const Section &s, const detail::Decimal &d)
{
    const std::string whole = detail::integerDigits(d);
    const std::string fraction = detail::fractionDigits(d, s.fractionPlaces);
    const int m = static_cast<int>(whole.size());

    // Trailing optional decimals that come out zero are left out.
    QList<Kind> fractionKinds;
    bool seenPoint = false;
    for (const Token &t : s.tokens) {
        if (t.kind == Kind::Point)
            seenPoint = true;
        else if (seenPoint && t.kind != Kind::Literal)
            fractionKinds << t.kind;
    }
    int keep = s.fractionPlaces;
    while (keep > 0 && fractionKinds[keep - 1] == Kind::Hash && fraction[static_cast<size_t>(keep - 1)] == '0')
        --keep;

    QString out;
    int integerIndex = 0;
    int fractionIndex = 0;
    seenPoint = false;
    for (const Token &t : s.tokens) {
        switch (t.kind) {
        case Kind::Literal:
            out += t.text;
            break;
        case Kind::Point:
            if (s.integerPlaces == 0)
                out += QString::fromLatin1(whole.c_str());
            out += QLatin1Char(',');
            seenPoint = true;
            break;
        case Kind::Zero:
        case Kind::Hash:
            if (seenPoint) {
                if (fractionIndex < keep)
                    out += QLatin1Char(fraction[static_cast<size_t>(fractionIndex)]);
                ++fractionIndex;
                break;
            }
            {
                // The leftmost place takes every digit that has no place of
                // its own; each place stands for one power of ten.
                const int power = s.integerPlaces - 1 - integerIndex;
                const int top = integerIndex == 0 ? std::max(m - 1, power) : power;
                for (int p = top; p >= power; --p) {
                    if (p < m)
                        out += QLatin1Char(whole[static_cast<size_t>(m - 1 - p)]);
                    else if (t.kind == Kind::Zero)
                        out += QLatin1Char('0');
                    else
                        continue;
                    if (s.grouping && p > 0 && p % 3 == 0)
                        out += QLatin1Char('.');
                }
                ++integerIndex;
            }
            break;
        }
    }
    return out;
}

std::optional<QString> namedPicture(const QString &picture)
{
    const QString name = picture.toLower();
    if (name == QLatin1String("fixed"))
        return QStringLiteral("0.00");
    if (name == QLatin1String("standard"))
        return QStringLiteral("#,##0.00");
    if (name == QLatin1String("percent"))
        return QStringLiteral("0.00%");
    return std::nullopt;
}

bool isGeneralNumber(const QString &picture)
{
    return picture.isEmpty() || picture.compare(QLatin1String("General Number"), Qt::CaseInsensitive) == 0;
}

// The sections of a picture, parsed once: a report formats many numbers
// under a few pictures. The memory of a thread holds a bounded number.
QList<Section> sectionsOf(const QString &picture)
{
    thread_local QHash<QString, QList<Section>> parsed;
    const auto known = parsed.constFind(picture);
    if (known != parsed.constEnd())
        return *known;
    QList<Section> sections;
    for (const QString &text : splitSections(namedPicture(picture).value_or(picture)))
        sections << parseSection(text);
    if (parsed.size() >= 256)
        parsed.clear();
    parsed.insert(picture, sections);
    return sections;
}

// `exact` carries a whole number whose digits must not pass through a double.
QString formatNumber(double value, const std::optional<std::int64_t> &exact, const QString &picture)
{
    if (!std::isfinite(value))
        return detail::nonFiniteText(value, QLatin1Char(','));
    const QList<Section> sections = sectionsOf(picture);

    const Section *section = &sections[0];
    bool minus = false;
    if (sections.size() == 1) {
        minus = value < 0;
    } else if (value < 0) {
        if (sections[1].isEmpty())
            minus = true;
        else
            section = &sections[1];
    } else if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty()) {
        section = &sections[2];
    }

    detail::Decimal d;
    if (exact && section->percent == 0 && section->thousandsScale == 0) {
        d = detail::exactDecimal(*exact);
    } else {
        double x = std::fabs(value);
        for (int i = 0; i < section->percent; ++i)
            x *= 100.0;
        for (int i = 0; i < section->thousandsScale; ++i)
            x /= 1000.0;
        if (!std::isfinite(x))
            return detail::nonFiniteText(value < 0 ? -x : x, QLatin1Char(','));
        d = detail::exactDecimal(x);
    }
    detail::roundToPlaces(d, section->fractionPlaces);

    const QString text = render(*section, d);
    return minus && !d.isZero() ? QLatin1Char('-') + text : text;
}

} // namespace

QString Format(double value, const QString &picture)
{
    if (isGeneralNumber(picture))
        return CStr(value);
    return formatNumber(value, std::nullopt, picture);
}

QString Format(float value, const QString &picture)
{
    if (isGeneralNumber(picture))
        return CStr(value);
    return formatNumber(static_cast<double>(value), std::nullopt, picture);
}

QString Format(std::int64_t value, const QString &picture)
{
    if (isGeneralNumber(picture))
        return CStr(value);
    return formatNumber(static_cast<double>(value), value, picture);
}

QString Format(bool value, const QString &picture)
{
    if (picture.isEmpty())
        return CStr(value);
    return Format(static_cast<std::int64_t>(BoolToNumber(value)), picture);
}

} // namespace vb

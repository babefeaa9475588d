#include "criteria.h"

#include "jet_collation.h"
#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

#include <QRegularExpression>
#include <cmath>

namespace db {

using platform::Error;

namespace {

[[noreturn]] void notUnderstood(const QString &text, const QString &why)
{
    throw Error(err::kInvalidArgument, QStringLiteral("Het criterium \"%1\" wordt niet begrepen: %2.").arg(text, why));
}

bool isNumericKind(JetKind k)
{
    switch (k) {
    case JetKind::AutoNumber:
    case JetKind::Long:
    case JetKind::Integer:
    case JetKind::Byte:
    case JetKind::Single:
    case JetKind::Double:
    case JetKind::Currency:
    case JetKind::YesNo:
        return true;
    default:
        return false;
    }
}

bool isTextKind(JetKind k)
{
    return k == JetKind::Text || k == JetKind::Memo;
}

// Number of a stored value: numbers, bool (-1/0); text only for columns of
// unknown type, in the invariant form.
bool numberOf(const QVariant &v, double &out)
{
    switch (v.typeId()) {
    case QMetaType::Int:
        out = *static_cast<const int *>(v.constData());
        return true;
    case QMetaType::Double:
        out = *static_cast<const double *>(v.constData());
        return true;
    case QMetaType::Float:
        out = *static_cast<const float *>(v.constData());
        return true;
    case QMetaType::Bool:
        out = *static_cast<const bool *>(v.constData()) ? -1.0 : 0.0;
        return true;
    case QMetaType::LongLong:
        out = double(v.toLongLong());
        return true;
    case QMetaType::QString: {
        bool ok = false;
        out = v.toString().trimmed().toDouble(&ok);
        return ok;
    }
    default: {
        bool ok = false;
        out = v.toDouble(&ok);
        return ok && v.typeId() != QMetaType::QDateTime && v.typeId() != QMetaType::QByteArray;
    }
    }
}

QDateTime dateLiteral(const QString &s)
{
    const QDateTime iso = parseDateTimeText(s);
    if (iso.isValid())
        return iso;
    // The US form ADO uses between # signs: m/d/yyyy [h:mm[:ss]]
    static const QRegularExpression us(
        QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    const auto m = us.match(s.trimmed());
    if (!m.hasMatch())
        return QDateTime();
    const QDate d(m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!d.isValid() || !t.isValid())
        return QDateTime();
    return QDateTime(d, t);
}

class Lexer {
public:
    explicit Lexer(const QString &text) : s(text) {}

    void skipSpaces()
    {
        while (i < s.size() && s.at(i).isSpace())
            ++i;
    }
    bool atEnd()
    {
        skipSpaces();
        return i >= s.size();
    }

    QString fieldName()
    {
        skipSpaces();
        if (i < s.size() && s.at(i) == QLatin1Char('[')) {
            const int close = s.indexOf(QLatin1Char(']'), i);
            if (close < 0)
                notUnderstood(s, QStringLiteral("']' ontbreekt"));
            const QString name = s.mid(i + 1, close - i - 1);
            i = close + 1;
            return name;
        }
        const int start = i;
        while (i < s.size() && !s.at(i).isSpace() && !QStringLiteral("<>=!'#,()").contains(s.at(i)))
            ++i;
        return s.mid(start, i - start);
    }

    // A keyword (AND, ASC, ...) not followed by a letter, digit or "_".
    bool keyword(QLatin1String word)
    {
        skipSpaces();
        if (s.mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const int after = i + int(word.size());
        if (after < s.size() && (s.at(after).isLetterOrNumber() || s.at(after) == QLatin1Char('_')))
            return false;
        i = after;
        return true;
    }

    bool op(CompareOp &out)
    {
        skipSpaces();
        static const std::pair<const char *, CompareOp> ops[] = {{"<=", CompareOp::Le}, {">=", CompareOp::Ge},
                                                                 {"<>", CompareOp::Ne}, {"=", CompareOp::Eq},
                                                                 {"<", CompareOp::Lt},  {">", CompareOp::Gt}};
        for (const auto &[text, value] : ops) {
            const QLatin1String t(text);
            if (s.mid(i, t.size()) == t) {
                i += int(t.size());
                out = value;
                return true;
            }
        }
        return false;
    }

    void literal(Criterion &c)
    {
        skipSpaces();
        if (i >= s.size())
            notUnderstood(s, QStringLiteral("de waarde ontbreekt"));
        const QChar first = s.at(i);
        if (first == QLatin1Char('\'')) {
            QString text;
            ++i;
            for (;;) {
                if (i >= s.size())
                    notUnderstood(s, QStringLiteral("het afsluitende aanhalingsteken ontbreekt"));
                if (s.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < s.size() && s.at(i + 1) == QLatin1Char('\'')) {
                        text += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += s.at(i++);
            }
            c.literal = Criterion::Literal::Text;
            c.text = text;
            return;
        }
        if (first == QLatin1Char('#')) {
            const int close = s.indexOf(QLatin1Char('#'), i + 1);
            if (close < 0)
                notUnderstood(s, QStringLiteral("het afsluitende '#' ontbreekt"));
            c.date = dateLiteral(s.mid(i + 1, close - i - 1));
            if (!c.date.isValid())
                notUnderstood(s, QStringLiteral("geen geldige datum tussen '#'"));
            c.literal = Criterion::Literal::Date;
            i = close + 1;
            return;
        }
        static const QRegularExpression number(QStringLiteral("[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?"));
        const auto m =
            number.match(s, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (m.hasMatch()) {
            c.literal = Criterion::Literal::Number;
            c.number = m.captured(0).toDouble();
            i += int(m.capturedLength(0));
            return;
        }
        if (keyword(QLatin1String("True"))) {
            c.literal = Criterion::Literal::Number;
            c.number = -1; // Jet's True
            return;
        }
        if (keyword(QLatin1String("False"))) {
            c.literal = Criterion::Literal::Number;
            c.number = 0;
            return;
        }
        if (keyword(QLatin1String("Null"))) {
            c.literal = Criterion::Literal::Null;
            return;
        }
        notUnderstood(s, QStringLiteral("onbekende waarde"));
    }

    const QString &s;
    int i = 0;
};

// Makes the literal fit the field's kind, or refuses the criterion.
void fitLiteral(Criterion &c, JetKind kind, const QString &text)
{
    using L = Criterion::Literal;
    if (c.literal == L::Null) {
        if (c.op != CompareOp::Eq && c.op != CompareOp::Ne)
            notUnderstood(text, QStringLiteral("Null kan alleen met = of <> worden vergeleken"));
        return;
    }
    if (kind == JetKind::Unknown)
        return;
    const auto misfit = [&] {
        notUnderstood(text,
                      QStringLiteral("de waarde past niet bij het veld '%1' (%2)").arg(c.fieldName, kindName(kind)));
    };
    if (isTextKind(kind)) {
        if (c.literal != L::Text)
            misfit();
    } else if (isNumericKind(kind)) {
        if (c.literal == L::Text) {
            bool ok = false;
            c.number = c.text.trimmed().toDouble(&ok);
            if (!ok)
                misfit();
            c.literal = L::Number;
        } else if (c.literal != L::Number) {
            misfit();
        }
    } else if (kind == JetKind::Date) {
        if (c.literal == L::Text) {
            c.date = dateLiteral(c.text);
            if (!c.date.isValid())
                misfit();
            c.literal = L::Date;
        } else if (c.literal != L::Date) {
            misfit();
        }
    }
}

bool apply(CompareOp op, int cmp)
{
    switch (op) {
    case CompareOp::Eq:
        return cmp == 0;
    case CompareOp::Ne:
        return cmp != 0;
    case CompareOp::Lt:
        return cmp < 0;
    case CompareOp::Gt:
        return cmp > 0;
    case CompareOp::Le:
        return cmp <= 0;
    case CompareOp::Ge:
        return cmp >= 0;
    }
    return false;
}

QString numberKey(double d)
{
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9.0e15)
        return QLatin1Char('n') + QString::number(qint64(d));
    return QLatin1Char('n') + QString::number(d, 'g', 17);
}

} // namespace

std::vector<Criterion> parseCriteria(const QString &text, const FieldResolver &resolve, bool allowAnd)
{
    std::vector<Criterion> out;
    Lexer lex(text);
    if (lex.atEnd())
        notUnderstood(text, QStringLiteral("het criterium is leeg"));
    for (;;) {
        Criterion c;
        c.fieldName = lex.fieldName();
        if (c.fieldName.isEmpty())
            notUnderstood(text, QStringLiteral("de veldnaam ontbreekt"));
        const auto [index, kind] = resolve(c.fieldName);
        c.field = index;
        if (!lex.op(c.op)) {
            if (lex.keyword(QLatin1String("LIKE")))
                notUnderstood(text, QStringLiteral("LIKE wordt niet ondersteund"));
            notUnderstood(text, QStringLiteral("na '%1' wordt =, <>, <, >, <= of >= verwacht").arg(c.fieldName));
        }
        lex.literal(c);
        fitLiteral(c, kind, text);
        out.push_back(c);
        if (lex.atEnd())
            return out;
        if (!allowAnd)
            notUnderstood(text, QStringLiteral("Find aanvaardt één voorwaarde"));
        if (lex.keyword(QLatin1String("OR")))
            notUnderstood(text, QStringLiteral("OR wordt niet ondersteund"));
        if (!lex.keyword(QLatin1String("AND")))
            notUnderstood(text, QStringLiteral("AND verwacht na '%1'").arg(c.fieldName));
    }
}

bool matches(const Criterion &c, const QVariant &value)
{
    using L = Criterion::Literal;
    const bool null = isNull(value);
    switch (c.literal) {
    case L::Null:
        return c.op == CompareOp::Eq ? null : !null;
    case L::Number: {
        double d = 0;
        if (null || !numberOf(value, d))
            return false;
        return apply(c.op, d < c.number ? -1 : (d > c.number ? 1 : 0));
    }
    case L::Text:
        if (null)
            return false;
        return apply(c.op, compareJetText(value.toString(), c.text));
    case L::Date: {
        if (null)
            return false;
        const QDateTime dt =
            value.typeId() == QMetaType::QDateTime ? value.toDateTime() : parseDateTimeText(value.toString());
        if (!dt.isValid())
            return false;
        return apply(c.op, dt < c.date ? -1 : (c.date < dt ? 1 : 0));
    }
    }
    return false;
}

bool matchesAll(const std::vector<Criterion> &cs, const std::vector<QVariant> &row)
{
    for (const Criterion &c : cs)
        if (!matches(c, row[size_t(c.field)]))
            return false;
    return true;
}

std::vector<SortKey> parseSort(const QString &text, const FieldResolver &resolve)
{
    std::vector<SortKey> keys;
    Lexer lex(text);
    if (lex.atEnd())
        return keys;
    for (;;) {
        const QString name = lex.fieldName();
        if (name.isEmpty())
            notUnderstood(text, QStringLiteral("de veldnaam ontbreekt"));
        SortKey key;
        key.field = resolve(name).first;
        if (lex.keyword(QLatin1String("DESC")))
            key.descending = true;
        else
            lex.keyword(QLatin1String("ASC"));
        keys.push_back(key);
        if (lex.atEnd())
            return keys;
        if (lex.s.at(lex.i) != QLatin1Char(','))
            notUnderstood(text, QStringLiteral("',' verwacht na '%1'").arg(name));
        ++lex.i;
    }
}

int compareForSort(const QVariant &a, const QVariant &b)
{
    const bool na = isNull(a), nb = isNull(b);
    if (na || nb)
        return na == nb ? 0 : (na ? -1 : 1);
    const int ta = a.typeId(), tb = b.typeId();
    if (ta == QMetaType::QDateTime && tb == QMetaType::QDateTime) {
        const QDateTime x = a.toDateTime(), y = b.toDateTime();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    if (ta != QMetaType::QString && tb != QMetaType::QString) {
        double x = 0, y = 0;
        if (numberOf(a, x) && numberOf(b, y))
            return x < y ? -1 : (x > y ? 1 : 0);
    }
    return compareJetText(a.toString(), b.toString());
}

QString indexKey(const QVariant &value)
{
    if (isNull(value))
        return QString();
    switch (value.typeId()) {
    case QMetaType::QString:
        return QLatin1Char('s') + value.toString().toCaseFolded();
    case QMetaType::QDateTime:
        return QLatin1Char('d') + dateTimeText(value.toDateTime());
    default:
        break;
    }
    double d = 0;
    if (numberOf(value, d))
        return numberKey(d);
    return QLatin1Char('o') + value.toString();
}

QString indexKey(const Criterion &c)
{
    switch (c.literal) {
    case Criterion::Literal::Number:
        return numberKey(c.number);
    case Criterion::Literal::Text:
        return QLatin1Char('s') + c.text.toCaseFolded();
    case Criterion::Literal::Date:
        return QLatin1Char('d') + dateTimeText(c.date);
    case Criterion::Literal::Null:
        break;
    }
    return QString();
}

} // namespace db

#include "date_text.h"

#include "errors.h"

#include <QRegularExpression>
#include <QStringList>
#include <optional>

namespace vb {

namespace {

const QStringList &longMonths()
{
    static const QStringList names = {
        QStringLiteral("januari"), QStringLiteral("februari"), QStringLiteral("maart"),
        QStringLiteral("april"),   QStringLiteral("mei"),      QStringLiteral("juni"),
        QStringLiteral("juli"),    QStringLiteral("augustus"), QStringLiteral("september"),
        QStringLiteral("oktober"), QStringLiteral("november"), QStringLiteral("december")};
    return names;
}

const QStringList &shortMonths()
{
    static const QStringList names = {QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mrt"),
                                      QStringLiteral("apr"), QStringLiteral("mei"), QStringLiteral("jun"),
                                      QStringLiteral("jul"), QStringLiteral("aug"), QStringLiteral("sep"),
                                      QStringLiteral("okt"), QStringLiteral("nov"), QStringLiteral("dec")};
    return names;
}

// Qt numbers the weekdays Monday = 1 .. Sunday = 7.
QString weekdayName(int dayOfWeek, bool longForm)
{
    static const QStringList longNames = {
        QStringLiteral("maandag"), QStringLiteral("dinsdag"),  QStringLiteral("woensdag"), QStringLiteral("donderdag"),
        QStringLiteral("vrijdag"), QStringLiteral("zaterdag"), QStringLiteral("zondag")};
    static const QStringList shortNames = {QStringLiteral("ma"), QStringLiteral("di"), QStringLiteral("wo"),
                                           QStringLiteral("do"), QStringLiteral("vr"), QStringLiteral("za"),
                                           QStringLiteral("zo")};
    return (longForm ? longNames : shortNames).value(dayOfWeek - 1);
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

const QDate dayZero(1899, 12, 30);

// At least four digits, so that a year before 1000 reads back as a year
// ("0231", never "231").
QString fourDigits(int year)
{
    return QString::number(year).rightJustified(4, QLatin1Char('0'));
}

QString shortDate(const QDate &d)
{
    return QStringLiteral("%1-%2-%3").arg(d.day()).arg(d.month()).arg(fourDigits(d.year()));
}

QString longTime(const QTime &t)
{
    return twoDigits(t.hour()) + QLatin1Char(':') + twoDigits(t.minute()) + QLatin1Char(':') + twoDigits(t.second());
}

QString generalDate(const QDate &date, const QTime &time)
{
    const bool hasTime = time.isValid() && time != QTime(0, 0);
    if (date == dayZero && hasTime)
        return longTime(time);
    return hasTime ? shortDate(date) + QLatin1Char(' ') + longTime(time) : shortDate(date);
}

std::optional<QString> namedPicture(const QString &picture)
{
    const QString name = picture.toLower();
    if (name == QLatin1String("short date"))
        return QStringLiteral("d/m/yyyy");
    if (name == QLatin1String("long date"))
        return QStringLiteral("dddd d mmmm yyyy");
    if (name == QLatin1String("short time"))
        return QStringLiteral("hh:nn");
    if (name == QLatin1String("long time"))
        return QStringLiteral("hh:nn:ss");
    return std::nullopt;
}

QString formatParts(const QDate &date, const QTime &time, const QString &picture)
{
    if (picture.isEmpty() || picture.compare(QLatin1String("General Date"), Qt::CaseInsensitive) == 0)
        return generalDate(date, time);
    const QString p = namedPicture(picture).value_or(picture);
    const QTime t = time.isValid() ? time : QTime(0, 0);

    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i).toLower();
        if (c == QLatin1Char('"')) {
            const qsizetype close = p.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? p.size() : close;
            out += p.mid(i + 1, end - i - 1);
            i = end;
            continue;
        }
        if (c == QLatin1Char('\\')) {
            if (i + 1 < p.size())
                out += p.at(++i);
            continue;
        }
        if (!QStringLiteral("dmyhnsqwc").contains(c)) {
            out += c == QLatin1Char('/') ? QChar(QLatin1Char('-')) : p.at(i);
            continue;
        }
        qsizetype run = 1;
        while (i + run < p.size() && p.at(i + run).toLower() == c)
            ++run;
        i += run - 1;

        const bool wasAfterHour = afterHour;
        afterHour = false;
        switch (c.unicode()) {
        case 'd':
            out += run == 1   ? QString::number(date.day())
                   : run == 2 ? twoDigits(date.day())
                   : run <= 4 ? weekdayName(date.dayOfWeek(), run == 4)
                   : run == 5 ? shortDate(date)
                              : formatParts(date, t, QStringLiteral("Long Date"));
            break;
        case 'm':
            if (wasAfterHour && run <= 2)
                out += run == 1 ? QString::number(t.minute()) : twoDigits(t.minute());
            else
                out += run == 1   ? QString::number(date.month())
                       : run == 2 ? twoDigits(date.month())
                       : run == 3 ? shortMonthName(date.month())
                                  : longMonthName(date.month());
            break;
        case 'y':
            out += run == 1   ? QString::number(date.dayOfYear())
                   : run <= 3 ? twoDigits(date.year() % 100)
                              : fourDigits(date.year());
            break;
        case 'h':
            out += run == 1 ? QString::number(t.hour()) : twoDigits(t.hour());
            afterHour = true;
            break;
        case 'n':
            out += run == 1 ? QString::number(t.minute()) : twoDigits(t.minute());
            break;
        case 's':
            out += run == 1 ? QString::number(t.second()) : twoDigits(t.second());
            break;
        case 'q':
            for (qsizetype k = 0; k < run; ++k)
                out += QString::number((date.month() - 1) / 3 + 1);
            break;
        case 'w':
            for (qsizetype k = 0; k < run; ++k)
                out += QString::number(date.dayOfWeek() % 7 + 1);
            break;
        case 'c':
            out += generalDate(date, time);
            break;
        }
    }
    return out;
}

int monthFromName(const QString &word)
{
    const QString w = word.toLower();
    if (w == QLatin1String("mrt"))
        return 3;
    if (w.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        if (longMonths().at(m).startsWith(w))
            return m + 1;
    }
    return 0;
}

int fullYear(const QString &digits)
{
    const int y = digits.toInt();
    if (digits.size() > 2)
        return y;
    return y < 30 ? 2000 + y : 1900 + y;
}

std::optional<QDateTime> parseDate(const QString &text)
{
    static const QRegularExpression withTime(
        QStringLiteral("^(.*?)\\s*(?:(?:^|\\s)(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?$"));
    static const QRegularExpression dmy(
        QStringLiteral("^(\\d{1,2})\\s*[-/. ]\\s*(\\d{1,2}|[a-z]+\\.?)(?:\\s*[-/. ]\\s*(\\d{4}|\\d{2}))?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression ymd(QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})$"));

    const QRegularExpressionMatch parts = withTime.match(text.trimmed());
    if (!parts.hasMatch())
        return std::nullopt;
    const QString datePart = parts.captured(1);

    QTime time(0, 0);
    if (parts.hasCaptured(2)) {
        time = QTime(parts.captured(2).toInt(), parts.captured(3).toInt(),
                     parts.hasCaptured(4) ? parts.captured(4).toInt() : 0);
        if (!time.isValid())
            return std::nullopt;
        if (datePart.isEmpty())
            return QDateTime(dayZero, time);
    }

    QDate date;
    if (const QRegularExpressionMatch m = ymd.match(datePart); m.hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (const QRegularExpressionMatch m = dmy.match(datePart); m.hasMatch()) {
        QString monthText = m.captured(2);
        if (monthText.endsWith(QLatin1Char('.')))
            monthText.chop(1);
        const int month = monthText.at(0).isDigit() ? monthText.toInt() : monthFromName(monthText);
        const int year = m.hasCaptured(3) ? fullYear(m.captured(3)) : QDate::currentDate().year();
        date = QDate(year, month, m.captured(1).toInt());
    }
    if (!date.isValid() || date.year() < 100)
        return std::nullopt;
    return QDateTime(date, time);
}

} // namespace

QString shortMonthName(int month)
{
    return shortMonths().value(month - 1);
}

QString longMonthName(int month)
{
    return longMonths().value(month - 1);
}

QString Format(const QDateTime &value, const QString &picture)
{
    if (!value.isValid())
        return QString();
    return formatParts(value.date(), value.time(), picture);
}

QString Format(const QDate &value, const QString &picture)
{
    if (!value.isValid())
        return QString();
    return formatParts(value, QTime(0, 0), picture);
}

QString Format(const QTime &value, const QString &picture)
{
    if (!value.isValid())
        return QString();
    return formatParts(dayZero, value, picture);
}

QString CStr(const QDateTime &value)
{
    return Format(value, QString());
}

QString CStr(const QDate &value)
{
    return Format(value, QString());
}

QString CStr(const QTime &value)
{
    return Format(value, QString());
}

QDateTime CDate(const QString &text)
{
    const std::optional<QDateTime> value = parseDate(text);
    if (!value)
        throw detail::typeMismatchError();
    return *value;
}

bool IsDate(const QString &text)
{
    return parseDate(text).has_value();
}

} // namespace vb

#include "platform/settings/setting_readers.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace settings {

bool parseNumber(const QString &text, double *value)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    const bool comma = t.contains(QLatin1Char(','));
    if (comma && t.contains(QLatin1Char('.')))
        return false;
    if (comma)
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = c.toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

namespace {

// The whole number nearest `text`, halves to even, if it lies in [low, high].
bool parseWhole(const QString &text, double low, double high, double *value)
{
    double v = 0;
    if (!parseNumber(text, &v))
        return false;
    v = std::nearbyint(v);
    if (v < low || v > high)
        return false;
    *value = v;
    return true;
}

} // namespace

bool toBool(const QString &text, bool defaultValue)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("Waar"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("Onwaar"), Qt::CaseInsensitive) == 0)
        return false;
    double v = 0;
    if (!parseNumber(t, &v))
        return defaultValue;
    return v != 0;
}

quint8 toByte(const QString &text, quint8 defaultValue)
{
    double v = 0;
    return parseWhole(text, 0, 255, &v) ? quint8(v) : defaultValue;
}

qint16 toInt(const QString &text, qint16 defaultValue)
{
    double v = 0;
    return parseWhole(text, -32768, 32767, &v) ? qint16(v) : defaultValue;
}

qint32 toLong(const QString &text, qint32 defaultValue)
{
    double v = 0;
    return parseWhole(text, -2147483648.0, 2147483647.0, &v) ? qint32(v) : defaultValue;
}

float toFloat(const QString &text, float defaultValue)
{
    double v = 0;
    if (!parseNumber(text, &v) || std::fabs(v) > double(std::numeric_limits<float>::max()))
        return defaultValue;
    return float(v);
}

double toDouble(const QString &text, double defaultValue)
{
    double v = 0;
    return parseNumber(text, &v) ? v : defaultValue;
}

} // namespace settings

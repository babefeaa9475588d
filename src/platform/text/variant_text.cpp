#include "variant_text.h"

#include "date_text.h"
#include "number_format.h"
#include "number_parse.h"

namespace vb {

namespace {

bool isNull(const QVariant &value)
{
    return !value.isValid() || value.isNull();
}

bool isWholeNumber(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

} // namespace

QString Format(const QVariant &value, const QString &picture)
{
    if (isNull(value))
        return QString();
    const int type = value.typeId();
    if (type == QMetaType::Bool)
        return Format(value.toBool(), picture);
    if (type == QMetaType::Float)
        return Format(value.toFloat(), picture);
    if (type == QMetaType::Double)
        return Format(value.toDouble(), picture);
    if (isWholeNumber(type))
        return Format(value.toLongLong(), picture);
    if (type == QMetaType::QDate)
        return Format(value.toDate(), picture);
    if (type == QMetaType::QDateTime)
        return Format(value.toDateTime(), picture);
    if (type == QMetaType::QTime)
        return Format(value.toTime(), picture);

    const QString text = value.toString();
    if (picture.isEmpty())
        return text;
    if (IsNumeric(text))
        return Format(CDbl(text), picture);
    // A date text is read as a date only under a picture without digit places.
    if (!picture.contains(QLatin1Char('0')) && !picture.contains(QLatin1Char('#')) && IsDate(text))
        return Format(CDate(text), picture);
    return text;
}

QString CStr(const QVariant &value)
{
    if (isNull(value))
        return QString();
    const int type = value.typeId();
    if (type == QMetaType::Bool)
        return CStr(value.toBool());
    if (type == QMetaType::Float)
        return CStr(value.toFloat());
    if (type == QMetaType::Double)
        return CStr(value.toDouble());
    if (isWholeNumber(type))
        return CStr(value.toLongLong());
    if (type == QMetaType::QDate)
        return CStr(value.toDate());
    if (type == QMetaType::QDateTime)
        return CStr(value.toDateTime());
    if (type == QMetaType::QTime)
        return CStr(value.toTime());
    return value.toString();
}

bool IsNumeric(const QVariant &value)
{
    if (isNull(value))
        return false;
    const int type = value.typeId();
    if (type == QMetaType::Bool || type == QMetaType::Float || type == QMetaType::Double || isWholeNumber(type))
        return true;
    if (type == QMetaType::QDate || type == QMetaType::QDateTime || type == QMetaType::QTime)
        return false;
    return IsNumeric(value.toString());
}

} // namespace vb

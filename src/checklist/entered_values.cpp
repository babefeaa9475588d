#include "checklist/entered_values.h"

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"
#include "platform/db/jet_types.h"
#include "platform/text/number_parse.h"
#include "platform/text/variant_text.h"

#include <QMetaType>

namespace checklist {

namespace {

bool isText(const QVariant &value)
{
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray
           || value.typeId() == QMetaType::QChar;
}

platform::Error typeMismatch()
{
    return platform::Error(vb::kErrTypeMismatch, QStringLiteral("Type mismatch"));
}

// A value that is neither Null nor a text, as a double; a boolean is -1 or 0.
double plainNumber(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0;
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok)
        throw typeMismatch();
    return d;
}

} // namespace

platform::Error invalidUseOfNull()
{
    return platform::Error(vb::kErrInvalidUseOfNull, QStringLiteral("Invalid use of Null"));
}

platform::Error divisionByZero()
{
    return platform::Error(vb::kErrDivisionByZero, QStringLiteral("Division by zero"));
}

bool isEmptyValue(const QVariant &value)
{
    if (db::isNull(value))
        return true;
    return isText(value) && value.toString().isEmpty();
}

std::optional<float> amountOf(const QVariant &value)
{
    if (isEmptyValue(value))
        return std::nullopt;
    return numberOf(value);
}

double numberOfAsDouble(const QVariant &value)
{
    if (db::isNull(value))
        throw invalidUseOfNull();
    if (isText(value))
        return vb::CDbl(value.toString());
    return plainNumber(value);
}

float numberOf(const QVariant &value)
{
    if (db::isNull(value))
        throw invalidUseOfNull();
    if (isText(value))
        return vb::CSng(value.toString());
    if (value.typeId() == QMetaType::Float)
        return value.toFloat();
    return static_cast<float>(plainNumber(value));
}

double readNumberOf(const QVariant &value)
{
    if (isEmptyValue(value))
        return 0.0;
    return vb::Val(vb::CStr(value));
}

std::optional<float> boundOf(const QVariant &value)
{
    if (isEmptyValue(value))
        return std::nullopt;
    return numberOf(value);
}

bool IsBinnenGrenzen(float value, std::optional<float> lower, std::optional<float> upper, bool noZeroFloor)
{
    bool aboveLower = true;
    if (lower)
        aboveLower = value >= *lower;
    else if (!noZeroFloor)
        aboveLower = value >= 0.0f;
    const bool belowUpper = !upper || value <= *upper;
    return aboveLower && belowUpper;
}

} // namespace checklist

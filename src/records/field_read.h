#pragma once
// Reading a field of a record object's current row as the accessors need
// it: Null to a default, or Null as an error that names the field, and the
// platform's conversions to the result type.

#include "platform/core/error_numbers.h"

#include <QString>
#include <QVariant>
#include <cstdint>

namespace db {
class Recordset;
}

namespace records {

bool isNullValue(const QVariant &value);

// The field's value; raises 94 (source: `source`) when it is Null.
QVariant requiredField(const db::Recordset &rs, const QString &field, const QString &source);

// The field's value, or `dflt` when it is Null.
QVariant fieldOr(const db::Recordset &rs, const QString &field, const QVariant &dflt);

// Conversions with the platform's rounding and range checks (error 6
// "Overflow", 13 "Type mismatch"); `source` goes into the error.
std::uint8_t toByte(const QVariant &value, const QString &source);
qint16 toInt16(const QVariant &value, const QString &source);
qint32 toInt32(const QVariant &value, const QString &source);
float toSingle(const QVariant &value, const QString &source);
QString toText(const QVariant &value);

// The value's text as joining it into a text would give ("" for Null).
QString joinText(const QVariant &value);

} // namespace records

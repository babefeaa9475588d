#pragma once
// Format and CStr of a field value held in a QVariant, by its type.
//
// A Null or empty value gives an empty text (as joining a Null into a text
// does). Booleans are -1/0 under a number picture and "True"/"False" as
// text; float fields keep their 7-digit default text. A text under a
// picture is formatted as the number it reads as (Dutch rules), or as the
// date it reads as when the picture has no digit places ("0", "#"), and is
// otherwise returned unchanged.

#include <QString>
#include <QVariant>

namespace vb {

QString Format(const QVariant &value, const QString &picture);
QString CStr(const QVariant &value);
// False for Null; true for numbers and booleans; texts as IsNumeric(QString).
bool IsNumeric(const QVariant &value);

} // namespace vb

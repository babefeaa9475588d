#pragma once
// Readers that turn a stored setting text into its type. A text that does
// not convert (garbage, an empty text, a number out of range) gives the
// default the caller passes.
//
// Booleans: "True"/"False" and the Dutch "Waar"/"Onwaar" (any case), or a
// number: 0 is False, any other number True (so 1 and -1 are True).
//
// Numbers: the program writes settings itself and writes no grouping, so a
// number is read with either a decimal comma or a decimal point: "17,5" and
// "17.5" are both 17.5. A text with both, with grouping, or with other
// characters does not convert. An exponent ("1E3") is accepted. Whole-number
// readers round a fraction half to even, as storing into a whole-number
// variable does ("2,5" gives 2).

#include <QString>
#include <QtGlobal>

namespace settings {

bool toBool(const QString &text, bool defaultValue);
quint8 toByte(const QString &text, quint8 defaultValue); // 0..255
qint16 toInt(const QString &text, qint16 defaultValue);  // 16-bit
qint32 toLong(const QString &text, qint32 defaultValue); // 32-bit
float toFloat(const QString &text, float defaultValue);  // single precision
double toDouble(const QString &text, double defaultValue);

// The number in `text` under the rules above; false when it does not convert.
bool parseNumber(const QString &text, double *value);

} // namespace settings

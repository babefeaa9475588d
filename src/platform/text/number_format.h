#pragma once
// Format(x, picture) for numbers, under the program's Dutch regional
// settings (decimal comma, "." grouping) whatever the process locale.
//
// Picture characters:
//   0   a digit that is always written       #   a digit written when needed
//   .   the decimal place (written ",")      %   multiplies by 100, writes "%"
//   ,   between digit places: group the thousands with "."; directly left of
//       the decimal place or the end of the digits: divide by 1000
//   \c  the character c                      "text"  the text
//   ;   separates the sections positive;negative;zero
//   anything else is written as it stands ("€ ", "(", ")", " ", "-").
// The value is rounded half away from zero on its exact binary value; a
// float is widened to double first, as the platform does, so 0.285f (really
// 0.2849999964...) gives "0,28" under "0.00". Under a one-section picture a
// negative value gets "-" in front of the whole result ("-€ 1.234"), unless
// it rounds to zero. Under a two- or three-section picture the negative
// section is written without a sign of its own; an empty negative section
// falls back to the first with a "-". The decimal place is written even with
// no digit after it ("€ #,##0.--" gives "€ 1.234,--"), and trailing "#"
// decimals that come out zero are dropped ("0.0#" of 2 gives "2,0").
// Named formats: "General Number", "Fixed", "Standard", "Percent" (any case).
// An empty picture gives the default text (CStr).

#include "number_text.h"

#include <QString>
#include <cstdint>

namespace vb {

QString Format(double value, const QString &picture);
// Widened to double before rounding; an empty or "General Number" picture
// gives the 7-digit default text of the float.
QString Format(float value, const QString &picture);
QString Format(std::int64_t value, const QString &picture);
template <WholeNumber T> QString Format(T value, const QString &picture)
{
    return Format(static_cast<std::int64_t>(value), picture);
}
// A boolean formats as the number -1 (True) or 0 (False); an empty picture
// gives "True" or "False".
QString Format(bool value, const QString &picture);
QString Format(const char *, const QString &) = delete;

} // namespace vb

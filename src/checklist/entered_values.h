#pragma once
// How the checks read the values a caller hands them, and the bounds test
// they share.
//
// A value argument of a check holds a number, a text (what a field of the
// cost-item screen holds) or Null (an invalid or null QVariant). Texts are
// read under the program's Dutch settings (decimal comma), whatever the
// process locale.

#include <QVariant>
#include <optional>

namespace platform {
class Error;
}

namespace checklist {

// Null, or a text of length 0.
bool isEmptyValue(const QVariant &value);

// The number of an entered amount, as a Single: empty (Null or the empty
// text) for an amount not entered, which meets no bound; a number as it is;
// a text under the Dutch rules. A text that is no number raises error 13
// ("Type mismatch").
std::optional<float> amountOf(const QVariant &value);

// The strict number of a value, as a Single: Null raises error 94 ("Invalid
// use of Null"), a text that is no number (the empty text included) raises
// error 13. Used where a check traps its errors and reports them.
float numberOf(const QVariant &value);
double numberOfAsDouble(const QVariant &value);

// The read number of a year or count: the value's text under the Dutch
// settings (a text as it is), read back by Val, which takes "." as its only
// decimal point and stops at the first other character. So the fraction
// after a decimal comma is cut off toward zero: 5,5 reads 5, 12,9 reads 12,
// -0,5 reads 0; a text that is no number reads as far as it goes ("vijf"
// is 0). Null and the empty text read as 0. Raises only error 6
// ("Overflow") for a text beyond the range of a Double.
double readNumberOf(const QVariant &value);

// A bound of the checklist: absent for Null and the empty text (its text
// has length 0), else its value as a Single.
std::optional<float> boundOf(const QVariant &value);

// The bounds test: value >= lower when there is a lower bound, else value
// >= 0 (unless `noZeroFloor`); value <= upper when there is an upper bound,
// else no limit. Both bounds count as inside.
bool IsBinnenGrenzen(float value, std::optional<float> lower, std::optional<float> upper, bool noZeroFloor = false);

// Error 94, as reading a Null where a value is needed raises it.
platform::Error invalidUseOfNull();
// Error 11, as dividing by zero raises it.
platform::Error divisionByZero();

} // namespace checklist

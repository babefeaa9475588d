#pragma once
// Exact decimal digits of a binary floating value, and rounding on them.
//
// Every text the formatter makes starts here: the double is expanded into
// its exact decimal digits (a double always has a finite expansion), and
// rounding then works on those digits, so that "half" means exactly half of
// the binary value and never a half seen through a shorter, already rounded
// text. Internal to the text library.

#include <QString>
#include <cstdint>
#include <string>

namespace vb::detail {

// A non-negative decimal number 0.d1d2d3... x 10^exp10. `digits` holds the
// significant digits without leading or trailing zeros; it is empty for zero.
struct Decimal {
    std::string digits;
    int exp10 = 0;

    bool isZero() const { return digits.empty(); }
};

// The exact value of |v|; v must be finite.
Decimal exactDecimal(double v);
// The exact value of |v|.
Decimal exactDecimal(std::int64_t v);

// Rounds half away from zero to `places` digits after the decimal point.
void roundToPlaces(Decimal &d, int places);
// Rounds half away from zero to at most `significant` significant digits.
void roundToSignificant(Decimal &d, int significant);

// The digits in front of the decimal point ("" when below 1) and the first
// `places` digits after it (padded with zeros).
std::string integerDigits(const Decimal &d);
std::string fractionDigits(const Decimal &d, int places);

// The general text of a finite value with at most `significant` digits:
// fixed notation when the decimal exponent X lies in -4 <= X < significant
// otherwise the exponent form "1,234568E+07". Trailing zeros and a trailing
// separator are dropped; zero is "0" without a sign.
QString generalText(double v, int significant, QChar decimalSeparator);

// The text the platform shows for an infinite or undefined value.
QString nonFiniteText(double v, QChar decimalSeparator);

} // namespace vb::detail

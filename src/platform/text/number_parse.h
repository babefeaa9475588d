#pragma once
// Reading numbers from texts.
//
// Val reads the invariant form, as the platform's Val does: blanks (space,
// tab, line breaks) are skipped anywhere, an optional sign, digits with "."
// as the only decimal point, an optional exponent (E or D, "1e3" is 1000);
// it stops at the first other character and gives 0 when nothing is read
// (Val("4,5") is 4, Val("") is 0). "&H" and "&O" read hexadecimal and octal
// whole numbers; up to 16 bits they are signed ("&HFFFF" is -1), up to 32
// bits likewise. Error 6 "Overflow" for a value out of double range.
//
// CDbl, CSng and IsNumeric read a number typed under the program's Dutch
// settings, whatever the process locale. Accepted, with blanks allowed
// around it:
//   - digits with "," as the decimal comma: "4,5", ",5", "5,";
//   - "." only as the thousands separator, in its proper places: a first
//     group of one to three digits, then groups of exactly three
//     ("1.234,5", "12.345.678"). A dot elsewhere ("4.5", "1.23") makes the
//     text not a number, so a point typed for a decimal comma is refused
//     rather than silently read as a much larger whole number;
//   - an exponent: "1,5E3", "2e-4";
//   - one sign, in front or behind ("-4,5", "4,5-"), or parentheses for a
//     negative amount ("(4,5)");
//   - the euro sign in front of or behind the number, as Format writes it
//     ("€ 1.234,50", "-€ 1.234", "€ -5").
// Anything else, an empty text or blanks only raise error 13 "Type
// mismatch"; a value out of range raises error 6 "Overflow". IsNumeric is
// true exactly when CDbl succeeds.

//
// TypedNumber is the one reading of a number the user typed into a field,
// on every screen and in the forecast grid: the forms CDbl reads and
// nothing else, so a text is either read as the number it shows or refused
// ("4.5" and "12.50" are refused, never 45 or 1250). A field that holds
// whole numbers refuses a fractional part ("12,5") instead of cutting it;
// "12,0" is 12 there. Refused (no value): an empty text, blanks only, no
// number, a value out of double range.

#include <QString>

#include <optional>

namespace vb {

double Val(const QString &text);

double CDbl(const QString &text);
float CSng(const QString &text);
bool IsNumeric(const QString &text);

enum class NumberKind { Fraction, Whole };
std::optional<double> TypedNumber(const QString &text, NumberKind kind = NumberKind::Fraction);

} // namespace vb

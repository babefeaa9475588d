#pragma once
// Whole-number conversions and rounding with the platform's rules.
//
// Int(x) is the largest whole number not above x (Int(-2.5) is -3); Fix(x)
// cuts towards zero (Fix(-2.5) is -2).
//
// Round(x, n) rounds half to even ("banker's rounding"). It works on the
// binary value of x * 10^n computed in double precision, then divides by
// 10^n again, so a value whose binary form lies just below a half rounds
// down: Round(2.5) is 2, Round(0.125, 2) is 0.12, Round(1.005, 2) is 1
// (1.005 * 100 is 100.49999999999999), Round(2.675, 2) is 2.68 (the product
// is exactly 267.5). A negative n raises error 5.
//
// CInt (16-bit), CLng (32-bit) and CByte (0..255) round half to even and
// raise error 6 "Overflow" when the rounded value does not fit (also for an
// undefined value). The text overloads read the text under the Dutch rules
// first (see number_parse.h) and raise error 13 "Type mismatch" for a text
// that is not a number.

#include <QString>
#include <cstdint>

namespace vb {

double Int(double x);
double Fix(double x);
double Round(double x, int places = 0);

int CInt(double x);
int CInt(const QString &text);
std::int32_t CLng(double x);
std::int32_t CLng(const QString &text);
std::uint8_t CByte(double x);
std::uint8_t CByte(const QString &text);

} // namespace vb

#pragma once
// The default text of a number: what CStr gives, what joining a number into
// a text gives, and the locale-independent Str.
//
// CStr writes the program's regional form (decimal comma, no grouping): a
// Single with at most 7 significant digits, a Double with at most 15, both
// rounded half away from zero on the exact binary value, trailing zeros and
// a trailing comma dropped, and the exponent form ("1,234568E+07", "1E-05")
// outside 0,0001 <= |x| < 10^digits. A float is never shown in its shortest
// round-trip form: 34.444443f reads "34,44444".
//
// Str writes the same digits with "." as the decimal point, whatever the
// settings, and puts a blank in front of a number that is not negative:
// Str(1.5) is " 1.5", Str(-1.5) is "-1.5".

#include <QString>
#include <concepts>
#include <cstdint>
#include <type_traits>

namespace vb {

template <typename T>
concept WholeNumber = std::integral<T> && !std::same_as<std::remove_cv_t<T>, bool>;

QString CStr(float value);
QString CStr(double value);
QString CStr(std::int64_t value);
template <WholeNumber T> QString CStr(T value)
{
    return CStr(static_cast<std::int64_t>(value));
}
// "True" or "False", as booleans are written into texts and settings.
QString CStr(bool value);
// A character pointer would otherwise silently become a boolean.
QString CStr(const char *) = delete;

QString Str(float value);
QString Str(double value);
QString Str(std::int64_t value);
template <WholeNumber T> QString Str(T value)
{
    return Str(static_cast<std::int64_t>(value));
}

// True is -1 and False 0 when a boolean becomes a number.
constexpr int BoolToNumber(bool value)
{
    return value ? -1 : 0;
}

} // namespace vb

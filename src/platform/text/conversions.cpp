#include "conversions.h"

#include "errors.h"
#include "number_parse.h"

#include <cmath>

namespace vb {

namespace {

// Half to even on the exact binary value, independent of the FPU mode.
double roundHalfEven(double x)
{
    const double below = std::floor(x);
    const double rest = x - below; // exact
    if (rest > 0.5)
        return below + 1.0;
    if (rest < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

double roundedInRange(double x, double lowest, double highest)
{
    if (std::isnan(x))
        throw detail::overflowError();
    const double r = roundHalfEven(x);
    if (r < lowest || r > highest)
        throw detail::overflowError();
    return r;
}

} // namespace

double Int(double x)
{
    return std::floor(x);
}

double Fix(double x)
{
    return std::trunc(x);
}

double Round(double x, int places)
{
    if (places < 0)
        throw detail::invalidArgumentError();
    if (!std::isfinite(x))
        return x;
    const double scale = std::pow(10.0, places);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) // 2^52: already whole
        return x;
    return roundHalfEven(scaled) / scale;
}

int CInt(double x)
{
    return static_cast<int>(roundedInRange(x, -32768.0, 32767.0));
}

int CInt(const QString &text)
{
    return CInt(CDbl(text));
}

std::int32_t CLng(double x)
{
    return static_cast<std::int32_t>(roundedInRange(x, -2147483648.0, 2147483647.0));
}

std::int32_t CLng(const QString &text)
{
    return CLng(CDbl(text));
}

std::uint8_t CByte(double x)
{
    return static_cast<std::uint8_t>(roundedInRange(x, 0.0, 255.0));
}

std::uint8_t CByte(const QString &text)
{
    return CByte(CDbl(text));
}

} // namespace vb

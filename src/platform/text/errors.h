#pragma once
// The run-time errors the conversions raise, with the platform's numbers and
// descriptions. Internal to the text library.

#include "platform/core/error.h"

namespace vb::detail {

inline platform::Error invalidArgumentError()
{
    return platform::Error(5, QStringLiteral("Invalid procedure call or argument"));
}

inline platform::Error overflowError()
{
    return platform::Error(6, QStringLiteral("Overflow"));
}

inline platform::Error typeMismatchError()
{
    return platform::Error(13, QStringLiteral("Type mismatch"));
}

} // namespace vb::detail

#pragma once
// The run-time errors the conversions raise, with the platform's numbers and
// descriptions. Internal to the text library.

#include "platform/core/error.h"
#include "platform/core/error_numbers.h"

namespace vb::detail {

inline platform::Error invalidArgumentError()
{
    return platform::Error(vb::kErrInvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
}

inline platform::Error overflowError()
{
    return platform::Error(vb::kErrOverflow, QStringLiteral("Overflow"));
}

inline platform::Error typeMismatchError()
{
    return platform::Error(vb::kErrTypeMismatch, QStringLiteral("Type mismatch"));
}

} // namespace vb::detail

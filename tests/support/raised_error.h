#pragma once
// Which of the program's errors a call raises.

#include "platform/core/error.h"

#include <functional>
#include <optional>

namespace testsupport {

// The platform::Error that `call` raises; none when it returns.
inline std::optional<platform::Error> raisedError(const std::function<void()> &call)
{
    try {
        call();
    } catch (const platform::Error &e) {
        return e;
    }
    return std::nullopt;
}

// The number of the error that `call` raises, or 0 when it raises none.
inline long errorNumber(const std::function<void()> &call)
{
    const std::optional<platform::Error> e = raisedError(call);
    return e ? e->number() : 0;
}

} // namespace testsupport

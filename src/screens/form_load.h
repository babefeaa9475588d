#pragma once
// Loading a screen whose Load reads the data files: a failure is reported
// through the session's error reporter and the screen is not shown.

#include "screens/session.h"

#include "platform/core/error.h"

#include <memory>

namespace screens {

// Runs `load` on the new form `form`; on a failure deletes the form,
// reports the failure with `source` and answers nullptr.
template <class F, class Load> F *geladenOfGemeld(F *form, Load load, const char *source)
{
    std::unique_ptr<F> owned(form);
    try {
        load(form);
        return owned.release();
    } catch (const platform::Error &e) {
        owned.reset();
        meldFout(e.withSource(QLatin1String(source)));
        return nullptr;
    }
}

} // namespace screens

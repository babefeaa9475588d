#include "checklist/context.h"

#include "platform/core/error.h"
#include "platform/ui/error_box.h"

namespace checklist {

void meldFout(const Context &ctx, const platform::Error &error) noexcept
{
    try {
        if (ctx.MeldFout) {
            ctx.MeldFout(error);
            return;
        }
        ui::showErrorBox(error);
    } catch (...) {
        // A failing reporter must not turn a reported error into a new one.
    }
}

} // namespace checklist

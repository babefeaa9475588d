#include "checklist/context.h"

#include "platform/core/error.h"
#include "platform/ui/error_box.h"

namespace checklist {

void meldFout(const Context &ctx, const platform::Error &error) noexcept
{
    ui::reportError(ctx.MeldFout, error);
}

} // namespace checklist

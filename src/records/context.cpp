#include "records/context.h"

#include "platform/core/error.h"
#include "platform/ui/error_box.h"

namespace records {

void reportReleaseError(const Context &ctx, const platform::Error &error) noexcept
{
    ui::reportError(ctx.MeldFout, error);
}

} // namespace records

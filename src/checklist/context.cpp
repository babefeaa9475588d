#include "checklist/context.h"

#include "platform/core/error.h"
#include "platform/ui/dialogs.h"

namespace checklist {

void meldFout(const Context &ctx, const platform::Error &error) noexcept
{
    try {
        if (ctx.MeldFout) {
            ctx.MeldFout(error);
            return;
        }
        const QString source = error.source().isEmpty() ? QStringLiteral("niet gespecificeerd")
                                                        : error.source();
        ui::MsgBox(error.description() + QStringLiteral("\r\nBron: ") + source, ui::Buttons::OK,
                   ui::Icon::Critical, QStringLiteral("Fout ") + QString::number(error.number()));
    } catch (...) {
        // A failing reporter must not turn a reported error into a new one.
    }
}

} // namespace checklist

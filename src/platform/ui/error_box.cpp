#include "platform/ui/error_box.h"

#include "platform/core/error.h"
#include "platform/ui/dialogs.h"

namespace ui {

void showErrorBox(const platform::Error &error) noexcept
{
    try {
        const QString source = error.source().isEmpty() ? QStringLiteral("niet gespecificeerd") : error.source();
        MsgBox(error.description() + QStringLiteral("\r\nBron: ") + source, Buttons::OK, Icon::Critical,
               QStringLiteral("Fout ") + QString::number(error.number()));
    } catch (...) {
    }
}

void reportError(const std::function<void(const platform::Error &)> &reporter, const platform::Error &error) noexcept
{
    try {
        if (reporter) {
            reporter(error);
            return;
        }
    } catch (...) {
        // A failing reporter must not turn a reported error into a new one.
        return;
    }
    showErrorBox(error);
}

} // namespace ui

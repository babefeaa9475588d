#include "screens/session.h"

#include "platform/core/error.h"

#include <utility>

namespace screens {

namespace {
Session &installed()
{
    static Session s;
    return s;
}
} // namespace

void installSession(Session session)
{
    installed() = std::move(session);
}

const Session &session()
{
    return installed();
}

calc::Context currentContext()
{
    return installed().context ? installed().context() : calc::Context{};
}

checklist::Context currentChecklistContext()
{
    const calc::Context ctx = currentContext();
    checklist::Context cl;
    cl.gstrConnCL = ctx.gstrConnCL;
    cl.gsngJaarAanvangNazorg = ctx.gsngJaarAanvangNazorg;
    cl.MeldFout = ctx.MeldFout;
    return cl;
}

void meldFout(const platform::Error &error) noexcept
{
    if (installed().meldFout) {
        try {
            installed().meldFout(error);
            return;
        } catch (...) {
        }
    }
    records::reportReleaseError(currentContext(), error);
}

} // namespace screens

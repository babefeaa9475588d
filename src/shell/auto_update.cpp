#include "shell/auto_update.h"

namespace modAutoUpdate {

namespace {

std::function<UpdateUitkomst()> &installedCheck()
{
    static std::function<UpdateUitkomst()> check;
    return check;
}

} // namespace

UpdateUitkomst ControleerUpdates()
{
    if (const auto &check = installedCheck())
        return check();
    return UpdateUitkomst{};
}

void VoerUpdateUit(bool checklistNieuwer, bool programmaNieuwer)
{
    Q_UNUSED(checklistNieuwer);
    Q_UNUSED(programmaNieuwer);
}

void setControleerUpdates(std::function<UpdateUitkomst()> check)
{
    installedCheck() = std::move(check);
}

} // namespace modAutoUpdate

#include "shell/menu_status.h"

#include "shell/frmMDI_main.h"
#include "shell/program_state.h"

namespace modMain {

void ZetMenuStatus(bool aan)
{
    shell::frmMDI_main *main = shell::frmMDI_main::instance();
    if (!main)
        return;
    main->setSiteCommandsEnabled(aan);
    // New, open and import reach the data file: not before one is coupled.
    main->setDataCommandsEnabled(!gstrConnData.isEmpty());
    main->setPanelText(1, aan ? QStringLiteral("Geopend: ") + gstrNaamStort + QStringLiteral(" (checklistversie ")
                                    + gstrCLVersie + QStringLiteral(")")
                              : QStringLiteral("<geen inrichting geopend>"));
}

} // namespace modMain

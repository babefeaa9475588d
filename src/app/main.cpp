// The program starts in its start routine; the run then lasts while the
// main window is loaded.

#include "shell/frmMDI_main.h"
#include "shell/start_routine.h"

#include "platform/os/desktop_opener.h"
#include "platform/os/open_document.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/qt_busy_cursor.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui/qt_translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Qt's own dialogs and buttons speak Dutch like the program.
    ui::installQtDutch();
    ui::QtDialogs dialogs;
    ui::ScopedDialogs useDialogs(&dialogs);
    // The hourglass shows on screen; documents open in the desktop's programs.
    ui::setCursorDisplay(ui::showOverrideCursor);
    os::setOpener(os::openWithDesktop);

    modMain::Main();
    // The start ended the run (a refusal, a program update, or the user
    // closed the window while the start waited): nothing is left to run.
    if (!shell::frmMDI_main::instance())
        return 0;
    return app.exec();
}

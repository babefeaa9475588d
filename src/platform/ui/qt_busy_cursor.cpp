#include "platform/ui/qt_busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

void showOverrideCursor(bool busy)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace ui

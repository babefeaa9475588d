#include "platform/ui/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

namespace {

bool g_busy = false;

QGuiApplication *guiApp()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance());
}

} // namespace

void setBusyCursor()
{
    if (g_busy)
        return;
    g_busy = true;
    if (guiApp())
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void resetCursor()
{
    if (!g_busy)
        return;
    g_busy = false;
    if (guiApp())
        QGuiApplication::restoreOverrideCursor();
}

bool isBusyCursor()
{
    return g_busy;
}

BusyCursor::BusyCursor() : m_wasBusy(g_busy)
{
    setBusyCursor();
}

BusyCursor::~BusyCursor()
{
    if (m_wasBusy)
        setBusyCursor();
    else
        resetCursor();
}

} // namespace ui

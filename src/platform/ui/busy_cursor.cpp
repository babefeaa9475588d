#include "platform/ui/busy_cursor.h"

#include <utility>

namespace ui {

namespace {

bool g_busy = false;

CursorDisplay &display()
{
    static CursorDisplay d;
    return d;
}

void show(bool busy)
{
    if (display())
        display()(busy);
}

} // namespace

CursorDisplay setCursorDisplay(CursorDisplay d)
{
    CursorDisplay previous = std::move(display());
    display() = std::move(d);
    return previous;
}

void setBusyCursor()
{
    if (g_busy)
        return;
    g_busy = true;
    show(true);
}

void resetCursor()
{
    if (!g_busy)
        return;
    g_busy = false;
    show(false);
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

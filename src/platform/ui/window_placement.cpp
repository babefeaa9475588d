#include "platform/ui/window_placement.h"

#include <QWidget>

#include <algorithm>

namespace ui {

QMargins windowFrame(const QWidget *window)
{
    const QRect client = window->geometry();
    const QRect frame = window->frameGeometry();
    const QMargins reported(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                            frame.bottom() - client.bottom());
    return QMargins(std::max(reported.left(), kAssumedWindowFrame.left()),
                    std::max(reported.top(), kAssumedWindowFrame.top()),
                    std::max(reported.right(), kAssumedWindowFrame.right()),
                    std::max(reported.bottom(), kAssumedWindowFrame.bottom()));
}

QRect frameRect(const QWidget *window)
{
    return window->geometry().marginsAdded(windowFrame(window));
}

QRect keptInside(const QRect &rect, const QRect &bounds)
{
    if (!bounds.isValid())
        return rect;
    QRect r(rect.topLeft(), rect.size().boundedTo(bounds.size()));
    r.moveLeft(std::clamp(r.left(), bounds.left(), bounds.left() + bounds.width() - r.width()));
    r.moveTop(std::clamp(r.top(), bounds.top(), bounds.top() + bounds.height() - r.height()));
    return r;
}

void keepWindowInside(QWidget *window, const QRect &bounds)
{
    const QMargins frame = windowFrame(window);
    const QRect outer = window->geometry().marginsAdded(frame);
    const QRect inside = keptInside(outer, bounds);
    if (inside == outer)
        return;
    // The client area of a window that cannot be made as small stays at
    // its smallest; it then keeps its top left corner (title bar and close
    // button) in view.
    const QRect client = inside.marginsRemoved(frame);
    window->setGeometry(QRect(client.topLeft(), client.size().expandedTo(window->minimumSize())));
}

} // namespace ui

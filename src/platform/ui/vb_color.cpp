#include "platform/ui/vb_color.h"

namespace ui {

QColor fromVbColor(long color)
{
    if (color < 0 || color > 0xFFFFFF)
        return QColor();
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

long toVbColor(const QColor &color)
{
    if (!color.isValid())
        return 0;
    const QColor rgb = color.toRgb();
    return long(rgb.red()) | (long(rgb.green()) << 8) | (long(rgb.blue()) << 16);
}

} // namespace ui

#pragma once
// Colour numbers. The program keeps colours as numbers 0x00BBGGRR (255 is
// red, 33023 orange, 16711680 blue) in its model and settings, and converts
// them only where a widget paints.

#include <QColor>

namespace ui {

// The colour of a number. A number outside 0..0xFFFFFF (a system colour or a
// damaged setting) gives an invalid QColor: the widget keeps its own colour.
QColor fromVbColor(long color);

// The number of a colour; its alpha is ignored. An invalid colour gives 0.
long toVbColor(const QColor &color);

} // namespace ui

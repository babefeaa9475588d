// Colour numbers 0x00BBGGRR and QColor.

#include "platform/ui/vb_color.h"

#include <gtest/gtest.h>

TEST(VbColor, NumbersToColoursAndBack)
{
    struct Case {
        long number;
        int r, g, b;
    };
    const Case cases[] = {
        {255, 255, 0, 0},      // red
        {33023, 255, 128, 0},  // orange
        {16711680, 0, 0, 255}, // blue
        {0, 0, 0, 0},          // black
        {16777215, 255, 255, 255},
        {16384, 0, 64, 0}, // default colour of facility nodes
        {128, 128, 0, 0},  // default colour of cost-item nodes
        {0x123456, 0x56, 0x34, 0x12},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number);
        const QColor colour = ui::fromVbColor(c.number);
        ASSERT_TRUE(colour.isValid());
        EXPECT_EQ(colour.red(), c.r);
        EXPECT_EQ(colour.green(), c.g);
        EXPECT_EQ(colour.blue(), c.b);
        EXPECT_EQ(ui::toVbColor(colour), c.number);
    }
}

TEST(VbColor, OutOfRangeAndInvalid)
{
    EXPECT_FALSE(ui::fromVbColor(-1).isValid());
    EXPECT_FALSE(ui::fromVbColor(0x1000000).isValid());
    EXPECT_FALSE(ui::fromVbColor(-2147483633L).isValid()); // a system colour
    EXPECT_EQ(ui::toVbColor(QColor()), 0);
    // Alpha is not part of the number; other colour models convert.
    EXPECT_EQ(ui::toVbColor(QColor(255, 128, 0, 10)), 33023);
    EXPECT_EQ(ui::toVbColor(QColor::fromHsv(240, 255, 255)), 16711680);
}

// The program's hourglass: one state, nested guards, reset by the error
// reporter in between.

#include "platform/ui/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

// Whether the hourglass is what the application shows.
bool hourglassShown()
{
    const QCursor *c = QGuiApplication::overrideCursor();
    return c && c->shape() == Qt::WaitCursor;
}

class BusyCursorTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ui::resetCursor();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "an override cursor was left behind";
    }
};

} // namespace

TEST_F(BusyCursorTest, IsOneStateNotAStack)
{
    ui::setBusyCursor();
    ui::setBusyCursor();
    EXPECT_TRUE(ui::isBusyCursor());
    EXPECT_TRUE(hourglassShown());
    ui::resetCursor();
    EXPECT_FALSE(ui::isBusyCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ui::resetCursor();  // resetting a normal pointer does nothing
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(BusyCursorTest, NestedGuardsRestoreTheStateFound)
{
    {
        ui::BusyCursor outer;
        EXPECT_TRUE(hourglassShown());
        {
            ui::BusyCursor inner;
            EXPECT_TRUE(hourglassShown());
        }
        EXPECT_TRUE(ui::isBusyCursor()) << "the inner guard switched the outer one's hourglass off";
        EXPECT_TRUE(hourglassShown());
    }
    EXPECT_FALSE(ui::isBusyCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(BusyCursorTest, ResetInsideAGuard)
{
    // The error reporter resets the pointer in the middle of a long
    // operation: the pointer is normal until the guard ends, and stays so.
    {
        ui::BusyCursor guard;
        ui::resetCursor();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_FALSE(ui::isBusyCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A guard inside a busy stretch puts the hourglass back that it found.
    ui::setBusyCursor();
    {
        ui::BusyCursor guard;
        ui::resetCursor();
    }
    EXPECT_TRUE(hourglassShown());
}

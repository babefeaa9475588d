// The program's hourglass: one state, nested guards, reset by the error
// reporter in between.

#include "platform/ui/busy_cursor.h"
#include "platform/ui/qt_busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Whether the hourglass is what the application shows.
bool hourglassShown()
{
    const QCursor *c = QGuiApplication::overrideCursor();
    return c && c->shape() == Qt::WaitCursor;
}

// With the display the program installs: the hourglass as Qt's override
// cursor.
class BusyCursorTest : public ::testing::Test {
protected:
    void SetUp() override { m_previous = ui::setCursorDisplay(ui::showOverrideCursor); }
    void TearDown() override
    {
        ui::resetCursor();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "an override cursor was left behind";
        ui::setCursorDisplay(m_previous);
    }

private:
    ui::CursorDisplay m_previous;
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
    ui::resetCursor(); // resetting a normal pointer does nothing
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

// The display is told of each change once, whatever the calls in between;
// without one the state is kept all the same.
TEST(BusyCursorDisplayTest, IsToldOfEachChangeOnly)
{
    std::vector<bool> shown;
    const ui::CursorDisplay previous = ui::setCursorDisplay([&shown](bool busy) { shown.push_back(busy); });
    ui::setBusyCursor();
    {
        ui::BusyCursor inner;
        ui::setBusyCursor();
    }
    ui::resetCursor();
    ui::resetCursor();
    {
        ui::BusyCursor guard;
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true, false}));

    ui::setCursorDisplay({});
    ui::setBusyCursor();
    EXPECT_TRUE(ui::isBusyCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ui::resetCursor();
    EXPECT_FALSE(ui::isBusyCursor());
    ui::setCursorDisplay(previous);
}

// The rules of the waste-forecast grid: the check of a typed cell.

#include "support/qstring_printer.h"

#include "screens/frmTonnage_rules.h"

#include "platform/ui/dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(ToetsCel, RefusesEmptyOutOfRangeAndNonNumericValuesAndAcceptsTheBounds)
{
    struct Case {
        int kolom;
        const char *v;
        const char *tekst; // nullptr: accepted
        ui::Icon icon;
        const char *titel;
    };
    const Case cases[] = {
        {0, "", "Invoer is niet volledig", ui::Icon::Exclamation, "Onvolledige invoer"},
        {1, "", "Invoer is niet volledig", ui::Icon::Exclamation, "Onvolledige invoer"},
        {0, "1899", "Jaartal 1899 wordt niet geaccepteerd.", ui::Icon::None, ""},
        {0, "3001", "Jaartal 3001 wordt niet geaccepteerd.", ui::Icon::None, ""},
        {0, "1900", nullptr, ui::Icon::None, ""},
        {0, "3000", nullptr, ui::Icon::None, ""},
        {1, "-1", "-1 wordt niet geaccepteerd.", ui::Icon::None, ""},
        {1, "2147483648", "2147483648 wordt niet geaccepteerd.", ui::Icon::None, ""},
        {1, "0", nullptr, ui::Icon::None, ""},
        {1, "2147483647", nullptr, ui::Icon::None, ""},
        {0, "twee", "Ongeldige invoer", ui::Icon::Exclamation, "Invoer prognose afvalaanbod"},
        {1, "1.5", "Ongeldige invoer", ui::Icon::Exclamation, "Invoer prognose afvalaanbod"},
        // Whole numbers only: a fraction is refused, never cut.
        {1, "12,5", "12,5 wordt niet geaccepteerd.", ui::Icon::None, ""},
        {0, "2010,5", "Jaartal 2010,5 wordt niet geaccepteerd.", ui::Icon::None, ""},
        {1, "12.500", nullptr, ui::Icon::None, ""},
        {1, "12,0", nullptr, ui::Icon::None, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.v) + " in column " + std::to_string(c.kolom));
        const auto w = screens::ToetsCel(c.kolom, QString::fromUtf8(c.v));
        if (!c.tekst) {
            EXPECT_FALSE(w.has_value());
            continue;
        }
        ASSERT_TRUE(w.has_value());
        EXPECT_EQ(w->tekst, QString::fromUtf8(c.tekst));
        EXPECT_EQ(w->icon, int(c.icon));
        EXPECT_EQ(w->titel, QString::fromUtf8(c.titel));
    }
}

} // namespace

// The choices of the target-fund and levy report and the check of its VAT
// field, without a window.

#include "support/qstring_printer.h"

#include "reports/frmDoelverm_rules.h"

#include <gtest/gtest.h>

using namespace reports;

namespace {

TEST(DoelvermTest, TheVatFieldTakesEmptyOrANumberFromZeroToThirty)
{
    struct Geval {
        const char *tekst;
        bool ok;
        std::optional<float> perc;
    };
    const Geval gevallen[] = {
        {"", true, std::nullopt}, {"  ", true, std::nullopt}, {"0", true, 0.0f},    {"19", true, 19.0f},
        {"12,5", true, 12.5f},    {"30", true, 30.0f},        {"30,01", false, {}}, {"-1", false, {}},
        {"abc", false, {}},       {"1x", false, {}},
    };
    for (const Geval &g : gevallen) {
        const BTWInvoer b = controleerBTW(QString::fromUtf8(g.tekst));
        EXPECT_EQ(b.ok, g.ok) << g.tekst;
        EXPECT_EQ(b.perc, g.perc) << g.tekst;
    }
}

TEST(DoelvermTest, ScreenOutputDropsTheWordOnlyPartsAndOkNeedsOnePart)
{
    DoelvermKeuzes k;
    EXPECT_TRUE(k.chkRapDV);
    EXPECT_EQ(k.optRapNaar, 1);
    EXPECT_EQ(k.optRapSort, 2);
    EXPECT_FALSE(k.alleenWord());

    k.optRapNaar = 2;
    k.chkVoorblad = k.chkRapUnselectedCLitems = true;
    k.ActualiseerKeuzes();
    EXPECT_TRUE(k.chkVoorblad && k.chkRapUnselectedCLitems);
    k.optRapNaar = 1;
    k.ActualiseerKeuzes();
    EXPECT_FALSE(k.chkVoorblad || k.chkRapUnselectedCLitems);

    k.chkRapDV = false;
    EXPECT_FALSE(k.okMogelijk());
    k.chkRapHef = true;
    EXPECT_TRUE(k.okMogelijk());
    k.kiesSortering(3);
    EXPECT_TRUE(k.chkRapDV);
    EXPECT_EQ(k.optRapSort, 3);
}

TEST(DoelvermTest, DivisionKeysAndTheProposedName)
{
    EXPECT_EQ(sorteerVeld(1), QStringLiteral("bytObjectCat_REF"));
    EXPECT_EQ(sorteerVeld(2), QStringLiteral("bytRubriek_REF"));
    EXPECT_EQ(sorteerVeld(3), QStringLiteral("bytIsQOR"));
    EXPECT_EQ(sorteerVeld(0), QString());
    EXPECT_EQ(voorgesteldeNaam(QStringLiteral("Alfa"), QDate(2024, 3, 5)),
              QStringLiteral("Rapportage Alfa 05-03-2024"));
    // Characters no file name may hold, as in the input-data report's name.
    EXPECT_EQ(voorgesteldeNaam(QStringLiteral("Put A/B: \"oost\""), QDate(2026, 12, 8)),
              QStringLiteral("Rapportage Put A_B_ _oost_ 08-12-2026"));
}

} // namespace

// Completeness of a cost item, group by group, with values on and outside
// every bound, missing values (Null and the empty text), numbers held in
// texts, numbers no field can hold (infinite, NaN, beyond the single range)
// and option codes the data does not define.

#include "records/act_completeness.h"

#include "support/scripted_dialogs_fixture.h"

#include <gtest/gtest.h>

#include <QVariant>

#include <limits>

namespace {

using namespace modVerifyAnSich;

const QVariant Null;
const QVariant Empty = QString();
// Numbers another tool may write into the data file: none is a usable
// value of any field.
const QVariant Inf = std::numeric_limits<double>::infinity();
const QVariant MinInf = -std::numeric_limits<double>::infinity();
const QVariant NaN = std::numeric_limits<double>::quiet_NaN();
const QVariant FloatInf = std::numeric_limits<float>::infinity();
const QVariant BeyondSingle = 1e39; // no single holds it

std::string show(const QVariant &v)
{
    if (!v.isValid())
        return "Null";
    return "'" + v.toString().toStdString() + "'";
}

struct YearCase {
    int option, flag;
    QVariant abs, rel, ba;
    bool expected;
};

std::string describe(const YearCase &c)
{
    return "option " + std::to_string(c.option) + ", flag " + std::to_string(c.flag) + ", years " + show(c.abs) + " "
           + show(c.rel) + " " + show(c.ba);
}

TEST(VerifyJaarStart, Table)
{
    const YearCase cases[] = {
        // calendar year
        {1, 0, 1970, Null, Null, true},
        {1, 0, 2300, Null, Null, true},
        {1, 0, 1969, Null, Null, false},
        {1, 0, 2301, Null, Null, false},
        {1, 0, Null, 5, Null, false},
        {1, 0, Empty, 5, Null, false},
        {1, 0, QStringLiteral("2031"), Null, Null, true},
        {1, 0, QStringLiteral("tweeduizend"), Null, Null, false},
        // after-care year
        {2, 0, Null, 0, Null, false},
        {2, 0, Null, 1, Null, true},
        {2, 0, Null, 1000, Null, true},
        {2, 0, Null, 1001, Null, false},
        {2, 0, 2031, Null, Null, false},
        // counted from the top liner
        {1, 1, 2000, Null, Null, false},
        {1, 1, 2000, Null, Empty, false},
        {1, 1, 2000, Null, 0, false},
        {1, 1, 2000, Null, 1, true},
        {1, 1, 2000, Null, 1000, true},
        {1, 1, 2000, Null, 1001, false},
        {2, 1, Null, 3, 5, true},
        {1, 1, 1969, Null, 5, false},
        {1, 0, 2000, Null, Null, true}, // no count: intStartBA is not read
        // codes the data does not define
        {0, 0, 2000, 5, Null, false},
        {3, 0, 2000, 5, Null, false},
        {1, 2, 2000, 5, 5, false},
        // numbers no field holds
        {1, 0, Inf, Null, Null, false},
        {2, 0, Null, NaN, Null, false},
        {2, 1, Null, 3, FloatInf, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VerifyJaarStart(c.option, c.flag, c.abs, c.rel, c.ba), c.expected) << describe(c);
}

TEST(VerifyJaarEind, Table)
{
    const YearCase cases[] = {
        // counted from the top liner: only presence counts, the option is
        // not looked at
        {1, 1, Null, Null, 5000, true},
        {9, 1, Null, Null, 0, true},
        {1, 1, 2040, Null, Null, false},
        {1, 1, 2040, Null, Empty, false},
        // calendar year
        {1, 0, 1970, Null, Null, true},
        {1, 0, 2300, Null, Null, true},
        {1, 0, 1969, Null, Null, false},
        {1, 0, 2301, Null, Null, false},
        {1, 0, Null, Null, Null, false},
        // after-care year
        {2, 0, Null, 0, Null, false},
        {2, 0, Null, 1, Null, true},
        {2, 0, Null, 1000, Null, true},
        {2, 0, Null, Empty, Null, false},
        // perpetual
        {3, 0, Null, Null, Null, true},
        // codes the data does not define
        {0, 0, 2040, 10, Null, false},
        {4, 0, 2040, 10, Null, false},
        {1, 2, 2040, 10, 10, false},
        // numbers no field holds, also where any number would do
        {1, 1, Null, Null, Inf, false},
        {1, 1, Null, Null, MinInf, false},
        {1, 1, Null, Null, NaN, false},
        {1, 1, Null, Null, BeyondSingle, false},
        {1, 1, Null, Null, QStringLiteral("1e400"), false},
        {1, 0, Inf, Null, Null, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VerifyJaarEind(c.option, c.flag, c.abs, c.rel, c.ba), c.expected) << describe(c);
}

struct CostCase {
    int option;
    QVariant perc, invest, totaal, pe, eenheid, aantal;
    bool expected;
};

TEST(VerifyKosten, Table)
{
    const QVariant m2 = QStringLiteral("m2");
    const CostCase cases[] = {
        // percentage of an investment
        {1, 100.0f, 5000.0f, Null, Null, Null, Null, true},
        {1, 0.01f, 5000.0f, Null, Null, Null, Null, true},
        {1, 0.0f, 5000.0f, Null, Null, Null, Null, false},
        {1, -1.0f, 5000.0f, Null, Null, Null, Null, false},
        {1, 100.5f, 5000.0f, Null, Null, Null, Null, false},
        {1, 10.0f, 0.0f, Null, Null, Null, Null, false},
        {1, 10.0f, -5000.0f, Null, Null, Null, Null, true},
        {1, Empty, 5000.0f, Null, Null, Null, Null, false},
        {1, 10.0f, Null, 1000.0f, Null, Null, Null, false},
        {1, QStringLiteral("12,5"), QStringLiteral("5.000"), Null, Null, Null, Null, true},
        // total amount
        {2, Null, Null, 0.0f, Null, Null, Null, true},
        {2, Null, Null, -10.0f, Null, Null, Null, true},
        {2, Null, Null, Null, Null, Null, Null, false},
        {2, Null, Null, Empty, Null, Null, Null, false},
        {2, 10.0f, 5000.0f, Null, Null, Null, Null, false},
        // units times price per unit
        {3, Null, Null, Null, 12.5f, m2, 100.0f, true},
        {3, Null, Null, Null, -12.5f, m2, 100.0f, true},
        {3, Null, Null, Null, 0.0f, m2, 100.0f, false},
        {3, Null, Null, Null, Null, m2, 100.0f, false},
        {3, Null, Null, Null, 12.5f, Empty, 100.0f, false},
        {3, Null, Null, Null, 12.5f, Null, 100.0f, false},
        {3, Null, Null, Null, 12.5f, m2, 0.0f, false},
        {3, Null, Null, Null, 12.5f, m2, -1.0f, false},
        {3, Null, Null, Null, 12.5f, m2, Null, false},
        // codes the data does not define
        {0, 10.0f, 5000.0f, 1000.0f, 12.5f, m2, 100.0f, false},
        {4, 10.0f, 5000.0f, 1000.0f, 12.5f, m2, 100.0f, false},
        // numbers no field holds, also where any number other than 0 would do
        {1, Inf, 5000.0f, Null, Null, Null, Null, false},
        {1, NaN, 5000.0f, Null, Null, Null, Null, false},
        {1, 10.0f, Inf, Null, Null, Null, Null, false},
        {1, 10.0f, MinInf, Null, Null, Null, Null, false},
        {1, 10.0f, NaN, Null, Null, Null, Null, false},
        {1, 10.0f, BeyondSingle, Null, Null, Null, Null, false},
        {2, Null, Null, Inf, Null, Null, Null, false},
        {2, Null, Null, MinInf, Null, Null, Null, false},
        {2, Null, Null, NaN, Null, Null, Null, false},
        {2, Null, Null, FloatInf, Null, Null, Null, false},
        {2, Null, Null, BeyondSingle, Null, Null, Null, false},
        {2, Null, Null, QStringLiteral("1e400"), Null, Null, Null, false},
        {3, Null, Null, Null, Inf, m2, 100.0f, false},
        {3, Null, Null, Null, NaN, m2, 100.0f, false},
        {3, Null, Null, Null, 12.5f, m2, Inf, false},
        {3, Null, Null, Null, 12.5f, m2, NaN, false},
        {3, Null, Null, Null, 12.5f, m2, BeyondSingle, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VerifyKosten(c.option, c.perc, c.invest, c.totaal, c.pe, c.eenheid, c.aantal), c.expected)
            << "option " << c.option << ": " << show(c.perc) << " " << show(c.invest) << " " << show(c.totaal) << " "
            << show(c.pe) << " " << show(c.eenheid) << " " << show(c.aantal);
}

TEST(VerifyFreq, Table)
{
    const struct {
        int option;
        QVariant x;
        bool expected;
    } cases[] = {
        {1, Null, true},  {1, 0, true},      {2, 1, true},  {2, 1000, true}, {2, 0, false},   {2, 1001, false},
        {2, Null, false}, {2, Empty, false}, {3, 1, true},  {3, 1000, true}, {3, 0, false},   {3, -5, false},
        {3, Null, false}, {0, 5, false},     {4, 5, false}, {2, Inf, false}, {3, NaN, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VerifyFreq(c.option, c.x), c.expected) << "option " << c.option << ", " << show(c.x);
}

// The surcharge check may show a box; every case runs under a script, so an
// unexpected box fails the test.
class VerifyVervangingsToeslagTest : public testsupport::ScriptedDialogsTest {};

TEST_F(VerifyVervangingsToeslagTest, Table)
{
    const struct {
        bool gediff;
        int rubriek;
        QVariant type, perc;
        bool expected;
    } cases[] = {
        // outside the differentiated scheme, or outside rubric 5: always
        {false, 5, 0, Null, true},
        {false, 5, 7, Null, true},
        {false, 5, 99, Null, true},
        {true, 4, 0, Null, true},
        {true, 4, 7, Null, true},
        // rubric 5 under the differentiated scheme
        {true, 5, 0, Null, false},
        {true, 5, 7, Null, false},
        {true, 5, Null, Null, false},
        {true, 5, Empty, Null, false},
        {true, 5, 1, Null, true},
        {true, 5, 2, 6.25f, true},
        {true, 5, 2, 100.0f, true},
        {true, 5, 2, 100.5f, false},
        {true, 5, 2, 0.0f, false},
        {true, 5, 2, Null, false},
        {true, 5, 2, Empty, false},
        {true, 5, 3, 5.0f, true},
        {true, 5, 3, Null, false},
        {true, 5, QStringLiteral("3"), QStringLiteral("5"), true},
        // numbers no field holds: no type, no percentage (and no box)
        {true, 5, NaN, Null, false},
        {true, 5, Inf, Null, false},
        {true, 5, 2, NaN, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VerifyVervangingsToeslag(c.gediff, c.rubriek, c.type, c.perc), c.expected)
            << "scheme " << c.gediff << ", rubric " << c.rubriek << ", type " << show(c.type) << ", " << show(c.perc);
}

TEST_F(VerifyVervangingsToeslagTest, UnknownTypeIsReportedAndIncomplete)
{
    script.expectMsgBox(ui::Icon::Critical, QStringLiteral("Controle invoer vervangingstoeslag"),
                        QStringLiteral("Onbekende conditie vervangingstoeslag"));
    EXPECT_FALSE(VerifyVervangingsToeslag(true, 5, 4, 6.0f));
}

} // namespace

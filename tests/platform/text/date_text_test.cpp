// Dates and times as text with Dutch names, and reading typed dates.

#include "platform/text/date_text.h"

#include "platform/core/error.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const QDateTime march1(QDate(2031, 3, 1), QTime(9, 5, 7)); // a Saturday

TEST(VbTextDate, PicturesOfTheReports)
{
    EXPECT_EQ(vb::Format(march1, QStringLiteral(" d-mmm-yyyy  hh:nn")), QStringLiteral(" 1-mrt-2031  09:05"));
    EXPECT_EQ(vb::Format(QDateTime(QDate(2024, 12, 24), QTime(23, 59)), QStringLiteral(" d-mmm-yyyy  hh:nn")),
              QStringLiteral(" 24-dec-2024  23:59"));
}

TEST(VbTextDate, DayMonthAndYearPlaces)
{
    const struct {
        const char *picture;
        const char *expected;
    } cases[] = {
        {"d", "1"},
        {"dd", "01"},
        {"ddd", "za"},
        {"dddd", "zaterdag"},
        {"m", "3"},
        {"mm", "03"},
        {"mmm", "mrt"},
        {"mmmm", "maart"},
        {"yy", "31"},
        {"yyyy", "2031"},
        {"y", "60"},
        {"q", "1"},
        {"w", "7"},
        {"dd-mm-yyyy", "01-03-2031"},
        {"dd/mm/yy", "01-03-31"},
        {"DD-MM-YYYY", "01-03-2031"},
        {"yyyy-mm-dd", "2031-03-01"},
        {"dddd d mmmm yyyy", "zaterdag 1 maart 2031"},
        {"\\d\\a\\g d", "dag 1"},
        {"\"maand\" m", "maand 3"},
        {"c", "1-3-2031 09:05:07"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(vb::Format(march1, QString::fromUtf8(c.picture)), QString::fromUtf8(c.expected)) << c.picture;
}

TEST(VbTextDate, TimePlacesAndMinutesAfterAnHour)
{
    EXPECT_EQ(vb::Format(march1, QStringLiteral("hh:nn:ss")), QStringLiteral("09:05:07"));
    EXPECT_EQ(vb::Format(march1, QStringLiteral("h:n:s")), QStringLiteral("9:5:7"));
    EXPECT_EQ(vb::Format(march1, QStringLiteral("hh:mm")), QStringLiteral("09:05"));
    EXPECT_EQ(vb::Format(march1, QStringLiteral("h mm")), QStringLiteral("9 05"));
    EXPECT_EQ(vb::Format(march1, QStringLiteral("mm hh")), QStringLiteral("03 09"));
    EXPECT_EQ(vb::Format(march1, QStringLiteral("hh:nn mm")), QStringLiteral("09:05 03"));
}

TEST(VbTextDate, MonthNamesAreDutchLowerCaseWithoutDot)
{
    const char *shortNames[] = {"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"};
    const char *longNames[] = {"januari", "februari", "maart",     "april",   "mei",      "juni",
                               "juli",    "augustus", "september", "oktober", "november", "december"};
    for (int m = 1; m <= 12; ++m) {
        const QDate d(2031, m, 15);
        EXPECT_EQ(vb::Format(d, QStringLiteral("mmm")), QString::fromUtf8(shortNames[m - 1]));
        EXPECT_EQ(vb::Format(d, QStringLiteral("mmmm")), QString::fromUtf8(longNames[m - 1]));
        EXPECT_EQ(vb::shortMonthName(m), QString::fromUtf8(shortNames[m - 1]));
        EXPECT_EQ(vb::longMonthName(m), QString::fromUtf8(longNames[m - 1]));
    }
}

TEST(VbTextDate, NamedFormats)
{
    EXPECT_EQ(vb::Format(march1, QStringLiteral("Short Date")), QStringLiteral("1-3-2031"));
    EXPECT_EQ(vb::Format(march1, QStringLiteral("Long Date")), QStringLiteral("zaterdag 1 maart 2031"));
    EXPECT_EQ(vb::Format(march1, QStringLiteral("Short Time")), QStringLiteral("09:05"));
    EXPECT_EQ(vb::Format(march1, QStringLiteral("long time")), QStringLiteral("09:05:07"));
    EXPECT_EQ(vb::Format(march1, QStringLiteral("General Date")), QStringLiteral("1-3-2031 09:05:07"));
}

TEST(VbTextDate, DefaultTextShowsATimeOnlyWhenThereIsOne)
{
    EXPECT_EQ(vb::CStr(QDate(2031, 3, 1)), QStringLiteral("1-3-2031"));
    EXPECT_EQ(vb::CStr(QDate(2031, 12, 16)), QStringLiteral("16-12-2031"));
    EXPECT_EQ(vb::CStr(QDateTime(QDate(2031, 3, 1), QTime(0, 0))), QStringLiteral("1-3-2031"));
    EXPECT_EQ(vb::CStr(QDateTime(QDate(2031, 3, 1), QTime(14, 30))), QStringLiteral("1-3-2031 14:30:00"));
    EXPECT_EQ(vb::CStr(QTime(9, 30)), QStringLiteral("09:30:00"));
    EXPECT_EQ(vb::CStr(QDate()), QString());
    EXPECT_EQ(vb::CStr(QDateTime()), QString());
    EXPECT_EQ(vb::Format(QDate(), QStringLiteral("d-mmm-yyyy")), QString());
}

TEST(VbTextDate, TypedDatesThatAreAccepted)
{
    const int thisYear = QDate::currentDate().year();
    const struct {
        const char *text;
        QDate date;
        QTime time;
    } cases[] = {
        {"1-3-2031", QDate(2031, 3, 1), QTime(0, 0)},
        {" 01-03-2031 ", QDate(2031, 3, 1), QTime(0, 0)},
        {"01/03/29", QDate(2029, 3, 1), QTime(0, 0)},
        {"1.3.2031", QDate(2031, 3, 1), QTime(0, 0)},
        {"1 3 2031", QDate(2031, 3, 1), QTime(0, 0)},
        {"16-12-2031", QDate(2031, 12, 16), QTime(0, 0)},
        {"1 maart 2031", QDate(2031, 3, 1), QTime(0, 0)},
        {"1-mrt-2031", QDate(2031, 3, 1), QTime(0, 0)},
        {"1 MRT 2031", QDate(2031, 3, 1), QTime(0, 0)},
        {"1-mrt.-2031", QDate(2031, 3, 1), QTime(0, 0)},
        {"1 sept 2031", QDate(2031, 9, 1), QTime(0, 0)},
        {"1-okt-31", QDate(1931, 10, 1), QTime(0, 0)}, // two-digit years 30-99 are 19xx
        {"2031-03-01", QDate(2031, 3, 1), QTime(0, 0)},
        {"1-3-29", QDate(2029, 3, 1), QTime(0, 0)},
        {"1-3-30", QDate(1930, 3, 1), QTime(0, 0)},
        {"29-2-2032", QDate(2032, 2, 29), QTime(0, 0)},
        {"1-3-2031 9:30", QDate(2031, 3, 1), QTime(9, 30)},
        {"1-3-2031 14:30:15", QDate(2031, 3, 1), QTime(14, 30, 15)},
        {"9:30", QDate(1899, 12, 30), QTime(9, 30)},
        {"1-3", QDate(thisYear, 3, 1), QTime(0, 0)},
        {"1 mei", QDate(thisYear, 5, 1), QTime(0, 0)},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        ASSERT_TRUE(vb::IsDate(text)) << c.text;
        const QDateTime value = vb::CDate(text);
        EXPECT_EQ(value.date(), c.date) << c.text;
        EXPECT_EQ(value.time(), c.time) << c.text;
    }
}

TEST(VbTextDate, TextsThatAreNotDates)
{
    const char *texts[] = {"",           "abc",       "maart",      "31-2-2031",      "29-2-2031",     "32-1-2031",
                           "13-13-2031", "1-ma-2031", "1-xyz-2031", "1-3-2031 25:00", "1-3-2031 9:75", "4,5",
                           "1234",       "1-3-2031x", "2031-13-01", "1-3-20311"};
    for (const char *t : texts) {
        const QString text = QString::fromUtf8(t);
        EXPECT_FALSE(vb::IsDate(text)) << t;
        try {
            vb::CDate(text);
            ADD_FAILURE() << "accepted " << t;
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), 13) << t;
        }
    }
}

TEST(VbTextDate, ADateReadsBackFromItsOwnText)
{
    std::vector<QDate> dates;
    for (QDate d(2030, 1, 1); d.year() == 2030; d = d.addDays(13))
        dates.push_back(d);
    // Years of fewer than four digits are written with four.
    for (int year : {100, 231, 999, 1000, 9999})
        dates.push_back(QDate(year, 7, 16));
    for (const QDate &d : dates) {
        EXPECT_EQ(vb::CDate(vb::CStr(d)).date(), d) << vb::CStr(d).toStdString();
        EXPECT_EQ(vb::CDate(vb::Format(d, QStringLiteral("d mmmm yyyy"))).date(), d);
        EXPECT_EQ(vb::CDate(vb::Format(d, QStringLiteral("dd-mmm-yyyy"))).date(), d);
    }
    EXPECT_EQ(vb::CStr(QDate(231, 1, 1)), QStringLiteral("1-1-0231"));
}

} // namespace

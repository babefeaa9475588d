// The formatter gives the same Dutch texts whatever the process locale, the
// default QLocale and the global C++ locale are.

#include "platform/text/format.h"

#include "process_locale.h"

#include "support/qstring_printer.h"

#include <QLocale>
#include <QStringList>
#include <clocale>
#include <gtest/gtest.h>
#include <locale>
#include <string>

namespace {

// A sample of every kind of text the formatter makes, and reads back.
QStringList sample()
{
    const QDateTime when(QDate(2031, 3, 1), QTime(9, 5));
    return {
        vb::Format(1234567.891, QStringLiteral("€ #,##0.00")),
        vb::Format(-1234.0, QStringLiteral("€ #,#0")),
        vb::Format(0.0506, QStringLiteral("0.0%")),
        vb::Format(0.285f, QStringLiteral("0.00")),
        vb::Format(0.0, QStringLiteral("#,#")),
        vb::CStr(34.444443f),
        vb::CStr(12345678.0f),
        vb::CStr(1.0 / 3.0),
        vb::Str(-1.5),
        vb::Format(when, QStringLiteral(" d-mmm-yyyy  hh:nn")),
        vb::Format(when, QStringLiteral("dddd d mmmm")),
        vb::CStr(when),
        vb::CStr(vb::Val(QStringLiteral("4.5"))),
        vb::CStr(vb::Val(QStringLiteral("4,5"))),
        vb::CStr(vb::CDbl(QStringLiteral("1.234,5"))),
        vb::CStr(vb::CSng(QStringLiteral("0,1"))),
        vb::IsNumeric(QStringLiteral("4.5")) ? QStringLiteral("numeric") : QStringLiteral("not numeric"),
        vb::CStr(vb::CDate(QStringLiteral("1 maart 2031"))),
        QString::number(vb::CInt(QStringLiteral("2,5"))),
    };
}

const QStringList expected = {
    QStringLiteral("€ 1.234.567,89"),
    QStringLiteral("-€ 1.234"),
    QStringLiteral("5,1%"),
    QStringLiteral("0,28"),
    QString(),
    QStringLiteral("34,44444"),
    QStringLiteral("1,234568E+07"),
    QStringLiteral("0,333333333333333"),
    QStringLiteral("-1.5"),
    QStringLiteral(" 1-mrt-2031  09:05"),
    QStringLiteral("zaterdag 1 maart"),
    QStringLiteral("1-3-2031 09:05:00"),
    QStringLiteral("4,5"),
    QStringLiteral("4"),
    QStringLiteral("1234,5"),
    QStringLiteral("0,1"),
    QStringLiteral("not numeric"),
    QStringLiteral("1-3-2031"),
    QStringLiteral("2"),
};

// Switches every locale the process has to something else, and back: the
// default QLocale to `qtLocale`, the C and C++ locales to German, whose
// month names ("März") would show through if used.
class OtherLocale {
public:
    explicit OtherLocale(const QLocale &qtLocale) : m_qtLocale(QLocale()), m_process("de_DE.UTF-8")
    {
        QLocale::setDefault(qtLocale);
    }
    ~OtherLocale() { QLocale::setDefault(m_qtLocale); }
    ::testing::AssertionResult isSet() const { return m_process.isSet(); }

private:
    QLocale m_qtLocale;
    texttest::ProcessLocale m_process;
};

TEST(VbTextLocale, TextsUnderTheCLocale)
{
    EXPECT_EQ(sample(), expected);
}

TEST(VbTextLocale, TextsDoNotChangeWithAnEnglishDefaultLocale)
{
    {
        OtherLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
        ASSERT_TRUE(english.isSet());
        EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral("."));
        EXPECT_EQ(sample(), expected);
    }
    EXPECT_EQ(sample(), expected);
}

TEST(VbTextLocale, TextsDoNotChangeWithAGermanDefaultLocale)
{
    // German swaps nothing relative to Dutch numbers, but names its months
    // differently ("März") and would show through if used.
    OtherLocale german(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(german.isSet());
    EXPECT_EQ(sample(), expected);
}

TEST(VbTextLocale, LocalesAreRestoredAfterwards)
{
    const QLocale before;
    const std::string cBefore = std::setlocale(LC_ALL, nullptr);
    {
        OtherLocale english{QLocale(QLocale::English)};
        ASSERT_TRUE(english.isSet());
        EXPECT_NE(std::string(std::setlocale(LC_ALL, nullptr)), cBefore);
    }
    EXPECT_EQ(QLocale(), before);
    EXPECT_EQ(std::string(std::setlocale(LC_ALL, nullptr)), cBefore);
}

} // namespace

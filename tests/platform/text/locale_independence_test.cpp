// The formatter gives the same Dutch texts whatever the process locale, the
// default QLocale and the global C++ locale are.

#include "platform/text/format.h"

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

// Switches every locale the process has to something else, and back.
class OtherLocale {
public:
    explicit OtherLocale(const QLocale &qtLocale)
        : m_qtLocale(QLocale()), m_cLocale(std::setlocale(LC_ALL, nullptr)), m_cppLocale()
    {
        QLocale::setDefault(qtLocale);
        for (const char *name : {"nl_NL.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "en_US.UTF-8", "C.UTF-8"}) {
            if (std::setlocale(LC_ALL, name)) {
                m_switchedTo = name;
                break;
            }
        }
        try {
            std::locale::global(std::locale(""));
        } catch (const std::runtime_error &) {
        }
    }
    ~OtherLocale()
    {
        std::locale::global(m_cppLocale);
        std::setlocale(LC_ALL, m_cLocale.c_str());
        QLocale::setDefault(m_qtLocale);
    }
    const std::string &switchedTo() const { return m_switchedTo; }

private:
    QLocale m_qtLocale;
    std::string m_cLocale;
    std::locale m_cppLocale;
    std::string m_switchedTo;
};

TEST(VbTextLocale, TextsUnderTheCLocale)
{
    EXPECT_EQ(sample(), expected);
}

TEST(VbTextLocale, TextsDoNotChangeWithAnEnglishDefaultLocale)
{
    {
        OtherLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
        EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral("."));
        EXPECT_EQ(sample(), expected) << "process locale " << english.switchedTo();
    }
    EXPECT_EQ(sample(), expected);
}

TEST(VbTextLocale, TextsDoNotChangeWithAGermanDefaultLocale)
{
    // German swaps nothing relative to Dutch numbers, but names its months
    // differently ("März") and would show through if used.
    OtherLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(sample(), expected) << "process locale " << german.switchedTo();
}

TEST(VbTextLocale, LocalesAreRestoredAfterwards)
{
    const QLocale before;
    const std::string cBefore = std::setlocale(LC_ALL, nullptr);
    {
        OtherLocale english{QLocale(QLocale::English)};
    }
    EXPECT_EQ(QLocale(), before);
    EXPECT_EQ(std::string(std::setlocale(LC_ALL, nullptr)), cBefore);
}

} // namespace

// Format, CStr and IsNumeric of field values held in QVariants.

#include "platform/text/variant_text.h"

#include "support/qstring_printer.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

TEST(VbTextVariant, NullGivesAnEmptyText)
{
    EXPECT_EQ(vb::Format(QVariant(), QStringLiteral("0.00")), QString());
    EXPECT_EQ(vb::Format(QVariant(QMetaType(QMetaType::Double)), QStringLiteral("€ #,#0")), QString());
    EXPECT_EQ(vb::CStr(QVariant()), QString());
    EXPECT_EQ(vb::CStr(QVariant(QMetaType(QMetaType::Float))), QString());
    EXPECT_FALSE(vb::IsNumeric(QVariant()));
}

TEST(VbTextVariant, NumbersFollowTheirStoredType)
{
    EXPECT_EQ(vb::Format(QVariant(1234.5), QStringLiteral("#,##0.00")), QStringLiteral("1.234,50"));
    EXPECT_EQ(vb::Format(QVariant(0.285f), QStringLiteral("0.00")), QStringLiteral("0,28"));
    EXPECT_EQ(vb::Format(QVariant(1234), QStringLiteral("€ #,##0")), QStringLiteral("€ 1.234"));
    EXPECT_EQ(vb::Format(QVariant::fromValue<qint16>(-12), QStringLiteral("0")), QStringLiteral("-12"));
    EXPECT_EQ(vb::Format(QVariant::fromValue<quint8>(200), QStringLiteral("0")), QStringLiteral("200"));
    EXPECT_EQ(vb::CStr(QVariant(34.444443f)), QStringLiteral("34,44444"));
    EXPECT_EQ(vb::CStr(QVariant(34.444443)), QStringLiteral("34,444443"));
    EXPECT_EQ(vb::CStr(QVariant(qint64(5))), QStringLiteral("5"));
}

TEST(VbTextVariant, BooleansAndDates)
{
    EXPECT_EQ(vb::Format(QVariant(true), QStringLiteral("0")), QStringLiteral("-1"));
    EXPECT_EQ(vb::CStr(QVariant(true)), QStringLiteral("True"));
    EXPECT_EQ(vb::CStr(QVariant(false)), QStringLiteral("False"));
    EXPECT_EQ(vb::CStr(QVariant(QDate(2031, 3, 1))), QStringLiteral("1-3-2031"));
    EXPECT_EQ(vb::Format(QVariant(QDate(2031, 3, 1)), QStringLiteral("d mmmm yyyy")), QStringLiteral("1 maart 2031"));
    EXPECT_EQ(vb::CStr(QVariant(QDateTime(QDate(2031, 3, 1), QTime(8, 0)))), QStringLiteral("1-3-2031 08:00:00"));
}

TEST(VbTextVariant, TextsUnderAPictureAreReadAsNumbersOrDates)
{
    EXPECT_EQ(vb::Format(QVariant(QStringLiteral("1234,5")), QStringLiteral("#,##0.00")), QStringLiteral("1.234,50"));
    EXPECT_EQ(vb::Format(QVariant(QStringLiteral("1-3-2031")), QStringLiteral("d mmm yyyy")),
              QStringLiteral("1 mrt 2031"));
    EXPECT_EQ(vb::Format(QVariant(QStringLiteral("abc")), QStringLiteral("0")), QStringLiteral("abc"));
    EXPECT_EQ(vb::Format(QVariant(QStringLiteral("4.5")), QStringLiteral("0.00")), QStringLiteral("4.5"));
    EXPECT_EQ(vb::Format(QVariant(QStringLiteral("1234,5")), QString()), QStringLiteral("1234,5"));
    EXPECT_EQ(vb::CStr(QVariant(QStringLiteral("tekst"))), QStringLiteral("tekst"));
}

TEST(VbTextVariant, IsNumericByType)
{
    EXPECT_TRUE(vb::IsNumeric(QVariant(5)));
    EXPECT_TRUE(vb::IsNumeric(QVariant(2.5)));
    EXPECT_TRUE(vb::IsNumeric(QVariant(true)));
    EXPECT_TRUE(vb::IsNumeric(QVariant(QStringLiteral("4,5"))));
    EXPECT_FALSE(vb::IsNumeric(QVariant(QStringLiteral("4.5"))));
    EXPECT_FALSE(vb::IsNumeric(QVariant(QString())));
    EXPECT_FALSE(vb::IsNumeric(QVariant(QDate(2031, 3, 1))));
}

} // namespace

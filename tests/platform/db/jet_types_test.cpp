#include "platform/core/error_numbers.h"
#include "platform/db/jet_types.h"
#include "test_db.h"

#include <cfloat>

using namespace db;
using dbtest::expectError;

TEST(JetTypes, DeclaredTypesMapToKinds)
{
    struct Case {
        const char *decl;
        bool autoinc;
        JetKind kind;
        int width;
    };
    const Case cases[] = {
        {"INTEGER", true, JetKind::AutoNumber, 0}, {"INTEGER", false, JetKind::Long, 0},
        {"SMALLINT", false, JetKind::Integer, 0},  {"tinyint", false, JetKind::Byte, 0},
        {"REAL", false, JetKind::Single, 0},       {"DOUBLE", false, JetKind::Double, 0},
        {"CURRENCY", false, JetKind::Currency, 0}, {"DATETIME", false, JetKind::Date, 0},
        {"VARCHAR(20)", false, JetKind::Text, 20}, {"varchar ( 50 )", false, JetKind::Text, 50},
        {"LONGTEXT", false, JetKind::Memo, 0},     {"BIT", false, JetKind::YesNo, 0},
        {"TEXT", false, JetKind::Memo, 0},         {"", false, JetKind::Unknown, 0},
        {"BLOB", false, JetKind::Unknown, 0},
    };
    for (const Case &c : cases) {
        const ColumnType t = columnTypeOf(QString::fromUtf8(c.decl), c.autoinc);
        EXPECT_EQ(t.kind, c.kind) << c.decl;
        EXPECT_EQ(t.width, c.width) << c.decl;
    }
    // and back, exactly as the file conventions declare them
    EXPECT_EQ(declaredTypeFor(JetKind::Text, 50), "VARCHAR(50) COLLATE NOCASE");
    EXPECT_EQ(declaredTypeFor(JetKind::Memo), "LONGTEXT COLLATE NOCASE");
    EXPECT_EQ(declaredTypeFor(JetKind::AutoNumber), "INTEGER PRIMARY KEY AUTOINCREMENT");
    EXPECT_EQ(declaredTypeFor(JetKind::YesNo), "BIT");
    EXPECT_EQ(declaredTypeFor(JetKind::Currency), "CURRENCY");
}

TEST(JetTypes, WriteRulesAcceptAndConvert)
{
    struct Case {
        JetKind kind;
        int width;
        QVariant in;
        QVariant out;
    };
    const QDateTime noon(QDate(2030, 1, 16), QTime(12, 0));
    const Case cases[] = {
        {JetKind::Byte, 0, 255, 255},
        {JetKind::Byte, 0, 0, 0},
        {JetKind::Byte, 0, 2.5, 2}, // half to even
        {JetKind::Byte, 0, 3.5, 4},
        {JetKind::Integer, 0, -32768, -32768},
        {JetKind::Integer, 0, 32767.4, 32767},
        {JetKind::Integer, 0, -2.5, -2},
        {JetKind::Long, 0, qlonglong(2147483647), 2147483647},
        {JetKind::Long, 0, QString(" 42 "), 42},
        {JetKind::Long, 0, QString("1.5e1"), 15},
        {JetKind::Long, 0, true, -1},
        {JetKind::Single, 0, 34.444443, QVariant(34.444443f)},
        {JetKind::Single, 0, QString("0.1"), QVariant(0.1f)},
        {JetKind::Double, 0, 0.1, 0.1},
        {JetKind::Currency, 0, 1.23456, 1.2346},
        {JetKind::Currency, 0, 10, 10.0},
        {JetKind::Text, 5, QString("12345"), QString("12345")},
        {JetKind::Text, 5, 31, QString("31")},
        {JetKind::Memo, 0, QString(10000, 'x'), QString(10000, 'x')},
        {JetKind::YesNo, 0, true, true},
        {JetKind::YesNo, 0, 5, true},
        {JetKind::YesNo, 0, 0, false},
        {JetKind::Date, 0, noon, noon},
        {JetKind::Date, 0, QDate(2030, 1, 1), QDateTime(QDate(2030, 1, 1), QTime(0, 0))},
        {JetKind::Date, 0, QString("2030-01-16 12:00:00"), noon},
        {JetKind::Long, 0, QVariant(), QVariant()},
    };
    for (const Case &c : cases) {
        const QVariant got = checkedValue({c.kind, c.width}, c.in, "tblT", "fld");
        EXPECT_EQ(got.typeId(), c.out.typeId())
            << kindName(c.kind).toStdString() << " " << c.in.toString().toStdString();
        EXPECT_EQ(got, c.out) << kindName(c.kind).toStdString() << " " << c.in.toString().toStdString();
    }
}

TEST(JetTypes, WriteRulesRefuseWithTableAndField)
{
    struct Case {
        JetKind kind;
        int width;
        QVariant in;
        long number;
    };
    const Case cases[] = {
        {JetKind::Byte, 0, 256, err::kNumericOverflow},
        {JetKind::Byte, 0, -1, err::kNumericOverflow},
        {JetKind::Byte, 0, true, err::kNumericOverflow}, // True is -1
        {JetKind::Integer, 0, 32768, err::kNumericOverflow},
        {JetKind::Integer, 0, 32767.5, err::kNumericOverflow}, // rounds to 32768
        {JetKind::Long, 0, qlonglong(2147483648LL), err::kNumericOverflow},
        {JetKind::Single, 0, 1e39, err::kNumericOverflow},
        {JetKind::Long, 0, QString("abc"), err::kTypeConversion},
        {JetKind::Long, 0, QString("4,5"), err::kTypeConversion}, // only the invariant form
        {JetKind::Long, 0, QString(""), err::kTypeConversion},
        {JetKind::Double, 0, QString("1e"), err::kTypeConversion},
        {JetKind::Double, 0, std::numeric_limits<double>::quiet_NaN(), err::kTypeConversion},
        {JetKind::Date, 0, QString("16-01-2030"), err::kTypeConversion},
        {JetKind::Date, 0, 5, err::kTypeConversion},
        {JetKind::Text, 20, QString(21, 'x'), err::kFieldTooSmall},
        {JetKind::Text, 20, 2.5, err::kTypeConversion},
        {JetKind::YesNo, 0, QString("True"), err::kTypeConversion},
        {JetKind::AutoNumber, 0, 5, err::kFieldNotUpdatable},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(kindName(c.kind).toStdString() + " " + c.in.toString().toStdString());
        const auto e = expectError(c.number, [&] { checkedValue({c.kind, c.width}, c.in, "tblAct", "strEenheid"); });
        EXPECT_TRUE(e.description().contains("'strEenheid'")) << e.description().toStdString();
        EXPECT_TRUE(e.description().contains("'tblAct'")) << e.description().toStdString();
    }
    const auto e = expectError(err::kFieldTooSmall, [] {
        checkedValue({JetKind::Text, 20}, QString(21, 'x'), "tblAct", "strEenheid");
    });
    EXPECT_EQ(e.description(),
              "De waarde is te lang voor het veld 'strEenheid' van tabel 'tblAct' (maximaal 20 tekens).");
}

TEST(JetTypes, DateTextForm)
{
    const QDateTime dt(QDate(2030, 1, 1), QTime(7, 5, 9));
    EXPECT_EQ(dateTimeText(dt), "2030-01-01 07:05:09");
    EXPECT_EQ(parseDateTimeText("2030-01-01 07:05:09"), dt);
    EXPECT_EQ(parseDateTimeText("2030-01-01"), QDateTime(QDate(2030, 1, 1), QTime(0, 0)));
    EXPECT_FALSE(parseDateTimeText("2030-02-30").isValid());
    EXPECT_FALSE(parseDateTimeText("1/1/2030").isValid());
}

TEST(JetTypes, RoundHalfEven)
{
    const std::pair<double, double> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {-0.5, 0},
                                               {-1.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.6, -3}};
    for (const auto &[in, out] : cases)
        EXPECT_EQ(roundHalfEven(in), out) << in;
}

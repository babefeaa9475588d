// The reader and writer of ADO's XML persistence format: files that ADO
// itself wrote (third-party samples, read from their shared folder), our own
// output read back, and files that must be refused.

#include "support/qstring_printer.h"

#include "shell/ado_xml.h"

#include "platform/core/error.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <limits>

namespace {

QByteArray sample(const char *name)
{
    QFile f(QStringLiteral(TAVIR_ADO_XML_SAMPLES) + QLatin1Char('/') + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

#define NEED_SAMPLE(bytes, name)           \
    const QByteArray bytes = sample(name); \
    if (bytes.isEmpty())                   \
        GTEST_SKIP() << "sample " << name << " not found in " TAVIR_ADO_XML_SAMPLES;

QString text(const adoxml::RowType &t, const adoxml::Row &row, const char *column)
{
    const int i = t.columnIndex(QLatin1String(column));
    if (i < 0)
        return QStringLiteral("<no column>");
    return row.values[size_t(i)] ? *row.values[size_t(i)] : QStringLiteral("<null>");
}

QStringList columnNames(const adoxml::RowType &t)
{
    QStringList names;
    for (const adoxml::Column &c : t.columns)
        names << c.name + QLatin1Char(':') + c.dtType;
    return names;
}

TEST(AdoXmlSamples, TwoLevelsWithARelationThatAdoBrokeOverTwoLines)
{
    NEED_SAMPLE(bytes, "orders_lines_shape.xml");
    const adoxml::Rowset rs = adoxml::read(bytes);
    EXPECT_EQ(columnNames(rs.type), QStringList({"OrderId:int", "CustomerId:int", "Freight:number"}));
    EXPECT_EQ(rs.type.columns[2].dbType, QStringLiteral("currency"));
    ASSERT_EQ(rs.type.chapters.size(), 1u);
    const adoxml::RowType &lines = rs.type.chapters[0];
    EXPECT_EQ(lines.name, QStringLiteral("Lines"));
    EXPECT_EQ(lines.relation, (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(columnNames(lines), QStringList({"OrderId:int", "LineId:i8", "Quantity:i2"}));
    ASSERT_EQ(rs.rows.size(), 3u);
    EXPECT_EQ(text(rs.type, rs.rows[1], "Freight"), QStringLiteral("9.7"));
    EXPECT_EQ(adoxml::typedValue(rs.type.columns[2], rs.rows[2].values[2]).toDouble(), 12.05);
    ASSERT_EQ(rs.rows[2].chapters[0].size(), 3u);
    EXPECT_EQ(text(lines, rs.rows[2].chapters[0][2], "LineId"), QStringLiteral("1000033"));
}

TEST(AdoXmlSamples, ThreeLevelsWithDuplicateRowsAndUnicodeText)
{
    NEED_SAMPLE(bytes, "orders_lines_product_shape.xml");
    const adoxml::Rowset rs = adoxml::read(bytes);
    const adoxml::RowType &lines = rs.type.chapters.at(0);
    ASSERT_EQ(lines.chapters.size(), 1u);
    const adoxml::RowType &product = lines.chapters[0];
    EXPECT_EQ(product.relation, (std::vector<std::pair<int, int>>{{4, 1}}));
    EXPECT_TRUE(rs.type.columns[0].keyColumn);
    EXPECT_EQ(rs.type.columns[0].baseTable, QStringLiteral("SalesOrders"));
    EXPECT_EQ(product.columns[1].maxLength, 100);
    ASSERT_EQ(rs.rows.size(), 3u);
    // A row ADO marked rs:duplicate is a row like any other.
    const adoxml::Row &line = rs.rows[1].chapters[0][0];
    ASSERT_EQ(line.chapters[0].size(), 1u);
    EXPECT_EQ(text(product, line.chapters[0][0], "ProductName"), QString::fromUtf8("Product 14 혼합"));
    EXPECT_EQ(text(product, line.chapters[0][0], "UnitCost"), QStringLiteral("21.68"));
}

TEST(AdoXmlSamples, EscapesAndRawLineBreaksOfPendingChangesAreKept)
{
    NEED_SAMPLE(bytes, "text_escapes.xml");
    const adoxml::Rowset rs = adoxml::read(bytes);
    // The rows the recordset shows: the changed row's new values, the
    // unchanged row and the inserted one; the deleted row and the original
    // values are not among them.
    QStringList ids;
    for (const adoxml::Row &row : rs.rows)
        ids << text(rs.type, row, "ID");
    ASSERT_EQ(ids, QStringList({"1", "3", "4"}));
    EXPECT_EQ(text(rs.type, rs.rows[0], "TXT_VAR"), QStringLiteral("row=1|phase=1|\"dq\"|'sq'|<&>|tab\tcr\rlf\nend"));
    EXPECT_EQ(text(rs.type, rs.rows[1], "TXT_VAR"), QStringLiteral("<null>"));
    EXPECT_TRUE(text(rs.type, rs.rows[0], "TXT_WIDE").endsWith(QString::fromUtf8("|wide=한글_값_€")));
    EXPECT_TRUE(rs.type.columns[3].isLong);
}

// A recordset with every data type our export writes, values that need
// escaping, Null beside an empty text, and a chapter.
adoxml::Rowset sampleRowset()
{
    const auto col = [](const char *name, const char *type, int number) {
        adoxml::Column c;
        c.name = QLatin1String(name);
        c.dtType = QLatin1String(type);
        c.number = number;
        c.nullable = true;
        return c;
    };
    adoxml::Rowset rs;
    rs.type.name = QStringLiteral("row");
    rs.type.columns = {col("id", "int", 1), col("naam", "string", 2), col("b", "ui1", 3),     col("i", "i2", 4),
                       col("f", "r4", 5),   col("geld", "number", 6), col("d", "dateTime", 7)};
    rs.type.columns[5].dbType = QStringLiteral("currency");
    adoxml::RowType kind;
    kind.name = QStringLiteral("rsKind");
    kind.columns = {col("id", "int", 1), col("ouder", "int", 2), col("tekst", "string", 3)};
    kind.relation = {{1, 2}};
    rs.type.chapters.push_back(kind);

    const auto v = [](const adoxml::Column &c, const QVariant &value) { return adoxml::valueText(c, value); };
    adoxml::Row row;
    const auto &c = rs.type.columns;
    row.values = {v(c[0], 7),
                  v(c[1], QString::fromUtf8("Stort 't \"Veld\" <a&b> é€\tregel 1\r\nregel 2")),
                  v(c[2], 255),
                  v(c[3], -32768),
                  v(c[4], 5.06f),
                  v(c[5], 3500.125),
                  v(c[6], QDateTime(QDate(2030, 1, 16), QTime(0, 0)))};
    adoxml::Row child;
    child.values = {v(kind.columns[0], 1), v(kind.columns[1], 7), QString()};
    adoxml::Row nullChild;
    nullChild.values = {v(kind.columns[0], 2), std::nullopt, std::nullopt};
    row.chapters = {{child, nullChild}};
    rs.rows.push_back(row);
    adoxml::Row empty;
    empty.values.resize(c.size());
    empty.chapters.resize(1);
    rs.rows.push_back(empty);
    return rs;
}

TEST(AdoXmlWriter, WritesAdosLayoutAndReadsBackEveryValue)
{
    const adoxml::Rowset rs = sampleRowset();
    const QByteArray bytes = adoxml::write(rs);
    EXPECT_TRUE(bytes.startsWith("<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n"));
    EXPECT_TRUE(bytes.endsWith("</rs:data>\r\n</xml>"));
    EXPECT_TRUE(bytes.contains("rs:relation='010000000200000000000000'"));
    EXPECT_TRUE(
        bytes.contains("naam='Stort &#x27;t &#x22;Veld&#x22; &#x3c;a&#x26;b&#x3e; é€&#x9;regel 1&#xd;&#xa;regel 2'"));
    EXPECT_TRUE(bytes.contains("f='5.06' geld='3500.125' d='2030-01-16T00:00:00'"));

    const adoxml::Rowset back = adoxml::read(bytes);
    ASSERT_EQ(back.rows.size(), 2u);
    for (size_t i = 0; i < rs.type.columns.size(); ++i)
        EXPECT_EQ(back.rows[0].values[i], rs.rows[0].values[i]) << i;
    EXPECT_EQ(adoxml::typedValue(back.type.columns[4], back.rows[0].values[4]).toFloat(), 5.06f);
    ASSERT_EQ(back.rows[0].chapters[0].size(), 2u);
    EXPECT_EQ(back.rows[0].chapters[0][0].values[2], std::optional<QString>(QString()));
    EXPECT_EQ(back.rows[0].chapters[0][1].values[2], std::nullopt);
    EXPECT_EQ(back.type.chapters[0].relation, (std::vector<std::pair<int, int>>{{1, 2}}));
    for (const auto &value : back.rows[1].values)
        EXPECT_EQ(value, std::nullopt);
}

TEST(AdoXmlReader, ATimeIsReadOnJetsDayZero)
{
    const QByteArray bytes = QByteArray(adoxml::write(sampleRowset()))
                                 .replace("d='2030-01-16T00:00:00'", "d='08:30:00'")
                                 .replace("'dateTime'", "'time'");
    const adoxml::Rowset rs = adoxml::read(bytes);
    ASSERT_FALSE(rs.rows.empty());
    EXPECT_EQ(adoxml::typedValue(rs.type.columns[6], rs.rows[0].values[6]).toDateTime(),
              QDateTime(QDate(1899, 12, 30), QTime(8, 30)));
}

TEST(AdoXmlWriter, EscapesTheDatabaseTypeAndWritesUnsignedValuesWhole)
{
    adoxml::Rowset rs = sampleRowset();
    rs.type.columns[5].dbType = QStringLiteral("cur'\"<&>ency");
    adoxml::Column groot = rs.type.columns[0];
    groot.name = QStringLiteral("groot");
    groot.dtType = QStringLiteral("ui8");
    groot.number = 8;
    rs.type.columns.push_back(groot);
    const quint64 max = std::numeric_limits<quint64>::max();
    rs.rows[0].values.push_back(adoxml::valueText(groot, QVariant(max)));
    rs.rows[1].values.push_back(std::nullopt);
    EXPECT_EQ(rs.rows[0].values.back(), std::optional<QString>(QStringLiteral("18446744073709551615")));

    const adoxml::Rowset back = adoxml::read(adoxml::write(rs));
    ASSERT_EQ(back.rows.size(), 2u);
    EXPECT_EQ(back.type.columns[5].dbType, rs.type.columns[5].dbType);
    EXPECT_EQ(adoxml::typedValue(back.type.columns[7], back.rows[0].values[7]).toULongLong(), max);
    // Signed types stay signed.
    adoxml::Column i8 = groot;
    i8.dtType = QStringLiteral("i8");
    EXPECT_EQ(adoxml::valueText(i8, QVariant(qint64(-1))), std::optional<QString>(QStringLiteral("-1")));
}

// Each data type's text as the file holds it, for the values the data layer
// hands out and for others that QVariant converts.
TEST(AdoXmlWriter, ValuesAreWrittenInTheFormOfTheirDataType)
{
    struct Geval {
        const char *dtType;
        QVariant value;
        const char *text;
    };
    const Geval gevallen[] = {
        {"int", 2147483647, "2147483647"},
        {"int", qlonglong(-5), "-5"},
        {"int", QString("12"), "12"},
        {"i2", -32768, "-32768"},
        {"ui1", 255, "255"},
        {"r4", 1.1f, "1.1"},
        {"r4", 1.1, "1.1"},
        {"r4", 3, "3"},
        {"float", 0.1, "0.1"},
        {"float", 1e300, "1e+300"},
        {"number", 1.23456, "1.2346"},
        {"number", -0.00001, "0"},
        {"number", 25, "25"},
        {"dateTime", QDateTime(QDate(2026, 3, 1), QTime(9, 5, 7, 999)), "2026-03-01T09:05:07"},
        {"dateTime", QDateTime(QDate(812, 11, 30), QTime(23, 59)), "0812-11-30T23:59:00"},
        {"dateTime", QDate(1899, 12, 30), "1899-12-30T00:00:00"},
        {"boolean", true, "True"},
        {"boolean", 0, "False"},
        {"string", QString("Stort 't Veld"), "Stort 't Veld"},
    };
    for (const Geval &g : gevallen) {
        adoxml::Column c;
        c.name = QStringLiteral("veld");
        c.dtType = QLatin1String(g.dtType);
        EXPECT_EQ(adoxml::valueText(c, g.value), std::optional<QString>(QLatin1String(g.text)))
            << g.dtType << " " << g.value.toString().toStdString();
    }
}

TEST(AdoXmlWriter, RefusesATextThatXmlCannotCarry)
{
    adoxml::Rowset rs = sampleRowset();
    rs.rows[0].values[1] = QStringLiteral("bel\x07");
    try {
        adoxml::write(rs);
        FAIL() << "written";
    } catch (const platform::Error &e) {
        EXPECT_EQ(e.number(), adoxml::kErrOngeldigBestand);
        EXPECT_TRUE(e.description().contains(QStringLiteral("'naam'"))) << e.description().toStdString();
    }
}

TEST(AdoXmlReader, RefusesFilesThatAreNoRecordset)
{
    const QByteArray good = adoxml::write(sampleRowset());
    const auto replaced = [&](const char *from, const char *to) { return QByteArray(good).replace(from, to); };
    const struct {
        const char *why;
        QByteArray bytes;
        const char *expected;
    } cases[] = {
        {"empty", QByteArray(), "onvolledig"},
        {"other root", "<root/>", "begint niet met het element <xml>"},
        {"cut off", good.left(good.size() / 2), "onvolledig"},
        {"entity bomb", "<!DOCTYPE xml [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;\">]>" + good,
         "documenttypedeclaratie"},
        {"text among rows", replaced("<rs:data>", "<rs:data>tekst"), "onverwachte tekst"},
        {"unknown column", replaced("<z:row id=", "<z:row x='1' id="), "onbekende kolom 'x'"},
        {"byte out of range", replaced("b='255'", "b='256'"), "buiten het bereik"},
        {"not a number", replaced("f='5.06'", "f='5,06'"), "geen getal"},
        {"bad date", replaced("d='2030-01-16T00:00:00'", "d='2030-02-30T00:00:00'"), "geen datum"},
        {"no time", replaced("d='2030-01-16T00:00:00'", "d='niet een tijd'").replace("'dateTime'", "'time'"),
         "geen datum"},
        {"hour 25", replaced("d='2030-01-16T00:00:00'", "d='25:00:00'").replace("'dateTime'", "'time'"), "geen datum"},
        {"relation to no column", replaced("010000000200000000000000", "010000000900000000000000"),
         "ongeldige relatie"},
        {"undeclared chapter", replaced("<rsKind id='1'", "<rsAnder id='1'"), "onverwacht element <rsAnder>"},
        {"unknown data type", replaced("dt:type='i2'", "dt:type='vector'"), "onbekend gegevenstype"},
        {"wrong namespace", replaced("xmlns:z='#RowsetSchema'", "xmlns:z='urn:iets'"), "onverwacht element"},
        {"no schema", replaced("s:Schema", "s:Schemaa"), "schema"},
        {"content after the end", good + "<xml/>", "geen geldige XML"},
        {"deep nesting in a skipped part",
         replaced("</rs:data>", (QByteArray("<rs:delete>") + QByteArray("<a>").repeated(200000)).constData()),
         "geen geldige XML"},
    };
    for (const auto &c : cases) {
        try {
            adoxml::read(c.bytes);
            ADD_FAILURE() << c.why << ": read";
        } catch (const platform::Error &e) {
            EXPECT_EQ(e.number(), adoxml::kErrOngeldigBestand) << c.why;
            EXPECT_TRUE(e.description().contains(QLatin1String(c.expected)))
                << c.why << ": " << e.description().toStdString();
        }
    }
}

} // namespace

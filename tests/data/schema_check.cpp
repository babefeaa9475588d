#include "schema_check.h"

#include "platform/db/jet_collation.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace datatest {

QString declaredType(Jet type, int width)
{
    switch (type) {
    case Jet::AutoNumber:
    case Jet::Long:
        return QStringLiteral("INTEGER");
    case Jet::Integer:
        return QStringLiteral("SMALLINT");
    case Jet::Byte:
        return QStringLiteral("TINYINT");
    case Jet::Single:
        return QStringLiteral("REAL");
    case Jet::Double:
        return QStringLiteral("DOUBLE");
    case Jet::Currency:
        return QStringLiteral("CURRENCY");
    case Jet::Date:
        return QStringLiteral("DATETIME");
    case Jet::Text:
        return QStringLiteral("VARCHAR(%1)").arg(width);
    case Jet::Memo:
        return QStringLiteral("LONGTEXT");
    case Jet::YesNo:
        return QStringLiteral("BIT");
    }
    return {};
}

namespace {

void expectTable(const SqliteFile &file, const ExpectedTable &table)
{
    SCOPED_TRACE(table.name);
    const QString pragma = QStringLiteral("PRAGMA table_info(%1)").arg(QString::fromUtf8(table.name));
    // cid, name, type, notnull, dflt_value, pk
    const std::vector<Row> actual = file.rows(pragma.toUtf8().constData());
    QStringList actualNames, expectedNames;
    for (const Row &r : actual)
        actualNames << r[1].toString();
    for (const ExpectedColumn &c : table.columns)
        expectedNames << QString::fromUtf8(c.name);
    ASSERT_EQ(actualNames.join(u' ').toStdString(), expectedNames.join(u' ').toStdString())
        << "columns or their order differ";

    for (size_t i = 0; i < table.columns.size(); ++i) {
        const ExpectedColumn &c = table.columns[i];
        const Row &r = actual[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(r[2].toString().toStdString(), declaredType(c.type, c.width).toStdString());

        const char *type = nullptr, *collation = nullptr;
        int notNull = 0, primaryKey = 0, autoIncrement = 0;
        ASSERT_EQ(sqlite3_table_column_metadata(file.handle(), "main", table.name, c.name, &type, &collation, &notNull,
                                                &primaryKey, &autoIncrement),
                  SQLITE_OK);
        const bool text = c.type == Jet::Text || c.type == Jet::Memo;
        EXPECT_STREQ(collation, text ? db::kJetCollation : "BINARY");

        const bool autoNumber = c.type == Jet::AutoNumber;
        EXPECT_EQ(primaryKey != 0, autoNumber) << "only an AutoNumber is a primary key";
        EXPECT_EQ(autoIncrement != 0, autoNumber) << "an AutoNumber is never reused";
        if (!autoNumber) {
            EXPECT_EQ(notNull != 0, c.notNull) << "NOT NULL";
        }
        if (c.defaultValue) {
            EXPECT_EQ(r[4].toString().toStdString(), c.defaultValue);
        } else {
            EXPECT_FALSE(r[4].isValid()) << "unexpected default " << r[4].toString().toStdString();
        }
    }
}

} // namespace

void expectSchema(const SqliteFile &file, const std::vector<ExpectedTable> &tables)
{
    ASSERT_TRUE(file.isOpen()) << file.error().toStdString();
    QSet<QString> actual;
    for (const Row &r : file.rows("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"))
        actual.insert(r[0].toString());
    QSet<QString> expected;
    for (const ExpectedTable &t : tables)
        expected.insert(QString::fromUtf8(t.name));
    for (const QString &name : actual - expected)
        ADD_FAILURE() << "unexpected table " << name.toStdString();
    for (const QString &name : expected - actual)
        ADD_FAILURE() << "missing table " << name.toStdString();
    for (const ExpectedTable &t : tables)
        if (actual.contains(QString::fromUtf8(t.name)))
            expectTable(file, t);
}

} // namespace datatest

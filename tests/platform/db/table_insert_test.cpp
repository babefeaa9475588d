// Rows added through one prepared INSERT are stored exactly as a recordset's
// AddNew and Update store them, and are refused where the recordset refuses.

#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/db/table_insert.h"
#include "test_db.h"

#include <QDateTime>

using namespace db;
using dbtest::expectError;
using dbtest::makeDatabase;

namespace {

struct TableInsertTest : ::testing::Test {
    QTemporaryDir dir;
    QString path = makeDatabase(dir);
    Connection conn;
    void SetUp() override { conn.Open(path); }

    // Each column of a row as SQLite keeps it: its storage class and value.
    QString stored(qint64 id)
    {
        Recordset rs;
        rs.Open("SELECT typeof(lngStort_REF) || quote(lngStort_REF), typeof(intStartAbs) || quote(intStartAbs), "
                "typeof(strAct) || quote(strAct), typeof(sngKostenPE) || quote(sngKostenPE), "
                "typeof(dblFactor) || quote(dblFactor), typeof(curBedrag) || quote(curBedrag), "
                "typeof(dtmMut) || quote(dtmMut), typeof(blnActief) || quote(blnActief), "
                "typeof(bytCombineer) || quote(bytCombineer) FROM tblAct WHERE idrAct_ID = ?",
                conn, LockType::ReadOnly, {id});
        QStringList out;
        for (int i = 0; i < rs.FieldCount(); ++i)
            out << rs.Fields(i).Value().toString();
        return out.join(QLatin1Char(' '));
    }
    qint64 rows()
    {
        Recordset rs;
        rs.Open("SELECT count(*) FROM tblAct", conn);
        return rs.Fields(0).Value().toLongLong();
    }
};

const QStringList kColumns{"lngStort_REF", "intStartAbs", "strAct", "sngKostenPE",
                           "dblFactor",    "curBedrag",   "dtmMut", "blnActief"};

} // namespace

TEST_F(TableInsertTest, RowsAreStoredAsTheRecordsetStoresThem)
{
    // Values that the write rules convert: a text number, halves rounded to
    // even, a double narrowed to a single, a fifth decimal of currency.
    const QList<QVariantList> cases{
        {QString(" 12 "), 2.5, QString("Maaien"), 1.1, 1.1, 1.23456, QDateTime(QDate(2026, 3, 1), QTime(10, 5)), true},
        {7, 3.5, QString(), 0.3f, -2.0, 99.99995, QVariant(), false},
        {QVariant(), -32768, QString(50, 'x'), 1e30, 1e300, -0.00005, QDate(1899, 12, 30), QVariant()},
    };
    TableInsert insert(conn, "TBLACT", kColumns);
    for (const QVariantList &values : cases) {
        Recordset rs;
        rs.Open("SELECT * FROM tblAct WHERE idrAct_ID IS NULL", conn, LockType::Pessimistic);
        rs.AddNew();
        for (qsizetype i = 0; i < kColumns.size(); ++i)
            rs.Fields(kColumns[i]) = values[i];
        rs.Update();
        const qint64 viaRecordset = rs.Fields("idrAct_ID").Value().toLongLong();
        rs.Close();

        const qint64 id = insert.insert(values);
        EXPECT_EQ(id, viaRecordset + 1) << "the AutoNumber goes on";
        EXPECT_EQ(stored(id), stored(viaRecordset)) << values[0].toString().toStdString();
    }
}

TEST_F(TableInsertTest, WhatTheRecordsetRefusesIsRefusedWithItsErrorAndNothingIsWritten)
{
    struct Case {
        const char *column;
        QVariant value;
        long error;
    };
    const Case cases[] = {
        {"strAct", QString(51, 'x'), err::kFieldTooSmall},
        {"intStartAbs", 32768, err::kNumericOverflow},
        {"sngKostenPE", QString("4,5"), err::kTypeConversion},
        {"idrAct_ID", 9, err::kFieldNotUpdatable},
    };
    for (const Case &c : cases) {
        Recordset rs;
        rs.Open("SELECT * FROM tblAct WHERE idrAct_ID IS NULL", conn, LockType::Pessimistic);
        rs.AddNew();
        const platform::Error expected = expectError(c.error, [&] { rs.Fields(c.column) = c.value; });
        rs.CancelUpdate();
        rs.Close();

        TableInsert insert(conn, "tblAct", {"strEenheid", c.column});
        const platform::Error e = expectError(c.error, [&] { insert.insert({QString("m2"), c.value}); });
        EXPECT_EQ(e.description(), expected.description()) << c.column;
    }
    EXPECT_EQ(rows(), 0);

    expectError(err::kItemNotFound, [&] { TableInsert(conn, "tblAct", {"strGeen"}); });
    expectError(err::kTableNotFound, [&] { TableInsert(conn, "tblGeen", {"strAct"}); });
    Connection readOnly;
    readOnly.Open("Data Source=" + path + ";Mode=Read");
    TableInsert refused(readOnly, "tblAct", {"strAct"});
    expectError(err::kReadOnly, [&] { refused.insert({QString("nee")}); });
    EXPECT_EQ(rows(), 0);
}

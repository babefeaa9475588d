// A recordset open reuses what the schema said about the same query before;
// every way the schema can change must be seen by the next open.

#include "platform/core/error_numbers.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "test_db.h"

#include <functional>

using namespace db;
using dbtest::expectError;
using dbtest::makeDatabase;

namespace {

const QString kAll = QStringLiteral("SELECT * FROM tblAct");

// A fresh file with one row in tblAct and tblInrichting.
struct Env {
    QTemporaryDir dir;
    QString path;
    Connection conn;
    Env()
    {
        path = makeDatabase(dir);
        conn.Open(path);
        conn.Execute("INSERT INTO tblAct (lngStort_REF, strAct, strEenheid) VALUES (1, 'post', 'm2')");
        conn.Execute("INSERT INTO tblInrichting (lngStort_REF, strObject) VALUES (1, 'stort')");
    }
    // Opens the query twice, so that both its layout and its statement are
    // known to the handle before the schema changes.
    void warmUp(const QString &sql, LockType lock = LockType::Optimistic)
    {
        for (int i = 0; i < 2; ++i) {
            Recordset rs;
            rs.Open(sql, conn, lock);
        }
    }
    // Changes the file's schema through a handle of its own, as another
    // program would.
    void changeElsewhere(const char *sql)
    {
        sqlite3 *h = nullptr;
        ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        registerJetCollation(h);
        char *error = nullptr;
        EXPECT_EQ(sqlite3_exec(h, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(h);
    }
};

struct Change {
    const char *name;
    std::function<void(Env &)> change;
    std::function<void(Recordset &)> check; // on a fresh "SELECT * FROM tblAct"
};

void seesNewByte(Recordset &rs)
{
    EXPECT_EQ(rs.FieldCount(), 14);
    EXPECT_EQ(rs.Fields("BYTNIEUW").Type(), JetKind::Byte);
    EXPECT_EQ(rs.Fields("bytNieuw").Value().toInt(), 7);
    rs.Fields("bytNieuw") = 200;
    rs.Update();
}

struct SchemaCache : ::testing::Test, Env {};

} // namespace

TEST_F(SchemaCache, EveryChangeOfTheSchemaIsSeenByTheNextOpen)
{
    const std::vector<Change> changes = {
        {"catalog adds a column",
         [](Env &t) {
             Catalog(t.conn).addColumn("tblAct", {"bytNieuw", JetKind::Byte, 0, true, 7});
         },
         seesNewByte},
        {"Execute adds a column",
         [](Env &t) { t.conn.Execute("ALTER TABLE tblAct ADD COLUMN bytNieuw TINYINT DEFAULT 7"); }, seesNewByte},
        {"another program adds a column",
         [](Env &t) { t.changeElsewhere("ALTER TABLE tblAct ADD COLUMN bytNieuw TINYINT DEFAULT 7"); }, seesNewByte},
        {"catalog widens a text", [](Env &t) { Catalog(t.conn).widenText("tblAct", "strEenheid", 40); },
         [](Recordset &rs) {
             EXPECT_EQ(rs.Fields("strEenheid").DefinedSize(), 40);
             rs.Fields("strEenheid") = QString(30, QLatin1Char('x'));
             rs.Update();
             EXPECT_EQ(rs.Fields("idrAct_ID").Type(), JetKind::AutoNumber);
         }},
        {"catalog renames a column", [](Env &t) { Catalog(t.conn).renameColumn("tblAct", "strEenheid", "strMaat"); },
         [](Recordset &rs) {
             EXPECT_EQ(rs.Fields("strmaat").Value().toString(), "m2");
             EXPECT_EQ(rs.fieldIndex("strEenheid"), -1);
         }},
        {"catalog drops a column", [](Env &t) { Catalog(t.conn).dropColumn("tblAct", "memOpm"); },
         [](Recordset &rs) {
             EXPECT_EQ(rs.FieldCount(), 12);
             expectError(err::kItemNotFound, [&] { rs.Fields("memOpm"); });
         }},
        {"Execute drops the table and creates it anew without AutoNumber",
         [](Env &t) {
             t.conn.Execute("DROP TABLE tblAct; CREATE TABLE tblAct (idrAct_ID INTEGER, strAct VARCHAR(5)); "
                            "INSERT INTO tblAct VALUES (9, 'kort')");
         },
         [](Recordset &rs) {
             EXPECT_EQ(rs.FieldCount(), 2);
             EXPECT_EQ(rs.Fields("idrAct_ID").Type(), JetKind::Long);
             EXPECT_EQ(rs.Fields("strAct").DefinedSize(), 5);
             expectError(err::kFieldTooSmall, [&] { rs.Fields("strAct") = QString("te lang"); });
             rs.Fields("idrAct_ID") = 10; // no longer an AutoNumber: the row is keyed by its rowid
             rs.Update();
         }},
    };
    for (const Change &c : changes) {
        SCOPED_TRACE(c.name);
        Env t;
        t.warmUp(kAll);
        c.change(t);
        Recordset rs;
        rs.Open(kAll, t.conn, LockType::Optimistic);
        ASSERT_FALSE(rs.EOF_());
        c.check(rs);
    }
}

TEST_F(SchemaCache, AChangeThroughOneConnectionIsSeenThroughAnother)
{
    Connection other;
    other.Open(path);
    warmUp(kAll);
    Catalog(other).addColumn("tblAct", {"strExtra", JetKind::Text, 10, false, QVariant()});
    Recordset rs;
    rs.Open(kAll, conn, LockType::Optimistic);
    EXPECT_EQ(rs.Fields("strExtra").DefinedSize(), 10);
    expectError(err::kFieldTooSmall, [&] { rs.Fields("strExtra") = QString(11, QLatin1Char('x')); });
}

TEST_F(SchemaCache, ARollbackUndoesTheSchemaForTheNextOpenToo)
{
    // The schema version after the rollback and a second change is the
    // same as during the undone change: only the rollback tells them apart.
    for (int depth : {1, 2}) {
        SCOPED_TRACE(depth);
        for (int i = 1; i < depth; ++i)
            conn.BeginTrans();
        conn.BeginTrans();
        conn.Execute(QStringLiteral("ALTER TABLE tblAct ADD COLUMN strWeg%1 VARCHAR(5)").arg(depth));
        warmUp(kAll);
        conn.RollbackTrans();
        {
            Recordset rs;
            rs.Open(kAll, conn);
            EXPECT_EQ(rs.fieldIndex(QStringLiteral("strWeg%1").arg(depth)), -1);
        }
        conn.Execute(QStringLiteral("ALTER TABLE tblAct ADD COLUMN strBlijf%1 VARCHAR(40)").arg(depth));
        Recordset rs;
        rs.Open(kAll, conn, LockType::Optimistic);
        EXPECT_EQ(rs.fieldIndex(QStringLiteral("strWeg%1").arg(depth)), -1);
        EXPECT_EQ(rs.Fields(QStringLiteral("strBlijf%1").arg(depth)).DefinedSize(), 40);
        for (int i = 1; i < depth; ++i)
            conn.CommitTrans();
    }
}

TEST_F(SchemaCache, AFailedCheckedWriteThatIsUndoneLeavesTheSchemaAsItIs)
{
    warmUp(kAll);
    expectError(err::kFieldTooSmall, [&] {
        conn.Execute("ALTER TABLE tblAct ADD COLUMN strWeg VARCHAR(5); "
                     "INSERT INTO tblAct (strEenheid) VALUES ('veel te lang voor twintig')");
    });
    Recordset rs;
    rs.Open(kAll, conn);
    EXPECT_EQ(rs.fieldIndex("strWeg"), -1);
    EXPECT_EQ(rs.FieldCount(), 13);
}

TEST_F(SchemaCache, AReopenedFileShowsItsNewSchema)
{
    warmUp(kAll);
    conn.Close();
    changeElsewhere("ALTER TABLE tblAct ADD COLUMN bytNieuw TINYINT DEFAULT 7");
    conn.Open(path);
    Recordset rs;
    rs.Open(kAll, conn, LockType::Optimistic);
    seesNewByte(rs);
}

TEST_F(SchemaCache, CompactionLeavesTheSourceAndGivesACopyWithTheSameFields)
{
    warmUp(kAll);
    const QString copy = dir.filePath("compact.mdb");
    compactDatabase(path, copy);
    Connection other;
    other.Open(copy);
    for (Connection *c : {&conn, &other}) {
        Recordset rs;
        rs.Open(kAll, *c, LockType::Optimistic);
        EXPECT_EQ(rs.FieldCount(), 13);
        EXPECT_EQ(rs.Fields("idrAct_ID").Type(), JetKind::AutoNumber);
        EXPECT_EQ(rs.Fields("strEenheid").DefinedSize(), 20);
    }
}

TEST_F(SchemaCache, TheSameQueryGivesTheSameFieldsAndRowsEveryTime)
{
    // Known layouts must not leak between queries, lock types or parameters.
    conn.Execute("INSERT INTO tblAct (lngStort_REF, strAct) VALUES (2, 'andere')");
    const QString byStort = QStringLiteral("SELECT strAct FROM tblAct WHERE lngStort_REF = ?");
    for (int round = 0; round < 2; ++round) {
        Recordset editable;
        editable.Open(byStort, conn, LockType::Optimistic, {2});
        ASSERT_EQ(editable.RecordCount(), 1);
        EXPECT_EQ(editable.Fields("strAct").Value().toString(), "andere");
        EXPECT_TRUE(editable.isUpdatable()); // through the hidden rowid
        Recordset readOnly;
        readOnly.Open(byStort, conn, LockType::ReadOnly, {1});
        EXPECT_EQ(readOnly.Fields("strAct").Value().toString(), "post");
        EXPECT_FALSE(readOnly.isUpdatable());
        expectError(err::kParameterCount, [&] {
            Recordset rs;
            rs.Open(byStort, conn);
        });
        expectError(err::kInvalidArgument, [&] {
            Recordset rs;
            rs.Open("DELETE FROM tblAct", conn);
        });
    }
}

TEST(FieldNames, LookupIgnoresCaseForAnyTextAndIsSharedByClonesAndRequery)
{
    QTemporaryDir dir;
    const QString path =
        makeDatabase(dir, QString::fromUtf8(
                              "CREATE TABLE tblÉén (idrÉén_ID INTEGER PRIMARY KEY AUTOINCREMENT, strNaamÄ VARCHAR(10), "
                              "\"KELVIN\" INTEGER);"
                              "INSERT INTO tblÉén (strNaamÄ, KELVIN) VALUES ('a', 1);"));
    Connection conn;
    conn.Open(path);
    Recordset rs;
    rs.Open(QString::fromUtf8("SELECT * FROM tblÉén"), conn, LockType::Optimistic);
    Recordset clone = rs.Clone();
    struct Case {
        QString name;
        int index;
    };
    const std::vector<Case> cases = {
        {QString::fromUtf8("IDRÉÉN_ID"), 0},
        {QString::fromUtf8("strnaamä"), 1},
        {QString::fromUtf8("tblééN.strNaamÄ"), 1},
        {QStringLiteral("kelvin"), 2},
        {QString::fromUtf8("\u212Aelvin"), 2}, // the Kelvin sign folds to k
        {QStringLiteral("strNaam"), -1},
        {QStringLiteral("tblAnders.kelvin"), -1},
        {QString(), -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(rs.fieldIndex(c.name), c.index);
        EXPECT_EQ(clone.fieldIndex(c.name), c.index);
    }
    EXPECT_EQ(rs.fieldIndex(QLatin1String("STRNAAM\xC4")), 1);
    EXPECT_EQ(rs.Fields(QLatin1String("Kelvin")).Value().toInt(), 1);
    expectError(err::kItemNotFound, [&] { rs.Fields(QLatin1String("geen")); });
    rs.Requery();
    EXPECT_EQ(rs.Fields(QString::fromUtf8("STRNAAMÄ")).Value().toString(), "a");
}

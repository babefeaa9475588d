#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"
#include "platform/db/physical_database.h"
#include "platform/db/recordset.h"
#include "test_db.h"

#include "support/read_only_folder.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

using namespace db;
using dbtest::expectError;
using dbtest::fileBytes;
using dbtest::makeDatabase;

TEST(ConnectionString, DataSourceAndMode)
{
    struct Case {
        const char *text;
        const char *file;
        bool readOnly;
    };
    const Case cases[] = {
        {"/data/db.mdb", "/data/db.mdb", false},
        {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/d/x.mdb;Persist Security Info=False;"
         "Jet OLEDB:Database Password=geheim;",
         "/d/x.mdb", false},
        {"data source = /d/y.mdb ;provider=x", "/d/y.mdb", false},
        {"DATA SOURCE=\"/d/a;b.mdb\";Mode=Read", "/d/a;b.mdb", true},
        {"Data Source='/d/it''s.mdb'; Mode = read", "/d/it's.mdb", true},
        {"Data Source=/d/z.mdb;Mode=Share Deny None", "/d/z.mdb", false},
        // the same file through the hierarchical-data provider
        {"PROVIDER=MSDataShape;Data PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=/d/s.mdb;"
         "Jet OLEDB:Database Password=geheim",
         "/d/s.mdb", false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(dataSourceOf(QString::fromUtf8(c.text)), QString::fromUtf8(c.file)) << c.text;
        EXPECT_EQ(readOnlyModeOf(QString::fromUtf8(c.text)), c.readOnly) << c.text;
    }
}

TEST(ConnectionOpen, RefusesWhatIsNotADatabaseAndLeavesItUntouched)
{
    QTemporaryDir dir;
    struct Case {
        const char *name;
        QByteArray content;
        long number;
    };
    const Case cases[] = {
        {"text.mdb", "dit is geen database\n", err::kNotADatabase},
        {"empty.mdb", "", err::kNotADatabase},
        {"jet.mdb", QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2000, 'x'), err::kNotADatabase},
        {"broken.mdb", QByteArray("SQLite format 3\0", 16) + QByteArray(100, '\xff'), err::kNotADatabase},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
        f.close();
        Connection conn;
        const auto e = expectError(c.number, [&] { conn.Open("Provider=x;Data Source=" + path); });
        EXPECT_TRUE(e.description().contains(path)) << e.description().toStdString();
        EXPECT_EQ(fileBytes(path), c.content) << c.name;
        EXPECT_FALSE(conn.isOpen());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4) << "no journal or other file left behind";
}

TEST(ConnectionOpen, MissingFileIsNotCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("nieuw.mdb");
    Connection conn;
    const auto e = expectError(err::kFileNotFound, [&] { conn.Open(path); });
    EXPECT_TRUE(e.description().contains("nieuw.mdb"));
    EXPECT_FALSE(QFileInfo::exists(path));
    expectError(err::kCannotOpen, [&] { conn.Open(dir.path()); });
}

TEST(ConnectionExecute, RowsAffectedAndErrors)
{
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    Connection conn;
    conn.Open(path);
    EXPECT_EQ(conn.Execute("INSERT INTO tblAct (lngStort_REF, strAct) VALUES (?, ?)", {7, "a"}), 1);
    EXPECT_EQ(conn.Execute("INSERT INTO tblAct (lngStort_REF, strAct) VALUES (7, 'b'), (8, 'c')"), 2);
    EXPECT_EQ(conn.Execute("UPDATE tblAct SET strAct = ? WHERE lngStort_REF = ?", {"x", 7}), 2);
    EXPECT_EQ(conn.Execute("DELETE FROM tblAct WHERE lngStort_REF = 8;"), 1);
    EXPECT_EQ(conn.Execute("CREATE TABLE tblLeeg (x INTEGER)"), 0);
}

TEST(ConnectionExecute, ErrorsAreDutchAndNameWhatIsWrong)
{
    QTemporaryDir dir;
    Connection conn;
    conn.Open(makeDatabase(dir));
    auto e = expectError(err::kTableNotFound, [&] { conn.Execute("UPDATE tblStort SET x = 1"); });
    EXPECT_TRUE(e.description().contains("'tblStort'")) << e.description().toStdString();
    e = expectError(err::kUnknownColumn, [&] { conn.Execute("INSERT INTO tblAct (strFout) VALUES (1)"); });
    EXPECT_TRUE(e.description().contains("strFout"));
    expectError(err::kParameterCount, [&] { conn.Execute("DELETE FROM tblAct WHERE idrAct_ID = ?"); });
    expectError(err::kParameterCount, [&] { conn.Execute("DELETE FROM tblAct", {1}); });
    expectError(err::kSyntaxError, [&] { conn.Execute("DELET FROM tblAct"); });
    conn.Execute("CREATE UNIQUE INDEX u ON tblInrichting (strObject)");
    conn.Execute("INSERT INTO tblInrichting (strObject) VALUES ('Put')");
    e = expectError(err::kDuplicateKey, [&] { conn.Execute("INSERT INTO tblInrichting (strObject) VALUES ('put')"); });
    EXPECT_TRUE(e.description().contains("strObject")) << "NOCASE: 'put' equals 'Put'";
    e = expectError(err::kNullNotAllowed, [&] { conn.Execute("INSERT INTO tblAct (bytCombineer) VALUES (NULL)"); });
    EXPECT_TRUE(e.description().contains("'bytCombineer'") && e.description().contains("'tblAct'"));
    // a failing script of several statements leaves nothing
    expectError(err::kTableNotFound, [&] {
        conn.Execute("INSERT INTO tblInrichting (strObject) VALUES ('a'); INSERT INTO tblGeen VALUES (1);");
    });
    Recordset rs;
    rs.Open("SELECT * FROM tblInrichting", conn);
    EXPECT_EQ(rs.RecordCount(), 1);
    Connection closed;
    expectError(err::kObjectClosed, [&] { closed.Execute("SELECT 1"); });
}

namespace {
int count(Connection &conn, const QString &table)
{
    Recordset rs;
    rs.Open("SELECT count(*) AS n FROM " + table, conn);
    return rs.Fields("n").Value().toInt();
}
} // namespace

TEST(ConnectionExecute, WritesBreakingJetRulesAreRefusedAndNothingIsWritten)
{
    QTemporaryDir dir;
    Connection conn;
    conn.Open(makeDatabase(dir));
    conn.Execute("INSERT INTO tblAct (lngStort_REF, bytRubriek_REF, intStartAbs, strAct) VALUES (1, 1, 2030, 'a'),"
                 " (1, 2, 2031, 'b')");
    const QString tooLong(51, QLatin1Char('x'));
    struct Case {
        const char *sql;
        QVariantList params;
        long number;
        const char *field;
    };
    const Case cases[] = {
        {"INSERT INTO tblAct (bytRubriek_REF) VALUES (?)", {300}, err::kNumericOverflow, "bytRubriek_REF"},
        {"INSERT INTO tblAct (bytRubriek_REF) VALUES (-1)", {}, err::kNumericOverflow, "bytRubriek_REF"},
        {"INSERT INTO tblAct (intStartAbs) VALUES (?)", {40000}, err::kNumericOverflow, "intStartAbs"},
        {"INSERT INTO tblAct (lngStort_REF) VALUES (?)", {qlonglong(1) << 31}, err::kNumericOverflow, "lngStort_REF"},
        {"INSERT INTO tblAct (sngKostenPE) VALUES (1e39)", {}, err::kNumericOverflow, "sngKostenPE"},
        {"INSERT INTO tblAct (curBedrag) VALUES (1e16)", {}, err::kNumericOverflow, "curBedrag"},
        {"INSERT INTO tblAct (strAct) VALUES (?)", {tooLong}, err::kFieldTooSmall, "strAct"},
        {"INSERT INTO tblAct (strEenheid) VALUES (?)", {QString(21, QChar(0x00e9))}, err::kFieldTooSmall, "strEenheid"},
        {"INSERT INTO tblAct (sngKostenPE) VALUES ('4,5')", {}, err::kTypeConversion, "sngKostenPE"},
        {"INSERT INTO tblAct (dtmMut) VALUES ('gisteren')", {}, err::kTypeConversion, "dtmMut"},
        // every row of a statement: the first row is fine, the second not
        {"UPDATE tblAct SET intStartAbs = intStartAbs + 30737", {}, err::kNumericOverflow, "intStartAbs"},
        {"INSERT INTO tblAct (strAct) SELECT substr(?, 1, 49 + idrAct_ID) FROM tblAct ORDER BY idrAct_ID",
         {QString(60, QLatin1Char('y'))},
         err::kFieldTooSmall,
         "strAct"},
        // every statement of a text: the first is fine, the second not
        {"INSERT INTO tblAct (strAct) VALUES ('c'); UPDATE tblAct SET bytRubriek_REF = 256",
         {},
         err::kNumericOverflow,
         "bytRubriek_REF"},
        // a column added earlier in the same text is checked by its own type
        {"ALTER TABLE tblAct ADD COLUMN bytNieuw TINYINT; UPDATE tblAct SET bytNieuw = 300",
         {},
         err::kNumericOverflow,
         "bytNieuw"},
    };
    for (const Case &c : cases) {
        const auto e = expectError(c.number, [&] { conn.Execute(QString::fromUtf8(c.sql), c.params); });
        EXPECT_TRUE(e.description().contains(QStringLiteral("'%1'").arg(QLatin1String(c.field)))
                    && e.description().contains(QLatin1String("'tblAct'")))
            << c.sql << ": " << e.description().toStdString();
        Recordset rs;
        rs.Open("SELECT * FROM tblAct ORDER BY idrAct_ID", conn);
        ASSERT_EQ(rs.RecordCount(), 2) << c.sql;
        EXPECT_EQ(rs.Fields("strAct").Value().toString(), "a") << c.sql;
        EXPECT_EQ(rs.Fields("intStartAbs").Value().toInt(), 2030) << c.sql;
        EXPECT_EQ(rs.Fields("bytRubriek_REF").Value().toInt(), 1) << c.sql;
        EXPECT_LT(rs.fieldIndex("bytNieuw"), 0) << c.sql;
    }
    // What keeps the rules passes, also at the edges of the ranges.
    EXPECT_EQ(conn.Execute("UPDATE tblAct SET bytRubriek_REF = 255, intStartAbs = -32768, strAct = ?,"
                           " sngKostenPE = '4.5', dtmMut = ? WHERE strAct = 'a'",
                           {QString(50, QChar(0x00d6)), QDateTime(QDate(2030, 1, 1), QTime(0, 0))}),
              1);
}

TEST(ConnectionExecute, RefusedWriteInsideATransactionKeepsTheEarlierWrites)
{
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    {
        Connection conn;
        conn.Open(path);
        conn.BeginTrans();
        conn.Execute("INSERT INTO tblInrichting (strObject) VALUES ('Put 1')");
        expectError(err::kFieldTooSmall,
                    [&] { conn.Execute("INSERT INTO tblInrichting (strObject) VALUES (?)", {QString(60, 'p')}); });
        conn.Execute("INSERT INTO tblInrichting (strObject) VALUES ('Put 2')");
        conn.CommitTrans();
    }
    Connection conn;
    conn.Open(path);
    EXPECT_EQ(count(conn, "tblInrichting"), 2);
}

TEST(ConnectionExecute, OldOutOfRuleValuesDoNotBlockChangesToOtherColumns)
{
    QTemporaryDir dir;
    // A row written around the rules (as an old file may hold one).
    const QString path = makeDatabase(dir, QString::fromUtf8(dbtest::kSchema)
                                               + "INSERT INTO tblAct (bytRubriek_REF, strAct) VALUES (999, 'a');");
    Connection conn;
    conn.Open(path);
    EXPECT_EQ(conn.Execute("UPDATE tblAct SET strAct = 'b'"), 1);
    expectError(err::kNumericOverflow, [&] { conn.Execute("UPDATE tblAct SET bytRubriek_REF = 998"); });
    EXPECT_EQ(conn.Execute("DELETE FROM tblAct"), 1);
}

TEST(ConnectionOpen, RequiredTablesMissingIsAClearErrorAndTheFileStaysAsItWas)
{
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    const QByteArray before = fileBytes(path);
    Connection conn;
    const auto e = expectError(err::kTableNotFound, [&] {
        conn.Open("Data Source=" + path, {"TBLACT", "tblStort", "tblSYS", "tblTonnage"});
    });
    EXPECT_TRUE(e.description().contains(path)) << e.description().toStdString();
    EXPECT_TRUE(e.description().contains("'tblStort'") && e.description().contains("'tblTonnage'"))
        << e.description().toStdString();
    EXPECT_FALSE(e.description().contains("TBLACT") || e.description().contains("'tblSYS'"));
    EXPECT_FALSE(conn.isOpen());
    EXPECT_EQ(fileBytes(path), before);

    conn.Open(path, {"TBLACT", "tblinrichting", "tblSYS"});
    EXPECT_TRUE(conn.isOpen());
}

TEST(ConnectionTransactions, RollbackSpansLogicalConnectionsOnOneFile)
{
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    Connection a, b;
    a.Open(path);
    b.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + QDir(dir.path()).filePath("./data.mdb"));
    EXPECT_EQ(a.physical(), b.physical()) << "one handle per file";
    EXPECT_EQ(a.BeginTrans(), 1);
    a.Execute("INSERT INTO tblInrichting (strObject) VALUES ('a')");
    b.Execute("INSERT INTO tblInrichting (strObject) VALUES ('b')");
    Recordset rs;
    rs.Open("SELECT * FROM tblAct", b, LockType::Optimistic);
    rs.AddNew();
    rs.Fields("strAct") = QString("via recordset");
    rs.Update();
    a.RollbackTrans();
    EXPECT_EQ(count(b, "tblInrichting"), 0);
    EXPECT_EQ(count(b, "tblAct"), 0);
    rs.Close();
    a.Close();
    b.Close();
    Connection c;
    c.Open(path);
    EXPECT_EQ(count(c, "tblInrichting"), 0) << "nothing reached the file";
}

TEST(ConnectionTransactions, NestedLevelsAreSavepoints)
{
    QTemporaryDir dir;
    Connection a, b;
    a.Open(makeDatabase(dir));
    b.Open(a.filePath());
    EXPECT_EQ(a.BeginTrans(), 1);
    a.Execute("INSERT INTO tblInrichting (strObject) VALUES ('buiten')");
    EXPECT_EQ(b.BeginTrans(), 2);
    b.Execute("INSERT INTO tblInrichting (strObject) VALUES ('binnen')");
    b.RollbackTrans();
    EXPECT_EQ(count(a, "tblInrichting"), 1);
    EXPECT_EQ(a.BeginTrans(), 2);
    a.Execute("INSERT INTO tblInrichting (strObject) VALUES ('tweede')");
    a.CommitTrans();
    a.CommitTrans();
    EXPECT_EQ(count(b, "tblInrichting"), 2);
    expectError(err::kNoTransaction, [&] { a.CommitTrans(); });
    expectError(err::kNoTransaction, [&] { b.RollbackTrans(); });
}

TEST(ConnectionTransactions, ClosingRollsBackTheLevelsItBegan)
{
    QTemporaryDir dir;
    Connection keep;
    keep.Open(makeDatabase(dir));
    {
        Connection temp;
        temp.Open(keep.filePath());
        temp.BeginTrans();
        temp.Execute("INSERT INTO tblInrichting (strObject) VALUES ('weg')");
    }
    EXPECT_EQ(count(keep, "tblInrichting"), 0);
    EXPECT_EQ(keep.physical()->transactionDepth(), 0);
}

TEST(ConnectionReadOnly, ModeReadRefusesWrites)
{
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    const QByteArray before = fileBytes(path);
    Connection conn;
    conn.Open("Data Source=" + path + ";Mode=Read");
    EXPECT_TRUE(conn.isReadOnly());
    const auto e = expectError(err::kReadOnly, [&] { conn.Execute("DELETE FROM tblAct"); });
    EXPECT_TRUE(e.description().contains("alleen-lezen"));
    Recordset rs;
    rs.Open("SELECT * FROM tblAct", conn, LockType::Optimistic);
    EXPECT_FALSE(rs.isUpdatable());
    expectError(err::kReadOnly, [&] { rs.AddNew(); });
    EXPECT_EQ(fileBytes(path), before);
}

TEST(ConnectionReadOnly, ReadOnlyFileOpensAndRefusesWrites)
{
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    // Permissions do not bind root, so the file is opened as an ordinary
    // user would open it.
    ASSERT_TRUE(testsupport::runAsOrdinaryUser([&] {
        Connection conn;
        conn.Open(path);
        EXPECT_TRUE(conn.isReadOnly());
        EXPECT_EQ(count(conn, "tblAct"), 0);
        expectError(err::kReadOnly, [&] { conn.Execute("INSERT INTO tblAct (strAct) VALUES ('x')"); });
    }));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

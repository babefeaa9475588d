#include "platform/core/error_numbers.h"
#include "platform/db/catalog.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "test_db.h"

#include <QFileInfo>

using namespace db;
using dbtest::expectError;
using dbtest::fileBytes;
using dbtest::makeDatabase;

namespace {

struct CatalogTest : ::testing::Test {
    QTemporaryDir dir;
    QString path;
    Connection conn;
    void SetUp() override
    {
        path = makeDatabase(dir);
        conn.Open(path);
        for (int i = 1; i <= 4; ++i)
            conn.Execute("INSERT INTO tblAct (lngStort_REF, strAct, strEenheid) VALUES (?, ?, 'm2')",
                         {i, QString("post %1").arg(i)});
        conn.Execute("DELETE FROM tblAct WHERE idrAct_ID = 4"); // the sequence stays at 4
    }
    QList<int> ids()
    {
        QList<int> out;
        Recordset rs;
        rs.Open("SELECT idrAct_ID FROM tblAct ORDER BY idrAct_ID", conn);
        for (; !rs.EOF_(); rs.MoveNext())
            out << rs.Fields(0).Value().toInt();
        return out;
    }
    int addRow()
    {
        Recordset rs;
        rs.Open("SELECT * FROM tblAct", conn, LockType::Optimistic);
        rs.AddNew();
        rs.Fields("strAct") = QString("nieuw");
        rs.Update();
        return rs.Fields("idrAct_ID").Value().toInt();
    }
};

} // namespace

TEST_F(CatalogTest, ListsTablesAndColumnsWithJetKinds)
{
    Catalog cat(conn);
    EXPECT_EQ(cat.tables(), QStringList({"tblAct", "tblInrichting", "tblSYS"}));
    EXPECT_TRUE(cat.hasTable("TBLACT"));
    const auto cols = cat.columns("tblact");
    ASSERT_EQ(cols.size(), 13u);
    EXPECT_EQ(cols[0].name, "idrAct_ID");
    EXPECT_EQ(cols[0].kind, JetKind::AutoNumber);
    EXPECT_TRUE(cols[0].primaryKey);
    EXPECT_EQ(cols[5].name, "strEenheid");
    EXPECT_EQ(cols[5].kind, JetKind::Text);
    EXPECT_EQ(cols[5].width, 20);
    EXPECT_EQ(cols[5].declaredType, "VARCHAR(20)");
    EXPECT_EQ(cols[12].name, "bytCombineer");
    EXPECT_TRUE(cols[12].notNull);
    EXPECT_EQ(cols[12].defaultValue, QVariant(0));
    EXPECT_TRUE(isNull(cols[1].defaultValue));
    const JetKind kinds[] = {JetKind::AutoNumber, JetKind::Long,   JetKind::Byte,   JetKind::Integer,  JetKind::Text,
                             JetKind::Text,       JetKind::Single, JetKind::Double, JetKind::Currency, JetKind::Date,
                             JetKind::Memo,       JetKind::YesNo,  JetKind::Byte};
    for (size_t i = 0; i < cols.size(); ++i)
        EXPECT_EQ(cols[i].kind, kinds[i]) << cols[i].name.toStdString();
    EXPECT_TRUE(cat.hasColumn("tblAct", "STREENHEID"));
    EXPECT_FALSE(cat.column("tblAct", "strGeen").has_value());
    const auto e = expectError(err::kTableNotFound, [&] { cat.columns("tblGeen"); });
    EXPECT_TRUE(e.description().contains("'tblGeen'"));
}

TEST_F(CatalogTest, AddColumnsWithDefaultsForExistingRows)
{
    Catalog cat(conn);
    cat.addColumn("tblAct", {"bytTypeVervangingsToeslag", JetKind::Byte, 0, true, 0});
    cat.addColumn("tblAct", {"strNieuw", JetKind::Text, 30, false, QString("it's")});
    cat.addColumn("tblAct", {"sngVervangingsToeslagPerc", JetKind::Single, 0, false, QVariant()});
    cat.addColumn("tblAct", {"memMap", JetKind::Memo, 0, false, QVariant()});
    const auto byte = cat.column("tblAct", "bytTypeVervangingsToeslag");
    ASSERT_TRUE(byte);
    EXPECT_EQ(byte->declaredType, "TINYINT");
    EXPECT_TRUE(byte->notNull);
    EXPECT_EQ(byte->defaultValue, QVariant(0));
    EXPECT_EQ(cat.column("tblAct", "strNieuw")->width, 30);
    EXPECT_EQ(cat.column("tblAct", "strNieuw")->defaultValue, QVariant(QString("it's")));
    EXPECT_EQ(cat.column("tblAct", "memMap")->kind, JetKind::Memo);
    Recordset rs;
    rs.Open("SELECT * FROM tblAct WHERE strNieuw = 'IT''S'", conn); // Jet's NOCASE on the new column
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.Fields("bytTypeVervangingsToeslag").Value(), QVariant(0));
    EXPECT_TRUE(isNull(rs.Fields("sngVervangingsToeslagPerc").Value()));

    expectError(err::kDuplicateField, [&] {
        cat.addColumn("tblAct", {"STRACT", JetKind::Text, 10, false, QVariant()});
    });
    expectError(err::kInvalidArgument, [&] { cat.addColumn("tblAct", {"bytX", JetKind::Byte, 0, true, QVariant()}); });
    expectError(err::kInvalidArgument, [&] {
        cat.addColumn("tblAct", {"idrX", JetKind::AutoNumber, 0, false, QVariant()});
    });
    expectError(err::kNumericOverflow, [&] { cat.addColumn("tblAct", {"bytY", JetKind::Byte, 0, false, 300}); });
    expectError(err::kTableNotFound, [&] { cat.addColumn("tblGeen", {"x", JetKind::Long, 0, false, QVariant()}); });
}

TEST_F(CatalogTest, RenameAndDropColumnsKeepRows)
{
    Catalog cat(conn);
    cat.renameColumn("tblAct", "strEenheid", "strEenheidOUD");
    EXPECT_FALSE(cat.hasColumn("tblAct", "strEenheid"));
    Recordset rs;
    rs.Open("SELECT strEenheidOUD FROM tblAct", conn);
    EXPECT_EQ(rs.Fields(0).Value().toString(), "m2");
    rs.Close();
    expectError(err::kItemNotFound, [&] { cat.renameColumn("tblAct", "strGeen", "x"); });
    expectError(err::kDuplicateField, [&] { cat.renameColumn("tblAct", "strAct", "strEenheidOUD"); });
    cat.dropColumn("tblAct", "strEenheidOUD");
    EXPECT_FALSE(cat.hasColumn("tblAct", "strEenheidOUD"));
    EXPECT_EQ(ids(), QList<int>({1, 2, 3}));
    expectError(err::kFieldInIndex, [&] { cat.dropColumn("tblAct", "lngStort_REF"); });
    expectError(err::kFieldInIndex, [&] { cat.dropColumn("tblAct", "idrAct_ID"); });
    expectError(err::kItemNotFound, [&] { cat.dropColumn("tblAct", "strGeen"); });
    EXPECT_EQ(addRow(), 5) << "the sequence survives";
}

TEST_F(CatalogTest, WidenTextRebuildsKeepingRowsIdsSequenceAndIndexes)
{
    Catalog cat(conn);
    cat.widenText("tblAct", "strEenheid", 50);
    const auto col = cat.column("tblAct", "strEenheid");
    EXPECT_EQ(col->width, 50);
    EXPECT_EQ(ids(), QList<int>({1, 2, 3}));
    EXPECT_EQ(cat.columns("tblAct").size(), 13u) << "column order and count kept";
    EXPECT_EQ(cat.columns("tblAct")[5].name, "strEenheid");
    EXPECT_TRUE(cat.column("tblAct", "bytCombineer")->notNull);
    EXPECT_EQ(cat.column("tblAct", "idrAct_ID")->kind, JetKind::AutoNumber);
    EXPECT_EQ(addRow(), 5) << "id 4 is not reused after the rebuild";

    Recordset rs;
    rs.Open("SELECT * FROM tblAct WHERE strEenheid = 'M2' ORDER BY idrAct_ID", conn, LockType::Optimistic);
    EXPECT_EQ(rs.RecordCount(), 3) << "still case-insensitive";
    rs.Fields("strEenheid") = QString(50, 'x'); // now fits
    rs.Update();
    expectError(err::kFieldTooSmall, [&] { rs.Fields("strEenheid") = QString(51, 'x'); });
    rs.CancelUpdate();
    rs.Close();

    Recordset index;
    index.Open("SELECT name FROM sqlite_schema WHERE type = 'index' AND tbl_name = 'tblAct'", conn);
    EXPECT_EQ(index.Fields(0).Value().toString(), "idxActStort");
    EXPECT_EQ(cat.tables(), QStringList({"tblAct", "tblInrichting", "tblSYS"}));

    cat.widenText("tblAct", "strEenheid", 50); // same width: nothing
    expectError(err::kInvalidOperation, [&] { cat.widenText("tblAct", "strEenheid", 20); });
    expectError(err::kInvalidArgument, [&] { cat.widenText("tblAct", "lngStort_REF", 50); });
}

TEST_F(CatalogTest, WidenInsideAnOuterTransactionIsUndoneByItsRollback)
{
    Catalog cat(conn);
    conn.BeginTrans();
    cat.widenText("tblAct", "strEenheid", 50);
    conn.RollbackTrans();
    EXPECT_EQ(cat.column("tblAct", "strEenheid")->width, 20);
    EXPECT_EQ(ids(), QList<int>({1, 2, 3}));
}

TEST_F(CatalogTest, CompactIntoANewFile)
{
    conn.Close();
    const QByteArray before = fileBytes(path);
    const QString target = path + "new";
    compactDatabase(path, target);
    EXPECT_EQ(fileBytes(path), before) << "the source is not changed";
    Connection copy;
    copy.Open(target);
    Recordset rs;
    rs.Open("SELECT * FROM tblAct ORDER BY idrAct_ID", copy, LockType::Optimistic);
    EXPECT_EQ(rs.RecordCount(), 3);
    rs.AddNew();
    rs.Fields("strAct") = QString("in kopie");
    rs.Update();
    EXPECT_EQ(rs.Fields("idrAct_ID").Value().toInt(), 5) << "the copy keeps the sequence";
    rs.Close();
    copy.Close();
    const QByteArray copied = fileBytes(target);
    const auto e = expectError(err::kTargetExists, [&] { compactDatabase(path, target); });
    EXPECT_TRUE(e.description().contains(target));
    EXPECT_EQ(fileBytes(target), copied);
    expectError(err::kCannotOpen, [&] { compactDatabase(path, dir.filePath("geen/map/kopie.mdb")); });
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("geen/map/kopie.mdb")));
}

// An index that lacks the entry of one of its table's rows: the quick check
// does not look at the indexes, the full one and reading the file whole find
// it, and the rows are counted in the table, not in the index that SQLite
// would count by itself.
TEST_F(CatalogTest, AnIndexEntryTooFewEscapesOnlyTheQuickCheck)
{
    {
        const Catalog whole(conn);
        const QHash<QString, qint64> rows = whole.rowCounts();
        EXPECT_TRUE(whole.readsWhole(rows));
        QHash<QString, qint64> oneMore = rows;
        ++oneMore["tblInrichting"];
        EXPECT_FALSE(whole.readsWhole(oneMore));
    }
    conn.Close();
    const auto declareIndex = [&](const char *sql) {
        testsupport::execSql(path,
                             QStringLiteral("PRAGMA writable_schema=ON; UPDATE sqlite_schema SET sql='%1' "
                                            "WHERE name='idxActStort'; PRAGMA writable_schema=OFF;")
                                 .arg(QLatin1String(sql)),
                             false);
    };
    declareIndex("CREATE INDEX idxActStort ON tblAct (lngStort_REF) WHERE lngStort_REF<>9");
    testsupport::execSql(path, QStringLiteral("INSERT INTO tblAct (lngStort_REF, strAct) VALUES (9, 'buiten')"), false);
    declareIndex("CREATE INDEX idxActStort ON tblAct (lngStort_REF)");

    conn.Open(path);
    Recordset viaIndex;
    viaIndex.Open("SELECT count(*) FROM tblAct", conn);
    ASSERT_EQ(viaIndex.Fields(0).Value().toInt(), 3) << "the index lacks the new row";
    viaIndex.Close();
    const Catalog cat(conn);
    EXPECT_TRUE(cat.passesCheck(FileCheck::Quick));
    EXPECT_FALSE(cat.passesCheck(FileCheck::Full));
    const QHash<QString, qint64> rows = cat.rowCounts();
    EXPECT_EQ(rows.value("tblAct"), 4);
    EXPECT_EQ(rows.value("sqlite_sequence"), 1) << "SQLite's own tables count too";
    EXPECT_FALSE(cat.readsWhole(rows));
    EXPECT_EQ(cat.schemaObjects().value("index idxActStort"), "CREATE INDEX idxActStort ON tblAct (lngStort_REF)");
}

// Files of earlier versions declare their text columns with the program's
// own collation name; the rewrite gives them what every SQLite tool knows.
TEST(CatalogCollation, OldCollationIsRewrittenWithRowsIdsIndexesAndTriggersKept)
{
    QTemporaryDir dir;
    const QString path = makeDatabase(
        dir,
        QStringLiteral(
            "CREATE TABLE tblStort (idrStort_ID INTEGER PRIMARY KEY AUTOINCREMENT, strStortNaam VARCHAR(50) COLLATE "
            "JETTEXT,"
            " intStortType SMALLINT, memAdres LONGTEXT COLLATE \"JETTEXT\");"
            "CREATE INDEX idxNaam ON tblStort (strStortNaam);"
            "CREATE UNIQUE INDEX idxSoortNaam ON tblStort (intStortType DESC, strStortNaam) WHERE intStortType > 0;"
            "CREATE INDEX idxSoort ON tblStort (intStortType);"
            "CREATE TABLE tblLog (n INTEGER);"
            "CREATE TRIGGER trgLog AFTER INSERT ON tblStort BEGIN INSERT INTO tblLog VALUES (new.idrStort_ID); END;"
            "INSERT INTO tblStort (strStortNaam, intStortType) VALUES ('öa', 1), ('Öb', 1), ('ÖC', 2), ('weg', 0);"
            "DELETE FROM tblStort WHERE strStortNaam = 'weg';"));
    Connection conn;
    conn.Open(path);
    Catalog cat(conn);

    EXPECT_TRUE(cat.useStandardTextCollation());

    const QString schema = [&] {
        Recordset rs;
        rs.Open(
            "SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_schema WHERE sql IS NOT NULL ORDER BY name)",
            conn);
        return rs.Fields(0).Value().toString();
    }();
    EXPECT_FALSE(schema.contains("JETTEXT", Qt::CaseInsensitive)) << schema.toStdString();
    EXPECT_TRUE(schema.contains("strStortNaam VARCHAR(50) COLLATE NOCASE")) << schema.toStdString();
    EXPECT_TRUE(schema.contains("CREATE INDEX \"idxNaam\" ON \"tblStort\" (\"strStortNaam\" COLLATE BINARY)"))
        << schema.toStdString();
    EXPECT_TRUE(schema.contains("CREATE UNIQUE INDEX \"idxSoortNaam\" ON \"tblStort\" (\"intStortType\" DESC, "
                                "\"strStortNaam\" COLLATE BINARY) WHERE intStortType > 0"))
        << schema.toStdString();
    EXPECT_TRUE(schema.contains("CREATE INDEX idxSoort ON tblStort (intStortType)")) << schema.toStdString();

    // Rows and ids kept, the AutoNumber goes on after the deleted row, the
    // trigger fires, and text still compares as Jet does.
    conn.Execute("INSERT INTO tblStort (strStortNaam, intStortType) VALUES ('nieuw', 1)");
    Recordset rs;
    rs.Open("SELECT group_concat(idrStort_ID || ':' || strStortNaam) FROM (SELECT * FROM tblStort "
            "WHERE strStortNaam <> 'ÖB' ORDER BY strStortNaam)",
            conn);
    EXPECT_EQ(rs.Fields(0).Value().toString(), "5:nieuw,1:öa,3:ÖC");
    rs.Close();
    Recordset log;
    log.Open("SELECT group_concat(n) FROM tblLog", conn);
    EXPECT_EQ(log.Fields(0).Value().toString(), "1,2,3,4,5");
    log.Close();

    EXPECT_FALSE(cat.useStandardTextCollation()) << "nothing left to rewrite";
}

TEST(CatalogCollation, NocaseComparesEveryLetterWithoutRegardToCase)
{
    QTemporaryDir dir;
    Connection conn;
    conn.Open(makeDatabase(dir));
    Recordset rs;
    rs.Open("SELECT 'Ölberg' = 'öLBERG' COLLATE NOCASE, 'Ölberg' = 'olberg' COLLATE NOCASE, "
            "'Éé' = 'éÉ' COLLATE JETTEXT",
            conn);
    EXPECT_EQ(rs.Fields(0).Value().toInt(), 1);
    EXPECT_EQ(rs.Fields(1).Value().toInt(), 0);
    EXPECT_EQ(rs.Fields(2).Value().toInt(), 1);
}

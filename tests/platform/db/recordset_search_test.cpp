#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "test_db.h"

using namespace db;
using dbtest::expectError;
using dbtest::makeDatabase;

namespace {

struct RecordsetSearch : ::testing::Test {
    QTemporaryDir dir;
    Connection conn;
    Recordset rs;
    void SetUp() override
    {
        conn.Open(makeDatabase(dir));
        // id: strAct, bytRubriek_REF, lngStort_REF, dtmMut
        const QVariantList rows[] = {
            {QString("Ölfilter"), 2, 10, QDate(2030, 1, 1)},
            {QString("Maaien"), 1, 10, QDate(2031, 1, 1)},
            {QString("O'Neill's pomp"), QVariant(), 11, QVariant()},
            {QString("maaien"), 1, 11, QDate(2029, 6, 1)},
            {QString("Afdeklaag"), 3, 10, QDate(2030, 1, 1)},
            {QString("ölfilter"), QVariant(), 12, QDate(2032, 1, 1)},
        };
        for (const QVariantList &r : rows)
            conn.Execute("INSERT INTO tblAct (strAct, bytRubriek_REF, lngStort_REF, dtmMut) VALUES (?, ?, ?, ?)", r);
        rs.Open("SELECT * FROM tblAct ORDER BY idrAct_ID", conn, LockType::Optimistic);
    }
    int id() const { return rs.Fields("idrAct_ID").Value().toInt(); }
    QList<int> ids()
    {
        QList<int> out;
        Recordset walk = rs.Clone();
        walk.setFilter(rs.Filter());
        walk.setSort(rs.Sort());
        for (; !walk.EOF_(); walk.MoveNext())
            out << walk.Fields("idrAct_ID").Value().toInt();
        return out;
    }
};

} // namespace

TEST_F(RecordsetSearch, FindStartsAtTheCurrentRowAndIgnoresCase)
{
    struct Case {
        const char *criteria;
        int from; // id to stand on first
        int skip;
        bool forward;
        int found; // 0: none
    };
    const Case cases[] = {
        {"strAct='ölfilter'", 1, 0, true, 1}, // the current row counts
        {"strAct='ÖLFILTER'", 1, 1, true, 6}, // skip the current row
        {"strAct = 'MAAIEN'", 3, 0, true, 4},   {"strAct='O''Neill''s pomp'", 1, 0, true, 3},
        {"strAct='maaien'", 6, 0, false, 4},    {"strAct='maaien'", 4, 1, false, 2},
        {"idrAct_ID=5", 1, 0, true, 5},         {"idrAct_ID = 5", 6, 0, false, 5},
        {"lngStort_REF>10", 1, 0, true, 3},     {"lngStort_REF<=10", 3, 0, true, 5},
        {"bytRubriek_REF<>1", 2, 0, true, 5}, // Null passes no comparison
        {"bytRubriek_REF=Null", 1, 0, true, 3}, {"dtmMut=#2030-01-01#", 2, 0, true, 5},
        {"dtmMut>#1/1/2031#", 1, 0, true, 6},   {"strAct='geen'", 1, 0, true, 0},
        {"idrAct_ID=1", 2, 0, true, 0},
    };
    for (const Case &c : cases) {
        rs.MoveFirst();
        rs.Find(QStringLiteral("idrAct_ID=%1").arg(c.from));
        ASSERT_EQ(id(), c.from);
        rs.Find(QString::fromUtf8(c.criteria), c.skip, c.forward);
        if (c.found == 0)
            EXPECT_TRUE(c.forward ? rs.EOF_() : rs.BOF()) << c.criteria;
        else
            EXPECT_EQ(rs.EOF_() || rs.BOF() ? -1 : id(), c.found) << c.criteria;
    }
}

TEST_F(RecordsetSearch, FindFromTheEnds)
{
    rs.MoveLast();
    rs.MoveNext();
    rs.Find("strAct='maaien'");
    EXPECT_TRUE(rs.EOF_()) << "forward from EOF finds nothing";
    rs.Find("strAct='maaien'", 0, false);
    EXPECT_EQ(id(), 4);
    rs.MoveFirst();
    rs.MovePrevious();
    rs.Find("strAct='maaien'");
    EXPECT_EQ(id(), 2);
    rs.Find("strAct='geen'", 0, false);
    EXPECT_TRUE(rs.BOF());
}

TEST_F(RecordsetSearch, CriteriaNotUnderstoodAreErrors)
{
    const char *bad[] = {
        "strAct LIKE 'M*'",
        "strAct='open",
        "strAct=",
        "=5",
        "idrAct_ID=1 AND lngStort_REF=10", // Find takes one criterion
        "idrAct_ID=1 OR idrAct_ID=2",
        "strAct=5",         // number for a text field
        "idrAct_ID='vijf'", // text for a number
        "dtmMut=#31-31-2030#",
        "bytRubriek_REF>Null",
        "(idrAct_ID=1)",
        "idrAct_ID==1",
        "",
    };
    rs.MoveNext();
    for (const char *text : bad) {
        expectError(err::kInvalidArgument, [&] { rs.Find(QString::fromUtf8(text)); });
        EXPECT_EQ(id(), 2) << "position unchanged after " << text;
    }
    const auto e = expectError(err::kItemNotFound, [&] { rs.Find("strGeen='x'"); });
    EXPECT_TRUE(e.description().contains("strGeen"));
    expectError(err::kInvalidArgument, [&] { rs.setFilter("idrAct_ID=1 OR idrAct_ID=2"); });
    expectError(err::kInvalidArgument, [&] { rs.setFilter("idrAct_ID=1 AND"); });
    expectError(err::kItemNotFound, [&] { rs.setSort("strGeen"); });
    expectError(err::kInvalidArgument, [&] { rs.setSort("strAct DESC ASC"); });
    EXPECT_EQ(rs.Filter(), "");
    EXPECT_EQ(rs.RecordCount(), 6);
}

TEST_F(RecordsetSearch, FilterShowsOnlyPassingRowsAndCanBeRemoved)
{
    rs.MoveLast();
    rs.setFilter("lngStort_REF=10 AND strAct<>'maaien'");
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(id(), 1) << "positioned on the first passing row";
    EXPECT_EQ(ids(), QList<int>({1, 5}));
    rs.setFilter("strAct='ölfilter' and bytRubriek_REF=Null");
    EXPECT_EQ(ids(), QList<int>({6}));
    rs.setFilter("bytRubriek_REF = 9");
    EXPECT_TRUE(rs.BOF() && rs.EOF_());
    rs.setFilter("");
    EXPECT_EQ(rs.RecordCount(), 6);
    EXPECT_EQ(id(), 1);
}

TEST_F(RecordsetSearch, SortPutsNullsFirstIsStableAndUsesJetTextOrder)
{
    rs.setSort("bytRubriek_REF");
    EXPECT_EQ(ids(), QList<int>({3, 6, 2, 4, 1, 5}));
    rs.setSort("bytRubriek_REF DESC");
    EXPECT_EQ(ids(), QList<int>({5, 1, 2, 4, 3, 6}));
    rs.setSort("strAct, idrAct_ID DESC");
    EXPECT_EQ(ids(), QList<int>({5, 4, 2, 3, 6, 1})); // "maaien" = "Maaien"; "Ö" after "O"
    rs.setSort("[dtmMut] ASC, strAct");
    EXPECT_EQ(ids(), QList<int>({3, 4, 5, 1, 2, 6}));
    rs.setFilter("lngStort_REF=10");
    EXPECT_EQ(ids(), QList<int>({5, 1, 2})) << "filter and sort together";
    rs.setSort("");
    EXPECT_EQ(ids(), QList<int>({1, 2, 5}));
}

TEST_F(RecordsetSearch, ClonesHaveTheirOwnPositionFilterAndSort)
{
    rs.setFilter("lngStort_REF=11");
    Recordset clone = rs.Clone();
    EXPECT_EQ(clone.RecordCount(), 6);
    EXPECT_EQ(clone.Fields("idrAct_ID").Value().toInt(), 1);
    clone.setSort("idrAct_ID DESC");
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(id(), 3);
}

TEST_F(RecordsetSearch, BookmarksMoveARecordsetToTheRowFoundOnItsClone)
{
    rs.MoveNext();
    Recordset clone = rs.Clone();
    clone.Find("idrAct_ID=5");
    rs.setBookmark(clone.Bookmark());
    EXPECT_EQ(id(), 5);
    const QVariant mark = rs.Bookmark();
    rs.MoveFirst();
    rs.setBookmark(mark);
    EXPECT_EQ(id(), 5);
    rs.setFilter("lngStort_REF=11");
    expectError(err::kInvalidBookmark, [&] { rs.setBookmark(mark); }); // filtered out
    expectError(err::kInvalidBookmark, [&] { rs.setBookmark(QVariant("x")); });
    rs.MoveNext();
    rs.MoveNext();
    expectError(err::kNoCurrentRecord, [&] { rs.Bookmark(); });
    Recordset other;
    other.Open("SELECT * FROM tblAct", conn);
    expectError(err::kInvalidBookmark, [&] { other.setBookmark(mark); });
}

TEST_F(RecordsetSearch, OptimizedFieldFindsTheSameRowsAndFollowsEdits)
{
    rs.Fields("strAct").setOptimize(true);
    rs.Fields("idrAct_ID").setOptimize(true);
    EXPECT_TRUE(rs.Fields("idrAct_ID").Optimize());
    rs.Find("strAct='ÖLFILTER'", 1);
    EXPECT_EQ(id(), 6);
    rs.Find("strAct='maaien'", 0, false);
    EXPECT_EQ(id(), 4);
    rs.Fields("strAct") = QString("Hernoemd");
    rs.Update();
    rs.MoveFirst();
    rs.Find("strAct='hernoemd'");
    EXPECT_EQ(id(), 4);
    rs.MoveFirst();
    rs.Find("strAct='maaien'", 2);
    EXPECT_TRUE(rs.EOF_());
    rs.AddNew();
    rs.Fields("strAct") = QString("nieuw");
    rs.Update();
    const int added = id();
    rs.MoveFirst();
    rs.Find(QStringLiteral("idrAct_ID=%1").arg(added));
    EXPECT_EQ(id(), added);
    rs.Delete();
    rs.MoveFirst();
    rs.Find(QStringLiteral("idrAct_ID=%1").arg(added));
    EXPECT_TRUE(rs.EOF_());
}

TEST_F(RecordsetSearch, RequeryRereadsTheFile)
{
    rs.setFilter("lngStort_REF=12");
    Recordset clone = rs.Clone();
    conn.Execute("INSERT INTO tblAct (strAct, lngStort_REF) VALUES ('later', 12)");
    EXPECT_EQ(rs.RecordCount(), 1);
    const Field name = rs.Fields("strAct");
    rs.Requery();
    EXPECT_EQ(name.Value().toString(), "ölfilter") << "field proxies stay valid";
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(id(), 6) << "the first row becomes current";
    EXPECT_EQ(clone.RecordCount(), 6) << "a clone keeps the rows it had";
}

#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "test_db.h"

#include <limits>

using namespace db;
using dbtest::expectError;
using dbtest::makeDatabase;

namespace {

struct Fixture : ::testing::Test {
    QTemporaryDir dir;
    Connection conn;
    void SetUp() override
    {
        conn.Open(makeDatabase(dir));
        for (int i = 1; i <= 3; ++i)
            conn.Execute("INSERT INTO tblAct (lngStort_REF, strAct) VALUES (1, ?)", {QString("post %1").arg(i)});
    }
};

} // namespace

using RecordsetNavigation = Fixture;

TEST_F(RecordsetNavigation, EmptyRecordsetStandsAtBothEnds)
{
    Recordset rs;
    rs.Open("SELECT * FROM tblAct WHERE lngStort_REF = ?", conn, LockType::ReadOnly, {99});
    EXPECT_TRUE(rs.BOF());
    EXPECT_TRUE(rs.EOF_());
    EXPECT_EQ(rs.RecordCount(), 0);
    rs.MoveFirst(); // allowed, stays
    rs.MoveLast();
    EXPECT_TRUE(rs.BOF() && rs.EOF_());
    expectError(err::kNoCurrentRecord, [&] { rs.MoveNext(); });
    expectError(err::kNoCurrentRecord, [&] { rs.MovePrevious(); });
    expectError(err::kNoCurrentRecord, [&] { rs.Move(1); });
    expectError(err::kNoCurrentRecord, [&] { rs.Fields("strAct").Value(); });
}

TEST_F(RecordsetNavigation, MovesFollowAdo)
{
    Recordset rs;
    rs.Open("SELECT * FROM tblAct ORDER BY idrAct_ID", conn);
    EXPECT_FALSE(rs.BOF());
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "post 1");
    rs.MovePrevious();
    EXPECT_TRUE(rs.BOF());
    EXPECT_FALSE(rs.EOF_());
    expectError(err::kNoCurrentRecord, [&] { rs.MovePrevious(); });
    expectError(err::kNoCurrentRecord, [&] { rs.Fields("strAct").Value(); });
    rs.MoveNext();
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "post 1");
    rs.MoveLast();
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "post 3");
    rs.MoveNext();
    EXPECT_TRUE(rs.EOF_());
    const auto e = expectError(err::kNoCurrentRecord, [&] { rs.MoveNext(); });
    EXPECT_FALSE(e.description().isEmpty());
    rs.Move(-2);
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "post 2");
    rs.Move(5);
    EXPECT_TRUE(rs.EOF_());
    rs.MoveFirst();
    rs.Move(-3);
    EXPECT_TRUE(rs.BOF());
    rs.Move(3);
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "post 3");
    EXPECT_EQ(rs.RecordCount(), 3);
}

TEST(SqliteBuild, HasColumnMetadata)
{
    // Base table and column of each result column decide updatability.
    EXPECT_EQ(sqlite3_compileoption_used("ENABLE_COLUMN_METADATA"), 1);
}

TEST_F(RecordsetNavigation, FieldsByNameIgnoreCaseAndUnknownNamesAreErrors)
{
    Recordset rs;
    rs.Open("SELECT a.*, i.strObject FROM tblAct a LEFT JOIN tblInrichting i ON 0", conn);
    EXPECT_EQ(rs.Fields("STRACT").Name(), "strAct");
    EXPECT_EQ(rs.Fields("tblAct.idrAct_ID").Name(), "idrAct_ID");
    EXPECT_EQ(rs.Fields(0).Name(), "idrAct_ID");
    EXPECT_EQ(rs.FieldCount(), 14);
    EXPECT_EQ(rs.fieldIndex("strobject"), 13);
    EXPECT_EQ(rs.fieldIndex("geen"), -1);
    auto e = expectError(err::kItemNotFound, [&] { rs.Fields("bytprov_REf"); });
    EXPECT_TRUE(e.description().contains("'bytprov_REf'"));
    expectError(err::kItemNotFound, [&] { rs.Fields(14); });
    EXPECT_EQ(rs.Fields("strEenheid").DefinedSize(), 20);
    EXPECT_EQ(rs.Fields("strEenheid").Type(), JetKind::Text);
    EXPECT_EQ(rs.Fields("idrAct_ID").Type(), JetKind::AutoNumber);
    EXPECT_EQ(rs.Fields("strObject").table(), "tblInrichting");
}

TEST_F(RecordsetNavigation, ValuesAreTypedByDeclaredType)
{
    conn.Execute("DELETE FROM tblAct");
    conn.Execute("INSERT INTO tblAct (lngStort_REF, bytRubriek_REF, intStartAbs, strAct, sngKostenPE, dblFactor, "
                 "curBedrag, dtmMut, memOpm, blnActief) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {70000, 5, -3, QString("Ö"), 34.444443, 0.1, 12.5, QDateTime(QDate(2030, 1, 1), QTime(8, 30)),
                  QString("lang"), true});
    conn.Execute("INSERT INTO tblAct (blnActief, curBedrag) VALUES (1, 12)"); // any non-zero is True
    Recordset rs;
    rs.Open("SELECT * FROM tblAct ORDER BY idrAct_ID", conn);
    struct Case {
        const char *field;
        QVariant value;
    };
    const Case cases[] = {
        {"idrAct_ID", rs.Fields("idrAct_ID").Value().toInt()},
        {"lngStort_REF", 70000},
        {"bytRubriek_REF", 5},
        {"intStartAbs", -3},
        {"strAct", QString("Ö")},
        {"sngKostenPE", QVariant(34.444443f)},
        {"dblFactor", 0.1},
        {"curBedrag", 12.5},
        {"dtmMut", QDateTime(QDate(2030, 1, 1), QTime(8, 30))},
        {"memOpm", QString("lang")},
        {"blnActief", true},
        {"strEenheid", QVariant()},
    };
    for (const Case &c : cases) {
        const QVariant v = rs.Fields(c.field).Value();
        EXPECT_EQ(v.typeId(), c.value.typeId()) << c.field;
        EXPECT_EQ(v, c.value) << c.field;
    }
    EXPECT_EQ(rs.Fields("idrAct_ID").Value().typeId(), QMetaType::Int);
    EXPECT_TRUE(isNull(rs.Fields("strEenheid").Value()));
    rs.MoveNext();
    EXPECT_EQ(rs.Fields("blnActief").Value(), QVariant(true));
    EXPECT_EQ(rs.Fields("curBedrag").Value().typeId(), QMetaType::Double);
}

TEST(RecordsetReading, ADecimalInAWholeNumberColumnIsRoundedOrHandedBackAsStored)
{
    // As in a damaged file: values Jet would never have written.
    QTemporaryDir dir;
    Connection conn;
    conn.Open(makeDatabase(dir, QString::fromUtf8(dbtest::kSchema)
                                    + QStringLiteral("INSERT INTO tblAct (idrAct_ID, lngStort_REF, bytRubriek_REF, "
                                                     "intStartAbs) VALUES (1, 2.5, 3.5, -2147483648.4);"
                                                     "INSERT INTO tblAct (idrAct_ID, lngStort_REF, bytRubriek_REF, "
                                                     "intStartAbs) VALUES (2, 3000000000.5, 1e300, -1e300);"
                                                     "INSERT INTO tblAct (idrAct_ID, lngStort_REF, bytRubriek_REF, "
                                                     "intStartAbs) VALUES (3, 2147483647.5, 9e999, 'x');")));
    Recordset rs;
    rs.Open("SELECT lngStort_REF, bytRubriek_REF, intStartAbs FROM tblAct ORDER BY idrAct_ID", conn);
    const QVariant expected[3][3] = {
        // Whole after Jet's rounding, half to even.
        {2, 4, std::numeric_limits<int>::min()},
        // Beyond a Long: as stored, like any value that does not fit its type.
        {3000000000.5, 1e300, -1e300},
        {2147483647.5, std::numeric_limits<double>::infinity(), QStringLiteral("x")},
    };
    for (int row = 0; row < 3; ++row, rs.MoveNext()) {
        for (int col = 0; col < 3; ++col) {
            const QVariant v = rs.Fields(col).Value();
            EXPECT_EQ(v.typeId(), expected[row][col].typeId()) << row << "/" << col;
            EXPECT_EQ(v, expected[row][col]) << row << "/" << col;
        }
    }
}

TEST_F(RecordsetNavigation, ParametersAreBoundNeverJoinedIntoText)
{
    conn.Execute("INSERT INTO tblAct (strAct) VALUES (?)", {QString("O'Brien; DROP TABLE tblAct")});
    Recordset rs;
    rs.Open("SELECT * FROM tblAct WHERE strAct = ?", conn, LockType::ReadOnly, {QString("o'brien; drop table tblact")});
    EXPECT_EQ(rs.RecordCount(), 1) << "text equality ignores case";
    expectError(err::kParameterCount, [&] { rs.Open("SELECT * FROM tblAct WHERE strAct = ?", conn); });
    expectError(err::kInvalidArgument, [&] { rs.Open("DELETE FROM tblAct", conn); });
    expectError(err::kTableNotFound, [&] { rs.Open("SELECT * FROM tblGeen", conn); });
    EXPECT_FALSE(rs.isOpen());
    expectError(err::kObjectClosed, [&] { rs.EOF_(); });
}

using RecordsetUpdatability = Fixture;

TEST_F(RecordsetUpdatability, WhoMayEdit)
{
    conn.Execute("INSERT INTO tblSYS VALUES ('versie', '30')");
    struct Case {
        const char *sql;
        LockType lock;
        bool updatable;
    };
    const Case cases[] = {
        {"SELECT * FROM tblAct", LockType::Optimistic, true},
        {"SELECT strAct, idrAct_ID FROM tblAct WHERE lngStort_REF = 1", LockType::Pessimistic, true},
        {"SELECT * FROM tblAct", LockType::ReadOnly, false},
        {"SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID='versie'", LockType::Optimistic, true},
        {"SELECT tblAct.*, tblInrichting.strObject FROM tblInrichting INNER JOIN tblAct ON "
         "tblInrichting.idrInrichting_ID = tblAct.lngStort_REF",
         LockType::Optimistic, false},
        {"SELECT DISTINCT strAct FROM tblAct", LockType::Optimistic, false},
        {"SELECT count(*) AS n FROM tblAct", LockType::Optimistic, false},
    };
    for (const Case &c : cases) {
        Recordset rs;
        rs.Open(c.sql, conn, c.lock);
        EXPECT_EQ(rs.isUpdatable(), c.updatable) << c.sql;
        if (!c.updatable && !rs.EOF_())
            expectError(err::kReadOnly, [&] { rs.Fields(0).setValue(1); });
    }
}

TEST_F(RecordsetUpdatability, TableWithoutAutoNumberIsEditedByItsRow)
{
    conn.Execute("INSERT INTO tblSYS VALUES ('versie', '30'), ('ander', '30')");
    Recordset rs;
    rs.Open("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID='versie'", conn, LockType::Optimistic);
    rs.Fields("strSYSvalue") = 31;
    rs.Update();
    Recordset check;
    check.Open("SELECT strSYS_ID, strSYSvalue FROM tblSYS ORDER BY strSYS_ID", conn);
    EXPECT_EQ(check.Fields("strSYSvalue").Value().toString(), "30"); // 'ander'
    check.MoveNext();
    EXPECT_EQ(check.Fields("strSYSvalue").Value().toString(), "31");
}

TEST_F(RecordsetUpdatability, ReadOnlyRecordsetRefusesEveryEdit)
{
    Recordset rs;
    rs.Open("SELECT * FROM tblAct", conn);
    expectError(err::kReadOnly, [&] { rs.Fields("strAct") = QString("x"); });
    expectError(err::kReadOnly, [&] { rs.AddNew(); });
    expectError(err::kReadOnly, [&] { rs.Delete(); });
    EXPECT_EQ(rs.EditMode(), EditMode::None);
    Recordset clone = rs.Clone(LockType::Optimistic);
    EXPECT_FALSE(clone.isUpdatable()) << "a clone of a read-only recordset stays read-only";
}

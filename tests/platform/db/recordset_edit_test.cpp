#include "platform/core/error_numbers.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "test_db.h"

using namespace db;
using dbtest::expectError;
using dbtest::fileBytes;
using dbtest::makeDatabase;

namespace {

struct RecordsetEdit : ::testing::Test {
    QTemporaryDir dir;
    QString path;
    Connection conn;
    void SetUp() override
    {
        path = makeDatabase(dir);
        conn.Open(path);
        for (int i = 1; i <= 3; ++i)
            conn.Execute("INSERT INTO tblAct (lngStort_REF, strAct, strEenheid) VALUES (1, ?, 'm2')",
                         {QString("post %1").arg(i)});
    }
    // The value in the file, read through a fresh recordset.
    QVariant stored(int id, const QString &field)
    {
        Recordset rs;
        rs.Open("SELECT * FROM tblAct WHERE idrAct_ID = ?", conn, LockType::ReadOnly, {id});
        return rs.EOF_() ? QVariant(QStringLiteral("<geen rij>")) : rs.Fields(field).Value();
    }
    Recordset open()
    {
        Recordset rs;
        rs.Open("SELECT * FROM tblAct ORDER BY idrAct_ID", conn, LockType::Optimistic);
        return rs;
    }
};

} // namespace

TEST_F(RecordsetEdit, AssignStartsAnEditThatUpdateWrites)
{
    Recordset rs = open();
    EXPECT_EQ(rs.EditMode(), EditMode::None);
    rs.Fields("strAct") = QString("nieuw");
    EXPECT_EQ(rs.EditMode(), EditMode::InProgress);
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "nieuw");
    EXPECT_EQ(stored(1, "strAct").toString(), "post 1") << "not written before Update";
    rs.Update();
    EXPECT_EQ(rs.EditMode(), EditMode::None);
    EXPECT_EQ(stored(1, "strAct").toString(), "nieuw");
}

TEST_F(RecordsetEdit, FieldValuesAreWhatEachFieldShowsPendingEditIncluded)
{
    Recordset rs = open();
    rs.MoveNext();
    rs.Fields("strAct") = QString("nieuw");
    const std::vector<int> fields{rs.fieldIndex("strEenheid"), rs.fieldIndex("strAct"), rs.fieldIndex("idrAct_ID")};
    const QVariant *values[3] = {};
    rs.fieldValues(fields, values);
    for (size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(*values[i], rs.Fields(fields[i]).Value()) << i;
    EXPECT_EQ(values[1]->toString(), "nieuw");
    EXPECT_EQ(values[2]->toInt(), 2);
    expectError(err::kItemNotFound, [&] { rs.fieldValues({rs.FieldCount()}, values); });
    rs.MoveLast();
    rs.MoveNext();
    expectError(err::kNoCurrentRecord, [&] { rs.fieldValues(fields, values); });
}

TEST_F(RecordsetEdit, EditsAreSeenThroughClones)
{
    Recordset rs = open();
    Recordset clone = rs.Clone();
    clone.MoveNext();
    clone.Fields("strAct").setValue(QString("via kloon"));
    EXPECT_EQ(rs.Clone().RecordCount(), 3);
    clone.Update();
    rs.MoveNext();
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "via kloon");
    EXPECT_EQ(stored(2, "strAct").toString(), "via kloon");
}

TEST_F(RecordsetEdit, MovingAwaySavesThePendingEditAlsoMoveZero)
{
    Recordset rs = open();
    rs.Fields("strAct") = QString("een");
    rs.Move(0);
    EXPECT_EQ(rs.EditMode(), EditMode::None);
    EXPECT_EQ(stored(1, "strAct").toString(), "een");
    rs.Fields("strAct") = QString("twee");
    rs.MoveNext();
    EXPECT_EQ(stored(1, "strAct").toString(), "twee");
    rs.Fields("strAct") = QString("drie");
    rs.Find("strAct='post 3'");
    EXPECT_EQ(stored(2, "strAct").toString(), "drie");
}

TEST_F(RecordsetEdit, AddNewIsCurrentAtOnceAndGetsItsIdOnUpdate)
{
    Recordset rs = open();
    Recordset clone = rs.Clone();
    rs.AddNew();
    EXPECT_EQ(rs.EditMode(), EditMode::Add);
    EXPECT_TRUE(isNull(rs.Fields("idrAct_ID").Value()));
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(clone.RecordCount(), 4) << "the new row shows in the clone at once";
    rs.Fields("strAct") = QString("toegevoegd");
    rs.Fields("lngStort_REF") = 1;
    clone.MoveLast();
    EXPECT_TRUE(isNull(clone.Fields("strAct").Value())) << "the clone sees the row, not the unsaved values";
    expectError(err::kInvalidOperation, [&] { clone.Fields("strAct") = QString("ook"); });
    rs.Update();
    const int id = rs.Fields("idrAct_ID").Value().toInt();
    EXPECT_EQ(id, 4);
    EXPECT_EQ(rs.Fields("bytCombineer").Value(), QVariant(0)) << "defaults are read back";
    EXPECT_EQ(stored(id, "strAct").toString(), "toegevoegd");
    clone.MoveLast();
    EXPECT_EQ(clone.Fields("idrAct_ID").Value().toInt(), id);
    EXPECT_EQ(clone.Fields("strAct").Value().toString(), "toegevoegd");
}

TEST_F(RecordsetEdit, IdsAreNotReusedAfterDeletingTheLastRow)
{
    Recordset rs = open();
    rs.MoveLast();
    rs.Delete();
    rs.AddNew();
    rs.Fields("strAct") = QString("na verwijderen");
    rs.Update();
    EXPECT_EQ(rs.Fields("idrAct_ID").Value().toInt(), 4);
    EXPECT_EQ(stored(3, "strAct").toString(), "<geen rij>");
}

TEST_F(RecordsetEdit, CancelUpdateDropsTheEditOrTheNewRow)
{
    Recordset rs = open();
    rs.MoveNext();
    Recordset clone = rs.Clone();
    rs.AddNew();
    rs.Fields("strAct") = QString("weg");
    rs.CancelUpdate();
    EXPECT_EQ(rs.EditMode(), EditMode::None);
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(clone.RecordCount(), 3);
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "post 2") << "back on the row current before AddNew";
    rs.Fields("strAct") = QString("ook weg");
    rs.CancelUpdate();
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "post 2");
    rs.MoveNext(); // nothing pending, nothing written
    EXPECT_EQ(stored(2, "strAct").toString(), "post 2");
    Connection other;
    other.Open(path);
    Recordset count;
    count.Open("SELECT count(*) AS n FROM tblAct", other);
    EXPECT_EQ(count.Fields("n").Value().toInt(), 3);
}

TEST_F(RecordsetEdit, TwoRecordsetsOnOneRowKeepBothEdits)
{
    Recordset a = open(), b = open();
    a.Fields("strAct") = QString("van a");
    b.Fields("strEenheid") = QString("ton");
    a.Update();
    b.Update();
    EXPECT_EQ(stored(1, "strAct").toString(), "van a");
    EXPECT_EQ(stored(1, "strEenheid").toString(), "ton");
    // assigning the value a field already has writes nothing either
    b.Fields("strAct") = QString("post 1");
    b.Update();
    EXPECT_EQ(stored(1, "strAct").toString(), "van a");
}

TEST_F(RecordsetEdit, DeleteIsImmediateAndFollowsAdoPositioning)
{
    Recordset rs = open();
    Recordset clone = rs.Clone();
    rs.MoveNext();
    clone.MoveNext();
    rs.Delete();
    EXPECT_EQ(stored(2, "strAct").toString(), "<geen rij>");
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(clone.RecordCount(), 2);
    EXPECT_FALSE(rs.EOF_());
    expectError(err::kRecordDeleted, [&] { rs.Fields("strAct").Value(); });
    expectError(err::kRecordDeleted, [&] { clone.Fields("strAct").Value(); });
    rs.MoveNext();
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "post 3");
    clone.MovePrevious();
    EXPECT_EQ(clone.Fields("strAct").Value().toString(), "post 1");
    // deleting the last row, then "move on, else to the last"
    rs.Delete();
    rs.MoveNext();
    EXPECT_TRUE(rs.EOF_());
    rs.MoveLast();
    EXPECT_EQ(rs.Fields("strAct").Value().toString(), "post 1");
    rs.Delete();
    rs.MoveNext();
    EXPECT_TRUE(rs.BOF() && rs.EOF_());
}

TEST_F(RecordsetEdit, RejectedWritesNameTableAndFieldAndChangeNothing)
{
    struct Case {
        const char *field;
        QVariant value;
        long number;
    };
    const Case cases[] = {
        {"strEenheid", QString(21, 'x'), err::kFieldTooSmall}, {"bytRubriek_REF", 256, err::kNumericOverflow},
        {"bytRubriek_REF", -1, err::kNumericOverflow},         {"intStartAbs", 40000, err::kNumericOverflow},
        {"lngStort_REF", 3e9, err::kNumericOverflow},          {"lngStort_REF", QString("abc"), err::kTypeConversion},
        {"sngKostenPE", QString("4,5"), err::kTypeConversion}, {"dtmMut", QString("gisteren"), err::kTypeConversion},
        {"blnActief", QString("ja"), err::kTypeConversion},    {"idrAct_ID", 9, err::kFieldNotUpdatable},
    };
    conn.Close();
    const QByteArray before = fileBytes(path);
    conn.Open(path);
    for (const Case &c : cases) {
        Recordset rs = open();
        const auto e = expectError(c.number, [&] { rs.Fields(c.field) = c.value; });
        EXPECT_TRUE(e.description().contains(QStringLiteral("'%1'").arg(c.field))) << e.description().toStdString();
        EXPECT_TRUE(e.description().contains("'tblAct'")) << e.description().toStdString();
        EXPECT_EQ(rs.EditMode(), EditMode::None) << c.field;
        rs.MoveNext();
        rs.AddNew();
        expectError(c.number, [&] { rs.Fields(c.field) = c.value; });
        rs.CancelUpdate();
        rs.Close();
    }
    conn.Close();
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(RecordsetEdit, WrittenValuesFollowJetRules)
{
    Recordset rs = open();
    rs.Fields("sngKostenPE") = 34.444443;
    rs.Fields("curBedrag") = 1.234567;
    rs.Fields("intStartAbs") = 2.5;
    rs.Fields("blnActief") = true;
    rs.Fields("dtmMut") = QDateTime(QDate(2030, 1, 16), QTime(9, 15, 0));
    rs.Update();
    Recordset raw;
    raw.Open("SELECT sngKostenPE + 0 AS s, curBedrag + 0 AS c, intStartAbs + 0 AS i, "
             "blnActief + 0 AS b, dtmMut || '' AS d FROM tblAct WHERE idrAct_ID = 1",
             conn);
    EXPECT_EQ(raw.Fields("s").Value().toDouble(), double(34.444443f));
    EXPECT_EQ(raw.Fields("c").Value().toDouble(), 1.2346);
    EXPECT_EQ(raw.Fields("i").Value().toInt(), 2);
    EXPECT_EQ(raw.Fields("b").Value().toInt(), -1);
    EXPECT_EQ(raw.Fields("d").Value().toString(), "2030-01-16 09:15:00");
}

TEST_F(RecordsetEdit, NotNullIsCheckedOnUpdateAndTheEditStays)
{
    Recordset rs = open();
    rs.Fields("bytCombineer") = QVariant();
    const auto e = expectError(err::kNullNotAllowed, [&] { rs.Update(); });
    EXPECT_TRUE(e.description().contains("'bytCombineer'"));
    EXPECT_EQ(rs.EditMode(), EditMode::InProgress);
    expectError(err::kNullNotAllowed, [&] { rs.MoveNext(); });
    rs.Fields("bytCombineer") = 1;
    rs.MoveNext();
    EXPECT_EQ(stored(1, "bytCombineer").toInt(), 1);
}

TEST_F(RecordsetEdit, FieldChangeListenersHearAssignmentsAndCancel)
{
    Recordset rs = open();
    QStringList heard;
    const int id = rs.onFieldChanged([&](const QString &f) { heard << f; });
    rs.Fields("strAct") = QString("a");
    rs.Fields("strAct") = QString("a"); // no change, no call
    rs.Fields("strEenheid") = QString("m2");
    rs.CancelUpdate();
    EXPECT_EQ(heard, QStringList({"strAct", "strAct"}));
    rs.removeFieldChangedListener(id);
    rs.Fields("strAct") = QString("b");
    EXPECT_EQ(heard.size(), 2);
}

TEST_F(RecordsetEdit, ClosingWithAPendingAddNewLeavesNothing)
{
    {
        Recordset rs = open();
        Recordset clone = rs.Clone();
        rs.AddNew();
        rs.Fields("strAct") = QString("niet bewaard");
        rs.Close();
        EXPECT_EQ(clone.RecordCount(), 3);
    }
    Recordset check;
    check.Open("SELECT * FROM tblAct", conn);
    EXPECT_EQ(check.RecordCount(), 3);
}

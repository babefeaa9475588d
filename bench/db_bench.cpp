// The data layer against a bare SQLite read: a cost-item table of 10,000
// rows and about 30 columns.

#include "platform/db/connection.h"
#include "platform/db/jet_collation.h"
#include "platform/db/recordset.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kRows = 10000;

const char *kTable = R"(
CREATE TABLE tblAct (
  idrAct_ID INTEGER PRIMARY KEY AUTOINCREMENT,
  lngStort_REF INTEGER, lngInrichting_REF INTEGER, bytRubriek_REF TINYINT,
  strAct VARCHAR(50) COLLATE NOCASE,
  bytOptieStart TINYINT, intStartAbs SMALLINT, intStartRel SMALLINT, bytStartBA TINYINT, intStartBA SMALLINT,
  bytOptieEind TINYINT, intEindAbs SMALLINT, intEindRel SMALLINT, bytEindBA TINYINT, intEindBA SMALLINT,
  bytOptieKosten TINYINT, sngPercInvest REAL, sngKostenInvest REAL, sngKostenTotaal REAL,
  sngKostenPE REAL, sngAantal REAL, strEenheid VARCHAR(50) COLLATE NOCASE,
  bytOptieFreq TINYINT, intFreqX SMALLINT, bytIsQOR TINYINT, lngClitem_REF INTEGER,
  bytCombineer TINYINT NOT NULL DEFAULT 0, bytTypeVervangingsToeslag TINYINT NOT NULL DEFAULT 0,
  sngVervangingsToeslagPerc REAL, dtmMut DATETIME,
  strOpm VARCHAR(255) COLLATE NOCASE, strNazorgplanRef VARCHAR(50) COLLATE NOCASE
);
)";

struct Data {
    QTemporaryDir dir;
    QString path;
    Data()
    {
        path = dir.filePath("bench.mdb");
        sqlite3 *h = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        db::registerJetCollation(h);
        sqlite3_exec(h, kTable, nullptr, nullptr, nullptr);
        sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *ins = nullptr;
        sqlite3_prepare_v2(
            h,
            "INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct, bytOptieStart, intStartAbs,"
            " intStartRel, bytStartBA, intStartBA, bytOptieEind, intEindAbs, intEindRel, bytEindBA, intEindBA,"
            " bytOptieKosten, sngPercInvest, sngKostenInvest, sngKostenTotaal, sngKostenPE, sngAantal, strEenheid,"
            " bytOptieFreq, intFreqX, bytIsQOR, lngClitem_REF, sngVervangingsToeslagPerc, dtmMut, strOpm,"
            " strNazorgplanRef) VALUES (?1, ?2, ?3, ?4, 1, 2030, 1, 0, 0, 2, 2100, 70, 0, 0, 3, 0, 0, 0, ?5, ?6,"
            " 'm2', 1, 5, 1, ?7, 12.5, '2030-01-01 10:00:00', ?8, 'plan 4.2')",
            -1, &ins, nullptr);
        for (int i = 0; i < kRows; ++i) {
            sqlite3_bind_int(ins, 1, 1 + i % 20);
            sqlite3_bind_int(ins, 2, 1 + i % 300);
            sqlite3_bind_int(ins, 3, 1 + i % 6);
            const QByteArray name = QStringLiteral("Kostenpost nummer %1").arg(i).toUtf8();
            sqlite3_bind_text(ins, 4, name.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(ins, 5, double(float(12.34 + i)));
            sqlite3_bind_double(ins, 6, double(float(100 + i % 7)));
            sqlite3_bind_int(ins, 7, 1000 + i);
            const QByteArray remark = QStringLiteral("Opmerking bij post %1").arg(i).toUtf8();
            sqlite3_bind_text(ins, 8, remark.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(ins);
            sqlite3_reset(ins);
        }
        sqlite3_finalize(ins);
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(h);
    }
};

Data &data()
{
    static Data d;
    return d;
}

// The floor: every column of every row into memory, no typing rules.
void BM_BareSqliteRead(benchmark::State &state)
{
    sqlite3 *h = nullptr;
    sqlite3_open_v2(data().path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    db::registerJetCollation(h);
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(h, "SELECT * FROM tblAct", -1, &stmt, nullptr);
        const int n = sqlite3_column_count(stmt);
        std::vector<std::vector<QVariant>> rows;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::vector<QVariant> row(static_cast<size_t>(n));
            for (int c = 0; c < n; ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER:
                    row[size_t(c)] = QVariant(int(sqlite3_column_int64(stmt, c)));
                    break;
                case SQLITE_FLOAT:
                    row[size_t(c)] = QVariant(sqlite3_column_double(stmt, c));
                    break;
                case SQLITE_TEXT:
                    row[size_t(c)] = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)),
                                                       sqlite3_column_bytes(stmt, c));
                    break;
                default:
                    break;
                }
            }
            rows.push_back(std::move(row));
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(rows.data());
    }
    sqlite3_close(h);
}
BENCHMARK(BM_BareSqliteRead)->Unit(benchmark::kMillisecond);

void BM_OpenRecordset(benchmark::State &state)
{
    db::Connection conn;
    conn.Open(data().path);
    for (auto _ : state) {
        db::Recordset rs;
        rs.Open("SELECT * FROM tblAct", conn, db::LockType::Pessimistic);
        benchmark::DoNotOptimize(rs.RecordCount());
    }
}
BENCHMARK(BM_OpenRecordset)->Unit(benchmark::kMillisecond);

// Opens `sql` again and again, its parameter running 1 .. keys.
void openRepeatedly(benchmark::State &state, const char *sql, int keys)
{
    db::Connection conn;
    conn.Open(data().path);
    int n = 0;
    for (auto _ : state) {
        db::Recordset rs;
        rs.Open(sql, conn, db::LockType::Pessimistic, {1 + n++ % keys});
        benchmark::DoNotOptimize(rs.RecordCount());
    }
}

// The items of one site (500 of 10,000 rows, no index): the open that a
// calculation repeats for every site.
void BM_OpenSiteItems(benchmark::State &state)
{
    openRepeatedly(state, "SELECT * FROM tblAct WHERE lngStort_REF = ?", 20);
}
BENCHMARK(BM_OpenSiteItems)->Unit(benchmark::kMicrosecond);

// An open of a one-row query: the fixed cost of an open, where asking the
// schema weighs most.
void BM_OpenOneRow(benchmark::State &state)
{
    openRepeatedly(state, "SELECT * FROM tblAct WHERE idrAct_ID = ?", kRows);
}
BENCHMARK(BM_OpenOneRow)->Unit(benchmark::kMicrosecond);

// Ten fields read by name on each of 500 rows, as the calculation reads them.
void BM_FieldsByName(benchmark::State &state)
{
    db::Connection conn;
    conn.Open(data().path);
    db::Recordset rs;
    rs.Open("SELECT * FROM tblAct WHERE lngStort_REF = 1", conn);
    const QStringList names = {"bytOptieStart", "intStartAbs", "bytOptieEind", "intEindAbs", "bytOptieKosten",
                               "sngKostenPE",   "sngAantal",   "bytOptieFreq", "intFreqX",   "BYTISQOR"};
    for (auto _ : state) {
        double sum = 0;
        for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext())
            for (const QString &name : names)
                sum += rs.Fields(name).Value().toDouble();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_FieldsByName)->Unit(benchmark::kMicrosecond);

void findById(benchmark::State &state, bool optimize)
{
    db::Connection conn;
    conn.Open(data().path);
    db::Recordset rs;
    rs.Open("SELECT * FROM tblAct", conn, db::LockType::Pessimistic);
    db::Recordset copy = rs.Clone();
    if (optimize)
        copy.Fields("idrAct_ID").setOptimize(true);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(1, kRows);
    for (auto _ : state) {
        copy.MoveFirst();
        copy.Find(QStringLiteral("idrAct_ID=%1").arg(pick(rng)));
        rs.setBookmark(copy.Bookmark());
    }
}

void BM_FindByIdOptimized(benchmark::State &state)
{
    findById(state, true);
}
void BM_FindByIdScan(benchmark::State &state)
{
    findById(state, false);
}
BENCHMARK(BM_FindByIdOptimized)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindByIdScan)->Unit(benchmark::kMicrosecond);

void BM_UpdateOneField(benchmark::State &state)
{
    db::Connection conn;
    conn.Open(data().path);
    db::Recordset rs;
    rs.Open("SELECT * FROM tblAct", conn, db::LockType::Pessimistic);
    rs.Move(5000);
    int n = 0;
    for (auto _ : state) {
        rs.Fields("sngAantal") = float(++n % 1000);
        rs.Update();
    }
}
BENCHMARK(BM_UpdateOneField)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

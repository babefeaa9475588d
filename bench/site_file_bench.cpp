// Site export and import of a site of 1,000 (and 5,000) cost items, each
// beside its floor:
//
// Export/N: the open site written to an export file. Floor
// ReadAndWrite/N: every field of the same rows read with bare SQLite
// statements, and the same bytes written to a file the same way.
//
// Import/N: that file imported into the data file (the site is removed
// again outside the timing). Floor StreamAndInsert/N: the file read in one
// plain QXmlStreamReader pass that converts every value by its column's
// type, each row inserted as it is read with prepared statements in one
// transaction. The older floor ParseAndInsert/N parses with the program's
// own reader (shell/ado_xml.h) before inserting.
//
// Run interleaved: --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true; bench/ratios.py makes the
// table (see bench/README.md).

#include "bench_site.h"

#include "shell/ado_xml.h"
#include "shell/connection_strings.h"
#include "shell/program_state.h"
#include "shell/site_export.h"
#include "shell/site_import.h"

#include "platform/db/jet_collation.h"
#include "platform/ui/scripted_dialogs.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <map>
#include <vector>

namespace {

struct Data {
    QTemporaryDir dir;
    QString path;
    QString target; // the data file the imports go into
    std::map<int, qint32> sites;
    Data()
        : path(dir.filePath(QStringLiteral("dbQORdata_bench.mdb"))),
          target(dir.filePath(QStringLiteral("dbQORdata_doel.mdb")))
    {
        bench::templateCopy(path);
        bench::templateCopy(target);
        db::Connection cn;
        cn.Open(path);
        for (int n : {1000, 5000})
            sites[n] = bench::addSite(cn, QStringLiteral("Stort %1").arg(n), n);
    }
    QString exportFile(int n) const { return dir.filePath(QStringLiteral("stort%1.xml").arg(n)); }
};

Data &data()
{
    static Data d;
    return d;
}

void exporteer(int items)
{
    modMain::gstrConnData = modMain::pfunConnStrData(data().path);
    modMain::glngStortID = data().sites.at(items);
    modMain::ExporteerInrichting(data().exportFile(items));
}

void Export(benchmark::State &state, int items)
{
    for (auto _ : state)
        exporteer(items);
    state.counters["file_kB"] = double(QFileInfo(data().exportFile(items)).size()) / 1024;
}

sqlite3 *openBare(const QString &path)
{
    sqlite3 *h = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    db::registerJetCollation(h);
    return h;
}

qint64 readAll(sqlite3 *h, const char *sql, qint64 id)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(h, sql, -1, &st, nullptr);
    sqlite3_bind_int64(st, 1, id);
    qint64 n = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            n += sqlite3_column_bytes(st, c) + (sqlite3_column_type(st, c) == SQLITE_NULL);
    sqlite3_finalize(st);
    return n;
}

void ReadAndWrite(benchmark::State &state, int items)
{
    exporteer(items);
    QFile in(data().exportFile(items));
    in.open(QIODevice::ReadOnly);
    const QByteArray bytes = in.readAll();
    const QString target = data().exportFile(items) + QStringLiteral(".floor");
    const qint64 id = data().sites.at(items);
    sqlite3 *h = openBare(data().path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(readAll(h, "SELECT * FROM tblStort WHERE idrStort_ID=?", id));
        benchmark::DoNotOptimize(
            readAll(h, "SELECT * FROM tblTonnage WHERE lngStort_REF=? ORDER BY idrTonnage_ID", id));
        benchmark::DoNotOptimize(
            readAll(h, "SELECT * FROM tblInrichting WHERE lngStort_REF=? ORDER BY idrInrichting_ID", id));
        benchmark::DoNotOptimize(readAll(h,
                                         "SELECT tblAct.* FROM tblAct JOIN tblInrichting ON idrInrichting_ID ="
                                         " lngInrichting_REF WHERE tblInrichting.lngStort_REF=?"
                                         " ORDER BY idrInrichting_ID, idrAct_ID",
                                         id));
        QSaveFile f(target);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.commit();
    }
    sqlite3_close(h);
}

void Import(benchmark::State &state, int items)
{
    exporteer(items);
    const QString file = data().exportFile(items);
    modMain::gstrConnData = modMain::pfunConnStrData(data().target);
    db::Connection cn;
    cn.Open(data().target);
    for (auto _ : state) {
        qint32 id = 0;
        QString naam;
        benchmark::DoNotOptimize(modMain::ImporteerInrichting(file, id, naam));
        state.PauseTiming();
        if (id == 0)
            state.SkipWithError("nothing imported");
        bench::removeSite(cn, id);
        state.ResumeTiming();
    }
}

void bindValue(sqlite3_stmt *st, int i, const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(st, i);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Bool:
        sqlite3_bind_int64(st, i, v.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(st, i, v.toDouble());
        break;
    case QMetaType::QDateTime: {
        const QByteArray t = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toUtf8();
        sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    }
}

// A prepared INSERT of every column of a level but its AutoNumber.
struct Insert {
    sqlite3 *h;
    sqlite3_stmt *st = nullptr;
    std::vector<int> columns; // positions in the file's row
    int parentParam = 0;      // parameter of the parent's new id, 0 none
    int siteParam = 0;
    Insert(sqlite3 *h, const char *table, const adoxml::RowType &t, const char *key, const char *parent,
           const char *site)
        : h(h)
    {
        QStringList names, marks;
        for (size_t c = 0; c < t.columns.size(); ++c) {
            const QString &n = t.columns[c].name;
            if (n.compare(QLatin1String(key), Qt::CaseInsensitive) == 0)
                continue;
            names << n;
            marks << QStringLiteral("?");
            if (parent && n.compare(QLatin1String(parent), Qt::CaseInsensitive) == 0)
                parentParam = int(names.size());
            else if (site && n.compare(QLatin1String(site), Qt::CaseInsensitive) == 0)
                siteParam = int(names.size());
            columns.push_back(int(c));
        }
        const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(QLatin1String(table), names.join(','), marks.join(','))
                                   .toUtf8();
        sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr);
    }
    ~Insert() { sqlite3_finalize(st); }
    qint64 run(const adoxml::RowType &t, const adoxml::Row &row, qint64 parent, qint64 site)
    {
        for (size_t p = 0; p < columns.size(); ++p)
            bindValue(st, int(p) + 1,
                      adoxml::typedValue(t.columns[size_t(columns[p])], row.values[size_t(columns[p])]));
        if (parentParam)
            sqlite3_bind_int64(st, parentParam, parent);
        if (siteParam)
            sqlite3_bind_int64(st, siteParam, site);
        sqlite3_step(st);
        sqlite3_reset(st);
        return sqlite3_last_insert_rowid(h);
    }
};

void ParseAndInsert(benchmark::State &state, int items)
{
    exporteer(items);
    const QString file = data().exportFile(items);
    sqlite3 *h = openBare(data().target);
    db::Connection cn;
    cn.Open(data().target);
    for (auto _ : state) {
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        const adoxml::Rowset rs = adoxml::read(in.readAll());
        const adoxml::RowType &tt = rs.type.chapters[0];
        const adoxml::RowType &it = rs.type.chapters[1];
        const adoxml::RowType &at = it.chapters[0];
        sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
        qint64 site = 0;
        {
            Insert stort(h, "tblStort", rs.type, "idrStort_ID", nullptr, nullptr);
            Insert tonnage(h, "tblTonnage", tt, "idrTonnage_ID", "lngStort_REF", nullptr);
            Insert inr(h, "tblInrichting", it, "idrInrichting_ID", "lngStort_REF", nullptr);
            Insert act(h, "tblAct", at, "idrAct_ID", "lngInrichting_REF", "lngStort_REF");
            const adoxml::Row &s = rs.rows.front();
            site = stort.run(rs.type, s, 0, 0);
            for (const adoxml::Row &t : s.chapters[0])
                tonnage.run(tt, t, site, 0);
            for (const adoxml::Row &i : s.chapters[1]) {
                const qint64 inrId = inr.run(it, i, site, 0);
                for (const adoxml::Row &a : i.chapters[0])
                    act.run(at, a, inrId, site);
            }
        }
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        bench::removeSite(cn, qint32(site));
        state.ResumeTiming();
    }
    sqlite3_close(h);
}

// One level of the file (the site, its forecast, its facilities, their
// cost items) as a plain reading sees it: its columns with their types, and
// a prepared INSERT of every column but the AutoNumber key.
struct StreamLevel {
    enum Soort { Geheel, Reeel, Datum, Waar, Tekst };
    QString element; // "z:row" or the chapter's name
    int parent = -1; // level of the enclosing row
    std::vector<QString> names;
    std::vector<Soort> soorten;
    QHash<QString, std::pair<int, Soort>> param; // column name -> parameter (0 for the key) and type
    int parentParam = 0, siteParam = 0;
    sqlite3_stmt *st = nullptr;

    static Soort soort(QStringView t)
    {
        if (t == u"int" || t.startsWith(u"i") || t.startsWith(u"ui"))
            return Geheel;
        if (t == u"r4" || t == u"r8" || t == u"float" || t == u"number" || t.startsWith(u"fixed"))
            return Reeel;
        if (t.startsWith(u"date"))
            return Datum;
        if (t == u"boolean")
            return Waar;
        return Tekst;
    }
    void prepare(sqlite3 *h, const char *table, const char *key, const char *parentColumn, const char *siteColumn)
    {
        QStringList cols, marks;
        for (size_t c = 0; c < names.size(); ++c) {
            const QString &n = names[c];
            if (n.compare(QLatin1String(key), Qt::CaseInsensitive) == 0) {
                param.insert(n, {0, soorten[c]});
                continue;
            }
            cols << n;
            marks << QStringLiteral("?");
            param.insert(n, {int(cols.size()), soorten[c]});
            if (parentColumn && n.compare(QLatin1String(parentColumn), Qt::CaseInsensitive) == 0)
                parentParam = int(cols.size());
            else if (siteColumn && n.compare(QLatin1String(siteColumn), Qt::CaseInsensitive) == 0)
                siteParam = int(cols.size());
        }
        const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(QLatin1String(table), cols.join(','), marks.join(','))
                                   .toUtf8();
        sqlite3_prepare_v2(h, sql.constData(), -1, &st, nullptr);
    }
    void bind(int p, Soort s, QStringView v)
    {
        switch (s) {
        case Geheel:
            sqlite3_bind_int64(st, p, v.toLongLong());
            break;
        case Reeel:
            sqlite3_bind_double(st, p, v.toDouble());
            break;
        case Datum: {
            const QByteArray t = QDateTime::fromString(v.toString(), Qt::ISODate)
                                     .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                                     .toUtf8();
            sqlite3_bind_text(st, p, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        case Waar:
            sqlite3_bind_int(st, p, v == u"true" || v == u"1" || v == u"-1");
            break;
        case Tekst: {
            const QByteArray t = v.toUtf8();
            sqlite3_bind_text(st, p, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
        }
    }
};

void StreamAndInsert(benchmark::State &state, int items)
{
    exporteer(items);
    const QString file = data().exportFile(items);
    sqlite3 *h = openBare(data().target);
    db::Connection cn;
    cn.Open(data().target);
    for (auto _ : state) {
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        QXmlStreamReader xml(&in);
        std::vector<StreamLevel> levels;
        std::vector<int> open;      // the ElementTypes being read
        std::vector<qint64> ids;    // the new ids of the rows being read
        std::vector<int> rowLevels; // their levels
        qint64 site = 0;
        bool inData = false;
        sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                if (xml.qualifiedName() == u"s:ElementType")
                    open.pop_back();
                else if (inData && !rowLevels.empty())
                    rowLevels.pop_back(), ids.pop_back();
                continue;
            }
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QStringView name = xml.qualifiedName();
            const QXmlStreamAttributes attrs = xml.attributes();
            if (!inData) {
                if (name == u"s:ElementType") {
                    StreamLevel l;
                    l.element = attrs.value(QLatin1String("name")).toString();
                    if (l.element == u"row")
                        l.element = QStringLiteral("z:row");
                    l.parent = open.empty() ? -1 : open.back();
                    open.push_back(int(levels.size()));
                    levels.push_back(std::move(l));
                } else if (name == u"s:AttributeType") {
                    levels[size_t(open.back())].names.push_back(attrs.value(QLatin1String("name")).toString());
                    levels[size_t(open.back())].soorten.push_back(StreamLevel::Tekst);
                } else if (name == u"s:datatype") {
                    levels[size_t(open.back())].soorten.back() =
                        StreamLevel::soort(attrs.value(QLatin1String("dt:type")));
                } else if (name == u"rs:data") {
                    inData = true;
                    levels[0].prepare(h, "tblStort", "idrStort_ID", nullptr, nullptr);
                    for (StreamLevel &l : levels) {
                        if (l.element == QLatin1String(modMain::kHoofdstukTonnage))
                            l.prepare(h, "tblTonnage", "idrTonnage_ID", "lngStort_REF", nullptr);
                        else if (l.element == QLatin1String(modMain::kHoofdstukInrichting))
                            l.prepare(h, "tblInrichting", "idrInrichting_ID", "lngStort_REF", nullptr);
                        else if (l.element == QLatin1String(modMain::kHoofdstukAct))
                            l.prepare(h, "tblAct", "idrAct_ID", "lngInrichting_REF", "lngStort_REF");
                    }
                }
                continue;
            }
            const int parent = rowLevels.empty() ? -1 : rowLevels.back();
            int level = -1;
            for (size_t i = 0; i < levels.size(); ++i)
                if (levels[i].parent == parent && levels[i].element == name)
                    level = int(i);
            if (level < 0) {
                state.SkipWithError("unknown element in the file");
                break;
            }
            StreamLevel &l = levels[size_t(level)];
            sqlite3_clear_bindings(l.st);
            for (const QXmlStreamAttribute &a : attrs) {
                const auto at = l.param.constFind(a.name().toString());
                if (at == l.param.constEnd() || at->first == 0)
                    continue;
                l.bind(at->first, at->second, a.value());
            }
            if (l.parentParam)
                sqlite3_bind_int64(l.st, l.parentParam, ids.back());
            if (l.siteParam)
                sqlite3_bind_int64(l.st, l.siteParam, site);
            sqlite3_step(l.st);
            sqlite3_reset(l.st);
            const qint64 id = sqlite3_last_insert_rowid(h);
            if (level == 0)
                site = id;
            rowLevels.push_back(level);
            ids.push_back(id);
        }
        for (StreamLevel &l : levels)
            sqlite3_finalize(l.st);
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        if (xml.hasError())
            state.SkipWithError(qPrintable(xml.errorString()));
        bench::removeSite(cn, qint32(site));
        state.ResumeTiming();
    }
    sqlite3_close(h);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ui::ScriptedDialogs dialogs(ui::ScriptedDialogs::Mode::Record);
    ui::ScopedDialogs useDialogs(&dialogs);

    for (int n : {1000, 5000}) {
        const std::string s = std::to_string(n);
        benchmark::RegisterBenchmark(("Export/" + s).c_str(), Export, n)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("ReadAndWrite/" + s).c_str(), ReadAndWrite, n)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Import/" + s).c_str(), Import, n)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("ParseAndInsert/" + s).c_str(), ParseAndInsert, n)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("StreamAndInsert/" + s).c_str(), StreamAndInsert, n)
            ->Unit(benchmark::kMillisecond);
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

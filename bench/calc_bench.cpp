// The target-fund calculation and the equalised levy against only reading
// the rows they read: a site of 1,000 cost items (a third perpetual yearly,
// a third every N years, a third once), and 50 sites of 200 items each
// equalised in one province.
//
// Floors: BareLeesPosten1000 and BareLeesVerevend50x200 read the
// calculation's own columns (bare_read.h) once per site with bare SQLite
// statements, the levy's also its list of sites and the summed forecast.
// LeesPosten1000 and LeesVerevend50x200 read every column of the same rows
// through the data layer, as the report view does.
//
// Run interleaved: --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true; bench/ratios.py makes the
// table (see bench/README.md).

#include "bare_read.h"

#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "calc/verify_ansich.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/scripted_dialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <string>

namespace {

const QString kProgramDir = QStringLiteral(TAVIR_PROGRAM_DIR);

struct Data {
    QTemporaryDir dir;
    QString path;
    qint32 grooteStort = 0;
    qint32 eersteVerevend = 0;

    qint32 lastId(db::Connection &cn)
    {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT last_insert_rowid()"), cn);
        return rs.Fields(0).Value().toInt();
    }

    qint32 site(db::Connection &cn, const QString &naam, int prov, int object, int items)
    {
        cn.Execute(
            QStringLiteral("INSERT INTO tblStort (strStortNaam, intStortType, bytProv_REF, sngRentePerc, sngInflPerc,"
                           " dtmAanvangNazorg, intJaarPrijsPeil, bytBedrijfsGebonden, bytObjectGebonden, sngNazorgOpp,"
                           " sngAlgAppKostenBasis, sngAppKostenPerc, bytRapEval, sngRapEvalMin, sngRapEvalPerHa,"
                           " sngRapEvalMax, sngAlgCommunicatieKosten, sngOnvoorzien, sngOntwerpdirectie,"
                           " sngAlgRisicoBedrag, intCL_REF) VALUES (?, 1, ?, 4.5, 2, '2031-01-01 00:00:00', 2002, 0, ?,"
                           " 25, 15000, 3, 2, 3500, 225, 9000, 3000, 10, 12, 25000, 1)"),
            {naam, prov, object});
        const qint32 id = lastId(cn);
        qint32 fac = 0;
        for (int i = 0; i < items; ++i) {
            if (i % 20 == 0) {
                cn.Execute(QStringLiteral("INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, strObject)"
                                          " VALUES (?, ?, ?)"),
                           {id, 1 + (i / 20) % 7, QStringLiteral("Voorziening %1").arg(i / 20)});
                fac = lastId(cn);
            }
            const int soort = i % 3; // 0 perpetual yearly, 1 every N years, 2 once
            cn.Execute(QStringLiteral(
                           "INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct,"
                           " bytOptieStart, intStartRel, bytStartBA, bytOptieEind, intEindRel, bytEindBA,"
                           " bytOptieKosten, sngKostenTotaal, bytOptieFreq, intFreqX, bytIsQOR, bytCombineer,"
                           " bytTypeVervangingsToeslag) VALUES (?, ?, ?, ?, 2, ?, 0, ?, ?, 0, 2, ?, ?, ?, 0, 0, 0)"),
                       {id, fac, 1 + i % 6, QStringLiteral("Kostenpost %1").arg(i), 1 + i % 10, soort == 2 ? 2 : 3,
                        soort == 2 ? 50 : QVariant(), double(float(1000 + 7 * i)),
                        soort == 0   ? 2
                        : soort == 1 ? 3
                                     : 1,
                        soort == 0   ? 1
                        : soort == 1 ? 5 + i % 21
                                     : QVariant()});
        }
        for (int jaar = 2010; jaar < 2030; ++jaar)
            cn.Execute(QStringLiteral("INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES (?, ?, ?)"),
                       {id, jaar, 100 + jaar % 7});
        return id;
    }

    Data()
    {
        path = dir.filePath(QStringLiteral("dbQORdata_bench.mdb"));
        QFile::copy(kProgramDir + QStringLiteral("/db00.mdb"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db::Connection cn;
        cn.Open(path);
        cn.BeginTrans();
        grooteStort = site(cn, QStringLiteral("Groot"), 10, 1, 1000);
        for (int s = 0; s < 50; ++s) {
            const qint32 id = site(cn, QStringLiteral("Verevend %1").arg(s), 50, 0, 200);
            if (s == 0)
                eersteVerevend = id;
        }
        cn.CommitTrans();
    }

    calc::Context context(qint32 site) const
    {
        calc::Context ctx;
        ctx.gstrConnData = path;
        ctx.gstrConnCL = QStringLiteral("Data Source=") + kProgramDir + QStringLiteral("/dbQORCL.mdb;Mode=Read");
        ctx.glngStortID = site;
        ctx.gintCL_ID = 1;
        ctx.gstrNaamStort = QStringLiteral("bench");
        return ctx;
    }
};

Data &data()
{
    static Data d;
    return d;
}

// Every box the calculation might show is refused loudly: a benchmark that
// meets one is measuring the wrong thing.
struct NoBoxes {
    ui::ScriptedDialogs script;
    ui::ScopedDialogs scope{&script};
};

// Reads every field of the rows of the calculation's query.
qint64 leesPosten(db::Connection &cn, qint32 site)
{
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT tblAct.*, tblInrichting.strObject, tblInrichting.bytObjectCat_REF"
                           " FROM tblInrichting INNER JOIN tblAct"
                           " ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF"
                           " WHERE tblAct.lngStort_REF=? ORDER BY tblAct.idrAct_ID"),
            cn, db::LockType::ReadOnly, {site});
    qint64 n = 0;
    const int velden = rs.FieldCount();
    for (; !rs.EOF_(); rs.MoveNext())
        for (int f = 0; f < velden; ++f)
            n += rs.Fields(f).Value().isValid();
    return n;
}

void BM_BerekenAlles1000(benchmark::State &state)
{
    NoBoxes boxes;
    const qint32 id = data().grooteStort;
    calc::clsDV dv(data().context(id));
    for (auto _ : state) {
        dv.initializeDV(id, -9, -9);
        benchmark::DoNotOptimize(dv.BerekenAlles());
        benchmark::DoNotOptimize(dv.DoelvermogenMetRisicoFonds());
    }
    if (!boxes.script.failures().isEmpty())
        state.SkipWithError("a box was shown");
}
BENCHMARK(BM_BerekenAlles1000)->Unit(benchmark::kMillisecond);

void BM_LeesPosten1000(benchmark::State &state)
{
    db::Connection cn;
    cn.Open(data().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(leesPosten(cn, data().grooteStort));
}
BENCHMARK(BM_LeesPosten1000)->Unit(benchmark::kMillisecond);

void BM_HeffingVerevend50x200(benchmark::State &state)
{
    NoBoxes boxes;
    const calc::Context ctx = data().context(data().eersteVerevend); // the data file is made before timing
    // As the report computes it: the open site's own calculation is bound,
    // and so holds the data file and the checklist file open, as the floor
    // holds its connection.
    calc::clsDV openSite(ctx);
    openSite.initializeDV(ctx.glngStortID, -9, -9);
    for (auto _ : state) {
        calc::clsHeffing h(ctx);
        h.psubBerekenHeffingPerTon(0.0f);
        if (!h.ValidatieOK)
            state.SkipWithError("levy not computed");
        benchmark::DoNotOptimize(h.HeffingPerTon_prijspeil_tRef);
    }
    if (!boxes.script.failures().isEmpty())
        state.SkipWithError("a box was shown");
}
BENCHMARK(BM_HeffingVerevend50x200)->Unit(benchmark::kMillisecond);

// The same as the target-fund report computes it now: the levy is given
// the open site's calculation and does not calculate that site again.
void BM_HeffingVerevendOpenSite50x200(benchmark::State &state)
{
    NoBoxes boxes;
    const calc::Context ctx = data().context(data().eersteVerevend);
    calc::clsDV openSite(ctx);
    openSite.initializeDV(ctx.glngStortID, -9, -9);
    if (!openSite.VerifyBeforeBerekening2() || !openSite.BerekenAlles())
        state.SkipWithError("the open site was not calculated");
    for (auto _ : state) {
        calc::clsHeffing h(ctx);
        h.psubBerekenHeffingPerTon(0.0f, openSite);
        if (!h.ValidatieOK)
            state.SkipWithError("levy not computed");
        benchmark::DoNotOptimize(h.HeffingPerTon_prijspeil_tRef);
    }
    if (!boxes.script.failures().isEmpty())
        state.SkipWithError("a box was shown");
}
BENCHMARK(BM_HeffingVerevendOpenSite50x200)->Unit(benchmark::kMillisecond);

void BM_LeesVerevend50x200(benchmark::State &state)
{
    db::Connection cn;
    cn.Open(data().path);
    for (auto _ : state) {
        db::Recordset sites;
        sites.Open(QStringLiteral("SELECT * FROM tblStort WHERE intStortType IN (1) AND bytObjectGebonden=0"
                                  " AND bytPROV_REF=50 ORDER BY idrStort_ID"),
                   cn);
        qint64 n = 0;
        for (; !sites.EOF_(); sites.MoveNext())
            n += leesPosten(cn, sites.Fields(QStringLiteral("idrStort_ID")).Value().toInt());
        db::Recordset ton;
        ton.Open(QStringLiteral("SELECT intKalJaar, SUM(lngTonnage) AS Aanbod FROM tblTonnage GROUP BY intKalJaar"),
                 cn);
        benchmark::DoNotOptimize(n + ton.RecordCount());
    }
}
BENCHMARK(BM_LeesVerevend50x200)->Unit(benchmark::kMillisecond);

void BM_BareLeesPosten1000(benchmark::State &state)
{
    bench::BareDb h(data().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::readCalcInputs(h.handle(), data().grooteStort));
}
BENCHMARK(BM_BareLeesPosten1000)->Unit(benchmark::kMillisecond);

void BM_BareLeesVerevend50x200(benchmark::State &state)
{
    bench::BareDb h(data().path);
    for (auto _ : state) {
        std::vector<bench::BareValue> sites;
        const qint64 n = bench::bareRows(h.handle(),
                                         "SELECT idrStort_ID, strStortNaam, sngRentePerc, sngInflPerc FROM tblStort"
                                         " WHERE intStortType IN (1) AND bytObjectGebonden=0 AND bytPROV_REF=50"
                                         " ORDER BY idrStort_ID",
                                         {}, sites);
        qint64 items = 0;
        std::string in;
        for (qint64 i = 0; i < n; ++i) {
            const qint64 id = std::get<qint64>(sites[size_t(4 * i)]);
            items += bench::readCalcInputs(h.handle(), id);
            in += (in.empty() ? "" : ",") + std::to_string(id);
        }
        std::vector<bench::BareValue> ton;
        bench::bareRows(h.handle(),
                        ("SELECT intKalJaar, SUM(lngTonnage) AS Aanbod FROM tblTonnage WHERE lngStort_REF IN (" + in
                         + ") GROUP BY intKalJaar HAVING intKalJaar Is Not Null ORDER BY intKalJaar")
                            .c_str(),
                        {}, ton);
        benchmark::DoNotOptimize(items + qint64(ton.size()));
    }
}
BENCHMARK(BM_BareLeesVerevend50x200)->Unit(benchmark::kMillisecond);

// The parts of the work per site: binding (site record and checklist
// view), the input checks, and the calculation of one equalised site; and
// the completeness check on its own, as the general-data screen runs it
// (it loads the site's checklist version to learn the surcharge scheme).
void BM_InitializeDV(benchmark::State &state)
{
    NoBoxes boxes;
    const qint32 id = data().eersteVerevend;
    calc::clsDV dv(data().context(id));
    for (auto _ : state)
        dv.initializeDV(id, -9, -9);
}
BENCHMARK(BM_InitializeDV)->Unit(benchmark::kMillisecond);

void BM_VerifyBeforeBerekening200(benchmark::State &state)
{
    NoBoxes boxes;
    const qint32 id = data().eersteVerevend;
    calc::clsDV dv(data().context(id));
    dv.initializeDV(id, -9, -9);
    for (auto _ : state)
        benchmark::DoNotOptimize(dv.VerifyBeforeBerekening2());
}
BENCHMARK(BM_VerifyBeforeBerekening200)->Unit(benchmark::kMillisecond);

void BM_VerifyInvoerInrichting200(benchmark::State &state)
{
    NoBoxes boxes;
    const qint32 id = data().eersteVerevend;
    const calc::Context ctx = data().context(id);
    for (auto _ : state)
        benchmark::DoNotOptimize(modVerifyAnSich::VerifyInvoerInrichting(ctx, id, QStringLiteral("bench")));
}
BENCHMARK(BM_VerifyInvoerInrichting200)->Unit(benchmark::kMillisecond);

void BM_BerekenAlles200(benchmark::State &state)
{
    NoBoxes boxes;
    const qint32 id = data().eersteVerevend;
    calc::clsDV dv(data().context(id));
    dv.initializeDV(id, -9, -9);
    for (auto _ : state)
        benchmark::DoNotOptimize(dv.BerekenAlles());
}
BENCHMARK(BM_BerekenAlles200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Start-up and compaction of the data file.
//
// StartToMainWindow: time from spawning a fresh process to the main window
// shown, with the template as data file (the floor) and with data files of
// 200 and 800 sites of 100 cost items each (4.3 and 17 MB). The child is this program run with "--child": it starts
// exactly as `tavir` does (QApplication, the dialog service, the start routine) in a private home with its own program
// folder, and reports, as CLOCK_MONOTONIC times, when main() was entered, when the start routine had finished
// (settings, checklist rows, compaction, coupling, hand-over to the splash)
// and when the main window was first exposed by the event loop. The
// iteration time is spawn to exposed. The absolute floor
// BareStartToMainWindow: the same spawn of this program run with "--bare",
// which makes a QApplication and shows an empty QMainWindow of the same
// size, to the window exposed.
//
// Compaction: the start's compaction of a data file of 200 sites with 100
// cost items each (5 facilities of 20 items, a 30-year waste forecast),
// beside its floors: a plain copy of the same file (PlainCopy), a copy that
// is flushed to disk (FlushedCopy), and SQLite's own compacting copy of the
// file (VACUUM INTO, as the compaction makes it), flushed to disk and
// renamed into place, the folder flushed too (VacuumInto).
//
// Run interleaved: --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true; bench/ratios.py makes the
// table (see bench/README.md).
//
// The program folder (template and checklist file) is found beside this
// program's folder as "bin", as the build lays it out, or in
// $TAVIR_PROGRAM_DIR.

#include "shell/datafile_compact.h"
#include "shell/frmMDI_main.h"
#include "shell/start_routine.h"

#include "platform/db/jet_collation.h"
#include "platform/os/copy_file.h"
#include "platform/os/program_dir.h"
#include "platform/ui/busy_cursor.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/qt_busy_cursor.h"
#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

qint64 nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

QString programFolder()
{
    const QString env = qEnvironmentVariable("TAVIR_PROGRAM_DIR");
    if (!env.isEmpty())
        return env;
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath();
}

void run(sqlite3 *h, const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(h, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "sqlite error";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

// A copy of the template with `sites` sites of 5 facilities with 20 cost
// items each, and a 30-year forecast per site.
void fillDataFile(const QString &path, int sites)
{
    QFile::remove(path);
    if (!QFile::copy(programFolder() + QStringLiteral("/db00.mdb"), path))
        throw std::runtime_error("no template in " + programFolder().toStdString());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3 *h = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    db::registerJetCollation(h);
    run(h, "BEGIN");
    run(h, QStringLiteral(R"(
WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < %1)
INSERT INTO tblStort (strStortNaam, strRIVMnr, bytProv_REF, memVestigingsadres, intStortType,
    strVergNaam, strVergPostAdres, strVergContPers, strVergTel, strVergFax, strVergEmail,
    strInvNaam, strInvPostAdres, strInvContPers, strInvTel, strInvFax, strInvEmail,
    sngRentePerc, sngInflPerc, dtmAanvangNazorg, intJaarPrijsPeil, bytBedrijfsGebonden, bytObjectGebonden,
    bytheffing, intStartjaarHeffing, intEindjaarHeffing, sngNazorgOpp, sngAlgAppKostenBasis, sngAppKostenPerc,
    bytRapEval, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, sngAlgCommunicatieKosten, sngOnvoorzien,
    sngOntwerpdirectie, sngAlgRisicoBedrag, memStandaardExportDir, intCL_REF)
SELECT 'Stortplaats ' || i, 'RIVM-' || (1000 + i), ((i % 12) + 1) * 10, 'Stortweg ' || i || ', 1234 AB Ergenshuizen',
    1 + i % 2, 'Exploitant ' || i || ' B.V.', 'Postbus ' || i || ', 1000 AA Amsterdam', 'J. de Vries',
    '012-3456789', '012-3456780', 'info@stort' || i || '.nl', 'Provincie', 'Postbus 90, 5200 MC Den Bosch',
    'A. Jansen', '073-6812812', '073-6141115', 'stort@provincie.nl', 5.06, 2.0, '2030-01-01 00:00:00', 2008, 1, 0,
    1, 2010, 2030, 25.5, 15000, 3, 2, 3500, 225, 9000, 2500, 10, 12, 50000, '/home/gebruiker/export', 3
FROM s;
)")
               .arg(sites)
               .toUtf8()
               .constData());
    run(h, R"(
WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 5)
INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, strObject)
SELECT idrStort_ID, n + 1, 'Voorziening ' || n || ' van ' || strStortNaam FROM tblStort, c ORDER BY idrStort_ID, n;
)");
    run(h, R"(
WITH RECURSIVE a(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM a WHERE k < 20)
INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct, bytOptieStart, intStartAbs, intStartRel,
    bytStartBA, intStartBA, bytOptieEind, intEindAbs, intEindRel, bytEindBA, intEindBA, bytOptieKosten,
    sngPercInvest, sngKostenInvest, sngKostenTotaal, sngKostenPE, sngAantal, strEenheid, bytOptieFreq, intFreqX,
    bytIsQOR, lngClitem_REF, bytCombineer, bytTypeVervangingsToeslag, sngVervangingsToeslagPerc, dtmMut, strOpm,
    strNazorgplanRef)
SELECT lngStort_REF, idrInrichting_ID, 1 + k % 6, 'Kostenpost ' || k || ' ' || strObject, 2, NULL, 1 + k, 0, NULL,
    2, NULL, 30 + k, 0, NULL, 3, NULL, NULL, NULL, 12.5 + k, 100 * k, 'm2', 3, 1 + k % 5, 1, k, 0,
    CASE WHEN k % 6 = 4 THEN 2 ELSE 0 END, CASE WHEN k % 6 = 4 THEN 15 ELSE NULL END, '2026-12-01 10:00:00',
    'Opmerking bij kostenpost ' || k, 'Nazorgplan paragraaf ' || k
FROM tblInrichting, a ORDER BY idrInrichting_ID, k;
)");
    run(h, R"(
WITH RECURSIVE y(j) AS (SELECT 2000 UNION ALL SELECT j + 1 FROM y WHERE j < 2029)
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage)
SELECT idrStort_ID, j, 50000 + j FROM tblStort, y ORDER BY idrStort_ID, j;
)");
    run(h, "COMMIT");
    sqlite3_close(h);
}

// ---- the child: a start as `tavir` makes it ---------------------------------

int child(int argc, char **argv)
{
    const qint64 entered = nowNs();
    QApplication app(argc, argv);
    ui::ScriptedDialogs dialogs(ui::ScriptedDialogs::Mode::Record); // no box is expected
    ui::ScopedDialogs useDialogs(&dialogs);
    ui::setCursorDisplay(ui::showOverrideCursor); // as the program does
    os::setProgramDir(QString::fromLocal8Bit(argv[2]));

    modMain::Main();
    const qint64 started = nowNs();
    shell::frmMDI_main *main = shell::frmMDI_main::instance();
    if (!main || !main->windowHandle())
        return 2;
    while (!main->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const qint64 exposed = nowNs();
    std::printf("%lld %lld %lld %zu %d %d\n", entered, started, exposed, dialogs.shown().size(), main->width(),
                main->height());
    std::fflush(stdout);
    shell::frmMDI_main::unload();
    return 0;
}

// ---- the bare child: Qt's own start to an empty main window -----------------

int bareChild(int argc, char **argv)
{
    const qint64 entered = nowNs();
    QApplication app(argc, argv);
    const qint64 started = nowNs();
    QMainWindow main;
    main.resize(std::atoi(argv[2]), std::atoi(argv[3]));
    main.show();
    while (!main.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const qint64 exposed = nowNs();
    std::printf("%lld %lld %lld 0\n", entered, started, exposed);
    std::fflush(stdout);
    return 0;
}

// ---- the benchmarks ----------------------------------------------------------

QSize mainWindowSize; // as the program's main window is shown

void StartToMainWindow(benchmark::State &state, int sites)
{
    QTemporaryDir tmp;
    const QString prog = tmp.path() + QStringLiteral("/prog");
    const QString home = tmp.path() + QStringLiteral("/home");
    QDir().mkpath(prog);
    QDir().mkpath(home + QStringLiteral("/config"));
    QDir().mkpath(home + QStringLiteral("/run"));
    QFile::setPermissions(home + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::copy(programFolder() + QStringLiteral("/db00.mdb"), prog + QStringLiteral("/db00.mdb"));
    QFile::copy(programFolder() + QStringLiteral("/dbQORCL.mdb"), prog + QStringLiteral("/dbQORCL.mdb"));
    const QString data = prog + QStringLiteral("/dbQORdata_1.mdb");
    if (sites > 0) {
        fillDataFile(data, sites);
    } else {
        QFile::copy(prog + QStringLiteral("/db00.mdb"), data);
        QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner);
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    if (sites < 0 && mainWindowSize.isEmpty()) {
        // The program's main window is made once to learn its size.
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), prog});
        p.waitForFinished(60000);
        long long a = 0, b = 0, c = 0;
        size_t boxes = 0;
        int width = 0, height = 0;
        std::sscanf(p.readAllStandardOutput().constData(), "%lld %lld %lld %zu %d %d", &a, &b, &c, &boxes, &width,
                    &height);
        mainWindowSize = QSize(width, height);
    }
    double toMain = 0, toStarted = 0;
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        const qint64 spawned = nowNs();
        if (sites < 0)
            p.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--bare"), QString::number(mainWindowSize.width()),
                     QString::number(mainWindowSize.height())});
        else
            p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), prog});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            state.SkipWithError("the child did not start the program");
            break;
        }
        qint64 entered = 0, started = 0, exposed = 0;
        size_t boxes = 0;
        int width = 0, height = 0;
        if (std::sscanf(p.readAllStandardOutput().constData(), "%lld %lld %lld %zu %d %d", &entered, &started, &exposed,
                        &boxes, &width, &height)
                < 4
            || boxes != 0) {
            state.SkipWithError("the start showed a box or reported nothing");
            break;
        }
        if (sites >= 0)
            mainWindowSize = QSize(width, height);
        state.SetIterationTime(double(exposed - spawned) / 1e9);
        toMain += double(entered - spawned) / 1e6;
        toStarted += double(started - spawned) / 1e6;
    }
    state.counters["main_entered_ms"] = benchmark::Counter(toMain, benchmark::Counter::kAvgIterations);
    state.counters["start_done_ms"] = benchmark::Counter(toStarted, benchmark::Counter::kAvgIterations);
    state.counters["data_file_kB"] = double(QFileInfo(data).size()) / 1024;
}

struct BigFile {
    QTemporaryDir dir;
    QString path;
    BigFile() : path(dir.path() + QStringLiteral("/dbQORdata_1.mdb")) { fillDataFile(path, 200); }
};

BigFile &bigFile()
{
    static BigFile file;
    return file;
}

void Compaction(benchmark::State &state)
{
    const QString path = bigFile().path;
    for (auto _ : state)
        modCompress::CompactDatabestand(path);
    if (QFileInfo::exists(modCompress::pfunCompactPad(path)))
        state.SkipWithError("the copy was left behind");
    state.counters["data_file_kB"] = double(QFileInfo(path).size()) / 1024;
}

void PlainCopy(benchmark::State &state)
{
    const QString path = bigFile().path;
    const QString target = path + QStringLiteral(".kopie");
    for (auto _ : state) {
        QFile::copy(path, target);
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
    }
}

void FlushedCopy(benchmark::State &state)
{
    const QString path = bigFile().path;
    const QString target = path + QStringLiteral(".kopie");
    for (auto _ : state) {
        os::copyFile(path, target, false);
        state.PauseTiming();
        QFile::remove(target);
        state.ResumeTiming();
    }
}

void VacuumInto(benchmark::State &state)
{
    const QString path = bigFile().path;
    const QString kopie = path + QStringLiteral(".vacuum");
    const QByteArray doel = QFile::encodeName(path);
    const QByteArray map = QFile::encodeName(QFileInfo(path).absolutePath());
    for (auto _ : state) {
        sqlite3 *h = nullptr;
        sqlite3_open_v2(doel.constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
        db::registerJetCollation(h);
        run(h, "PRAGMA synchronous=OFF");
        run(h, ("VACUUM INTO '" + QFile::encodeName(kopie).toStdString() + "'").c_str());
        sqlite3_close(h);
        int fd = ::open(QFile::encodeName(kopie).constData(), O_RDONLY);
        ::fsync(fd);
        ::close(fd);
        if (::rename(QFile::encodeName(kopie).constData(), doel.constData()) != 0)
            state.SkipWithError("rename failed");
        fd = ::open(map.constData(), O_RDONLY | O_DIRECTORY);
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv);
    if (argc >= 4 && std::strcmp(argv[1], "--bare") == 0)
        return bareChild(argc, argv);

    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ui::ScriptedDialogs dialogs(ui::ScriptedDialogs::Mode::Record);
    ui::ScopedDialogs useDialogs(&dialogs);

    benchmark::RegisterBenchmark("StartToMainWindow/template", StartToMainWindow, 0)
        ->UseManualTime()
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartToMainWindow/200x100", StartToMainWindow, 200)
        ->UseManualTime()
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartToMainWindow/800x100", StartToMainWindow, 800)
        ->UseManualTime()
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BareStartToMainWindow", StartToMainWindow, -1)
        ->UseManualTime()
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Compaction/200x100", Compaction)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PlainCopy/200x100", PlainCopy)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("FlushedCopy/200x100", FlushedCopy)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("VacuumInto/200x100", VacuumInto)->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!dialogs.shown().empty())
        std::fprintf(stderr, "boxes were shown: %s\n", qPrintable(dialogs.shown().front().describe()));
    return 0;
}

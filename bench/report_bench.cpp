// The reports as the user waits for them, each beside its floors:
//
// DoelvermWord/N: the target-fund and levy report with all its parts (cover
// page, target-fund table by rubric, unused checklist items, levy) into a
// protected .docx, from checking and calculating the site to the saved
// file. Floor DocxFloor/doelverm/N: one bare read of the calculation's
// inputs (bare_read.h), the same parts of that file zipped in memory at the
// program's deflate level (6), and the program's own durable save (a
// temporary file beside the target, flushed and renamed over it). The
// older floor ZipParts/doelverm/N zips at libzip's default level (9) and
// writes with QSaveFile.
//
// InvoerWord/N: the input-data report with all its parts into a .docx;
// floors DocxFloor/invoer/N and ZipParts/invoer/N as above.
//
// DoelvermScherm/N: the target-fund table in the report window, from
// checking and calculating the site to the text shown. Floor
// SchermDocInEens/N: the same calculation, then the finished formatted
// document of that window (a copy of it) set at once in a text box of the
// same size and shown. The older floor SchermTekstInEens/N sets the plain
// text in the window's own text box (setPlainText).
//
// HerlezenDoelverm/N and HerlezenInvoer/N: only the reads of the site's cost
// items that the report made after the first before it read them once (the
// report view, the checklist items in use), through the data layer: their
// time over the report's is the share of it that was a repeated read.
//
// NaBerekening/N: what the target-fund report now does with the site's
// rows after the calculation (the view made of the calculation's rows and
// sorted, with its checklist version loaded; the checklist items in use
// from the same rows); NaBerekeningOud/N the same parts made the old way,
// each read from the file. RefsUitRijen/invoer/200: the input-data report's
// checklist items in use from the rows of its table.
//
// Run interleaved: --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true; bench/ratios.py makes the
// table (see bench/README.md).

#include "bare_read.h"
#include "bench_site.h"

#include "reports/clsActRapInvoer.h"
#include "reports/doelverm_rapport.h"
#include "reports/frmRapScherm.h"
#include "reports/niet_geselecteerd.h"
#include "reports/rap_voorz.h"

#include "calc/clsDV.h"
#include "records/clsAct.h"

#include "platform/os/replacing_file.h"
#include "platform/ui/scripted_dialogs.h"
#include "platform/word/document.h"
#include "screens/form.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>
#include <zip.h>

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

struct Data {
    QTemporaryDir dir;
    QString path;
    std::map<int, qint32> sites; // by number of items
    Data() : path(dir.filePath(QStringLiteral("dbQORdata_bench.mdb")))
    {
        bench::templateCopy(path);
        db::Connection cn;
        cn.Open(path);
        for (int n : {200, 10000})
            sites[n] = bench::addSite(cn, QStringLiteral("Stort %1").arg(n), n);
    }
    reports::WordReportContext context(int items) const
    {
        reports::WordReportContext ctx;
        ctx.gstrConnData = path;
        ctx.gstrConnCL = bench::checklistConnection();
        ctx.glngStortID = sites.at(items);
        ctx.gintCL_ID = 1;
        ctx.gstrNaamStort = QStringLiteral("Stort %1").arg(items);
        ctx.gsngJaarAanvangNazorg = 2031.0f;
        ctx.gsngBTWPerc = 19.0f;
        ctx.gstrDatabestand = path;
        ctx.versionMajor = 3;
        ctx.generated = QDateTime(QDate(2024, 3, 5), QTime(9, 7));
        return ctx;
    }
};

Data &data()
{
    static Data d;
    return d;
}

ui::ScriptedDialogs &dialogs()
{
    static ui::ScriptedDialogs script;
    return script;
}

// Writes the whole target-fund report of the site of `items` items to `file`.
bool doelvermWord(int items, const QString &file)
{
    reports::DoelvermKeuzes k;
    k.optRapNaar = 2;
    k.chkVoorblad = k.chkRapDV = k.chkRapHef = k.chkRapUnselectedCLitems = true;
    k.optRapSort = 2;
    dialogs().expectFileDialog(ui::FileDialogMode::Save, QStringLiteral("Rapportage opslaan als ...")).answer(file);
    dialogs()
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Rapportage doelvermogen & heffing"),
                      QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?"), ui::Buttons::YesNo)
        .answer(ui::Answer::No);
    reports::DoelvermRapport rapport;
    QString btw = QStringLiteral("19");
    return rapport.maak(k, btw, data().context(items)) && dialogs().failures().isEmpty();
}

void invoerWord(int items, const QString &file)
{
    reports::RapVoorzKeuze k;
    k.chkAlg = k.chkVoorz = k.chkAct = k.chkRapUnselectedCLitems = 1;
    word::Application app;
    word::Document &doc = app.Documents().Add();
    reports::SchrijfRapVoorz(app, doc, k, data().context(items), nullptr);
    doc.SaveAs(file);
}

// The parts of a .docx, in their order.
std::vector<std::pair<std::string, QByteArray>> parts(const QString &file)
{
    std::vector<std::pair<std::string, QByteArray>> out;
    int err = 0;
    zip_t *z = zip_open(QFile::encodeName(file).constData(), ZIP_RDONLY, &err);
    if (!z)
        return out;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, zip_uint64_t(i), 0, &st);
        QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
        zip_file_t *f = zip_fopen_index(z, zip_uint64_t(i), 0);
        zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        out.emplace_back(st.name, bytes);
    }
    zip_close(z);
    return out;
}

// A .docx's parts zipped in memory, at libzip's default level or at
// `level`.
QByteArray zipInMemory(const std::vector<std::pair<std::string, QByteArray>> &p, std::optional<int> level)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *src = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t *z = zip_open_from_source(src, ZIP_TRUNCATE, &error);
    zip_source_keep(src);
    for (const auto &[name, bytes] : p) {
        const zip_int64_t i = zip_file_add(
            z, name.c_str(), zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0), ZIP_FL_ENC_UTF_8);
        if (level)
            zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_DEFLATE, zip_uint32_t(*level));
    }
    zip_close(z);
    zip_stat_t st;
    zip_source_stat(src, &st);
    zip_source_open(src);
    QByteArray out(qsizetype(st.size), Qt::Uninitialized);
    zip_source_read(src, out.data(), st.size);
    zip_source_close(src);
    zip_source_free(src);
    zip_error_fini(&error);
    return out;
}

// The older floor of a .docx: its parts zipped in memory (libzip's default
// level) and written at once.
void zipAndWrite(const std::vector<std::pair<std::string, QByteArray>> &p, const QString &file)
{
    const QByteArray out = zipInMemory(p, std::nullopt);
    QSaveFile f(file);
    f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    f.write(out);
    f.commit();
}

// The floor of a .docx: its parts zipped in memory at the program's level
// and saved as the program saves.
void zipAndSave(const std::vector<std::pair<std::string, QByteArray>> &p, const QString &file)
{
    const QByteArray out = zipInMemory(p, 6);
    os::removeLeftoversBeside(file);
    os::ReplacingFile f(file);
    if (!f.open() || !f.write(out) || !f.commit())
        throw std::runtime_error("cannot save " + file.toStdString());
}

void DoelvermWord(benchmark::State &state, int items)
{
    const QString file = data().dir.filePath(QStringLiteral("doelverm%1.docx").arg(items));
    for (auto _ : state)
        if (!doelvermWord(items, file))
            state.SkipWithError(qPrintable(dialogs().failures().join(QStringLiteral("; "))));
    state.counters["docx_kB"] = double(QFileInfo(file).size()) / 1024;
    state.counters["document_xml_kB"] = double(parts(file).at(3).second.size()) / 1024;
}

void InvoerWord(benchmark::State &state, int items)
{
    const QString file = data().dir.filePath(QStringLiteral("invoer%1.docx").arg(items));
    for (auto _ : state)
        invoerWord(items, file);
    state.counters["docx_kB"] = double(QFileInfo(file).size()) / 1024;
}

void ZipParts(benchmark::State &state, const char *report, int items)
{
    const QString file = data().dir.filePath(QStringLiteral("%1%2-floor.docx").arg(QLatin1String(report)).arg(items));
    if (QLatin1String(report) == QLatin1String("doelverm"))
        doelvermWord(items, file);
    else
        invoerWord(items, file);
    const auto p = parts(file);
    for (auto _ : state)
        zipAndWrite(p, file);
}

void DocxFloor(benchmark::State &state, const char *report, int items)
{
    const QString file = data().dir.filePath(QStringLiteral("%1%2-floor6.docx").arg(QLatin1String(report)).arg(items));
    if (QLatin1String(report) == QLatin1String("doelverm"))
        doelvermWord(items, file);
    else
        invoerWord(items, file);
    const auto p = parts(file);
    bench::BareDb h(data().path);
    for (auto _ : state) {
        bench::readCalcInputs(h.handle(), data().sites.at(items));
        zipAndSave(p, file);
    }
}

// The reads of the site's cost items that follow the calculation's: the
// report view (every column of every item, sorted by rubric) and the
// checklist items the site uses.
void HerlezenDoelverm(benchmark::State &state, int items)
{
    const reports::WordReportContext ctx = data().context(items);
    db::Connection cn;
    cn.Open(data().path);
    for (auto _ : state) {
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT tblAct.*, tblInrichting.bytObjectCat_REF, tblObjectCat.strObjectCat,"
                               " tblInrichting.strObject"
                               " FROM tblObjectCat INNER JOIN (tblInrichting INNER JOIN tblAct"
                               " ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF)"
                               " ON tblObjectCat.bytObjectCat_ID = tblInrichting.bytObjectCat_REF"
                               " WHERE tblInrichting.lngStort_REF=? ORDER BY tblAct.idrAct_ID"),
                cn, db::LockType::ReadOnly, {ctx.glngStortID});
        rs.setSort(QStringLiteral("bytRubriek_REF ASC , bytObjectCat_REF ASC, strObject ASC, strAct ASC"));
        std::vector<std::vector<QVariant>> rijen;
        const int velden = rs.FieldCount();
        for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) {
            std::vector<QVariant> &rij = rijen.emplace_back(size_t(velden));
            for (int f = 0; f < velden; ++f)
                rij[size_t(f)] = rs.Fields(f).Value();
        }
        benchmark::DoNotOptimize(rijen.data());
        benchmark::DoNotOptimize(records::clsAct(ctx).strAlleChecklistRefs());
    }
}

// The input-data report's second read: the checklist items the site uses.
void HerlezenInvoer(benchmark::State &state, int items)
{
    const reports::WordReportContext ctx = data().context(items);
    for (auto _ : state)
        benchmark::DoNotOptimize(records::clsAct(ctx).strAlleChecklistRefs());
}

// The site's calculation, made outside the timing.
std::unique_ptr<calc::clsDV> berekend(int items)
{
    auto dv = std::make_unique<calc::clsDV>(data().context(items));
    dv->initializeDV(data().sites.at(items), -9, -9);
    if (!dv->VerifyBeforeBerekening2() || !dv->BerekenAlles())
        throw std::runtime_error("the calculation failed");
    return dv;
}

void NaBerekening(benchmark::State &state, int items)
{
    const reports::WordReportContext ctx = data().context(items);
    const auto dv = berekend(items);
    for (auto _ : state) {
        dv->rapOpenActRecordsetVanBerekening();
        dv->rapSorteerVeldNaam(QStringLiteral("bytRubriek_REF"));
        benchmark::DoNotOptimize(reports::checklistRefsVan(dv->rijenBerekening(), ctx));
    }
}

void NaBerekeningOud(benchmark::State &state, int items)
{
    const reports::WordReportContext ctx = data().context(items);
    const auto dv = berekend(items);
    for (auto _ : state) {
        dv->rapOpenActRecordset();
        dv->rapSorteerVeldNaam(QStringLiteral("bytRubriek_REF"));
        benchmark::DoNotOptimize(records::clsAct(ctx).strAlleChecklistRefs());
    }
}

void RefsUitRijen(benchmark::State &state, int items)
{
    const reports::WordReportContext ctx = data().context(items);
    reports::clsActRapInvoer rijen(ctx);
    for (auto _ : state)
        benchmark::DoNotOptimize(reports::checklistRefsVan(*rijen.DataMember(QStringLiteral("rsRap")), ctx));
}

QString schermTekst;

void DoelvermScherm(benchmark::State &state, int items)
{
    reports::DoelvermKeuzes k;
    k.optRapNaar = 1;
    k.chkRapDV = true;
    k.optRapSort = 2;
    for (auto _ : state) {
        reports::DoelvermRapport rapport;
        rapport.laadRapScherm = [] { return reports::frmRapScherm::load(); };
        QString btw;
        rapport.maak(k, btw, data().context(items));
        QApplication::processEvents();
    }
    schermTekst = reports::frmRapScherm::load()->Text();
    state.counters["chars"] = double(schermTekst.size());
}

// The calculation as the report makes it.
void bereken(int items)
{
    calc::clsDV dv(data().context(items));
    dv.initializeDV(data().sites.at(items), -9, -9);
    if (!dv.VerifyBeforeBerekening2() || !dv.BerekenAlles())
        throw std::runtime_error("the calculation failed");
    benchmark::DoNotOptimize(dv.DoelvermogenMetRisicoFonds());
}

void SchermDocInEens(benchmark::State &state, int items)
{
    reports::DoelvermKeuzes k;
    k.optRapNaar = 1;
    k.chkRapDV = true;
    k.optRapSort = 2;
    reports::DoelvermRapport rapport;
    rapport.laadRapScherm = [] { return reports::frmRapScherm::load(); };
    QString btw;
    rapport.maak(k, btw, data().context(items));
    QApplication::processEvents();
    QTextEdit *txtRap = reports::frmRapScherm::load()->findChild<QTextEdit *>(QStringLiteral("txtRap"));
    std::unique_ptr<QTextDocument> klaar(txtRap->document()->clone());
    // A text box like the window's, where the window stands.
    auto *box = new QTextEdit;
    box->setLineWrapMode(txtRap->lineWrapMode());
    box->setLineWrapColumnOrWidth(txtRap->lineWrapColumnOrWidth());
    box->setFont(txtRap->font());
    QMdiSubWindow *sub = screens::Form::host()->addSubWindow(box);
    sub->resize(reports::frmRapScherm::load()->size());
    sub->show();
    for (auto _ : state) {
        // A copy of the finished document is made outside the timing.
        state.PauseTiming();
        QTextDocument *doc = klaar->clone(box);
        state.ResumeTiming();
        bereken(items);
        // The box lets go of the copy before (which it did not make).
        QTextDocument *oud = box->document()->parent() == box ? box->document() : nullptr;
        box->setDocument(doc);
        delete oud;
        QApplication::processEvents();
    }
    delete sub;
}

void SchermTekstInEens(benchmark::State &state, int items)
{
    reports::DoelvermKeuzes k;
    k.chkRapDV = true;
    reports::DoelvermRapport rapport;
    rapport.laadRapScherm = [] { return reports::frmRapScherm::load(); };
    QString btw;
    rapport.maak(k, btw, data().context(items));
    const QString text = reports::frmRapScherm::load()->Text();
    for (auto _ : state) {
        reports::frmRapScherm *w = reports::frmRapScherm::load();
        w->setText(QString());
        w->setFont(QStringLiteral("arial"), 8);
        w->findChild<QTextEdit *>(QStringLiteral("txtRap"))->setPlainText(text);
        w->SelStart(0);
        w->setZichtbaar(true);
        QApplication::processEvents();
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ui::ScopedDialogs useDialogs(&dialogs());
    QMdiArea area;
    area.resize(1024, 768);
    area.show();
    screens::Form::setHost(&area);

    const auto ms = benchmark::kMillisecond;
    for (int n : {200, 10000}) {
        const int iter = n > 1000 ? 1 : 0;
        auto *a =
            benchmark::RegisterBenchmark(("DoelvermWord/" + std::to_string(n)).c_str(), DoelvermWord, n)->Unit(ms);
        auto *b =
            benchmark::RegisterBenchmark(("ZipParts/doelverm/" + std::to_string(n)).c_str(), ZipParts, "doelverm", n)
                ->Unit(ms);
        auto *c =
            benchmark::RegisterBenchmark(("DoelvermScherm/" + std::to_string(n)).c_str(), DoelvermScherm, n)->Unit(ms);
        auto *d = benchmark::RegisterBenchmark(("SchermTekstInEens/" + std::to_string(n)).c_str(), SchermTekstInEens, n)
                      ->Unit(ms);
        auto *e =
            benchmark::RegisterBenchmark(("DocxFloor/doelverm/" + std::to_string(n)).c_str(), DocxFloor, "doelverm", n)
                ->Unit(ms);
        auto *f = benchmark::RegisterBenchmark(("SchermDocInEens/" + std::to_string(n)).c_str(), SchermDocInEens, n)
                      ->Unit(ms);
        auto *g = benchmark::RegisterBenchmark(("HerlezenDoelverm/" + std::to_string(n)).c_str(), HerlezenDoelverm, n)
                      ->Unit(ms);
        auto *h =
            benchmark::RegisterBenchmark(("NaBerekening/" + std::to_string(n)).c_str(), NaBerekening, n)->Unit(ms);
        auto *i = benchmark::RegisterBenchmark(("NaBerekeningOud/" + std::to_string(n)).c_str(), NaBerekeningOud, n)
                      ->Unit(ms);
        if (iter)
            for (auto *x : {a, b, c, d, e, f, g, h, i})
                x->Iterations(iter);
    }
    benchmark::RegisterBenchmark("InvoerWord/200", InvoerWord, 200)->Unit(ms);
    benchmark::RegisterBenchmark("ZipParts/invoer/200", ZipParts, "invoer", 200)->Unit(ms);
    benchmark::RegisterBenchmark("DocxFloor/invoer/200", DocxFloor, "invoer", 200)->Unit(ms);
    benchmark::RegisterBenchmark("HerlezenInvoer/200", HerlezenInvoer, 200)->Unit(ms);
    benchmark::RegisterBenchmark("RefsUitRijen/invoer/200", RefsUitRijen, 200)->Unit(ms);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    screens::Form::setHost(nullptr);
    return 0;
}

// Opening the facilities and cost-items screen (load, tree fill, first
// paint) for a site of N cost items, FrmActOpen/N, beside its floors:
//
// ActFloor/N: the same screen opened on a site without facilities (the
// empty screen), one bare read of the site's facilities and cost items
// (every column, bare_read.h), and the bare tree below.
//
// BareTree/N: a bare QTreeWidget with the same nodes (texts, bold, colours,
// icons, all expanded), shown and painted once.
//
// HerlezenAct/N: only the second read of the cost items that opening makes
// (the tree fill's, through the data layer): its time over the opening's is
// the share of it that is a repeated read.
//
// Run interleaved: --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true; bench/ratios.py makes the
// table (see bench/README.md).

#include "bare_read.h"
#include "bench_site.h"

#include "screens/frmAct.h"
#include "screens/session.h"
#include "screens/site_tree_widget.h"

#include "platform/ui/scripted_dialogs.h"

#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include <map>

namespace {

struct Data {
    QTemporaryDir dir;
    QString path;
    std::map<int, qint32> sites;
    Data() : path(dir.filePath(QStringLiteral("dbQORdata_bench.mdb")))
    {
        bench::templateCopy(path);
        db::Connection cn;
        cn.Open(path);
        for (int n : {0, 1000, 10000})
            sites[n] = bench::addSite(cn, QStringLiteral("Stort %1").arg(n), n);
    }
};

Data &data()
{
    static Data d;
    return d;
}

qint32 openSite = 0;

void useSite(int items)
{
    openSite = data().sites.at(items);
    screens::Session s;
    s.context = [] {
        calc::Context ctx;
        ctx.gstrConnData = data().path;
        ctx.gstrConnCL = bench::checklistConnection();
        ctx.glngStortID = openSite;
        ctx.gintCL_ID = 1;
        ctx.gsngJaarAanvangNazorg = 2031.0f;
        ctx.gstrNaamStort = QStringLiteral("bench");
        return ctx;
    };
    s.treeOptions = [] { return screens::TreeOptions{}; };
    s.meldFout = [](const platform::Error &) {};
    screens::installSession(std::move(s));
}

void paint(QWidget *w)
{
    w->show();
    QApplication::processEvents();
    w->repaint();
}

void FrmActOpen(benchmark::State &state, int items)
{
    useSite(items);
    int nodes = 0;
    for (auto _ : state) {
        screens::frmAct *f = screens::frmAct::load();
        paint(f);
        state.PauseTiming();
        nodes = f->boom().allNodes().size();
        f->unload();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["nodes"] = nodes;
}

// One node of the screen's tree as shown.
struct Node {
    QString text;
    bool bold;
    QBrush colour;
    QIcon icon;
    std::vector<Node> children;
};

Node snapshot(QTreeWidgetItem *it)
{
    Node n{it->text(0), it->font(0).bold(), it->foreground(0), it->icon(0), {}};
    for (int i = 0; i < it->childCount(); ++i)
        n.children.push_back(snapshot(it->child(i)));
    return n;
}

void add(QTreeWidgetItem *it, const Node &n)
{
    it->setText(0, n.text);
    if (n.bold) {
        QFont f = it->font(0);
        f.setBold(true);
        it->setFont(0, f);
    }
    it->setForeground(0, n.colour);
    it->setIcon(0, n.icon);
    for (const Node &c : n.children)
        add(new QTreeWidgetItem(it), c);
    it->setExpanded(true);
}

// The tree of the screen as shown for the site of `items` items.
std::vector<Node> treeOf(int items, QSize &size)
{
    useSite(items);
    std::vector<Node> roots;
    screens::frmAct *f = screens::frmAct::load();
    paint(f);
    QTreeWidget *t = f->boom().widget();
    size = t->size();
    for (int i = 0; i < t->topLevelItemCount(); ++i)
        roots.push_back(snapshot(t->topLevelItem(i)));
    f->unload();
    QApplication::processEvents();
    return roots;
}

void BareTree(benchmark::State &state, int items)
{
    QSize size;
    const std::vector<Node> roots = treeOf(items, size);
    for (auto _ : state) {
        auto *t = new QTreeWidget;
        t->setHeaderHidden(true);
        t->resize(size);
        for (const Node &n : roots)
            add(new QTreeWidgetItem(t), n);
        paint(t);
        state.PauseTiming();
        delete t;
        state.ResumeTiming();
    }
}

QTreeWidget *bareTree(const std::vector<Node> &roots, QSize size)
{
    auto *t = new QTreeWidget;
    t->setHeaderHidden(true);
    t->resize(size);
    for (const Node &n : roots)
        add(new QTreeWidgetItem(t), n);
    paint(t);
    return t;
}

void ActFloor(benchmark::State &state, int items)
{
    QSize size;
    const std::vector<Node> roots = treeOf(items, size);
    const qint64 site = data().sites.at(items);
    bench::BareDb h(data().path);
    useSite(0);
    for (auto _ : state) {
        screens::frmAct *f = screens::frmAct::load();
        paint(f);
        std::vector<bench::BareValue> rows;
        bench::bareRows(h.handle(), "SELECT * FROM tblInrichting WHERE lngStort_REF=? ORDER BY strObject", {site},
                        rows);
        bench::bareRows(h.handle(), "SELECT * FROM tblAct WHERE lngStort_REF=? ORDER BY idrAct_ID", {site}, rows);
        benchmark::DoNotOptimize(rows.data());
        QTreeWidget *t = bareTree(roots, size);
        state.PauseTiming();
        delete t;
        f->unload();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void HerlezenAct(benchmark::State &state, int items)
{
    db::Connection cn;
    cn.Open(data().path);
    for (auto _ : state) {
        db::Recordset rows;
        rows.Open(QStringLiteral("SELECT idrAct_ID, lngInrichting_REF, strAct, bytIsQOR, bytRubriek_REF, bytCombineer,"
                                 " bytOptieStart, bytStartBA, intStartabs, intStartrel, intStartBA, bytOptieEind,"
                                 " bytEindBA, intEindabs, intEindrel, intEindBA, bytOptieKosten, sngPercInvest,"
                                 " sngKostenInvest, sngKostenTotaal, sngKostenPE, strEenheid, sngAantal, bytOptieFreq,"
                                 " intfreqX, bytTypeVervangingsToeslag, sngVervangingsToeslagPerc FROM tblAct"
                                 " WHERE lngStort_REF=? ORDER BY lngInrichting_REF, strAct, idrAct_ID"),
                  cn, db::LockType::ReadOnly, {data().sites.at(items)});
        qint64 n = 0;
        const int velden = rows.FieldCount();
        for (; !rows.EOF_(); rows.MoveNext())
            for (int f = 0; f < velden; ++f)
                n += rows.Fields(f).Value().isValid();
        benchmark::DoNotOptimize(n);
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ui::ScriptedDialogs dialogs(ui::ScriptedDialogs::Mode::Record);
    ui::ScopedDialogs useDialogs(&dialogs);
    QMdiArea area;
    area.resize(1024, 768);
    area.show();
    screens::Form::setHost(&area);

    for (int n : {1000, 10000}) {
        auto *a = benchmark::RegisterBenchmark(("FrmActOpen/" + std::to_string(n)).c_str(), FrmActOpen, n)
                      ->Unit(benchmark::kMillisecond);
        auto *b = benchmark::RegisterBenchmark(("BareTree/" + std::to_string(n)).c_str(), BareTree, n)
                      ->Unit(benchmark::kMillisecond);
        auto *c = benchmark::RegisterBenchmark(("ActFloor/" + std::to_string(n)).c_str(), ActFloor, n)
                      ->Unit(benchmark::kMillisecond);
        auto *d = benchmark::RegisterBenchmark(("HerlezenAct/" + std::to_string(n)).c_str(), HerlezenAct, n)
                      ->Unit(benchmark::kMillisecond);
        if (n > 1000)
            for (auto *x : {a, b, c, d})
                x->Iterations(2);
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!dialogs.shown().empty())
        std::fprintf(stderr, "boxes were shown: %s\n", qPrintable(dialogs.shown().front().describe()));
    screens::installSession({});
    screens::Form::setHost(nullptr);
    return 0;
}

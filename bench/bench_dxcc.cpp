// The DXCC table on generated logs of 100,000 and 1,000,000 QSOs, against the
// load of the same log. Printed last, one per size:
//   ratio dxcc_build_vs_load_<n>  building the whole table (every record's
//                                 fields read, its call resolved, its cell
//                                 counted) against loading the log
//   ratio dxcc_open_vs_load_<n>   the DXCC window opened from the main
//                                 window's button by a click (input events)
//                                 to the end of its first repaint, the table
//                                 counted whole, against loading the log;
//                                 rounds of both take turns in the same run
// and, for the largest size, the same as "ratio dxcc_build_vs_load" and
// "ratio dxcc_open_vs_load" (with file_bytes). The absolute times (the
// country file read, one call resolved, one opening) are printed before.
#include "app/WindowFactory.h"
#include "country/CountrySource.h"
#include "country/DxccStats.h"
#include "dxcc/DxccLog.h"
#include "dxcc/DxccWindow.h"
#include "logdata/Loader.h"
#include "logdata/Logbook.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "BenchLog.h"
#include "MedianReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

using namespace country;

namespace
{
BenchLog* bench = nullptr;

// The logbook the benchmarks load, as a Logbook holds it.
LogbookState& book()
{
    static LogbookState b;
    return b;
}
std::shared_ptr<const CountryResolver> resolver;

void freshState()
{
    resetProgramState();
    book() = LogbookState();
    G().LogFilePath = QFile::encodeName(bench->path);
    G().DisplayFormat = 1;
}

void BM_Load(benchmark::State& state)
{
    freshState();
    for (auto _ : state) {
        LoadReport r = loadLogbookData(G(), book());
        benchmark::DoNotOptimize(r.rows.rowCount());
    }
}

// The table from the log in memory, as the DXCC window builds it on opening.
void BM_DxccBuild(benchmark::State& state)
{
    freshState();
    loadLogbookData(G(), book());
    const LineTable& lines = book().LogLines;
    const int last = book().LoadedLineCount;
    for (auto _ : state) {
        DxccStats stats(resolver);
        for (int k = 1; k <= last; ++k)
            stats.add(dxccQsoFromAdif(lines.view(k)));
        if (stats.qsoCount() != last || stats.workedEntities().size() < 10)
            state.SkipWithError("the table does not hold the log");
        benchmark::DoNotOptimize(stats.totals(kAllBands));
    }
}

void BM_CountryFile(benchmark::State& state)
{
    for (auto _ : state) {
        const CountrySource s = loadCountrySource(QStringLiteral("/nonexistent"));
        if (!s.usesFile())
            state.SkipWithError("no country file");
        benchmark::DoNotOptimize(s.resolver.get());
    }
}

const char* const kCalls[] = {"DL1ABC", "EA8/DL1ABC", "W6ABC/4", "VK9NS",  "KH6/W1ABC",
                              "IT9ABC", "3D2AG/P",    "JA1XYZ",  "UA9ABC", "PY2ZZZ/P"};

void BM_Resolve(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(resolver->resolve(kCalls[i++ % 10]).dxcc);
}
double monotonicMs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double cpuMs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Notes the first repaint of the window an action opens.
class PaintSeen : public QObject
{
public:
    QWidget* window = nullptr;
    bool painted = false;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && window && o->isWidgetType() &&
            static_cast<QWidget*>(o)->window() == window)
            painted = true;
        return false;
    }
};

// The load as the program makes it, into a state of its own.
void loadOnce(Series& out)
{
    ProgramState s;
    s.LogFilePath = QFile::encodeName(bench->path);
    s.DisplayFormat = 1;
    LogbookState book;
    const double wall = monotonicMs(), cpu = cpuMs();
    LoadReport r = loadLogbookData(s, book);
    out.add(monotonicMs() - wall, cpuMs() - cpu);
    benchmark::DoNotOptimize(r.rows.rowCount());
}

// A click on the main window's DXCC button to the end of the window's first
// repaint; the table is counted whole, as at its first opening.
void openOnce(Series& out, PaintSeen& seen)
{
    DxccWindow* w = windows().Dxcc;
    w->hide();
    windows().Countries->logReloaded();
    QCoreApplication::processEvents();
    seen.window = w;
    seen.painted = false;
    const double wall = monotonicMs(), cpu = cpuMs();
    QTest::mouseClick(windows().Form1->DxccButton, Qt::LeftButton);
    QTimer wake; // so that the wait for events ends now and then
    wake.start(5);
    while (!seen.painted && monotonicMs() - wall < 600000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    out.add(monotonicMs() - wall, cpuMs() - cpu);
    if (w->Table->model()->rowCount() < 10)
        std::fprintf(stderr, "the DXCC window shows no table\n");
}

// The program on the benchmark's log: config.dat names it, the forms are
// built (which loads it), the packaged country file in use.
void openWindowRounds(RatioLines& ratios, double& lastRatio)
{
    QFile config(QStringLiteral("config.dat"));
    config.open(QIODevice::WriteOnly);
    config.write(QFile::encodeName(bench->path) +
                 "\r\nfalse\r\n\r\nGermany\r\nDL1VOS\r\n\r\n\r\n\r\n\r\nJO62QM\r\n\r\n" +
                 QByteArray::number(bench->records) + "\r\ntnx\r\nEng\r\n");
    config.close();
    resetProgramState();
    createAllForms();
    // The load rounds load into a logbook of their own: the main window's
    // progress notice (which repaints) never hears of them.
    useCountrySource(loadCountrySource(QStringLiteral("/nonexistent")));
    PaintSeen seen;
    qApp->installEventFilter(&seen);
    Series load, open;
    const int asked = qEnvironmentVariableIntValue("VOSMIRA_BENCH_ROUNDS");
    const int rounds = asked > 0 ? asked : 5;
    for (int i = 0; i < rounds; ++i) {
        loadOnce(load);
        openOnce(open, seen);
    }
    qApp->removeEventFilter(&seen);
    // The window's table (counted on several threads) is the one counted
    // line by line.
    {
        const DxccStats& shown = windows().Countries->stats();
        DxccStats one(resolver);
        const Logbook* log = windows().Form1->logbook();
        for (int k = 1; k < log->lineCount(); ++k)
            one.add(dxccQsoFromAdif(log->line(k)));
        for (int b = 0; b <= kAllBands; ++b)
            if (shown.totals(b).worked != one.totals(b).worked ||
                shown.totals(b).confirmed != one.totals(b).confirmed)
                std::fprintf(stderr, "the DXCC window's totals differ on band %d\n", b);
        for (int dxcc : resolver->dxccNumbers())
            if (shown.cell(dxcc, kAllBands).worked != one.cell(dxcc, kAllBands).worked)
                std::fprintf(stderr, "the DXCC window's count of entity %d differs\n", dxcc);
    }
    destroyAllForms();
    std::printf("%d QSOs: DXCC window opened %.1f ms (worst %.1f), load %.1f ms (wall, medians)\n",
                bench->records, open.medianWall(), open.worst(), load.medianWall());
    ratios.add("dxcc_open_vs_load", bench->records, bench->size, open.medianWall(),
               load.medianWall(), open.medianCpu(), load.medianCpu(), open.worst(), load.worst());
    if (load.medianWall() > 0)
        lastRatio = open.medianWall() / load.medianWall();
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    resolver = loadCountrySource(QStringLiteral("/nonexistent")).resolver;
    if (resolver->isEmpty()) {
        std::fprintf(stderr, "no country file: install hamradio-files\n");
        return 1;
    }
    RatioLines ratios;
    double lastRatio = -1, lastOpenRatio = -1;
    qint64 lastBytes = 0;
    {
        benchmark::RegisterBenchmark("country_file", BM_CountryFile)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark("resolve", BM_Resolve)
            ->Unit(benchmark::kNanosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        MedianReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::ClearRegisteredBenchmarks();
        std::printf("country file read and indexed: %.1f ms; one call resolved: %.0f ns\n",
                    reporter.cpu["country_file"], reporter.cpu["resolve"]);
    }
    for (const int records : benchSizes()) {
        bench = new BenchLog(records);
        std::printf("log: %d QSOs, %lld bytes\n", records, static_cast<long long>(bench->size));
        const bool large = records >= 500000;
        using Bench = void (*)(benchmark::State&);
        const std::pair<const char*, Bench> all[] = {{"load", BM_Load},
                                                     {"dxcc_build", BM_DxccBuild}};
        for (const auto& [name, fn] : all) {
            auto* b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond);
            b->Repetitions(5)->ReportAggregatesOnly(true);
            if (large)
                b->Iterations(1);
            else
                b->MinTime(0.3);
        }
        MedianReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::ClearRegisteredBenchmarks();
        const double load = reporter.cpu["load"], build = reporter.cpu["dxcc_build"];
        std::printf("%d QSOs: load %.1f ms, DXCC table built %.1f ms (CPU, medians)\n", records,
                    load, build);
        ratios.add("dxcc_build_vs_load", records, bench->size, reporter.wall["dxcc_build"],
                   reporter.wall["load"], build, load);
        if (load > 0)
            lastRatio = build / load;
        openWindowRounds(ratios, lastOpenRatio);
        lastBytes = bench->size;
        delete bench;
        bench = nullptr;
    }
    ratios.print();
    if (lastRatio >= 0)
        std::printf("ratio dxcc_build_vs_load %.3f\n", lastRatio);
    if (lastOpenRatio >= 0)
        std::printf("ratio dxcc_open_vs_load %.3f file_bytes %lld\n", lastOpenRatio,
                    static_cast<long long>(lastBytes));
    benchmark::Shutdown();
    return 0;
}

// The DXCC table on generated logs of 100,000 and 1,000,000 QSOs, against the
// load of the same log. Printed last, one per size:
//   ratio dxcc_build_vs_load_<n>  building the whole table (every record's
//                                 fields read, its call resolved, its cell
//                                 counted) against loading the log
// and, for the largest size, the same as "ratio dxcc_build_vs_load". The
// absolute times (the country file read, one call resolved, one "new one"
// answer) are printed before.
#include "country/CountrySource.h"
#include "country/DxccStats.h"
#include "logdata/Loader.h"
#include "logdata/State.h"

#include <QFile>

#include "BenchLog.h"
#include "MedianReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>

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
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    resolver = loadCountrySource(QStringLiteral("/nonexistent")).resolver;
    if (resolver->isEmpty()) {
        std::fprintf(stderr, "no country file: install hamradio-files\n");
        return 1;
    }
    RatioLines ratios;
    double lastRatio = -1;
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
        delete bench;
        bench = nullptr;
    }
    ratios.print();
    if (lastRatio >= 0)
        std::printf("ratio dxcc_build_vs_load %.3f\n", lastRatio);
    benchmark::Shutdown();
    return 0;
}

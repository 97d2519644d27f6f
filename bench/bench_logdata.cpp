// Benchmarks of the logbook data layer. Each figure is compared with a
// baseline measured in the same run: read the whole file and split it into
// lines. The last lines printed are the ratios, one per goal:
//   ratio load_vs_baseline     (goal: at most 2)
//   ratio list_vs_baseline     (goal: at most 3)
//   ratio rewrite_vs_baseline  (a "modification save" plus reload; goal: at most 4)
//   ratio rss_vs_filesize      (peak memory of a loading process; goal: at most 4)
// and the load and list ratios once more from interleaved rounds (see below).
#include "logdata/Loader.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"
#include "logdata/TextList.h"
#include "loggen/LogGenerator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BenchLog.h"
#include "MedianReporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace
{
BenchLog* bench = nullptr;
QString logPath;
qint64 logSize = 0;

void prepare()
{
    bench = new BenchLog;
    logPath = bench->path;
    logSize = bench->size;
}

void freshState()
{
    resetProgramState();
    G().LogFilePath = QFile::encodeName(logPath);
    G().DisplayFormat = 1;
    G().StartQsoCount = 100000;
}

void BM_Baseline_ReadAndSplit(benchmark::State& state)
{
    for (auto _ : state) {
        QFile f(logPath);
        f.open(QIODevice::ReadOnly);
        const QByteArray all = f.readAll();
        const QList<QByteArray> lines = all.split('\n');
        benchmark::DoNotOptimize(lines.size());
    }
    state.SetBytesProcessed(state.iterations() * logSize);
}

void BM_FullLoad(benchmark::State& state)
{
    freshState();
    for (auto _ : state) {
        LoadReport r = loadLogbookData(G());
        benchmark::DoNotOptimize(r.rows.rowCount());
    }
    state.SetBytesProcessed(state.iterations() * logSize);
}

void BM_ListExport(benchmark::State& state)
{
    freshState();
    for (auto _ : state) {
        const TextListOutcome o = buildTextList(G(), nullptr);
        benchmark::DoNotOptimize(o.rows);
    }
    state.SetBytesProcessed(state.iterations() * logSize);
}

// "modification save" of one changed record (an atomic rewrite of the whole
// file) and the reload that follows.
void BM_ChangeSaveAndReload(benchmark::State& state)
{
    freshState();
    loadLogbookData(G());
    int k = 0;
    for (auto _ : state) {
        const int line = 2 + (k++ % 1000);
        QByteArray rec = G().LogLines.at(line);
        G().LogLines.set(line, rec);
        const RewriteOutcome o = rewriteLogbook(G(), G().LineCount);
        if (o.result != RewriteResult::Written)
            state.SkipWithError("rewrite failed");
        LoadReport r = loadLogbookData(G());
        benchmark::DoNotOptimize(r.rows.rowCount());
    }
}

VOSMIRA_BENCH(BM_Baseline_ReadAndSplit);
VOSMIRA_BENCH(BM_FullLoad);
VOSMIRA_BENCH(BM_ListExport);
VOSMIRA_BENCH(BM_ChangeSaveAndReload);

// Collects each benchmark's median CPU time per iteration besides the normal
// output.

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The ratios again, from rounds that run the baseline and each measured
// operation one right after the other, so that a slow phase of the machine
// (this runs on shared virtual machines) touches both sides of a ratio alike.
std::map<std::string, double> interleavedMedians(int rounds)
{
    std::vector<double> base, load, list;
    freshState();
    for (int i = 0; i < rounds; ++i) {
        double t = cpuMs();
        {
            QFile f(logPath);
            f.open(QIODevice::ReadOnly);
            const QList<QByteArray> lines = f.readAll().split('\n');
            benchmark::DoNotOptimize(lines.size());
        }
        base.push_back(cpuMs() - t);
        t = cpuMs();
        {
            LoadReport r = loadLogbookData(G());
            benchmark::DoNotOptimize(r.rows.rowCount());
        }
        load.push_back(cpuMs() - t);
        t = cpuMs();
        benchmark::DoNotOptimize(buildTextList(G(), nullptr).rows);
        list.push_back(cpuMs() - t);
    }
    return {{"base", median(base)}, {"load", median(load)}, {"list", median(list)}};
}

double peakRssKb()
{
    QProcess p;
    p.start(QStringLiteral(VOSMIRA_LOADPROBE), {logPath});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return -1;
    return QByteArray(p.readAllStandardOutput()).split(' ').value(0).toDouble();
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    prepare();
    std::printf("log: %lld bytes, 100000 records\n", static_cast<long long>(logSize));
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double base = reporter.cpu["BM_Baseline_ReadAndSplit"];
    const double rss = peakRssKb();
    std::printf("peak memory of a loading process: %.0f kB\n", rss);
    auto ratio = [&](const char* name, const char* key) {
        auto it = reporter.cpu.find(key);
        if (it != reporter.cpu.end() && base > 0)
            std::printf("ratio %s %.2f\n", name, it->second / base);
    };
    ratio("load_vs_baseline", "BM_FullLoad");
    ratio("list_vs_baseline", "BM_ListExport");
    ratio("rewrite_vs_baseline", "BM_ChangeSaveAndReload");
    const auto m = interleavedMedians(21);
    std::printf("interleaved medians: baseline %.1f ms, load %.1f ms, list %.1f ms\n", m.at("base"),
                m.at("load"), m.at("list"));
    std::printf("ratio load_vs_baseline_interleaved %.2f\n", m.at("load") / m.at("base"));
    std::printf("ratio list_vs_baseline_interleaved %.2f\n", m.at("list") / m.at("base"));
    if (rss > 0)
        std::printf("ratio rss_vs_filesize %.2f\n", rss * 1024.0 / double(logSize));
    delete bench;
    benchmark::Shutdown();
    return 0;
}

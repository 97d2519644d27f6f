// Benchmarks of the logbook data layer. Each figure is compared with a
// baseline measured in the same run: read the whole file and split it into
// lines. The last lines printed are the ratios, one per goal:
//   ratio load_vs_baseline     (goal: at most 2)
//   ratio list_vs_baseline     (goal: at most 3)
//   ratio rewrite_vs_baseline  (a "modification save" plus reload; goal: at most 4)
//   ratio rss_vs_filesize      (peak memory of a loading process; goal: at most 4)
// and the load and list ratios twice more from rounds that run the baseline
// and the measured operation one right after the other, under two kinds of
// memory conditions (see below).
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

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

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
// Each side's time depends much on whether its memory has to be faulted in
// fresh from the system (on a virtual machine more than a microsecond per
// 4 KB page) or comes back from what the process freed before, and in one
// process that depends on which operation ran before it (one side then pays
// for faulting in, or sorting, what the other freed). So each operation runs
// in a child process of its own, under two conditions:
//   fresh_process: the first run in the child, as at a program start;
//   own_process: the median of runs 2 to 4 in the child, each reusing what
//     the runs before it freed, as a reload in a running program does.
using Operation = void (*)();

void runBaseline()
{
    QFile f(logPath);
    f.open(QIODevice::ReadOnly);
    const QList<QByteArray> lines = f.readAll().split('\n');
    benchmark::DoNotOptimize(lines.size());
}

void runLoad()
{
    LoadReport r = loadLogbookData(G());
    benchmark::DoNotOptimize(r.rows.rowCount());
}

void runList()
{
    benchmark::DoNotOptimize(buildTextList(G(), nullptr).rows);
}

struct ChildTimes {
    double first = -1; // the first run
    double later = -1; // the median of the runs after it
};

// Runs `op` four times in a child process and reports its CPU times.
ChildTimes timedInChild(Operation op)
{
    ChildTimes times;
    int fds[2];
    if (pipe(fds) != 0)
        return times;
    const pid_t pid = fork();
    if (pid == 0) {
        ChildTimes t;
        std::vector<double> later;
        for (int run = 0; run < 4; ++run) {
            const double start = cpuMs();
            op();
            const double ms = cpuMs() - start;
            if (run == 0)
                t.first = ms;
            else
                later.push_back(ms);
        }
        t.later = median(later);
        const ssize_t n = write(fds[1], &t, sizeof t);
        _exit(n == ssize_t(sizeof t) ? 0 : 1);
    }
    if (pid > 0 && read(fds[0], &times, sizeof times) != ssize_t(sizeof times))
        times = ChildTimes();
    if (pid > 0)
        waitpid(pid, nullptr, 0);
    close(fds[0]);
    close(fds[1]);
    return times;
}

struct RoundMedians {
    std::map<std::string, double> fresh, own;
};

RoundMedians roundMedians(int rounds)
{
    std::map<std::string, std::vector<double>> first, later;
    const std::pair<const char*, Operation> ops[] = {
        {"base", runBaseline}, {"load", runLoad}, {"list", runList}};
    // The children start from a state without a loaded log and a trimmed heap.
    freshState();
    malloc_trim(0);
    for (int i = 0; i < rounds; ++i)
        for (const auto& [name, op] : ops) {
            const ChildTimes t = timedInChild(op);
            first[name].push_back(t.first);
            later[name].push_back(t.later);
        }
    RoundMedians m;
    for (const auto& [name, op] : ops) {
        m.fresh[name] = median(first[name]);
        m.own[name] = median(later[name]);
    }
    return m;
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
    auto report = [](const char* name, const std::map<std::string, double>& m) {
        std::printf("%s medians: baseline %.1f ms, load %.1f ms, list %.1f ms\n", name,
                    m.at("base"), m.at("load"), m.at("list"));
        std::printf("ratio load_vs_baseline_%s %.2f\n", name, m.at("load") / m.at("base"));
        std::printf("ratio list_vs_baseline_%s %.2f\n", name, m.at("list") / m.at("base"));
    };
    const RoundMedians m = roundMedians(11);
    report("fresh_process", m.fresh);
    report("own_process", m.own);
    if (rss > 0)
        std::printf("ratio rss_vs_filesize %.2f\n", rss * 1024.0 / double(logSize));
    delete bench;
    benchmark::Shutdown();
    return 0;
}

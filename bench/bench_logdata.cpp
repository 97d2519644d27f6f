// Benchmarks of the logbook data layer on generated logs of 100,000 and
// 1,000,000 QSOs. The last lines printed are ratios, one per goal, each with
// the log's size in QSOs:
//   ratio load_vs_floor_<n>          the load against reading the file and
//                                    finding its line ends, each the first
//                                    thing a fresh process does, as at a
//                                    program start (goal: at most 2)
//   ratio load_vs_readall_split_<n>  the load against Qt's readAll() + split()
//   ratio list_vs_floor_<n>          building List.txt (fresh processes too)
//   ratio search_vs_load_<n>         a call search ("DL") from memory (goal: 0.1)
//   ratio follow_vs_load_<n>         taking in one QSO appended by WSJT-X
//   ratio reload_vs_load_<n>         the reload after the program's own edit (0.1)
//   ratio save_vs_copy_<n>           "modification save" against cp + fsync (1.5)
//   ratio rss_load_vs_filesize_<n>   peak memory of a load, in a fresh process
//   ratio rss_cycle_vs_filesize_<n>  peak memory of start, search, back, edit
//                                    and reload in the real program (goal: 2)
#include "logdata/CallSearch.h"
#include "logdata/Loader.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"
#include "logdata/TextList.h"
#include "loggen/LogGenerator.h"

#include <QFile>
#include <QProcess>

#include "BenchLog.h"
#include "MedianReporter.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{
BenchLog* bench = nullptr;

void freshState()
{
    resetProgramState();
    G().LogFilePath = QFile::encodeName(bench->path);
    G().DisplayFormat = 1;
}

void BM_Floor(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(readAndSplitFloor(bench->path));
}

void BM_ReadAllSplit(benchmark::State& state)
{
    for (auto _ : state) {
        QFile f(bench->path);
        f.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = f.readAll().split('\n');
        benchmark::DoNotOptimize(lines.size());
    }
}

void BM_Load(benchmark::State& state)
{
    freshState();
    for (auto _ : state) {
        LoadReport r = loadLogbookData(G());
        benchmark::DoNotOptimize(r.rows.rowCount());
    }
}

void BM_List(benchmark::State& state)
{
    freshState();
    for (auto _ : state)
        benchmark::DoNotOptimize(buildTextList(G(), nullptr).rows);
}

void BM_Search(benchmark::State& state)
{
    freshState();
    const LoadReport r = loadLogbookData(G());
    for (auto _ : state) {
        CallSearchResult found = searchLogLines(G(), r.rows, "DL", true);
        benchmark::DoNotOptimize(found.matches);
    }
}

// One QSO appended as WSJT-X does, taken in by the live log.
void BM_Follow(benchmark::State& state)
{
    freshState();
    loadLogbookData(G());
    LogGeneratorOptions o;
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile f(bench->path);
        f.open(QIODevice::Append);
        f.write(generateWsjtxRecord(o, bench->records + i++) + "\n");
        f.close();
        state.ResumeTiming();
        const LoadReport r = followLogbookData(G());
        if (r.appendedLines != 1)
            state.SkipWithError("the new QSO was not taken in");
    }
}

// "modification save": one record changed, the whole file rewritten.
void BM_Save(benchmark::State& state)
{
    freshState();
    loadLogbookData(G());
    // One save before timing: the first file a process writes after a large
    // load gets page-cache pages the system has not used before, which on a
    // virtual machine costs several times the write (the host backs each page
    // then; 275 MB written to a new file in a fresh process: 0.5-0.85 s of
    // system time, the same write again: 0.05 s). The copy it is compared with
    // writes into pages freed by its previous round; so does a save here.
    G().LogLines.set(2, G().LogLines.at(2));
    rewriteLogbook(G(), G().LoadedLineCount);
    int k = 0;
    for (auto _ : state) {
        const int line = 2 + (k++ % 1000);
        G().LogLines.set(line, G().LogLines.at(line));
        if (rewriteLogbook(G(), G().LoadedLineCount).result != RewriteResult::Written)
            state.SkipWithError("rewrite failed");
    }
}

void BM_CopyAndSync(benchmark::State& state)
{
    copyRounds(state, *bench);
}

// The reload after the program's own edit ("exit" in the view).
void BM_ReloadAfterEdit(benchmark::State& state)
{
    freshState();
    loadLogbookData(G());
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int line = 2 + (k++ % 1000);
        G().LogLines.set(line, G().LogLines.at(line));
        rewriteLogbook(G(), G().LoadedLineCount);
        state.ResumeTiming();
        LoadReport r = refreshLogbookData(G());
        if (!r.incremental)
            state.SkipWithError("read the whole file again");
    }
}

// The CPU time of `op` run once as the first thing of a fresh process: the
// memory it takes is faulted in from the system as at a program start, the
// same for every operation compared (in one process each side would reuse,
// or not, what the other freed).
double freshProcessMs(void (*op)())
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const double start = cpuMs();
        op();
        const double ms = cpuMs() - start;
        const ssize_t n = ::write(fds[1], &ms, sizeof ms);
        ::_exit(n == ssize_t(sizeof ms) ? 0 : 1);
    }
    double ms = -1;
    if (pid > 0 && ::read(fds[0], &ms, sizeof ms) != ssize_t(sizeof ms))
        ms = -1;
    if (pid > 0)
        ::waitpid(pid, nullptr, 0);
    ::close(fds[0]);
    ::close(fds[1]);
    return ms;
}

void floorOnce()
{
    benchmark::DoNotOptimize(readAndSplitFloor(bench->path));
}

void loadOnce()
{
    LoadReport r = loadLogbookData(G());
    benchmark::DoNotOptimize(r.rows.rowCount());
}

void listOnce()
{
    benchmark::DoNotOptimize(buildTextList(G(), nullptr).rows);
}

long probe(const char* mode)
{
    QProcess p;
    p.start(QStringLiteral(VOSMIRA_LOADPROBE), {QString::fromLatin1(mode), bench->path});
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return -1;
    return QByteArray(p.readAllStandardOutput()).split(' ').value(0).toLong();
}

void registerAll(int records)
{
    const bool large = records >= 500000;
    const std::pair<const char*, void (*)(benchmark::State&)> all[] = {
        {"floor", BM_Floor},
        {"readall_split", BM_ReadAllSplit},
        {"load", BM_Load},
        {"list", BM_List},
        {"search", BM_Search},
        {"follow", BM_Follow},
        {"save", BM_Save},
        {"copy", BM_CopyAndSync},
        {"reload", BM_ReloadAfterEdit}};
    for (const auto& [name, fn] : all) {
        auto* b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond);
        b->Repetitions(5)->ReportAggregatesOnly(true);
        // A million QSOs take seconds a round: one iteration per repetition.
        if (large && std::string(name) != "follow" && std::string(name) != "search")
            b->Iterations(1);
        else
            b->MinTime(0.3);
    }
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioLines ratios;
    for (const int records : benchSizes()) {
        bench = new BenchLog(records);
        std::printf("log: %d QSOs, %lld bytes\n", records, static_cast<long long>(bench->size));
        registerAll(records);
        MedianReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::ClearRegisteredBenchmarks();
        auto ms = [&](const char* name) { return reporter.cpu[name]; };
        auto ratio = [&](const char* name, double a, double b) { ratios.add(name, records, a, b); };
        // Floor, load and list alternate, each in a fresh process, so a slow
        // phase of the machine touches all of them alike.
        freshState();
        malloc_trim(0);
        std::vector<double> floorMs, loadMs, listMs;
        for (int round = 0; round < 7; ++round) {
            floorMs.push_back(freshProcessMs(floorOnce));
            loadMs.push_back(freshProcessMs(loadOnce));
            listMs.push_back(freshProcessMs(listOnce));
        }
        std::printf("fresh processes, medians: floor %.1f ms, load %.1f ms, list %.1f ms\n",
                    medianOf(floorMs), medianOf(loadMs), medianOf(listMs));
        ratio("load_vs_floor", medianOf(loadMs), medianOf(floorMs));
        ratio("load_vs_readall_split", ms("load"), ms("readall_split"));
        ratio("list_vs_floor", medianOf(listMs), medianOf(floorMs));
        ratio("search_vs_load", ms("search"), ms("load"));
        ratio("follow_vs_load", ms("follow"), ms("load"));
        ratio("reload_vs_load", ms("reload"), ms("load"));
        ratio("save_vs_copy", ms("save"), ms("copy"));
        std::printf("follow: %.3f ms per QSO appended\n", ms("follow"));
        const double file = double(bench->size);
        ratio("rss_load_vs_filesize", double(probe("load")) * 1024.0, file);
        ratio("rss_cycle_vs_filesize", double(probe("cycle")) * 1024.0, file);
        delete bench;
        bench = nullptr;
    }
    ratios.print();
    benchmark::Shutdown();
    return 0;
}

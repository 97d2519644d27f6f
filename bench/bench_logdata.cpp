// Benchmarks of the logbook data layer on generated logs of 100,000 and
// 1,000,000 QSOs. The last lines printed are ratios, one per goal, each with
// the log's size in QSOs, in wall time, then CPU time, the slowest rounds'
// ratio where both sides have them, and the file's size:
//   ratio load_vs_floor_<n>          the load against reading the file and
//                                    finding its line ends, each the first
//                                    thing a fresh process does, as at a
//                                    program start (goal: at most 2)
//   ratio load_vs_readall_split_<n>  the load against Qt's readAll() + split()
//   ratio list_vs_floor_<n>          building List.txt (fresh processes too)
//   ratio search_vs_load_<n>         a call search ("DL") from memory (goal: 0.1)
//   ratio follow_vs_load_<n>         taking in one QSO appended by WSJT-X
//   ratio reload_vs_load_<n>         the reload after the program's own edit (0.1)
//   ratio save_vs_copy_<n>           "modification save" against cp + fsync, in
//                                    wall time, the two in turns (goal: 1.5)
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

// The logbook the benchmarks load, as a Logbook holds it.
LogbookState& book()
{
    static LogbookState b;
    return b;
}

// The program's state as before a load of `path` (the log itself unless a
// benchmark that changes the log names its own copy).
void freshState(const QString& path = bench->path)
{
    resetProgramState();
    book() = LogbookState();
    G().LogFilePath = QFile::encodeName(path);
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
        LoadReport r = loadLogbookData(G(), book());
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
    const LoadReport r = loadLogbookData(G(), book());
    for (auto _ : state) {
        CallSearchResult found = searchLogLines(book(), r.rows, "DL", true);
        benchmark::DoNotOptimize(found.matches);
    }
}

// One QSO appended as WSJT-X does, taken in by the live log; on a copy of
// its own, so the other benchmarks keep the size they name.
void BM_Follow(benchmark::State& state)
{
    const QString log = bench->copyAs(QStringLiteral("follow.adi"));
    freshState(log);
    loadLogbookData(G(), book());
    LogGeneratorOptions o;
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile f(log);
        f.open(QIODevice::Append);
        f.write(generateWsjtxRecord(o, bench->records + i++) + "\n");
        f.close();
        state.ResumeTiming();
        const LoadReport r = followLogbookData(G(), book());
        if (r.appendedLines != 1)
            state.SkipWithError("the new QSO was not taken in");
    }
    QFile::remove(log);
}

// The reload after the program's own edit ("exit" in the view).
void BM_ReloadAfterEdit(benchmark::State& state)
{
    const QString log = bench->copyAs(QStringLiteral("reload.adi"));
    freshState(log);
    loadLogbookData(G(), book());
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int line = 2 + (k++ % 1000);
        book().LogLines.set(line, book().LogLines.at(line));
        rewriteLogbook(G(), book(), book().LoadedLineCount);
        state.ResumeTiming();
        LoadReport r = refreshLogbookData(G(), book());
        if (!r.incremental)
            state.SkipWithError("read the whole file again");
    }
    QFile::remove(log);
}

// A change of record `line`: a comment added before its end.
void changeLine(int line, int k)
{
    const QByteArray text = book().LogLines.at(line);
    book().LogLines.set(
        line, QByteArray(text).replace("<eor>",
                                       "<comment:2>" + QByteArray::number(10 + k % 90) + " <eor>"));
}

// "modification save" (one record changed, the whole file rewritten) and
// cp + fsync of the same file, in turns, on copies of the log: wall time with
// the wait for the disk, from the first save after the load on. The copy
// writes a new file while its previous one still exists and renames it over
// that, as the save does with the log.
void saveAgainstCopy(int rounds, Series& save, Series& copy)
{
    const QString log = bench->copyAs(QStringLiteral("save.adi"));
    const QString copied = bench->copyAs(QStringLiteral("copy.adi"));
    freshState(log);
    loadLogbookData(G(), book());
    auto timed = [](Series& into, const std::function<void()>& op) {
        const double wall = monotonicMs(), cpu = cpuMs();
        op();
        into.add(monotonicMs() - wall, cpuMs() - cpu);
    };
    for (int k = 0; k < rounds; ++k) {
        auto saveOnce = [&] {
            changeLine(2 + k % 1000, k);
            if (rewriteLogbook(G(), book(), book().LoadedLineCount).result !=
                RewriteResult::Written)
                std::fprintf(stderr, "the save failed\n");
        };
        auto copyOnce = [&] { copyAndSync(log, copied); };
        // Which goes first changes from round to round.
        if (k % 2 == 0) {
            timed(save, saveOnce);
            timed(copy, copyOnce);
        } else {
            timed(copy, copyOnce);
            timed(save, saveOnce);
        }
    }
    resetProgramState();
    QFile::remove(log);
    QFile::remove(copied);
}

// The CPU and wall time of `op` run once as the first thing of a fresh
// process: the memory it takes is faulted in from the system as at a program
// start, the same for every operation compared (in one process each side
// would reuse, or not, what the other freed).
void freshProcess(void (*op)(), Series& into)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const double wall = monotonicMs(), cpu = cpuMs();
        op();
        const double ms[2] = {monotonicMs() - wall, cpuMs() - cpu};
        const ssize_t n = ::write(fds[1], ms, sizeof ms);
        ::_exit(n == ssize_t(sizeof ms) ? 0 : 1);
    }
    double ms[2] = {-1, -1};
    if (pid > 0 && ::read(fds[0], ms, sizeof ms) != ssize_t(sizeof ms))
        ms[0] = -1;
    if (pid > 0)
        ::waitpid(pid, nullptr, 0);
    ::close(fds[0]);
    ::close(fds[1]);
    into.add(ms[0], ms[1]);
}

void floorOnce()
{
    benchmark::DoNotOptimize(readAndSplitFloor(bench->path));
}

void loadOnce()
{
    LoadReport r = loadLogbookData(G(), book());
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
        {"reload", BM_ReloadAfterEdit}};
    for (const auto& [name, fn] : all) {
        auto* b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond);
        b->Repetitions(5)->ReportAggregatesOnly(true);
        const std::string n = name;
        // A million QSOs take seconds a round: one iteration per repetition.
        // Each round of "follow" and "reload" first changes the log (untimed,
        // with a save before each reload): a fixed count of them, not as many
        // as fill a time.
        if (n == "follow" || n == "reload")
            b->Iterations(large ? 3 : 10);
        else if (large && n != "search")
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
        const qint64 bytes = bench->size;
        // Medians of the benchmarks run above.
        auto ratio = [&](const char* name, const char* a, const char* b) {
            ratios.add(name, records, bytes, reporter.wall[a], reporter.wall[b], reporter.cpu[a],
                       reporter.cpu[b]);
        };
        auto seriesRatio = [&](const char* name, const Series& a, const Series& b) {
            ratios.add(name, records, bytes, a.medianWall(), b.medianWall(), a.medianCpu(),
                       b.medianCpu(), a.worst(), b.worst());
        };
        // Floor, load and list alternate, each in a fresh process, so a slow
        // phase of the machine touches all of them alike.
        freshState();
        malloc_trim(0);
        Series floorMs, loadMs, listMs;
        for (int round = 0; round < 7; ++round) {
            freshProcess(floorOnce, floorMs);
            freshProcess(loadOnce, loadMs);
            freshProcess(listOnce, listMs);
        }
        std::printf("fresh processes, medians (wall/cpu): floor %.1f/%.1f ms, load %.1f/%.1f "
                    "ms, list %.1f/%.1f ms\n",
                    floorMs.medianWall(), floorMs.medianCpu(), loadMs.medianWall(),
                    loadMs.medianCpu(), listMs.medianWall(), listMs.medianCpu());
        seriesRatio("load_vs_floor", loadMs, floorMs);
        ratio("load_vs_readall_split", "load", "readall_split");
        seriesRatio("list_vs_floor", listMs, floorMs);
        ratio("search_vs_load", "search", "load");
        ratio("follow_vs_load", "follow", "load");
        ratio("reload_vs_load", "reload", "load");
        Series save, copy;
        saveAgainstCopy(records >= 500000 ? 7 : 15, save, copy);
        std::printf("modification save: median %.1f ms, worst %.1f ms (wall), median %.1f ms cpu; "
                    "cp + fsync: median %.1f ms, worst %.1f ms (wall), median %.1f ms cpu\n",
                    save.medianWall(), save.worst(), save.medianCpu(), copy.medianWall(),
                    copy.worst(), copy.medianCpu());
        seriesRatio("save_vs_copy", save, copy);
        std::printf("follow: %.3f ms per QSO appended\n", reporter.cpu["follow"]);
        const double file = double(bytes);
        const double rssLoad = double(probe("load")) * 1024.0;
        const double rssCycle = double(probe("cycle")) * 1024.0;
        ratios.add("rss_load_vs_filesize", records, bytes, rssLoad, file, -1, -1);
        ratios.add("rss_cycle_vs_filesize", records, bytes, rssCycle, file, -1, -1);
        delete bench;
        bench = nullptr;
    }
    ratios.print();
    benchmark::Shutdown();
    return 0;
}

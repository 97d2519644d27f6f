// Matching downloaded QSL confirmations with the log, on generated WSJT-X
// logs (VOSMIRA_BENCH_SIZES, default 100,000 and 1,000,000 QSOs): 10,000
// confirmations, each made from a QSO of the log (its start a few minutes
// off, FT4 as the service writes it) or for a call the log does not hold.
// Prints last, per size:
//   time qsl_index_ms_<n>           building the index of the log's QSOs
//   time qsl_match_ms_<n>           matching the 10,000 confirmations and
//                                   building their marks
//   ratio qsl_match_vs_floor_<n>    index and matching together against
//                                   reading the log file and finding its line
//                                   ends (the floor the load is measured by)
#include "logdata/LineTable.h"
#include "loggen/LogGenerator.h"
#include "qsl/AdifText.h"
#include "qsl/QsoIndex.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

using namespace qsl;

namespace
{
struct Log {
    QTemporaryDir dir;
    QString path;
    QByteArray image;
    std::vector<LineSpan> lines; // line k+1 of the file is lines[k]
    QList<Confirmation> confirmations;

    QByteArrayView line(int k) const
    {
        const LineSpan& s = lines[size_t(k - 1)];
        return QByteArrayView(image).sliced(s.offset, s.length);
    }
};
Log* gLog = nullptr;

void buildLog(Log& log, int records)
{
    LogGeneratorOptions o;
    o.records = records;
    o.seed = 2024;
    log.path = log.dir.filePath(QStringLiteral("wsjtx_log.adi"));
    log.image = wsjtxLogHeader() + "\r\n";
    for (int i = 0; i < records; ++i)
        log.image += generateWsjtxRecord(o, i) + "\r\n";
    QFile f(log.path);
    f.open(QIODevice::WriteOnly);
    f.write(log.image);
    f.close();
    log.lines = splitLines(log.image);
    for (int n = 0; n < 10000; ++n) {
        const int k = 2 + int((qint64(n) * 7919) % (records)); // spread over the log
        Confirmation c = confirmationFrom(log.line(k));
        if (c.submode == "FT4") {
            c.mode = "FT4";
            c.submode.clear();
        }
        c.timeOn =
            c.timeOn.left(2) +
            QByteArray::number(qMin(59, c.timeOn.mid(2, 2).toInt() + 3)).rightJustified(2, '0');
        if (n % 10 == 0)
            c.call = "ZZ" + QByteArray::number(n) + "ZZ";
        log.confirmations << c;
    }
}

QsoIndex indexLog(const Log& log)
{
    QsoIndex index;
    index.reserve(int(log.lines.size()));
    for (int k = 2; k <= int(log.lines.size()); ++k)
        index.add(k, log.line(k));
    index.finish();
    return index;
}

void BM_Floor(benchmark::State& state)
{
    for (auto _ : state) {
        QFile f(gLog->path);
        f.open(QIODevice::ReadOnly);
        const QByteArray image = f.readAll();
        size_t lines = 0;
        for (const char* p = image.constData();
             (p = static_cast<const char*>(std::memchr(p, '\n', size_t(image.constEnd() - p))));
             ++p)
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
}

void BM_Index(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(indexLog(*gLog).size());
}

void BM_Match(benchmark::State& state)
{
    const QsoIndex index = indexLog(*gLog);
    MatchReport r;
    for (auto _ : state) {
        r = matchConfirmations(index, gLog->confirmations, Service::Lotw, "20240301",
                               [](int line) { return gLog->line(line); });
        benchmark::DoNotOptimize(r.changes.size());
    }
    state.counters["matched"] = double(r.matched.size());
    state.counters["ambiguous"] = double(r.ambiguous.size());
    state.counters["unmatched"] = double(r.unmatched.size());
}

class Medians : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> cpuMs;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                cpuMs[r.run_name.function_name] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const QByteArray env = qgetenv("VOSMIRA_BENCH_SIZES");
    QList<QByteArray> lines;
    for (const QByteArray& s : (env.isEmpty() ? QByteArray("100000,1000000") : env).split(',')) {
        const int records = s.trimmed().toInt();
        if (records <= 0)
            continue;
        gLog = new Log;
        buildLog(*gLog, records);
        std::printf("log: %d QSOs, %lld bytes, %lld confirmations\n", records,
                    static_cast<long long>(gLog->image.size()),
                    static_cast<long long>(gLog->confirmations.size()));
        using Bench = void (*)(benchmark::State&);
        const std::pair<const char*, Bench> benches[] = {
            {"floor", BM_Floor}, {"index", BM_Index}, {"match", BM_Match}};
        for (const auto& [name, fn] : benches)
            benchmark::RegisterBenchmark(name, fn)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        Medians reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::ClearRegisteredBenchmarks();
        const QByteArray n = QByteArray::number(records);
        const double index = reporter.cpuMs["index"], match = reporter.cpuMs["match"];
        lines << "time qsl_index_ms_" + n + " " + QByteArray::number(index, 'f', 1)
              << "time qsl_match_ms_" + n + " " + QByteArray::number(match, 'f', 2)
              << "ratio qsl_match_vs_floor_" + n + " " +
                     QByteArray::number((index + match) / reporter.cpuMs["floor"], 'f', 3);
        delete gLog;
        gLog = nullptr;
    }
    for (const QByteArray& l : lines)
        std::printf("%s\n", l.constData());
    benchmark::Shutdown();
    return 0;
}

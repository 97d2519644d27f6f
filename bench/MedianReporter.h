#pragma once
// Console output as usual, and each benchmark's median CPU and wall time per
// iteration kept by name, for the ratio lines the benchmarks print last.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QList>

#include <cstdio>

#include <map>
#include <string>

class MedianReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> cpu;
    std::map<std::string, double> wall;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                cpu[r.run_name.function_name] = r.GetAdjustedCPUTime();
                wall[r.run_name.function_name] = r.GetAdjustedRealTime();
            }
        ConsoleReporter::ReportRuns(runs);
    }
};

// The "ratio <name>_<size> <value>" lines printed last, one per goal and size.
struct RatioLines {
    QList<QByteArray> lines;
    void add(const char* name, int records, double a, double b)
    {
        if (a > 0 && b > 0)
            lines << QByteArray("ratio ") + name + "_" + QByteArray::number(records) + " " +
                         QByteArray::number(a / b, 'f', 3);
    }
    void print() const
    {
        for (const QByteArray& r : lines)
            std::printf("%s\n", r.constData());
    }
};

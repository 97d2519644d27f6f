#pragma once
// Console output as usual, and each benchmark's median CPU and wall time per
// iteration kept by name, for the ratio lines the benchmarks print last.
#include <benchmark/benchmark.h>

#include "Ratios.h"

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

#pragma once
// What the benchmarks print last, and the rounds of an action they come from.
#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <vector>

// The "ratio" lines printed last, one per goal and size:
//   ratio <name>_<size> <wall ratio> cpu <cpu ratio> [worst <ratio>] file_bytes <n>
// "worst" compares the slowest rounds of both sides where they are known.
struct RatioLines {
    QList<QByteArray> lines;
    void add(const char* name, int records, qint64 bytes, double wallA, double wallB, double cpuA,
             double cpuB, double worstA = -1, double worstB = -1)
    {
        if (wallA <= 0 || wallB <= 0)
            return;
        QByteArray l = QByteArray("ratio ") + name + "_" + QByteArray::number(records) + " " +
                       QByteArray::number(wallA / wallB, 'f', 3);
        if (cpuA > 0 && cpuB > 0)
            l += " cpu " + QByteArray::number(cpuA / cpuB, 'f', 3);
        if (worstA > 0 && worstB > 0)
            l += " worst " + QByteArray::number(worstA / worstB, 'f', 3);
        lines << l + " file_bytes " + QByteArray::number(bytes);
    }
    void print() const
    {
        for (const QByteArray& r : lines)
            std::printf("%s\n", r.constData());
    }
};

// Wall and CPU times of the rounds of one action, in ms.
struct Series {
    std::vector<double> wall, cpu;
    void add(double w, double c)
    {
        if (w >= 0) {
            wall.push_back(w);
            cpu.push_back(c);
        }
    }
    static double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? -1 : v[v.size() / 2];
    }
    double medianWall() const { return median(wall); }
    double medianCpu() const { return median(cpu); }
    double worst() const { return wall.empty() ? -1 : *std::max_element(wall.begin(), wall.end()); }
};

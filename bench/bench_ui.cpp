// Start-up and "back" from a search with 100,000 QSOs, on Qt's offscreen
// platform, against the core load of the data layer measured in the same run.
//   ratio startup_vs_load   (all forms created, grid filled, shown and scrolled
//                            to the bottom; goal: at most 1.5)
//   ratio back_vs_load      ("back" from a call search to the whole log; goal: at most 1.5)
#include "app/FormRegistry.h"
#include "logdata/Loader.h"
#include "logdata/State.h"
#include "loggen/LogGenerator.h"
#include "mainwin/QSL_Print.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "BenchLog.h"
#include "MedianReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace
{
BenchLog* bench = nullptr;
QString logPath;

void writeConfig()
{
    QFile c(bench->dir.filePath("config.dat"));
    c.open(QIODevice::WriteOnly);
    c.write(QFile::encodeName(logPath) +
            "\r\nfalse\r\n\r\n\r\nDL1VOS\r\n\r\n\r\n\r\n\r\n\r\n\r\n100000\r\n\r\nEng\r\n");
}

void prepare()
{
    bench = new BenchLog;
    logPath = bench->path;
    writeConfig();
}

void BM_CoreLoad(benchmark::State& state)
{
    resetProgramState();
    G().LogFilePath = QFile::encodeName(logPath);
    G().DisplayFormat = 1;
    G().StartQsoCount = 100000;
    for (auto _ : state) {
        LoadReport r = loadLogbookData(G());
        benchmark::DoNotOptimize(r.rows.rowCount());
    }
}

void BM_StartupToGrid(benchmark::State& state)
{
    writeConfig();
    for (auto _ : state) {
        resetProgramState();
        createAllForms();
        QCoreApplication::processEvents(); // the window shown and painted
        state.PauseTiming();
        if (G().QsoCount != 100000)
            state.SkipWithError("the log was not loaded");
        destroyAllForms();
        state.ResumeTiming();
    }
}

void BM_BackFromSearch(benchmark::State& state)
{
    writeConfig();
    resetProgramState();
    createAllForms();
    TForm1* f = Forms().Form1;
    for (auto _ : state) {
        state.PauseTiming();
        G().SearchCall = "DL";
        f->Button1Click();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        f->Button3Click();
        QCoreApplication::processEvents();
    }
    destroyAllForms();
}

VOSMIRA_BENCH(BM_CoreLoad);
VOSMIRA_BENCH(BM_StartupToGrid);
VOSMIRA_BENCH(BM_BackFromSearch);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    prepare();
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double core = reporter.cpu["BM_CoreLoad"];
    if (core > 0) {
        std::printf("ratio startup_vs_load %.2f\n", reporter.cpu["BM_StartupToGrid"] / core);
        std::printf("ratio back_vs_load %.2f\n", reporter.cpu["BM_BackFromSearch"] / core);
    }
    delete bench;
    benchmark::Shutdown();
    return 0;
}

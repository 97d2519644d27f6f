// The program as the operator uses it, on generated logs of 100,000 and
// 1,000,000 QSOs (Qt's offscreen platform), each action against the core load
// of the same file in the same run. Printed last, with the size in QSOs:
//   ratio startup_vs_load_<n>       the real binary, from its start (exec) to the
//                                   first paint of the grid showing its last row
//                                   (goal: at most 1.3)
//   ratio search_button_vs_load_<n> "call search" before anything is typed
//   ratio search_vs_load_<n>        "DL" + Enter
//   ratio back_vs_load_<n>          "back" to the whole log
//   ratio open_vs_load_<n>          a double click that opens a QSO
//   ratio reload_vs_load_<n>        "exit" after a saved change (the reload)
//                                   (each of these five: goal at most 0.1)
//   ratio save_vs_copy_<n>          "modification save" against cp + fsync (1.5)
// Each action includes the repaint that follows it. Also printed: the wall time
// from a QSO appended to the log by another program (as WSJT-X does: open,
// append one line, close) to the grid showing it (goal: within a second).
#include "app/WindowFactory.h"
#include "editing/auswahl_select.h"
#include "logdata/Loader.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "widgets/KeyEdit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include "BenchLog.h"
#include "MedianReporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
BenchLog* bench = nullptr;

TForm1* mainWindow()
{
    return windows().Form1;
}

void settle()
{
    QCoreApplication::processEvents();
}

void BM_CoreLoad(benchmark::State& state)
{
    resetProgramState();
    G().LogFilePath = QFile::encodeName(bench->path);
    G().DisplayFormat = 1;
    for (auto _ : state) {
        LoadReport r = loadLogbookData(G());
        benchmark::DoNotOptimize(r.rows.rowCount());
    }
}

void search(const char* text)
{
    TForm1* f = mainWindow();
    f->Edit3->setText(QString::fromLatin1(text));
    QChar enter(13);
    f->Edit3KeyPress(enter);
}

void BM_SearchButton(benchmark::State& state)
{
    TForm1* f = mainWindow();
    for (auto _ : state) {
        G().SearchCall.clear();
        f->Button1Click();
        settle();
        state.PauseTiming();
        f->Button3Click();
        settle();
        state.ResumeTiming();
    }
}

void BM_Search(benchmark::State& state)
{
    TForm1* f = mainWindow();
    for (auto _ : state) {
        state.PauseTiming();
        f->Button1Click();
        settle();
        state.ResumeTiming();
        search("DL");
        settle();
        state.PauseTiming();
        f->Button3Click();
        settle();
        state.ResumeTiming();
    }
}

void BM_Back(benchmark::State& state)
{
    TForm1* f = mainWindow();
    for (auto _ : state) {
        state.PauseTiming();
        f->Button1Click();
        search("DL");
        settle();
        state.ResumeTiming();
        f->Button3Click();
        settle();
    }
}

void openRow(int row)
{
    StringGrid* grid = mainWindow()->StringGrid1;
    grid->setCurrentIndex(grid->model()->index(row, 2));
    mainWindow()->StringGrid1DblClick();
}

void BM_Open(benchmark::State& state)
{
    int k = 0;
    for (auto _ : state) {
        openRow(10 + (k++ % 1000));
        settle();
        state.PauseTiming();
        windows().Form2->hide();
        state.ResumeTiming();
    }
}

// A change of the opened QSO, stored with "modification save".
void changeAndSave(TForm2* view, int k)
{
    view->SelectedRecord = view->SelectedRecord.replace(
        "<eor>", "<comment:2>" + QByteArray::number(10 + k % 90) + " <eor>");
    view->BitBtn2Click();
}

void BM_Save(benchmark::State& state)
{
    TForm2* view = windows().Form2;
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        openRow(20 + (k % 1000));
        settle();
        state.ResumeTiming();
        changeAndSave(view, k++);
        settle();
        state.PauseTiming();
        view->BitBtn1Click();
        settle();
        state.ResumeTiming();
    }
}

void BM_ReloadAfterEdit(benchmark::State& state)
{
    TForm2* view = windows().Form2;
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        openRow(30 + (k % 1000));
        changeAndSave(view, k++);
        settle();
        state.ResumeTiming();
        view->BitBtn1Click(); // "exit": the log reloaded
        settle();
    }
}

// WSJT-X logs a QSO; the program sees the change of the file, takes in the new
// line and repaints. Wall time: most of it is waiting for the file's notice.
void BM_Live(benchmark::State& state)
{
    LogGeneratorOptions o;
    o.seed = 77;
    int k = 0;
    for (auto _ : state) {
        const int before = G().QsoCount;
        QFile f(bench->path);
        f.open(QIODevice::Append);
        f.write(generateWsjtxRecord(o, k++) + "\r\n");
        f.close();
        QElapsedTimer limit;
        limit.start();
        QTimer wake; // so that the wait below ends even if nothing comes
        wake.start(100);
        while (G().QsoCount == before && limit.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        settle();
        if (G().QsoCount == before)
            state.SkipWithError("the appended QSO was not shown");
    }
}

void BM_CopyAndSync(benchmark::State& state)
{
    copyRounds(state, *bench);
}

// The real binary started on the log, to the first paint of the grid with its
// last row: its own CPU time (from exec) and the wall time seen from here.
std::pair<double, double> startupOnce()
{
    QProcess p;
    p.setWorkingDirectory(bench->dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VOSMIRA_BENCH_FIRST_PAINT"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    QElapsedTimer wall;
    wall.start();
    p.start(QStringLiteral(VOSMIRA_BINARY), {});
    if (!p.waitForFinished(600000))
        return {-1, -1};
    const double ms = double(wall.nsecsElapsed()) / 1e6;
    const QByteArray out = p.readAllStandardOutput();
    const qsizetype at = out.indexOf("first paint ");
    if (at < 0)
        return {-1, -1};
    return {out.mid(at + 12).split(' ').value(0).toDouble(), ms};
}

void registerAll(int records)
{
    const bool large = records >= 500000;
    const std::pair<const char*, void (*)(benchmark::State&)> all[] = {
        {"load", BM_CoreLoad},
        {"search_button", BM_SearchButton},
        {"search", BM_Search},
        {"back", BM_Back},
        {"open", BM_Open},
        {"save", BM_Save},
        {"reload", BM_ReloadAfterEdit},
        {"live", BM_Live},
        {"copy", BM_CopyAndSync}};
    for (const auto& [name, fn] : all) {
        auto* b = benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond);
        b->Repetitions(5)->ReportAggregatesOnly(true);
        if (name == std::string("live"))
            b->UseRealTime()->Iterations(5);
        else if (large)
            b->Iterations(name == std::string("load") || name == std::string("save") ||
                                  name == std::string("copy")
                              ? 1
                              : 3);
        else
            b->MinTime(0.3);
    }
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioLines ratios;
    for (const int records : benchSizes()) {
        bench = new BenchLog(records);
        bench->writeConfig();
        std::printf("log: %d QSOs, %lld bytes\n", records, static_cast<long long>(bench->size));
        std::vector<double> cpu, wall;
        for (int i = 0; i < 5; ++i) {
            const auto [c, w] = startupOnce();
            cpu.push_back(c);
            wall.push_back(w);
        }
        std::printf("start-up of the binary to the grid shown: %.1f ms cpu, %.1f ms wall\n",
                    medianOf(cpu), medianOf(wall));

        resetProgramState();
        bench->writeConfig();
        createAllForms();
        settle();
        registerAll(records);
        MedianReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::ClearRegisteredBenchmarks();
        destroyAllForms();

        auto ratio = [&](const char* name, double a, double b) { ratios.add(name, records, a, b); };
        const double load = reporter.cpu["load"];
        ratio("startup_vs_load", medianOf(cpu), load);
        for (const char* action : {"search_button", "search", "back", "open", "reload"})
            ratio((QByteArray(action) + "_vs_load").constData(), reporter.cpu[action], load);
        ratio("save_vs_copy", reporter.cpu["save"], reporter.cpu["copy"]);
        std::printf("live log: a QSO appended by another program is shown after %.1f ms "
                    "(wall), %.2f ms of it CPU\n",
                    reporter.wall["live"], reporter.cpu["live"]);
        delete bench;
        bench = nullptr;
    }
    ratios.print();
    benchmark::Shutdown();
    return 0;
}

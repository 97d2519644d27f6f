// The program as the operator uses it, on generated logs (seed 2024; sizes from
// VOSMIRA_BENCH_SIZES, default 100,000 and 1,000,000 QSOs). Every action goes
// in as input events through Qt's event delivery (clicks, double clicks and
// keys on the real widgets) and is timed from the first event to the end of
// the last repaint it causes (on X, until the server has drawn it), in wall
// time and in the process's CPU time. Nothing is left out: the first round of
// every action counts, the first open of a QSO builds the view's window, and
// the save includes the wait for the disk.
//
// It runs on Qt's offscreen platform and on a real X display (an Xvfb of its
// own on a free display number), each in processes of their own:
//   view  (three processes) the log loaded by the program, then "call search", "DL" + Enter,
//         "back", and QSOs opened by a double click
//   edit  a copy of the log: a QSO opened, changed in the change form, stored
//         with "modification save" (alternating with cp + fsync of the same
//         file, written as a new file while the old copy still exists), "exit"
//   live  a copy of the log: QSOs appended by another program as WSJT-X does
// The load and the floor it is compared with (a plain read and memchr line
// split) each run as the first thing of a fresh process, alternating with the
// start-up of the real binary (exec to the end of the last repaint it causes).
//
// Printed last, one line per goal and platform ("_x11" for the X display):
//   ratio <name>_<size> <wall ratio> cpu <cpu ratio> worst <worst wall ratio> file_bytes <n>
// See README.md for what each compares.
#include "app/WindowFactory.h"
#include "editing/auswahl_select.h"
#include "editing/eingabe.h"
#include "logdata/Logbook.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "widgets/KeyEdit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#ifdef VOSMIRA_BENCH_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

#include "BenchLog.h"
#include "Ratios.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace
{
int rounds(int records)
{
    const int n = qEnvironmentVariableIntValue("VOSMIRA_BENCH_ROUNDS");
    return n > 0 ? n : (records >= 500000 ? 5 : 9);
}

struct Sample {
    double wall = -1;
    double cpu = -1;
};

// Counts the paint events of every widget, and notes whether the window of
// the widget an action is about painted.
class PaintWatch : public QObject
{
public:
    int paints = 0;
    bool targetPainted = false;
    QWidget* target = nullptr;

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            ++paints;
            if (target && o->isWidgetType() &&
                static_cast<QWidget*>(o)->window() == target->window())
                targetPainted = true;
        }
        return false;
    }
};
PaintWatch* watch = nullptr;

// On X: waits until the server has handled every request sent so far (the
// pictures put into the windows), so the time ends when the screen changed.
void syncDisplay()
{
#ifdef VOSMIRA_BENCH_XCB
    static xcb_connection_t* const c = [] {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        return QGuiApplication::platformName() == QLatin1String("xcb") && x11 ? x11->connection()
                                                                              : nullptr;
    }();
    if (c)
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
#endif
}

// Call before the first input event of an action; `target` is a widget in
// the window whose repaint shows the action's result.
Sample begin(QWidget* target)
{
    watch->paints = 0;
    watch->targetPainted = false;
    watch->target = target;
    return {monotonicMs(), cpuMs()};
}

// Runs the events that follow the input until the target's window painted
// and `ready` holds, and no further paint came for a while. The time ends
// with the last paint (the quiet wait after it is not counted).
Sample finish(Sample start, const std::function<bool()>& ready = {})
{
    constexpr double kQuietMs = 40;
    Sample end = start;
    double quietSince = monotonicMs();
    QTimer wake; // so that waiting for events ends now and then
    wake.start(5);
    for (;;) {
        const int before = watch->paints;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (watch->paints != before) {
            syncDisplay();
            end = {monotonicMs(), cpuMs()};
            quietSince = end.wall;
            continue;
        }
        const bool done = (watch->targetPainted || !watch->target) && (!ready || ready());
        if (done && monotonicMs() - quietSince >= kQuietMs)
            break;
        if (monotonicMs() - start.wall > 600000) {
            std::fprintf(stderr, "no repaint came\n");
            return {};
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return {end.wall - start.wall, end.cpu - start.cpu};
}

// Events until nothing is left to do (between the timed actions).
void settle()
{
    finish(begin(nullptr), [] { return true; });
}

void report(const char* name, Sample s)
{
    std::printf("sample %s %.3f %.3f\n", name, s.wall, s.cpu);
    std::fflush(stdout);
}

TForm1* mainWindow()
{
    return windows().Form1;
}

void click(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

// A double click on a row of the grid, one of those shown at the bottom.
void doubleClickRow(int k)
{
    StringGrid* grid = mainWindow()->StringGrid1;
    const int lastShown = grid->rowAt(grid->viewport()->height() - 30);
    const int row = qMax(0, (lastShown < 0 ? grid->model()->rowCount() - 2 : lastShown) - k % 8);
    const QRect r = grid->visualRect(grid->model()->index(row, 2));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}

// "call search", "DL" + Enter and "back", then QSOs opened (and left with
// "exit", untimed).
void viewGroup(int n)
{
    TForm1* f = mainWindow();
    for (int i = 0; i < n; ++i) {
        Sample s = begin(f->StringGrid1);
        click(f->Button1);
        report("search_button", finish(s));

        s = begin(f->StringGrid1);
        QTest::keyClicks(f->Edit3, QStringLiteral("DL"));
        QTest::keyClick(f->Edit3, Qt::Key_Return);
        report("search", finish(s));
        if (G().QsoCount <= 0)
            std::fprintf(stderr, "the search found nothing\n");

        s = begin(f->StringGrid1);
        click(f->Button3);
        report("back", finish(s));
    }
    TForm2* view = windows().Form2;
    for (int i = 0; i < n; ++i) {
        Sample s = begin(view);
        doubleClickRow(i);
        report(i == 0 ? "open_first" : "open", finish(s, [view] { return view->isVisible(); }));
        click(view->BitBtn1);
        settle();
    }
}

// A QSO opened, its comment changed in the change form and saved there
// (untimed), then "modification save" and the copy it is compared with, in
// turns, and "exit" (the reload).
void editGroup(int n, const QString& log)
{
    TForm2* view = windows().Form2;
    TForm3* change = windows().Form3;
    TForm1* f = mainWindow();
    const QString copy = QFileInfo(log).dir().filePath(QStringLiteral("copy.adi"));
    for (int i = 0; i < n; ++i) {
        doubleClickRow(i);
        settle();
        click(view->BitBtn4);
        settle();
        change->Edit14->setFocus();
        QTest::keyClick(change->Edit14, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(change->Edit14, QStringLiteral("tnx %1").arg(10 + i));
        click(change->BitBtn1);
        settle();

        // A save writes a new file and renames it over the log.
        auto inode = [&log] {
            struct stat st {
            };
            return ::stat(QFile::encodeName(log).constData(), &st) == 0 ? st.st_ino : 0;
        };
        const ino_t before = inode();
        Sample s = begin(view);
        click(view->BitBtn2);
        report("save", finish(s));
        if (inode() == before)
            std::fprintf(stderr, "the save did not change the file\n");

        const Sample c{monotonicMs(), cpuMs()};
        copyAndSync(log, copy);
        report("copy", {monotonicMs() - c.wall, cpuMs() - c.cpu});

        s = begin(f->StringGrid1);
        click(view->BitBtn1);
        report("reload", finish(s));
    }
}

// WSJT-X logs a QSO (open, append one line, close); the time runs to the
// grid's repaint that shows it.
void liveGroup(int n, const QString& log)
{
    LogGeneratorOptions o;
    o.seed = 77;
    for (int i = 0; i < n; ++i) {
        const int before = mainWindow()->logbook()->data().LoadedLineCount;
        Sample s = begin(mainWindow()->StringGrid1);
        QFile f(log);
        f.open(QIODevice::Append);
        f.write(generateWsjtxRecord(o, i) + "\r\n");
        f.close();
        report("live", finish(s, [before] {
                   return mainWindow()->logbook()->data().LoadedLineCount > before;
               }));
        settle();
    }
}

// One group in a process of its own: the program started in the working
// directory (config.dat names the log), its forms built, the log loaded.
int childMain(int argc, char** argv)
{
    const QByteArray group = argv[2];
    const QString log = QFile::decodeName(argv[3]);
    const int records = QByteArray(argv[4]).toInt();
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0); // a blinking cursor is no result
    watch = new PaintWatch;
    app.installEventFilter(watch);
    createAllForms();
    useWorkingDirectoryCountries(); // as the program starts
    settle();
    const int n = rounds(records);
    if (group == "view")
        viewGroup(n);
    else if (group == "edit")
        editGroup(n, log);
    else
        liveGroup(n, log);
    destroyAllForms();
    return 0;
}

// ---- the parent: logs, processes, the ratio lines ---------------------------

// Runs `program` and returns its standard output; its errors go to ours.
QByteArray run(const QString& program, const QStringList& args, const QProcessEnvironment& env,
               const QString& dir)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    if (!p.waitForFinished(1800 * 1000)) {
        p.kill();
        p.waitForFinished();
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        std::fprintf(stderr, "%s %s failed\n", qPrintable(program), qPrintable(args.join(' ')));
    return p.readAllStandardOutput();
}

// A working directory with a copy of the log and a config.dat that opens it.
QString workCopy(const BenchLog& log, const QString& name)
{
    QDir(log.dir.path()).mkpath(name);
    const QString dir = log.dir.filePath(name);
    const QString path = dir + QStringLiteral("/wsjtx_log.adi");
    QFile::remove(path);
    QFile::copy(log.path, path);
    QFile c(dir + QStringLiteral("/config.dat"));
    c.open(QIODevice::WriteOnly);
    c.write(QFile::encodeName(path) + "\r\nfalse\r\n\r\n\r\nDL1VOS\r\n\r\n\r\n\r\n\r\n\r\n\r\n" +
            QByteArray::number(log.records) + "\r\n\r\nEng\r\n");
    return path;
}

struct Platform {
    QString name;   // the QT_QPA_PLATFORM value
    QString suffix; // in the ratio names
    QProcessEnvironment env;
};

// An Xvfb on a free display number (it chooses one and tells it).
QProcess* startXvfb(QString* display)
{
    auto* x = new QProcess;
    x->setProcessChannelMode(QProcess::SeparateChannels);
    x->start(QStringLiteral("Xvfb"),
             {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
              QStringLiteral("0"), QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"),
              QStringLiteral("tcp")});
    QByteArray out;
    while (x->waitForReadyRead(10000)) {
        out += x->readAllStandardOutput();
        if (out.contains('\n'))
            break;
    }
    if (!out.contains('\n')) {
        x->kill();
        x->waitForFinished();
        delete x;
        return nullptr;
    }
    *display = QStringLiteral(":") + QString::fromLatin1(out.trimmed());
    return x;
}

int parentMain(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<Platform> platforms;
    const QByteArray wanted = qEnvironmentVariableIsSet("VOSMIRA_BENCH_PLATFORMS")
                                  ? qgetenv("VOSMIRA_BENCH_PLATFORMS")
                                  : QByteArray("offscreen,xcb");
    QProcess* xvfb = nullptr;
    for (const QByteArray& p : wanted.split(',')) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(p));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        if (p == "xcb") {
            QString display;
            xvfb = startXvfb(&display);
            if (!xvfb) {
                std::printf("no X display: Xvfb could not be started\n");
                continue;
            }
            env.insert(QStringLiteral("DISPLAY"), display);
            std::printf("X display %s (Xvfb)\n", qPrintable(display));
            platforms.push_back({QStringLiteral("xcb"), QStringLiteral("_x11"), env});
        } else {
            platforms.push_back({QString::fromLatin1(p), QString(), env});
        }
    }

    RatioLines ratios;
    for (const int records : benchSizes()) {
        BenchLog log(records);
        const qint64 bytes = log.size;
        std::printf("log: %d QSOs, %lld bytes\n", records, static_cast<long long>(bytes));
        std::fflush(stdout);
        const QString startDir = QFileInfo(workCopy(log, QStringLiteral("start"))).path();
        const QString startLog = startDir + QStringLiteral("/wsjtx_log.adi");

        // Floor, load and the start-up on each platform take turns, each the
        // first thing of a fresh process, on the same file.
        Series floor, load;
        std::vector<Series> startup(platforms.size());
        const QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
        for (int r = 0; r < 5; ++r) {
            auto probe = [&](const char* mode, Series& into) {
                const QList<QByteArray> v =
                    run(QStringLiteral(VOSMIRA_LOADPROBE), {QString::fromLatin1(mode), startLog},
                        plain, startDir)
                        .trimmed()
                        .split(' ');
                into.add(v.value(1, "-1").toDouble(), v.value(0, "-1").toDouble());
            };
            probe("floor", floor);
            probe("time", load);
            for (size_t p = 0; p < platforms.size(); ++p) {
                QProcessEnvironment env = platforms[p].env;
                env.insert(QStringLiteral("VOSMIRA_BENCH_STARTUP"), QStringLiteral("1"));
                const double started = monotonicMs();
                const QByteArray out = run(QStringLiteral(VOSMIRA_BINARY), {}, env, startDir);
                const QByteArray mark("start-up done ");
                const qsizetype at = out.indexOf(mark);
                if (at < 0)
                    continue;
                const QList<QByteArray> v = out.mid(at + mark.size()).split(' ');
                // "start-up done <cpu> ms cpu <monotonic> mono"
                startup[p].add(v.value(3).toDouble() - started, v.value(0).toDouble());
            }
        }
        std::printf("floor %.1f ms wall %.1f ms cpu; load %.1f ms wall %.1f ms cpu (medians of "
                    "%zu fresh processes)\n",
                    floor.medianWall(), floor.medianCpu(), load.medianWall(), load.medianCpu(),
                    load.wall.size());

        auto ratio = [&](const QString& name, const Series& a, const Series& b) {
            ratios.add(name.toLatin1().constData(), records, bytes, a.medianWall(), b.medianWall(),
                       a.medianCpu(), b.medianCpu(), a.worst(), b.worst());
        };
        auto constant = [](double ms) {
            Series c;
            c.add(ms, ms);
            return c;
        };
        for (size_t p = 0; p < platforms.size(); ++p) {
            const Platform& pl = platforms[p];
            QMap<QByteArray, Series> got;
            for (const char* group : {"view", "edit", "live"}) {
                // A process opens a QSO for the first time once: the view
                // group runs in three, so that the first open (which builds
                // the view's window) has three rounds like the other actions.
                const int processes = QByteArray(group) == "view" ? 3 : 1;
                for (int k = 0; k < processes; ++k) {
                    const QString path = workCopy(log, QString::fromLatin1(group));
                    const QByteArray out =
                        run(self,
                            {QStringLiteral("--group"), QString::fromLatin1(group), path,
                             QString::number(records)},
                            pl.env, QFileInfo(path).path());
                    for (const QByteArray& line : out.split('\n')) {
                        const QList<QByteArray> v = line.split(' ');
                        if (v.size() == 4 && v[0] == "sample")
                            got[v[1]].add(v[2].toDouble(), v[3].toDouble());
                    }
                    QDir(QFileInfo(path).path()).removeRecursively();
                }
            }
            std::printf("%s, %d QSOs, ms per action: median wall / median cpu / worst wall\n",
                        qPrintable(pl.name), records);
            std::printf("  %-14s %9.1f %9.1f %9.1f\n", "start-up", startup[p].medianWall(),
                        startup[p].medianCpu(), startup[p].worst());
            for (auto it = got.cbegin(); it != got.cend(); ++it)
                std::printf("  %-14s %9.1f %9.1f %9.1f\n", it.key().constData(), it->medianWall(),
                            it->medianCpu(), it->worst());
            const QString sx = pl.suffix;
            ratio(QStringLiteral("startup_vs_load") + sx, startup[p], load);
            for (const char* action : {"search_button", "search", "back", "reload"})
                ratio(QString::fromLatin1(action) + QStringLiteral("_vs_load") + sx,
                      got.value(action), load);
            // The first open, which builds the view's window, and the later ones.
            ratio(QStringLiteral("open_vs_load") + sx, got.value("open_first"), load);
            ratio(QStringLiteral("open_again_vs_load") + sx, got.value("open"), load);
            ratio(QStringLiteral("save_vs_copy") + sx, got.value("save"), got.value("copy"));
            ratio(QStringLiteral("live_vs_second") + sx, got.value("live"), constant(1000));
            // Every action within a frame (the goal at 100k): the slowest one.
            Series slowest;
            for (const char* action :
                 {"search_button", "search", "back", "open_first", "open", "reload"}) {
                const Series a = got.value(action);
                if (!a.wall.empty() &&
                    (slowest.wall.empty() || a.medianWall() > slowest.medianWall()))
                    slowest = a;
            }
            ratio(QStringLiteral("slowest_action_vs_frame") + sx, slowest, constant(16));
        }
        if (floor.wall.empty())
            continue;
        ratio(QStringLiteral("load_vs_floor"), load, floor);
    }
    if (xvfb) {
        xvfb->terminate();
        xvfb->waitForFinished(5000);
        delete xvfb;
    }
    ratios.print();
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc >= 5 && QByteArray(argv[1]) == "--group")
        return childMain(argc, argv);
    return parentMain(argc, argv);
}

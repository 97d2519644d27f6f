// Another program (as WSJT-X does) appends QSOs to the logbook at random
// moments while the program rewrites it after an edit: every appended line
// must end up in the file exactly once, whole, and the edit too. The writer
// is a process of its own, since only another process's writes to the file a
// rewrite replaced can be told from the program's own. Some writers run as
// another user (when the test runs as root), some keep the file open across
// three saves, and now and then a second program saves the log at the same
// moment. Nothing is carried over by hand: the event loop runs, as in the
// program.
//
// 300 trials by default; VOSMIRA_STRESS_TRIALS and VOSMIRA_STRESS_RECORDS
// make a longer run on a larger log.
#include "logdata/Loader.h"
#include "logdata/OrphanLog.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"
#include "loggen/LogGenerator.h"
#include "support/TestLog.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QRandomGenerator>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

class TestAppendStress : public QObject
{
    Q_OBJECT
private slots:
    void appendsDuringRewritesAreNeverLost();
};

namespace
{
int envNumber(const char* name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : fallback;
}

// In a child process: waits `delayUs`, then appends `line` as a logger does,
// in one of three ways (style 1 writes the line in two halves with a pause,
// style 2 opens the file well before it writes).
pid_t appendLater(const QByteArray& path, const QByteArray& line, int delayUs, int style,
                  bool asNobody)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    if (asNobody && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(4);
    const int pause = delayUs / 2 + 1;
    if (style != 2)
        ::usleep(useconds_t(delayUs));
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND);
    if (fd < 0)
        ::_exit(2);
    if (style == 2)
        ::usleep(useconds_t(delayUs));
    const qsizetype half = style == 1 ? line.size() / 2 : line.size();
    bool ok = ::write(fd, line.constData(), size_t(half)) == half;
    if (style == 1) {
        ::usleep(useconds_t(pause));
        ok = ok &&
             ::write(fd, line.constData() + half, size_t(line.size() - half)) == line.size() - half;
    }
    ::close(fd);
    ::_exit(ok ? 0 : 3);
}

// A writer that opens the file now and appends a line whenever told, until
// the pipe is closed.
struct Holder {
    pid_t pid = -1;
    int to = -1;
    int from = -1;
    bool start(const QByteArray& path)
    {
        int a[2], b[2];
        if (::pipe(a) != 0 || ::pipe(b) != 0)
            return false;
        pid = ::fork();
        if (pid == 0) {
            ::close(a[1]);
            ::close(b[0]);
            const int fd = ::open(path.constData(), O_WRONLY | O_APPEND);
            char line[1024];
            ssize_t n;
            while ((n = ::read(a[0], line, sizeof line)) > 0) {
                const char ok = fd >= 0 && ::write(fd, line, size_t(n)) == n ? 'w' : 'e';
                if (::write(b[1], &ok, 1) != 1)
                    break;
            }
            ::_exit(0);
        }
        ::close(a[0]);
        ::close(b[1]);
        to = a[1];
        from = b[0];
        return pid > 0;
    }
    bool append(const QByteArray& line)
    {
        char c = 0;
        return ::write(to, line.constData(), size_t(line.size())) == line.size() &&
               ::read(from, &c, 1) == 1 && c == 'w';
    }
    void stop()
    {
        if (pid <= 0)
            return;
        ::close(to);
        ::close(from);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
};

// A second program saving the log: loads it, changes line `k`, saves, and
// goes on carrying over what writers put into the file it replaced until
// nobody can write there any more. Exits 0 when its save was written.
pid_t otherProgramSaves(const QByteArray& path, int k, const QByteArray& text)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    TestLog other;
    other.LogFilePath = path;
    other.DisplayFormat = 1;
    loadLogbookData(other);
    other.LogLines.set(k, text);
    const bool written =
        rewriteLogbook(other, other.LoadedLineCount).result == RewriteResult::Written;
    for (int i = 0; i < 600 && !other.Orphans.empty(); ++i) {
        carryOrphans(other.Orphans);
        ::usleep(5000);
    }
    ::_exit(!written ? 1 : other.Orphans.empty() ? 0 : 2);
}

// Runs the event loop until the file holds `lines` (or a while has passed).
void settle(ScratchDir& dir, const QList<QByteArray>& lines)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 300 && fileLines(dir.read("log.adi")) != lines)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
} // namespace

void TestAppendStress::appendsDuringRewritesAreNeverLost()
{
    const int trials = envNumber("VOSMIRA_STRESS_TRIALS", 300);
    const int records = envNumber("VOSMIRA_STRESS_RECORDS", 400);
    ScratchDir dir;
    LogGeneratorOptions o;
    o.records = records;
    dir.write("log.adi", generateWsjtxLog(o));
    TestLog& s = testLog();
    resetTestLog();
    s.LogFilePath = QFile::encodeName(dir.file("log.adi"));
    s.DisplayFormat = 1;
    QVERIFY(loadLogbookData(s).opened);
    QList<QByteArray> expected = fileLines(dir.read("log.adi"));

    // Hooks that widen the moments of a rewrite where appends get lost.
    QRandomGenerator random(20261209);
    RewriteHooks hooks;
    auto pauseSometimes = [&random] {
        if (random.bounded(3) == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(400)));
    };
    hooks.afterRead = pauseSometimes;
    hooks.beforeRename = pauseSometimes;
    hooks.afterRename = pauseSometimes;
    setRewriteHooks(&hooks);

    // Writers of another user need the folder and the file open to them.
    const bool root = ::geteuid() == 0;
    if (root) {
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(s.LogFilePath.constData(), 0666) == 0);
    } else {
        qInfo("not run as root: no writer as another user (the rest runs)");
    }

    int lost = 0, duplicated = 0, refused = 0, othersRefused = 0;
    Holder holder;
    int holderSaves = 0;
    qint64 rewriteUs = 2000;
    QElapsedTimer clock;
    for (int t = 0; t < trials; ++t) {
        // An edit of a random QSO, and a QSO appended around the rewrite.
        const int k = 2 + random.bounded(s.LoadedLineCount - 1);
        const QByteArray edited = "<call:6>EDIT" +
                                  QByteArray::number(t % 100).rightJustified(2, '0') +
                                  " <comment:5>trial <eor>";
        const QByteArray appended = generateWsjtxRecord(o, records + t) + " <comment:1>" +
                                    QByteArray::number(t % 10) + "\n";
        const int style = random.bounded(3);
        const bool asNobody = root && random.bounded(3) == 0;
        // Every 40th trial a writer opens the file and keeps it open for
        // three saves, appending after each.
        if (t % 40 == 0 && holderSaves == 0) {
            QVERIFY(holder.start(s.LogFilePath));
            holderSaves = 3;
        }
        // Every 10th trial another program saves at the same moment.
        const int otherLine =
            2 + (k - 2 + 1 + random.bounded(s.LoadedLineCount - 2)) % (s.LoadedLineCount - 1);
        const QByteArray otherText = "<call:6>OTHR" +
                                     QByteArray::number(t % 100).rightJustified(2, '0') +
                                     " <comment:5>other <eor>";
        const pid_t other =
            t % 10 == 5 ? otherProgramSaves(s.LogFilePath, otherLine, otherText) : -1;
        const pid_t writer = appendLater(s.LogFilePath, appended,
                                         random.bounded(int(rewriteUs) + 1), style, asNobody);
        QVERIFY(writer > 0);
        s.LogLines.set(k, edited);
        clock.start();
        const RewriteOutcome out = rewriteLogbook(s, s.LoadedLineCount);
        rewriteUs = (rewriteUs * 7 + clock.nsecsElapsed() / 1000) / 8;
        int status = 0;
        ::waitpid(writer, &status, 0);
        QCOMPARE(WEXITSTATUS(status), 0);
        if (out.result != RewriteResult::Written) {
            ++refused;
            loadLogbookData(s);
        } else {
            expected[k - 1] = edited;
        }
        if (other > 0) {
            ::waitpid(other, &status, 0);
            if (WEXITSTATUS(status) != 1)
                expected[otherLine - 1] = otherText;
            if (WEXITSTATUS(status) != 0) {
                ++othersRefused;
                qInfo("trial %d: the other program's save %s", t,
                      WEXITSTATUS(status) == 1 ? "was refused" : "left a replaced file held");
            }
        }
        expected << appended.chopped(1);
        if (holderSaves > 0) {
            const QByteArray held = generateWsjtxRecord(o, 100000 + t) + " <comment:4>held\n";
            QVERIFY(holder.append(held));
            expected << held.chopped(1);
            if (--holderSaves == 0)
                holder.stop();
        }
        // What a writer put into the replaced file is carried over while the
        // event loop runs, and the live log takes in what was appended.
        settle(dir, expected);
        const LoadReport followed = followLogbookData(s);
        if (!followed.reloadReason.isEmpty())
            loadLogbookData(s);

        const QList<QByteArray> now = fileLines(dir.read("log.adi"));
        QCOMPARE(s.LoadedLineCount, int(now.size()));
        QHash<QByteArray, int> balance; // lines expected minus lines found
        for (const QByteArray& line : expected)
            ++balance[line];
        for (const QByteArray& line : now)
            --balance[line];
        bool same = true;
        for (auto it = balance.cbegin(); it != balance.cend(); ++it) {
            lost += qMax(0, it.value());
            duplicated += qMax(0, -it.value());
            same = same && it.value() == 0;
        }
        if (!same) {
            if (qEnvironmentVariableIsSet("STRESS_DEBUG")) {
                for (auto it = balance.cbegin(); it != balance.cend(); ++it)
                    if (it.value())
                        qInfo("trial %d style %d bal %d at %lld/%lld (k %d, loaded %d): %s", t,
                              style, it.value(), qlonglong(expected.indexOf(it.key())),
                              qlonglong(now.indexOf(it.key())), k, s.LoadedLineCount,
                              it.key().constData());
                qInfo("tail: %s", dir.read("log.adi").right(400).constData());
            }
        }
        // Go on from what is there: lines of writers writing at the same
        // moment may stand in either order.
        expected = now;
    }
    holder.stop();
    setRewriteHooks(nullptr);
    qInfo("%d trials on %d records (a rewrite takes about %lld us): %d lines lost, "
          "%d duplicated, %d rewrites refused, %d of the other program's",
          trials, records, rewriteUs, lost, duplicated, refused, othersRefused);
    QCOMPARE(lost, 0);
    QCOMPARE(duplicated, 0);
    QCOMPARE(refused, 0);
    QCOMPARE(othersRefused, 0);
}

QTEST_GUILESS_MAIN(TestAppendStress)
#include "tst_appendstress.moc"

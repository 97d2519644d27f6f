// Another program (as WSJT-X does) appends QSOs to the logbook at random
// moments while the program rewrites it after an edit: every appended line
// must end up in the file exactly once, whole, and the edit too. The writer
// is a process of its own, since only another process's writes to the file a
// rewrite replaced can be told from the program's own.
//
// 500 trials by default; VOSMIRA_STRESS_TRIALS and VOSMIRA_STRESS_RECORDS
// make a longer run on a larger log.
#include "logdata/Loader.h"
#include "logdata/OrphanLog.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"
#include "loggen/LogGenerator.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QHash>
#include <QRandomGenerator>
#include <QTest>

#include <fcntl.h>
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
pid_t appendLater(const QByteArray& path, const QByteArray& line, int delayUs, int style)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
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
} // namespace

void TestAppendStress::appendsDuringRewritesAreNeverLost()
{
    const int trials = envNumber("VOSMIRA_STRESS_TRIALS", 500);
    const int records = envNumber("VOSMIRA_STRESS_RECORDS", 400);
    ScratchDir dir;
    LogGeneratorOptions o;
    o.records = records;
    dir.write("log.adi", generateWsjtxLog(o));
    ProgramState& s = G();
    resetProgramState();
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

    int lost = 0, duplicated = 0, refused = 0;
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
        const pid_t writer =
            appendLater(s.LogFilePath, appended, random.bounded(int(rewriteUs) + 1), style);
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
        // What a writer put into the replaced file is carried over, and the
        // live log takes in what was appended.
        carryOrphans(s.Orphans);
        s.Orphans.clear();
        const LoadReport followed = followLogbookData(s);
        if (!followed.reloadReason.isEmpty())
            loadLogbookData(s);
        expected << appended.chopped(1);

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
                        qInfo("trial %d style %d bal %d: %s", t, style, it.value(),
                              it.key().left(60).constData());
                qInfo("tail: %s", dir.read("log.adi").right(400).constData());
            }
            expected = now; // go on from what is there
        }
    }
    setRewriteHooks(nullptr);
    qInfo("%d trials on %d records (a rewrite takes about %lld us): %d appends lost, "
          "%d duplicated, %d rewrites refused",
          trials, records, rewriteUs, lost, duplicated, refused);
    QCOMPARE(lost, 0);
    QCOMPARE(duplicated, 0);
    QCOMPARE(refused, 0);
}

QTEST_GUILESS_MAIN(TestAppendStress)
#include "tst_appendstress.moc"

// The logbook shared with other programs: changes they make anywhere, other
// saving programs, writers of other users and writers that keep the file
// open, links, owners and attributes, odd files, line ends, what a killed
// save leaves, and log paths that are not UTF-8.
#include "logdata/Loader.h"
#include "logdata/OrphanLog.h"
#include "logdata/Rewrite.h"
#include "logdata/Settings.h"
#include "logdata/State.h"
#include "loggen/LogGenerator.h"
#include "support/TestLog.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utime.h>

class TestSharedLog : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetTestLog(); }
    void changeAnywhereOnDiskIsSeen();
    void otherSavingProgramsWaitAndAreNamed();
    void twoProgramsSavingKeepBothEdits();
    void processOfAnotherUserCountsAsWriter();
    void writerKeepingTheFileOpenAcrossSaves();
    void linksStay();
    void ownerGroupModeAndAttributesStay();
    void readOnlyLogIsNotReplaced();
    void copyFailureIsReportedAndKept();
    void onlyRegularFilesAreLogbooks();
    void lineEnds();
    void temporariesOfKilledSavesGo();
    void logPathIsBytes();
    void largeSaveWrittenPastTheCache();
};

namespace
{
const QByteArray kHeader = "WSJT-X ADIF Export<eoh>";

QByteArray rec(int i, const char* rcvd = "N")
{
    return "<call:6>DL" + QByteArray::number(1000 + i).right(3) +
           "X <qso_date:8>20240310 "
           "<time_on:6>1234" +
           QByteArray::number(10 + i % 50) + " <band:3>20m <eqsl_qsl_rcvd:1>" + rcvd +
           " <comment:20>" + QByteArray(20, 'a' + char(i % 26)) + " <eor>";
}

QByteArray logOf(int records)
{
    QList<QByteArray> lines{kHeader};
    for (int i = 0; i < records; ++i)
        lines << rec(i);
    return crlfLines(lines);
}

void load(TestLog& s, const QString& path)
{
    s.LogFilePath = QFile::encodeName(path);
    s.DisplayFormat = 1;
    loadLogbookData(s);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void appendTo(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    f.write(bytes);
}

// A writer in a process of its own that opens the log when told, then
// appends a line each time it is told, and closes when told to end.
class Writer
{
public:
    explicit Writer(const QByteArray& path, uid_t asUser = uid_t(-1))
    {
        int toChild[2], fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(toChild[1]);
            ::close(fromChild[0]);
            if (asUser != uid_t(-1) && (::setgid(asUser) != 0 || ::setuid(asUser) != 0))
                ::_exit(3);
            const int fd = ::open(path.constData(), O_WRONLY | O_APPEND);
            char ok = fd >= 0 ? 'o' : 'e';
            if (::write(fromChild[1], &ok, 1) != 1)
                ::_exit(4);
            char line[512];
            ssize_t n;
            while ((n = ::read(toChild[0], line, sizeof line)) > 0) {
                const bool written = ::write(fd, line, size_t(n)) == n;
                ok = written ? 'w' : 'e';
                if (::write(fromChild[1], &ok, 1) != 1)
                    ::_exit(4);
            }
            ::_exit(0);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        m_to = toChild[1];
        m_from = fromChild[0];
        char c = 0;
        m_opened = ::read(m_from, &c, 1) == 1 && c == 'o';
    }
    ~Writer() { end(); }
    bool opened() const { return m_opened; }
    bool write(const QByteArray& line)
    {
        char c = 0;
        return ::write(m_to, line.constData(), size_t(line.size())) == line.size() &&
               ::read(m_from, &c, 1) == 1 && c == 'w';
    }
    void end()
    {
        if (m_pid <= 0)
            return;
        ::close(m_to);
        ::close(m_from);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    int m_to = -1;
    int m_from = -1;
    bool m_opened = false;
};

// Lets the event loop run until `done` holds or a second has passed.
template <typename F> bool settle(F done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
} // namespace

void TestSharedLog::changeAnywhereOnDiskIsSeen()
{
    ScratchDir dir;
    const QString path = dir.file("log.adi");
    // Far more than the last 64 KiB: the change is near the start.
    dir.write("log.adi", logOf(2000));
    TestLog& s = testLog();
    load(s, path);
    QByteArray disk = readFile(path);
    const qsizetype at = disk.indexOf(rec(5));
    disk.replace(at, rec(5).size(), rec(5, "Y")); // QSL flag N -> Y, same length
    QVERIFY(dir.write("log.adi", disk));
    // An edit of another QSO goes onto what the disk holds.
    s.LogLines.set(11, rec(9, "Y"));
    RewriteOutcome o = rewriteLogbook(s, s.LoadedLineCount);
    QCOMPARE(int(o.result), int(RewriteResult::Written));
    QByteArray wanted = disk;
    wanted.replace(disk.indexOf(rec(9)), rec(9).size(), rec(9, "Y"));
    QCOMPARE(readFile(path), wanted);
    // The rows are read again, so the grid shows the other program's change.
    QVERIFY(refreshLogbookData(s).rows.rowCount() > 1000);
    QCOMPARE(s.LogLines.at(7), rec(5, "Y"));

    // An edit of the very QSO the other program changed is refused, naming it.
    disk = readFile(path);
    disk.replace(disk.indexOf(rec(20)), rec(20).size(), rec(20, "Y"));
    QVERIFY(dir.write("log.adi", disk));
    s.LogLines.set(22, rec(20, "R"));
    o = rewriteLogbook(s, s.LoadedLineCount);
    QCOMPARE(int(o.result), int(RewriteResult::ChangedOnDisk));
    QVERIFY2(o.message.contains(QStringLiteral("DL020X")), qPrintable(o.message));
    QCOMPARE(readFile(path), disk);
}

void TestSharedLog::otherSavingProgramsWaitAndAreNamed()
{
    ScratchDir dir;
    const QString path = dir.file("log.adi");
    dir.write("log.adi", logOf(3));
    TestLog& s = testLog();
    load(s, path);
    // Another program in the middle of its save holds the lock.
    const int other = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    QVERIFY(::flock(other, LOCK_EX) == 0);
    setRewriteLockWait(150);
    s.LogLines.set(2, rec(0, "Y"));
    const RewriteOutcome o = rewriteLogbook(s, s.LoadedLineCount);
    setRewriteLockWait(2000);
    ::close(other);
    QCOMPARE(int(o.result), int(RewriteResult::Failed));
    QVERIFY2(o.message.contains(QString::number(::getpid())), qPrintable(o.message));
    QCOMPARE(readFile(path), logOf(3));
}

void TestSharedLog::twoProgramsSavingKeepBothEdits()
{
    ScratchDir dir;
    const QString path = dir.file("log.adi");
    dir.write("log.adi", logOf(5));
    TestLog a, b;
    load(a, path);
    load(b, path);
    a.LogLines.set(3, rec(1, "Y"));
    b.LogLines.set(5, rec(3, "Y"));
    QCOMPARE(int(rewriteLogbook(a, a.LoadedLineCount).result), int(RewriteResult::Written));
    QCOMPARE(int(rewriteLogbook(b, b.LoadedLineCount).result), int(RewriteResult::Written));
    QCOMPARE(readFile(path),
             crlfLines({kHeader, rec(0), rec(1, "Y"), rec(2), rec(3, "Y"), rec(4)}));
}

void TestSharedLog::processOfAnotherUserCountsAsWriter()
{
    // A process whose open files may not be looked at may hold the file.
    ScratchDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("proc/4242"));
    dir.write("proc/4242/cmdline", "wsjtx");
    dir.write("proc/4242/fd", "not a folder that can be read");
    setProcessTableRoot(QFile::encodeName(dir.file("proc")));
    const bool held = otherProcessHoldsOpen(1, 1);
    // A kernel thread (no command line) holds no files.
    dir.write("proc/4242/cmdline", "");
    const bool kernelThread = otherProcessHoldsOpen(1, 1);
    setProcessTableRoot(QByteArray());
    QVERIFY(held);
    QVERIFY(!kernelThread);
}

void TestSharedLog::writerKeepingTheFileOpenAcrossSaves()
{
    ScratchDir dir;
    const QString path = dir.file("log.adi");
    dir.write("log.adi", logOf(3));
    TestLog& s = testLog();
    load(s, path);
    Writer wsjtx(QFile::encodeName(path));
    QVERIFY(wsjtx.opened());
    QList<QByteArray> lines{kHeader, rec(0), rec(1), rec(2)};
    for (int save = 0; save < 3; ++save) {
        s.LogLines.set(2, rec(0, save % 2 ? "N" : "Y"));
        lines[1] = rec(0, save % 2 ? "N" : "Y");
        QCOMPARE(int(rewriteLogbook(s, s.LoadedLineCount).result), int(RewriteResult::Written));
        QVERIFY(wsjtx.write(rec(100 + save) + "\n"));
        lines << rec(100 + save);
        QVERIFY2(settle([&] { return fileLines(readFile(path)) == lines; }),
                 readFile(path).right(300).constData());
        refreshLogbookData(s);
    }
    wsjtx.end();
    // Let go once the writer is gone.
    QVERIFY(settle([&] {
        return std::none_of(s.Orphans.begin(), s.Orphans.end(),
                            [](auto& o) { return o->isOpen(); });
    }));
    QCOMPARE(fileLines(readFile(path)), lines);
}

void TestSharedLog::linksStay()
{
    ScratchDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    dir.write("data/real.adi", logOf(2));
    QVERIFY(QFile::link(dir.file("data/real.adi"), dir.file("log.adi")));
    TestLog& s = testLog();
    load(s, dir.file("log.adi"));
    s.LogLines.set(2, rec(0, "Y"));
    QCOMPARE(int(rewriteLogbook(s, s.LoadedLineCount).result), int(RewriteResult::Written));
    QVERIFY(QFileInfo(dir.file("log.adi")).isSymLink());
    QCOMPARE(readFile(dir.file("data/real.adi")), crlfLines({kHeader, rec(0, "Y"), rec(1)}));
    QVERIFY(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter("vosmira-").isEmpty());

    // Two names of one file: replacing it would part them; the save says so.
    QVERIFY(::link(QFile::encodeName(dir.file("data/real.adi")).constData(),
                   QFile::encodeName(dir.file("second.adi")).constData()) == 0);
    refreshLogbookData(s);
    s.LogLines.set(3, rec(1, "Y"));
    const RewriteOutcome o = rewriteLogbook(s, s.LoadedLineCount);
    QCOMPARE(int(o.result), int(RewriteResult::Failed));
    QVERIFY2(o.message.contains(QStringLiteral("hard link")), qPrintable(o.message));
    QCOMPARE(readFile(dir.file("second.adi")), readFile(dir.file("data/real.adi")));
}

void TestSharedLog::ownerGroupModeAndAttributesStay()
{
    ScratchDir dir;
    const QString path = dir.file("log.adi");
    dir.write("log.adi", logOf(2));
    const QByteArray native = QFile::encodeName(path);
    const bool root = ::geteuid() == 0;
    // Shared with a logger of another user in its group (as root the file
    // can be given away; otherwise it stays the tester's).
    if (root)
        QVERIFY(::chown(native.constData(), 65534, 65534) == 0);
    QVERIFY(::chmod(native.constData(), 0664) == 0);
    const bool xattrs = ::setxattr(native.constData(), "user.logger", "wsjtx", 5, 0) == 0;
    struct stat before {
    };
    QVERIFY(::stat(native.constData(), &before) == 0);
    TestLog& s = testLog();
    load(s, path);
    s.LogLines.set(2, rec(0, "Y"));
    const RewriteOutcome o = rewriteLogbook(s, s.LoadedLineCount);
    QCOMPARE(int(o.result), int(RewriteResult::Written));
    struct stat after {
    };
    QVERIFY(::stat(native.constData(), &after) == 0);
    QVERIFY(after.st_ino != before.st_ino);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_mode & 07777, mode_t(0664));
    if (xattrs) {
        char value[16] = {};
        QCOMPARE(int(::getxattr(native.constData(), "user.logger", value, sizeof value)), 5);
        QCOMPARE(QByteArray(value), QByteArray("wsjtx"));
    } else {
        qInfo("extended attributes not supported here: only owner and mode checked");
    }
}

void TestSharedLog::readOnlyLogIsNotReplaced()
{
    ScratchDir dir;
    const QString path = dir.file("log.adi");
    dir.write("log.adi", logOf(2));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    TestLog& s = testLog();
    load(s, path);
    s.LogLines.set(2, rec(0, "Y"));
    const RewriteOutcome o = rewriteLogbook(s, s.LoadedLineCount);
    QCOMPARE(int(o.result), int(RewriteResult::Failed));
    QVERIFY2(o.message.contains(QStringLiteral("read-only")), qPrintable(o.message));
    QCOMPARE(readFile(path), logOf(2));
    QCOMPARE(int(QFileInfo(path).permissions() & QFile::WriteOwner), 0);
}

void TestSharedLog::copyFailureIsReportedAndKept()
{
    ScratchDir dir;
    const QString path = dir.file("log.adi");
    dir.write("log.adi", logOf(2));
    TestLog& s = testLog();
    load(s, path);
    Writer wsjtx(QFile::encodeName(path));
    QVERIFY(wsjtx.opened());
    QStringList told;
    s.orphanProblem = [&](const QString& m) { told << m; };
    s.LogLines.set(2, rec(0, "Y"));
    QCOMPARE(int(rewriteLogbook(s, s.LoadedLineCount).result), int(RewriteResult::Written));
    const qint64 size = QFileInfo(path).size();
    {
        // The disk is full: the QSO written into the replaced file cannot go over.
        FileSizeLimit full(size);
        QVERIFY(wsjtx.write(rec(50) + "\n"));
        wsjtx.end();
        QVERIFY(settle([&] { return !told.isEmpty(); }));
        carryOrphans(s.Orphans);
        QCOMPARE(told.size(), 1);    // told once, not at every try
        QVERIFY(!s.Orphans.empty()); // the writer is gone, its QSO is not
    }
    carryOrphans(s.Orphans);
    s.orphanProblem = nullptr;
    QVERIFY(s.Orphans.empty());
    QCOMPARE(fileLines(readFile(path)), QList<QByteArray>({kHeader, rec(0, "Y"), rec(1), rec(50)}));

    // Still failing when the program ends: the QSO is kept beside it.
    Writer late(QFile::encodeName(path));
    QVERIFY(late.opened());
    s.LogLines.set(2, rec(0, "N"));
    QCOMPARE(int(rewriteLogbook(s, s.LoadedLineCount).result), int(RewriteResult::Written));
    QVERIFY(late.write(rec(51) + "\n"));
    late.end();
    {
        FileSizeLimit full(QFileInfo(path).size());
        for (const auto& orphan : s.Orphans)
            orphan->setProblemHandler([](const QString&) {});
        s.Orphans.clear();
    }
    QCOMPARE(dir.read("QSO_rescued.adi"), rec(51) + "\n");
}

void TestSharedLog::onlyRegularFilesAreLogbooks()
{
    ScratchDir dir;
    const QByteArray fifo = QFile::encodeName(dir.file("fifo.adi"));
    QVERIFY(::mkfifo(fifo.constData(), 0644) == 0);
    TestLog& s = testLog();
    for (const QByteArray& path : {fifo, QByteArray("/dev/zero"), QByteArray("/dev/null")}) {
        // At once: no wait for a writer, no endless read.
        s.LogFilePath = path;
        s.DisplayFormat = 1;
        QElapsedTimer t;
        t.start();
        const LoadReport r = loadLogbookData(s);
        QVERIFY(t.elapsed() < 5000);
        QVERIFY(!r.opened);
        QCOMPARE(int(r.problem), int(LoadProblem::NotAFile));
        QVERIFY(!r.errorReason.isEmpty());
    }
    // A save to a pipe is refused; the pipe stays a pipe.
    s.LogFilePath = fifo;
    s.LogLines.set(1, kHeader);
    s.LogLines.set(2, rec(0));
    const RewriteOutcome o = rewriteLogbook(s, 2);
    QCOMPARE(int(o.result), int(RewriteResult::Failed));
    struct stat st {
    };
    QVERIFY(::stat(fifo.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
}

void TestSharedLog::lineEnds()
{
    ScratchDir dir;
    const QString path = dir.file("log.adi");
    TestLog& s = testLog();
    // The last QSO without its line end: a QSO added goes after it.
    dir.write("log.adi", kHeader + "\r\n" + rec(0) + "\r\n" + rec(1));
    load(s, path);
    QCOMPARE(int(appendRecord(s, rec(2)).result), int(RewriteResult::Written));
    QCOMPARE(readFile(path), crlfLines({kHeader, rec(0), rec(1), rec(2)}));
    // A header without its line end gets one before the first QSO.
    resetTestLog();
    dir.write("log.adi", kHeader);
    load(s, path);
    QCOMPARE(int(appendRecord(s, rec(0)).result), int(RewriteResult::Written));
    QCOMPARE(readFile(path), crlfLines({kHeader, rec(0)}));
    QCOMPARE(refreshLogbookData(s).rows.rowCount(), 1);
    // A log whose lines end in CR alone.
    resetTestLog();
    dir.write("log.adi", kHeader + "\r" + rec(0) + "\r" + rec(1) + "\r");
    load(s, path);
    QCOMPARE(s.QsoCount, 2);
    QCOMPARE(s.LogLines.at(3), rec(1));
    s.LogLines.set(2, rec(0, "Y"));
    QCOMPARE(int(rewriteLogbook(s, s.LoadedLineCount).result), int(RewriteResult::Written));
    QCOMPARE(readFile(path), crlfLines({kHeader, rec(0, "Y"), rec(1)}));
}

void TestSharedLog::temporariesOfKilledSavesGo()
{
    ScratchDir dir;
    dir.write("log.adi", logOf(1));
    dir.write(".log.adi.vosmira-Ab3xYz", logOf(1));    // a killed save's
    dir.write(".log.adi.vosmira-Qq1234", logOf(1));    // one being written now
    dir.write(".log.adi.vosmira-notmine.bak", "keep"); // not the pattern
    dir.write(".other.adi.vosmira-Ab3xYz", "keep");    // another log's
    const qint64 started = qint64(::time(nullptr));
    struct utimbuf old {
        time_t(started - 3600), time_t(started - 3600)
    };
    for (const char* name :
         {".log.adi.vosmira-Ab3xYz", ".log.adi.vosmira-notmine.bak", ".other.adi.vosmira-Ab3xYz"})
        QVERIFY(::utime(QFile::encodeName(dir.file(name)).constData(), &old) == 0);
    QCOMPARE(removeStaleTemporaries(QFile::encodeName(dir.file("log.adi")), started - 60), 1);
    const QStringList left = QDir(dir.path()).entryList(QDir::Hidden | QDir::Files);
    QVERIFY(!left.contains(".log.adi.vosmira-Ab3xYz"));
    for (const char* name :
         {".log.adi.vosmira-Qq1234", ".log.adi.vosmira-notmine.bak", ".other.adi.vosmira-Ab3xYz"})
        QVERIFY2(left.contains(QString::fromLatin1(name)), name);
    // A start does it too.
    dir.write(".log.adi.vosmira-Zz9876", logOf(1));
    QVERIFY(::utime(QFile::encodeName(dir.file(".log.adi.vosmira-Zz9876")).constData(), &old) == 0);
    load(testLog(), dir.file("log.adi"));
    QVERIFY(!QFileInfo::exists(dir.file(".log.adi.vosmira-Zz9876")));
}

void TestSharedLog::logPathIsBytes()
{
    ScratchDir dir;
    // A folder whose name holds a Latin-1 byte (not UTF-8).
    const QByteArray folder = QFile::encodeName(dir.path()) + "/Funk\xe4t";
    QVERIFY(::mkdir(folder.constData(), 0755) == 0);
    const QByteArray logPath = folder + "/log.adi";
    {
        QFile f;
        const int fd = ::open(logPath.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QVERIFY(f.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        f.write(logOf(2));
    }
    QList<QByteArray> config{logPath, "false", "",       "Germany", "DL1VOS", "",    "",
                             "",      "",      "JO62QM", "",        "2",      "tnx", "Eng"};
    dir.write("config.dat", crlfLines(config));
    TestLog& s = testLog();
    Load_Config(s);
    QCOMPARE(s.LogFilePath, logPath);
    s.DisplayFormat = 1;
    const LoadReport r = loadLogbookData(s);
    QVERIFY2(r.opened, qPrintable(r.errorReason));
    QCOMPARE(s.QsoCount, 2);
    QVERIFY(Save_Config(s));
    QCOMPARE(fileLines(dir.read("config.dat")).value(0), logPath);
    QVERIFY(logFilePathString(s).contains(QStringLiteral("Funk")));
    ::unlink(logPath.constData()); // a name the scratch folder's clean-up cannot spell
    ::rmdir(folder.constData());
}

void TestSharedLog::largeSaveWrittenPastTheCache()
{
    // The way large logs are written, on a small one: every byte, the
    // appended ones too, and the edit.
    ScratchDir dir;
    const QString path = dir.file("log.adi");
    dir.write("log.adi", logOf(300));
    TestLog& s = testLog();
    load(s, path);
    setRewriteDirectFrom(0);
    appendTo(path, rec(400) + "\r\n" + rec(401).left(10));
    s.LogLines.set(50, rec(48, "Y"));
    const RewriteOutcome o = rewriteLogbook(s, s.LoadedLineCount);
    setRewriteDirectFrom(qint64(16) << 20);
    QCOMPARE(int(o.result), int(RewriteResult::Written));
    QByteArray wanted = logOf(300) + rec(400) + "\r\n" + rec(401).left(10);
    wanted.replace(wanted.indexOf(rec(48)), rec(48).size(), rec(48, "Y"));
    QCOMPARE(readFile(path), wanted);
    QCOMPARE(QFileInfo(path).size(), wanted.size());
}

QTEST_GUILESS_MAIN(TestSharedLog)
#include "tst_sharedlog.moc"

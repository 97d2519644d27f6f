#pragma once
// The logbook files rewrites replaced. Another program that opened the old
// file before the rename (to append a QSO, as WSJT-X does) writes into that
// now unlinked file. The rewrite keeps it open, and whatever arrives there is
// carried over to the end of the logbook, until it is certain that nobody can
// write to the old file any more; when that cannot be known (a process of
// another user holds files the program may not look at), for as long as the
// program runs. Bytes that could not be carried over are reported at once and
// tried again; the old file is never let go while it holds them.
#include <QByteArray>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTimer;

class OrphanLog
{
public:
    // Where the operator hears of QSOs that could not be carried over (the
    // window shows it); without a handler it goes to the error output.
    using ProblemHandler = std::function<void(const QString& message)>;

    // Takes `fd` (the old file, copied up to `carried`); `livePath` is the
    // logbook's path, where carried bytes are appended.
    OrphanLog(int fd, qint64 carried, const QByteArray& livePath, ProblemHandler problem = nullptr);
    ~OrphanLog(); // carries over a last time, then closes
    OrphanLog(const OrphanLog&) = delete;
    OrphanLog& operator=(const OrphanLog&) = delete;

    // Appends what arrived in the old file since the last call to the
    // logbook; closes the old file when nobody can write to it any more.
    // Returns the number of bytes carried, -1 when they could not be written
    // (reported to the problem handler, and tried again later).
    qint64 carry();
    bool isOpen() const { return m_fd >= 0; }
    // Where an event loop runs, the old file is watched and carried over as
    // soon as a writer writes to it or closes it.
    void watch();
    // The logbook that replaced the file goes away: problems go to the error
    // output from now on.
    void setProblemHandler(ProblemHandler problem) { m_problem = std::move(problem); }

private:
    void close();
    qint64 carryTo(qint64 size, bool all);
    bool othersMayWrite() const;
    void failed(int error);
    int m_fd = -1;
    int m_watch = -1; // an inotify descriptor watching the old file
    QPointer<QSocketNotifier> m_notifier;
    QPointer<QTimer> m_retry;
    QPointer<QTimer> m_recheck; // whether anybody still can write to it
    bool m_failing = false;
    qint64 m_carried = 0;
    QByteArray m_livePath;
    ProblemHandler m_problem;
};

using OrphanLogs = std::vector<std::shared_ptr<OrphanLog>>;

// Carries over what writers wrote into each of the replaced files and lets go
// of those nobody can write to any more.
void carryOrphans(OrphanLogs& orphans);

// True when a process other than this one has the file (device, inode) open,
// and also when that cannot be known (a process whose open files may not be
// looked at).
bool otherProcessHoldsOpen(quint64 device, quint64 inode);

// For tests: where the processes' open files are listed ("/proc").
void setProcessTableRoot(const QByteArray& root);

#pragma once
// The logbook file a rewrite replaced. Another program that opened the old
// file before the rename (to append a QSO, as WSJT-X does) writes into that
// now unlinked file. The rewrite keeps it open, and whatever arrives there is
// carried over to the end of the logbook, until no other program holds the
// old file open any more.
#include <QByteArray>
#include <QPointer>

class QSocketNotifier;

class OrphanLog
{
public:
    // Takes `fd` (the old file, copied up to `carried`); `livePath` is the
    // logbook's path, where carried bytes are appended.
    OrphanLog(int fd, qint64 carried, const QByteArray& livePath);
    ~OrphanLog(); // carries over a last time, then closes
    OrphanLog(const OrphanLog&) = delete;
    OrphanLog& operator=(const OrphanLog&) = delete;

    // Appends what arrived in the old file since the last call to the
    // logbook; closes the old file when no other process has it open.
    // Returns the number of bytes carried, -1 when they could not be written.
    qint64 carry();
    bool isOpen() const { return m_fd >= 0; }
    // Where an event loop runs, the old file is watched and carried over as
    // soon as a writer writes to it or closes it.
    void watch();

private:
    void close();
    qint64 carryTo(qint64 size);
    int m_fd = -1;
    int m_watch = -1; // an inotify descriptor watching the old file
    QPointer<QSocketNotifier> m_notifier;
    qint64 m_carried = 0;
    QByteArray m_livePath;
};

// True when a process other than this one has the file (device, inode) open.
bool otherProcessHoldsOpen(quint64 device, quint64 inode);

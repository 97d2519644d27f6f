#include "logdata/OrphanLog.h"

#include "logdata/AtomicFile.h"
#include "logdata/LogFileMark.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace
{
QByteArray procRoot = "/proc";

// A writer's close is told before the system counts the file as closed; this
// soon after, it does, and the old file can be let go without a second's wait.
constexpr int kRecheckAfterCloseMs = 50;
// A writer that goes without a word (killed) is noticed this late at most;
// each look goes through the open files of every process, so not more often.
constexpr int kRecheckMs = 1000;
// A QSO that could not be carried over (a full disk) is tried again this
// often: soon after room is made, without trying a full disk over and over
// (the operator is told once).
constexpr int kRetryMs = 2000;

// A kernel thread holds no files; its entry lists none and may not be read.
// The paths below are the processes' root ("/proc", or a test's scratch
// folder), a pid and a short name: well within these buffers.
bool isKernelThread(const char* pidDir)
{
    char path[160];
    std::snprintf(path, sizeof path, "%s/cmdline", pidDir);
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char c;
    const ssize_t n = ::read(fd, &c, 1);
    ::close(fd);
    return n == 0;
}
} // namespace

void setProcessTableRoot(const QByteArray& root)
{
    procRoot = root.isEmpty() ? QByteArray("/proc") : root;
}

bool otherProcessHoldsOpen(quint64 device, quint64 inode)
{
    const pid_t self = ::getpid();
    DIR* proc = ::opendir(procRoot.constData());
    if (!proc)
        return true; // cannot tell: keep watching
    bool held = false;
    char dir[128];
    char path[160];
    while (!held) {
        const dirent* p = ::readdir(proc);
        if (!p)
            break;
        char* end = nullptr;
        const long pid = std::strtol(p->d_name, &end, 10);
        if (*end != '\0' || pid <= 0 || (pid == self && procRoot == "/proc"))
            continue;
        std::snprintf(dir, sizeof dir, "%s/%ld", procRoot.constData(), pid);
        std::snprintf(path, sizeof path, "%s/fd", dir);
        const int dirFd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd < 0) {
            // Gone meanwhile, or a process whose files may not be looked at
            // (another user's): it may hold the file.
            if (errno != ENOENT && !isKernelThread(dir))
                held = true;
            continue;
        }
        DIR* fds = ::fdopendir(dirFd);
        if (!fds) {
            ::close(dirFd);
            continue;
        }
        while (const dirent* f = ::readdir(fds)) {
            struct stat st {
            };
            // The entry is a link to the open file, also to one without a
            // name any more.
            if (f->d_name[0] != '.' && ::fstatat(dirFd, f->d_name, &st, 0) == 0 &&
                quint64(st.st_ino) == inode && quint64(st.st_dev) == device) {
                held = true;
                break;
            }
        }
        ::closedir(fds);
    }
    ::closedir(proc);
    return held;
}

OrphanLog::OrphanLog(int fd, qint64 carried, const QByteArray& livePath, ProblemHandler problem)
    : m_fd(fd), m_carried(carried), m_livePath(livePath), m_problem(std::move(problem))
{
    // The old file has no name any more; the descriptor's entry in /proc
    // still leads to it.
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watch >= 0) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
        if (::inotify_add_watch(m_watch, self.constData(), IN_MODIFY | IN_CLOSE_WRITE) < 0) {
            ::close(m_watch);
            m_watch = -1;
        }
    }
}

OrphanLog::~OrphanLog()
{
    if (m_fd >= 0 && carry() < 0 && m_fd >= 0) {
        // The last chance: what could not go to the logbook goes beside the
        // program, so that it is not gone with the old file.
        struct stat st {
        };
        if (::fstat(m_fd, &st) == 0 && qint64(st.st_size) > m_carried) {
            const QByteArray late = readAt(m_fd, m_carried, qint64(st.st_size) - m_carried);
            QFile rescue(QStringLiteral("QSO_rescued.adi"));
            const bool kept = rescue.open(QIODevice::Append) && rescue.write(late) == late.size() &&
                              rescue.flush();
            std::fprintf(stderr,
                         "vosmira: %lld bytes written by another program could not be "
                         "added to the logbook%s\n",
                         static_cast<long long>(late.size()),
                         kept ? "; they are kept in QSO_rescued.adi" : " and are lost");
        }
    }
    close();
}

void OrphanLog::watch()
{
    if (m_watch < 0 || m_notifier || !QCoreApplication::instance())
        return;
    // Owned by the application, so it never outlives the event loop.
    m_notifier =
        new QSocketNotifier(qintptr(m_watch), QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] {
        carry();
        // A writer's close is told before the system counts it as closed:
        // looked at again shortly after.
        if (m_recheck)
            m_recheck->start(kRecheckAfterCloseMs);
    });
    // Also now and then, for writers that go without a word (killed).
    m_recheck = new QTimer(QCoreApplication::instance());
    QObject::connect(m_recheck, &QTimer::timeout, m_recheck, [this] {
        m_recheck->setInterval(kRecheckMs);
        carry();
    });
    m_recheck->start(kRecheckMs);
}

void OrphanLog::close()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    for (QPointer<QTimer>* t : {&m_retry, &m_recheck}) {
        if (*t) {
            (*t)->stop();
            (*t)->deleteLater();
            *t = nullptr;
        }
    }
    if (m_fd >= 0) {
        // The last close of a large replaced file gives its pages and blocks
        // back, which takes a while: not on the window's time.
        const int fd = m_fd;
        try {
            std::thread([fd] { ::close(fd); }).detach();
        } catch (const std::system_error&) {
            ::close(fd);
        }
    }
    if (m_watch >= 0)
        ::close(m_watch);
    m_fd = -1;
    m_watch = -1;
}

bool OrphanLog::othersMayWrite() const
{
    // A read lease is granted only while nobody has the file open for
    // writing, whoever it is: then nobody can write to it any more (it has no
    // name to be opened by). Given back at once.
    if (::fcntl(m_fd, F_SETLEASE, F_RDLCK) == 0) {
        ::fcntl(m_fd, F_SETLEASE, F_UNLCK);
        return false;
    }
    if (errno == EAGAIN)
        return true;
    // No lease for a file of another owner (or on this file system): look
    // at the processes' open files.
    struct stat st {
    };
    if (::fstat(m_fd, &st) != 0)
        return true;
    return otherProcessHoldsOpen(quint64(st.st_dev), quint64(st.st_ino));
}

void OrphanLog::failed(int error)
{
    if (!m_failing) {
        m_failing = true;
        const QString message =
            QCoreApplication::translate(
                "OrphanLog",
                "A QSO that another program wrote into the replaced logbook file could not be "
                "added to %1 (%2). It is kept and tried again while Vosmira runs; please free "
                "space on the disk.")
                .arg(QFile::decodeName(m_livePath), QString::fromLocal8Bit(std::strerror(error)));
        if (m_problem)
            m_problem(message);
        else
            std::fprintf(stderr, "vosmira: %s\n", qPrintable(message));
    }
    if (!m_retry && QCoreApplication::instance()) {
        m_retry = new QTimer(QCoreApplication::instance());
        m_retry->setInterval(kRetryMs);
        QObject::connect(m_retry, &QTimer::timeout, m_retry, [this] { carry(); });
        m_retry->start();
    }
}

qint64 OrphanLog::carry()
{
    if (m_fd < 0)
        return 0;
    if (m_watch >= 0) {
        // The events only wake the carrying over; they are read and dropped,
        // a page at a time.
        char events[4096];
        while (::read(m_watch, events, sizeof events) > 0) {
        }
    }
    struct stat st {
    };
    if (::fstat(m_fd, &st) != 0)
        return -1;
    const qint64 moved = carryTo(qint64(st.st_size), false);
    if (moved < 0)
        return -1;
    if (othersMayWrite())
        return moved;
    // Nobody can write to it: nothing can arrive any more once what came
    // meanwhile is over, a last line without its end too.
    if (::fstat(m_fd, &st) != 0)
        return -1;
    const qint64 last = carryTo(qint64(st.st_size), true);
    if (last < 0)
        return -1;
    close();
    return moved + last;
}

qint64 OrphanLog::carryTo(qint64 size, bool all)
{
    ignoreFileSizeSignal();
    if (size <= m_carried)
        return 0;
    QByteArray late = readAt(m_fd, m_carried, size - m_carried);
    // Whole lines only while the writer may still be writing: a line's two
    // halves never go over with another file's line between them.
    if (!all)
        late.truncate(late.lastIndexOf('\n') + 1);
    if (late.isEmpty())
        return 0;
    const int out = ::open(m_livePath.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    int error = out < 0 ? errno : 0;
    if (out >= 0) {
        error = writeAll(out, late.constData(), late.size());
        if (error == 0 && ::fsync(out) != 0)
            error = errno;
        ::close(out);
    }
    if (error != 0) {
        // A part written before the failure is there twice at the next try
        // rather than not at all.
        failed(error);
        return -1;
    }
    if (m_failing) {
        m_failing = false;
        if (m_retry) {
            m_retry->stop();
            m_retry->deleteLater();
            m_retry = nullptr;
        }
    }
    m_carried += late.size();
    return late.size();
}

void carryOrphans(OrphanLogs& orphans)
{
    for (auto it = orphans.begin(); it != orphans.end();) {
        (*it)->carry();
        if ((*it)->isOpen()) {
            (*it)->watch();
            ++it;
        } else {
            it = orphans.erase(it);
        }
    }
}

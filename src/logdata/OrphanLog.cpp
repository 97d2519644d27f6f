#include "logdata/OrphanLog.h"

#include "logdata/AtomicFile.h"
#include "logdata/LogFileMark.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool writeAll(int fd, const char* p, qint64 n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, size_t(n));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        p += w;
        n -= w;
    }
    return true;
}
} // namespace

bool otherProcessHoldsOpen(quint64 device, quint64 inode)
{
    const pid_t self = ::getpid();
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return true; // cannot tell: keep watching
    bool held = false;
    char path[64];
    while (!held) {
        const dirent* p = ::readdir(proc);
        if (!p)
            break;
        char* end = nullptr;
        const long pid = std::strtol(p->d_name, &end, 10);
        if (*end != '\0' || pid <= 0 || pid == self)
            continue;
        std::snprintf(path, sizeof path, "/proc/%ld/fd", pid);
        const int dirFd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd < 0)
            continue; // gone, or another user's
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

OrphanLog::OrphanLog(int fd, qint64 carried, const QByteArray& livePath)
    : m_fd(fd), m_carried(carried), m_livePath(livePath)
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
    if (m_fd >= 0)
        carry();
    close();
}

void OrphanLog::watch()
{
    if (m_watch < 0 || m_notifier || !QCoreApplication::instance())
        return;
    // Owned by the application, so it never outlives the event loop.
    m_notifier =
        new QSocketNotifier(qintptr(m_watch), QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] { carry(); });
}

void OrphanLog::close()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_watch >= 0)
        ::close(m_watch);
    m_fd = -1;
    m_watch = -1;
}

qint64 OrphanLog::carry()
{
    if (m_fd < 0)
        return 0;
    if (m_watch >= 0) {
        char events[4096];
        while (::read(m_watch, events, sizeof events) > 0) {
        }
    }
    struct stat st {
    };
    if (::fstat(m_fd, &st) != 0)
        return -1;
    const qint64 moved = carryTo(qint64(st.st_size));
    if (moved < 0)
        return -1;
    if (otherProcessHoldsOpen(quint64(st.st_dev), quint64(st.st_ino)))
        return moved;
    // Nobody else holds it: nothing can arrive any more once what came
    // meanwhile is over.
    if (::fstat(m_fd, &st) != 0)
        return -1;
    const qint64 last = carryTo(qint64(st.st_size));
    if (last < 0)
        return -1;
    close();
    return moved + last;
}

qint64 OrphanLog::carryTo(qint64 size)
{
    ignoreFileSizeSignal();
    if (size <= m_carried)
        return 0;
    const QByteArray late = readAt(m_fd, m_carried, size - m_carried);
    const int out = ::open(m_livePath.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (out < 0)
        return -1;
    const bool ok = writeAll(out, late.constData(), late.size()) && ::fsync(out) == 0;
    ::close(out);
    if (!ok)
        return -1;
    m_carried += late.size();
    return late.size();
}

#include "logdata/LogFileMark.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace
{
qint64 mtimeOf(const struct stat& st)
{
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}
qint64 ctimeOf(const struct stat& st)
{
    return qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
}
} // namespace

bool untouchedSinceMark(const LogFileMark& mark, const struct stat& st)
{
    return mark.valid && quint64(st.st_dev) == mark.device && quint64(st.st_ino) == mark.inode &&
           qint64(st.st_size) == mark.size && mtimeOf(st) == mark.mtimeNs &&
           ctimeOf(st) == mark.ctimeNs && !mark.othersWrote;
}

namespace
{
// Reads [at, at + want) of `fd` into `into`: from the page cache where the
// bytes are there, otherwise past it (`direct`, opened with O_DIRECT), so
// that a file not in the cache (written past it) is not read into fresh
// cache pages just to be compared. Returns the bytes read, -1 on an error.
qint64 readChunk(int fd, int direct, char* into, qint64 at, qint64 want)
{
    qint64 got = 0;
    while (got < want) {
        struct iovec v {
            into + got, size_t(want - got)
        };
        ssize_t n = ::preadv2(fd, &v, 1, off_t(at + got), RWF_NOWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        // The descriptor past the cache reads whole blocks of the disk
        // (4096 bytes on every disk in use) at block offsets only.
        if (n < 0 && errno == EAGAIN && direct >= 0 && got % 4096 == 0) {
            // The rest of the chunk from the disk, in whole blocks.
            const size_t blocks = size_t((want - got + 4095) / 4096 * 4096);
            n = ::pread(direct, into + got, blocks, off_t(at + got));
            if (n >= 0)
                n = qMin<ssize_t>(n, ssize_t(want - got));
        } else if (n < 0 && (errno == EAGAIN || errno == EOPNOTSUPP || errno == EINVAL)) {
            n = ::pread(fd, into + got, size_t(want - got), off_t(at + got));
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += n;
    }
    return got;
}
} // namespace

bool holdsMarkedContent(const LogFileMark& mark, int fd)
{
    // Large, so that a read past the cache goes to the disk as several
    // requests at once; aligned, with a block to spare, for such reads.
    constexpr qint64 kChunk = qint64(32) << 20;
    static char* const buffer = [] {
        void* p = nullptr;
        return static_cast<char*>(::posix_memalign(&p, 4096, size_t(kChunk) + 4096) == 0 ? p
                                                                                         : nullptr);
    }();
    if (!buffer)
        return false;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    const int direct = ::open(self.constData(), O_RDONLY | O_DIRECT | O_CLOEXEC);
    struct Closer {
        int fd;
        ~Closer()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } closeDirect{direct};
    qint64 covered = 0;
    for (const MarkPiece& p : mark.content)
        covered += p.length;
    if (!mark.valid || covered != mark.size)
        return false;
    auto piece = mark.content.begin();
    qsizetype inPiece = 0;
    qint64 at = 0;
    while (at < mark.size) {
        const qint64 want = qMin(kChunk, mark.size - at);
        const qint64 got = readChunk(fd, direct, buffer, at, want);
        if (got != want)
            return false;
        // The chunk against the pieces it spans.
        const char* b = buffer;
        qint64 left = got;
        while (left > 0) {
            while (piece != mark.content.end() && inPiece == piece->length) {
                ++piece;
                inPiece = 0;
            }
            if (piece == mark.content.end())
                return false;
            const qsizetype n = qsizetype(qMin<qint64>(left, piece->length - inPiece));
            if (std::memcmp(b, piece->bytes.constData() + piece->offset + inPiece, size_t(n)) != 0)
                return false;
            b += n;
            left -= n;
            inPiece += n;
        }
        at += got;
    }
    return true;
}

QByteArray readAt(int fd, qint64 offset, qint64 length)
{
    QByteArray out(qsizetype(qMax<qint64>(0, length)), Qt::Uninitialized);
    qint64 got = 0;
    while (got < length) {
        const ssize_t n = ::pread(fd, out.data() + got, size_t(length - got), off_t(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    out.truncate(qsizetype(got));
    return out;
}

qsizetype partialLineLength(QByteArrayView bytes)
{
    const qsizetype lastEnd = bytes.lastIndexOf('\n');
    return bytes.size() - lastEnd - 1;
}

LogFileMark markFile(int fd, qint64 size, QByteArrayView tail, qsizetype partialLength)
{
    LogFileMark m;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return m;
    m.valid = true;
    m.device = quint64(st.st_dev);
    m.inode = quint64(st.st_ino);
    m.size = size;
    m.mtimeNs = mtimeOf(st);
    m.ctimeNs = ctimeOf(st);
    m.tail = tail.last(qMin(tail.size(), kMarkTailBytes)).toByteArray();
    m.partialLength = partialLength;
    return m;
}

DiskCheck checkDisk(const LogFileMark& mark, int fd)
{
    DiskCheck c;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0) {
        c.change = DiskChange::Unreadable;
        c.error = QString::fromLocal8Bit(std::strerror(errno));
        return c;
    }
    c.size = qint64(st.st_size);
    if (!mark.valid || quint64(st.st_dev) != mark.device || quint64(st.st_ino) != mark.inode ||
        c.size < mark.size) {
        c.change = DiskChange::Changed;
        return c;
    }
    if (c.size == mark.size && mtimeOf(st) == mark.mtimeNs && ctimeOf(st) == mark.ctimeNs) {
        c.change = DiskChange::Same;
        return c;
    }
    // Grown, or touched: the marked bytes must still end the same way.
    const qint64 from = mark.size - mark.tail.size();
    if (readAt(fd, from, mark.tail.size()) != mark.tail) {
        c.change = DiskChange::Changed;
        return c;
    }
    c.change = c.size > mark.size ? DiskChange::Appended : DiskChange::Same;
    return c;
}

DiskCheck checkDisk(const LogFileMark& mark, const QByteArray& path)
{
    DiskCheck c;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        c.change = errno == ENOENT ? DiskChange::Missing : DiskChange::Unreadable;
        c.error = QString::fromLocal8Bit(std::strerror(errno));
        return c;
    }
    c = checkDisk(mark, fd);
    ::close(fd);
    return c;
}

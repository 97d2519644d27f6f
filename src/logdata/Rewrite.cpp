#include "logdata/Rewrite.h"

#include "logdata/AtomicFile.h"
#include "logdata/LineTable.h"
#include "logdata/LogFileMark.h"
#include "logdata/OrphanLog.h"
#include "logdata/Settings.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const RewriteHooks* hooks = nullptr;
std::function<void(qint64, qint64)> progress;

RewriteOutcome outcome(RewriteResult r, const QString& why = QString())
{
    RewriteOutcome o;
    o.result = r;
    o.message = why;
    return o;
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

void run(std::function<void()> RewriteHooks::*hook)
{
    if (hooks && hooks->*hook)
        (hooks->*hook)();
}

// Writes through a buffer of its own and checks every write, so that a short
// write (a full disk, a size limit) is never taken for success.
class Writer
{
public:
    explicit Writer(int fd, qint64 total) : m_fd(fd), m_total(total), m_buffer(buffer()) {}
    // A piece as large as the buffer is written straight from where it is.
    void put(QByteArrayView bytes)
    {
        if (bytes.isEmpty())
            return; // an empty view may have no data at all
        if (bytes.size() >= qsizetype(kBufferSize)) {
            flush();
            out(bytes.data(), bytes.size());
            return;
        }
        if (m_used + size_t(bytes.size()) > kBufferSize)
            flush();
        std::memcpy(m_buffer + m_used, bytes.data(), size_t(bytes.size()));
        m_used += size_t(bytes.size());
    }
    void flush()
    {
        out(m_buffer, qint64(m_used));
        m_used = 0;
    }
    bool ok() const { return m_error == 0; }
    int error() const { return m_error; }
    qint64 written() const { return m_written; }

private:
    void out(const char* p, qint64 n)
    {
        while (n > 0 && m_error == 0) {
            // At most 8 MB a call, so the window hears of the progress.
            const ssize_t w = ::write(m_fd, p, size_t(qMin<qint64>(n, 8 << 20)));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                m_error = w < 0 ? errno : ENOSPC;
                return;
            }
            p += w;
            n -= w;
            m_written += w;
            if (progress && m_written - m_reported >= (8 << 20)) {
                m_reported = m_written;
                progress(m_written, m_total);
            }
        }
    }
    static constexpr size_t kBufferSize = 1 << 20;
    // One buffer for every rewrite, so its pages are not faulted in anew.
    static char* buffer()
    {
        static std::unique_ptr<char[]> b(new char[kBufferSize]);
        return b.get();
    }
    int m_fd;
    qint64 m_total;
    char* m_buffer;
    size_t m_used = 0;
    qint64 m_written = 0;
    qint64 m_reported = 0;
    int m_error = 0;
};

// A temporary file beside `target`, with the old file's permissions.
int createTemporary(const QByteArray& target, mode_t mode, QByteArray& name)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = slash >= 0 ? target.left(slash + 1) : QByteArray();
    const QByteArray base = slash >= 0 ? target.mid(slash + 1) : target;
    name = dir + "." + base + ".vosmira-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0)
        ::fchmod(fd, mode);
    return fd;
}

struct FdCloser {
    int fd;
    ~FdCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};
} // namespace

void setRewriteProgress(std::function<void(qint64, qint64)> p)
{
    progress = std::move(p);
}

void setRewriteHooks(const RewriteHooks* h)
{
    hooks = h;
}

RewriteOutcome appendRecord(ProgramState& s, const QByteArray& record)
{
    int base = s.LoadedLineCount;
    if (base < 1) {
        // A missing or empty logbook: the first line is a header, never a QSO.
        s.LogLines.set(1, QByteArray(kNewLogbookHeader));
        base = 1;
    }
    s.LogLines.set(base + 1, record);
    return rewriteLogbook(s, base + 1);
}

namespace
{
RewriteOutcome rewrite(ProgramState& s, int lastElement)
{
    const QString path = logFilePathString(s);
    if (path.isEmpty())
        return outcome(RewriteResult::Failed, QStringLiteral("no logbook file is set"));
    if (QFileInfo(path).isDir())
        return outcome(RewriteResult::Failed,
                       QStringLiteral("%1 is a folder, not a file").arg(path));
    const QByteArray native = QFile::encodeName(path);
    const LogFileMark& mark = s.LogMark;

    // A writer still busy with the file the last rewrite replaced: what it
    // wrote there goes to the end of the file first.
    s.Orphan.reset();

    // What is on disk now, compared with what LogLines holds.
    const int oldFd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    FdCloser closeOld{oldFd};
    mode_t mode = 0666;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
    qint64 diskSize = 0;
    if (oldFd < 0) {
        const int error = errno;
        if (mark.valid)
            return outcome(
                RewriteResult::ChangedOnDisk,
                error == ENOENT
                    ? QStringLiteral("%1 is no longer there").arg(path)
                    : QStringLiteral("%1 can no longer be read: %2").arg(path, systemError(error)));
        if (error != ENOENT)
            return outcome(RewriteResult::Failed,
                           QStringLiteral("%1 cannot be read: %2").arg(path, systemError(error)));
    } else {
        if (!mark.valid)
            return outcome(RewriteResult::ChangedOnDisk,
                           QStringLiteral("%1 appeared since the log was loaded").arg(path));
        const DiskCheck c = checkDisk(mark, oldFd);
        if (c.change != DiskChange::Same && c.change != DiskChange::Appended)
            return outcome(RewriteResult::ChangedOnDisk,
                           QStringLiteral("%1 changed on disk since it was loaded").arg(path));
        diskSize = c.size;
        struct stat st {
        };
        if (::fstat(oldFd, &st) == 0)
            mode = st.st_mode & 07777;
    }

    // The loaded lines; a last one without its line end that the table still
    // holds as read is copied from the disk with what was appended, as it
    // stands there (its writer may still be completing it).
    const int loaded = s.LoadedLineCount;
    int lastTableLine = loaded;
    qint64 rawFrom = mark.valid ? mark.size : 0;
    if (oldFd >= 0 && mark.partialLength > 0 && loaded >= 1) {
        const qint64 start = mark.size - mark.partialLength;
        const QByteArray original = readAt(oldFd, start, mark.partialLength);
        if (s.LogLines.view(loaded) == original) {
            lastTableLine = loaded - 1;
            rawFrom = start;
        } else if (diskSize > mark.size) {
            // Edited here while another program went on writing it.
            const QByteArray next = readAt(oldFd, mark.size, 2);
            if (next.startsWith("\r\n"))
                rawFrom += 2;
            else if (next.startsWith('\n'))
                rawFrom += 1;
            else
                return outcome(RewriteResult::ChangedOnDisk,
                               QStringLiteral("%1 changed on disk since it was loaded").arg(path));
        }
    }
    const QByteArray raw = oldFd >= 0 ? readAt(oldFd, rawFrom, diskSize - rawFrom) : QByteArray();
    qint64 copiedEnd = rawFrom + raw.size();
    const qsizetype rawSplit = raw.lastIndexOf('\n') + 1;
    const QByteArrayView rawComplete = QByteArrayView(raw).first(rawSplit);
    const QByteArrayView rawPartial = QByteArrayView(raw).sliced(rawSplit);
    run(&RewriteHooks::afterRead);

    QByteArray tempName;
    const int tmp = createTemporary(native, mode, tempName);
    if (tmp < 0)
        return outcome(RewriteResult::Failed,
                       QStringLiteral("%1 cannot be written: %2").arg(path, systemError(errno)));
    FdCloser closeTmp{tmp};
    auto fail = [&](int error) {
        ::unlink(tempName.constData());
        return outcome(RewriteResult::Failed,
                       QStringLiteral("%1 cannot be written: %2").arg(path, systemError(error)));
    };

    qint64 total = raw.size();
    for (int n = 1; n <= qMax(lastTableLine, lastElement); ++n)
        total += s.LogLines.view(n).size() + 2;
    Writer w(tmp, total);
    static const QByteArrayView crlf("\r\n");
    // Unchanged lines that follow one another in the image with CR LF between
    // them are written from the image in one piece; the others one by one.
    // Two neighbouring elements that are both slices of the image are
    // neighbouring lines of it, so the next line starting two bytes after this
    // one ends means a CR LF between them; only a run's last line end is
    // looked at in the image (a log of a million lines is not touched a
    // million times here).
    const QByteArray& image = s.LogLines.image();
    for (int n = 1; n <= lastTableLine;) {
        const qsizetype start = s.LogLines.imageOffset(n);
        if (start < 0) {
            w.put(s.LogLines.view(n));
            w.put(crlf);
            ++n;
            continue;
        }
        qsizetype end = start + s.LogLines.view(n).size();
        int m = n + 1;
        while (m <= lastTableLine && s.LogLines.imageOffset(m) == end + 2) {
            end += 2 + s.LogLines.view(m).size();
            ++m;
        }
        if (end + 2 <= image.size() && image[end] == '\r' && image[end + 1] == '\n') {
            w.put(QByteArrayView(image).sliced(start, end + 2 - start));
        } else {
            w.put(QByteArrayView(image).sliced(start, end - start));
            w.put(crlf);
        }
        n = m;
    }
    w.put(rawComplete);
    for (int n = loaded + 1; n <= lastElement; ++n) {
        w.put(s.LogLines.view(n));
        w.put(crlf);
    }
    w.put(rawPartial);
    w.flush();
    if (!w.ok())
        return fail(w.error());
    if (::fsync(tmp) != 0)
        return fail(errno);
    const qint64 written = w.written();

    // Bytes appended while the new file was written go after it, up to the
    // moment of the rename.
    for (int round = 0; oldFd >= 0 && round < 1000; ++round) {
        struct stat st {
        };
        if (::fstat(oldFd, &st) != 0 || qint64(st.st_size) <= copiedEnd)
            break;
        const QByteArray more = readAt(oldFd, copiedEnd, qint64(st.st_size) - copiedEnd);
        Writer extra(tmp, more.size());
        extra.put(more);
        extra.flush();
        if (!extra.ok())
            return fail(extra.error());
        if (::fsync(tmp) != 0)
            return fail(errno);
        copiedEnd += more.size();
    }
    run(&RewriteHooks::beforeRename);
    if (::rename(tempName.constData(), native.constData()) != 0)
        return fail(errno);
    run(&RewriteHooks::afterRename);

    // LogLines holds what the new file holds: the lines as written, the
    // appended ones, the new elements after them, the line still being written.
    std::vector<QByteArray> added;
    for (int n = loaded + 1; n <= lastElement; ++n)
        added.push_back(s.LogLines.at(n));
    int k = lastTableLine + 1;
    int appendedLines = 0;
    forEachLine(rawComplete, [&](LineSpan sp) {
        s.LogLines.set(k++, rawComplete.sliced(sp.offset, sp.length).toByteArray());
        ++appendedLines;
    });
    for (const QByteArray& a : added)
        s.LogLines.set(k++, a);
    if (!rawPartial.isEmpty())
        s.LogLines.set(k++, rawPartial.toByteArray());
    s.LoadedLineCount = k - 1;
    s.LineCount = s.LoadedLineCount;
    s.AppendBase = s.LineCount;
    if (s.LogLines.size() < s.LineCount + 2)
        s.LogLines.resize(s.LineCount + 2);
    // The mark covers what LogLines holds; bytes that arrived during the
    // write follow it in the file and are taken in by the next reload, as any
    // append.
    const QByteArray tail = readAt(tmp, qMax<qint64>(0, written - kMarkTailBytes),
                                   qMin<qint64>(written, kMarkTailBytes));
    s.LogMark = markFile(tmp, written, tail, rawPartial.size());

    // A writer that opened the old file before the rename may still write
    // there: the old file stays open, and what arrives goes to the new one.
    if (oldFd >= 0) {
        s.Orphan = std::make_shared<OrphanLog>(oldFd, copiedEnd, native);
        closeOld.fd = -1;
        s.Orphan->carry();
        if (s.Orphan->isOpen())
            s.Orphan->watch();
        else
            s.Orphan.reset();
    }

    RewriteOutcome o;
    o.result = RewriteResult::Written;
    o.appendedKept =
        appendedLines + (rawPartial.isEmpty() ? 0 : 1) - (lastTableLine < loaded ? 1 : 0);
    return o;
}
} // namespace

RewriteOutcome rewriteLogbook(ProgramState& s, int lastElement)
{
    ignoreFileSizeSignal();
    s.Writing = true;
    RewriteOutcome o = rewrite(s, lastElement);
    s.Writing = false;
    // A table that does not match the file is read again whole at the next
    // reload, so an edit that was not written never shows as if it were.
    if (o.result != RewriteResult::Written)
        s.LogMark.valid = false;
    return o;
}

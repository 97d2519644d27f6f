#include "logdata/Rewrite.h"

#include "logdata/AtomicFile.h"
#include "logdata/LineTable.h"
#include "logdata/Loader.h"
#include "logdata/LogFileMark.h"
#include "logdata/OrphanLog.h"
#include "logdata/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <future>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <optional>

namespace
{
const RewriteHooks* hooks = nullptr;
// From this size on the new file is written past the page cache (see Writer).
// Below it the few pages a buffered write faults in cost less than the
// switch to unbuffered writes and the padded last block.
qint64 directFrom = qint64(16) << 20;
// How long a save waits for another program that holds the log's lock:
// another program's save of the log usually ends well within it, and the
// operator, who waits meanwhile, is then told who holds the lock.
int lockWaitMs = 2000;
// When this run began: a temporary file older than that is no save's of it.
const qint64 runStarted = qint64(::time(nullptr));

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

const QByteArray& lineEnd()
{
    static const QByteArray crlf("\r\n");
    return crlf;
}

// Writes through a buffer of its own and checks every write, so that a short
// write (a full disk, a size limit) is never taken for success. Keeps the
// pieces it wrote, for the mark of the new file.
//
// A large file is written past the page cache (O_DIRECT) from one aligned
// buffer: the new file then needs no fresh page-cache pages, which on a
// virtual machine that hands freed memory back to its host cost a fault at
// the host for every page (a buffered write of a 275 MB log took three to
// four times as long as the same write into recently freed pages). The fsync
// before the rename is kept either way.
class Writer
{
public:
    // `progress` (may be empty) is told how far the write got.
    Writer(int fd, qint64 total, std::function<void(qint64, qint64)> progress = {})
        : m_fd(fd), m_total(total), m_progress(std::move(progress))
    {
        if (total >= directFrom) {
            const int flags = ::fcntl(fd, F_GETFL);
            m_direct = flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_DIRECT) == 0;
        }
        m_buffer = m_direct ? directBuffer() : buffer();
        m_capacity = m_direct ? kDirectSize : kBufferSize;
    }
    void put(const QByteArray& owner, qsizetype offset, qsizetype length)
    {
        if (length <= 0)
            return;
        if (!m_pieces.empty() && m_pieces.back().bytes.constData() == owner.constData() &&
            m_pieces.back().offset + m_pieces.back().length == offset)
            m_pieces.back().length += length;
        else
            m_pieces.push_back(MarkPiece{owner, offset, length});
        const char* p = owner.constData() + offset;
        if (!m_direct && size_t(length) >= kBufferSize) {
            // A piece as large as the buffer is written straight from where it is.
            flush();
            out(p, length);
            return;
        }
        while (length > 0) {
            const size_t n = qMin(size_t(length), m_capacity - m_used);
            std::memcpy(m_buffer + m_used, p, n);
            m_used += n;
            p += n;
            length -= qsizetype(n);
            if (m_used == m_capacity)
                flush();
        }
    }
    void put(const QByteArray& bytes) { put(bytes, 0, bytes.size()); }
    void flush()
    {
        out(m_buffer, qint64(m_used));
        m_used = 0;
    }
    // Writes what is left; a file written past the cache gets its last
    // block padded, cut back to its length, and is an ordinary file again.
    void finish()
    {
        if (!m_direct) {
            flush();
            return;
        }
        const qint64 length = m_written + qint64(m_used);
        const size_t padded = (m_used + kAlign - 1) / kAlign * kAlign;
        std::memset(m_buffer + m_used, 0, padded - m_used);
        out(m_buffer, qint64(padded));
        m_used = 0;
        if (m_error == 0 && ::ftruncate(m_fd, off_t(length)) != 0)
            m_error = errno;
        m_written = length;
        endDirect();
        if (m_error == 0 && ::lseek(m_fd, off_t(length), SEEK_SET) < 0)
            m_error = errno;
    }
    bool ok() const { return m_error == 0; }
    int error() const { return m_error; }
    qint64 written() const { return m_written; }
    std::vector<MarkPiece> takePieces() { return std::move(m_pieces); }

private:
    void endDirect()
    {
        if (m_direct) {
            ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_DIRECT);
            m_direct = false;
        }
    }
    void out(const char* p, qint64 n)
    {
        while (n > 0 && m_error == 0) {
            // At most 32 MB at a time, so the window hears of the progress; a
            // write past the cache that large goes to the disk as several
            // requests at once.
            qint64 w = 0;
            const int error = writeAll(m_fd, p, qMin<qint64>(n, kDirectSize), &w);
            p += w;
            n -= w;
            m_written += w;
            if (error == EINVAL && m_direct) {
                endDirect(); // the file system wants other alignments
                continue;
            }
            if (error != 0) {
                m_error = error;
                return;
            }
            // Told every 8 MB: a few times a second on a slow disk, so the
            // window repaints, but not so often that repainting slows the save.
            if (m_progress && m_written - m_reported >= kProgressEvery) {
                m_reported = m_written;
                m_progress(m_written, m_total);
            }
        }
    }
    static constexpr qint64 kProgressEvery = 8 << 20;
    // Large enough that the lines of a log cost few write calls, small
    // enough that the buffer kept for every save costs little memory.
    static constexpr size_t kBufferSize = 1 << 20;
    // See out(): the most one call writes.
    static constexpr size_t kDirectSize = 32 << 20;
    // O_DIRECT wants buffer, length and offset in multiples of the device's
    // block; 4096 is that of every disk in use (a file system that wants
    // another is left for the buffered path, see out()).
    static constexpr size_t kAlign = 4096;
    // One buffer of each kind for every rewrite, so their pages are not
    // faulted in anew.
    static char* buffer()
    {
        static std::unique_ptr<char[]> b(new char[kBufferSize]);
        return b.get();
    }
    static char* directBuffer()
    {
        static void* b = [] {
            void* p = nullptr;
            return ::posix_memalign(&p, kAlign, kDirectSize) == 0 ? p : nullptr;
        }();
        return static_cast<char*>(b);
    }
    int m_fd;
    qint64 m_total;
    std::function<void(qint64, qint64)> m_progress;
    bool m_direct = false;
    char* m_buffer = nullptr;
    size_t m_capacity = 0;
    size_t m_used = 0;
    qint64 m_written = 0;
    qint64 m_reported = 0;
    int m_error = 0;
    std::vector<MarkPiece> m_pieces;
};

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash >= 0 ? path.left(slash + 1) : QByteArray();
}

QByteArray temporaryPrefix(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    return "." + (slash >= 0 ? target.mid(slash + 1) : target) + ".vosmira-";
}

// A temporary file beside `target` (only its owner may read it until the
// old file's owner, permissions and attributes are given to it).
int createTemporary(const QByteArray& target, QByteArray& name)
{
    name = folderOf(target) + temporaryPrefix(target) + "XXXXXX";
    return ::mkostemp(name.data(), O_CLOEXEC);
}

// The file the log path leads to: a symbolic link stays, its target is
// rewritten (in the target's folder).
bool resolveTarget(const QByteArray& path, QByteArray& target, QString& why)
{
    struct stat st {
    };
    if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        target = path;
        return true;
    }
    char* real = ::realpath(path.constData(), nullptr);
    if (!real) {
        why = QCoreApplication::translate("Rewrite", "%1 is a link that leads to no file (%2)")
                  .arg(QFile::decodeName(path), systemError(errno));
        return false;
    }
    target = QByteArray(real);
    std::free(real);
    return true;
}

// Who holds the lock on (device, inode), from the kernel's list of locks.
QString lockHolder(const struct stat& st)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("Rewrite", "another program");
    const QByteArray id = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') + ':' +
                          QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0') + ':' +
                          QByteArray::number(quint64(st.st_ino));
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        // "1: FLOCK ADVISORY WRITE 1234 08:01:5678 0 EOF"
        if (f.size() >= 6 && f[5] == id && f[4].toLong() > 0) {
            const QByteArray pid = f[4];
            QFile comm(QStringLiteral("/proc/%1/comm").arg(QString::fromLatin1(pid)));
            const QByteArray name = comm.open(QIODevice::ReadOnly) ? comm.readAll().trimmed() : "";
            return name.isEmpty()
                       ? QCoreApplication::translate("Rewrite", "process %1")
                             .arg(QString::fromLatin1(pid))
                       : QCoreApplication::translate("Rewrite", "%1, process %2")
                             .arg(QString::fromLocal8Bit(name), QString::fromLatin1(pid));
        }
    }
    return QCoreApplication::translate("Rewrite", "another program");
}

struct OldFile {
    int fd = -1;
    struct stat st {
    };
    ~OldFile()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Opens the logbook as it is now and locks it against other programs that
// lock it too (another Vosmira), from the comparison to the rename. A file
// renamed over meanwhile is opened anew. No file: fd stays -1.
bool openLocked(const QByteArray& target, const QString& shown, OldFile& old, QString& why)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        old.fd = ::open(target.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (old.fd < 0) {
            if (errno == ENOENT)
                return true;
            why = QCoreApplication::translate("Rewrite", "%1 cannot be read: %2")
                      .arg(shown, systemError(errno));
            return false;
        }
        if (::fstat(old.fd, &old.st) != 0) {
            why = QCoreApplication::translate("Rewrite", "%1 cannot be read: %2")
                      .arg(shown, systemError(errno));
            return false;
        }
        if (!S_ISREG(old.st.st_mode)) {
            why = QCoreApplication::translate(
                      "Rewrite", "%1 is not a file but a folder, a pipe, a device or a socket")
                      .arg(shown);
            return false;
        }
        if (::flock(old.fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK)
                return true; // a file system without locks: as before
            if (waited.elapsed() >= lockWaitMs) {
                why =
                    QCoreApplication::translate(
                        "Rewrite", "%1 is being saved by %2; nothing was written, please try again")
                        .arg(shown, lockHolder(old.st));
                return false;
            }
            ::close(old.fd);
            old.fd = -1;
            // Looked at again fifty times a second: another program's save
            // ending is noticed at once, at little cost.
            ::usleep(20000);
            continue;
        }
        struct stat now {
        };
        if (::stat(target.constData(), &now) == 0 && now.st_ino == old.st.st_ino &&
            now.st_dev == old.st.st_dev)
            return true;
        ::close(old.fd); // replaced while we waited: the new file is the log
        old.fd = -1;
    }
}

// Gives the new file the old one's owner, group, permissions, access control
// list and extended attributes; says what could not be kept.
bool keepAttributes(int from, int to, const struct stat& st, QString& what)
{
    struct stat mine {
    };
    if (::fstat(to, &mine) != 0 || mine.st_uid != st.st_uid || mine.st_gid != st.st_gid) {
        if (::fchown(to, st.st_uid, st.st_gid) != 0) {
            what = QCoreApplication::translate("Rewrite", "its owner and group (%1)")
                       .arg(systemError(errno));
            return false;
        }
    }
    if (::fchmod(to, st.st_mode & 07777) != 0) {
        what =
            QCoreApplication::translate("Rewrite", "its permissions (%1)").arg(systemError(errno));
        return false;
    }
    const ssize_t length = ::flistxattr(from, nullptr, 0);
    if (length < 0) {
        if (errno == ENOTSUP)
            return true;
        what = QCoreApplication::translate("Rewrite", "its extended attributes (%1)")
                   .arg(systemError(errno));
        return false;
    }
    QByteArray names(length, '\0');
    const ssize_t got = ::flistxattr(from, names.data(), size_t(names.size()));
    if (got < 0) {
        what = QCoreApplication::translate("Rewrite", "its extended attributes (%1)")
                   .arg(systemError(errno));
        return false;
    }
    names.truncate(got);
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t size = ::fgetxattr(from, name.constData(), nullptr, 0);
        QByteArray value(qMax<ssize_t>(size, 0), '\0');
        const ssize_t n =
            size < 0 ? -1 : ::fgetxattr(from, name.constData(), value.data(), size_t(value.size()));
        if (n < 0 || ::fsetxattr(to, name.constData(), value.constData(), size_t(n), 0) != 0) {
            what = QCoreApplication::translate("Rewrite", "its attribute %1 (%2)")
                       .arg(QString::fromLatin1(name), systemError(errno));
            return false;
        }
    }
    return true;
}

// A last line without its line end that is whole: the header, or a record
// that ends with <eor>.
bool isWholeLine(QByteArrayView line, bool header)
{
    if (header)
        return true;
    const QByteArrayView t = line.trimmed();
    return t.size() >= 5 && t.last(5).compare(QByteArrayView("<eor>"), Qt::CaseInsensitive) == 0;
}

QString nameOfQso(QByteArrayView line)
{
    RowValues v;
    parseLogRow(line, true, v);
    return QCoreApplication::translate("Rewrite", "the QSO with %1 on %2 at %3")
        .arg(QString::fromUtf8(v.call), QString::fromUtf8(v.date), QString::fromUtf8(v.time));
}

// The logbook changed on disk other than by appends: the lines edited here
// go to their QSOs in what the disk holds now, each found where it was or,
// moved, by its text; a QSO whose line another program changed is not
// overwritten. The QSOs added by hand go to the end.
bool mergeEdits(const LogbookState& book, const QByteArray& disk, int lastElement, QByteArray& out,
                QString& why)
{
    const QByteArray lf = crOnlyAsLf(disk);
    const std::vector<LineSpan> spans = splitLines(lf.isEmpty() ? disk : lf);
    auto lineAt = [&](size_t i) {
        return QByteArrayView(disk).sliced(spans[i].offset, spans[i].length);
    };
    std::vector<int> replacement(spans.size(), 0);
    for (const LineTable::Edit& e : book.LogLines.edits()) {
        if (e.element > book.LoadedLineCount)
            continue;
        qsizetype at = -1;
        const size_t same = size_t(e.element - 1);
        if (same < spans.size() && lineAt(same) == QByteArrayView(e.before)) {
            at = qsizetype(same);
        } else {
            for (size_t i = 0; i < spans.size(); ++i) {
                if (lineAt(i) != QByteArrayView(e.before))
                    continue;
                if (at >= 0) { // twice: which one was meant cannot be told
                    at = -1;
                    break;
                }
                at = qsizetype(i);
            }
        }
        if (at < 0 || replacement[size_t(at)] != 0) {
            why = QCoreApplication::translate(
                      "Rewrite",
                      "%1 was changed or removed by another program since the log was loaded; "
                      "your change to it was not written")
                      .arg(nameOfQso(e.before));
            return false;
        }
        replacement[size_t(at)] = e.element;
    }
    out.clear();
    // The edited lines are about as long as those they replace; a page to
    // spare for the QSOs added by hand.
    out.reserve(disk.size() + 4096);
    for (size_t i = 0; i < spans.size(); ++i) {
        const qsizetype next = i + 1 < spans.size() ? spans[i + 1].offset : disk.size();
        if (replacement[i] != 0) {
            out += book.LogLines.view(replacement[i]);
            out += lineEnd();
        } else {
            out += QByteArrayView(disk).sliced(spans[i].offset, next - spans[i].offset);
        }
    }
    if (lastElement > book.LoadedLineCount && !out.isEmpty() && !out.endsWith('\n') &&
        !out.endsWith('\r'))
        out += lineEnd();
    for (int n = book.LoadedLineCount + 1; n <= lastElement; ++n) {
        out += book.LogLines.view(n);
        out += lineEnd();
    }
    return true;
}
} // namespace

void setRewriteHooks(const RewriteHooks* h)
{
    hooks = h;
}

void setRewriteDirectFrom(qint64 bytes)
{
    directFrom = bytes;
}

void setRewriteLockWait(int milliseconds)
{
    lockWaitMs = milliseconds;
}

int removeStaleTemporaries(const QByteArray& logPath, qint64 olderThanSecs)
{
    QByteArray target;
    QString why;
    if (logPath.isEmpty() || !resolveTarget(logPath, target, why))
        return 0;
    const QByteArray dirPath = folderOf(target).isEmpty() ? QByteArray(".") : folderOf(target);
    const QByteArray prefix = temporaryPrefix(target);
    DIR* dir = ::opendir(dirPath.constData());
    if (!dir)
        return 0;
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArrayView name(e->d_name);
        // Exactly the pattern a save names its file with: prefix + 6 characters.
        if (!name.startsWith(prefix) || name.size() != prefix.size() + 6)
            continue;
        struct stat st {
        };
        if (::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || qint64(st.st_mtim.tv_sec) >= olderThanSecs)
            continue;
        if (::unlinkat(::dirfd(dir), e->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

void removeStaleTemporariesOnce(const QByteArray& logPath)
{
    static QList<QByteArray> done;
    if (done.contains(logPath))
        return;
    done.append(logPath);
    removeStaleTemporaries(logPath, runStarted);
}

RewriteOutcome appendRecord(ProgramState& s, LogbookState& book, const QByteArray& record)
{
    int base = book.LoadedLineCount;
    if (base < 1) {
        // A missing or empty logbook: the first line is a header, never a QSO.
        book.LogLines.set(1, QByteArray(kNewLogbookHeader));
        base = 1;
    }
    book.LogLines.set(base + 1, record);
    return rewriteLogbook(s, book, base + 1);
}

namespace
{
// How many times the bytes another program appends while a save writes are
// copied to the new file before the rename. Each round copies all that
// arrived during the one before, so a writer that keeps pace with the copy
// would otherwise hold the save for ever; what still arrives after the last
// round is carried over from the old file after the rename (OrphanLog).
constexpr int kCatchUpRounds = 1000;

// Copies the whole lines appended to the old file past `copiedEnd` to the end
// of the new file `tmp`, synced, moving `copiedEnd` on. Returns 0, or the
// errno of a failed write.
int catchUpAppended(int oldFd, int tmp, qint64& copiedEnd)
{
    for (int round = 0; round < kCatchUpRounds; ++round) {
        struct stat st {
        };
        if (::fstat(oldFd, &st) != 0 || qint64(st.st_size) <= copiedEnd)
            break;
        QByteArray more = readAt(oldFd, copiedEnd, qint64(st.st_size) - copiedEnd);
        more.truncate(more.lastIndexOf('\n') + 1);
        if (more.isEmpty())
            break;
        Writer extra(tmp, 0);
        extra.put(more);
        extra.finish();
        if (!extra.ok())
            return extra.error();
        if (::fsync(tmp) != 0)
            return errno;
        copiedEnd += more.size();
    }
    return 0;
}

// The table holds the file's `lines` lines: the counters that tie grid rows to
// lines follow, and the table keeps its spare element after them.
void adoptLineCount(LogbookState& book, int lines)
{
    book.LoadedLineCount = lines;
    book.LogLines.agreeWithFile(book.LoadedLineCount);
    book.AppendBase = book.LoadedLineCount;
    if (book.LogLines.size() < book.LoadedLineCount + 2)
        book.LogLines.resize(book.LoadedLineCount + 2);
}

// After a save that wrote the table's lines: LogLines holds what the new file
// holds, the lines as written (1..lastTableLine), the ones another program
// appended (`appended`, whole lines), the elements added by hand after the
// `loaded` lines (up to `lastElement`) and the line still being written.
// Returns how many appended lines were kept.
int adoptWrittenLines(LogbookState& book, int loaded, int lastTableLine, int lastElement,
                      QByteArrayView appended)
{
    std::vector<QByteArray> added;
    for (int n = loaded + 1; n <= lastElement; ++n)
        added.push_back(book.LogLines.at(n));
    int k = lastTableLine + 1;
    int appendedLines = 0;
    forEachLine(appended, [&](LineSpan sp) {
        book.LogLines.take(k++, appended.sliced(sp.offset, sp.length).toByteArray());
        ++appendedLines;
    });
    for (const QByteArray& a : added)
        book.LogLines.take(k++, a);
    adoptLineCount(book, k - 1);
    return appendedLines - (lastTableLine < loaded ? 1 : 0);
}

// Writes the table's lines 1..last, each with its line end. Unchanged lines
// that follow one another in the image with CR LF between them are written
// from the image in one piece; the others one by one. Two neighbouring
// elements that are both slices of the image are neighbouring lines of it, so
// the next line starting two bytes after this one ends means a CR LF between
// them; only a run's last line end is looked at in the image.
void writeTableLines(Writer& w, const LineTable& lines, int last)
{
    const QByteArray& image = lines.image();
    for (int n = 1; n <= last;) {
        const qsizetype start = lines.imageOffset(n);
        if (start < 0) {
            if (const QByteArray* own = lines.ownText(n))
                w.put(*own);
            w.put(lineEnd());
            ++n;
            continue;
        }
        qsizetype end = start + lines.view(n).size();
        int m = n + 1;
        while (m <= last && lines.imageOffset(m) == end + 2) {
            end += 2 + lines.view(m).size();
            ++m;
        }
        if (end + 2 <= image.size() && image[end] == '\r' && image[end + 1] == '\n') {
            w.put(image, start, end + 2 - start);
        } else {
            w.put(image, start, end - start);
            w.put(lineEnd());
        }
        n = m;
    }
}

// The check before a save: the file on disk may be replaced (it is a file,
// writable, with one name) and still is the one loaded; `merge` set when the
// edits must go onto what the disk holds now (it lost marked bytes), `holds`
// started when that is to be found out while the new file is written.
// Returns the reason when nothing may be written.
std::optional<RewriteOutcome> checkOnDisk(const LogFileMark& mark, const QString& shown,
                                          const QByteArray& native, const OldFile& old,
                                          bool forceMerge, qint64& diskSize, bool& merge,
                                          std::future<bool>& holds)
{
    const int oldFd = old.fd;
    if (oldFd < 0) {
        if (mark.valid)
            return outcome(
                RewriteResult::ChangedOnDisk,
                QCoreApplication::translate("Rewrite", "%1 is no longer there").arg(shown));
    } else {
        if (!(old.st.st_mode & S_IWUSR) || ::access(native.constData(), W_OK) != 0)
            return outcome(
                RewriteResult::Failed,
                QCoreApplication::translate(
                    "Rewrite", "%1 is read-only; it was not replaced. Allow writing to it to save")
                    .arg(shown));
        if (old.st.st_nlink > 1)
            return outcome(RewriteResult::Failed,
                           QCoreApplication::translate(
                               "Rewrite",
                               "%1 has %2 names (hard links); replacing it would part them, so "
                               "nothing was written. Open the log through one name only (a "
                               "symbolic link is fine)")
                               .arg(shown)
                               .arg(qulonglong(old.st.st_nlink)));
        if (!mark.valid)
            return outcome(
                RewriteResult::ChangedOnDisk,
                QCoreApplication::translate("Rewrite", "%1 appeared since the log was loaded")
                    .arg(shown));
        diskSize = qint64(old.st.st_size);
        // Untouched by its status, or holding all the marked bytes (another
        // program at most appended): otherwise the edits go onto what is on
        // disk now.
        if (forceMerge || diskSize < mark.size) {
            merge = true;
        } else if (!untouchedSinceMark(mark, old.st)) {
            // Compared while the new file is written: when the marked bytes
            // turn out changed, the save starts again and merges.
            LogFileMark copy = mark;
            holds = std::async(std::launch::async, [copy = std::move(copy), oldFd] {
                return holdsMarkedContent(copy, oldFd);
            });
        }
    }

    return std::nullopt;
}

RewriteOutcome rewrite(const ProgramState& s, LogbookState& book, int lastElement, bool& readWhole,
                       bool& mergeNeeded, bool forceMerge)
{
    const QString shown = logFilePathString(s);
    if (s.LogFilePath.isEmpty())
        return outcome(RewriteResult::Failed,
                       QCoreApplication::translate("Rewrite", "no logbook file is set"));
    QByteArray native;
    QString why;
    if (!resolveTarget(s.LogFilePath, native, why))
        return outcome(RewriteResult::Failed, why);
    const LogFileMark& mark = book.LogMark;

    // Writers still busy with files earlier rewrites replaced: what they
    // wrote there goes to the end of the file first.
    carryOrphans(book.Orphans);

    // What is on disk now, locked against other programs that save it.
    OldFile old;
    if (!openLocked(native, shown, old, why))
        return outcome(RewriteResult::Failed, why);
    const int oldFd = old.fd;
    qint64 diskSize = 0;
    bool merge = false;
    std::future<bool> holds;
    if (std::optional<RewriteOutcome> refused =
            checkOnDisk(mark, shown, native, old, forceMerge, diskSize, merge, holds))
        return *refused;

    const int loaded = book.LoadedLineCount;
    int lastTableLine = loaded;
    qint64 rawFrom = mark.valid ? mark.size : 0;
    QByteArray merged;
    if (merge) {
        const QByteArray disk = readAt(oldFd, 0, diskSize);
        if (!mergeEdits(book, disk, lastElement, merged, why))
            return outcome(RewriteResult::ChangedOnDisk, why);
        rawFrom = diskSize;
    } else if (oldFd >= 0 && mark.partialLength > 0 && loaded >= 1) {
        // A last line without its line end that the table still holds as
        // read is copied from the disk with what was appended, as it stands
        // there (its writer may still be completing it); a whole one gets its
        // line end when QSOs are added after it.
        const qint64 start = mark.size - mark.partialLength;
        const QByteArray original = readAt(oldFd, start, mark.partialLength);
        const QByteArray next = readAt(oldFd, mark.size, 2);
        const qsizetype nextEnd = next.startsWith("\r\n") ? 2 : next.startsWith('\n') ? 1 : 0;
        if (book.LogLines.view(loaded) == original) {
            if (lastElement > loaded && isWholeLine(original, loaded == 1) &&
                (diskSize == mark.size || nextEnd > 0)) {
                rawFrom += nextEnd;
            } else {
                lastTableLine = loaded - 1;
                rawFrom = start;
            }
        } else if (diskSize > mark.size) {
            // Edited here while another program went on writing it.
            if (nextEnd == 0)
                return outcome(
                    RewriteResult::ChangedOnDisk,
                    QCoreApplication::translate("Rewrite", "%1 changed on disk since it was loaded")
                        .arg(shown));
            rawFrom += nextEnd;
        }
    }
    const QByteArray raw = oldFd >= 0 ? readAt(oldFd, rawFrom, diskSize - rawFrom) : QByteArray();
    // Whole lines only: a last line still being written stays in the old
    // file, where its writer completes it, and goes over whole from there
    // (OrphanLog), so that nothing another writer adds meanwhile can come
    // between its halves.
    const qsizetype rawSplit = raw.lastIndexOf('\n') + 1;
    qint64 copiedEnd = rawFrom + rawSplit;
    const QByteArrayView rawComplete = QByteArrayView(raw).first(rawSplit);
    run(&RewriteHooks::afterRead);

    QByteArray tempName;
    const int tmp = createTemporary(native, tempName);
    if (tmp < 0)
        return outcome(RewriteResult::Failed,
                       QCoreApplication::translate("Rewrite", "%1 cannot be written: %2")
                           .arg(shown, systemError(errno)));
    OldFile closeTmp;
    closeTmp.fd = tmp;
    auto fail = [&](const QString& text) {
        ::unlink(tempName.constData());
        return outcome(RewriteResult::Failed, text);
    };
    auto failWith = [&](int error) {
        return fail(QCoreApplication::translate("Rewrite", "%1 cannot be written: %2")
                        .arg(shown, systemError(error)));
    };

    qint64 total = merged.size() + raw.size();
    if (!merge)
        for (int n = 1; n <= qMax(lastTableLine, lastElement); ++n)
            total += book.LogLines.view(n).size() + 2;
    Writer w(tmp, total, book.writeProgress);
    if (merge) {
        w.put(merged);
    } else {
        writeTableLines(w, book.LogLines, lastTableLine);
        w.put(raw, 0, rawSplit);
        for (int n = loaded + 1; n <= lastElement; ++n) {
            if (const QByteArray* own = book.LogLines.ownText(n))
                w.put(*own);
            w.put(lineEnd());
        }
    }
    w.finish();
    if (holds.valid() && !holds.get()) {
        ::unlink(tempName.constData());
        mergeNeeded = true;
        return outcome(RewriteResult::ChangedOnDisk);
    }
    if (!w.ok())
        return failWith(w.error());
    QString lost;
    if (oldFd >= 0 && !keepAttributes(oldFd, tmp, old.st, lost))
        return fail(QCoreApplication::translate(
                        "Rewrite", "%1 was not replaced: the new file could not keep %2")
                        .arg(shown, lost));
    if (::fsync(tmp) != 0)
        return failWith(errno);
    const qint64 written = w.written();

    // Bytes appended while the new file was written go after it, up to the
    // moment of the rename.
    if (oldFd >= 0) {
        if (const int error = catchUpAppended(oldFd, tmp, copiedEnd))
            return failWith(error);
    }
    run(&RewriteHooks::beforeRename);
    if (::rename(tempName.constData(), native.constData()) != 0)
        return failWith(errno);
    if (oldFd >= 0)
        ::flock(oldFd, LOCK_UN);
    run(&RewriteHooks::afterRename);

    RewriteOutcome o;
    o.result = RewriteResult::Written;
    if (merge) {
        // The table becomes what was written; the rows are read again whole,
        // as other lines changed too.
        book.LogLines.refill(merged, splitLines(merged));
        adoptLineCount(book, int(splitLines(merged).size()));
        readWhole = true;
    } else {
        o.appendedKept = adoptWrittenLines(book, loaded, lastTableLine, lastElement, rawComplete);
    }
    // The mark covers what LogLines holds; bytes that arrived during the
    // write follow it in the file and are taken in by the next reload, as any
    // append.
    const QByteArray tail = readAt(tmp, qMax<qint64>(0, written - kMarkTailBytes),
                                   qMin<qint64>(written, kMarkTailBytes));
    book.LogMark = markFile(tmp, written, tail, merge ? partialLineLength(merged) : 0);
    book.LogMark.content = w.takePieces();

    // A writer that opened the old file before the rename may still write
    // there: the old file stays open, and what arrives goes to the new one.
    if (oldFd >= 0) {
        book.Orphans.push_back(
            std::make_shared<OrphanLog>(oldFd, copiedEnd, native, book.orphanProblem));
        old.fd = -1;
        carryOrphans(book.Orphans);
    }
    return o;
}
} // namespace

RewriteOutcome rewriteLogbook(ProgramState& s, LogbookState& book, int lastElement)
{
    ignoreFileSizeSignal();
    book.Writing = true;
    bool readWhole = false;
    bool mergeNeeded = false;
    RewriteOutcome o = rewrite(s, book, lastElement, readWhole, mergeNeeded, false);
    if (mergeNeeded)
        o = rewrite(s, book, lastElement, readWhole, mergeNeeded, true);
    book.Writing = false;
    // A table that does not match the file is read again whole at the next
    // reload, so an edit that was not written never shows as if it were;
    // so is one written onto lines another program changed.
    if (o.result != RewriteResult::Written)
        book.LogMark.valid = false;
    else
        s.LineCount = book.LoadedLineCount;
    // Written onto what another program changed: the rows no longer match
    // what they were parsed from and are read again whole at the next
    // reload, as after a change of the display form.
    if (readWhole)
        book.LoadedDisplayFormat = quint8(~book.LoadedDisplayFormat);
    o.merged = readWhole && o.result == RewriteResult::Written;
    return o;
}

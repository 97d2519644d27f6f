#pragma once
// The benchmarks' logbooks: generated WSJT-X style records (100,000 is about
// 27 MB, 1,000,000 about 275 MB) in a scratch working directory that is made
// the current one. Sizes are set by VOSMIRA_BENCH_SIZES (default
// "100000,1000000").
#include "loggen/LogGenerator.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

struct BenchLog {
    QTemporaryDir dir;
    QString path;
    qint64 size = 0;
    int records = 0;

    explicit BenchLog(int n) : records(n)
    {
        QDir::setCurrent(dir.path());
        LogGeneratorOptions o;
        o.records = n;
        o.seed = 2024;
        path = dir.filePath(QStringLiteral("wsjtx_log.adi"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        // Written in pieces: a log of a million QSOs is not built in memory.
        f.write(wsjtxLogHeader() + "\r\n");
        QByteArray chunk;
        for (int i = 0; i < n; ++i) {
            chunk += generateWsjtxRecord(o, i) + "\r\n";
            if (chunk.size() > (8 << 20)) {
                f.write(chunk);
                chunk.clear();
            }
        }
        f.write(chunk);
        size = f.size();
    }
    ~BenchLog() { QDir::setCurrent(QDir::tempPath()); }

    // A copy of the log in the same folder, for a benchmark that changes it.
    QString copyAs(const QString& name) const
    {
        const QString to = dir.filePath(name);
        QFile::remove(to);
        QFile::copy(path, to);
        return to;
    }

    // A config.dat in the working directory that opens this log.
    void writeConfig(const char* language = "Eng") const
    {
        QFile c(dir.filePath("config.dat"));
        c.open(QIODevice::WriteOnly);
        c.write(QFile::encodeName(path) +
                "\r\nfalse\r\n\r\n\r\nDL1VOS\r\n\r\n\r\n\r\n\r\n\r\n\r\n" +
                QByteArray::number(records) + "\r\n\r\n" + language + "\r\n");
    }
};

inline QList<int> benchSizes()
{
    QList<int> sizes;
    const QByteArray env = qgetenv("VOSMIRA_BENCH_SIZES");
    for (const QByteArray& s : (env.isEmpty() ? QByteArray("100000,1000000") : env).split(','))
        if (s.trimmed().toInt() > 0)
            sizes << s.trimmed().toInt();
    return sizes;
}

inline double monotonicMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

inline double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The floor every load is compared with: read the whole file into memory and
// find its line ends.
inline size_t readAndSplitFloor(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    struct stat st {
    };
    ::fstat(fd, &st);
    QByteArray image(qsizetype(st.st_size), Qt::Uninitialized);
    qint64 got = 0;
    while (got < st.st_size) {
        const ssize_t n = ::read(fd, image.data() + got, size_t(st.st_size - got));
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    size_t lines = 0;
    const char* p = image.constData();
    const char* end = p + got;
    while (p < end) {
        const void* nl = std::memchr(p, '\n', size_t(end - p));
        if (!nl)
            break;
        p = static_cast<const char*>(nl) + 1;
        ++lines;
    }
    return lines;
}

// Copying the file, as `cp` does, made durable, as a "modification save" of
// the whole log writes it: a new file written and synced while the previous
// copy still exists, then renamed over it. What a save is compared with.
inline void copyAndSync(const QString& from, const QString& to)
{
    const QByteArray target = QFile::encodeName(to);
    const QByteArray fresh = target + ".new";
    ::unlink(fresh.constData());
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    const int out = ::open(fresh.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    static char buffer[1 << 17];
    ssize_t n;
    while ((n = ::read(in, buffer, sizeof buffer)) > 0)
        if (::write(out, buffer, size_t(n)) != n)
            break;
    ::fsync(out);
    ::close(in);
    ::close(out);
    ::rename(fresh.constData(), target.constData());
}

// The peak resident memory of this process so far, in kB (VmHWM: a process
// started by exec begins afresh, whatever its parent used).
inline long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

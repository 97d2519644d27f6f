#include "logdata/AtomicFile.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

void ignoreFileSizeSignal()
{
    static const bool done = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    Q_UNUSED(done);
}

int writeAll(int fd, const char* p, qint64 n, qint64* done)
{
    qint64 written = 0;
    int error = 0;
    while (written < n) {
        const ssize_t w = ::write(fd, p + written, size_t(n - written));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            error = w < 0 ? errno : ENOSPC;
            break;
        }
        written += w;
    }
    if (done)
        *done = written;
    return error;
}

bool writeFileAtomically(const QString& path, QByteArrayView data, QString* error,
                         QFileDevice::Permissions permissions)
{
    ignoreFileSizeSignal();
    QSaveFile f(path);
    // Unbuffered, so that a short write (a full disk, a size limit) shows up
    // here: a buffered flush can lose it and the rename would then put a cut
    // file in place of the old one.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (permissions && !f.setPermissions(permissions)) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    // Written straight to the file, with the loop every save uses.
    if (const int failed = writeAll(f.handle(), data.data(), data.size())) {
        if (error)
            *error = failed == ENOSPC
                         ? QCoreApplication::translate("AtomicFile", "the disk is full")
                         : QString::fromLocal8Bit(std::strerror(failed));
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

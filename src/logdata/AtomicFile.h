#pragma once
// Replaces a file as a whole: the data is written to a temporary file beside
// it, which is renamed over the old one only when every byte was written. A
// failed or interrupted write leaves the old file as it was.
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

// `permissions`: set on the new file before any data is written (for files
// that hold secrets); 0 keeps those of the file it replaces.
bool writeFileAtomically(const QString& path, QByteArrayView data, QString* error = nullptr,
                         QFileDevice::Permissions permissions = {});

// A write beyond the process's file size limit must fail like a full disk
// rather than end the process (the system's default for SIGXFSZ). Every
// writer of the operator's files makes sure of that before it writes.
void ignoreFileSizeSignal();

// Writes the `n` bytes at `p` to the file `fd`, again after an interrupted or
// short write; a write that stores nothing counts as a full disk. Returns 0,
// or the errno of the write that failed; `done` (when given) tells how many
// bytes were written.
int writeAll(int fd, const char* p, qint64 n, qint64* done = nullptr);

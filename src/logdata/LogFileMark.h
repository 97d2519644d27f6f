#pragma once
// What the program knows of the logbook file on disk: which file it is (device
// and inode), how many of its bytes LogLines holds, when it was last changed,
// and the last bytes of that part. With it a glance at the file tells whether
// it is still as it was last loaded or written, whether another program (WSJT-X)
// only appended to it, or whether it was changed otherwise, without reading
// the whole file.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

struct stat;

// A piece of the file's bytes as the program holds them.
struct MarkPiece {
    QByteArray bytes; // shared with where the program keeps them
    qsizetype offset = 0;
    qsizetype length = 0;
};

struct LogFileMark {
    bool valid = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;    // the bytes of the file that LogLines holds
    qint64 mtimeNs = 0; // the file's modification time when they were taken
    qint64 ctimeNs = 0; // and its status change time
    QByteArray tail;    // the last of those bytes (at most kTailBytes)
    // Bytes after the last line end: a last line without its line end (a line
    // another program is still writing, or a file that ends so).
    qsizetype partialLength = 0;
    // The marked bytes themselves, piece by piece (slices of the loaded image
    // and of lines written since), so that a change anywhere can be found.
    std::vector<MarkPiece> content;
    // Another program wrote to the file since its bytes were last compared
    // with `content` (the live log took in its lines).
    bool othersWrote = false;
};

// How many of the last bytes are compared: enough that a file edited in place
// is told from one that was only appended to.
inline constexpr qsizetype kMarkTailBytes = 65536;

enum class DiskChange {
    Same,       // as the mark says
    Appended,   // the same file, grown after the marked bytes
    Changed,    // shortened, edited, or another file in its place
    Missing,    // no file at the path
    Unreadable, // there, but it cannot be read
};

struct DiskCheck {
    DiskChange change = DiskChange::Same;
    qint64 size = 0; // the file's size now
    QString error;   // the system's words for Unreadable
};

// Compares the open file `fd` with the mark (reads only the marked tail).
DiskCheck checkDisk(const LogFileMark& mark, int fd);
// The same for the file at `path` (the file name's bytes).
DiskCheck checkDisk(const LogFileMark& mark, const QByteArray& path);

// True when the file's status says nothing touched it since the mark: the
// same file, size, modification and change time. (A change time cannot be
// set back by a program; an edit in place always moves it.)
bool untouchedSinceMark(const LogFileMark& mark, const struct stat& st);

// True when the first mark.size bytes of `fd` are the mark's content: reads
// the whole marked part, so it finds a change anywhere in it.
bool holdsMarkedContent(const LogFileMark& mark, int fd);

// The mark of the file `fd` whose first `size` bytes end with `tail`, the last
// `partialLength` of them after the last line end.
LogFileMark markFile(int fd, qint64 size, QByteArrayView tail, qsizetype partialLength);

// The bytes after the last line end of `bytes`.
qsizetype partialLineLength(QByteArrayView bytes);

// Reads `length` bytes from `offset` of `fd`; fewer where the file ends.
QByteArray readAt(int fd, qint64 offset, qint64 length);

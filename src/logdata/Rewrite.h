#pragma once
// Rewriting the logbook file from LogLines. The new file is written beside the
// old one and renamed over it, so a failed write leaves the old file whole.
// The logbook may be WSJT-X's own log, which WSJT-X appends to while we run:
// before writing, the file on disk is compared with what LogLines holds. Bytes
// appended since then are copied as they are (a last line still being written
// stays without its line end, so the writer's remainder completes it), also
// those that arrive while the new file is written, right up to the rename; a
// writer that opened the old file before the rename and writes after it is
// caught too (OrphanLog). Any other change on disk, wherever it is, is found
// before writing: the edits then go onto what the disk holds, each to its QSO
// while that QSO's line is as it was, and nothing is written otherwise.
// Programs that save the log too are kept out by a lock on it for the whole
// of a save. A symbolic link stays a link, and the new file keeps the old
// one's owner, group, permissions and extended attributes (or nothing is
// replaced).
#include "logdata/LogbookState.h"
#include "logdata/State.h"

#include <QString>

#include <functional>

enum class RewriteResult {
    Written,       // the file now holds the table's lines (plus lines appended on disk)
    ChangedOnDisk, // the file changed otherwise since the last load: nothing written
    Failed,        // the file could not be written: the old file is whole
};

struct RewriteOutcome {
    RewriteResult result = RewriteResult::Failed;
    int appendedKept = 0; // lines found appended on disk and kept
    QString message;      // for the operator when result is not Written
    // The edits went onto a file another program had changed otherwise:
    // any line may have moved, the lines held are to be read again whole.
    bool merged = false;
};

// Writes the loaded lines (LogLines elements 1..LoadedLineCount of `book`, as
// edited) to the logbook file LogFilePath, then what was appended on disk meanwhile, and,
// when lastElement is beyond the loaded lines, the elements after them up to
// lastElement (a QSO added by hand) after the appended lines. Afterwards
// LogLines holds the file's lines (LineCount in `s` follows); the elements that changed are marked
// for the next reload to read. While it writes a large file, every few megabytes,
// book.writeProgress is told how far it got.
RewriteOutcome rewriteLogbook(ProgramState& s, LogbookState& book, int lastElement);

// The header line a logbook gets when its first QSO is added by hand.
inline constexpr const char* kNewLogbookHeader = "Vosmira ADIF export<eoh>";

// Puts a QSO added by hand after the loaded lines and rewrites the file. A
// logbook without any line (missing or empty) gets a header line first.
RewriteOutcome appendRecord(ProgramState& s, LogbookState& book, const QByteArray& record);

// For tests: called at the moments of a rewrite where another program's
// appends are most likely to be lost.
struct RewriteHooks {
    std::function<void()> afterRead;    // the file compared and read, nothing written yet
    std::function<void()> beforeRename; // the new file complete and synced
    std::function<void()> afterRename;  // the new file in place, the old one still open
};
void setRewriteHooks(const RewriteHooks* hooks);

// Removes the temporary files saves killed half way left beside the log
// (only files of the program's own name pattern, last written before
// `olderThanSecs`, the seconds since the epoch when this run began). Returns
// how many.
int removeStaleTemporaries(const QByteArray& logPath, qint64 olderThanSecs);
// The same for files older than this run (done once per log path).
void removeStaleTemporariesOnce(const QByteArray& logPath);

// For tests: the size from which a save writes past the page cache, and how
// long a save waits for another program's lock.
void setRewriteDirectFrom(qint64 bytes);
void setRewriteLockWait(int milliseconds);

#pragma once
// Rewriting the logbook file from LogLines. The file is replaced atomically,
// so a failed write leaves the old file whole. The logbook may be WSJT-X's own
// log, which WSJT-X appends to while we run: before writing, the file on disk
// is compared with what the last load read. Lines appended since then are
// kept (written after the loaded lines); any other change on disk means the
// edit was made against a stale copy, so nothing is written.
#include "logdata/State.h"

#include <QString>

enum class RewriteResult {
    Written,       // the file now holds the table's lines (plus lines appended on disk)
    ChangedOnDisk, // the file changed otherwise since the last load: nothing written
    Failed,        // the file could not be written: the old file is whole
};

struct RewriteOutcome {
    RewriteResult result = RewriteResult::Failed;
    int appendedKept = 0; // lines found appended on disk and kept
    QString message;      // for the operator when result is not Written
};

// Writes the loaded lines (LogLines elements 1..LoadedLineCount, as edited) to
// the logbook file LogFilePath, then any lines appended on disk meanwhile, and,
// when lastElement is beyond the loaded lines, the elements after them up to
// lastElement (a QSO added by hand), so that it stays the file's last line.
RewriteOutcome rewriteLogbook(ProgramState& s, int lastElement);

// The header line a logbook gets when its first QSO is added by hand.
inline constexpr const char* kNewLogbookHeader = "Vosmira ADIF export<eoh>";

// Puts a QSO added by hand after the loaded lines and rewrites the file. A
// logbook without any line (missing or empty) gets a header line first.
RewriteOutcome appendRecord(ProgramState& s, const QByteArray& record);

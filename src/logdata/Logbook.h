#pragma once
// The logbook as the program holds it, with its life on disk: loads, the live
// log (what another program appends shows up at once, a file replaced or
// changed otherwise is reported), the call search, changes, additions and
// deletions, and how far a long load or write got. It owns the lines and the
// counts (LogbookState); the windows connect to its signals and only show
// what it tells them.
//
// A window that shows part of the log stays right by following three signals:
// rowsAdded (lines at the end that were not there: another program's appends,
// a QSO added here, or appends a rewrite found and kept), rowsChanged (lines
// this program stored anew: changes and deletions) and reloaded (the lines were
// read again from the file: anything may have changed, the line count too).
#include "logdata/CallSearch.h"
#include "logdata/Loader.h"
#include "logdata/LogbookState.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QFileSystemWatcher;
class QTimer;

// True when LogLines still holds `record` at `line` (counted from 0): a reload
// of a changed file may have put another QSO there since it was opened.
inline bool lineStillHolds(const LogbookState& book, int line, QByteArrayView record)
{
    return line >= 1 && !record.isEmpty() && book.LogLines.view(line + 1) == record;
}

// The record that takes a deleted QSO's place (221 characters): every other
// line keeps its position.
inline constexpr QByteArrayView kDeletedRecord =
    "<call:0><qso_date:0><time_on:0><time_off:0><freq:0><band:0><mode:0><rst_rcvd:0>"
    "<rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0><eqsl_qsl_sent:0>"
    "<comment:17>Reserve by delete<qsl_sent:0><qsl_rcvd:0><eor>";

// A record to store at `line` (counted from 0) while that line still holds
// `expected`.
struct LineChange {
    int line = 0;
    QByteArray expected;
    QByteArray record;
};

// How a write of several lines ended: the rewrite's outcome (Written only
// when it ran and succeeded) and the lines left alone because they held
// something else by then.
struct LinesWritten {
    RewriteOutcome outcome;
    QList<int> moved;
    bool written() const { return outcome.result == RewriteResult::Written; }
};

class Logbook : public QObject
{
    Q_OBJECT
public:
    // `state` holds the settings (the log path, the display form) and what
    // the main window shows of the log (the QSO count, the selected line),
    // which loads keep up to date.
    explicit Logbook(ProgramState& state, QObject* parent = nullptr);
    ~Logbook() override;

    // The whole file read again (DisplayFormat set by the caller); reloaded
    // follows.
    LoadReport load();
    // From memory plus what changed on disk when the file allows it,
    // otherwise the whole file; reloaded follows.
    LoadReport refresh();
    // Takes in what another program appended (rowsAdded); `reloadReason` set
    // when the file changed otherwise and must be loaded whole.
    LoadReport catchUp();
    // Stores `record` at `line` (counted from 0) and rewrites the logbook,
    // when that line still holds `expected`; nothing (and nothing written)
    // when it holds something else. Written: rowsAdded for lines another
    // program appended meanwhile, then rowsChanged({line}); written onto a
    // file changed otherwise: reloaded.
    std::optional<RewriteOutcome> writeLine(int line, QByteArrayView expected,
                                            const QByteArray& record);
    // Puts `record` after the last line and rewrites the logbook. Written:
    // rowsAdded for the new lines (what another program appended meanwhile,
    // then this record; on an empty logbook the header line comes first and
    // is no row); written onto a file changed otherwise: reloaded.
    RewriteOutcome appendLine(const QByteArray& record);
    // Stores every change whose line still holds what it expects and
    // rewrites the logbook once (not at all when no line is left to store).
    // Signals as writeLine (rowsChanged with every line stored); a failed
    // write: changedOnDisk.
    LinesWritten writeLines(const QList<LineChange>& changes);
    // Deletes the QSO at `line` (counted from 0) when that line still holds
    // `expected`: kDeletedRecord takes its place, so no other line moves.
    // Signals as writeLine.
    std::optional<RewriteOutcome> deleteLine(int line, QByteArrayView expected);

    // The QSOs whose call begins with `call` ("*" every QSO), from line
    // `firstElement - 1` on, as grid rows; `fullRows` are the whole-log rows
    // shown, from which unchanged rows are taken over.
    CallSearchResult search(const CellTable& fullRows, QByteArrayView call, bool displayFormat,
                            int firstElement = 2) const;

    // The file's lines as held: line 0 is the header, 1 .. lineCount() - 1
    // the records. Up to date after load(), refresh(), catchUp() or a write.
    int lineCount() const;
    QByteArrayView line(int line) const;
    // The lines, the file mark and the counts as held.
    const LogbookState& data() const { return m_data; }

    // A load is under way (the window repaints meanwhile).
    bool loading() const { return m_loadClock.isValid(); }

    // The rows the last rowsAdded told of, with their cells.
    const LoadReport& added() const { return m_added; }

    // Aims the watcher at the logbook file and its folder.
    void watch();
    // One look at the file: appended lines taken in (rowsAdded), a file that
    // changed otherwise or appeared reported (changedOnDisk). While the
    // program loads or writes the logbook itself, the look is made later.
    void follow();

signals:
    // Lines were added at the end (another program appended them, or a QSO
    // was added here): grid rows `first` .. `first + count - 1` (lines
    // `first + 1` ..); added() holds their cells while this is emitted.
    void rowsAdded(int first, int count);
    // A rewrite by this program stored changed records at these lines
    // (counted from 0); the rows showing them are to be read again.
    void rowsChanged(const QList<int>& lines);
    // The lines were read again (a load, a refresh, or a write that went onto
    // a file another program had changed): whatever a window shows of them
    // is to be read again, the line count too.
    void reloaded();
    // The file changed on disk otherwise than by appending (or became
    // readable), or a write of several lines failed: it is to be loaded
    // whole. `reason` is empty when it was not
    // loaded before.
    void changedOnDisk(const QString& reason);
    // A load that takes long: `done` of `total` bytes read.
    void loadProgress(qint64 done, qint64 total);
    // A rewrite of a large logbook: `done` of `total` bytes written.
    void writeProgress(qint64 done, qint64 total);
    // Something the operator must hear of at once: a QSO another program
    // wrote into a replaced file could not be added (it is kept and tried
    // again).
    void failed(const QString& reason);

private:
    // After a rewrite that held `loadedBefore` lines: tells what changed.
    void announceWrite(int loadedBefore, const RewriteOutcome& outcome, const QList<int>& stored);
    ProgramState& m_state;
    LogbookState m_data;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_followTimer = nullptr;
    QElapsedTimer m_loadClock; // running while a load reads the logbook
    LoadReport m_added;
};

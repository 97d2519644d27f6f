#pragma once
// The logbook as the program holds it, with its life on disk: loads, the live
// log (what another program appends shows up at once, a file replaced or
// changed otherwise is reported) and how far a long load or write got. The
// windows connect to its signals and only show what it tells them.
#include "logdata/Loader.h"
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
inline bool lineStillHolds(const ProgramState& s, int line, QByteArrayView record)
{
    return line >= 1 && !record.isEmpty() && s.LogLines.view(line + 1) == record;
}

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
    explicit Logbook(ProgramState& state, QObject* parent = nullptr);
    ~Logbook() override;

    // The whole file read again (DisplayFormat set by the caller).
    LoadReport load();
    // From memory plus what changed on disk when the file allows it,
    // otherwise the whole file.
    LoadReport refresh();
    // Takes in what another program appended; `reloadReason` set when the
    // file changed otherwise and must be loaded whole.
    LoadReport catchUp();
    // Stores `record` at `line` (counted from 0) and rewrites the logbook,
    // when that line still holds `expected`; nothing (and nothing written)
    // when it holds something else.
    std::optional<RewriteOutcome> writeLine(int line, QByteArrayView expected,
                                            const QByteArray& record);
    // Puts `record` after the last line and rewrites the logbook.
    RewriteOutcome appendLine(const QByteArray& record);
    // Stores every change whose line still holds what it expects and
    // rewrites the logbook once (not at all when no line is left to store).
    LinesWritten writeLines(const QList<LineChange>& changes);

    // The file's lines as held: line 0 is the header, 1 .. lineCount() - 1
    // the records. Up to date after load(), refresh(), catchUp() or a write.
    int lineCount() const;
    QByteArrayView line(int line) const;

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
    // Lines another program appended were taken in: grid rows `first` ..
    // `first + count - 1`; added() holds their cells while this is emitted.
    void rowsAdded(int first, int count);
    // A rewrite by this program stored changed records at these lines
    // (counted from 0); the rows showing them are to be read again.
    void rowsChanged(const QList<int>& lines);
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
    ProgramState& m_state;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_followTimer = nullptr;
    QElapsedTimer m_loadClock; // running while a load reads the logbook
    LoadReport m_added;
};

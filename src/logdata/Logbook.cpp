#include "logdata/Logbook.h"

#include "logdata/OrphanLog.h"
#include "logdata/Rewrite.h"
#include "logdata/Settings.h"
#include "logdata/State.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include <unistd.h>

namespace
{
// A burst of watcher signals (WSJT-X writes a QSO in a few calls; a replace
// shows as a change of the file and of its folder) becomes one look at the
// file after this quiet time; short enough that a QSO shows up at once.
constexpr int kFollowQuietMs = 50;
// A load shorter than this shows no progress: the window would only flicker.
constexpr int kProgressAfterMs = 500;
} // namespace

Logbook::Logbook(ProgramState& state, QObject* parent) : QObject(parent), m_state(state)
{
    m_watcher = new QFileSystemWatcher(this);
    m_followTimer = new QTimer(this);
    m_followTimer->setSingleShot(true);
    m_followTimer->setInterval(kFollowQuietMs);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_followTimer,
            qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_followTimer,
            qOverload<>(&QTimer::start));
    connect(m_followTimer, &QTimer::timeout, this, &Logbook::follow);

    // The spare element after the (not yet) loaded lines, for a QSO added
    // by hand.
    m_data.LogLines.resize(2);
    // This logbook's progress and problems reach its own signals only.
    m_data.loadProgress = [this](qint64 done, qint64 total) {
        if (m_loadClock.isValid() && m_loadClock.elapsed() >= kProgressAfterMs)
            emit loadProgress(done, total);
    };
    m_data.writeProgress = [this](qint64 done, qint64 total) { emit writeProgress(done, total); };
    m_data.orphanProblem = [this](const QString& message) { emit failed(message); };
}

Logbook::~Logbook()
{
    // The replaced files may be carried over once more as they go: a problem
    // then goes to the error output, not to this logbook's signals.
    for (const std::shared_ptr<OrphanLog>& orphan : m_data.Orphans)
        orphan->setProblemHandler(nullptr);
}

LoadReport Logbook::load()
{
    m_loadClock.start();
    LoadReport r = loadLogbookData(m_state, m_data);
    m_loadClock.invalidate();
    emit reloaded();
    return r;
}

LoadReport Logbook::refresh()
{
    m_loadClock.start();
    LoadReport r = refreshLogbookData(m_state, m_data);
    m_loadClock.invalidate();
    emit reloaded();
    return r;
}

LoadReport Logbook::catchUp()
{
    LoadReport r = followLogbookData(m_state, m_data);
    if (r.reloadReason.isEmpty() && !r.updatedRows.empty()) {
        m_added = std::move(r);
        emit rowsAdded(m_added.updatedRows.front(), int(m_added.updatedRows.size()));
        r = std::move(m_added);
        m_added = LoadReport();
    }
    return r;
}

void Logbook::announceWrite(int loadedBefore, const RewriteOutcome& outcome,
                            const QList<int>& stored)
{
    if (outcome.result != RewriteResult::Written)
        return;
    if (outcome.merged) {
        // Any line may have moved: the lines are read again whole.
        emit reloaded();
        if (!stored.isEmpty())
            emit rowsChanged(stored);
        return;
    }
    // The lines the write added at the end (element 1 is the header, no row).
    std::vector<int> added;
    for (int k = qMax(2, loadedBefore + 1); k <= m_data.LoadedLineCount; ++k)
        added.push_back(k);
    if (!added.empty()) {
        m_added = readRows(m_data, added);
        emit rowsAdded(added.front() - 2, int(added.size()));
        m_added = LoadReport();
    }
    if (!stored.isEmpty())
        emit rowsChanged(stored);
}

std::optional<RewriteOutcome> Logbook::writeLine(int line, QByteArrayView expected,
                                                 const QByteArray& record)
{
    if (!lineStillHolds(m_data, line, expected))
        return std::nullopt;
    const int before = m_data.LoadedLineCount;
    m_data.LogLines.set(line + 1, record);
    RewriteOutcome r = rewriteLogbook(m_state, m_data, m_data.LoadedLineCount);
    announceWrite(before, r, {line});
    return r;
}

std::optional<RewriteOutcome> Logbook::deleteLine(int line, QByteArrayView expected)
{
    return writeLine(line, expected, kDeletedRecord.toByteArray());
}

CallSearchResult Logbook::search(const CellTable& fullRows, QByteArrayView call, bool displayFormat,
                                 int firstElement) const
{
    return searchLogLines(m_data, fullRows, call, displayFormat, firstElement);
}

LinesWritten Logbook::writeLines(const QList<LineChange>& changes)
{
    LinesWritten w;
    QList<int> stored;
    for (const LineChange& c : changes) {
        if (lineStillHolds(m_data, c.line, c.expected)) {
            m_data.LogLines.set(c.line + 1, c.record);
            stored << c.line;
        } else {
            w.moved << c.line;
        }
    }
    if (stored.isEmpty()) {
        w.outcome.result = RewriteResult::Written;
        return w;
    }
    const int before = m_data.LoadedLineCount;
    w.outcome = rewriteLogbook(m_state, m_data, m_data.LoadedLineCount);
    if (w.written())
        announceWrite(before, w.outcome, stored);
    else
        emit changedOnDisk(w.outcome.message); // what is held may not be the file any more
    return w;
}

int Logbook::lineCount() const
{
    return m_data.LoadedLineCount;
}

QByteArrayView Logbook::line(int line) const
{
    if (line < 0 || line >= m_data.LoadedLineCount)
        return {};
    return m_data.LogLines.view(line + 1);
}

RewriteOutcome Logbook::appendLine(const QByteArray& record)
{
    // The record goes into the element after the last line of the file (set()
    // grows the table when the spare element is missing).
    const int before = m_data.LoadedLineCount;
    const RewriteOutcome r = appendRecord(m_state, m_data, record);
    announceWrite(before, r, {});
    return r;
}

void Logbook::follow()
{
    const ProgramState& s = m_state;
    // Not while the program writes or loads the logbook itself; the timer
    // looks again when it is done.
    if (m_data.Writing || loading()) {
        m_followTimer->start();
        return;
    }
    if (!m_data.LogMark.valid) {
        // The logbook could not be read before: it may be there now.
        if (!s.LogFilePath.isEmpty() && ::access(s.LogFilePath.constData(), F_OK) == 0)
            emit changedOnDisk(QString());
        watch();
        return;
    }
    const LoadReport r = catchUp();
    if (!r.reloadReason.isEmpty())
        emit changedOnDisk(r.reloadReason);
    watch();
}

void Logbook::watch()
{
    // The file and its folder: WSJT-X appends to the file, editors and other
    // programs may replace it, which only the folder shows.
    const QString path = logFilePathString(m_state);
    const QStringList old = m_watcher->files() + m_watcher->directories();
    if (!old.isEmpty())
        m_watcher->removePaths(old);
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        m_watcher->addPath(info.absoluteFilePath());
    if (info.absoluteDir().exists())
        m_watcher->addPath(info.absolutePath());
}

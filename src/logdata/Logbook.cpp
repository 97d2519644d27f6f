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

    setLoadProgress([this](qint64 done, qint64 total) {
        if (m_loadClock.isValid() && m_loadClock.elapsed() >= kProgressAfterMs)
            emit loadProgress(done, total);
    });
    setRewriteProgress([this](qint64 done, qint64 total) { emit writeProgress(done, total); });
    setOrphanProblemHandler([this](const QString& message) { emit failed(message); });
}

Logbook::~Logbook()
{
    setOrphanProblemHandler(nullptr);
    setRewriteProgress(nullptr);
    setLoadProgress(nullptr);
}

LoadReport Logbook::load()
{
    m_loadClock.start();
    LoadReport r = loadLogbookData(m_state);
    m_loadClock.invalidate();
    return r;
}

LoadReport Logbook::refresh()
{
    m_loadClock.start();
    LoadReport r = refreshLogbookData(m_state);
    m_loadClock.invalidate();
    return r;
}

LoadReport Logbook::catchUp()
{
    return followLogbookData(m_state);
}

std::optional<RewriteOutcome> Logbook::writeLine(int line, QByteArrayView expected,
                                                 const QByteArray& record)
{
    if (!lineStillHolds(m_state, line, expected))
        return std::nullopt;
    m_state.LogLines.set(line + 1, record);
    RewriteOutcome r = rewriteLogbook(m_state, m_state.LoadedLineCount);
    if (r.result == RewriteResult::Written)
        emit rowsChanged({line});
    return r;
}

LinesWritten Logbook::writeLines(const QList<LineChange>& changes)
{
    LinesWritten w;
    QList<int> stored;
    for (const LineChange& c : changes) {
        if (lineStillHolds(m_state, c.line, c.expected)) {
            m_state.LogLines.set(c.line + 1, c.record);
            stored << c.line;
        } else {
            w.moved << c.line;
        }
    }
    if (stored.isEmpty()) {
        w.outcome.result = RewriteResult::Written;
        return w;
    }
    w.outcome = rewriteLogbook(m_state, m_state.LoadedLineCount);
    if (w.written())
        emit rowsChanged(stored);
    else
        emit changedOnDisk(w.outcome.message); // what is held may not be the file any more
    return w;
}

int Logbook::lineCount() const
{
    return m_state.LoadedLineCount;
}

QByteArrayView Logbook::line(int line) const
{
    if (line < 0 || line >= m_state.LoadedLineCount)
        return {};
    return m_state.LogLines.view(line + 1);
}

RewriteOutcome Logbook::appendLine(const QByteArray& record)
{
    // The record goes into the element after the last line of the file (set()
    // grows the table when the spare element is missing).
    return appendRecord(m_state, record);
}

void Logbook::follow()
{
    ProgramState& s = m_state;
    // Not while the program writes or loads the logbook itself; the timer
    // looks again when it is done.
    if (s.Writing || loading()) {
        m_followTimer->start();
        return;
    }
    if (!s.LogMark.valid) {
        // The logbook could not be read before: it may be there now.
        if (!s.LogFilePath.isEmpty() && ::access(s.LogFilePath.constData(), F_OK) == 0)
            emit changedOnDisk(QString());
        watch();
        return;
    }
    LoadReport r = catchUp();
    if (!r.reloadReason.isEmpty()) {
        emit changedOnDisk(r.reloadReason);
    } else if (!r.updatedRows.empty()) {
        m_added = std::move(r);
        emit rowsAdded(m_added.updatedRows.front(), int(m_added.updatedRows.size()));
        m_added = LoadReport();
    }
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

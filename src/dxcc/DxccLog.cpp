#include "dxcc/DxccLog.h"

#include "logdata/Logbook.h"

#include <QThread>
#include <QTimer>

#include <algorithm>
#include <thread>

using namespace country;

namespace
{
// A line without a call (the header, a deleted QSO) counts for nothing.
constexpr qint32 kNotCounted = -1;
// Below this many new lines one thread reads them; above, reading the
// records and resolving their calls is shared out among the processor's
// cores (the log and the resolver are only read meanwhile), which makes the
// first opening of the DXCC window on a large log that much quicker.
constexpr int kLinesPerThread = 100000;
constexpr int kMostThreads = 4;
// The lines counted in one turn of the event loop while the program is idle:
// a few milliseconds, so that input is never kept waiting longer.
constexpr int kIdlePiece = 5000;
} // namespace

DxccLog::DxccLog(Logbook* logbook, QObject* parent)
    : QObject(parent), m_logbook(logbook), m_stats(std::make_unique<DxccStats>(m_source.resolver))
{
    if (!m_logbook)
        return;
    connect(m_logbook, &Logbook::rowsAdded, this, [this] {
        if (!m_stale && m_watched) {
            takeNewLines();
            emit changed();
        }
    });
    connect(m_logbook, &Logbook::rowsChanged, this, &DxccLog::linesChanged);
    // Loaded whole by the main window (it is connected first); counted again
    // once that is done.
    connect(m_logbook, &Logbook::changedOnDisk, this, [this] {
        m_stale = true;
        changedLater();
        countWhenIdle();
    });
    connect(m_logbook, &QObject::destroyed, this, [this] { m_logbook = nullptr; });
}

DxccLog::~DxccLog() = default;

void DxccLog::setSource(CountrySource source)
{
    const unsigned sources = m_stats->sources();
    m_source = std::move(source);
    m_stats = std::make_unique<DxccStats>(m_source.resolver);
    m_stats->setSources(sources);
    m_stale = true;
    emit sourceChanged();
    changedLater();
    countWhenIdle();
}

const DxccStats& DxccLog::stats()
{
    sync();
    return *m_stats;
}

void DxccLog::setConfirmSources(unsigned sources)
{
    if (sources == m_stats->sources())
        return;
    m_stats->setSources(sources);
    emit changed();
}

void DxccLog::setWatched(bool watched)
{
    m_watched = watched;
    if (watched && m_stale)
        changedLater();
}

void DxccLog::logReloaded()
{
    m_stale = true;
    changedLater();
    countWhenIdle();
}

bool DxccLog::isUpToDate() const
{
    if (!m_logbook || m_source.resolver->isEmpty())
        return true;
    return !m_stale && m_lines.size() == size_t(std::max(m_logbook->lineCount(), 1));
}

void DxccLog::countWhenIdle()
{
    if (m_idlePending || isUpToDate())
        return;
    m_idlePending = true;
    QTimer::singleShot(0, this, &DxccLog::countPiece);
}

void DxccLog::countPiece()
{
    m_idlePending = false;
    if (isUpToDate())
        return;
    const int count = m_logbook->lineCount();
    resetIfOutdated(count);
    takeLinesUpTo(std::min(count, int(m_lines.size()) + kIdlePiece));
    if (isUpToDate())
        emit upToDate();
    else
        countWhenIdle();
}

void DxccLog::changedLater()
{
    if (!m_watched || m_updatePending)
        return;
    m_updatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_updatePending = false;
        if (!m_watched)
            return;
        sync();
        emit changed();
    });
}

DxccStats::Counted DxccLog::countLine(int line) const
{
    const DxccQso q = dxccQsoFromAdif(m_logbook->line(line));
    if (q.call.trimmed().isEmpty()) {
        DxccStats::Counted none;
        none.dxcc = kNotCounted;
        return none;
    }
    return m_stats->countOf(q);
}

void DxccLog::sync()
{
    if (!m_logbook || m_source.resolver->isEmpty()) {
        // Without a country file there are no DXCC entities to count.
        if (m_stale) {
            m_stats->clear();
            m_lines.clear();
            m_stale = false;
        }
        return;
    }
    const int count = m_logbook->lineCount();
    resetIfOutdated(count);
    takeLinesUpTo(count);
}

// Starts the table anew when it is stale or holds more lines than the log
// (a log loaded anew, shorter).
void DxccLog::resetIfOutdated(int count)
{
    if (!m_stale && size_t(std::max(count, 1)) >= m_lines.size())
        return;
    m_stats->clear();
    m_lines.assign(1, DxccStats::Counted{kNotCounted, -1, 0});
    m_stale = false;
}

void DxccLog::takeNewLines()
{
    if (m_logbook)
        takeLinesUpTo(m_logbook->lineCount());
}

// Counts the lines from the first not counted yet to `end` (not included).
void DxccLog::takeLinesUpTo(int end)
{
    if (!m_logbook)
        return;
    const int count = end;
    const int first = int(m_lines.size());
    if (count <= first)
        return;
    m_lines.resize(size_t(count));
    const auto countRange = [this](int from, int to) {
        for (int k = from; k < to; ++k)
            m_lines[size_t(k)] = countLine(k);
    };
    const int threads = std::clamp(
        std::min((count - first) / kLinesPerThread, QThread::idealThreadCount()), 1, kMostThreads);
    if (threads == 1) {
        countRange(first, count);
    } else {
        std::vector<std::thread> helpers;
        const int step = (count - first + threads - 1) / threads;
        for (int t = 1; t < threads; ++t)
            helpers.emplace_back(countRange, first + t * step,
                                 std::min(count, first + (t + 1) * step));
        countRange(first, std::min(count, first + step));
        for (std::thread& h : helpers)
            h.join();
    }
    for (int k = first; k < count; ++k)
        if (m_lines[size_t(k)].dxcc != kNotCounted)
            m_stats->add(m_lines[size_t(k)]);
}

void DxccLog::linesChanged(const QList<int>& lines)
{
    if (m_stale || !m_logbook)
        return;
    for (int line : lines) {
        if (line < 1 || size_t(line) >= m_lines.size())
            continue; // beyond the lines counted: taken in with the new lines
        DxccStats::Counted& held = m_lines[size_t(line)];
        if (held.dxcc != kNotCounted)
            m_stats->remove(held);
        held = countLine(line);
        if (held.dxcc != kNotCounted)
            m_stats->add(held);
    }
    if (m_watched) {
        sync();
        emit changed();
    }
}

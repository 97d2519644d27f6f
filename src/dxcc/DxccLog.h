#pragma once
// The DXCC table over the live log: the countries in use (the country file,
// or the built-in prefix table when there is none) and what is worked and
// confirmed of each entity on each band. The table is built when first asked
// for and then follows the logbook: lines another program appends and lines
// this program rewrites are counted in and out one by one; a log loaded anew
// is counted again whole.
#include "country/CountrySource.h"
#include "country/DxccStats.h"

#include <QObject>

#include <memory>
#include <vector>

class Logbook;

class DxccLog : public QObject
{
    Q_OBJECT
public:
    explicit DxccLog(Logbook* logbook, QObject* parent = nullptr);
    ~DxccLog() override;

    // The countries to use from now on; the table is counted again.
    void setSource(country::CountrySource source);
    const country::CountrySource& source() const { return m_source; }
    bool usesFile() const { return m_source.usesFile(); }

    // The table, brought up to date with the log first.
    const country::DxccStats& stats();
    // Whether the table holds every line of the log, so that stats() returns
    // at once.
    bool isUpToDate() const;
    // Counts the log a piece at a time while the program is idle (a large
    // log takes a good part of a second), so that the table is ready when a
    // window asks for it; upToDate() tells when it is.
    void countWhenIdle();
    // Which confirmations count (country::ConfirmSource bits).
    void setConfirmSources(unsigned sources);

    // While something shows the table, changes of the log are counted at
    // once and told by changed(); otherwise when the table is next asked for.
    void setWatched(bool watched);

    // The log was loaded anew in a way no signal of the logbook told of (a
    // new log path): the table is counted again.
    void logReloaded();

signals:
    // The table changed (the log, the countries or the counted confirmations).
    void changed();
    void sourceChanged();
    // The table took in the log's last line while the program was idle.
    void upToDate();

private:
    void sync();
    void takeNewLines();
    void takeLinesUpTo(int end);
    void resetIfOutdated(int count);
    void countPiece();
    void linesChanged(const QList<int>& lines);
    void changedLater();
    country::DxccStats::Counted countLine(int line) const;

    Logbook* m_logbook;
    country::CountrySource m_source;
    std::unique_ptr<country::DxccStats> m_stats;
    // What each line of the log counts for (index = line; 0 is the header).
    std::vector<country::DxccStats::Counted> m_lines;
    bool m_stale = true;
    bool m_watched = false;
    bool m_updatePending = false;
    bool m_idlePending = false;
};

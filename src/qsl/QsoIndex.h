#pragma once
// The log's QSOs found by call: an open-addressing table keyed by a hash of
// the call, each slot the head of the chain of that call's QSOs. Built once
// per download; matching a confirmation then looks at that call's QSOs only.
#include "qsl/QslTypes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QVarLengthArray>

#include <vector>

namespace qsl
{

// Seconds since 1970 of a QSO's start (YYYYMMDD, HHMM or HHMMSS); false when
// the date or time is not one.
bool qsoStart(QByteArrayView date, QByteArrayView time, qint64& seconds);

class QsoIndex
{
public:
    // How far apart a confirmation's start and the QSO's may be.
    static constexpr qint64 kWindowSeconds = 30 * 60;

    void reserve(int qsos);
    // Adds the QSO of that record line; false (and nothing added) when it has
    // no call, band, mode or a readable start.
    bool add(int line, QByteArrayView record);
    // Makes the QSOs added so far findable (call after the last add()).
    void finish();
    int size() const { return int(m_entries.size()); }

    // The lines of the QSOs with that call, band and compared mode whose
    // start lies within kWindowSeconds of `start`.
    QVarLengthArray<int, 4> find(QByteArrayView call, QByteArrayView band, QByteArrayView mode,
                                 qint64 start) const;

private:
    struct Entry {
        quint64 hash;
        qint64 start;
        qint32 line;
        qint32 next; // the same call's previous entry, or -1
        quint32 callAt;
        quint16 callLength;
        quint16 band;
        quint16 mode;
    };
    // A small number for each distinct band or mode (upper case); 0 = unknown.
    int codeOf(std::vector<QByteArray>& table, QByteArrayView text, bool addNew) const;
    int slotOf(quint64 hash) const;

    std::vector<Entry> m_entries;
    QByteArray m_calls; // every call, upper case, one after the other
    std::vector<qint32> m_slots;
    mutable std::vector<QByteArray> m_bands, m_modes;
};

struct Ambiguous {
    Confirmation confirmation;
    QList<int> lines;
};

struct MatchReport {
    QList<QsoOutcome> matched; // Confirmed or AlreadyConfirmed, one per matched confirmation
    QList<Ambiguous> ambiguous;
    QList<Confirmation> unmatched;
    FieldChanges changes;
};

// Matches each confirmation with the log's QSOs: same call, same band, the
// same compared mode, starts within 30 minutes (across midnight too). A
// confirmation matches only when exactly one QSO qualifies; the QSO then gets
// *_QSL_RCVD Y and *_QSLRDATE (the confirmation's date, else `today`,
// YYYYMMDD), unless the log has it as received already. `record(line)` gives
// the matched QSO's record line for the marks.
template <typename RecordAt>
MatchReport matchConfirmations(const QsoIndex& index, const QList<Confirmation>& received,
                               Service service, QByteArrayView today, RecordAt&& record);

// The part of matching that needs no record lines: which confirmation goes
// with which QSOs.
struct MatchPlan {
    QList<std::pair<qsizetype, int>> matched; // confirmation index, its QSO's line
    QList<Ambiguous> ambiguous;
    QList<Confirmation> unmatched;
};
MatchPlan planMatches(const QsoIndex& index, const QList<Confirmation>& received);
void addConfirmationMark(MatchReport& report, const Confirmation& c, int line,
                         QByteArrayView record, Service service, QByteArrayView today);

template <typename RecordAt>
MatchReport matchConfirmations(const QsoIndex& index, const QList<Confirmation>& received,
                               Service service, QByteArrayView today, RecordAt&& record)
{
    MatchPlan plan = planMatches(index, received);
    MatchReport report;
    report.ambiguous = std::move(plan.ambiguous);
    report.unmatched = std::move(plan.unmatched);
    for (const auto& [at, line] : plan.matched)
        addConfirmationMark(report, received[at], line, record(line), service, today);
    return report;
}

} // namespace qsl

#pragma once
// What the QSL services work on and answer with: QSOs of the log (a record
// line and where it stands), per-QSO outcomes, confirmations from a service,
// and the field changes one run asks the log to take.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QMetaType>
#include <QString>

#include <map>
#include <utility>

namespace qsl
{

enum class Service { Eqsl, Lotw };

// A QSO of the log: its line (as the log counts them) and its record text.
struct LogQso {
    int line = 0;
    QByteArray record;
};

// The fields of one record that the QSL round trip looks at, as views into
// the record (valid while it lives).
struct QsoFacts {
    QByteArrayView call, band, mode, submode, qsoDate, timeOn, qslrDate;
    QByteArrayView eqslSent, eqslRcvd, lotwSent, lotwRcvd;
};
QsoFacts readQsoFacts(QByteArrayView record);

// The mode a QSO is compared by: the submode where there is one (MFSK with
// submode FT4 is FT4), else the mode; upper case.
QByteArray comparedMode(QByteArrayView mode, QByteArrayView submode);

// True when the record still has to go up to `service` (its *_QSL_SENT is
// not Y).
bool needsUpload(QByteArrayView record, Service service);

// What became of one QSO.
struct QsoOutcome {
    enum Status {
        Sent,             // the service took it (or already had it)
        NotSent,          // kept unsent; `reason` says why
        Confirmed,        // a confirmation matched it
        AlreadyConfirmed, // a confirmation matched it, and the log knew already
    };
    int line = 0;
    QByteArray call, qsoDate, timeOn;
    Status status = NotSent;
    QString reason;
};

// The outcome for the QSO of that line, named by its call, date and time.
QsoOutcome outcomeOf(int line, const QsoFacts& qso, QsoOutcome::Status status,
                     const QString& reason = {});

// A confirmation as a service reports it.
struct Confirmation {
    QByteArray call, band, mode, submode, qsoDate, timeOn;
    QByteArray qslrDate; // when it was confirmed (YYYYMMDD), where the service says
};

// Fields to set in one record line. `call`, `qsoDate` and `timeOn` are the
// QSO's as they were read: the line is changed only while it still holds
// that QSO.
struct LineMark {
    QByteArray call, qsoDate, timeOn;
    QList<std::pair<QByteArray, QByteArray>> fields; // tag (upper case), value
};

// The marks of one run: line -> fields, for one rewrite of the log.
class FieldChanges
{
public:
    // Sets `tag` to `value` in the line of `qso` (a later value for the same
    // tag replaces an earlier one).
    void set(int line, const QsoFacts& qso, QByteArrayView tag, QByteArrayView value);
    bool isEmpty() const { return m_lines.empty(); }
    int size() const { return int(m_lines.size()); }
    const std::map<int, LineMark>& lines() const { return m_lines; }
    const LineMark* at(int line) const;

private:
    std::map<int, LineMark> m_lines;
};

enum class ApplyResult {
    Applied,
    NotThatQso, // the line holds another QSO now: nothing changed
    NotARecord, // the line has no <eor>: nothing changed
};

// The record line with the mark's fields set: a field the line has gets the
// new value in place (its name as written, a type indicator kept), a missing
// one is added before <eor> in the line's tag case. Every other byte stays.
ApplyResult applyLineMark(QByteArrayView line, const LineMark& mark, QByteArray& out);

// Applies every mark to the log's lines: `lineAt(k)` gives line k (an empty
// view past the end), `setLine(k, text)` takes its new text. Returns the
// lines left as they were because they no longer hold the marked QSO (or no
// record), for the caller to report.
template <typename LineAt, typename SetLine>
QList<int> applyChanges(const FieldChanges& changes, LineAt&& lineAt, SetLine&& setLine)
{
    QList<int> left;
    QByteArray text;
    for (const auto& [line, mark] : changes.lines()) {
        if (applyLineMark(lineAt(line), mark, text) == ApplyResult::Applied)
            setLine(line, text);
        else
            left << line;
    }
    return left;
}

// The outcome of one run of a service.
struct RunResult {
    enum Status { Done, Failed, Cancelled };
    Status status = Done;
    QString message;              // a summary, or the reason of the failure
    QList<QsoOutcome> qsos;       // per QSO (uploads; a download's come from matching)
    FieldChanges changes;         // what the log is to take
    QList<Confirmation> received; // a download's confirmations
    bool complete = false;        // a download ended as the service ends it
    QByteArray nextCursor;        // where the next download starts, once this one is written
};

} // namespace qsl

Q_DECLARE_METATYPE(qsl::RunResult)

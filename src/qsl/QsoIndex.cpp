#include "qsl/QsoIndex.h"

#include "logdata/FieldLookup.h"

#include <QDate>

namespace qsl
{

namespace
{
char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// FNV-1a of the call in upper case.
quint64 callHash(QByteArrayView call)
{
    quint64 h = 1469598103934665603ull;
    for (char c : call) {
        h ^= quint8(upper(c));
        h *= 1099511628211ull;
    }
    return h;
}

bool sameCall(QByteArrayView stored, QByteArrayView call)
{
    if (stored.size() != call.size())
        return false;
    for (qsizetype i = 0; i < call.size(); ++i)
        if (stored[i] != upper(call[i]))
            return false;
    return true;
}

bool digits(QByteArrayView v, int& out)
{
    out = 0;
    for (char c : v) {
        if (c < '0' || c > '9')
            return false;
        out = out * 10 + (c - '0');
    }
    return !v.isEmpty();
}

bool isYes(QByteArrayView v)
{
    return v.size() == 1 && (v[0] == 'Y' || v[0] == 'y');
}

// The fields the index reads, found in one pass over the line (tags written
// all in lower or all in upper case, as loggers write them).
using R = LengthRule;
const TagSpec kCall{"<call:", "<CALL:", R::OneOrTwo, 7, -1};
const TagSpec kBand{"<band:", "<BAND:", R::OneOrTwo, 7, -1};
const TagSpec kMode{"<mode:", "<MODE:", R::OneOrTwo, 7, -1};
const TagSpec kDate{"<qso_date:", "<QSO_DATE:", R::OneOrTwo, 11, -1};
const TagSpec kTime{"<time_on:", "<TIME_ON:", R::OneOrTwo, 10, -1};
const TagSpec kSubmode{"<submode:", "<SUBMODE:", R::OneOrTwo, 10, -1};
const TagSpec* const kIndexTags[] = {&kCall, &kBand, &kMode, &kDate, &kTime, &kSubmode};
constexpr int kRequired = 5; // call to time: without them a QSO cannot match

const TagScanner& indexScanner()
{
    static const TagScanner scanner(kIndexTags, int(std::size(kIndexTags)));
    return scanner;
}

// The facts the index needs; a line whose required fields the one pass does
// not find (mixed-case tags) is read field by field.
QsoFacts indexFacts(QByteArrayView record)
{
    qsizetype hits[std::size(kIndexTags)];
    indexScanner().scan(record, hits);
    for (int i = 0; i < kRequired; ++i)
        if (hits[i] < 0)
            return readQsoFacts(record);
    QsoFacts f;
    QByteArrayView* const into[] = {&f.call, &f.band, &f.mode, &f.qsoDate, &f.timeOn, &f.submode};
    for (size_t i = 0; i < std::size(kIndexTags); ++i) {
        if (hits[i] < 0)
            continue;
        FieldValue v;
        readFieldInto(record, hits[i], *kIndexTags[i], v);
        if (v.present())
            *into[i] = v.value.trimmed();
    }
    return f;
}
} // namespace

bool qsoStart(QByteArrayView date, QByteArrayView time, qint64& seconds)
{
    int y, m, d, hh, mm, ss = 0;
    if (date.size() != 8 || !digits(date.sliced(0, 4), y) || !digits(date.sliced(4, 2), m) ||
        !digits(date.sliced(6, 2), d))
        return false;
    if ((time.size() != 4 && time.size() != 6) || !digits(time.sliced(0, 2), hh) ||
        !digits(time.sliced(2, 2), mm) || (time.size() == 6 && !digits(time.sliced(4, 2), ss)))
        return false;
    const QDate day(y, m, d);
    if (!day.isValid() || hh > 23 || mm > 59 || ss > 59)
        return false;
    seconds = (day.toJulianDay() - 2440588) * 86400 + hh * 3600 + mm * 60 + ss;
    return true;
}

int QsoIndex::codeOf(std::vector<QByteArray>& table, QByteArrayView text, bool addNew) const
{
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].size() == text.size() && sameCall(table[i], text))
            return int(i) + 1;
    if (!addNew || table.size() >= 250)
        return 0;
    table.push_back(text.toByteArray().toUpper());
    return int(table.size());
}

void QsoIndex::reserve(int qsos)
{
    m_entries.reserve(size_t(qsos));
    m_calls.reserve(qsizetype(qsos) * 6);
}

bool QsoIndex::add(int line, QByteArrayView record)
{
    const QsoFacts f = indexFacts(record);
    qint64 start = 0;
    if (f.call.isEmpty() || f.band.isEmpty() || f.mode.isEmpty() || f.call.size() > 0xFFFF ||
        !qsoStart(f.qsoDate, f.timeOn, start))
        return false;
    const QByteArrayView modeText = f.submode.isEmpty() ? f.mode : f.submode;
    const int band = codeOf(m_bands, f.band, true);
    const int mode = codeOf(m_modes, modeText, true);
    if (band == 0 || mode == 0)
        return false;
    Entry e{};
    e.hash = callHash(f.call);
    e.start = start;
    e.line = line;
    e.next = -1;
    e.callAt = quint32(m_calls.size());
    e.callLength = quint16(f.call.size());
    const qsizetype at = m_calls.size();
    m_calls.resize(at + f.call.size());
    char* to = m_calls.data() + at;
    for (char c : f.call)
        *to++ = upper(c);
    e.band = quint8(band);
    e.mode = quint16(mode);
    m_entries.push_back(e);
    return true;
}

int QsoIndex::slotOf(quint64 hash) const
{
    const size_t mask = m_slots.size() - 1;
    size_t s = size_t(hash) & mask;
    while (m_slots[s] >= 0 && m_entries[size_t(m_slots[s])].hash != hash)
        s = (s + 1) & mask;
    return int(s);
}

void QsoIndex::finish()
{
    size_t n = 16;
    while (n < m_entries.size() * 2)
        n *= 2;
    m_slots.assign(n, -1);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const int s = slotOf(m_entries[i].hash);
        m_entries[i].next = m_slots[size_t(s)];
        m_slots[size_t(s)] = qint32(i);
    }
}

QVarLengthArray<int, 4> QsoIndex::find(QByteArrayView call, QByteArrayView band,
                                       QByteArrayView mode, qint64 start) const
{
    QVarLengthArray<int, 4> hits;
    if (m_slots.empty())
        return hits;
    const int b = codeOf(m_bands, band.trimmed(), false);
    const int m = codeOf(m_modes, mode.trimmed(), false);
    const quint64 h = callHash(call.trimmed());
    if (b == 0 || m == 0)
        return hits;
    for (qint32 i = m_slots[size_t(slotOf(h))]; i >= 0; i = m_entries[size_t(i)].next) {
        const Entry& e = m_entries[size_t(i)];
        if (e.band == b && e.mode == m && qAbs(e.start - start) <= kWindowSeconds &&
            sameCall(QByteArrayView(m_calls).sliced(e.callAt, e.callLength), call.trimmed()))
            hits.append(e.line);
    }
    return hits;
}

MatchPlan planMatches(const QsoIndex& index, const QList<Confirmation>& received)
{
    MatchPlan plan;
    for (qsizetype i = 0; i < received.size(); ++i) {
        const Confirmation& c = received[i];
        qint64 start = 0;
        QVarLengthArray<int, 4> hits;
        if (qsoStart(c.qsoDate, c.timeOn, start))
            hits = index.find(c.call, c.band, c.submode.trimmed().isEmpty() ? c.mode : c.submode,
                              start);
        if (hits.size() == 1) {
            plan.matched.append({i, hits[0]});
        } else if (hits.isEmpty()) {
            plan.unmatched.append(c);
        } else {
            Ambiguous a{c, QList<int>(hits.begin(), hits.end())};
            std::sort(a.lines.begin(), a.lines.end());
            plan.ambiguous.append(a);
        }
    }
    return plan;
}

void addConfirmationMark(MatchReport& report, const Confirmation& c, int line,
                         QByteArrayView record, Service service, QByteArrayView today)
{
    const QsoFacts f = readQsoFacts(record);
    QsoOutcome o = outcomeOf(line, f, QsoOutcome::Confirmed);
    const bool known = service == Service::Eqsl ? isYes(f.eqslRcvd) : isYes(f.lotwRcvd);
    if (known) {
        o.status = QsoOutcome::AlreadyConfirmed;
    } else {
        o.status = QsoOutcome::Confirmed;
        qint64 unused;
        const QByteArrayView date =
            qsoStart(c.qslrDate, "0000", unused) ? QByteArrayView(c.qslrDate) : today;
        const bool eqsl = service == Service::Eqsl;
        report.changes.set(line, f, eqsl ? "EQSL_QSL_RCVD" : "LOTW_QSL_RCVD", "Y");
        report.changes.set(line, f, eqsl ? "EQSL_QSLRDATE" : "LOTW_QSLRDATE", date);
    }
    report.matched.append(o);
}

} // namespace qsl

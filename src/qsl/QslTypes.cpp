#include "qsl/QslTypes.h"

#include "logdata/AdifRecord.h"

#include <algorithm>

namespace qsl
{

namespace
{
bool isYes(QByteArrayView v)
{
    return v.size() == 1 && (v[0] == 'Y' || v[0] == 'y');
}

// Where the record's "<eor>" begins (case-insensitive), from `from`; -1 if none.
qsizetype eorAt(QByteArrayView line, qsizetype from)
{
    for (qsizetype at = line.indexOf('<', from); at >= 0; at = line.indexOf('<', at + 1))
        if (at + 5 <= line.size() && adif::nameIs(line.sliced(at + 1, 3), "eor") &&
            line[at + 4] == '>')
            return at;
    return -1;
}

bool hasLowerCase(QByteArrayView name)
{
    for (char c : name)
        if (c >= 'a' && c <= 'z')
            return true;
    return false;
}
} // namespace

QsoFacts readQsoFacts(QByteArrayView record)
{
    QsoFacts f;
    for (const adif::Field& field : adif::parseRecord(record)) {
        const QByteArrayView n = field.name;
        QByteArrayView* into = nullptr;
        if (adif::nameIs(n, "call"))
            into = &f.call;
        else if (adif::nameIs(n, "band"))
            into = &f.band;
        else if (adif::nameIs(n, "mode"))
            into = &f.mode;
        else if (adif::nameIs(n, "submode"))
            into = &f.submode;
        else if (adif::nameIs(n, "qso_date"))
            into = &f.qsoDate;
        else if (adif::nameIs(n, "time_on"))
            into = &f.timeOn;
        else if (adif::nameIs(n, "qslrdate"))
            into = &f.qslrDate;
        else if (adif::nameIs(n, "eqsl_qsl_sent"))
            into = &f.eqslSent;
        else if (adif::nameIs(n, "eqsl_qsl_rcvd"))
            into = &f.eqslRcvd;
        else if (adif::nameIs(n, "lotw_qsl_sent"))
            into = &f.lotwSent;
        else if (adif::nameIs(n, "lotw_qsl_rcvd"))
            into = &f.lotwRcvd;
        // The first occurrence counts, as for every reader of the log.
        if (into && into->isNull())
            *into = field.value.trimmed().isEmpty() ? QByteArrayView("") : field.value.trimmed();
    }
    return f;
}

QByteArray comparedMode(QByteArrayView mode, QByteArrayView submode)
{
    return (submode.trimmed().isEmpty() ? mode : submode).trimmed().toByteArray().toUpper();
}

bool needsUpload(QByteArrayView record, Service service)
{
    const QsoFacts f = readQsoFacts(record);
    return !isYes(service == Service::Eqsl ? f.eqslSent : f.lotwSent);
}

QsoOutcome outcomeOf(int line, const QsoFacts& qso, QsoOutcome::Status status,
                     const QString& reason)
{
    QsoOutcome o;
    o.line = line;
    o.call = qso.call.toByteArray();
    o.qsoDate = qso.qsoDate.toByteArray();
    o.timeOn = qso.timeOn.toByteArray();
    o.status = status;
    o.reason = reason;
    return o;
}

void FieldChanges::set(int line, const QsoFacts& qso, QByteArrayView tag, QByteArrayView value)
{
    LineMark& m = m_lines[line];
    if (m.fields.isEmpty()) {
        m.call = qso.call.toByteArray();
        m.qsoDate = qso.qsoDate.toByteArray();
        m.timeOn = qso.timeOn.toByteArray();
    }
    const QByteArray t = tag.toByteArray().toUpper();
    for (auto& f : m.fields)
        if (f.first == t) {
            f.second = value.toByteArray();
            return;
        }
    m.fields.append({t, value.toByteArray()});
}

const LineMark* FieldChanges::at(int line) const
{
    const auto it = m_lines.find(line);
    return it == m_lines.end() ? nullptr : &it->second;
}

ApplyResult applyLineMark(QByteArrayView line, const LineMark& mark, QByteArray& out)
{
    const std::vector<adif::Field> fields = adif::parseRecord(line);
    const qsizetype eor = eorAt(line, fields.empty() ? 0 : fields.back().end);
    if (eor < 0)
        return ApplyResult::NotARecord;
    const QsoFacts now = readQsoFacts(line);
    if (now.call != mark.call || now.qsoDate != mark.qsoDate || now.timeOn != mark.timeOn)
        return ApplyResult::NotThatQso;

    struct Edit {
        qsizetype begin, end;
        QByteArray text;
    };
    std::vector<Edit> edits;
    QByteArray added;
    const bool lower = !fields.empty() && hasLowerCase(fields.front().name);
    for (const auto& [tag, value] : mark.fields) {
        const adif::Field* f = adif::findField(fields, tag.toLower());
        const QByteArray length = QByteArray::number(value.size());
        if (!f) {
            added += '<' + (lower ? tag.toLower() : tag) + ':' + length + '>' + value + ' ';
            continue;
        }
        // "<name:length[:type]>": the type indicator is what follows the digits.
        const qsizetype valueAt = f->end - f->value.size();
        qsizetype d = f->begin + 1 + f->name.size() + 1;
        while (d < valueAt && line[d] >= '0' && line[d] <= '9')
            ++d;
        const QByteArrayView type = line.sliced(d, valueAt - 1 - d);
        edits.push_back(
            {f->begin, f->end,
             '<' + f->name.toByteArray() + ':' + length + type.toByteArray() + '>' + value});
    }
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    out.clear();
    out.reserve(line.size() + added.size() + 32);
    qsizetype pos = 0;
    for (const Edit& e : edits) {
        out += line.sliced(pos, e.begin - pos);
        out += e.text;
        pos = e.end;
    }
    out += line.sliced(pos, eor - pos);
    out += added;
    out += line.sliced(eor);
    return ApplyResult::Applied;
}

} // namespace qsl

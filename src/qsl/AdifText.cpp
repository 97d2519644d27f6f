#include "qsl/AdifText.h"

#include "logdata/AdifRecord.h"

namespace qsl
{

namespace
{
// Where the marker <name> begins in `text` from `from` (any case); -1 if none.
qsizetype markerAt(QByteArrayView text, QByteArrayView lowerName, qsizetype from = 0)
{
    const qsizetype n = lowerName.size();
    for (qsizetype at = text.indexOf('<', from); at >= 0; at = text.indexOf('<', at + 1))
        if (at + n + 2 <= text.size() && text[at + n + 1] == '>' &&
            adif::nameIs(text.sliced(at + 1, n), lowerName))
            return at;
    return -1;
}

void appendField(QByteArray& out, QByteArrayView tag, QByteArrayView value)
{
    out += '<' + tag.toByteArray() + ':' + QByteArray::number(value.size()) + '>' +
           value.toByteArray() + ' ';
}

bool isMfskSubmode(QByteArrayView mode)
{
    for (const char* s : {"FT4", "FST4", "FST4W", "JS8", "Q65"})
        if (adif::nameIs(mode, QByteArray(s).toLower()))
            return true;
    return false;
}
} // namespace

AdifFileParts splitAdifFile(QByteArrayView file)
{
    AdifFileParts parts;
    qsizetype pos = 0;
    const qsizetype eoh = markerAt(file, "eoh");
    if (eoh >= 0) {
        parts.hasHeader = true;
        parts.header = file.sliced(0, eoh);
        pos = eoh + 5;
    }
    while (pos < file.size()) {
        // The fields first, so that an "<eor>" inside a value ends nothing.
        const QByteArrayView rest = file.sliced(pos);
        const std::vector<adif::Field> fields = adif::parseRecord(rest);
        const qsizetype eor = markerAt(rest, "eor", fields.empty() ? 0 : fields.back().end);
        if (eor < 0)
            break;
        parts.records.append(rest.sliced(0, eor + 5));
        pos += eor + 5;
    }
    parts.tail = file.sliced(qMin(pos, file.size()));
    return parts;
}

QByteArrayView fieldValue(QByteArrayView text, QByteArrayView lowerName)
{
    const std::vector<adif::Field> fields = adif::parseRecord(text);
    const adif::Field* f = adif::findField(fields, lowerName);
    return f ? f->value : QByteArrayView();
}

bool hasMarker(QByteArrayView text, QByteArrayView lowerName)
{
    return markerAt(text, lowerName) >= 0;
}

Confirmation confirmationFrom(QByteArrayView record)
{
    const QsoFacts f = readQsoFacts(record);
    Confirmation c;
    c.call = f.call.toByteArray();
    c.band = f.band.toByteArray();
    c.mode = f.mode.toByteArray();
    c.submode = f.submode.toByteArray();
    c.qsoDate = f.qsoDate.toByteArray();
    c.timeOn = f.timeOn.toByteArray();
    c.qslrDate = f.qslrDate.toByteArray();
    return c;
}

QByteArray uploadRecord(QByteArrayView record, QByteArrayView qslMessage)
{
    const std::vector<adif::Field> fields = adif::parseRecord(record);
    auto value = [&fields](QByteArrayView lower) {
        const adif::Field* f = adif::findField(fields, lower);
        return f ? f->value.trimmed() : QByteArrayView();
    };
    const QsoFacts facts = readQsoFacts(record);
    if (facts.call.isEmpty() || facts.qsoDate.isEmpty() || facts.timeOn.isEmpty() ||
        facts.band.isEmpty() || facts.mode.isEmpty())
        return {};
    QByteArray out;
    appendField(out, "QSO_DATE", facts.qsoDate);
    appendField(out, "TIME_ON", facts.timeOn);
    appendField(out, "CALL", facts.call);
    appendField(out, "BAND", facts.band);
    if (facts.submode.isEmpty() && isMfskSubmode(facts.mode)) {
        appendField(out, "MODE", "MFSK");
        appendField(out, "SUBMODE", facts.mode.toByteArray().toUpper());
    } else {
        appendField(out, "MODE", facts.mode);
        if (!facts.submode.isEmpty())
            appendField(out, "SUBMODE", facts.submode);
    }
    for (const char* tag : {"freq", "band_rx", "freq_rx", "prop_mode", "sat_name", "rst_sent"}) {
        const QByteArrayView v = value(tag);
        if (!v.isEmpty())
            appendField(out, QByteArray(tag).toUpper(), v);
    }
    if (!qslMessage.isEmpty())
        appendField(out, "QSLMSG", qslMessage);
    out += "<EOR>";
    return out;
}

QByteArray uploadFile(const QList<QByteArray>& records)
{
    QByteArray out = "Vosmira QSL upload\r\n<ADIF_VER:5>3.1.4 <PROGRAMID:7>Vosmira <EOH>\r\n";
    for (const QByteArray& r : records)
        out += r + "\r\n";
    return out;
}

} // namespace qsl

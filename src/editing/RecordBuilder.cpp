#include "editing/RecordBuilder.h"

namespace record
{
QByteArray without(QByteArrayView text, char c)
{
    QByteArray out;
    out.reserve(text.size());
    for (char ch : text)
        if (ch != c)
            out.append(ch);
    return out;
}

QByteArray fileTime(QByteArrayView displayTime)
{
    QByteArray t = without(displayTime, ':');
    if (t.isEmpty())
        return t;
    t.insert(qMin<qsizetype>(4, t.size()), '0');
    t.insert(qMin<qsizetype>(5, t.size()), '0');
    return t;
}

void appendField(QByteArray& out, QByteArrayView tag, QByteArrayView value)
{
    // The declared length is the value's real length, whatever its number of
    // digits, so the record reads back whole (a comment of 150 characters, a
    // frequency of 10).
    out.append('<').append(tag).append(':').append(QByteArray::number(value.size()));
    out.append('>').append(value);
}

QByteArray build(const EditFieldSet& f, QByteArrayView fileDate, QByteArrayView fileTimeText)
{
    QByteArray out;
    out.reserve(240 + f.comment.size());
    appendField(out, "call", f.call);
    appendField(out, "qso_date", fileDate);
    appendField(out, "time_on", fileTimeText);
    appendField(out, "freq", f.freq);
    appendField(out, "band", f.band);
    appendField(out, "mode", f.mode);
    appendField(out, "rst_rcvd", f.rstRcvd);
    appendField(out, "rst_sent", f.rstSent);
    appendField(out, "gridsquare", f.locator);
    appendField(out, "qsl_sent", f.qslSent);
    appendField(out, "qsl_rcvd", f.qslRcvd);
    appendField(out, "eqsl_qsl_rcvd", f.eqslRcvd);
    appendField(out, "eqsl_qsl_sent", f.eqslSent);
    appendField(out, "comment", f.comment);
    out.append(" <eor>");
    return out;
}
} // namespace record

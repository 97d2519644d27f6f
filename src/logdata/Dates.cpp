#include "logdata/Dates.h"

namespace
{
constexpr int kDateBufferMax = 20;

QByteArray cut(QByteArray s, int max)
{
    if (s.size() > max)
        s.truncate(max);
    return s;
}
} // namespace

QByteArrayView charsAt(QByteArrayView text, int from, int to)
{
    const qsizetype start = from - 1;
    if (start >= text.size() || to < from)
        return QByteArrayView("", 0);
    const qsizetype len = qMin<qsizetype>(to - from + 1, text.size() - start);
    return text.sliced(start, len);
}

QByteArray toDisplayDate(QByteArrayView d)
{
    char buf[24];
    return cut(displayDateInto(d, buf).toByteArray(), kDateBufferMax);
}

QByteArray toAdifDate(QByteArrayView d)
{
    QByteArray out;
    out.append(charsAt(d, 5, 8)).append(charsAt(d, 3, 4)).append(charsAt(d, 1, 2));
    return cut(out, kDateBufferMax);
}

QByteArray datumReconv(QByteArrayView d)
{
    QByteArray out;
    out.append(charsAt(d, 7, 10)).append(charsAt(d, 4, 5)).append(charsAt(d, 1, 2));
    return cut(out, kDateBufferMax);
}

qsizetype displayTimeLength(qsizetype available, int declared)
{
    // HHMMSS loses its seconds; HHMM (ADIF allows it) is shown whole.
    const qsizetype wanted = declared == 4 ? 4 : declared - 2;
    return qMax<qsizetype>(0, qMin<qsizetype>(wanted, available));
}

QByteArrayView displayDateInto(QByteArrayView d, char* buf)
{
    if (d.size() == 8) { // the usual YYYYMMDD, without the general slicing
        const char* s = d.data();
        buf[0] = s[6], buf[1] = s[7], buf[2] = '.', buf[3] = s[4], buf[4] = s[5], buf[5] = '.';
        buf[6] = s[0], buf[7] = s[1], buf[8] = s[2], buf[9] = s[3];
        return QByteArrayView(buf, 10);
    }
    const QByteArrayView day = charsAt(d, 7, 8), month = charsAt(d, 5, 6), year = charsAt(d, 1, 4);
    char* p = buf;
    for (char c : day)
        *p++ = c;
    *p++ = '.';
    for (char c : month)
        *p++ = c;
    *p++ = '.';
    for (char c : year)
        *p++ = c;
    return QByteArrayView(buf, p - buf);
}

QByteArrayView displayTimeInto(QByteArrayView value, int declared, char* buf, bool insertAlways)
{
    const qsizetype keep = displayTimeLength(value.size(), declared);
    if (keep == 0 && !insertAlways)
        return QByteArrayView(buf, 0);
    const qsizetype head = qMin<qsizetype>(2, keep);
    char* p = buf;
    for (qsizetype i = 0; i < head; ++i)
        *p++ = value[i];
    *p++ = ':';
    for (qsizetype i = head; i < keep; ++i)
        *p++ = value[i];
    return QByteArrayView(buf, p - buf);
}

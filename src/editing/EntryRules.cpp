#include "editing/EntryRules.h"

#include "logdata/TextCodec.h"

#include <QDate>

namespace entry
{
namespace
{
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(QByteArrayView t)
{
    for (char c : t)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int number(QByteArrayView t)
{
    int n = 0;
    for (char c : t)
        n = n * 10 + (c - '0');
    return n;
}

QByteArray twoDigits(int n)
{
    return QByteArray::number(n).rightJustified(2, '0');
}
} // namespace

QChar filterKey(KeySet set, QChar key)
{
    const char16_t k = key.unicode();
    const bool editKey = k == kBackspace || k == kEnter;
    switch (set) {
    case KeySet::All:
        return key;
    case KeySet::Date:
        if (k == u',')
            return QChar(u'.');
        return editKey || k == kTab || isDigit(key) || k == u'.' ? key : QChar();
    case KeySet::Time:
        if (k == u'.' || k == u',')
            return QChar(u':');
        return editKey || isDigit(key) || k == u':' ? key : QChar();
    case KeySet::Freq:
        if (k == u',')
            return QChar(u'.');
        return editKey || isDigit(key) || k == u'.' ? key : QChar();
    case KeySet::Rst:
        return editKey || isDigit(key) || k == u'+' || k == u'-' ? key : QChar();
    case KeySet::Eqsl:
        if (k == u'y')
            return QChar(u'Y');
        return editKey || k == kTab || k == u'Y' ? key : QChar();
    }
    return QChar();
}

Checked checkDate(QByteArrayView text)
{
    Checked out;
    if (text.isEmpty())
        return out;
    out.status = Checked::Invalid;
    QByteArrayView day, month, year;
    if (text.contains('.')) {
        const qsizetype first = text.indexOf('.');
        const qsizetype second = text.sliced(first + 1).indexOf('.');
        if (second < 0)
            return out;
        day = text.first(first);
        month = text.sliced(first + 1, second);
        year = text.sliced(first + 2 + second);
        if (year.contains('.'))
            return out;
        if (day.isEmpty() || day.size() > 2 || month.isEmpty() || month.size() > 2 ||
            year.size() != 4)
            return out;
    } else {
        if (text.size() != 8)
            return out;
        day = text.first(2);
        month = text.sliced(2, 2);
        year = text.sliced(4, 4);
    }
    if (!allDigits(day) || !allDigits(month) || !allDigits(year))
        return out;
    const int d = number(day), m = number(month), y = number(year);
    if (!QDate(y, m, d).isValid())
        return out;
    out.status = Checked::Valid;
    out.value = twoDigits(d) + '.' + twoDigits(m) + '.' + year.toByteArray();
    return out;
}

Checked checkTime(QByteArrayView text)
{
    Checked out;
    if (text.isEmpty())
        return out;
    out.status = Checked::Invalid;
    QByteArrayView hour, minute;
    const qsizetype colon = text.indexOf(':');
    if (colon >= 0) {
        hour = text.first(colon);
        minute = text.sliced(colon + 1);
        if (hour.isEmpty() || hour.size() > 2 || minute.isEmpty() || minute.size() > 2)
            return out;
    } else if (text.size() == 3 || text.size() == 4) {
        hour = text.first(text.size() - 2);
        minute = text.last(2);
    } else {
        return out;
    }
    if (!allDigits(hour) || !allDigits(minute))
        return out;
    const int h = number(hour), m = number(minute);
    if (h > 23 || m > 59)
        return out;
    out.status = Checked::Valid;
    out.value = twoDigits(h) + ':' + twoDigits(m);
    return out;
}

QByteArray cut(QByteArrayView text, int max)
{
    if (max >= 0 && text.size() > max) {
        qsizetype n = max;
        // A UTF-8 value is not cut inside a character.
        if (text::isUtf8Text(text))
            while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
                --n;
        text = text.first(n);
    }
    return text.toByteArray();
}
} // namespace entry

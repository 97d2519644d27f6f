#include "logdata/TextCodec.h"

#include "logdata/Cp1252.h"

namespace text
{

bool hasHighBytes(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

namespace
{
// The length of the UTF-8 sequence a lead byte starts, 0 for a byte that
// cannot start one.
int sequenceLength(unsigned char b)
{
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return 2;
    if (b >= 0xE0 && b <= 0xEF)
        return 3;
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    return 0;
}

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}
} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        const int len = sequenceLength(b);
        if (len == 0 || i + len > n)
            return false;
        for (int k = 1; k < len; ++k)
            if (!isContinuation(p[i + k]))
                return false;
        // Overlong three- and four-byte forms, surrogates, beyond U+10FFFF.
        if (b == 0xE0 && p[i + 1] < 0xA0)
            return false;
        if (b == 0xED && p[i + 1] >= 0xA0)
            return false;
        if (b == 0xF0 && p[i + 1] < 0x90)
            return false;
        if (b == 0xF4 && p[i + 1] >= 0x90)
            return false;
        i += len;
    }
    return true;
}

QString decode(QByteArrayView bytes)
{
    if (isUtf8Text(bytes))
        return QString::fromUtf8(bytes);
    return Cp1252::toUnicode(bytes);
}

qsizetype charBoundary(QByteArrayView line, qsizetype valueStart, qsizetype end)
{
    const qsizetype n = line.size();
    if (end <= valueStart || end >= n)
        return qMin(end, n);
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    if (!isContinuation(p[end]))
        return end;
    // The lead byte of the character `end` falls into, within the value.
    qsizetype lead = end - 1;
    while (lead > valueStart && isContinuation(p[lead]) && end - lead < 4)
        --lead;
    const int len = sequenceLength(p[lead]);
    if (len < 2 || lead + len <= end || lead + len > n)
        return end;
    for (qsizetype k = lead + 1; k < lead + len; ++k)
        if (!isContinuation(p[k]))
            return end;
    return lead + len;
}

bool fitsCp1252(const QString& text)
{
    const QByteArray bytes = Cp1252::fromUnicode(text);
    return Cp1252::toUnicode(bytes) == text;
}

QByteArray encode(const QString& text, bool utf8, bool* ok)
{
    if (utf8) {
        if (ok)
            *ok = true;
        return text.toUtf8();
    }
    if (ok)
        *ok = fitsCp1252(text);
    return Cp1252::fromUnicode(text);
}

} // namespace text

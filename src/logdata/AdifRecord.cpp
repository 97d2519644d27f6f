#include "logdata/AdifRecord.h"

#include "logdata/TextCodec.h"

namespace adif
{

namespace
{
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

bool nameIs(QByteArrayView name, QByteArrayView lower)
{
    if (name.size() != lower.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != lower[i])
            return false;
    }
    return true;
}

std::vector<Field> parseRecord(QByteArrayView line)
{
    std::vector<Field> fields;
    const qsizetype n = line.size();
    qsizetype pos = 0;
    while (pos < n) {
        const qsizetype open = line.indexOf('<', pos);
        if (open < 0)
            break;
        // The name runs to ':' or '>'.
        qsizetype p = open + 1;
        while (p < n && line[p] != ':' && line[p] != '>' && line[p] != '<')
            ++p;
        if (p >= n)
            break;
        if (line[p] == '<') { // a stray '<': look again from there
            pos = p;
            continue;
        }
        const QByteArrayView name = line.sliced(open + 1, p - open - 1);
        if (line[p] == '>') {
            if (nameIs(name, "eor"))
                break;
            pos = p + 1; // "<eoh>" or another marker without a value
            continue;
        }
        // The length: decimal digits, then '>' or ":type>".
        qsizetype d = p + 1;
        qint64 length = 0;
        while (d < n && isDigit(line[d]) && length <= 0x7FFFFFFF) {
            length = length * 10 + (line[d] - '0');
            ++d;
        }
        if (d == p + 1 || d >= n) {
            pos = p + 1;
            continue;
        }
        if (line[d] == ':') {
            qsizetype t = d + 1;
            while (t < n && line[t] != '>' && line[t] != '<')
                ++t;
            if (t >= n || line[t] != '>') {
                pos = d;
                continue;
            }
            d = t;
        }
        if (line[d] != '>') {
            pos = d;
            continue;
        }
        const qsizetype v = d + 1;
        qsizetype take = qMin<qint64>(length, n - v);
        if (text::insideCharacter(line, v + take))
            take = text::charBoundary(line, v, v + take) - v;
        Field f;
        f.name = name;
        f.value = line.sliced(v, take);
        f.declared = qsizetype(length);
        f.cutShort = take < length;
        f.begin = open;
        f.end = v + take;
        fields.push_back(f);
        pos = f.end;
    }
    return fields;
}

const Field* findField(const std::vector<Field>& fields, QByteArrayView lower)
{
    for (const Field& f : fields)
        if (nameIs(f.name, lower))
            return &f;
    return nullptr;
}

} // namespace adif

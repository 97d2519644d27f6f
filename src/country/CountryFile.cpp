#include "country/CountryFile.h"

#include <QCoreApplication>

namespace country
{
namespace
{

bool isCallChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool readContinent(QByteArrayView text, char (&out)[2])
{
    static constexpr const char* kContinents[] = {"EU", "AS", "AF", "NA", "SA", "OC", "AN"};
    for (const char* c : kContinents)
        if (text == QByteArrayView(c, 2)) {
            out[0] = c[0];
            out[1] = c[1];
            return true;
        }
    return false;
}

bool readZone(QByteArrayView text, int highest, quint8& out)
{
    bool ok = false;
    const int zone = text.trimmed().toInt(&ok);
    if (!ok || zone < 1 || zone > highest)
        return false;
    out = quint8(zone);
    return true;
}

bool readNumber(QByteArrayView text, double lowest, double highest, float& out)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || v < lowest || v > highest)
        return false;
    out = float(v);
    return true;
}

// The entity's values from the file's fields (longitude and offset west positive).
bool readLocation(QByteArrayView cq, QByteArrayView itu, QByteArrayView continent,
                  QByteArrayView latitude, QByteArrayView longitude, QByteArrayView offset,
                  Location& out)
{
    float lon = 0, off = 0;
    if (!readZone(cq, 40, out.cqZone) || !readZone(itu, 90, out.ituZone) ||
        !readContinent(continent.trimmed(), out.continent) ||
        !readNumber(latitude, -90, 90, out.latitude) || !readNumber(longitude, -180, 180, lon) ||
        !readNumber(offset, -15, 15, off))
        return false;
    out.longitude = lon == 0 ? 0 : -lon;
    out.utcOffset = off == 0 ? 0 : -off;
    return true;
}

// One list item: "=CALL", "PREFIX", each with optional overrides.
bool readItem(QByteArrayView token, int entity, const Location& base, FileItem& out)
{
    out = FileItem{};
    out.entity = entity;
    out.location = base;
    qsizetype i = 0;
    if (token.startsWith('=')) {
        out.wholeCall = true;
        ++i;
    }
    const qsizetype n = token.size();
    while (i < n && QByteArrayView("([<{~").indexOf(token[i]) < 0) {
        const char c = upper(token[i++]);
        if (!isCallChar(c))
            return false;
        out.text += c;
    }
    if (out.text.isEmpty())
        return false;
    while (i < n) {
        const char open = token[i];
        const char close = open == '('   ? ')'
                           : open == '[' ? ']'
                           : open == '<' ? '>'
                           : open == '{' ? '}'
                                         : open;
        const qsizetype end = token.indexOf(close, i + 1);
        if (end < 0)
            return false;
        const QByteArrayView inner = token.sliced(i + 1, end - i - 1);
        bool ok = false;
        switch (open) {
        case '(':
            ok = readZone(inner, 40, out.location.cqZone);
            break;
        case '[':
            ok = readZone(inner, 90, out.location.ituZone);
            break;
        case '{':
            ok = readContinent(inner, out.location.continent);
            break;
        case '<': {
            const qsizetype slash = inner.indexOf('/');
            float lon = 0;
            ok = slash > 0 && readNumber(inner.first(slash), -90, 90, out.location.latitude) &&
                 readNumber(inner.sliced(slash + 1), -180, 180, lon);
            out.location.longitude = lon == 0 ? 0 : -lon;
            break;
        }
        case '~': {
            float off = 0;
            ok = readNumber(inner, -15, 15, off);
            out.location.utcOffset = off == 0 ? 0 : -off;
            break;
        }
        default:
            break;
        }
        if (!ok)
            return false;
        i = end + 1;
    }
    return true;
}

// The items of one entity's list, separated by blanks, commas or line ends.
bool readList(QByteArrayView list, int entity, CountryFileData& out)
{
    const Location base = out.entities[size_t(entity)].location;
    qsizetype i = 0;
    const qsizetype n = list.size();
    bool any = false;
    while (i < n) {
        while (i < n && (list[i] == ' ' || list[i] == ',' || list[i] == '\t' || list[i] == '\r' ||
                         list[i] == '\n'))
            ++i;
        const qsizetype start = i;
        while (i < n && list[i] != ' ' && list[i] != ',' && list[i] != '\t' && list[i] != '\r' &&
               list[i] != '\n')
            ++i;
        if (i == start)
            continue;
        FileItem item;
        if (!readItem(list.sliced(start, i - start), entity, base, item))
            return false;
        out.items.push_back(std::move(item));
        any = true;
    }
    return any;
}

bool readPrimary(QByteArrayView prefix, FileEntity& e)
{
    prefix = prefix.trimmed();
    if (prefix.startsWith('*')) {
        e.waeOnly = true;
        prefix = prefix.sliced(1);
    }
    for (char c : prefix)
        e.primaryPrefix += upper(c);
    return !e.primaryPrefix.isEmpty();
}

QString lineError(int line)
{
    return QCoreApplication::translate("CountryFile", "line %1 is not a country file entry")
        .arg(line);
}

bool finish(CountryFileData& data, CountryFileData& out, QString* error)
{
    if (data.entities.empty()) {
        if (error)
            *error = QCoreApplication::translate("CountryFile", "the file holds no entities");
        return false;
    }
    out = std::move(data);
    return true;
}

} // namespace

bool parseCtyCsv(QByteArrayView text, CountryFileData& out, QString* error)
{
    CountryFileData data;
    int lineNumber = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf('\n', pos);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(pos, end - pos).trimmed();
        pos = end + 1;
        ++lineNumber;
        if (line.isEmpty())
            continue;
        QByteArrayView f[10];
        qsizetype at = 0;
        bool ok = true;
        for (int k = 0; k < 9 && ok; ++k) {
            const qsizetype comma = line.indexOf(',', at);
            ok = comma >= 0;
            if (ok) {
                f[k] = line.sliced(at, comma - at);
                at = comma + 1;
            }
        }
        if (ok) {
            f[9] = line.sliced(at).trimmed();
            ok = f[9].endsWith(';');
        }
        FileEntity e;
        bool dxccOk = false;
        if (ok) {
            e.name = QString::fromUtf8(f[1].trimmed());
            e.dxcc = f[2].trimmed().toInt(&dxccOk);
            ok = readPrimary(f[0], e) && !e.name.isEmpty() && dxccOk && e.dxcc > 0 &&
                 e.dxcc < 1000 && readLocation(f[4], f[5], f[3], f[6], f[7], f[8], e.location);
        }
        if (ok) {
            data.entities.push_back(std::move(e));
            ok = readList(f[9].chopped(1), int(data.entities.size()) - 1, data);
        }
        if (!ok) {
            if (error)
                *error = lineError(lineNumber);
            return false;
        }
    }
    return finish(data, out, error);
}

} // namespace country

#include "country/CountryResolver.h"

#include <algorithm>

namespace country
{
namespace
{

int symbolOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return 10 + (c - 'A');
    if (c == '/')
        return 36;
    return -1;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

// Suffixes that say how the station works, not where.
bool isModifier(QByteArrayView part)
{
    static constexpr const char* kModifiers[] = {"P",    "M",  "A",    "B",    "J",    "R",  "QRP",
                                                 "QRPP", "LH", "LGT",  "ANT",  "YOTA", "FF", "AE",
                                                 "AG",   "KT", "POTA", "SOTA", "IOTA"};
    for (const char* m : kModifiers)
        if (part == QByteArrayView(m))
            return true;
    return false;
}

// A suffix of digits only (/1 ... /0, also longer runs of digits).
bool isDigits(QByteArrayView part)
{
    return !part.isEmpty() && std::all_of(part.begin(), part.end(), isDigit);
}

// The call's prefix with its call-area digit: everything up to the end of the
// first run of digits after the first character ("W6", "UA9", "3DA0").
qsizetype areaEnd(QByteArrayView call)
{
    qsizetype i = 1;
    while (i < call.size() && !isDigit(call[i]))
        ++i;
    if (i >= call.size())
        return -1;
    while (i < call.size() && isDigit(call[i]))
        ++i;
    return i;
}

} // namespace

CountryResolver::CountryResolver(CountryFileData data) : m_data(std::move(data))
{
    m_nodes.emplace_back();
    int highest = 0;
    for (const FileEntity& e : m_data.entities)
        highest = std::max(highest, e.dxcc);
    m_dxccLine.assign(size_t(highest) + 1, -1);
    for (int i = 0; i < int(m_data.entities.size()); ++i) {
        const FileEntity& e = m_data.entities[size_t(i)];
        int& line = m_dxccLine[size_t(e.dxcc)];
        if (line < 0 || (m_data.entities[size_t(line)].waeOnly && !e.waeOnly))
            line = i;
    }
    for (int dxcc = 1; dxcc <= highest; ++dxcc)
        if (m_dxccLine[size_t(dxcc)] >= 0)
            m_dxccNumbers.push_back(dxcc);
    m_wholeCalls.reserve(qsizetype(m_data.items.size()));
    for (int i = 0; i < int(m_data.items.size()); ++i) {
        const FileItem& item = m_data.items[size_t(i)];
        if (item.wholeCall) {
            // A call listed twice keeps its first line, as a prefix does.
            if (!m_wholeCalls.contains(item.text))
                m_wholeCalls.insert(item.text, i);
        } else {
            insertPrefix(item.text, i);
            ++m_prefixCount;
        }
    }
}

void CountryResolver::insertPrefix(const QByteArray& text, int item)
{
    int node = 0;
    for (char c : text) {
        const int s = symbolOf(c);
        if (s < 0)
            return; // the parser lets no such character through
        qint32 next = m_nodes[size_t(node)].child[size_t(s)];
        if (next < 0) {
            next = qint32(m_nodes.size());
            m_nodes[size_t(node)].child[size_t(s)] = next;
            m_nodes.emplace_back();
        }
        node = next;
    }
    // A prefix listed twice keeps its first entity, as the file's readers do.
    if (m_nodes[size_t(node)].item < 0)
        m_nodes[size_t(node)].item = item;
}

int CountryResolver::longestPrefix(QByteArrayView key, int maxDepth) const
{
    if (m_nodes.empty())
        return -1;
    int node = 0;
    int found = -1;
    const qsizetype n = std::min<qsizetype>(key.size(), maxDepth);
    for (qsizetype i = 0; i < n; ++i) {
        const int s = symbolOf(key[i]);
        if (s < 0)
            break;
        node = m_nodes[size_t(node)].child[size_t(s)];
        if (node < 0)
            break;
        if (m_nodes[size_t(node)].item >= 0)
            found = m_nodes[size_t(node)].item;
    }
    return found;
}

Resolution CountryResolver::fromItem(int item) const
{
    Resolution r;
    if (item < 0)
        return r;
    const FileItem& it = m_data.items[size_t(item)];
    r.entity = it.entity;
    r.dxcc = m_data.entities[size_t(it.entity)].dxcc;
    r.dxccEntity = entityOfDxcc(r.dxcc);
    r.location = it.location;
    return r;
}

int CountryResolver::entityOfDxcc(int dxcc) const
{
    return dxcc > 0 && dxcc < int(m_dxccLine.size()) ? m_dxccLine[size_t(dxcc)] : -1;
}

Resolution CountryResolver::resolve(QByteArrayView call) const
{
    // Upper case, without blanks around it; calls longer than any real one
    // are cut (they then match by their prefix only).
    char buf[48];
    qsizetype n = 0;
    call = call.trimmed();
    for (char c : call) {
        if (n == qsizetype(sizeof buf))
            break;
        buf[n++] = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    }
    if (n == 0 || isEmpty())
        return {};
    const QByteArrayView whole(buf, n);
    const auto exact = [this](QByteArrayView text) {
        const auto it = m_wholeCalls.constFind(QByteArray::fromRawData(text.data(), text.size()));
        return it == m_wholeCalls.cend() ? -1 : it.value();
    };
    if (const int item = exact(whole); item >= 0)
        return fromItem(item);

    // Take the call apart at '/'.
    QByteArrayView parts[4];
    int count = 0;
    QByteArrayView area;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && buf[i] != '/')
            continue;
        const QByteArrayView part(buf + start, i - start);
        const bool first = start == 0;
        start = i + 1;
        if (part.isEmpty())
            continue;
        if (!first && (part == "MM" || part == "AM"))
            return {};
        if (!first && isDigits(part)) {
            area = part;
            continue;
        }
        if (!first && isModifier(part))
            continue;
        if (count < 4)
            parts[count++] = part;
    }
    if (count == 0)
        return {};

    QByteArrayView home = parts[0];
    if (count >= 2) {
        QByteArrayView a = parts[0], b = parts[1];
        const bool aShorter = a.size() < b.size() ||
                              (a.size() == b.size() && (isDigit(a.back()) || !isDigit(b.back())));
        // The part where the station works decides alone.
        return fromItem(longestPrefix(aShorter ? a : b, int(n)));
    }

    if (!area.isEmpty()) {
        const qsizetype end = areaEnd(home);
        if (end > 0) {
            // The prefix with its last digit replaced: A61AB/5 is A65, still
            // in the Emirates (the 6 belongs to the country's prefix).
            const qsizetype letters = end - 1;
            char key[48];
            qsizetype k = 0;
            // A US call (K, N, W, AA-AL) signing an area is in that area of
            // the USA, also one from Hawaii or Alaska: KH6ABC/1 is in W1,
            // not on Baker Island (KH1).
            const char c0 = home[0];
            if (c0 == 'K' || c0 == 'N' || c0 == 'W' ||
                (c0 == 'A' && home[1] >= 'A' && home[1] <= 'L'))
                key[k++] = 'K';
            else
                for (qsizetype i = 0; i < letters && k < 47; ++i)
                    key[k++] = home[i];
            key[k++] = area.back();
            return fromItem(longestPrefix(QByteArrayView(key, k), int(k)));
        }
    }
    if (home.size() < n)
        if (const int item = exact(home); item >= 0)
            return fromItem(item);
    int depth = int(home.size());
    // KG4 + three letters: a US call, not Guantanamo Bay.
    if (home.size() == 6 && home.startsWith("KG4") && isLetter(home[3]) && isLetter(home[4]) &&
        isLetter(home[5]))
        depth = 2;
    return fromItem(longestPrefix(home, depth));
}

} // namespace country

#include "logdata/FieldLookup.h"

#include <cstring>

namespace {
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isAlpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

qsizetype findText(QByteArrayView line, QByteArrayView text)
{
    if (text.isEmpty() || text.size() > line.size())
        return -1;
    const void* p = memmem(line.data(), size_t(line.size()), text.data(), size_t(text.size()));
    return p ? static_cast<const char*>(p) - line.data() : -1;
}
} // namespace

FieldValue readFieldAt(QByteArrayView line, qsizetype hit, const TagSpec& tag)
{
    FieldValue out;
    out.status = FieldValue::Unreadable;
    const qsizetype n = line.size();
    const char* p = line.data();
    const qsizetype d = hit + tag.lengthAt - 1;
    if (d < 0 || d >= n || !isDigit(p[d]))
        return out;
    qsizetype e = d;
    qint64 length = 0;
    while (e < n && isDigit(p[e])) {
        length = length * 10 + (p[e] - '0');
        if (length > 0x7FFFFFFF)
            return out;
        ++e;
    }
    const qsizetype digits = e - d;
    qsizetype v;
    if (e < n && p[e] == '>') {
        v = e + 1;
    } else if (e < n && p[e] == ':') {
        // A data-type indicator: one or more letters, then the bracket.
        qsizetype f = e + 1;
        while (f < n && isAlpha(p[f]))
            ++f;
        if (f == e + 1 || f >= n || p[f] != '>')
            return out;
        v = f + 1;
    } else if ((tag.rule == LengthRule::One && digits == 1) ||
               (tag.rule == LengthRule::OneOrTwo && digits == 2)) {
        // The expected number of digits: the next character stands where the
        // bracket belongs and is skipped without a test.
        v = e + 1;
    } else if (e >= n) {
        v = n; // the line ends right after the length
    } else {
        return out;
    }
    out.status = FieldValue::Present;
    out.declared = int(length);
    if (v > n)
        v = n;
    qsizetype take = qMin<qsizetype>(length, n - v);
    if (tag.maxLen >= 0 && take > tag.maxLen)
        take = tag.maxLen;
    out.value = QByteArrayView(p + v, take);
    return out;
}

FieldValue lookupField(QByteArrayView line, const TagSpec& tag)
{
    qsizetype hit = findText(line, tag.lower);
    if (hit < 0)
        hit = findText(line, tag.upper);
    if (hit < 0)
        return FieldValue();
    return readFieldAt(line, hit, tag);
}

namespace StdTags {
using R = LengthRule;
const TagSpec Call{"<call:", "<CALL:", R::OneOrTwo, 7, 9, 20};
const TagSpec QsoDate{"<qso_date:", "<QSO_DATE:", R::OneOrTwo, 11, 13, 20};
const TagSpec Comment{"comment", "COMMENT", R::OneOrTwo, 9, 11, -1};
const TagSpec TimeOn{"time_on", "TIME_ON", R::One, 9, 11, 20};
const TagSpec Freq{"freq", "FREQ", R::One, 6, 8, 10};
const TagSpec Band{"band", "BAND", R::One, 6, 8, 5};
const TagSpec Mode{"mode", "MODE", R::One, 6, 8, 10};
const TagSpec Gridsquare{"gridsquare", "GRIDSQUARE", R::One, 12, 14, 10};
const TagSpec RstRcvd{"rst_rcvd", "RST_RCVD", R::One, 10, 12, 10};
const TagSpec RstSent{"rst_sent", "RST_SENT", R::One, 10, 12, 10};
const TagSpec EqslSent{"eqsl_qsl_sent", "EQSL_QSL_SENT", R::One, 15, 17, 2};
const TagSpec EqslRcvd{"eqsl_qsl_rcvd", "EQSL_QSL_RCVD", R::One, 15, 17, 2};
} // namespace StdTags

TagScanner::TagScanner(const TagSpec* const* tags, int count)
{
    std::memset(m_pairClass, 0, sizeof m_pairClass);
    std::memset(m_classMask, 0, sizeof m_classMask);
    m_count = qMin(count, MaxTags);
    int classes = 0;
    auto addNeedle = [&](QByteArrayView text, int tagIndex, bool upper) {
        if (text.size() < 2)
            return; // every search text in use has at least four characters
        Needle nd{text.data(), int(text.size()), tagIndex, upper};
        const int bit = m_needleCount;
        m_needles[m_needleCount++] = nd;
        const unsigned key = unsigned(static_cast<unsigned char>(text[0])) |
                             (unsigned(static_cast<unsigned char>(text[1])) << 8);
        unsigned char cls = m_pairClass[key];
        if (cls == 0) {
            cls = static_cast<unsigned char>(++classes);
            m_pairClass[key] = cls;
        }
        m_classMask[cls] |= quint32(1) << bit;
    };
    for (int i = 0; i < m_count; ++i) {
        m_tags[i] = tags[i];
        addNeedle(tags[i]->lower, i, false);
    }
    for (int i = 0; i < m_count; ++i)
        addNeedle(tags[i]->upper, i, true);
}

void TagScanner::scan(QByteArrayView line, qsizetype* hits) const
{
    qsizetype lowerHit[MaxTags];
    qsizetype upperHit[MaxTags];
    for (int i = 0; i < m_count; ++i)
        lowerHit[i] = upperHit[i] = -1;
    quint32 pending = m_needleCount >= 32 ? ~quint32(0) : ((quint32(1) << m_needleCount) - 1);
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const qsizetype n = line.size();
    for (qsizetype i = 0; i + 1 < n && pending; ++i) {
        const unsigned char cls = m_pairClass[unsigned(p[i]) | (unsigned(p[i + 1]) << 8)];
        if (!cls)
            continue;
        quint32 m = m_classMask[cls] & pending;
        while (m) {
            const int bit = __builtin_ctz(m);
            m &= m - 1;
            const Needle& nd = m_needles[bit];
            if (i + nd.length <= n && std::memcmp(p + i, nd.text, size_t(nd.length)) == 0) {
                pending &= ~(quint32(1) << bit);
                if (nd.upper) {
                    upperHit[nd.tag] = i;
                } else {
                    lowerHit[nd.tag] = i;
                    // The lower-case hit wins; its upper-case twin is not needed.
                    for (int b = 0; b < m_needleCount; ++b)
                        if (m_needles[b].tag == nd.tag && m_needles[b].upper)
                            pending &= ~(quint32(1) << b);
                }
            }
        }
    }
    for (int i = 0; i < m_count; ++i)
        hits[i] = lowerHit[i] >= 0 ? lowerHit[i] : upperHit[i];
}

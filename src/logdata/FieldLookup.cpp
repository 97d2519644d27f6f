#include "logdata/FieldLookup.h"

#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define VOSMIRA_X86 1
#endif

namespace
{
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

namespace StdTags
{
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
        Needle nd{text.data(), int(text.size()), tagIndex, upper, {}, 0};
        std::memcpy(nd.padded, text.data(), size_t(qMin<qsizetype>(16, text.size())));
        nd.lengthMask = text.size() >= 16 ? 0xFFFFu : ((1u << text.size()) - 1);
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
    auto fold = [](char c) { return static_cast<unsigned char>(c | 0x20); };
    for (int b = 0; b < m_needleCount; ++b) {
        const unsigned char f0 = fold(m_needles[b].text[0]), f1 = fold(m_needles[b].text[1]);
        int k = 0;
        while (k < m_foldCount && !(m_foldFirst[k] == f0 && m_foldSecond[k] == f1))
            ++k;
        if (k == m_foldCount) {
            m_foldFirst[k] = f0;
            m_foldSecond[k] = f1;
            m_foldMask[k] = 0;
            ++m_foldCount;
        }
        m_foldMask[k] |= quint32(1) << b;
        (m_needles[b].upper ? m_upperNeedles : m_lowerNeedles) |= quint32(1) << b;
    }
    for (int k = 0; k < m_foldCount; ++k) {
        std::memset(m_foldFirstVec[k], m_foldFirst[k], 32);
        std::memset(m_foldSecondVec[k], m_foldSecond[k], 32);
    }
    for (int b = 0; b < m_needleCount; ++b) {
        m_upperTwin[b] = 0;
        if (!m_needles[b].upper)
            for (int u = 0; u < m_needleCount; ++u)
                if (m_needles[u].upper && m_needles[u].tag == m_needles[b].tag)
                    m_upperTwin[b] |= quint32(1) << u;
    }
}

#if VOSMIRA_X86
namespace
{
int vectorLimit = 2;
bool haveAvx2()
{
    static const bool have = __builtin_cpu_supports("avx2");
    return have && vectorLimit >= 2;
}
} // namespace

void TagScanner::limitVectorLevel(int level)
{
    vectorLimit = level;
}

// The block scans: a position is a candidate for a needle still looked for
// when its two bytes, letters folded to lower case, are the needle's leading
// pair (a lower- and an upper-case needle share one pair); each candidate is
// then checked exactly. Candidates of one pair come in position order, so each
// needle's first occurrence is found as a plain search would find it. Returns
// the position where the byte-wise scan goes on.
template <typename Check>
qsizetype TagScanner::blockScanSse2(const unsigned char* p, qsizetype n, quint32& pending,
                                    Check& check) const
{
    const __m128i caseBit = _mm_set1_epi8(0x20);
    qsizetype i = 0;
    for (; i + 17 <= n && pending; i += 16) {
        const __m128i v0 =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), caseBit);
        const __m128i v1 =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1)), caseBit);
        for (int c = 0; c < m_foldCount; ++c) {
            if (!(m_foldMask[c] & pending))
                continue;
            unsigned bits = unsigned(_mm_movemask_epi8(_mm_and_si128(
                _mm_cmpeq_epi8(v0,
                               _mm_load_si128(reinterpret_cast<const __m128i*>(m_foldFirstVec[c]))),
                _mm_cmpeq_epi8(
                    v1, _mm_load_si128(reinterpret_cast<const __m128i*>(m_foldSecondVec[c]))))));
            while (bits) {
                const qsizetype at = i + __builtin_ctz(bits);
                // Only the needles of the case the pair is written in.
                const bool lower = p[at] == m_foldFirst[c] && p[at + 1] == m_foldSecond[c];
                check(at, m_foldMask[c] & (lower ? m_lowerNeedles : m_upperNeedles));
                bits &= bits - 1;
            }
        }
    }
    return i;
}

template <typename Check>
__attribute__((target("avx2"))) qsizetype
TagScanner::blockScanAvx2(const unsigned char* p, qsizetype n, quint32& pending, Check& check) const
{
    const __m256i caseBit = _mm256_set1_epi8(0x20);
    qsizetype i = 0;
    for (; i + 33 <= n && pending; i += 32) {
        const __m256i v0 =
            _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i)), caseBit);
        const __m256i v1 = _mm256_or_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 1)), caseBit);
        for (int c = 0; c < m_foldCount; ++c) {
            if (!(m_foldMask[c] & pending))
                continue;
            unsigned bits = unsigned(_mm256_movemask_epi8(
                _mm256_and_si256(_mm256_cmpeq_epi8(v0, _mm256_set1_epi8(char(m_foldFirst[c]))),
                                 _mm256_cmpeq_epi8(v1, _mm256_set1_epi8(char(m_foldSecond[c]))))));
            while (bits) {
                const qsizetype at = i + __builtin_ctz(bits);
                // Only the needles of the case the pair is written in.
                const bool lower = p[at] == m_foldFirst[c] && p[at + 1] == m_foldSecond[c];
                check(at, m_foldMask[c] & (lower ? m_lowerNeedles : m_upperNeedles));
                bits &= bits - 1;
            }
        }
    }
    return i;
}
#else
void TagScanner::limitVectorLevel(int) {}
#endif

void TagScanner::scan(QByteArrayView line, qsizetype* hits) const
{
    qsizetype lowerHit[MaxTags];
    qsizetype upperHit[MaxTags];
    for (int i = 0; i < m_count; ++i)
        lowerHit[i] = upperHit[i] = -1;
    quint32 pending = m_needleCount >= 32 ? ~quint32(0) : ((quint32(1) << m_needleCount) - 1);
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const qsizetype n = line.size();

    // Checks the needles of `mask` still looked for at position i.
    auto check = [&](qsizetype i, quint32 mask) {
        quint32 m = mask & pending;
        while (m) {
            const int bit = __builtin_ctz(m);
            m &= m - 1;
            const Needle& nd = m_needles[bit];
            if (i + nd.length > n)
                continue;
#if VOSMIRA_X86
            if (i + 16 <= n && nd.length <= 16) {
                const __m128i got = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
                const __m128i want = _mm_load_si128(reinterpret_cast<const __m128i*>(nd.padded));
                const unsigned eq = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(got, want)));
                if ((eq & nd.lengthMask) != nd.lengthMask)
                    continue;
            } else
#endif
                if (std::memcmp(p + i, nd.text, size_t(nd.length)) != 0)
                continue;
            pending &= ~(quint32(1) << bit);
            if (nd.upper) {
                upperHit[nd.tag] = i;
            } else {
                lowerHit[nd.tag] = i;
                pending &= ~m_upperTwin[bit]; // the lower-case hit wins
            }
        }
    };

    qsizetype i = 0;
#if VOSMIRA_X86
    if (haveAvx2())
        i = blockScanAvx2(p, n, pending, check);
    else if (vectorLimit >= 1)
        i = blockScanSse2(p, n, pending, check);
#endif
    for (; i + 1 < n && pending; ++i) {
        const unsigned char cls = m_pairClass[unsigned(p[i]) | (unsigned(p[i + 1]) << 8)];
        if (cls)
            check(i, m_classMask[cls]);
    }
    for (int t = 0; t < m_count; ++t)
        hits[t] = lowerHit[t] >= 0 ? lowerHit[t] : upperHit[t];
}

#include "logdata/FieldLookup.h"

#include "logdata/LineTable.h"

#include <algorithm>
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
    setPresentField(line, v < n ? v : n, length, tag, out);
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

namespace
{
unsigned char foldByte(unsigned char c)
{
    return static_cast<unsigned char>(c | 0x20);
}

// A group of needles for the block scan: the half bytes its members show at
// each of the first three positions (folded), as 16-bit sets.
struct Group {
    quint16 low[3] = {0, 0, 0};
    quint16 high[3] = {0, 0, 0};
    quint32 needles = 0;
    int prefixes = 0; // distinct three-byte prefixes among the members

    // Three-byte combinations the half-byte tables let through that no member
    // begins with: each one marks positions that are then compared in vain.
    int strays() const
    {
        int all = 1;
        for (int k = 0; k < 3; ++k)
            all *= __builtin_popcount(low[k]) * __builtin_popcount(high[k]);
        return all - prefixes;
    }
    Group merged(const Group& o) const
    {
        Group g;
        for (int k = 0; k < 3; ++k) {
            g.low[k] = quint16(low[k] | o.low[k]);
            g.high[k] = quint16(high[k] | o.high[k]);
        }
        g.needles = needles | o.needles;
        g.prefixes = prefixes + o.prefixes;
        return g;
    }
};
} // namespace

TagScanner::TagScanner(const TagSpec* const* tags, int count)
{
    std::memset(m_pairClass, 0, sizeof m_pairClass);
    std::memset(m_classMask, 0, sizeof m_classMask);
    m_count = qMin(count, MaxTags);
    int classes = 0;
    auto addNeedle = [&](QByteArrayView text, int tagIndex, bool upper) {
        if (text.isEmpty())
            return -1;
        Needle nd{{}, 0, int(text.size()), 0, 0, tagIndex, upper, text.data()};
        std::memcpy(nd.padded, text.data(), size_t(qMin<qsizetype>(16, text.size())));
        nd.lengthMask = text.size() >= 16 ? 0xFFFFu : ((1u << text.size()) - 1);
        const int bit = m_needleCount;
        m_needles[m_needleCount++] = nd;
        if (text.contains('\n') || text.contains('\r'))
            m_lineEndFree = false;
        if (text.size() < 3) {
            m_shortNeedles |= quint32(1) << bit;
            return bit;
        }
        const unsigned key = unsigned(static_cast<unsigned char>(text[0])) |
                             (unsigned(static_cast<unsigned char>(text[1])) << 8);
        unsigned char cls = m_pairClass[key];
        if (cls == 0) {
            cls = static_cast<unsigned char>(++classes);
            m_pairClass[key] = cls;
        }
        m_classMask[cls] |= quint32(1) << bit;
        return bit;
    };
    for (int i = 0; i < m_count; ++i) {
        m_tags[i] = tags[i];
        m_lowerBit[i] = addNeedle(tags[i]->lower, i, false);
    }
    for (int i = 0; i < m_count; ++i)
        m_upperBit[i] = addNeedle(tags[i]->upper, i, true);
    for (int b = 0; b < m_needleCount; ++b) {
        Needle& nd = m_needles[b];
        nd.clears = quint32(1) << b;
        if (!nd.upper && m_upperBit[nd.tag] >= 0)
            nd.clears |= quint32(1) << m_upperBit[nd.tag]; // the lower-case hit wins
        nd.blockers = quint32(1) << b;
        if (nd.upper && m_lowerBit[nd.tag] >= 0)
            nd.blockers |= quint32(1) << m_lowerBit[nd.tag];
    }
    assignGroups();
}

void TagScanner::assignGroups()
{
    // One group per folded three-byte prefix, then the two groups whose union
    // lets the fewest extra combinations through are merged until eight are left.
    Group groups[MaxNeedles];
    unsigned prefixKey[MaxNeedles];
    int count = 0;
    for (int b = 0; b < m_needleCount; ++b) {
        if (m_shortNeedles & (quint32(1) << b))
            continue;
        const Needle& nd = m_needles[b];
        unsigned char f[3];
        for (int k = 0; k < 3; ++k)
            f[k] = foldByte(static_cast<unsigned char>(nd.text[k]));
        const unsigned key = unsigned(f[0]) | (unsigned(f[1]) << 8) | (unsigned(f[2]) << 16);
        int g = 0;
        while (g < count && prefixKey[g] != key)
            ++g;
        if (g == count) {
            prefixKey[g] = key;
            groups[g] = Group();
            for (int k = 0; k < 3; ++k) {
                groups[g].low[k] = quint16(1u << (f[k] & 15));
                groups[g].high[k] = quint16(1u << (f[k] >> 4));
            }
            groups[g].prefixes = 1;
            ++count;
        }
        groups[g].needles |= quint32(1) << b;
    }
    while (count > Groups) {
        int bestA = 0, bestB = 1, bestCost = 1 << 30;
        for (int a = 0; a < count; ++a)
            for (int c = a + 1; c < count; ++c) {
                const int cost =
                    groups[a].merged(groups[c]).strays() - groups[a].strays() - groups[c].strays();
                if (cost < bestCost) {
                    bestCost = cost;
                    bestA = a;
                    bestB = c;
                }
            }
        groups[bestA] = groups[bestA].merged(groups[bestB]);
        groups[bestB] = groups[--count];
    }
    std::memset(m_nibbleLow, 0, sizeof m_nibbleLow);
    std::memset(m_nibbleHigh, 0, sizeof m_nibbleHigh);
    m_allNeedles = m_needleCount >= 32 ? ~quint32(0) : ((quint32(1) << m_needleCount) - 1);
    m_allGroups = 0;
    for (int g = 0; g < Groups; ++g) {
        m_groupNeedles[g] = g < count ? groups[g].needles : 0;
        if (m_groupNeedles[g])
            m_allGroups |= 1u << g;
    }
    for (int g = 0; g < count; ++g) {
        for (int b = 0; b < m_needleCount; ++b)
            if (groups[g].needles & (quint32(1) << b))
                m_needles[b].group = g;
        for (int k = 0; k < 3; ++k)
            for (int x = 0; x < 16; ++x) {
                const unsigned char bit = static_cast<unsigned char>(1u << g);
                if (groups[g].low[k] & (1u << x))
                    m_nibbleLow[k][x] = m_nibbleLow[k][x + 16] |= bit;
                if (groups[g].high[k] & (1u << x))
                    m_nibbleHigh[k][x] = m_nibbleHigh[k][x + 16] |= bit;
            }
    }
    for (unsigned v = 0; v < 256; ++v) {
        m_byteAtNeedles[0][v] = m_byteAtNeedles[1][v] = m_firstByteNeedles[v] = 0;
        for (int b = 0; b < m_needleCount; ++b)
            if (!(m_shortNeedles & (quint32(1) << b)) &&
                static_cast<unsigned char>(m_needles[b].text[0]) == v)
                m_firstByteNeedles[v] |= quint32(1) << b;
        for (int b = 0; b < m_needleCount; ++b)
            for (int k = 0; k < 2; ++k)
                if (!(m_shortNeedles & (quint32(1) << b)) &&
                    static_cast<unsigned char>(m_needles[b].text[k + 1]) == v)
                    m_byteAtNeedles[k][v] |= quint32(1) << b;
        m_byteNeedles[v] = 0;
        for (int g = 0; g < Groups; ++g)
            if (v & (1u << g))
                m_byteNeedles[v] |= m_groupNeedles[g];
    }
}

namespace
{
int vectorLimit = 2;
} // namespace

void TagScanner::limitVectorLevel(int level)
{
    vectorLimit = level;
}

// Whether the needle's text stands at `at` of the n bytes from p.
__attribute__((always_inline)) inline bool
TagScanner::matchesAt(const unsigned char* p, qsizetype n, qsizetype at, const Needle& nd)
{
#if VOSMIRA_X86
    if (at + 16 <= n && nd.length <= 16) {
        const __m128i got = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        const __m128i want = _mm_load_si128(reinterpret_cast<const __m128i*>(nd.padded));
        const unsigned eq = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(got, want)));
        return (eq & nd.lengthMask) == nd.lengthMask;
    }
#endif
    return at + nd.length <= n && std::memcmp(p + at, nd.text, size_t(nd.length)) == 0;
}

// Compares the needles of `mask` still looked for with the line at `at`
// (at + 2 < n); a hit takes its needle, and its upper-case twin, out of those
// looked for, and a group left without one out of the block scan.
template <bool TrackGroups>
__attribute__((always_inline)) inline void
TagScanner::checkAt(const unsigned char* p, qsizetype n, qsizetype at, quint32 mask, ScanState& st,
                    quint32& pending, unsigned& groupsLeft) const
{
    // Only the needles whose second and third bytes stand there, unfolded:
    // this also keeps the case the text is written in apart.
    quint32 m = mask & pending & m_byteAtNeedles[0][p[at + 1]] & m_byteAtNeedles[1][p[at + 2]];
    while (m) {
        const int bit = __builtin_ctz(m);
        m &= m - 1;
        const Needle& nd = m_needles[bit];
        if (!matchesAt(p, n, at, nd))
            continue;
        st.hit[bit] = at;
        st.found |= quint32(1) << bit;
        pending &= ~nd.clears;
        if (TrackGroups && !(m_groupNeedles[nd.group] & pending))
            groupsLeft &= ~(1u << nd.group);
        m &= pending;
    }
}

void TagScanner::scanBytes(const unsigned char* p, qsizetype n, ScanState& st) const
{
    quint32 pending = st.pending;
    unsigned groupsLeft = st.pendingGroups;
    for (qsizetype i = 0; i + 2 < n && (pending & ~m_shortNeedles); ++i) {
        const unsigned char cls = m_pairClass[unsigned(p[i]) | (unsigned(p[i + 1]) << 8)];
        if (cls)
            checkAt<true>(p, n, i, m_classMask[cls], st, pending, groupsLeft);
    }
    st.pending = pending;
    st.pendingGroups = groupsLeft;
}

#if VOSMIRA_X86
namespace
{
bool haveAvx2()
{
    static const bool have = __builtin_cpu_supports("avx2");
    return have && vectorLimit >= 2;
}
bool haveSsse3()
{
    static const bool have = __builtin_cpu_supports("ssse3");
    return have && vectorLimit >= 1;
}

// The group bits of the 16 or 32 positions from q: for each of the three
// bytes from a position, the groups its low half byte allows and those its
// high half byte allows, all combined.
struct Tables16 {
    __m128i low[3], high[3];
};
struct Tables32 {
    __m256i low[3], high[3];
};

__attribute__((target("ssse3"), always_inline)) inline __m128i groupsAt16(const unsigned char* q,
                                                                          const Tables16& t)
{
    const __m128i fold = _mm_set1_epi8(0x20);
    const __m128i halfMask = _mm_set1_epi8(0x0F);
    __m128i r[3];
    for (int k = 0; k < 3; ++k) {
        const __m128i v =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q + k)), fold);
        r[k] = _mm_and_si128(
            _mm_shuffle_epi8(t.low[k], _mm_and_si128(v, halfMask)),
            _mm_shuffle_epi8(t.high[k], _mm_and_si128(_mm_srli_epi16(v, 4), halfMask)));
    }
    return _mm_and_si128(_mm_and_si128(r[0], r[1]), r[2]);
}

__attribute__((target("avx2"), always_inline)) inline __m256i groupsAt32(const unsigned char* q,
                                                                         const Tables32& t)
{
    const __m256i fold = _mm256_set1_epi8(0x20);
    const __m256i halfMask = _mm256_set1_epi8(0x0F);
    __m256i r[3];
#pragma GCC unroll 3
    for (int k = 0; k < 3; ++k) {
        const __m256i v =
            _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(q + k)), fold);
        r[k] = _mm256_and_si256(
            _mm256_shuffle_epi8(t.low[k], _mm256_and_si256(v, halfMask)),
            _mm256_shuffle_epi8(t.high[k], _mm256_and_si256(_mm256_srli_epi16(v, 4), halfMask)));
    }
    return _mm256_and_si256(_mm256_and_si256(r[0], r[1]), r[2]);
}
} // namespace

// Blocks of 16 positions while three bytes of each can be loaded from the
// line. The last positions are covered by one more block that ends with the
// line (its positions already seen are masked off); a line too short for
// that is copied into a zero-filled block, and the candidates found there are
// compared with the line itself.
__attribute__((target("ssse3"))) void TagScanner::scanSsse3(const unsigned char* p, qsizetype n,
                                                            ScanState& st) const
{
    Tables16 t;
    for (int k = 0; k < 3; ++k) {
        t.low[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(m_nibbleLow[k]));
        t.high[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(m_nibbleHigh[k]));
    }
    quint32 pending = st.pending;
    unsigned groupsLeft = st.pendingGroups;
    alignas(16) unsigned char groups[16];
    alignas(16) unsigned char shortLine[32];
    qsizetype i = 0;
    while (groupsLeft) {
        const unsigned char* q = p + i;
        qsizetype base = i;
        unsigned keep = 0xFFFFu;
        const bool last = i + 18 > n;
        if (last) {
            if (i + 2 >= n)
                break;
            if (n >= 18) {
                base = n - 18;
                q = p + base;
                keep = (0xFFFFu << (i - base)) & 0xFFFFu;
            } else {
                std::memset(shortLine, 0, sizeof shortLine);
                std::memcpy(shortLine, p, size_t(n));
                q = shortLine;
                keep = (1u << (n - 2)) - 1; // the positions with three bytes of the line
            }
        }
        __m128i g = groupsAt16(q, t);
        g = _mm_and_si128(g, _mm_set1_epi8(char(groupsLeft)));
        unsigned m = ~unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(g, _mm_setzero_si128()))) & keep;
        if (m) {
            _mm_store_si128(reinterpret_cast<__m128i*>(groups), g);
            do {
                const int k = __builtin_ctz(m);
                checkAt<true>(p, n, base + k, m_byteNeedles[groups[k]], st, pending, groupsLeft);
                m &= m - 1;
            } while (m);
        }
        if (last)
            break;
        i += 16;
    }
    st.pending = pending;
    st.pendingGroups = groupsLeft;
}

// The same with blocks of 32 positions.
__attribute__((target("avx2"))) void TagScanner::scanAvx2(const unsigned char* p, qsizetype n,
                                                          ScanState& st) const
{
    Tables32 t;
    for (int k = 0; k < 3; ++k) {
        t.low[k] = _mm256_load_si256(reinterpret_cast<const __m256i*>(m_nibbleLow[k]));
        t.high[k] = _mm256_load_si256(reinterpret_cast<const __m256i*>(m_nibbleHigh[k]));
    }
    quint32 pending = st.pending;
    unsigned groupsLeft = st.pendingGroups;
    alignas(32) unsigned char groups[32];
    alignas(32) unsigned char shortLine[64];
    qsizetype i = 0;
    while (groupsLeft) {
        const unsigned char* q = p + i;
        qsizetype base = i;
        unsigned keep = ~0u;
        const bool last = i + 34 > n;
        if (last) {
            if (i + 2 >= n)
                break;
            if (n >= 34) {
                base = n - 34;
                q = p + base;
                keep = ~0u << (i - base);
            } else {
                std::memset(shortLine, 0, sizeof shortLine);
                std::memcpy(shortLine, p, size_t(n));
                q = shortLine;
                keep = (1u << (n - 2)) - 1; // the positions with three bytes of the line
            }
        }
        __m256i g = groupsAt32(q, t);
        g = _mm256_and_si256(g, _mm256_set1_epi8(char(groupsLeft)));
        unsigned m =
            ~unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(g, _mm256_setzero_si256()))) & keep;
        if (m) {
            _mm256_store_si256(reinterpret_cast<__m256i*>(groups), g);
            do {
                const int k = __builtin_ctz(m);
                checkAt<true>(p, n, base + k, m_byteNeedles[groups[k]], st, pending, groupsLeft);
                m &= m - 1;
            } while (m);
        }
        if (last)
            break;
        i += 32;
    }
    st.pending = pending;
    st.pendingGroups = groupsLeft;
}

// The whole image in blocks of 32 positions, across line ends: each block's
// line ends split its candidates between the line that ends there and the
// next. As no search text holds a line end, a text that matches lies inside
// one line, and its candidates are compared with the image itself.
//
// Every candidate is compared with the texts its bytes allow, found already
// or not, and the first hit of each text counts: no comparison waits for the
// one before it (as it would if each hit first took its text out of those
// still looked for), and the processor overlaps them. A tag's hit is written
// where the sink reads it, the line's offset: the lower-case text's first
// hit, else the upper-case one's.
__attribute__((target("avx2"))) void TagScanner::scanLinesAvx2(const unsigned char* p,
                                                               qsizetype size, LineSink& sink) const
{
    Tables32 t;
    for (int k = 0; k < 3; ++k) {
        t.low[k] = _mm256_load_si256(reinterpret_cast<const __m256i*>(m_nibbleLow[k]));
        t.high[k] = _mm256_load_si256(reinterpret_cast<const __m256i*>(m_nibbleHigh[k]));
    }
    const __m256i newline = _mm256_set1_epi8('\n');
    quint32 found = 0; // the needles hit in this line
    qsizetype hits[MaxTags];
    std::fill(std::begin(hits), std::end(hits), qsizetype(-1));
    qsizetype lineStart = 0;
    alignas(32) unsigned char tail[64];
    for (qsizetype i = 0; i < size; i += 32) {
        const unsigned char* q = p + i;
        if (i + 34 > size) {
            std::memset(tail, 0, sizeof tail);
            std::memcpy(tail, p + i, size_t(size - i));
            q = tail;
        }
        const __m256i g = groupsAt32(q, t);
        unsigned m = ~unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(g, _mm256_setzero_si256())));
        unsigned nl = unsigned(_mm256_movemask_epi8(
            _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(q)), newline)));
        if (i + 34 > size) {
            // Only positions with three bytes of the image begin a candidate.
            const qsizetype room = size - i - 2;
            m &= room >= 32 ? ~0u : room > 0 ? (1u << room) - 1 : 0u;
        }
        for (;;) {
            // The candidates before the next line end belong to this line.
            const unsigned before = nl ? (nl & (0u - nl)) - 1 : ~0u;
            for (unsigned c = m & before; c; c &= c - 1) {
                const int k = __builtin_ctz(c);
                const qsizetype at = i + k;
                quint32 w = m_firstByteNeedles[p[at]] & m_byteAtNeedles[0][p[at + 1]] &
                            m_byteAtNeedles[1][p[at + 2]];
                while (w) {
                    const int bit = __builtin_ctz(w);
                    w &= w - 1;
                    const Needle& nd = m_needles[bit];
                    if (matchesAt(p, size, at, nd) && !(found & nd.blockers)) {
                        hits[nd.tag] = at - lineStart;
                        found |= quint32(1) << bit;
                    }
                }
            }
            if (!nl)
                break;
            const qsizetype end = i + __builtin_ctz(nl);
            qsizetype length = end - lineStart;
            if (length > 0 && p[end - 1] == '\r')
                --length;
            sink.line(lineStart, length, hits);
            std::fill(std::begin(hits), std::end(hits), qsizetype(-1));
            found = 0;
            lineStart = end + 1;
            m &= ~before;
            nl &= nl - 1;
        }
    }
    if (lineStart < size)
        sink.line(lineStart, size - lineStart, hits);
}
#endif

void TagScanner::startLine(ScanState& st) const
{
    st.found = 0;
    st.pending = m_allNeedles;
    st.pendingGroups = m_allGroups;
}

// A needle's hit is valid once it is in `found`; a lower-case hit wins (its
// upper-case twin is then no longer looked for). The hits become offsets
// from `base`, the start of the line.
void TagScanner::finishLine(const ScanState& st, qsizetype* hits, qsizetype base) const
{
    for (int t = 0; t < m_count; ++t) {
        const int lower = m_lowerBit[t], upper = m_upperBit[t];
        if (lower >= 0 && (st.found & (quint32(1) << lower)))
            hits[t] = st.hit[lower] - base;
        else if (upper >= 0 && (st.found & (quint32(1) << upper)))
            hits[t] = st.hit[upper] - base;
        else
            hits[t] = -1;
    }
}

void TagScanner::scan(QByteArrayView line, qsizetype* hits) const
{
    ScanState st;
    startLine(st);
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    const qsizetype n = line.size();

#if VOSMIRA_X86
    if (haveAvx2())
        scanAvx2(p, n, st);
    else if (haveSsse3())
        scanSsse3(p, n, st);
    else
#endif
        scanBytes(p, n, st);
    for (quint32 m = m_shortNeedles; m; m &= m - 1) {
        const int bit = __builtin_ctz(m);
        const qsizetype at =
            findText(line, QByteArrayView(m_needles[bit].text, m_needles[bit].length));
        if (at >= 0) {
            st.hit[bit] = at;
            st.found |= quint32(1) << bit;
        }
    }
    finishLine(st, hits, 0);
}

void TagScanner::scanLines(QByteArrayView image, LineSink& sink) const
{
#if VOSMIRA_X86
    if (haveAvx2() && m_lineEndFree && !m_shortNeedles) {
        scanLinesAvx2(reinterpret_cast<const unsigned char*>(image.data()), image.size(), sink);
        return;
    }
#endif
    // Line by line: find the end, then scan the line.
    qsizetype hits[MaxTags];
    forEachLine(image, [&](LineSpan span) {
        scan(image.sliced(span.offset, span.length), hits);
        sink.line(span.offset, span.length, hits);
    });
}

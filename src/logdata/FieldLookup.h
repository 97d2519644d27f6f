#pragma once
// The field lookup rule every reader of a record line follows: the first
// occurrence of a tag's lower-case search text, else of its upper-case one
// (a plain substring search, so a text can also be found inside another tag's
// name or inside a value), then the declared length after it, then the value.
#include "logdata/TextCodec.h"

#include <QByteArrayView>

enum class LengthRule : quint8 {
    OneOrTwo, // one or two length digits expected
    One,      // one length digit expected
};

struct TagSpec {
    QByteArrayView lower;
    QByteArrayView upper; // empty: the reader searches the lower-case text only
    LengthRule rule;
    int lengthAt; // position of the (first) length digit, counted from the hit (1)
    int maxLen;   // the buffer's capacity; -1 for unbounded
};

struct FieldValue {
    enum Status : quint8 { Absent, Present, Unreadable };
    Status status = Absent;
    int declared = 0;     // the declared length
    QByteArrayView value; // at most `declared` characters, cut to maxLen
    bool present() const { return status == Present; }
};

// Finds the tag's search text in `line` and reads the field there.
FieldValue lookupField(QByteArrayView line, const TagSpec& tag);

// Reads the field whose search text was found at index `hit` (from 0).
//
// The whole run of length digits is read, and the value starts after the
// closing '>'; where the length has as many digits as the rule expects this
// is exactly the positional reading (the character after the expected digits
// is skipped as the bracket). A length followed by an ADIF data-type
// indicator (<call:6:S>) is read as the length. Anything else that is not a
// decimal length makes the field unreadable (treated as absent).
FieldValue readFieldAt(QByteArrayView line, qsizetype hit, const TagSpec& tag);

// Makes `out` the present field of declared length `length` whose value
// starts at `v` (v <= line size): at most the rest of the line, cut to the
// tag's buffer.
inline void setPresentField(QByteArrayView line, qsizetype v, qsizetype length, const TagSpec& tag,
                            FieldValue& out)
{
    const qsizetype rest = line.size() - v;
    qsizetype take = length < rest ? length : rest;
    // A UTF-8 character is never cut in two, neither by a length that counts
    // characters (some loggers write such) nor by the buffer's capacity: the
    // value goes on to the end of the character.
    if (text::insideCharacter(line, v + take))
        take = text::charBoundary(line, v, v + take) - v;
    if (tag.maxLen >= 0 && take > tag.maxLen) {
        take = tag.maxLen;
        if (text::insideCharacter(line, v + take))
            take = text::charBoundary(line, v, v + take) - v;
    }
    out.status = FieldValue::Present;
    out.declared = int(length);
    out.value = QByteArrayView(line.data() + v, take);
}

// The same into `out`, inline for the common shape of one or two length
// digits followed by '>'; any other shape goes to readFieldAt. The members are
// set one by one: a whole FieldValue built on the stack and copied costs a
// stalled load per field, and the loader reads twelve fields per line.
inline void readFieldInto(QByteArrayView line, qsizetype hit, const TagSpec& tag, FieldValue& out)
{
    const qsizetype n = line.size();
    const char* p = line.data();
    const qsizetype d = hit + tag.lengthAt - 1;
    const unsigned first = d >= 0 && d + 2 < n ? unsigned(p[d] - '0') : 10u;
    qsizetype length = first;
    qsizetype v = d + 2;
    if (first <= 9 && p[d + 1] != '>') {
        const unsigned second = unsigned(p[d + 1] - '0');
        length = length * 10 + second;
        v = d + 3;
        if (second > 9 || p[d + 2] != '>')
            length = -1;
    }
    if (first > 9 || length < 0) {
        out = readFieldAt(line, hit, tag);
        return;
    }
    setPresentField(line, v, length, tag, out);
}

// Whether the field found at `hit` has an unreadable length, as
// readFieldInto() would read it (without reading the value).
inline bool fieldUnreadable(QByteArrayView line, qsizetype hit, const TagSpec& tag)
{
    const qsizetype n = line.size();
    const char* p = line.data();
    const qsizetype d = hit + tag.lengthAt - 1;
    if (d >= 0 && d + 2 < n && unsigned(p[d] - '0') <= 9 &&
        (p[d + 1] == '>' || (unsigned(p[d + 1] - '0') <= 9 && p[d + 2] == '>')))
        return false;
    return readFieldAt(line, hit, tag).status == FieldValue::Unreadable;
}

// The standard tag set of the loader (lower- and upper-case texts): the grid
// columns' tags (see Columns.h).
namespace StdTags
{
extern const TagSpec Call, QsoDate, Comment, TimeOn, Freq, Band, Mode, Gridsquare, RstRcvd, RstSent,
    EqslSent, EqslRcvd;
}

// Finds the first occurrence of several tags' search texts in one pass over a
// line, with the same result as searching for each text in turn.
//
// The pass sorts the search texts into at most eight groups by their first
// three bytes (letters folded to lower case) and marks, for a whole block of
// the line at once, the positions whose three bytes may begin a text of a
// group: a table lookup per half byte and position, so the cost of a block
// does not grow with the number of texts. Each marked position is then
// compared exactly with the texts still looked for, in position order.
class TagScanner
{
public:
    static constexpr int MaxTags = 16;
    TagScanner(const TagSpec* const* tags, int count);
    // hits[i] := index of tag i's lower-case hit, else its upper-case hit, else -1.
    void scan(QByteArrayView line, qsizetype* hits) const;
    int count() const { return m_count; }

    // Receives the lines of a scanned file image in order: where the line
    // starts, its length without the line end, and the hits as scan() gives them.
    class LineSink
    {
    public:
        virtual void line(qsizetype offset, qsizetype length, const qsizetype* hits) = 0;

    protected:
        ~LineSink() = default;
    };
    // Scans every line of a file image, split as splitLines() splits it (a
    // line ends at LF, a CR right before the LF belongs to the line end). The
    // image is scanned in one pass across the line ends, which saves finding
    // each line end first.
    void scanLines(QByteArrayView image, LineSink& sink) const;
    template <typename F> void scanLines(QByteArrayView image, F&& f) const
    {
        struct Sink final : LineSink {
            F& f;
            explicit Sink(F& fn) : f(fn) {}
            void line(qsizetype offset, qsizetype length, const qsizetype* hits) override
            {
                f(offset, length, hits);
            }
        } sink(f);
        scanLines(image, static_cast<LineSink&>(sink));
    }

    // For tests: 2 = best available, 1 = 16-byte blocks at most, 0 = byte by byte.
    static void limitVectorLevel(int level);
    const TagSpec& tag(int i) const { return *m_tags[i]; }

private:
    static constexpr int MaxNeedles = 2 * MaxTags;
    static constexpr int Groups = 8;
    struct Needle {
        alignas(16) unsigned char padded[16]; // the text, zero-filled to 16 bytes
        unsigned lengthMask;                  // one bit per character of the text
        int length;
        quint32 clears; // the needles no longer looked for once this one is found
        int group;
        int tag;
        bool upper;
        const char* text;
        quint32 blockers = 0; // the needles whose earlier hit makes this one's not count
    };
    struct ScanState {
        qsizetype hit[MaxNeedles];
        quint32 found;          // the needles whose hit is in `hit`
        quint32 pending;        // the needles still looked for
        unsigned pendingGroups; // the groups that still hold one of them
    };
    static bool matchesAt(const unsigned char* p, qsizetype n, qsizetype at, const Needle& nd);
    template <bool TrackGroups>
    void checkAt(const unsigned char* p, qsizetype n, qsizetype at, quint32 mask, ScanState& st,
                 quint32& pending, unsigned& groupsLeft) const;
    void scanBytes(const unsigned char* p, qsizetype n, ScanState& st) const;
    void scanSsse3(const unsigned char* p, qsizetype n, ScanState& st) const;
    void scanAvx2(const unsigned char* p, qsizetype n, ScanState& st) const;
    void scanLinesAvx2(const unsigned char* p, qsizetype size, LineSink& sink) const;
    void startLine(ScanState& st) const;
    void finishLine(const ScanState& st, qsizetype* hits, qsizetype base) const;
    void assignGroups();

    const TagSpec* m_tags[MaxTags];
    int m_count = 0;
    Needle m_needles[MaxNeedles];
    int m_needleCount = 0;
    int m_lowerBit[MaxTags];
    int m_upperBit[MaxTags];
    quint32 m_allNeedles = 0;
    unsigned m_allGroups = 0;
    quint32 m_shortNeedles = 0; // texts under three bytes: searched plainly
    bool m_lineEndFree = true;  // no text holds a CR or LF: a hit never crosses a line end
    // Byte by byte: for each pair of leading bytes, the needles that begin with it.
    unsigned char m_pairClass[65536];
    quint32 m_classMask[MaxNeedles + 1];
    // Blocks: for each of the first three positions, the groups allowed by
    // the low and by the high half of the folded byte (16 entries, repeated
    // for both halves of a 32-byte vector).
    alignas(32) unsigned char m_nibbleLow[3][32];
    alignas(32) unsigned char m_nibbleHigh[3][32];
    quint32 m_groupNeedles[Groups];
    quint32 m_byteNeedles[256];      // for a byte of group bits: the needles of those groups
    quint32 m_byteAtNeedles[2][256]; // the needles with that second / third byte
    quint32 m_firstByteNeedles[256]; // the needles (not short) that begin with that byte
};

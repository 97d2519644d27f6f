#pragma once
// The field lookup rule every reader of a record line follows: the first
// occurrence of a tag's lower-case search text, else of its upper-case one
// (a plain substring search, so a text can also be found inside another tag's
// name or inside a value), then the declared length after it, then the value.
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
    int valueAt;  // position of the value for the expected one-digit length
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

// The standard tag set of the loader (lower- and upper-case texts).
namespace StdTags
{
extern const TagSpec Call, QsoDate, Comment, TimeOn, Freq, Band, Mode, Gridsquare, RstRcvd, RstSent,
    EqslSent, EqslRcvd;
}

// Finds the first occurrence of several tags' search texts in one pass over a
// line, with the same result as searching for each text in turn.
class TagScanner
{
public:
    static constexpr int MaxTags = 16;
    TagScanner(const TagSpec* const* tags, int count);
    // hits[i] := index of tag i's lower-case hit, else its upper-case hit, else -1.
    void scan(QByteArrayView line, qsizetype* hits) const;
    int count() const { return m_count; }
    // For tests: 2 = best available, 1 = 16-byte blocks at most, 0 = byte by byte.
    static void limitVectorLevel(int level);
    const TagSpec& tag(int i) const { return *m_tags[i]; }

private:
    template <typename Check>
    qsizetype blockScanSse2(const unsigned char* p, qsizetype n, quint32& pending,
                            Check& check) const;
    template <typename Check>
    qsizetype blockScanAvx2(const unsigned char* p, qsizetype n, quint32& pending,
                            Check& check) const;
    struct Needle {
        const char* text;
        int length;
        int tag;
        bool upper;
        alignas(16) unsigned char padded[16]; // the text, zero-filled to 16 bytes
        unsigned lengthMask;                  // one bit per character of the text
    };
    const TagSpec* m_tags[MaxTags];
    int m_count = 0;
    Needle m_needles[2 * MaxTags];
    int m_needleCount = 0;
    // For each pair of leading bytes: the needles that begin with it.
    unsigned char m_pairClass[65536];
    quint32 m_classMask[64];
    // The leading pairs with letters folded to lower case, for the block scan.
    unsigned char m_foldFirst[2 * MaxTags];
    unsigned char m_foldSecond[2 * MaxTags];
    // The same bytes repeated over a vector's width, ready to compare with.
    alignas(32) unsigned char m_foldFirstVec[2 * MaxTags][32];
    alignas(32) unsigned char m_foldSecondVec[2 * MaxTags][32];
    quint32 m_lowerNeedles = 0; // the needles of the lower-case search texts
    quint32 m_upperNeedles = 0;
    quint32 m_foldMask[2 * MaxTags];
    int m_foldCount = 0;
    quint32 m_upperTwin[2 * MaxTags]; // for each lower-case needle: its upper-case twin's bit
};

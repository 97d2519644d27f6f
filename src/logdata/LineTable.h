#pragma once
// The logbook in memory: element k holds line k of the file (counted from 1),
// element 0 is unused. Lines read from the file are kept as slices of the one
// buffer the file was read into, so a load of a large log does not allocate
// once per line; an element that is replaced owns its own text.
#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

struct LineSpan {
    qsizetype offset = 0;
    qsizetype length = 0;
};

class LineTable
{
public:
    int size() const { return int(m_slots.size()); }
    void resize(int n);
    void clear();

    QByteArrayView view(int k) const;
    QByteArray at(int k) const { return view(k).toByteArray(); }
    // An edit: element k gets `text`. The first edit of a line the file held
    // at the last load or write keeps the line as it was (see edits()).
    void set(int k, const QByteArray& text);
    // Element k becomes a line read from the file (not an edit).
    void take(int k, const QByteArray& text);

    // The lines edited since the file and the table last agreed, ascending,
    // each with its text as the file held it then.
    struct Edit {
        int element;
        QByteArray before;
    };
    std::vector<Edit> edits() const;
    // The file now holds elements 1..lines as the table does.
    void agreeWithFile(int lines);
    // Lines read from the file were added: the file holds elements 1..lines
    // (the edits made before stay edits).
    void fileGrewTo(int lines) { m_fileLines = lines > m_fileLines ? lines : m_fileLines; }

    // Elements 1..spans.size() become the lines of the file image `image`
    // (the table grows if needed); elements beyond keep what they held.
    void refill(const QByteArray& image, const std::vector<LineSpan>& spans);

    // Where a line of a file image lies, as the table keeps it.
    struct Slot {
        qsizetype offset = 0;
        qint32 length = 0;
        qint32 owned = -1; // index into m_owned, or -1 for a slice of m_image
    };
    // The same as refill(), with the lines already in the table's own form
    // (`lines[0]` stands for the unused element 0): a load of a large log
    // builds its list of lines once, not a second time here.
    void adopt(const QByteArray& image, std::vector<Slot>&& lines);

    // The text of element k when it has one of its own (it was replaced),
    // otherwise null.
    const QByteArray* ownText(int k) const
    {
        if (k < 0 || k >= size() || m_slots[size_t(k)].owned < 0)
            return nullptr;
        return &m_owned[size_t(m_slots[size_t(k)].owned)];
    }

    // The file image the unreplaced elements are slices of.
    const QByteArray& image() const { return m_image; }
    // Where element k lies in the image; -1 when it was replaced (or is
    // empty) and has a text of its own.
    qsizetype imageOffset(int k) const
    {
        if (k < 0 || k >= size())
            return -1;
        const Slot& s = m_slots[size_t(k)];
        return s.owned >= 0 || s.length == 0 ? -1 : s.offset;
    }

    // The elements set since the last refill or the last call, ascending,
    // each once: what a reload has to read again.
    std::vector<int> takeChanged();

private:
    // Elements from `first` on become owned copies, so that they outlive the
    // image they may be slices of.
    std::vector<QByteArray> ownFrom(size_t first);

    QByteArray m_image;
    std::vector<Slot> m_slots;
    std::vector<QByteArray> m_owned;
    std::vector<int> m_changed;
    std::vector<Edit> m_edits; // by element, ascending
    int m_fileLines = 0;
};

// Splits a file image into lines: a line ends at LF, a CR right before the LF
// belongs to the line end; a last line without LF is a line too.
// (A file whose lines end in CR alone is read through crOnlyAsLf first.)
std::vector<LineSpan> splitLines(QByteArrayView image);

// The same, handing each line's span to `f` as it is found, so that a caller
// can work on the line while it is still in the cache.
template <typename F> void forEachLine(QByteArrayView image, F&& f)
{
    const char* base = image.data();
    const qsizetype size = image.size();
    qsizetype pos = 0;
    while (pos < size) {
        const void* nl = std::memchr(base + pos, '\n', size_t(size - pos));
        const qsizetype end = nl ? static_cast<const char*>(nl) - base : size;
        qsizetype len = end - pos;
        if (nl && len > 0 && base[end - 1] == '\r')
            --len;
        f(LineSpan{pos, len});
        pos = end + 1;
    }
}

// A file whose lines end in CR alone (no LF anywhere, a CR somewhere): the
// same bytes with every CR made an LF, so that it splits into its lines;
// otherwise an empty array.
QByteArray crOnlyAsLf(const QByteArray& image);

class QFile;
// Reads an open file whole, in one allocation of the file's size, telling
// `progress` (when set) the bytes read so far every few megabytes.
QByteArray readWholeFile(QFile& file,
                         const std::function<void(qint64 done, qint64 total)>& progress = {});

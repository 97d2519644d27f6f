#include "logdata/LineTable.h"

#include <QFile>

#include <algorithm>
#include <cstring>

void LineTable::resize(int n)
{
    if (n < 0)
        n = 0;
    m_slots.resize(size_t(n));
}

void LineTable::clear()
{
    m_slots.clear();
    m_owned.clear();
    m_image.clear();
    m_changed.clear();
    m_edits.clear();
    m_fileLines = 0;
}

std::vector<int> LineTable::takeChanged()
{
    std::vector<int> out;
    out.swap(m_changed);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

QByteArrayView LineTable::view(int k) const
{
    if (k < 0 || k >= size())
        return {};
    const Slot& s = m_slots[size_t(k)];
    if (s.owned >= 0)
        return QByteArrayView(m_owned[size_t(s.owned)]);
    if (s.length == 0)
        return QByteArrayView("", 0);
    return QByteArrayView(m_image.constData() + s.offset, s.length);
}

void LineTable::set(int k, const QByteArray& text)
{
    if (k < 0)
        return;
    if (k <= m_fileLines) {
        const auto at = std::lower_bound(m_edits.begin(), m_edits.end(), k,
                                         [](const Edit& e, int n) { return e.element < n; });
        if (at == m_edits.end() || at->element != k)
            m_edits.insert(at, Edit{k, view(k).toByteArray()});
    }
    take(k, text);
}

std::vector<LineTable::Edit> LineTable::edits() const
{
    return m_edits;
}

void LineTable::agreeWithFile(int lines)
{
    m_edits.clear();
    m_fileLines = lines;
}

void LineTable::take(int k, const QByteArray& text)
{
    if (k < 0)
        return;
    if (k >= size())
        resize(k + 1);
    Slot& s = m_slots[size_t(k)];
    if (s.owned >= 0) {
        m_owned[size_t(s.owned)] = text;
    } else {
        s.owned = int(m_owned.size());
        m_owned.push_back(text);
    }
    s.offset = 0;
    s.length = 0;
    m_changed.push_back(k);
}

std::vector<QByteArray> LineTable::ownFrom(size_t first)
{
    std::vector<QByteArray> keep;
    for (size_t k = first; k < m_slots.size(); ++k) {
        Slot& s = m_slots[k];
        if (s.owned < 0 && s.length == 0)
            continue;
        QByteArray text = s.owned >= 0 ? m_owned[size_t(s.owned)]
                                       : QByteArray(m_image.constData() + s.offset, s.length);
        s.owned = text.isEmpty() ? -1 : int(keep.size());
        s.offset = 0;
        s.length = 0;
        if (!text.isEmpty())
            keep.push_back(text);
    }
    return keep;
}

void LineTable::refill(const QByteArray& image, const std::vector<LineSpan>& spans)
{
    const size_t n = spans.size();
    if (m_slots.size() < n + 1)
        m_slots.resize(n + 1);
    // Elements beyond the refilled range keep their text, so slices of the
    // old image become owned copies before the image is replaced.
    m_owned = ownFrom(n + 1);
    m_image = image;
    m_changed.clear();
    agreeWithFile(int(n));
    for (size_t k = 1; k <= n; ++k) {
        Slot& s = m_slots[k];
        s.offset = spans[k - 1].offset;
        s.length = qint32(spans[k - 1].length);
        s.owned = -1;
    }
}

void LineTable::adopt(const QByteArray& image, std::vector<Slot>&& lines)
{
    const size_t n = lines.empty() ? 0 : lines.size() - 1;
    if (lines.empty())
        lines.emplace_back();
    // Elements beyond the new lines keep their text (see refill()), and one
    // spare element follows the last line, as after a refill.
    m_owned = ownFrom(n + 1);
    for (size_t k = n + 1; k < m_slots.size(); ++k)
        lines.push_back(m_slots[k]);
    if (lines.size() < n + 2)
        lines.emplace_back();
    m_slots = std::move(lines);
    m_image = image;
    m_changed.clear();
    agreeWithFile(int(n));
}

std::vector<LineSpan> splitLines(QByteArrayView image)
{
    std::vector<LineSpan> spans;
    spans.reserve(size_t(image.size() / 200 + 1));
    forEachLine(image, [&](LineSpan span) { spans.push_back(span); });
    return spans;
}

QByteArray crOnlyAsLf(const QByteArray& image)
{
    if (image.contains('\n') || !image.contains('\r'))
        return QByteArray();
    QByteArray lf = image;
    lf.replace('\r', '\n');
    return lf;
}

QByteArray readWholeFile(QFile& file, const std::function<void(qint64, qint64)>& progress)
{
    const qint64 size = file.size();
    if (size <= 0 || file.isSequential())
        return file.readAll();
    QByteArray image(qsizetype(size), Qt::Uninitialized);
    qint64 got = 0;
    constexpr qint64 kPiece = qint64(16) << 20;
    while (got < size) {
        if (progress && got > 0)
            progress(got, size);
        const qint64 n = file.read(image.data() + got, qMin(size - got, kPiece));
        if (n <= 0)
            break;
        got += n;
    }
    image.truncate(qsizetype(got));
    // A file that grew while it was read: take the rest too.
    if (got == size)
        image += file.readAll();
    return image;
}

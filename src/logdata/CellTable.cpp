#include "logdata/CellTable.h"

#include "logdata/TextCodec.h"

#include <cstring>

CellTable::CellTable(const CellTable& other)
    : m_arena(other.m_size ? new char[other.m_size] : nullptr), m_size(other.m_size),
      m_capacity(other.m_size), m_source(other.m_source), m_slots(other.m_slots),
      m_kind(other.m_kind)
{
    if (m_size)
        std::memcpy(m_arena.get(), other.m_arena.get(), m_size);
}

CellTable& CellTable::operator=(const CellTable& other)
{
    if (this != &other)
        *this = CellTable(other);
    return *this;
}

void CellTable::reserve(int rows, qsizetype bytes)
{
    m_slots.reserve(size_t(rows) * Columns);
    m_kind.reserve(size_t(rows));
    if (size_t(bytes) > m_capacity) {
        std::unique_ptr<char[]> bigger(new char[size_t(bytes)]);
        if (m_size)
            std::memcpy(bigger.get(), m_arena.get(), m_size);
        m_arena = std::move(bigger);
        m_capacity = size_t(bytes);
    }
}

void CellTable::clear()
{
    m_size = 0;
    m_slots.clear();
    m_kind.clear();
}

void CellTable::setSource(const QByteArray& source)
{
    if (m_source.constData() != source.constData()) {
        // Cells that refer to the old source get copies of their text first.
        for (Slot& s : m_slots) {
            if (!(s.length & InSource))
                continue;
            const uint32_t length = s.length & ~InSource;
            char* d = grow(length);
            std::memcpy(d, m_source.constData() + s.offset, length);
            s = {uint32_t(d - m_arena.get()), length};
        }
    }
    m_source = source;
}

char* CellTable::grow(size_t bytes)
{
    if (m_size + bytes > m_capacity)
        reserve(0, qsizetype(qMax(m_capacity * 2, m_size + bytes + 4096)));
    char* at = m_arena.get() + m_size;
    m_size += bytes;
    return at;
}

void CellTable::ensureRows(int rows)
{
    if (rows > rowCount()) {
        m_slots.resize(size_t(rows) * Columns, Slot{0, 0});
        m_kind.resize(size_t(rows), Unwritten);
    }
}

bool CellTable::rowWritten(int row) const
{
    return row >= 0 && row < rowCount() && m_kind[size_t(row)] != Unwritten;
}

QByteArrayView CellTable::stored(int row, int col) const
{
    if (!rowWritten(row) || col < 0 || col >= Columns)
        return QByteArrayView("", 0);
    const Slot& s = m_slots[size_t(row) * Columns + size_t(col)];
    const char* base = (s.length & InSource) ? m_source.constData() : m_arena.get();
    return QByteArrayView(base + s.offset, s.length & ~InSource);
}

int CellTable::blanksBefore(int row, int col) const
{
    return rowWritten(row) && m_kind[size_t(row)] == Values ? LeadingBlanks[col] : 0;
}

QByteArray CellTable::cell(int row, int col) const
{
    const QByteArrayView v = stored(row, col);
    QByteArray out(blanksBefore(row, col), ' ');
    out.append(v);
    return out;
}

QString CellTable::cellString(int row, int col) const
{
    return QString(blanksBefore(row, col), QLatin1Char(' ')) + text::decode(stored(row, col));
}

void CellTable::writeRow(int row, const QByteArrayView (&cells)[Columns], RowKind kind)
{
    if (row < 0)
        return;
    // A text inside the source is referred to; any other is copied. One
    // unsigned comparison tells whether a text starts inside the source.
    const uintptr_t srcBegin = uintptr_t(m_source.constData());
    const size_t srcSize = m_source.size() < qsizetype(InSource) ? size_t(m_source.size()) : 0;
    Slot made[Columns];
    unsigned toCopy = 0;
    size_t copied = 0;
    for (int c = 0; c < Columns; ++c) {
        const size_t size = size_t(cells[c].size());
        const size_t offset = uintptr_t(cells[c].data()) - srcBegin;
        if (size == 0) {
            made[c] = {0, 0};
        } else if (srcBegin && offset < srcSize && size <= srcSize - offset) {
            made[c] = {uint32_t(offset), uint32_t(size) | InSource};
        } else {
            toCopy |= 1u << c;
            copied += size;
        }
    }
    if (toCopy && m_size + copied > size_t(UINT32_MAX)) {
        // The arena's offsets have 32 bits: rather than wrap and show another
        // cell's text, the cells that do not fit stay empty (no log the
        // program opens comes near this).
        for (unsigned m = toCopy; m; m &= m - 1)
            made[__builtin_ctz(m)] = {0, 0};
        toCopy = 0;
        m_overflowed = true;
    }
    if (toCopy) {
        char* d = grow(copied);
        for (unsigned m = toCopy; m; m &= m - 1) {
            const int c = __builtin_ctz(m);
            std::memcpy(d, cells[c].data(), size_t(cells[c].size()));
            made[c] = {uint32_t(d - m_arena.get()), uint32_t(cells[c].size())};
            d += cells[c].size();
        }
    }
    if (row == rowCount()) {
        // Appending the next row, as a load does: no clearing pass first.
        m_slots.insert(m_slots.end(), made, made + Columns);
        m_kind.push_back(kind);
    } else {
        ensureRows(row + 1);
        std::memcpy(&m_slots[size_t(row) * Columns], made, sizeof made);
        m_kind[size_t(row)] = kind;
    }
}

void CellTable::setRowValues(int row, const QByteArrayView (&values)[Columns])
{
    writeRow(row, values, Values);
}

void CellTable::setCell(int row, int col, QByteArrayView text)
{
    if (row < 0 || col < 0 || col >= Columns)
        return;
    QByteArray cells[Columns];
    for (int c = 0; c < Columns; ++c)
        cells[c] = cell(row, c);
    cells[col] = text.toByteArray();
    QByteArrayView views[Columns];
    for (int c = 0; c < Columns; ++c)
        views[c] = cells[c];
    writeRow(row, views, Raw);
}

void CellTable::copyRow(const CellTable& other, int from, int to)
{
    if (!other.rowWritten(from)) {
        ensureRows(to + 1);
        m_kind[size_t(to)] = Unwritten;
        return;
    }
    QByteArrayView views[Columns];
    for (int c = 0; c < Columns; ++c)
        views[c] = other.stored(from, c);
    writeRow(to, views, RowKind(other.m_kind[size_t(from)]));
}

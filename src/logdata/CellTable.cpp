#include "logdata/CellTable.h"

#include "logdata/Cp1252.h"

#include <cstring>

CellTable::CellTable(const CellTable& other)
    : m_arena(other.m_size ? new char[other.m_size] : nullptr), m_size(other.m_size),
      m_capacity(other.m_size), m_index(other.m_index), m_valueRow(other.m_valueRow)
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
    m_index.reserve(size_t(rows) * Stride);
    m_valueRow.reserve(size_t(rows));
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
    m_index.clear();
    m_valueRow.clear();
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
        m_index.resize(size_t(rows) * Stride, Unwritten);
        m_valueRow.resize(size_t(rows), 0);
    }
}

bool CellTable::rowWritten(int row) const
{
    return row >= 0 && row < rowCount() && m_index[size_t(row) * Stride] != Unwritten;
}

QByteArrayView CellTable::stored(int row, int col) const
{
    if (!rowWritten(row) || col < 0 || col >= Columns)
        return QByteArrayView("", 0);
    const uint32_t* r = &m_index[size_t(row) * Stride];
    const uint32_t begin = col == 0 ? r[0] : r[col];
    const uint32_t end = r[col + 1];
    return QByteArrayView(m_arena.get() + begin, end - begin);
}

int CellTable::blanksBefore(int row, int col) const
{
    return rowWritten(row) && m_valueRow[size_t(row)] ? LeadingBlanks[col] : 0;
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
    return QString(blanksBefore(row, col), QLatin1Char(' ')) + Cp1252::toUnicode(stored(row, col));
}

void CellTable::appendRaw(int row, const QByteArrayView (&cells)[Columns])
{
    ensureRows(row + 1);
    size_t total = 0;
    for (int c = 0; c < Columns; ++c)
        total += size_t(cells[c].size());
    const uint32_t start = uint32_t(m_size);
    char* d = grow(total);
    uint32_t* r = &m_index[size_t(row) * Stride];
    r[0] = start;
    uint32_t pos = start;
    for (int c = 0; c < Columns; ++c) {
        std::memcpy(d, cells[c].data(), size_t(cells[c].size()));
        d += cells[c].size();
        pos += uint32_t(cells[c].size());
        r[c + 1] = pos;
    }
    m_valueRow[size_t(row)] = 0;
}

void CellTable::setRowValues(int row, const QByteArrayView (&values)[Columns])
{
    if (row < 0)
        return;
    size_t total = 0;
    for (int c = 0; c < Columns; ++c)
        total += size_t(values[c].size());
    const size_t start = m_size;
    char* d = grow(total);
    uint32_t ends[Stride];
    ends[0] = uint32_t(start);
    uint32_t pos = uint32_t(start);
    for (int c = 0; c < Columns; ++c) {
        std::memcpy(d, values[c].data(), size_t(values[c].size()));
        d += values[c].size();
        pos += uint32_t(values[c].size());
        ends[c + 1] = pos;
    }
    if (row == rowCount()) {
        // Appending the next row, as a load does: no clearing pass first.
        m_index.insert(m_index.end(), ends, ends + Stride);
        m_valueRow.push_back(1);
    } else {
        ensureRows(row + 1);
        std::memcpy(&m_index[size_t(row) * Stride], ends, sizeof ends);
        m_valueRow[size_t(row)] = 1;
    }
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
    appendRaw(row, views);
}

void CellTable::appendRowsFrom(const CellTable& other, int from)
{
    for (int row = qMax(from, rowCount()); row < other.rowCount(); ++row) {
        if (!other.rowWritten(row)) {
            ensureRows(row + 1);
            continue;
        }
        QByteArrayView views[Columns];
        for (int c = 0; c < Columns; ++c)
            views[c] = other.stored(row, c);
        if (other.m_valueRow[size_t(row)])
            setRowValues(row, views);
        else
            appendRaw(row, views);
    }
}

#include "logdata/CellTable.h"

void CellTable::reserve(int rows, qsizetype bytes)
{
    m_index.reserve(size_t(rows) * Stride);
    m_arena.reserve(size_t(bytes));
}

void CellTable::clear()
{
    m_arena.clear();
    m_index.clear();
}

void CellTable::ensureRows(int rows)
{
    if (rows > rowCount())
        m_index.resize(size_t(rows) * Stride, Unwritten);
}

bool CellTable::rowWritten(int row) const
{
    return row >= 0 && row < rowCount() && m_index[size_t(row) * Stride] != Unwritten;
}

QByteArrayView CellTable::cellView(int row, int col) const
{
    if (!rowWritten(row) || col < 0 || col >= Columns)
        return QByteArrayView("", 0);
    const uint32_t* r = &m_index[size_t(row) * Stride];
    const uint32_t begin = col == 0 ? r[0] : r[col];
    const uint32_t end = r[col + 1];
    return QByteArrayView(m_arena.data() + begin, end - begin);
}

void CellTable::appendRaw(int row, const QByteArrayView (&cells)[Columns])
{
    ensureRows(row + 1);
    uint32_t* r = &m_index[size_t(row) * Stride];
    r[0] = uint32_t(m_arena.size());
    for (int c = 0; c < Columns; ++c) {
        m_arena.append(cells[c].data(), size_t(cells[c].size()));
        r[c + 1] = uint32_t(m_arena.size());
    }
}

void CellTable::setRowValues(int row, const QByteArrayView (&values)[Columns])
{
    if (row < 0)
        return;
    static const char blanks[] = "    ";
    ensureRows(row + 1);
    uint32_t* r = &m_index[size_t(row) * Stride];
    r[0] = uint32_t(m_arena.size());
    for (int c = 0; c < Columns; ++c) {
        m_arena.append(blanks, size_t(LeadingBlanks[c]));
        m_arena.append(values[c].data(), size_t(values[c].size()));
        r[c + 1] = uint32_t(m_arena.size());
    }
}

void CellTable::setCell(int row, int col, QByteArrayView text)
{
    if (row < 0 || col < 0 || col >= Columns)
        return;
    QByteArray cells[Columns];
    for (int c = 0; c < Columns; ++c)
        cells[c] = cellView(row, c).toByteArray();
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
            views[c] = other.cellView(row, c);
        appendRaw(row, views);
    }
}

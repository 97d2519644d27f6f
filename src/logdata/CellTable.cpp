#include "logdata/CellTable.h"

#include "logdata/Loader.h"
#include "logdata/TextCodec.h"

#include <algorithm>
#include <cstring>

struct CellTable::Parsed {
    int row = -1;
    RowValues values;
    QByteArrayView cells[Columns];
};

CellTable::CellTable() = default;
CellTable::~CellTable() = default;

CellTable::CellTable(const CellTable& other)
    : m_arena(other.m_size ? new char[other.m_size] : nullptr), m_size(other.m_size),
      m_capacity(other.m_size), m_source(other.m_source), m_rowAt(other.m_rowAt),
      m_slots(other.m_slots), m_kind(other.m_kind), m_overflowed(other.m_overflowed)
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

// The row last read keeps pointing into its own buffers, which move along.
CellTable::CellTable(CellTable&&) noexcept = default;
CellTable& CellTable::operator=(CellTable&&) noexcept = default;

void CellTable::reserve(int rows, qsizetype bytes)
{
    m_rowAt.reserve(size_t(rows));
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
    m_rowAt.clear();
    m_slots.clear();
    m_kind.clear();
    forgetParsed();
}

void CellTable::setSource(const QByteArray& source)
{
    if (m_source.constData() != source.constData()) {
        // Rows read from lines of the old source are read now, and cells
        // that refer to it get copies of their text.
        for (int row = 0; row < rowCount(); ++row) {
            if (!isLine(m_kind[size_t(row)]))
                continue;
            QByteArrayView cells[Columns];
            std::copy(std::begin(parsed(row).cells), std::end(parsed(row).cells), cells);
            writeRow(row, cells, Values);
        }
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
        m_rowAt.resize(size_t(rows), Slot{0, 0});
        m_kind.resize(size_t(rows), Unwritten);
    }
}

CellTable::Slot* CellTable::rowSlots(int row)
{
    Slot& at = m_rowAt[size_t(row)];
    if (isLine(m_kind[size_t(row)]) || at.length != HasSlots) {
        at = {uint32_t(m_slots.size() / Columns), HasSlots};
        m_slots.resize(m_slots.size() + Columns);
    }
    return &m_slots[size_t(at.offset) * Columns];
}

void CellTable::forgetParsed() const
{
    if (m_parsed)
        m_parsed->row = -1;
}

const CellTable::Parsed& CellTable::parsed(int row) const
{
    if (!m_parsed)
        m_parsed = std::make_unique<Parsed>();
    Parsed& p = *m_parsed;
    if (p.row != row) {
        const Slot at = m_rowAt[size_t(row)];
        const QByteArrayView line(m_source.constData() + at.offset, at.length);
        parseLogRow(line, m_kind[size_t(row)] == LineDisplay, p.values);
        gridCells(p.values, p.cells);
        p.row = row;
    }
    return p;
}

void CellTable::setLineRow(int row, QByteArrayView line, bool displayFormat)
{
    if (row < 0)
        return;
    const uintptr_t offset = uintptr_t(line.data()) - uintptr_t(m_source.constData());
    if (m_source.isEmpty() || offset > size_t(m_source.size()) ||
        size_t(line.size()) > size_t(m_source.size()) - offset || offset > UINT32_MAX) {
        RowValues values;
        parseLogRow(line, displayFormat, values);
        QByteArrayView cells[Columns];
        gridCells(values, cells);
        writeRow(row, cells, Values);
        return;
    }
    const Slot at{uint32_t(offset), uint32_t(line.size())};
    const RowKind kind = displayFormat ? LineDisplay : Line;
    if (row == rowCount()) {
        m_rowAt.push_back(at);
        m_kind.push_back(kind);
        return;
    }
    ensureRows(row + 1);
    m_rowAt[size_t(row)] = at;
    m_kind[size_t(row)] = kind;
    forgetParsed();
}

bool CellTable::rowWritten(int row) const
{
    return row >= 0 && row < rowCount() && m_kind[size_t(row)] != Unwritten;
}

QByteArrayView CellTable::stored(int row, int col) const
{
    if (!rowWritten(row) || col < 0 || col >= Columns)
        return QByteArrayView("", 0);
    if (isLine(m_kind[size_t(row)]))
        return parsed(row).cells[col];
    const Slot& s = m_slots[size_t(m_rowAt[size_t(row)].offset) * Columns + size_t(col)];
    const char* base = (s.length & InSource) ? m_source.constData() : m_arena.get();
    return QByteArrayView(base + s.offset, s.length & ~InSource);
}

int CellTable::blanksBefore(int row, int col) const
{
    return rowWritten(row) && m_kind[size_t(row)] != Raw ? LeadingBlanks[col] : 0;
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
    ensureRows(row + 1);
    std::memcpy(rowSlots(row), made, sizeof made);
    m_kind[size_t(row)] = kind;
    forgetParsed();
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
        m_rowAt[size_t(to)] = {0, 0};
        forgetParsed();
        return;
    }
    const uint8_t kind = other.m_kind[size_t(from)];
    if (isLine(kind)) {
        // The same line, read from this table's source when it is there.
        const Slot at = other.m_rowAt[size_t(from)];
        setLineRow(to, QByteArrayView(other.m_source.constData() + at.offset, at.length),
                   kind == LineDisplay);
        return;
    }
    QByteArrayView views[Columns];
    for (int c = 0; c < Columns; ++c)
        views[c] = other.stored(from, c);
    writeRow(to, views, RowKind(other.m_kind[size_t(from)]));
}

#pragma once
// The grid's cell texts, one per column (Columns.h) and row, kept as offsets
// instead of one string per cell: a log of 100,000 QSOs has 1.2 million cells.
// A cell refers either to the table's own byte arena or to a source buffer
// the table shares (the file image a load read), so the values of a load are
// not copied at all.
// A row written from field values shows each column's leading blanks before
// its value; they are added when a cell is read, not stored.
// A row can also be just a record line of the source: its cells are read from
// the line when they are asked for (a load keeps a few bytes per QSO instead
// of twelve cells; the grid shows only the rows on screen).
#include "logdata/Columns.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class CellTable
{
public:
    CellTable();
    ~CellTable();
    CellTable(const CellTable& other);
    CellTable& operator=(const CellTable& other);
    CellTable(CellTable&&) noexcept;
    CellTable& operator=(CellTable&&) noexcept;

    static constexpr int Columns = gridcol::ColumnCount;
    // Leading blanks of each column's cells.
    static constexpr std::array<int, Columns> LeadingBlanks = gridcol::leadingBlanks();
    static_assert(Columns <= 32, "a row's cells to copy are kept as bits of one word");

    int rowCount() const { return int(m_kind.size()); }
    // True when a cell could not be kept because the table's text store was
    // full (cells are then empty, never another cell's text).
    bool overflowed() const { return m_overflowed; }
    // Marks the table as overflowed, for tests of how that is reported
    // (a real overflow needs more than 4 GiB of cell text).
    void markOverflowed() { m_overflowed = true; }
    void reserve(int rows, qsizetype bytes);
    void clear();

    // The cell text as the grid shows it (empty for rows never written).
    QByteArray cell(int row, int col) const;
    // The same, decoded for the screen.
    QString cellString(int row, int col) const;
    // The value alone, without the leading blanks a row written from values
    // shows. For a row read from its line, valid until another row of the
    // table is read.
    QByteArrayView value(int row, int col) const { return stored(row, col); }
    bool rowWritten(int row) const;

    // Shares `source` with the table: values written later that lie inside it
    // are kept as references to it instead of copies.
    void setSource(const QByteArray& source);

    // Writes a whole row from field values: each cell is the column's leading
    // blanks followed by the value. The table grows as needed.
    void setRowValues(int row, const QByteArrayView (&values)[Columns]);
    // Replaces one cell with the text given, as the grid shows it.
    void setCell(int row, int col, QByteArrayView text);

    // Row `row` shows the record line `line` of the source (as the loader
    // reads it, dates and times in the display form when `displayFormat`);
    // its cells are read from the line when asked for. A line outside the
    // source is read at once and its values copied.
    void setLineRow(int row, QByteArrayView line, bool displayFormat);

    // Writes a whole row from cell texts as the grid shows them.
    void setRawRow(int row, const QByteArrayView (&cells)[Columns]) { writeRow(row, cells, Raw); }

    // Row `from` of `other` becomes row `to` of this table (the table grows
    // as needed; texts not in this table's source are copied).
    void copyRow(const CellTable& other, int from, int to);

private:
    // Where a cell's text is: `offset` into the arena, or into the source
    // when the top bit of `length` is set.
    struct Slot {
        uint32_t offset;
        uint32_t length;
    };
    static constexpr uint32_t InSource = 0x80000000u;
    enum RowKind : uint8_t { Unwritten, Raw, Values, Line, LineDisplay };
    static bool isLine(uint8_t kind) { return kind == Line || kind == LineDisplay; }
    // The cells of the row last read from its line.
    struct Parsed;
    const Parsed& parsed(int row) const;
    void forgetParsed() const;
    // The twelve slots of a written row (given one when it has none).
    Slot* rowSlots(int row);
    void ensureRows(int rows);
    // What is stored for a cell, and the blanks shown before it.
    QByteArrayView stored(int row, int col) const;
    int blanksBefore(int row, int col) const;
    void writeRow(int row, const QByteArrayView (&cells)[Columns], RowKind kind);

    // Grows like a vector but without clearing what is about to be written.
    char* grow(size_t bytes);

    std::unique_ptr<char[]> m_arena;
    size_t m_size = 0;
    size_t m_capacity = 0;
    QByteArray m_source;
    // Per row: a line row's line in the source; a written row's first slot
    // in m_slots (`length` HasSlots), or nothing yet ({0, 0}).
    std::vector<Slot> m_rowAt;
    static constexpr uint32_t HasSlots = 1;
    std::vector<Slot> m_slots; // Columns per written row
    std::vector<uint8_t> m_kind;
    mutable std::unique_ptr<Parsed> m_parsed;
    bool m_overflowed = false;
};

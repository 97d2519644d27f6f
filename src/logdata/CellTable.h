#pragma once
// The grid's cell texts, twelve per row, kept in one byte arena with offsets
// instead of one string per cell: a log of 100,000 QSOs has 1.2 million cells.
// A row written from field values shows each column's leading blanks before
// its value; they are added when a cell is read, not stored.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class CellTable
{
public:
    CellTable() = default;
    CellTable(const CellTable& other);
    CellTable& operator=(const CellTable& other);
    CellTable(CellTable&&) noexcept = default;
    CellTable& operator=(CellTable&&) noexcept = default;

    static constexpr int Columns = 12;
    // Leading blanks of each column's cells: date, time, call, locator,
    // frequency, band, mode, RST sent, RST received, eQSL sent, eQSL received,
    // comment.
    static constexpr int LeadingBlanks[Columns] = {2, 2, 2, 3, 3, 3, 4, 4, 4, 3, 3, 1};

    int rowCount() const { return int(m_index.size() / Stride); }
    void reserve(int rows, qsizetype bytes);
    void clear();

    // The cell text as the grid shows it (empty for rows never written).
    QByteArray cell(int row, int col) const;
    // The same, decoded for the screen.
    QString cellString(int row, int col) const;
    bool rowWritten(int row) const;

    // Writes a whole row from field values: each cell is the column's leading
    // blanks followed by the value. The table grows as needed.
    void setRowValues(int row, const QByteArrayView (&values)[Columns]);
    // Replaces one cell with the text given, as the grid shows it.
    void setCell(int row, int col, QByteArrayView text);

    // Writes a whole row from cell texts as the grid shows them.
    void setRawRow(int row, const QByteArrayView (&cells)[Columns]) { appendRaw(row, cells); }

    // Rows from `other` at or beyond `from` that this table lacks are copied.
    void appendRowsFrom(const CellTable& other, int from);

private:
    static constexpr int Stride = Columns + 1; // start offset, then 12 ends
    static constexpr uint32_t Unwritten = 0xFFFFFFFFu;
    void ensureRows(int rows);
    // What is stored for a cell, and the blanks shown before it.
    QByteArrayView stored(int row, int col) const;
    int blanksBefore(int row, int col) const;
    void appendRaw(int row, const QByteArrayView (&cells)[Columns]);

    // Grows like a vector but without clearing what is about to be written.
    char* grow(size_t bytes);

    std::unique_ptr<char[]> m_arena;
    size_t m_size = 0;
    size_t m_capacity = 0;
    std::vector<uint32_t> m_index;
    std::vector<uint8_t> m_valueRow; // 1: written from values, the blanks are implied
};

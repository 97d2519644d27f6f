#pragma once
// The QSO grid: a table view over a model of its own that offers the string
// grid operations the forms use (cell texts, a row count with the rows beyond
// it hidden but kept, scrolling to the last row). Cells are produced on demand.
#include "logdata/CellTable.h"

#include <QAbstractTableModel>
#include <QTableView>

class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int Columns = CellTable::Columns;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The string-grid operations (texts are Windows-1252 bytes, with the
    // leading blanks the cells carry).
    int RowCount() const { return m_rowCount; }
    void setRowCount(int n); // at least one row stays, as in a string grid
    QByteArray cell(int col, int row) const;
    void setCell(int col, int row, const QByteArray& text);
    // Puts whole rows 0..rows.rowCount()-1 in place at once (a load).
    void adoptRows(CellTable rows);
    // Empties every cell of a row.
    void clearRow(int row);
    const CellTable& storage() const { return m_cells; }

private:
    CellTable m_cells;
    int m_rowCount = 1;
};

class StringGrid : public QTableView
{
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);
    GridModel* grid() const { return m_model; }

    QByteArray Cells(int col, int row) const { return m_model->cell(col, row); }
    int RowCount() const { return m_model->RowCount(); }
    void setRowCount(int n) { m_model->setRowCount(n); }
    int Row() const; // the selected (highlighted) row, -1 when none
    void scrollToLastRow();

signals:
    // A cell became the selected one (also by keyboard); the row counts from 0.
    void selectCell(int col, int row);
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    GridModel* m_model;
};

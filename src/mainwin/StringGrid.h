#pragma once
// The QSO grid: a table view over a model of its own that offers the string
// grid operations the forms use (cell texts, a row count with the rows beyond
// it hidden but kept, scrolling to the last row). Cells are produced on demand.
#include "logdata/CellTable.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPointer>
#include <QTableView>

class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int Columns = CellTable::Columns;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The column captions (the same in every language).
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The string-grid operations (texts are the file's bytes, with the
    // leading blanks the cells carry), on the rows shown.
    int RowCount() const { return m_rowCount; }
    void setRowCount(int n); // at least one row stays, as in a string grid
    QByteArray cell(int col, int row) const;

    // The grid holds the whole log and a call-search result side by side and
    // shows one of them, so that "back" shows the whole log without reading
    // it again.
    void showSearch(bool on);
    // The whole log: replaced by a load, changed row by row by a reload that
    // reads only what changed (`cells` row i holds grid row rows[i]).
    void setFullRows(CellTable rows);
    void updateFullRows(const std::vector<int>& rows, const CellTable& cells);
    const CellTable& fullRows() const { return m_full; }
    // The search result: replaced by a search, emptied by Init, grown by the
    // live log.
    void setSearchRows(CellTable rows);
    void appendSearchRows(const CellTable& rows);
    void clearSearch();
    const CellTable& shownRows() const { return m_searchShown ? m_search : m_full; }

private:
    CellTable m_full;
    CellTable m_search;
    bool m_searchShown = false;
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
    // Puts the keyboard focus into the grid, on the last QSO's row.
    void focusLastRow(int qsoRows);

    // The row of column captions above the grid, a widget of `parent`: it
    // lies exactly over the columns, and dragging a caption's edge resizes
    // the column. Place it with placeColumnHeader().
    QHeaderView* makeColumnHeader(QWidget* parent);
    void placeColumnHeader(QHeaderView* header, int top, int height) const;

signals:
    // A cell became the selected one (also by keyboard); the row counts from 0.
    void selectCell(int col, int row);
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    // Enter (and Return) on a row opens it, as the double click does.
    void keyPressEvent(QKeyEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    // The column captions scroll sideways with the cells.
    void scrollContentsBy(int dx, int dy) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    bool focusShowsOnlyInMarks() const;
    void updateMarks();
    bool activationChange(QWidget* w, QEvent* e);
    GridModel* m_model;
    QPointer<QHeaderView> m_captions;
};

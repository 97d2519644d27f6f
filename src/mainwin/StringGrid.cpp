#include "mainwin/StringGrid.h"

#include "app/Widgets.h"
#include "logdata/Cp1252.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace
{
constexpr int kColumnWidths[GridModel::Columns] = {81, 60, 117, 74, 74, 55,
                                                   65, 59, 62,  66, 65, 412};
constexpr int kLineGreen = 2209384; // the cell borders
constexpr int kLineRed = 255;       // under the date column

// Draws the cell as usual, then the green bottom and right edges (the date
// column's bottom edge again in red).
class GridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(p, option, index);
        const QRect r = option.rect;
        p->save();
        p->setPen(QPen(designColor(kLineGreen), 1));
        p->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p->drawLine(r.right(), r.top(), r.right(), r.bottom());
        if (index.column() == 0) {
            p->setPen(QPen(designColor(kLineRed), 1));
            p->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        }
        p->restore();
    }
};
} // namespace

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    return shownRows().cellString(index.row(), index.column());
}

void GridModel::setRowCount(int n)
{
    n = qMax(1, n);
    if (n == m_rowCount)
        return;
    if (n > m_rowCount) {
        beginInsertRows(QModelIndex(), m_rowCount, n - 1);
        m_rowCount = n;
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), n, m_rowCount - 1);
        m_rowCount = n;
        endRemoveRows();
    }
}

QByteArray GridModel::cell(int col, int row) const
{
    return shownRows().cell(row, col);
}

void GridModel::showSearch(bool on)
{
    if (on == m_searchShown)
        return;
    // A switch of the whole content: one reset, not a signal per row.
    beginResetModel();
    m_searchShown = on;
    endResetModel();
}

void GridModel::setFullRows(CellTable rows)
{
    m_full = std::move(rows);
    if (!m_searchShown && m_rowCount > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, Columns - 1));
}

void GridModel::updateFullRows(const std::vector<int>& rows, const CellTable& cells)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        m_full.copyRow(cells, int(i), rows[i]);
        if (!m_searchShown && rows[i] < m_rowCount)
            emit dataChanged(index(rows[i], 0), index(rows[i], Columns - 1));
    }
}

void GridModel::setSearchRows(CellTable rows)
{
    m_search = std::move(rows);
    if (m_searchShown && m_rowCount > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, Columns - 1));
}

void GridModel::appendSearchRows(const CellTable& rows)
{
    const int first = m_search.rowCount();
    for (int i = 0; i < rows.rowCount(); ++i)
        m_search.copyRow(rows, i, first + i);
    if (m_searchShown && first < m_rowCount)
        emit dataChanged(index(first, 0), index(m_rowCount - 1, Columns - 1));
}

void GridModel::clearSearch()
{
    m_search = CellTable();
    if (m_searchShown && m_rowCount > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, Columns - 1));
}

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), m_model(new GridModel)
{
    m_model->setParent(this);
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setMinimumSectionSize(20);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    for (int c = 0; c < GridModel::Columns; ++c)
        setColumnWidth(c, kColumnWidths[c]);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone); // a string grid clips a long text at the cell's edge
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setBackground(this, 5364696);
    viewport()->setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, designColor(5364696));
    pal.setColor(QPalette::Text, QColor(Qt::darkBlue));
    setPalette(pal);
    setFont(designFont(QStringLiteral("Arial"), 13, true));
}

int StringGrid::Row() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void StringGrid::scrollToLastRow()
{
    scrollToBottom();
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    QTableView::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        emit selectCell(current.column(), current.row());
}

#include "mainwin/StringGrid.h"

#include "logdata/Columns.h"
#include "logdata/Cp1252.h"
#include "widgets/Widgets.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace
{
// More rows than this added or removed at once reset the model instead.
constexpr int kResetRows = 4096;
constexpr int kHeaderColor = 8421440; // RGB 64,128,128
constexpr int kLineGreen = 2209384;   // the cell borders
constexpr int kLineRed = 255;         // under the date column

// Draws the cell as usual, then the green bottom and right edges (the date
// column's bottom edge again in red).
class GridDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (!paintPlainText(p, option, index))
            QStyledItemDelegate::paint(p, option, index);
        // The edges are one pixel wide: filled as rectangles, which the
        // raster engine does many times faster than it strokes lines.
        const QRect r = option.rect;
        static const QColor green = designColor(kLineGreen), red = designColor(kLineRed);
        p->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), index.column() == 0 ? red : green);
        p->fillRect(QRect(r.right(), r.top(), 1, r.height() - (index.column() == 0 ? 1 : 0)),
                    green);
    }

private:
    // A cell that is only text (not selected, no focus, nothing but the
    // text from the model) is drawn by the delegate itself, in the place the
    // style's text layout would put it, from a text laid out once and kept:
    // the cells of a log repeat (bands, modes, reports, dates), and a grid of
    // a hundred cells repaints many times cheaper. Anything else is left to
    // the style.
    bool paintPlainText(QPainter* p, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        constexpr auto special = QStyle::State_Selected | QStyle::State_HasFocus |
                                 QStyle::State_Editing | QStyle::State_MouseOver;
        constexpr auto leftCentred = Qt::AlignLeft | Qt::AlignVCenter;
        if ((opt.state & special) || opt.features != QStyleOptionViewItem::HasDisplay ||
            opt.backgroundBrush.style() != Qt::NoBrush || opt.textElideMode != Qt::ElideNone ||
            opt.direction != Qt::LeftToRight || opt.displayAlignment != leftCentred ||
            opt.text.contains(QLatin1Char('\n')) || opt.text.contains(QLatin1Char('\t')))
            return false;
        const QWidget* w = opt.widget;
        QStyle* style = w ? w->style() : QApplication::style();
        const QRect textRect = textRectOf(style, opt);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
        QPalette::ColorGroup group =
            (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
            group = QPalette::Inactive;
        const QStaticText& text = laidOut(opt.text, opt.font);
        // Where a single left-aligned line is drawn, vertically centred.
        const QRect r = textRect.adjusted(margin, 0, -margin, 0);
        const QPointF at(r.x(), r.y() + (r.height() - text.size().height()) / 2);
        p->save();
        p->setClipRect(opt.rect);
        p->setFont(opt.font);
        p->setPen(opt.palette.color(group, QPalette::Text));
        p->drawStaticText(at, text);
        p->restore();
        return true;
    }

    // The style puts a text-only cell's text in a place that depends on the
    // cell's size, not on the text: asked once per size (the columns' widths).
    QRect textRectOf(QStyle* style, const QStyleOptionViewItem& opt) const
    {
        if (style != m_rectStyle) {
            m_rectMargins.clear();
            m_rectStyle = style;
        }
        const quint64 key = (quint64(quint32(opt.rect.width())) << 32) | quint32(opt.rect.height());
        auto it = m_rectMargins.constFind(key);
        if (it == m_rectMargins.constEnd()) {
            if (m_rectMargins.size() >= 256)
                m_rectMargins.clear();
            const QRect t = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
            it = m_rectMargins.insert(
                key, QMargins(t.left() - opt.rect.left(), t.top() - opt.rect.top(),
                              opt.rect.right() - t.right(), opt.rect.bottom() - t.bottom()));
        }
        return opt.rect.marginsRemoved(*it);
    }

    const QStaticText& laidOut(const QString& s, const QFont& font) const
    {
        // Bounded: a log scrolled end to end would otherwise keep every text.
        constexpr qsizetype kKept = 8192;
        if (font != m_textsFont || m_texts.size() >= kKept) {
            m_texts.clear();
            m_textsFont = font;
        }
        auto it = m_texts.constFind(s);
        if (it == m_texts.constEnd()) {
            QStaticText t(s);
            t.setTextFormat(Qt::PlainText);
            t.prepare(QTransform(), font);
            it = m_texts.insert(s, t);
        }
        return *it;
    }

    mutable QHash<QString, QStaticText> m_texts;
    mutable QFont m_textsFont;
    mutable QStyle* m_rectStyle = nullptr;
    mutable QHash<quint64, QMargins> m_rectMargins;
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
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return shownRows().cellString(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() < Columns)
        return int(gridcol::kColumns[index.column()].align);
    return QVariant();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns)
        return QVariant();
    if (role == Qt::DisplayRole)
        return QCoreApplication::translate("GridModel", gridcol::kColumns[section].caption);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return QVariant();
}

void GridModel::setRowCount(int n)
{
    n = qMax(1, n);
    if (n == m_rowCount)
        return;
    if (qAbs(n - m_rowCount) > kResetRows) {
        // Many rows at once (the whole log against a search result): the
        // views take a reset faster than the rows' removal or insertion.
        beginResetModel();
        m_rowCount = n;
        endResetModel();
    } else if (n > m_rowCount) {
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
    // A new row count or content is laid out at once rather than on the next
    // turn of the event loop: the grid is then painted once, not a second
    // time when its scroll range changes.
    const auto layOut = [this] { executeDelayedItemsLayout(); };
    connect(m_model, &QAbstractItemModel::modelReset, this, layOut);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, layOut);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, layOut);
    setItemDelegate(new GridDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setMinimumSectionSize(20);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    for (int c = 0; c < GridModel::Columns; ++c)
        setColumnWidth(c, gridcol::kColumns[c].width);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone); // a string grid clips a long text at the cell's edge
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Columns wider than the window (a small screen, a widened column) are
    // reached with a horizontal scroll bar.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setBackground(this, 5364696);
    viewport()->setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, designColor(5364696));
    pal.setColor(QPalette::Text, QColor(Qt::darkBlue));
    setPalette(pal);
    setFont(designFont(QStringLiteral("Arial"), 13, true));
    // The MHz column takes a whole 10-character frequency (144.174000, as
    // WSJT-X writes every 2 m and 70 cm QSO) with its leading blanks.
    const int mhz = QFontMetrics(font()).horizontalAdvance(QStringLiteral("   144.174000")) + 8;
    setColumnWidth(gridcol::Freq, qMax(gridcol::kColumns[gridcol::Freq].width, mhz));
}

QHeaderView* StringGrid::makeColumnHeader(QWidget* parent)
{
    auto* header = new QHeaderView(Qt::Horizontal, parent);
    header->setModel(m_model);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setMinimumSectionSize(16);
    for (int c = 0; c < GridModel::Columns; ++c)
        header->resizeSection(c, columnWidth(c));
    const QColor back = designColor(kHeaderColor);
    header->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; color: "
                                         "yellow; border: 1px solid %2; padding: 0px; }")
                              .arg(back.name(), back.darker(150).name()));
    header->setFont(designFont(QStringLiteral("MS Sans Serif"), 11, true));
    // The captions are the columns' edges: a drag there resizes the column.
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int size) { setColumnWidth(column, size); });
    m_captions = header;
    return header;
}

void StringGrid::placeColumnHeader(QHeaderView* header, int top, int height) const
{
    // Over the cells, which begin inside the grid's frame and end at its
    // scroll bar (the grid may not have laid out its viewport yet).
    const int inner = width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width();
    header->setGeometry(x() + frameWidth(), top, inner, height);
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

void StringGrid::focusLastRow(int qsoRows)
{
    if (qsoRows > 0 && qsoRows <= m_model->RowCount())
        setCurrentIndex(m_model->index(qsoRows - 1, 0));
    setFocus();
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    QTableView::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
}

void StringGrid::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && currentIndex().isValid()) {
        emit doubleClicked();
        return;
    }
    QTableView::keyPressEvent(e);
}

void StringGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (m_captions && dx != 0)
        m_captions->setOffset(horizontalHeader()->offset());
}

// Whether the focus changes how the cells look only in the current cell (its
// focus frame) and the selected ones: the palette draws every other cell alike
// with and without the focus.
bool StringGrid::focusShowsOnlyInMarks() const
{
    const QPalette& p = palette();
    for (int r = 0; r < QPalette::NColorRoles; ++r) {
        const auto role = QPalette::ColorRole(r);
        if (role != QPalette::Highlight && role != QPalette::HighlightedText &&
            p.brush(QPalette::Active, role) != p.brush(QPalette::Inactive, role))
            return false;
    }
    return true;
}

// The frame and the cells whose look depends on the focus and on the
// window's activation.
void StringGrid::updateMarks()
{
    update(QRegion(rect()).subtracted(QRegion(contentsRect())));
    QRegion marks = visualRegionForSelection(selectionModel()->selection());
    if (currentIndex().isValid())
        marks += visualRect(currentIndex());
    viewport()->update(marks);
}

// The item view repaints every visible cell when it loses the focus, so a
// click on a button beside the grid cost a whole repaint of the grid before
// the button did anything. Only what the focus changes is repainted.
void StringGrid::focusOutEvent(QFocusEvent* e)
{
    if (!focusShowsOnlyInMarks()) {
        QTableView::focusOutEvent(e);
        return;
    }
    updateMarks();
    // What the widget's own handler does besides repainting.
    if (qApp->autoSipEnabled() && testAttribute(Qt::WA_InputMethodEnabled))
        QGuiApplication::inputMethod()->hide();
}

// The same when the window is activated or deactivated (a QSO's view opened
// over the log, and closed again): the grid and its cells would be repainted
// whole. The event still reaches the children, as the widget passes it on.
bool StringGrid::activationChange(QWidget* w, QEvent* e)
{
    if ((e->type() != QEvent::WindowActivate && e->type() != QEvent::WindowDeactivate) ||
        !focusShowsOnlyInMarks())
        return false;
    if (w == this)
        updateMarks();
    for (QObject* o : w->children()) {
        auto* child = qobject_cast<QWidget*>(o);
        if (child && child->isVisible() && !child->isWindow())
            QCoreApplication::sendEvent(child, e);
    }
    return true;
}

bool StringGrid::event(QEvent* e)
{
    return activationChange(this, e) || QTableView::event(e);
}

bool StringGrid::viewportEvent(QEvent* e)
{
    return activationChange(viewport(), e) || QTableView::viewportEvent(e);
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        emit selectCell(current.column(), current.row());
}

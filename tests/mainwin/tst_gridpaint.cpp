// The grid draws plain text cells itself instead of through the style's text
// layout: what it shows must not change, down to the pixel.
#include "logdata/CellTable.h"
#include "mainwin/StringGrid.h"
#include "widgets/Widgets.h"

#include <QBoxLayout>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTest>

namespace
{
// The grid's cells as the style draws them, with the grid's borders.
class StyledCells : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(p, option, index);
        const QRect r = option.rect;
        p->save();
        p->setPen(QPen(designColor(2209384), 1));
        p->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p->drawLine(r.right(), r.top(), r.right(), r.bottom());
        if (index.column() == 0) {
            p->setPen(QPen(designColor(255), 1));
            p->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        }
        p->restore();
    }
};
// The part of a widget its paint events covered.
class PaintedArea : public QObject
{
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

void fillRows(StringGrid& grid, int n)
{
    CellTable rows;
    for (int r = 0; r < n; ++r) {
        const QByteArray call = "  DL" + QByteArray::number(r) + "ABC";
        const QByteArrayView cells[CellTable::Columns] = {
            "  04.11.2025", "  05:10", call,   "   JB63", "   3.574960", "   80m", "    FT8",
            "    -03",      "    -13", "   Y", "   N",    "   Y",        " 73"};
        rows.setRawRow(r, cells);
    }
    grid.grid()->setFullRows(std::move(rows));
    grid.grid()->setRowCount(n);
}
} // namespace

class TestGridPaint : public QObject
{
    Q_OBJECT
private slots:
    void plainCellsLookAsTheStyleDrawsThem()
    {
        StringGrid grid;
        grid.resize(900, 220);
        CellTable rows;
        const QByteArrayView cells[][CellTable::Columns] = {
            {"  04.11.2025", "  05:10", "  LA6XNW", "   JB63", "   3.574960", "   80m", "    FT8",
             "    -03", "    -13", "   Y", "   N", "   Y", " 73 and good DX"},
            // Longer than their cells: cut at the cell's edge.
            {"  04.11.2025 and more", "  05:37", "  VERY/LONG/CALLSIGN/P", "", "   432.176783",
             "   70cm", "    FT8", "", "", "", "", "",
             " a comment much longer than its column is wide"},
            {"", "", "  Ääöü ß", "", "", "", "", "", "", "", "", "", ""}};
        for (int r = 0; r < 3; ++r)
            rows.setRawRow(r, cells[r]);
        grid.grid()->setFullRows(std::move(rows));
        grid.grid()->setRowCount(4);
        grid.setCurrentIndex(grid.model()->index(1, 2));
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        const QImage drawn = grid.grab().toImage();
        grid.setItemDelegate(new StyledCells(&grid));
        const QImage styled = grid.grab().toImage();
        QCOMPARE(drawn, styled);
    }

    // A click on a button beside the grid takes the focus from it, another
    // window is activated and the grid's comes back: each time only what
    // changes is repainted (not every cell), and the window then shows
    // exactly what a whole repaint would draw.
    void focusAndActivationRepaintOnlyTheirMarks()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* button = new QPushButton(QStringLiteral("Search"), &window);
        auto* grid = new StringGrid(&window);
        layout->addWidget(button);
        layout->addWidget(grid);
        window.resize(900, 400);
        fillRows(*grid, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        grid->focusLastRow(12);
        QTRY_VERIFY(grid->hasFocus());
        QCoreApplication::processEvents();

        PaintedArea area;
        grid->viewport()->installEventFilter(&area);
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(button->hasFocus());
        QCoreApplication::processEvents();
        const QRect cell = grid->visualRect(grid->currentIndex());
        QVERIFY(!area.painted.isEmpty());
        QCOMPARE(area.painted.boundingRect(), cell);

        QVERIFY(showsWhatItDraws(window));

        // Another window comes to the front (a QSO opened) and goes again:
        // the same (the selected cell's colours follow the activation).
        area.painted = QRegion();
        QWidget other;
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCoreApplication::processEvents();
        QVERIFY(!area.painted.isEmpty());
        QCOMPARE(area.painted.boundingRect(), cell);
        QVERIFY(showsWhatItDraws(window));
        other.close();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCoreApplication::processEvents();
        QVERIFY(showsWhatItDraws(window));
    }

private:
    // What the window shows on the screen is what a whole repaint draws.
    static bool showsWhatItDraws(QWidget& window)
    {
        const QImage shown = window.screen()->grabWindow(window.winId()).toImage();
        const QImage whole = window.grab().toImage();
        return shown.convertToFormat(QImage::Format_RGB32) ==
               whole.convertToFormat(QImage::Format_RGB32);
    }
};

QTEST_MAIN(TestGridPaint)
#include "tst_gridpaint.moc"

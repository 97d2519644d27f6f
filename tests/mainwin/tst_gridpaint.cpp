// The grid draws plain text cells itself instead of through the style's text
// layout: what it shows must not change, down to the pixel.
#include "logdata/CellTable.h"
#include "mainwin/StringGrid.h"
#include "widgets/Widgets.h"

#include <QImage>
#include <QPainter>
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
};

QTEST_MAIN(TestGridPaint)
#include "tst_gridpaint.moc"

// A grid column added as one row of the column table (LotwColumn.inc, compiled
// into this test build only) reaches the loader's grid rows, the call search,
// the grid's captions and cells, the double click, the change form's reader
// and the text list, and the twelve columns before it stay as they were.
#include "editing/ChangeFieldsReader.h"
#include "logdata/CallSearch.h"
#include "logdata/Columns.h"
#include "logdata/Loader.h"
#include "logdata/State.h"
#include "logdata/TextList.h"
#include "mainwin/StringGrid.h"
#include "support/TestLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestExtraColumn : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void gridRowsCarryTheColumn();
    void doubleClickAndChangeFormCarryIt();
    void textListCarriesIt();

private:
    QTemporaryDir m_dir;
    QString m_oldDir;
};

namespace
{
constexpr int kSub = gridcol::ColumnCount - 1;
const QByteArray kRecord =
    "<call:6>DL1ABC <qso_date:8>20240315 <time_on:6>123456 <freq:9>14.074000 "
    "<band:3>20m <mode:3>FT8 <gridsquare:4>JO62 <rst_sent:3>-05 "
    "<rst_rcvd:3>-10 <eqsl_qsl_sent:1>Y <eqsl_qsl_rcvd:1>N "
    "<comment:5>hello <submode:3>FT4 <eor>";
const QByteArray kCq = "<call:2>CQ <qso_date:8>20240316 <time_on:4>0800 <submode:3>FT4 <eor>";
const QByteArray kWithout = "<call:4>K1AB <qso_date:8>20240317 <time_on:4>0900 <eor>";
} // namespace

void TestExtraColumn::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_oldDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path()); // config.dat and List.txt are written here
    QCOMPARE(gridcol::ColumnCount, 14);
    QCOMPARE(CellTable::Columns, 14);
    QCOMPARE(QByteArray(gridcol::kColumns[kSub].name), QByteArray("SUBMODE"));
}

void TestExtraColumn::cleanupTestCase()
{
    QDir::setCurrent(m_oldDir);
}

void TestExtraColumn::gridRowsCarryTheColumn()
{
    QFile log(m_dir.filePath("log.adi"));
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write("Header<eoh>\r\n" + kRecord + "\r\n" + kCq + "\r\n" + kWithout + "\r\n");
    log.close();
    TestLog s;
    s.LogFilePath = QFile::encodeName(log.fileName());
    s.DisplayFormat = 1;
    const LoadReport r = loadLogbookData(s);
    QVERIFY(r.opened);
    QCOMPARE(r.unreadableFields, 0);
    QCOMPARE(r.rows.cell(0, kSub), QByteArray("   FT4"));
    QCOMPARE(r.rows.cell(1, kSub), QByteArray("   ")); // hidden on a "CQ" row
    QCOMPARE(r.rows.cell(2, kSub), QByteArray("   "));
    // The columns before it as always.
    QCOMPARE(r.rows.cell(0, gridcol::Date), QByteArray("  15.03.2024"));
    QCOMPARE(r.rows.cell(0, gridcol::Freq), QByteArray("   14.0740"));
    QCOMPARE(r.rows.cell(0, gridcol::Comment), QByteArray(" hello"));

    // The call search builds the same row.
    const CallSearchResult found = searchCalls("Header<eoh>\r\n" + kRecord + "\r\n", "DL", true);
    QCOMPARE(found.matches, 1);
    QCOMPARE(found.rows.cell(0, kSub), QByteArray("   FT4"));
    const CallSearchResult again = searchLogLines(s, r.rows, "DL", true);
    QCOMPARE(again.rows.cell(0, kSub), QByteArray("   FT4"));

    // The grid shows the column with its caption, width and cells.
    StringGrid view;
    GridModel& model = *view.grid();
    model.setFullRows(r.rows);
    model.setRowCount(3);
    QCOMPARE(model.columnCount(), 14);
    QCOMPARE(model.headerData(kSub, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Submode"));
    QCOMPARE(view.columnWidth(kSub), 65);
    QCOMPARE(model.data(model.index(0, kSub), Qt::DisplayRole).toString(),
             QStringLiteral("   FT4"));
    QCOMPARE(model.cell(kSub, 0), QByteArray("   FT4"));
}

void TestExtraColumn::doubleClickAndChangeFormCarryIt()
{
    CellTable rows;
    RowValues values;
    parseLogRow(kRecord, true, values);
    writeGridRow(rows, 0, values);
    const SelectedQsoSet q = gridcol::openedQso(rows, 0);
    QCOMPARE(q.more.value("SUBMODE"), QByteArray("FT4"));
    QCOMPARE(q.call, QByteArray("DL1ABC"));
    QCOMPARE(q.freq, QByteArray(" 14.0740")); // as the double click always cut it
    QCOMPARE(q.more.size(), 2);               // with the LoTW column, which has no field of its own

    const ChangeFieldsRead read = readChangeFields(kRecord);
    QCOMPARE(read.fields.more.value("SUBMODE"), QByteArray("FT4"));
    QCOMPARE(read.fields.eqslRcvd, QByteArray("N"));
    QVERIFY(read.unreadable.isEmpty());
    // Hidden on a "CQ" row, like the eQSL flags.
    QCOMPARE(readChangeFields(kCq).fields.more.value("SUBMODE", "x"), QByteArray());
    // An unreadable length is named after the form's fields.
    const ChangeFieldsRead bad = readChangeFields("<call:4>K1AB <comment:x>a <submode:x>FT4 <eor>");
    // ("mode", the mode column's search text, is found inside the submode tag.)
    QCOMPARE(bad.unreadable, QStringList({"mode", "comment", "submode"}));
}

void TestExtraColumn::textListCarriesIt()
{
    QByteArray row;
    appendListRow(kRecord, row);
    QCOMPARE(row, QByteArray("15.03.2024 12:34 DL1ABC      JO62  20m  FT8   -10   -05    Y       N"
                             "       FT4"));
    row.clear();
    appendListRow(kWithout, row);
    QVERIFY(row.endsWith("       -"));
    QCOMPARE(QByteArray(kListHeading1),
             QByteArray("Datum      Zeit   Call     Loc   Band Mod  RST   RST   e-QSL   e-QSL"
                        "   Sub"));
    QCOMPARE(QByteArray(kListHeading2).right(7), QByteArray("   mode"));
}

QTEST_MAIN(TestExtraColumn)
#include "extra_column_test.moc"

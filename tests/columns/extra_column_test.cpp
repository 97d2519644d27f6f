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
#include "support/TestLog.h"
#include "mainwin/StringGrid.h"

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
constexpr int kLotw = gridcol::ColumnCount - 1;
const QByteArray kRecord =
    "<call:6>DL1ABC <qso_date:8>20240315 <time_on:6>123456 <freq:9>14.074000 "
    "<band:3>20m <mode:3>FT8 <gridsquare:4>JO62 <rst_sent:3>-05 "
    "<rst_rcvd:3>-10 <eqsl_qsl_sent:1>Y <eqsl_qsl_rcvd:1>N "
    "<comment:5>hello <lotw_qsl_rcvd:1>Y <eor>";
const QByteArray kCq = "<call:2>CQ <qso_date:8>20240316 <time_on:4>0800 <lotw_qsl_rcvd:1>Y <eor>";
const QByteArray kWithout = "<call:4>K1AB <qso_date:8>20240317 <time_on:4>0900 <eor>";
} // namespace

void TestExtraColumn::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_oldDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path()); // config.dat and List.txt are written here
    QCOMPARE(gridcol::ColumnCount, 13);
    QCOMPARE(CellTable::Columns, 13);
    QCOMPARE(QByteArray(gridcol::kColumns[kLotw].name), QByteArray("LOTW_QSL_RCVD"));
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
    QCOMPARE(r.rows.cell(0, kLotw), QByteArray("   Y"));
    QCOMPARE(r.rows.cell(1, kLotw), QByteArray("   ")); // hidden on a "CQ" row
    QCOMPARE(r.rows.cell(2, kLotw), QByteArray("   "));
    // The columns before it as always.
    QCOMPARE(r.rows.cell(0, gridcol::Date), QByteArray("  15.03.2024"));
    QCOMPARE(r.rows.cell(0, gridcol::Freq), QByteArray("   14.0740"));
    QCOMPARE(r.rows.cell(0, gridcol::Comment), QByteArray(" hello"));

    // The call search builds the same row.
    const CallSearchResult found = searchCalls("Header<eoh>\r\n" + kRecord + "\r\n", "DL", true);
    QCOMPARE(found.matches, 1);
    QCOMPARE(found.rows.cell(0, kLotw), QByteArray("   Y"));
    const CallSearchResult again = searchLogLines(s, r.rows, "DL", true);
    QCOMPARE(again.rows.cell(0, kLotw), QByteArray("   Y"));

    // The grid shows the column with its caption, width and cells.
    StringGrid view;
    GridModel& model = *view.grid();
    model.setFullRows(r.rows);
    model.setRowCount(3);
    QCOMPARE(model.columnCount(), 13);
    QCOMPARE(model.headerData(kLotw, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("LoTW in"));
    QCOMPARE(view.columnWidth(kLotw), 65);
    QCOMPARE(model.data(model.index(0, kLotw), Qt::DisplayRole).toString(), QStringLiteral("   Y"));
    QCOMPARE(model.cell(kLotw, 0), QByteArray("   Y"));
}

void TestExtraColumn::doubleClickAndChangeFormCarryIt()
{
    CellTable rows;
    RowValues values;
    parseLogRow(kRecord, true, values);
    writeGridRow(rows, 0, values);
    const SelectedQsoSet q = gridcol::openedQso(rows, 0);
    QCOMPARE(q.more.value("LOTW_QSL_RCVD"), QByteArray("Y"));
    QCOMPARE(q.call, QByteArray("DL1ABC"));
    QCOMPARE(q.freq, QByteArray(" 14.0740")); // as the double click always cut it
    QCOMPARE(q.more.size(), 1);

    const ChangeFieldsRead read = readChangeFields(kRecord);
    QCOMPARE(read.fields.more.value("LOTW_QSL_RCVD"), QByteArray("Y"));
    QCOMPARE(read.fields.eqslRcvd, QByteArray("N"));
    QVERIFY(read.unreadable.isEmpty());
    // Hidden on a "CQ" row, like the eQSL flags.
    QCOMPARE(readChangeFields(kCq).fields.more.value("LOTW_QSL_RCVD", "x"), QByteArray());
    // An unreadable length is named after the form's fields.
    const ChangeFieldsRead bad =
        readChangeFields("<call:4>K1AB <comment:x>a <lotw_qsl_rcvd:x>Y <eor>");
    // ("qsl_rcvd", the paper flag's search text, is found inside the LoTW tag.)
    QCOMPARE(bad.unreadable, QStringList({"qsl_rcvd", "comment", "lotw_qsl_rcvd"}));
}

void TestExtraColumn::textListCarriesIt()
{
    QByteArray row;
    appendListRow(kRecord, row);
    QCOMPARE(row, QByteArray("15.03.2024 12:34 DL1ABC      JO62  20m  FT8   -10   -05    Y       N"
                             "       Y"));
    row.clear();
    appendListRow(kWithout, row);
    QVERIFY(row.endsWith("       -"));
    QCOMPARE(QByteArray(kListHeading1),
             QByteArray("Datum      Zeit   Call     Loc   Band Mod  RST   RST   e-QSL   e-QSL"
                        "   LoTW"));
    QCOMPARE(QByteArray(kListHeading2).right(7), QByteArray("     in"));
}

QTEST_MAIN(TestExtraColumn)
#include "extra_column_test.moc"

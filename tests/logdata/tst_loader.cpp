// The logbook loader: cells, counters, LogLines, the settings it writes.
#include "logdata/CallSearch.h"
#include "logdata/Loader.h"
#include "logdata/Settings.h"
#include "logdata/State.h"
#include "support/TestLog.h"
#include "support/TestSupport.h"

#include <QTest>

#include <algorithm>
#include <memory>

class TestLoader : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetTestLog(); }
    void countersAndCells();
    void conversions_data();
    void conversions();
    void confirmedCount();
    void missingAndUnreadableFiles();
    void spareElementAlwaysThere_data();
    void spareElementAlwaysThere();
    void multiLineRecordsAndHeaders();
    void unreadableFieldsAreCounted();
    void logChangedAndSettingsSave();
    void callSearch_data();
    void callSearch();
    void cellsOutliveTheirSource();
    void rowsReadFromTheirLines();
    void utf8ValuesShownAsUtf8();
    void largeFilesShowProgressOrAreRefused();
};

namespace
{
const QByteArray kHeader = "WSJT-X ADIF Export<eoh>";

LoadReport loadLines(ScratchDir& dir, const QList<QByteArray>& lines, int startCount = 0)
{
    dir.write("log.adi", crlfLines(lines));
    TestLog& s = testLog();
    s.LogFilePath = dir.file("log.adi").toUtf8();
    s.DisplayFormat = 1;
    s.StartQsoCount = startCount;
    return loadLogbookData(s);
}

QByteArray cell(const LoadReport& r, int row, int col)
{
    return r.rows.cell(row, col);
}
} // namespace

void TestLoader::countersAndCells()
{
    ScratchDir dir;
    const QByteArray r1 = "<call:6>DL1ABC <gridsquare:4>JO62 <mode:3>FT8 <rst_sent:3>-05 "
                          "<rst_rcvd:3>-10 <qso_date:8>20240315 <time_on:6>123456 <band:3>20m "
                          "<freq:9>14.074000 <eqsl_qsl_sent:1>Y <eqsl_qsl_rcvd:1>N "
                          "<comment:3>tnx <eor>";
    const QByteArray r2 = "<CALL:5>K1ABC <QSO_DATE:8>20240316 <EOR>";
    const QByteArray r3 = "<call:4>G4XX <eor>";
    const LoadReport r = loadLines(dir, {kHeader, r1, r2, r3}, 3);
    TestLog& s = testLog();
    QVERIFY(r.opened);
    QCOMPARE(s.LineCount, 4);
    QCOMPARE(s.QsoCount, 3);
    QCOMPARE(s.AppendBase, 4);
    QCOMPARE(s.SelectedLine, 4);
    QCOMPARE(s.LinesRead, 4);
    QCOMPARE(r.rows.rowCount(), 3);
    QVERIFY(r.numberShown);
    // Every cell with the leading blanks of its column.
    const QList<QByteArray> expected = {
        "  15.03.2024", "  12:34", "  DL1ABC", "   JO62", "   14.0740", "   20m", "    FT8",
        "    -05",      "    -10", "   Y",     "   N",    "   ",        " tnx"};
    for (int c = 0; c < CellTable::Columns; ++c)
        QCOMPARE(cell(r, 0, c), expected[c]);
    QCOMPARE(cell(r, 1, 2), QByteArray("  K1ABC"));
    QCOMPARE(cell(r, 1, 0), QByteArray("  16.03.2024"));
    QCOMPARE(cell(r, 1, 4), QByteArray("   ")); // no frequency, also after one with
    QCOMPARE(cell(r, 2, gridcol::Comment), QByteArray(" "));
    // LogLines: element 0 unused, the lines from element 1, a spare after.
    QCOMPARE(s.LogLines.at(1), kHeader);
    QCOMPARE(s.LogLines.at(2), r1);
    QCOMPARE(s.LogLines.at(4), r3);
    // Sized from the file, not from a stored count (which may be anything).
    QCOMPARE(s.LogLines.size(), s.LineCount + 2);
}

void TestLoader::conversions_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("MFSK shown as FT4")
        << QByteArray("<mode:4>MFSK <submode:3>FT4") << 6 << QByteArray("    FT4");
    QTest::newRow("submode first")
        << QByteArray("<submode:3>FT4 <mode:4>MFSK") << 6 << QByteArray("    FT4");
    QTest::newRow("other mode unchanged")
        << QByteArray("<mode:4>JT65") << 6 << QByteArray("    JT65");
    QTest::newRow("four character time")
        << QByteArray("<time_on:4>1234") << 1 << QByteArray("  12:34");
    QTest::newRow("six character frequency")
        << QByteArray("<freq:6>14.074") << 4 << QByteArray("   14.074");
    QTest::newRow("ten character frequency")
        << QByteArray("<freq:10>144.174000") << 4 << QByteArray("   144.174000");
    QTest::newRow("CQ: no locator")
        << QByteArray("<call:2>CQ <gridsquare:4>JO62") << 3 << QByteArray("   ");
    QTest::newRow("CQ: no eQSL") << QByteArray("<call:2>CQ <eqsl_qsl_rcvd:1>Y") << 10
                                 << QByteArray("   ");
    QTest::newRow("short date") << QByteArray("<qso_date:7>2024031") << 0
                                << QByteArray("  1.03.2024");
    QTest::newRow("typed length") << QByteArray("<call:6:S>DL1ABC") << 2 << QByteArray("  DL1ABC");
    QTest::newRow("long comment") << QByteArray("<comment:120>" + QByteArray(120, 'c'))
                                  << int(gridcol::Comment)
                                  << QByteArray(" " + QByteArray(120, 'c'));
    QTest::newRow("mixed case tag") << QByteArray("<Call:6>DL1ABC") << 2 << QByteArray("  ");
}

void TestLoader::conversions()
{
    QFETCH(QByteArray, record);
    QFETCH(int, column);
    QFETCH(QByteArray, shown);
    ScratchDir dir;
    const LoadReport r = loadLines(dir, {kHeader, record + " <eor>"});
    QCOMPARE(cell(r, 0, column), shown);
}

void TestLoader::confirmedCount()
{
    ScratchDir dir;
    LoadReport r = loadLines(dir, {kHeader, "<call:3>A1A <eqsl_qsl_rcvd:1>Y <eor>",
                                   "<call:3>B1B <eqsl_qsl_rcvd:1>N <eor>",
                                   "<call:2>CQ <eqsl_qsl_rcvd:1>Y <eor>"});
    // The CQ record's "Y" is counted although its cell is emptied.
    QCOMPARE(testLog().ConfirmedCount, 2);
    QVERIFY(r.confirmedShown);
    r = loadLines(dir, {kHeader, "<call:3>A1A <eor>"});
    QCOMPARE(testLog().ConfirmedCount, 0);
    QVERIFY(!r.confirmedShown); // the panel keeps its text
}

void TestLoader::missingAndUnreadableFiles()
{
    ScratchDir dir;
    TestLog& s = testLog();
    s.LogFilePath = dir.file("nothing.adi").toUtf8();
    LoadReport r = loadLogbookData(s);
    QVERIFY(!r.opened);
    QVERIFY(!r.errorReason.isEmpty());
    QCOMPARE(s.LineCount, 0);
    QCOMPARE(s.QsoCount, -1);
    QVERIFY(!r.numberShown);
    QVERIFY(s.LogLines.size() >= 2);
    // A folder in place of the file.
    QDir(dir.path()).mkdir("folder.adi");
    s.LogFilePath = dir.file("folder.adi").toUtf8();
    r = loadLogbookData(s);
    QVERIFY(!r.opened);
    QCOMPARE(s.QsoCount, -1);
    // Only the header line.
    r = loadLines(dir, {kHeader});
    QCOMPARE(s.LineCount, 1);
    QCOMPARE(s.QsoCount, 0);
    QCOMPARE(r.rows.rowCount(), 0);
    QVERIFY(!r.numberShown);
    // temp.adif is deleted by every load.
    dir.write("temp.adif", "x");
    loadLines(dir, {kHeader});
    QVERIFY(!QFile::exists(dir.file("temp.adif")));
}

void TestLoader::spareElementAlwaysThere_data()
{
    QTest::addColumn<int>("startCount");
    QTest::newRow("matching count") << 3;
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -1;
    QTest::newRow("smaller than the file") << 1;
}

void TestLoader::spareElementAlwaysThere()
{
    QFETCH(int, startCount);
    ScratchDir dir;
    loadLines(dir, {kHeader, "<call:1>A <eor>", "<call:1>B <eor>", "<call:1>C <eor>"}, startCount);
    TestLog& s = testLog();
    QVERIFY(s.LogLines.size() >= s.LineCount + 2);
    QCOMPARE(s.LogLines.at(s.LineCount), QByteArray("<call:1>C <eor>"));
}

void TestLoader::multiLineRecordsAndHeaders()
{
    ScratchDir dir;
    // A header of two lines gives a row for its second line; a record over
    // two lines gives two rows with the fields of each.
    const LoadReport r =
        loadLines(dir, {"ADIF Export", "<eoh>", "<call:5>K1ABC <band:3>20m", "<mode:3>FT8 <eor>"});
    QCOMPARE(testLog().QsoCount, 3);
    QCOMPARE(cell(r, 0, 2), QByteArray("  "));
    QCOMPARE(cell(r, 1, 2), QByteArray("  K1ABC"));
    QCOMPARE(cell(r, 1, 6), QByteArray("    "));
    QCOMPARE(cell(r, 2, 6), QByteArray("    FT8"));
    // LF-only line ends are read too, and CR LF is not part of a line.
    dir.write("lf.adi", "H\n<call:1>A <eor>\n<call:1>B <eor>");
    testLog().LogFilePath = dir.file("lf.adi").toUtf8();
    const LoadReport lf = loadLogbookData(testLog());
    QCOMPARE(testLog().LineCount, 3);
    QCOMPARE(lf.rows.cell(1, 2), QByteArray("  B"));
}

void TestLoader::unreadableFieldsAreCounted()
{
    ScratchDir dir;
    const LoadReport r = loadLines(
        dir, {kHeader, "<call:x>DL1ABC <band:3>20m <eor>", "<comment:10>mode of op <mode:3>FT8"});
    QCOMPARE(r.unreadableFields, 2);
    QCOMPARE(cell(r, 0, 2), QByteArray("  "));
    QCOMPARE(cell(r, 0, 5), QByteArray("   20m"));
    QCOMPARE(cell(r, 1, 6), QByteArray("    ")); // "mode" first found inside the comment
}

void TestLoader::logChangedAndSettingsSave()
{
    ScratchDir dir;
    TestLog& s = testLog();
    s.StoredQsoCount = 2;
    loadLines(dir, {kHeader, "<call:1>A <eor>", "<call:1>B <eor>"});
    QCOMPARE(s.ProgramSettings.LogChanged, QByteArray("false"));
    QList<QByteArray> cfg = dir.read("config.dat").split('\n');
    QCOMPARE(cfg.value(1), QByteArray("false\r"));
    QCOMPARE(cfg.value(11), QByteArray("2\r"));
    loadLines(dir, {kHeader, "<call:1>A <eor>", "<call:1>B <eor>", "<call:1>C <eor>"});
    QCOMPARE(s.ProgramSettings.LogChanged, QByteArray("true"));
    QCOMPARE(s.StoredQsoCount, 2); // changes only when the settings are read again
    cfg = dir.read("config.dat").split('\n');
    QCOMPARE(cfg.value(11), QByteArray("3\r"));
}

void TestLoader::callSearch_data()
{
    QTest::addColumn<QByteArray>("search");
    QTest::addColumn<int>("matches");
    QTest::newRow("prefix") << QByteArray("DL") << 2;
    QTest::newRow("star: every record, also one whose call is not found") << QByteArray("*") << 5;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("lower case") << QByteArray("dl") << 0;
    QTest::newRow("upper-case tags never found") << QByteArray("K1") << 0;
    QTest::newRow("no match") << QByteArray("ZZ") << 0;
}

void TestLoader::callSearch()
{
    QFETCH(QByteArray, search);
    QFETCH(int, matches);
    const QByteArray image =
        crlfLines({kHeader,
                   "<call:6>DL1ABC <qso_date:8>20240315 <time_on:6>123456 <freq:6>14.074 "
                   "<mode:4>MFSK <eor>",
                   "<CALL:5>K1ABC <eor>", "<call:5>DK2XY <freq:9>14.074000 <eor>",
                   "<call:6>DL9ZZZ <time_on:0> <eor>", "<call:5>G4ABC <eor>"});
    const CallSearchResult r = searchCalls(image, search, true);
    QCOMPARE(r.matches, matches);
    if (search == "DL") {
        // As the whole-log grid shows them.
        QCOMPARE(r.rows.cell(0, 6), QByteArray("    FT4"));
        QCOMPARE(r.rows.cell(0, 4), QByteArray("   14.074"));
        QCOMPARE(r.rows.cell(0, 0), QByteArray("  15.03.2024"));
        QCOMPARE(r.rows.cell(0, 1), QByteArray("  12:34"));
        QCOMPARE(r.rows.cell(1, 0), QByteArray("  ")); // no date
        QCOMPARE(r.rows.cell(1, 1), QByteArray("  ")); // present but empty
    }
    if (search == "*") {
        // "<CALL:" is not found by the search, but the row shows the call
        // as the grid does.
        QCOMPARE(r.rows.cell(1, 2), QByteArray("  K1ABC"));
        QCOMPARE(r.rows.cell(2, 4), QByteArray("   14.0740"));
    }
}

// Grid rows refer to the file image a load read instead of copying the values;
// the texts must stay right when the image is dropped or changed elsewhere,
// when rows move to a table with another image, and in copies of a table.
void TestLoader::cellsOutliveTheirSource()
{
    QByteArray image = "<call:6>DL1ABC <band:3>20m";
    const QByteArrayView call(image.constData() + 8, 6), band(image.constData() + 23, 3);
    const QByteArrayView values[CellTable::Columns] = {
        "15.03.2024", "09:30", call, "", "", band, "FT8", "", "", "", "", "", "note"};
    auto check = [](const CellTable& t, int row) {
        QCOMPARE(t.cell(row, 0), QByteArray("  15.03.2024"));
        QCOMPARE(t.cell(row, 2), QByteArray("  DL1ABC"));
        QCOMPARE(t.cell(row, 3), QByteArray("   "));
        QCOMPARE(t.cell(row, 5), QByteArray("   20m"));
        QCOMPARE(t.cellString(row, 6), QStringLiteral("    FT8"));
        QCOMPARE(t.cell(row, gridcol::Comment), QByteArray(" note"));
    };

    auto table = std::make_unique<CellTable>();
    table->setSource(image);
    table->setRowValues(0, values);
    table->setRowValues(2, values); // row 1 stays unwritten
    image[8] = 'X';                 // the caller's copy detaches; the table keeps what it was given
    image = QByteArray();
    check(*table, 0);
    check(*table, 2);
    QVERIFY(!table->rowWritten(1));
    QCOMPARE(table->cell(1, 2), QByteArray());

    // Another image: the rows already written keep their text.
    table->setSource(QByteArray("<call:4>W1AW"));
    check(*table, 0);

    // Rows taken over by a table with its own image, then the first is gone.
    CellTable next;
    next.setSource(QByteArray("<call:5>K1ABC"));
    const QByteArrayView raw[CellTable::Columns] = {"a", "b", "c", "d", "e", "f", "g",
                                                    "h", "i", "j", "k", "l", "m"};
    next.setRawRow(0, raw);
    next.copyRow(*table, 1, 1);
    next.copyRow(*table, 2, 2);
    CellTable copy(*table);
    table.reset();
    QCOMPARE(next.rowCount(), 3);
    QCOMPARE(next.cell(0, 2), QByteArray("c"));
    QVERIFY(!next.rowWritten(1));
    check(next, 2);
    check(copy, 0);
    next.setCell(2, 5, "   40m");
    QCOMPARE(next.cell(2, 5), QByteArray("   40m"));
    QCOMPARE(next.cell(2, 2), QByteArray("  DL1ABC"));
}

void TestLoader::utf8ValuesShownAsUtf8()
{
    // WSJT-X writes names and comments in UTF-8, some loggers count their
    // length in characters; the Windows program wrote Windows-1252.
    ScratchDir dir;
    const LoadReport r = loadLines(dir, {kHeader, "<call:5>OK1AB <comment:11>Grüße aus Brno <eor>",
                                         "<call:5>SP9XY <comment:5>Grüße <eor>",
                                         "<call:5>DL1AB <comment:5>Gr\xfc\xdf"
                                         "e <eor>",
                                         "<call:5>UA3AA <comment:12>Привет <eor>"});
    QCOMPARE(r.rows.cellString(0, gridcol::Comment), QStringLiteral(" Grüße aus")); // 11 bytes
    // Five characters declared as 5: the value goes on to the end of the
    // character the length cuts into, never stops inside it.
    QCOMPARE(r.rows.cellString(1, gridcol::Comment), QStringLiteral(" Grüß"));
    QCOMPARE(r.rows.cellString(2, gridcol::Comment), QStringLiteral(" Grüße")); // Windows-1252
    QCOMPARE(r.rows.cellString(3, gridcol::Comment), QStringLiteral(" Привет"));
    // The lines themselves are held as read, byte for byte.
    QCOMPARE(testLog().LogLines.at(3), QByteArray("<call:5>SP9XY <comment:5>Grüße <eor>"));
}

void TestLoader::largeFilesShowProgressOrAreRefused()
{
    ScratchDir dir;
    // A load of tens of megabytes tells how far it got, piece by piece.
    const QByteArray line = "<call:6>DL1ABC <qso_date:8>20240315 <band:3>20m <eor>\r\n";
    dir.write("log.adi", kHeader + "\r\n" + line.repeated(700000));
    TestLog& s = testLog();
    s.LogFilePath = dir.file("log.adi").toUtf8();
    s.DisplayFormat = 1;
    QList<double> seen;
    s.loadProgress = [&seen](qint64 done, qint64 total) { seen << double(done) / double(total); };
    const LoadReport r = loadLogbookData(s);
    s.loadProgress = nullptr;
    QCOMPARE(r.rows.rowCount(), 700000);
    QVERIFY2(seen.size() >= 4, qPrintable(QString::number(seen.size())));
    QVERIFY(std::is_sorted(seen.begin(), seen.end()) && seen.last() < 1.0);

    // Beyond 2 GiB the grid's cells cannot refer to the file: refused with
    // a reason, never shown wrong (a sparse file: nothing is written).
    QFile big(dir.file("big.adi"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize((qint64(1) << 31) + 10));
    big.close();
    s.LogFilePath = dir.file("big.adi").toUtf8();
    const LoadReport refused = loadLogbookData(s);
    QVERIFY(!refused.opened);
    QVERIFY(refused.errorReason.contains(QStringLiteral("2 GiB")));
    QCOMPARE(s.QsoCount, -1);
}

// A row kept as its record line shows what a row written from the parsed
// values shows, also once the line's image is gone or replaced, in copies,
// in tables with another image, and after a table moved.
void TestLoader::rowsReadFromTheirLines()
{
    QByteArray image = "<call:6>DL1ABC <qso_date:8>20240315 <time_on:6>093000 "
                       "<freq:9>14.074000 <band:3>20m <mode:4>MFSK <eqsl_qsl_rcvd:1>Y\n"
                       "<call:2>CQ <gridsquare:4>JO31 <comment:4>test <eqsl_qsl_sent:1>N\n";
    const qsizetype second = image.indexOf('\n') + 1;
    const QByteArrayView lines[2] = {
        QByteArrayView(image).first(second - 1),
        QByteArrayView(image).sliced(second, image.size() - second - 1)};
    for (const bool display : {true, false}) {
        CellTable expected;
        for (int i = 0; i < 2; ++i) {
            RowValues v;
            parseLogRow(lines[i], display, v);
            writeGridRow(expected, i, v);
        }
        auto same = [&](const CellTable& t, int row, int as) {
            for (int c = 0; c < CellTable::Columns; ++c) {
                QCOMPARE(t.cell(row, c), expected.cell(as, c));
                QCOMPARE(t.cellString(row, c), expected.cellString(as, c));
                QCOMPARE(t.value(row, c).toByteArray(), expected.value(as, c).toByteArray());
            }
        };
        auto table = std::make_unique<CellTable>();
        table->setSource(image);
        table->setLineRow(0, lines[0], display);
        table->setLineRow(3, lines[1], display); // rows 1 and 2 stay unwritten
        QVERIFY(table->rowWritten(0) && !table->rowWritten(1) && table->rowWritten(3));
        QCOMPARE(table->rowCount(), 4);
        // Read in turns: each row's cells are its own.
        same(*table, 3, 1);
        same(*table, 0, 0);
        same(*table, 3, 1);

        CellTable sameImage, otherImage;
        sameImage.setSource(image);
        otherImage.setSource(QByteArray("<call:4>W1AW"));
        sameImage.copyRow(*table, 3, 0);
        otherImage.copyRow(*table, 0, 0);
        otherImage.copyRow(*table, 3, 1);
        CellTable copy(*table);
        CellTable moved(std::move(copy));
        same(moved, 0, 0);
        // The table's image replaced: its rows keep their texts.
        table->setSource(QByteArray("<call:5>K1ABC"));
        same(*table, 0, 0);
        same(*table, 3, 1);
        table.reset();
        same(otherImage, 0, 0);
        same(otherImage, 1, 1);
        same(sameImage, 0, 1);
        same(moved, 3, 1);
        // A cell changed by hand; the row's other cells stay.
        moved.setCell(3, 2, "  DL9XYZ");
        QCOMPARE(moved.cell(3, 2), QByteArray("  DL9XYZ"));
        QCOMPARE(moved.cell(3, 3), expected.cell(1, 3));
        same(moved, 0, 0);
    }
    // A line outside the table's image is read at once.
    CellTable elsewhere;
    elsewhere.setSource(QByteArray("<call:4>W1AW"));
    {
        const QByteArray line = "<call:5>K1ABC <band:3>40m";
        elsewhere.setLineRow(0, line, true);
    }
    QCOMPARE(elsewhere.cell(0, 2), QByteArray("  K1ABC"));
    QCOMPARE(elsewhere.cell(0, 5), QByteArray("   40m"));
    // A copy of a table that lost cells says so too.
    elsewhere.markOverflowed();
    const CellTable copied(elsewhere);
    QVERIFY(copied.overflowed());
}

QTEST_GUILESS_MAIN(TestLoader)
#include "tst_loader.moc"

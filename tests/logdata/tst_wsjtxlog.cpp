// A logbook as WSJT-X writes it (its header, lower-case tags, FT4 as MFSK with
// submode, " <eor>", CR LF), 10,000 records: it opens, searches, and survives
// an edit with every untouched line byte for byte the same.
#include "logdata/CallSearch.h"
#include "logdata/LineTable.h"
#include "logdata/Loader.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"
#include "loggen/LogGenerator.h"
#include "support/TestLog.h"
#include "support/TestSupport.h"

#include <QTest>

class TestWsjtxLog : public QObject
{
    Q_OBJECT
private slots:
    void opensSearchesAndSurvivesAnEdit();
    void searchRowsAreTheGridsRows();
};

void TestWsjtxLog::opensSearchesAndSurvivesAnEdit()
{
    ScratchDir dir;
    LogGeneratorOptions o;
    o.records = 10000;
    o.seed = 7;
    const QByteArray log = generateWsjtxLog(o);
    QVERIFY(log.startsWith("WSJT-X ADIF Export<eoh>\r\n"));
    QVERIFY(log.contains("<mode:4>MFSK <submode:3>FT4"));
    QVERIFY(log.contains(" <eor>\r\n"));
    dir.write("wsjtx_log.adi", log);

    TestLog& s = testLog();
    resetTestLog();
    s.LogFilePath = dir.file("wsjtx_log.adi").toUtf8();
    s.DisplayFormat = 1;
    s.StartQsoCount = 10000;
    LoadReport r = loadLogbookData(s);
    QVERIFY(r.opened);
    QCOMPARE(s.QsoCount, 10000);
    QCOMPARE(r.unreadableFields, 0);
    const std::vector<LineSpan> spans = splitLines(log);
    int ft4 = 0, tenCharFreq = 0;
    for (int row = 0; row < 10000; ++row) {
        const QByteArray line =
            log.mid(spans[size_t(row + 1)].offset, spans[size_t(row + 1)].length);
        if (line.contains("<submode:3>FT4")) {
            ++ft4;
            QCOMPARE(r.rows.cell(row, 6), QByteArray("    FT4"));
        }
        if (line.contains("<freq:10>")) {
            ++tenCharFreq;
            QCOMPARE(r.rows.cell(row, 4).size(), 3 + 10);
        }
        const qsizetype c = line.indexOf("<call:") + 6;
        const qsizetype close = line.indexOf('>', c);
        const QByteArray call = line.mid(close + 1, line.mid(c, close - c).toInt());
        QCOMPARE(r.rows.cell(row, 2), "  " + call);
    }
    QVERIFY(ft4 > 1000);
    QVERIFY(tenCharFreq > 100);

    // Search: every record whose call begins with "DL".
    const CallSearchResult found = searchCalls(log, "DL", true);
    QVERIFY(found.matches > 50);
    for (int i = 0; i < found.matches; ++i)
        QVERIFY(found.rows.cell(i, 2).startsWith("  DL"));

    // An edit of one record: every other line stays byte for byte.
    const int edited = 5000;
    const QByteArray newRecord = "<call:5>K1ABC <qso_date:8>20240315 <time_on:6>123400 <eor>";
    s.LogLines.set(edited + 1, newRecord);
    QCOMPARE(int(rewriteLogbook(s, s.LineCount).result), int(RewriteResult::Written));
    const QByteArray after = dir.read("wsjtx_log.adi");
    const std::vector<LineSpan> afterSpans = splitLines(after);
    QCOMPARE(afterSpans.size(), spans.size());
    for (size_t k = 0; k < spans.size(); ++k) {
        const QByteArrayView a(after.constData() + afterSpans[k].offset, afterSpans[k].length);
        if (int(k) == edited) {
            QCOMPARE(a.toByteArray(), newRecord);
            continue;
        }
        QCOMPARE(a, QByteArrayView(log.constData() + spans[k].offset, spans[k].length));
    }
    QCOMPARE(after.size() - newRecord.size(), log.size() - qsizetype(spans[size_t(edited)].length));
}

// A QSO found by the call search shows what the whole-log grid shows for it
// (FT4 for MFSK, every digit of the frequency, the same date and time), from
// the file and from memory, also after an edit.
void TestWsjtxLog::searchRowsAreTheGridsRows()
{
    ScratchDir dir;
    LogGeneratorOptions o;
    o.records = 3000;
    o.seed = 2024;
    QByteArray log = generateWsjtxLog(o);
    // A record without date and time and one with an empty time.
    log += "<call:6>DL0XYZ <freq:6>14.074 <mode:4>MFSK <eor>\r\n"
           "<call:6>DL0ABC <qso_date:8>20240315 <time_on:0> <freq:10>144.170600 <eor>\r\n";
    dir.write("wsjtx_log.adi", log);
    TestLog& s = testLog();
    resetTestLog();
    s.LogFilePath = dir.file("wsjtx_log.adi").toUtf8();
    s.DisplayFormat = 1;
    LoadReport r = loadLogbookData(s);
    QVERIFY(r.opened);
    auto check = [&](const CallSearchResult& found, const char* how) {
        int row = 0, ft4 = 0, longFreq = 0;
        for (int i = 0; i < found.matches; ++i, ++row) {
            while (row < r.rows.rowCount() && !r.rows.value(row, 2).startsWith("DL"))
                ++row;
            QVERIFY2(row < r.rows.rowCount(), how);
            for (int c = 0; c < CellTable::Columns; ++c)
                QVERIFY2(found.rows.cell(i, c) == r.rows.cell(row, c),
                         qPrintable(QStringLiteral("%1: search row %2 column %3: %4 vs %5")
                                        .arg(QLatin1String(how))
                                        .arg(i)
                                        .arg(c)
                                        .arg(QLatin1String(found.rows.cell(i, c)),
                                             QLatin1String(r.rows.cell(row, c)))));
            ft4 += found.rows.value(i, 6) == QByteArrayView("FT4");
            longFreq += found.rows.value(i, 4).size() == 10;
        }
        QVERIFY2(ft4 > 10 && longFreq > 10, how);
    };
    check(searchCalls(dir.read("wsjtx_log.adi"), "DL", true), "file");
    // From memory the same QSOs are found as from the file, for texts shorter
    // and longer than the call heads the memory search compares first.
    const QByteArray file = dir.read("wsjtx_log.adi");
    for (const char* text : {"D", "DL", "DL0", "DL0X", "DL0XY", "DL0XYZ", "DL0XYZW", "K", "*"}) {
        const CallSearchResult fromFile = searchCalls(file, text, true);
        const CallSearchResult fromMemory = searchLogLines(s, r.rows, text, true);
        QCOMPARE(fromMemory.matches, fromFile.matches);
        for (int i = 0; i < fromFile.matches; ++i)
            QCOMPARE(fromMemory.rows.cell(i, 2), fromFile.rows.cell(i, 2));
    }
    QCOMPARE(searchLogLines(s, r.rows, "DL0XYZ", true).matches, 1);
    check(searchLogLines(s, r.rows, "DL", true), "memory");
    // An edited line (as after "modification save") is read again by both.
    const int edited = 2 + 40;
    const QByteArray changedLine =
        "<call:6>DL7QRP <qso_date:8>20231224 <time_on:6>235959 <freq:9>28.074000 <mode:4>MFSK "
        "<submode:3>FT4 <eor>";
    s.LogLines.set(edited, changedLine);
    const LoadReport update = refreshLogbookData(s);
    for (size_t i = 0; i < update.updatedRows.size(); ++i)
        r.rows.copyRow(update.rows, int(i), update.updatedRows[i]);

    check(searchLogLines(s, r.rows, "DL", true), "memory, after an edit");
}

QTEST_GUILESS_MAIN(TestWsjtxLog)
#include "tst_wsjtxlog.moc"

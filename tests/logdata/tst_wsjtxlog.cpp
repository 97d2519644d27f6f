// A logbook as WSJT-X writes it (its header, lower-case tags, FT4 as MFSK with
// submode, " <eor>", CR LF), 10,000 records: it opens, searches, and survives
// an edit with every untouched line byte for byte the same.
#include "logdata/CallSearch.h"
#include "logdata/LineTable.h"
#include "logdata/Loader.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"
#include "loggen/LogGenerator.h"
#include "support/TestSupport.h"

#include <QTest>

class TestWsjtxLog : public QObject
{
    Q_OBJECT
private slots:
    void opensSearchesAndSurvivesAnEdit();
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

    ProgramState& s = G();
    resetProgramState();
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

QTEST_GUILESS_MAIN(TestWsjtxLog)
#include "tst_wsjtxlog.moc"

// Rewriting the logbook (atomic, keeping lines WSJT-X appended meanwhile) and
// the text list.
#include "logdata/Loader.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"
#include "logdata/TextList.h"
#include "loggen/LogGenerator.h"
#include "support/TestLog.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTest>

class TestRewriteList : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetTestLog(); }
    void rewriteReplacesOnlyTheEditedLine();
    void appendedLinesAreKept();
    void newQsoStaysLastAfterAppendedLines();
    void otherChangesOnDiskRefuseTheWrite();
    void failedWriteLeavesTheOldFile();
    void secondRewriteBeforeReload();
    void halfWrittenLineIsLeftAsItIs();
    void followReadsOnlyWhatWasAppended();
    void listExportBetweenLoadAndRewrite();
    void listRows_data();
    void listRows();
    void listFile();
    void listCannotBeCreated();
};

namespace
{
const QByteArray kHeader = "WSJT-X ADIF Export<eoh>";
const QByteArray r1 = "<call:5>K1ABC <band:3>20m <eor>";
const QByteArray r2 = "<call:6>DL1\xe4\x42\x43 <band:3>40m <eor>"; // a Windows-1252 byte
const QByteArray r3 = "<call:4>G4XX <eor>";

void load(ScratchDir& dir, const QByteArray& bytes)
{
    dir.write("log.adi", bytes);
    testLog().LogFilePath = dir.file("log.adi").toUtf8();
    testLog().DisplayFormat = 1;
    loadLogbookData(testLog());
}

void append(ScratchDir& dir, const QByteArray& bytes)
{
    QFile f(dir.file("log.adi"));
    QVERIFY(f.open(QIODevice::Append));
    f.write(bytes);
}
} // namespace

void TestRewriteList::rewriteReplacesOnlyTheEditedLine()
{
    ScratchDir dir;
    // LF-only ends come back with CR LF; a last line without its line end
    // (another program may still be writing it) stays without.
    load(dir, kHeader + "\r\n" + r1 + "\n" + r2 + "\r\n" + r3);
    testLog().LogLines.set(3, "<call:4>NEW1 <eor>");
    const RewriteOutcome o = rewriteLogbook(testLog(), testLog().LineCount);
    QCOMPARE(int(o.result), int(RewriteResult::Written));
    const QByteArray written = crlfLines({kHeader, r1, "<call:4>NEW1 <eor>"}) + r3;
    QCOMPARE(dir.read("log.adi"), written);
    // Elements beyond LineCount are not written.
    testLog().LogLines.set(5, "<call:3>XYZ <eor>");
    rewriteLogbook(testLog(), testLog().LineCount);
    QCOMPARE(dir.read("log.adi"), written);

    // Runs of unchanged lines end at an LF-only end, an empty line, a CR that
    // belongs to the line, or an edited line; each line comes back whole.
    resetTestLog();
    load(dir, kHeader + "\r\n" + r1 + "\r\n" + r2 + "\n\n" + r3 + "\r\r\n" + r1 + "\r\n" + r2 +
                  "\r\n" + r3 + "\n" + r1 + "\r\n");
    testLog().LogLines.set(8, r2);
    QCOMPARE(int(rewriteLogbook(testLog(), testLog().LineCount).result),
             int(RewriteResult::Written));
    QCOMPARE(dir.read("log.adi"), crlfLines({kHeader, r1, r2, "", r3 + "\r", r1, r2, r2, r1}));
}

void TestRewriteList::appendedLinesAreKept()
{
    ScratchDir dir;
    load(dir, crlfLines({kHeader, r1, r2}));
    append(dir, r3 + "\r\n" + "<call:4>W1AW <eor>\n");
    testLog().LogLines.set(2, "<call:5>K1ABD <eor>");
    const RewriteOutcome o = rewriteLogbook(testLog(), testLog().LineCount);
    QCOMPARE(int(o.result), int(RewriteResult::Written));
    QCOMPARE(o.appendedKept, 2);
    // The appended bytes are copied as they are.
    QCOMPARE(dir.read("log.adi"),
             crlfLines({kHeader, "<call:5>K1ABD <eor>", r2, r3}) + "<call:4>W1AW <eor>\n");
    QCOMPARE(testLog().LineCount, 5); // the table mirrors the file now
}

void TestRewriteList::newQsoStaysLastAfterAppendedLines()
{
    ScratchDir dir;
    load(dir, crlfLines({kHeader, r1}));
    append(dir, r2 + "\r\n");
    testLog().LogLines.set(testLog().AppendBase + 1, r3);
    const RewriteOutcome o = rewriteLogbook(testLog(), testLog().LineCount + 1);
    QCOMPARE(int(o.result), int(RewriteResult::Written));
    QCOMPARE(dir.read("log.adi"), crlfLines({kHeader, r1, r2, r3}));
    // A loaded file without a final line end, continued by a new line.
    load(dir, kHeader + "\r\n" + r1);
    append(dir, "\r\n" + r2 + "\r\n");
    QCOMPARE(int(rewriteLogbook(testLog(), testLog().LineCount).result),
             int(RewriteResult::Written));
    QCOMPARE(dir.read("log.adi"), crlfLines({kHeader, r1, r2}));
}

void TestRewriteList::otherChangesOnDiskRefuseTheWrite()
{
    ScratchDir dir;
    load(dir, crlfLines({kHeader, r1, r2}));
    const QByteArray changed = crlfLines({kHeader, r3, r2});
    dir.write("log.adi", changed);
    testLog().LogLines.set(2, "<call:3>AAA <eor>");
    RewriteOutcome o = rewriteLogbook(testLog(), testLog().LineCount);
    QCOMPARE(int(o.result), int(RewriteResult::ChangedOnDisk));
    QVERIFY(!o.message.isEmpty());
    QCOMPARE(dir.read("log.adi"), changed);
    // The last loaded line edited here and continued on disk meanwhile.
    load(dir, kHeader + "\r\n" + r1);
    testLog().LogLines.set(2, "<call:3>CCC <eor>");
    append(dir, "more");
    QCOMPARE(int(rewriteLogbook(testLog(), testLog().LineCount).result),
             int(RewriteResult::ChangedOnDisk));
    // A file removed since the load.
    load(dir, crlfLines({kHeader, r1}));
    QFile::remove(dir.file("log.adi"));
    QCOMPARE(int(rewriteLogbook(testLog(), testLog().LineCount).result),
             int(RewriteResult::ChangedOnDisk));
}

void TestRewriteList::failedWriteLeavesTheOldFile()
{
    ScratchDir dir;
    const QByteArray original = crlfLines({kHeader, r1, r2, r3});
    load(dir, original);
    testLog().LogLines.set(2, QByteArray(300, 'x'));
    RewriteOutcome o;
    {
        FileSizeLimit full(original.size() + 10);
        o = rewriteLogbook(testLog(), testLog().LineCount);
    }
    QCOMPARE(int(o.result), int(RewriteResult::Failed));
    QCOMPARE(dir.read("log.adi"), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // log.adi, config.dat
    // The logbook replaced by a folder.
    QFile::remove(dir.file("log.adi"));
    QDir(dir.path()).mkdir("log.adi");
    QCOMPARE(int(rewriteLogbook(testLog(), testLog().LineCount).result),
             int(RewriteResult::Failed));
}

void TestRewriteList::secondRewriteBeforeReload()
{
    ScratchDir dir;
    load(dir, crlfLines({kHeader, r1, r2}));
    append(dir, r3 + "\r\n");
    testLog().LogLines.set(2, "<call:3>AAA <eor>");
    QCOMPARE(int(rewriteLogbook(testLog(), testLog().LineCount).result),
             int(RewriteResult::Written));
    testLog().LogLines.set(3, "<call:3>BBB <eor>");
    QCOMPARE(int(rewriteLogbook(testLog(), testLog().LineCount).result),
             int(RewriteResult::Written));
    QCOMPARE(dir.read("log.adi"),
             crlfLines({kHeader, "<call:3>AAA <eor>", "<call:3>BBB <eor>", r3}));
}

void TestRewriteList::halfWrittenLineIsLeftAsItIs()
{
    // WSJT-X has written half a line when the rewrite reads the file: it is
    // written back without a line end, and the writer's remainder completes it.
    ScratchDir dir;
    load(dir, crlfLines({kHeader, r1, r2}));
    append(dir, "<call:4>W1AW <ba");
    testLog().LogLines.set(2, "<call:5>K1ABD <eor>");
    QCOMPARE(int(rewriteLogbook(testLog(), testLog().LineCount).result),
             int(RewriteResult::Written));
    QCOMPARE(dir.read("log.adi"),
             crlfLines({kHeader, "<call:5>K1ABD <eor>", r2}) + "<call:4>W1AW <ba");
    append(dir, "nd:3>20m <eor>\n");
    QCOMPARE(dir.read("log.adi"),
             crlfLines({kHeader, "<call:5>K1ABD <eor>", r2}) + "<call:4>W1AW <band:3>20m <eor>\n");
    // A second edit before any reload: still one whole line, and the table
    // holds it whole after the reload.
    testLog().LogLines.set(3, "<call:3>BBB <eor>");
    QCOMPARE(int(rewriteLogbook(testLog(), testLog().LineCount).result),
             int(RewriteResult::Written));
    QCOMPARE(dir.read("log.adi"), crlfLines({kHeader, "<call:5>K1ABD <eor>", "<call:3>BBB <eor>"}) +
                                      "<call:4>W1AW <band:3>20m <eor>\n");
    refreshLogbookData(testLog());
    QCOMPARE(testLog().LogLines.at(4), QByteArray("<call:4>W1AW <band:3>20m <eor>"));
    QCOMPARE(testLog().QsoCount, 3);
}

namespace
{
// The bytes this process has read so far (Linux).
qint64 bytesRead()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}
} // namespace

void TestRewriteList::followReadsOnlyWhatWasAppended()
{
    // Following a large log costs what the new QSO costs, not the log.
    ScratchDir dir;
    LogGeneratorOptions o;
    o.records = 20000;
    const QByteArray log = generateWsjtxLog(o);
    load(dir, log);
    const QByteArray added = generateWsjtxRecord(o, 20000);
    append(dir, added + "\n");
    const qint64 before = bytesRead();
    const LoadReport r = followLogbookData(testLog());
    const qint64 read = bytesRead() - before;
    QVERIFY2(read < 4 * 65536, qPrintable(QString::number(read)));
    QVERIFY(r.reloadReason.isEmpty());
    QCOMPARE(r.appendedLines, 1);
    QCOMPARE(r.updatedRows, std::vector<int>{20000});
    QCOMPARE(testLog().QsoCount, 20001);
    QCOMPARE(testLog().LogLines.at(20002), added);
    // Nothing new: nothing read but the file's size.
    QVERIFY(followLogbookData(testLog()).updatedRows.empty());
    // The file replaced by another: not taken for an append.
    dir.write("other.adi", log + added + "\n" + added + "\n");
    QFile::remove(dir.file("log.adi"));
    QFile::rename(dir.file("other.adi"), dir.file("log.adi"));
    QVERIFY(!followLogbookData(testLog()).reloadReason.isEmpty());
}

void TestRewriteList::listExportBetweenLoadAndRewrite()
{
    // The list export recounts LineCount from the file; WSJT-X appended a
    // line meanwhile. A new QSO must still go last, with no empty line and no
    // line twice.
    ScratchDir dir;
    load(dir, crlfLines({kHeader, r1}));
    append(dir, r2 + "\r\n");
    buildTextList(testLog(), nullptr);
    QCOMPARE(testLog().LineCount, 3);
    QCOMPARE(int(appendRecord(testLog(), r3).result), int(RewriteResult::Written));
    QCOMPARE(dir.read("log.adi"), crlfLines({kHeader, r1, r2, r3}));
}

void TestRewriteList::listRows_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("row");
    QTest::newRow("typical")
        << QByteArray("<call:6>DL1ABC <gridsquare:4>JO62 <mode:3>FT8 <rst_sent:3>-05 "
                      "<rst_rcvd:3>-10 <qso_date:8>20210315 <time_on:6>123456 <band:3>20m "
                      "<eqsl_qsl_sent:1>Y <eqsl_qsl_rcvd:1>N <eor>")
        << QByteArray("15.03.2021 12:34 DL1ABC      JO62  20m  FT8   -10   -05    Y       N");
    QTest::newRow("ten character call, no locator or reports")
        << QByteArray("<call:10>DL1ABC/QRP <eor>")
        << QByteArray("  DL1ABC/QRP  ----       ---   ---           ");
    QTest::newRow("short call padded to ten columns")
        << QByteArray("<call:2>K1 <eor>")
        << QByteArray("  K1          ----       ---   ---           ");
    QTest::newRow("long call, no padding")
        << QByteArray("<call:12>PA/DL1ABC/MM <eor>")
        << QByteArray("  PA/DL1ABC/MM  ----       ---   ---           ");
    QTest::newRow("four character time")
        << QByteArray("<time_on:4>1234 <eor>")
        << QByteArray(" 12:34             ----       ---   ---           ");
    QTest::newRow("upper case tags")
        << QByteArray("<CALL:4>G4XX <BAND:3>40M <EOR>")
        << QByteArray("  G4XX        ----  40M     ---   ---           ");
    QTest::newRow("mixed case tag not found")
        << QByteArray("<Call:4>G4XX <eor>")
        << QByteArray("              ----       ---   ---           ");
    QTest::newRow("deletion placeholder")
        << QByteArray("<call:0><qso_date:0><time_on:0><time_off:0><freq:0><band:0><mode:0>"
                      "<rst_rcvd:0><rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:0>"
                      "<eqsl_qsl_rcvd:0><eqsl_qsl_sent:0><comment:17>Reserve by delete"
                      "<qsl_sent:0><qsl_rcvd:0><eor>")
        << QByteArray("              ----       ---   ---           ");
}

void TestRewriteList::listRows()
{
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, row);
    QByteArray out;
    appendListRow(record, out);
    QCOMPARE(out, row);
}

void TestRewriteList::listFile()
{
    ScratchDir dir;
    dir.write("log.adi", crlfLines({kHeader, r1, r2, r3}));
    TestLog& s = testLog();
    s.LogFilePath = dir.file("log.adi").toUtf8();
    QStringList messages;
    const TextListOutcome o = buildTextList(s, [&](const QString& m) { messages << m; });
    QVERIFY(o.listWritten);
    QVERIFY(messages.isEmpty());
    const QList<QByteArray> lines = dir.read("List.txt").split('\n');
    QCOMPARE(lines.size(), 5); // 4 rows and the piece after the last line end
    QCOMPARE(lines[0], QByteArray("\r"));
    QVERIFY(lines[1].startsWith("  K1ABC       ----  20m"));
    QCOMPARE(s.LineCount, 4);
    QCOMPARE(s.DisplayFormat, quint8(1));
    QCOMPARE(s.ListWritten, 1);
    QCOMPARE(s.ListHeading1,
             QByteArray("Datum      Zeit   Call     Loc   Band Mod  RST   RST   e-QSL   e-QSL"));
    QCOMPARE(s.ListHeading2.size(), 66);
    // No logbook: no List.txt at all afterwards.
    s.LogFilePath = dir.file("missing.adi").toUtf8();
    QVERIFY(!buildTextList(s, nullptr).logOpened);
    QVERIFY(!QFile::exists(dir.file("List.txt")));
}

void TestRewriteList::listCannotBeCreated()
{
    ScratchDir dir;
    dir.write("log.adi", crlfLines({kHeader, r1, r2, r3}));
    QDir(dir.path()).mkdir("List.txt"); // something that cannot be opened as a file
    testLog().LogFilePath = dir.file("log.adi").toUtf8();
    QStringList messages;
    const TextListOutcome o = buildTextList(testLog(), [&](const QString& m) { messages << m; });
    QVERIFY(!o.listWritten);
    QCOMPARE(messages, QStringList{"The file List.txt could not be created."}); // once, not per row
    QCOMPARE(testLog().ListWritten, 0);
}

QTEST_GUILESS_MAIN(TestRewriteList)
#include "tst_rewritelist.moc"

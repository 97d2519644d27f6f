// The QSL round trip's logic without a network: the field changes applied to
// record lines, the matcher, eQSL's reply read per QSO, and the ADIF the
// services send and receive.
#include "qsl/AdifText.h"
#include "qsl/EqslReply.h"
#include "qsl/QsoIndex.h"

#include <QTest>

using namespace qsl;

class TestQslMarks : public QObject
{
    Q_OBJECT
private slots:
    void changesKeepEveryOtherByte();
    void changesGoOnlyToTheSameQso();
    void matcherRules_data();
    void matcherRules();
    void matchMarksOnceAndKeepsAnEarlierConfirmation();
    void eqslReplyPerQso_data();
    void eqslReplyPerQso();
    void eqslPostsNeverHoldTwoQsosOneWarningCouldName();
    void adifFilesEndWhereTheyEnd();
    void uploadRecordHasModeAsAdifHasIt();
};

namespace
{
const QByteArray kWsjtx =
    "<call:5>K1ABC <gridsquare:4>FN42 <mode:4>MFSK <submode:3>FT4 <rst_sent:3>-10 "
    "<qso_date:8>20240131 <time_on:6>235510 <band:3>20m <freq:9>14.080000 "
    "<comment:5>a<b>c <eor>";

QByteArray apply(const QByteArray& line, const LineMark& mark, ApplyResult expect)
{
    QByteArray out;
    const ApplyResult r = applyLineMark(line, mark, out);
    if (r != expect)
        QTest::qFail("applyLineMark gave another result", __FILE__, __LINE__);
    return r == ApplyResult::Applied ? out : line;
}

LineMark markFor(const QByteArray& line, QList<std::pair<QByteArray, QByteArray>> fields)
{
    FieldChanges c;
    const QsoFacts f = readQsoFacts(line);
    for (const auto& [tag, value] : fields)
        c.set(7, f, tag, value);
    return *c.at(7);
}
} // namespace

void TestQslMarks::changesKeepEveryOtherByte()
{
    // Missing fields go before <eor>, in the line's tag case.
    QCOMPARE(apply(kWsjtx, markFor(kWsjtx, {{"EQSL_QSL_SENT", "Y"}, {"EQSL_QSLSDATE", "20240201"}}),
                   ApplyResult::Applied),
             kWsjtx.chopped(5) + "<eqsl_qsl_sent:1>Y <eqsl_qslsdate:8>20240201 <eor>");

    // A present field is replaced where it stands, its name as written and its
    // type indicator kept; a value holding "<eor>" is no end of the record.
    const QByteArray upper = "<CALL:5>K1ABC<QSO_DATE:8:D>20240131<TIME_ON:4>2355<BAND:3>20M"
                             "<MODE:3>FT8<Lotw_Qsl_Rcvd:1:S>N<QSLMSG:5><eor>\t<EOR>trailing";
    QCOMPARE(apply(upper, markFor(upper, {{"LOTW_QSL_RCVD", "Y"}, {"QSO_DATE", "20240130"}}),
                   ApplyResult::Applied),
             QByteArray("<CALL:5>K1ABC<QSO_DATE:8:D>20240130<TIME_ON:4>2355<BAND:3>20M"
                        "<MODE:3>FT8<Lotw_Qsl_Rcvd:1:S>Y<QSLMSG:5><eor>\t<EOR>trailing"));

    // Longer values change the declared length; UTF-8 elsewhere is untouched.
    const QByteArray utf8 = "<call:4>G4XY <name:6>J\xc3\xbcrgen <qso_date:8>20240101 "
                            "<time_on:4>0000 <eqsl_qslsdate:0> <eor>";
    QCOMPARE(apply(utf8, markFor(utf8, {{"EQSL_QSLSDATE", "20240102"}}), ApplyResult::Applied),
             QByteArray("<call:4>G4XY <name:6>J\xc3\xbcrgen <qso_date:8>20240101 "
                        "<time_on:4>0000 <eqsl_qslsdate:8>20240102 <eor>"));
}

void TestQslMarks::changesGoOnlyToTheSameQso()
{
    const LineMark mark = markFor(kWsjtx, {{"EQSL_QSL_SENT", "Y"}});
    // The line now holds another QSO (a deletion moved the lines): untouched.
    QByteArray other = kWsjtx;
    other.replace("K1ABC", "K1ABD");
    apply(other, mark, ApplyResult::NotThatQso);
    QByteArray otherTime = kWsjtx;
    otherTime.replace("235510", "235511");
    apply(otherTime, mark, ApplyResult::NotThatQso);
    // A run's marks over a log whose lines moved: only the line that still
    // holds its QSO changes.
    FieldChanges run;
    run.set(2, readQsoFacts(kWsjtx), "EQSL_QSL_SENT", "Y");
    run.set(3, readQsoFacts(kWsjtx), "EQSL_QSL_SENT", "Y");
    QList<QByteArray> log = {"header<eoh>", kWsjtx, other};
    const QList<int> left = applyChanges(
        run,
        [&log](int k) { return k <= log.size() ? QByteArrayView(log[k - 1]) : QByteArrayView(); },
        [&log](int k, const QByteArray& text) { log[k - 1] = text; });
    QCOMPARE(left, QList<int>{3});
    QCOMPARE(log[1], kWsjtx.chopped(5) + "<eqsl_qsl_sent:1>Y <eor>");
    QCOMPARE(log[2], other);
    // The header or a line being written is no record.
    apply(kWsjtx.chopped(6), mark, ApplyResult::NotARecord);
    QCOMPARE(apply("WSJT-X ADIF Export<eoh>", mark, ApplyResult::NotARecord),
             QByteArray("WSJT-X ADIF Export<eoh>"));
}

namespace
{
// A log of record lines (line numbers from 2: the header is line 1).
QList<QByteArray> matcherLog()
{
    return {
        kWsjtx, // 2: FT4 23:55:10
        "<call:5>K1ABC <mode:3>FT8 <qso_date:8>20240131 <time_on:4>1200 <band:3>20m <eor>",  // 3
        "<call:5>K1ABC <mode:3>FT8 <qso_date:8>20240131 <time_on:4>1200 <band:3>40m <eor>",  // 4
        "<call:6>DL2XYZ <mode:3>FT8 <qso_date:8>20240131 <time_on:4>1000 <band:3>20m <eor>", // 5
        "<call:6>DL2XYZ <mode:3>FT8 <qso_date:8>20240131 <time_on:4>1020 <band:3>20m <eor>", // 6
        "<call:4>W1AW <mode:3>FT4 <qso_date:8>20240131 <time_on:4>0800 <band:3>15m <eor>",   // 7
        "<call:4>W1AW <mode:3>FT8 <qso_date:8>2024013 <time_on:4>0900 <band:3>15m <eor>",    // 8
        "<Call:5>VK2AB<Band:3>20m<Mode:3>FT8<Qso_Date:8>20240131<Time_On:4>0500<eor>",       // 9
    };
}

QsoIndex indexOf(const QList<QByteArray>& log)
{
    QsoIndex index;
    for (qsizetype i = 0; i < log.size(); ++i)
        index.add(int(i) + 2, log[i]);
    index.finish();
    return index;
}
} // namespace

void TestQslMarks::matcherRules_data()
{
    QTest::addColumn<QByteArray>("confirmation");
    QTest::addColumn<QList<int>>("lines"); // the QSOs that qualify
    auto row = [](const char* name, const char* c, QList<int> lines) {
        QTest::newRow(name) << QByteArray(c) << lines;
    };
    // MFSK/FT4 in the log is FT4 in the confirmation, and MFSK/FT4 too; the
    // next day's 00:20 is 25 minutes after 23:55.
    row("ft4 as mode, across midnight",
        "<CALL:5>k1abc<BAND:3>20M<MODE:3>FT4<QSO_DATE:8>20240201<TIME_ON:6>002000<EOR>", {2});
    row("mfsk/ft4",
        "<CALL:5>K1ABC<BAND:3>20m<MODE:4>MFSK<SUBMODE:3>FT4<QSO_DATE:8>20240131"
        "<TIME_ON:4>2330<EOR>",
        {2});
    row("31 minutes off",
        "<CALL:5>K1ABC<BAND:3>20M<MODE:3>FT4<QSO_DATE:8>20240201"
        "<TIME_ON:6>002611<EOR>",
        {});
    row("mode differs",
        "<CALL:5>K1ABC<BAND:3>20M<MODE:3>FT8<QSO_DATE:8>20240131"
        "<TIME_ON:4>2355<EOR>",
        {});
    row("bare mfsk is not ft4",
        "<CALL:5>K1ABC<BAND:3>20M<MODE:4>MFSK<QSO_DATE:8>20240131"
        "<TIME_ON:4>2355<EOR>",
        {});
    row("band decides",
        "<CALL:5>K1ABC<BAND:3>40M<MODE:3>FT8<QSO_DATE:8>20240131"
        "<TIME_ON:4>1210<EOR>",
        {4});
    row("two qualify",
        "<CALL:6>DL2XYZ<BAND:3>20M<MODE:3>FT8<QSO_DATE:8>20240131"
        "<TIME_ON:4>1010<EOR>",
        {5, 6});
    row("only the nearer one within",
        "<CALL:6>DL2XYZ<BAND:3>20M<MODE:3>FT8<QSO_DATE:8>20240131"
        "<TIME_ON:4>0945<EOR>",
        {5});
    row("other call",
        "<CALL:5>DL2XY<BAND:3>20M<MODE:3>FT8<QSO_DATE:8>20240131"
        "<TIME_ON:4>1000<EOR>",
        {});
    row("bare ft4 in the log",
        "<CALL:4>W1AW<BAND:3>15M<MODE:4>MFSK<SUBMODE:3>FT4"
        "<QSO_DATE:8>20240131<TIME_ON:4>0810<EOR>",
        {7});
    row("tags in mixed case",
        "<CALL:5>VK2AB<BAND:3>20M<MODE:3>FT8<QSO_DATE:8>20240131"
        "<TIME_ON:4>0515<EOR>",
        {9});
    row("log date unreadable",
        "<CALL:4>W1AW<BAND:3>15M<MODE:3>FT8<QSO_DATE:8>20240131"
        "<TIME_ON:4>0900<EOR>",
        {});
    row("confirmation date unreadable",
        "<CALL:4>W1AW<BAND:3>15M<MODE:3>FT4<QSO_DATE:8>2024-1-31"
        "<TIME_ON:4>0800<EOR>",
        {});
}

void TestQslMarks::matcherRules()
{
    QFETCH(QByteArray, confirmation);
    QFETCH(QList<int>, lines);
    const QList<QByteArray> log = matcherLog();
    const QsoIndex index = indexOf(log);
    QCOMPARE(index.size(), 7);
    const MatchReport r =
        matchConfirmations(index, {confirmationFrom(confirmation)}, Service::Lotw, "20240301",
                           [&log](int line) { return log[line - 2]; });
    if (lines.isEmpty()) {
        QCOMPARE(r.unmatched.size(), 1);
        QVERIFY(r.matched.isEmpty() && r.ambiguous.isEmpty() && r.changes.isEmpty());
    } else if (lines.size() == 1) {
        QCOMPARE(r.matched.size(), 1);
        QCOMPARE(r.matched[0].line, lines[0]);
        QCOMPARE(r.matched[0].status, QsoOutcome::Confirmed);
        QVERIFY(r.changes.at(lines[0]));
    } else {
        QCOMPARE(r.ambiguous.size(), 1);
        QCOMPARE(r.ambiguous[0].lines, lines);
        QVERIFY(r.matched.isEmpty() && r.changes.isEmpty());
    }
}

void TestQslMarks::matchMarksOnceAndKeepsAnEarlierConfirmation()
{
    QList<QByteArray> log = matcherLog();
    log[1] = "<call:5>K1ABC <mode:3>FT8 <qso_date:8>20240131 <time_on:4>1200 <band:3>20m "
             "<eqsl_qsl_rcvd:1>Y <eqsl_qslrdate:8>20240105 <eor>";
    const QsoIndex index = indexOf(log);
    const QList<Confirmation> received = {
        confirmationFrom("<CALL:5>K1ABC<BAND:3>20M<MODE:3>FT8<QSO_DATE:8>20240131"
                         "<TIME_ON:4>1201<EOR>"),
        confirmationFrom("<CALL:5>K1ABC<BAND:3>40M<MODE:3>FT8<QSO_DATE:8>20240131"
                         "<TIME_ON:4>1201<QSLRDATE:8>20240220<EOR>"),
        confirmationFrom("<CALL:4>W1AW<BAND:3>15M<MODE:3>FT4<QSO_DATE:8>20240131"
                         "<TIME_ON:4>0800<EOR>"),
    };
    const MatchReport r = matchConfirmations(index, received, Service::Eqsl, "20240301",
                                             [&log](int line) { return log[line - 2]; });
    QCOMPARE(r.matched.size(), 3);
    QCOMPARE(r.matched[0].status, QsoOutcome::AlreadyConfirmed);
    QVERIFY(!r.changes.at(3));
    // The service's confirmation date where it gives one, else today.
    QCOMPARE(r.changes.at(4)->fields, (QList<std::pair<QByteArray, QByteArray>>{
                                          {"EQSL_QSL_RCVD", "Y"}, {"EQSL_QSLRDATE", "20240220"}}));
    QCOMPARE(r.changes.at(7)->fields.last().second, QByteArray("20240301"));
    QCOMPARE(r.changes.size(), 2);
}

void TestQslMarks::eqslReplyPerQso_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QList<int>>("sent"); // indices of the post's QSOs marked sent
    QTest::addColumn<QString>("reasonOfFirstUnsent");
    const QByteArray head = "<HTML><HEAD><TITLE>eQSL.cc ADIF Import</TITLE></HEAD><BODY>\r\n"
                            "Information: From: DL1VOS received 3 records<BR>\r\n";
    QTest::newRow("all added") << head + "Result: 3 out of 3 records added<BR></BODY>"
                               << QList<int>{0, 1, 2} << QString();
    QTest::newRow("duplicate counts as sent, other warning not")
        << head + "Warning: Y=2024 M=01 D=31 K1ABC 20M FT4 Bad record: Duplicate<BR>\r\n"
                  "Warning: Y=2024 M=1 D=31 w1aw 15m FT8 Bad record: QSO date in future<BR>\r\n"
                  "Result: 1 out of 3 records added<BR>"
        << QList<int>{0, 1}
        << QStringLiteral("Warning: Y=2024 M=1 D=31 w1aw 15m FT8 Bad record: QSO date in future");
    QTest::newRow("a count that does not add up marks only what was named")
        << head + "Warning: Y=2024 M=01 D=31 K1ABC 20M FT4 Bad record: Duplicate<BR>"
                  "Result: 1 out of 3 records added<BR>"
        << QList<int>{0} << QStringLiteral("eQSL added 1 of 3 records and did not say which");
    QTest::newRow("unnamed warning")
        << head + "Warning: Bad record: no call<BR>Result: 2 out of 3 records added<BR>"
        << QList<int>{} << QStringLiteral("Warning: Bad record: no call");
    QTest::newRow("error") << head + "Error: No match on eQSL_User/eQSL_Pswd<BR>" << QList<int>{}
                           << QStringLiteral("Error: No match on eQSL_User/eQSL_Pswd");
    QTest::newRow("no result") << QByteArray("<HTML><BODY>Service down</BODY></HTML>")
                               << QList<int>{} << QStringLiteral("eQSL's reply has no result line");
}

void TestQslMarks::eqslReplyPerQso()
{
    QFETCH(QByteArray, page);
    QFETCH(QList<int>, sent);
    QFETCH(QString, reasonOfFirstUnsent);
    const QList<QByteArray> post = {
        kWsjtx,
        "<call:6>DL2XYZ <mode:3>FT8 <qso_date:8>20240131 <time_on:4>1000 <band:3>20m <eor>",
        "<call:4>W1AW <mode:3>FT8 <qso_date:8>20240131 <time_on:4>0900 <band:3>15m <eor>",
    };
    QList<QsoFacts> facts;
    for (const QByteArray& r : post)
        facts << readQsoFacts(r);
    const QList<QsoOutcome> out = judgeEqslPost(readEqslReply(page), facts, {10, 11, 12});
    QCOMPARE(out.size(), 3);
    QList<int> marked;
    QString firstReason;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(out[i].line, 10 + i);
        if (out[i].status == QsoOutcome::Sent)
            marked << i;
        else if (firstReason.isEmpty())
            firstReason = out[i].reason;
    }
    QCOMPARE(marked, sent);
    QCOMPARE(firstReason, reasonOfFirstUnsent);
}

void TestQslMarks::eqslPostsNeverHoldTwoQsosOneWarningCouldName()
{
    const QByteArray a = "<call:5>K1ABC <qso_date:8>20240131 <band:3>20m <eor>";
    const QByteArray b = "<call:5>K1ABC <qso_date:8>20240131 <band:3>40m <eor>";
    const QByteArray c = "<call:4>W1AW <qso_date:8>20240131 <band:3>20m <eor>";
    const QList<QsoFacts> facts = {readQsoFacts(a), readQsoFacts(a), readQsoFacts(b),
                                   readQsoFacts(a), readQsoFacts(c), readQsoFacts(c)};
    QCOMPARE(planEqslPosts(facts, 100), (QList<QList<int>>{{0, 2, 4}, {1, 5}, {3}}));
    QCOMPARE(planEqslPosts(facts, 2), (QList<QList<int>>{{0, 2}, {1, 4}, {3, 5}}));
}

void TestQslMarks::adifFilesEndWhereTheyEnd()
{
    const QByteArray file = "ARRL Logbook of the World Status Report\n"
                            "<APP_LoTW_LASTQSL:19>2024-02-20 10:11:12\n<eoh>\n"
                            "<CALL:5>K1ABC\n<QSLMSG:5><eor>\n<EOR>\n"
                            "<call:4>W1AW <eor>\n<APP_LoTW_EOF>\n";
    AdifFileParts p = splitAdifFile(file);
    QVERIFY(p.hasHeader);
    QCOMPARE(p.records.size(), 2);
    QCOMPARE(fieldValue(p.header, "app_lotw_lastqsl"), QByteArrayView("2024-02-20 10:11:12"));
    QCOMPARE(fieldValue(p.records[0], "qslmsg"), QByteArrayView("<eor>"));
    QVERIFY(hasMarker(p.tail, "app_lotw_eof"));
    // Cut inside a record: the part is no record, and the end mark is gone.
    const QByteArray cut = file.left(file.indexOf("<eor>\n<APP"));
    p = splitAdifFile(cut);
    QCOMPARE(p.records.size(), 1);
    QVERIFY(!p.tail.trimmed().isEmpty());
    QVERIFY(!hasMarker(p.tail, "app_lotw_eof"));
    // A value declared longer than the file holds.
    const QByteArray longer = "<eoh><call:50>K1ABC <eor>";
    p = splitAdifFile(longer);
    QCOMPARE(p.records.size(), 0);
}

void TestQslMarks::uploadRecordHasModeAsAdifHasIt()
{
    QCOMPARE(uploadRecord(kWsjtx, "TNX"),
             QByteArray("<QSO_DATE:8>20240131 <TIME_ON:6>235510 <CALL:5>K1ABC <BAND:3>20m "
                        "<MODE:4>MFSK <SUBMODE:3>FT4 <FREQ:9>14.080000 <RST_SENT:3>-10 "
                        "<QSLMSG:3>TNX <EOR>"));
    QCOMPARE(uploadRecord("<call:4>W1AW <mode:3>ft4 <qso_date:8>20240131 <time_on:4>0800 "
                          "<band:3>15m <eor>"),
             QByteArray("<QSO_DATE:8>20240131 <TIME_ON:4>0800 <CALL:4>W1AW <BAND:3>15m "
                        "<MODE:4>MFSK <SUBMODE:3>FT4 <EOR>"));
    QVERIFY(
        uploadRecord("<call:4>W1AW <mode:3>FT8 <qso_date:8>20240131 <band:3>15m <eor>").isEmpty());
}

QTEST_GUILESS_MAIN(TestQslMarks)
#include "tst_qslmarks.moc"

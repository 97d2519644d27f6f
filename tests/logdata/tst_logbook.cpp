// The live log as the logbook object tells it: lines another program appends
// come as new rows, a replaced or newly readable file as a change on disk,
// and nothing is looked at while the program writes the file itself.
#include "logdata/Logbook.h"
#include "logdata/ServiceSettings.h"
#include "logdata/State.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

class TestLogbook : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetProgramState(); }
    void appendedLinesComeAsRows();
    void changesOtherThanAppendsAskForAWholeLoad();
    void notWhileTheProgramWrites();
    void writesGoWhereTheyWereMeant();
    void severalLinesInOneRewrite();
    void listenersHearOfEveryChange();
    void eachLogbookHearsOnlyOfItsOwnWork();
    void serviceSettingsKeepWhatTheyDoNotKnow();
};

namespace
{
QByteArray rec(int i)
{
    return "<call:6>DL" + QByteArray::number(100 + i) + "X <qso_date:8>20240310 <time_on:6>1234" +
           QByteArray::number(10 + i) + " <band:3>20m <eor>";
}

QByteArray logOf(int records)
{
    QList<QByteArray> lines{"WSJT-X ADIF Export<eoh>"};
    for (int i = 0; i < records; ++i)
        lines << rec(i);
    return crlfLines(lines);
}

// Points the program at `name` in `dir` and shows QSOs the way the grid does.
void useLog(ProgramState& s, const ScratchDir& dir, const QString& name)
{
    s.LogFilePath = QFile::encodeName(dir.file(name));
    s.DisplayFormat = 1;
}

void append(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    QCOMPARE(f.write(bytes), bytes.size());
}
} // namespace

void TestLogbook::appendedLinesComeAsRows()
{
    ScratchDir dir;
    QVERIFY(dir.write("wsjtx_log.adi", logOf(3)));
    ProgramState& s = G();
    useLog(s, dir, "wsjtx_log.adi");
    Logbook book(s);
    QVERIFY(book.load().opened);
    const int lines = book.data().LoadedLineCount;
    book.watch();
    QSignalSpy added(&book, &Logbook::rowsAdded);
    QSignalSpy changed(&book, &Logbook::changedOnDisk);
    append(dir.file("wsjtx_log.adi"), crlfLines({rec(3), rec(4)}));
    QVERIFY(added.wait(5000));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(added.at(0).at(0).toInt(), 3); // after the three rows there were
    QCOMPARE(added.at(0).at(1).toInt(), 2);
    QCOMPARE(book.data().LoadedLineCount, lines + 2);
}

void TestLogbook::changesOtherThanAppendsAskForAWholeLoad()
{
    ScratchDir dir;
    const QString path = dir.file("wsjtx_log.adi");
    ProgramState& s = G();
    useLog(s, dir, "wsjtx_log.adi");
    Logbook book(s);
    // Not there yet: its appearing is told with no reason (nothing was loaded).
    QVERIFY(!book.load().opened);
    book.watch();
    QSignalSpy changed(&book, &Logbook::changedOnDisk);
    QVERIFY(dir.write("wsjtx_log.adi", logOf(2)));
    QVERIFY(changed.wait(5000));
    QVERIFY(changed.at(0).at(0).toString().isEmpty());

    // Loaded, then replaced by a file with other contents: told with a reason.
    QVERIFY(book.load().opened);
    book.watch();
    changed.clear();
    QSignalSpy added(&book, &Logbook::rowsAdded);
    QVERIFY(dir.write("new.adi", logOf(1)));
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::rename(dir.file("new.adi"), path));
    QVERIFY(changed.wait(5000));
    QVERIFY(!changed.at(0).at(0).toString().isEmpty());
    QCOMPARE(added.count(), 0);
}

void TestLogbook::notWhileTheProgramWrites()
{
    ScratchDir dir;
    QVERIFY(dir.write("wsjtx_log.adi", logOf(1)));
    ProgramState& s = G();
    useLog(s, dir, "wsjtx_log.adi");
    Logbook book(s);
    QVERIFY(book.load().opened);
    book.watch();
    QSignalSpy added(&book, &Logbook::rowsAdded);
    // WSJT-X appends while the program writes (the window repaints meanwhile).
    int addedWhileWriting = -1;
    RewriteHooks hooks;
    hooks.afterRead = [&] {
        QVERIFY(book.data().Writing);
        append(dir.file("wsjtx_log.adi"), crlfLines({rec(1)}));
        QTest::qWait(400);
        addedWhileWriting = int(added.count());
    };
    setRewriteHooks(&hooks);
    const std::optional<RewriteOutcome> written = book.writeLine(1, rec(0), rec(5));
    setRewriteHooks(nullptr);
    QVERIFY(written && written->result == RewriteResult::Written);
    QCOMPARE(addedWhileWriting, 0);
    // Looked at once the write is done, without another change of the file.
    QVERIFY(added.wait(5000));
    QCOMPARE(added.at(0).at(1).toInt(), 1);
}

void TestLogbook::writesGoWhereTheyWereMeant()
{
    ScratchDir dir;
    QVERIFY(dir.write("wsjtx_log.adi", logOf(3)));
    ProgramState& s = G();
    useLog(s, dir, "wsjtx_log.adi");
    Logbook book(s);
    QVERIFY(book.load().opened);
    // Line 2 holds the second QSO, not the first: nothing is written.
    QVERIFY(!book.writeLine(2, rec(0), rec(7)).has_value());
    QCOMPARE(dir.read("wsjtx_log.adi"), logOf(3));
    const std::optional<RewriteOutcome> written = book.writeLine(2, rec(1), rec(7));
    QVERIFY(written.has_value());
    QCOMPARE(written->result, RewriteResult::Written);
    QCOMPARE(book.appendLine(rec(8)).result, RewriteResult::Written);
    QCOMPARE(fileLines(dir.read("wsjtx_log.adi")),
             QList<QByteArray>({"WSJT-X ADIF Export<eoh>", rec(0), rec(7), rec(2), rec(8)}));
}

void TestLogbook::severalLinesInOneRewrite()
{
    ScratchDir dir;
    QVERIFY(dir.write("wsjtx_log.adi", logOf(4)));
    ProgramState& s = G();
    useLog(s, dir, "wsjtx_log.adi");
    Logbook book(s);
    QVERIFY(book.load().opened);
    QCOMPARE(book.lineCount(), 5);
    QCOMPARE(book.line(3), rec(2));
    QVERIFY(book.line(5).isEmpty());
    QSignalSpy changed(&book, &Logbook::rowsChanged);
    // WSJT-X appends meanwhile; line 4 was expected to hold another QSO.
    append(dir.file("wsjtx_log.adi"), rec(9) + "\r\n");
    const LinesWritten w =
        book.writeLines({{1, rec(0), rec(5)}, {4, rec(0), rec(6)}, {3, rec(2), rec(7)}});
    QVERIFY(w.written());
    QCOMPARE(w.moved, QList<int>{4});
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).value<QList<int>>(), QList<int>({1, 3}));
    QCOMPARE(
        fileLines(dir.read("wsjtx_log.adi")),
        QList<QByteArray>({"WSJT-X ADIF Export<eoh>", rec(5), rec(1), rec(7), rec(3), rec(9)}));

    // Nothing left to store: no rewrite, no signal.
    QVERIFY(book.writeLines({{1, rec(0), rec(8)}}).written());
    QCOMPARE(changed.size(), 1);

    // A failed rewrite asks for a whole load.
    QSignalSpy reload(&book, &Logbook::changedOnDisk);
    s.LogFilePath = QFile::encodeName(dir.file("missing/wsjtx_log.adi"));
    const LinesWritten failed = book.writeLines({{1, rec(5), rec(8)}});
    QVERIFY(!failed.written());
    QVERIFY(!failed.outcome.message.isEmpty());
    QCOMPARE(reload.size(), 1);
}

void TestLogbook::listenersHearOfEveryChange()
{
    ScratchDir dir;
    QVERIFY(dir.write("wsjtx_log.adi", logOf(3)));
    ProgramState& s = G();
    useLog(s, dir, "wsjtx_log.adi");
    Logbook book(s);
    QSignalSpy reloaded(&book, &Logbook::reloaded);
    QSignalSpy added(&book, &Logbook::rowsAdded);
    QSignalSpy changed(&book, &Logbook::rowsChanged);
    QList<int> cellsTold; // the rows added() held while rowsAdded was emitted
    connect(&book, &Logbook::rowsAdded, &book, [&] { cellsTold << book.added().rows.rowCount(); });
    QVERIFY(book.load().opened);
    QCOMPARE(reloaded.size(), 1);
    book.refresh();
    QCOMPARE(reloaded.size(), 2);

    // A delete while WSJT-X appended: the append is kept and told as added,
    // the deleted line as changed; no line moves.
    append(dir.file("wsjtx_log.adi"), rec(9) + "\r\n");
    QVERIFY(!book.deleteLine(2, rec(0)).has_value()); // line 2 holds another QSO
    const std::optional<RewriteOutcome> deleted = book.deleteLine(2, rec(1));
    QVERIFY(deleted && deleted->result == RewriteResult::Written);
    QCOMPARE(fileLines(dir.read("wsjtx_log.adi")),
             QList<QByteArray>({"WSJT-X ADIF Export<eoh>", rec(0), kDeletedRecord.toByteArray(),
                                rec(2), rec(9)}));
    QCOMPARE(added.size(), 1);
    QCOMPARE(added.at(0).at(0).toInt(), 3); // grid row 3: line 4
    QCOMPARE(added.at(0).at(1).toInt(), 1);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).value<QList<int>>(), QList<int>{2});
    QCOMPARE(book.line(2), kDeletedRecord);

    // An added QSO is told with its cells.
    QCOMPARE(book.appendLine(rec(8)).result, RewriteResult::Written);
    QCOMPARE(added.size(), 2);
    QCOMPARE(added.at(1).at(0).toInt(), 4);
    QCOMPARE(added.at(1).at(1).toInt(), 1);
    QCOMPARE(cellsTold, QList<int>({1, 1}));
    QCOMPARE(book.lineCount(), 6);
    QCOMPARE(reloaded.size(), 2);

    // The first QSO of an empty logbook: its header line is no row.
    QVERIFY(dir.write("empty.adi", QByteArray()));
    useLog(s, dir, "empty.adi");
    QVERIFY(book.load().opened);
    added.clear();
    QCOMPARE(book.appendLine(rec(0)).result, RewriteResult::Written);
    QCOMPARE(added.size(), 1);
    QCOMPARE(added.at(0).at(0).toInt(), 0);
    QCOMPARE(added.at(0).at(1).toInt(), 1);
}

void TestLogbook::eachLogbookHearsOnlyOfItsOwnWork()
{
    // A log large enough that its write tells how far it got (every 8 MB).
    ScratchDir dir;
    const QByteArray line = "<call:6>DL1ABC <qso_date:8>20240315 <band:3>20m <eor>\r\n";
    QVERIFY(dir.write("big.adi", "WSJT-X ADIF Export<eoh>\r\n" + line.repeated(200000)));
    QVERIFY(dir.write("small.adi", logOf(2)));
    ProgramState bigState, smallState;
    useLog(bigState, dir, "big.adi");
    useLog(smallState, dir, "small.adi");
    Logbook big(bigState), small(smallState);
    QVERIFY(big.load().opened && small.load().opened);
    QSignalSpy bigProgress(&big, &Logbook::writeProgress);
    QSignalSpy smallProgress(&small, &Logbook::writeProgress);
    QSignalSpy smallReloaded(&small, &Logbook::reloaded);
    QCOMPARE(big.appendLine(rec(1)).result, RewriteResult::Written);
    QVERIFY(bigProgress.size() >= 1);
    QCOMPARE(smallProgress.size(), 0);
    big.refresh();
    QCOMPARE(smallReloaded.size(), 0);
    QCOMPARE(small.lineCount(), 3);
    QCOMPARE(big.lineCount(), 200002);
    // The small one's write tells the big one nothing.
    const qsizetype told = bigProgress.size();
    QCOMPARE(small.appendLine(rec(2)).result, RewriteResult::Written);
    QCOMPARE(bigProgress.size(), told);
}

void TestLogbook::serviceSettingsKeepWhatTheyDoNotKnow()
{
    ScratchDir dir;
    QVERIFY(dir.write("services.conf", "# comment\nfuture.key = kept value\nlotw.login=dl1abc\n"
                                       "broken line\nlotw.login=DL1ABC\n"));
    ServiceSettings set;
    QVERIFY(set.load(dir.file("services.conf")));
    QCOMPARE(set.value("lotw.login"), QString("DL1ABC"));
    QCOMPARE(set.value("eqsl.user", "none"), QString("none"));
    set.setValue("eqsl.user", "DL1ABC\nlotw.login=EVIL");
    QVERIFY(set.save(dir.file("services.conf")));
    ServiceSettings again;
    QVERIFY(again.load(dir.file("services.conf")));
    QCOMPARE(again.value("future.key"), QString("kept value"));
    QCOMPARE(again.value("lotw.login"), QString("DL1ABC"));
    QCOMPARE(again.value("eqsl.user"), QString("DL1ABC lotw.login=EVIL"));
    // No file yet: every value its default, no error.
    ServiceSettings fresh;
    QVERIFY(fresh.load(dir.file("none.conf")));
    QVERIFY(!fresh.contains("lotw.login"));
}

QTEST_GUILESS_MAIN(TestLogbook)
#include "tst_logbook.moc"

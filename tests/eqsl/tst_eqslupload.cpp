// The view's "eQSL send" with the script run replaced: what is written before
// the run, what the run sees, how each reply is judged and shown, and what the
// view's exit stores afterwards.
#include "app/WindowFactory.h"
#include "editing/auswahl_select.h"
#include "editing/del_qso.h"
#include "editing/eingabe.h"
#include "eqsl/ScriptRunner.h"
#include "logdata/AdifRecord.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "support/EqslTestSupport.h"
#include "support/RecordingDialogs.h"
#include "support/TestSupport.h"
#include "widgets/Screen.h"
#include "widgets/Widgets.h"

#include <QDir>
#include <QMap>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

using namespace eqsltest;
using eqsl::RunOutcome;

namespace
{
// A reply laid out like the service's (lines 3, 11, 12, 13, 15).
QByteArray reply(const QByteArray& kind)
{
    QList<QByteArray> l(16);
    l[0] = "<HTML>";
    l[2] = "<TITLE>Reply form eQSL.cc ADIF Import</TITLE>";
    l[10] = "Information: From: DL1VOS received 1 record";
    if (kind == "success" || kind == "duplicate+success")
        l[12] = "Result: 1 out of 1 records added<BR>";
    if (kind == "duplicate" || kind == "duplicate+success")
        l[11] = "Warning: Y=2021 M=05 D=12 Bad record: Duplicate<BR>";
    if (kind == "duplicate" || kind == "warning" || kind == "unknown")
        l[12] = "Result: 0 out of 1 records added<BR>";
    if (kind == "warning")
        l[11] = "Warning: Bad QSO: the date is in the future<BR>";
    if (kind == "error")
        l[12] = "Error: No match on eQSL_User/eQSL_Pswd<BR>";
    if (kind == "unknown")
        l[11] = "Note: something else";
    l[14] = "<BR>Thank you for using eQSL";
    l[15] = "</BODY></HTML>";
    return kind == "none" ? QByteArray() : crlfLines(l);
}

// Stands in for the script run: notes what it finds and writes the reply.
class FakeRunner : public eqsl::ScriptRunner
{
public:
    FakeRunner() { eqsl::setScriptRunner(this); }
    ~FakeRunner() override { eqsl::setScriptRunner(nullptr); }

    eqsl::RunResult run(const QString& scriptPath, const QString& workDir, int timeoutMs) override
    {
        ++runs;
        script = scriptPath;
        timeout = timeoutMs;
        oldReplyThere = QFile::exists(QDir(workDir).filePath("back.txt"));
        QFile adi(QDir(workDir).filePath("eqsl.adi"));
        uploadFile = adi.open(QIODevice::ReadOnly) ? adi.readAll() : QByteArray();
        TForm2* v = windows().Form2;
        noticeShown = v->Label15->isVisible();
        exitEnabled = v->BitBtn1->isEnabled() || v->BitBtn2->isEnabled() || v->BitBtn3->isEnabled();
        mainEnabled = windows().Form1->isEnabled();
        if (writeReply) {
            QFile back(QDir(workDir).filePath("back.txt"));
            if (back.open(QIODevice::WriteOnly))
                back.write(replyText);
        }
        if (during)
            during();
        eqsl::RunResult r;
        r.outcome = outcome;
        return r;
    }
    // What the operator tries while the script runs.
    std::function<void()> during;

    QByteArray replyText;
    bool writeReply = true;
    RunOutcome outcome = RunOutcome::Finished;

    int runs = 0;
    QString script;
    int timeout = 0;
    bool oldReplyThere = true;
    QByteArray uploadFile;
    bool noticeShown = false;
    bool exitEnabled = true;
    bool mainEnabled = true;
};
} // namespace

class TestEqslUpload : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void replyJudgedAndStored_data();
    void replyJudgedAndStored();
    void staleReplyIsNotJudged();
    void earlierReplyDoesNotLeak();
    void timeOutLeavesTheQsoUnmarked();
    void missingScriptSendsNothing();
    void emptyStandardComment();
    void markGoesToTheUploadedLine_data();
    void markGoesToTheUploadedLine();
    void nothingStartsDuringTheUpload();
    void upperCaseRecordUploadedAndKeptWhole();
    void unreadableRecordIsNeverUploaded();

private:
    TForm2* view() const { return windows().Form2; }
    void upload(int row);
    void exitView() { QTest::mouseClick(view()->BitBtn1, Qt::LeftButton); }
    QList<QByteArray> logLines() const { return fileLines(dir->read("log.adi")); }
    ScratchDir* dir = nullptr;
    RecordingDialogs* dialogs = nullptr;
    FakeRunner* runner = nullptr;
};

void TestEqslUpload::init()
{
    resetProgramState();
    dir = new ScratchDir;
    dialogs = new RecordingDialogs;
    runner = new FakeRunner;
    setScreenSizeOverride(QSize(1920, 1080));
}

void TestEqslUpload::cleanup()
{
    destroyAllForms();
    setScreenSizeOverride(QSize());
    delete runner;
    delete dialogs;
    delete dir;
}

void TestEqslUpload::upload(int row)
{
    openRow(row);
    QVERIFY(view()->isVisible());
    QVERIFY(view()->BitBtn3->isEnabled());
    QTest::mouseClick(view()->BitBtn3, Qt::LeftButton);
}

void TestEqslUpload::replyJudgedAndStored_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QStringList>("shown"); // the start of each message, in order
    QTest::addColumn<bool>("sent");
    QTest::newRow("success") << QByteArray("success")
                             << QStringList{"message:  Reply form eQSL.cc ADIF Import"} << true;
    QTest::newRow("duplicate, then success")
        << QByteArray("duplicate+success")
        << QStringList{"message:Warning: Y=2021", "message:  Reply form eQSL"} << true;
    QTest::newRow("duplicate") << QByteArray("duplicate") << QStringList{"message:Warning: Y=2021"}
                               << false;
    QTest::newRow("bad QSO") << QByteArray("warning")
                             << QStringList{"message:Warning: Bad QSO: the date"} << false;
    QTest::newRow("error") << QByteArray("error")
                           << QStringList{"message:Information: From: DL1VOS"} << false;
    QTest::newRow("unknown notice") << QByteArray("unknown") << QStringList{} << false;
    QTest::newRow("empty reply") << QByteArray("none") << QStringList{"plain:No reply from eQSL."}
                                 << false;
}

void TestEqslUpload::replyJudgedAndStored()
{
    QFETCH(QByteArray, kind);
    QFETCH(QStringList, shown);
    QFETCH(bool, sent);
    const QByteArray log = startProgram(*dir, 5, "Eng", "tnx");
    dir->write("back.txt", reply("success")); // an earlier upload's reply
    dir->write("temp_com.adi", "old\r\n");
    runner->replyText = reply(kind);

    upload(2);
    TForm2* v = view();
    // Before the run: the record, its copy and the upload file written, the
    // old reply gone; during it: the notice up, the view's buttons and the
    // main window locked.
    const QByteArray rec = "<QSO_DATE:8>20210512 <TIME_ON:4>1234 <CALL:5>K2ABC <BAND:3>20m "
                           "<MODE:3>FT8 <RST_SENT:3>-05 <QSLMSG:3>tnx <eor>";
    QCOMPARE(windows().Form2->uploadRecord(), rec);
    QCOMPARE(dir->read("temp_com.adi"), rec + "\r\n");
    QCOMPARE(runner->runs, 1);
    QCOMPARE(runner->uploadFile,
             "WSJT-X ADIF Export\r\n<ADIF_VER:5>3.0.6\r\n<eoh>\r\n" + rec + "\r\n");
    QCOMPARE(runner->script, QDir::current().filePath("eqsl.bat"));
    QCOMPARE(runner->timeout, 30000);
    QVERIFY(!runner->oldReplyThere);
    QVERIFY(runner->noticeShown);
    QVERIFY(!runner->exitEnabled);
    QVERIFY(!runner->mainEnabled);

    // Afterwards.
    QCOMPARE(dialogs->messages.size(), shown.size());
    for (int i = 0; i < shown.size(); ++i)
        QVERIFY2(dialogs->messages[i].startsWith(shown[i]), qPrintable(dialogs->messages[i]));
    QCOMPARE(windows().Form2->uploadFields().eqslSent, sent ? QByteArray("Y") : QByteArray());
    QCOMPARE(TForm2::lampGreen(v->Panel12), sent);
    QVERIFY(v->Label15->isHidden());
    QVERIFY(v->BitBtn1->isEnabled());
    QVERIFY(!v->BitBtn2->isEnabled());
    QVERIFY(!v->BitBtn3->isEnabled());
    QVERIFY(!v->BitBtn4->isEnabled());
    QVERIFY(windows().Form1->isEnabled());
    QVERIFY(windows().Form2->UploadPending);
    QCOMPARE(dir->read("log.adi"), log); // nothing stored yet

    // The exit stores the rebuilt record at the QSO's line, and only there.
    exitView();
    QList<QByteArray> expected = fileLines(log);
    const QList<QByteArray> now = logLines();
    QCOMPARE(now.size(), expected.size());
    // Rebuilt whole: the time keeps its seconds, the frequency its digits,
    // and the fields the form does not show follow.
    QVERIFY(now[3].startsWith("<call:5>K2ABC<qso_date:8>20210512<time_on:6>123412"
                              "<freq:9>14.074000<"));
    QVERIFY2(now[3].contains(sent ? "<eqsl_qsl_sent:1>Y<" : "<eqsl_qsl_sent:0><"),
             now[3].constData());
    expected[3] = now[3];
    QCOMPARE(now, expected);
    QVERIFY(!windows().Form2->UploadPending);

    // A later exit for another QSO leaves both lines as they are.
    openRow(4);
    exitView();
    QCOMPARE(logLines(), now);
}

void TestEqslUpload::staleReplyIsNotJudged()
{
    startProgram(*dir, 5, "Ger");
    dir->write("back.txt", reply("success"));
    runner->writeReply = false; // the script wrote nothing
    upload(1);
    QCOMPARE(dialogs->messages, (QStringList{"error:>back.txt< nicht gefunden!",
                                             "plain:Keine Rückmeldung von eQSL."}));
    QVERIFY(!TForm2::lampGreen(view()->Panel12));
    QCOMPARE(windows().Form2->uploadFields().eqslSent, QByteArray());
}

void TestEqslUpload::earlierReplyDoesNotLeak()
{
    startProgram(*dir, 5, "Eng");
    runner->replyText = reply("success");
    upload(1);
    QVERIFY(TForm2::lampGreen(view()->Panel12));
    exitView();
    dialogs->messages.clear();

    // A shorter reply: its line 13 is empty, whatever the first one held.
    runner->replyText = "<HTML>\r\nshort\r\n";
    upload(3);
    QCOMPARE(dialogs->messages, QStringList{"plain:No reply from eQSL."});
    QVERIFY(!TForm2::lampGreen(view()->Panel12));
    exitView();
    const QList<QByteArray> lines = logLines();
    QVERIFY(lines[2].contains("<eqsl_qsl_sent:1>Y"));
    QVERIFY(lines[4].contains("<eqsl_qsl_sent:0>"));
}

void TestEqslUpload::timeOutLeavesTheQsoUnmarked()
{
    startProgram(*dir, 5, "Ger");
    runner->replyText = reply("success"); // a partial reply is not judged
    runner->outcome = RunOutcome::TimedOut;
    upload(2);
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(dialogs->messages[0].startsWith("error:Keine Antwort von e-QSL innerhalb von 30 "
                                            "Sekunden"));
    QVERIFY(!TForm2::lampGreen(view()->Panel12));
    QCOMPARE(windows().Form2->uploadFields().eqslSent, QByteArray());
    QVERIFY(view()->BitBtn1->isEnabled());
    QVERIFY(!view()->BitBtn3->isEnabled());
    // The upload may have reached the service: the QSO is stored unmarked.
    QVERIFY(windows().Form2->UploadPending);
    exitView();
    QVERIFY(logLines()[3].contains("<eqsl_qsl_sent:0>"));
}

void TestEqslUpload::missingScriptSendsNothing()
{
    const QByteArray log = startProgram(*dir, 5, "Eng");
    delete runner; // the real runner, with no eqsl.bat
    runner = nullptr;
    upload(2);
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(dialogs->messages[0].startsWith("error:>eqsl.bat< not found"));
    QVERIFY(!TForm2::lampGreen(view()->Panel12));
    QVERIFY(!windows().Form2->UploadPending);
    exitView();
    QCOMPARE(dir->read("log.adi"), log); // nothing went out, nothing changed
}

void TestEqslUpload::emptyStandardComment()
{
    startProgram(*dir, 3, "Eng", "");
    runner->replyText = reply("success");
    upload(0);
    QVERIFY(windows().Form2->uploadRecord().endsWith(" <RST_SENT:3>-05 <QSLMSG:0> <eor>"));
    QCOMPARE(fileLines(runner->uploadFile).size(), 4);
}

// The fields of a record line, names in lower case, empty values left out.
QMap<QByteArray, QByteArray> fieldSet(const QByteArray& line)
{
    QMap<QByteArray, QByteArray> out;
    for (const adif::Field& f : adif::parseRecord(line))
        if (!f.value.isEmpty())
            out.insert(f.name.toByteArray().toLower(), f.value.toByteArray());
    return out;
}

void clickRow(int row)
{
    StringGrid* g = windows().Form1->StringGrid1;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(row, 2)).center());
}

void TestEqslUpload::markGoesToTheUploadedLine_data()
{
    QTest::addColumn<QString>("then"); // what the operator does after the reply
    QTest::newRow("click another row, exit") << "click";
    QTest::newRow("double-click another row") << "open";
    QTest::newRow("close the view") << "close";
}

void TestEqslUpload::markGoesToTheUploadedLine()
{
    QFETCH(QString, then);
    const QList<QByteArray> before = fileLines(startProgram(*dir, 6, "Eng"));
    runner->replyText = reply("success");
    upload(1);
    QVERIFY(windows().Form2->UploadPending);
    if (then == "click") {
        clickRow(4);
        QCOMPARE(G().SelectedLine, 5);
        exitView();
    } else if (then == "open") {
        openRow(4);
        QCOMPARE(view()->Panel3->text(), QStringLiteral("K4ABC"));
    } else {
        view()->close();
    }
    // The uploaded QSO (file line 2) carries the mark; every other line, the
    // one clicked included, is as it was.
    QList<QByteArray> now = logLines();
    QVERIFY2(now[2].contains("<eqsl_qsl_sent:1>Y"), now[2].constData());
    QCOMPARE(fieldSet(now[2]).value("call"), QByteArray("K1ABC"));
    now[2] = before[2];
    QCOMPARE(now, before);
    QVERIFY(!windows().Form2->UploadPending);
}

void TestEqslUpload::nothingStartsDuringTheUpload()
{
    const QList<QByteArray> before = fileLines(startProgram(*dir, 6, "Eng"));
    runner->replyText = reply("success");
    QStringList enabled;
    runner->during = [&] {
        // Every way of starting something else while the reply is awaited.
        TForm2* v = view();
        for (QWidget* w : {static_cast<QWidget*>(v->BitBtn1), static_cast<QWidget*>(v->BitBtn2),
                           static_cast<QWidget*>(v->BitBtn3), static_cast<QWidget*>(v->BitBtn4),
                           static_cast<QWidget*>(v->BitBtn5), static_cast<QWidget*>(v->Label20)})
            if (w->isEnabled())
                enabled << w->objectName() + w->property("text").toString();
        v->BitBtn4Click();
        v->BitBtn5Click();
        v->BitBtn1Click();
        v->close();
        clickRow(4);
        openRow(4);
    };
    upload(1);
    QVERIFY2(enabled.isEmpty(), qPrintable(enabled.join(", ")));
    QVERIFY(!windows().Form3->isVisible());
    QVERIFY(!windows().Form8->isVisible());
    QVERIFY(view()->isVisible());
    QCOMPARE(view()->Panel3->text(), QStringLiteral("K1ABC"));
    QVERIFY(windows().Form2->UploadPending);
    QCOMPARE(windows().Form2->uploadFields().eqslSent, QByteArray("Y"));
    // Enabled again once the reply is judged: exit and delete, not change.
    QVERIFY(view()->BitBtn1->isEnabled() && view()->BitBtn5->isEnabled());
    QVERIFY(!view()->BitBtn4->isEnabled());
    exitView();
    QList<QByteArray> now = logLines();
    QVERIFY(now[2].contains("<eqsl_qsl_sent:1>Y"));
    now[2] = before[2];
    QCOMPARE(now, before);
}

void TestEqslUpload::upperCaseRecordUploadedAndKeptWhole()
{
    // A record as another logger writes it: tags in capitals, fields the
    // view does not show, an FT4 QSO the ADIF way, a four-character time.
    const QByteArray rec =
        "<CALL:6>EA8ABC <QSO_DATE:8>20240501 <TIME_ON:4>1437 <BAND:3>20M <FREQ:9>14.080123 "
        "<MODE:4>MFSK <SUBMODE:3>FT4 <RST_SENT:3>-07 <RST_RCVD:3>-12 <NAME:4>Juan "
        "<STATION_CALLSIGN:6>DL1VOS <MY_GRIDSQUARE:6>JO62QM <TX_PWR:2>50 <EOR>";
    dir->write("log.adi", crlfLines({"header<eoh>", eqsltest::record(0), rec}));
    dir->write("config.dat", configFile(dir->file("log.adi").toUtf8(), 2, "Eng"));
    createAllForms();
    runner->replyText = reply("success");
    upload(1);
    QCOMPARE(windows().Form2->uploadRecord(),
             QByteArray("<QSO_DATE:8>20240501 <TIME_ON:4>1437 <CALL:6>EA8ABC <BAND:3>20M "
                        "<MODE:4>MFSK <SUBMODE:3>FT4 <RST_SENT:3>-07 <QSLMSG:3>tnx <eor>"));
    exitView();
    // Rebuilt with the mark and nothing lost or changed besides it.
    const QByteArray now = logLines()[2];
    QMap<QByteArray, QByteArray> expected = fieldSet(rec);
    expected.insert("eqsl_qsl_sent", "Y");
    QCOMPARE(fieldSet(now), expected);
}

void TestEqslUpload::unreadableRecordIsNeverUploaded()
{
    const QByteArray placeholder =
        "<call:0><qso_date:0><time_on:0><time_off:0><freq:0><band:0><mode:0><rst_rcvd:0>"
        "<rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0><eqsl_qsl_sent:0>"
        "<comment:17>Reserve by delete<qsl_sent:0><qsl_rcvd:0><eor>";
    const QByteArray log = crlfLines({"header<eoh>", eqsltest::record(0), placeholder});
    dir->write("log.adi", log);
    dir->write("config.dat", configFile(dir->file("log.adi").toUtf8(), 2, "Eng"));
    createAllForms();
    upload(1);
    QCOMPARE(runner->runs, 0);
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(dialogs->messages[0].startsWith("error:This QSO has no readable call or date"));
    QVERIFY(!windows().Form2->UploadPending);
    exitView();
    QCOMPARE(dir->read("log.adi"), log);
}

QTEST_MAIN(TestEqslUpload)
#include "tst_eqslupload.moc"

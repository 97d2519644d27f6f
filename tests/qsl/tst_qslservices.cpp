// The services against local stand-ins: eQSL's and LoTW's pages played by
// tests/qsl/qsl_stand_in.py on 127.0.0.1, TrustedQSL by a fake tqsl first on
// PATH; the real tqsl's help keeps the arguments honest. And the passwords'
// file where no secret store runs.
#include "qsl/Credentials.h"
#include "qsl/EqslService.h"
#include "qsl/LotwService.h"
#include "qsl/QsoIndex.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace qsl;

class TestQslServices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void eqslUploadMarksWhatEqslTook();
    void eqslWrongPasswordKeepsEverythingUnsent();
    void eqslDownload_data();
    void eqslDownload();
    void lotwDownload_data();
    void lotwDownload();
    void confirmationsMarkTheLog();
    void slowServiceTimesOutOrIsCancelled();
    void passwordOnlyOverTls();
    void failuresNeverShowThePassword();
    void tqslSilentOrCancelledMarksNothing();
    void lotwUpload_data();
    void lotwUpload();
    void realTqslKnowsTheArguments();
    void passwordsFallBackToAnOwnerOnlyFile();

private:
    int startServer(const QString& mode, double delay = 0);
    RunResult run(QslService& s, const std::function<void()>& start, int timeoutMs = 20000);
    QByteArray received(int request, const QString& name) const;
    // A fake tqsl first on PATH (returns the PATH before): it writes its
    // arguments and the file it was given into the scratch folder, waits
    // FAKE_TQSL_SLEEP seconds, writes FAKE_TQSL_STATUS on its error output
    // and exits with FAKE_TQSL_CODE.
    QByteArray installFakeTqsl();
    EqslAccount eqslAccount(int port) const;
    LotwAccount lotwAccount(int port) const;

    QString python;
    QTemporaryDir* dir = nullptr;
    QProcess* server = nullptr;
};

namespace
{
const QString kPassword = QStringLiteral("p+a&s s=%w\u00f6rd");

QList<LogQso> logQsos(const QList<QByteArray>& records)
{
    QList<LogQso> qsos;
    for (qsizetype i = 0; i < records.size(); ++i)
        qsos << LogQso{int(i) + 2, records[i]};
    return qsos;
}

QByteArray qso(const char* call, const char* date, const char* time, const char* band,
               const QByteArray& extra = {})
{
    return QByteArray("<call:") + QByteArray::number(qstrlen(call)) + ">" + call +
           " <mode:4>MFSK <submode:3>FT4 <qso_date:8>" + date + " <time_on:6>" + time +
           " <band:3>" + band + " " + extra + "<eor>";
}

QDate fixedToday()
{
    return QDate(2024, 3, 1);
}
} // namespace

void TestQslServices::initTestCase()
{
    python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is needed for the stand-in services");
}

void TestQslServices::cleanup()
{
    if (server) {
        server->kill();
        server->waitForFinished(5000);
        delete server;
        server = nullptr;
    }
    delete dir;
    dir = nullptr;
}

int TestQslServices::startServer(const QString& mode, double delay)
{
    dir = new QTemporaryDir;
    QFile c(dir->filePath(QStringLiteral("confirmations.adi")));
    c.open(QIODevice::WriteOnly);
    c.write("ARRL Logbook of the World Status Report\r\n<PROGRAMID:4>LoTW\r\n"
            "<APP_LoTW_LASTQSL:19>2024-02-20 10:11:12\r\n<APP_LoTW_NUMREC:1>3\r\n<eoh>\r\n"
            "<CALL:5>K1ABC\r\n<BAND:3>20M\r\n<MODE:3>FT4\r\n<QSO_DATE:8>20240131\r\n"
            "<TIME_ON:6>235600\r\n<QSL_RCVD:1>Y\r\n<QSLRDATE:8>20240220\r\n<eor>\r\n"
            "<CALL:4>W1AW<BAND:3>20M<MODE:3>FT8<QSO_DATE:8>20240131<TIME_ON:4>1200<eor>\r\n"
            "<CALL:5>JA1AA<BAND:3>20M<MODE:3>FT8<QSO_DATE:8>20240131<TIME_ON:4>1200<eor>\r\n"
            "<APP_LoTW_EOF>\r\n");
    c.close();
    server = new QProcess;
    return startStandInServer(
        *server, python,
        {QStringLiteral(VOSMIRA_SOURCE_DIR "/tests/qsl/qsl_stand_in.py"),
         QStringLiteral("--record"), dir->filePath(QStringLiteral("record")),
         QStringLiteral("--password"), kPassword, QStringLiteral("--confirmations"), c.fileName(),
         QStringLiteral("--mode"), mode, QStringLiteral("--delay"), QString::number(delay)});
}

QByteArray TestQslServices::received(int request, const QString& name) const
{
    QFile f(dir->filePath(QStringLiteral("record/%1/%2").arg(request).arg(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(absent)");
}

EqslAccount TestQslServices::eqslAccount(int port) const
{
    EqslAccount a;
    a.address = QUrl(QStringLiteral("http://127.0.0.1:%1/qslcard/").arg(port));
    a.user = QStringLiteral("DL1VOS");
    a.password = kPassword;
    return a;
}

LotwAccount TestQslServices::lotwAccount(int port) const
{
    LotwAccount a;
    a.address = QUrl(QStringLiteral("http://127.0.0.1:%1/lotwuser/").arg(port));
    a.login = QStringLiteral("DL1VOS");
    a.password = kPassword;
    a.stationLocation = QStringLiteral("Home QTH");
    return a;
}

RunResult TestQslServices::run(QslService& s, const std::function<void()>& start, int timeoutMs)
{
    s.setToday(fixedToday);
    QSignalSpy done(&s, &QslService::finished);
    start();
    if (done.isEmpty() && !done.wait(timeoutMs)) {
        RunResult none;
        none.status = RunResult::Failed;
        none.message = QStringLiteral("(the test waited in vain)");
        return none;
    }
    return done.takeFirst().at(0).value<RunResult>();
}

void TestQslServices::eqslUploadMarksWhatEqslTook()
{
    const int port = startServer(QStringLiteral("ok"));
    QVERIFY(port > 0);
    EqslService s;
    EqslAccount a = eqslAccount(port);
    a.perPost = 2;
    a.qslMessage = "TNX";
    s.setAccount(a);
    const QList<LogQso> log = logQsos({
        qso("K1ABC", "20240131", "235510", "20m"), qso("K1DUP", "20240131", "120000", "20m"),
        qso("K1BAD", "20240131", "120000", "20m"),
        qso("W1AW", "20240131", "120000", "20m", "<eqsl_qsl_sent:1>Y "),  // sent before
        qso("K1ABC", "20240131", "235900", "20m", "<eqsl_qsl_sent:1>N "), // same key as the first
        "<call:4>W1AX <eor>",                                             // no date
    });
    QSignalSpy each(&s, &QslService::qsoDone);
    const RunResult r = run(s, [&] { s.upload(log); });
    QCOMPARE(r.status, RunResult::Done);
    QCOMPARE(each.size(), 5);

    // Two posts of two: the two K1ABC QSOs of one day and band went in
    // different posts.
    QCOMPARE(received(1, "path"), QByteArray("/qslcard/ImportADIF.cfm"));
    QCOMPARE(received(1, "field_EQSL_USER"), QByteArray("DL1VOS"));
    QCOMPARE(received(1, "field_EQSL_PSWD"), kPassword.toUtf8());
    const QByteArray first = received(1, "field_Filename");
    QVERIFY(first.contains("<CALL:5>K1ABC <BAND:3>20m <MODE:4>MFSK <SUBMODE:3>FT4 <QSLMSG:3>TNX"));
    QVERIFY(first.contains("K1DUP"));
    QVERIFY(!first.contains("235900"));
    QVERIFY(received(2, "field_Filename").contains("K1BAD"));
    QVERIFY(received(2, "field_Filename").contains("<TIME_ON:6>235900"));
    QCOMPARE(received(3, "path"), QByteArray("(absent)"));

    QCOMPARE(r.changes.size(), 3);
    for (int line : {2, 3, 6})
        QCOMPARE(r.changes.at(line)->fields,
                 (QList<std::pair<QByteArray, QByteArray>>{{"EQSL_QSL_SENT", "Y"},
                                                           {"EQSL_QSLSDATE", "20240301"}}));
    QStringList unsent;
    for (const QsoOutcome& o : r.qsos)
        if (o.status == QsoOutcome::NotSent)
            unsent << QString::number(o.line) + ' ' + o.reason;
    QCOMPARE(unsent.size(), 2);
    QVERIFY2(unsent.filter(QRegularExpression(QStringLiteral("^7 .*lacks"))).size() == 1,
             qPrintable(unsent.join('\n')));
    QVERIFY2(
        unsent.filter(QRegularExpression(QStringLiteral("^4 .*date is in the future"))).size() == 1,
        qPrintable(unsent.join('\n')));

    // Nothing left to send: no post at all.
    const RunResult none = run(s, [&] { s.upload(log.mid(3, 1)); });
    QCOMPARE(none.status, RunResult::Done);
    QCOMPARE(none.message, QStringLiteral("eQSL: every QSO has been uploaded already"));
    QCOMPARE(received(3, "path"), QByteArray("(absent)"));
}

void TestQslServices::eqslWrongPasswordKeepsEverythingUnsent()
{
    const int port = startServer(QStringLiteral("ok"));
    QVERIFY(port > 0);
    EqslService s;
    EqslAccount a = eqslAccount(port);
    a.password = QStringLiteral("wrong");
    a.perPost = 1;
    s.setAccount(a);
    const RunResult r = run(s, [&] {
        s.upload(logQsos({qso("K1ABC", "20240131", "235510", "20m"),
                          qso("K1ABD", "20240131", "235510", "20m")}));
    });
    QCOMPARE(r.status, RunResult::Failed);
    QVERIFY(r.changes.isEmpty());
    QCOMPARE(r.qsos.size(), 2);
    for (const QsoOutcome& o : r.qsos)
        QVERIFY2(o.status == QsoOutcome::NotSent && o.reason.contains("No match on eQSL_User"),
                 qPrintable(o.reason));
    // The same error would meet every post: one is enough.
    QCOMPARE(received(2, "path"), QByteArray("(absent)"));
}

void TestQslServices::eqslDownload_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("confirmations");
    QTest::addColumn<QString>("message");
    QTest::newRow("inbox") << "ok" << kPassword << int(RunResult::Done) << 3
                           << "3 confirmations received";
    QTest::newRow("nothing new") << "nolog" << kPassword << int(RunResult::Done) << 0
                                 << "no new confirmations";
    QTest::newRow("wrong password")
        << "ok"
        << "x" << int(RunResult::Failed) << 0 << "the user name or the password is wrong";
    QTest::newRow("call unknown") << "nocall" << kPassword << int(RunResult::Failed) << 0
                                  << "the account's call is not known to eQSL";
    QTest::newRow("file cut short")
        << "truncated" << kPassword << int(RunResult::Failed) << 0 << "eQSL: ";
}

void TestQslServices::eqslDownload()
{
    QFETCH(QString, mode);
    QFETCH(QString, password);
    QFETCH(int, status);
    QFETCH(int, confirmations);
    QFETCH(QString, message);
    const int port = startServer(mode);
    QVERIFY(port > 0);
    EqslService s;
    EqslAccount a = eqslAccount(port);
    a.password = password;
    s.setAccount(a);
    const RunResult r = run(s, [&] { s.download("20240101"); });
    QVERIFY2(r.message.contains(message), qPrintable(r.message));
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.complete, status == RunResult::Done);
    QCOMPARE(r.received.size(), confirmations);
    QVERIFY(!r.message.contains(kPassword) && !r.message.contains("s%3Dw"));
    QCOMPARE(received(1, "path"), QByteArray("/qslcard/DownloadInBox.cfm"));
    QVERIFY(received(1, "query").startsWith("UserName=DL1VOS&Password="));
    QVERIFY(received(1, "query").endsWith("&RcvdSince=20240101"));
    if (status == RunResult::Done) {
        QCOMPARE(r.nextCursor, QByteArray("20240229"));
    }
    if (confirmations) {
        QCOMPARE(received(2, "path"), QByteArray("/qslcard/downloadedfiles/inbox.adi"));
        QCOMPARE(r.received[0].call, QByteArray("K1ABC"));
        QCOMPARE(r.received[0].qslrDate, QByteArray("20240220"));
    }
}

void TestQslServices::lotwDownload_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("report") << "ok" << kPassword << int(RunResult::Done)
                            << "3 confirmations received";
    QTest::newRow("no end mark") << "truncated" << kPassword << int(RunResult::Failed)
                                 << "the report ended early";
    QTest::newRow("wrong password")
        << "ok"
        << "x" << int(RunResult::Failed) << "the user name or the password is wrong";
    QTest::newRow("request limit")
        << "limit" << kPassword << int(RunResult::Failed) << "page request limit";
}

void TestQslServices::lotwDownload()
{
    QFETCH(QString, mode);
    QFETCH(QString, password);
    QFETCH(int, status);
    QFETCH(QString, message);
    const int port = startServer(mode);
    QVERIFY(port > 0);
    LotwService s;
    LotwAccount a = lotwAccount(port);
    a.password = password;
    s.setAccount(a);
    const RunResult r = run(s, [&] { s.download("2024-01-01 00:00:00"); });
    QVERIFY2(r.message.contains(message), qPrintable(r.message));
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.complete, status == RunResult::Done);
    QCOMPARE(received(1, "path"), QByteArray("/lotwuser/lotwreport.adi"));
    QCOMPARE(
        received(1, "query"),
        "login=DL1VOS&password=" + QUrl::toPercentEncoding(password) +
            "&qso_query=1&qso_qsl=yes&qso_qsldetail=yes&qso_qslsince=2024-01-01%2000%3A00%3A00");
    if (status == RunResult::Done) {
        QCOMPARE(r.received.size(), 3);
        QCOMPARE(r.nextCursor, QByteArray("2024-02-20 10:11:12"));
        QCOMPARE(r.received[0].timeOn, QByteArray("235600"));
    } else {
        QVERIFY(r.received.isEmpty());
        QVERIFY(r.nextCursor.isEmpty());
    }
}

void TestQslServices::confirmationsMarkTheLog()
{
    // The way a caller goes: download, match with the log, apply the marks,
    // and only then keep the cursor.
    const int port = startServer(QStringLiteral("ok"));
    QVERIFY(port > 0);
    LotwService s;
    s.setAccount(lotwAccount(port));
    const RunResult r = run(s, [&] { s.download({}); });
    QCOMPARE(r.status, RunResult::Done);
    QVERIFY(r.complete);
    QList<QByteArray> log = {
        "WSJT-X ADIF Export<eoh>",
        qso("K1ABC", "20240131", "235510", "20m", "<comment:3>hi! "),
        "<call:4>W1AW <mode:3>FT8 <qso_date:8>20240131 <time_on:4>1150 <band:3>20m <eor>",
        "<call:4>W1AW <mode:3>FT8 <qso_date:8>20240131 <time_on:4>1210 <band:3>20m <eor>",
    };
    QsoIndex index;
    for (int k = 2; k <= log.size(); ++k)
        index.add(k, log[k - 1]);
    index.finish();
    const MatchReport m = matchConfirmations(index, r.received, s.service(), s.today(),
                                             [&log](int k) { return log[k - 1]; });
    QCOMPARE(m.matched.size(), 1);
    QCOMPARE(m.ambiguous.size(), 1);
    QCOMPARE(m.ambiguous[0].lines, (QList<int>{3, 4}));
    QCOMPARE(m.unmatched.size(), 1);
    QCOMPARE(m.unmatched[0].call, QByteArray("JA1AA"));
    const QList<QByteArray> before = log;
    const QList<int> left = applyChanges(
        m.changes,
        [&log](int k) { return k <= log.size() ? QByteArrayView(log[k - 1]) : QByteArrayView(); },
        [&log](int k, const QByteArray& text) { log[k - 1] = text; });
    QVERIFY(left.isEmpty());
    QCOMPARE(log[1], before[1].chopped(5) + "<lotw_qsl_rcvd:1>Y <lotw_qslrdate:8>20240220 <eor>");
    QCOMPARE(log.mid(2), before.mid(2));
    QCOMPARE(r.nextCursor, QByteArray("2024-02-20 10:11:12"));
}

void TestQslServices::slowServiceTimesOutOrIsCancelled()
{
    const int port = startServer(QStringLiteral("ok"), 3);
    QVERIFY(port > 0);
    LotwService s;
    s.setAccount(lotwAccount(port));
    s.setTimeout(300);
    RunResult r = run(s, [&] { s.download({}); });
    QCOMPARE(r.status, RunResult::Failed);
    QVERIFY2(r.message.contains("no answer within 0.3 seconds"), qPrintable(r.message));

    s.setTimeout(60000);
    r = run(s, [&] {
        s.download({});
        QTimer::singleShot(200, &s, &QslService::cancel);
    });
    QCOMPARE(r.status, RunResult::Cancelled);
    QVERIFY(!s.isBusy());

    // An upload cancelled while eQSL thinks marks nothing; a second request
    // meanwhile is refused and does not end the first.
    EqslService e;
    e.setAccount(eqslAccount(port));
    QSignalSpy said(&e, &QslService::status);
    r = run(e, [&] {
        e.upload(logQsos({qso("K1ABC", "20240131", "235510", "20m")}));
        e.download({});
        QTimer::singleShot(200, &e, &QslService::cancel);
    });
    QCOMPARE(r.status, RunResult::Cancelled);
    QVERIFY(r.changes.isEmpty());
    QCOMPARE(r.qsos.size(), 1);
    QCOMPARE(r.qsos[0].status, QsoOutcome::NotSent);
    QVERIFY(said.last().at(0).toString().contains("still going on"));
}

void TestQslServices::passwordOnlyOverTls()
{
    LotwService s;
    LotwAccount a = lotwAccount(1);
    a.address = QUrl(QStringLiteral("http://lotw.example/lotwuser/"));
    s.setAccount(a);
    QSignalSpy done(&s, &QslService::finished);
    s.download({});
    QCOMPARE(done.size(), 1);
    const RunResult r = done.takeFirst().at(0).value<RunResult>();
    QCOMPARE(r.status, RunResult::Failed);
    QVERIFY2(r.message.contains("https://"), qPrintable(r.message));
}

void TestQslServices::failuresNeverShowThePassword()
{
    const int port = startServer(QStringLiteral("ok"));
    QVERIFY(port > 0);
    // A page that is not there, and a port where nothing listens: Qt names
    // the address in its messages, and the address carries the password.
    for (const QString& address : {QStringLiteral("http://127.0.0.1:%1/nothere/").arg(port),
                                   QStringLiteral("http://127.0.0.1:1/lotwuser/")}) {
        LotwService s;
        LotwAccount a = lotwAccount(port);
        a.address = QUrl(address);
        s.setAccount(a);
        const RunResult r = run(s, [&] { s.download({}); });
        QCOMPARE(r.status, RunResult::Failed);
        QVERIFY2(!r.message.contains(QStringLiteral("s=%")) &&
                     !r.message.contains(QUrl::toPercentEncoding(kPassword)) &&
                     !r.message.contains(QStringLiteral("password")),
                 qPrintable(r.message));
    }
}

QByteArray TestQslServices::installFakeTqsl()
{
    dir = new QTemporaryDir;
    const QString bin = dir->filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    QFile fake(bin + QStringLiteral("/tqsl"));
    fake.open(QIODevice::WriteOnly);
    fake.write("#!/bin/sh\n"
               "printf '%s\\n' \"$@\" > \"$FAKE_TQSL_RECORD/args\"\n"
               "for last; do :; done\n"
               "cp \"$last\" \"$FAKE_TQSL_RECORD/file.adi\"\n"
               "echo 'Signing using Callsign DL1VOS, DXCC Entity GERMANY' >&2\n"
               "sleep \"${FAKE_TQSL_SLEEP:-0}\"\n"
               "[ \"$FAKE_TQSL_CODE\" = 5 ] && echo 'Error: no certificate' >&2\n"
               "[ -n \"$FAKE_TQSL_STATUS\" ] && echo \"$FAKE_TQSL_STATUS\" >&2\n"
               "exit \"$FAKE_TQSL_CODE\"\n");
    fake.close();
    fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin) + ':' + path);
    qputenv("FAKE_TQSL_RECORD", QFile::encodeName(dir->path()));
    qputenv("FAKE_TQSL_SLEEP", "0");
    return path;
}

void TestQslServices::tqslSilentOrCancelledMarksNothing()
{
    const QByteArray path = installFakeTqsl();
    qputenv("FAKE_TQSL_CODE", "0");
    qputenv("FAKE_TQSL_STATUS", "Final Status: Success(0)");
    qputenv("FAKE_TQSL_SLEEP", "3");
    LotwService s;
    s.setAccount(lotwAccount(1));
    s.setTimeout(500);
    const QList<LogQso> log = logQsos({qso("K1ABC", "20240131", "235510", "20m")});
    RunResult r = run(s, [&] { s.upload(log); });
    QCOMPARE(r.status, RunResult::Failed);
    QVERIFY2(r.message.contains("said nothing for 0.5 seconds"), qPrintable(r.message));
    QVERIFY(r.changes.isEmpty());

    s.setTimeout(60000);
    r = run(s, [&] {
        s.upload(log);
        QTimer::singleShot(300, &s, &QslService::cancel);
    });
    qputenv("PATH", path);
    QCOMPARE(r.status, RunResult::Cancelled);
    QVERIFY(r.changes.isEmpty());
    QCOMPARE(r.qsos.size(), 1);
    QVERIFY(r.qsos[0].reason.contains("cancelled"));
}

void TestQslServices::lotwUpload_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("finalStatus");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("success") << 0 << "Final Status: Success(0)" << true << int(RunResult::Done)
                             << "Final Status: Success(0)";
    QTest::newRow("some processed")
        << 9 << "Final Status: Some QSOs suppressed(9)" << true << int(RunResult::Done) << "(9)";
    QTest::newRow("0 without a final status")
        << 0 << "" << false << int(RunResult::Failed) << "no final status";
    QTest::newRow("nothing new") << 8 << "Final Status: No QSOs processed(8)" << false
                                 << int(RunResult::Done) << "no QSO was new";
    QTest::newRow("unreachable") << 11 << "Final Status: Connection failed(11)" << false
                                 << int(RunResult::Failed)
                                 << "LoTW could not be reached: Final Status: Connection failed";
    QTest::newRow("no final status") << 5 << "" << false << int(RunResult::Failed)
                                     << "signing library failed (certificate or key): "
                                        "Error: no certificate";
}

void TestQslServices::lotwUpload()
{
    QFETCH(int, code);
    QFETCH(QString, finalStatus);
    QFETCH(bool, marked);
    QFETCH(int, status);
    QFETCH(QString, message);
    const QByteArray path = installFakeTqsl();
    qputenv("FAKE_TQSL_CODE", QByteArray::number(code));
    qputenv("FAKE_TQSL_STATUS", finalStatus.toUtf8());

    LotwService s;
    LotwAccount a = lotwAccount(1);
    a.certificateCall = QStringLiteral("DL1VOS");
    s.setAccount(a);
    const RunResult r = run(s, [&] {
        s.upload(logQsos({qso("K1ABC", "20240131", "235510", "20m"),
                          qso("W1AW", "20240131", "120000", "20m", "<lotw_qsl_sent:1>Y ")}));
    });
    qputenv("PATH", path);

    QFile args(dir->filePath(QStringLiteral("args")));
    QVERIFY(args.open(QIODevice::ReadOnly));
    QList<QByteArray> given = args.readAll().trimmed().split('\n');
    QVERIFY(given.last().endsWith(".adi"));
    given.removeLast();
    QCOMPARE(given, (QList<QByteArray>{"-d", "-u", "-a", "compliant", "-x", "-l", "Home QTH", "-c",
                                       "DL1VOS"}));
    QFile sentFile(dir->filePath(QStringLiteral("file.adi")));
    QVERIFY(sentFile.open(QIODevice::ReadOnly));
    const QByteArray sent = sentFile.readAll();
    QVERIFY(sent.contains("<CALL:5>K1ABC") && !sent.contains("W1AW"));
    QVERIFY(!sent.contains(kPassword.toUtf8()));

    QVERIFY2(r.message.contains(message), qPrintable(r.message));
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.qsos.size(), 1);
    QCOMPARE(r.qsos[0].status, marked ? QsoOutcome::Sent : QsoOutcome::NotSent);
    QCOMPARE(r.changes.isEmpty(), !marked);
    if (marked)
        QCOMPARE(r.changes.at(2)->fields,
                 (QList<std::pair<QByteArray, QByteArray>>{{"LOTW_QSL_SENT", "Y"},
                                                           {"LOTW_QSLSDATE", "20240301"}}));
}

void TestQslServices::realTqslKnowsTheArguments()
{
    // tqsl is a wxWidgets program: even its help wants a display.
    const QString tqsl = QStandardPaths::findExecutable(QStringLiteral("tqsl"));
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (tqsl.isEmpty() || xvfb.isEmpty())
        QSKIP("trustedqsl and xvfb-run are needed");
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(xvfb, {QStringLiteral("-a"), tqsl, QStringLiteral("--help")});
    QVERIFY(p.waitForFinished(60000));
    const QString help = QString::fromLocal8Bit(p.readAll());
    // Each option given, with a value exactly where tqsl takes one.
    const QStringList args = LotwService::tqslArguments(
        LotwAccount{QUrl(), {}, {}, QStringLiteral("Home"), QStringLiteral("DL1VOS"), {}},
        QStringLiteral("x.adi"));
    for (qsizetype i = 0; i + 1 < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith('-'))
            continue;
        const QRegularExpression option(QRegularExpression::escape(a) +
                                        QStringLiteral(", --[a-z]+(=<str>)?"));
        const QRegularExpressionMatch m = option.match(help);
        QVERIFY2(m.hasMatch(), qPrintable(a + QStringLiteral(" not in:\n") + help));
        const bool takesValue = !m.captured(1).isEmpty();
        QCOMPARE(takesValue, !args[i + 1].startsWith('-'));
    }
    QVERIFY(help.contains(QRegularExpression(QStringLiteral("-a, --action=<str>.*compliant"))));
    QVERIFY(help.contains(QRegularExpression(QStringLiteral("-u, --upload.*Upload"))));
    QVERIFY(help.contains(QRegularExpression(QStringLiteral("-x, --batch.*Exit after"))));
}

void TestQslServices::passwordsFallBackToAnOwnerOnlyFile()
{
    struct NoStore : SecretStore {
        int calls = 0;
        Status read(const QString&, QString&, QString&) override
        {
            return ++calls, Status::NoStore;
        }
        Status write(const QString&, const QString&, QString&) override
        {
            return ++calls, Status::NoStore;
        }
        Status remove(const QString&, QString&) override { return ++calls, Status::NoStore; }
    };
    dir = new QTemporaryDir;
    const QString file = dir->filePath(QStringLiteral("qsl-secrets.dat"));
    auto* store = new NoStore;
    QStringList notices;
    Credentials c(std::unique_ptr<SecretStore>(store), std::make_unique<FileSecretStore>(file),
                  [&notices](const QString& n) { notices << n; });
    QString error, secret;
    QCOMPARE(c.write(QStringLiteral("eqsl"), kPassword, error), SecretStore::Status::Ok);
    QCOMPARE(c.write(QStringLiteral("lotw"), QStringLiteral("second\tline\n"), error),
             SecretStore::Status::Ok);
    QCOMPARE(c.read(QStringLiteral("eqsl"), secret, error), SecretStore::Status::Ok);
    QCOMPARE(secret, kPassword);
    QCOMPARE(c.read(QStringLiteral("lotw"), secret, error), SecretStore::Status::Ok);
    QCOMPARE(secret, QStringLiteral("second\tline\n"));
    QCOMPARE(c.remove(QStringLiteral("eqsl"), error), SecretStore::Status::Ok);
    QCOMPARE(c.read(QStringLiteral("eqsl"), secret, error), SecretStore::Status::NotFound);
    // Told once; the store is not asked again.
    QCOMPARE(notices.size(), 1);
    QVERIFY(notices[0].contains(QStringLiteral("readable by you only")));
    QCOMPARE(store->calls, 1);
    QCOMPARE(QFile(file).permissions() & ~(QFile::ReadUser | QFile::WriteUser),
             QFile::ReadOwner | QFile::WriteOwner);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(!f.readAll().contains("p+a&s"));

    // The real keychain here, where no secret store runs: it says so rather
    // than hanging, and the file takes over.
    EnvGuard bus("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(dir->filePath("none")));
    QStringList told;
    Credentials real(std::make_unique<KeychainStore>(QStringLiteral("VosmiraTest")),
                     std::make_unique<FileSecretStore>(file),
                     [&told](const QString& n) { told << n; });
    QCOMPARE(real.read(QStringLiteral("lotw"), secret, error), SecretStore::Status::Ok);
    QCOMPARE(told.size(), 1);
}

QTEST_GUILESS_MAIN(TestQslServices)
#include "tst_qslservices.moc"

// "vosmira qsl upload|download eqsl|lotw": the real program in a scratch
// working directory against eQSL's and LoTW's pages played by
// tests/qsl/qsl_stand_in.py on 127.0.0.1, TrustedQSL by a fake tqsl; the
// passwords in the owner-only file (no secret store runs for it).
#include "qsl/Credentials.h"
#include "support/EqslTestSupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestQslCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void badArgumentsOrNoAccountFail();
    void eqslUploadThenDownload();
    void lotwUploadThenDownload();

private:
    struct Run {
        int code = -1;
        QByteArray out, err;
    };
    Run vosmira(const QStringList& args);
    int startServer(const QString& mode);
    void writeAccounts(int port);

    QString python;
    ScratchDir* dir = nullptr;
    QList<QProcess*> servers;
    QByteArray log;
};

namespace
{
const QString kPassword = QStringLiteral("p+a&s s=%w\u00f6rd");

QByteArray qso(const QByteArray& call, const QByteArray& time)
{
    return "<call:" + QByteArray::number(call.size()) + ">" + call +
           " <mode:4>MFSK <submode:3>FT4 <qso_date:8>20240131 <time_on:6>" + time +
           " <band:3>20m <eor>";
}

// One line of a file that holds `text`.
QByteArray lineWith(const QByteArray& file, const QByteArray& text)
{
    for (const QByteArray& l : fileLines(file))
        if (l.contains(text))
            return l;
    return "(none)";
}
} // namespace

void TestQslCommand::initTestCase()
{
    python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is needed for the stand-in services");
}

void TestQslCommand::init()
{
    dir = new ScratchDir;
    log = crlfLines({"WSJT-X ADIF Export<eoh>", qso("K1ABC", "235600"), qso("DUP1X", "120000"),
                     qso("BAD1X", "130000")});
    dir->write(QStringLiteral("log.adi"), log);
    dir->write(QStringLiteral("config.dat"),
               eqsltest::configFile(dir->file(QStringLiteral("log.adi")).toUtf8(), 3, "Eng"));
    dir->write(
        QStringLiteral("confirmations.adi"),
        "ARRL Logbook of the World Status Report\r\n<APP_LoTW_LASTQSL:19>2024-02-20 10:11:12\r\n"
        "<eoh>\r\n<CALL:5>K1ABC<BAND:3>20M<MODE:3>FT4<QSO_DATE:8>20240131<TIME_ON:6>235900"
        "<QSL_RCVD:1>Y<QSLRDATE:8>20240220<eor>\r\n"
        "<CALL:4>W1AW<BAND:3>20M<MODE:3>FT8<QSO_DATE:8>20240131<TIME_ON:4>1200<eor>\r\n"
        "<APP_LoTW_EOF>\r\n");
    // The fake tqsl: its arguments into the scratch folder, success.
    dir->write(QStringLiteral("tqsl"),
               "#!/bin/sh\nprintf '%s\\n' \"$@\" > tqsl-args\n"
               "echo \"$FAKE_TQSL_STATUS\" >&2\nexit \"$FAKE_TQSL_CODE\"\n");
    QFile(dir->file(QStringLiteral("tqsl"))).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
}

void TestQslCommand::cleanup()
{
    for (QProcess* s : std::as_const(servers)) {
        s->kill();
        s->waitForFinished(5000);
        delete s;
    }
    servers.clear();
    delete dir;
    dir = nullptr;
}

int TestQslCommand::startServer(const QString& mode)
{
    auto* server = new QProcess;
    servers << server;
    return startStandInServer(
        *server, python,
        {QStringLiteral(VOSMIRA_SOURCE_DIR "/tests/qsl/qsl_stand_in.py"),
         QStringLiteral("--record"), dir->file(QStringLiteral("record")),
         QStringLiteral("--password"), kPassword, QStringLiteral("--confirmations"),
         dir->file(QStringLiteral("confirmations.adi")), QStringLiteral("--mode"), mode});
}

void TestQslCommand::writeAccounts(int port)
{
    const QByteArray base = "http://127.0.0.1:" + QByteArray::number(port);
    dir->write(QStringLiteral("services.conf"),
               "eqsl.address=" + base + "/qslcard\neqsl.user=DL1VOS\nlotw.address=" + base +
                   "/lotwuser/\nlotw.login=DL1VOS\nlotw.location=Home QTH\nlotw.tqsl=" +
                   dir->file(QStringLiteral("tqsl")).toUtf8() + "\n");
}

TestQslCommand::Run TestQslCommand::vosmira(const QStringList& args)
{
    QProcess p;
    p.setWorkingDirectory(dir->path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // No secret store: the passwords come from the owner-only file.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=/nonexistent/bus"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VOSMIRA_BINARY), QStringList{QStringLiteral("qsl")} + args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

void TestQslCommand::badArgumentsOrNoAccountFail()
{
    for (const QStringList& args : {QStringList{QStringLiteral("fetch"), QStringLiteral("eqsl")},
                                    QStringList{QStringLiteral("upload"), QStringLiteral("qrz")},
                                    QStringList{QStringLiteral("upload")}}) {
        const Run r = vosmira(args);
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("usage: vosmira qsl"));
    }
    // No account yet: nothing sent, nothing written.
    writeAccounts(9);
    const Run r = vosmira({QStringLiteral("upload"), QStringLiteral("eqsl")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.contains("eQSL: no account is set"), r.out);
    QCOMPARE(dir->read(QStringLiteral("log.adi")), log);
}

void TestQslCommand::eqslUploadThenDownload()
{
    writeAccounts(startServer(QStringLiteral("ok")));
    qsl::FileSecretStore secrets(dir->file(QStringLiteral("qsl-secrets.dat")));
    QString error;
    QCOMPARE(secrets.write(QStringLiteral("eqsl.password"), kPassword, error),
             qsl::SecretStore::Status::Ok);

    // eQSL refuses one QSO: the others are marked, the exit code says so.
    Run r = vosmira({QStringLiteral("upload"), QStringLiteral("eqsl")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.contains("K1ABC 20240131 235600: sent\n"), r.out);
    QVERIFY2(r.out.contains("DUP1X 20240131 120000: sent (eQSL had it already)\n"), r.out);
    QVERIFY(r.out.contains("BAD1X 20240131 130000: not sent (") &&
            r.out.contains("Bad record: QSO date is in the future)\n"));
    QVERIFY(!r.out.contains("p+a&s") && !r.err.contains("p+a&s"));
    QByteArray now = dir->read(QStringLiteral("log.adi"));
    QVERIFY(lineWith(now, "K1ABC").contains("<eqsl_qsl_sent:1>Y <eqsl_qslsdate:8>"));
    QVERIFY(lineWith(now, "DUP1X").contains("<eqsl_qsl_sent:1>Y"));
    QCOMPARE(lineWith(now, "BAD1X"), qso("BAD1X", "130000"));

    r = vosmira({QStringLiteral("download"), QStringLiteral("eqsl")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains("K1ABC 20240131 235600: confirmed\n"), r.out);
    QVERIFY(r.out.contains("W1AW 20240131 1200: confirmation not marked (no QSO of the log"));
    now = dir->read(QStringLiteral("log.adi"));
    QVERIFY(lineWith(now, "K1ABC").contains("<eqsl_qsl_rcvd:1>Y <eqsl_qslrdate:8>20240220 <eor>"));
    QVERIFY(dir->read(QStringLiteral("services.conf")).contains("eqsl.cursor=20"));
}

void TestQslCommand::lotwUploadThenDownload()
{
    const int port = startServer(QStringLiteral("truncated"));
    writeAccounts(port);
    qsl::FileSecretStore secrets(dir->file(QStringLiteral("qsl-secrets.dat")));
    QString error;
    secrets.write(QStringLiteral("lotw.password"), kPassword, error);

    // tqsl finds nothing new: nothing marked, no failure.
    qputenv("FAKE_TQSL_CODE", "8");
    qputenv("FAKE_TQSL_STATUS", "Final Status: No QSOs were uploaded (8)");
    Run r = vosmira({QStringLiteral("upload"), QStringLiteral("lotw")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains("BAD1X 20240131 130000: not sent (no QSO was new"), r.out);
    QCOMPARE(dir->read(QStringLiteral("log.adi")), log);
    // Any other end of tqsl is a failure.
    qputenv("FAKE_TQSL_CODE", "5");
    QCOMPARE(vosmira({QStringLiteral("upload"), QStringLiteral("lotw")}).code, 1);

    qputenv("FAKE_TQSL_CODE", "0");
    qputenv("FAKE_TQSL_STATUS", "Final Status: Success(0)");
    r = vosmira({QStringLiteral("upload"), QStringLiteral("lotw")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.count(": sent\n") == 3, r.out);
    QVERIFY(dir->read(QStringLiteral("tqsl-args")).contains("Home QTH\n"));
    QVERIFY(lineWith(dir->read(QStringLiteral("log.adi")), "BAD1X").contains("<lotw_qsl_sent:1>Y"));
    const QByteArray uploaded = dir->read(QStringLiteral("log.adi"));

    // A report without its end: nothing marked, no cursor.
    r = vosmira({QStringLiteral("download"), QStringLiteral("lotw")});
    QCOMPARE(r.code, 1);
    QCOMPARE(dir->read(QStringLiteral("log.adi")), uploaded);
    QVERIFY(!dir->read(QStringLiteral("services.conf")).contains("lotw.cursor"));

    writeAccounts(startServer(QStringLiteral("ok")));
    r = vosmira({QStringLiteral("download"), QStringLiteral("lotw")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains("K1ABC 20240131 235600: confirmed\n"), r.out);
    QVERIFY(lineWith(dir->read(QStringLiteral("log.adi")), "K1ABC")
                .contains("<lotw_qsl_rcvd:1>Y <lotw_qslrdate:8>20240220 <eor>"));
    QVERIFY(dir->read(QStringLiteral("services.conf")).contains("lotw.cursor=2024-02-20 10:11:12"));
}

QTEST_MAIN(TestQslCommand)
#include "tst_qslcommand.moc"

// The whole upload against a local stand-in for the eQSL service: the account
// typed into the account form, the script it saves, the real curl run by the
// real script runner, the reply judged and the QSO stored on exit.
#include "app/WindowFactory.h"
#include "editing/auswahl_select.h"
#include "eqsl/AccountScript.h"
#include "eqsl/eQSL.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "support/EqslTestSupport.h"
#include "support/RecordingDialogs.h"
#include "support/TestSupport.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace eqsltest;

class TestEqslIntegration : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void credentialsAndFileArriveUnchanged();
    void replyDecidesTheMark_data();
    void replyDecidesTheMark();
    void slowServerIsWaitedFor();
    void noServerGivesNoReply();

private:
    // Starts the stand-in service; returns its port, or 0.
    int startServer(const QString& replies, double delaySeconds = 0, double lifetime = 60);
    void enterAccount(const QString& call, const QString& password);
    void upload(int row);
    QByteArray received(int request, const QString& name) const
    {
        return dir->read(QStringLiteral("record/%1/%2").arg(request).arg(name));
    }

    QString python;
    ScratchDir* dir = nullptr;
    RecordingDialogs* dialogs = nullptr;
    QProcess* server = nullptr;
};

namespace
{
const QByteArray kPassword = "my pa\"ss $HOME&x';";
}

void TestEqslIntegration::initTestCase()
{
    python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is needed for the stand-in eQSL service");
    if (QStandardPaths::findExecutable(QStringLiteral("curl")).isEmpty())
        QSKIP("curl is needed for the upload");
}

void TestEqslIntegration::init()
{
    resetProgramState();
    dir = new ScratchDir;
    dialogs = new RecordingDialogs;
    setScreenSizeOverride(QSize(1920, 1080));
}

void TestEqslIntegration::cleanup()
{
    destroyAllForms();
    eqsl::setImportEndpointForTests(QByteArray());
    setScreenSizeOverride(QSize());
    if (server) {
        if (!server->waitForFinished(5000))
            server->kill();
        server->waitForFinished(5000);
        delete server;
        server = nullptr;
    }
    delete dialogs;
    delete dir;
}

int TestEqslIntegration::startServer(const QString& replies, double delaySeconds, double lifetime)
{
    server = new QProcess;
    server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The password of credentialsAndFileArriveUnchanged, which no other
    // process may show on its command line while the upload runs.
    dir->write("secret", kPassword);
    server->start(python,
                  {QStringLiteral(VOSMIRA_SOURCE_DIR "/tests/eqsl/fake_eqsl_server.py"),
                   QStringLiteral("--record"), dir->file("record"), QStringLiteral("--replies"),
                   replies, QStringLiteral("--delay"), QString::number(delaySeconds),
                   QStringLiteral("--lifetime"), QString::number(lifetime),
                   QStringLiteral("--secret-file"), dir->file("secret")});
    if (!server->waitForStarted(10000))
        return 0;
    while (!server->canReadLine())
        if (!server->waitForReadyRead(10000))
            return 0;
    return server->readLine().trimmed().toInt();
}

void TestEqslIntegration::enterAccount(const QString& call, const QString& password)
{
    TForm4* f = windows().Form4;
    f->show();
    QApplication::setActiveWindow(f);
    QVERIFY(QTest::qWaitForWindowActive(f));
    f->Edit1->setFocus();
    QTest::keyClicks(f->Edit1, call);
    QTest::keyClick(f->Edit1, Qt::Key_Return);
    QTest::keyClicks(f->Edit2, password);
    QTest::keyClick(f->Edit2, Qt::Key_Return);
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    QVERIFY(QFile::exists(dir->file("eqsl.bat")));
}

void TestEqslIntegration::upload(int row)
{
    openRow(row);
    TForm2* v = windows().Form2;
    QVERIFY(v->BitBtn3->isEnabled());
    QTest::mouseClick(v->BitBtn3, Qt::LeftButton);
}

void TestEqslIntegration::credentialsAndFileArriveUnchanged()
{
    const int port = startServer(QStringLiteral("success"));
    QVERIFY(port > 0);
    eqsl::setImportEndpointForTests("http://127.0.0.1:" + QByteArray::number(port) +
                                    "/qslcard/ImportADIF.cfm");
    startProgram(*dir, 5, "Eng");
    const QByteArray password = kPassword;
    enterAccount(QStringLiteral("dl1vos"), QString::fromLatin1(password));
    QCOMPARE(windows().Form4->EqslPassword, password);

    upload(2);
    QCOMPARE(received(1, "path"), QByteArray("/qslcard/ImportADIF.cfm"));
    QCOMPARE(received(1, "field_Filename"), dir->read("eqsl.adi"));
    QCOMPARE(fileLines(received(1, "field_Filename")).value(3), windows().Form2->uploadRecord());
    QCOMPARE(received(1, "field_EQSL_USER"), QByteArray("DL1VOS"));
    QCOMPARE(received(1, "field_EQSL_PSWD"), password);
    QCOMPARE(received(1, "authorization"), "Basic " + ("DL1VOS:" + password).toBase64());
    QVERIFY(TForm2::lampGreen(windows().Form2->Panel12));
    // Nobody saw it on a command line (ps) while the upload ran.
    QCOMPARE(received(1, "secret_seen"), QByteArray());
}

void TestEqslIntegration::replyDecidesTheMark_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QString>("firstMessage");
    QTest::newRow("success") << "success" << true << "message:  Reply form eQSL.cc ADIF Import";
    QTest::newRow("duplicate") << "duplicate" << false << "message:Warning: Y=2021";
    QTest::newRow("bad QSO") << "warning" << false << "message:Warning: Bad QSO";
    QTest::newRow("error") << "error" << false << "message:Information: From: DL1VOS";
    QTest::newRow("no reply") << "noreply" << false << "plain:No reply from eQSL.";
}

void TestEqslIntegration::replyDecidesTheMark()
{
    QFETCH(QString, reply);
    QFETCH(bool, sent);
    QFETCH(QString, firstMessage);
    const int port = startServer(reply);
    QVERIFY(port > 0);
    eqsl::setImportEndpointForTests("http://127.0.0.1:" + QByteArray::number(port) +
                                    "/qslcard/ImportADIF.cfm");
    const QByteArray log = startProgram(*dir, 5, "Eng");
    enterAccount(QStringLiteral("DL1VOS"), QStringLiteral("secret"));

    upload(3);
    QVERIFY(!dialogs->messages.isEmpty());
    QVERIFY2(dialogs->messages[0].startsWith(firstMessage), qPrintable(dialogs->messages[0]));
    QCOMPARE(TForm2::lampGreen(windows().Form2->Panel12), sent);

    QTest::mouseClick(windows().Form2->BitBtn1, Qt::LeftButton);
    const QList<QByteArray> lines = fileLines(dir->read("log.adi"));
    QList<QByteArray> before = fileLines(log);
    QCOMPARE(lines.size(), before.size());
    QVERIFY(lines[4].startsWith("<call:5>K3ABC<"));
    QVERIFY2(lines[4].contains(sent ? "<eqsl_qsl_sent:1>Y<" : "<eqsl_qsl_sent:0><"),
             lines[4].constData());
    before[4] = lines[4];
    QCOMPARE(lines, before);
}

void TestEqslIntegration::slowServerIsWaitedFor()
{
    const int port = startServer(QStringLiteral("success"), 5);
    QVERIFY(port > 0);
    eqsl::setImportEndpointForTests("http://127.0.0.1:" + QByteArray::number(port) +
                                    "/qslcard/ImportADIF.cfm");
    startProgram(*dir, 5, "Eng");
    enterAccount(QStringLiteral("DL1VOS"), QStringLiteral("secret"));
    upload(1);
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(dialogs->messages[0].contains("Result: 1 out of 1"));
    QVERIFY(TForm2::lampGreen(windows().Form2->Panel12));
}

void TestEqslIntegration::noServerGivesNoReply()
{
    // The stand-in ends at once: its port is then closed.
    const int port = startServer(QStringLiteral("success"), 0, 0);
    QVERIFY(port > 0);
    QVERIFY(server->waitForFinished(10000));
    eqsl::setImportEndpointForTests("http://127.0.0.1:" + QByteArray::number(port) +
                                    "/qslcard/ImportADIF.cfm");
    startProgram(*dir, 5, "Ger");
    enterAccount(QStringLiteral("DL1VOS"), QStringLiteral("secret"));
    upload(1);
    QCOMPARE(dialogs->messages, QStringList{"plain:Keine Rückmeldung von eQSL."});
    QVERIFY(!TForm2::lampGreen(windows().Form2->Panel12));
    QCOMPARE(windows().Form2->uploadFields().eqslSent, QByteArray());
}

QTEST_MAIN(TestEqslIntegration)
#include "tst_eqslintegration.moc"

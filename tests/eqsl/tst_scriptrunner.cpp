// The platform's script runner: eqsl.bat run through the shell in the working
// directory, without blocking the event loop, stopped at the time-out, and
// failures to start told apart from a finished run.
#include "eqsl/AccountScript.h"
#include "eqsl/ScriptRunner.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

using namespace eqsl;

class TestScriptRunner : public QObject
{
    Q_OBJECT
private slots:
    void runsTheCommandsInTheWorkingDirectory();
    void windowStaysResponsive();
    void failuresToStart_data();
    void failuresToStart();
    void missingCurl();
    void timeOutStopsTheScriptAndItsChildren();
    void programEndStopsTheScript();
    void argumentsReachCurlUnchanged_data();
    void argumentsReachCurlUnchanged();
};

namespace
{
RunResult runScript(const ScratchDir& dir, int timeoutMs = kUploadTimeoutMs)
{
    ProcessScriptRunner runner;
    return runner.run(dir.file("eqsl.bat"), dir.path(), timeoutMs);
}

bool processGone(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray s = stat.readAll();
    // A zombie has ended; it waits only to be reaped by its parent.
    const qsizetype close = s.lastIndexOf(')');
    return close >= 0 && s.mid(close + 2, 1) == "Z";
}
} // namespace

void TestScriptRunner::runsTheCommandsInTheWorkingDirectory()
{
    ScratchDir dir;
    // Run from elsewhere: the script's files land in the directory given.
    QDir::setCurrent(QDir::tempPath());
    QVERIFY(dir.write("eqsl.bat", "@echo off\r\nprintf 'one' > out.txt\r\nrem pause\r\n"
                                  "printf 'two' >> out.txt\r\n@echo on\r\n"));
    const RunResult r = runScript(dir);
    QCOMPARE(int(r.outcome), int(RunOutcome::Finished));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(dir.read("out.txt"), QByteArray("onetwo"));
    QVERIFY(!QFile::exists(dir.file("pause")));

    QVERIFY(dir.write("eqsl.bat", scriptFileContent("exit 3")));
    QCOMPARE(runScript(dir).exitCode, 3);
}

void TestScriptRunner::programEndStopsTheScript()
{
    ScratchDir dir;
    QVERIFY(dir.write("eqsl.bat", scriptFileContent("sleep 30")));
    // The program's end is noticed while the script runs, long before the
    // time-out, and the script is stopped.
    bool ending = false;
    QTimer::singleShot(200, [&] { ending = true; });
    ProcessScriptRunner runner([&] { return ending; });
    const RunResult r = runner.run(dir.file("eqsl.bat"), dir.path(), kUploadTimeoutMs);
    QCOMPARE(int(r.outcome), int(RunOutcome::Aborted));
}

void TestScriptRunner::windowStaysResponsive()
{
    ScratchDir dir;
    // The script ends only once the program has handled an event meanwhile.
    QVERIFY(dir.write(
        "eqsl.bat", scriptFileContent("while [ ! -f go ]; do sleep 0.05; done; echo done > out")));
    bool handled = false;
    QTimer::singleShot(0, [&] {
        handled = true;
        QFile go(dir.file("go"));
        QVERIFY(go.open(QIODevice::WriteOnly));
    });
    const RunResult r = runScript(dir);
    QVERIFY(handled);
    QCOMPARE(int(r.outcome), int(RunOutcome::Finished));
    QCOMPARE(dir.read("out"), QByteArray("done\n"));
}

void TestScriptRunner::failuresToStart_data()
{
    QTest::addColumn<QByteArray>("script"); // empty: no eqsl.bat at all
    QTest::addColumn<int>("outcome");
    QTest::newRow("no script") << QByteArray() << int(RunOutcome::NoScript);
    QTest::newRow("no command line")
        << scriptFileContent(QByteArray()) << int(RunOutcome::NoCommand);
    QTest::newRow("blank command line") << scriptFileContent("   ") << int(RunOutcome::NoCommand);
    QTest::newRow("unknown command")
        << scriptFileContent("vosmira-no-such-command -x") << int(RunOutcome::CommandNotFound);
}

void TestScriptRunner::failuresToStart()
{
    QFETCH(QByteArray, script);
    QFETCH(int, outcome);
    ScratchDir dir;
    if (!script.isEmpty())
        QVERIFY(dir.write("eqsl.bat", script));
    const RunResult r = runScript(dir);
    QCOMPARE(int(r.outcome), outcome);
    QVERIFY(runNeverStarted(r.outcome));
    QVERIFY(!runFailureText(r, kUploadTimeoutMs).isEmpty());
}

void TestScriptRunner::missingCurl()
{
    ScratchDir dir;
    QVERIFY(QDir(dir.path()).mkdir("emptybin"));
    QVERIFY(
        dir.write("eqsl.bat", scriptFileContent("curl -u  A:B http://127.0.0.1:1/ > back.txt")));
    EnvGuard path("PATH");
    qputenv("PATH", dir.file("emptybin").toLocal8Bit());
    const RunResult r = runScript(dir);
    QCOMPARE(int(r.outcome), int(RunOutcome::CurlMissing));
    QVERIFY(!QFile::exists(dir.file("back.txt"))); // nothing ran
    QVERIFY(runFailureText(r, kUploadTimeoutMs).contains("curl"));
}

void TestScriptRunner::timeOutStopsTheScriptAndItsChildren()
{
    ScratchDir dir;
    // A child that would outlive the shell if only the shell were stopped.
    QVERIFY(dir.write("eqsl.bat", scriptFileContent("sleep 60 & echo $! > pid; wait")));
    const RunResult r = runScript(dir, 300);
    QCOMPARE(int(r.outcome), int(RunOutcome::TimedOut));
    QVERIFY(!runNeverStarted(r.outcome));
    QVERIFY(runFailureText(r, 30000).contains("30 seconds"));
    bool ok = false;
    const qint64 pid = dir.read("pid").trimmed().toLongLong(&ok);
    QVERIFY(ok);
    QTRY_VERIFY(processGone(pid));
}

void TestScriptRunner::argumentsReachCurlUnchanged_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<QByteArray>("password");
    QTest::newRow("plain") << QByteArray("DL1ABC") << QByteArray("secret12");
    QTest::newRow("empty password") << QByteArray("DL1ABC") << QByteArray();
    QTest::newRow("blanks quotes dollar ampersand")
        << QByteArray("DL1ABC") << QByteArray("a b'c\"$HOME&x");
    QTest::newRow("shell separators") << QByteArray("DL1ABC") << QByteArray("x;rm -rf .|y`id`");
    QTest::newRow("file references") << QByteArray("@eqsl.adi") << QByteArray("<eqsl.adi");
    QTest::newRow("percent backslash") << QByteArray("DL/1") << QByteArray("%PATH%\\n\\");
}

void TestScriptRunner::argumentsReachCurlUnchanged()
{
    QFETCH(QByteArray, call);
    QFETCH(QByteArray, password);
    ScratchDir dir;
    // A stand-in curl that writes down its arguments and what it reads.
    QVERIFY(QDir(dir.path()).mkdir("bin"));
    QVERIFY(dir.write("bin/curl", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > "
                                  "args.bin\ncat > config.txt\n"));
    QVERIFY(QFile::setPermissions(dir.file("bin/curl"),
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    EnvGuard path("PATH");
    qputenv("PATH", dir.file("bin").toLocal8Bit() + ":/usr/bin:/bin");

    const QByteArray url = "http://127.0.0.1:9/qslcard/ImportADIF.cfm";
    const AccountString a = composeAccountString(call, password, url, ScriptShell::Posix);
    QVERIFY(writeScriptFile(dir.file("eqsl.bat"), a.commandLine));
    const RunResult r = runScript(dir);
    QCOMPARE(int(r.outcome), int(RunOutcome::Finished));
    QCOMPARE(r.exitCode, 0);

    // No secret on curl's command line: it reads its arguments from its
    // standard input, as a curl config, each value in quotes with \ and "
    // escaped.
    QCOMPARE(dir.read("args.bin"), QByteArray("-K\0-\0", 5));
    QList<std::pair<QByteArray, QByteArray>> options;
    for (const QByteArray& line : dir.read("config.txt").split('\n')) {
        if (line.isEmpty())
            continue;
        const qsizetype eq = line.indexOf(" = \"");
        QVERIFY2(eq > 0 && line.endsWith('"'), line.constData());
        QByteArray value;
        const QByteArray quoted = line.mid(eq + 4).chopped(1);
        for (qsizetype i = 0; i < quoted.size(); ++i)
            value += quoted[i] == '\\' ? quoted[++i] : quoted[i];
        options.append({line.left(eq), value});
    }
    const bool literalUser = !isPlainAccountValue(call);
    const bool literalPassword = !isPlainAccountValue(password);
    const QList<std::pair<QByteArray, QByteArray>> expected = {
        {"user", call + ":" + password},
        {"form", "Filename=@eqsl.adi"},
        // Values curl would read as file references go as literal strings.
        {literalUser ? "form-string" : "form", "EQSL_USER=" + call},
        {literalPassword ? "form-string" : "form", "EQSL_PSWD=" + password},
        {"url", url}};
    QCOMPARE(options, expected);
    QVERIFY(QFile::exists(dir.file("back.txt"))); // the redirection
}

QTEST_MAIN(TestScriptRunner)
#include "tst_scriptrunner.moc"

#include "eqsl/ScriptRunner.h"

#include "eqsl/AccountScript.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace eqsl
{

namespace
{
ScriptRunner* current = nullptr;

// The first word of a command line.
QByteArray firstWord(const QByteArray& command)
{
    const QByteArray t = command.trimmed();
    qsizetype end = 0;
    while (end < t.size() && t[end] != ' ' && t[end] != '\t')
        ++end;
    return t.left(end);
}

bool callsCurl(const QList<QByteArray>& commands)
{
    for (const QByteArray& c : commands) {
        const QByteArray w = firstWord(c).toLower();
        if (w == "curl" || w == "curl.exe")
            return true;
    }
    return false;
}

// Stops the script and whatever it started.
void stopProcess(QProcess& p)
{
#ifdef Q_OS_WIN
    // cmd's children (curl) are not ended with it: end the whole tree.
    QProcess::execute(QStringLiteral("taskkill"),
                      {QStringLiteral("/T"), QStringLiteral("/F"), QStringLiteral("/PID"),
                       QString::number(p.processId())});
#else
    // The shell leads a process group of its own (see run), so curl goes too.
    if (p.processId() > 0)
        ::kill(-pid_t(p.processId()), SIGKILL);
#endif
    p.kill();
    p.waitForFinished(5000);
}
} // namespace

ProcessScriptRunner& platformScriptRunner()
{
    static ProcessScriptRunner r;
    return r;
}

ScriptRunner& scriptRunner()
{
    return current ? *current : platformScriptRunner();
}

void setScriptRunner(ScriptRunner* r)
{
    current = r;
}

bool ProcessScriptRunner::stopRequested() const
{
    return QCoreApplication::closingDown() || (m_stopRequested && m_stopRequested());
}

RunResult ProcessScriptRunner::run(const QString& scriptPath, const QString& workDir, int timeoutMs)
{
    RunResult result;
    QFile script(scriptPath);
    if (!script.open(QIODevice::ReadOnly)) {
        result.outcome = RunOutcome::NoScript;
        result.detail = script.errorString();
        return result;
    }
    const QList<QByteArray> commands = scriptCommands(script.readAll());
    script.close();
    bool anyCommand = false;
    for (const QByteArray& c : commands)
        anyCommand = anyCommand || !c.trimmed().isEmpty();
    if (!anyCommand) {
        result.outcome = RunOutcome::NoCommand;
        return result;
    }
    if (callsCurl(commands) && QStandardPaths::findExecutable(QStringLiteral("curl")).isEmpty()) {
        result.outcome = RunOutcome::CurlMissing;
        return result;
    }

    QProcess p;
    p.setWorkingDirectory(workDir);
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_WIN
    p.setProgram(qEnvironmentVariable("ComSpec", QStringLiteral("cmd.exe")));
    p.setNativeArguments(QStringLiteral("/d /c \"") + QFileInfo(scriptPath).fileName() +
                         QStringLiteral("\""));
    p.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* args) { args->flags |= CREATE_NO_WINDOW; });
    constexpr int notFoundCode = 9009;
#else
    // The upload script is one curl command: curl is run without a shell,
    // its arguments handed over on its standard input, so that `ps` shows no
    // password to other users of the machine. A script edited to do more is
    // run by sh as it stands.
    QByteArray stdinConfig;
    ShellCommand curl;
    if (commands.size() == 1)
        curl = splitShellCommand(commands.first().trimmed());
    if (curl.ok && curl.words.first() == "curl")
        stdinConfig = curlConfig(curl.words);
    if (!stdinConfig.isEmpty()) {
        p.setProgram(QStandardPaths::findExecutable(QStringLiteral("curl")));
        p.setArguments({QStringLiteral("-K"), QStringLiteral("-")});
        p.setStandardInputFile(QString()); // a pipe, for the config
        if (!curl.output.isEmpty())
            p.setStandardOutputFile(QDir(workDir).filePath(QFile::decodeName(curl.output)),
                                    QIODevice::Truncate);
    } else {
        QByteArray joined;
        for (const QByteArray& c : commands)
            joined += c + '\n';
        p.setProgram(QStringLiteral("/bin/sh"));
        p.setArguments({QStringLiteral("-c"), QFile::decodeName(joined)});
    }
    // A process group of its own, so that a time-out can stop curl as well.
    p.setChildProcessModifier([] { ::setpgid(0, 0); });
    constexpr int notFoundCode = 127;
#endif

    p.start();
    if (!p.waitForStarted(10000)) {
        result.outcome = RunOutcome::CannotStart;
        result.detail = p.errorString();
        stopProcess(p);
        return result;
    }
#ifndef Q_OS_WIN
    if (!stdinConfig.isEmpty()) {
        p.write(stdinConfig);
        p.closeWriteChannel();
    }
#endif

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QTimer poll; // notices that the program is ending
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
        if (stopRequested())
            loop.quit();
    });
    if (QCoreApplication::instance())
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop,
                         &QEventLoop::quit);
    deadline.start(qMax(0, timeoutMs));
    poll.start(100);
    if (p.state() != QProcess::NotRunning)
        loop.exec();

    if (p.state() != QProcess::NotRunning) {
        result.outcome =
            stopRequested() || deadline.isActive() ? RunOutcome::Aborted : RunOutcome::TimedOut;
        stopProcess(p);
        return result;
    }
    if (p.exitStatus() == QProcess::CrashExit) {
        result.outcome = RunOutcome::Finished;
        result.exitCode = -1;
        result.detail = p.errorString();
        return result;
    }
    result.exitCode = p.exitCode();
    result.outcome =
        result.exitCode == notFoundCode ? RunOutcome::CommandNotFound : RunOutcome::Finished;
    return result;
}

bool runNeverStarted(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::NoScript:
    case RunOutcome::NoCommand:
    case RunOutcome::CurlMissing:
    case RunOutcome::CannotStart:
    case RunOutcome::CommandNotFound:
        return true;
    case RunOutcome::Finished:
    case RunOutcome::TimedOut:
    case RunOutcome::Aborted:
        return false;
    }
    return false;
}

QString runFailureText(const RunResult& r, int timeoutMs)
{
    const QString seconds = QString::number((timeoutMs + 999) / 1000);
    switch (r.outcome) {
    case RunOutcome::Finished:
    case RunOutcome::Aborted:
        return QString();
    case RunOutcome::TimedOut:
        return QCoreApplication::translate("eqsl",
                                           "No answer from e-QSL within %1 seconds: the upload was "
                                           "stopped. The QSO stays marked as not sent.")
            .arg(seconds);
    case RunOutcome::NoScript:
        return QCoreApplication::translate(
            "eqsl", ">eqsl.bat< not found: please save the eQSL account "
                    "first (Configuration, eQSL account). Nothing was sent.");
    case RunOutcome::NoCommand:
        return QCoreApplication::translate("eqsl",
                                           ">eqsl.bat< holds no command: please save the eQSL "
                                           "account again. Nothing was sent.");
    case RunOutcome::CurlMissing:
        return QCoreApplication::translate("eqsl",
                                           "The program >curl< was not found: please install it. "
                                           "Nothing was sent.");
    case RunOutcome::CannotStart:
        return (QCoreApplication::translate(
                    "eqsl", ">eqsl.bat< could not be started: %1. Nothing was sent."))
            .arg(r.detail);
    case RunOutcome::CommandNotFound:
        return QCoreApplication::translate(
            "eqsl", "A command of >eqsl.bat< was not found. Nothing was sent.");
    }
    return QString();
}

} // namespace eqsl

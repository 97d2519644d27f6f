#pragma once
// Running the upload script eqsl.bat. The script is run without a window and
// without blocking the program: the caller waits with window messages being
// processed until the script has ended or a time-out has passed, after which
// the script is stopped. Tests put a runner of their own in place.
#include <QString>

#include <functional>

namespace eqsl
{

// How long an upload may take before it is given up.
inline constexpr int kUploadTimeoutMs = 30000;

enum class RunOutcome {
    Finished,        // the script ran to its end (exitCode tells how)
    TimedOut,        // still running at the time-out: stopped
    Aborted,         // the program is ending: stopped
    NoScript,        // the script file is missing or unreadable
    NoCommand,       // the script holds no command
    CurlMissing,     // the script calls curl, which is not installed
    CannotStart,     // the command interpreter could not be started
    CommandNotFound, // the interpreter could not find the script's command
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Finished;
    int exitCode = 0;
    QString detail; // the system's words where there are any
};

class ScriptRunner
{
public:
    virtual ~ScriptRunner() = default;
    // Runs the script at `scriptPath` with `workDir` as working directory.
    virtual RunResult run(const QString& scriptPath, const QString& workDir, int timeoutMs) = 0;
};

// The runner in use: the platform's unless a test installed another.
ScriptRunner& scriptRunner();
// Installs `r` (not owned); nullptr restores the platform's runner.
void setScriptRunner(ScriptRunner* r);

// The platform's runner: on Unix the script's commands (its @echo and rem
// lines skipped) through /bin/sh, on Windows the script through a hidden
// command interpreter.
class ProcessScriptRunner : public ScriptRunner
{
public:
    // `stopRequested` is asked while the script runs: when it says the
    // program is ending, the script is stopped (RunOutcome::Aborted).
    explicit ProcessScriptRunner(std::function<bool()> stopRequested = {})
        : m_stopRequested(std::move(stopRequested))
    {
    }
    void setStopRequested(std::function<bool()> f) { m_stopRequested = std::move(f); }
    RunResult run(const QString& scriptPath, const QString& workDir, int timeoutMs) override;

private:
    bool stopRequested() const;
    std::function<bool()> m_stopRequested;
};

// The platform's runner, for the program to tell it how to notice its end.
ProcessScriptRunner& platformScriptRunner();

// What the operator is told when a run did not finish; empty for Finished
// and Aborted. In the language of the windows.
QString runFailureText(const RunResult& r, int timeoutMs);

// True when the outcome means nothing was sent (the script never ran).
bool runNeverStarted(RunOutcome outcome);

} // namespace eqsl

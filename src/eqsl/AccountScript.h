#pragma once
// The eQSL account string: the curl command line that posts eqsl.adi to the
// service's ADIF import and sends the reply to back.txt, and the script file
// eqsl.bat that holds it.
//
// The call and password are the operator's own text and go into a command
// line that a shell runs. Ordinary values (letters, digits, "/", "-", "_",
// ".") are written as they are. Any other value is quoted for the shell that
// will run the script, and its form fields are sent with --form-string, so
// that curl takes them literally (with -F a value starting with "@" or "<"
// would name a local file to send).
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace eqsl
{

// The service's ADIF import endpoint. Credentials go with it, so https only.
inline constexpr const char* kImportEndpoint = "https://www.eqsl.cc/qslcard/ImportADIF.cfm";

// The endpoint the account string uses: kImportEndpoint, unless a test has
// pointed it at a local server.
QByteArray importEndpoint();
// For tests only: an empty url restores kImportEndpoint.
void setImportEndpointForTests(const QByteArray& url);

// The shell that runs the script: sh on Linux and other Unix systems, the
// Windows command interpreter (cmd) there.
enum class ScriptShell { Posix, Windows };
ScriptShell nativeScriptShell();

struct AccountString {
    QByteArray commandLine; // the whole line
    QByteArray firstHalf;   // up to and including the EQSL_USER field (Panel2)
    QByteArray secondHalf;  // from the EQSL_PSWD field on (Panel3)
};

// True for a value that can stand in the command line as it is.
bool isPlainAccountValue(QByteArrayView value);

// One shell word that the shell turns back into exactly `value`.
QByteArray quoteForShell(QByteArrayView value, ScriptShell shell);

// Composes the account string from the call and password.
AccountString composeAccountString(QByteArrayView call, QByteArrayView password,
                                   QByteArrayView endpoint,
                                   ScriptShell shell = nativeScriptShell());

// The four lines of eqsl.bat, each ended by CR LF.
QByteArray scriptFileContent(QByteArrayView commandLine);

// Writes eqsl.bat at `path` readable by its owner only; the permissions are
// set before the secret is written. Returns false when it could not be written.
bool writeScriptFile(const QString& path, QByteArrayView commandLine);

// The commands of a script file of that kind: its lines without the line
// ends, skipping empty lines, "@echo ..." and "rem ..." (also "@rem") lines.
QList<QByteArray> scriptCommands(QByteArrayView scriptContent);

// A command line taken apart as sh takes it: the words, their quotes and
// backslashes removed, and the file its output is redirected to.
struct ShellCommand {
    QList<QByteArray> words;
    QByteArray output;
    bool ok = false; // false: the line holds something only sh can do
};
ShellCommand splitShellCommand(QByteArrayView line);

// curl's arguments (the first word being curl itself) as lines of a curl
// config, which curl reads from its standard input (-K -): so no password
// stands on a command line. Empty when an option is not one the upload
// script uses.
QByteArray curlConfig(const QList<QByteArray>& args);

} // namespace eqsl

// The eQSL readers: arbitrary bytes as the service's reply (back.txt) and as
// the upload script (eqsl.bat); and an account made of arbitrary call and
// password bytes must come back from the script exactly as curl's arguments.
#include "eqsl/AccountScript.h"
#include "eqsl/ReplyJudge.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    eqsl::ReplyLineTable lines;
    eqsl::replyLinesFrom(bytes, lines);
    eqsl::judgeReply(lines, QByteArray("Y"), true);
    eqsl::judgeReply(lines, QByteArray(), false);

    for (const QByteArray& command : eqsl::scriptCommands(bytes)) {
        const eqsl::ShellCommand c = eqsl::splitShellCommand(command);
        if (c.ok)
            eqsl::curlConfig(c.words);
    }

    // Call and password from the two halves of the input.
    const qsizetype half = bytes.size() / 2;
    const QByteArray call = bytes.first(half).toByteArray();
    const QByteArray password = bytes.sliced(half).toByteArray();
    const eqsl::AccountString a = eqsl::composeAccountString(
        call, password, "https://example.org/x", eqsl::ScriptShell::Posix);
    const QList<QByteArray> commands = eqsl::scriptCommands(eqsl::scriptFileContent(a.commandLine));
    if (commands.size() != 1)
        std::abort();
    const eqsl::ShellCommand c = eqsl::splitShellCommand(commands.first());
    if (!c.ok || c.output != "back.txt" || c.words.size() != 10 || c.words[0] != "curl")
        std::abort();
    QByteArray plainCall, plainPassword; // the values as the script may hold them
    for (char ch : call)
        if (ch != '\r' && ch != '\n')
            plainCall += ch;
    for (char ch : password)
        if (ch != '\r' && ch != '\n')
            plainPassword += ch;
    if (c.words[2] != plainCall + ":" + plainPassword || c.words[6] != "EQSL_USER=" + plainCall ||
        c.words[8] != "EQSL_PSWD=" + plainPassword)
        std::abort();
    if (eqsl::curlConfig(c.words).isEmpty())
        std::abort();
    return 0;
}

#include "eqsl/AccountScript.h"

#include "logdata/AtomicFile.h"
#include "logdata/LineTable.h"

namespace eqsl
{

namespace
{
QByteArray endpointOverride;

bool isPlainChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
           c == '-' || c == '_' || c == '.';
}

// sh: inside single quotes every character stands for itself; a single quote
// ends the quoting, is written escaped and the quoting starts again.
QByteArray quoteForSh(QByteArrayView value)
{
    QByteArray out = "'";
    for (char c : value) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    out += '\'';
    return out;
}

// Windows: curl takes its arguments apart by the C runtime's rules, and cmd
// reads the line first. The value is quoted for the C runtime (a '"' written
// as \", backslashes before a '"' doubled), then every character cmd treats
// specially is escaped with '^' - the quotes too, so that cmd never enters
// its quoted mode and every '^' is taken away again - and '%' is doubled,
// which is how a batch file writes a plain percent sign.
QByteArray quoteForCmd(QByteArrayView value)
{
    QByteArray arg = "\"";
    int backslashes = 0;
    for (char c : value) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            arg += QByteArray(2 * backslashes + 1, '\\');
            arg += '"';
        } else {
            arg += QByteArray(backslashes, '\\');
            arg += c;
        }
        backslashes = 0;
    }
    arg += QByteArray(2 * backslashes, '\\');
    arg += '"';

    QByteArray out;
    for (char c : arg) {
        switch (c) {
        case '%':
            out += "%%";
            break;
        case '(':
        case ')':
        case '!':
        case '^':
        case '"':
        case '<':
        case '>':
        case '&':
        case '|':
            out += '^';
            out += c;
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The script holds the command on one line: a line break cannot be part of
// it. The entry fields cannot hold one either; should one arrive, it is left
// out rather than splitting the command.
QByteArray oneLine(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size());
    for (char c : value)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

// A form field: as -F when the value is plain, otherwise as --form-string,
// which takes the value literally, in one quoted word.
QByteArray formField(const char* name, const QByteArray& value, ScriptShell shell)
{
    if (isPlainAccountValue(value))
        return QByteArray(" -F ") + name + "=" + value;
    return " --form-string " + quoteForShell(QByteArray(name) + "=" + value, shell);
}

// A line of the command interpreter's own that the script runner skips: the
// echo switches and comments.
bool isScriptHousekeeping(QByteArrayView line)
{
    const QByteArray t = line.trimmed().toByteArray().toLower();
    auto isWord = [&t](QByteArrayView word) {
        return t.startsWith(word) &&
               (t.size() == word.size() || t[word.size()] == ' ' || t[word.size()] == '\t');
    };
    return t.isEmpty() || t.startsWith("@echo") || isWord("rem") || isWord("@rem");
}
} // namespace

QByteArray importEndpoint()
{
    return endpointOverride.isEmpty() ? QByteArray(kImportEndpoint) : endpointOverride;
}

void setImportEndpointForTests(const QByteArray& url)
{
    endpointOverride = url;
}

ScriptShell nativeScriptShell()
{
#ifdef Q_OS_WIN
    return ScriptShell::Windows;
#else
    return ScriptShell::Posix;
#endif
}

bool isPlainAccountValue(QByteArrayView value)
{
    for (char c : value)
        if (!isPlainChar(c))
            return false;
    return true;
}

QByteArray quoteForShell(QByteArrayView value, ScriptShell shell)
{
    return shell == ScriptShell::Windows ? quoteForCmd(value) : quoteForSh(value);
}

AccountString composeAccountString(QByteArrayView callIn, QByteArrayView passwordIn,
                                   QByteArrayView endpoint, ScriptShell shell)
{
    const QByteArray call = oneLine(callIn);
    const QByteArray password = oneLine(passwordIn);

    // curl's -u takes everything up to the first colon as the user name.
    QByteArray userPassword = call + ":" + password;
    if (!isPlainAccountValue(call) || !isPlainAccountValue(password))
        userPassword = quoteForShell(userPassword, shell);

    AccountString a;
    a.firstHalf =
        "curl -u  " + userPassword + " -F Filename=@eqsl.adi" + formField("EQSL_USER", call, shell);
    a.secondHalf =
        formField("EQSL_PSWD", password, shell) + " " + endpoint.toByteArray() + " > back.txt";
    a.commandLine = a.firstHalf + a.secondHalf;
    return a;
}

QByteArray scriptFileContent(QByteArrayView commandLine)
{
    return "@echo off\r\n" + commandLine.toByteArray() + "\r\nrem pause\r\n@echo on\r\n";
}

bool writeScriptFile(const QString& path, QByteArrayView commandLine)
{
    return writeFileAtomically(path, scriptFileContent(commandLine), nullptr,
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QList<QByteArray> scriptCommands(QByteArrayView scriptContent)
{
    QList<QByteArray> commands;
    forEachLine(scriptContent, [&](LineSpan sp) {
        const QByteArray line = scriptContent.sliced(sp.offset, sp.length).toByteArray();
        if (!isScriptHousekeeping(line))
            commands << line;
    });
    return commands;
}

ShellCommand splitShellCommand(QByteArrayView line)
{
    ShellCommand cmd;
    QByteArray word;
    bool inWord = false, redirect = false;
    auto endWord = [&]() -> bool {
        if (!inWord)
            return true;
        if (redirect) {
            if (!cmd.output.isEmpty())
                return false;
            cmd.output = word;
            redirect = false;
        } else {
            cmd.words << word;
        }
        word.clear();
        inWord = false;
        return true;
    };
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            if (!endWord())
                return cmd;
        } else if (c == '\'') {
            const qsizetype end = line.indexOf('\'', i + 1);
            if (end < 0)
                return cmd;
            word += line.sliced(i + 1, end - i - 1);
            inWord = true;
            i = end;
        } else if (c == '"') {
            inWord = true;
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '$' || line[i] == '`')
                    return cmd;
                if (line[i] == '\\' && i + 1 < line.size() &&
                    QByteArrayView("$`\"\\").contains(line[i + 1]))
                    ++i;
                word += line[i];
            }
            if (i >= line.size())
                return cmd;
        } else if (c == '\\') {
            if (++i >= line.size())
                return cmd;
            word += line[i];
            inWord = true;
        } else if (c == '>') {
            if (!endWord() || redirect || (i + 1 < line.size() && line[i + 1] == '>'))
                return cmd;
            redirect = true;
        } else if (QByteArrayView(";&|<()$`*?[]{}~#").contains(c)) {
            return cmd;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (!endWord() || redirect || cmd.words.isEmpty())
        return cmd;
    cmd.ok = true;
    return cmd;
}

QByteArray curlConfig(const QList<QByteArray>& args)
{
    static const QList<std::pair<QByteArray, QByteArray>> withValue = {
        {"-u", "user"},       {"--user", "user"},
        {"-F", "form"},       {"--form", "form"},
        {"-H", "header"},     {"--header", "header"},
        {"-o", "output"},     {"--output", "output"},
        {"--url", "url"},     {"--form-string", "form-string"},
        {"-A", "user-agent"}, {"--user-agent", "user-agent"}};
    static const QList<std::pair<QByteArray, QByteArray>> flags = {
        {"-s", "silent"},     {"--silent", "silent"},
        {"-S", "show-error"}, {"--show-error", "show-error"},
        {"-k", "insecure"},   {"--insecure", "insecure"},
        {"-f", "fail"},       {"--fail", "fail"},
        {"-v", "verbose"},    {"--verbose", "verbose"}};
    auto quoted = [](const QByteArray& v) {
        QByteArray out = "\"";
        for (char c : v) {
            if (c == '\\' || c == '"')
                out += '\\';
            out += c;
        }
        return out + "\"";
    };
    QByteArray config;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QByteArray& a = args[i];
        if (!a.startsWith('-')) {
            config += "url = " + quoted(a) + "\n";
            continue;
        }
        bool known = false;
        for (const auto& [name, option] : withValue)
            if (a == name && i + 1 < args.size()) {
                config += option + " = " + quoted(args[++i]) + "\n";
                known = true;
                break;
            }
        for (const auto& [name, option] : flags)
            if (!known && a == name) {
                config += option + "\n";
                known = true;
            }
        if (!known)
            return QByteArray();
    }
    return config;
}

} // namespace eqsl

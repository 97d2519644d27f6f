// The eQSL pieces that are plain functions: the account string and its
// quoting, the script file, the upload record and file, the reply judgement.
#include "eqsl/AccountScript.h"
#include "eqsl/ReplyJudge.h"
#include "eqsl/UploadRecord.h"
#include "logdata/State.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using namespace eqsl;

Q_DECLARE_METATYPE(eqsl::ScriptShell)

class TestEqslLogic : public QObject
{
    Q_OBJECT
private slots:
    void accountString_data();
    void accountString();
    void shQuotingRoundTrips_data();
    void shQuotingRoundTrips();
    void cmdQuotingRoundTrips_data();
    void cmdQuotingRoundTrips();
    void scriptFile();
    void scriptCommands_data();
    void scriptCommands();
    void uploadRecord_data();
    void uploadRecord();
    void uploadFile();
    void replyJudgement_data();
    void replyJudgement();
    void replyFileReading();
};

namespace
{
const QByteArray kUrl = "https://www.eqsl.cc/qslcard/ImportADIF.cfm";

// The values that have to reach the service unchanged whatever the shell
// makes of them.
void addTrickyValues()
{
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("blank") << QByteArray("pass word");
    QTest::newRow("single quote") << QByteArray("it's");
    QTest::newRow("double quote") << QByteArray("say \"hi\"");
    QTest::newRow("dollar") << QByteArray("$HOME$(id)`id`");
    QTest::newRow("ampersand semicolon") << QByteArray("a&b;c&&d");
    QTest::newRow("percent") << QByteArray("100%x%PATH%");
    QTest::newRow("pipe redirect") << QByteArray("a|b>c<d");
    QTest::newRow("at first") << QByteArray("@/etc/passwd");
    QTest::newRow("less first") << QByteArray("<secret");
    QTest::newRow("backslashes") << QByteArray("a\\b\\\\\"c\\");
    QTest::newRow("caret bang") << QByteArray("^!x!^");
    QTest::newRow("glob tilde") << QByteArray("~/*?[a]");
    QTest::newRow("parentheses") << QByteArray("(a) #b");
    QTest::newRow("latin1") << QByteArray("p\xe4ss\xdf");
    QTest::newRow("empty") << QByteArray();
}

// How cmd and then a program built with the C runtime take a command line
// apart into arguments (the documented rules): cmd removes the escaping '^'
// outside quotes, turns "%%" into "%" and expands any other "%"; the runtime splits at blanks
// outside quotes, 2n backslashes before a quote give n and toggle quoting,
// 2n+1 give n and a literal quote.
QList<QByteArray> windowsArguments(const QByteArray& line)
{
    QByteArray afterCmd;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '%') {
            // A batch file expands "%name%" and "%1": only "%%" is a percent.
            if (i + 1 < line.size() && line[i + 1] == '%')
                afterCmd += '%';
            else
                afterCmd += "<expanded>";
            ++i;
        } else if (c == '^' && !quoted && i + 1 < line.size()) {
            afterCmd += line[++i];
        } else {
            if (c == '"')
                quoted = !quoted;
            afterCmd += c;
        }
    }
    QList<QByteArray> args;
    QByteArray arg;
    bool inArg = false;
    quoted = false;
    for (qsizetype i = 0; i < afterCmd.size(); ++i) {
        const char c = afterCmd[i];
        if (c == '\\') {
            qsizetype n = 0;
            while (i < afterCmd.size() && afterCmd[i] == '\\') {
                ++n;
                ++i;
            }
            if (i < afterCmd.size() && afterCmd[i] == '"') {
                arg += QByteArray(n / 2, '\\');
                if (n % 2) {
                    arg += '"';
                } else {
                    quoted = !quoted;
                }
            } else {
                arg += QByteArray(n, '\\');
                --i;
            }
            inArg = true;
        } else if (c == '"') {
            quoted = !quoted;
            inArg = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArg)
                args << arg;
            arg.clear();
            inArg = false;
        } else {
            arg += c;
            inArg = true;
        }
    }
    if (inArg)
        args << arg;
    return args;
}
} // namespace

void TestEqslLogic::accountString_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<ScriptShell>("shell");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");

    const ScriptShell sh = ScriptShell::Posix;
    const ScriptShell cmd = ScriptShell::Windows;
    for (ScriptShell shell : {sh, cmd}) {
        const char* tag = shell == sh ? "sh" : "cmd";
        // Ordinary values read exactly as the operator expects them.
        QTest::addRow("%s plain", tag)
            << QByteArray("DL1ABC") << QByteArray("secret12") << shell
            << QByteArray("curl -u  DL1ABC:secret12 -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC")
            << QByteArray(" -F EQSL_PSWD=secret12 " + kUrl + " > back.txt");
        QTest::addRow("%s empty password", tag)
            << QByteArray("DL1ABC") << QByteArray() << shell
            << QByteArray("curl -u  DL1ABC: -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC")
            << QByteArray(" -F EQSL_PSWD= " + kUrl + " > back.txt");
        QTest::addRow("%s ordinary signs", tag)
            << QByteArray("PA/DL1ABC") << QByteArray("a-b_c.d/9") << shell
            << QByteArray(
                   "curl -u  PA/DL1ABC:a-b_c.d/9 -F Filename=@eqsl.adi -F EQSL_USER=PA/DL1ABC")
            << QByteArray(" -F EQSL_PSWD=a-b_c.d/9 " + kUrl + " > back.txt");
    }
    QTest::newRow("sh blank in password")
        << QByteArray("DL1ABC") << QByteArray("pass word") << sh
        << QByteArray("curl -u  'DL1ABC:pass word' -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC")
        << QByteArray(" --form-string 'EQSL_PSWD=pass word' " + kUrl + " > back.txt");
    QTest::newRow("sh quote in password")
        << QByteArray("DL1ABC") << QByteArray("it's") << sh
        << QByteArray("curl -u  'DL1ABC:it'\\''s' -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC")
        << QByteArray(" --form-string 'EQSL_PSWD=it'\\''s' " + kUrl + " > back.txt");
    QTest::newRow("sh file reference in call")
        << QByteArray("@x") << QByteArray("pw") << sh
        << QByteArray("curl -u  '@x:pw' -F Filename=@eqsl.adi --form-string 'EQSL_USER=@x'")
        << QByteArray(" -F EQSL_PSWD=pw " + kUrl + " > back.txt");
    QTest::newRow("cmd ampersand and percent")
        << QByteArray("DL1ABC") << QByteArray("a&b%") << cmd
        << QByteArray("curl -u  ^\"DL1ABC:a^&b%%^\" -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC")
        << QByteArray(" --form-string ^\"EQSL_PSWD=a^&b%%^\" " + kUrl + " > back.txt");
    // A line break cannot stand in the script's one command line.
    QTest::newRow("sh line break dropped")
        << QByteArray("DL1ABC") << QByteArray("ab\r\ncd") << sh
        << QByteArray("curl -u  DL1ABC:abcd -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC")
        << QByteArray(" -F EQSL_PSWD=abcd " + kUrl + " > back.txt");
}

void TestEqslLogic::accountString()
{
    QFETCH(QByteArray, call);
    QFETCH(QByteArray, password);
    QFETCH(ScriptShell, shell);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    const AccountString a = composeAccountString(call, password, kUrl, shell);
    QCOMPARE(a.firstHalf, first);
    QCOMPARE(a.secondHalf, second);
    QCOMPARE(a.commandLine, first + second);
}

void TestEqslLogic::shQuotingRoundTrips_data()
{
    addTrickyValues();
}

void TestEqslLogic::shQuotingRoundTrips()
{
    QFETCH(QByteArray, value);
    QVERIFY(!isPlainAccountValue(value) || value.isEmpty());
    // sh itself reads the quoted word back.
    QProcess sh;
    sh.start(QStringLiteral("/bin/sh"),
             {QStringLiteral("-c"),
              QString::fromLatin1("printf '%s' " + quoteForShell(value, ScriptShell::Posix))});
    QVERIFY(sh.waitForFinished(10000));
    QCOMPARE(sh.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(sh.readAllStandardOutput()), QString::fromLatin1(value));
}

void TestEqslLogic::cmdQuotingRoundTrips_data()
{
    addTrickyValues();
}

void TestEqslLogic::cmdQuotingRoundTrips()
{
    QFETCH(QByteArray, value);
    const AccountString a = composeAccountString("DL1ABC", value, kUrl, ScriptShell::Windows);
    QList<QByteArray> expected{
        "curl", "-u", "DL1ABC:" + value, "-F", "Filename=@eqsl.adi", "-F", "EQSL_USER=DL1ABC"};
    expected << (value.isEmpty() ? QByteArray("-F") : QByteArray("--form-string"))
             << "EQSL_PSWD=" + value << kUrl << ">"
             << "back.txt";
    QCOMPARE(windowsArguments(a.commandLine), expected);
}

void TestEqslLogic::scriptFile()
{
    QCOMPARE(scriptFileContent("curl x"),
             QByteArray("@echo off\r\ncurl x\r\nrem pause\r\n@echo on\r\n"));

    ScratchDir dir;
    // An old script readable by anyone is replaced by one for the owner only.
    QVERIFY(dir.write("eqsl.bat", "old"));
    QFile::setPermissions(dir.file("eqsl.bat"), QFileDevice::Permissions(0x6644));
    QVERIFY(writeScriptFile(dir.file("eqsl.bat"), "curl -u  A:B"));
    QCOMPARE(dir.read("eqsl.bat"), scriptFileContent("curl -u  A:B"));
    const QFileDevice::Permissions p = QFile::permissions(dir.file("eqsl.bat"));
    QVERIFY(p & QFileDevice::ReadOwner);
    QVERIFY(p & QFileDevice::WriteOwner);
    QVERIFY(!(p & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                   QFileDevice::WriteOther)));
    // A script that cannot be written is said so.
    QVERIFY(!writeScriptFile(dir.file("missing/eqsl.bat"), "curl"));
}

void TestEqslLogic::scriptCommands_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::newRow("written by the program") << scriptFileContent("curl -u  A:B x > back.txt")
                                            << QList<QByteArray>{"curl -u  A:B x > back.txt"};
    QTest::newRow("no command") << scriptFileContent(QByteArray()) << QList<QByteArray>{};
    QTest::newRow("LF only, other cases")
        << QByteArray("@ECHO OFF\nREM a note\n  rem\n@rem x\necho one\nremember\n\n")
        << QList<QByteArray>{"echo one", "remember"};
    QTest::newRow("last line without end")
        << QByteArray("@echo off\r\ncurl y") << QList<QByteArray>{"curl y"};
}

void TestEqslLogic::scriptCommands()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<QByteArray>, commands);
    QCOMPARE(eqsl::scriptCommands(content), commands);
}

void TestEqslLogic::uploadRecord_data()
{
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<QByteArray>("band");
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<QByteArray>("rst");
    QTest::addColumn<QByteArray>("comment");
    QTest::addColumn<QByteArray>("record");
    QTest::newRow("typical") << QByteArray("07.05.2021") << QByteArray("12:34")
                             << QByteArray("DL1ABC") << QByteArray("20m") << QByteArray("FT8")
                             << QByteArray("-10") << QByteArray("tnx")
                             << QByteArray("<QSO_DATE:8>20210507 <TIME_ON:4>1234 <CALL:6>DL1ABC "
                                           "<BAND:3>20m <MODE:3>FT8 <RST_SENT:3>-10 "
                                           "<QSLMSG:3>tnx <eor>");
    QTest::newRow("empty comment")
        << QByteArray("31.12.2023") << QByteArray("23:59") << QByteArray("K1ABC")
        << QByteArray("40m") << QByteArray("FT4") << QByteArray("+05") << QByteArray()
        << QByteArray("<QSO_DATE:8>20231231 <TIME_ON:4>2359 <CALL:5>K1ABC <BAND:3>40m "
                      "<MODE:4>MFSK <SUBMODE:3>FT4 <RST_SENT:3>+05 <QSLMSG:0> <eor>");
    QTest::newRow("values cut to their limits")
        << QByteArray("01.02.2024") << QByteArray("01:02")
        << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXY") << QByteArray("2190m1")
        << QByteArray("MFSK-LONG-NAME") << QByteArray("-123456789012") << QByteArray(70, 'c')
        << QByteArray("<QSO_DATE:8>20240201 <TIME_ON:4>0102 <CALL:20>ABCDEFGHIJKLMNOPQRST "
                      "<BAND:5>2190m <MODE:10>MFSK-LONG- <RST_SENT:10>-123456789 <QSLMSG:60>" +
                      QByteArray(60, 'c') + " <eor>");
    // A time stored without seconds reads as "12:"; its real length is
    // declared so the service does not read into the next tag.
    QTest::newRow("short time")
        << QByteArray("07.05.2021") << QByteArray("12:") << QByteArray("N0CALL")
        << QByteArray("20m") << QByteArray("FT8") << QByteArray("-10") << QByteArray("tnx")
        << QByteArray("<QSO_DATE:8>20210507 <TIME_ON:2>12 <CALL:6>N0CALL <BAND:3>20m "
                      "<MODE:3>FT8 <RST_SENT:3>-10 <QSLMSG:3>tnx <eor>");
}

void TestEqslLogic::uploadRecord()
{
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, time);
    QFETCH(QByteArray, call);
    QFETCH(QByteArray, band);
    QFETCH(QByteArray, mode);
    QFETCH(QByteArray, rst);
    QFETCH(QByteArray, comment);
    QFETCH(QByteArray, record);
    EditFieldSet f;
    f.date = date;
    f.time = time;
    f.call = call;
    f.band = band;
    f.mode = mode;
    f.rstSent = rst;
    f.rstRcvd = "-99"; // not part of the upload
    f.comment = "not the QSL message";
    QCOMPARE(buildUploadRecord(f, comment), record);
}

void TestEqslLogic::uploadFile()
{
    const QByteArray content = uploadFileContent("<QSO_DATE:8>20210507 <eor>");
    QCOMPARE(content, QByteArray("WSJT-X ADIF Export\r\n<ADIF_VER:5>3.0.6\r\n<eoh>\r\n"
                                 "<QSO_DATE:8>20210507 <eor>\r\n"));
    QCOMPARE(content.count("\r\n"), 4);
}

using LineMap = QMap<int, QByteArray>;

void TestEqslLogic::replyJudgement_data()
{
    QTest::addColumn<LineMap>("lines");
    QTest::addColumn<QByteArray>("sentBefore");
    QTest::addColumn<bool>("lampBefore");
    QTest::addColumn<QStringList>("messages"); // "M:" message, "P:" plain
    QTest::addColumn<QByteArray>("sentAfter");
    QTest::addColumn<bool>("lampAfter");

    const QByteArray title = "<TITLE>Reply form eQSL.cc ADIF Import to DL1ABC</TITLE>";
    const QByteArray info = "<BR>Information: From: DL1ABC To: K1ABC Date: 20210507";
    const QByteArray added = "Result: 1 out of 1 records added<BR>";
    const QByteArray line15 = "<BR>Thank you for using eQSL";
    const QByteArray dup =
        "Warning: Y=2021 M=05 D=07 K1ABC 20M FT8 Bad record: Duplicate of an earlier upload "
        "(ignored)";
    const QByteArray badQso = "<BR>Warning: Bad QSO: the date is in the future or the band "
                              "does not match the frequency given in the record sent to eQSL";
    // 44 characters of the title, 31 of the information from the match on.
    const QString titleText = "Reply form eQSL.cc ADIF Import to DL1ABC</TI";
    const QString infoText = "Information: From: DL1ABC To: K";

    QTest::newRow("success") << LineMap{{3, title}, {11, info}, {13, added}, {15, line15}}
                             << QByteArray() << false
                             << QStringList{"M:  " + titleText + "\n\r\n\r  " + infoText +
                                            "\n\r \n\r  Result: 1 "
                                            "out of 1\n\r\n\r" +
                                            QString::fromLatin1(line15)}
                             << QByteArray("Y") << true;
    QTest::newRow("duplicate, then success: both shown, marked")
        << LineMap{{3, title}, {11, info}, {12, dup}, {13, added}, {15, line15}} << QByteArray()
        << false
        << QStringList{"M:" + QString::fromLatin1(dup + "\n\r\n\r" + added),
                       "M:  " + titleText + "\n\r\n\r  " + infoText + "\n\r " +
                           QString::fromLatin1(dup.mid(dup.indexOf("Duplicate"), 51)) +
                           "\n\r  Result: 1 out of 1\n\r\n\r" + QString::fromLatin1(line15)}
        << QByteArray("Y") << true;
    QTest::newRow("duplicate only")
        << LineMap{{3, title}, {11, info}, {12, dup}, {13, "Result: 0 out of 1 records added"}}
        << QByteArray() << false
        << QStringList{"M:" + QString::fromLatin1(dup) +
                       "\n\r\n\rResult: 0 out of 1 records "
                       "added"}
        << QByteArray() << false;
    QTest::newRow("bad QSO warning")
        << LineMap{{11, info}, {12, badQso}, {13, "Result: 0 out of 1 records added"}}
        << QByteArray() << false << QStringList{"M:" + QString::fromLatin1(badQso.mid(4, 88))}
        << QByteArray() << false;
    QTest::newRow("error")
        << LineMap{{3, title},
                   {11, info},
                   {13, "<BR>Error: No match on eQSL_User/eQSL_Pswd for date 2021-05-07 in the "
                        "log"}}
        << QByteArray() << false
        << QStringList{"M:" + infoText + "\n\rError: No match on eQSL_User/eQSL_Pswd for date "}
        << QByteArray() << false;
    QTest::newRow("unknown notices: nothing shown, unmarked")
        << LineMap{{12, "Something else"}, {13, "Result: 0 out of 1"}} << QByteArray("Y") << true
        << QStringList{} << QByteArray() << false;
    QTest::newRow("no reply") << LineMap{} << QByteArray() << false
                              << QStringList{"P:No reply from eQSL."} << QByteArray() << false;
    QTest::newRow("reply shorter than 13 lines")
        << LineMap{{3, title}, {11, info}, {12, dup}} << QByteArray() << false
        << QStringList{"M:" + QString::fromLatin1(dup) + "\n\r\n\r", "P:No reply from eQSL."}
        << QByteArray() << false;
    QTest::newRow("already sent, nothing to say: lamp turns green")
        << LineMap{{13, "Result: nothing"}} << QByteArray("Y") << false << QStringList{}
        << QByteArray("Y") << true;
    QTest::newRow("searches are case-sensitive")
        << LineMap{{13, "result: 1 OUT OF 1 records added"}} << QByteArray() << false
        << QStringList{} << QByteArray() << false;
    QTest::newRow("reply text in Windows-1252")
        << LineMap{{11, "Information: Gr\xfc\xdf"}, {13, "Error: \xe4"}} << QByteArray() << false
        << QStringList{"M:Information: Grüß\n\rError: ä"} << QByteArray() << false;
}

void TestEqslLogic::replyJudgement()
{
    QFETCH(LineMap, lines);
    QFETCH(QByteArray, sentBefore);
    QFETCH(bool, lampBefore);
    QFETCH(QStringList, messages);
    QFETCH(QByteArray, sentAfter);
    QFETCH(bool, lampAfter);
    ReplyLineTable table;
    for (auto it = lines.cbegin(); it != lines.cend(); ++it)
        table[it.key()] = it.value();
    const ReplyJudgement j = judgeReply(table, sentBefore, lampBefore);
    QStringList shown;
    for (const ReplyMessage& m : j.messages)
        shown << (m.kind == MessageKind::Plain ? "P:" : "M:") + m.text;
    QCOMPARE(shown, messages);
    QCOMPARE(j.eqslSent, sentAfter);
    QCOMPARE(j.lampGreen, lampAfter);
}

void TestEqslLogic::replyFileReading()
{
    ScratchDir dir;
    ReplyLineTable lines;
    for (QByteArray& l : lines)
        l = "old";
    QList<QByteArray> many;
    for (int n = 1; n <= 25; ++n)
        many << "line " + QByteArray::number(n);
    QVERIFY(dir.write("back.txt", crlfLines(many)));
    QVERIFY(readReplyFile(dir.file("back.txt"), lines));
    QCOMPARE(lines[1], QByteArray("line 1"));
    QCOMPARE(lines[20], QByteArray("line 20"));

    // A shorter reply leaves nothing of the longer one behind.
    QVERIFY(dir.write("back.txt", "one\ntwo\r\n\r\nfour"));
    QVERIFY(readReplyFile(dir.file("back.txt"), lines));
    QCOMPARE(lines[1], QByteArray("one"));
    QCOMPARE(lines[2], QByteArray("two"));
    QCOMPARE(lines[3], QByteArray());
    QCOMPARE(lines[4], QByteArray("four"));
    for (int n = 5; n <= 20; ++n)
        QCOMPARE(lines[n], QByteArray());

    // A missing file is reported and holds no reply either.
    lines[13] = "Result: 1 out of 1";
    QVERIFY(!readReplyFile(dir.file("nothing.txt"), lines));
    QCOMPARE(lines[13], QByteArray());
}

QTEST_MAIN(TestEqslLogic)
#include "tst_eqsllogic.moc"

// config.dat, the date converters and the Windows-1252 codec.
#include "logdata/Cp1252.h"
#include "logdata/Dates.h"
#include "logdata/Loader.h"
#include "logdata/Settings.h"
#include "logdata/State.h"
#include "support/TestLog.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>

class TestSettingsDates : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetTestLog(); }
    void dates_data();
    void dates();
    void dateBuffer();
    void timeForDisplay();
    void configRoundTrip();
    void configLimitsAndShortFiles();
    void configMissingOrGarbled();
    void configReplacedWhole();
    void logPathInTheFileSystemsEncoding();
    void codecMapsEveryByte();
};

void TestSettingsDates::dates_data()
{
    QTest::addColumn<QByteArray>("converter");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("display") << QByteArray("display") << QByteArray("20240315")
                             << QByteArray("15.03.2024");
    QTest::newRow("display 7 chars")
        << QByteArray("display") << QByteArray("2024031") << QByteArray("1.03.2024");
    QTest::newRow("display empty") << QByteArray("display") << QByteArray() << QByteArray("..");
    QTest::newRow("adif") << QByteArray("adif") << QByteArray("15032024") << QByteArray("20240315");
    QTest::newRow("adif empty") << QByteArray("adif") << QByteArray() << QByteArray();
    QTest::newRow("reconv") << QByteArray("reconv") << QByteArray("15.03.2024")
                            << QByteArray("20240315");
    // Fixed positions, nothing parsed: 5.3.2024 gives "24", ".2", "5.".
    QTest::newRow("reconv short") << QByteArray("reconv") << QByteArray("5.3.2024")
                                  << QByteArray("24.25.");
    QTest::newRow("reconv empty") << QByteArray("reconv") << QByteArray() << QByteArray();
}

void TestSettingsDates::dates()
{
    QFETCH(QByteArray, converter);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    if (converter == "display")
        QCOMPARE(toDisplayDate(input), output);
    else if (converter == "adif")
        QCOMPARE(toAdifDate(input), output);
    else
        QCOMPARE(datumReconv(input), output);
}

void TestSettingsDates::dateBuffer()
{
    QCOMPARE(toDisplayDate("20230115"), QByteArray("15.01.2023"));
    QCOMPARE(toAdifDate("15012023"), QByteArray("20230115"));
    QCOMPARE(datumReconv("15.01.2023"), QByteArray("20230115"));
    char buf[24];
    QCOMPARE(displayDateInto("20240315", buf).toByteArray(), QByteArray("15.03.2024"));
    QCOMPARE(displayDateInto("2024031", buf).toByteArray(), QByteArray("1.03.2024"));
}

void TestSettingsDates::timeForDisplay()
{
    char buf[24];
    QCOMPARE(displayTimeInto("123456", 6, buf).toByteArray(), QByteArray("12:34"));
    QCOMPARE(displayTimeInto("1234", 4, buf).toByteArray(), QByteArray("12:34"));
    QCOMPARE(displayTimeInto("123", 3, buf).toByteArray(), QByteArray("1:"));
    QCOMPARE(displayTimeInto("", 0, buf).toByteArray(), QByteArray());
    QCOMPARE(displayTimeInto("", 0, buf, true).toByteArray(), QByteArray(":"));
    QCOMPARE(displayTimeInto("", 1, buf).toByteArray(), QByteArray());
}

void TestSettingsDates::configRoundTrip()
{
    ScratchDir dir;
    const QByteArray file = "/home/op/wsjtx_log.adi\r\nfalse\r\nspare line kept\r\nGermany\r\n"
                            "DL1ABC\r\nM\xfcller\r\nHans\r\nHauptstr. 1\r\n12345 Stadt\r\n"
                            "JO62QM\r\nB01\r\n42\r\ntnx fer QSO 73\r\nGer\r\n";
    dir.write("config.dat", file);
    TestLog& s = testLog();
    Load_Config(s);
    QCOMPARE(s.StoredQsoCount, 42);
    QCOMPARE(s.LogFilePath, QByteArray("/home/op/wsjtx_log.adi"));
    QCOMPARE(s.ProgramSettings.OwnName, QByteArray("M\xfcller"));
    s.QsoCount = 42;
    QVERIFY(Save_Config(s));
    QCOMPARE(dir.read("config.dat"), file);
    // Line 3 survives any number of saves; line 12 follows QsoCount.
    s.QsoCount = -1;
    Save_Config(s);
    Load_Config(s);
    Save_Config(s);
    QCOMPARE(dir.read("config.dat").split('\n').value(2), QByteArray("spare line kept\r"));
    QCOMPARE(s.StoredQsoCount, -1);
}

void TestSettingsDates::configLimitsAndShortFiles()
{
    ScratchDir dir;
    TestLog& s = testLog();
    QByteArray lines;
    const QByteArray longCall(25, 'K');
    for (int i = 1; i <= 14; ++i)
        lines += (i == 5    ? longCall
                  : i == 12 ? QByteArray("7")
                            : QByteArray("v") + QByteArray::number(i)) +
                 "\r\n";
    lines += "line 15\r\n";
    dir.write("config.dat", lines);
    Load_Config(s);
    QCOMPARE(s.ProgramSettings.OwnCall, QByteArray(20, 'K'));
    QCOMPARE(s.ProgramSettings.Language, QByteArray("v14"));
    Save_Config(s);
    const QList<QByteArray> saved = dir.read("config.dat").split('\n');
    QCOMPARE(saved.size(), 15); // 14 lines and the empty piece after the last line end
    QCOMPARE(saved.value(4), QByteArray(20, 'K') + "\r");
    // A file of 13 lines leaves the language as it was.
    s.ProgramSettings.Language = "Eng";
    QByteArray thirteen;
    for (int i = 1; i <= 13; ++i)
        thirteen += (i == 12 ? QByteArray("3") : QByteArray("x")) + "\r\n";
    dir.write("config.dat", thirteen);
    Load_Config(s);
    QCOMPARE(s.ProgramSettings.Language, QByteArray("Eng"));
    QCOMPARE(s.StoredQsoCount, 3);
}

void TestSettingsDates::configMissingOrGarbled()
{
    ScratchDir dir;
    TestLog& s = testLog();
    qputenv("HOME", dir.path().toUtf8());
    Load_Config(s); // no file, no WSJT-X log
    QCOMPARE(s.StoredQsoCount, 0);
    QVERIFY(s.LogFilePath.isEmpty());
    // WSJT-X's own log is offered when there is no config.dat.
    QDir(dir.path()).mkpath(".local/share/WSJT-X");
    QFile wsjtx(dir.path() + "/.local/share/WSJT-X/wsjtx_log.adi");
    QVERIFY(wsjtx.open(QIODevice::WriteOnly));
    wsjtx.close();
    resetTestLog();
    Load_Config(testLog());
    QCOMPARE(QString::fromUtf8(testLog().LogFilePath), wsjtx.fileName());
    // A garbled count starts from 0; the other values stay.
    QByteArray lines;
    for (int i = 1; i <= 14; ++i)
        lines += (i == 12 ? QByteArray("abc") : QByteArray("val") + QByteArray::number(i)) + "\r\n";
    dir.write("config.dat", lines);
    resetTestLog();
    Load_Config(testLog());
    QCOMPARE(testLog().StoredQsoCount, 0);
    QCOMPARE(testLog().LogFilePath, QByteArray("val1"));
    QCOMPARE(testLog().ProgramSettings.StandardComment, QByteArray("val13"));
}

void TestSettingsDates::logPathInTheFileSystemsEncoding()
{
    // A home folder named Łukasz or Дмитрий: WSJT-X's log there is found,
    // loaded, and its path written to config.dat as the file system has it.
    ScratchDir dir;
    for (const QString& user : {QStringLiteral("Łukasz"), QStringLiteral("Дмитрий")}) {
        resetTestLog();
        QFile::remove(dir.file("config.dat"));
        const QString home = dir.path() + u'/' + user;
        QDir(home).mkpath(".local/share/WSJT-X");
        const QString log = home + "/.local/share/WSJT-X/wsjtx_log.adi";
        QFile f(log);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("WSJT-X ADIF Export<eoh>\n<call:4>SP1A <eor>\n");
        f.close();
        qputenv("HOME", QFile::encodeName(home));
        TestLog& s = testLog();
        Load_Config(s);
        QCOMPARE(logFilePathString(s), log);
        s.DisplayFormat = 1;
        QVERIFY(loadLogbookData(s).opened); // which also saves config.dat
        QCOMPARE(s.QsoCount, 1);
        QCOMPARE(dir.read("config.dat").split('\r').value(0), log.toUtf8());
        Load_Config(s);
        QCOMPARE(logFilePathString(s), log);
    }
    // A config.dat of the Windows program: its path in Windows-1252.
    resetTestLog();
    dir.write("config.dat",
              "C:\\Logs\\M\xfcller.adi\r\nfalse\r\n\r\nGermany\r\nDL1ABC\r\nM\xfcller\r\n");
    Load_Config(testLog());
    // Used and kept as the bytes it is; shown as Windows-1252.
    QCOMPARE(testLog().LogFilePath, QByteArray("C:\\Logs\\M\xfcller.adi"));
    QCOMPARE(logFilePathString(testLog()), QStringLiteral("C:\\Logs\\Müller.adi"));
    QCOMPARE(testLog().ProgramSettings.OwnName,
             QByteArray("M\xfcller")); // the others stay Windows-1252
}

void TestSettingsDates::configReplacedWhole()
{
    ScratchDir dir;
    TestLog& s = testLog();
    s.ProgramSettings.OwnCall = "DL1ABC";
    QVERIFY(Save_Config(s));
    const QByteArray before = dir.read("config.dat");
    // The disk fills up during the write: the old file stays whole.
    s.ProgramSettings.OwnCall = "XX9XX";
    bool saved = true;
    {
        FileSizeLimit full(10);
        saved = Save_Config(s);
    }
    QVERIFY(!saved);
    QCOMPARE(dir.read("config.dat"), before);

    // Saved again unchanged (as every return to the log does): the file is
    // left as it is, not replaced; a change replaces it.
    s.ProgramSettings.OwnCall = "DL1ABC";
    const auto inode = [&dir] {
        struct stat st {
        };
        return ::stat(QFile::encodeName(dir.path() + "/config.dat").constData(), &st) == 0
                   ? st.st_ino
                   : ino_t(0);
    };
    const ino_t held = inode();
    QVERIFY(Save_Config(s));
    QCOMPARE(inode(), held);
    s.ProgramSettings.OwnCall = "DL2XYZ";
    QVERIFY(Save_Config(s));
    QVERIFY(inode() != held);
    QVERIFY(dir.read("config.dat").contains("DL2XYZ"));
}

void TestSettingsDates::codecMapsEveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1252::toUnicode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(Cp1252::fromUnicode(text), all);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0xFC), QChar(0x00FC));
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QCOMPARE(text.at(undefined).unicode(), char16_t(undefined));
    QCOMPARE(Cp1252::fromUnicode(QStringLiteral("Grüße €")), QByteArray("Gr\xfc\xdf\x65 \x80"));
    QCOMPARE(Cp1252::fromUnicode(QString::fromUtf8("Ж")), QByteArray("?"));
}

QTEST_GUILESS_MAIN(TestSettingsDates)
#include "tst_settingsdates.moc"

// The eQSL account form: call and password confirmed with Enter, the account
// string composed and shown in two halves, saved into eqsl.bat.
#include "app/FormRegistry.h"
#include "app/KeyEdit.h"
#include "app/Screen.h"
#include "app/Widgets.h"
#include "eqsl/AccountScript.h"
#include "eqsl/eQSL.h"
#include "logdata/Cp1252.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "support/EqslTestSupport.h"
#include "support/RecordingDialogs.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace eqsltest;

class TestEqslAccount : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void createdWithEnglishTexts();
    void enterComposesTheAccountString();
    void saveWritesTheScript();
    void unsafeValuesAreQuoted();
    void exitLeavesTheScriptAlone();
    void saveWithoutAccountKeepsTheScript();

private:
    TForm4* show();
    ScratchDir* dir = nullptr;
    RecordingDialogs* dialogs = nullptr;
};

namespace
{
const QString kUrl = QString::fromLatin1(eqsl::kImportEndpoint);

void type(KeyEdit* e, const QString& text)
{
    e->setFocus();
    QTest::keyClicks(e, text);
}
} // namespace

void TestEqslAccount::init()
{
    resetProgramState();
    dir = new ScratchDir;
    dialogs = new RecordingDialogs;
    setScreenSizeOverride(QSize(1920, 1080));
    startProgram(*dir, 3, "Ger");
}

void TestEqslAccount::cleanup()
{
    destroyAllForms();
    setScreenSizeOverride(QSize());
    delete dialogs;
    delete dir;
}

TForm4* TestEqslAccount::show()
{
    TForm4* f = Forms().Form4;
    f->show();
    QApplication::setActiveWindow(f);
    if (!QTest::qWaitForWindowActive(f))
        return nullptr;
    return f;
}

void TestEqslAccount::createdWithEnglishTexts()
{
    TForm4* f = Forms().Form4;
    QVERIFY(!f->isVisible());
    QCOMPARE(f->windowTitle(), QStringLiteral("eQSL Config"));
    QCOMPARE(f->size(), QSize(800, 415));
    QCOMPARE(f->pos(), QPoint(480, 270)); // a quarter of the screen
    // English whatever the language setting ("Ger" here).
    QCOMPARE(f->Label9->text(), QStringLiteral("your Account-Data for eQSL"));
    QCOMPARE(f->Label4->text(), QStringLiteral("please sign in"));
    QCOMPARE(f->Label1->text(), QStringLiteral("eQSL Call:"));
    QCOMPARE(f->Label2->text(), QStringLiteral("eQSL Password:"));
    QCOMPARE(f->Label5->text(), QStringLiteral("press Enter"));
    QCOMPARE(f->Label6->text(), QStringLiteral("press Enter"));
    QCOMPARE(f->Label3->text(), QStringLiteral("Account String for eQSL"));
    QCOMPARE(f->Label10->text(), QStringLiteral("Vosmira"));
    QCOMPARE(f->Label11->text(), QStringLiteral("by Dranek"));
    QCOMPARE(f->Button1->text(), QStringLiteral("Save the Account String to 'eqsl.bat' and EXIT"));
    QCOMPARE(f->Button2->text(), QStringLiteral("EXIT"));
    QCOMPARE(f->Edit1->text(), QString());
    QCOMPARE(f->Edit2->text(), QString());
    QCOMPARE(f->Panel2->caption(), QString());
}

void TestEqslAccount::enterComposesTheAccountString()
{
    TForm4* f = show();
    QVERIFY(f);
    ProgramState& s = G();
    QFile::remove(dir->file("config.dat"));
    Forms().Form1->Edit3->setText("search");

    type(f->Edit1, "dl1abcdefgh"); // 11 letters, shown upper case
    QCOMPARE(f->Edit1->text(), QStringLiteral("DL1ABCDEFGH"));
    QCOMPARE(f->Panel2->caption(), QString()); // typing alone composes nothing
    QTest::keyClick(f->Edit1, Qt::Key_Return);
    QCOMPARE(s.EqslCall, QByteArray("DL1ABCDEFG")); // cut to 10
    QVERIFY(f->Edit2->hasFocus());
    QCOMPARE(f->Panel2->caption(),
             QStringLiteral("curl -u  DL1ABCDEFG: -F Filename=@eqsl.adi -F EQSL_USER=DL1ABCDEFG"));
    QCOMPARE(f->Panel3->caption(), " -F EQSL_PSWD= " + kUrl + " > back.txt");
    QVERIFY(QFile::exists(dir->file("config.dat")));   // saved and read back
    QCOMPARE(Forms().Form1->Edit3->text(), QString()); // the main window's Init ran

    type(f->Edit2, QString(25, 'p'));
    QCOMPARE(f->Panel3->caption(), " -F EQSL_PSWD= " + kUrl + " > back.txt");
    QTest::keyClick(f->Edit2, Qt::Key_Return);
    QCOMPARE(s.EqslPassword, QByteArray(20, 'p'));
    QVERIFY(f->Button1->hasFocus());
    QCOMPARE(f->Panel3->caption(),
             " -F EQSL_PSWD=" + QString(20, 'p') + " " + kUrl + " > back.txt");
    QCOMPARE(Cp1252::fromUnicode(f->Panel2->caption() + f->Panel3->caption()), s.EqslCommandLine);
}

void TestEqslAccount::saveWritesTheScript()
{
    TForm4* f = show();
    QVERIFY(f);
    type(f->Edit1, "dl1abc");
    QTest::keyClick(f->Edit1, Qt::Key_Return);
    type(f->Edit2, "geheim42");
    QTest::keyClick(f->Edit2, Qt::Key_Return);
    // Enter on the focused save button presses it.
    QTest::keyClick(f->Button1, Qt::Key_Return);
    QVERIFY(!f->isVisible());

    const QByteArray line = "curl -u  DL1ABC:geheim42 -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC -F "
                            "EQSL_PSWD=geheim42 " +
                            QByteArray(eqsl::kImportEndpoint) + " > back.txt";
    QCOMPARE(dir->read("eqsl.bat"), "@echo off\r\n" + line + "\r\nrem pause\r\n@echo on\r\n");
    QCOMPARE(Cp1252::fromUnicode(f->Panel2->caption() + f->Panel3->caption()), line);
    const QFileDevice::Permissions p = QFile::permissions(dir->file("eqsl.bat"));
    QVERIFY(!(p & (QFileDevice::ReadGroup | QFileDevice::ReadOther)));
    QVERIFY(dialogs->messages.isEmpty());
    // Closing only hides: the fields keep what was typed.
    QCOMPARE(f->Edit1->text(), QStringLiteral("DL1ABC"));
}

void TestEqslAccount::unsafeValuesAreQuoted()
{
    TForm4* f = show();
    QVERIFY(f);
    type(f->Edit1, "dl1abc");
    QTest::keyClick(f->Edit1, Qt::Key_Return);
    type(f->Edit2, "a b'$&");
    QTest::keyClick(f->Edit2, Qt::Key_Return);
    QCOMPARE(
        f->Panel2->caption(),
        QStringLiteral("curl -u  'DL1ABC:a b'\\''$&' -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC"));
    QCOMPARE(f->Panel3->caption(), " --form-string 'EQSL_PSWD=a b'\\''$&' " + kUrl + " > back.txt");
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    QCOMPARE(fileLines(dir->read("eqsl.bat")).value(1), G().EqslCommandLine);
}

void TestEqslAccount::exitLeavesTheScriptAlone()
{
    dir->write("eqsl.bat", "old script\r\n");
    TForm4* f = show();
    QVERIFY(f);
    type(f->Edit1, "dl1abc");
    QTest::keyClick(f->Edit1, Qt::Key_Return);
    QTest::mouseClick(f->Button2, Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QCOMPARE(dir->read("eqsl.bat"), QByteArray("old script\r\n"));
}

void TestEqslAccount::saveWithoutAccountKeepsTheScript()
{
    dir->write("eqsl.bat", "old script\r\n");
    TForm4* f = show();
    QVERIFY(f);
    // Nothing typed: the script keeps its account.
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QCOMPARE(dir->read("eqsl.bat"), QByteArray("old script\r\n"));
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(dialogs->messages[0].startsWith("message:"));
    QVERIFY(dialogs->messages[0].contains("unchanged"));

    // Typed without Enter: what the fields show is what is saved, whole.
    f = show();
    type(f->Edit1, "dl1abc");
    type(f->Edit2, "secret7");
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    const QByteArray script = dir->read("eqsl.bat");
    QVERIFY(script.contains("EQSL_USER=DL1ABC "));
    QVERIFY(script.contains("EQSL_PSWD=secret7 "));
}

QTEST_MAIN(TestEqslAccount)
#include "tst_eqslaccount.moc"

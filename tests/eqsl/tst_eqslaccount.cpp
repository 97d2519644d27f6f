// The eQSL account form: call and password confirmed with Enter, the account
// string composed and shown in two halves, saved into eqsl.bat.
#include "app/WindowFactory.h"
#include "eqsl/AccountScript.h"
#include "eqsl/eQSL.h"
#include "logdata/Cp1252.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "support/EqslTestSupport.h"
#include "support/RecordingDialogs.h"
#include "support/TestSupport.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"
#include "widgets/Widgets.h"

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
    void createdInTheWindowsLanguage();
    void enterComposesTheAccountString();
    void saveWritesTheScript();
    void unsafeValuesAreQuoted();
    void exitLeavesTheScriptAlone();
    void saveWithoutAccountKeepsTheScript();
    void incompleteAccountIsRefused_data();
    void incompleteAccountIsRefused();

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
    TForm4* f = windows().Form4;
    f->show();
    QApplication::setActiveWindow(f);
    if (!QTest::qWaitForWindowActive(f))
        return nullptr;
    return f;
}

void TestEqslAccount::createdInTheWindowsLanguage()
{
    TForm4* f = windows().Form4;
    QVERIFY(!f->isVisible());
    QCOMPARE(f->windowTitle(), QStringLiteral("eQSL-Zugang"));
    QCOMPARE(f->size(), QSize(800, 415));
    QCOMPARE(f->pos(), QPoint(480, 270)); // a quarter of the screen
    // German, as the language setting is (it was English only).
    QCOMPARE(f->Label9->text(), QStringLiteral("Ihr eQSL-Zugang"));
    QCOMPARE(f->Label4->text(), QStringLiteral("Bitte anmelden"));
    QCOMPARE(f->Label1->text(), QStringLiteral("eQSL-Call:"));
    QCOMPARE(f->Label2->text(), QStringLiteral("eQSL-Passwort:"));
    QCOMPARE(f->Label5->text(), QStringLiteral("Enter drücken"));
    QCOMPARE(f->Label6->text(), QStringLiteral("Enter drücken"));
    QCOMPARE(f->Label3->text(), QStringLiteral("Zugangszeile für eQSL"));
    QCOMPARE(f->Label10->text(), QStringLiteral("Vosmira"));
    QCOMPARE(f->Label11->text(), QStringLiteral("von Dranek"));
    QCOMPARE(f->Button1->text(), QStringLiteral("Zugang in 'eqsl.bat' speichern und beenden"));
    QCOMPARE(f->Button2->text(), QStringLiteral("Beenden"));
    // The password field shows dots.
    QCOMPARE(f->Edit2->echoMode(), QLineEdit::Password);
    QCOMPARE(f->Edit1->text(), QString());
    QCOMPARE(f->Edit2->text(), QString());
    QCOMPARE(f->Panel2->caption(), QString());
}

void TestEqslAccount::enterComposesTheAccountString()
{
    TForm4* f = show();
    QVERIFY(f);
    QFile::remove(dir->file("config.dat"));
    windows().Form1->Edit3->setText("search");

    type(f->Edit1, "dl1abcdefgh"); // 11 letters, shown upper case
    QCOMPARE(f->Edit1->text(), QStringLiteral("DL1ABCDEFGH"));
    QCOMPARE(f->Panel2->caption(), QString()); // typing alone composes nothing
    QTest::keyClick(f->Edit1, Qt::Key_Return);
    QCOMPARE(f->EqslCall, QByteArray("DL1ABCDEFG")); // cut to 10
    QVERIFY(f->Edit2->hasFocus());
    QCOMPARE(f->Panel2->caption(),
             QStringLiteral("curl -u  DL1ABCDEFG: -F Filename=@eqsl.adi -F EQSL_USER=DL1ABCDEFG"));
    QCOMPARE(f->Panel3->caption(), " -F EQSL_PSWD= " + kUrl + " > back.txt");
    QVERIFY(QFile::exists(dir->file("config.dat")));     // saved and read back
    QCOMPARE(windows().Form1->Edit3->text(), QString()); // the main window's Init ran

    type(f->Edit2, QString(25, 'p'));
    QCOMPARE(f->Panel3->caption(), " -F EQSL_PSWD= " + kUrl + " > back.txt");
    QTest::keyClick(f->Edit2, Qt::Key_Return);
    QCOMPARE(f->EqslPassword, QByteArray(20, 'p'));
    QVERIFY(f->Button1->hasFocus());
    // The lines show the password as dots, never in clear.
    const QString dots = QStringLiteral("••••");
    QCOMPARE(f->Panel2->caption(),
             "curl -u  DL1ABCDEFG:" + dots + " -F Filename=@eqsl.adi -F EQSL_USER=DL1ABCDEFG");
    QCOMPARE(f->Panel3->caption(), " -F EQSL_PSWD=" + dots + " " + kUrl + " > back.txt");
    QVERIFY(f->EqslCommandLine.contains(":" + QByteArray(20, 'p') + " "));
    QVERIFY(!(f->Panel2->caption() + f->Panel3->caption()).contains(QStringLiteral("ppp")));
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
    QCOMPARE(Cp1252::fromUnicode(f->Panel2->caption() + f->Panel3->caption()),
             QByteArray(line).replace("geheim42", "\x95\x95\x95\x95"));
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
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    QCOMPARE(fileLines(dir->read("eqsl.bat")).value(1), f->EqslCommandLine);
    QVERIFY(f->EqslCommandLine.contains(
        "curl -u  'DL1ABC:a b'\\''$&' -F Filename=@eqsl.adi -F EQSL_USER=DL1ABC"));
    QVERIFY(f->EqslCommandLine.contains(" --form-string 'EQSL_PSWD=a b'\\''$&' "));
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
    // Nothing typed: the script keeps its account, the form stays open.
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    QVERIFY(f->isVisible());
    QCOMPARE(dir->read("eqsl.bat"), QByteArray("old script\r\n"));
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(dialogs->messages[0].startsWith("error:"));
    QVERIFY(dialogs->messages[0].contains("unverändert"));

    // Typed without Enter: what the fields show is what is saved, whole.
    f = show();
    type(f->Edit1, "dl1abc");
    type(f->Edit2, "secret7");
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    const QByteArray script = dir->read("eqsl.bat");
    QVERIFY(script.contains("EQSL_USER=DL1ABC "));
    QVERIFY(script.contains("EQSL_PSWD=secret7 "));
}

void TestEqslAccount::incompleteAccountIsRefused_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("password");
    QTest::newRow("call, no password") << "dl1abc" << QString();
    QTest::newRow("password, no call") << QString() << "secret7";
    QTest::newRow("line break in the password") << "dl1abc"
                                                << "sec\nret7";
}

void TestEqslAccount::incompleteAccountIsRefused()
{
    QFETCH(QString, call);
    QFETCH(QString, password);
    dir->write("eqsl.bat", "@echo off\r\ncurl working account\r\n");
    TForm4* f = show();
    QVERIFY(f);
    type(f->Edit1, call);
    f->Edit2->setText(password); // as pasted
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    // Refused with a message; the working script stays as it is.
    QCOMPARE(dir->read("eqsl.bat"), QByteArray("@echo off\r\ncurl working account\r\n"));
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(dialogs->messages[0].startsWith("error:"));
    QVERIFY(f->isVisible());
}

QTEST_MAIN(TestEqslAccount)
#include "tst_eqslaccount.moc"

// The configuration dialog as the operator uses it: opened from the main
// window, fields confirmed with Enter along the dialog's own chain, the flags
// switching the language, the log path and the exit button returning to the
// reloaded log, the gear picture opening the eQSL account form.
#include "app/Language.h"
#include "app/WindowFactory.h"
#include "eqsl/eQSL.h"
#include "logdata/Settings.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "settings/config.h"
#include "support/EqslTestSupport.h"
#include "support/RecordingDialogs.h"
#include "support/TestSupport.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"
#include "widgets/Widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

using namespace eqsltest;

namespace
{
// Types `text` key by key; letters beyond ASCII arrive as the keyboard sends
// them (a key event with the letter as its text).
void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(w, QString(c));
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &release);
        }
    }
}
} // namespace

class TestConfigDialog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void createdAndOpened();
    void enterChainStoresEachField();
    void keyBeforeRuleAndExitButton();
    void languageFlags_data();
    void languageFlags();
    void newLogPathReloads();
    void gearOpensAccountForm();
    void failedSaveIsReportedOnceAndKeepsTheValue();
    void firstStartLeadsToTheLogFile();
    void languageOfAFirstStart();
    void languageListFromTheTranslations();

private:
    TConfiguration* open();
    QList<QByteArray> config() const { return fileLines(dir->read("config.dat")); }
    ScratchDir* dir = nullptr;
    RecordingDialogs* dialogs = nullptr;
};

void TestConfigDialog::init()
{
    resetProgramState();
    dir = new ScratchDir;
    dialogs = new RecordingDialogs;
    setScreenSizeOverride(QSize(1920, 1080));
}

void TestConfigDialog::cleanup()
{
    destroyAllForms();
    setScreenSizeOverride(QSize());
    delete dialogs;
    delete dir;
}

TConfiguration* TestConfigDialog::open()
{
    QTest::mouseClick(windows().Form1->BitBtn1, Qt::LeftButton);
    TConfiguration* c = windows().Configuration;
    QApplication::setActiveWindow(c);
    return c;
}

void TestConfigDialog::createdAndOpened()
{
    startProgram(*dir, 5, "Eng");
    TConfiguration* c = windows().Configuration;
    QVERIFY(!c->isVisible());
    QCOMPARE(c->size(), QSize(800, 398));
    QCOMPARE(c->windowTitle(), QStringLiteral("Configuration"));
    QCOMPARE(c->Button1->text(), QStringLiteral("Exit"));
    QString cwd = QDir::currentPath();
    QCOMPARE(c->Label2->text(), QDir::toNativeSeparators(cwd) + QDir::separator());

    G().DisplayFormat = 1;
    c->Edit3->setText("left over");
    open();
    QVERIFY(c->isVisible());
    QCOMPARE(c->size(), QSize(800, 418));
    // A quarter of the grid's size from the corner: grid 1895 x 924.
    QCOMPARE(c->pos(), QPoint(473, 231));
    QCOMPARE(c->Edit9->text(), QStringLiteral("DL1VOS"));
    QCOMPARE(c->Edit3->text(), QStringLiteral("Mustermann"));
    QCOMPARE(c->Edit4->text(), QStringLiteral("Max"));
    QCOMPARE(c->Edit5->text(), QStringLiteral("Hauptstr. 1"));
    QCOMPARE(c->Edit6->text(), QStringLiteral("12345 Berlin"));
    QCOMPARE(c->Edit7->text(), QStringLiteral("JO62QM"));
    QCOMPARE(c->Edit11->text(), QStringLiteral("Germany"));
    QCOMPARE(c->Edit8->text(), QStringLiteral("D01"));
    QCOMPARE(c->Edit10->text(), QStringLiteral("tnx"));
    QCOMPARE(c->Edit1->text(), dir->file("log.adi"));
    QVERIFY(c->Edit2->isHidden());
    QCOMPARE(c->Edit2->text(), QString());
    QCOMPARE(G().DisplayFormat, quint8(0));
}

void TestConfigDialog::enterChainStoresEachField()
{
    startProgram(*dir, 5, "Ger");
    TConfiguration* c = open();
    QVERIFY(QTest::qWaitForWindowActive(c));
    TForm1* main = windows().Form1;

    // Each field: the text typed, the one stored, the config.dat line, the
    // field Enter moves to.
    struct Step {
        KeyEdit* edit;
        QString typed;
        QByteArray stored;
        int line;
        KeyEdit* next;
    };
    const QList<Step> steps{
        {c->Edit9, "dl1abcdefghijklmnopqrstu", "DL1ABCDEFGHIJKLMNOPQ", 5, c->Edit3},
        {c->Edit3, "Schmidt", "Schmidt", 6, c->Edit4},
        {c->Edit4, "Erika", "Erika", 7, c->Edit5},
        {c->Edit5, QString(55, 'S'), QByteArray(50, 'S'), 8, c->Edit6},
        {c->Edit6, "80331 München", "80331 M\xfcnchen", 9, c->Edit7},
        {c->Edit7, "jo62qm12345678901234567", "jo62qm12345678901234", 10, c->Edit11},
        {c->Edit11, "Deutschland", "Deutschland", 4, c->Edit8},
        {c->Edit8, "B36", "B36", 11, c->Edit10},
        {c->Edit10, QString(65, 'c'), QByteArray(60, 'c'), 13, c->Edit1},
    };
    for (const Step& s : steps) {
        s.edit->setFocus();
        s.edit->clear();
        main->Edit3->setText("search"); // Init empties the call search
        typeText(s.edit, s.typed);
        QTest::keyClick(s.edit, Qt::Key_Return);
        QCOMPARE(config().value(s.line - 1), s.stored);
        QVERIFY2(s.next->hasFocus(), qPrintable(s.typed));
        QCOMPARE(main->Edit3->text(), QString());
        QVERIFY(c->isVisible());
    }
    QCOMPARE(c->Edit9->text(), QStringLiteral("DL1ABCDEFGHIJKLMNOPQRSTU")); // typed upper case
    QCOMPARE(config().size(), 14);
    QCOMPARE(config().value(13), QByteArray("Ger"));

    // Tab follows the order of the field numbers, not the Enter chain.
    c->Edit7->setFocus();
    QTest::keyClick(c->Edit7, Qt::Key_Tab);
    QVERIFY(c->Edit8->hasFocus());

    // The hidden field stores nothing; its Enter saves and moves to the path.
    c->Edit2->setText("ignored");
    QTest::keyClick(c->Edit2, Qt::Key_Return);
    QVERIFY(c->Edit1->hasFocus());
    QVERIFY(!config().contains("ignored"));
}

void TestConfigDialog::keyBeforeRuleAndExitButton()
{
    startProgram(*dir, 5, "Eng");
    TConfiguration* c = open();
    QVERIFY(QTest::qWaitForWindowActive(c));
    c->Edit6->setFocus();
    c->Edit6->clear();
    QTest::keyClicks(c->Edit6, "Berlin");
    // Without Enter: the value is the whole text the field shows.
    QCOMPARE(G().ProgramSettings.OwnTown, QByteArray("Berlin"));
    QCOMPARE(config().value(8), QByteArray("12345 Berlin"));

    QTest::mouseClick(c->Button1, Qt::LeftButton);
    QVERIFY(!c->isVisible());
    QVERIFY(windows().Form1->isVisible());
    QCOMPARE(backgroundValue(windows().Form1), 12696492);
    // The reload wrote it, whole.
    QCOMPARE(config().value(8), QByteArray("Berlin"));
    QCOMPARE(G().QsoCount, 5);
}

void TestConfigDialog::languageFlags_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("british");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("caption");
    QTest::newRow("to English") << QByteArray("Ger") << true << QByteArray("Eng") << "Exit";
    QTest::newRow("to German") << QByteArray("Eng") << false << QByteArray("Ger") << "Beenden";
    QTest::newRow("from other") << QByteArray("fr") << true << QByteArray("Eng") << "Exit";
}

void TestConfigDialog::languageFlags()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, british);
    QFETCH(QByteArray, after);
    QFETCH(QString, caption);
    startProgram(*dir, 5, before);
    TConfiguration* c = open();
    // A setting without a translation ("fr") shows the texts as written.
    QCOMPARE(c->Button1->text(),
             before == "Ger" ? QStringLiteral("Beenden") : QStringLiteral("Exit"));
    QTest::mouseClick(british ? c->Image2 : c->Image1, Qt::LeftButton);
    QCOMPARE(c->Button1->text(), caption);
    QCOMPARE(config().value(13), after);
    QCOMPARE(config().size(), 14);
    QCOMPARE(G().ProgramSettings.Language, after);
    QVERIFY(c->isVisible());
    // Every window takes the language at once, the main window too.
    QCOMPARE(windows().Form1->Button2->text(), caption);
    QCOMPARE(c->Language->currentData().toString(), QString::fromLatin1(after));
}

void TestConfigDialog::newLogPathReloads()
{
    startProgram(*dir, 5, "Eng");
    QList<QByteArray> other{"header<eoh>"};
    for (int i = 20; i < 23; ++i)
        other << record(i);
    // A folder name beyond Windows-1252 (the home folder of an operator
    // named Łukasz), kept in the file system's encoding.
    QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("other dir/Łukasz")));
    dir->write(QStringLiteral("other dir/Łukasz/log2.adi"), crlfLines(other));

    TConfiguration* c = open();
    QVERIFY(QTest::qWaitForWindowActive(c));
    c->Edit1->setFocus();
    c->Edit1->clear();
    const QString path = dir->file(QStringLiteral("other dir/Łukasz/log2.adi"));
    for (const QChar ch : path) {
        if (ch.unicode() < 128)
            QTest::keyClick(c->Edit1, char(ch.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, c->Edit1, Qt::Key(ch.toUpper().unicode()),
                                QString(ch), Qt::NoModifier);
    }
    QTest::keyClick(c->Edit1, Qt::Key_Return);

    QVERIFY(!c->isVisible());
    QCOMPARE(G().LogFilePath, QFile::encodeName(path));
    QCOMPARE(config().value(0), path.toUtf8());
    QCOMPARE(G().QsoCount, 3);
    QCOMPARE(config().value(11), QByteArray("3"));
    QVERIFY(windows().Form1->isVisible());
}

void TestConfigDialog::failedSaveIsReportedOnceAndKeepsTheValue()
{
    startProgram(*dir, 5, "Eng");
    // A folder where config.dat belongs: it cannot be written.
    QFile::remove(dir->file("config.dat"));
    QVERIFY(QDir(dir->path()).mkdir("config.dat"));
    TConfiguration* c = open();
    QVERIFY(QTest::qWaitForWindowActive(c));
    c->Edit9->setFocus();
    c->Edit9->selectAll();
    QTest::keyClicks(c->Edit9, "dl9new");
    QTest::keyClick(c->Edit9, Qt::Key_Return);
    QCOMPARE(dialogs->messages.size(), 1);
    QVERIFY(dialogs->messages[0].startsWith("error:The settings could not be saved"));
    // The value typed stays, in memory and in the field, also through the
    // next entries and the reload on leaving, with no second message.
    QCOMPARE(G().ProgramSettings.OwnCall, QByteArray("DL9NEW"));
    QTest::keyClick(c->Edit3, Qt::Key_Return);
    QTest::mouseClick(c->Button1, Qt::LeftButton);
    open();
    QCOMPARE(c->Edit9->text(), QStringLiteral("DL9NEW"));
    QCOMPARE(dialogs->messages.size(), 1);
}

void TestConfigDialog::firstStartLeadsToTheLogFile()
{
    // No config.dat, no WSJT-X log yet (its folder is there): one sentence
    // says what to do, and the file chooser beside the log path starts in
    // WSJT-X's folder; choosing a file is typing its path and Enter.
    EnvGuard home("HOME");
    qputenv("HOME", QFile::encodeName(dir->path()));
    const QString wsjtx = dir->path() + "/.local/share/WSJT-X";
    QVERIFY(QDir().mkpath(wsjtx));
    createAllForms();
    TForm1* main = windows().Form1;
    // The system's locale (C here) chose English.
    QVERIFY(main->statusText().startsWith(QStringLiteral("No logbook chosen yet")));
    QCOMPARE(G().ProgramSettings.Language, QByteArray("Eng"));
    QVERIFY(dialogs->messages.isEmpty());

    dir->write("mylog.adi", crlfLines({"header<eoh>", record(1), record(2)}));
    dialogs->fileToChoose = dir->file("mylog.adi");
    TConfiguration* c = open();
    QTest::mouseClick(c->ChooseLog, Qt::LeftButton);
    QCOMPARE(dialogs->chooserFolder, wsjtx);
    QVERIFY(dialogs->chooserFilter.contains(QStringLiteral("*.adi")));
    QVERIFY(!c->isVisible());
    QCOMPARE(G().QsoCount, 2);
    QCOMPARE(config().value(0), dir->file("mylog.adi").toUtf8());
    QVERIFY(main->statusText().isEmpty());
}

void TestConfigDialog::languageOfAFirstStart()
{
    // Without config.dat the system's locale chooses; a config.dat without
    // a language line stays German, as the windows always were then.
    QCOMPARE(languageForLocale(QStringLiteral("de_DE")), QByteArray("Ger"));
    QCOMPARE(languageForLocale(QStringLiteral("de_AT.UTF-8")), QByteArray("Ger"));
    QCOMPARE(languageForLocale(QStringLiteral("en_GB")), QByteArray("Eng"));
    QCOMPARE(languageForLocale(QStringLiteral("C")), QByteArray("Eng"));
    QList<QByteArray> lines = fileLines(configFile(dir->file("log.adi").toUtf8(), 0, "x"));
    lines.removeLast();
    dir->write("log.adi", "WSJT-X ADIF Export<eoh>\r\n");
    dir->write("config.dat", crlfLines(lines));
    createAllForms();
    QCOMPARE(windows().Form1->Button2->text(), QStringLiteral("Beenden"));
    QCOMPARE(G().ProgramSettings.Language, QByteArray());
}

void TestConfigDialog::languageListFromTheTranslations()
{
    // The list holds a language for every compiled translation.
    const QStringList languages = availableLanguages();
    QCOMPARE(languages, (QStringList{"Eng", "Ger"}));
    startProgram(*dir, 5, "Eng");
    TConfiguration* c = open();
    QCOMPARE(c->Language->count(), 2);
    QCOMPARE(c->Language->itemText(c->Language->findData(QStringLiteral("Ger"))),
             QStringLiteral("Deutsch"));
    QCOMPARE(c->Language->currentData().toString(), QStringLiteral("Eng"));
    // Choosing from the list is choosing by the flag.
    c->Language->activated(c->Language->findData(QStringLiteral("Ger")));
    QCOMPARE(G().ProgramSettings.Language, QByteArray("Ger"));
    QCOMPARE(config().value(13), QByteArray("Ger"));
    QCOMPARE(c->Button1->text(), QStringLiteral("Beenden"));
    QCOMPARE(c->windowTitle(), QStringLiteral("Konfiguration"));
}

void TestConfigDialog::gearOpensAccountForm()
{
    startProgram(*dir, 5, "Eng");
    TConfiguration* c = open();
    QVERIFY(!windows().Form4->isVisible());
    QTest::mouseClick(c->Image3, Qt::LeftButton);
    QVERIFY(!c->isVisible());
    QVERIFY(windows().Form4->isVisible());
    QCOMPARE(screenSize().width(), 1920);
}

QTEST_MAIN(TestConfigDialog)
#include "tst_configdialog.moc"

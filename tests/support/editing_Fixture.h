#pragma once
// The whole program started on a scratch logbook, for the tests of the
// change, new-QSO and deletion forms: config.dat and the logbook are written
// into a fresh working directory, all forms are created, message boxes are
// recorded.
#include "app/WindowFactory.h"
#include "logdata/Logbook.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "support/RecordingDialogs.h"
#include "support/TestSupport.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"

#include <QFile>
#include <QTest>

#include <memory>

class EditingProgram
{
public:
    // Starts the program on a logbook of a header line and `records`.
    EditingProgram(const QList<QByteArray>& records, const QByteArray& language = "Eng")
    {
        resetProgramState();
        setScreenSizeOverride(QSize(1600, 900));
        dir = std::make_unique<ScratchDir>();
        dialogs = std::make_unique<RecordingDialogs>();
        lines = QList<QByteArray>{"WSJT-X ADIF Export<eoh>"} + records;
        logPath = dir->file("log.adi");
        dir->write("log.adi", crlfLines(lines));
        writeConfig(int(records.size()), language);
        createAllForms();
    }
    ~EditingProgram()
    {
        destroyAllForms();
        setScreenSizeOverride(QSize());
    }

    void writeConfig(int count, const QByteArray& language) const
    {
        dir->write("config.dat", logPath.toUtf8() +
                                     "\r\nfalse\r\n\r\nGermany\r\nDL1VOS\r\n\r\n"
                                     "\r\n\r\n\r\nJO62QM\r\n\r\n" +
                                     QByteArray::number(count) + "\r\ntnx\r\n" + language + "\r\n");
    }

    QByteArray logFile() const { return dir->read("log.adi"); }
    // The logbook's lines (without their CR LF).
    QList<QByteArray> logLines() const { return splitCrlf(logFile()); }
    static QList<QByteArray> splitCrlf(const QByteArray& bytes) { return fileLines(bytes); }
    void appendToLog(const QByteArray& line) const
    {
        QFile f(logPath);
        QVERIFY(f.open(QIODevice::Append));
        f.write(line + "\r\n");
    }

    // Double-clicks grid row `row` (counted from 0), as the operator opens a QSO.
    static void openRow(int row)
    {
        StringGrid* g = windows().Form1->StringGrid1;
        g->setCurrentIndex(g->model()->index(row, 2));
        const QRect r = g->visualRect(g->model()->index(row, 2));
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }

    std::unique_ptr<ScratchDir> dir;
    std::unique_ptr<RecordingDialogs> dialogs;
    QList<QByteArray> lines; // as written at the start, header first
    QString logPath;
};

// The logbook as the main window's Logbook holds it.
inline const LogbookState& logbookData()
{
    return windows().Form1->logbook()->data();
}

// Types `text` key by key into the widget; letters beyond ASCII (umlauts)
// arrive as key presses carrying that character, as from a German keyboard.
inline void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
}

// Types `text` into the edit and confirms it with Enter.
inline void typeAndEnter(KeyEdit* edit, const QString& text)
{
    edit->setFocus();
    typeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Replaces the edit's text by typing over it, then confirms with Enter.
inline void replaceAndEnter(KeyEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    typeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

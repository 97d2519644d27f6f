// Deleting a QSO as the operator does it: opened from the grid, "delete QSO"
// in the view, "Löschen!", then "LÖSCHEN" or "BEENDEN" in the confirmation.
#include "editing/auswahl_select.h"
#include "editing/del_qso.h"
#include "editing/message_del.h"
#include "editing/new_call.h"
#include "logdata/Columns.h"
#include "support/editing_Fixture.h"

#include <QLabel>
#include <QTest>

namespace
{
QList<QByteArray> someLog()
{
    QList<QByteArray> out;
    for (int i = 0; i < 25; ++i)
        out << "<call:5>K" + QByteArray::number(10 + i) + "XY<qso_date:8>202403" +
                   QByteArray::number(10 + i % 20) +
                   "<time_on:6>123456<band:3>20m<mode:3>FT8<rst_sent:3>-05<rst_rcvd:3>-1" +
                   QByteArray::number(i % 10) + "<freq:9>14.074000 <eor>";
    return out;
}

TForm8* delForm()
{
    return windows().Form8;
}
TForm9* confirmForm()
{
    return windows().Form9;
}

// Opens grid row `row` and goes to the confirmation.
void askToDelete(int row)
{
    EditingProgram::openRow(row);
    QTest::mouseClick(windows().Form2->BitBtn5, Qt::LeftButton);
    QVERIFY(delForm()->isVisible());
    QVERIFY(!windows().Form2->isVisible());
    QTest::mouseClick(delForm()->Button1, Qt::LeftButton);
    QVERIFY(confirmForm()->isVisible());
}

QStringList labelTexts(const QWidget* w)
{
    QStringList out;
    for (const QLabel* l : w->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<const Panel*>(l))
            out << l->text();
    return out;
}
} // namespace

class TestDeleteQso : public QObject
{
    Q_OBJECT
private slots:
    void formsTextsAndPlaces();
    void deleteOverwritesTheLine();
    void deletingTwiceWritesTheSame();
    void beendenChangesNothing();
    void cancelInTheDeleteWindow();
    void selectionMovedDeletesTheOpenedQso();
    void lineBeyondTheTable();
    void linesAppendedMeanwhileAreKept();
    void fileChangedOtherwiseIsNotWritten();
    void failedWriteKeepsTheOldFile();
};

void TestDeleteQso::formsTextsAndPlaces()
{
    EditingProgram p(someLog(), "Eng");
    QCOMPARE(kDeletedRecord.size(), 221);
    QCOMPARE(kDeletedRecord,
             QByteArrayView("<call:0><qso_date:0><time_on:0><time_off:0><freq:0><band:0><mode:0>"
                            "<rst_rcvd:0><rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:0>"
                            "<eqsl_qsl_rcvd:0><eqsl_qsl_sent:0><comment:17>Reserve by delete"
                            "<qsl_sent:0><qsl_rcvd:0><eor>"));

    TForm8* d = delForm();
    QCOMPARE(d->windowTitle(), QStringLiteral("Delete QSO"));
    QCOMPARE(d->size(), QSize(576, 389));
    QCOMPARE(d->pos(), QPoint(1600 / 2 - 288, 900 / 2 - 231));
    // In the language of the windows (they were German only).
    QCOMPARE(labelTexts(d), (QStringList{"Selected row", "Call", "Date", "Time", "Band", "RST sent",
                                         "RST rcvd", "Mode"}));
    QCOMPARE(d->Button1->text(), QStringLiteral("Delete!"));
    QCOMPARE(d->Button2->text(), QStringLiteral("Cancel"));

    TForm9* c = confirmForm();
    QCOMPARE(c->windowTitle(), QStringLiteral("Delete QSO?"));
    QCOMPARE(c->size(), QSize(570, 380));
    QCOMPARE(c->pos(), QPoint(1600 / 2 - 284, 900 / 2 - 227));
    QCOMPARE(c->Label1->text(), QStringLiteral("Attention! To delete this QSO, press:"));
    QCOMPARE(c->Label2->text(), QStringLiteral("These data will be deleted permanently!"));
    QCOMPARE(c->Label3->text(), QStringLiteral("To delete nothing, press:"));
    QCOMPARE(c->SpeedButton1->text(), QStringLiteral("DELETE"));
    QCOMPARE(c->SpeedButton2->text(), QStringLiteral("CANCEL"));

    // The double click fills the deletion form's panels.
    EditingProgram::openRow(4);
    QCOMPARE(d->Panel3->text(), QStringLiteral("5"));
    QCOMPARE(d->Panel1->text(), QStringLiteral("K14XY"));
    QCOMPARE(d->Panel2->text(), QStringLiteral("14.03.2024"));
    QCOMPARE(d->Panel4->text(), QStringLiteral("12:34"));
    QCOMPARE(d->Panel5->text(), QStringLiteral("20m"));
    QCOMPARE(d->Panel6->text(), QStringLiteral("-05"));
    QCOMPARE(d->Panel7->text(), QStringLiteral("-14"));
    QCOMPARE(d->Panel8->text(), QStringLiteral("FT8"));
}

void TestDeleteQso::deleteOverwritesTheLine()
{
    EditingProgram p(someLog());
    windows().Form7->show();
    askToDelete(2);
    QTest::mouseClick(confirmForm()->SpeedButton1, Qt::LeftButton);
    QList<QByteArray> expected = p.lines;
    expected[3] = kDeletedRecord.toByteArray();
    QCOMPARE(p.logLines(), expected);
    QVERIFY(!delForm()->isVisible());
    QVERIFY(!confirmForm()->isVisible());
    QVERIFY(!windows().Form7->isVisible());
    // Reloaded: the grid shows the placeholder's comment at the QSO's place.
    QCOMPARE(windows().Form1->StringGrid1->Cells(2, 2), QByteArray("  "));
    QCOMPARE(windows().Form1->StringGrid1->Cells(gridcol::Comment, 2),
             QByteArray(" Reserve by delete"));
    QCOMPARE(logbookData().LogLines.at(4), kDeletedRecord.toByteArray());
    QVERIFY(p.dialogs->messages.isEmpty());
}

void TestDeleteQso::deletingTwiceWritesTheSame()
{
    EditingProgram p(someLog());
    askToDelete(7);
    QTest::mouseClick(confirmForm()->SpeedButton1, Qt::LeftButton);
    const QByteArray once = p.logFile();
    askToDelete(7);
    QTest::mouseClick(confirmForm()->SpeedButton1, Qt::LeftButton);
    QCOMPARE(p.logFile(), once);
    QCOMPARE(p.logLines()[8], kDeletedRecord.toByteArray());
    QVERIFY(p.dialogs->messages.isEmpty());
}

void TestDeleteQso::beendenChangesNothing()
{
    EditingProgram p(someLog());
    askToDelete(2);
    const QByteArray element = logbookData().LogLines.at(4);
    QTest::mouseClick(confirmForm()->SpeedButton2, Qt::LeftButton);
    QVERIFY(!delForm()->isVisible());
    QVERIFY(!confirmForm()->isVisible());
    QCOMPARE(p.logFile(), crlfLines(p.lines));
    QCOMPARE(logbookData().LogLines.at(4), element);
}

void TestDeleteQso::cancelInTheDeleteWindow()
{
    // The delete window has a cancel button of its own: it closes the window
    // and deletes nothing; "Delete!" afterwards still asks first.
    EditingProgram p(someLog(), "Ger");
    EditingProgram::openRow(2);
    QTest::mouseClick(windows().Form2->BitBtn5, Qt::LeftButton);
    QVERIFY(delForm()->isVisible());
    QCOMPARE(delForm()->Button2->text(), QStringLiteral("Abbrechen"));
    QVERIFY(delForm()->Button2->isVisible());
    // The confirmation in plain German.
    QCOMPARE(confirmForm()->Label2->text(),
             QStringLiteral("Diese Daten werden dauerhaft gelöscht!"));
    QTest::mouseClick(delForm()->Button2, Qt::LeftButton);
    QVERIFY(!delForm()->isVisible());
    QVERIFY(!confirmForm()->isVisible());
    QCOMPARE(p.logFile(), crlfLines(p.lines));
}

void TestDeleteQso::selectionMovedDeletesTheOpenedQso()
{
    // Another cell selected in the grid while the deletion form shows a QSO:
    // the QSO shown and confirmed is deleted, never the one selected since.
    EditingProgram p(someLog());
    askToDelete(2);
    StringGrid* g = windows().Form1->StringGrid1;
    g->setCurrentIndex(g->model()->index(9, 2));
    QCOMPARE(G().SelectedLine, 10);
    QTest::mouseClick(confirmForm()->SpeedButton1, Qt::LeftButton);
    QList<QByteArray> expected = p.lines;
    expected[3] = kDeletedRecord.toByteArray();
    QCOMPARE(p.logLines(), expected);
    QVERIFY(p.dialogs->messages.isEmpty());
    QVERIFY(!delForm()->isVisible());
}

void TestDeleteQso::lineBeyondTheTable()
{
    EditingProgram p(someLog());
    const LogbookState& s = logbookData();
    delForm()->setOpenedLine(s.LogLines.size() + 3, "<call:4>G4XX <eor>");
    const int size = s.LogLines.size();
    delForm()->Del_Speichern();
    QCOMPARE(p.logFile(), crlfLines(p.lines));
    QVERIFY(s.LogLines.size() >= size);
    for (int k = 1; k < s.LogLines.size(); ++k)
        QVERIFY(s.LogLines.view(k) != kDeletedRecord);

    // The header line (line 0) is never overwritten.
    delForm()->setOpenedLine(0, p.lines[0]);
    delForm()->Del_Speichern();
    QCOMPARE(p.logFile(), crlfLines(p.lines));
    QCOMPARE(s.LogLines.at(1), p.lines[0]);
}

void TestDeleteQso::linesAppendedMeanwhileAreKept()
{
    EditingProgram p(someLog());
    askToDelete(5);
    const QByteArray wsjtx = "<call:5>JA1XX <gridsquare:4>PM95 <mode:3>FT8 <qso_date:8>20240401 "
                             "<time_on:6>010203 <band:3>20m <freq:9>14.074000 <eor>";
    p.appendToLog(wsjtx);
    QTest::mouseClick(confirmForm()->SpeedButton1, Qt::LeftButton);
    QList<QByteArray> expected = p.lines;
    expected[6] = kDeletedRecord.toByteArray();
    expected << wsjtx;
    QCOMPARE(p.logLines(), expected);
    QVERIFY(p.dialogs->messages.isEmpty());
    QCOMPARE(G().LineCount, int(expected.size()));
}

void TestDeleteQso::fileChangedOtherwiseIsNotWritten()
{
    // Another QSO changed on disk: the deletion goes onto what is there.
    EditingProgram p(someLog());
    askToDelete(5);
    QList<QByteArray> changed = p.lines;
    changed[10].replace("K19XY", "K19XZ");
    p.dir->write("log.adi", crlfLines(changed));
    QTest::mouseClick(confirmForm()->SpeedButton1, Qt::LeftButton);
    QList<QByteArray> expected = changed;
    expected[6] = kDeletedRecord.toByteArray();
    QCOMPARE(p.logFile(), crlfLines(expected));
    QVERIFY(p.dialogs->messages.isEmpty());
    QCOMPARE(logbookData().LogLines.at(6), changed[5]);
    QCOMPARE(logbookData().LogLines.at(11), changed[10]);

    // The QSO itself changed on disk: nothing is written, the message names it.
    EditingProgram q(someLog());
    askToDelete(5);
    changed = q.lines;
    changed[6].replace("XY<", "XZ<");
    QVERIFY(changed[6] != q.lines[6]);
    q.dir->write("log.adi", crlfLines(changed));
    QTest::mouseClick(confirmForm()->SpeedButton1, Qt::LeftButton);
    QCOMPARE(q.logFile(), crlfLines(changed));
    QCOMPARE(q.dialogs->messages.size(), 1);
    QVERIFY(q.dialogs->messages[0].startsWith("error:"));
    // named as the operator knew it
    QVERIFY2(q.dialogs->messages[0].contains("K15XY"), qPrintable(q.dialogs->messages[0]));
    QCOMPARE(logbookData().LogLines.at(7), changed[6]);
}

void TestDeleteQso::failedWriteKeepsTheOldFile()
{
    EditingProgram p(someLog());
    const QByteArray before = p.logFile();
    QVERIFY(before.size() > 2000);
    askToDelete(5);
    {
        FileSizeLimit limit(1000);
        QTest::mouseClick(confirmForm()->SpeedButton1, Qt::LeftButton);
    }
    QCOMPARE(p.logFile(), before);
    QVERIFY(!p.dialogs->messages.isEmpty());
    QVERIFY(p.dialogs->messages[0].startsWith("error:"));
    // The table and the grid show what is on disk, the QSO still there.
    QCOMPARE(logbookData().LogLines.at(6), p.lines[5]);
    QCOMPARE(windows().Form1->StringGrid1->Cells(2, 5), QByteArray("  K15XY"));
}

QTEST_MAIN(TestDeleteQso)
#include "tst_deleteqso.moc"

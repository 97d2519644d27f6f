// The main window as the operator uses it: start-up, the grid, the call
// search, the double click that opens a QSO, the selected-QSO view.
#include "app/WindowFactory.h"
#include "editing/auswahl_select.h"
#include "editing/del_qso.h"
#include "editing/eingabe.h"
#include "editing/message_del.h"
#include "editing/new_call.h"
#include "eqsl/eQSL.h"
#include "logdata/Columns.h"
#include "logdata/Logbook.h"
#include "logdata/State.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "printing/Drucken.h"
#include "settings/config.h"
#include "support/RecordingDialogs.h"
#include "support/TestSupport.h"
#include "widgets/Delay.h"
#include "widgets/KeyEdit.h"
#include "widgets/Screen.h"
#include "widgets/Widgets.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUp();
    void captionsByLanguage_data();
    void captionsByLanguage();
    void callSearchByKeys();
    void backAndSelection();
    void doubleClickAfterReloadOpensTheShownRow();
    void viewLampsButtonsAndSave();
    void missingLogbookIsReported();
    void overflowingGridIsReported();
    void exitDeletesSideFiles();
    void reloadInSearchViewSearchesAgain();
    void delayProcessesEventsAndStopsWhenTerminating();
    void liveLogShowsAppendedQsos();
    void recordsStoredElsewhereShowInTheGrid();
    void hugeStoredCountIsHarmless();
    void desktopLookAndKeyboard();
    void countryNamesInTheWindowsLanguage_data();
    void countryNamesInTheWindowsLanguage();
    void secondaryWindowsAreDialogsWithTitles();
    void layoutFitsTheScreen_data();
    void layoutFitsTheScreen();

private:
    void start(const QByteArray& language = "Eng", int records = 30);
    QByteArray logBytes;
    ScratchDir* dir = nullptr;
    RecordingDialogs* dialogs = nullptr;
};

namespace
{
QByteArray record(int i)
{
    const QByteArray call =
        i % 3 == 0 ? "DL" + QByteArray::number(i) + "AB" : "K" + QByteArray::number(i) + "XY";
    QByteArray r = "<call:" + QByteArray::number(call.size()) + ">" + call +
                   " <gridsquare:4>JO62 <mode:3>FT8 <rst_sent:3>-05 <rst_rcvd:3>-10 "
                   "<qso_date:8>202403" +
                   QByteArray::number(10 + i % 20) + " <time_on:6>1234" +
                   QByteArray::number(10 + i % 50) + " <band:3>20m <freq:9>14.074000";
    if (i % 4 == 0)
        r += " <eqsl_qsl_sent:1>Y <eqsl_qsl_rcvd:1>Y";
    return r + " <eor>";
}

QByteArray config(const QByteArray& logPath, int count, const QByteArray& language)
{
    return logPath + "\r\nfalse\r\n\r\nGermany\r\nDL1VOS\r\n\r\n\r\n\r\n\r\nJO62QM\r\n\r\n" +
           QByteArray::number(count) + "\r\ntnx\r\n" + language + "\r\n";
}

StringGrid* grid()
{
    return windows().Form1->StringGrid1;
}

void typeInto(QWidget* w, const QString& text)
{
    w->setFocus();
    QTest::keyClicks(w, text);
}

void doubleClickRow(int row)
{
    StringGrid* g = grid();
    g->setCurrentIndex(g->model()->index(row, 2));
    const QRect r = g->visualRect(g->model()->index(row, 2));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
}
} // namespace

void TestMainWindow::init()
{
    resetProgramState();
    resetApplicationTerminating(); // an earlier case may have closed the main window
    dir = new ScratchDir;
    dialogs = new RecordingDialogs;
    setScreenSizeOverride(QSize(1920, 1080));
}

void TestMainWindow::cleanup()
{
    destroyAllForms();
    setScreenSizeOverride(QSize());
    delete dialogs;
    delete dir;
}

void TestMainWindow::start(const QByteArray& language, int records)
{
    QList<QByteArray> lines{"WSJT-X ADIF Export<eoh>"};
    for (int i = 0; i < records; ++i)
        lines << record(i);
    logBytes = crlfLines(lines);
    dir->write("log.adi", logBytes);
    dir->write("config.dat", config(dir->file("log.adi").toUtf8(), records, language));
    createAllForms();
}

void TestMainWindow::startUp()
{
    start();
    ProgramState& s = G();
    TForm1* f = windows().Form1;
    QCOMPARE(screenSize().width(), 1920);
    QCOMPARE(f->gridSize().height(), 924);
    QCOMPARE(f->gridSize().width(), 1895);
    QCOMPARE(f->StringGrid1->size(), QSize(1895, 924));
    QCOMPARE(f->windowTitle(), QStringLiteral("Vosmira V4.2"));
    QCOMPARE(QApplication::applicationDisplayName().isEmpty(), false);
    QVERIFY(f->isVisible());
    QVERIFY(f->Button3->isHidden());
    QVERIFY(f->Edit3->isHidden());
    QVERIFY(f->Image2->isHidden());
    QCOMPARE(s.QsoCount, 30);
    QCOMPARE(f->StringGrid1->RowCount(), 31); // one empty row after the last QSO
    QCOMPARE(f->Edit1->text(), QStringLiteral(" 30"));
    QCOMPARE(f->Panel17->text(), QStringLiteral("8"));
    QCOMPARE(f->StringGrid1->Cells(2, 0), QByteArray("  DL0AB"));
    QCOMPARE(f->StringGrid1->Cells(4, 0), QByteArray("   14.0740"));
    QCOMPARE(f->StringGrid1->Cells(2, 30), QByteArray());
    // The spare elements after the loaded lines are there.
    QVERIFY(f->logbook()->data().LogLines.size() >= s.LineCount + 2);
    QCOMPARE(s.StartQsoCount, 30);
    QCOMPARE(s.DisplayFormat, quint8(0));
    // Scrolled to the bottom.
    QCoreApplication::processEvents();
    QScrollBar* bar = f->StringGrid1->verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());
}

void TestMainWindow::captionsByLanguage_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("button1");
    QTest::addColumn<QString>("button2");
    QTest::newRow("Eng") << QByteArray("Eng") << "call search"
                         << "Exit";
    QTest::newRow("Ger") << QByteArray("Ger") << "Call Suchen"
                         << "Beenden";
    // A setting without a translation: the texts as written, in English.
    QTest::newRow("other") << QByteArray("eng") << "call search"
                           << "Exit";
}

void TestMainWindow::captionsByLanguage()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, button1);
    QFETCH(QString, button2);
    start(language);
    TForm1* f = windows().Form1;
    QCOMPARE(f->Button1->text(), button1);
    QCOMPARE(f->Button2->text(), button2);
    QCOMPARE(f->Label2->text(), QStringLiteral("QSOs:"));
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    // The search keeps the captions.
    QCOMPARE(f->Label2->text(), QStringLiteral("QSOs:"));
    QCOMPARE(f->Button3->text(),
             language == "Ger" ? QStringLiteral("Zurück") : QStringLiteral("back"));
}

void TestMainWindow::callSearchByKeys()
{
    start();
    TForm1* f = windows().Form1;
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    ProgramState& s = G();
    QCOMPARE(s.SearchView, quint8(1));
    QVERIFY(f->Button1->isHidden());
    QVERIFY(f->Button3->isVisible());
    QCOMPARE(f->Button3->x(), 702);
    QCOMPARE(f->focusWidget(), static_cast<QWidget*>(f->Edit3));
    // The first press searched an empty text: nothing listed.
    QCOMPARE(s.QsoCount, 0);
    QCOMPARE(f->StringGrid1->RowCount(), 1);
    // Letters typed become capitals; Enter searches with the text typed.
    typeInto(f->Edit3, QStringLiteral("dl"));
    QCOMPARE(f->Edit3->text(), QStringLiteral("DL"));
    QTest::keyClick(f->Edit3, Qt::Key_Return);
    QCOMPARE(s.SearchCall, QByteArray("DL"));
    QCOMPARE(s.QsoCount, 10);
    QCOMPARE(f->StringGrid1->RowCount(), 10);
    QCOMPARE(f->Edit1->text(), QStringLiteral("10"));
    QCOMPARE(f->Edit3->text(), QString()); // Init emptied it
    QCOMPARE(f->StringGrid1->Cells(2, 1), QByteArray("  DL3AB"));
    QCOMPARE(f->StringGrid1->Cells(4, 1), QByteArray("   14.0740"));
    QVERIFY(!QApplication::overrideCursor()); // the hourglass is gone again
    // "*" lists every QSO.
    typeInto(f->Edit3, QStringLiteral("*"));
    QTest::keyClick(f->Edit3, Qt::Key_Return);
    QCOMPARE(s.QsoCount, 30);
    // No match: one empty row, the count field keeps its text.
    typeInto(f->Edit3, QStringLiteral("ZZ"));
    QTest::keyClick(f->Edit3, Qt::Key_Return);
    QCOMPARE(s.QsoCount, 0);
    QCOMPARE(f->StringGrid1->RowCount(), 1);
    QCOMPARE(f->StringGrid1->Cells(2, 0), QByteArray());
    QCOMPARE(f->Edit1->text(), QStringLiteral("30"));
    // A double click in the search view does nothing.
    typeInto(f->Edit3, QStringLiteral("K"));
    QTest::keyClick(f->Edit3, Qt::Key_Return);
    doubleClickRow(0);
    QVERIFY(!windows().Form2->isVisible());
}

void TestMainWindow::backAndSelection()
{
    start();
    TForm1* f = windows().Form1;
    ProgramState& s = G();
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    typeInto(f->Edit3, QStringLiteral("K"));
    QTest::keyClick(f->Edit3, Qt::Key_Return);
    // Selection in the search view does not move SelectedLine.
    const int selected = s.SelectedLine;
    grid()->setCurrentIndex(grid()->model()->index(2, 1));
    QCOMPARE(s.SelectedLine, selected);
    QTest::mouseClick(f->Button3, Qt::LeftButton);
    QCOMPARE(s.SearchView, quint8(0));
    QVERIFY(f->Button1->isVisible());
    QCOMPARE(f->Button1->x(), 648);
    QVERIFY(f->Button3->isHidden());
    QVERIFY(f->Edit3->isHidden());
    QCOMPARE(s.QsoCount, 30);
    QCOMPARE(f->StringGrid1->RowCount(), 31);
    // Row 4 selected and double-clicked: the view opens QSO 5, line 5.
    doubleClickRow(4);
    TForm2* v = windows().Form2;
    QVERIFY(v->isVisible());
    QCOMPARE(v->Edit1->text(), QStringLiteral("5"));
    QCOMPARE(s.SelectedLine, 5);
    QCOMPARE(windows().Form2->SelectedRecord, record(4));
    QCOMPARE(v->Panel3->text(), QStringLiteral("K4XY"));
    QCOMPARE(v->Panel10->text(), QStringLiteral(" 14.0740")); // one blank stays
    QCOMPARE(windows().Form2->shownQso().eqslSent, QByteArray(" Y"));
    QCOMPARE(windows().Form8->Panel3->text(), QStringLiteral("5"));
    QCOMPARE(windows().Form8->Panel1->text(), QStringLiteral("K4XY"));
    QCOMPARE(v->size(), QSize(600, 389));
    QVERIFY(v->Edit3->isHidden());
    // The country and its flag.
    QCOMPARE(v->Panel6->text(), QStringLiteral("USA"));
    QVERIFY(v->Panel6->isVisible());
    QVERIFY(v->Images[62]->isVisible());
}

void TestMainWindow::doubleClickAfterReloadOpensTheShownRow()
{
    start();
    ProgramState& s = G();
    doubleClickRow(7);
    QCOMPARE(windows().Form2->SelectedRecord, record(7));
    // "exit" reloads: SelectedLine points past the last record, the highlight
    // stays on row 7. A double click there opens the QSO whose cells it shows.
    QTest::mouseClick(windows().Form2->BitBtn1, Qt::LeftButton);
    QCOMPARE(s.SelectedLine, s.LineCount);
    QCOMPARE(grid()->Row(), 7);
    const QRect r = grid()->visualRect(grid()->model()->index(7, 2));
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(s.SelectedLine, 8);
    QCOMPARE(windows().Form2->SelectedRecord, record(7));
    QCOMPARE(windows().Form2->Panel3->text(), QStringLiteral("K7XY"));
    // The empty row after the last QSO holds no record: nothing to change.
    doubleClickRow(30);
    QVERIFY(windows().Form2->SelectedRecord.isEmpty());
    QVERIFY(!windows().Form2->BitBtn4->isEnabled());
    QVERIFY(!windows().Form2->BitBtn2->isEnabled());
}

void TestMainWindow::viewLampsButtonsAndSave()
{
    start("Ger");
    ProgramState& s = G();
    TForm2* v = windows().Form2;
    doubleClickRow(8); // eQSL sent and received "Y"
    QVERIFY(TForm2::lampGreen(v->Panel12));
    QVERIFY(TForm2::lampGreen(v->Panel13));
    QVERIFY(!v->BitBtn3->isEnabled()); // already sent
    QCOMPARE(v->BitBtn2->text(), QStringLiteral("Änderung speichern"));
    QCOMPARE(v->BitBtn5->text(), QStringLiteral("QSO löschen"));
    doubleClickRow(9);
    QVERIFY(!TForm2::lampGreen(v->Panel12));
    QVERIFY(v->BitBtn3->isEnabled());
    // "modification save" writes the record into its line, and exactly
    // LineCount lines.
    windows().Form2->SelectedRecord = "<call:5>N0NEW <eor>";
    // A stray element after the last line is never written.
    const_cast<LogbookState&>(windows().Form1->logbook()->data())
        .LogLines.set(s.LineCount + 1, "<call:3>XXX <eor>");
    QTest::mouseClick(v->BitBtn2, Qt::LeftButton);
    QList<QByteArray> expected = logBytes.split('\n');
    expected.removeLast();
    expected[10] = "<call:5>N0NEW <eor>\r";
    QCOMPARE(dir->read("log.adi"), expected.join('\n') + "\n");
    QVERIFY(!v->BitBtn2->isEnabled());
    QCOMPARE(v->focusWidget(), static_cast<QWidget*>(v->BitBtn1));
    QVERIFY(dialogs->messages.isEmpty());
}

void TestMainWindow::missingLogbookIsReported()
{
    dir->write("config.dat", config(dir->file("gone.adi").toUtf8(), 0, "Eng"));
    createAllForms();
    TForm1* f = windows().Form1;
    QVERIFY(f->statusText().contains(QStringLiteral("gone.adi")));
    QVERIFY(f->StatusLine->isVisible());
    QCOMPARE(G().QsoCount, -1);
    QVERIFY(dialogs->messages.isEmpty()); // no modal dialog
    // Fields whose length cannot be read are counted and reported once.
    dir->write("bad.adi",
               crlfLines({"H", "<call:x>AB1C <band:3>20m <eor>", "<band:y>20m <mode:3>FT8 <eor>"}));
    G().LogFilePath = dir->file("bad.adi").toUtf8();
    f->LoadLogbook();
    QVERIFY(f->statusText().startsWith(QStringLiteral("2 fields")));
    QCOMPARE(G().QsoCount, 2);
}

void TestMainWindow::overflowingGridIsReported()
{
    // Cells that did not fit the grid's text store are shown empty; the
    // operator is told so, in the window's language.
    CellTable rows;
    rows.setCell(0, 2, "  DL1ABC");
    QVERIFY(TForm1::cellsLostText(rows).isEmpty());
    rows.markOverflowed();
    QVERIFY(TForm1::cellsLostText(rows).contains(QStringLiteral("shown empty")));
    start("Ger");
    QVERIFY(TForm1::cellsLostText(rows).contains(QStringLiteral("einige bleiben leer")));
}

void TestMainWindow::exitDeletesSideFiles()
{
    start();
    dir->write("back.txt", "x");
    dir->write("eqsl.adi", "x");
    QTest::mouseClick(windows().Form1->Button2, Qt::LeftButton);
    QVERIFY(!QFile::exists(dir->file("back.txt")));
    QVERIFY(!QFile::exists(dir->file("eqsl.adi")));
    QVERIFY(!windows().Form1->isVisible());
}

void TestMainWindow::reloadInSearchViewSearchesAgain()
{
    start();
    TForm1* f = windows().Form1;
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    typeInto(f->Edit3, QStringLiteral("DL"));
    QTest::keyClick(f->Edit3, Qt::Key_Return);
    QCOMPARE(G().QsoCount, 10);
    // An edit reloads the log while the search result is shown: the grid
    // shows the search result again, matching the controls.
    f->LoadLogbook();
    QCOMPARE(G().SearchView, quint8(1));
    QCOMPARE(G().QsoCount, 10);
    QCOMPARE(f->StringGrid1->RowCount(), 10);
    QCOMPARE(f->StringGrid1->Cells(2, 0), QByteArray("  DL0AB"));
    QVERIFY(f->Button3->isVisible());
}

void TestMainWindow::delayProcessesEventsAndStopsWhenTerminating()
{
    bool fired = false;
    QTimer::singleShot(20, [&] { fired = true; });
    Delay(300);
    QVERIFY(fired); // window messages were processed during the wait
    fired = false;
    QObject pending; // the timer goes with it, before `fired` does
    QTimer::singleShot(50, &pending, [&] { fired = true; });
    markApplicationTerminating();
    Delay(60000); // returns at once: the timer has not had its turn
    resetApplicationTerminating();
    QVERIFY(!fired);
}

void TestMainWindow::liveLogShowsAppendedQsos()
{
    start("Eng", 30);
    TForm1* f = windows().Form1;
    ProgramState& s = G();
    auto append = [this](const QByteArray& bytes) {
        QFile log(dir->file("log.adi"));
        QVERIFY(log.open(QIODevice::Append));
        log.write(bytes);
    };
    // Appended as WSJT-X does: the grid grows by itself, stays at the bottom,
    // and the counts follow.
    append(record(40) + "\n");
    QTRY_COMPARE_WITH_TIMEOUT(s.QsoCount, 31, 1000);
    QCOMPARE(f->Edit1->text(), QStringLiteral(" 31"));
    QCOMPARE(f->Panel17->text(), QStringLiteral("9"));
    QCOMPARE(grid()->Cells(2, 30), QByteArray("  K40XY"));
    QCOMPARE(grid()->RowCount(), 32);
    QCoreApplication::processEvents();
    QScrollBar* bar = grid()->verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());

    // A search result and an open QSO stay; a new QSO that matches is added.
    doubleClickRow(3);
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    typeInto(f->Edit3, QStringLiteral("DL"));
    QTest::keyClick(f->Edit3, Qt::Key_Return);
    QCOMPARE(s.QsoCount, 10);
    typeInto(f->Edit3, QStringLiteral("K"));
    append(record(42) + "\r\n" + record(43) + "\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(s.QsoCount, 11, 1000);
    QCOMPARE(grid()->Cells(2, 10), QByteArray("  DL42AB"));
    QCOMPARE(f->Edit3->text(), QStringLiteral("K"));
    QCOMPARE(windows().Form2->Panel3->text(), QStringLiteral("DL3AB"));
    QVERIFY(windows().Form2->isVisible());
    QTest::mouseClick(f->Button3, Qt::LeftButton);
    QCOMPARE(s.QsoCount, 33);
    QCOMPARE(grid()->Cells(2, 32), QByteArray("  K43XY"));

    // Another file in its place: loaded again whole, and the operator is told.
    const QByteArray other = crlfLines({"other<eoh>", record(7), record(8)});
    dir->write("other.adi", other);
    QVERIFY(QFile::remove(dir->file("log.adi")));
    QVERIFY(QFile::rename(dir->file("other.adi"), dir->file("log.adi")));
    QTRY_COMPARE_WITH_TIMEOUT(s.QsoCount, 2, 1000);
    QVERIFY(f->statusText().contains(QStringLiteral("loaded again")));
    QCOMPARE(grid()->Cells(2, 0), QByteArray("  K7XY"));
}

void TestMainWindow::recordsStoredElsewhereShowInTheGrid()
{
    start("Eng", 30);
    TForm1* f = windows().Form1;
    Logbook* book = f->logbook();
    // Another window marks two QSOs confirmed: the grid and the count follow.
    QByteArray one = record(1), two = record(2);
    const QByteArray mark = " <eqsl_qsl_rcvd:1>Y <lotw_qsl_rcvd:1>Y <eor>";
    const LinesWritten w = book->writeLines(
        {{2, record(1), one.replace(" <eor>", mark)}, {3, record(2), two.replace(" <eor>", mark)}});
    QVERIFY(w.written());
    QCOMPARE(grid()->Cells(10, 1).trimmed(), QByteArray("Y"));
    QCOMPARE(grid()->Cells(10, 2).trimmed(), QByteArray("Y"));
    // LoTW's confirmation has a column of its own beside eQSL's.
    QCOMPARE(grid()->Cells(gridcol::LotwRcvd, 2), QByteArray("   Y"));
    QCOMPARE(grid()->Cells(gridcol::LotwRcvd, 3), QByteArray("   "));
    QCOMPARE(grid()->model()->headerData(gridcol::LotwRcvd, Qt::Horizontal).toString(),
             QStringLiteral("LoTW in"));
    QCOMPARE(f->Panel17->text(), QStringLiteral("10"));
}

void TestMainWindow::hugeStoredCountIsHarmless()
{
    // A stored count of two billion in a config.dat that cannot be rewritten:
    // the line table is sized from the file, not from the count.
    dir->write("log.adi", crlfLines({"WSJT-X ADIF Export<eoh>", record(1), record(2)}));
    dir->write("config.dat", config(dir->file("log.adi").toUtf8(), 2000000000, "Eng"));
    {
        FileSizeLimit full(10); // config.dat cannot be rewritten: the count stays
        createAllForms();
    }
    QCOMPARE(G().StartQsoCount, 2000000000);
    QCOMPARE(G().QsoCount, 2);
    QVERIFY(windows().Form1->logbook()->data().LogLines.size() < 100);
    QCOMPARE(dialogs->messages.size(), 1); // the failed save, once
}

void TestMainWindow::desktopLookAndKeyboard()
{
    start("Eng", 30);
    TForm1* f = windows().Form1;
    ProgramState& s = G();
    // Proportional faces for the design's Windows fonts, and texts that fit.
    QVERIFY(!QFontInfo(f->Panel18->font()).fixedPitch());
    QVERIFY(f->Panel18->fontMetrics().horizontalAdvance(f->Panel18->text()) <=
            f->Panel18->contentsRect().width());
    QVERIFY(f->Label1->fontMetrics().horizontalAdvance(f->Label1->text()) <= f->Label1->width());
    // The column captions lie exactly over their columns, and resize them.
    StringGrid* g = grid();
    QHeaderView* header = f->ColumnHeader;
    for (int c = 0; c < GridModel::Columns; ++c) {
        QCOMPARE(header->mapTo(f, QPoint(header->sectionViewportPosition(c), 0)).x(),
                 g->viewport()->mapTo(f, QPoint(g->columnViewportPosition(c), 0)).x());
        QCOMPARE(header->sectionSize(c), g->columnWidth(c));
    }
    header->resizeSection(2, 150);
    QCOMPARE(g->columnWidth(2), 150);
    // Columns widened past the window's edge: the grid scrolls to a cell
    // there, and the captions go along.
    header->resizeSection(5, 900);
    QCoreApplication::processEvents();
    QTest::keyClick(g, Qt::Key_End);
    QCOMPARE(g->currentIndex().column(), GridModel::Columns - 1);
    QVERIFY(g->horizontalScrollBar()->value() > 0);
    QCOMPARE(
        header->mapTo(f, QPoint(header->sectionViewportPosition(GridModel::Columns - 1), 0)).x(),
        g->viewport()->mapTo(f, QPoint(g->columnViewportPosition(GridModel::Columns - 1), 0)).x());
    g->setCurrentIndex(g->model()->index(29, 0));
    header->resizeSection(5, 55);
    // A ten-character frequency fits its column.
    QVERIFY(g->fontMetrics().horizontalAdvance(QStringLiteral("   144.174000")) <
            g->columnWidth(4));

    // The keyboard starts in the grid on the newest QSO; Enter opens it.
    QCOMPARE(f->focusWidget(), static_cast<QWidget*>(g));
    QCOMPARE(g->Row(), 29);
    QTest::keyClick(g, Qt::Key_Up);
    QTest::keyClick(g, Qt::Key_Return);
    TForm2* v = windows().Form2;
    QVERIFY(v->isVisible());
    QCOMPARE(v->Panel3->text(), QStringLiteral("K28XY"));
    // The view belongs to the main window; moved away it stays where it was
    // put, and Escape leaves it as its exit button does.
    QCOMPARE(v->parentWidget(), static_cast<QWidget*>(f));
    QVERIFY(v->isWindow());
    v->move(40, 50);
    f->activateWindow();
    v->activateWindow();
    QCoreApplication::processEvents();
    QCOMPARE(v->pos(), QPoint(40, 50));
    QTest::keyClick(v, Qt::Key_Escape);
    QVERIFY(!v->isVisible());
    // After "back" the keyboard is in the grid again.
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    QTest::mouseClick(f->Button3, Qt::LeftButton);
    QCOMPARE(f->focusWidget(), static_cast<QWidget*>(g));
    QCOMPARE(s.SearchView, quint8(0));
}

void TestMainWindow::countryNamesInTheWindowsLanguage_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("country");
    QTest::newRow("Eng") << QByteArray("Eng") << "Ireland";
    QTest::newRow("Ger") << QByteArray("Ger") << "Irland";
    QTest::newRow("design") << QByteArray("eng") << "Irland";
}

void TestMainWindow::countryNamesInTheWindowsLanguage()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, country);
    // And a long call is shown whole.
    dir->write("log.adi",
               crlfLines({"WSJT-X ADIF Export<eoh>", "<call:10>EI/DL1ABCD <band:3>20m <eor>"}));
    dir->write("config.dat", config(dir->file("log.adi").toUtf8(), 1, language));
    createAllForms();
    doubleClickRow(0);
    TForm2* v = windows().Form2;
    QCOMPARE(v->Panel6->text(), country);
    QCOMPARE(v->Panel3->text(), QStringLiteral("EI/DL1ABCD"));
    QVERIFY(v->Panel3->fontMetrics().horizontalAdvance(v->Panel3->text()) <=
            v->Panel3->contentsRect().width());
}

void TestMainWindow::secondaryWindowsAreDialogsWithTitles()
{
    // Dialogs of the main window (transient for it on X11, so a window
    // manager keeps them above it), each with a title of its own.
    start("Ger");
    TForm1* f = windows().Form1;
    const WindowFactory& r = windows();
    const QList<QWidget*> secondary{r.Form2, r.Configuration, r.Form3, r.Form4,
                                    r.Form5, r.Form7,         r.Form8, r.Form9};
    for (QWidget* w : secondary) {
        QCOMPARE(w->windowType(), Qt::Dialog);
        QCOMPARE(w->parentWidget(), static_cast<QWidget*>(f));
    }
    doubleClickRow(4);
    QCOMPARE(r.Form2->windowTitle(), QStringLiteral("QSO 5 – K4XY"));
    QStringList titles{f->windowTitle()};
    for (QWidget* w : secondary)
        titles << w->windowTitle();
    QCOMPARE(titles,
             (QStringList{"Vosmira V4.2", "QSO 5 – K4XY", "Konfiguration", "QSO ändern",
                          "eQSL-Zugang", "Drucken", "Neues QSO", "QSO löschen", "QSO löschen?"}));
}

void TestMainWindow::layoutFitsTheScreen_data()
{
    QTest::addColumn<QSize>("screen"); // in Qt's pixels (the screen's divided by the scale)
    QTest::addColumn<bool>("scrolls"); // the columns are wider than the grid
    QTest::newRow("1024x768 at 125 %") << QSize(819, 614) << true;
    QTest::newRow("1366x768 at 125 %") << QSize(1093, 614) << true;
    QTest::newRow("1024x768") << QSize(1024, 768) << true;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << false;
}

void TestMainWindow::layoutFitsTheScreen()
{
    QFETCH(QSize, screen);
    QFETCH(bool, scrolls);
    setScreenSizeOverride(screen);
    start();
    TForm1* f = windows().Form1;
    f->showNormal();
    f->resize(screen.width() - 10, screen.height() - 40);
    const QRect window(0, 0, f->width(), f->height());
    auto checkInside = [&window](const QList<QWidget*>& controls) {
        for (QWidget* w : controls) {
            if (!w->isVisible())
                continue;
            QVERIFY2(window.contains(w->geometry()),
                     qPrintable(w->metaObject()->className() + QStringLiteral(" at ") +
                                QString::number(w->x()) + "," + QString::number(w->y())));
            for (QWidget* other : controls)
                if (other != w && other->isVisible() && !qobject_cast<QLabel*>(w) &&
                    !qobject_cast<QLabel*>(other))
                    QVERIFY(!w->geometry().intersects(other->geometry()));
        }
    };
    const bool design = screen.width() >= 1240;
    QList<QWidget*> whole{f->BitBtn1, f->Image1, f->Image3, f->Panel18, f->Panel17,
                          f->Button1, f->Label2, f->Edit1,  f->Button2};
    // On a large screen the grid keeps the design's size, which reaches 3
    // pixels past the window's edge.
    if (!design)
        whole << f->StringGrid1 << f->ColumnHeader;
    checkInside(whole);
    QVERIFY(f->StringGrid1->y() + f->StringGrid1->height() + 22 <= f->height());
    // The search view's controls too.
    QTest::mouseClick(f->Button1, Qt::LeftButton);
    checkInside({f->Button3, f->Label4, f->Edit3, f->Label2, f->Edit1, f->Button2});
    QTest::mouseClick(f->Button3, Qt::LeftButton);
    checkInside(whole);
    // Columns wider than the grid are reached with a horizontal scroll bar.
    QCoreApplication::processEvents();
    QCOMPARE(f->StringGrid1->horizontalScrollBar()->maximum() > 0, scrolls);
    if (design) {
        // The design's places on a large screen.
        QCOMPARE(f->Button2->pos(), QPoint(1094, 20));
        QCOMPARE(f->StringGrid1->pos(), QPoint(18, 88));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

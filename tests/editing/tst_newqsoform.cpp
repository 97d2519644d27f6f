// The new-QSO form as the operator uses it: opened with the main window's
// picture button, every entry typed and confirmed with Enter, the save button
// appending the record to QSO_new.adi and as the logbook's new last line.
#include "editing/auswahl_select.h"
#include "editing/eingabe.h"
#include "editing/new_call.h"
#include "logdata/Cp1252.h"
#include "logdata/Loader.h"
#include "support/editing_Fixture.h"

#include <QFile>
#include <QTest>

namespace
{
const QByteArray kTyped = "<call:6>N0CALL<qso_date:8>20230115<time_on:6>123400<freq:6>14.074"
                          "<band:3>20m<mode:3>FT8<rst_rcvd:3>-10<rst_sent:3>-05<gridsquare:4>JO62"
                          "<qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0><eqsl_qsl_sent:0><comment:0> "
                          "<eor>";

QList<QByteArray> someLog()
{
    QList<QByteArray> out;
    for (int i = 0; i < 30; ++i)
        out << "<call:5>K" + QByteArray::number(10 + i) +
                   "XY <gridsquare:4>FN42 <mode:3>FT8 "
                   "<rst_sent:3>-05 <rst_rcvd:3>-10 <qso_date:8>202403" +
                   QByteArray::number(10 + i % 20) +
                   " <time_on:6>123456 <band:3>20m <freq:9>14.074000 <eor>";
    out << "<CALL:5>W1XYZ<QSO_DATE:8>20240313<TIME_ON:6>131500<BAND:3>40m<EOR>";
    return out;
}

TForm7* form()
{
    return windows().Form7;
}

void openForm()
{
    QTest::mouseClick(windows().Form1->Image3, Qt::LeftButton);
    QVERIFY(form()->isVisible());
}

QByteArray file(const char* name)
{
    QFile f(QString::fromLatin1(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Types the values into the edits in the order of the Enter chain, each
// confirmed with Enter (an empty value is Enter alone), then presses the
// focused save button with Enter.
void typeQso(const QStringList& values)
{
    TForm7* f = form();
    const QList<KeyEdit*> chain = {f->Edit1, f->Edit2, f->Edit3,  f->Edit5,  f->Edit9,  f->Edit6,
                                   f->Edit7, f->Edit8, f->Edit11, f->Edit15, f->Edit10, f->Edit14};
    QCOMPARE(values.size(), chain.size());
    for (int i = 0; i < chain.size(); ++i) {
        replaceAndEnter(chain[i], values[i]);
        QWidget* next = i + 1 < chain.size() ? static_cast<QWidget*>(chain[i + 1]) : f->BitBtn1;
        QVERIFY2(f->focusWidget() == next, qPrintable(QString::number(i)));
    }
    QTest::keyClick(f->BitBtn1, Qt::Key_Return);
}

QByteArray cellValue(const CellTable& rows, int row, int col)
{
    return rows.cell(row, col).mid(CellTable::LeadingBlanks[col]);
}
} // namespace

class TestNewQsoForm : public QObject
{
    Q_OBJECT
private slots:
    void typedQsoIsAppended();
    void savesWhatItShows();
    void emptyDateAndTime();
    void savingAgainAddsAnIdenticalRecord();
    void captionsByLanguage_data();
    void captionsByLanguage();
    void timeEntry_data();
    void timeEntry();
    void invalidDateRejectedAtSave();
    void linesAppendedMeanwhileAreKept();
    void fileChangedOtherwiseIsNotWritten();
    void failedWriteKeepsTheOldFile();
    void roundTripThroughBothForms();
    void firstQsoOfAnEmptyLogbook();
};

void TestNewQsoForm::typedQsoIsAppended()
{
    EditingProgram p(someLog());
    p.dir->write("QSO_new.adi", "an earlier QSO\r\n");
    p.dir->write("aenderung.adi", "a change\r\n");
    openForm();
    TForm7* f = form();
    QCOMPARE(f->size(), QSize(727, 375));
    QCOMPARE(f->pos(), QPoint((windows().Form1->gridSize().width() / 2) / 2,
                              (windows().Form1->gridSize().height() / 2) / 2));
    const int qsos = G().QsoCount;

    typeQso({"N0CALL", "15.01.2023", "12:34", "14.074", "20m", "ft8", "-05", "-10", "jo62", "", "",
             ""});
    QCOMPARE(file("QSO_new.adi"), "an earlier QSO\r\n" + kTyped + "\r\n");
    QCOMPARE(p.logLines(), p.lines + QList<QByteArray>{kTyped});
    QVERIFY(!QFile::exists(QStringLiteral("aenderung.adi")));
    QVERIFY(!f->isVisible());
    // The log was reloaded: the grid shows the new QSO as its last row.
    QCOMPARE(G().QsoCount, qsos + 1);
    QCOMPARE(windows().Form1->StringGrid1->Cells(2, qsos), QByteArray("  N0CALL"));
    // The entry stays in the edits, mode and locator in capitals.
    QCOMPARE(f->Edit6->text(), QStringLiteral("FT8"));
    QCOMPARE(f->Edit11->text(), QStringLiteral("JO62"));
    QCOMPARE(f->Edit1->text(), QStringLiteral("N0CALL"));
    QVERIFY(p.dialogs->messages.isEmpty());
}

void TestNewQsoForm::savesWhatItShows()
{
    EditingProgram p(someLog());
    openForm();
    TForm7* f = form();
    // A call typed without Enter is taken whole: the value is the text shown.
    f->Edit1->setFocus();
    typeText(f->Edit1, QStringLiteral("DL1ABC"));
    typeAndEnter(f->Edit2, QStringLiteral("15.01.2023"));
    typeAndEnter(f->Edit3, QStringLiteral("12:34"));
    typeAndEnter(f->Edit9, QStringLiteral("20m"));
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QVERIFY(p.logLines().last().startsWith("<call:6>DL1ABC<qso_date:8>20230115<"));

    // After "Beenden" the edits are empty, and so is what a save writes: a
    // QSO saved with only a call carries no invisible date, time or band.
    openForm();
    QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
    openForm();
    QVERIFY(f->Edit2->text().isEmpty() && f->Edit9->text().isEmpty());
    typeAndEnter(f->Edit1, QStringLiteral("DL2XY"));
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QCOMPARE(p.logLines().last(),
             QByteArray("<call:5>DL2XY<qso_date:0><time_on:0><freq:0><band:0><mode:0><rst_rcvd:0>"
                        "<rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0>"
                        "<eqsl_qsl_sent:0><comment:0> <eor>"));
}

void TestNewQsoForm::emptyDateAndTime()
{
    EditingProgram p(someLog());
    openForm();
    QTest::mouseClick(form()->BitBtn1, Qt::LeftButton);
    const QByteArray empty = "<call:0><qso_date:0><time_on:0><freq:0><band:0><mode:0><rst_rcvd:0>"
                             "<rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0>"
                             "<eqsl_qsl_sent:0><comment:0> <eor>";
    QCOMPARE(p.logLines().last(), empty);
    QCOMPARE(file("QSO_new.adi"), empty + "\r\n");
}

void TestNewQsoForm::savingAgainAddsAnIdenticalRecord()
{
    EditingProgram p(someLog());
    openForm();
    typeQso({"N0CALL", "15.01.2023", "12:34", "14.074", "20m", "ft8", "-05", "-10", "jo62", "", "",
             ""});
    openForm();
    QCOMPARE(form()->Edit1->text(), QStringLiteral("N0CALL"));
    QTest::mouseClick(form()->BitBtn1, Qt::LeftButton);
    QCOMPARE(file("QSO_new.adi"), kTyped + "\r\n" + kTyped + "\r\n");
    QCOMPARE(p.logLines(), p.lines + QByteArrayList({kTyped, kTyped}));
}

void TestNewQsoForm::captionsByLanguage_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QStringList>("created"); // save, exit, panel, hint
    QTest::addColumn<QStringList>("reset");
    // One wording per language, the same when the form is created and reset.
    const QStringList english{"Save new QSO", "Exit",
                              "Attention:", "Confirm every entry with Enter!"};
    const QStringList german{"Neues QSO speichern", "Beenden",
                             "Achtung:", "Alle Eingaben mit Enter bestätigen!"};
    QTest::newRow("Eng") << QByteArray("Eng") << english << english;
    QTest::newRow("Ger") << QByteArray("Ger") << german << german;
    // A setting without a translation shows the texts as written (English).
    QTest::newRow("eng") << QByteArray("eng") << english << english;
}

void TestNewQsoForm::captionsByLanguage()
{
    QFETCH(QByteArray, language);
    QFETCH(QStringList, created);
    QFETCH(QStringList, reset);
    EditingProgram p(someLog(), language);
    TForm7* f = form();
    auto captions = [f] {
        return QStringList{f->BitBtn1->text(), f->BitBtn2->text(), f->Panel2->text(),
                           f->Label17->text()};
    };
    QCOMPARE(captions(), created);
    QCOMPARE(f->windowTitle(),
             language == "Ger" ? QStringLiteral("Neues QSO") : QStringLiteral("New QSO"));
    QCOMPARE(f->Label4->text(),
             language == "Ger" ? QStringLiteral("Uhrzeit") : QStringLiteral("Time"));
    QCOMPARE(f->pos(), QPoint(windows().Form1->gridSize().width() / 2,
                              windows().Form1->gridSize().height() / 2));

    // The close button empties the edits (and with them the values) and
    // resets the captions.
    openForm();
    typeAndEnter(f->Edit1, QStringLiteral("DL1ABC"));
    QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QVERIFY(!windows().Form2->isVisible());
    QVERIFY(f->Edit1->text().isEmpty());
    QVERIFY(f->fields().call.isEmpty());
    QCOMPARE(captions(), reset);
    QCOMPARE(p.logFile(), crlfLines(p.lines));
}

void TestNewQsoForm::timeEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // empty: refused with a message
    QTest::newRow("one-digit hour without colon") << "930"
                                                  << "09:30";
    QTest::newRow("one-digit hour with colon") << "9:30"
                                               << "09:30";
    QTest::newRow("dots and one-digit minute") << "9.5"
                                               << "09:05";
    QTest::newRow("four digits") << "1234"
                                 << "12:34";
    QTest::newRow("two-digit hour below 3") << "2:15"
                                            << "02:15";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("leading colon") << ":30"
                                   << "";
    QTest::newRow("hour 25") << "25:00"
                             << "";
    QTest::newRow("letters swallowed") << "1a2b3c4"
                                       << "12:34";
}

void TestNewQsoForm::timeEntry()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    EditingProgram p(someLog());
    openForm();
    TForm7* f = form();
    typeAndEnter(f->Edit3, typed);
    if (shown.isEmpty()) {
        QCOMPARE(p.dialogs->messages.size(), 1);
        QVERIFY(p.dialogs->messages[0].startsWith("error:"));
        QVERIFY(p.dialogs->messages[0].contains("HH:MM"));
        QCOMPARE(f->focusWidget(), f->Edit3);
        return;
    }
    QVERIFY(p.dialogs->messages.isEmpty());
    QCOMPARE(f->Edit3->text(), shown);
    QCOMPARE(f->focusWidget(), f->Edit5);
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QVERIFY(p.logLines().last().contains("<time_on:6>" + shown.toLatin1().replace(":", "") +
                                         "00<freq:"));
}

void TestNewQsoForm::invalidDateRejectedAtSave()
{
    EditingProgram p(someLog());
    openForm();
    TForm7* f = form();
    typeAndEnter(f->Edit2, QStringLiteral("31.4.2024"));
    QCOMPARE(p.dialogs->messages.size(), 1);
    QCOMPARE(f->focusWidget(), f->Edit2);
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QCOMPARE(p.dialogs->messages.size(), 2);
    QCOMPARE(f->focusWidget(), f->Edit2);
    QVERIFY(f->isVisible());
    QCOMPARE(p.logFile(), crlfLines(p.lines));
    QVERIFY(!QFile::exists(QStringLiteral("QSO_new.adi")));

    replaceAndEnter(f->Edit2, QStringLiteral("1.5.2024"));
    QCOMPARE(f->Edit2->text(), QStringLiteral("01.05.2024"));
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QVERIFY(p.logLines().last().startsWith("<call:0><qso_date:8>20240501<time_on:0><freq:0>"));
}

void TestNewQsoForm::linesAppendedMeanwhileAreKept()
{
    EditingProgram p(someLog());
    const QByteArray wsjtx = "<call:5>JA1XX <gridsquare:4>PM95 <mode:3>FT8 <qso_date:8>20240401 "
                             "<time_on:6>010203 <band:3>20m <freq:9>14.074000 <eor>";
    p.appendToLog(wsjtx);
    openForm();
    typeQso({"N0CALL", "15.01.2023", "12:34", "14.074", "20m", "ft8", "-05", "-10", "jo62", "", "",
             ""});
    QCOMPARE(p.logLines(), p.lines + QByteArrayList({wsjtx, kTyped}));
    QVERIFY(p.dialogs->messages.isEmpty());
    QCOMPARE(G().LineCount, int(p.lines.size()) + 2);
    QCOMPARE(logbookData().LogLines.at(G().LineCount), kTyped);
}

void TestNewQsoForm::fileChangedOtherwiseIsNotWritten()
{
    EditingProgram p(someLog());
    QList<QByteArray> changed = p.lines;
    changed[3].replace("K12XY", "K12XZ");
    p.dir->write("log.adi", crlfLines(changed));
    openForm();
    typeQso({"N0CALL", "15.01.2023", "12:34", "14.074", "20m", "ft8", "-05", "-10", "jo62", "", "",
             ""});
    // The new QSO goes after what is on disk; the other program's change stays.
    QCOMPARE(p.logFile(), crlfLines(changed + QByteArrayList({kTyped})));
    QVERIFY(p.dialogs->messages.isEmpty());
    // The table and the grid now show what is on disk.
    QCOMPARE(G().LineCount, int(changed.size()) + 1);
    QCOMPARE(logbookData().LogLines.at(4), changed[3]);
    QCOMPARE(windows().Form1->StringGrid1->Cells(2, 2), QByteArray("  K12XZ"));
}

void TestNewQsoForm::failedWriteKeepsTheOldFile()
{
    EditingProgram p(someLog());
    const QByteArray before = p.logFile();
    QVERIFY(before.size() > 2000);
    openForm();
    {
        FileSizeLimit limit(1000);
        typeQso({"N0CALL", "15.01.2023", "12:34", "14.074", "20m", "ft8", "-05", "-10", "jo62", "",
                 "", ""});
    }
    QCOMPARE(p.logFile(), before);
    QVERIFY(!p.dialogs->messages.isEmpty());
    QVERIFY(p.dialogs->messages[0].startsWith("error:"));
    QCOMPARE(G().LineCount, int(p.lines.size()));
    QCOMPARE(G().QsoCount, int(p.lines.size()) - 1);
    QCOMPARE(logbookData().LogLines.at(G().LineCount), p.lines.last());
}

void TestNewQsoForm::roundTripThroughBothForms()
{
    EditingProgram p(someLog(), "Ger");
    const QString longComment =
        QStringLiteral("Grüße aus München, 73 de Jürgen – ").repeated(5).left(150);
    QCOMPARE(longComment.size(), 150);

    openForm();
    typeQso({"dl2xyz", "3.4.2024", "930", "144,174000", "", "ft8", "-05", "1234567890", "jo62qm",
             "", "", longComment});
    openForm();
    typeQso({"cq", "4.4.2024", "10:15", "7.074", "40m", "ft4", "+03", "-01", "jo62", "y", "y",
             QStringLiteral("Ä")});

    // A change of the first QSO: a comment with umlauts and a longer RST.
    EditingProgram::openRow(0);
    QTest::mouseClick(windows().Form2->BitBtn4, Qt::LeftButton);
    TForm3* change = windows().Form3;
    const QString changedComment =
        QStringLiteral("Änderung: Signal über dem Rauschen ") + QString(90, QLatin1Char('x'));
    replaceAndEnter(change->Edit14, changedComment);
    replaceAndEnter(change->Edit7, QStringLiteral("+123456789"));
    QTest::mouseClick(change->BitBtn1, Qt::LeftButton);
    QTest::mouseClick(windows().Form2->BitBtn2, Qt::LeftButton);
    QVERIFY(p.dialogs->messages.isEmpty());

    // Every line not edited is as it was, byte for byte.
    const QList<QByteArray> now = p.logLines();
    QCOMPARE(now.size(), p.lines.size() + 2);
    for (int i = 0; i < p.lines.size(); ++i)
        if (i != 1)
            QCOMPARE(now[i], p.lines[i]);

    // The loader reads back every value as it was entered.
    G().DisplayFormat = 1;
    LogbookState book;
    const LoadReport report = loadLogbookData(G(), book);
    QVERIFY(report.opened);
    QCOMPARE(report.unreadableFields, 0);
    const CellTable& rows = report.rows;
    auto row = [&rows](int r) {
        QByteArrayList v;
        for (int c = 0; c < CellTable::Columns; ++c)
            v << cellValue(rows, r, c);
        return v;
    };
    const int a = int(p.lines.size()) - 1; // grid row of the first new QSO
    QCOMPARE(row(a),
             (QByteArrayList{"03.04.2024", "09:30", "DL2XYZ", "JO62QM", "144.174000", "", "FT8",
                             "-05", "1234567890", "", "", "", Cp1252::fromUnicode(longComment)}));
    // A "CQ" call: the loader empties the locator and the eQSL values.
    QCOMPARE(row(a + 1), (QByteArrayList{"04.04.2024", "10:15", "CQ", "", "7.074", "40m", "FT4",
                                         "+03", "-01", "", "", "", "\xc4"}));
    QCOMPARE(row(0), (QByteArrayList{"10.03.2024", "12:34", "K10XY", "FN42", "14.0740", "20m",
                                     "FT8", "+123456789", "-10", "", "", "",
                                     Cp1252::fromUnicode(changedComment)}));
    QVERIFY(now[1].contains("<comment:125>"));
    QVERIFY(now.last().startsWith("<call:2>CQ<"));
    QVERIFY(now.last().contains("<gridsquare:4>JO62<"));
    // FT4 typed is written the ADIF way, mode MFSK with the submode FT4.
    QVERIFY(now.last().contains("<mode:4>MFSK<"));
    QVERIFY(now.last().contains(
        "<eqsl_qsl_rcvd:1>Y<eqsl_qsl_sent:1>Y<comment:1>\xc4<submode:3>FT4 <eor>"));
}

void TestNewQsoForm::firstQsoOfAnEmptyLogbook()
{
    // The first line of a logbook is its header: a QSO added to a missing or
    // empty logbook gets a header line before it and stays a QSO.
    for (const bool missing : {true, false}) {
        EditingProgram p({});
        if (missing)
            QVERIFY(QFile::remove(p.logPath));
        else
            p.dir->write("log.adi", QByteArray());
        windows().Form1->LoadLogbook();
        openForm();
        typeQso({"N0CALL", "15.01.2023", "12:34", "14.074", "20m", "ft8", "-05", "-10", "jo62", "",
                 "", ""});
        QCOMPARE(p.logLines(), (QList<QByteArray>{"Vosmira ADIF export<eoh>", kTyped}));
        QCOMPARE(G().QsoCount, 1);
    }
}

QTEST_MAIN(TestNewQsoForm)
#include "tst_newqsoform.moc"

// The change form as the operator uses it: a QSO opened from the grid,
// "change data" in the view, entries typed and confirmed with Enter, the save
// button, and the view's "modification save" rewriting the logbook.
#include "editing/auswahl_select.h"
#include "editing/eingabe.h"
#include "logdata/AdifRecord.h"
#include "logdata/Cp1252.h"
#include "support/editing_Fixture.h"

#include <QApplication>
#include <QFile>
#include <QMap>
#include <QScrollBar>
#include <QTest>

namespace
{
const QByteArray kSpecimen = "<call:6>N0CALL<qso_date:8>20230115<time_on:6>123456<freq:9>14.074123"
                             "<band:3>20m<mode:3>FT8<rst_rcvd:3>-10<rst_sent:3>-05"
                             "<gridsquare:4>JO62 <eor>";
// Saved without an edit: every value keeps its full original form (the seconds,
// every digit of the frequency) though the form shows them shorter.
const QByteArray kSpecimenSaved =
    "<call:6>N0CALL<qso_date:8>20230115<time_on:6>123456<freq:9>14.074123<band:3>20m<mode:3>FT8"
    "<rst_rcvd:3>-10<rst_sent:3>-05<gridsquare:4>JO62<qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0>"
    "<eqsl_qsl_sent:0><comment:0> <eor>";

QList<QByteArray> standardLog()
{
    return {
        "<call:4>DL1A <qso_date:8>20240310 <time_on:6>101500 <freq:9>14.074000 <band:3>20m "
        "<mode:3>FT8 <rst_sent:3>-05 <rst_rcvd:3>-10 <eor>",
        kSpecimen,
        "<call:5>K1ABC<qso_date:8>20240311<time_on:6>111500<eqsl_qsl_sent:1>Y<qsl_rcvd:1>N<eor>",
        "<call:2>CQ<qso_date:8>20240312<time_on:6>121500<gridsquare:4>JO62<qsl_sent:1>Y"
        "<qsl_rcvd:1>Y<eqsl_qsl_rcvd:1>Y<eqsl_qsl_sent:1>Y<band:3>20m<eor>",
        "<CALL:5>W1XYZ<QSO_DATE:8>20240313<TIME_ON:6>131500<BAND:3>40m<MODE:3>FT8<EOR>",
        "<call:4>G4AB<qso_date:8>20240314<time_on:4>1415<band:x>20m<mode:3>FT4"
        "<gridsquare:8>IO91WM12<comment:150>" +
            QByteArray(150, 'w') + " <eor>",
    };
}

TForm3* form()
{
    return windows().Form3;
}
TForm2* view()
{
    return windows().Form2;
}

// Opens grid row `row` and presses "change data" in the view.
void openChange(int row)
{
    EditingProgram::openRow(row);
    QVERIFY(view()->isVisible());
    QTest::mouseClick(view()->BitBtn4, Qt::LeftButton);
    QVERIFY(form()->isVisible());
}

QByteArray changeFile()
{
    QFile f(QStringLiteral("aenderung.adi"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}
} // namespace

class TestChangeForm : public QObject
{
    Q_OBJECT
private slots:
    void saveWithoutEditsAndStore();
    void formsTalkThroughSignals();
    void typedEntriesAndFocusChain();
    void typedTextIsNeverCut();
    void recordsOpenAsRead_data();
    void recordsOpenAsRead();
    void captionsByLanguage_data();
    void captionsByLanguage();
    void invalidDateAndTimeAreRejected();
    void emptyDateAndTimeHaveLengthZero();
    void closeDiscards();
    void rebuildForUpload();
    void changeGoesToTheOpenedLine();
    void unchangedQsoKeepsEveryField();
    void typedTextTheLineCannotHoldIsRefused();
    void assumedChangeIsNotLostUnasked_data();
    void assumedChangeIsNotLostUnasked();
    void escapeLeavesOnlyTheChangeForm();
};

void TestChangeForm::formsTalkThroughSignals()
{
    EditingProgram p(standardLog());
    // A change form of its own, connected to nothing: opened with a record,
    // it answers with the record built, and knows no other window.
    TForm3 lone;
    lone.FormCreate();
    QByteArray built;
    int taken = 0;
    QObject::connect(&lone, &TForm3::recordBuilt,
                     [&](const QByteArray& record, const EditFieldSet&) { built = record; });
    QObject::connect(&lone, &TForm3::changeTaken, [&] { ++taken; });
    lone.open(kSpecimen);
    QCOMPARE(lone.Edit1->text(), QStringLiteral("N0CALL"));
    QTest::mouseClick(lone.BitBtn1, Qt::LeftButton);
    QCOMPARE(built, kSpecimenSaved);
    QCOMPARE(taken, 1);
    QVERIFY(!lone.isVisible());
    QCOMPARE(p.logLines(), p.lines); // nothing written: the view decides

    // The view asks for the record it wants written at its own line, with
    // what that line held when it was opened.
    openChange(1);
    QTest::mouseClick(form()->BitBtn1, Qt::LeftButton);
    QList<int> lines;
    QList<QByteArray> expected, records;
    QObject::connect(view(), &TForm2::writeRequested,
                     [&](int line, const QByteArray& was, const QByteArray& record) {
                         lines << line;
                         expected << was;
                         records << record;
                     });
    QTest::mouseClick(view()->BitBtn2, Qt::LeftButton);
    QCOMPARE(lines, QList<int>{2});
    QCOMPARE(expected, QList<QByteArray>{kSpecimen});
    QCOMPARE(records, QList<QByteArray>{kSpecimenSaved});
    QCOMPARE(p.logLines().value(2), kSpecimenSaved);
}

void TestChangeForm::saveWithoutEditsAndStore()
{
    EditingProgram p(standardLog());
    p.dir->write("aenderung.adi", "an older change\r\n");
    openChange(1);
    TForm3* f = form();
    QCOMPARE(f->Edit1->text(), QStringLiteral("N0CALL"));
    QCOMPARE(f->Edit2->text(), QStringLiteral("15.01.2023"));
    QCOMPARE(f->Edit3->text(), QStringLiteral("12:34"));
    QCOMPARE(f->Edit5->text(), QStringLiteral("14.0741"));
    QCOMPARE(f->Edit9->text(), QStringLiteral("20m"));
    QCOMPARE(f->Edit6->text(), QStringLiteral("FT8"));
    QCOMPARE(f->Edit8->text(), QStringLiteral("-10"));
    QCOMPARE(f->Edit7->text(), QStringLiteral("-05"));
    QCOMPARE(f->Edit11->text(), QStringLiteral("JO62"));
    QVERIFY(f->Edit15->text().isEmpty() && f->Edit10->text().isEmpty());
    QVERIFY(f->Edit14->text().isEmpty());
    QCOMPARE(f->focusWidget(), f->Edit10);

    // Enter in the eQSL-received edit goes to the save button; Enter there
    // presses it.
    QTest::keyClick(f->Edit10, Qt::Key_Return);
    QCOMPARE(f->focusWidget(), f->BitBtn1);
    QTest::keyClick(f->BitBtn1, Qt::Key_Return);

    QCOMPARE(changeFile(), kSpecimenSaved + "\r\n");
    QCOMPARE(view()->SelectedRecord, kSpecimenSaved);
    QVERIFY(!f->isVisible());
    QVERIFY(!view()->BitBtn3->isEnabled());
    QVERIFY(!view()->BitBtn4->isEnabled());
    QVERIFY(view()->BitBtn2->isEnabled());
    QCOMPARE(view()->focusWidget(), view()->BitBtn2);
    QCOMPARE(view()->Panel10->text(), QStringLiteral("14.0741"));
    QCOMPARE(view()->Panel3->text(), QStringLiteral("N0CALL"));
    QCOMPARE(view()->Panel1->text(), QStringLiteral("15.01.2023"));
    QCOMPARE(view()->Panel2->text(), QStringLiteral("12:34"));
    // Saving in the form does not touch the logbook.
    QCOMPARE(p.logFile(), crlfLines(p.lines));

    // "modification save" puts the record on its line; every other line
    // stays byte for byte.
    QTest::mouseClick(view()->BitBtn2, Qt::LeftButton);
    QList<QByteArray> expected = p.lines;
    expected[2] = kSpecimenSaved;
    QCOMPARE(p.logLines(), expected);
    QVERIFY(p.dialogs->messages.isEmpty());
}

void TestChangeForm::typedEntriesAndFocusChain()
{
    EditingProgram p(standardLog());
    openChange(0);
    TForm3* f = form();
    const QList<std::pair<KeyEdit*, QString>> entries = {
        {f->Edit1, "dl1abc"},  {f->Edit2, "1,2,2024"}, {f->Edit3, "9.5"},  {f->Edit5, "7,074"},
        {f->Edit9, "40m"},     {f->Edit6, "ft8"},      {f->Edit7, "a+05"}, {f->Edit8, "-1x2"},
        {f->Edit11, "jo62qm"}, {f->Edit15, "xy"},      {f->Edit10, "ny"},
    };
    const QList<QWidget*> next = {f->Edit2, f->Edit3,  f->Edit5,  f->Edit9,  f->Edit6,  f->Edit7,
                                  f->Edit8, f->Edit11, f->Edit15, f->Edit10, f->BitBtn1};
    for (int i = 0; i < entries.size(); ++i) {
        replaceAndEnter(entries[i].first, entries[i].second);
        QVERIFY2(f->focusWidget() == next[i], qPrintable(entries[i].second));
    }
    // The edits show what they took: capitals, converted and filtered keys,
    // the date and time brought to their full forms.
    QCOMPARE(f->Edit1->text(), QStringLiteral("DL1ABC"));
    QCOMPARE(f->Edit2->text(), QStringLiteral("01.02.2024"));
    QCOMPARE(f->Edit3->text(), QStringLiteral("09:05"));
    QCOMPARE(f->Edit5->text(), QStringLiteral("7.074"));
    QCOMPARE(f->Edit6->text(), QStringLiteral("ft8"));
    QCOMPARE(f->Edit7->text(), QStringLiteral("+05"));
    QCOMPARE(f->Edit8->text(), QStringLiteral("-12"));
    QCOMPARE(f->Edit11->text(), QStringLiteral("JO62QM"));
    QCOMPARE(f->Edit15->text(), QStringLiteral("Y"));
    QCOMPARE(f->Edit10->text(), QStringLiteral("Y"));

    // The comment is reached with the mouse; its Enter goes to the save button.
    replaceAndEnter(f->Edit14, QStringLiteral("Grüße aus Köln"));
    QCOMPARE(f->focusWidget(), f->BitBtn1);
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);

    const QByteArray expected = "<call:6>DL1ABC<qso_date:8>20240201<time_on:6>090500<freq:5>7.074"
                                "<band:3>40m<mode:3>ft8<rst_rcvd:3>-12<rst_sent:3>+05"
                                "<gridsquare:6>JO62QM<qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:1>Y"
                                "<eqsl_qsl_sent:1>Y<comment:14>Gr\xfc\xdf"
                                "e aus K\xf6ln <eor>";
    QCOMPARE(changeFile(), expected + "\r\n");
    QCOMPARE(view()->SelectedRecord, expected);
    QVERIFY(TForm2::lampGreen(view()->Panel13));
    QCOMPARE(view()->Panel4->text(), QStringLiteral("Grüße aus Köln"));

    QTest::mouseClick(view()->BitBtn2, Qt::LeftButton);
    QList<QByteArray> lines = p.lines;
    lines[1] = expected;
    QCOMPARE(p.logLines(), lines);
}

void TestChangeForm::typedTextIsNeverCut()
{
    EditingProgram p(standardLog());
    openChange(1);
    TForm3* f = form();
    f->Edit1->setFocus();
    f->Edit1->end(false);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(f->Edit1, Qt::Key_Backspace);
    QVERIFY(f->Edit1->text().isEmpty());
    typeText(f->Edit1, QStringLiteral("N0CALX"));
    // Typed without Enter, then saved: the value is the text the edit shows.
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QVERIFY(view()->SelectedRecord.startsWith("<call:6>N0CALX<qso_date:8>"));
}

void TestChangeForm::recordsOpenAsRead_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("shown"); // call, locator, eQSL sent, eQSL received, band
    QTest::addColumn<QByteArray>("saved");
    // The QSL flags have no edit: the record's own are kept, and a qsl_sent
    // the record does not have is not made up from the eQSL tag.
    QTest::newRow("qsl_sent inside the eQSL tag")
        << 2 << QStringList{"K1ABC", "", "Y", "", ""}
        << QByteArray("<call:5>K1ABC<qso_date:8>20240311<time_on:6>111500<freq:0><band:0><mode:0>"
                      "<rst_rcvd:0><rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:1>N"
                      "<eqsl_qsl_rcvd:0><eqsl_qsl_sent:1>Y<comment:0> <eor>");
    // "CQ" shows no locator and no eQSL flags; left so, the record keeps them.
    QTest::newRow("CQ") << 3 << QStringList{"CQ", "", "", "", "20m"}
                        << QByteArray(
                               "<call:2>CQ<qso_date:8>20240312<time_on:6>121500<freq:0>"
                               "<band:3>20m<mode:0><rst_rcvd:0><rst_sent:0><gridsquare:4>JO62"
                               "<qsl_sent:1>Y<qsl_rcvd:1>Y<eqsl_qsl_rcvd:1>Y<eqsl_qsl_sent:1>Y"
                               "<comment:0> <eor>");
    QTest::newRow("upper-case tags")
        << 4 << QStringList{"W1XYZ", "", "", "", "40m"}
        << QByteArray("<call:5>W1XYZ<qso_date:8>20240313<time_on:6>131500<freq:0><band:3>40m"
                      "<mode:3>FT8<rst_rcvd:0><rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:0>"
                      "<eqsl_qsl_rcvd:0><eqsl_qsl_sent:0><comment:0> <eor>");
    // Length not a number (band), a four-character time, a locator longer
    // than the edit lets one type, a comment of 150.
    QTest::newRow("unreadable band, long values")
        << 5 << QStringList{"G4AB", "IO91WM12", "", "", ""}
        << QByteArray("<call:4>G4AB<qso_date:8>20240314<time_on:4>1415<freq:0><band:0>"
                      "<mode:3>FT4<rst_rcvd:0><rst_sent:0><gridsquare:8>IO91WM12<qsl_sent:0>"
                      "<qsl_rcvd:0><eqsl_qsl_rcvd:0><eqsl_qsl_sent:0><comment:150>" +
                      QByteArray(150, 'w') + " <eor>");
}

void TestChangeForm::recordsOpenAsRead()
{
    QFETCH(int, row);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, saved);
    EditingProgram p(standardLog());
    openChange(row);
    TForm3* f = form();
    QCOMPARE(f->Edit1->text(), shown[0]);
    QCOMPARE(f->Edit11->text(), shown[1]);
    QCOMPARE(f->Edit15->text(), shown[2]);
    QCOMPARE(f->Edit10->text(), shown[3]);
    QCOMPARE(f->Edit9->text(), shown[4]);
    if (row == 5) {
        // The operator is told which field could not be read.
        QCOMPARE(p.dialogs->messages.size(), 1);
        QVERIFY(p.dialogs->messages[0].startsWith("error:"));
        QVERIFY(p.dialogs->messages[0].contains("band"));
        p.dialogs->messages.clear();
        // A four-character time is a time: HH:MM, kept as it was.
        QCOMPARE(f->Edit3->text(), QStringLiteral("14:15"));
        // Confirming the long locator keeps all of it.
        f->Edit11->setFocus();
        QTest::keyClick(f->Edit11, Qt::Key_Return);
        QCOMPARE(form()->ChangeFields.locator, QByteArray("IO91WM12"));
    }
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QCOMPARE(view()->SelectedRecord, saved);
}

void TestChangeForm::captionsByLanguage_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QStringList>("created"); // save, exit, panel, hint
    QTest::addColumn<QStringList>("opened");
    // One wording per language, the same when the form is created and opened.
    const QStringList english{"Apply change", "Exit",
                              "Attention:", "Confirm every entry with Enter!"};
    const QStringList german{"Änderung übernehmen", "Beenden",
                             "Achtung:", "Alle Eingaben mit Enter bestätigen!"};
    QTest::newRow("Eng") << QByteArray("Eng") << english << english;
    QTest::newRow("Ger") << QByteArray("Ger") << german << german;
    // A setting without a translation shows the texts as written (English).
    QTest::newRow("eng") << QByteArray("eng") << english << english;
}

void TestChangeForm::captionsByLanguage()
{
    QFETCH(QByteArray, language);
    QFETCH(QStringList, created);
    QFETCH(QStringList, opened);
    EditingProgram p(standardLog(), language);
    TForm3* f = form();
    auto captions = [f] {
        return QStringList{f->BitBtn1->text(), f->BitBtn2->text(), f->Panel2->text(),
                           f->Label17->text()};
    };
    QCOMPARE(captions(), created);
    QCOMPARE(f->windowTitle(),
             language == "Ger" ? QStringLiteral("QSO ändern") : QStringLiteral("Change QSO"));
    QCOMPARE(f->size(), QSize(727, 390));
    QCOMPARE(f->pos(), QPoint((windows().Form1->gridSize().width() / 2) / 2,
                              (windows().Form1->gridSize().height() / 2) / 2));
    openChange(0);
    QCOMPARE(captions(), opened);
}

void TestChangeForm::invalidDateAndTimeAreRejected()
{
    EditingProgram p(standardLog(), "Ger");
    p.dir->write("aenderung.adi", "an older change\r\n");
    openChange(1);
    TForm3* f = form();
    const QByteArray before = view()->SelectedRecord;

    replaceAndEnter(f->Edit2, QStringLiteral("32.13.2023"));
    QCOMPARE(p.dialogs->messages.size(), 1);
    QVERIFY(p.dialogs->messages[0].contains("32.13.2023"));
    QCOMPARE(f->focusWidget(), f->Edit2);
    // The save button refuses the date as well and builds nothing.
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QCOMPARE(p.dialogs->messages.size(), 2);
    QVERIFY(f->isVisible());
    QCOMPARE(f->focusWidget(), f->Edit2);
    QCOMPARE(view()->SelectedRecord, before);
    QCOMPARE(changeFile(), QByteArray("an older change\r\n"));

    // Tab confirms the date as Enter does, and stays while the date is wrong.
    f->Edit2->selectAll();
    typeText(f->Edit2, QStringLiteral("30.02.2024"));
    QTest::keyClick(f->Edit2, Qt::Key_Tab);
    QCOMPARE(p.dialogs->messages.size(), 3);
    QCOMPARE(f->focusWidget(), f->Edit2);
    p.dialogs->messages.removeLast();

    replaceAndEnter(f->Edit2, QStringLiteral("1.1.2023"));
    QCOMPARE(f->Edit2->text(), QStringLiteral("01.01.2023"));
    QCOMPARE(f->focusWidget(), f->Edit3);

    replaceAndEnter(f->Edit3, QStringLiteral("25:00"));
    QCOMPARE(p.dialogs->messages.size(), 3);
    QCOMPARE(f->focusWidget(), f->Edit3);
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QCOMPARE(p.dialogs->messages.size(), 4);
    QCOMPARE(f->focusWidget(), f->Edit3);
    QCOMPARE(view()->SelectedRecord, before);

    replaceAndEnter(f->Edit3, QStringLiteral("7:3"));
    QCOMPARE(f->Edit3->text(), QStringLiteral("07:03"));
    QCOMPARE(f->focusWidget(), f->Edit5);
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QCOMPARE(p.dialogs->messages.size(), 4);
    QVERIFY(view()->SelectedRecord.startsWith(
        "<call:6>N0CALL<qso_date:8>20230101<time_on:6>070300<freq:9>14.074123<"));
}

void TestChangeForm::emptyDateAndTimeHaveLengthZero()
{
    EditingProgram p(standardLog());
    openChange(1);
    TForm3* f = form();
    for (KeyEdit* e : {f->Edit2, f->Edit3}) {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QVERIFY(p.dialogs->messages.isEmpty());
    QVERIFY(view()->SelectedRecord.startsWith("<call:6>N0CALL<qso_date:0><time_on:0><freq:9>"));
}

void TestChangeForm::closeDiscards()
{
    EditingProgram p(standardLog());
    openChange(1);
    TForm3* f = form();
    const QByteArray before = view()->SelectedRecord;
    replaceAndEnter(f->Edit1, QStringLiteral("DL9ZZ"));
    QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
    QVERIFY(!f->isVisible());
    QVERIFY(!view()->isVisible());
    QVERIFY(f->Edit1->text().isEmpty());
    QCOMPARE(view()->SelectedRecord, before);
    QCOMPARE(form()->ChangeFields.call, QByteArray("DL9ZZ"));
    QVERIFY(!QFile::exists(QStringLiteral("aenderung.adi")));
    QCOMPARE(p.logFile(), crlfLines(p.lines));
}

void TestChangeForm::rebuildForUpload()
{
    // The eQSL upload reads the QSO without showing the form, marks it sent,
    // and the view's exit has it rebuilt: aenderung.adi is not written then.
    EditingProgram p(standardLog());
    EditingProgram::openRow(1);
    p.dir->write("aenderung.adi", "an older change\r\n");
    TForm3* f = form();
    f->daten_aendern(view()->SelectedRecord);
    form()->ChangeFields.eqslSent = "Y";
    f->ChangeSaveRequested = 0;
    f->adif_wandel();
    QVERIFY(!QFile::exists(QStringLiteral("aenderung.adi")));
    QByteArray expected = kSpecimenSaved;
    expected.replace("<eqsl_qsl_sent:0>", "<eqsl_qsl_sent:1>Y");
    QCOMPARE(f->NewRecord, expected);
    QCOMPARE(view()->SelectedRecord, expected);
    QVERIFY(!f->isVisible());
    QVERIFY(p.dialogs->messages.isEmpty());
}

void TestChangeForm::changeGoesToTheOpenedLine()
{
    // A single click on another row while the view is open moves the grid
    // selection, not the QSO the view writes to; a second double click brings
    // the view to the front with the other QSO.
    EditingProgram p(standardLog());
    openChange(1);
    replaceAndEnter(form()->Edit14, QStringLiteral("tnx"));
    QTest::mouseClick(form()->BitBtn1, Qt::LeftButton);
    StringGrid* g = windows().Form1->StringGrid1;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(4, 2)).center());
    QCOMPARE(G().SelectedLine, 5);
    QTest::mouseClick(view()->BitBtn2, Qt::LeftButton);
    QList<QByteArray> expected = p.lines;
    expected[2] = view()->SelectedRecord;
    QVERIFY(expected[2].startsWith("<call:6>N0CALL<"));
    QCOMPARE(p.logLines(), expected);

    windows().Form1->activateWindow();
    EditingProgram::openRow(0);
    QCOMPARE(view()->Panel3->text(), QStringLiteral("DL1A"));
    QVERIFY(QTest::qWaitForWindowActive(view()));
}

void TestChangeForm::unchangedQsoKeepsEveryField()
{
    // A WSJT-X FT4 QSO saved without an edit loses no field and changes no
    // value; a new mode drops the submode, FT4 typed anew writes MFSK + FT4.
    const QByteArray wsjtx =
        "<call:6>OH8XYZ <gridsquare:4>KP24 <mode:4>MFSK <submode:3>FT4 <rst_sent:3>-03 "
        "<rst_rcvd:3>+02 <qso_date:8>20240502 <time_on:6>111624 <qso_date_off:8>20240502 "
        "<time_off:6>111710 <band:2>6m <freq:9>50.318123 <station_callsign:6>DL1VOS "
        "<my_gridsquare:6>JO62QM <tx_pwr:3>100 <comment:6>tnx 73 <name:4>Olli <operator:6>DL1VOS "
        "<prop_mode:2>ES <eor>";
    EditingProgram p({wsjtx});
    auto fields = [](const QByteArray& line) {
        QMap<QByteArray, QByteArray> out;
        for (const adif::Field& f : adif::parseRecord(line))
            if (!f.value.isEmpty())
                out.insert(f.name.toByteArray().toLower(), f.value.toByteArray());
        return out;
    };
    openChange(0);
    QCOMPARE(form()->Edit6->text(), QStringLiteral("FT4"));
    QCOMPARE(form()->Edit3->text(), QStringLiteral("11:16"));
    QTest::mouseClick(form()->BitBtn1, Qt::LeftButton);
    QTest::mouseClick(view()->BitBtn2, Qt::LeftButton);
    QCOMPARE(fields(p.logLines()[1]), fields(wsjtx));
    QVERIFY(p.logLines()[1].startsWith("<call:6>OH8XYZ<qso_date:8>20240502<time_on:6>111624"));

    auto saveMode = [&](const QString& mode) {
        QTest::mouseClick(view()->BitBtn1, Qt::LeftButton);
        openChange(0);
        replaceAndEnter(form()->Edit6, mode);
        QTest::mouseClick(form()->BitBtn1, Qt::LeftButton);
        QTest::mouseClick(view()->BitBtn2, Qt::LeftButton);
        return fields(p.logLines()[1]);
    };
    QMap<QByteArray, QByteArray> expected = fields(wsjtx);
    expected["mode"] = "FT8";
    expected.remove("submode");
    QCOMPARE(saveMode(QStringLiteral("FT8")), expected);
    expected["mode"] = "MFSK";
    expected["submode"] = "FT4";
    QCOMPARE(saveMode(QStringLiteral("FT4")), expected);
    QVERIFY(p.dialogs->messages.isEmpty());
}

void TestChangeForm::typedTextTheLineCannotHoldIsRefused()
{
    // A Windows-1252 line cannot hold "ł": refused with a message, never a
    // silent "?". A UTF-8 line takes it, as UTF-8 with its length in bytes.
    EditingProgram p(
        {"<call:5>DL1AB <comment:3>tnx <eor>", "<call:5>SP9XY <comment:7>Grüße <eor>"});
    openChange(0);
    replaceAndEnter(form()->Edit14, QStringLiteral("łódź"));
    QCOMPARE(p.dialogs->messages.size(), 2); // "ł" and "ź"
    QVERIFY(p.dialogs->messages[0].contains(QStringLiteral("ł")));
    QCOMPARE(form()->Edit14->text(), QStringLiteral("ód"));
    QCOMPARE(form()->ChangeFields.comment, QByteArray("\xf3"
                                                      "d"));
    QTest::mouseClick(form()->BitBtn2, Qt::LeftButton);

    openChange(1);
    QCOMPARE(form()->Edit14->text(), QStringLiteral("Grüße"));
    replaceAndEnter(form()->Edit14, QStringLiteral("łódź 73"));
    QCOMPARE(p.dialogs->messages.size(), 2);
    QTest::mouseClick(form()->BitBtn1, Qt::LeftButton);
    QTest::mouseClick(view()->BitBtn2, Qt::LeftButton);
    const QList<QByteArray> lines = p.logLines();
    QCOMPARE(lines[1], p.lines[1]);
    QVERIFY2(lines[2].endsWith("<comment:10>łódź 73 <eor>"), lines[2].constData());
}

void TestChangeForm::assumedChangeIsNotLostUnasked_data()
{
    QTest::addColumn<QString>("leave"); // how the view is left
    QTest::newRow("exit") << "exit";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("closing the window") << "close";
    QTest::newRow("opening another QSO") << "other";
    QTest::newRow("quitting") << "quit";
    QTest::newRow("the change form's exit") << "change exit";
    QTest::newRow("delete QSO") << "delete";
}

void TestChangeForm::assumedChangeIsNotLostUnasked()
{
    QFETCH(QString, leave);
    EditingProgram p(standardLog(), "Ger");
    const QByteArray changed =
        QByteArray(kSpecimenSaved).replace("<comment:0> ", "<comment:3>new ");
    auto assumeChange = [] {
        openChange(1);
        TForm3* f = form();
        f->Edit14->setFocus();
        QTest::keyClicks(f->Edit14, QStringLiteral("new"));
        QTest::mouseClick(f->BitBtn1, Qt::LeftButton); // "assume change"
        QVERIFY(!f->isVisible());
        QCOMPARE(view()->Panel4->text(), QStringLiteral("new"));
    };
    auto leaveView = [&leave] {
        if (leave == "exit")
            QTest::mouseClick(view()->BitBtn1, Qt::LeftButton);
        else if (leave == "escape") {
            QApplication::setActiveWindow(view());
            QTest::keyClick(view(), Qt::Key_Escape);
        } else if (leave == "close")
            view()->close();
        else if (leave == "other")
            EditingProgram::openRow(0);
        else if (leave == "quit")
            QTest::mouseClick(windows().Form1->Button2, Qt::LeftButton);
        else if (leave == "delete")
            QTest::mouseClick(view()->BitBtn5, Qt::LeftButton);
        else {
            QTest::mouseClick(view()->BitBtn4, Qt::LeftButton);
            QTest::mouseClick(form()->BitBtn2, Qt::LeftButton);
        }
    };
    const QString question = QStringLiteral("ask:Die Änderungen an QSO 2 speichern?");

    // Cancel: nothing is left, nothing written.
    assumeChange();
    p.dialogs->saveAnswer = SaveChoice::Cancel;
    leaveView();
    QCOMPARE(p.dialogs->messages, QStringList{question});
    QVERIFY(view()->isVisible());
    QCOMPARE(view()->Panel3->text(), QStringLiteral("N0CALL"));
    QVERIFY(windows().Form1->isVisible());
    QCOMPARE(p.logFile(), crlfLines(p.lines));

    // Save: the change is in the logbook, the view is left.
    p.dialogs->messages.clear();
    p.dialogs->saveAnswer = SaveChoice::Save;
    leaveView();
    QCOMPARE(p.dialogs->messages, QStringList{question});
    QList<QByteArray> saved = p.lines;
    saved[2] = changed;
    QCOMPARE(p.logFile(), crlfLines(saved));
    if (leave == "quit")
        return;
    QCOMPARE(view()->isVisible(), leave == "other");

    // Discard: left without a write; a view without a change asks nothing.
    view()->hide();
    p.dir->write("log.adi", crlfLines(p.lines));
    windows().Form1->LoadLogbook();
    assumeChange();
    p.dialogs->messages.clear();
    p.dialogs->saveAnswer = SaveChoice::Discard;
    leaveView();
    QCOMPARE(p.dialogs->messages, QStringList{question});
    QCOMPARE(p.logFile(), crlfLines(p.lines));
    p.dialogs->messages.clear();
    EditingProgram::openRow(1);
    QTest::mouseClick(view()->BitBtn1, Qt::LeftButton);
    QVERIFY(p.dialogs->messages.isEmpty());
    QVERIFY(!view()->isVisible());
}

void TestChangeForm::escapeLeavesOnlyTheChangeForm()
{
    EditingProgram p(standardLog());
    openChange(1);
    const int scroll = windows().Form1->StringGrid1->verticalScrollBar()->value();
    QApplication::setActiveWindow(form());
    QTest::keyClick(form(), Qt::Key_Escape);
    QVERIFY(!form()->isVisible());
    QVERIFY(view()->isVisible());
    QCOMPARE(view()->Panel3->text(), QStringLiteral("N0CALL"));
    QCOMPARE(windows().Form1->StringGrid1->verticalScrollBar()->value(), scroll);
    QVERIFY(view()->BitBtn4->isEnabled());
    QCOMPARE(p.logFile(), crlfLines(p.lines));
}

QTEST_MAIN(TestChangeForm)
#include "tst_changeform.moc"

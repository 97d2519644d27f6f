// The list printing form: sizing, loading List.txt, the error cases, the
// print dialog's answers, and a real PDF whose text positions are read back
// with pdftotext.
#include "logdata/State.h"
#include "printing/Drucken.h"
#include "printing/ListPrint.h"
#include "printing/QtPrinterCanvas.h"
#include "support/RecordingDialogs.h"
#include "support/TestSupport.h"
#include "support/printing_RecordingCanvas.h"
#include "widgets/Screen.h"

#include <QDate>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QListWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest>

namespace
{
// Answers the print dialog: either cancels or picks Qt's PDF output.
class AnswerPrintDialog : public PrintDialogRunner
{
public:
    bool execPrintDialog(QPrinter& printer) override
    {
        ++asked;
        if (!accept)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(margins, QPageLayout::Millimeter);
        return true;
    }

    bool accept = true;
    QString pdfPath;
    QMarginsF margins{15, 10, 15, 10};
    int asked = 0;
};

QStringList listBoxLines(const TForm5& form)
{
    QStringList lines;
    for (int i = 0; i < form.ListBox1->count(); ++i)
        lines << form.ListBox1->item(i)->text();
    return lines;
}

// A list like the builder's: an empty first line, then one row per QSO.
QList<QByteArray> sampleRows(int count)
{
    QList<QByteArray> rows;
    for (int i = 0; i < count; ++i) {
        if (i == 0) {
            rows << QByteArray();
            continue;
        }
        rows << QStringLiteral(
                    "%1.03.2021 12:%2 DL%3ABC      JO31  20m  FT8   -%4   +01    Y       N")
                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                    .arg(i % 60, 2, 10, QLatin1Char('0'))
                    .arg(i % 10)
                    .arg(10 + i % 10)
                    .toLatin1();
    }
    return rows;
}

// One word of pdftotext's bounding-box output, in tenths of a millimetre
// from the top-left corner of the page.
struct PdfWord {
    int page = 0;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

QList<PdfWord> readBoxes(const QString& html, int* pages)
{
    constexpr double kTenthsPerPoint = 254.0 / 72.0;
    QList<PdfWord> words;
    QXmlStreamReader xml(html);
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const QXmlStreamAttributes a = xml.attributes();
            PdfWord w;
            w.page = page;
            w.xMin = a.value(QLatin1String("xMin")).toDouble() * kTenthsPerPoint;
            w.yMin = a.value(QLatin1String("yMin")).toDouble() * kTenthsPerPoint;
            w.xMax = a.value(QLatin1String("xMax")).toDouble() * kTenthsPerPoint;
            w.yMax = a.value(QLatin1String("yMax")).toDouble() * kTenthsPerPoint;
            w.text = xml.readElementText();
            words << w;
        }
    }
    *pages = page;
    return words;
}

// The words of a printed line with the column each starts in.
QList<QPair<int, QString>> wordsWithColumns(const QString& line)
{
    QList<QPair<int, QString>> out;
    int i = 0;
    while (i < line.size()) {
        if (line[i] == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < line.size() && line[i] != QLatin1Char(' '))
            ++i;
        out.append({start, line.mid(start, i - start)});
    }
    return out;
}
} // namespace

class TestDrucken : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void creation();
    void creationLoadsWrittenList_data();
    void creationLoadsWrittenList();
    void startDruckLoadsList();
    void nothingToPrint();
    void unreadableList_data();
    void unreadableList();
    void cancelledDialog();
    void longPrintoutShowsProgressAndCancels();
    void jobRefused();
    void listFont();
    void pdfOutput_data();
    void pdfOutput();
};

void TestDrucken::init()
{
    resetProgramState();
    setScreenSizeOverride(QSize());
}

void TestDrucken::cleanup()
{
    setScreenSizeOverride(QSize());
}

void TestDrucken::creation()
{
    {
        TForm5 form;
        form.FormCreate();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(screenSize().width(), screen.width());
        QCOMPARE(screenSize().height(), screen.height());
        QCOMPARE(form.height(), screen.height() - 40);
        QCOMPARE(form.ListBox1->height(), screen.height() - 156);
    }
    setScreenSizeOverride(QSize(1280, 1024));
    TForm5 form;
    form.FormCreate();
    QCOMPARE(form.windowTitle(), QStringLiteral("Print"));
    QVERIFY(!form.isVisible());
    QCOMPARE(screenSize().width(), 1280);
    QCOMPARE(screenSize().height(), 1024);
    QCOMPARE(form.height(), 984);
    QCOMPARE(form.ListBox1->height(), 868);
    QVERIFY(form.printDialog());
    QCOMPARE(form.printDialog(), form.PrintDialog1);
    QCOMPARE(form.ListBox1->count(), 0);
}

void TestDrucken::creationLoadsWrittenList_data()
{
    QTest::addColumn<int>("marker");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("list written") << 1 << QStringList{QString(), "row 1", "row 2"};
    QTest::newRow("not written") << 0 << QStringList{};
}

void TestDrucken::creationLoadsWrittenList()
{
    QFETCH(int, marker);
    QFETCH(QStringList, expected);
    ScratchDir dir;
    QVERIFY(dir.write("List.txt", crlfLines({"", "row 1", "row 2"})));
    RecordingDialogs messages;
    G().ListWritten = marker;
    TForm5 form;
    form.FormCreate();
    QCOMPARE(listBoxLines(form), expected);
    QVERIFY(messages.messages.isEmpty());
}

void TestDrucken::startDruckLoadsList()
{
    ScratchDir dir;
    QVERIFY(dir.write("List.txt", crlfLines({"", "15.03.2021 12:34 DL1\xC4X", "last"})));
    RecordingDialogs messages;
    AnswerPrintDialog answer;
    answer.accept = false;
    answer.pdfPath = dir.file("out.pdf");
    TForm5 form;
    form.FormCreate();
    form.setPrintDialogRunner(&answer);
    form.ListBox1->addItems({"old 1", "old 2", "old 3", "old 4"});

    form.Start_Druck();
    QCOMPARE(listBoxLines(form),
             (QStringList{QString(), QStringLiteral("15.03.2021 12:34 DL1\u00C4X"), "last"}));
    QCOMPARE(answer.asked, 1);
    QVERIFY(messages.messages.isEmpty());
}

void TestDrucken::nothingToPrint()
{
    ScratchDir dir;
    QVERIFY(dir.write("List.txt", QByteArray()));
    RecordingDialogs messages;
    AnswerPrintDialog answer;
    answer.pdfPath = dir.file("out.pdf");
    TForm5 form;
    form.FormCreate();
    form.setPrintDialogRunner(&answer);
    form.ListBox1->addItem("old");

    form.Start_Druck();
    QCOMPARE(form.ListBox1->count(), 0);
    QCOMPARE(messages.messages, QStringList{"error:There is nothing to print."});
    QCOMPARE(answer.asked, 0);
    QVERIFY(!QFile::exists(answer.pdfPath));

    // Drucken on its own says the same.
    messages.messages.clear();
    form.Drucken();
    QCOMPARE(messages.messages, QStringList{"error:There is nothing to print."});
    QCOMPARE(answer.asked, 0);
    QVERIFY(!QFile::exists(answer.pdfPath));
}

void TestDrucken::unreadableList_data()
{
    QTest::addColumn<bool>("asDirectory");
    QTest::newRow("missing") << false;
    QTest::newRow("a directory") << true;
}

void TestDrucken::unreadableList()
{
    QFETCH(bool, asDirectory);
    ScratchDir dir;
    if (asDirectory)
        QVERIFY(QDir(dir.path()).mkdir("List.txt"));
    RecordingDialogs messages;
    AnswerPrintDialog answer;
    answer.pdfPath = dir.file("out.pdf");
    TForm5 form;
    form.FormCreate();
    form.setPrintDialogRunner(&answer);
    form.ListBox1->addItems({"kept 1", "kept 2"});

    form.Start_Druck();
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY2(messages.messages[0].startsWith("error:"), qPrintable(messages.messages[0]));
    QVERIFY2(messages.messages[0].contains(QDir::toNativeSeparators(dir.file("List.txt"))),
             qPrintable(messages.messages[0]));
    QCOMPARE(listBoxLines(form), (QStringList{"kept 1", "kept 2"}));
    QCOMPARE(answer.asked, 0);
    QVERIFY(!QFile::exists(answer.pdfPath));

    // When the list was written but cannot be read at creation, the operator
    // is told as well.
    messages.messages.clear();
    G().ListWritten = 1;
    TForm5 created;
    created.FormCreate();
    QCOMPARE(messages.messages.size(), 1);
    QVERIFY(messages.messages[0].contains("List.txt"));
    QCOMPARE(created.ListBox1->count(), 0);
}

void TestDrucken::cancelledDialog()
{
    ScratchDir dir;
    QVERIFY(dir.write("List.txt", crlfLines(sampleRows(70))));
    RecordingDialogs messages;
    AnswerPrintDialog answer;
    answer.accept = false;
    answer.pdfPath = dir.file("out.pdf");
    TForm5 form;
    form.FormCreate();
    form.setPrintDialogRunner(&answer);

    form.Start_Druck();
    QCOMPARE(answer.asked, 1);
    QCOMPARE(form.ListBox1->count(), 70);
    QVERIFY(messages.messages.isEmpty());
    QVERIFY(!QFile::exists(answer.pdfPath));
}

void TestDrucken::longPrintoutShowsProgressAndCancels()
{
    // A printout of many pages shows its progress; the cancel button ends the
    // job cleanly, with nothing more printed.
    ScratchDir dir;
    QVERIFY(dir.write("List.txt", crlfLines(sampleRows(60 * 57))));
    RecordingDialogs messages;
    AnswerPrintDialog answer;
    answer.pdfPath = dir.file("out.pdf");
    TForm5 form;
    form.FormCreate();
    form.setPrintDialogRunner(&answer);
    QString label;
    QTimer cancel;
    cancel.setInterval(5);
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        if (auto* d = form.findChild<QProgressDialog*>(); d && d->isVisible()) {
            label = d->labelText();
            d->cancel();
        }
    });
    cancel.start();
    form.Start_Druck();
    // The job ended at the page it had reached, before its 60 pages.
    const QByteArray pdf = dir.read("out.pdf");
    const qsizetype pages = pdf.count("/Type /Page\n") + pdf.count("/Type /Page ");
    QVERIFY2(pages >= 1 && pages < 60, qPrintable(QString::number(pages)));
    QVERIFY2(label.startsWith(QStringLiteral("Printing page ")) &&
                 label.contains(QStringLiteral(" of 60")),
             qPrintable(label));
    QVERIFY(messages.messages.isEmpty());
    // The PDF output keeps a whole document of the pages printed before.
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        QSKIP("pdfinfo (poppler-utils) is needed to read the PDF back");
    QProcess info;
    info.start(pdfinfo, {answer.pdfPath});
    QVERIFY(info.waitForFinished(30000));
    QCOMPARE(info.exitCode(), 0);
    const QByteArray out = info.readAllStandardOutput();
    QVERIFY2(QRegularExpression(QStringLiteral("\\nPages: +2\\n"))
                 .match(QString::fromLatin1(out))
                 .hasMatch(),
             out.constData());
}

void TestDrucken::jobRefused()
{
    // The operator picked an output the printer cannot open: say so rather
    // than return as if the list had been printed.
    ScratchDir dir;
    QVERIFY(dir.write("List.txt", crlfLines(sampleRows(5))));
    RecordingDialogs messages;
    AnswerPrintDialog answer;
    answer.pdfPath = dir.file("no such folder/list.pdf");
    TForm5 form;
    form.FormCreate();
    form.setPrintDialogRunner(&answer);

    form.Start_Druck();
    QCOMPARE(answer.asked, 1);
    QCOMPARE(messages.messages, QStringList{"error:The print job could not be started."});
    QVERIFY(!QFile::exists(answer.pdfPath));
}

void TestDrucken::listFont()
{
    const QFont font = QtPrinterCanvas::listFont(false);
    const QFontInfo info(font);
    qInfo("list font: \"Courier New\" resolves to \"%s\"", qPrintable(info.family()));
    QVERIFY(info.fixedPitch());
    // The character cell (ascent + descent) is 4.0 mm, in units of 0.01 mm.
    const QFontMetricsF fm(font);
    QVERIFY2(qAbs(fm.ascent() + fm.descent() - 400) <= 2,
             qPrintable(QString::number(fm.ascent() + fm.descent())));
    // Bold keeps the pitch, so bold and regular lines share their columns.
    const QFontMetricsF bold(QtPrinterCanvas::listFont(true));
    QCOMPARE(qRound(bold.horizontalAdvance(QLatin1Char('M')) * 10),
             qRound(fm.horizontalAdvance(QLatin1Char('M')) * 10));
}

void TestDrucken::pdfOutput_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QByteArray>("heading1");
    QTest::addColumn<QByteArray>("heading2");
    QTest::addColumn<QByteArray>("ownCall");
    QTest::addColumn<int>("pages");
    QTest::newRow("two pages, builder's headings")
        << 60 << QByteArray("Datum      Zeit   Call     Loc   Band Mod  RST   RST   e-QSL   e-QSL")
        << QByteArray("                                            in   out    out     in")
        << QByteArray("DL1ABC") << 2;
    QTest::newRow("one page, fallback headings")
        << 10 << QByteArray() << QByteArray() << QByteArray() << 1;
    QTest::newRow("list ends in the last slot")
        << 58 << QByteArray("HEAD ONE") << QByteArray("   head two") << QByteArray("DK2XY") << 2;
}

void TestDrucken::pdfOutput()
{
    QFETCH(int, rows);
    QFETCH(QByteArray, heading1);
    QFETCH(QByteArray, heading2);
    QFETCH(QByteArray, ownCall);
    QFETCH(int, pages);

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");

    ScratchDir dir;
    const QList<QByteArray> list = sampleRows(rows);
    QVERIFY(dir.write("List.txt", crlfLines(list)));
    G().ListHeading1 = heading1;
    G().ListHeading2 = heading2;
    G().ProgramSettings.OwnCall = ownCall;
    RecordingDialogs messages;
    AnswerPrintDialog answer;
    answer.pdfPath = dir.file("list.pdf");
    TForm5 form;
    form.FormCreate();
    form.setPrintDialogRunner(&answer);

    form.Start_Druck();
    QVERIFY(messages.messages.isEmpty());
    QCOMPARE(answer.asked, 1);
    QVERIFY(QFile::exists(answer.pdfPath));

    QProcess proc;
    proc.start(pdftotext, {"-bbox", answer.pdfPath, dir.file("boxes.html")});
    QVERIFY(proc.waitForFinished(60000));
    QCOMPARE(proc.exitCode(), 0);
    int pdfPages = 0;
    const QList<PdfWord> words = readBoxes(QString::fromUtf8(dir.read("boxes.html")), &pdfPages);
    QCOMPARE(pdfPages, pages);

    // What should be on the pages, as the layout lays it out.
    QStringList lines;
    for (const QByteArray& l : list)
        lines << QString::fromLatin1(l);
    const QString title = ListPrint::listTitle(ownCall, QDate::currentDate().year());
    const QString h1 = heading1.isEmpty() ? ListPrint::defaultHeading1() : QString(heading1);
    const QString h2 = heading2.isEmpty() ? ListPrint::defaultHeading2() : QString(heading2);
    RecordingCanvas expected;
    QVERIFY(ListPrint::printList(expected, lines, title, h1, h2));
    QCOMPARE(expected.pages(), pages);

    // The fixed points of the layout, so a fault shared by the layout and
    // this comparison still shows.
    auto lineAt = [&](int page, int y) {
        for (const PrintedText& t : expected.texts)
            if (t.page == page && t.y == y)
                return t.text;
        return QString();
    };
    QCOMPARE(lineAt(1, 100), title);
    QCOMPARE(lineAt(1, 143), h1);
    QCOMPARE(lineAt(1, 272), lines[1]);
    if (pages > 1) {
        QCOMPARE(lineAt(1, 2766), ListPrint::pageFootPrefix() + "1");
        QCOMPARE(lineAt(2, 186), h2);
        if (rows > 58)
            QCOMPARE(lineAt(2, 272), lines[58]);
    }

    // Each printed word must sit where its line and column put it: pdftotext
    // reports a word's box from the font's ascent to its descent, i.e. the
    // character cell, so its top is the y the line was drawn at and its left
    // edge the line's x plus the column times the fixed character pitch
    // (tolerance 0.5 mm); its height is the cell height of 4.0 mm (within
    // 0.1 mm, which the font sizes of neighbouring whole units would miss).
    const double originX = answer.margins.left() * 10;
    const double originY = answer.margins.top() * 10;
    const double pitch =
        QFontMetricsF(QtPrinterCanvas::listFont(false)).horizontalAdvance(QLatin1Char(' ')) / 10.0;
    constexpr double tolerance = 5.0;
    QList<bool> used(words.size(), false);
    int expectedWords = 0;
    for (const PrintedText& t : expected.texts) {
        for (const auto& [column, word] : wordsWithColumns(t.text)) {
            ++expectedWords;
            const double x = originX + t.x + column * pitch;
            const double y = originY + t.y;
            bool found = false;
            for (int i = 0; i < words.size() && !found; ++i) {
                const PdfWord& w = words[i];
                if (used[i] || w.page != t.page || w.text != word)
                    continue;
                if (qAbs(w.yMin - y) <= tolerance && qAbs(w.xMin - x) <= tolerance) {
                    QVERIFY2(qAbs(w.yMax - w.yMin - ListPrint::kCellHeight) <= 1.0,
                             qPrintable(QStringLiteral("cell of \"%1\": %2..%3")
                                            .arg(word)
                                            .arg(w.yMin)
                                            .arg(w.yMax)));
                    used[i] = true;
                    found = true;
                }
            }
            QVERIFY2(found, qPrintable(QStringLiteral("\"%1\" not at page %2 x %3 y %4")
                                           .arg(word)
                                           .arg(t.page)
                                           .arg(x)
                                           .arg(y)));
        }
    }
    // Nothing else is on the pages.
    QCOMPARE(words.size(), expectedWords);
}

QTEST_MAIN(TestDrucken)
#include "tst_drucken.moc"

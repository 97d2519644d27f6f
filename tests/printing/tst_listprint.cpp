// The layout of the printed list: title, headings, list slots, page feet and
// page breaks, recorded on a canvas that keeps every call.
#include "printing/ListPrint.h"
#include "support/printing_RecordingCanvas.h"

#include <QtTest>

using namespace ListPrint;

namespace
{
const QString kTitle = QStringLiteral("Vosmira logbook DL1ABC 2024");
const QString kH1 = QStringLiteral("HEADING ONE");
const QString kH2 = QStringLiteral("    heading two");

// The list as the builder writes it: an empty first line, then one row per QSO.
QStringList listOf(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << (i == 0 ? QString() : QStringLiteral("row %1").arg(i));
    return lines;
}
} // namespace

class TestListPrint : public QObject
{
    Q_OBJECT
private slots:
    void title_data();
    void title();
    void headings();
    void splitLines_data();
    void splitLines();
    void layout_data();
    void layout();
    void callSequence();
    void refusedJob();
    void progressAndCancel();
};

void TestListPrint::title_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("expected");
    QTest::newRow("with call") << QByteArray("DL1ABC") << 2024
                               << QStringLiteral("Vosmira logbook DL1ABC 2024");
    QTest::newRow("no call") << QByteArray() << 2025 << QStringLiteral("Vosmira logbook 2025");
    QTest::newRow("blanks only") << QByteArray("   ") << 2025
                                 << QStringLiteral("Vosmira logbook 2025");
    QTest::newRow("blanks around")
        << QByteArray(" DK2XY/P \t") << 1999 << QStringLiteral("Vosmira logbook DK2XY/P 1999");
    QTest::newRow("Windows-1252 byte")
        << QByteArray("OE\xC4X") << 2030 << QStringLiteral("Vosmira logbook OE\u00C4X 2030");
}

void TestListPrint::title()
{
    QFETCH(QByteArray, call);
    QFETCH(int, year);
    QFETCH(QString, expected);
    QCOMPARE(listTitle(call, year), expected);
}

void TestListPrint::headings()
{
    const QString h1 = defaultHeading1();
    const QString h2 = defaultHeading2();
    QCOMPARE(
        h1, QStringLiteral("Datum      Zeit   Call     Loc   Band Mod  RST   RST   e-QSL   e-QSL"));
    QCOMPARE(h1.size(), 68);
    QCOMPARE(h2.size(), 66);
    QCOMPARE(h2.left(44), QString(44, QLatin1Char(' ')));
    QCOMPARE(h2.mid(44), QStringLiteral("in   out    out     in"));

    QCOMPARE(headingOrDefault(QByteArray(), h1), h1);
    QCOMPARE(headingOrDefault(QByteArray("Datum \xB0"), h1), QStringLiteral("Datum \u00B0"));

    QCOMPARE(pageFootPrefix(), QString(42, QLatin1Char(' ')) + QStringLiteral("Page:  "));
}

void TestListPrint::splitLines_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{QString()};
    QTest::newRow("list as written")
        << QByteArray("\r\nrow 1\r\nrow 2\r\n") << QStringList{QString(), "row 1", "row 2"};
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("empty lines at the end")
        << QByteArray("a\r\n\r\n\r\n") << QStringList{"a", QString(), QString()};
    // The one rule of every reader: a line ends at LF (a CR before it
    // belongs to the end); a CR alone is text.
    QTest::newRow("LF and CR alone") << QByteArray("a\nb\rc\r\nd") << QStringList{"a", "b\rc", "d"};
    QTest::newRow("a CR after LF starts the next line")
        << QByteArray("a\n\rb") << QStringList{"a", "\rb"};
    QTest::newRow("blanks kept") << QByteArray("  a  \r\n") << QStringList{"  a  "};
    QTest::newRow("Windows-1252") << QByteArray("\x80 \xE4\xF6\xFC\xDF\r\n")
                                  << QStringList{QStringLiteral("\u20AC \u00E4\u00F6\u00FC\u00DF")};
}

void TestListPrint::splitLines()
{
    QFETCH(QByteArray, image);
    QFETCH(QStringList, lines);
    QCOMPARE(splitListLines(image), lines);
}

void TestListPrint::layout_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QList<int>>("footPages");
    QTest::addColumn<int>("lastPage");
    QTest::addColumn<int>("lastY");
    QTest::newRow("1 line") << 1 << 1 << QList<int>{} << 1 << 229;
    QTest::newRow("10 lines: one page") << 10 << 1 << QList<int>{} << 1 << 616;
    QTest::newRow("57 lines") << 57 << 1 << QList<int>{} << 1 << 2637;
    QTest::newRow("58 lines fill page 1") << 58 << 2 << QList<int>{1} << 1 << 2680;
    QTest::newRow("59 lines") << 59 << 2 << QList<int>{1} << 2 << 272;
    QTest::newRow("58+57 lines fill page 2") << 115 << 3 << QList<int>{1, 2} << 2 << 2680;
    QTest::newRow("58+58 lines") << 116 << 3 << QList<int>{1, 2} << 3 << 272;
    QTest::newRow("300 lines") << 300 << 6 << QList<int>{1, 2, 3, 4, 5} << 6 << 831;
}

void TestListPrint::layout()
{
    QFETCH(int, count);
    QFETCH(int, pages);
    QFETCH(QList<int>, footPages);
    QFETCH(int, lastPage);
    QFETCH(int, lastY);

    const QStringList lines = listOf(count);
    RecordingCanvas canvas;
    QVERIFY(printList(canvas, lines, kTitle, kH1, kH2));

    QCOMPARE(canvas.calls.first(), QStringLiteral("begin"));
    QCOMPARE(canvas.calls.last(), QStringLiteral("end"));
    QCOMPARE(canvas.calls.count(QStringLiteral("begin")), 1);
    QCOMPARE(canvas.calls.count(QStringLiteral("end")), 1);
    QCOMPARE(canvas.calls.count(QStringLiteral("newPage")), pages - 1);
    QCOMPARE(canvas.pages(), pages);

    QStringList listed;
    QList<int> feet;
    PrintedText last;
    for (int page = 1; page <= pages; ++page) {
        const QList<PrintedText> texts = canvas.onPage(page);
        int i = 0;
        if (page == 1) {
            QVERIFY(texts.size() >= 3);
            const PrintedText& t = texts[i++];
            QCOMPARE(t.text, kTitle);
            QCOMPARE(t.y, 100);
            QVERIFY(t.bold);
        }
        // Both headings, bold, on every page.
        QVERIFY(texts.size() >= i + 2);
        QCOMPARE(texts[i].text, kH1);
        QCOMPARE(texts[i].y, 143);
        QVERIFY(texts[i].bold);
        QCOMPARE(texts[i + 1].text, kH2);
        QCOMPARE(texts[i + 1].y, 186);
        QVERIFY(texts[i + 1].bold);
        i += 2;
        // The list lines, regular, one slot apart from the page's first slot.
        int y = page == 1 ? 229 : 272;
        for (; i < texts.size() && !texts[i].bold; ++i, y += 43) {
            QCOMPARE(texts[i].y, y);
            QVERIFY(texts[i].y <= 2680);
            listed << texts[i].text;
            last = texts[i];
        }
        // At most a foot line after them.
        if (i < texts.size()) {
            QCOMPARE(texts[i].y, 2766);
            QVERIFY(texts[i].bold);
            QCOMPARE(texts[i].text, pageFootPrefix() + QString::number(page));
            feet << page;
            ++i;
        }
        QCOMPARE(i, texts.size());
        for (const PrintedText& t : texts)
            QCOMPARE(t.x, 120);
    }
    QCOMPARE(listed, lines);
    QCOMPARE(feet, footPages);
    QCOMPARE(last.page, lastPage);
    QCOMPARE(last.y, lastY);
}

void TestListPrint::callSequence()
{
    {
        RecordingCanvas canvas;
        QVERIFY(printList(canvas, QStringList{"only"}, kTitle, kH1, kH2));
        const QStringList expected{"begin",
                                   "bold",
                                   "text 120,100 " + kTitle,
                                   "text 120,143 " + kH1,
                                   "text 120,186 " + kH2,
                                   "regular",
                                   "text 120,229 only",
                                   "end"};
        QCOMPARE(canvas.calls, expected);
    }
    {
        // A list that ends in the last slot: the foot, the break, then a page
        // with only the headings; the job ends there.
        RecordingCanvas canvas;
        QVERIFY(printList(canvas, listOf(58), kTitle, kH1, kH2));
        const QStringList expectedTail{"text 120,2680 row 57",
                                       "bold",
                                       "text 120,2766 " + pageFootPrefix() + "1",
                                       "newPage",
                                       "text 120,143 " + kH1,
                                       "text 120,186 " + kH2,
                                       "regular",
                                       "end"};
        QCOMPARE(canvas.calls.mid(canvas.calls.size() - expectedTail.size()), expectedTail);
        QCOMPARE(canvas.calls.last(), QStringLiteral("end"));
    }
}

void TestListPrint::refusedJob()
{
    RecordingCanvas canvas;
    canvas.refuseBegin = true;
    QVERIFY(!printList(canvas, listOf(5), kTitle, kH1, kH2));
    QCOMPARE(canvas.calls, QStringList{"begin"});
    QVERIFY(canvas.texts.isEmpty());
}

void TestListPrint::progressAndCancel()
{
    // The page count is known before printing; every page after the first
    // is announced, and a "no" aborts the job right there.
    QCOMPARE(pageCount(0), 1);
    QCOMPARE(pageCount(57), 1);
    QCOMPARE(pageCount(58), 2); // the last slot filled: a page of headings follows
    QCOMPARE(pageCount(58 + 57), 3);
    QCOMPARE(pageCount(1700 * 57), 1700);
    RecordingCanvas whole;
    QList<int> asked;
    QVERIFY(printList(whole, listOf(200), kTitle, kH1, kH2, [&](int page, int pages) {
        asked << page;
        return pages == 4;
    }));
    QCOMPARE(asked, (QList<int>{2, 3, 4}));
    QCOMPARE(whole.pages(), pageCount(200));

    RecordingCanvas cancelled;
    bool wasCancelled = false;
    QVERIFY(printList(
        cancelled, listOf(200), kTitle, kH1, kH2, [](int page, int) { return page < 3; },
        &wasCancelled));
    QVERIFY(wasCancelled);
    QCOMPARE(cancelled.pages(), 2);
    QCOMPARE(cancelled.calls.last(), QStringLiteral("abort"));
    QVERIFY(!cancelled.calls.contains(QStringLiteral("end")));
}

QTEST_MAIN(TestListPrint)
#include "tst_listprint.moc"

// The field lookup rule and the one-pass scanner that the loader uses.
#include "logdata/FieldLookup.h"
#include "logdata/LineTable.h"

#include <QTest>

#include <random>

class TestFieldLookup : public QObject
{
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void scannerAgreesWithLookup();
    void wholeImageScanAgreesWithLineByLine();
    void neverReadsPastTheLine();
};

namespace
{
const TagSpec* tagByName(const QByteArray& n)
{
    static const struct {
        const char* name;
        const TagSpec* tag;
    } tags[] = {{"call", &StdTags::Call},         {"date", &StdTags::QsoDate},
                {"comment", &StdTags::Comment},   {"time", &StdTags::TimeOn},
                {"freq", &StdTags::Freq},         {"band", &StdTags::Band},
                {"mode", &StdTags::Mode},         {"grid", &StdTags::Gridsquare},
                {"rcvd", &StdTags::RstRcvd},      {"sent", &StdTags::RstSent},
                {"eqslsent", &StdTags::EqslSent}, {"eqslrcvd", &StdTags::EqslRcvd}};
    for (const auto& t : tags)
        if (n == t.name)
            return t.tag;
    return nullptr;
}
} // namespace

void TestFieldLookup::lookup_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("declared");
    QTest::addColumn<QByteArray>("value");
    const int P = FieldValue::Present, A = FieldValue::Absent, U = FieldValue::Unreadable;

    QTest::newRow("lower call") << QByteArray("<call:6>DL1ABC <eor>") << QByteArray("call") << P
                                << 6 << QByteArray("DL1ABC");
    QTest::newRow("upper call") << QByteArray("<CALL:6>DL1ABC <EOR>") << QByteArray("call") << P
                                << 6 << QByteArray("DL1ABC");
    QTest::newRow("mixed case not found")
        << QByteArray("<Call:6>DL1ABC <eor>") << QByteArray("call") << A << 0 << QByteArray();
    QTest::newRow("lower wins over upper") << QByteArray("<CALL:4>AAAA <call:4>BBBB")
                                           << QByteArray("call") << P << 4 << QByteArray("BBBB");
    QTest::newRow("comment 12 of 12")
        << QByteArray("<comment:12>tnx fer qso! <eor>") << QByteArray("comment") << P << 12
        << QByteArray("tnx fer qso!");
    QTest::newRow("comment 5 of 12") << QByteArray("<comment:5>tnx fer qso! <eor>")
                                     << QByteArray("comment") << P << 5 << QByteArray("tnx f");
    QTest::newRow("submode before mode gives FT4")
        << QByteArray("<submode:3>FT4 <mode:4>MFSK <eor>") << QByteArray("mode") << P << 3
        << QByteArray("FT4");
    QTest::newRow("text inside a value is found first")
        << QByteArray("<comment:9>band open <band:3>20m") << QByteArray("band") << U << 0
        << QByteArray();
    QTest::newRow("length beyond the line gives the rest")
        << QByteArray("<call:9>DL1AB") << QByteArray("call") << P << 9 << QByteArray("DL1AB");
    QTest::newRow("value cut to the buffer")
        << QByteArray("<band:8>12345678") << QByteArray("band") << P << 8 << QByteArray("12345");
    QTest::newRow("one digit rule skips the bracket untested")
        << QByteArray("<freq:6X14.074") << QByteArray("freq") << P << 6 << QByteArray("14.074");
    QTest::newRow("two digits on a one-or-two digit tag")
        << QByteArray("<comment:15>123456789012345 <eor>") << QByteArray("comment") << P << 15
        << QByteArray("123456789012345");
    QTest::newRow("two digits skip the bracket untested")
        << QByteArray("<call:10X1234567890") << QByteArray("call") << P << 10
        << QByteArray("1234567890");
    // Lengths with more digits than the rule expects are read whole.
    QTest::newRow("ten character frequency")
        << QByteArray("<freq:10>144.174000 <eor>") << QByteArray("freq") << P << 10
        << QByteArray("144.174000");
    const QByteArray longComment(150, 'x');
    QTest::newRow("three digit comment length")
        << QByteArray("<comment:150>" + longComment + " <eor>") << QByteArray("comment") << P << 150
        << longComment;
    QTest::newRow("type indicator, one-or-two rule")
        << QByteArray("<call:6:S>DL1ABC") << QByteArray("call") << P << 6 << QByteArray("DL1ABC");
    QTest::newRow("type indicator, date") << QByteArray("<QSO_DATE:8:D>20240315")
                                          << QByteArray("date") << P << 8 << QByteArray("20240315");
    QTest::newRow("type indicator, one-digit rule")
        << QByteArray("<freq:9:N>14.074000") << QByteArray("freq") << P << 9
        << QByteArray("14.074000");
    QTest::newRow("not a decimal length")
        << QByteArray("<call:x>DL1ABC") << QByteArray("call") << U << 0 << QByteArray();
    QTest::newRow("one digit then junk on a one-or-two tag")
        << QByteArray("<call:6x>DL1ABC") << QByteArray("call") << U << 0 << QByteArray();
    QTest::newRow("absent") << QByteArray("<band:3>20m") << QByteArray("freq") << A << 0
                            << QByteArray();
    QTest::newRow("search text at the very end")
        << QByteArray("<band:3>20m freq") << QByteArray("freq") << U << 0 << QByteArray();
    QTest::newRow("zero length") << QByteArray("<band:0><mode:3>FT8") << QByteArray("band") << P
                                 << 0 << QByteArray();
    QTest::newRow("time on") << QByteArray("<time_on:6>123456") << QByteArray("time") << P << 6
                             << QByteArray("123456");
    QTest::newRow("eqsl sent cut to 2") << QByteArray("<eqsl_qsl_sent:3>YES")
                                        << QByteArray("eqslsent") << P << 3 << QByteArray("YE");
}

void TestFieldLookup::lookup()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, tag);
    QFETCH(int, status);
    QFETCH(int, declared);
    QFETCH(QByteArray, value);
    const FieldValue v = lookupField(line, *tagByName(tag));
    QCOMPARE(int(v.status), status);
    if (status == FieldValue::Present) {
        QCOMPARE(v.declared, declared);
        QCOMPARE(v.value.toByteArray(), value);
    }
}

// The loader finds all tags in one pass; it must give the same hits as one
// search per text, on real records and on random junk made of tag fragments.
void TestFieldLookup::scannerAgreesWithLookup()
{
    const TagSpec* tags[] = {&StdTags::Call,    &StdTags::QsoDate,    &StdTags::Comment,
                             &StdTags::TimeOn,  &StdTags::Freq,       &StdTags::Band,
                             &StdTags::Mode,    &StdTags::Gridsquare, &StdTags::RstRcvd,
                             &StdTags::RstSent, &StdTags::EqslSent,   &StdTags::EqslRcvd};
    const TagScanner scanner(tags, 12);
    const char* pieces[] = {"<call:",
                            "<CALL:",
                            "comment",
                            "COMMENT",
                            "time_on",
                            "TIME_ON",
                            "freq",
                            "FREQ",
                            "band",
                            "BAND",
                            "mode",
                            "MODE",
                            "gridsquare",
                            "rst_rcvd",
                            "RST_SENT",
                            "eqsl_qsl_sent",
                            "EQSL_QSL_RCVD",
                            "<qso_date:",
                            "5>",
                            "12>",
                            "123>",
                            "4:N>",
                            ":",
                            ">",
                            "x",
                            " ",
                            "co",
                            "mo",
                            "<",
                            "9"};
    std::mt19937 rng(7);
    for (int round = 0; round < 6000; ++round) {
        // Every scan width: vector blocks, 16-byte blocks and byte by byte.
        TagScanner::limitVectorLevel(round % 3);
        QByteArray line;
        const int n = int(rng() % 60);
        for (int i = 0; i < n; ++i)
            line += pieces[rng() % std::size(pieces)];
        qsizetype hits[12];
        scanner.scan(line, hits);
        for (int t = 0; t < 12; ++t) {
            qsizetype expected = line.indexOf(tags[t]->lower);
            if (expected < 0)
                expected = line.indexOf(tags[t]->upper);
            QCOMPARE(hits[t], expected);
            if (expected >= 0) {
                // The inline reader of the common shape reads as the full one.
                const FieldValue full = readFieldAt(line, expected, *tags[t]);
                FieldValue fast;
                readFieldInto(line, expected, *tags[t], fast);
                QCOMPARE(int(fast.status), int(full.status));
                QCOMPARE(fast.declared, full.declared);
                QCOMPARE(fast.value.data(), full.value.data());
                QCOMPARE(fast.value.size(), full.value.size());
            }
        }
    }

    // Texts of other shapes than the loader's: shorter than three bytes,
    // longer than a vector, alike in their first bytes, without letters, and
    // more distinct beginnings than the scan has groups.
    const TagSpec odd[] = {{"<a", "<A", LengthRule::One, 3, -1},
                           {"application_defined", "APPLICATION_DEFINED", LengthRule::One, 20, -1},
                           {"app_x", "", LengthRule::One, 6, -1},
                           {"app_y", "APP_Y", LengthRule::One, 6, -1},
                           {"::>", "", LengthRule::One, 4, -1},
                           {"z", "Z", LengthRule::One, 2, -1},
                           {"qrz", "QRZ", LengthRule::One, 4, -1},
                           {"sota", "SOTA", LengthRule::One, 5, -1},
                           {"wwff", "WWFF", LengthRule::One, 5, -1},
                           {"iota", "IOTA", LengthRule::One, 5, -1},
                           {"pota", "POTA", LengthRule::One, 5, -1},
                           {"dxcc", "DXCC", LengthRule::One, 5, -1},
                           {"cqz", "CQZ", LengthRule::One, 4, -1}};
    const int oddCount = int(std::size(odd));
    const TagSpec* oddTags[std::size(odd)];
    for (int t = 0; t < oddCount; ++t)
        oddTags[t] = &odd[t];
    const TagScanner oddScanner(oddTags, oddCount);
    const char* oddPieces[] = {"<a",
                               "<A",
                               "application_defined",
                               "APPLICATION_DEFINE",
                               "app_",
                               "x",
                               "APP_Y",
                               "app_y",
                               ":",
                               "::",
                               ">",
                               "z",
                               "Z",
                               "qr",
                               "qrz",
                               "SOTA",
                               "wwf",
                               "iota",
                               "pOTA",
                               "dxcc",
                               "cq",
                               " ",
                               "<"};
    for (int round = 0; round < 6000; ++round) {
        TagScanner::limitVectorLevel(round % 3);
        QByteArray line;
        const int n = int(rng() % 40);
        for (int i = 0; i < n; ++i)
            line += oddPieces[rng() % std::size(oddPieces)];
        qsizetype hits[std::size(odd)];
        oddScanner.scan(line, hits);
        for (int t = 0; t < oddCount; ++t) {
            qsizetype expected = line.indexOf(odd[t].lower);
            if (expected < 0 && !odd[t].upper.isEmpty())
                expected = line.indexOf(odd[t].upper);
            QCOMPARE(hits[t], expected);
        }
    }
    TagScanner::limitVectorLevel(2);
}

// The loader scans a whole file image in one pass across the line ends; it
// must find the same lines and the same hits as splitting the image first and
// scanning each line, whatever the line ends and wherever they fall in a block.
void TestFieldLookup::wholeImageScanAgreesWithLineByLine()
{
    const TagSpec* tags[] = {&StdTags::Call,    &StdTags::QsoDate,    &StdTags::Comment,
                             &StdTags::TimeOn,  &StdTags::Freq,       &StdTags::Band,
                             &StdTags::Mode,    &StdTags::Gridsquare, &StdTags::RstRcvd,
                             &StdTags::RstSent, &StdTags::EqslSent,   &StdTags::EqslRcvd};
    const TagScanner scanner(tags, 12);
    const char* pieces[] = {"<call:6>DL1ABC ",
                            "<CALL:",
                            "<mode:3>FT8 ",
                            "mode",
                            "MODE",
                            "<qso_date:8>20240315 ",
                            "time_on",
                            "<freq:9>14.074000 ",
                            "gridsquare",
                            "rst_rcvd",
                            "RST_SENT",
                            "eqsl_qsl_sent",
                            "<comment:5>hello",
                            "\n",
                            "\r\n",
                            "\r",
                            "\n\n",
                            "<eor>",
                            "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
                            "co",
                            "mo",
                            "<",
                            "ti"};
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        TagScanner::limitVectorLevel(round % 3 == 2 ? round % 2 : 2);
        QByteArray image;
        const int n = int(rng() % 80);
        for (int i = 0; i < n; ++i)
            image += pieces[rng() % std::size(pieces)];
        const QByteArrayView view(image);
        const std::vector<LineSpan> spans = splitLines(view);
        size_t k = 0;
        bool same = true;
        scanner.scanLines(view, [&](qsizetype offset, qsizetype length, const qsizetype* hits) {
            if (k >= spans.size() || spans[k].offset != offset || spans[k].length != length) {
                same = false;
                return;
            }
            qsizetype expected[12];
            scanner.scan(view.sliced(offset, length), expected);
            for (int t = 0; t < 12; ++t)
                same = same && hits[t] == expected[t];
            ++k;
        });
        if (!same || k != spans.size())
            QFAIL(qPrintable(QStringLiteral("round %1: %2")
                                 .arg(round)
                                 .arg(QString::fromLatin1(image.toPercentEncoding()))));
    }
    TagScanner::limitVectorLevel(2);
}

void TestFieldLookup::neverReadsPastTheLine()
{
    // A view onto the start of a larger buffer: the bytes after it must never
    // become part of a value.
    const QByteArray buffer = "<call:9>DL1<mode:5>FT8XXXXXXXXXX";
    for (int len = 0; len <= 19; ++len) {
        const QByteArrayView line(buffer.constData(), len);
        for (const TagSpec* t : {&StdTags::Call, &StdTags::Mode}) {
            const FieldValue v = lookupField(line, *t);
            if (v.present())
                QVERIFY(v.value.data() + v.value.size() <= line.data() + line.size());
        }
    }
}

QTEST_GUILESS_MAIN(TestFieldLookup)
#include "tst_fieldlookup.moc"

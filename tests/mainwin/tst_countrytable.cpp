// The country lookup by call prefix: the keys taken from a call, the table
// walk in which the longest matching key wins, and the flag picture resources.
#include "mainwin/CountryTable.h"
#include "widgets/JpegDecoder.h"

#include <QFile>
#include <QSet>
#include <QtTest>

#include <cstring>

namespace
{

QList<int> visibleList(const CountryResult& r)
{
    QList<int> list;
    for (int i = 0; i < int(r.visible.size()); ++i)
        if (r.visible.test(std::size_t(i)))
            list.append(i);
    return list;
}

CountryResult lookup(const QByteArray& call)
{
    CountryResult r;
    lookupCountry(deriveCallKeys(call), r);
    return r;
}

} // namespace

class TestCountryTable : public QObject
{
    Q_OBJECT
private slots:
    void callKeys_data();
    void callKeys();
    void lookup_data();
    void lookup();
    void resultIsResetByEachLookup();
    void comparisonBound();
    void tableEntries();
    void flagPictures();
    void sharedFlags();
};

void TestCountryTable::callKeys_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<QStringList>("keys"); // 1..5, c3-5, c2-4

    QTest::newRow("long call") << QByteArray("VK9NS/P")
                               << QStringList{"V", "VK", "VK9", "VK9N", "VK9NS", "9NS", "K9N"};
    QTest::newRow("five") << QByteArray("DL1AB")
                          << QStringList{"D", "DL", "DL1", "DL1A", "DL1AB", "1AB", "L1A"};
    QTest::newRow("four") << QByteArray("VK9N")
                          << QStringList{"V", "VK", "VK9", "VK9N", "VK9N", "9N", "K9N"};
    QTest::newRow("three") << QByteArray("HB0")
                           << QStringList{"H", "HB", "HB0", "HB0", "HB0", "0", "B0"};
    QTest::newRow("two") << QByteArray("4U") << QStringList{"4", "4U", "4U", "4U", "4U", "", "U"};
    QTest::newRow("one") << QByteArray("K") << QStringList{"K", "K", "K", "K", "K", "", ""};
    QTest::newRow("empty") << QByteArray() << QStringList{"", "", "", "", "", "", ""};
    QTest::newRow("slash") << QByteArray("SV1/A")
                           << QStringList{"S", "SV", "SV1", "SV1/", "SV1/A", "1/A", "V1/"};
    QTest::newRow("lower case kept")
        << QByteArray("dl1abc") << QStringList{"d", "dl", "dl1", "dl1a", "dl1ab", "1ab", "l1a"};
    QTest::newRow("beyond 20 characters")
        << QByteArray(40, 'Q') << QStringList{"Q", "QQ", "QQQ", "QQQQ", "QQQQQ", "QQQ", "QQQ"};
}

void TestCountryTable::callKeys()
{
    QFETCH(QByteArray, call);
    QFETCH(QStringList, keys);
    const CallKeys k = deriveCallKeys(call);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(QString::fromLatin1(k.text[i]), keys[i]);
        QCOMPARE(int(k.length[i]), int(keys[i].size()));
        QCOMPARE(int(std::strlen(k.text[i])), int(k.length[i]));
    }
}

void TestCountryTable::lookup_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("visible");
    QTest::addColumn<int>("top");

    // One entry only.
    QTest::newRow("OE") << QByteArray("OE3ABC") << "Austria" << QList<int>{9} << 9;
    QTest::newRow("OE alone") << QByteArray("OE") << "Austria" << QList<int>{9} << 9;
    QTest::newRow("single K") << QByteArray("K") << "USA" << QList<int>{62} << 62;
    QTest::newRow("W") << QByteArray("W1AW") << "USA" << QList<int>{62} << 62;
    QTest::newRow("DL") << QByteArray("DL1ABC") << "Germany" << QList<int>{18} << 18;
    QTest::newRow("OK") << QByteArray("OK1XYZ") << "Czech Republic" << QList<int>{12} << 12;
    QTest::newRow("1A") << QByteArray("1A0KM") << "Malta" << QList<int>{22} << 22;
    QTest::newRow("3V") << QByteArray("3V8SS") << "Tunisia" << QList<int>{116} << 116;
    QTest::newRow("2E") << QByteArray("2E0ABC") << "England" << QList<int>{15} << 15;
    QTest::newRow("TK") << QByteArray("TK5XN") << "Corsica" << QList<int>{40} << 40;
    QTest::newRow("EA8 portable") << QByteArray("EA8/DL1ABC") << "Spain" << QList<int>{30} << 30;
    QTest::newRow("Saudi by both keys")
        << QByteArray("7ZA1B") << "Saudi Arabia" << QList<int>{90} << 90;
    QTest::newRow("HZ") << QByteArray("HZ1AB") << "Saudi Arabia" << QList<int>{90} << 90;
    QTest::newRow("9K") << QByteArray("9K2HN") << "Kuwait" << QList<int>{117} << 117;
    QTest::newRow("A6") << QByteArray("A61AJ") << "United Arab Emirates" << QList<int>{82} << 82;
    QTest::newRow("VH") << QByteArray("VH2ABC") << "Australia" << QList<int>{103} << 103;
    QTest::newRow("AX") << QByteArray("AX2ABC") << "Australia" << QList<int>{103} << 103;
    QTest::newRow("OJ0") << QByteArray("OJ0B") << "Market Reef" << QList<int>{16} << 16;
    QTest::newRow("OY") << QByteArray("OY1CT") << "Faeroe Islands" << QList<int>{57} << 57;

    // Several entries match: the longest matching key wins whether it comes
    // before or after the broader one, equally long keys go to the later
    // entry, and only the winner's flag shows.
    QTest::newRow("GM") << QByteArray("GM4ABC") << "Scotland" << QList<int>{28} << 28;
    QTest::newRow("MM") << QByteArray("MM0XYZ") << "Scotland" << QList<int>{28} << 28;
    QTest::newRow("GW") << QByteArray("GW4ABC") << "Wales" << QList<int>{29} << 29;
    QTest::newRow("MI") << QByteArray("MI0ABC") << "Northern Ireland" << QList<int>{50} << 50;
    QTest::newRow("GB") << QByteArray("GB2RS") << "England" << QList<int>{15} << 15;
    QTest::newRow("GU") << QByteArray("GU4YOX") << "Guernsey" << QList<int>{41} << 41;
    QTest::newRow("GD") << QByteArray("GD4ABC") << "Isle of Man" << QList<int>{42} << 42;
    QTest::newRow("GJ") << QByteArray("GJ4ABC") << "Jersey" << QList<int>{43} << 43;
    // Keys from inside the call never override a prefix: the VK entries win.
    QTest::newRow("VK9N") << QByteArray("VK9NS") << "Australia" << QList<int>{103} << 103;
    QTest::newRow("VK9DX") << QByteArray("VK9DX") << "Australia" << QList<int>{103} << 103;
    QTest::newRow("LU9DX") << QByteArray("LU9DX") << "Argentinia" << QList<int>{108} << 108;
    QTest::newRow("HB0") << QByteArray("HB0X") << "Liechtenstein" << QList<int>{51} << 51;
    QTest::newRow("KP4") << QByteArray("KP4AA") << "Puerto Rico" << QList<int>{107} << 107;
    QTest::newRow("NP3") << QByteArray("NP3A") << "Puerto Rico" << QList<int>{107} << 107;
    QTest::newRow("KG4") << QByteArray("KG4AB") << "Guantanamo Bay" << QList<int>{62} << 62;
    QTest::newRow("4U") << QByteArray("4U1UN") << "UN HQ" << QList<int>{65} << 65;
    QTest::newRow("YU6") << QByteArray("YU6AB") << "Montenegro" << QList<int>{44} << 44;
    QTest::newRow("SB") << QByteArray("SB5A") << "Sweden" << QList<int>{31} << 31;
    QTest::newRow("UO") << QByteArray("UO5A") << "Kazakhstan" << QList<int>{85} << 85;
    QTest::newRow("R1FJ") << QByteArray("R1FJ") << "Franz Josef Land" << QList<int>{5} << 5;
    QTest::newRow("4K2 before 4K")
        << QByteArray("4K2X") << "Franz Josef Land" << QList<int>{5} << 5;
    QTest::newRow("4J1 before 4J")
        << QByteArray("4J1FS") << "Malyj Vysotskij Island" << QList<int>{5} << 5;
    QTest::newRow("UA2") << QByteArray("UA2FZ") << "Kaliningrad" << QList<int>{5} << 5;
    QTest::newRow("SV1/A") << QByteArray("SV1/A") << "Mt Athos" << QList<int>{19} << 19;
    QTest::newRow("SV9") << QByteArray("SV9ABC") << "Crete" << QList<int>{19} << 19;
    QTest::newRow("OH0") << QByteArray("OH0X") << "Aland Islands" << QList<int>{56} << 56;
    QTest::newRow("IS0") << QByteArray("IS0ABC") << "Sardinia" << QList<int>{53} << 53;
    QTest::newRow("CY0") << QByteArray("CY0A") << "Sable Island" << QList<int>{63} << 63;
    QTest::newRow("FG") << QByteArray("FG5XY") << "Guadeloupe" << QList<int>{40} << 40;
    QTest::newRow("FM") << QByteArray("FM5AB") << "Martinique" << QList<int>{70} << 70;
    QTest::newRow("FO0") << QByteArray("FO0AAA") << "Clipperton Island" << QList<int>{40} << 40;
    QTest::newRow("FK") << QByteArray("FK8CP") << "New Caledonia" << QList<int>{105} << 105;
    QTest::newRow("AP") << QByteArray("AP2ARS") << "Pakistan" << QList<int>{96} << 96;

    // Nothing matches.
    QTest::newRow("lower case") << QByteArray("dl1abc") << "" << QList<int>{} << 0;
    QTest::newRow("lower case gm") << QByteArray("gm4abc") << "" << QList<int>{} << 0;
    QTest::newRow("empty") << QByteArray() << "" << QList<int>{} << 0;
    QTest::newRow("unknown prefix") << QByteArray("QQ1AA") << "" << QList<int>{} << 0;
    QTest::newRow("leading blank") << QByteArray(" DL1ABC") << "" << QList<int>{} << 0;
}

void TestCountryTable::lookup()
{
    QFETCH(QByteArray, call);
    QFETCH(QString, text);
    QFETCH(QList<int>, visible);
    QFETCH(int, top);
    const CountryResult r = ::lookup(call);
    QCOMPARE(QString::fromLatin1(r.text), text);
    QCOMPARE(visibleList(r), visible);
    QCOMPARE(r.top, top);
    QVERIFY(r.comparisons > 0 && r.comparisons <= 536);
}

void TestCountryTable::resultIsResetByEachLookup()
{
    CountryResult r;
    lookupCountry(deriveCallKeys("GM4ABC"), r);
    QCOMPARE(r.top, 28);
    lookupCountry(deriveCallKeys("OE1XYZ"), r);
    QCOMPARE(QString::fromLatin1(r.text), QStringLiteral("Austria"));
    QCOMPARE(visibleList(r), QList<int>{9});
    lookupCountry(deriveCallKeys(""), r);
    QCOMPARE(QString::fromLatin1(r.text), QString());
    QVERIFY(r.visible.none());
    QCOMPARE(r.top, 0);
}

void TestCountryTable::comparisonBound()
{
    // A call that matches nothing tests every key of every entry once.
    QCOMPARE(::lookup("QQ1AA").comparisons, 536);
    QCOMPARE(::lookup("").comparisons, 536);
    // Calls made from every two-character prefix stay within the bound.
    const QByteArray chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    int matched = 0;
    for (char a : chars) {
        for (char b : chars) {
            const CountryResult r = ::lookup(QByteArray(1, a) + b + "0AB");
            QVERIFY(r.comparisons <= 536);
            if (r.top)
                ++matched;
        }
    }
    QVERIFY(matched > 300);
}

void TestCountryTable::tableEntries()
{
    QCOMPARE(countryEntryCount(), 134);
    struct Spot {
        int index;
        const char* text;
        int picture;
    };
    const Spot spots[] = {
        {0, "Armenia", 2},
        {4, "Russia", 5},
        {8, "Austria", 9},
        {11, "Czech Republic", 12},
        {17, "England", 15},
        {21, "England", 15},
        {28, "Irland", 21},
        {46, "ITU Geneva", 32},
        {51, "Liechtenstein", 51},
        {58, "Market Reef", 16},
        {59, "Faeroe Islands", 57},
        {77, "UN HQ", 65},
        {97, "United Arab Emirates", 82},
        {98, "Kuwait", 117},
        {100, "Georgien", 84},
        {113, "Australia", 103},
        {118, "Norfolk Island", 102},
        {119, "Norfolk Island", 102},
        {125, "Argentinia", 108},
        {133, "Tunisia", 116},
    };
    for (const Spot& s : spots) {
        QCOMPARE(QString::fromLatin1(countryEntryText(s.index)), QString::fromLatin1(s.text));
        QCOMPARE(countryEntryPicture(s.index), s.picture);
    }
    QCOMPARE(QString::fromLatin1(countryEntryText(-1)), QString());
    QCOMPARE(QString::fromLatin1(countryEntryText(134)), QString());
    QCOMPARE(countryEntryPicture(134), 0);

    // Every entry shows a flag picture whose resource decodes, and together
    // the entries use every flag picture but Image97, the second Canadian
    // flag, which no entry shows since the VH..VN prefixes go to Australia.
    initPictureResources();
    QSet<int> used;
    for (int i = 0; i < countryEntryCount(); ++i) {
        const int picture = countryEntryPicture(i);
        QVERIFY2(isFlagPicture(picture), qPrintable(QString::number(i)));
        QVERIFY(std::strlen(countryEntryText(i)) > 0);
        used.insert(picture);
    }
    for (int n = 0; n <= kLastPicture + 1; ++n)
        QCOMPARE(used.contains(n), isFlagPicture(n) && n != 97);
}

void TestCountryTable::flagPictures()
{
    initPictureResources();
    int flags = 0;
    for (int n = -1; n <= 119; ++n) {
        const QString path = flagResourcePath(n);
        const bool flag = n >= 2 && n <= 117 && n != 17 && n != 34;
        QCOMPARE(isFlagPicture(n), flag);
        if (!flag) {
            QVERIFY2(path.isEmpty(), qPrintable(QString::number(n)));
            continue;
        }
        ++flags;
        QVERIFY(path.startsWith(QStringLiteral(":/flags/")) &&
                path.endsWith(QStringLiteral(".jpg")));
        QFile f(path);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
        QString error;
        const QImage image = decodeJpeg(f.readAll(), &error);
        QVERIFY2(!image.isNull(), qPrintable(path + QLatin1Char(' ') + error));
        QCOMPARE(image.size(), QSize(120, 60));
    }
    QCOMPARE(flags, 114);
}

void TestCountryTable::sharedFlags()
{
    // Pictures that stand for the same country show the same file.
    QCOMPARE(flagResourcePath(97), flagResourcePath(63));
    QCOMPARE(flagResourcePath(96), flagResourcePath(92));
    QCOMPARE(flagResourcePath(54), flagResourcePath(25));
    QCOMPARE(flagResourcePath(53), flagResourcePath(23));
    QCOMPARE(flagResourcePath(15), QStringLiteral(":/flags/united-kingdom.jpg"));
    QCOMPARE(flagResourcePath(32), QStringLiteral(":/flags/switzerland.jpg"));
    QCOMPARE(flagResourcePath(65), QStringLiteral(":/flags/united-nations.jpg"));
    QCOMPARE(flagResourcePath(62), QStringLiteral(":/flags/united-states.jpg"));
    QCOMPARE(flagResourcePath(12), QStringLiteral(":/flags/czech-republic.jpg"));
    QCOMPARE(flagResourcePath(28), QStringLiteral(":/flags/scotland.jpg"));
    QCOMPARE(flagResourcePath(29), QStringLiteral(":/flags/wales.jpg"));
    QCOMPARE(flagResourcePath(9), QStringLiteral(":/flags/austria.jpg"));
    QCOMPARE(flagResourcePath(117), QStringLiteral(":/flags/kuwait.jpg"));
    // Distinct countries have distinct files.
    QVERIFY(flagResourcePath(25) != flagResourcePath(31));
    QVERIFY(flagResourcePath(28) != flagResourcePath(15));
}

QTEST_MAIN(TestCountryTable)
#include "tst_countrytable.moc"

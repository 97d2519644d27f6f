// Country resolution from the country file: the Debian package's cty.csv is
// the reference (its rows are the expected values), small files written here
// cover the overrides the packaged file does not use and the choice between
// the operator's file, the packaged one and none.
#include "country/CountryFile.h"
#include "country/CountryResolver.h"
#include "country/CountrySource.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace country;

namespace
{

// The file as Debian ships it, for the tests that need its content: the
// package is a build dependency.
const CountryResolver& packaged()
{
    static const CountryResolver resolver = [] {
        QFile f(QString::fromLatin1(kPackagedCountryFile));
        CountryFileData data;
        if (f.open(QIODevice::ReadOnly))
            parseCtyCsv(f.readAll(), data);
        return CountryResolver(std::move(data));
    }();
    return resolver;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// Two entities with every kind of override.
const QByteArray kSmallFile = "DL,Fed. Rep. of Germany,230,EU,14,28,51.00,-10.00,-1.0,DA DL "
                              "=DL0XX(15)[29]<40.5/-20.25>{AF}~-3.5~;\r\n"
                              "EA8,Canary Islands,29,AF,33,36,28.32,15.85,0.0,EA8 EA8Z{EU};\n";

} // namespace

class TestCountryResolver : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void packagedFile_data();
    void packagedFile();
    void everyItemOfTheFile();
    void overrides();
    void brokenFiles_data();
    void brokenFiles();
    void userFileBeforePackaged();
    void fallbackWithoutFile();
    void brokenUserFileFallsBackWithMessage();
};

void TestCountryResolver::initTestCase()
{
    QVERIFY2(QFile::exists(QString::fromLatin1(kPackagedCountryFile)),
             "hamradio-files is not installed");
    QVERIFY(!packaged().isEmpty());
}

void TestCountryResolver::packagedFile_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<int>("dxcc");
    QTest::addColumn<QString>("line"); // the file's line that matched
    QTest::addColumn<QByteArray>("continent");
    QTest::addColumn<int>("cq");
    QTest::addColumn<int>("itu");

    auto row = [](const char* name, const char* call, int dxcc, const char* line,
                  const char* continent, int cq, int itu) {
        QTest::newRow(name) << QByteArray(call) << dxcc << QString::fromLatin1(line)
                            << QByteArray(continent) << cq << itu;
    };
    // Whole calls ("=") before any prefix.
    row("exact with its own suffix", "3D2AG/P", 460, "Rotuma Island", "OC", 32, 56);
    row("exact beats prefix SY", "SY2A", 180, "Mount Athos", "EU", 20, 28);
    row("exact 4U1UN", "4U1UN", 289, "United Nations HQ", "NA", 5, 8);
    row("exact with zone overrides", "R25EMW", 54, "European Russia", "EU", 17, 19);
    row("exact beats /MM", "N2NL/MM", 291, "United States", "NA", 7, 8);
    row("exact with prefix part", "KC4/W3ASA", 13, "Antarctica", "SA", 13, 74);
    row("exact W1AW/KG4", "W1AW/KG4", 105, "Guantanamo Bay", "NA", 8, 11);
    row("exact in lower case", "3y0x", 199, "Peter 1 Island", "SA", 12, 72);
    row("exact after dropping /P", "SV2ASP/P", 180, "Mount Athos", "EU", 20, 28);
    // The longest prefix.
    row("VK9N before VK", "VK9NS", 189, "Norfolk Island", "OC", 32, 60);
    row("VK9X before VK9", "VK9XX", 35, "Christmas Island", "OC", 29, 54);
    row("VK", "VK2ABC", 150, "Australia", "OC", 30, 59);
    row("HB0 before HB", "HB0ABC", 251, "Liechtenstein", "EU", 14, 28);
    row("HB", "HB9ABC", 287, "Switzerland", "EU", 14, 28);
    row("OH0 before OH", "OH0AB", 5, "Aland Islands", "EU", 15, 18);
    row("OH", "OH2BH", 224, "Finland", "EU", 15, 18);
    row("KH6 before K", "KH6ABC", 110, "Hawaii", "OC", 31, 61);
    row("RA2 before R", "RA2FA", 126, "Kaliningrad", "EU", 15, 29);
    row("EA8 before EA", "EA8ABC", 29, "Canary Islands", "AF", 33, 36);
    row("IS0 before I", "IS0ABC", 225, "Sardinia", "EU", 15, 28);
    row("MM is Scotland", "MM0ABC", 279, "Scotland", "EU", 14, 27);
    row("DL", "DL1ABC", 230, "Fed. Rep. of Germany", "EU", 14, 28);
    row("JD1 prefix", "JD1ABC", 192, "Ogasawara", "AS", 27, 45);
    row("KG4 two letters", "KG4AB", 105, "Guantanamo Bay", "NA", 8, 11);
    row("KG4 three letters is USA", "KG4ABC", 291, "United States", "NA", 5, 8);
    // Zone overrides of prefixes.
    row("W6 CQ and ITU override", "W6ABC", 291, "United States", "NA", 3, 6);
    row("K0 CQ and ITU override", "K0ABC", 291, "United States", "NA", 4, 7);
    row("VE2 ITU override only", "VE2ABC", 1, "Canada", "NA", 5, 4);
    row("UA0 override", "UA0DAB", 15, "Asiatic Russia", "AS", 19, 33);
    row("longer UA0A override", "UA0ABC", 15, "Asiatic Russia", "AS", 18, 32);
    // WAE-only regions count as their DXCC entity.
    row("Sicily is Italy", "IT9ABC", 248, "Sicily", "EU", 15, 28);
    row("African Italy", "IG9ABC", 248, "African Italy", "AF", 33, 37);
    row("European Turkey", "TA1ABC", 390, "European Turkey", "EU", 20, 39);
    row("Vienna Intl Ctr is Austria", "4U1A", 206, "Vienna Intl Ctr", "EU", 15, 28);
    row("Bear Island is Svalbard", "JW1I", 259, "Bear Island", "EU", 40, 18);
    row("Italy", "IK2ABC", 248, "Italy", "EU", 15, 28);
    // Portable forms.
    row("prefix before the call", "EA8/DL1ABC", 29, "Canary Islands", "AF", 33, 36);
    row("prefix after the call", "DL1ABC/EA8", 29, "Canary Islands", "AF", 33, 36);
    row("/P", "DL1ABC/P", 230, "Fed. Rep. of Germany", "EU", 14, 28);
    row("/QRP", "DL1ABC/QRP", 230, "Fed. Rep. of Germany", "EU", 14, 28);
    row("/M", "DL1ABC/M", 230, "Fed. Rep. of Germany", "EU", 14, 28);
    row("/P/QRP", "HB9ABC/P/QRP", 287, "Switzerland", "EU", 14, 28);
    row("prefix, call and /P", "EA8/DL1ABC/P", 29, "Canary Islands", "AF", 33, 36);
    row("letters-only prefix", "DL/PA3ABC", 230, "Fed. Rep. of Germany", "EU", 14, 28);
    row("KH6 before the call", "KH6/W1ABC", 110, "Hawaii", "OC", 31, 61);
    row("KH6 after the call", "W1ABC/KH6", 110, "Hawaii", "OC", 31, 61);
    row("area digit takes the zone of W4", "W6ABC/4", 291, "United States", "NA", 5, 8);
    row("area digit moves UA9 to Europe", "UA9ABC/1", 54, "European Russia", "EU", 16, 29);
    row("area digit moves R1 to Asia", "R1ABC/9", 15, "Asiatic Russia", "AS", 17, 30);
    row("area digit keeps Canada, new ITU", "VE3ABC/2", 1, "Canada", "NA", 5, 4);
    row("Hawaiian call in W1 land", "KH6ABC/1", 291, "United States", "NA", 5, 8);
    row("Alaskan call in W0 land", "KL7ABC/0", 291, "United States", "NA", 4, 7);
    row("area digit keeps the country's digit", "A61AB/5", 391, "United Arab Emirates", "AS", 21,
        39);
    row("/R is a rover, not Russia", "W1ABC/R", 291, "United States", "NA", 5, 8);
    row("blanks around", "  dl1abc ", 230, "Fed. Rep. of Germany", "EU", 14, 28);
}

void TestCountryResolver::packagedFile()
{
    QFETCH(QByteArray, call);
    QFETCH(int, dxcc);
    QFETCH(QString, line);
    QFETCH(QByteArray, continent);
    QFETCH(int, cq);
    QFETCH(int, itu);
    const CountryResolver& r = packaged();
    const Resolution got = r.resolve(call);
    QCOMPARE(got.dxcc, dxcc);
    QVERIFY(got.found());
    QCOMPARE(r.entity(got.entity).name, line);
    // The DXCC entity itself is never a WAE-only line.
    QVERIFY(!r.entity(got.dxccEntity).waeOnly);
    QCOMPARE(r.entity(got.dxccEntity).dxcc, dxcc);
    QCOMPARE(got.location.continentText(), continent);
    QCOMPARE(int(got.location.cqZone), cq);
    QCOMPARE(int(got.location.ituZone), itu);
}

void TestCountryResolver::everyItemOfTheFile()
{
    // Each prefix and whole call of the file, looked up as a call, gives the
    // entity and zones of its own line.
    QFile f(QString::fromLatin1(kPackagedCountryFile));
    QVERIFY(f.open(QIODevice::ReadOnly));
    CountryFileData data;
    QVERIFY(parseCtyCsv(f.readAll(), data));
    const CountryResolver& r = packaged();
    QCOMPARE(r.entityCount(), 346);
    QCOMPARE(int(r.dxccNumbers().size()), 340);
    QVERIFY(r.prefixCount() > 7000);
    QVERIFY(r.wholeCallCount() > 18000);
    // A whole call that is also written as a prefix ("=EF6" of Spain, "EF6"
    // of the Balearic Islands) is that call.
    QSet<QByteArray> wholeCalls;
    for (const FileItem& item : data.items)
        if (item.wholeCall)
            wholeCalls.insert(item.text);
    QByteArrayList wrong;
    int checked = 0;
    for (const FileItem& item : data.items) {
        if (!item.wholeCall && wholeCalls.contains(item.text))
            continue;
        ++checked;
        const Resolution got = r.resolve(item.text);
        if (got.dxcc != data.entities[size_t(item.entity)].dxcc ||
            got.location.cqZone != item.location.cqZone ||
            got.location.ituZone != item.location.ituZone)
            wrong << item.text;
    }
    QCOMPARE(wrong.join(' '), QByteArray());
    QVERIFY(checked > 26000);

    // Calls and suffixes that belong to no entity.
    for (const char* none : {"", "/P", "QQ1ABC", "DL1ABC/MM", "DL1ABC/AM", "EA8/DL1ABC/MM", "#+!"})
        QVERIFY2(!r.resolve(none).found(), none);
    QVERIFY(!CountryResolver().resolve("DL1ABC").found());
}

void TestCountryResolver::overrides()
{
    CountryFileData data;
    QString error;
    QVERIFY2(parseCtyCsv(kSmallFile, data, &error), qPrintable(error));
    const CountryResolver r(std::move(data));
    const Resolution plain = r.resolve("DL1ABC");
    QCOMPARE(plain.dxcc, 230);
    QCOMPARE(plain.location.continentText(), QByteArray("EU"));
    // The file's west-positive longitude and offset, turned east-positive.
    QCOMPARE(plain.location.longitude, 10.0f);
    QCOMPARE(plain.location.utcOffset, 1.0f);
    QCOMPARE(plain.location.latitude, 51.0f);

    const Resolution special = r.resolve("DL0XX");
    QCOMPARE(special.dxcc, 230);
    QCOMPARE(int(special.location.cqZone), 15);
    QCOMPARE(int(special.location.ituZone), 29);
    QCOMPARE(special.location.latitude, 40.5f);
    QCOMPARE(special.location.longitude, 20.25f);
    QCOMPARE(special.location.continentText(), QByteArray("AF"));
    QCOMPARE(special.location.utcOffset, 3.5f);

    const Resolution ea8z = r.resolve("EA8ZZ");
    QCOMPARE(ea8z.dxcc, 29);
    QCOMPARE(ea8z.location.continentText(), QByteArray("EU"));
    QCOMPARE(int(ea8z.location.cqZone), 33);
    QCOMPARE(r.resolve("EA8AA").location.continentText(), QByteArray("AF"));
}

void TestCountryResolver::brokenFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << "no entities";
    QTest::newRow("only blank lines") << QByteArray("\r\n\n") << "no entities";
    QTest::newRow("binary") << QByteArray("\x7f"
                                          "ELF\x02\x01\x01\0\0",
                                          9)
                            << "line 1";
    QTest::newRow("cut in the middle") << kSmallFile + "HB,Switzerland,287,EU,14,28,46"
                                       << "line 3";
    QTest::newRow("no final semicolon")
        << QByteArray("DL,Germany,230,EU,14,28,51,-10,-1,DL") << "line 1";
    QTest::newRow("DXCC not a number")
        << QByteArray("DL,Germany,x,EU,14,28,51,-10,-1,DL;") << "line 1";
    QTest::newRow("CQ zone out of range")
        << QByteArray("DL,Germany,230,EU,41,28,51,-10,-1,DL;") << "line 1";
    QTest::newRow("unknown continent")
        << QByteArray("DL,Germany,230,XX,14,28,51,-10,-1,DL;") << "line 1";
    QTest::newRow("empty list") << QByteArray("DL,Germany,230,EU,14,28,51,-10,-1,;") << "line 1";
    QTest::newRow("bad override") << kSmallFile + "HB,Switzerland,287,EU,14,28,46,-8,-1,HB(99);"
                                  << "line 3";
    QTest::newRow("unclosed override")
        << QByteArray("DL,Germany,230,EU,14,28,51,-10,-1,DL[28;") << "line 1";
    QTest::newRow("bad character")
        << QByteArray("DL,Germany,230,EU,14,28,51,-10,-1,D-L;") << "line 1";
}

void TestCountryResolver::brokenFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    CountryFileData data;
    data.entities.emplace_back(); // a refused file leaves the output alone
    QString error;
    QVERIFY(!parseCtyCsv(content, data, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(int(data.entities.size()), 1);
}

void TestCountryResolver::userFileBeforePackaged()
{
    QTemporaryDir work;
    QTemporaryDir share;
    const QString packagedPath = share.filePath("cty.csv");
    QVERIFY(QFile::copy(QString::fromLatin1(kPackagedCountryFile), packagedPath));

    // Only the packaged file.
    CountrySource s = loadCountrySource(work.path(), packagedPath);
    QCOMPARE(s.kind, CountrySourceKind::PackagedFile);
    QCOMPARE(s.path, packagedPath);
    QVERIFY(s.usesFile());
    QVERIFY(s.problems.isEmpty());
    QVERIFY(s.description().contains(packagedPath));
    QVERIFY(s.description().contains("340"));
    QCOMPARE(s.resolver->resolve("VK9NS").dxcc, 189);

    // The operator's newer file wins, even where it says otherwise.
    writeFile(work.filePath("cty.csv"), kSmallFile);
    s = loadCountrySource(work.path(), packagedPath);
    QCOMPARE(s.kind, CountrySourceKind::UserFile);
    QCOMPARE(s.path, QDir(work.path()).filePath("cty.csv"));
    QVERIFY(s.description().contains(s.path));
    QVERIFY(s.description().contains("2 DXCC"));
    QCOMPARE(s.resolver->resolve("EA8ABC").dxcc, 29);
    QVERIFY(!s.resolver->resolve("VK9NS").found());
}

void TestCountryResolver::fallbackWithoutFile()
{
    QTemporaryDir work;
    const CountrySource s = loadCountrySource(work.path(), work.filePath("nowhere/cty.csv"));
    QCOMPARE(s.kind, CountrySourceKind::BuiltInTable);
    QVERIFY(!s.usesFile());
    QVERIFY(s.problems.isEmpty()); // no file is no problem
    QVERIFY(s.description().contains("built-in"));
    QVERIFY(s.resolver);
    QVERIFY(!s.resolver->resolve("DL1ABC").found());
}

void TestCountryResolver::brokenUserFileFallsBackWithMessage()
{
    QTemporaryDir work;
    QTemporaryDir share;
    const QString packagedPath = share.filePath("cty.csv");
    writeFile(packagedPath, kSmallFile);
    writeFile(work.filePath("cty.csv"), "<html>Not found</html>\n");
    CountrySource s = loadCountrySource(work.path(), packagedPath);
    QCOMPARE(s.kind, CountrySourceKind::PackagedFile);
    QCOMPARE(s.problems.size(), 1);
    QVERIFY2(s.problems[0].contains("line 1"), qPrintable(s.problems[0]));
    QVERIFY(s.problems[0].contains(QDir::toNativeSeparators(work.filePath("cty.csv"))));
    QCOMPARE(s.resolver->resolve("DL1ABC").dxcc, 230);

    // Both unusable: the built-in table, with both reasons.
    writeFile(packagedPath, "");
    QFile::remove(work.filePath("cty.csv"));
    QVERIFY(QDir(work.path()).mkdir("cty.csv")); // a folder of that name
    s = loadCountrySource(work.path(), packagedPath);
    QCOMPARE(s.kind, CountrySourceKind::BuiltInTable);
    QCOMPARE(s.problems.size(), 2);
    QVERIFY2(s.problems[0].contains("folder"), qPrintable(s.problems[0]));
    QVERIFY2(s.problems[1].contains("no entities"), qPrintable(s.problems[1]));
    QVERIFY(!s.resolver->resolve("DL1ABC").found());
}

QTEST_GUILESS_MAIN(TestCountryResolver)
#include "tst_countryresolver.moc"

// The DXCC table over a small fixture log, cell by cell, its updates, the
// "new one" answers, the CSV export, and the entity table (names, flags,
// German names).
#include "country/CountrySource.h"
#include "country/DxccEntities.h"
#include "country/DxccStats.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace country;

namespace
{

std::shared_ptr<const CountryResolver> packagedResolver()
{
    static const auto resolver = [] {
        QFile f(QString::fromLatin1(kPackagedCountryFile));
        CountryFileData data;
        if (f.open(QIODevice::ReadOnly))
            parseCtyCsv(f.readAll(), data);
        return std::make_shared<const CountryResolver>(std::move(data));
    }();
    return resolver;
}

// The fixture log, as WSJT-X and the QSL services write it.
const QByteArrayList kLog = {
    // Germany 20m: LoTW, then eQSL
    "<call:6>DL1ABC <band:3>20m <mode:3>FT8 <lotw_qsl_rcvd:1>Y <eor>",
    "<CALL:6>DL2XYZ <BAND:3>20M <MODE:3>FT4 <EQSL_QSL_RCVD:1>Y <QSL_RCVD:1>N <EOR>",
    // Germany 40m, not confirmed
    "<call:6>DL3AAA <band:3>40m <mode:3>FT8 <eqsl_qsl_rcvd:1>R <eor>",
    // Canary Islands 20m, paper QSL
    "<call:10>EA8/DL1ABC <band:3>20m <mode:3>FT8 <qsl_rcvd:1>Y <eor>",
    // Italy (Sicily) 15m by frequency only; Italy 15m LoTW "V"
    "<call:6>IT9ABC <freq:6:N>21.074 <mode:3>FT8 <eor>",
    "<call:6>IK2ABC <band:3>15m <mode:3>FT8 <lotw_qsl_rcvd:1>v <eor>",
    // maritime mobile: no entity
    "<call:7>W1AW/MM <band:3>20m <mode:3>FT8 <lotw_qsl_rcvd:1>Y <eor>",
    // Norfolk Island 160m, QSL not received
    "<call:5>VK9NS <band:4>160m <mode:3>FT8 <qsl_rcvd:1>N <eor>",
    // Japan on 23cm: outside the band columns, counts for the entity
    "<call:6>JA1ABC <band:4>23cm <mode:3>FT8 <eqsl_qsl_rcvd:1>Y <eor>",
};

enum { B160 = 0, B80 = 1, B40 = 3, B20 = 5, B15 = 7 };

DxccStats built(const QByteArrayList& log)
{
    DxccStats s(packagedResolver());
    for (const QByteArray& line : log)
        s.add(dxccQsoFromAdif(line));
    return s;
}

} // namespace

class TestDxccStats : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void adifFields();
    void bands();
    void cells_data();
    void cells();
    void totalsAndFilter();
    void updates();
    void newOne_data();
    void newOne();
    void loggedQso_data();
    void loggedQso();
    void csv();
    void entityTable();
    void shownCountry();
    void germanNames();
};

void TestDxccStats::initTestCase()
{
    QVERIFY(!packagedResolver()->isEmpty());
}

void TestDxccStats::adifFields()
{
    const DxccQso q =
        dxccQsoFromAdif("<Call:6>DL1ABC <qsl_rcvd:1>N <freq:6:N>14.074 <MODE:3>FT8 "
                        "<lotw_qsl_rcvd:1>Y <eqsl_qsl_rcvd:1>R <call:3>XXX <band:3>20m");
    QCOMPARE(q.call, QByteArrayView("DL1ABC")); // the first field of a name
    QCOMPARE(q.band, QByteArrayView("20m"));
    QCOMPARE(q.freq, QByteArrayView("14.074"));
    QCOMPARE(q.mode, QByteArrayView("FT8"));
    QCOMPARE(q.lotwRcvd, QByteArrayView("Y"));
    QCOMPARE(q.eqslRcvd, QByteArrayView("R"));
    QCOMPARE(q.qslRcvd, QByteArrayView("N"));
    // A length beyond the line, and a tag cut off, end the reading safely.
    const DxccQso cut = dxccQsoFromAdif("<call:40>DL1ABC <band:3");
    QCOMPARE(cut.call, QByteArrayView("DL1ABC <band:3"));
    QVERIFY(cut.band.isEmpty());
    QVERIFY(dxccQsoFromAdif("").call.isEmpty());
}

void TestDxccStats::bands()
{
    QCOMPARE(bandOfAdif("160M"), 0);
    QCOMPARE(bandOfAdif(" 70cm"), kBandCount - 1);
    QCOMPARE(bandOfAdif("1.25m"), 13);
    QCOMPARE(bandOfAdif("23cm"), -1);
    QCOMPARE(bandOfAdif(""), -1);
    QCOMPARE(bandOfFrequency(14.074), int(B20));
    QCOMPARE(bandOfFrequency(1.840), int(B160));
    QCOMPARE(bandOfFrequency(432.2), kBandCount - 1);
    QCOMPARE(bandOfFrequency(11.0), -1);
    QCOMPARE(QByteArray(bandName(B20)), QByteArray("20m"));
    QCOMPARE(QByteArray(bandName(kBandCount)), QByteArray());
}

void TestDxccStats::cells_data()
{
    QTest::addColumn<int>("dxcc");
    QTest::addColumn<int>("band");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("worked");

    QTest::newRow("Germany 20m") << 230 << int(B20) << QByteArray("LE") << 2;
    QTest::newRow("Germany 40m") << 230 << int(B40) << QByteArray("W") << 1;
    QTest::newRow("Germany 80m") << 230 << int(B80) << QByteArray() << 0;
    QTest::newRow("Germany all") << 230 << kAllBands << QByteArray("LE") << 3;
    QTest::newRow("Canary 20m") << 29 << int(B20) << QByteArray("Q") << 1;
    QTest::newRow("Italy 15m") << 248 << int(B15) << QByteArray("L") << 2;
    QTest::newRow("Norfolk 160m") << 189 << int(B160) << QByteArray("W") << 1;
    QTest::newRow("Japan no column") << 339 << int(B20) << QByteArray() << 0; // 23cm is no column
    QTest::newRow("Japan all") << 339 << kAllBands << QByteArray("E") << 1;
    QTest::newRow("USA not worked") << 291 << kAllBands << QByteArray() << 0;
    QTest::newRow("no such number") << 9999 << int(B20) << QByteArray() << 0;
    QTest::newRow("no such band") << 230 << kAllBands + 1 << QByteArray() << 0;
}

void TestDxccStats::cells()
{
    QFETCH(int, dxcc);
    QFETCH(int, band);
    QFETCH(QByteArray, text);
    QFETCH(int, worked);
    const DxccStats s = built(kLog);
    QCOMPARE(s.cellText(dxcc, band), text);
    QCOMPARE(s.cell(dxcc, band).worked, worked);
    QCOMPARE(s.worked(dxcc, band), worked > 0);
}

void TestDxccStats::totalsAndFilter()
{
    DxccStats s = built(kLog);
    QCOMPARE(s.qsoCount(), kLog.size());
    QCOMPARE(s.unresolvedCount(), 1);
    QCOMPARE(s.workedEntities(), (std::vector<int>{29, 189, 230, 248, 339}));
    auto totals = [&](int band) {
        const DxccStats::Totals t = s.totals(band);
        return QPair<int, int>(t.worked, t.confirmed);
    };
    QCOMPARE(totals(B20), qMakePair(2, 2));
    QCOMPARE(totals(B40), qMakePair(1, 0));
    QCOMPARE(totals(B15), qMakePair(1, 1));
    QCOMPARE(totals(B160), qMakePair(1, 0));
    QCOMPARE(totals(B80), qMakePair(0, 0));
    QCOMPARE(totals(kAllBands), qMakePair(5, 4));

    s.setSources(ConfirmPaper);
    QCOMPARE(s.cellText(230, B20), QByteArray("W"));
    QCOMPARE(s.cellText(29, B20), QByteArray("Q"));
    QCOMPARE(totals(B20), qMakePair(2, 1));
    QCOMPARE(totals(kAllBands), qMakePair(5, 1));

    s.setSources(ConfirmLotw | ConfirmEqsl);
    QCOMPARE(s.cellText(29, B20), QByteArray("W"));
    QCOMPARE(totals(kAllBands), qMakePair(5, 3));
    s.setSources(0);
    QCOMPARE(totals(kAllBands), qMakePair(5, 0));
}

void TestDxccStats::updates()
{
    DxccStats s = built(kLog);
    // A QSO appended by WSJT-X.
    const QByteArray appended = "<call:5>ZS6AB <band:3>20m <mode:3>FT8 <eor>";
    s.add(dxccQsoFromAdif(appended));
    QCOMPARE(s.cellText(462, B20), QByteArray("W"));
    // The operator edits: DL3AAA moved from 40m to 80m; the LoTW QSO deleted.
    const QByteArray moved = "<call:6>DL3AAA <band:3>80m <mode:3>FT8 <eor>";
    s.change(dxccQsoFromAdif(kLog[2]), dxccQsoFromAdif(moved));
    s.remove(dxccQsoFromAdif(kLog[0]));
    QCOMPARE(s.cellText(230, B40), QByteArray());
    QCOMPARE(s.cellText(230, B80), QByteArray("W"));
    QCOMPARE(s.cellText(230, B20), QByteArray("E"));
    // The same as building the changed log afresh.
    QByteArrayList now = kLog;
    now[2] = moved;
    now.removeFirst();
    now << appended;
    QCOMPARE(s.toCsv(true), built(now).toCsv(true));
    QCOMPARE(s.qsoCount(), now.size());
    // Everything taken out again.
    for (const QByteArray& line : now)
        s.remove(dxccQsoFromAdif(line));
    QCOMPARE(s.qsoCount(), 0);
    QCOMPARE(s.unresolvedCount(), 0);
    QVERIFY(s.workedEntities().empty());
}

void TestDxccStats::newOne_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("new DXCC") << QByteArray("ZS6ABC") << int(B20) << int(NewOne::NewDxcc)
                              << "new DXCC";
    QTest::newRow("new band") << QByteArray("DL5ZZZ") << int(B80) << int(NewOne::NewBand)
                              << "new band for this DXCC";
    QTest::newRow("worked, not confirmed")
        << QByteArray("DL5ZZZ") << int(B40) << int(NewOne::WorkedNotConfirmed)
        << "worked, not confirmed";
    QTest::newRow("confirmed") << QByteArray("DL5ZZZ") << int(B20) << int(NewOne::Confirmed) << "";
    QTest::newRow("portable call")
        << QByteArray("EA8/K1ABC") << int(B20) << int(NewOne::Confirmed) << "";
    QTest::newRow("no band: all bands")
        << QByteArray("VK9NS") << -1 << int(NewOne::WorkedNotConfirmed) << "worked, not confirmed";
    QTest::newRow("no entity") << QByteArray("DL1ABC/MM") << int(B20) << int(NewOne::NoEntity)
                               << "";
}

void TestDxccStats::newOne()
{
    QFETCH(QByteArray, call);
    QFETCH(int, band);
    QFETCH(int, kind);
    QFETCH(QString, text);
    const DxccStats s = built(kLog);
    const NewOne got = s.classify(call, band);
    QCOMPARE(int(got), kind);
    QCOMPARE(newOneText(got), text);
}

void TestDxccStats::loggedQso_data()
{
    QTest::addColumn<int>("line"); // of the fixture log
    QTest::addColumn<int>("kind");
    QTest::newRow("the entity's only QSO") << 7 << int(NewOne::NewDxcc);
    QTest::newRow("the band's only QSO") << 2 << int(NewOne::NewBand);
    QTest::newRow("the other QSO confirms") << 1 << int(NewOne::Confirmed);
    QTest::newRow("the entity's only QSO, confirmed") << 3 << int(NewOne::NewDxcc);
    QTest::newRow("Italy 15m, by frequency") << 4 << int(NewOne::Confirmed);
    QTest::newRow("Italy 15m, the confirmed one") << 5 << int(NewOne::WorkedNotConfirmed);
    QTest::newRow("no entity") << 6 << int(NewOne::NoEntity);
    QTest::newRow("band outside the columns") << 8 << int(NewOne::NewDxcc);
}

void TestDxccStats::loggedQso()
{
    QFETCH(int, line);
    QFETCH(int, kind);
    const DxccStats s = built(kLog);
    QCOMPARE(int(s.classifyWithout(dxccQsoFromAdif(kLog[line]))), kind);
}

void TestDxccStats::csv()
{
    DxccStats s = built(kLog);
    const QByteArrayList lines = s.toCsv().split('\n');
    QCOMPARE(lines.size(), 1 + 5 + 1 + 1); // header, entities, totals, after the last line end
    QCOMPARE(lines[0], QByteArray("DXCC,Entity,Prefix,160m,80m,60m,40m,30m,20m,17m,15m,12m,10m,"
                                  "6m,4m,2m,1.25m,70cm,Bands worked,Bands confirmed\r"));
    QCOMPARE(lines[1], QByteArray("29,Canary Islands,EA8,,,,,,Q,,,,,,,,,,1,1\r"));
    QCOMPARE(lines[3], QByteArray("230,Fed. Rep. of Germany,DL,,,,W,,LE,,,,,,,,,,2,1\r"));
    QCOMPARE(lines[6], QByteArray(",Total worked / confirmed,,1/0,0/0,0/0,1/0,0/0,2/2,0/0,1/1,0/0,"
                                  "0/0,0/0,0/0,0/0,0/0,0/0,5,4\r"));
    QCOMPARE(s.toCsv(true).count('\n'), 1 + 340 + 1);
    QVERIFY(lines[2].startsWith("189,Norfolk Island,VK9N,W,"));
}

void TestDxccStats::entityTable()
{
    // Every entity of the country file has a name (the file's) and, but for
    // three without a flag of their own or an owner's and Kosovo (whose flag
    // iso-flags-svg does not draw), a flag.
    const CountryResolver& r = *packagedResolver();
    QStringList noFlag;
    for (int dxcc : r.dxccNumbers()) {
        const DxccEntityInfo* e = dxccEntityInfo(dxcc);
        QVERIFY2(e, qPrintable(QString::number(dxcc)));
        QCOMPARE(QString::fromLatin1(e->name), r.entity(r.entityOfDxcc(dxcc)).name);
        if (dxccFlagResource(dxcc).isEmpty())
            noFlag << QString::fromLatin1(e->name);
    }
    QCOMPARE(dxccEntityCount(), int(r.dxccNumbers().size()));
    QCOMPARE(noFlag, (QStringList{"Sov Mil Order of Malta", "Spratly Islands", "Scarborough Reef",
                                  "Republic of Kosovo"}));
    // Territories with their owner's flag; the program's older pictures kept.
    QCOMPARE(dxccFlagResource(40), QStringLiteral(":/flags/greece.jpg"));         // Crete
    QCOMPARE(dxccFlagResource(138), QStringLiteral(":/flags/united-states.jpg")); // Kure
    QCOMPARE(dxccFlagResource(279), QStringLiteral(":/flags/scotland.jpg"));
    QCOMPARE(dxccFlagResource(289), QStringLiteral(":/flags/united-nations.jpg"));
    QCOMPARE(dxccFlagResource(176), QStringLiteral(":/flags/fj.jpg")); // Fiji, a new picture
    QCOMPARE(QByteArray(dxccEntityInfo(176)->flagCode), QByteArray("fj"));
    QVERIFY(!dxccEntityInfo(0));
    QVERIFY(!dxccEntityInfo(2)); // a deleted entity
    QCOMPARE(dxccEntityName(999, "From the file"), QStringLiteral("From the file"));
    // The drawings named exist in iso-flags-svg (but Kosovo's, not in the package).
    const QDir svg("/usr/share/iso-flags-svg/country-4x3");
    if (!svg.exists())
        QSKIP("iso-flags-svg is not installed");
    QStringList missing;
    for (int i = 0; i < dxccEntityCount(); ++i) {
        const QString code = QString::fromLatin1(dxccEntityAt(i).flagCode);
        if (!code.isEmpty() && !svg.exists(code + ".svg"))
            missing << code;
    }
    QCOMPARE(missing, QStringList{"xk"});
}

void TestDxccStats::shownCountry()
{
    const CountryResolver& r = *packagedResolver();
    ShownCountry c = showCountry(r, "EA8/DL1ABC/P");
    QCOMPARE(c.dxcc, 29);
    QCOMPARE(c.name, QStringLiteral("Canary Islands"));
    QVERIFY(c.region.isEmpty());
    QCOMPARE(c.flagResource, QStringLiteral(":/flags/spain.jpg"));
    QCOMPARE(c.continent, QByteArray("AF"));
    QCOMPARE(c.cqZone, 33);
    QCOMPARE(c.ituZone, 36);
    c = showCountry(r, "IT9ABC");
    QCOMPARE(c.name, QStringLiteral("Italy"));
    QCOMPARE(c.region, QStringLiteral("Sicily"));
    c = showCountry(r, "DL1ABC/MM");
    QCOMPARE(c.dxcc, 0);
    QVERIFY(c.name.isEmpty() && c.flagResource.isEmpty());
}

void TestDxccStats::germanNames()
{
    QCOMPARE(dxccEntityName(29), QStringLiteral("Canary Islands"));
    QVERIFY(installCountryTranslation("Ger"));
    QCOMPARE(dxccEntityName(29), QStringLiteral("Kanarische Inseln"));
    QCOMPARE(dxccEntityName(230), QStringLiteral("Bundesrepublik Deutschland"));
    QCOMPARE(newOneText(NewOne::NewDxcc), QStringLiteral("neues DXCC-Gebiet"));
    QVERIFY(loadCountrySource(QDir::tempPath(), QString()).description().startsWith("Länder"));
    QVERIFY(!installCountryTranslation("Eng")); // English is the source
    QCOMPARE(dxccEntityName(29), QStringLiteral("Canary Islands"));
}

QTEST_GUILESS_MAIN(TestDxccStats)
#include "tst_dxccstats.moc"

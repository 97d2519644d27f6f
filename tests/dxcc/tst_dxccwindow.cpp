// The countries in the windows: the view names the entity and its flag from
// the country file (and from the built-in table without one), the view and
// the new-QSO form say what a QSO is for the log, the DXCC window over a
// small log cell by cell with its filter, totals, CSV export and the log
// growing under it, and the country file's download against a stand-in site.
#include "country/CountrySource.h"
#include "country/DxccEntities.h"
#include "dxcc/CountryFileDownload.h"
#include "dxcc/DxccLog.h"
#include "dxcc/DxccWindow.h"
#include "editing/auswahl_select.h"
#include "editing/del_qso.h"
#include "editing/message_del.h"
#include "editing/new_call.h"
#include "settings/config.h"
#include "support/editing_Fixture.h"
#include "widgets/Widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

using namespace country;

namespace
{
QByteArray qso(const QByteArray& call, const QByteArray& band, const QByteArray& more = {})
{
    return "<call:" + QByteArray::number(call.size()) + ">" + call +
           " <qso_date:8>20240314 <time_on:6>141500 <band:" + QByteArray::number(band.size()) +
           ">" + band + " <mode:3>FT8 " + more + "<eor>";
}

// Grid rows 0 .. 8.
QList<QByteArray> fixtureLog()
{
    return {
        qso("DL1ABC", "20m", "<lotw_qsl_rcvd:1>Y "),  // Germany 20m, LoTW
        qso("DL2XYZ", "20m", "<eqsl_qsl_rcvd:1>Y "),  // Germany 20m, eQSL
        qso("DL3AAA", "40m"),                         // Germany 40m
        qso("EA8/DL1ABC", "20m", "<qsl_rcvd:1>Y "),   // Canary Islands 20m, QSL card
        qso("VK9NS", "160m"),                         // Norfolk Island, its only QSO
        qso("IK2ABC", "15m", "<lotw_qsl_rcvd:1>V "),  // Italy 15m, LoTW
        qso("IT9ABC", "17m"),                         // Italy (Sicily) 17m
        qso("W1AW/MM", "20m", "<lotw_qsl_rcvd:1>Y "), // maritime mobile: no entity
        qso("DL4BBB", "40m"),                         // Germany 40m again
    };
}

const QString kPackaged = QString::fromLatin1(kPackagedCountryFile);

// The countries from a user file: the packaged one copied into the working
// directory.
void useUserFile(const EditingProgram& p)
{
    QFile::remove(p.dir->file("cty.csv"));
    QVERIFY(QFile::copy(kPackaged, p.dir->file("cty.csv")));
    useCountrySource(loadCountrySource(p.dir->path(), QString()));
    QCOMPARE(windows().Countries->source().kind, CountrySourceKind::UserFile);
}

int rowOf(const QAbstractItemModel* m, int dxcc)
{
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, 2).data().toInt() == dxcc)
            return r;
    return -1;
}

// The band cells of an entity's row, "160m" to "70cm", joined with "|".
QString bandCells(const DxccWindow* w, int dxcc)
{
    const QAbstractItemModel* m = w->Table->model();
    const int r = rowOf(m, dxcc);
    if (r < 0)
        return QStringLiteral("(no row)");
    QStringList cells;
    for (int c = 3; c < m->columnCount(); ++c)
        cells << m->index(r, c).data().toString();
    return cells.join(QLatin1Char('|'));
}

enum { B160 = 0, B40 = 3, B20 = 5, B17 = 6, B15 = 7 };

// Band cells as bandCells() gives them: the cells named, the others empty.
QString cells(const QList<QPair<int, QString>>& named)
{
    QStringList all(kBandCount);
    for (const auto& [band, text] : named)
        all[band] = text;
    return all.join(QLatin1Char('|'));
}

QString totals(const DxccWindow* w)
{
    QStringList all;
    for (int c = 3; c < w->Totals->columnCount(); ++c)
        all << w->Totals->item(0, c)->text();
    return all.join(QLatin1Char('|'));
}
} // namespace

class TestDxccWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void viewNamesTheEntity();
    void brokenUserFile();
    void newOneInTheViewAndTheForm();
    void tableCellByCell();
    void exportAndLiveLog();
    void download();
};

void TestDxccWindow::initTestCase()
{
    if (!QFile::exists(kPackaged))
        QSKIP("hamradio-files is not installed");
}

void TestDxccWindow::viewNamesTheEntity()
{
    EditingProgram p(fixtureLog(), "Ger");
    TForm2* v = windows().Form2;
    // Without a country file, the built-in table as before: VK9 is Australia.
    EditingProgram::openRow(4);
    QCOMPARE(v->Panel6->text(), QStringLiteral("Australien"));
    QVERIFY(v->Image1->isVisible());
    QVERIFY(!v->FileFlag->isVisible());
    QVERIFY(v->NewOne->text().isEmpty());
    QVERIFY(v->Panel6->toolTip().contains(QStringLiteral("cty.csv")) == false);

    useUserFile(p);
    EditingProgram::openRow(4);
    // The entity in the window's language, its flag, none of the old pictures.
    QCOMPARE(v->Panel6->text(), QStringLiteral("Norfolkinsel"));
    QVERIFY(v->FileFlag->isVisible());
    QCOMPARE(v->FileFlag->property("flagResource").toString(), dxccFlagResource(189));
    QVERIFY(!v->FileFlag->pixmap().isNull());
    for (int n = 2; n <= kLastPicture; ++n)
        QVERIFY2(!v->Images[size_t(n)]->isVisible(), qPrintable(QString::number(n)));
    QVERIFY(v->Panel6->toolTip().contains(p.dir->file("cty.csv")));
    // A portable call in another entity, and a WAE region.
    EditingProgram::openRow(3);
    QCOMPARE(v->Panel6->text(), QStringLiteral("Kanarische Inseln"));
    EditingProgram::openRow(6);
    QVERIFY2(v->Panel6->text().startsWith(QStringLiteral("Italien (Sicily")),
             qPrintable(v->Panel6->text()));
    // Maritime mobile belongs to no entity: no name, no flag.
    EditingProgram::openRow(7);
    QVERIFY(!v->Panel6->isVisible());
    QVERIFY(!v->FileFlag->isVisible());

    // The DXCC window in the same language.
    QTest::mouseClick(windows().Form1->DxccButton, Qt::LeftButton);
    const QAbstractItemModel* m = windows().Dxcc->Table->model();
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Gebiet"));
    QCOMPARE(m->index(rowOf(m, 230), 0).data().toString(),
             QStringLiteral("Bundesrepublik Deutschland"));
    windows().Dxcc->hide();

    // Back to the built-in table.
    useCountrySource(CountrySource());
    EditingProgram::openRow(4);
    QCOMPARE(v->Panel6->text(), QStringLiteral("Australien"));
    QVERIFY(!v->FileFlag->isVisible());
}

void TestDxccWindow::brokenUserFile()
{
    // A cty.csv in the working directory that is not a country file: the
    // packaged one is used, and the main window says why.
    EditingProgram p(fixtureLog());
    QVERIFY(p.dir->write("cty.csv", "<html>Not found</html>\n"));
    useCountrySource(loadCountrySource(p.dir->path()));
    QCOMPARE(windows().Countries->source().kind, CountrySourceKind::PackagedFile);
    QVERIFY2(windows().Form1->statusText().contains(QStringLiteral("is not a country file")),
             qPrintable(windows().Form1->statusText()));
    EditingProgram::openRow(4);
    QCOMPARE(windows().Form2->Panel6->text(), QStringLiteral("Norfolk Island"));
}

void TestDxccWindow::newOneInTheViewAndTheForm()
{
    EditingProgram p(fixtureLog());
    useUserFile(p);
    TForm2* v = windows().Form2;
    // The QSO is shown without waiting for the log to be counted (a large
    // log takes a good part of a second); what it is for the DXCC follows
    // when the table is counted, in the program's idle time.
    EditingProgram::openRow(4);
    QVERIFY(v->isVisible());
    QVERIFY(!windows().Countries->isUpToDate());
    QVERIFY(v->NewOne->text().isEmpty());
    QTRY_COMPARE(v->NewOne->text(), QStringLiteral("new DXCC"));
    const auto viewSays = [v](int row) {
        EditingProgram::openRow(row);
        return v->NewOne->text();
    };
    QCOMPARE(viewSays(4), QStringLiteral("new DXCC"));               // Norfolk's only QSO
    QCOMPARE(viewSays(6), QStringLiteral("new band for this DXCC")); // Italy 17m
    QCOMPARE(viewSays(2), QStringLiteral("worked, not confirmed"));  // DL4BBB on 40m too
    QCOMPARE(viewSays(0), QString());                                // DL2XYZ confirmed 20m
    QCOMPARE(viewSays(7), QString());                                // no entity

    TForm7* entry = windows().Form7;
    windows().Form1->Image3Click();
    const auto formSays = [entry](const QString& call, const QString& band) {
        entry->Edit1->clear();
        entry->Edit9->clear();
        typeText(entry->Edit1, call);
        typeText(entry->Edit9, band);
        return entry->NewOne->text();
    };
    QCOMPARE(formSays("JA1XYZ", "20m"), QStringLiteral("Japan: new DXCC"));
    QCOMPARE(formSays("IK1ZZZ", "20m"), QStringLiteral("Italy: new band for this DXCC"));
    QCOMPARE(formSays("DL9ZZ", "40m"),
             QStringLiteral("Fed. Rep. of Germany: worked, not confirmed"));
    QCOMPARE(formSays("DL9ZZ", "20m"), QStringLiteral("Fed. Rep. of Germany"));
    // The band from the frequency when none is typed.
    entry->Edit9->clear();
    typeText(entry->Edit5, "7.074");
    QCOMPARE(entry->NewOne->text(), QStringLiteral("Fed. Rep. of Germany: worked, not confirmed"));
    // Without the country file nothing is claimed.
    useCountrySource(CountrySource());
    QCOMPARE(formSays("JA1XYZ", "20m"), QString());
}

void TestDxccWindow::tableCellByCell()
{
    EditingProgram p(fixtureLog());
    useUserFile(p);
    QTest::mouseClick(windows().Form1->DxccButton, Qt::LeftButton);
    DxccWindow* w = windows().Dxcc;
    QVERIFY(w->isVisible());
    QVERIFY(w->SourceLine->text().contains(p.dir->file("cty.csv")));
    const QAbstractItemModel* m = w->Table->model();
    QCOMPARE(m->rowCount(), 4); // Canary Islands, Norfolk Island, Germany, Italy
    QCOMPARE(bandCells(w, 230), cells({{B40, "W"}, {B20, "LE"}}));
    QCOMPARE(bandCells(w, 29), cells({{B20, "Q"}}));
    QCOMPARE(bandCells(w, 189), cells({{B160, "W"}}));
    QCOMPARE(bandCells(w, 248), cells({{B17, "W"}, {B15, "L"}}));
    QCOMPARE(totals(w),
             cells({{B160, "1/0"}, {B40, "1/0"}, {B20, "2/2"}, {B17, "1/0"}, {B15, "1/1"}}));
    QCOMPARE(w->Summary->text(), QStringLiteral("DXCC entities worked: 4, confirmed: 3"));

    // Only LoTW counts: the eQSL and the QSL card no longer confirm.
    w->Eqsl->click();
    w->Paper->click();
    QCOMPARE(bandCells(w, 230), cells({{B40, "W"}, {B20, "L"}}));
    QCOMPARE(bandCells(w, 29), cells({{B20, "W"}}));
    QCOMPARE(totals(w),
             cells({{B160, "1/0"}, {B40, "1/0"}, {B20, "2/1"}, {B17, "1/0"}, {B15, "1/1"}}));
    QCOMPARE(w->Summary->text(), QStringLiteral("DXCC entities worked: 4, confirmed: 2"));

    // Sorted by a band column: confirmed first, then worked, then not worked.
    w->Table->sortByColumn(3 + B20, Qt::DescendingOrder);
    QCOMPARE(m->index(0, 2).data().toInt(), 230);
    QCOMPARE(m->index(1, 2).data().toInt(), 29);
    // By name.
    w->Table->sortByColumn(0, Qt::AscendingOrder);
    QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("Canary Islands"));
    QCOMPARE(m->index(3, 0).data().toString(), QStringLiteral("Norfolk Island"));

    // Every entity of the file on request.
    w->AllEntities->click();
    QCOMPARE(m->rowCount(), int(windows().Countries->source().resolver->dxccNumbers().size()));
    QCOMPARE(bandCells(w, 339), cells({}));
}

void TestDxccWindow::exportAndLiveLog()
{
    EditingProgram p(fixtureLog());
    useUserFile(p);
    QTest::mouseClick(windows().Form1->DxccButton, Qt::LeftButton);
    DxccWindow* w = windows().Dxcc;

    // CSV: a header, a line per entity worked, the totals.
    p.dialogs->saveFileToChoose = p.dir->file("dxcc.csv");
    QTest::mouseClick(w->ExportButton, Qt::LeftButton);
    QCOMPARE(p.dialogs->proposedSaveFile, p.dir->file("dxcc.csv"));
    const QList<QByteArray> csv = fileLines(p.dir->read("dxcc.csv"));
    QCOMPARE(csv.size(), 6);
    QCOMPARE(csv[0], QByteArray("DXCC,Entity,Prefix,160m,80m,60m,40m,30m,20m,17m,15m,12m,10m,6m,"
                                "4m,2m,1.25m,70cm,Bands worked,Bands confirmed"));
    QVERIFY(csv.contains("189,Norfolk Island,VK9N,W,,,,,,,,,,,,,,,1,0"));
    QVERIFY(csv.contains("230,Fed. Rep. of Germany,DL,,,,W,,LE,,,,,,,,,,2,1"));
    QCOMPARE(csv[5], QByteArray(",Total worked / confirmed,,1/0,0/0,0/0,1/0,0/0,2/2,1/0,1/1,0/0,"
                                "0/0,0/0,0/0,0/0,0/0,0/0,4,3"));
    // A folder that cannot be written: said, nothing claimed.
    p.dialogs->saveFileToChoose = p.dir->file("no/such/folder/dxcc.csv");
    QVERIFY(!w->exportCsv());
    QVERIFY(p.dialogs->messages.last().startsWith(QStringLiteral("error:")));

    // WSJT-X appends a QSO: a new entity and a new 20m count show up.
    p.appendToLog(qso("JA1ABC", "20m", "<eqsl_qsl_rcvd:1>Y "));
    QTRY_COMPARE(bandCells(w, 339), cells({{B20, "E"}}));
    QCOMPARE(totals(w).section(QLatin1Char('|'), B20, B20), QStringLiteral("3/3"));
    QCOMPARE(w->Summary->text(), QStringLiteral("DXCC entities worked: 5, confirmed: 4"));

    // The operator deletes Norfolk's only QSO in the view.
    EditingProgram::openRow(4);
    QTest::mouseClick(windows().Form2->BitBtn5, Qt::LeftButton);
    windows().Form8->Button1Click();
    windows().Form9->SpeedButton1Click();
    QTRY_COMPARE(bandCells(w, 189), QStringLiteral("(no row)"));
    QCOMPARE(totals(w).section(QLatin1Char('|'), B160, B160), QString());

    // The operator adds a QSO by hand.
    windows().Form1->Image3Click();
    TForm7* entry = windows().Form7;
    typeText(entry->Edit1, "ZL1ABC");
    typeText(entry->Edit9, "20m");
    QTest::mouseClick(entry->BitBtn1, Qt::LeftButton);
    QTRY_COMPARE(bandCells(w, 170), cells({{B20, "W"}}));

    // The log replaced by another program: counted again whole.
    QList<QByteArray> lines{p.lines.first(), qso("VK9NS", "160m")};
    QVERIFY(p.dir->write("log.adi.new", crlfLines(lines)));
    QVERIFY(QFile::remove(p.logPath));
    QVERIFY(QFile::rename(p.dir->file("log.adi.new"), p.logPath));
    QTRY_COMPARE(w->Table->model()->rowCount(), 1);
    QCOMPARE(bandCells(w, 189), cells({{B160, "W"}}));
}

void TestDxccWindow::download()
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is needed for the stand-in site");
    EditingProgram p(fixtureLog());
    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(python, {QStringLiteral(VOSMIRA_SOURCE_DIR "/tests/dxcc/cty_stand_in.py"),
                          QStringLiteral("--file"), kPackaged});
    QVERIFY(server.waitForReadyRead(10000));
    const int port = server.readLine().trimmed().toInt();
    QVERIFY(port > 0);
    const QString site = QStringLiteral("http://127.0.0.1:%1/").arg(port);

    windows().Form1->BitBtn1Click(); // the configuration
    CountryFilePanel* panel = windows().Configuration->CountryFile;
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->Address->text(), QString::fromLatin1(kDefaultCountryAddress));
    const auto fetch = [panel](const QString& address) {
        panel->Address->setText(address);
        QTest::mouseClick(panel->DownloadButton, Qt::LeftButton);
        return QTest::qWaitFor([panel] { return panel->DownloadButton->isEnabled(); }, 20000);
    };

    // A good file: in place and in use at once; the address kept.
    QVERIFY(fetch(site + "cty.csv"));
    QVERIFY2(panel->Status->text().startsWith(QStringLiteral("Country file downloaded: 3")),
             qPrintable(panel->Status->text()));
    QFile packaged(kPackaged);
    QVERIFY(packaged.open(QIODevice::ReadOnly));
    const QByteArray good = packaged.readAll();
    QCOMPARE(p.dir->read("cty.csv"), good);
    QCOMPARE(windows().Countries->source().kind, CountrySourceKind::UserFile);
    QVERIFY(p.dir->read("services.conf").contains("country.address=" + site.toUtf8() + "cty.csv"));

    // Broken or failed downloads leave that file and say why.
    const QStringList bad{site + "short.csv", site + "page.html", site + "missing.csv",
                          QStringLiteral("http://127.0.0.1:1/cty.csv"), QStringLiteral("ftp:x")};
    for (const QString& address : bad) {
        QVERIFY2(fetch(address), qPrintable(address));
        QVERIFY2(
            panel->Status->text().startsWith(QStringLiteral("The country file was not downloaded")),
            qPrintable(address + ": " + panel->Status->text()));
        QCOMPARE(p.dir->read("cty.csv"), good);
    }
    QVERIFY(panel->Status->text().contains(QStringLiteral("web address")));
    server.kill();
    server.waitForFinished();
}

QTEST_MAIN(TestDxccWindow)
#include "tst_dxccwindow.moc"

// The pure rules behind the change and new-QSO forms: key filters, date and
// time checks, the record builder and the change form's reader, and that
// every record written reads back to the values it was built from.
#include "editing/ChangeFieldsReader.h"
#include "editing/EntryRules.h"
#include "editing/RecordBuilder.h"
#include "logdata/Dates.h"
#include "logdata/Loader.h"

#include <QTest>

using entry::Checked;
using entry::KeySet;
Q_DECLARE_METATYPE(KeySet)
Q_DECLARE_METATYPE(Checked::Status)

class TestEditLogic : public QObject
{
    Q_OBJECT
private slots:
    void keyFilter_data();
    void keyFilter();
    void dateCheck_data();
    void dateCheck();
    void timeCheck_data();
    void timeCheck();
    void fileTime_data();
    void fileTime();
    void changeFormRecord();
    void newQsoRecord();
    void changeFieldsReader_data();
    void changeFieldsReader();
    void unreadableLengthIsReported();
    void recordsReadBack_data();
    void recordsReadBack();
};

void TestEditLogic::keyFilter_data()
{
    QTest::addColumn<KeySet>("set");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("received"); // '_' marks a swallowed key
    const QString edit = QString(QChar(8)) + QChar(13);
    QTest::newRow("all") << KeySet::All << "aZ,.:ä-"
                         << "aZ,.:ä-";
    QTest::newRow("date") << KeySet::Date << "1,9.a:-" + edit + QChar(9)
                          << "1.9.___" + edit + QChar(9);
    QTest::newRow("time") << KeySet::Time << "12.3,4:x " + edit + QChar(9)
                          << "12:3:4:__" + edit + "_";
    QTest::newRow("freq") << KeySet::Freq << "14,074.0a:" + edit << "14.074.0__" + edit;
    QTest::newRow("rst") << KeySet::Rst << "+-05a.," + edit << "+-05___" + edit;
    QTest::newRow("eqsl") << KeySet::Eqsl << "yYnN1 " + edit + QChar(9)
                          << "YY____" + edit + QChar(9);
}

void TestEditLogic::keyFilter()
{
    QFETCH(KeySet, set);
    QFETCH(QString, keys);
    QFETCH(QString, received);
    QCOMPARE(keys.size(), received.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar got = entry::filterKey(set, keys[i]);
        const QChar want = received[i] == u'_' ? QChar() : received[i];
        QVERIFY2(got == want, qPrintable(QStringLiteral("key %1").arg(int(keys[i].unicode()))));
    }
}

void TestEditLogic::dateCheck_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<Checked::Status>("status");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("empty") << QByteArray() << Checked::Empty << QByteArray();
    QTest::newRow("display form") << QByteArray("15.01.2023") << Checked::Valid
                                  << QByteArray("15.01.2023");
    QTest::newRow("one digit day and month")
        << QByteArray("1.1.2023") << Checked::Valid << QByteArray("01.01.2023");
    QTest::newRow("one digit month")
        << QByteArray("28.2.2024") << Checked::Valid << QByteArray("28.02.2024");
    QTest::newRow("eight digits") << QByteArray("05032024") << Checked::Valid
                                  << QByteArray("05.03.2024");
    QTest::newRow("leap day") << QByteArray("29.02.2024") << Checked::Valid
                              << QByteArray("29.02.2024");
    QTest::newRow("no leap day") << QByteArray("29.02.2023") << Checked::Invalid << QByteArray();
    QTest::newRow("day 32, month 13")
        << QByteArray("32.13.2023") << Checked::Invalid << QByteArray();
    QTest::newRow("two digit year") << QByteArray("1.1.23") << Checked::Invalid << QByteArray();
    QTest::newRow("year cut") << QByteArray("15.01.202") << Checked::Invalid << QByteArray();
    QTest::newRow("four parts") << QByteArray("1.1.20.23") << Checked::Invalid << QByteArray();
    QTest::newRow("empty day") << QByteArray(".01.2023") << Checked::Invalid << QByteArray();
    QTest::newRow("day zero") << QByteArray("00.01.2023") << Checked::Invalid << QByteArray();
    QTest::newRow("seven digits") << QByteArray("1012023") << Checked::Invalid << QByteArray();
    QTest::newRow("ADIF form") << QByteArray("20230115") << Checked::Invalid << QByteArray();
    QTest::newRow("display of empty") << QByteArray("..") << Checked::Invalid << QByteArray();
}

void TestEditLogic::dateCheck()
{
    QFETCH(QByteArray, typed);
    QFETCH(Checked::Status, status);
    QFETCH(QByteArray, value);
    const Checked c = entry::checkDate(typed);
    QCOMPARE(c.status, status);
    if (status == Checked::Valid)
        QCOMPARE(c.value, value);
}

void TestEditLogic::timeCheck_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<Checked::Status>("status");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("empty") << QByteArray() << Checked::Empty << QByteArray();
    QTest::newRow("HH:MM") << QByteArray("12:34") << Checked::Valid << QByteArray("12:34");
    QTest::newRow("H:MM") << QByteArray("9:30") << Checked::Valid << QByteArray("09:30");
    QTest::newRow("HMM") << QByteArray("930") << Checked::Valid << QByteArray("09:30");
    QTest::newRow("HHMM") << QByteArray("2359") << Checked::Valid << QByteArray("23:59");
    QTest::newRow("H:M") << QByteArray("9:5") << Checked::Valid << QByteArray("09:05");
    QTest::newRow("midnight") << QByteArray("0:00") << Checked::Valid << QByteArray("00:00");
    QTest::newRow("hour 24") << QByteArray("24:00") << Checked::Invalid << QByteArray();
    QTest::newRow("minute 60") << QByteArray("12:60") << Checked::Invalid << QByteArray();
    QTest::newRow("leading colon") << QByteArray(":30") << Checked::Invalid << QByteArray();
    QTest::newRow("no minutes") << QByteArray("12:") << Checked::Invalid << QByteArray();
    QTest::newRow("two colons") << QByteArray("1:2:3") << Checked::Invalid << QByteArray();
    QTest::newRow("hour only") << QByteArray("12") << Checked::Invalid << QByteArray();
    QTest::newRow("five digits") << QByteArray("12345") << Checked::Invalid << QByteArray();
    QTest::newRow("three digit hour") << QByteArray("123:4") << Checked::Invalid << QByteArray();
}

void TestEditLogic::timeCheck()
{
    QFETCH(QByteArray, typed);
    QFETCH(Checked::Status, status);
    QFETCH(QByteArray, value);
    const Checked c = entry::checkTime(typed);
    QCOMPARE(c.status, status);
    if (status == Checked::Valid)
        QCOMPARE(c.value, value);
}

void TestEditLogic::fileTime_data()
{
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("HH:MM") << QByteArray("12:34") << QByteArray("123400");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    // Values that reach the builder unchecked (the eQSL upload's rebuild)
    // are completed by the same rule and written with their real length.
    QTest::newRow("hour and colon") << QByteArray("12:") << QByteArray("1200");
    QTest::newRow("colons only") << QByteArray("::") << QByteArray();
}

void TestEditLogic::fileTime()
{
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, file);
    QCOMPARE(record::fileTime(display), file);
}

void TestEditLogic::changeFormRecord()
{
    // Read as the change form reads it and saved without any edit.
    const QByteArray line = "<call:6>N0CALL<qso_date:8>20230115<time_on:6>123456<freq:9>14.074123"
                            "<band:3>20m<mode:3>FT8<rst_rcvd:3>-10<rst_sent:3>-05"
                            "<gridsquare:4>JO62 <eor>";
    const EditFieldSet f = readChangeFields(line).fields;
    QCOMPARE(f.call, QByteArray("N0CALL"));
    QCOMPARE(f.date, QByteArray("15.01.2023"));
    QCOMPARE(f.time, QByteArray("12:34"));
    QCOMPARE(f.freq, QByteArray("14.0741"));
    QCOMPARE(f.band, QByteArray("20m"));
    QCOMPARE(f.mode, QByteArray("FT8"));
    QCOMPARE(f.rstRcvd, QByteArray("-10"));
    QCOMPARE(f.rstSent, QByteArray("-05"));
    QCOMPARE(f.locator, QByteArray("JO62"));
    QVERIFY(f.eqslSent.isEmpty() && f.eqslRcvd.isEmpty() && f.comment.isEmpty());
    const QByteArray built =
        record::build(f, toAdifDate(record::without(f.date, '.')), record::fileTime(f.time));
    QCOMPARE(built, QByteArray("<call:6>N0CALL<qso_date:8>20230115<time_on:6>123400<freq:7>14.0741"
                               "<band:3>20m<mode:3>FT8<rst_rcvd:3>-10<rst_sent:3>-05"
                               "<gridsquare:4>JO62<qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0>"
                               "<eqsl_qsl_sent:0><comment:0> <eor>"));
    // Building twice from the same values gives the same record.
    QCOMPARE(record::build(f, toAdifDate(record::without(f.date, '.')), record::fileTime(f.time)),
             built);
}

void TestEditLogic::newQsoRecord()
{
    EditFieldSet f;
    f.call = "N0CALL";
    f.date = "15.01.2023";
    f.time = "12:34";
    f.freq = "14.074";
    f.band = "20m";
    f.mode = "FT8";
    f.rstSent = "-05";
    f.rstRcvd = "-10";
    f.locator = "JO62";
    QCOMPARE(record::build(f, datumReconv(f.date), record::fileTime(f.time)),
             QByteArray("<call:6>N0CALL<qso_date:8>20230115<time_on:6>123400<freq:6>14.074"
                        "<band:3>20m<mode:3>FT8<rst_rcvd:3>-10<rst_sent:3>-05<gridsquare:4>JO62"
                        "<qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0><eqsl_qsl_sent:0><comment:0> "
                        "<eor>"));

    // Empty date and time are declared with length 0.
    EditFieldSet empty;
    QCOMPARE(record::build(empty, datumReconv(empty.date), record::fileTime(empty.time)),
             QByteArray("<call:0><qso_date:0><time_on:0><freq:0><band:0><mode:0><rst_rcvd:0>"
                        "<rst_sent:0><gridsquare:0><qsl_sent:0><qsl_rcvd:0><eqsl_qsl_rcvd:0>"
                        "<eqsl_qsl_sent:0><comment:0> <eor>"));

    // Long values keep their real lengths, and nothing is cut at 255
    // characters: a 150-character comment after fields at their maximum.
    f.call = QByteArray(20, 'K');
    f.freq = "144.174000";
    f.rstSent = "+123456789";
    f.comment = QByteArray(150, 'c');
    f.qslSent = QByteArray(12, 'Q');
    f.qslRcvd = QByteArray(12, 'R');
    f.eqslSent = QByteArray(12, 'S');
    f.eqslRcvd = QByteArray(12, 'T');
    f.locator = "JO62QM12AB";
    const QByteArray line = record::build(f, datumReconv(f.date), record::fileTime(f.time));
    QVERIFY(line.size() > 255 + 150);
    QVERIFY(line.contains("<call:20>" + QByteArray(20, 'K') + "<qso_date:8>"));
    QVERIFY(line.contains("<freq:10>144.174000<band:"));
    QVERIFY(line.contains("<rst_sent:10>+123456789<gridsquare:10>JO62QM12AB<qsl_sent:12>"));
    QVERIFY(line.endsWith("<comment:150>" + QByteArray(150, 'c') + " <eor>"));
}

void TestEditLogic::changeFieldsReader_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArrayList>("expected"); // "field=value" for the fields checked

    QTest::newRow("upper-case tags are read as the grid reads them")
        << QByteArray("<CALL:6>N0CALL<QSO_DATE:8>20230115<TIME_ON:6>123456<FREQ:6>14.074"
                      "<BAND:3>20m<MODE:3>FT8<GRIDSQUARE:4>JO62<EQSL_QSL_RCVD:1>Y"
                      "<COMMENT:3>abc <EOR>")
        << QByteArrayList{"call=N0CALL", "date=15.01.2023", "time=12:34", "freq=14.074", "band=20m",
                          "mode=FT8",    "locator=JO62",    "eqslRcvd=Y", "comment=abc"};
    QTest::newRow("FT4 shown as FT4")
        << QByteArray("<call:4>DL1A <mode:4>MFSK <submode:3>FT4 <eor>")
        << QByteArrayList{"mode=FT4"};
    QTest::newRow("qsl_sent found inside the eQSL tag")
        << QByteArray("<call:4>DL1A<eqsl_qsl_sent:1>Y<qsl_rcvd:1>N <eor>")
        << QByteArrayList{"qslSent=Y", "eqslSent=Y", "qslRcvd=N"};
    QTest::newRow("CQ empties locator and QSL values")
        << QByteArray("<call:2>CQ<gridsquare:4>JO62<qsl_sent:1>Y<qsl_rcvd:1>Y"
                      "<eqsl_qsl_rcvd:1>Y<eqsl_qsl_sent:1>Y<band:3>20m <eor>")
        << QByteArrayList{
               "call=CQ", "locator=", "qslSent=", "qslRcvd=", "eqslSent=", "eqslRcvd=", "band=20m"};
    QTest::newRow("comment of 12") << QByteArray("<call:4>DL1A<comment:12>hello world! <eor>")
                                   << QByteArrayList{"comment=hello world!"};
    QTest::newRow("comment declared shorter")
        << QByteArray("<comment:5>hello world! <eor>") << QByteArrayList{"comment=hello"};
    QTest::newRow("comment of 150")
        << QByteArray("<call:4>DL1A<comment:150>" + QByteArray(150, 'x') + " <eor>")
        << QByteArrayList{"comment=" + QByteArray(150, 'x')};
    QTest::newRow("frequency below 9 kept")
        << QByteArray("<freq:8>14.07412<eor>") << QByteArrayList{"freq=14.07412"};
    QTest::newRow("frequency of 10 shortened by two")
        << QByteArray("<freq:10>144.174000<eor>") << QByteArrayList{"freq=144.1740"};
    QTest::newRow("four-character time")
        << QByteArray("<time_on:4>1234<eor>") << QByteArrayList{"time=12:34"};
    QTest::newRow("missing time has no colon")
        << QByteArray("<call:4>DL1A <eor>") << QByteArrayList{"time=", "date="};
    QTest::newRow("type indicator") << QByteArray("<call:6:S>N0CALL<band:3:E>20m <eor>")
                                    << QByteArrayList{"call=N0CALL", "band=20m"};
    QTest::newRow("values cut to their fields")
        << QByteArray("<call:22>ABCDEFGHIJKLMNOPQRSTUV<band:6>160m12<eqsl_qsl_rcvd:9>YYYYYYYYY "
                      "<eor>")
        << QByteArrayList{"call=ABCDEFGHIJKLMNOPQRST", "band=160m1", "eqslRcvd=YYYYYYYYY"};
    QTest::newRow("mode found inside submode")
        << QByteArray("<submode:3>FT4<mode:4>MFSK <eor>") << QByteArrayList{"mode=FT4"};
}

namespace
{
QByteArray fieldByName(const EditFieldSet& f, const QByteArray& name)
{
    const std::pair<const char*, const QByteArray*> all[] = {
        {"call", &f.call},         {"date", &f.date},       {"time", &f.time},
        {"freq", &f.freq},         {"band", &f.band},       {"mode", &f.mode},
        {"rstRcvd", &f.rstRcvd},   {"rstSent", &f.rstSent}, {"locator", &f.locator},
        {"qslSent", &f.qslSent},   {"qslRcvd", &f.qslRcvd}, {"eqslRcvd", &f.eqslRcvd},
        {"eqslSent", &f.eqslSent}, {"comment", &f.comment},
    };
    for (const auto& [n, v] : all)
        if (name == n)
            return *v;
    qFatal("unknown field %s", name.constData());
}
} // namespace

void TestEditLogic::changeFieldsReader()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArrayList, expected);
    const ChangeFieldsRead r = readChangeFields(line);
    QVERIFY(r.unreadable.isEmpty());
    for (const QByteArray& e : expected) {
        const qsizetype eq = e.indexOf('=');
        QCOMPARE(fieldByName(r.fields, e.left(eq)), e.mid(eq + 1));
    }
}

void TestEditLogic::unreadableLengthIsReported()
{
    const ChangeFieldsRead r =
        readChangeFields("<call:6>N0CALL<band:x>20m<mode:3>FT8<comment:a1>text <eor>");
    QCOMPARE(r.unreadable, QStringList({"band", "comment"}));
    // The fields after the unreadable one are still read; it is empty.
    QCOMPARE(r.fields.call, QByteArray("N0CALL"));
    QCOMPARE(r.fields.mode, QByteArray("FT8"));
    QVERIFY(r.fields.band.isEmpty());
    QVERIFY(r.fields.comment.isEmpty());
}

void TestEditLogic::recordsReadBack_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<QByteArray>("freq");
    QTest::addColumn<QByteArray>("band");
    QTest::addColumn<QByteArray>("rst");
    QTest::addColumn<QByteArray>("comment");
    QTest::newRow("plain") << QByteArray("N0CALL") << QByteArray("14.074") << QByteArray("20m")
                           << QByteArray("-05") << QByteArray("tnx");
    QTest::newRow("umlauts, empty band")
        << QByteArray("DL1ABC") << QByteArray("7.074") << QByteArray() << QByteArray("+12")
        << QByteArray("Gr\xfc\xdf"
                      "e aus M\xfcnchen");
    QTest::newRow("long values") << QByteArray("VP2E/DL1ABC/P") << QByteArray("144.174000")
                                 << QByteArray("2m") << QByteArray("1234567890")
                                 << QByteArray(150, 'k');
    QTest::newRow("comment of 99") << QByteArray("K1ABC") << QByteArray("50.313")
                                   << QByteArray("6m") << QByteArray("599") << QByteArray(99, 'a');
    QTest::newRow("comment of 100")
        << QByteArray("K1ABC") << QByteArray("50.313") << QByteArray("6m") << QByteArray("599")
        << QByteArray(100, 'b');
}

void TestEditLogic::recordsReadBack()
{
    QFETCH(QByteArray, call);
    QFETCH(QByteArray, freq);
    QFETCH(QByteArray, band);
    QFETCH(QByteArray, rst);
    QFETCH(QByteArray, comment);
    EditFieldSet f;
    f.call = call;
    f.date = "07.09.2024";
    f.time = "08:05";
    f.freq = freq;
    f.band = band;
    f.mode = "FT8";
    f.rstSent = rst;
    f.rstRcvd = rst;
    f.locator = "JO62QM";
    f.eqslSent = "Y";
    f.eqslRcvd = "Y";
    f.comment = comment;
    const QByteArray line = record::build(f, datumReconv(f.date), record::fileTime(f.time));

    // The loader shows every value as it was typed.
    RowValues row;
    parseLogRow(line, true, row);
    QCOMPARE(row.unreadable, 0);
    QCOMPARE(row.call.toByteArray(), call);
    QCOMPARE(row.date.toByteArray(), f.date);
    QCOMPARE(row.time.toByteArray(), f.time);
    QCOMPARE(row.freq.toByteArray(), freq);
    QCOMPARE(row.band.toByteArray(), band);
    QCOMPARE(row.mode.toByteArray(), f.mode);
    QCOMPARE(row.rstSent.toByteArray(), rst);
    QCOMPARE(row.rstRcvd.toByteArray(), rst);
    QCOMPARE(row.locator.toByteArray(), f.locator);
    QCOMPARE(row.eqslSent.toByteArray(), f.eqslSent);
    QCOMPARE(row.eqslRcvd.toByteArray(), f.eqslRcvd);
    QCOMPARE(row.comment.toByteArray(), comment);

    // The change form reads it back too (the frequency shortened by its own
    // rule from 9 characters on).
    const ChangeFieldsRead back = readChangeFields(line);
    QVERIFY(back.unreadable.isEmpty());
    EditFieldSet expect = f;
    if (freq.size() >= 9)
        expect.freq = freq.left(freq.size() - 2);
    QCOMPARE(back.fields.call, expect.call);
    QCOMPARE(back.fields.date, expect.date);
    QCOMPARE(back.fields.time, expect.time);
    QCOMPARE(back.fields.freq, expect.freq);
    QCOMPARE(back.fields.band, expect.band);
    QCOMPARE(back.fields.rstSent, expect.rstSent);
    QCOMPARE(back.fields.rstRcvd, expect.rstRcvd);
    QCOMPARE(back.fields.locator, expect.locator);
    QCOMPARE(back.fields.eqslSent, expect.eqslSent);
    QCOMPARE(back.fields.eqslRcvd, expect.eqslRcvd);
    QCOMPARE(back.fields.comment, expect.comment);
    // And the record built again from what was read is the same line.
    QCOMPARE(record::build(back.fields, toAdifDate(record::without(back.fields.date, '.')),
                           record::fileTime(back.fields.time)),
             freq.size() >= 9 ? record::build(expect, datumReconv(f.date), "080500") : line);
}

QTEST_MAIN(TestEditLogic)
#include "tst_editlogic.moc"

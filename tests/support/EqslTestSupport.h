#pragma once
// Helpers of the eQSL and configuration form tests: a small logbook with its
// config.dat in a scratch directory, all forms created on it, and the grid's
// double click that opens a QSO in the selected-QSO view. Header only: the
// shared support library holds no widget code.
#include "app/WindowFactory.h"
#include "mainwin/QSL_Print.h"
#include "mainwin/StringGrid.h"
#include "support/TestSupport.h"

#include <QByteArray>
#include <QList>
#include <QTest>

namespace eqsltest
{

// A record line as WSJT-X writes it, for QSO number i (calls differ).
inline QByteArray record(int i, const QByteArray& extra = QByteArray())
{
    const QByteArray call = "K" + QByteArray::number(i) + "ABC";
    return "<call:" + QByteArray::number(call.size()) + ">" + call +
           " <gridsquare:4>FN42 <mode:3>FT8 <rst_sent:3>-05 <rst_rcvd:3>-10 <qso_date:8>202105" +
           QByteArray::number(10 + i % 20) + " <time_on:6>1234" + QByteArray::number(10 + i % 50) +
           " <band:3>20m <freq:9>14.074000" + extra + " <eor>";
}

// config.dat with the given log path, language and standard comment.
inline QByteArray configFile(const QByteArray& logPath, int count, const QByteArray& language,
                             const QByteArray& comment = "tnx")
{
    return logPath +
           "\r\nfalse\r\n\r\nGermany\r\nDL1VOS\r\nMustermann\r\nMax\r\nHauptstr. 1\r\n"
           "12345 Berlin\r\nJO62QM\r\nD01\r\n" +
           QByteArray::number(count) + "\r\n" + comment + "\r\n" + language + "\r\n";
}

// Writes log.adi (header + `records` QSOs) and config.dat into `dir`, creates
// all forms and returns the logbook's bytes.
inline QByteArray startProgram(const ScratchDir& dir, int records = 5,
                               const QByteArray& language = "Eng",
                               const QByteArray& comment = "tnx")
{
    QList<QByteArray> lines{"WSJT-X ADIF Export<eoh>"};
    for (int i = 0; i < records; ++i)
        lines << record(i);
    const QByteArray log = crlfLines(lines);
    dir.write("log.adi", log);
    dir.write("config.dat", configFile(dir.file("log.adi").toUtf8(), records, language, comment));
    createAllForms();
    return log;
}

// Double-clicks grid row `row` (the QSO in file line row + 1).
inline void openRow(int row)
{
    StringGrid* g = windows().Form1->StringGrid1;
    g->setCurrentIndex(g->model()->index(row, 2));
    const QRect r = g->visualRect(g->model()->index(row, 2));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, r.center());
}

using ::fileLines;

} // namespace eqsltest

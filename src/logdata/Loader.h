#pragma once
// The logbook loader's data half: reads the whole logbook file, builds the
// twelve cell texts of every QSO row, counts the eQSL-confirmed QSOs, refills
// LogLines and the counters, and stores the QSO count in config.dat. The main
// window puts the result on screen.
#include "logdata/CellTable.h"
#include "logdata/State.h"

#include <QString>

struct LoadReport {
    bool opened = false;
    QString errorReason;         // why the file could not be read (when !opened)
    int unreadableFields = 0;    // fields whose length was not a decimal number
    bool confirmedShown = false; // a record had an eQSL-received field: show ConfirmedCount
    bool numberShown = false;    // at least one QSO row: show " " + QsoCount
    CellTable rows;              // grid rows 0 .. QsoCount - 1
};

// Loads the file at LogFilePath. DisplayFormat must be set by the caller.
LoadReport loadLogbookData(ProgramState& s);

// The cell values of one record line as the whole-log view shows them, without
// the grid's leading blanks. Used by the loader for every line.
struct RowValues {
    QByteArrayView date, time; // may point into the buffers below
    char dateBuf[24];
    char timeBuf[24];
    QByteArrayView call, freq, band, mode, locator, rstRcvd, rstSent, eqslSent, eqslRcvd, comment;
    bool eqslRcvdPresent = false;
    bool confirmed = false; // eQSL received "Y" (counted also for the call "CQ")
    int unreadable = 0;
};
void parseLogRow(QByteArrayView line, bool displayFormat, RowValues& out);
// The same for a line already scanned with the loader's tags (in the order
// call, date, time, frequency, band, mode, locator, RST received, RST sent,
// eQSL sent, eQSL received, comment).
void parseScannedRow(QByteArrayView line, const qsizetype* hits, bool displayFormat,
                     RowValues& out);

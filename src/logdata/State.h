#pragma once
// Program-wide state shared by the forms. Everything lives in one struct so
// that tests can reset it between cases. Texts read from or written to files
// are Windows-1252 bytes; the forms convert at their edge (see Cp1252.h).
#include "logdata/LineTable.h"
#include "logdata/LogFileMark.h"
#include "logdata/QsoFields.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class OrphanLog;

// The fourteen values of config.dat, in file order.
struct SettingsValues {
    QByteArray LogPathSetting;  // 1
    QByteArray LogChanged;      // 2: "true" / "false"
    QByteArray SpareLine;       // 3: kept as read
    QByteArray OwnCountry;      // 4 (50)
    QByteArray OwnCall;         // 5 (20)
    QByteArray OwnName;         // 6 (50)
    QByteArray OwnFirstName;    // 7 (50)
    QByteArray OwnStreet;       // 8 (50)
    QByteArray OwnTown;         // 9 (50)
    QByteArray OwnLocator;      // 10 (20)
    QByteArray OwnDok;          // 11 (20)
    QByteArray QsoCountText;    // 12: held as text, converted after reading
    QByteArray StandardComment; // 13 (60)
    QByteArray Language;        // 14: "Eng" / "Ger"
};

struct ProgramState {
    // The logbook in memory and the counters that tie grid rows to lines.
    LineTable LogLines;
    int LineCount = 0;
    int AppendBase = 0;
    int SelectedLine = 0;
    int QsoCount = 0;
    int StoredQsoCount = 0;
    int StartQsoCount = 0;
    int LinesRead = 0;
    int ConfirmedCount = 0;

    // The logbook file as LogLines holds it: which file, how many bytes, so
    // that a rewrite keeps what other programs (WSJT-X) appended meanwhile
    // and a reload reads only what changed.
    LogFileMark LogMark;
    int LoadedLineCount = 0; // the file's lines held: elements 1..LoadedLineCount of LogLines
    quint8 LoadedDisplayFormat = 0; // the DisplayFormat the rows were parsed with
    std::vector<quint8> RowFlags;   // per QSO row: eQSL received "Y", has the field
    // Per QSO row: the call's first four bytes (callHead()), so that the call
    // search compares them without reaching into the file image at every row.
    std::vector<quint32> RowCallHeads;
    int RowsWithRcvd = 0; // rows with an eQSL-received field
    bool Writing = false; // a rewrite of the logbook is under way
    // The files rewrites replaced, while a writer may still append to them.
    std::vector<std::shared_ptr<OrphanLog>> Orphans;

    quint8 SearchView = 0;
    quint8 DisplayFormat = 0;
    QByteArray SearchCall;

    SettingsValues ProgramSettings;
    QByteArray LogFilePath;          // in the file system's encoding
    QString ConfigSaveError;         // why the last write of config.dat failed
    bool ConfigSaveReported = false; // the operator was told

    // Text list: set to 1 when a row was written to List.txt; the heading lines
    // are handed to the printout.
    int ListWritten = 0;
    QByteArray ListHeading1;
    QByteArray ListHeading2;
};

ProgramState& G();
void resetProgramState();

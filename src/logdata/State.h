#pragma once
// Program-wide state shared by the forms. Everything lives in one struct so
// that tests can reset it between cases. Texts read from or written to files
// are Windows-1252 bytes; the forms convert at their edge (see Cp1252.h).
#include "logdata/QsoFields.h"

#include <QByteArray>
#include <QString>

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
    // What the windows show of the logbook (the logbook itself is held by
    // its Logbook object, see LogbookState.h): the lines the last load, write
    // or text list counted, the rows shown (the whole log's QSOs or a
    // search's matches, stored in config.dat), the selected line, the lines
    // the last load, search or text list read, and the QSO count config.dat
    // held at the start.
    int LineCount = 0;
    int SelectedLine = 0;
    int QsoCount = 0;
    int StoredQsoCount = 0;
    int StartQsoCount = 0;
    int LinesRead = 0;

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

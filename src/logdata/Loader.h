#pragma once
// The logbook loader's data half: reads the logbook file, builds the grid's
// cell texts of every QSO row, counts the eQSL-confirmed QSOs, refills
// LogLines and the counters, and stores the QSO count in config.dat. The main
// window puts the result on screen.
//
// The file is the master copy. While it is as the program last loaded or
// wrote it (or another program only appended to it), a reload takes what it
// holds from memory and reads only what changed: the lines the program itself
// changed and the lines appended on disk. Anything else reads the whole file.
#include "logdata/CellTable.h"
#include "logdata/LogbookState.h"
#include "logdata/State.h"

#include <QString>

#include <vector>

// Why a logbook could not be read, for the operator in the window's language.
enum class LoadProblem { None, NoPath, Folder, Missing, NoPermission, TooLarge, NotAFile, Other };

struct LoadReport {
    bool opened = false;
    LoadProblem problem = LoadProblem::None;
    QString errorReason;         // why the file could not be read (when !opened)
    int unreadableFields = 0;    // fields whose length was not a decimal number
    bool confirmedShown = false; // a record had an eQSL-received field: show ConfirmedCount
    bool numberShown = false;    // at least one QSO row: show " " + QsoCount
    // Whole load: rows 0 .. QsoCount - 1. Update: the rows in `updatedRows`.
    CellTable rows;
    bool incremental = false;
    std::vector<int> updatedRows; // the grid row of each row of `rows` (ascending)
    int appendedLines = 0;        // lines another program appended (taken in)
    QString reloadReason;         // why the whole file was read although it was loaded
};

// Loads the whole file at LogFilePath into `book`. DisplayFormat must be set
// by the caller. While it reads and parses a large file, every few megabytes,
// book.loadProgress is told how far it got. The rows shown, the selected line
// and config.dat's QSO count in `s` follow.
LoadReport loadLogbookData(ProgramState& s, LogbookState& book);

// A reload: from memory plus what changed when the file allows it, otherwise
// the whole file (reloadReason says why). Counters, LogLines and config.dat
// end as after a whole load.
LoadReport refreshLogbookData(ProgramState& s, LogbookState& book);

// Takes in lines another program appended to the logbook since the last load
// or write, parsing only those (the live log). Leaves SelectedLine, the
// settings file and the rest of the table alone. When the file changed
// otherwise, nothing is taken in and `reloadReason` is set: the caller loads
// the whole file.
LoadReport followLogbookData(ProgramState& s, LogbookState& book);

// The rows of LogLines elements `elements` (ascending) as an update, keeping
// the row flags and the confirmed count right: for lines a write added.
LoadReport readRows(LogbookState& book, const std::vector<int>& elements);

// The cell values of one record line as the whole-log view shows them, without
// the grid's leading blanks. Used by the loader for every line.
struct RowValues {
    // The cells in column order (Columns.h); they may point into `buf`.
    QByteArrayView cells[gridcol::ColumnCount];
    char buf[gridcol::ColumnCount][24];
    // The cells by name.
    QByteArrayView &date = cells[gridcol::Date], &time = cells[gridcol::Time],
                   &call = cells[gridcol::Call], &freq = cells[gridcol::Freq],
                   &band = cells[gridcol::Band], &mode = cells[gridcol::Mode],
                   &locator = cells[gridcol::Locator], &rstRcvd = cells[gridcol::RstRcvd],
                   &rstSent = cells[gridcol::RstSent], &eqslSent = cells[gridcol::EqslSent],
                   &eqslRcvd = cells[gridcol::EqslRcvd], &comment = cells[gridcol::Comment];
    bool eqslRcvdPresent = false;
    bool confirmed = false; // eQSL received "Y" (counted also for the call "CQ")
    // The call was found by the lower-case "<call:" and no "<call" stands
    // before it: the call search (which looks for "<call" only) finds the same.
    bool lowerCaseCall = false;
    int unreadable = 0;

    RowValues() = default;
    RowValues(const RowValues&) = delete; // the names refer to this object's cells
    RowValues& operator=(const RowValues&) = delete;
};
void parseLogRow(QByteArrayView line, bool displayFormat, RowValues& out);
// The same for a line already scanned with the columns' tags (in column
// order).
void parseScannedRow(QByteArrayView line, const qsizetype* hits, bool displayFormat,
                     RowValues& out);

// Only what a load keeps of a scanned line (the grid reads its cells later):
// the call, the eQSL-received flags and the count of unreadable fields.
void readRowFlags(QByteArrayView line, const qsizetype* hits, RowValues& out);

// Writes grid row `row` of `table` from a record's values. The whole-log view
// and the call search build their rows with it, so a QSO shows the same in both.
void writeGridRow(CellTable& table, int row, const RowValues& r);
// The cells of that row, in the grid's column order.
void gridCells(const RowValues& r, QByteArrayView (&cells)[CellTable::Columns]);

// The first four bytes of a call, zero-padded, as one number
// (LogbookState::RowCallHeads).
inline quint32 callHead(QByteArrayView call)
{
    quint32 h = 0;
    const qsizetype n = qMin<qsizetype>(4, call.size());
    for (qsizetype i = 0; i < n; ++i)
        h |= quint32(quint8(call[i])) << (8 * i);
    return h;
}

// The flags kept per QSO row (LogbookState::RowFlags).
inline constexpr quint8 kRowConfirmed = 1; // eQSL received "Y"
inline constexpr quint8 kRowHasRcvd = 2;   // has an eQSL-received field
inline constexpr quint8 kRowLowerCall = 4; // see RowValues::lowerCaseCall

// The largest logbook the program opens: the grid's cells refer to the file
// image with 31-bit offsets.
inline constexpr qint64 kMaxLogbookBytes = (qint64(1) << 31) - 1;

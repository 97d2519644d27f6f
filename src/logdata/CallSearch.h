#pragma once
// The call search: the QSOs of the logbook file whose call begins with a text,
// as grid rows. It reads the file itself and uses lower-case tags only, with
// its own conversions: the mode is shown as stored, the frequency loses its
// last two declared characters, an empty date shows as two dots.
#include "logdata/CellTable.h"
#include "logdata/State.h"

#include <QByteArrayView>

struct CallSearchResult {
    bool opened = false;
    int matches = 0;
    int unreadableFields = 0;
    CellTable rows; // rows 0 .. matches - 1
};

// Does the record's call match? "*" matches every call, an empty text none.
bool callMatches(QByteArrayView call, QByteArrayView searchCall);

// The call of a record line as the search reads it ("<call", lower case only).
QByteArrayView searchCallOf(QByteArrayView line, int* unreadable = nullptr);
// Adds the search row of a matching record line (its call as read above).
void appendSearchRow(QByteArrayView line, QByteArrayView call, bool displayFormat,
                     CallSearchResult& result);

// Searches the lines of a file image (the first line is the header).
CallSearchResult searchCalls(QByteArrayView image, QByteArrayView searchCall, bool displayFormat);

// Searches the logbook in memory, LogLines elements from `firstElement` to
// LoadedLineCount, in file order. `fullRows` are the whole-log rows: where the
// loader's call is the one the search reads, it is compared without reading
// the line again.
CallSearchResult searchLogLines(const ProgramState& s, const CellTable& fullRows,
                                QByteArrayView searchCall, bool displayFormat,
                                int firstElement = 2);

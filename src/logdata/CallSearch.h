#pragma once
// The call search: the QSOs of the logbook whose call begins with a text, as
// grid rows. A call is found by its lower-case tag only ("<call"); the rows
// are built as the whole-log grid builds its rows, so a QSO shows the same in
// both.
#include "logdata/CellTable.h"
#include "logdata/LogbookState.h"

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
// Adds the grid row of a matching record line.
void appendSearchRow(QByteArrayView line, bool displayFormat, CallSearchResult& result);

// Searches the lines of a file image (the first line is the header).
CallSearchResult searchCalls(QByteArrayView image, QByteArrayView searchCall, bool displayFormat);

// Searches the logbook in memory, LogLines elements from `firstElement` to
// LoadedLineCount, in file order. `fullRows` are the whole-log rows: where the
// loader's call is the one the search reads, it is compared without reading
// the line again, and a line unchanged since the load takes its row from there.
CallSearchResult searchLogLines(const LogbookState& book, const CellTable& fullRows,
                                QByteArrayView searchCall, bool displayFormat,
                                int firstElement = 2);

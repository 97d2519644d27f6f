#pragma once
// The call search: the QSOs of the logbook file whose call begins with a text,
// as grid rows. It reads the file itself and uses lower-case tags only, with
// its own conversions: the mode is shown as stored, the frequency loses its
// last two declared characters, an empty date shows as two dots.
#include "logdata/CellTable.h"

#include <QByteArrayView>

struct CallSearchResult {
    bool opened = false;
    int matches = 0;
    int unreadableFields = 0;
    CellTable rows; // rows 0 .. matches - 1
};

// Does the record's call match? "*" matches every call, an empty text none.
bool callMatches(QByteArrayView call, QByteArrayView searchCall);

// Searches the lines of a file image (the first line is the header).
CallSearchResult searchCalls(QByteArrayView image, QByteArrayView searchCall, bool displayFormat);

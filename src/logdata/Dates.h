#pragma once
// Date conversions between the file's form (YYYYMMDD) and the display form
// (DD.MM.YYYY). They take fixed character positions and validate nothing, as
// the forms expect: a short or malformed input gives a correspondingly short
// or malformed result. The program-wide forms work on DateBuffer in place.
#include "logdata/State.h"

#include <QByteArray>
#include <QByteArrayView>

QByteArray toDisplayDate(QByteArrayView yyyymmdd); // YYYYMMDD -> DD.MM.YYYY
QByteArray toAdifDate(QByteArrayView ddmmyyyy);    // DDMMYYYY -> YYYYMMDD
QByteArray datumReconv(QByteArrayView ddDotMm);    // DD.MM.YYYY -> YYYYMMDD

void ToDisplayDate(ProgramState& s);
void ToAdifDate(ProgramState& s);
void Datum_reconv(ProgramState& s);

// Characters `from` to `to` (counted from 1) of `text`, fewer where it ends.
QByteArrayView charsAt(QByteArrayView text, int from, int to);

// How many characters of a time of `declared` characters are shown: all four
// of HHMM, otherwise the first n - 2 (HHMMSS loses its seconds); never more
// than `available`.
qsizetype displayTimeLength(qsizetype available, int declared);

// File time to display: the characters displayTimeLength() keeps, with ":" inserted before the
// third character (appended when the result is shorter). `insertAlways` inserts the colon into an
// empty result too.
QByteArray timeForDisplay(QByteArrayView value, int declared, bool insertAlways = false);

// The same two conversions into a caller's buffer of at least 24 bytes, so
// that a load does not allocate per row. The result views the buffer.
QByteArrayView displayDateInto(QByteArrayView yyyymmdd, char* buf);
QByteArrayView displayTimeInto(QByteArrayView value, int declared, char* buf);

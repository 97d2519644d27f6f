#pragma once
// Date conversions between the file's form (YYYYMMDD) and the display form
// (DD.MM.YYYY). They take fixed character positions and validate nothing, as
// the forms expect: a short or malformed input gives a correspondingly short
// or malformed result.
#include <QByteArray>
#include <QByteArrayView>

QByteArray toDisplayDate(QByteArrayView yyyymmdd); // YYYYMMDD -> DD.MM.YYYY
QByteArray toAdifDate(QByteArrayView ddmmyyyy);    // DDMMYYYY -> YYYYMMDD
QByteArray datumReconv(QByteArrayView ddDotMm);    // DD.MM.YYYY -> YYYYMMDD

// Characters `from` to `to` (counted from 1) of `text`, fewer where it ends.
QByteArrayView charsAt(QByteArrayView text, int from, int to);

// How many characters of a time of `declared` characters are shown: all four
// of HHMM, otherwise the first n - 2 (HHMMSS loses its seconds); never more
// than `available`.
qsizetype displayTimeLength(qsizetype available, int declared);

// The display forms, into a caller's buffer of at least 24 bytes so that a
// load does not allocate per row; the result views the buffer.
// Date: YYYYMMDD to DD.MM.YYYY (an empty date gives two dots).
QByteArrayView displayDateInto(QByteArrayView yyyymmdd, char* buf);
// Time: the characters displayTimeLength() keeps, with ":" inserted before
// the third character (appended when the result is shorter); an empty result
// stays empty unless `insertAlways`.
QByteArrayView displayTimeInto(QByteArrayView value, int declared, char* buf,
                               bool insertAlways = false);

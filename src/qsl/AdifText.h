#pragma once
// ADIF files as the services send and take them: a header up to <eoh>, then
// records each ended by <eor>, in any case and across any line breaks.
#include "qsl/QslTypes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace qsl
{

// The parts view the file's bytes: valid while they are.
struct AdifFileParts {
    bool hasHeader = false;        // an <eoh> was found
    QByteArrayView header;         // up to <eoh>
    QList<QByteArrayView> records; // each up to and with its <eor>
    QByteArrayView tail;           // what follows the last <eor>
};
AdifFileParts splitAdifFile(QByteArrayView file);

// The first value of that field (lower-case name) in `text`; null if absent.
QByteArrayView fieldValue(QByteArrayView text, QByteArrayView lowerName);

// True when `text` holds the marker <name> (lower-case name), any case.
bool hasMarker(QByteArrayView text, QByteArrayView lowerName);

Confirmation confirmationFrom(QByteArrayView record);

// The record a service takes for the log record: date, time, call, band,
// mode (a bare FT4, FST4, FST4W, JS8 or Q65 as MFSK with that submode, as
// ADIF has it), submode, and where present frequency, propagation and
// satellite fields, RST sent; `qslMessage` as QSLMSG when not empty. Empty
// when the record lacks the call, date, time, band or mode.
QByteArray uploadRecord(QByteArrayView record, QByteArrayView qslMessage = {});

// A whole upload file: a header naming the program, then the records.
QByteArray uploadFile(const QList<QByteArray>& records);

} // namespace qsl

#pragma once
// The record line the change form and the new-QSO form write: every field in
// a fixed order with lower-case tags, each declared with its value's real
// length, the comment last, then " <eor>". A record rebuilt from one read
// before keeps everything the form does not show: the fields outside the
// fixed order follow it unchanged and in their order, and a value the
// operator left as it was shown keeps its full original form (the seconds of
// the time, every digit of the frequency).
#include "logdata/State.h"

#include <QByteArray>
#include <QByteArrayView>

namespace record
{
// `text` without any of the character `c`.
QByteArray without(QByteArrayView text, char c);

// The file form of a display time: the colons removed and, for a time that is
// not empty, "0" inserted at position 5 and again at position 6 (counted from
// 1; a position beyond the end appends): HH:MM gives HHMM00. An empty time
// stays empty.
QByteArray fileTime(QByteArrayView displayTime);

// Where rebuilt values came from: the record line they were read from and the
// values as the form showed them after reading. Empty for a new QSO.
struct Origin {
    QByteArrayView record;
    const EditFieldSet* shown = nullptr;
};

// Builds the record line from the field values; `fileDate` and `fileTimeText`
// are the date and time already in their file forms. A mode of FT4 is written
// as the mode MFSK with the submode FT4.
QByteArray build(const EditFieldSet& f, QByteArrayView fileDate, QByteArrayView fileTimeText,
                 const Origin& origin = {});

// The record rebuilt from the values a form shows (date and time in their
// display forms) and where they came from.
QByteArray rebuild(const EditFieldSet& f, const Origin& origin);

// One field as the record writes it: "<tag:" length ">" value.
void appendField(QByteArray& out, QByteArrayView tag, QByteArrayView value);
} // namespace record

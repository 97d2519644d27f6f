#pragma once
// The record line the change form and the new-QSO form write: every field in
// a fixed order with lower-case tags, each declared with its value's real
// length, the comment last, then " <eor>".
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

// Builds the record line from the field values; `fileDate` and `fileTimeText`
// are the date and time already in their file forms.
QByteArray build(const EditFieldSet& f, QByteArrayView fileDate, QByteArrayView fileTimeText);

// One field as the record writes it: "<tag:" length ">" value.
void appendField(QByteArray& out, QByteArrayView tag, QByteArrayView value);
} // namespace record

#pragma once
// A record line read field by field, the way ADIF defines it: each field is
// "<name:length>" (optionally "<name:length:type>") followed by exactly
// `length` bytes of value, so a value may hold any text, "<" and ">"
// included. Used where a record is rebuilt and every field it holds must be
// kept; the grid and the other readers follow the field lookup rule instead.
#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace adif
{

struct Field {
    QByteArrayView name;  // as written (any case)
    QByteArrayView value; // the declared length, or the rest of the line
    qsizetype declared = 0;
    // The line ended before the declared length was reached.
    bool cutShort = false;
    qsizetype begin = 0; // index of the '<'
    qsizetype end = 0;   // index just after the value
    // The field's text as it stands in the line, tag and value.
    QByteArrayView text(QByteArrayView line) const { return line.sliced(begin, end - begin); }
};

// The fields of a record line, in line order, up to its "<eor>". Text that is
// not a field (blanks, stray characters) is skipped.
std::vector<Field> parseRecord(QByteArrayView line);

// Case-insensitive comparison of a field name with a lower-case name.
bool nameIs(QByteArrayView name, QByteArrayView lower);

// The first field of that name (case-insensitive), or nullptr.
const Field* findField(const std::vector<Field>& fields, QByteArrayView lower);

} // namespace adif

#pragma once
// Reads the selected record line into the change form's field values: the
// grid's columns (Columns.h) with the form's search texts and forms (date and
// time in their display forms, the frequency shortened as the form shows it,
// an FT4 QSO, mode MFSK and submode FT4, shown as FT4), the form's own paper
// QSL flags, and the "CQ" rule.
#include "logdata/State.h"

#include <QByteArrayView>
#include <QStringList>

struct ChangeFieldsRead {
    EditFieldSet fields;
    // Tags whose length could not be read (not a decimal number); their
    // values are empty.
    QStringList unreadable;
};

ChangeFieldsRead readChangeFields(QByteArrayView record);

// What the operator is told when fields of the record could not be read
// (`unreadable` of a read): they are shown empty and a save writes them empty.
QString unreadableFieldsText(const QStringList& unreadable);

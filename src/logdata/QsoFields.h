#pragma once
// The QSO values the forms hand on: the double-clicked grid row and the
// change and new-QSO forms' fields. A grid column without a named member here
// (see Columns.h) is carried in `more`, under its ADIF field name.
#include <QByteArray>
#include <QMap>

// The double-clicked grid row, with the grid's leading blanks partly removed.
struct SelectedQsoSet {
    QByteArray date, time, call, locator, freq, band, mode, rstSent, rstRcvd, eqslSent, eqslRcvd,
        comment;
    QMap<QByteArray, QByteArray> more;
    int row = 0;
};

// The field values of the change form (ChangeFields) and the new-QSO form
// (NewQsoFields). Date and time are kept in their display forms.
struct EditFieldSet {
    QByteArray call, date, time, freq, band, mode, rstRcvd, rstSent, locator, qslSent, qslRcvd,
        eqslRcvd, eqslSent, comment;
    QMap<QByteArray, QByteArray> more;
};

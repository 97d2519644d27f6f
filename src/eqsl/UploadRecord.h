#pragma once
// The one-line ADIF record of a QSO for the eQSL upload, and the upload file
// eqsl.adi that carries it.
#include "logdata/State.h"

#include <QByteArray>
#include <QByteArrayView>

namespace eqsl
{

// Builds the record from the QSO's values as the change form reads them
// (date DD.MM.YYYY, time HH:MM) with the standard comment as QSL message.
QByteArray buildUploadRecord(const EditFieldSet& qso, QByteArrayView standardComment);

// eqsl.adi: a small header and the record, four lines each ended by CR LF.
QByteArray uploadFileContent(QByteArrayView record);

} // namespace eqsl

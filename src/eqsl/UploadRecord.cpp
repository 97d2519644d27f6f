#include "eqsl/UploadRecord.h"

#include "logdata/Dates.h"

namespace eqsl
{

namespace
{
QByteArray cut(const QByteArray& value, qsizetype limit)
{
    return value.left(limit);
}

// Removes the first `maxRemovals` occurrences of `c`.
QByteArray withoutChar(QByteArray text, char c, int maxRemovals)
{
    for (int n = 0; n < maxRemovals; ++n) {
        const qsizetype at = text.indexOf(c);
        if (at < 0)
            break;
        text.remove(at, 1);
    }
    return text;
}

// " <TAG:N>value", N being the value's length.
QByteArray field(const char* tag, const QByteArray& value)
{
    return QByteArray(" <") + tag + ":" + QByteArray::number(value.size()) + ">" + value;
}
} // namespace

QByteArray buildUploadRecord(const EditFieldSet& qso, QByteArrayView standardComment)
{
    const QByteArray date = toAdifDate(withoutChar(cut(qso.date, 20), '.', 11));
    const QByteArray time = withoutChar(cut(qso.time, 20), ':', 10);
    // Date and time come as DD.MM.YYYY and HH:MM and so declare 8 and 4
    // characters; a value of another length declares its own, so that the
    // service never reads part of the next tag as the date or time.
    // FT4 goes as ADIF has it, the mode MFSK with the submode FT4: so the
    // service matches it with the other station's upload.
    const QByteArray mode = cut(qso.mode, 10);
    const QByteArray modeFields =
        mode == "FT4" ? field("MODE", "MFSK") + field("SUBMODE", "FT4") : field("MODE", mode);
    return field("QSO_DATE", date).mid(1) + field("TIME_ON", time) +
           field("CALL", cut(qso.call, 20)) + field("BAND", cut(qso.band, 5)) + modeFields +
           field("RST_SENT", cut(qso.rstSent, 10)) +
           field("QSLMSG", cut(standardComment.toByteArray(), 60)) + " <eor>";
}

QByteArray uploadFileContent(QByteArrayView record)
{
    return "WSJT-X ADIF Export\r\n<ADIF_VER:5>3.0.6\r\n<eoh>\r\n" + record.toByteArray() + "\r\n";
}

} // namespace eqsl

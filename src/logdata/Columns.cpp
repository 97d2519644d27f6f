#include "logdata/Columns.h"

#include "logdata/AdifRecord.h"
#include "logdata/CellTable.h"
#include "logdata/Dates.h"

namespace gridcol
{
QByteArrayView shownValue(Form form, QByteArrayView line, const FieldValue& v, char* buf)
{
    switch (form) {
    case Form::AsWritten:
        break;
    case Form::Date:
        if (!v.value.isEmpty())
            return displayDateInto(v.value, buf);
        break;
    case Form::Time:
        if (v.present())
            return displayTimeInto(v.value, v.declared, buf);
        break;
    case Form::Freq4:
        if (v.present() && v.declared == 9)
            return v.value.first(qMin<qsizetype>(7, v.value.size()));
        break;
    case Form::FreqCut:
        if (v.present()) {
            const int keep = v.declared < 9 ? v.declared : v.declared - 2;
            return v.value.first(qMin<qsizetype>(keep, v.value.size()));
        }
        break;
    case Form::Ft4:
        if (v.value == QByteArrayView("MFSK"))
            return QByteArrayView("FT4");
        break;
    case Form::Ft4Submode:
        // FT4 is stored the ADIF way, as the mode MFSK with the submode FT4.
        if (v.value == QByteArrayView("MFSK")) {
            const std::vector<adif::Field> fields = adif::parseRecord(line);
            const adif::Field* sub = adif::findField(fields, "submode");
            if (sub && sub->value == QByteArrayView("FT4"))
                return QByteArrayView("FT4");
        }
        break;
    }
    return v.value;
}

SelectedQsoSet openedQso(const CellTable& rows, int row)
{
    SelectedQsoSet q;
    for (int c = 0; c < ColumnCount; ++c) {
        const Column& col = kColumns[c];
        QByteArray v = rows.cell(row, c).mid(col.openSkip);
        if (col.openMax >= 0 && v.size() > col.openMax)
            v.truncate(col.openMax);
        if (col.opened)
            q.*col.opened = v;
        else
            q.more.insert(col.name, v);
    }
    q.row = row;
    return q;
}

namespace
{
QByteArray heading(const char* Column::*part)
{
    QByteArray out;
    for (const int c : listedColumns())
        out.append(kColumns[c].*part);
    return out;
}
} // namespace

QByteArray listHeading1()
{
    return heading(&Column::listHead1);
}

QByteArray listHeading2()
{
    return heading(&Column::listHead2);
}
} // namespace gridcol

// The loader's tags are the grid's.
namespace StdTags
{
const TagSpec Call = gridcol::kColumns[gridcol::Call].tag;
const TagSpec QsoDate = gridcol::kColumns[gridcol::Date].tag;
const TagSpec Comment = gridcol::kColumns[gridcol::Comment].tag;
const TagSpec TimeOn = gridcol::kColumns[gridcol::Time].tag;
const TagSpec Freq = gridcol::kColumns[gridcol::Freq].tag;
const TagSpec Band = gridcol::kColumns[gridcol::Band].tag;
const TagSpec Mode = gridcol::kColumns[gridcol::Mode].tag;
const TagSpec Gridsquare = gridcol::kColumns[gridcol::Locator].tag;
const TagSpec RstRcvd = gridcol::kColumns[gridcol::RstRcvd].tag;
const TagSpec RstSent = gridcol::kColumns[gridcol::RstSent].tag;
const TagSpec EqslSent = gridcol::kColumns[gridcol::EqslSent].tag;
const TagSpec EqslRcvd = gridcol::kColumns[gridcol::EqslRcvd].tag;
} // namespace StdTags

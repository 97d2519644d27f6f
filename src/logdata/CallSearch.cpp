#include "logdata/CallSearch.h"

#include "logdata/Dates.h"
#include "logdata/FieldLookup.h"
#include "logdata/LineTable.h"
#include "logdata/Loader.h"

namespace
{
using R = LengthRule;
// Lower-case search texts only: a record whose tags are in capitals is not found.
const TagSpec kCall{"<call", {}, R::OneOrTwo, 7, 20};
const TagSpec kDate{"<qso_date", {}, R::OneOrTwo, 11, 20};
const TagSpec kTime{"time_on", {}, R::One, 9, 20};
const TagSpec kFreq{"freq", {}, R::One, 6, 10};
const TagSpec kBand{"band", {}, R::One, 6, 5};
const TagSpec kMode{"mode", {}, R::One, 6, 10};
const TagSpec kGrid{"gridsquare", {}, R::One, 12, 10};
const TagSpec kRcvd{"rst_rcvd", {}, R::One, 10, 10};
const TagSpec kSent{"rst_sent", {}, R::One, 10, 10};
const TagSpec kEqslSent{"eqsl_qsl_sent", {}, R::One, 15, 2};
const TagSpec kEqslRcvd{"eqsl_qsl_rcvd", {}, R::One, 15, 2};
const TagSpec kComment{"comment", {}, R::OneOrTwo, 9, -1};

enum { FDate, FTime, FFreq, FBand, FMode, FGrid, FRcvd, FSent, FESent, FERcvd, FComment, Count };
const TagSpec* const kTags[Count] = {&kDate, &kTime, &kFreq,     &kBand,     &kMode,   &kGrid,
                                     &kRcvd, &kSent, &kEqslSent, &kEqslRcvd, &kComment};

FieldValue readOrEmpty(QByteArrayView line, qsizetype hit, const TagSpec& tag, int& unreadable)
{
    if (hit < 0)
        return FieldValue();
    FieldValue v = readFieldAt(line, hit, tag);
    if (v.status == FieldValue::Unreadable) {
        ++unreadable;
        return FieldValue();
    }
    return v;
}
} // namespace

bool callMatches(QByteArrayView call, QByteArrayView searchCall)
{
    if (searchCall == QByteArrayView("*"))
        return true;
    return !searchCall.isEmpty() && call.startsWith(searchCall);
}

QByteArrayView searchCallOf(QByteArrayView line, int* unreadable)
{
    const FieldValue callField = lookupField(line, kCall);
    if (callField.status == FieldValue::Unreadable && unreadable)
        ++*unreadable;
    return callField.present() ? callField.value : QByteArrayView();
}

void appendSearchRow(QByteArrayView line, QByteArrayView call, bool displayFormat,
                     CallSearchResult& result)
{
    static const TagScanner scanner(kTags, Count);
    qsizetype hits[Count];
    scanner.scan(line, hits);
    FieldValue v[Count];
    for (int i = 0; i < Count; ++i)
        v[i] = readOrEmpty(line, hits[i], *kTags[i], result.unreadableFields);

    char dateBuf[24], timeBuf[24];
    QByteArrayView date = v[FDate].value;
    if (displayFormat)
        date = displayDateInto(date, dateBuf); // also an empty date: two dots
    QByteArrayView time = v[FTime].value;
    if (v[FTime].present() && displayFormat)
        time = displayTimeInto(v[FTime].value, v[FTime].declared, timeBuf, true);
    QByteArrayView freq;
    if (v[FFreq].present())
        freq = v[FFreq].value.first(
            qBound(qsizetype(0), qsizetype(v[FFreq].declared - 2), v[FFreq].value.size()));
    const bool cq = call == QByteArrayView("CQ");
    const QByteArrayView empty("", 0);
    const QByteArrayView cells[CellTable::Columns] = {date,
                                                      time,
                                                      call,
                                                      cq ? empty : v[FGrid].value,
                                                      freq,
                                                      v[FBand].value,
                                                      v[FMode].value,
                                                      v[FSent].value,
                                                      v[FRcvd].value,
                                                      cq ? empty : v[FESent].value,
                                                      cq ? empty : v[FERcvd].value,
                                                      v[FComment].value};
    result.rows.setRowValues(result.matches, cells);
    ++result.matches;
}

CallSearchResult searchCalls(QByteArrayView image, QByteArrayView searchCall, bool displayFormat)
{
    CallSearchResult result;
    result.opened = true;
    bool header = true;
    forEachLine(image, [&](LineSpan sp) {
        if (header) {
            header = false;
            return;
        }
        const QByteArrayView line(image.data() + sp.offset, sp.length);
        const QByteArrayView call = searchCallOf(line, &result.unreadableFields);
        if (callMatches(call, searchCall))
            appendSearchRow(line, call, displayFormat, result);
    });
    return result;
}

CallSearchResult searchLogLines(const ProgramState& s, const CellTable& fullRows,
                                QByteArrayView searchCall, bool displayFormat, int firstElement)
{
    CallSearchResult result;
    result.opened = true;
    // The values refer to the file image the lines are held in, as a load's do.
    result.rows.setSource(s.LogLines.image());
    if (searchCall.isEmpty())
        return result; // an empty text matches nothing
    const bool all = searchCall == QByteArrayView("*");
    for (int k = qMax(2, firstElement); k <= s.LoadedLineCount; ++k) {
        const int row = k - 2;
        const quint8 flags = size_t(row) < s.RowFlags.size() ? s.RowFlags[size_t(row)] : 0;
        QByteArrayView call;
        QByteArrayView line;
        if ((flags & kRowLowerCall) && fullRows.rowWritten(row)) {
            // The call the loader parsed is the one the search reads.
            call = fullRows.value(row, 2);
            if (!all && !call.startsWith(searchCall))
                continue;
            line = s.LogLines.view(k);
        } else {
            line = s.LogLines.view(k);
            call = searchCallOf(line, &result.unreadableFields);
            if (!callMatches(call, searchCall))
                continue;
        }
        appendSearchRow(line, call, displayFormat, result);
    }
    return result;
}

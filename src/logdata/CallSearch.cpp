#include "logdata/CallSearch.h"

#include "logdata/FieldLookup.h"
#include "logdata/LineTable.h"
#include "logdata/Loader.h"

namespace
{
// Lower-case "<call" only: a record whose call tag is in capitals is not found.
const TagSpec kCall{"<call", {}, LengthRule::OneOrTwo, 7, 20};
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

void appendSearchRow(QByteArrayView line, bool displayFormat, CallSearchResult& result)
{
    RowValues values;
    parseLogRow(line, displayFormat, values);
    result.unreadableFields += values.unreadable;
    writeGridRow(result.rows, result.matches, values);
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
            appendSearchRow(line, displayFormat, result);
    });
    return result;
}

CallSearchResult searchLogLines(const LogbookState& book, const CellTable& fullRows,
                                QByteArrayView searchCall, bool displayFormat, int firstElement)
{
    CallSearchResult result;
    result.opened = true;
    // The values refer to the file image the lines are held in, as a load's do.
    result.rows.setSource(book.LogLines.image());
    if (searchCall.isEmpty())
        return result; // an empty text matches nothing
    const bool all = searchCall == QByteArrayView("*");
    // A line still as the load read it has its grid row already: it is taken
    // over as it is, the others are read again (the same way).
    const bool gridFormat = (book.LoadedDisplayFormat == 1) == displayFormat;
    // The first bytes of the text, compared with the calls' heads first.
    const qsizetype headLength = qMin<qsizetype>(4, searchCall.size());
    const quint32 headMask = headLength == 4 ? ~quint32(0) : (quint32(1) << (8 * headLength)) - 1;
    const quint32 head = callHead(searchCall) & headMask;
    const bool headDecides = searchCall.size() <= 4;
    for (int k = qMax(2, firstElement); k <= book.LoadedLineCount; ++k) {
        const int row = k - 2;
        const quint8 flags = size_t(row) < book.RowFlags.size() ? book.RowFlags[size_t(row)] : 0;
        const bool asLoaded = fullRows.rowWritten(row);
        if ((flags & kRowLowerCall) && asLoaded && size_t(row) < book.RowCallHeads.size()) {
            // The call the loader parsed is the one the search reads.
            if (!all &&
                ((book.RowCallHeads[size_t(row)] & headMask) != head ||
                 (!headDecides && !fullRows.value(row, gridcol::Call).startsWith(searchCall))))
                continue;
        } else {
            const QByteArrayView call =
                searchCallOf(book.LogLines.view(k), &result.unreadableFields);
            if (!callMatches(call, searchCall))
                continue;
        }
        if (asLoaded && gridFormat && book.LogLines.imageOffset(k) >= 0)
            result.rows.copyRow(fullRows, row, result.matches++);
        else
            appendSearchRow(book.LogLines.view(k), displayFormat, result);
    }
    return result;
}

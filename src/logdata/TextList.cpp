#include "logdata/TextList.h"

#include "logdata/AtomicFile.h"
#include "logdata/Dates.h"
#include "logdata/FieldLookup.h"
#include "logdata/LineTable.h"
#include "logdata/Settings.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>

const char* const kListHeading1 =
    "Datum      Zeit   Call     Loc   Band Mod  RST   RST   e-QSL   e-QSL";
const char* const kListHeading2 =
    "                                            in   out    out     in";

namespace
{
enum Field { FDate, FTime, FCall, FLoc, FBand, FMode, FRstRcvd, FRstSent, FSent, FRcvd, Count };

// The list's own limits: band 5, mode 10, locator 10, RSTs 10, eQSL flags 2.
const TagSpec* const kListTags[Count] = {
    &StdTags::QsoDate,  &StdTags::TimeOn,  &StdTags::Call,    &StdTags::Gridsquare,
    &StdTags::Band,     &StdTags::Mode,    &StdTags::RstRcvd, &StdTags::RstSent,
    &StdTags::EqslSent, &StdTags::EqslRcvd};

const TagScanner& listScanner()
{
    static const TagScanner scanner(kListTags, Count);
    return scanner;
}

// Appends to a byte buffer that has room for a whole row, without the
// capacity checks of one append per piece.
struct RowWriter {
    char* d;
    void put(QByteArrayView v)
    {
        if (v.isEmpty())
            return; // an empty value may have no data at all
        std::memcpy(d, v.data(), size_t(v.size()));
        d += v.size();
    }
    void blanks(qsizetype n)
    {
        std::memset(d, ' ', size_t(n));
        d += n;
    }
};
} // namespace

namespace
{
void appendScannedRow(QByteArrayView line, const qsizetype* hits, QByteArray& out, int* unreadable)
{
    FieldValue v[Count];
    for (int i = 0; i < Count; ++i) {
        if (hits[i] < 0)
            continue;
        readFieldInto(line, hits[i], *kListTags[i], v[i]);
        if (v[i].status == FieldValue::Unreadable) {
            if (unreadable)
                ++*unreadable;
            v[i] = FieldValue();
        }
    }
    char date[24], time[24];
    QByteArrayView dateText, timeText;
    if (!v[FDate].value.isEmpty())
        dateText = displayDateInto(v[FDate].value, date);
    if (v[FTime].present())
        timeText = displayTimeInto(v[FTime].value, v[FTime].declared, time);
    const QByteArrayView loc = v[FLoc].value.isEmpty() ? QByteArrayView("----") : v[FLoc].value;
    const QByteArrayView rcvd =
        v[FRstRcvd].value.isEmpty() ? QByteArrayView("---") : v[FRstRcvd].value;
    const QByteArrayView sent =
        v[FRstSent].value.isEmpty() ? QByteArrayView("---") : v[FRstSent].value;
    // Call and the blanks after it fill ten columns; a longer call gets none.
    const qsizetype callPad = qMax<qsizetype>(0, 10 - v[FCall].value.size());
    const qsizetype room = dateText.size() + timeText.size() + v[FCall].value.size() + callPad +
                           loc.size() + v[FBand].value.size() + v[FMode].value.size() +
                           rcvd.size() + sent.size() + v[FSent].value.size() +
                           v[FRcvd].value.size() + 1 + 1 + 2 + 2 + 2 + 3 + 3 + 4 + 7;
    const qsizetype start = out.size();
    out.resize(start + room);
    RowWriter w{out.data() + start};
    w.put(dateText);
    w.blanks(1);
    w.put(timeText);
    w.blanks(1);
    w.put(v[FCall].value);
    w.blanks(callPad);
    w.blanks(2);
    w.put(loc);
    w.blanks(2);
    w.put(v[FBand].value);
    w.blanks(2);
    w.put(v[FMode].value);
    w.blanks(3);
    w.put(rcvd);
    w.blanks(3);
    w.put(sent);
    w.blanks(4);
    w.put(v[FSent].value);
    w.blanks(7);
    w.put(v[FRcvd].value);
}
} // namespace

void appendListRow(QByteArrayView line, QByteArray& out, int* unreadable)
{
    qsizetype hits[Count];
    listScanner().scan(line, hits);
    appendScannedRow(line, hits, out, unreadable);
}

TextListOutcome buildTextList(ProgramState& s, const std::function<void(const QString&)>& notify)
{
    TextListOutcome outcome;
    s.DisplayFormat = 1;
    QFile::remove(QString::fromLatin1(kListFileName));
    s.LinesRead = 0;

    QFile log;
    QByteArray image;
    if (openLogbookFile(s, log)) {
        image = readWholeFile(log);
        outcome.logOpened = true;
    }
    if (outcome.logOpened) {
        QByteArray out;
        out.reserve(image.size() / 3 + 64);
        int lines = 0;
        // One pass over the image finds the lines and the fields of each.
        listScanner().scanLines(
            image, [&](qsizetype offset, qsizetype length, const qsizetype* hits) {
                if (lines++ > 0)
                    appendScannedRow(QByteArrayView(image.constData() + offset, length), hits, out,
                                     &outcome.unreadableFields);
                out.append("\r\n");
            });
        s.LinesRead = lines;
        outcome.rows = lines;
        if (lines > 0) {
            QFile list(QString::fromLatin1(kListFileName));
            ignoreFileSizeSignal();
            if (list.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                list.write(out) == out.size() && list.flush()) {
                outcome.listWritten = true;
                s.ListWritten = 1;
            } else {
                list.close();
                QFile::remove(QString::fromLatin1(kListFileName));
                if (notify)
                    notify(QCoreApplication::translate("TextList",
                                                       "The file List.txt could not be created."));
            }
        }
    }
    s.LineCount = s.LinesRead;
    s.ListHeading1 = kListHeading1;
    s.ListHeading2 = kListHeading2;
    return outcome;
}

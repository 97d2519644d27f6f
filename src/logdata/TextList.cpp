#include "logdata/TextList.h"

#include "logdata/Dates.h"
#include "logdata/FieldLookup.h"
#include "logdata/LineTable.h"
#include "logdata/Settings.h"

#include <QFile>

const char* const kListHeading1 =
    "Datum      Zeit   Call     Loc   Band Mod  RST   RST   e-QSL   e-QSL";
const char* const kListHeading2 =
    "                                            in   out    out     in";

namespace {
enum Field { FDate, FTime, FCall, FLoc, FBand, FMode, FRstRcvd, FRstSent, FSent, FRcvd, Count };

// The list's own limits: band 5, mode 10, locator 10, RSTs 10, eQSL flags 2.
const TagSpec* const kListTags[Count] = {
    &StdTags::QsoDate, &StdTags::TimeOn,  &StdTags::Call,    &StdTags::Gridsquare,
    &StdTags::Band,    &StdTags::Mode,    &StdTags::RstRcvd, &StdTags::RstSent,
    &StdTags::EqslSent, &StdTags::EqslRcvd};

const TagScanner& listScanner()
{
    static const TagScanner scanner(kListTags, Count);
    return scanner;
}

void blanks(QByteArray& out, int n)
{
    out.append(n, ' ');
}
} // namespace

void appendListRow(QByteArrayView line, QByteArray& out, int* unreadable)
{
    qsizetype hits[Count];
    listScanner().scan(line, hits);
    FieldValue v[Count];
    for (int i = 0; i < Count; ++i) {
        if (hits[i] < 0)
            continue;
        v[i] = readFieldAt(line, hits[i], *kListTags[i]);
        if (v[i].status == FieldValue::Unreadable) {
            if (unreadable)
                ++*unreadable;
            v[i] = FieldValue();
        }
    }
    if (!v[FDate].value.isEmpty())
        out.append(toDisplayDate(v[FDate].value));
    blanks(out, 1);
    if (v[FTime].present())
        out.append(timeForDisplay(v[FTime].value, v[FTime].declared));
    blanks(out, 1);
    out.append(v[FCall].value);
    // Call and the blanks after it fill ten columns; a longer call gets none.
    blanks(out, qMax<int>(0, 10 - int(v[FCall].value.size())));
    blanks(out, 2);
    out.append(v[FLoc].value.isEmpty() ? QByteArrayView("----") : v[FLoc].value);
    blanks(out, 2);
    out.append(v[FBand].value);
    blanks(out, 2);
    out.append(v[FMode].value);
    blanks(out, 3);
    out.append(v[FRstRcvd].value.isEmpty() ? QByteArrayView("---") : v[FRstRcvd].value);
    blanks(out, 3);
    out.append(v[FRstSent].value.isEmpty() ? QByteArrayView("---") : v[FRstSent].value);
    blanks(out, 4);
    out.append(v[FSent].value);
    blanks(out, 7);
    out.append(v[FRcvd].value);
}

TextListOutcome buildTextList(ProgramState& s, const std::function<void(const QString&)>& notify)
{
    TextListOutcome outcome;
    s.DisplayFormat = 1;
    QFile::remove(QString::fromLatin1(kListFileName));
    s.LinesRead = 0;

    QFile log(logFilePathString(s));
    QByteArray image;
    if (!logFilePathString(s).isEmpty() && log.open(QIODevice::ReadOnly)) {
        image = log.readAll();
        outcome.logOpened = true;
    }
    if (outcome.logOpened) {
        const std::vector<LineSpan> spans = splitLines(image);
        QByteArray out;
        out.reserve(qsizetype(spans.size()) * 90);
        for (size_t k = 0; k < spans.size(); ++k) {
            if (k > 0)
                appendListRow(QByteArrayView(image.constData() + spans[k].offset, spans[k].length),
                              out, &outcome.unreadableFields);
            out.append("\r\n");
        }
        s.LinesRead = int(spans.size());
        outcome.rows = int(spans.size());
        if (!spans.empty()) {
            QFile list(QString::fromLatin1(kListFileName));
            if (list.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                list.write(out) == out.size() && list.flush()) {
                outcome.listWritten = true;
                s.ListWritten = 1;
            } else {
                list.close();
                QFile::remove(QString::fromLatin1(kListFileName));
                if (notify)
                    notify(QStringLiteral("Datei konnte nicht angelegt werden"));
            }
        }
    }
    s.LineCount = s.LinesRead;
    s.ListHeading1 = kListHeading1;
    s.ListHeading2 = kListHeading2;
    return outcome;
}

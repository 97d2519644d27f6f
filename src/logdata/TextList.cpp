#include "logdata/TextList.h"

#include "logdata/AtomicFile.h"
#include "logdata/Columns.h"
#include "logdata/FieldLookup.h"
#include "logdata/LineTable.h"
#include "logdata/Settings.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>
#include <utility>

namespace
{
const QByteArray heading1 = gridcol::listHeading1();
const QByteArray heading2 = gridcol::listHeading2();
} // namespace
const char* const kListHeading1 = heading1.constData();
const char* const kListHeading2 = heading2.constData();

namespace
{
// The listed columns, in list order.
constexpr std::array<int, gridcol::ListedCount> kListed = gridcol::listedColumns();

const TagScanner& listScanner()
{
    static const TagScanner scanner = [] {
        const TagSpec* tags[gridcol::ListedCount];
        for (int i = 0; i < gridcol::ListedCount; ++i)
            tags[i] = &gridcol::kColumns[kListed[size_t(i)]].tag;
        return TagScanner(tags, gridcol::ListedCount);
    }();
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
// The text of the I-th listed column; the characters it takes are added to
// `room`. Each column gets code of its own (its tag and form known when
// compiled).
template <int I>
inline QByteArrayView listText(QByteArrayView line, const qsizetype* hits, char* buf,
                               qsizetype& room, int* unreadable)
{
    constexpr const gridcol::Column& col = gridcol::kColumns[kListed[I]];
    FieldValue v;
    if (hits[I] >= 0) {
        readFieldInto(line, hits[I], col.tag, v);
        if (v.status == FieldValue::Unreadable) {
            if (unreadable)
                ++*unreadable;
            v = FieldValue();
        }
    }
    QByteArrayView text = col.listForm == gridcol::Form::AsWritten
                              ? v.value
                              : gridcol::shownValue(col.listForm, line, v, buf);
    if (text.isEmpty())
        text = QByteArrayView(col.listEmpty);
    room += col.listGap + qMax<qsizetype>(text.size(), col.listWidth);
    return text;
}

// Writes the I-th listed column's text with the blanks before it and, when
// it is shorter than the column, after it.
template <int I> inline void putColumn(RowWriter& w, QByteArrayView text)
{
    constexpr const gridcol::Column& col = gridcol::kColumns[kListed[I]];
    w.blanks(col.listGap);
    w.put(text);
    if constexpr (col.listWidth > 0)
        w.blanks(qMax<qsizetype>(0, col.listWidth - text.size()));
}

template <int... I>
void appendColumns(QByteArrayView line, const qsizetype* hits, QByteArray& out, int* unreadable,
                   std::integer_sequence<int, I...>)
{
    char buf[gridcol::ListedCount][24];
    qsizetype room = 0;
    const QByteArrayView text[] = {listText<I>(line, hits, buf[I], room, unreadable)...};
    const qsizetype start = out.size();
    out.resize(start + room);
    RowWriter w{out.data() + start};
    (putColumn<I>(w, text[I]), ...);
}

void appendScannedRow(QByteArrayView line, const qsizetype* hits, QByteArray& out, int* unreadable)
{
    appendColumns(line, hits, out, unreadable,
                  std::make_integer_sequence<int, gridcol::ListedCount>());
}
} // namespace

void appendListRow(QByteArrayView line, QByteArray& out, int* unreadable)
{
    qsizetype hits[gridcol::ListedCount];
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

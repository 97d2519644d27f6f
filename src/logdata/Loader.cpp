#include "logdata/Loader.h"

#include "logdata/FieldLookup.h"
#include "logdata/LogFileMark.h"
#include "logdata/Rewrite.h"
#include "logdata/Settings.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace
{
const TagScanner& loaderScanner()
{
    static const TagScanner scanner = [] {
        const TagSpec* tags[gridcol::ColumnCount];
        for (int c = 0; c < gridcol::ColumnCount; ++c)
            tags[c] = &gridcol::kColumns[c].tag;
        return TagScanner(tags, gridcol::ColumnCount);
    }();
    return scanner;
}

// The call was found by "<call", and no "<call" stands before it.
bool lowerCaseCall(QByteArrayView line, qsizetype callHit)
{
    return callHit >= 0 && line[callHit + 1] == 'c' &&
           (callHit == 0 || line.first(callHit + 5).indexOf(QByteArrayView("<call")) == callHit);
}

// Reads column C's cell. Each column gets code of its own (its tag and form
// known when compiled), as hand-written code for the twelve would be.
template <int C>
inline void readCell(QByteArrayView line, const qsizetype* hits, bool displayFormat, RowValues& out)
{
    constexpr const gridcol::Column& col = gridcol::kColumns[C];
    FieldValue v;
    if (hits[C] >= 0) {
        readFieldInto(line, hits[C], col.tag, v);
        if (v.status == FieldValue::Unreadable) {
            ++out.unreadable;
            v.value = QByteArrayView("", 0);
        }
    }
    if constexpr (C == gridcol::EqslRcvd)
        out.eqslRcvdPresent = v.present();
    // The file format shows dates and times as they are written.
    constexpr bool dateOrTime =
        col.gridForm == gridcol::Form::Date || col.gridForm == gridcol::Form::Time;
    if constexpr (col.gridForm == gridcol::Form::AsWritten)
        out.cells[C] = v.value;
    else if (dateOrTime && !displayFormat)
        out.cells[C] = v.value;
    else
        out.cells[C] = gridcol::shownValue(col.gridForm, line, v, out.buf[C]);
}

template <int... C>
inline void readCells(QByteArrayView line, const qsizetype* hits, bool displayFormat,
                      RowValues& out, std::integer_sequence<int, C...>)
{
    (readCell<C>(line, hits, displayFormat, out), ...);
}
} // namespace

void parseLogRow(QByteArrayView line, bool displayFormat, RowValues& out)
{
    qsizetype hits[gridcol::ColumnCount];
    loaderScanner().scan(line, hits);
    parseScannedRow(line, hits, displayFormat, out);
}

namespace
{
// Column C's part of the row flags: the call and the eQSL-received flag are
// read, every other found field only checked for a readable length. Each
// column gets code of its own (its tag known when compiled).
template <int C>
inline void flagCell(QByteArrayView line, const qsizetype* hits, RowValues& out, FieldValue& call,
                     FieldValue& rcvd)
{
    if (hits[C] < 0)
        return;
    constexpr const TagSpec& tag = gridcol::kColumns[C].tag;
    if constexpr (C == gridcol::Call || C == gridcol::EqslRcvd) {
        FieldValue& v = C == gridcol::Call ? call : rcvd;
        readFieldInto(line, hits[C], tag, v);
        if (v.status == FieldValue::Unreadable) {
            ++out.unreadable;
            v.value = QByteArrayView("", 0);
        }
    } else if (fieldUnreadable(line, hits[C], tag)) {
        ++out.unreadable;
    }
}

template <int... C>
inline void flagCells(QByteArrayView line, const qsizetype* hits, RowValues& out, FieldValue& call,
                      FieldValue& rcvd, std::integer_sequence<int, C...>)
{
    (flagCell<C>(line, hits, out, call, rcvd), ...);
}
} // namespace

void readRowFlags(QByteArrayView line, const qsizetype* hits, RowValues& out)
{
    out.unreadable = 0;
    FieldValue call, rcvd;
    flagCells(line, hits, out, call, rcvd, std::make_integer_sequence<int, gridcol::ColumnCount>());
    out.lowerCaseCall = lowerCaseCall(line, hits[gridcol::Call]);
    out.call = call.value;
    out.eqslRcvdPresent = rcvd.present();
    out.confirmed = out.eqslRcvdPresent && rcvd.value == QByteArrayView("Y");
}

void parseScannedRow(QByteArrayView line, const qsizetype* hits, bool displayFormat, RowValues& out)
{
    out.unreadable = 0;
    out.lowerCaseCall = lowerCaseCall(line, hits[gridcol::Call]);
    readCells(line, hits, displayFormat, out,
              std::make_integer_sequence<int, gridcol::ColumnCount>());
    out.confirmed = out.eqslRcvdPresent && out.cells[gridcol::EqslRcvd] == QByteArrayView("Y");
    if (out.cells[gridcol::Call] == QByteArrayView("CQ")) {
        for (int c = 0; c < gridcol::ColumnCount; ++c)
            if (gridcol::kColumns[c].emptyForCq)
                out.cells[c] = QByteArrayView("", 0);
    }
}

void gridCells(const RowValues& r, QByteArrayView (&cells)[CellTable::Columns])
{
    std::copy(std::begin(r.cells), std::end(r.cells), cells);
}

void writeGridRow(CellTable& table, int row, const RowValues& r)
{
    table.setRowValues(row, r.cells);
}

namespace
{
// Row flags kept per QSO, so that a reload that reads only some lines keeps
// the confirmed count right, and a search can use the parsed calls.
quint8 rowFlags(const RowValues& r)
{
    return quint8((r.confirmed ? kRowConfirmed : 0) | (r.eqslRcvdPresent ? kRowHasRcvd : 0) |
                  (r.lowerCaseCall ? kRowLowerCall : 0));
}

// The counters every load ends with, and the QSO count in config.dat.
void finishLoad(ProgramState& s, LogbookState& book, LoadReport& report)
{
    const int lines = book.LoadedLineCount;
    s.LinesRead = lines;
    s.LineCount = lines;
    book.AppendBase = lines;
    s.SelectedLine = lines;
    // One spare element always follows the last line, for a QSO added by
    // hand; the table is sized from the file, never from a stored count.
    if (book.LogLines.size() < lines + 2)
        book.LogLines.resize(lines + 2);
    s.QsoCount = s.LinesRead - 1;
    report.numberShown = lines > 1;
    report.confirmedShown = book.RowsWithRcvd > 0;
    s.ProgramSettings.LogChanged = s.StoredQsoCount == s.QsoCount ? "false" : "true";
    Save_Config(s);
}

void forgetFile(LogbookState& book)
{
    book.LogMark = LogFileMark();
    book.LoadedLineCount = 0;
    book.RowFlags.clear();
    book.RowCallHeads.clear();
    book.RowsWithRcvd = 0;
    book.ConfirmedCount = 0;
}
} // namespace

namespace
{
// Opens the logbook and reads it whole, when it is a regular file of a size
// the program can hold. The open never waits (a FIFO without a writer would
// block), and nothing is read before the file is known to be a logbook.
void openAndRead(const ProgramState& s, const LogbookState& book, LoadReport& report,
                 QByteArray& image, LogFileMark& mark)
{
    const QByteArray native = s.LogFilePath; // the path's bytes, used as they are
    if (native.isEmpty()) {
        report.problem = LoadProblem::NoPath;
        report.errorReason = QCoreApplication::translate("Loader", "no logbook file is set");
        return;
    }
    // What saves of an earlier run that was killed left behind.
    removeStaleTemporariesOnce(native);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        report.problem = error == ENOENT                     ? LoadProblem::Missing
                         : error == EACCES || error == EPERM ? LoadProblem::NoPermission
                                                             : LoadProblem::Other;
        report.errorReason = error == ENOENT
                                 ? QCoreApplication::translate("Loader", "there is no such file")
                                 : QString::fromLocal8Bit(std::strerror(error));
        return;
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0) {
        report.problem = LoadProblem::Other;
        report.errorReason = QString::fromLocal8Bit(std::strerror(errno));
    } else if (S_ISDIR(st.st_mode)) {
        report.problem = LoadProblem::Folder;
        report.errorReason = QCoreApplication::translate("Loader", "is a folder, not a file");
    } else if (!S_ISREG(st.st_mode)) {
        report.problem = LoadProblem::NotAFile;
        report.errorReason = QCoreApplication::translate(
            "Loader", "it is not a file but a pipe, a device or a socket");
    } else if (qint64(st.st_size) > kMaxLogbookBytes) {
        report.problem = LoadProblem::TooLarge;
        report.errorReason = QCoreApplication::translate("Loader", "the file is larger than 2 GiB");
    } else {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        QFile file;
        file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
        // Reading is the first half of the work, for the progress shown.
        image = readWholeFile(file, [&book](qint64 done, qint64 total) {
            if (book.loadProgress)
                book.loadProgress(done, 2 * total);
        });
        if (file.error() != QFileDevice::NoError) {
            report.problem = LoadProblem::Other;
            report.errorReason = file.errorString();
            image.clear();
        } else if (image.size() > kMaxLogbookBytes) {
            report.problem = LoadProblem::TooLarge;
            report.errorReason =
                QCoreApplication::translate("Loader", "the file is larger than 2 GiB");
            image.clear();
        } else {
            report.opened = true;
            // A file whose lines end in CR alone is split at its CRs; the
            // mark keeps the bytes as they are on disk.
            const QByteArray onDisk = image;
            const QByteArray lf = crOnlyAsLf(image);
            if (!lf.isEmpty())
                image = lf;
            mark = markFile(fd, image.size(), onDisk, partialLineLength(image));
            mark.content = {MarkPiece{onDisk, 0, onDisk.size()}};
        }
        file.close();
    }
    ::close(fd);
}
} // namespace

LoadReport loadLogbookData(ProgramState& s, LogbookState& book)
{
    LoadReport report;
    QFile::remove(QStringLiteral("temp.adif"));
    s.LinesRead = 0;
    book.ConfirmedCount = 0;
    book.RowsWithRcvd = 0;

    QByteArray image;
    LogFileMark mark;
    openAndRead(s, book, report, image, mark);

    const bool display = s.DisplayFormat == 1;
    // The grid's rows are the image's lines, read when they are shown.
    report.rows.setSource(image);
    // Room for the rows guessed from the size: a WSJT-X record is about 200
    // bytes, and a row keeps only where its line is (its cells are read when
    // shown). A guess too small only costs a regrowth.
    const qsizetype expectedRows = image.size() / 200 + 1;
    report.rows.reserve(int(expectedRows), 0);
    // Element 0 of the line table is unused; the file's lines follow.
    std::vector<LineTable::Slot> lineSlots(1);
    lineSlots.reserve(size_t(expectedRows + 2));
    std::vector<quint8> flags;
    flags.reserve(size_t(expectedRows));
    std::vector<quint32> heads;
    heads.reserve(size_t(expectedRows));
    RowValues row;
    // One pass over the image finds the lines and the fields of each; it goes
    // piece by piece (whole lines each), to tell how far it got.
    qsizetype pieceStart = 0;
    auto onLine = [&](qsizetype offset, qsizetype length, const qsizetype* hits) {
        offset += pieceStart;
        lineSlots.push_back({offset, qint32(length), -1});
        if (lineSlots.size() == 2)
            return; // the header
        const QByteArrayView line(image.constData() + offset, length);
        readRowFlags(line, hits, row);
        report.unreadableFields += row.unreadable;
        flags.push_back(rowFlags(row));
        heads.push_back(callHead(row.call));
        if (row.confirmed)
            ++book.ConfirmedCount;
        if (row.eqslRcvdPresent)
            ++book.RowsWithRcvd;
        report.rows.setLineRow(int(lineSlots.size()) - 3, line, display);
    };
    // A piece takes a few tens of milliseconds: the window hears of the
    // progress a few times a second, and the pieces cost nothing besides.
    constexpr qsizetype kPiece = qsizetype(16) << 20;
    while (pieceStart < image.size()) {
        qsizetype end = qMin(image.size(), pieceStart + kPiece);
        if (end < image.size()) {
            const qsizetype lineEnd = image.indexOf('\n', end - 1);
            end = lineEnd < 0 ? image.size() : lineEnd + 1;
        }
        loaderScanner().scanLines(QByteArrayView(image).sliced(pieceStart, end - pieceStart),
                                  onLine);
        pieceStart = end;
        if (book.loadProgress && pieceStart < image.size())
            book.loadProgress(image.size() + pieceStart, 2 * image.size());
    }
    const int lines = int(lineSlots.size()) - 1;

    if (report.opened) {
        book.LogLines.adopt(image, std::move(lineSlots));
        book.LogMark = mark;
        book.LoadedLineCount = lines;
        book.LoadedDisplayFormat = s.DisplayFormat;
        book.RowFlags = std::move(flags);
        book.RowCallHeads = std::move(heads);
    } else {
        forgetFile(book);
        book.LogLines.takeChanged();
    }
    finishLoad(s, book, report);
    return report;
}

namespace
{
// Parses the elements `changed` of LogLines into rows of `report` and keeps
// the row flags and the confirmed count right.
void parseChanged(LogbookState& book, const std::vector<int>& changed, LoadReport& report)
{
    const bool display = book.LoadedDisplayFormat == 1;
    if (book.RowFlags.size() < size_t(qMax(0, book.LoadedLineCount - 1)))
        book.RowFlags.resize(size_t(book.LoadedLineCount - 1), 0);
    if (book.RowCallHeads.size() < book.RowFlags.size())
        book.RowCallHeads.resize(book.RowFlags.size(), 0);
    RowValues row;
    for (const int k : changed) {
        if (k < 2 || k > book.LoadedLineCount)
            continue;
        const int gridRow = k - 2;
        parseLogRow(book.LogLines.view(k), display, row);
        report.unreadableFields += row.unreadable;
        quint8& f = book.RowFlags[size_t(gridRow)];
        book.ConfirmedCount -= (f & kRowConfirmed) ? 1 : 0;
        book.RowsWithRcvd -= (f & kRowHasRcvd) ? 1 : 0;
        f = rowFlags(row);
        book.RowCallHeads[size_t(gridRow)] = callHead(row.call);
        book.ConfirmedCount += (f & kRowConfirmed) ? 1 : 0;
        book.RowsWithRcvd += (f & kRowHasRcvd) ? 1 : 0;
        writeGridRow(report.rows, int(report.updatedRows.size()), row);
        report.updatedRows.push_back(gridRow);
    }
}

// Takes the bytes appended after the marked part of the file into LogLines:
// a last line without its line end is continued, every further line added.
// Returns the elements set.
std::vector<int> takeAppended(LogbookState& book, int fd, qint64 size)
{
    LogFileMark& m = book.LogMark;
    const QByteArray added = readAt(fd, m.size, size - m.size);
    std::vector<int> changed;
    if (added.isEmpty())
        return changed;
    // The last line as held, when it has no line end yet, goes on with the
    // first of the new bytes.
    int k = book.LoadedLineCount;
    QByteArray text;
    if (m.partialLength > 0 && k >= 1)
        text = book.LogLines.at(k);
    else
        ++k;
    QByteArray joined = text + added;
    std::vector<LineSpan> spans = splitLines(joined);
    for (const LineSpan& sp : spans) {
        book.LogLines.take(k, joined.mid(sp.offset, sp.length));
        changed.push_back(k);
        ++k;
    }
    book.LoadedLineCount = k - 1;
    book.LogLines.fileGrewTo(book.LoadedLineCount);
    QByteArray tail = m.tail + added;
    const qsizetype partial = partialLineLength(added) == added.size() && m.partialLength > 0
                                  ? m.partialLength + added.size()
                                  : partialLineLength(added);
    LogFileMark updated = markFile(fd, size, tail, partial);
    // Another program wrote: what it may have changed besides appending is
    // looked for at the next rewrite.
    updated.content = std::move(m.content);
    updated.content.push_back(MarkPiece{added, 0, added.size()});
    updated.othersWrote = true;
    m = updated;
    return changed;
}
} // namespace

LoadReport readRows(LogbookState& book, const std::vector<int>& elements)
{
    LoadReport report;
    report.incremental = true;
    report.opened = true;
    parseChanged(book, elements, report);
    return report;
}

LoadReport followLogbookData(ProgramState& s, LogbookState& book)
{
    LoadReport report;
    report.incremental = true;
    report.opened = true;
    if (!book.LogMark.valid) {
        report.reloadReason = QStringLiteral("the logbook was not loaded");
        return report;
    }
    const QByteArray native = s.LogFilePath;
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        report.reloadReason = QString::fromLocal8Bit(std::strerror(errno));
        return report;
    }
    const DiskCheck c = checkDisk(book.LogMark, fd);
    if (c.change == DiskChange::Appended) {
        const int before = book.LoadedLineCount;
        const std::vector<int> changed = takeAppended(book, fd, c.size);
        report.appendedLines = book.LoadedLineCount - before;
        parseChanged(book, changed, report);
        s.LineCount = book.LoadedLineCount;
        book.AppendBase = book.LoadedLineCount;
        if (book.LogLines.size() < s.LineCount + 2)
            book.LogLines.resize(s.LineCount + 2);
        if (s.SearchView == 0)
            s.QsoCount = s.LineCount - 1;
    } else if (c.change != DiskChange::Same) {
        report.reloadReason = QStringLiteral("the logbook changed on disk");
    }
    ::close(fd);
    return report;
}

LoadReport refreshLogbookData(ProgramState& s, LogbookState& book)
{
    // Read whole when it was not loaded, or loaded for another display form.
    if (!book.LogMark.valid || book.LoadedDisplayFormat != s.DisplayFormat)
        return loadLogbookData(s, book);
    LoadReport report = followLogbookData(s, book);
    if (!report.reloadReason.isEmpty()) {
        const QString why = report.reloadReason;
        report = loadLogbookData(s, book);
        report.reloadReason = why;
        return report;
    }
    QFile::remove(QStringLiteral("temp.adif"));
    // The lines changed in memory since the last load or write.
    parseChanged(book, book.LogLines.takeChanged(), report);
    finishLoad(s, book, report);
    return report;
}

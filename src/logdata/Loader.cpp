#include "logdata/Loader.h"

#include "logdata/Dates.h"
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

namespace
{
enum Field {
    FCall,
    FDate,
    FTime,
    FFreq,
    FBand,
    FMode,
    FLoc,
    FRstRcvd,
    FRstSent,
    FSent,
    FRcvd,
    FComment,
    FieldCount
};

const TagSpec* const kLoaderTags[FieldCount] = {
    &StdTags::Call,    &StdTags::QsoDate,  &StdTags::TimeOn,     &StdTags::Freq,
    &StdTags::Band,    &StdTags::Mode,     &StdTags::Gridsquare, &StdTags::RstRcvd,
    &StdTags::RstSent, &StdTags::EqslSent, &StdTags::EqslRcvd,   &StdTags::Comment};

const TagScanner& loaderScanner()
{
    static const TagScanner scanner(kLoaderTags, FieldCount);
    return scanner;
}

// The call was found by "<call", and no "<call" stands before it.
bool lowerCaseCall(QByteArrayView line, qsizetype callHit)
{
    return callHit >= 0 && line[callHit + 1] == 'c' &&
           (callHit == 0 || line.first(callHit + 5).indexOf(QByteArrayView("<call")) == callHit);
}

} // namespace

void parseLogRow(QByteArrayView line, bool displayFormat, RowValues& out)
{
    qsizetype hits[FieldCount];
    loaderScanner().scan(line, hits);
    parseScannedRow(line, hits, displayFormat, out);
}

void readRowFlags(QByteArrayView line, const qsizetype* hits, RowValues& out)
{
    out.unreadable = 0;
    FieldValue call, rcvd;
    for (int f = 0; f < FieldCount; ++f) {
        if (hits[f] < 0)
            continue;
        if (f == FCall || f == FRcvd) {
            FieldValue& v = f == FCall ? call : rcvd;
            readFieldInto(line, hits[f], *kLoaderTags[f], v);
            if (v.status == FieldValue::Unreadable) {
                ++out.unreadable;
                v.value = QByteArrayView("", 0);
            }
        } else if (fieldUnreadable(line, hits[f], *kLoaderTags[f])) {
            ++out.unreadable;
        }
    }
    out.lowerCaseCall = lowerCaseCall(line, hits[FCall]);
    out.call = call.value;
    out.eqslRcvdPresent = rcvd.present();
    out.confirmed = out.eqslRcvdPresent && rcvd.value == QByteArrayView("Y");
}

void parseScannedRow(QByteArrayView line, const qsizetype* hits, bool displayFormat, RowValues& out)
{
    out.unreadable = 0;
    // One local per field rather than an array: an array of twelve would be
    // cleared with a slow block fill on every line.
    auto read = [&](Field f) {
        FieldValue v;
        if (hits[f] >= 0) {
            readFieldInto(line, hits[f], *kLoaderTags[f], v);
            if (v.status == FieldValue::Unreadable) {
                ++out.unreadable;
                v.value = QByteArrayView("", 0);
            }
        }
        return v;
    };
    out.lowerCaseCall = lowerCaseCall(line, hits[FCall]);
    const FieldValue call = read(FCall), date = read(FDate), time = read(FTime), freq = read(FFreq),
                     band = read(FBand), mode = read(FMode), loc = read(FLoc),
                     rstRcvd = read(FRstRcvd), rstSent = read(FRstSent), sent = read(FSent),
                     rcvd = read(FRcvd), comment = read(FComment);
    out.call = call.value;
    // Date: shown as DD.MM.YYYY.
    if (!date.value.isEmpty() && displayFormat)
        out.date = displayDateInto(date.value, out.dateBuf);
    else
        out.date = date.value;
    // Time: HHMMSS is shown as HH:MM.
    if (time.present() && displayFormat)
        out.time = displayTimeInto(time.value, time.declared, out.timeBuf);
    else
        out.time = time.value;
    // Frequency: a nine-character value is shown with four decimals.
    out.freq = freq.value;
    if (freq.present() && freq.declared == 9)
        out.freq = out.freq.first(qMin<qsizetype>(7, out.freq.size()));
    out.band = band.value;
    out.mode = mode.value;
    if (out.mode == QByteArrayView("MFSK"))
        out.mode = QByteArrayView("FT4");
    out.rstRcvd = rstRcvd.value;
    out.rstSent = rstSent.value;
    out.comment = comment.value;
    out.eqslRcvdPresent = rcvd.present();
    out.confirmed = out.eqslRcvdPresent && rcvd.value == QByteArrayView("Y");
    const bool cq = out.call == QByteArrayView("CQ");
    const QByteArrayView empty("", 0);
    out.locator = cq ? empty : loc.value;
    out.eqslSent = cq ? empty : sent.value;
    out.eqslRcvd = cq ? empty : rcvd.value;
}

void gridCells(const RowValues& r, QByteArrayView (&cells)[CellTable::Columns])
{
    const QByteArrayView order[CellTable::Columns] = {r.date,    r.time,     r.call,     r.locator,
                                                      r.freq,    r.band,     r.mode,     r.rstSent,
                                                      r.rstRcvd, r.eqslSent, r.eqslRcvd, r.comment};
    std::copy(std::begin(order), std::end(order), cells);
}

void writeGridRow(CellTable& table, int row, const RowValues& r)
{
    QByteArrayView cells[CellTable::Columns];
    gridCells(r, cells);
    table.setRowValues(row, cells);
}

namespace
{
std::function<void(qint64, qint64)> loadProgress;

// Row flags kept per QSO, so that a reload that reads only some lines keeps
// the confirmed count right, and a search can use the parsed calls.
quint8 rowFlags(const RowValues& r)
{
    return quint8((r.confirmed ? kRowConfirmed : 0) | (r.eqslRcvdPresent ? kRowHasRcvd : 0) |
                  (r.lowerCaseCall ? kRowLowerCall : 0));
}

// The counters every load ends with, and the QSO count in config.dat.
void finishLoad(ProgramState& s, LoadReport& report)
{
    const int lines = s.LoadedLineCount;
    s.LinesRead = lines;
    s.LineCount = lines;
    s.AppendBase = lines;
    s.SelectedLine = lines;
    // One spare element always follows the last line, for a QSO added by
    // hand; the table is sized from the file, never from a stored count.
    if (s.LogLines.size() < lines + 2)
        s.LogLines.resize(lines + 2);
    s.QsoCount = s.LinesRead - 1;
    report.numberShown = lines > 1;
    report.confirmedShown = s.RowsWithRcvd > 0;
    s.ProgramSettings.LogChanged = s.StoredQsoCount == s.QsoCount ? "false" : "true";
    Save_Config(s);
}

void forgetFile(ProgramState& s)
{
    s.LogMark = LogFileMark();
    s.LoadedLineCount = 0;
    s.RowFlags.clear();
    s.RowCallHeads.clear();
    s.RowsWithRcvd = 0;
    s.ConfirmedCount = 0;
}
} // namespace

void setLoadProgress(std::function<void(qint64 done, qint64 total)> progress)
{
    loadProgress = std::move(progress);
}

namespace
{
// Opens the logbook and reads it whole, when it is a regular file of a size
// the program can hold. The open never waits (a FIFO without a writer would
// block), and nothing is read before the file is known to be a logbook.
void openAndRead(ProgramState& s, LoadReport& report, QByteArray& image, LogFileMark& mark)
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
        image = readWholeFile(file, [](qint64 done, qint64 total) {
            if (loadProgress)
                loadProgress(done, 2 * total);
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

LoadReport loadLogbookData(ProgramState& s)
{
    LoadReport report;
    QFile::remove(QStringLiteral("temp.adif"));
    s.LinesRead = 0;
    s.ConfirmedCount = 0;
    s.RowsWithRcvd = 0;

    QByteArray image;
    LogFileMark mark;
    openAndRead(s, report, image, mark);

    const bool display = s.DisplayFormat == 1;
    // The grid's rows are the image's lines, read when they are shown.
    report.rows.setSource(image);
    const qsizetype expectedRows = image.size() / 200 + 1;
    report.rows.reserve(int(expectedRows), 0);
    std::vector<LineSpan> spans;
    spans.reserve(size_t(expectedRows + 1));
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
        spans.push_back({offset, length});
        if (spans.size() == 1)
            return; // the header
        const QByteArrayView line(image.constData() + offset, length);
        readRowFlags(line, hits, row);
        report.unreadableFields += row.unreadable;
        flags.push_back(rowFlags(row));
        heads.push_back(callHead(row.call));
        if (row.confirmed)
            ++s.ConfirmedCount;
        if (row.eqslRcvdPresent)
            ++s.RowsWithRcvd;
        report.rows.setLineRow(int(spans.size()) - 2, line, display);
    };
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
        if (loadProgress && pieceStart < image.size())
            loadProgress(image.size() + pieceStart, 2 * image.size());
    }
    const int lines = int(spans.size());

    if (report.opened) {
        if (s.LogLines.size() < lines + 2)
            s.LogLines.resize(lines + 2);
        s.LogLines.refill(image, spans);
        s.LogMark = mark;
        s.LoadedLineCount = lines;
        s.LoadedDisplayFormat = s.DisplayFormat;
        s.RowFlags = std::move(flags);
        s.RowCallHeads = std::move(heads);
    } else {
        forgetFile(s);
        s.LogLines.takeChanged();
    }
    finishLoad(s, report);
    return report;
}

namespace
{
// Parses the elements `changed` of LogLines into rows of `report` and keeps
// the row flags and the confirmed count right.
void parseChanged(ProgramState& s, const std::vector<int>& changed, LoadReport& report)
{
    const bool display = s.LoadedDisplayFormat == 1;
    if (s.RowFlags.size() < size_t(qMax(0, s.LoadedLineCount - 1)))
        s.RowFlags.resize(size_t(s.LoadedLineCount - 1), 0);
    if (s.RowCallHeads.size() < s.RowFlags.size())
        s.RowCallHeads.resize(s.RowFlags.size(), 0);
    RowValues row;
    for (const int k : changed) {
        if (k < 2 || k > s.LoadedLineCount)
            continue;
        const int gridRow = k - 2;
        parseLogRow(s.LogLines.view(k), display, row);
        report.unreadableFields += row.unreadable;
        quint8& f = s.RowFlags[size_t(gridRow)];
        s.ConfirmedCount -= (f & kRowConfirmed) ? 1 : 0;
        s.RowsWithRcvd -= (f & kRowHasRcvd) ? 1 : 0;
        f = rowFlags(row);
        s.RowCallHeads[size_t(gridRow)] = callHead(row.call);
        s.ConfirmedCount += (f & kRowConfirmed) ? 1 : 0;
        s.RowsWithRcvd += (f & kRowHasRcvd) ? 1 : 0;
        writeGridRow(report.rows, int(report.updatedRows.size()), row);
        report.updatedRows.push_back(gridRow);
    }
}

// Takes the bytes appended after the marked part of the file into LogLines:
// a last line without its line end is continued, every further line added.
// Returns the elements set.
std::vector<int> takeAppended(ProgramState& s, int fd, qint64 size)
{
    LogFileMark& m = s.LogMark;
    const QByteArray added = readAt(fd, m.size, size - m.size);
    std::vector<int> changed;
    if (added.isEmpty())
        return changed;
    // The last line as held, when it has no line end yet, goes on with the
    // first of the new bytes.
    int k = s.LoadedLineCount;
    QByteArray text;
    if (m.partialLength > 0 && k >= 1)
        text = s.LogLines.at(k);
    else
        ++k;
    QByteArray joined = text + added;
    std::vector<LineSpan> spans = splitLines(joined);
    for (const LineSpan& sp : spans) {
        s.LogLines.take(k, joined.mid(sp.offset, sp.length));
        changed.push_back(k);
        ++k;
    }
    s.LoadedLineCount = k - 1;
    s.LogLines.fileGrewTo(s.LoadedLineCount);
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

LoadReport followLogbookData(ProgramState& s)
{
    LoadReport report;
    report.incremental = true;
    report.opened = true;
    if (!s.LogMark.valid) {
        report.reloadReason = QStringLiteral("the logbook was not loaded");
        return report;
    }
    const QByteArray native = s.LogFilePath;
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        report.reloadReason = QString::fromLocal8Bit(std::strerror(errno));
        return report;
    }
    const DiskCheck c = checkDisk(s.LogMark, fd);
    if (c.change == DiskChange::Appended) {
        const int before = s.LoadedLineCount;
        const std::vector<int> changed = takeAppended(s, fd, c.size);
        report.appendedLines = s.LoadedLineCount - before;
        parseChanged(s, changed, report);
        s.LineCount = s.LoadedLineCount;
        s.AppendBase = s.LoadedLineCount;
        if (s.LogLines.size() < s.LineCount + 2)
            s.LogLines.resize(s.LineCount + 2);
        if (s.SearchView == 0)
            s.QsoCount = s.LineCount - 1;
    } else if (c.change != DiskChange::Same) {
        report.reloadReason = QStringLiteral("the logbook changed on disk");
    }
    ::close(fd);
    return report;
}

LoadReport refreshLogbookData(ProgramState& s)
{
    // Read whole when it was not loaded, or loaded for another display form.
    if (!s.LogMark.valid || s.LoadedDisplayFormat != s.DisplayFormat)
        return loadLogbookData(s);
    LoadReport report = followLogbookData(s);
    if (!report.reloadReason.isEmpty()) {
        const QString why = report.reloadReason;
        report = loadLogbookData(s);
        report.reloadReason = why;
        return report;
    }
    QFile::remove(QStringLiteral("temp.adif"));
    // The lines changed in memory since the last load or write.
    parseChanged(s, s.LogLines.takeChanged(), report);
    finishLoad(s, report);
    return report;
}

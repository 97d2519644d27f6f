#include "logdata/Loader.h"

#include "logdata/Dates.h"
#include "logdata/FieldLookup.h"
#include "logdata/Settings.h"

#include <QFile>
#include <QFileInfo>

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

void copyFields(const RowValues& r, QsoFieldSet& f)
{
    f.date = r.date.toByteArray();
    f.time = r.time.toByteArray();
    f.call = r.call.toByteArray();
    f.freq = r.freq.toByteArray();
    f.band = r.band.toByteArray();
    f.mode = r.mode.toByteArray();
    f.locator = r.locator.toByteArray();
    f.rstRcvd = r.rstRcvd.toByteArray();
    f.rstSent = r.rstSent.toByteArray();
    f.eqslSent = r.eqslSent.toByteArray();
    f.eqslRcvd = r.eqslRcvd.toByteArray();
    f.comment = r.comment.toByteArray();
}
} // namespace

void parseLogRow(QByteArrayView line, bool displayFormat, RowValues& out)
{
    qsizetype hits[FieldCount];
    loaderScanner().scan(line, hits);
    parseScannedRow(line, hits, displayFormat, out);
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

LoadReport loadLogbookData(ProgramState& s)
{
    LoadReport report;
    QFile::remove(QStringLiteral("temp.adif"));
    s.LinesRead = 0;
    s.ConfirmedCount = 0;

    QByteArray image;
    const QString path = logFilePathString(s);
    QFile file(path);
    if (path.isEmpty()) {
        report.errorReason = QStringLiteral("no logbook file is set");
    } else if (QFileInfo(path).isDir()) {
        report.errorReason = QStringLiteral("is a folder, not a file");
    } else if (!file.open(QIODevice::ReadOnly)) {
        report.errorReason = file.errorString();
    } else {
        image = readWholeFile(file);
        if (file.error() != QFileDevice::NoError) {
            report.errorReason = file.errorString();
            image.clear();
        } else {
            report.opened = true;
        }
        file.close();
    }

    const bool display = s.DisplayFormat == 1;
    // The values stay in the image; only converted dates and times are copied.
    report.rows.setSource(image);
    const qsizetype expectedRows = image.size() / 200 + 1;
    report.rows.reserve(int(expectedRows), expectedRows * 24 + 64);
    std::vector<LineSpan> spans;
    spans.reserve(size_t(expectedRows + 1));
    RowValues row;
    // One pass over the image finds the lines and the fields of each.
    loaderScanner().scanLines(
        image, [&](qsizetype offset, qsizetype length, const qsizetype* hits) {
            spans.push_back({offset, length});
            if (spans.size() == 1)
                return; // the header
            const QByteArrayView line(image.constData() + offset, length);
            parseScannedRow(line, hits, display, row);
            report.unreadableFields += row.unreadable;
            if (row.eqslRcvdPresent) {
                if (row.confirmed)
                    ++s.ConfirmedCount;
                report.confirmedShown = true;
            }
            const QByteArrayView cells[CellTable::Columns] = {
                row.date, row.time,    row.call,    row.locator,  row.freq,     row.band,
                row.mode, row.rstSent, row.rstRcvd, row.eqslSent, row.eqslRcvd, row.comment};
            report.rows.setRowValues(int(spans.size()) - 2, cells);
        });
    const int lines = int(spans.size());
    const bool anyRow = lines > 1;
    s.LinesRead = lines;
    if (anyRow) {
        copyFields(row, s.QsoFields);
        s.CurrentLine = QByteArray(image.constData() + spans.back().offset, spans.back().length);
        report.numberShown = true;
    }

    s.LineCount = s.LinesRead;
    s.AppendBase = s.LineCount;
    s.SelectedLine = s.LineCount;
    if (report.opened) {
        // The table holds the file's lines from element 1, sized from the count
        // stored at start-up; one spare element always follows the last line,
        // for a QSO added by hand.
        if (lines > 0)
            s.LogLines.resize(qMax(s.StartQsoCount + lines + 1, lines + 2));
        s.LogLines.refill(image, spans);
        s.LoadedImage = image;
        s.LoadedImageValid = true;
        s.LoadedLineCount = lines;
    } else {
        s.LoadedImage.clear();
        s.LoadedImageValid = false;
        s.LoadedLineCount = 0;
    }
    if (s.LogLines.size() < s.LineCount + 2)
        s.LogLines.resize(s.LineCount + 2);
    s.QsoCount = s.LinesRead - 1;
    s.ProgramSettings.LogChanged = s.StoredQsoCount == s.QsoCount ? "false" : "true";
    Save_Config(s);
    return report;
}

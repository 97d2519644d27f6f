#include "logdata/Rewrite.h"

#include "logdata/AtomicFile.h"
#include "logdata/LineTable.h"
#include "logdata/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{
RewriteOutcome failed(const QString& why)
{
    RewriteOutcome o;
    o.result = RewriteResult::Failed;
    o.message = why;
    return o;
}
} // namespace

RewriteOutcome appendRecord(ProgramState& s, const QByteArray& record)
{
    int base = s.LoadedLineCount;
    if (base < 1) {
        // A missing or empty logbook: the first line is a header, never a QSO.
        s.LogLines.set(1, QByteArray(kNewLogbookHeader));
        base = 1;
    }
    s.LogLines.set(base + 1, record);
    return rewriteLogbook(s, base + 1);
}

RewriteOutcome rewriteLogbook(ProgramState& s, int lastElement)
{
    const QString path = logFilePathString(s);
    if (path.isEmpty())
        return failed(QStringLiteral("no logbook file is set"));
    if (QFileInfo(path).isDir())
        return failed(QStringLiteral("%1 is a folder, not a file").arg(path));

    // What is on disk now, compared with what the last load read.
    QByteArray appended;
    bool appendedStartsNewLine = true;
    {
        QFile current(path);
        if (current.open(QIODevice::ReadOnly)) {
            const QByteArray now = readWholeFile(current);
            const QByteArray& loaded = s.LoadedImage;
            const bool sameStart = s.LoadedImageValid && now.size() >= loaded.size() &&
                                   QByteArrayView(now).first(loaded.size()) == loaded;
            if (!sameStart) {
                RewriteOutcome o;
                o.result = RewriteResult::ChangedOnDisk;
                o.message = QStringLiteral("%1 changed on disk since it was loaded").arg(path);
                return o;
            }
            appended = now.mid(loaded.size());
            appendedStartsNewLine = loaded.isEmpty() || loaded.endsWith('\n');
        } else if (s.LoadedImageValid && !s.LoadedImage.isEmpty()) {
            RewriteOutcome o;
            o.result = RewriteResult::ChangedOnDisk;
            o.message =
                QStringLiteral("%1 can no longer be read: %2").arg(path, current.errorString());
            return o;
        }
    }
    std::vector<LineSpan> extra;
    if (!appended.isEmpty()) {
        if (!appendedStartsNewLine) {
            // The last loaded line was continued: that is a change of a line
            // we hold, unless the new text begins with the line end.
            if (appended.startsWith("\r\n"))
                appended.remove(0, 2);
            else if (appended.startsWith('\n'))
                appended.remove(0, 1);
            else {
                RewriteOutcome o;
                o.result = RewriteResult::ChangedOnDisk;
                o.message = QStringLiteral("%1 changed on disk since it was loaded").arg(path);
                return o;
            }
        }
        extra = splitLines(appended);
    }

    // The loaded lines are written whole, whatever LineCount says meanwhile
    // (the list export recounts it from the file); elements after them, up to
    // lastElement, are a QSO added by hand (and the header made for it) and
    // go last.
    const int loaded = s.LoadedLineCount;
    QByteArray out;
    out.reserve(s.LoadedImage.size() + appended.size() + 1024);
    for (int n = 1; n <= loaded; ++n) {
        out.append(s.LogLines.view(n));
        out.append("\r\n");
    }
    for (const LineSpan& sp : extra) {
        out.append(appended.constData() + sp.offset, sp.length);
        out.append("\r\n");
    }
    for (int n = loaded + 1; n <= lastElement; ++n) {
        out.append(s.LogLines.view(n));
        out.append("\r\n");
    }

    QString why;
    if (!writeFileAtomically(path, out, &why))
        return failed(QStringLiteral("%1 cannot be written: %2").arg(path, why));
    // The table now mirrors the file, so a further rewrite before the next
    // load (a second "modification save") neither refuses nor drops lines.
    const std::vector<LineSpan> written = splitLines(out);
    s.LogLines.refill(out, written);
    s.LineCount = int(written.size());
    s.AppendBase = s.LineCount;
    if (s.LogLines.size() < s.LineCount + 2)
        s.LogLines.resize(s.LineCount + 2);
    s.LoadedImage = out;
    s.LoadedImageValid = true;
    s.LoadedLineCount = s.LineCount;
    RewriteOutcome o;
    o.result = RewriteResult::Written;
    o.appendedKept = int(extra.size());
    return o;
}

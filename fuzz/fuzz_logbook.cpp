// Feeds arbitrary bytes to the loader as a whole logbook file: LogLines must
// hold the file's lines as every reader splits them, the grid one row per
// QSO line, and following the file as it grows must end exactly where loading
// the grown file does (the live log reads only the appended bytes).
#include "logdata/Loader.h"
#include "logdata/State.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace
{
QTemporaryDir* workDir()
{
    static QTemporaryDir* dir = new QTemporaryDir;
    return dir;
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// config.dat goes to the working folder: a scratch one while an input runs,
// the fuzzer's own again before it reads the next (its corpus may be given
// relative to it).
struct InScratch {
    QString back = QDir::currentPath();
    InScratch() { check(QDir::setCurrent(workDir()->path())); }
    ~InScratch() { QDir::setCurrent(back); }
};

void writeFile(const QString& path, QByteArrayView bytes, bool append)
{
    QFile f(path);
    check(f.open(append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate));
    check(f.write(bytes.data(), bytes.size()) == bytes.size());
}

struct Snapshot {
    std::vector<QByteArray> lines;
    std::vector<QString> cells;
};

Snapshot snapshot(const LogbookState& b, const CellTable& rows, int rowCount)
{
    Snapshot out;
    for (int k = 1; k <= b.LoadedLineCount; ++k)
        out.lines.push_back(b.LogLines.at(k));
    for (int r = 0; r < rowCount; ++r)
        for (int c = 0; c < CellTable::Columns; ++c)
            out.cells.push_back(rows.cellString(r, c));
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const InScratch scratch;
    const QString path = workDir()->filePath(QStringLiteral("log.adi"));
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ProgramState& s = G();
    LogbookState b;

    // The whole file at once.
    resetProgramState();
    b = LogbookState();
    s.LogFilePath = QFile::encodeName(path);
    s.DisplayFormat = 1;
    writeFile(path, bytes, false);
    LoadReport whole = loadLogbookData(s, b);
    check(whole.opened);
    // A file whose lines end in CR alone is split at its CRs.
    const QByteArray crOnly = crOnlyAsLf(bytes.toByteArray());
    const QByteArrayView lines = crOnly.isEmpty() ? bytes : QByteArrayView(crOnly);
    const std::vector<LineSpan> spans = splitLines(lines);
    check(b.LoadedLineCount == int(spans.size()));
    for (size_t k = 0; k < spans.size(); ++k)
        check(b.LogLines.view(int(k) + 1) == lines.sliced(spans[k].offset, spans[k].length));
    const int rows = qMax(0, b.LoadedLineCount - 1);
    check(whole.rows.rowCount() == rows);
    const Snapshot expected = snapshot(b, whole.rows, rows);
    const int confirmed = b.ConfirmedCount;

    // A first part loaded, the rest appended and followed (not for files
    // split at CRs, whose reading changes with the first LF).
    const qsizetype cut = size > 0 ? qsizetype(data[0]) * qsizetype(size) / 256 : 0;
    if (!crOnly.isEmpty() || !crOnlyAsLf(bytes.first(cut).toByteArray()).isEmpty())
        return 0;
    resetProgramState();
    b = LogbookState();
    s.LogFilePath = QFile::encodeName(path);
    s.DisplayFormat = 1;
    writeFile(path, bytes.first(cut), false);
    LoadReport first = loadLogbookData(s, b);
    CellTable grown = std::move(first.rows);
    writeFile(path, bytes.sliced(cut), true);
    const LoadReport followed = followLogbookData(s, b);
    check(followed.reloadReason.isEmpty());
    for (size_t i = 0; i < followed.updatedRows.size(); ++i)
        grown.copyRow(followed.rows, int(i), followed.updatedRows[i]);
    const Snapshot got = snapshot(b, grown, rows);
    check(got.lines == expected.lines);
    check(got.cells == expected.cells);
    check(b.ConfirmedCount == confirmed);
    return 0;
}

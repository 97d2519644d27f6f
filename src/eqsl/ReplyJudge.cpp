#include "eqsl/ReplyJudge.h"

#include "logdata/LineTable.h"
#include "logdata/TextCodec.h"

#include <QCoreApplication>
#include <QFile>

namespace eqsl
{

namespace
{
// From the first character of `needle` in `line`, `count` characters (fewer
// where the line ends sooner); empty when `needle` is not in the line.
QByteArray takeFrom(const QByteArray& line, const char* needle, qsizetype count)
{
    const qsizetype at = line.indexOf(needle);
    return at < 0 ? QByteArray() : line.mid(at, count);
}

QString text(const QByteArray& bytes)
{
    return text::decode(bytes);
}

// The reply's messages separate their lines with LF CR.
constexpr const char* kBreak = "\n\r";
} // namespace

QString noReplyText()
{
    return QCoreApplication::translate("eqsl", "No reply from eQSL.");
}

QString replyFileMissingText()
{
    return QCoreApplication::translate("eqsl", ">back.txt< not found!");
}

ReplyJudgement judgeReply(const ReplyLineTable& lines, const QByteArray& eqslSent, bool lampGreen)
{
    ReplyJudgement j;
    j.eqslSent = eqslSent;
    j.lampGreen = lampGreen;
    auto unmark = [&j] {
        j.eqslSent.clear();
        j.lampGreen = false;
    };
    auto message = [&j](const QByteArray& bytes) {
        j.messages << ReplyMessage{MessageKind::Message, text(bytes)};
    };

    if (j.eqslSent == "Y")
        j.lampGreen = true;

    const QByteArray& line3 = lines[3];
    const QByteArray& line11 = lines[11];
    const QByteArray& line12 = lines[12];
    const QByteArray& line13 = lines[13];
    const QByteArray& line15 = lines[15];

    const QByteArray title = takeFrom(line3, "Reply form eQSL", 44);
    const QByteArray information = takeFrom(line11, "Information", 31);
    QByteArray notice;

    // The tests below are independent: one reply can give several messages.
    if (line12.contains("Duplicate")) {
        notice = takeFrom(line12, "Duplicate", 51);
        message(line12 + kBreak + kBreak + line13);
        unmark();
    }
    if (!line12.isEmpty()) {
        if (line12.contains("Warning: Bad QSO")) {
            notice = takeFrom(line12, "Warning: Bad QSO", 88);
            message(notice);
        }
        unmark();
    }
    if (line13.contains("Error")) {
        message(information + kBreak + takeFrom(line13, "Error", 48));
        unmark();
    }
    if (line13.contains("1 out of 1")) {
        message("  " + title + kBreak + kBreak + "  " + information + kBreak + " " + notice +
                kBreak + "  " + "Result: 1 out of 1" + kBreak + kBreak + line15);
        j.eqslSent = "Y";
        j.lampGreen = true;
    }
    if (line13.isEmpty()) {
        j.messages << ReplyMessage{MessageKind::Plain, noReplyText()};
        unmark();
    }
    return j;
}

void clearReplyLines(ReplyLineTable& lines)
{
    for (QByteArray& line : lines)
        line.clear();
}

void replyLinesFrom(QByteArrayView bytes, ReplyLineTable& lines)
{
    clearReplyLines(lines);
    int n = 0;
    forEachLine(bytes, [&](LineSpan sp) {
        if (++n <= 20)
            lines[n] = bytes.sliced(sp.offset, sp.length).toByteArray();
    });
}

bool readReplyFile(const QString& path, ReplyLineTable& lines)
{
    clearReplyLines(lines);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    replyLinesFrom(f.readAll(), lines);
    return true;
}

} // namespace eqsl

#pragma once
// Judging the eQSL service's reply (back.txt): which messages the operator is
// shown, in order, and whether the QSO is then marked as sent.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace eqsl
{

// The reply's lines 1 to 20 (element 0 unused), as the program keeps them.
using ReplyLineTable = QByteArray[21];

enum class MessageKind {
    Message, // an information message
    Plain,   // a message without an icon
};

struct ReplyMessage {
    MessageKind kind = MessageKind::Message;
    QString text;
    bool operator==(const ReplyMessage&) const = default;
};

struct ReplyJudgement {
    QList<ReplyMessage> messages; // shown one after the other
    QByteArray eqslSent;          // the QSO's eQSL-sent value afterwards: "Y" or empty
    bool lampGreen = false;       // the view's eQSL-sent lamp afterwards
};

// The no-reply message (German whatever the language setting).
QString noReplyText();
// The message when back.txt cannot be read.
QString replyFileMissingText();

// Judges the reply in `lines`, starting from the QSO's current eQSL-sent
// value and lamp.
ReplyJudgement judgeReply(const ReplyLineTable& lines, const QByteArray& eqslSent, bool lampGreen);

// Empties lines 1 to 20.
void clearReplyLines(ReplyLineTable& lines);

// The reply's bytes as lines 1 to 20 (cleared first); later lines are not kept.
void replyLinesFrom(QByteArrayView bytes, ReplyLineTable& lines);

// Reads the reply file into lines 1 to 20 (cleared first, so nothing of an
// earlier reply stays); lines after the twentieth are not kept. Returns false
// when the file cannot be opened.
bool readReplyFile(const QString& path, ReplyLineTable& lines);

} // namespace eqsl

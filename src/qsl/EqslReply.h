#pragma once
// eQSL's answer to an ADIF import, read per QSO. The page says
// "Result: N out of M records added" and, for each record it did not add, a
// line "Warning: Y=2021 M=05 D=07 DL1ABC 20M FT8 Bad record: Duplicate" (or
// another reason); an "Error: ..." line that names no record stops the
// whole post (a wrong password, a broken file).
#include "qsl/QslTypes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace qsl
{

struct EqslReply {
    bool hasResult = false;
    int added = 0, total = 0;
    struct Named {
        QByteArray date, call, band; // YYYYMMDD; call and band upper case
        QString text;                // the line as the page gives it
        bool duplicate = false;
    };
    QList<Named> named;  // warnings and errors that name their record
    QStringList unnamed; // warnings that name none
    QStringList errors;  // errors that name none
};
EqslReply readEqslReply(QByteArrayView page);

// The QSOs of one post (date, call and band distinct: see planEqslPosts)
// judged by the reply: Sent for those eQSL added or had already, NotSent with
// the reason for the others.
QList<QsoOutcome> judgeEqslPost(const EqslReply& reply, const QList<QsoFacts>& post,
                                const QList<int>& lines);

// Splits the QSOs (as facts) into posts of at most `perPost`, so that no post
// holds two QSOs with the same date, call and band: each warning then names
// exactly one QSO. Returns indices into `qsos`, post by post.
QList<QList<int>> planEqslPosts(const QList<QsoFacts>& qsos, int perPost);

} // namespace qsl

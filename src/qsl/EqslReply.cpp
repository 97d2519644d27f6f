#include "qsl/EqslReply.h"

#include "logdata/TextCodec.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>

namespace qsl
{

namespace
{
QByteArray key(QByteArrayView date, QByteArrayView call, QByteArrayView band)
{
    return date.toByteArray() + ' ' + call.toByteArray().toUpper() + ' ' +
           band.toByteArray().toUpper();
}

// The page's text lines: tags dropped, <BR> and line ends as breaks.
QStringList pageLines(QByteArrayView page)
{
    QString t = text::decode(page);
    static const QRegularExpression br(QStringLiteral("<br\\s*/?>"),
                                       QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    t.replace(br, QStringLiteral("\n"));
    t.replace(tag, QString());
    QStringList lines;
    for (const QString& l : t.split(QRegularExpression(QStringLiteral("[\r\n]+"))))
        if (!l.trimmed().isEmpty())
            lines << l.simplified();
    return lines;
}
} // namespace

EqslReply readEqslReply(QByteArrayView page)
{
    static const QRegularExpression result(
        QStringLiteral("Result:\\s*(\\d+)\\s+out\\s+of\\s+(\\d+)\\s+records?\\s+added"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression record(
        QStringLiteral("Y=(\\d{4})\\s*M=(\\d{1,2})\\s*D=(\\d{1,2})\\s+(\\S+)\\s+(\\S+)"));
    EqslReply r;
    for (const QString& line : pageLines(page)) {
        const QRegularExpressionMatch m = result.match(line);
        if (m.hasMatch()) {
            r.hasResult = true;
            r.added = m.captured(1).toInt();
            r.total = m.captured(2).toInt();
            continue;
        }
        const bool warning = line.startsWith(QLatin1String("Warning:"), Qt::CaseInsensitive);
        const bool error = line.startsWith(QLatin1String("Error:"), Qt::CaseInsensitive);
        if (!warning && !error)
            continue;
        const QRegularExpressionMatch n = record.match(line);
        if (!n.hasMatch()) {
            (error ? r.errors : r.unnamed) << line;
            continue;
        }
        EqslReply::Named named;
        named.date = (n.captured(1) + n.captured(2).rightJustified(2, QLatin1Char('0')) +
                      n.captured(3).rightJustified(2, QLatin1Char('0')))
                         .toLatin1();
        named.call = n.captured(4).toUpper().toLatin1();
        named.band = n.captured(5).toUpper().toLatin1();
        named.text = line;
        named.duplicate = warning && line.contains(QLatin1String("Duplicate"), Qt::CaseInsensitive);
        r.named << named;
    }
    return r;
}

QList<QsoOutcome> judgeEqslPost(const EqslReply& reply, const QList<QsoFacts>& post,
                                const QList<int>& lines)
{
    QHash<QByteArray, const EqslReply::Named*> byKey;
    for (const EqslReply::Named& n : reply.named)
        byKey.insert(key(n.date, n.call, n.band), &n);

    // Which QSOs eQSL did not name, and whether its count says it added all
    // of them.
    int unnamedQsos = 0;
    for (const QsoFacts& f : post)
        unnamedQsos += !byKey.contains(key(f.qsoDate, f.call, f.band));
    const bool countAgrees = reply.hasResult && reply.total == post.size() &&
                             reply.added == unnamedQsos && reply.errors.isEmpty();
    QString unsure;
    if (!reply.errors.isEmpty())
        unsure = reply.errors.join(QLatin1Char(' '));
    else if (!reply.hasResult)
        unsure = QCoreApplication::translate("Qsl", "eQSL's reply has no result line");
    else if (!reply.unnamed.isEmpty())
        unsure = reply.unnamed.join(QLatin1Char(' '));
    else
        unsure =
            QCoreApplication::translate("Qsl", "eQSL added %1 of %2 records and did not say which")
                .arg(reply.added)
                .arg(reply.total);

    QList<QsoOutcome> out;
    for (qsizetype i = 0; i < post.size(); ++i) {
        const QsoFacts& f = post[i];
        QsoOutcome o = outcomeOf(lines[i], f, QsoOutcome::NotSent);
        const EqslReply::Named* n = byKey.value(key(f.qsoDate, f.call, f.band));
        if (n && n->duplicate && reply.errors.isEmpty()) {
            o.status = QsoOutcome::Sent;
            o.reason = QCoreApplication::translate("Qsl", "eQSL had it already");
        } else if (n) {
            o.status = QsoOutcome::NotSent;
            o.reason = n->text;
        } else if (countAgrees) {
            o.status = QsoOutcome::Sent;
        } else {
            o.status = QsoOutcome::NotSent;
            o.reason = unsure;
        }
        out << o;
    }
    return out;
}

QList<QList<int>> planEqslPosts(const QList<QsoFacts>& qsos, int perPost)
{
    perPost = qMax(1, perPost);
    QList<QList<int>> posts;
    QHash<QByteArray, int> lowest; // the first post a QSO of that key may still go into
    int open = 0;                  // the first post that is not full
    for (qsizetype i = 0; i < qsos.size(); ++i) {
        const QByteArray k = key(qsos[i].qsoDate, qsos[i].call, qsos[i].band);
        int p = qMax(open, lowest.value(k, 0));
        while (p < posts.size() && posts[p].size() >= perPost)
            ++p;
        if (p >= posts.size())
            posts.resize(p + 1);
        posts[p] << int(i);
        lowest[k] = p + 1;
        while (open < posts.size() && posts[open].size() >= perPost)
            ++open;
    }
    return posts;
}

} // namespace qsl

#include "qsl/EqslService.h"

#include "qsl/AdifText.h"
#include "qsl/EqslReply.h"

#include <QCoreApplication>
#include <QHttpMultiPart>
#include <QNetworkReply>
#include <QRegularExpression>

#include <memory>

namespace qsl
{

namespace
{
QHttpPart textPart(const char* name, const QByteArray& value)
{
    QHttpPart p;
    p.setHeader(QNetworkRequest::ContentDispositionHeader,
                QStringLiteral("form-data; name=\"%1\"").arg(QLatin1String(name)));
    p.setBody(value);
    return p;
}

} // namespace

struct EqslService::Upload {
    QList<LogQso> qsos;        // those that go up
    QList<QByteArray> records; // their upload records
    QList<QList<int>> posts;
    int next = 0;
    RunResult result;
    QString stopped; // why the remaining posts are not sent
};

EqslService::EqslService(QObject* parent) : QslService(parent) {}

void EqslService::upload(const QList<LogQso>& qsos)
{
    if (!begin())
        return;
    auto run = std::make_shared<Upload>();
    if (accountMissing(m_account.address, m_account.user, m_account.password))
        return;
    QList<QsoFacts> facts;
    for (const LogQso& q : qsos) {
        if (!needsUpload(q.record, Service::Eqsl))
            continue;
        const QByteArray record = uploadRecord(q.record, m_account.qslMessage);
        if (record.isEmpty()) {
            const QsoOutcome o =
                outcomeOf(q.line, readQsoFacts(q.record), QsoOutcome::NotSent,
                          QCoreApplication::translate(
                              "Qsl", "the QSO lacks its call, date, time, band or mode"));
            run->result.qsos << o;
            emit qsoDone(o);
            continue;
        }
        run->qsos << q;
        run->records << record;
    }
    for (const LogQso& q : std::as_const(run->qsos))
        facts << readQsoFacts(q.record);
    run->posts = planEqslPosts(facts, m_account.perPost);
    postNext(run);
}

void EqslService::postNext(std::shared_ptr<Upload> run)
{
    RunResult& result = run->result;
    if (run->next >= run->posts.size() || !run->stopped.isEmpty()) {
        // The posts not sent keep their QSOs unsent.
        for (int p = run->next; p < run->posts.size(); ++p)
            for (int i : run->posts[p]) {
                const QsoOutcome o = outcomeOf(run->qsos[i].line, readQsoFacts(run->qsos[i].record),
                                               QsoOutcome::NotSent, run->stopped);
                result.qsos << o;
                emit qsoDone(o);
            }
        int sent = 0;
        for (const QsoOutcome& o : std::as_const(result.qsos))
            sent += o.status == QsoOutcome::Sent;
        if (!run->stopped.isEmpty())
            result.status = RunResult::Failed;
        result.message = run->stopped.isEmpty()
                             ? QCoreApplication::translate("Qsl", "eQSL: %1 of %2 QSOs sent")
                                   .arg(sent)
                                   .arg(result.qsos.size())
                             : QCoreApplication::translate("Qsl", "eQSL: %1 (%2 of %3 QSOs sent)")
                                   .arg(run->stopped)
                                   .arg(sent)
                                   .arg(result.qsos.size());
        if (result.qsos.isEmpty())
            result.message =
                QCoreApplication::translate("Qsl", "eQSL: every QSO has been uploaded already");
        end(result);
        return;
    }
    QList<QByteArray> records;
    for (int i : run->posts[run->next])
        records << run->records[i];
    emit status(QCoreApplication::translate("Qsl", "eQSL: sending part %1 of %2")
                    .arg(run->next + 1)
                    .arg(run->posts.size()));

    auto* body = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    body->append(textPart("EQSL_USER", m_account.user.toUtf8()));
    body->append(textPart("EQSL_PSWD", m_account.password.toUtf8()));
    QHttpPart file;
    file.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QStringLiteral("form-data; name=\"Filename\"; filename=\"upload.adi\""));
    file.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/octet-stream"));
    file.setBody(uploadFile(records));
    body->append(file);
    QNetworkReply* reply =
        post(m_account.address.resolved(QUrl(QStringLiteral("ImportADIF.cfm"))), body);
    connect(reply, &QNetworkReply::finished, this, [this, reply, run] {
        reply->deleteLater();
        const QList<int>& indices = run->posts[run->next];
        const QString failure = failureOf(reply, m_account.password);
        if (cancelled()) {
            run->stopped = QCoreApplication::translate("Qsl", "cancelled");
        } else if (!failure.isEmpty()) {
            run->stopped = failure;
        } else {
            const EqslReply answer = readEqslReply(reply->readAll());
            QList<QsoFacts> facts;
            QList<int> lines;
            for (int i : indices) {
                facts << readQsoFacts(run->qsos[i].record);
                lines << run->qsos[i].line;
            }
            const QList<QsoOutcome> outcomes = judgeEqslPost(answer, facts, lines);
            for (qsizetype k = 0; k < outcomes.size(); ++k) {
                const QsoOutcome& o = outcomes[k];
                if (o.status == QsoOutcome::Sent) {
                    run->result.changes.set(o.line, facts[k], "EQSL_QSL_SENT", "Y");
                    run->result.changes.set(o.line, facts[k], "EQSL_QSLSDATE", today());
                }
                run->result.qsos << o;
                emit qsoDone(o);
            }
            // An error that names no record (a wrong password) is the same
            // for every post.
            if (!answer.errors.isEmpty())
                run->stopped = answer.errors.join(QLatin1Char(' '));
            ++run->next;
        }
        emit progress(run->next, run->posts.size());
        postNext(run);
    });
}

void EqslService::download(const QByteArray& since)
{
    if (!begin())
        return;
    RunResult result;
    if (accountMissing(m_account.address, m_account.user, m_account.password))
        return;
    result.nextCursor = todayDate().addDays(-1).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    QUrl url = m_account.address.resolved(QUrl(QStringLiteral("DownloadInBox.cfm")));
    QList<std::pair<const char*, QString>> query{{"UserName", m_account.user},
                                                 {"Password", m_account.password}};
    if (!since.isEmpty())
        query.append({"RcvdSince", QString::fromLatin1(since)});
    setFormQuery(url, query);
    emit status(QCoreApplication::translate("Qsl", "eQSL: asking for the confirmations"));
    QNetworkReply* reply = get(url);
    connect(reply, &QNetworkReply::finished, this, [this, reply, result]() mutable {
        reply->deleteLater();
        const QString failure = failureOf(reply, m_account.password);
        const QByteArray page = failure.isEmpty() ? reply->readAll() : QByteArray();
        static const QRegularExpression link(QStringLiteral("href\\s*=\\s*\"([^\"]+\\.adi)\""),
                                             QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = link.match(QString::fromLatin1(page));
        result.status = RunResult::Failed;
        if (!failure.isEmpty()) {
            result.message = QCoreApplication::translate("Qsl", "eQSL: %1").arg(failure);
        } else if (page.contains("You have no log entries")) {
            result.status = RunResult::Done;
            result.complete = true;
            result.message = QCoreApplication::translate("Qsl", "eQSL: no new confirmations");
        } else if (page.contains("No such Username/Password found")) {
            result.message =
                QCoreApplication::translate("Qsl", "eQSL: the user name or the password is wrong");
        } else if (page.contains("No such Callsign found")) {
            result.message =
                QCoreApplication::translate("Qsl", "eQSL: the account's call is not known to eQSL");
        } else if (!m.hasMatch()) {
            result.message =
                QCoreApplication::translate("Qsl", "eQSL: the reply names no file to fetch");
        } else {
            fetchFile(reply->url().resolved(QUrl(m.captured(1))), result);
            return;
        }
        end(result);
    });
}

void EqslService::fetchFile(const QUrl& file, RunResult result)
{
    emit status(QCoreApplication::translate("Qsl", "eQSL: fetching the confirmations"));
    QNetworkReply* reply = get(file);
    connect(reply, &QNetworkReply::finished, this, [this, reply, result]() mutable {
        reply->deleteLater();
        const QString failure = failureOf(reply, m_account.password);
        const QByteArray data = failure.isEmpty() ? reply->readAll() : QByteArray();
        const AdifFileParts parts = splitAdifFile(data);
        result.status = RunResult::Failed;
        if (!failure.isEmpty()) {
            result.message = QCoreApplication::translate("Qsl", "eQSL: %1").arg(failure);
        } else if (!parts.hasHeader || !parts.tail.trimmed().isEmpty()) {
            result.message = QCoreApplication::translate(
                "Qsl", "eQSL: the file of confirmations ended early; nothing is marked");
        } else {
            for (QByteArrayView r : parts.records)
                result.received << confirmationFrom(r);
            result.status = RunResult::Done;
            result.complete = true;
            result.message = QCoreApplication::translate("Qsl", "eQSL: %1 confirmations received")
                                 .arg(result.received.size());
        }
        end(result);
    });
}

} // namespace qsl

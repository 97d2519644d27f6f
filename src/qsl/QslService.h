#pragma once
// One shape for every QSL service: upload(QSOs) and download(since), each
// answered by finished() with a RunResult (per-QSO outcomes, the field
// changes for the log, a download's confirmations and next cursor, or the
// reason of a failure); progress() and status() meanwhile; cancel() at any
// time. One run at a time per service: a request while one runs is not
// started (status() says so, and no finished() follows for it).
//
// The caller owns the log: it applies RunResult::changes in one rewrite and
// saves RunResult::nextCursor only after that write succeeded. A download's
// confirmations go through matchConfirmations() (QsoIndex.h) first.
#include "qsl/QslTypes.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

class QHttpMultiPart;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace qsl
{

class QslService : public QObject
{
    Q_OBJECT
public:
    explicit QslService(QObject* parent = nullptr);
    ~QslService() override;

    virtual Service service() const = 0;
    // The service's name as the operator knows it ("eQSL", "LoTW").
    virtual QString name() const = 0;

    // Uploads those of `qsos` that the service has not had yet.
    virtual void upload(const QList<LogQso>& qsos) = 0;
    // Fetches the confirmations since the cursor of the last complete
    // download (empty: all of them).
    virtual void download(const QByteArray& since) = 0;
    // Stops the run; finished() follows with the status Cancelled and
    // nothing marked that the service has not confirmed.
    virtual void cancel();

    bool isBusy() const { return m_busy; }

    // How long the service may stay silent before the run fails (ms).
    void setTimeout(int ms) { m_timeoutMs = ms; }
    int timeout() const { return m_timeoutMs; }
    // For tests: the day that counts as today (the default is the UTC date).
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }
    // Today as the marks write it (YYYYMMDD): also the received date for
    // matchConfirmations() where a confirmation has none.
    QByteArray today() const;

signals:
    void progress(qint64 done, qint64 total);
    void status(const QString& text);
    void qsoDone(const qsl::QsoOutcome& outcome);
    void finished(const qsl::RunResult& result);

protected:
    // Starts a run; false (and a status() saying so) while one runs.
    bool begin();
    void end(RunResult result);
    bool cancelled() const { return m_cancelled; }
    QDate todayDate() const;

    // A password may go only over TLS, or to this machine: the reason why
    // not, or empty.
    static QString addressProblem(const QUrl& url);
    // Ends the run as failed (true) when the address may not carry the
    // password or the account lacks its user or password.
    bool accountMissing(const QUrl& address, const QString& user, const QString& password);
    // GET or POST with the timeout; the reply is aborted by cancel().
    QNetworkReply* get(const QUrl& url);
    QNetworkReply* post(const QUrl& url, QHttpMultiPart* body);
    // Why the request failed, without the address's query (which carries
    // the password) and without `secret` anywhere; empty when it did not.
    QString failureOf(QNetworkReply* reply, const QString& secret) const;

    QNetworkAccessManager* network();

    // Sets the query of `url` to these fields, each value encoded whole
    // (a "+" or "&" in a password stays what it is).
    static void setFormQuery(QUrl& url, const QList<std::pair<const char*, QString>>& fields);

private:
    QNetworkReply* track(QNetworkReply* reply);

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    std::function<QDate()> m_today;
    int m_timeoutMs = 120000;
    bool m_busy = false;
    bool m_cancelled = false;
};

} // namespace qsl

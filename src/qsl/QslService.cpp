#include "qsl/QslService.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHostAddress>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace qsl
{

namespace
{
const int kRegistered = qRegisterMetaType<qsl::RunResult>("qsl::RunResult") +
                        qRegisterMetaType<qsl::QsoOutcome>("qsl::QsoOutcome");
} // namespace

QslService::QslService(QObject* parent) : QObject(parent)
{
    Q_UNUSED(kRegistered);
}

QslService::~QslService() = default;

void QslService::cancel()
{
    if (!m_busy)
        return;
    m_cancelled = true;
    if (m_reply)
        m_reply->abort();
}

bool QslService::begin()
{
    // The run that goes on answers; a second one is not started.
    if (m_busy) {
        emit status(QCoreApplication::translate("Qsl", "%1: a run is still going on").arg(name()));
        return false;
    }
    m_busy = true;
    m_cancelled = false;
    return true;
}

void QslService::end(RunResult result)
{
    if (m_cancelled && result.status != RunResult::Done) {
        result.status = RunResult::Cancelled;
        result.message = QCoreApplication::translate("Qsl", "%1: cancelled").arg(name());
        result.complete = false;
        result.received.clear();
    }
    m_busy = false;
    m_cancelled = false;
    emit finished(result);
}

QDate QslService::todayDate() const
{
    return m_today ? m_today() : QDateTime::currentDateTimeUtc().date();
}

QByteArray QslService::today() const
{
    return todayDate().toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

QString QslService::addressProblem(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return QCoreApplication::translate("Qsl", "the service's address \"%1\" is not valid")
            .arg(url.toString(QUrl::RemoveQuery | QUrl::RemoveUserInfo));
    if (url.scheme() == QLatin1String("https"))
        return {};
    const QHostAddress host(url.host());
    if (url.scheme() == QLatin1String("http") &&
        (url.host() == QLatin1String("localhost") || host.isLoopback()))
        return {};
    return QCoreApplication::translate(
        "Qsl", "the service's address must begin with https:// (the password is never sent "
               "unencrypted)");
}

bool QslService::accountMissing(const QUrl& address, const QString& user, const QString& password)
{
    RunResult r;
    const QString problem = addressProblem(address);
    if (!problem.isEmpty())
        r.message = QCoreApplication::translate("Qsl", "%1: %2").arg(name(), problem);
    else if (user.isEmpty() || password.isEmpty())
        r.message = QCoreApplication::translate("Qsl", "%1: no account is set").arg(name());
    else
        return false;
    r.status = RunResult::Failed;
    end(r);
    return true;
}

QNetworkAccessManager* QslService::network()
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    return m_network;
}

QNetworkReply* QslService::track(QNetworkReply* reply)
{
    m_reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this,
            [this](qint64 done, qint64 total) { emit progress(done, total); });
    return reply;
}

QNetworkReply* QslService::get(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    return track(network()->get(request));
}

QNetworkReply* QslService::post(const QUrl& url, QHttpMultiPart* body)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = network()->post(request, body);
    body->setParent(reply);
    return track(reply);
}

void QslService::setFormQuery(QUrl& url, const QList<std::pair<const char*, QString>>& fields)
{
    QByteArray query;
    for (const auto& [name, value] : fields) {
        if (!query.isEmpty())
            query += '&';
        query += QByteArray(name) + '=' + QUrl::toPercentEncoding(value);
    }
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
}

QString QslService::failureOf(QNetworkReply* reply, const QString& secret) const
{
    const int http = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QString why;
    if (reply->error() == QNetworkReply::OperationCanceledError && !m_cancelled)
        why = QCoreApplication::translate("Qsl", "no answer within %1 seconds")
                  .arg(m_timeoutMs / 1000.0);
    else if (reply->error() != QNetworkReply::NoError && http >= 400)
        why = QCoreApplication::translate("Qsl", "the server answered %1 %2")
                  .arg(http)
                  .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    else if (reply->error() != QNetworkReply::NoError)
        why = reply->errorString();
    else
        return {};
    // Qt names the address in its messages; the query holds the password.
    const QUrl url = reply->url();
    const QString bare = url.toString(QUrl::RemoveQuery | QUrl::RemoveUserInfo);
    for (const QString& form :
         {url.toString(), url.toDisplayString(), QString::fromLatin1(url.toEncoded())})
        why.replace(form, bare);
    if (!secret.isEmpty()) {
        why.replace(secret, QStringLiteral("***"));
        why.replace(QString::fromLatin1(QUrl::toPercentEncoding(secret)), QStringLiteral("***"));
    }
    return why;
}

} // namespace qsl

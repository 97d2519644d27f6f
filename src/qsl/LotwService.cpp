#include "qsl/LotwService.h"

#include "logdata/TextCodec.h"
#include "qsl/AdifText.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>

namespace qsl
{

namespace
{
// tqsl's last "Final Status" line on its error output, or empty.
QString finalStatus(const QByteArray& err)
{
    const qsizetype at = err.lastIndexOf("Final Status");
    if (at < 0)
        return {};
    const qsizetype end = err.indexOf('\n', at);
    return text::decode(err.mid(at, end < 0 ? -1 : end - at)).trimmed();
}

QString lastLine(const QByteArray& err)
{
    const QList<QByteArray> lines = err.trimmed().split('\n');
    return lines.isEmpty() ? QString() : text::decode(lines.last()).trimmed();
}
} // namespace

LotwService::LotwService(QObject* parent) : QslService(parent) {}

LotwService::~LotwService()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(2000);
    }
}

QStringList LotwService::tqslArguments(const LotwAccount& account, const QString& file)
{
    QStringList args{QStringLiteral("-d"),        QStringLiteral("-u"), QStringLiteral("-a"),
                     QStringLiteral("compliant"), QStringLiteral("-x"), QStringLiteral("-l"),
                     account.stationLocation};
    if (!account.certificateCall.isEmpty())
        args << QStringLiteral("-c") << account.certificateCall;
    args << file;
    return args;
}

QString LotwService::exitCodeText(int code)
{
    switch (code) {
    case 0:
        return QCoreApplication::translate("Qsl", "all QSOs were signed and uploaded");
    case 1:
        return QCoreApplication::translate("Qsl", "the upload was cancelled in TrustedQSL");
    case 2:
        return QCoreApplication::translate("Qsl", "LoTW rejected the log");
    case 3:
        return QCoreApplication::translate("Qsl", "LoTW gave an unexpected answer");
    case 4:
        return QCoreApplication::translate("Qsl", "TrustedQSL failed");
    case 5:
        return QCoreApplication::translate(
            "Qsl", "TrustedQSL's signing library failed (certificate or key)");
    case 6:
        return QCoreApplication::translate("Qsl", "TrustedQSL could not open the upload file");
    case 7:
        return QCoreApplication::translate("Qsl", "TrustedQSL could not write its output file");
    case 8:
        return QCoreApplication::translate(
            "Qsl", "no QSO was new: all were duplicates or outside the date range");
    case 9:
        return QCoreApplication::translate(
            "Qsl", "some QSOs were uploaded, the others were duplicates or outside the date range");
    case 10:
        return QCoreApplication::translate("Qsl", "TrustedQSL did not understand its arguments");
    case 11:
        return QCoreApplication::translate("Qsl", "LoTW could not be reached");
    default:
        return QCoreApplication::translate("Qsl", "TrustedQSL ended with code %1").arg(code);
    }
}

void LotwService::upload(const QList<LogQso>& qsos)
{
    if (!begin())
        return;
    m_result = RunResult();
    m_sending.clear();
    if (m_account.stationLocation.isEmpty()) {
        m_result.status = RunResult::Failed;
        m_result.message = QCoreApplication::translate("Qsl", "LoTW: no station location is set");
        end(m_result);
        return;
    }
    QList<QByteArray> records;
    for (const LogQso& q : qsos) {
        if (!needsUpload(q.record, Service::Lotw))
            continue;
        const QByteArray record = uploadRecord(q.record);
        if (record.isEmpty()) {
            const QsoOutcome o =
                outcomeOf(q.line, readQsoFacts(q.record), QsoOutcome::NotSent,
                          QCoreApplication::translate(
                              "Qsl", "the QSO lacks its call, date, time, band or mode"));
            m_result.qsos << o;
            emit qsoDone(o);
            continue;
        }
        m_sending << q;
        records << record;
    }
    if (records.isEmpty()) {
        m_result.message =
            m_result.qsos.isEmpty()
                ? QCoreApplication::translate("Qsl", "LoTW: every QSO has been uploaded already")
                : QCoreApplication::translate("Qsl", "LoTW: no QSO can be uploaded");
        end(m_result);
        return;
    }
    delete m_file;
    m_file =
        new QTemporaryFile(QDir::temp().filePath(QStringLiteral("vosmira-lotw-XXXXXX.adi")), this);
    if (!m_file->open() || m_file->write(uploadFile(records)) < 0 || !m_file->flush()) {
        m_result.status = RunResult::Failed;
        m_result.message =
            QCoreApplication::translate("Qsl", "LoTW: the upload file could not be written: %1")
                .arg(m_file->errorString());
        end(m_result);
        return;
    }
    m_file->close();
    emit status(QCoreApplication::translate("Qsl", "LoTW: TrustedQSL signs and uploads %1 QSOs")
                    .arg(records.size()));
    emit progress(0, 0);
    m_process = new QProcess(this);
    m_process->setProgram(m_account.tqsl);
    m_process->setArguments(tqslArguments(m_account, m_file->fileName()));
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardOutputFile(QProcess::nullDevice());
    connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus st) {
        tqslEnded(code, st == QProcess::CrashExit);
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            tqslEnded(-1, false);
    });
    m_err.clear();
    m_silent = false;
    if (!m_silence) {
        m_silence = new QTimer(this);
        m_silence->setSingleShot(true);
        connect(m_silence, &QTimer::timeout, this, [this] {
            m_silent = true;
            if (m_process)
                m_process->kill();
        });
    }
    m_silence->start(timeout());
    connect(m_process, &QProcess::readyReadStandardError, this, [this] {
        m_err += m_process->readAllStandardError();
        m_silence->start(timeout());
    });
    m_process->start();
}

void LotwService::tqslEnded(int code, bool crashed)
{
    m_silence->stop();
    const QByteArray err = m_err + m_process->readAllStandardError();
    const bool started = code >= 0;
    m_process->deleteLater();
    m_process = nullptr;
    delete m_file;
    m_file = nullptr;

    const QString final = finalStatus(err);
    const bool sent =
        started && !crashed && !cancelled() && (code == 0 || code == 9) && !final.isEmpty();
    QString reason;
    if (cancelled())
        reason = QCoreApplication::translate(
            "Qsl", "cancelled while TrustedQSL ran; LoTW may have some of them");
    else if (!started)
        reason = QCoreApplication::translate(
            "Qsl", "tqsl could not be started (is TrustedQSL installed?)");
    else if (m_silent)
        reason = QCoreApplication::translate("Qsl", "tqsl said nothing for %1 seconds and was "
                                                    "stopped (does it wait for a passphrase?)")
                     .arg(timeout() / 1000.0);
    else if (crashed)
        reason = QCoreApplication::translate("Qsl", "tqsl ended abnormally");
    else if ((code == 0 || code == 9) && final.isEmpty())
        reason = QCoreApplication::translate(
            "Qsl", "tqsl reported no final status, so the upload is not certain");
    else if (!sent)
        reason =
            exitCodeText(code) + QStringLiteral(": ") + (final.isEmpty() ? lastLine(err) : final);

    for (const LogQso& q : std::as_const(m_sending)) {
        const QsoFacts f = readQsoFacts(q.record);
        const QsoOutcome o =
            outcomeOf(q.line, f, sent ? QsoOutcome::Sent : QsoOutcome::NotSent, reason);
        if (sent) {
            m_result.changes.set(q.line, f, "LOTW_QSL_SENT", "Y");
            m_result.changes.set(q.line, f, "LOTW_QSLSDATE", today());
        }
        m_result.qsos << o;
        emit qsoDone(o);
    }
    const qsizetype count = m_sending.size();
    m_sending.clear();
    if (sent) {
        m_result.message =
            QCoreApplication::translate("Qsl", "LoTW: %1 QSOs sent (%2)").arg(count).arg(final);
    } else {
        // Nothing new is no failure: the QSOs stay as they are, and it is said.
        m_result.status = code == 8 && !cancelled() ? RunResult::Done : RunResult::Failed;
        m_result.message =
            QCoreApplication::translate("Qsl", "LoTW: nothing is marked: %1").arg(reason);
    }
    end(m_result);
}

void LotwService::cancel()
{
    if (m_process && isBusy()) {
        QslService::cancel();
        m_process->kill();
        return;
    }
    QslService::cancel();
}

void LotwService::download(const QByteArray& since)
{
    if (!begin())
        return;
    RunResult result;
    if (accountMissing(m_account.address, m_account.login, m_account.password))
        return;
    QUrl url = m_account.address.resolved(QUrl(QStringLiteral("lotwreport.adi")));
    QList<std::pair<const char*, QString>> query{{"login", m_account.login},
                                                 {"password", m_account.password},
                                                 {"qso_query", QStringLiteral("1")},
                                                 {"qso_qsl", QStringLiteral("yes")},
                                                 {"qso_qsldetail", QStringLiteral("yes")}};
    if (!since.isEmpty())
        query.append({"qso_qslsince", QString::fromLatin1(since)});
    setFormQuery(url, query);
    emit status(QCoreApplication::translate("Qsl", "LoTW: fetching the confirmations"));
    QNetworkReply* reply = get(url);
    connect(reply, &QNetworkReply::finished, this, [this, reply, since] {
        reply->deleteLater();
        RunResult result;
        result.status = RunResult::Failed;
        const QString failure = failureOf(reply, m_account.password);
        const QByteArray data = failure.isEmpty() ? reply->readAll() : QByteArray();
        const AdifFileParts parts = splitAdifFile(data);
        if (!failure.isEmpty()) {
            result.message = QCoreApplication::translate("Qsl", "LoTW: %1").arg(failure);
        } else if (data.contains("Username/password incorrect")) {
            result.message =
                QCoreApplication::translate("Qsl", "LoTW: the user name or the password is wrong");
        } else if (data.toLower().contains("page request limit")) {
            result.message = QCoreApplication::translate(
                "Qsl", "LoTW: too many requests for now (page request limit); try "
                       "again later");
        } else if (!hasMarker(parts.tail, "app_lotw_eof")) {
            result.message = QCoreApplication::translate(
                "Qsl", "LoTW: the report ended early; nothing is marked");
        } else {
            for (QByteArrayView r : parts.records)
                result.received << confirmationFrom(r);
            const QByteArrayView last = fieldValue(parts.header, "app_lotw_lastqsl");
            result.nextCursor = last.isEmpty() ? since : last.trimmed().toByteArray();
            result.status = RunResult::Done;
            result.complete = true;
            result.message = QCoreApplication::translate("Qsl", "LoTW: %1 confirmations received")
                                 .arg(result.received.size());
        }
        end(result);
    });
}

} // namespace qsl

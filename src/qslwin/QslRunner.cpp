#include "qslwin/QslRunner.h"

#include "logdata/Logbook.h"
#include "logdata/ServiceSettings.h"
#include "qsl/Credentials.h"
#include "qsl/EqslService.h"
#include "qsl/LotwService.h"
#include "qsl/QsoIndex.h"

#include <QCoreApplication>

namespace
{
const int kRegistered = qRegisterMetaType<QslRunReport>("QslRunReport");

QString latin1(const QByteArray& b)
{
    return QString::fromLatin1(b);
}

bool isYes(QByteArrayView v)
{
    return v.size() == 1 && (v[0] == 'Y' || v[0] == 'y');
}

// A service's address as typed, made a folder so that the pages resolve
// under it ("…/qslcard" and "…/qslcard/" alike).
QUrl folderAddress(const QString& text, const QUrl& fallback)
{
    QUrl url = text.trimmed().isEmpty() ? fallback : QUrl(text.trimmed());
    if (!url.path().endsWith(QLatin1Char('/')))
        url.setPath(url.path() + QLatin1Char('/'));
    return url;
}

// The password of `key`: none stored is no error (the service says that the
// account is not set).
bool readPassword(qsl::SecretStore& secrets, const char* key, QString& password, QString& error)
{
    QString why;
    switch (secrets.read(QString::fromLatin1(key), password, why)) {
    case qsl::SecretStore::Status::Ok:
        return true;
    case qsl::SecretStore::Status::NotFound:
        password.clear();
        return true;
    default:
        error = QCoreApplication::translate("QslRunner", "the password could not be read (%1)")
                    .arg(why);
        return false;
    }
}
} // namespace

QString QslResultRow::text() const
{
    QString t = QStringLiteral("%1 %2 %3: %4").arg(call, date, time, outcome);
    if (!reason.isEmpty())
        t += QStringLiteral(" (%1)").arg(reason);
    return t;
}

QslRunner::QslRunner(Logbook& log, qsl::SecretStore& secrets, QObject* parent)
    : QObject(parent), m_log(log), m_secrets(secrets),
      m_settingsPath(QString::fromLatin1(kServiceSettingsFileName))
{
    Q_UNUSED(kRegistered);
    setService(qsl::Service::Eqsl, new qsl::EqslService);
    setService(qsl::Service::Lotw, new qsl::LotwService);
}

QslRunner::~QslRunner() = default;

void QslRunner::setService(qsl::Service service, qsl::QslService* replacement)
{
    qsl::QslService*& slot = m_services[int(service)];
    if (slot == m_running)
        m_running = nullptr;
    delete slot;
    slot = replacement;
    replacement->setParent(this);
    connect(replacement, &qsl::QslService::progress, this, &QslRunner::progress);
    connect(replacement, &qsl::QslService::status, this, &QslRunner::status);
    connect(replacement, &qsl::QslService::finished, this, &QslRunner::serviceFinished);
}

qsl::QslService* QslRunner::service(qsl::Service service) const
{
    return m_services[int(service)];
}

bool QslRunner::readEqslAccount(const ServiceSettings& settings, qsl::SecretStore& secrets,
                                qsl::EqslAccount& account, QString& error)
{
    account.address =
        folderAddress(settings.value(QString::fromLatin1(qslkeys::kEqslAddress)), account.address);
    account.user = settings.value(QString::fromLatin1(qslkeys::kEqslUser)).trimmed();
    return readPassword(secrets, qslkeys::kEqslPassword, account.password, error);
}

bool QslRunner::readLotwAccount(const ServiceSettings& settings, qsl::SecretStore& secrets,
                                qsl::LotwAccount& account, QString& error)
{
    const auto value = [&settings](const char* key, const QString& fallback = {}) {
        return settings.value(QString::fromLatin1(key), fallback).trimmed();
    };
    account.address = folderAddress(value(qslkeys::kLotwAddress), account.address);
    account.login = value(qslkeys::kLotwLogin);
    account.stationLocation = value(qslkeys::kLotwLocation);
    account.certificateCall = value(qslkeys::kLotwCertificateCall);
    account.tqsl = value(qslkeys::kLotwTqsl, account.tqsl);
    return readPassword(secrets, qslkeys::kLotwPassword, account.password, error);
}

bool QslRunner::configure(qsl::QslService* service, const ServiceSettings& settings, QString& error)
{
    auto* eqsl = qobject_cast<qsl::EqslService*>(service);
    auto* lotw = qobject_cast<qsl::LotwService*>(service);
    if (!eqsl && !lotw)
        return true;
    if (eqsl) {
        qsl::EqslAccount account;
        if (!readEqslAccount(settings, m_secrets, account, error))
            return false;
        eqsl->setAccount(account);
    } else {
        qsl::LotwAccount account;
        if (!readLotwAccount(settings, m_secrets, account, error))
            return false;
        lotw->setAccount(account);
    }
    return true;
}

bool QslRunner::start(qsl::Service which, Action action)
{
    if (m_running) {
        emit status(tr("A QSL run is still going on."));
        return false;
    }
    qsl::QslService* svc = service(which);
    QString error;
    // The settings read once: the account and, for a download, the cursor.
    ServiceSettings settings;
    if (!settings.load(m_settingsPath, &error) || !configure(svc, settings, error)) {
        QslRunReport report;
        report.summary = tr("%1: %2").arg(svc->name(), error);
        emit finished(report);
        return true;
    }
    m_running = svc;
    m_action = action;
    if (action == Action::Upload) {
        // The records not sent yet; lines without a call (blank lines,
        // comments) are no QSOs.
        QList<qsl::LogQso> qsos;
        for (int k = 1; k < m_log.lineCount(); ++k) {
            const QByteArrayView line = m_log.line(k);
            const qsl::QsoFacts f = qsl::readQsoFacts(line);
            if (!f.call.isEmpty() && !isYes(which == qsl::Service::Eqsl ? f.eqslSent : f.lotwSent))
                qsos << qsl::LogQso{k, line.toByteArray()};
        }
        svc->upload(qsos);
    } else {
        const char* key = which == qsl::Service::Eqsl ? qslkeys::kEqslCursor : qslkeys::kLotwCursor;
        svc->download(settings.value(QString::fromLatin1(key)).toLatin1());
    }
    return true;
}

void QslRunner::cancel()
{
    if (m_running)
        m_running->cancel();
}

void QslRunner::serviceFinished(const qsl::RunResult& result)
{
    if (sender() != m_running)
        return;
    QslRunReport report;
    report.summary = result.message;
    if (m_action == Action::Upload)
        uploadFinished(result, report);
    else
        downloadFinished(result, report);
    end(report);
}

bool QslRunner::writeMarks(const qsl::FieldChanges& changes, QslRunReport& report, QString& reason)
{
    QList<LineChange> lines;
    QList<int> moved;
    QByteArray text;
    for (const auto& [line, mark] : changes.lines()) {
        const QByteArrayView now = m_log.line(line);
        if (qsl::applyLineMark(now, mark, text) == qsl::ApplyResult::Applied)
            lines << LineChange{line, now.toByteArray(), text};
        else
            moved << line;
    }
    const LinesWritten written = m_log.writeLines(lines);
    moved += written.moved;
    for (int line : std::as_const(moved)) {
        const qsl::LineMark* mark = changes.at(line);
        QslResultRow row;
        row.problem = true;
        row.call = latin1(mark->call);
        row.date = latin1(mark->qsoDate);
        row.time = latin1(mark->timeOn);
        row.outcome = tr("not marked");
        row.reason = tr("line %1 of the log holds another QSO now").arg(line + 1);
        report.rows << row;
    }
    if (!written.written()) {
        reason = written.outcome.message;
        return false;
    }
    const qsizetype marked = lines.size() - written.moved.size();
    if (marked > 0)
        report.summary += tr("; %n QSO(s) marked in the log", "", int(marked));
    return true;
}

void QslRunner::uploadFinished(const qsl::RunResult& result, QslRunReport& report)
{
    // tqsl's "nothing new" (LoTW has every QSO already) leaves the QSOs
    // unmarked, but nothing failed.
    const QString nothingNew = qsl::LotwService::exitCodeText(8);
    const bool lotw = m_running->service() == qsl::Service::Lotw;
    bool unsent = false;
    for (const qsl::QsoOutcome& o : result.qsos) {
        QslResultRow row;
        row.call = latin1(o.call);
        row.date = latin1(o.qsoDate);
        row.time = latin1(o.timeOn);
        row.problem =
            o.status == qsl::QsoOutcome::NotSent &&
            !(lotw && result.status == qsl::RunResult::Done && o.reason.startsWith(nothingNew));
        row.outcome = o.status == qsl::QsoOutcome::NotSent ? tr("not sent") : tr("sent");
        row.reason = o.reason;
        unsent = unsent || row.problem;
        report.rows << row;
    }
    // What the service took is marked even when the run stopped later.
    QString reason;
    const bool written = writeMarks(result.changes, report, reason);
    if (!written)
        report.summary += tr("; the log could not be written (%1): the QSOs sent stay unmarked "
                             "and go up again next time")
                              .arg(reason);
    const bool moved = report.rows.size() > result.qsos.size();
    report.ok = result.status == qsl::RunResult::Done && written && !unsent && !moved;
}

void QslRunner::downloadFinished(const qsl::RunResult& result, QslRunReport& report)
{
    if (result.status != qsl::RunResult::Done)
        return;
    qsl::QsoIndex index;
    index.reserve(m_log.lineCount());
    for (int k = 1; k < m_log.lineCount(); ++k)
        index.add(k, m_log.line(k));
    index.finish();
    const qsl::QslService* svc = m_running;
    const qsl::MatchReport match =
        qsl::matchConfirmations(index, result.received, svc->service(), svc->today(),
                                [this](int line) { return m_log.line(line); });
    for (const qsl::QsoOutcome& o : match.matched) {
        QslResultRow row;
        row.call = latin1(o.call);
        row.date = latin1(o.qsoDate);
        row.time = latin1(o.timeOn);
        row.outcome = o.status == qsl::QsoOutcome::AlreadyConfirmed ? tr("already confirmed")
                                                                    : tr("confirmed");
        report.rows << row;
    }
    const auto confirmationRow = [](const qsl::Confirmation& c) {
        QslResultRow row;
        row.problem = true;
        row.call = latin1(c.call);
        row.date = latin1(c.qsoDate);
        row.time = latin1(c.timeOn);
        return row;
    };
    for (const qsl::Ambiguous& a : match.ambiguous) {
        QslResultRow row = confirmationRow(a.confirmation);
        row.outcome = tr("confirmation not marked");
        QStringList lines;
        for (int line : a.lines)
            lines << QString::number(line + 1);
        row.reason = tr("%n QSO(s) of the log fit it (lines %1)", "", int(a.lines.size()))
                         .arg(lines.join(QStringLiteral(", ")));
        report.rows << row;
    }
    for (const qsl::Confirmation& c : match.unmatched) {
        QslResultRow row = confirmationRow(c);
        row.outcome = tr("confirmation not marked");
        row.reason = tr("no QSO of the log fits it (%1 %2)")
                         .arg(latin1(c.band), latin1(qsl::comparedMode(c.mode, c.submode)));
        report.rows << row;
    }
    QString reason;
    if (!writeMarks(match.changes, report, reason)) {
        report.summary += tr("; the log could not be written (%1): nothing is marked, and the "
                             "next download starts where this one did")
                              .arg(reason);
        return;
    }
    if (!result.complete) {
        report.summary += tr("; the download was not complete: the next one starts where this "
                             "one did");
        return;
    }
    if (!result.nextCursor.isEmpty()) {
        ServiceSettings settings;
        QString error;
        const char* key =
            svc->service() == qsl::Service::Eqsl ? qslkeys::kEqslCursor : qslkeys::kLotwCursor;
        if (!settings.load(m_settingsPath, &error) ||
            (settings.setValue(QString::fromLatin1(key), latin1(result.nextCursor)),
             !settings.save(m_settingsPath, &error))) {
            report.summary +=
                tr("; where this download ended could not be saved (%1): the next one fetches "
                   "these confirmations again")
                    .arg(error);
            return;
        }
    }
    report.ok = true;
}

void QslRunner::end(QslRunReport report)
{
    m_running = nullptr;
    emit finished(report);
}

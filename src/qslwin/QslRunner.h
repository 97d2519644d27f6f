#pragma once
// One QSL run from start to the log: the account read from services.conf and
// the secret store, the QSOs to upload taken from the log, a download's
// confirmations matched with it, every mark of the run stored in one rewrite
// of the log, and a download's cursor saved only once that write succeeded.
// The QSL window and the command line both run through it.
#include "qsl/QslService.h"

#include <QList>
#include <QObject>
#include <QString>

class Logbook;
class ServiceSettings;

namespace qsl
{
class SecretStore;
struct EqslAccount;
struct LotwAccount;
} // namespace qsl

// The keys of the QSL settings in services.conf and in the secret store.
namespace qslkeys
{
inline constexpr const char* kEqslAddress = "eqsl.address";
inline constexpr const char* kEqslUser = "eqsl.user";
inline constexpr const char* kEqslCursor = "eqsl.cursor";
inline constexpr const char* kLotwAddress = "lotw.address";
inline constexpr const char* kLotwLogin = "lotw.login";
inline constexpr const char* kLotwLocation = "lotw.location";
inline constexpr const char* kLotwCertificateCall = "lotw.certificate_call";
inline constexpr const char* kLotwTqsl = "lotw.tqsl";
inline constexpr const char* kLotwCursor = "lotw.cursor";
// In the secret store only.
inline constexpr const char* kEqslPassword = "eqsl.password";
inline constexpr const char* kLotwPassword = "lotw.password";
} // namespace qslkeys

// One row of a run's result list: a QSO's outcome, or a confirmation that
// matched no QSO or more than one.
struct QslResultRow {
    bool problem = false; // the operator has something to look at
    QString call, date, time;
    QString outcome;
    QString reason;
    // The row as one line of text (the command line's output).
    QString text() const;
};

struct QslRunReport {
    bool ok = false; // done, written, nothing left unsent
    QString summary; // the service's word and what became of the log
    QList<QslResultRow> rows;
};
Q_DECLARE_METATYPE(QslRunReport)

class QslRunner : public QObject
{
    Q_OBJECT
public:
    enum class Action { Upload, Download };

    // `log` takes the marks; `secrets` holds the passwords. Both outlive the
    // runner.
    QslRunner(Logbook& log, qsl::SecretStore& secrets, QObject* parent = nullptr);
    ~QslRunner() override;

    // The service for `service` (the runner owns it). The real services get
    // their account from the settings before every run; another one (a
    // test's) is run as it is.
    void setService(qsl::Service service, qsl::QslService* replacement);
    qsl::QslService* service(qsl::Service service) const;
    // Where the settings are kept (default: services.conf in the working
    // directory).
    void setSettingsPath(const QString& path) { m_settingsPath = path; }
    const QString& settingsPath() const { return m_settingsPath; }

    // Starts a run; false (nothing started) while another one runs.
    // finished() follows, possibly before this returns.
    bool start(qsl::Service service, Action action);
    void cancel();
    bool isBusy() const { return m_running != nullptr; }

    // The accounts as the settings and the secret store hold them; false
    // and `error` when the password could not be read.
    static bool readEqslAccount(const ServiceSettings& settings, qsl::SecretStore& secrets,
                                qsl::EqslAccount& account, QString& error);
    static bool readLotwAccount(const ServiceSettings& settings, qsl::SecretStore& secrets,
                                qsl::LotwAccount& account, QString& error);

signals:
    void progress(qint64 done, qint64 total);
    void status(const QString& text);
    void finished(const QslRunReport& report);

private:
    bool configure(qsl::QslService* service, const ServiceSettings& settings, QString& error);
    void serviceFinished(const qsl::RunResult& result);
    // Writes the marks in one rewrite; false and `reason` when the log was
    // not written. Marks whose line holds another QSO now become rows.
    bool writeMarks(const qsl::FieldChanges& changes, QslRunReport& report, QString& reason);
    void uploadFinished(const qsl::RunResult& result, QslRunReport& report);
    void downloadFinished(const qsl::RunResult& result, QslRunReport& report);
    void end(QslRunReport report);

    Logbook& m_log;
    qsl::SecretStore& m_secrets;
    qsl::QslService* m_services[2] = {nullptr, nullptr};
    qsl::QslService* m_running = nullptr;
    Action m_action = Action::Upload;
    QString m_settingsPath;
};

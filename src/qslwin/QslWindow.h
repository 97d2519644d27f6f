#pragma once
// The QSL window: upload and download for eQSL and LoTW, the run's progress
// with Cancel, the result list, and the services' accounts. The addresses,
// users and LoTW's station go into services.conf; a password typed here goes
// into the secret store only and is never shown again.
#include "qsl/Credentials.h"
#include "qslwin/QslRunner.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

class QslWindow : public QWidget
{
    Q_OBJECT
public:
    explicit QslWindow(QWidget* parent = nullptr);
    ~QslWindow() override;

    // Builds the controls (the window factory calls it once).
    void FormCreate();
    // The log the marks go into, and where the passwords are kept (none:
    // the desktop's secret store, else the owner-only file).
    void setLogbook(Logbook* log, std::unique_ptr<qsl::SecretStore> secrets = {});
    QslRunner* runner() const { return m_runner.get(); }

    // Shows the window with the settings as stored.
    void open();
    // Stores what the fields hold: services.conf and the typed passwords
    // (whose fields are emptied). False, and the reason shown, when not.
    bool saveSettings();
    // Saves the settings and starts a run.
    void startRun(qsl::Service service, QslRunner::Action action);

    // Controls, per service (eQSL first, then LoTW).
    QPushButton* UploadButton[2] = {nullptr, nullptr};
    QPushButton* DownloadButton[2] = {nullptr, nullptr};
    QPushButton* CancelButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* CloseButton = nullptr;
    QLineEdit* EqslAddress = nullptr;
    QLineEdit* EqslUser = nullptr;
    QLineEdit* EqslPassword = nullptr;
    QLineEdit* LotwAddress = nullptr;
    QLineEdit* LotwLogin = nullptr;
    QLineEdit* LotwPassword = nullptr;
    QLineEdit* LotwLocation = nullptr;
    QLineEdit* LotwCertificateCall = nullptr;
    QLineEdit* LotwTqsl = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* StatusLine = nullptr;
    QTableWidget* Results = nullptr;

protected:
    void changeEvent(QEvent* e) override;

private:
    void setTexts();
    void retranslate();
    void showNotice(const QString& text);
    void runFinished(const QslRunReport& report);
    void setRunning(bool running);
    // The password fields say whether a password is stored.
    void showPasswordState();
    void showPasswordPlaceholders();
    bool m_stored[2] = {false, false};

    std::unique_ptr<qsl::SecretStore> m_secrets;
    std::unique_ptr<QslRunner> m_runner;
    QLabel* m_labels[12] = {};
    QString m_serviceOfRun;
};

#pragma once
// LoTW: the upload signed and sent by TrustedQSL's tqsl, the confirmations
// fetched from lotwreport.adi.
#include "qsl/QslService.h"

#include <QStringList>

class QProcess;
class QTemporaryFile;
class QTimer;

namespace qsl
{

struct LotwAccount {
    QUrl address = QUrl(QStringLiteral("https://lotw.arrl.org/lotwuser/"));
    QString login;
    QString password;
    QString stationLocation; // tqsl's station location (-l)
    QString certificateCall; // tqsl's -c, where the location does not say
    QString tqsl = QStringLiteral("tqsl");
};

class LotwService : public QslService
{
    Q_OBJECT
public:
    explicit LotwService(QObject* parent = nullptr);
    ~LotwService() override;
    void setAccount(const LotwAccount& account) { m_account = account; }

    Service service() const override { return Service::Lotw; }
    QString name() const override { return QStringLiteral("LoTW"); }
    void upload(const QList<LogQso>& qsos) override;
    // `since`: LoTW's qso_qslsince ("YYYY-MM-DD" or the APP_LoTW_LASTQSL of
    // the last complete download, which becomes the next cursor).
    void download(const QByteArray& since) override;
    void cancel() override;

    // tqsl is stopped when it stays silent for the timeout (a passphrase
    // dialog nobody answers, a hung connection): nothing is marked then.

    // tqsl's arguments for signing and uploading `file`: no shell, no
    // password (tqsl asks for a key's passphrase itself).
    static QStringList tqslArguments(const LotwAccount& account, const QString& file);
    // What tqsl's exit code means.
    static QString exitCodeText(int code);

private:
    void tqslEnded(int code, bool crashed);

    LotwAccount m_account;
    QProcess* m_process = nullptr;
    QByteArray m_err;            // what tqsl wrote on its error output so far
    QTimer* m_silence = nullptr; // tqsl said nothing for the timeout: it waits for someone
    bool m_silent = false;
    QTemporaryFile* m_file = nullptr;
    QList<LogQso> m_sending;
    RunResult m_result;
};

} // namespace qsl

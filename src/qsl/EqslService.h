#pragma once
// eQSL: batch upload to ImportADIF.cfm and the inbox download through
// DownloadInBox.cfm.
#include "qsl/QslService.h"

namespace qsl
{

struct EqslAccount {
    QUrl address = QUrl(QStringLiteral("https://www.eqsl.cc/qslcard/"));
    QString user;
    QString password;
    QByteArray qslMessage; // QSLMSG of every uploaded QSO, when not empty
    int perPost = 100;     // QSOs per post
};

class EqslService : public QslService
{
    Q_OBJECT
public:
    explicit EqslService(QObject* parent = nullptr);
    void setAccount(const EqslAccount& account) { m_account = account; }

    Service service() const override { return Service::Eqsl; }
    QString name() const override { return QStringLiteral("eQSL"); }
    void upload(const QList<LogQso>& qsos) override;
    // `since`: YYYYMMDD (RcvdSince). The next cursor is the day before the
    // run's day, so that confirmations eQSL files late on a day are fetched
    // again rather than missed (those already in the log change nothing).
    void download(const QByteArray& since) override;

private:
    struct Upload;
    void postNext(std::shared_ptr<Upload> run);
    void fetchFile(const QUrl& file, RunResult result);

    EqslAccount m_account;
};

} // namespace qsl

#include "qsl/Credentials.h"

#include "logdata/AtomicFile.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDir>
#include <QEventLoop>
#include <QFile>

#include <qt6keychain/keychain.h>

namespace qsl
{

namespace
{
SecretStore::Status runJob(QKeychain::Job& job, QString& error)
{
    // The desktop's stores are reached through the session bus; without one
    // QtKeychain fails with a mere "other error".
    if (!QDBusConnection::sessionBus().isConnected()) {
        error = QCoreApplication::translate("Qsl", "no D-Bus session is running");
        return SecretStore::Status::NoStore;
    }
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    switch (job.error()) {
    case QKeychain::NoError:
        return SecretStore::Status::Ok;
    case QKeychain::EntryNotFound:
        return SecretStore::Status::NotFound;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        error = job.errorString();
        return SecretStore::Status::NoStore;
    default:
        error = job.errorString();
        return SecretStore::Status::Failed;
    }
}

// The file's lines as key -> encoded secret, in order.
QList<std::pair<QByteArray, QByteArray>> fileEntries(const QString& path, bool& readable)
{
    QList<std::pair<QByteArray, QByteArray>> entries;
    QFile f(path);
    readable = f.open(QIODevice::ReadOnly) || !f.exists();
    if (!f.isOpen())
        return entries;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab > 0)
            entries.append({line.left(tab), line.mid(tab + 1).trimmed()});
    }
    return entries;
}

SecretStore::Status writeEntries(const QString& path,
                                 const QList<std::pair<QByteArray, QByteArray>>& entries,
                                 QString& error)
{
    QByteArray data;
    for (const auto& [key, value] : entries)
        data += key + '\t' + value + '\n';
    return writeFileAtomically(path, data, &error, QFileDevice::ReadOwner | QFileDevice::WriteOwner)
               ? SecretStore::Status::Ok
               : SecretStore::Status::Failed;
}
} // namespace

KeychainStore::KeychainStore(QString service) : m_service(std::move(service)) {}

SecretStore::Status KeychainStore::read(const QString& key, QString& secret, QString& error)
{
    QKeychain::ReadPasswordJob job(m_service);
    job.setKey(key);
    const Status s = runJob(job, error);
    if (s == Status::Ok)
        secret = job.textData();
    return s;
}

SecretStore::Status KeychainStore::write(const QString& key, const QString& secret, QString& error)
{
    QKeychain::WritePasswordJob job(m_service);
    job.setKey(key);
    job.setTextData(secret);
    return runJob(job, error);
}

SecretStore::Status KeychainStore::remove(const QString& key, QString& error)
{
    QKeychain::DeletePasswordJob job(m_service);
    job.setKey(key);
    const Status s = runJob(job, error);
    return s == Status::NotFound ? Status::Ok : s;
}

FileSecretStore::FileSecretStore(QString path) : m_path(std::move(path)) {}

SecretStore::Status FileSecretStore::read(const QString& key, QString& secret, QString& error)
{
    bool readable = true;
    for (const auto& [k, v] : fileEntries(m_path, readable))
        if (k == key.toUtf8()) {
            secret = QString::fromUtf8(QByteArray::fromBase64(v));
            return Status::Ok;
        }
    if (!readable) {
        error = QCoreApplication::translate("Qsl", "%1 cannot be read")
                    .arg(QDir::toNativeSeparators(m_path));
        return Status::Failed;
    }
    return Status::NotFound;
}

SecretStore::Status FileSecretStore::write(const QString& key, const QString& secret,
                                           QString& error)
{
    bool readable = true;
    auto entries = fileEntries(m_path, readable);
    if (!readable) {
        error = QCoreApplication::translate("Qsl", "%1 cannot be read")
                    .arg(QDir::toNativeSeparators(m_path));
        return Status::Failed;
    }
    const QByteArray k = key.toUtf8();
    entries.removeIf([&k](const auto& e) { return e.first == k; });
    entries.append({k, secret.toUtf8().toBase64()});
    return writeEntries(m_path, entries, error);
}

SecretStore::Status FileSecretStore::remove(const QString& key, QString& error)
{
    bool readable = true;
    auto entries = fileEntries(m_path, readable);
    const QByteArray k = key.toUtf8();
    if (entries.removeIf([&k](const auto& e) { return e.first == k; }) == 0)
        return readable ? Status::Ok : Status::Failed;
    return writeEntries(m_path, entries, error);
}

Credentials::Credentials(std::unique_ptr<SecretStore> store, std::unique_ptr<FileSecretStore> file,
                         std::function<void(const QString&)> notice)
    : m_store(std::move(store)), m_file(std::move(file)), m_notice(std::move(notice))
{
}

std::unique_ptr<Credentials> Credentials::standard(std::function<void(const QString&)> notice)
{
    return std::make_unique<Credentials>(
        std::make_unique<KeychainStore>(),
        std::make_unique<FileSecretStore>(
            QDir::current().absoluteFilePath(QStringLiteral("qsl-secrets.dat"))),
        std::move(notice));
}

void Credentials::useFile()
{
    m_useFile = true;
    if (m_notice)
        m_notice(QCoreApplication::translate(
                     "Qsl",
                     "No secret store is running: the QSL passwords are kept in %1, readable by "
                     "you only.")
                     .arg(QDir::toNativeSeparators(m_file->path())));
}

SecretStore::Status Credentials::read(const QString& key, QString& secret, QString& error)
{
    return withFallback([&](SecretStore& s) { return s.read(key, secret, error); });
}

SecretStore::Status Credentials::write(const QString& key, const QString& secret, QString& error)
{
    return withFallback([&](SecretStore& s) { return s.write(key, secret, error); });
}

SecretStore::Status Credentials::remove(const QString& key, QString& error)
{
    return withFallback([&](SecretStore& s) { return s.remove(key, error); });
}

} // namespace qsl

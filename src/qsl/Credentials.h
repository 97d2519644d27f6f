#pragma once
// The services' passwords: in the desktop's secret store through QtKeychain,
// or, where no store runs, in a file in the working directory that only its
// owner may read. Never on a command line, in a log or on screen.
#include <QString>

#include <functional>
#include <memory>

namespace qsl
{

class SecretStore
{
public:
    enum class Status { Ok, NotFound, NoStore, Failed };
    virtual ~SecretStore() = default;
    virtual Status read(const QString& key, QString& secret, QString& error) = 0;
    virtual Status write(const QString& key, const QString& secret, QString& error) = 0;
    virtual Status remove(const QString& key, QString& error) = 0;
};

// The desktop's secret store (Secret Service, KWallet). Waits for the store
// in a local event loop.
class KeychainStore : public SecretStore
{
public:
    explicit KeychainStore(QString service = QStringLiteral("Vosmira"));
    Status read(const QString& key, QString& secret, QString& error) override;
    Status write(const QString& key, const QString& secret, QString& error) override;
    Status remove(const QString& key, QString& error) override;

private:
    QString m_service;
};

// A file of "key TAB base64(secret)" lines, created readable and writable by
// its owner only and replaced whole at every change.
class FileSecretStore : public SecretStore
{
public:
    explicit FileSecretStore(QString path);
    Status read(const QString& key, QString& secret, QString& error) override;
    Status write(const QString& key, const QString& secret, QString& error) override;
    Status remove(const QString& key, QString& error) override;
    const QString& path() const { return m_path; }

private:
    QString m_path;
};

// The secret store where one runs, else the file; the first time the file
// is used, `notice` is told so (once per object).
class Credentials : public SecretStore
{
public:
    Credentials(std::unique_ptr<SecretStore> store, std::unique_ptr<FileSecretStore> file,
                std::function<void(const QString&)> notice);
    // The desktop's store, falling back to qsl-secrets.dat in the working
    // directory.
    static std::unique_ptr<Credentials> standard(std::function<void(const QString&)> notice);

    Status read(const QString& key, QString& secret, QString& error) override;
    Status write(const QString& key, const QString& secret, QString& error) override;
    Status remove(const QString& key, QString& error) override;

private:
    // Tries the store until it turns out that none runs; from then on the
    // file is used, and the operator is told once.
    template <typename Call> Status withFallback(Call&& call)
    {
        if (!m_useFile) {
            const Status s = call(*m_store);
            if (s != Status::NoStore)
                return s;
            useFile();
        }
        return call(static_cast<SecretStore&>(*m_file));
    }
    void useFile();

    std::unique_ptr<SecretStore> m_store;
    std::unique_ptr<FileSecretStore> m_file;
    std::function<void(const QString&)> m_notice;
    bool m_useFile = false;
};

} // namespace qsl

#pragma once
// Helpers shared by the tests: a scratch working directory.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Makes a fresh temporary directory the current one for the test's lifetime
// and restores the previous one afterwards.
class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    bool write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Restores an environment variable when it goes.
class EnvGuard
{
public:
    explicit EnvGuard(const char* name) : m_name(name), m_value(qgetenv(name)) {}
    ~EnvGuard() { qputenv(m_name, m_value); }

private:
    const char* m_name;
    QByteArray m_value;
};

class QProcess;
// Starts a stand-in server (`program` with `arguments`) that prints the port
// it listens on as its first line; returns that port, or 0 when it did not
// start or say so within ten seconds.
int startStandInServer(QProcess& server, const QString& program, const QStringList& arguments);

// Joins lines with CR LF (and a final CR LF).
QByteArray crlfLines(const QList<QByteArray>& lines);

// The lines of a file without their line ends (LF, or CR LF).
QList<QByteArray> fileLines(const QByteArray& bytes);

// While it lives, no file of this process can grow beyond `bytes`: writes
// past it fail as on a full disk (works for root too, unlike permissions).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

private:
    qint64 m_previous[2];
};

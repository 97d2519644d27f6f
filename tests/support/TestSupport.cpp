#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

ScratchDir::ScratchDir() : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

ScratchDir::~ScratchDir()
{
    QDir::setCurrent(m_previous);
}

bool ScratchDir::write(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray ScratchDir::read(const QString& name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int startStandInServer(QProcess& server, const QString& program, const QStringList& arguments)
{
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(program, arguments);
    if (!server.waitForStarted(10000))
        return 0;
    while (!server.canReadLine())
        if (!server.waitForReadyRead(10000))
            return 0;
    return server.readLine().trimmed().toInt();
}

QList<QByteArray> fileLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    return lines;
}

QByteArray crlfLines(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

#include <sys/resource.h>

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    struct rlimit old {
    };
    getrlimit(RLIMIT_FSIZE, &old);
    m_previous[0] = qint64(old.rlim_cur);
    m_previous[1] = qint64(old.rlim_max);
    // SIGXFSZ is left as it is: the program's writers must cope on their own.
    struct rlimit now = old;
    now.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &now);
}

FileSizeLimit::~FileSizeLimit()
{
    struct rlimit old {
    };
    old.rlim_cur = rlim_t(m_previous[0]);
    old.rlim_max = rlim_t(m_previous[1]);
    setrlimit(RLIMIT_FSIZE, &old);
}

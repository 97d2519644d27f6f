#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

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

QByteArray crlfLines(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

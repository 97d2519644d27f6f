#include "logdata/ServiceSettings.h"

#include "logdata/AtomicFile.h"

#include <QFile>

QString ServiceSettings::value(const QString& key, const QString& fallback) const
{
    const QString v = m_values.value(key);
    return v.isEmpty() ? fallback : v;
}

void ServiceSettings::setValue(const QString& key, const QString& value)
{
    // A line break in a value would start a line of its own in the file.
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_values.insert(key.trimmed(), v.trimmed());
}

bool ServiceSettings::load(const QString& path, QString* error)
{
    m_values.clear();
    QFile f(path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    setText(f.readAll());
    return true;
}

bool ServiceSettings::save(const QString& path, QString* error) const
{
    return writeFileAtomically(path, text(), error);
}

QByteArray ServiceSettings::text() const
{
    QByteArray out;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        out += it.key().toUtf8() + '=' + it.value().toUtf8() + '\n';
    return out;
}

void ServiceSettings::setText(const QByteArray& text)
{
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        const int eq = line.indexOf('=');
        if (line.startsWith('#') || eq <= 0)
            continue;
        setValue(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
}

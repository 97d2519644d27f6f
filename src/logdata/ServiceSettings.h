#pragma once
// The settings beyond config.dat's fourteen lines: the online services'
// addresses and accounts (never a password: those live in the secret
// store), where the last complete download ended, the country file's
// address. One "key=value" line each (UTF-8) in services.conf in the working
// directory, beside config.dat; keys this version does not know are kept as
// they are, so an older and a newer program can share the file.
#include <QMap>
#include <QString>

inline constexpr const char* kServiceSettingsFileName = "services.conf";

class ServiceSettings
{
public:
    // The value of `key`, or `fallback` when the file has none (or an empty one).
    QString value(const QString& key, const QString& fallback = {}) const;
    void setValue(const QString& key, const QString& value);
    bool contains(const QString& key) const { return m_values.contains(key); }

    // Reads `path`; a missing file is no error (every value its default).
    // A file that cannot be read leaves the values empty and says why.
    bool load(const QString& path = QString::fromLatin1(kServiceSettingsFileName),
              QString* error = nullptr);
    // Replaces `path` as a whole (the old file stays whole on a failure).
    bool save(const QString& path = QString::fromLatin1(kServiceSettingsFileName),
              QString* error = nullptr) const;

    // The text of the file: keys in sorted order.
    QByteArray text() const;
    // Takes the values of a file's text: lines without "=" and lines
    // starting with "#" are skipped, the blanks around key and value
    // dropped; a later line for the same key wins.
    void setText(const QByteArray& text);

private:
    QMap<QString, QString> m_values;
};

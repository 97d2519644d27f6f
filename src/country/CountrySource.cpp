#include "country/CountrySource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace country
{
namespace
{

// The largest file taken: today's is about 180 kB.
constexpr qint64 kMaxFileBytes = 16 << 20;

bool tryFile(const QString& path, CountrySourceKind kind, CountrySource& out)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        out.problems << QCoreApplication::translate("CountrySource", "%1 cannot be read: %2")
                            .arg(shown, info.isDir() ? QCoreApplication::translate("CountrySource",
                                                                                   "it is a folder")
                                                     : file.errorString());
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        out.problems << QCoreApplication::translate("CountrySource",
                                                    "%1 is too large for a country file")
                            .arg(shown);
        return false;
    }
    CountryFileData data;
    QString error;
    if (!parseCtyCsv(file.readAll(), data, &error)) {
        out.problems << QCoreApplication::translate("CountrySource", "%1 is not a country file: %2")
                            .arg(shown, error);
        return false;
    }
    out.kind = kind;
    out.path = path;
    out.resolver = std::make_shared<CountryResolver>(std::move(data));
    return true;
}

} // namespace

QString CountrySource::description() const
{
    const QString shown = QDir::toNativeSeparators(path);
    const int entities = int(resolver->dxccNumbers().size());
    switch (kind) {
    case CountrySourceKind::UserFile:
        return QCoreApplication::translate("CountrySource",
                                           "Countries from your country file %1 (%2 DXCC entities)")
            .arg(shown)
            .arg(entities);
    case CountrySourceKind::PackagedFile:
        return QCoreApplication::translate("CountrySource",
                                           "Countries from the country file %1 (%2 DXCC entities)")
            .arg(shown)
            .arg(entities);
    case CountrySourceKind::BuiltInTable:
        break;
    }
    return QCoreApplication::translate(
        "CountrySource", "Countries from the built-in prefix table (no country file found)");
}

CountrySource loadCountrySource(const QString& workingDir, const QString& packagedFile)
{
    CountrySource source;
    if (tryFile(QDir(workingDir).filePath(QString::fromLatin1(kUserCountryFile)),
                CountrySourceKind::UserFile, source))
        return source;
    if (!packagedFile.isEmpty() && tryFile(packagedFile, CountrySourceKind::PackagedFile, source))
        return source;
    return source;
}

} // namespace country

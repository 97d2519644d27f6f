#pragma once
// Where the countries come from. A cty.csv the operator puts into the working
// directory (a newer one from country-files.com) is used before the one of
// the Debian package hamradio-files; without a readable file the program's
// own table of 134 prefixes (mainwin/CountryTable.h) names the countries as
// before, and the resolver here is empty.
#include "country/CountryResolver.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace country
{

enum class CountrySourceKind {
    UserFile,     // cty.csv in the working directory
    PackagedFile, // the hamradio-files package's cty.csv
    BuiltInTable, // no usable file: the program's own prefix table
};

struct CountrySource {
    CountrySourceKind kind = CountrySourceKind::BuiltInTable;
    QString path;         // the file used; empty for the built-in table
    QStringList problems; // why a file that exists was not used, one line each
    // Never null; empty for the built-in table.
    std::shared_ptr<const CountryResolver> resolver = std::make_shared<CountryResolver>();

    bool usesFile() const { return kind != CountrySourceKind::BuiltInTable; }
    // One line for the window: which source is in use.
    QString description() const;
};

// The file name looked for in the working directory, and the packaged file.
inline constexpr const char* kUserCountryFile = "cty.csv";
inline constexpr const char* kPackagedCountryFile = "/usr/share/hamradio-files/cty.csv";

// Picks and reads the country file: `workingDir`/cty.csv, else `packagedFile`.
// A file that is missing is passed over silently; one that cannot be read or
// is not a country file is passed over with a line in `problems`.
CountrySource
loadCountrySource(const QString& workingDir,
                  const QString& packagedFile = QString::fromLatin1(kPackagedCountryFile));

} // namespace country

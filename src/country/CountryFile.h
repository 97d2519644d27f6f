#pragma once
// The country file of the contest and logging world, as AD1C keeps it
// (country-files.com) and Debian ships it in hamradio-files: every DXCC entity
// with its continent, zones and position, and the prefixes and whole calls
// that belong to it. Its cty.csv layout is read (cty.dat holds the same
// without the DXCC numbers), one entity per line:
//
//   prefix,name,DXCC,continent,CQ,ITU,latitude,longitude,offset,list;
//
// The list holds prefixes and, marked "=", whole calls. Each may carry
// overrides of the entity's values: (CQ zone) [ITU zone] <lat/lon>
// {continent} ~offset~. A primary prefix marked '*' is an entity of the DARC
// WAE list only (Sicily, Shetland ...); its DXCC number is that of the entity
// it belongs to.
//
// The file gives longitudes and time offsets with west positive; they are
// kept here the usual way round: east positive, local time = UTC + offset.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace country
{

// Where a station is: taken from its entity, changed by the overrides of the
// prefix or call that matched.
struct Location {
    char continent[2] = {0, 0}; // "EU", "AF" ...
    quint8 cqZone = 0;
    quint8 ituZone = 0;
    float latitude = 0;  // degrees, north positive
    float longitude = 0; // degrees, east positive
    float utcOffset = 0; // hours: local time = UTC + utcOffset
    QByteArray continentText() const { return QByteArray(continent, 2); }
};

// One entity line of the file.
struct FileEntity {
    QString name;             // in English, as the file writes it
    QByteArray primaryPrefix; // without the WAE mark
    int dxcc = 0;             // the ADIF DXCC number
    bool waeOnly = false;     // marked '*': counts as its DXCC entity `dxcc`
    Location location;
};

// One item of an entity's list.
struct FileItem {
    QByteArray text; // upper case, without "=" and the overrides
    bool wholeCall = false;
    int entity = 0; // index into CountryFileData::entities
    Location location;
};

struct CountryFileData {
    std::vector<FileEntity> entities;
    std::vector<FileItem> items;
};

// Parses a whole cty.csv. A file that is not entirely of the layout is
// refused: `error` (in the window's language) names the first line that is not.
bool parseCtyCsv(QByteArrayView text, CountryFileData& out, QString* error = nullptr);

} // namespace country

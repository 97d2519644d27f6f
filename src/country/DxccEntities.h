#pragma once
// Every current DXCC entity by its ADIF number: the English name (the
// country file's), translated through the context "DxccEntity", and its
// flag. A territory without a flag of its own shows its owner's (Crete the
// Greek, Kure the US flag). Flags are drawings of Debian's iso-flags-svg by
// ISO 3166 code (or the package's own names, "_scotland"), rendered by
// tools/flags/render-flags.sh into the program's resources.
#include "country/CountryResolver.h"

#include <QByteArray>
#include <QString>

namespace country
{

struct DxccEntityInfo {
    int dxcc;
    const char* name;     // English, as the country file names it
    const char* flagCode; // iso-flags-svg drawing ("es", "_wales"); "" when none fits
    const char* flagFile; // picture in the resources, without ".jpg"; "" when none
};

int dxccEntityCount(); // 340
const DxccEntityInfo& dxccEntityAt(int index);
// The entity of a DXCC number; nullptr when the table has none (a deleted
// entity, or one a newer country file adds).
const DxccEntityInfo* dxccEntityInfo(int dxcc);

// The entity's name in the window's language; `fallback` (the country file's
// name) for numbers the table does not know.
QString dxccEntityName(int dxcc, const QString& fallback = QString());
// The flag picture's resource path (":/flags/spain.jpg"); empty when the
// entity has no flag.
QString dxccFlagResource(int dxcc);

// What the view and the new-QSO form show for a call: empty (dxcc 0) when
// the call belongs to no entity.
struct ShownCountry {
    int dxcc = 0;
    QString name;         // the DXCC entity's, in the window's language
    QString region;       // a WAE-only region's name ("Sicily"), else empty
    QString flagResource; // empty when the entity has no flag
    QByteArray continent; // "EU" ...
    int cqZone = 0;
    int ituZone = 0;
};
ShownCountry showCountry(const CountryResolver& resolver, QByteArrayView call);

// Installs the entity names' translation for a language setting ("Ger");
// false when there is none (English needs none).
bool installCountryTranslation(const QString& language);

} // namespace country

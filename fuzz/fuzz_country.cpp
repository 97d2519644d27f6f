// Feeds arbitrary bytes to the country file reader, and each line of them as
// a call to the resolver of the packaged file and as an ADIF record to the
// DXCC table: nothing crashes, a refused file gives a reason, and a record
// taken out again leaves the table as it was.
#include "country/CountrySource.h"
#include "country/DxccStats.h"

#include <QFile>

#include <cstdlib>

using namespace country;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::shared_ptr<const CountryResolver> packaged =
        loadCountrySource(QStringLiteral("/nonexistent")).resolver;
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));

    CountryFileData parsed;
    QString error;
    if (parseCtyCsv(input, parsed, &error)) {
        const CountryResolver own(std::move(parsed));
        for (const QByteArrayView line :
             QByteArray::fromRawData(input.data(), input.size()).split('\n'))
            own.resolve(line);
    } else if (error.isEmpty()) {
        std::abort();
    }

    DxccStats stats(packaged);
    for (const QByteArray& line : QByteArray::fromRawData(input.data(), input.size()).split('\n')) {
        const Resolution r = packaged->resolve(line);
        if (r.found() && (r.entity < 0 || r.dxccEntity < 0))
            std::abort();
        stats.add(dxccQsoFromAdif(line));
    }
    const QByteArray before = stats.toCsv(true);
    const QByteArray extra = QByteArray::fromRawData(input.data(), input.size());
    stats.add(dxccQsoFromAdif(extra));
    stats.remove(dxccQsoFromAdif(extra));
    if (stats.toCsv(true) != before)
        std::abort();
    return 0;
}

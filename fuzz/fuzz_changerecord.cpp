// Feeds arbitrary bytes to the change form's record reader as a selected
// record, then rebuilds the record from the values as read, as "assume
// change" without an edit does: every field of the record must come back with
// its value (the first of each name), none lost, none changed.
#include "editing/ChangeFieldsReader.h"
#include "editing/RecordBuilder.h"
#include "logdata/AdifRecord.h"
#include "logdata/Dates.h"

#include <QMap>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
QMap<QByteArray, QByteArray> firstValues(QByteArrayView line)
{
    QMap<QByteArray, QByteArray> out;
    for (const adif::Field& f : adif::parseRecord(line)) {
        const QByteArray name = f.name.toByteArray().toLower();
        if (!out.contains(name))
            out.insert(name, f.value.toByteArray());
    }
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char* copy = static_cast<char*>(std::malloc(size ? size : 1));
    if (size)
        std::memcpy(copy, data, size);
    const QByteArrayView record(copy, qsizetype(size));
    const ChangeFieldsRead read = readChangeFields(record);
    const EditFieldSet& f = read.fields;
    const QByteArray date = toAdifDate(record::without(f.date, '.'));
    const QByteArray rebuilt =
        record::build(f, date, record::fileTime(f.time), record::Origin{record, &f});
    QMap<QByteArray, QByteArray> before = firstValues(record);
    const QMap<QByteArray, QByteArray> after = firstValues(rebuilt);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!it.value().isEmpty() && after.value(it.key()) != it.value()) {
            if (std::getenv("FUZZ_DEBUG"))
                std::fprintf(stderr, "field %s: %s -> %s\nrebuilt: %s\n", it.key().constData(),
                             it.value().toHex().constData(),
                             after.value(it.key()).toHex().constData(), rebuilt.constData());
            std::abort();
        }
    std::free(copy);
    return 0;
}

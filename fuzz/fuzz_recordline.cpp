// Feeds arbitrary bytes to the record readers: the one-pass scanner must find
// the same first occurrences as one plain search per text, no reader may read
// outside the line, and none may crash.
#include "logdata/CallSearch.h"
#include "logdata/FieldLookup.h"
#include "logdata/LineTable.h"
#include "logdata/Loader.h"
#include "logdata/TextList.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so the sanitizer sees any read past the line.
    char* copy = static_cast<char*>(std::malloc(size ? size : 1));
    if (size)
        std::memcpy(copy, data, size);
    const QByteArrayView line(copy, qsizetype(size));

    const TagSpec* tags[] = {&StdTags::Call,    &StdTags::QsoDate,    &StdTags::Comment,
                             &StdTags::TimeOn,  &StdTags::Freq,       &StdTags::Band,
                             &StdTags::Mode,    &StdTags::Gridsquare, &StdTags::RstRcvd,
                             &StdTags::RstSent, &StdTags::EqslSent,   &StdTags::EqslRcvd};
    static const TagScanner scanner(tags, 12);
    qsizetype hits[12];
    scanner.scan(line, hits);
    for (int t = 0; t < 12; ++t) {
        const FieldValue v = lookupField(line, *tags[t]);
        const bool found = hits[t] >= 0;
        if (found != (v.status != FieldValue::Absent))
            std::abort();
        if (found) {
            const FieldValue w = readFieldAt(line, hits[t], *tags[t]);
            if (w.status != v.status || w.value.data() != v.value.data() ||
                w.value.size() != v.value.size())
                std::abort();
            FieldValue f;
            readFieldInto(line, hits[t], *tags[t], f);
            if (f.status != w.status || f.declared != w.declared ||
                f.value.data() != w.value.data() || f.value.size() != w.value.size())
                std::abort();
            if (v.present() &&
                (v.value.data() < copy || v.value.data() + v.value.size() > copy + size))
                std::abort();
        }
    }
    // The same bytes as a whole file image: the one-pass scan across line
    // ends must find the lines and hits of a line-by-line scan.
    const std::vector<LineSpan> spans = splitLines(line);
    size_t k = 0;
    scanner.scanLines(line, [&](qsizetype offset, qsizetype length, const qsizetype* got) {
        if (k >= spans.size() || spans[k].offset != offset || spans[k].length != length)
            std::abort();
        qsizetype want[12];
        scanner.scan(line.sliced(offset, length), want);
        for (int t = 0; t < 12; ++t)
            if (got[t] != want[t])
                std::abort();
        ++k;
    });
    if (k != spans.size())
        std::abort();
    RowValues row;
    parseLogRow(line, true, row);
    QByteArray out;
    appendListRow(line, out);
    QByteArray image("H\r\n");
    image.append(line.data(), line.size());
    searchCalls(image, "*", true);
    std::free(copy);
    return 0;
}

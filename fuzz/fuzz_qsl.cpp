// The QSL readers: arbitrary bytes as eQSL's import reply, as a downloaded
// file of confirmations (matched with a log made of its own records) and as
// a record line that takes a run's marks. A mark applied must leave the QSO
// the same QSO, give the marked fields their values and change nothing else.
#include "qsl/AdifText.h"
#include "qsl/EqslReply.h"
#include "qsl/QsoIndex.h"

#include <cstdlib>

using namespace qsl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const EqslReply reply = readEqslReply(bytes);
    const AdifFileParts parts = splitAdifFile(bytes);
    QList<QsoFacts> facts;
    QList<int> lines;
    QList<Confirmation> received;
    QsoIndex index;
    for (qsizetype i = 0; i < parts.records.size(); ++i) {
        facts << readQsoFacts(parts.records[i]);
        lines << int(i);
        received << confirmationFrom(parts.records[i]);
        index.add(int(i), parts.records[i]);
    }
    index.finish();
    if (judgeEqslPost(reply, facts, lines).size() != facts.size())
        std::abort();
    qsizetype planned = 0;
    for (const QList<int>& post : planEqslPosts(facts, 3))
        planned += post.size();
    if (planned != facts.size())
        std::abort();
    const MatchReport r = matchConfirmations(index, received, Service::Lotw, "20240101",
                                             [&parts](int k) { return parts.records[k]; });
    if (r.matched.size() + r.ambiguous.size() + r.unmatched.size() != received.size())
        std::abort();

    // The whole input as one record line taking two marks.
    FieldChanges changes;
    const QsoFacts before = readQsoFacts(bytes);
    changes.set(1, before, "EQSL_QSL_SENT", "Y");
    changes.set(1, before, "EQSL_QSLSDATE", "20240101");
    QByteArray out;
    if (applyLineMark(bytes, *changes.at(1), out) == ApplyResult::Applied) {
        const QsoFacts after = readQsoFacts(out);
        if (after.call != before.call || after.qsoDate != before.qsoDate ||
            after.timeOn != before.timeOn || after.eqslSent != QByteArrayView("Y"))
            std::abort();
        // Applying the same marks again changes nothing more.
        QByteArray again;
        if (applyLineMark(out, *changes.at(1), again) != ApplyResult::Applied || again != out)
            std::abort();
    }
    return 0;
}

#include "editing/RecordBuilder.h"

#include "logdata/AdifRecord.h"
#include "logdata/Dates.h"

namespace record
{
QByteArray without(QByteArrayView text, char c)
{
    QByteArray out;
    out.reserve(text.size());
    for (char ch : text)
        if (ch != c)
            out.append(ch);
    return out;
}

QByteArray fileTime(QByteArrayView displayTime)
{
    QByteArray t = without(displayTime, ':');
    if (t.isEmpty())
        return t;
    t.insert(qMin<qsizetype>(4, t.size()), '0');
    t.insert(qMin<qsizetype>(5, t.size()), '0');
    return t;
}

void appendField(QByteArray& out, QByteArrayView tag, QByteArrayView value)
{
    // The declared length is the value's real length, whatever its number of
    // digits, so the record reads back whole (a comment of 150 characters, a
    // frequency of 10).
    out.append('<').append(tag).append(':').append(QByteArray::number(value.size()));
    out.append('>').append(value);
}

namespace
{
// The tags the fixed order writes; an original field of one of these names is
// not repeated after it.
constexpr QByteArrayView kLayoutTags[] = {
    "call",     "qso_date",   "time_on",  "freq",     "band",          "mode",          "rst_rcvd",
    "rst_sent", "gridsquare", "qsl_sent", "qsl_rcvd", "eqsl_qsl_rcvd", "eqsl_qsl_sent", "comment"};

bool inLayout(QByteArrayView name)
{
    for (QByteArrayView t : kLayoutTags)
        if (adif::nameIs(name, t))
            return true;
    return false;
}
} // namespace

QByteArray build(const EditFieldSet& f, QByteArrayView fileDate, QByteArrayView fileTimeText,
                 const Origin& origin)
{
    const std::vector<adif::Field> original =
        origin.shown ? adif::parseRecord(origin.record) : std::vector<adif::Field>();
    auto kept = [&](QByteArrayView tag) -> QByteArrayView {
        const adif::Field* o = adif::findField(original, tag);
        return o ? o->value : QByteArrayView("", 0);
    };
    // The value to write: where the operator left the value as it was shown,
    // the original field's own text (empty when the record has no such field:
    // what was shown then came from inside another field, MY_GRIDSQUARE for
    // GRIDSQUARE, say); otherwise what was typed.
    auto value = [&](QByteArray EditFieldSet::*member, QByteArrayView tag,
                     QByteArrayView typed) -> QByteArrayView {
        if (origin.shown && f.*member == origin.shown->*member)
            return kept(tag);
        return typed;
    };

    // FT4 is written the ADIF way: mode MFSK, submode FT4. A mode left as it
    // was keeps its submode; another mode drops it, since a submode belongs
    // to its mode.
    enum class Submode { Keep, Drop, Ft4 } submode = Submode::Keep;
    QByteArrayView mode = value(&EditFieldSet::mode, "mode", f.mode);
    const bool modeKept = origin.shown && f.mode == origin.shown->mode;
    if (!modeKept) {
        if (f.mode == "FT4") {
            mode = "MFSK";
            submode = Submode::Ft4;
        } else {
            submode = Submode::Drop;
        }
    }

    QByteArray out;
    out.reserve(240 + f.comment.size() + origin.record.size());
    appendField(out, "call", value(&EditFieldSet::call, "call", f.call));
    appendField(out, "qso_date", value(&EditFieldSet::date, "qso_date", fileDate));
    appendField(out, "time_on", value(&EditFieldSet::time, "time_on", fileTimeText));
    appendField(out, "freq", value(&EditFieldSet::freq, "freq", f.freq));
    appendField(out, "band", value(&EditFieldSet::band, "band", f.band));
    appendField(out, "mode", mode);
    appendField(out, "rst_rcvd", value(&EditFieldSet::rstRcvd, "rst_rcvd", f.rstRcvd));
    appendField(out, "rst_sent", value(&EditFieldSet::rstSent, "rst_sent", f.rstSent));
    appendField(out, "gridsquare", value(&EditFieldSet::locator, "gridsquare", f.locator));
    // The QSL flags have no edit: a rebuilt record keeps the record's own.
    appendField(out, "qsl_sent", origin.shown ? kept("qsl_sent") : QByteArrayView(f.qslSent));
    appendField(out, "qsl_rcvd", origin.shown ? kept("qsl_rcvd") : QByteArrayView(f.qslRcvd));
    appendField(out, "eqsl_qsl_rcvd", value(&EditFieldSet::eqslRcvd, "eqsl_qsl_rcvd", f.eqslRcvd));
    appendField(out, "eqsl_qsl_sent", value(&EditFieldSet::eqslSent, "eqsl_qsl_sent", f.eqslSent));
    appendField(out, "comment", value(&EditFieldSet::comment, "comment", f.comment));

    const bool hasSubmode = adif::findField(original, "submode") != nullptr;
    if (submode == Submode::Ft4 && !hasSubmode)
        appendField(out, "submode", "FT4");
    for (const adif::Field& o : original) {
        if (inLayout(o.name))
            continue;
        if (adif::nameIs(o.name, "submode")) {
            if (submode == Submode::Drop)
                continue;
            if (submode == Submode::Ft4) {
                appendField(out, "submode", "FT4");
                submode = Submode::Drop; // written once
                continue;
            }
        }
        if (o.cutShort)
            appendField(out, o.name, o.value); // cut short by the line's end: as read
        else
            out.append(o.text(origin.record));
    }
    out.append(" <eor>");
    return out;
}
QByteArray rebuild(const EditFieldSet& f, const Origin& origin)
{
    // The values keep their display forms, so building again gives the same
    // record; the date and time are converted on the way.
    return build(f, toAdifDate(without(f.date, '.')), fileTime(f.time), origin);
}

} // namespace record

#include "editing/ChangeFieldsReader.h"

#include "logdata/AdifRecord.h"
#include "logdata/Dates.h"
#include "logdata/FieldLookup.h"

#include <QCoreApplication>

namespace
{
using R = LengthRule;
// The lower-case search text first, then the upper-case one, as the grid
// reads a record: a QSO whose tags are in capitals opens with its values.
const TagSpec kCall{"<call:", "<CALL:", R::OneOrTwo, 7, 20};
const TagSpec kDate{"<qso_date", "<QSO_DATE", R::OneOrTwo, 11, 20};
const TagSpec kTime{"time_on", "TIME_ON", R::One, 9, 20};
const TagSpec kFreq{"freq", "FREQ", R::One, 6, 10};
const TagSpec kBand{"band", "BAND", R::One, 6, 5};
const TagSpec kMode{"mode", "MODE", R::One, 6, 10};
const TagSpec kLocator{"gridsquare", "GRIDSQUARE", R::One, 12, 10};
const TagSpec kRstRcvd{"rst_rcvd", "RST_RCVD", R::One, 10, 10};
const TagSpec kRstSent{"rst_sent", "RST_SENT", R::One, 10, 10};
// With the colon; it is still found inside "<eqsl_qsl_sent:" when a record
// has no "<qsl_sent:" field before the eQSL one, and that value is taken.
const TagSpec kQslSent{"qsl_sent:", "QSL_SENT:", R::One, 10, 12};
const TagSpec kEqslSent{"eqsl_qsl_sent", "EQSL_QSL_SENT", R::One, 15, 12};
const TagSpec kQslRcvd{"qsl_rcvd", "QSL_RCVD", R::One, 10, 12};
const TagSpec kEqslRcvd{"eqsl_qsl_rcvd", "EQSL_QSL_RCVD", R::One, 15, 12};
const TagSpec kComment{"comment", "COMMENT", R::OneOrTwo, 9, -1};

struct Reader {
    QByteArrayView line;
    QStringList* unreadable;

    FieldValue read(const TagSpec& tag) const
    {
        FieldValue v = lookupField(line, tag);
        if (v.status == FieldValue::Unreadable) {
            unreadable->append(QString::fromLatin1(tag.lower));
            v.value = QByteArrayView();
        }
        return v;
    }
    QByteArray text(const TagSpec& tag) const { return read(tag).value.toByteArray(); }
};
} // namespace

ChangeFieldsRead readChangeFields(QByteArrayView record)
{
    ChangeFieldsRead out;
    const Reader r{record, &out.unreadable};
    EditFieldSet& f = out.fields;

    f.call = r.text(kCall);
    f.date = r.text(kDate);
    if (!f.date.isEmpty())
        f.date = toDisplayDate(f.date);

    // Time: of a declared length n the first n - 2 characters (the seconds
    // dropped), ":" before the third.
    const FieldValue time = r.read(kTime);
    if (time.present()) {
        char buf[24];
        f.time = displayTimeInto(time.value, time.declared, buf).toByteArray();
    }

    // Frequency: the whole value while the declared length is below 9,
    // otherwise two characters fewer (14.074123 is shown as 14.0741).
    const FieldValue freq = r.read(kFreq);
    if (freq.present()) {
        const int keep = freq.declared < 9 ? freq.declared : freq.declared - 2;
        f.freq = freq.value.first(qMin<qsizetype>(keep, freq.value.size())).toByteArray();
    }

    f.band = r.text(kBand);
    f.mode = r.text(kMode);
    // FT4 is stored the ADIF way, as the mode MFSK with the submode FT4; the
    // form shows it as FT4, as the grid does.
    if (f.mode == "MFSK") {
        const std::vector<adif::Field> fields = adif::parseRecord(record);
        const adif::Field* sub = adif::findField(fields, "submode");
        if (sub && sub->value == QByteArrayView("FT4"))
            f.mode = "FT4";
    }
    f.locator = r.text(kLocator);
    f.rstRcvd = r.text(kRstRcvd);
    f.rstSent = r.text(kRstSent);
    f.qslSent = r.text(kQslSent);
    f.eqslSent = r.text(kEqslSent);
    f.qslRcvd = r.text(kQslRcvd);
    f.eqslRcvd = r.text(kEqslRcvd);
    f.comment = r.text(kComment);

    if (f.call == "CQ") {
        f.locator.clear();
        f.qslSent.clear();
        f.eqslSent.clear();
        f.qslRcvd.clear();
        f.eqslRcvd.clear();
    }
    return out;
}

QString unreadableFieldsText(const QStringList& unreadable)
{
    return QCoreApplication::translate("TForm3",
                                       "In this QSO's record the length of %1 is not a number. "
                                       "The field is shown empty; saving the change writes it "
                                       "empty.")
        .arg(unreadable.join(QStringLiteral(", ")));
}

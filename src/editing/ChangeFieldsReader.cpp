#include "editing/ChangeFieldsReader.h"

#include "logdata/Columns.h"
#include "logdata/FieldLookup.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace
{
using R = LengthRule;
// The form's own fields beside the grid's columns: the paper QSL flags. With
// the colon, "qsl_sent:" is still found inside "<eqsl_qsl_sent:" when a record
// has no "<qsl_sent:" field before the eQSL one, and that value is taken.
const TagSpec kQslSent{"qsl_sent:", "QSL_SENT:", R::One, 10, 12};
const TagSpec kQslRcvd{"qsl_rcvd", "QSL_RCVD", R::One, 10, 12};

// One field the form reads: a grid column or one of the form's own.
struct FormField {
    int place;
    const TagSpec* tag;
    gridcol::Form form;
    int column; // -1: the form's own
    QByteArray EditFieldSet::*member;
};

// The fields in the form's order, which is also the order unreadable fields
// are named in.
const std::vector<FormField>& formFields()
{
    static const std::vector<FormField> fields = [] {
        std::vector<FormField> out = {
            {9, &kQslSent, gridcol::Form::AsWritten, -1, &EditFieldSet::qslSent},
            {11, &kQslRcvd, gridcol::Form::AsWritten, -1, &EditFieldSet::qslRcvd}};
        for (int c = 0; c < gridcol::ColumnCount; ++c) {
            const gridcol::Column& col = gridcol::kColumns[c];
            out.push_back(
                {col.changePlace, &gridcol::changeTag(c), col.changeForm, c, col.changed});
        }
        std::stable_sort(out.begin(), out.end(),
                         [](const FormField& a, const FormField& b) { return a.place < b.place; });
        return out;
    }();
    return fields;
}
} // namespace

ChangeFieldsRead readChangeFields(QByteArrayView record)
{
    ChangeFieldsRead out;
    EditFieldSet& f = out.fields;
    for (const FormField& field : formFields()) {
        FieldValue v = lookupField(record, *field.tag);
        if (v.status == FieldValue::Unreadable) {
            out.unreadable.append(QString::fromLatin1(field.tag->lower));
            v.value = QByteArrayView();
        }
        char buf[24];
        const QByteArray text = gridcol::shownValue(field.form, record, v, buf).toByteArray();
        if (field.member)
            f.*field.member = text;
        else
            f.more.insert(gridcol::kColumns[field.column].name, text);
    }
    // A "CQ" row shows no locator and no QSL flags.
    if (f.call == "CQ") {
        f.qslSent.clear();
        f.qslRcvd.clear();
        for (int c = 0; c < gridcol::ColumnCount; ++c) {
            const gridcol::Column& col = gridcol::kColumns[c];
            if (!col.emptyForCq)
                continue;
            if (col.changed)
                (f.*col.changed).clear();
            else
                f.more[col.name].clear();
        }
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

#include "editing/QsoEntryForm.h"

#include "logdata/Cp1252.h"
#include "logdata/TextCodec.h"
#include "widgets/Dialogs.h"
#include "widgets/KeyEdit.h"
#include "widgets/TrText.h"
#include "widgets/Widgets.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace
{
constexpr int kTeal = 0x808000;
constexpr int kMaroon = 0x000080;
constexpr int kGreen = 0x008000;
constexpr int kPurple = 0x800080;
constexpr int kRed = 0x0000FF;
constexpr int kWhite = 0xFFFFFF;
constexpr int kChangeWindow = 12696492;
constexpr int kNewQsoWindow = 8642238;

const char* const kContext = "QsoEntryForm";

QFont formFont()
{
    return designFont(QStringLiteral("MS Sans Serif"), 13, true);
}
} // namespace

QsoEntryForm::QsoEntryForm(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind)
{
    if (kind == Kind::Change)
        setTrTitle(this, kContext, QT_TR_NOOP("Change QSO"));
    else
        setTrTitle(this, kContext, QT_TR_NOOP("New QSO"));
    setBackground(this, kind == Kind::Change ? kChangeWindow : kNewQsoWindow);
    buildControls();
}

void QsoEntryForm::buildControls()
{
    const bool newQso = m_kind == Kind::NewQso;
    auto label = [this](const char* text, int x, int y) {
        auto* l = new QLabel(this);
        l->setFont(formFont());
        l->move(x, y);
        l->setProperty("trAdjustSize", true);
        setTrText(l, kContext, text);
        return l;
    };
    auto edit = [this](int x, int y, int w, int color) {
        auto* e = new KeyEdit(this);
        e->setGeometry(x, y, w, 24);
        e->setFont(formFont());
        setTextColor(e, designColor(color));
        return e;
    };

    Label1 = new QLabel(QStringLiteral("Vosmira"), this);
    markAsValue(Label1);
    Label1->setFont(designFont(QStringLiteral("Verdana"), 27, true));
    setTextColor(Label1, designColor(kTeal));
    Label1->move(16, 6);
    Label1->adjustSize();
    Label5 = label(QT_TR_NOOP("Vosmira – logbook for FT8 and FT4"), 16, 46);
    Panel1 = new Panel(this, QString(), Panel::None);
    Panel1->setGeometry(0, 70, 727, 5);
    setBackground(Panel1, kMaroon);

    // First row: call, date, time (and, on the new-QSO form, the comment).
    Label2 = label(QT_TR_NOOP("Call"), 16, 86);
    Edit1 = edit(16, 104, 150, kMaroon);
    Edit1->setUpperCase(true);
    Label3 = label(QT_TR_NOOP("Date"), 180, 86);
    Edit2 = edit(180, 104, 100, kTeal);
    Label4 = label(newQso ? QT_TR_NOOP("Time") : QT_TR_NOOP("Time on"), 294, 86);
    Edit3 = edit(294, 104, 60, kTeal);

    // Second row: frequency, band, mode, the reports.
    Label7 = label(QT_TR_NOOP("Frequency"), 16, 146);
    Edit5 = edit(16, 164, 100, kTeal);
    Label11 = label(QT_TR_NOOP("Band"), 130, 146);
    Edit9 = edit(130, 164, 60, kTeal);
    Label8 = label(QT_TR_NOOP("Mode"), 204, 146);
    Edit6 = edit(204, 164, 80, kTeal);
    Edit6->setUpperCase(newQso);
    Label9 = label(QT_TR_NOOP("RST sent"), 298, 146);
    Edit7 = edit(298, 164, 70, kTeal);
    Label10 = label(QT_TR_NOOP("RST rcvd"), 382, 146);
    Edit8 = edit(382, 164, 70, kTeal);

    // Third row: locator and the eQSL flags (and the change form's comment).
    Label13 = label(QT_TR_NOOP("Locator"), 16, 206);
    Edit11 = edit(16, 224, 80, kTeal);
    Edit11->setUpperCase(true);
    Label18 = label(QT_TR_NOOP("eQSL sent"), 110, 206);
    setTextColor(Label18, designColor(kPurple));
    Edit15 = edit(110, 224, 40, kTeal);
    Edit15->setUpperCase(true);
    Label12 = label(QT_TR_NOOP("eQSL rcvd"), 200, 206);
    setTextColor(Label12, designColor(kPurple));
    Edit10 = edit(200, 224, 40, kTeal);
    Edit10->setUpperCase(true);
    const int commentY = newQso ? 86 : 206;
    Label16 = label(QT_TR_NOOP("Comment"), 380, commentY);
    Edit14 = edit(380, commentY + 18, 315, kGreen);

    Panel2 = new Panel(this, QString(), Panel::Lowered);
    Panel2->setGeometry(16, 266, 100, 24);
    Panel2->setFont(formFont());
    setBackground(Panel2, kWhite);
    setTextColor(Panel2, designColor(kRed));
    Label17 = new QLabel(this);
    Label17->setFont(formFont());
    setTextColor(Label17, designColor(kMaroon));
    Label17->setGeometry(124, 266, 340, 24);

    BitBtn1 = new QPushButton(this);
    BitBtn1->setGeometry(380, 310, 190, 34);
    BitBtn1->setLayoutDirection(Qt::RightToLeft); // the glyph right of the text
    BitBtn2 = new QPushButton(this);
    BitBtn2->setGeometry(580, 310, 120, 34);
    applyCaptions();
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setFont(formFont());
        b->setAutoDefault(true); // Enter on the focused button presses it
    }

    using entry::KeySet;
    QWidget* afterEqslRcvd = newQso ? static_cast<QWidget*>(Edit14) : BitBtn1;
    m_entries = {{
        {Edit1, &EditFieldSet::call, KeySet::All, 20, 0, Role::Call, Edit2},
        {Edit2, &EditFieldSet::date, KeySet::Date, 20, 10, Role::Date, Edit3},
        {Edit3, &EditFieldSet::time, KeySet::Time, 20, 5, Role::Time, Edit5},
        {Edit5, &EditFieldSet::freq, KeySet::Freq, 10, 0, Role::Plain, Edit9},
        {Edit9, &EditFieldSet::band, KeySet::All, 5, 6, Role::Plain, Edit6},
        {Edit6, &EditFieldSet::mode, KeySet::All, 10, 6, Role::Plain, Edit7},
        {Edit7, &EditFieldSet::rstSent, KeySet::Rst, 10, 0, Role::Plain, Edit8},
        {Edit8, &EditFieldSet::rstRcvd, KeySet::Rst, 10, 0, Role::Plain, Edit11},
        {Edit11, &EditFieldSet::locator, KeySet::All, 10, 6, Role::Plain, Edit15},
        {Edit15, &EditFieldSet::eqslSent, KeySet::Eqsl, 12, 1, Role::Plain, Edit10},
        {Edit10, &EditFieldSet::eqslRcvd, KeySet::Eqsl, 12, 1, Role::Plain, afterEqslRcvd},
        {Edit14, &EditFieldSet::comment, KeySet::All, -1, 0, Role::Plain, BitBtn1},
    }};
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        e.edit->setMaxLength(e.editLimit > 0 ? e.editLimit : 32767);
        // A field's value is the text its edit shows, whether or not the
        // operator confirmed it with Enter.
        connect(e.edit, &QLineEdit::textChanged, this, [this, i] { takeEdit(m_entries[i]); });
        e.edit->utf8Allowed = [this] { return utf8Line(); };
    }

    Edit1->onKeyPress = [this](QChar& k) { Edit1KeyPress(k); };
    Edit2->onKeyPress = [this](QChar& k) { Edit2KeyPress(k); };
    Edit3->onKeyPress = [this](QChar& k) { Edit3KeyPress(k); };
    Edit5->onKeyPress = [this](QChar& k) { Edit5KeyPress(k); };
    Edit6->onKeyPress = [this](QChar& k) { Edit6KeyPress(k); };
    Edit7->onKeyPress = [this](QChar& k) { Edit7KeyPress(k); };
    Edit8->onKeyPress = [this](QChar& k) { Edit8KeyPress(k); };
    Edit9->onKeyPress = [this](QChar& k) { Edit9KeyPress(k); };
    Edit10->onKeyPress = [this](QChar& k) { Edit10KeyPress(k); };
    Edit11->onKeyPress = [this](QChar& k) { Edit11KeyPress(k); };
    Edit14->onKeyPress = [this](QChar& k) { Edit14KeyPress(k); };
    Edit15->onKeyPress = [this](QChar& k) { Edit15KeyPress(k); };

    // Tab walks the fields in the order of the Enter chain.
    QWidget* order[] = {Edit1, Edit2,  Edit3,  Edit5,  Edit9,  Edit6,   Edit7,
                        Edit8, Edit11, Edit15, Edit10, Edit14, BitBtn1, BitBtn2};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void QsoEntryForm::takeEdit(const Entry& e)
{
    // Windows-1252, or UTF-8 where the record line already is UTF-8 (the
    // edits refuse what Windows-1252 cannot hold otherwise). Plain ASCII is
    // the same in both, so the line is not asked about at every key.
    const QString typed = e.edit->text();
    const bool ascii =
        std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 0x80; });
    values().*e.value = entry::cut(text::encode(typed, !ascii && utf8Line()), e.max);
}

const QsoEntryForm::Entry& QsoEntryForm::entryFor(const KeyEdit* edit) const
{
    for (const Entry& e : m_entries)
        if (e.edit == edit)
            return e;
    return m_entries[0];
}

void QsoEntryForm::Edit1KeyPress(QChar& key)
{
    keyPress(entryFor(Edit1), key);
}
void QsoEntryForm::Edit2KeyPress(QChar& key)
{
    keyPress(entryFor(Edit2), key);
}
void QsoEntryForm::Edit3KeyPress(QChar& key)
{
    keyPress(entryFor(Edit3), key);
}
void QsoEntryForm::Edit5KeyPress(QChar& key)
{
    keyPress(entryFor(Edit5), key);
}
void QsoEntryForm::Edit6KeyPress(QChar& key)
{
    keyPress(entryFor(Edit6), key);
}
void QsoEntryForm::Edit7KeyPress(QChar& key)
{
    keyPress(entryFor(Edit7), key);
}
void QsoEntryForm::Edit8KeyPress(QChar& key)
{
    keyPress(entryFor(Edit8), key);
}
void QsoEntryForm::Edit9KeyPress(QChar& key)
{
    keyPress(entryFor(Edit9), key);
}
void QsoEntryForm::Edit10KeyPress(QChar& key)
{
    keyPress(entryFor(Edit10), key);
}
void QsoEntryForm::Edit11KeyPress(QChar& key)
{
    keyPress(entryFor(Edit11), key);
}
void QsoEntryForm::Edit14KeyPress(QChar& key)
{
    keyPress(entryFor(Edit14), key);
}
void QsoEntryForm::Edit15KeyPress(QChar& key)
{
    keyPress(entryFor(Edit15), key);
}

void QsoEntryForm::keyPress(const Entry& e, QChar& key)
{
    using namespace entry;
    const char16_t original = key.unicode();
    const bool enter = original == kEnter;
    const bool tab = original == kTab;
    const QChar filtered = filterKey(e.keys, key);
    // Tab is never swallowed: it moves on to the next field as in any window.
    if (!tab)
        key = filtered;

    const bool confirm = enter || (tab && (e.role == Role::Call || e.role == Role::Date));
    if (!confirm)
        return;
    if (e.role == Role::Date && !confirmDate(e)) {
        if (tab)
            key = QChar(); // the focus stays in the date edit
        return;
    }
    if (e.role == Role::Time && enter && !confirmTime(e))
        return;
    e.next->setFocus();
}

bool QsoEntryForm::confirmDate(const Entry& e)
{
    QByteArray& value = values().*e.value;
    const entry::Checked c = entry::checkDate(value);
    if (c.status == entry::Checked::Invalid) {
        const QString shown = text::decode(value);
        dialogs().showError(tr("\"%1\" is not a valid date. Please enter "
                               "the date as DD.MM.YYYY, for example "
                               "15.01.2023.")
                                .arg(shown));
        return false;
    }
    if (c.status == entry::Checked::Valid && c.value != value) {
        value = c.value;
        showValue(e.edit, value);
    }
    return true;
}

bool QsoEntryForm::confirmTime(const Entry& e)
{
    QByteArray& value = values().*e.value;
    const entry::Checked c = entry::checkTime(value);
    // The new-QSO form asks for a time when Enter is pressed in the empty
    // time edit; an empty time can still be saved (it is written empty).
    const bool askForTime = c.status == entry::Checked::Empty && m_kind == Kind::NewQso;
    if (c.status == entry::Checked::Invalid || askForTime) {
        const QString shown = text::decode(value);
        QString text;
        if (askForTime)
            text = tr("Please enter the time as HH:MM, for example 09:30.");
        else
            text = tr("\"%1\" is not a valid time. Please enter the time "
                      "as HH:MM, for example 09:30.")
                       .arg(shown);
        dialogs().showError(text);
        return false;
    }
    if (c.status == entry::Checked::Valid && c.value != value) {
        value = c.value;
        showValue(e.edit, value);
    }
    return true;
}

bool QsoEntryForm::checkDateAndTime()
{
    // A date or time left as it was read is written in its original form and
    // not checked again.
    const EditFieldSet* shown = shownValues();
    const Entry& date = entryFor(Edit2);
    if (!(shown && values().date == shown->date) && !confirmDate(date)) {
        Edit2->setFocus();
        return false;
    }
    if (shown && values().time == shown->time)
        return true;
    const Entry& time = entryFor(Edit3);
    const entry::Checked t = entry::checkTime(values().time);
    if (t.status == entry::Checked::Invalid) {
        confirmTime(time); // tells the operator
        Edit3->setFocus();
        return false;
    }
    if (t.status == entry::Checked::Valid && t.value != values().time) {
        values().time = t.value;
        showValue(Edit3, t.value);
    }
    return true;
}

void QsoEntryForm::applyCaptions()
{
    if (m_kind == Kind::Change)
        setTrText(BitBtn1, kContext, QT_TR_NOOP("Apply change"));
    else
        setTrText(BitBtn1, kContext, QT_TR_NOOP("Save new QSO"));
    setTrText(BitBtn2, kContext, QT_TR_NOOP("Exit"));
    setTrText(Panel2, kContext, QT_TR_NOOP("Attention:"));
    setTrText(Label17, kContext, QT_TR_NOOP("Confirm every entry with Enter!"));
}

void QsoEntryForm::clearEdits()
{
    for (const Entry& e : m_entries) {
        const QSignalBlocker quiet(e.edit); // the values are the caller's to reset
        e.edit->clear();
        e.edit->setMaxLength(e.editLimit > 0 ? e.editLimit : 32767);
    }
}

void QsoEntryForm::showValue(KeyEdit* edit, const QByteArray& value)
{
    const Entry& e = entryFor(edit);
    const QString text = text::decode(value);
    const int limit = e.editLimit > 0 ? e.editLimit : 32767;
    edit->setMaxLength(qMax<int>(limit, int(text.size())));
    const QSignalBlocker quiet(edit); // the value is already in place
    edit->setText(text);
}

void QsoEntryForm::place(int width, int height, int left, int top)
{
    resize(width, height);
    move(left, top);
}

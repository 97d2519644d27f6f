#pragma once
// The rules of the QSO entry fields shared by the change form and the
// new-QSO form: which keys a field accepts and how they are converted, and
// how a typed date or time is checked and brought to the forms DD.MM.YYYY and
// HH:MM that the record builders expect.
#include <QByteArray>
#include <QByteArrayView>
#include <QChar>

namespace entry
{
inline constexpr char16_t kEnter = 13;
inline constexpr char16_t kBackspace = 8;
inline constexpr char16_t kTab = 9;

enum class KeySet {
    All,  // every key (call, band, mode, locator, comment)
    Date, // Backspace, Tab, Enter, digits, "." and "," ("," becomes ".")
    Time, // Backspace, Enter, digits, ":", "." and "," ("." and "," become ":")
    Freq, // Backspace, Enter, digits, "." and "," ("," becomes ".")
    Rst,  // Backspace, Enter, digits, "+" and "-"
    Eqsl, // Backspace, Tab, Enter, "Y" and "y" ("y" becomes "Y")
};

// The key the field receives: the key itself, its conversion, or a null
// character when the field does not accept it.
QChar filterKey(KeySet set, QChar key);

struct Checked {
    enum Status { Empty, Valid, Invalid };
    Status status = Empty;
    QByteArray value; // the normalised text when Valid
};

// A date as typed: D.M.YYYY with one or two digits for day and month (or the
// eight digits DDMMYYYY) naming a real calendar date gives DD.MM.YYYY.
Checked checkDate(QByteArrayView text);

// A time as typed: H:M with one or two digits each, or HMM / HHMM without the
// colon, within 00:00 to 23:59, gives HH:MM.
Checked checkTime(QByteArrayView text);

// `text` cut to `max` characters (max < 0: unbounded).
QByteArray cut(QByteArrayView text, int max);
} // namespace entry

#pragma once
// The grid's columns, each defined once: the ADIF field it shows, how the
// grid, the change form and the text list find and show its value, where the
// double click takes it from, and the column's caption, width and alignment.
// The loader, the call search, the change form's reader, the text list, the
// cell table, the double click and the grid all read this table: a new
// column is a new row here (and its caption's translation).
#include "logdata/FieldLookup.h"
#include "logdata/QsoFields.h"

#include <QtCore/qnamespace.h>

#include <array>
#include <iterator>

class CellTable;

namespace gridcol
{
// How a value is shown.
enum class Form : quint8 {
    AsWritten,
    Date,      // YYYYMMDD as DD.MM.YYYY; an empty date stays empty
    Time,      // HHMMSS as HH:MM (HHMM whole, with the colon)
    Freq4,     // a value of nine declared characters (14.074123) as 14.0741
    FreqCut,   // a value of nine or more declared characters loses its last two
    Ft4,       // the mode MFSK as FT4
    Ft4Submode // the mode MFSK as FT4 when the record's submode is FT4
};

struct Column {
    const char* name; // the ADIF field (the key in the QSO sets' `more`)

    // The grid: where the loader, the call search's rows and the text list
    // find the value, how the grid shows it (date and time forms only in the
    // display format), whether a "CQ" row shows it empty, and the blanks the
    // cell shows before it.
    TagSpec tag;
    Form gridForm;
    bool emptyForCq;
    int leadingBlanks;
    const char* caption; // marked with QT_TRANSLATE_NOOP("GridModel", ...)
    int width;           // pixels
    Qt::Alignment align;

    // The double click: the cell without its first `openSkip` characters,
    // cut to `openMax` (-1: not cut). No member: kept in SelectedQsoSet::more.
    int openSkip;
    int openMax;
    QByteArray SelectedQsoSet::*opened;

    // The change form: its search text (none: the grid's), how it shows the
    // value, its place among the form's fields (the order unreadable fields
    // are named in). No member: kept in EditFieldSet::more.
    TagSpec changeTag;
    Form changeForm;
    int changePlace;
    QByteArray EditFieldSet::*changed;

    // The text list: the column's place (-1: not listed), the blanks before
    // it, the characters it fills at least (blanks after), the text for an
    // empty value, how it shows the value, and its parts of the two heading
    // lines.
    int listPlace;
    int listGap;
    int listWidth;
    const char* listEmpty;
    Form listForm;
    const char* listHead1;
    const char* listHead2;
};

// The columns' places, for the code that gives a column a meaning of its own
// (the call search compares calls, the loader counts confirmations).
enum ColumnId {
    Date,
    Time,
    Call,
    Locator,
    Freq,
    Band,
    Mode,
    RstSent,
    RstRcvd,
    EqslSent,
    EqslRcvd,
    LotwRcvd,
    Comment
};

namespace detail
{
using R = LengthRule;
constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
} // namespace detail

// clang-format off
inline constexpr Column kColumns[] = {
    {.name = "QSO_DATE", .tag = {"<qso_date:", "<QSO_DATE:", detail::R::OneOrTwo, 11, 20},
     .gridForm = Form::Date, .emptyForCq = false, .leadingBlanks = 2,
     .caption = QT_TRANSLATE_NOOP("GridModel", "Date"), .width = 81, .align = detail::Left,
     .openSkip = 2, .openMax = 20, .opened = &SelectedQsoSet::date,
     .changeTag = {"<qso_date", "<QSO_DATE", detail::R::OneOrTwo, 11, 20},
     .changeForm = Form::Date, .changePlace = 1, .changed = &EditFieldSet::date,
     .listPlace = 0, .listGap = 0, .listWidth = 0, .listEmpty = "", .listForm = Form::Date,
     .listHead1 = "Datum      ", .listHead2 = "           "},
    {.name = "TIME_ON", .tag = {"time_on", "TIME_ON", detail::R::One, 9, 20},
     .gridForm = Form::Time, .emptyForCq = false, .leadingBlanks = 2,
     .caption = QT_TRANSLATE_NOOP("GridModel", "Time"), .width = 60, .align = detail::Left,
     .openSkip = 2, .openMax = 20, .opened = &SelectedQsoSet::time,
     .changeTag = {}, .changeForm = Form::Time, .changePlace = 2, .changed = &EditFieldSet::time,
     .listPlace = 1, .listGap = 1, .listWidth = 0, .listEmpty = "", .listForm = Form::Time,
     .listHead1 = "Zeit   ", .listHead2 = "       "},
    {.name = "CALL", .tag = {"<call:", "<CALL:", detail::R::OneOrTwo, 7, 20},
     .gridForm = Form::AsWritten, .emptyForCq = false, .leadingBlanks = 2,
     .caption = QT_TRANSLATE_NOOP("GridModel", "CALL"), .width = 117, .align = detail::Left,
     .openSkip = 2, .openMax = 20, .opened = &SelectedQsoSet::call,
     .changeTag = {}, .changeForm = Form::AsWritten, .changePlace = 0,
     .changed = &EditFieldSet::call,
     .listPlace = 2, .listGap = 1, .listWidth = 10, .listEmpty = "", .listForm = Form::AsWritten,
     .listHead1 = "Call     ", .listHead2 = "         "},
    {.name = "GRIDSQUARE", .tag = {"gridsquare", "GRIDSQUARE", detail::R::One, 12, 10},
     .gridForm = Form::AsWritten, .emptyForCq = true, .leadingBlanks = 3,
     .caption = QT_TRANSLATE_NOOP("GridModel", "Locator"), .width = 74, .align = detail::Left,
     .openSkip = 3, .openMax = 10, .opened = &SelectedQsoSet::locator,
     .changeTag = {}, .changeForm = Form::AsWritten, .changePlace = 6,
     .changed = &EditFieldSet::locator,
     .listPlace = 3, .listGap = 2, .listWidth = 0, .listEmpty = "----",
     .listForm = Form::AsWritten, .listHead1 = "Loc   ", .listHead2 = "      "},
    {.name = "FREQ", .tag = {"freq", "FREQ", detail::R::One, 6, 10},
     .gridForm = Form::Freq4, .emptyForCq = false, .leadingBlanks = 3,
     .caption = QT_TRANSLATE_NOOP("GridModel", "MHz"), .width = 74, .align = detail::Left,
     .openSkip = 2, .openMax = 12, .opened = &SelectedQsoSet::freq,
     .changeTag = {}, .changeForm = Form::FreqCut, .changePlace = 3,
     .changed = &EditFieldSet::freq,
     .listPlace = -1, .listGap = 0, .listWidth = 0, .listEmpty = "", .listForm = Form::AsWritten,
     .listHead1 = "", .listHead2 = ""},
    {.name = "BAND", .tag = {"band", "BAND", detail::R::One, 6, 5},
     .gridForm = Form::AsWritten, .emptyForCq = false, .leadingBlanks = 3,
     .caption = QT_TRANSLATE_NOOP("GridModel", "Band"), .width = 55, .align = detail::Left,
     .openSkip = 3, .openMax = 6, .opened = &SelectedQsoSet::band,
     .changeTag = {}, .changeForm = Form::AsWritten, .changePlace = 4,
     .changed = &EditFieldSet::band,
     .listPlace = 4, .listGap = 2, .listWidth = 0, .listEmpty = "", .listForm = Form::AsWritten,
     .listHead1 = "Band ", .listHead2 = "     "},
    {.name = "MODE", .tag = {"mode", "MODE", detail::R::One, 6, 10},
     .gridForm = Form::Ft4, .emptyForCq = false, .leadingBlanks = 4,
     .caption = QT_TRANSLATE_NOOP("GridModel", "Mode"), .width = 65, .align = detail::Left,
     .openSkip = 4, .openMax = 10, .opened = &SelectedQsoSet::mode,
     .changeTag = {}, .changeForm = Form::Ft4Submode, .changePlace = 5,
     .changed = &EditFieldSet::mode,
     .listPlace = 5, .listGap = 2, .listWidth = 0, .listEmpty = "", .listForm = Form::AsWritten,
     .listHead1 = "Mod  ", .listHead2 = "     "},
    {.name = "RST_SENT", .tag = {"rst_sent", "RST_SENT", detail::R::One, 10, 10},
     .gridForm = Form::AsWritten, .emptyForCq = false, .leadingBlanks = 4,
     .caption = QT_TRANSLATE_NOOP("GridModel", "RST sent"), .width = 59, .align = detail::Left,
     .openSkip = 4, .openMax = 10, .opened = &SelectedQsoSet::rstSent,
     .changeTag = {}, .changeForm = Form::AsWritten, .changePlace = 8,
     .changed = &EditFieldSet::rstSent,
     .listPlace = 7, .listGap = 3, .listWidth = 0, .listEmpty = "---",
     .listForm = Form::AsWritten, .listHead1 = "RST   ", .listHead2 = "out   "},
    {.name = "RST_RCVD", .tag = {"rst_rcvd", "RST_RCVD", detail::R::One, 10, 10},
     .gridForm = Form::AsWritten, .emptyForCq = false, .leadingBlanks = 4,
     .caption = QT_TRANSLATE_NOOP("GridModel", "RST rcvd"), .width = 62, .align = detail::Left,
     .openSkip = 4, .openMax = 10, .opened = &SelectedQsoSet::rstRcvd,
     .changeTag = {}, .changeForm = Form::AsWritten, .changePlace = 7,
     .changed = &EditFieldSet::rstRcvd,
     .listPlace = 6, .listGap = 3, .listWidth = 0, .listEmpty = "---",
     .listForm = Form::AsWritten, .listHead1 = "RST   ", .listHead2 = " in   "},
    // The change form takes up to twelve characters of the eQSL flags.
    {.name = "EQSL_QSL_SENT", .tag = {"eqsl_qsl_sent", "EQSL_QSL_SENT", detail::R::One, 15, 2},
     .gridForm = Form::AsWritten, .emptyForCq = true, .leadingBlanks = 3,
     .caption = QT_TRANSLATE_NOOP("GridModel", "eQSL out"), .width = 66, .align = detail::Left,
     .openSkip = 2, .openMax = 4, .opened = &SelectedQsoSet::eqslSent,
     .changeTag = {"eqsl_qsl_sent", "EQSL_QSL_SENT", detail::R::One, 15, 12},
     .changeForm = Form::AsWritten, .changePlace = 10, .changed = &EditFieldSet::eqslSent,
     .listPlace = 8, .listGap = 4, .listWidth = 0, .listEmpty = "", .listForm = Form::AsWritten,
     .listHead1 = "e-QSL   ", .listHead2 = " out    "},
    {.name = "EQSL_QSL_RCVD", .tag = {"eqsl_qsl_rcvd", "EQSL_QSL_RCVD", detail::R::One, 15, 2},
     .gridForm = Form::AsWritten, .emptyForCq = true, .leadingBlanks = 3,
     .caption = QT_TRANSLATE_NOOP("GridModel", "eQSL in"), .width = 65, .align = detail::Left,
     .openSkip = 2, .openMax = 4, .opened = &SelectedQsoSet::eqslRcvd,
     .changeTag = {"eqsl_qsl_rcvd", "EQSL_QSL_RCVD", detail::R::One, 15, 12},
     .changeForm = Form::AsWritten, .changePlace = 12, .changed = &EditFieldSet::eqslRcvd,
     .listPlace = 9, .listGap = 7, .listWidth = 0, .listEmpty = "", .listForm = Form::AsWritten,
     .listHead1 = "e-QSL", .listHead2 = " in"},
    // LoTW's confirmation, as the QSL download marks it: in the grid only
    // (the change form keeps it as the record has it; the printed list is
    // as it always was).
    {.name = "LOTW_QSL_RCVD", .tag = {"lotw_qsl_rcvd", "LOTW_QSL_RCVD", detail::R::One, 15, 2},
     .gridForm = Form::AsWritten, .emptyForCq = true, .leadingBlanks = 3,
     .caption = QT_TRANSLATE_NOOP("GridModel", "LoTW in"), .width = 65, .align = detail::Left,
     .openSkip = 2, .openMax = 4, .opened = nullptr,
     .changeTag = {}, .changeForm = Form::AsWritten, .changePlace = 14, .changed = nullptr,
     .listPlace = -1, .listGap = 0, .listWidth = 0, .listEmpty = "", .listForm = Form::AsWritten,
     .listHead1 = "", .listHead2 = ""},
    // The comment takes what the window's width leaves.
    {.name = "COMMENT", .tag = {"comment", "COMMENT", detail::R::OneOrTwo, 9, -1},
     .gridForm = Form::AsWritten, .emptyForCq = false, .leadingBlanks = 1,
     .caption = QT_TRANSLATE_NOOP("GridModel", "Comment"), .width = 347, .align = detail::Left,
     .openSkip = 0, .openMax = -1, .opened = &SelectedQsoSet::comment,
     .changeTag = {}, .changeForm = Form::AsWritten, .changePlace = 13,
     .changed = &EditFieldSet::comment,
     .listPlace = -1, .listGap = 0, .listWidth = 0, .listEmpty = "", .listForm = Form::AsWritten,
     .listHead1 = "", .listHead2 = ""},
#ifdef VOSMIRA_EXTRA_COLUMN
// A test build appends a column of its own here (a file holding one row).
#include VOSMIRA_EXTRA_COLUMN
#endif
};
// clang-format on

inline constexpr int ColumnCount = int(std::size(kColumns));

// Every column's leading blanks, by column.
constexpr std::array<int, ColumnCount> leadingBlanks()
{
    std::array<int, ColumnCount> out{};
    for (int c = 0; c < ColumnCount; ++c)
        out[size_t(c)] = kColumns[c].leadingBlanks;
    return out;
}

// The search text the change form uses for column `c`.
constexpr const TagSpec& changeTag(int c)
{
    return kColumns[c].changeTag.lower.isEmpty() ? kColumns[c].tag : kColumns[c].changeTag;
}

// The listed columns in list order.
inline constexpr int ListedCount = [] {
    int n = 0;
    for (const Column& col : kColumns)
        n += col.listPlace >= 0 ? 1 : 0;
    return n;
}();
constexpr std::array<int, ListedCount> listedColumns()
{
    std::array<int, ListedCount> out{};
    int n = 0;
    for (int place = 0; n < ListedCount; ++place)
        for (int c = 0; c < ColumnCount; ++c)
            if (kColumns[c].listPlace == place)
                out[size_t(n++)] = c;
    return out;
}

// The value a reader shows for the field `v` of `line` in the form given;
// a converted value is written into `buf` (at least 24 bytes).
QByteArrayView shownValue(Form form, QByteArrayView line, const FieldValue& v, char* buf);

// The QSO of grid row `row` as the double click opens it.
SelectedQsoSet openedQso(const CellTable& rows, int row);

// The two heading lines of the text list.
QByteArray listHeading1();
QByteArray listHeading2();
} // namespace gridcol

#pragma once
// The country lookup by call prefix: a fixed table of 134 entries, each with a
// country text, the number of its flag picture on the selected-QSO view and
// the call keys it answers to. Plain logic without widgets; the main window
// turns the result into the visible flag and the country panel.
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <bitset>

// The highest picture number of the selected-QSO view.
inline constexpr int kLastPicture = 117;

// The seven keys taken from the leading characters of a call: index 0..4 are
// the first 1..5 characters, index 5 the characters 3 to 5, index 6 the
// characters 2 to 4. Each is NUL-terminated; a short call gives shorter (or
// empty) keys.
struct CallKeys {
    char text[7][6];
    quint8 length[7];
};

// Takes the keys from a call (at most its first 20 characters are looked at).
CallKeys deriveCallKeys(QByteArrayView call);

struct CountryResult {
    const char* text = "";                 // country text of the winning entry, "" when none
    std::bitset<kLastPicture + 1> visible; // the winning entry's flag picture (by number) only
    int top = 0;                           // that picture's number (the one seen), 0 when none
    int comparisons = 0;                   // key comparisons made
};

// Walks the whole table in order. Of the entries with a matching key, the one
// that matched the longest key wins; among equally long keys the later entry
// wins. Its text is the country, its flag the one picture made visible.
// Never allocates.
void lookupCountry(const CallKeys& keys, CountryResult& out);

int countryEntryCount();                 // 134
const char* countryEntryText(int index); // 0-based; "" outside the table
int countryEntryPicture(int index);      // e.g. 9 for Image9; 0 outside the table

// Resource of a flag picture, e.g. ":/flags/austria.jpg"; empty for numbers
// that are not flag pictures.
QString flagResourcePath(int pictureNumber);
// The flag pictures are Image2 to Image<kLastPicture> except Image17 and Image34.
bool isFlagPicture(int pictureNumber);

// Registers the program's picture resources (":/flags/...", ":/pictures/...").
// They are compiled into a static library, where the linker would drop their
// registration unless something refers to it: the program calls this before
// its first window.
void initPictureResources();

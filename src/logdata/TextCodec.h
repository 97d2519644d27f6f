#pragma once
// How the bytes of the files are shown: Windows-1252 as the program always
// wrote them, but a value that is valid UTF-8 with characters beyond ASCII (as
// WSJT-X and other loggers write names and comments) is shown as UTF-8. Every
// byte sequence is shown somehow, and an unedited value is written back as
// the bytes it was read from.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace text
{
// True for well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isValidUtf8(QByteArrayView bytes);
// True when some byte is beyond ASCII.
bool hasHighBytes(QByteArrayView bytes);
// Valid UTF-8 with bytes beyond ASCII: the value is UTF-8.
inline bool isUtf8Text(QByteArrayView bytes)
{
    return hasHighBytes(bytes) && isValidUtf8(bytes);
}

// The value as shown: UTF-8 when it is, Windows-1252 otherwise.
QString decode(QByteArrayView bytes);

// Where a value that would end at `end` of `line` really ends: when `end`
// falls inside a UTF-8 character, at that character's end, so no character
// is cut in two.
qsizetype charBoundary(QByteArrayView line, qsizetype valueStart, qsizetype end);

// True when `end` lies inside a UTF-8 character of `line` (the byte there is
// a continuation byte): the cheap test before the one above.
inline bool insideCharacter(QByteArrayView line, qsizetype end)
{
    return end > 0 && end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80;
}

// Text typed by the operator as the bytes a value gets: Windows-1252, or
// UTF-8 when `utf8` is set. `ok` is false when Windows-1252 cannot hold a
// character (the text is then not to be stored).
QByteArray encode(const QString& text, bool utf8, bool* ok = nullptr);
// True when Windows-1252 holds every character of `text`.
bool fitsCp1252(const QString& text);
} // namespace text

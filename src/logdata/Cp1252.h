#pragma once
// File text is kept as Windows-1252 bytes; the windows work with QString.
// This codec maps every one of the 256 byte values to a character and back,
// so text that is only shown and not edited is written back byte for byte.
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 control characters of the same value.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace Cp1252
{
QString toUnicode(QByteArrayView bytes);
// Characters with no Windows-1252 byte become '?'.
QByteArray fromUnicode(const QString& text);
} // namespace Cp1252

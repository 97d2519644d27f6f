#pragma once
// JPEG pictures of the windows (flags, button pictures), decoded with libjpeg
// itself rather than through Qt's image plugins.
#include <QByteArrayView>
#include <QImage>
#include <QPixmap>
#include <QString>

// Decodes a complete JPEG file held in memory. Colour, grayscale and CMYK
// (Adobe inverted as well as plain) pictures all come back as
// QImage::Format_RGB32. On failure (empty input, not a JPEG, corrupt headers or
// data libjpeg cannot recover from, a picture too large to hold) the result is
// a null image and *error, if given, says why. Data that merely ends early
// inside the compressed picture is not a failure: libjpeg fills the missing
// part and the partial picture is returned.
QImage decodeJpeg(QByteArrayView data, QString* error = nullptr);

// Reads a JPEG from a Qt resource (":/flags/austria.jpg") or a file and
// decodes it with decodeJpeg. Decoded pictures are kept in QPixmapCache under
// their path, so showing the same picture again costs no decoding. Returns a
// null pixmap and sets *error when the file cannot be read or decoded.
// Needs a QGuiApplication (QPixmap); user-interface thread only.
QPixmap loadJpegPixmap(const QString& resourcePath, QString* error = nullptr);

#pragma once
// Replaces a file as a whole: the data is written to a temporary file beside
// it, which is renamed over the old one only when every byte was written. A
// failed or interrupted write leaves the old file as it was.
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

// `permissions`: set on the new file before any data is written (for files
// that hold secrets); 0 keeps those of the file it replaces.
bool writeFileAtomically(const QString& path, QByteArrayView data, QString* error = nullptr,
                         QFileDevice::Permissions permissions = {});

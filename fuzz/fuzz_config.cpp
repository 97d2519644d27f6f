// Feeds arbitrary bytes to the settings reader as config.dat: reading never
// fails, and what one save writes reads back as the same values.
#include "logdata/Settings.h"
#include "logdata/State.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // config.dat is read and written in the working folder: a scratch one
    // while an input runs, the fuzzer's own again before it reads the next
    // (its corpus may be given relative to it).
    static QTemporaryDir dir;
    const QString back = QDir::currentPath();
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        std::abort();
    struct Back {
        QString path;
        ~Back() { QDir::setCurrent(path); }
    } restore{back};
    QFile f(QString::fromLatin1(kConfigFileName));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    f.close();
    resetProgramState();
    ProgramState& s = G();
    Load_Config(s);
    s.QsoCount = s.StoredQsoCount;
    if (!Save_Config(s))
        std::abort();
    const QByteArray once = settingsFileImage(s);
    Load_Config(s);
    s.QsoCount = s.StoredQsoCount;
    if (settingsFileImage(s) != once)
        std::abort();
    return 0;
}

#include "logdata/Settings.h"

#include "logdata/AtomicFile.h"
#include "logdata/Cp1252.h"
#include "logdata/LineTable.h"
#include "logdata/LogFileMark.h"
#include "logdata/TextCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct Row {
    QByteArray SettingsValues::*value;
    int limit; // -1: none
};

const Row kRows[14] = {
    {&SettingsValues::LogPathSetting, -1},  {&SettingsValues::LogChanged, -1},
    {&SettingsValues::SpareLine, -1},       {&SettingsValues::OwnCountry, 50},
    {&SettingsValues::OwnCall, 20},         {&SettingsValues::OwnName, 50},
    {&SettingsValues::OwnFirstName, 50},    {&SettingsValues::OwnStreet, 50},
    {&SettingsValues::OwnTown, 50},         {&SettingsValues::OwnLocator, 20},
    {&SettingsValues::OwnDok, 20},          {&SettingsValues::QsoCountText, -1},
    {&SettingsValues::StandardComment, 60}, {&SettingsValues::Language, -1},
};

// A decimal integer, optionally signed; false when the text is anything else.
bool parseCount(const QByteArray& text, int& out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return false;
    out = v;
    return true;
}
} // namespace

QString defaultWsjtxLogPath()
{
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           "/WSJT-X/wsjtx_log.adi";
#else
    return QDir::homePath() + "/.local/share/WSJT-X/wsjtx_log.adi";
#endif
}

QByteArray languageForLocale(const QString& localeName)
{
    return localeName.startsWith(QLatin1String("de")) ? QByteArray("Ger") : QByteArray("Eng");
}

void Load_Config(ProgramState& s)
{
    QFile f(QString::fromLatin1(kConfigFileName));
    bool haveFile = false;
    if (f.open(QIODevice::ReadOnly)) {
        haveFile = true;
        const QByteArray image = f.readAll();
        const std::vector<LineSpan> spans = splitLines(image);
        // Lines after the fourteenth carry no value and are not kept.
        for (size_t i = 0; i < spans.size() && i < 14; ++i) {
            QByteArray v = image.mid(spans[i].offset, spans[i].length);
            if (kRows[i].limit >= 0 && v.size() > kRows[i].limit)
                v.truncate(kRows[i].limit);
            s.ProgramSettings.*(kRows[i].value) = v;
        }
        // The log path is the file name's bytes, used and stored as they
        // are (a folder name need not be UTF-8); only what is shown is
        // converted.
    }
    int count = 0;
    if (!parseCount(s.ProgramSettings.QsoCountText, count))
        count = 0; // a missing or garbled count starts from 0
    s.StoredQsoCount = count;
    // A first start: the windows speak the system's language.
    if (!haveFile && s.ProgramSettings.Language.isEmpty())
        s.ProgramSettings.Language = languageForLocale(QLocale::system().name());
    if (!haveFile && s.ProgramSettings.LogPathSetting.isEmpty()) {
        const QString wsjtx = defaultWsjtxLogPath();
        if (QFileInfo::exists(wsjtx))
            s.ProgramSettings.LogPathSetting = QFile::encodeName(wsjtx);
    }
    s.LogFilePath = s.ProgramSettings.LogPathSetting;
}

QByteArray settingsFileImage(const ProgramState& s)
{
    QByteArray out;
    for (int i = 0; i < 14; ++i) {
        if (i == 11)
            out += QByteArray::number(s.QsoCount);
        else
            out += s.ProgramSettings.*(kRows[i].value);
        out += "\r\n";
    }
    return out;
}

namespace
{
// Whether `name` is a regular file that holds exactly `image`. The open
// never waits (a FIFO of that name would block).
bool regularFileHolds(const char* name, const QByteArray& image)
{
    const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {
    };
    // One byte more than expected is asked for: a file that grew is not the same.
    const bool same = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size == image.size() &&
                      readAt(fd, 0, image.size() + 1) == image;
    ::close(fd);
    return same;
}
} // namespace

bool Save_Config(ProgramState& s)
{
    s.ProgramSettings.QsoCountText = QByteArray::number(s.QsoCount);
    const QByteArray image = settingsFileImage(s);
    // Every load and every return to the log saves the settings: a file that
    // holds them already is left alone, rather than written and synced to
    // the disk again (which could keep the window waiting for the disk).
    QString why;
    if (regularFileHolds(kConfigFileName, image) ||
        writeFileAtomically(QString::fromLatin1(kConfigFileName), image, &why)) {
        s.ConfigSaveError.clear();
        s.ConfigSaveReported = false;
        return true;
    }
    s.ConfigSaveError =
        why.isEmpty() ? QCoreApplication::translate("Settings", "unknown error") : why;
    return false;
}

bool saveAndReloadConfig(ProgramState& s)
{
    if (!Save_Config(s))
        return false;
    Load_Config(s);
    return true;
}

QString logFilePathString(const ProgramState& s)
{
    return text::isValidUtf8(s.LogFilePath) ? QFile::decodeName(s.LogFilePath)
                                            : Cp1252::toUnicode(s.LogFilePath);
}

bool openLogbookFile(const ProgramState& s, QFile& file)
{
    if (s.LogFilePath.isEmpty())
        return false;
    const int fd = ::open(s.LogFilePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}

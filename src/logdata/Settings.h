#pragma once
// config.dat: fourteen lines in the working directory, each ended by CR LF,
// texts stored as they are: the log path in the file system's encoding, the
// other texts in Windows-1252. Load_Config reads the values (cut
// to their limits), converts the twelfth line to StoredQsoCount and copies the
// log path to LogFilePath; Save_Config writes all of them back, line 12 being
// the current QsoCount. The file is replaced atomically.
#include "logdata/State.h"

#include <QString>

inline constexpr const char* kConfigFileName = "config.dat";

void Load_Config(ProgramState& s);
// Returns whether config.dat was written; when not, ConfigSaveError says why.
bool Save_Config(ProgramState& s);
// Writes config.dat and reads it back, as every confirmed entry does; when
// the write failed the values in memory stay as typed (a read-back would undo
// them) and false is returned.
bool saveAndReloadConfig(ProgramState& s);

// WSJT-X's own log file, offered as the log path when there is no config.dat.
QString defaultWsjtxLogPath();
// The language setting a first start without config.dat takes from the
// system's locale name (such as "de_DE"): "Ger" for de*, "Eng" otherwise.
QByteArray languageForLocale(const QString& localeName);

// The settings file as bytes, for tests and for Save_Config.
QByteArray settingsFileImage(const ProgramState& s);

// The log path as it is shown: the file name's bytes as UTF-8, or as
// Windows-1252 where they are not UTF-8 (the bytes themselves are what is
// used and stored).
QString logFilePathString(const ProgramState& s);

class QFile;
// Opens the logbook for reading by its path's bytes, when it is a regular
// file (never waits on a pipe); `file` owns the descriptor.
bool openLogbookFile(const ProgramState& s, QFile& file);

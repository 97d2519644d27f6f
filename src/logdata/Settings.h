#pragma once
// config.dat: fourteen lines in the working directory, each ended by CR LF,
// texts stored as they are (Windows-1252). Load_Config reads the values (cut
// to their limits), converts the twelfth line to StoredQsoCount and copies the
// log path to LogFilePath; Save_Config writes all of them back, line 12 being
// the current QsoCount. The file is replaced atomically.
#include "logdata/State.h"

#include <QString>

inline constexpr const char* kConfigFileName = "config.dat";

void Load_Config(ProgramState& s);
bool Save_Config(ProgramState& s);

// WSJT-X's own log file, offered as the log path when there is no config.dat.
QString defaultWsjtxLogPath();

// The settings file as bytes, for tests and for Save_Config.
QByteArray settingsFileImage(const ProgramState& s);

// The log path as the file system wants it (the settings hold Windows-1252 bytes).
QString logFilePathString(const ProgramState& s);

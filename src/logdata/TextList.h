#pragma once
// The text list List.txt: one fixed-column row per line of the logbook file
// (the first row, for the header line, is empty), for the printout. The two
// column-heading lines are not written into the file; they are handed to the
// printout through ListHeading1 / ListHeading2.
#include "logdata/State.h"

#include <QString>

#include <functional>

inline constexpr const char* kListFileName = "List.txt";
extern const char* const kListHeading1;
extern const char* const kListHeading2;

struct TextListOutcome {
    bool logOpened = false;
    bool listWritten = false;
    int rows = 0;
    int unreadableFields = 0;
};

// Builds List.txt from the file at LogFilePath. `notify` receives the message
// shown when List.txt cannot be created (once per build).
TextListOutcome buildTextList(ProgramState& s, const std::function<void(const QString&)>& notify);

// The row of one record line (empty for the header line).
void appendListRow(QByteArrayView line, QByteArray& out, int* unreadable = nullptr);

#pragma once
// The logbook as one Logbook object holds it: the file's lines, the mark that
// tells whether the file is still as held, the replaced files writers may
// still append to, and the counts that tie grid rows to lines. The Logbook
// owns one; the loader, the rewrite and the call search work on it. Windows
// read it through Logbook::data().
#include "logdata/LineTable.h"
#include "logdata/LogFileMark.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class OrphanLog;

struct LogbookState {
    // The logbook in memory: LogLines elements 1..LoadedLineCount are the
    // file's lines (element 1 the header), one spare element follows.
    LineTable LogLines;
    int AppendBase = 0; // where a QSO added by hand goes after (= LoadedLineCount)
    int ConfirmedCount = 0;

    // The logbook file as LogLines holds it: which file, how many bytes, so
    // that a rewrite keeps what other programs (WSJT-X) appended meanwhile
    // and a reload reads only what changed.
    LogFileMark LogMark;
    int LoadedLineCount = 0; // the file's lines held: elements 1..LoadedLineCount of LogLines
    quint8 LoadedDisplayFormat = 0; // the DisplayFormat the rows were parsed with
    std::vector<quint8> RowFlags;   // per QSO row: eQSL received "Y", has the field
    // Per QSO row: the call's first four bytes (callHead()), so that the call
    // search compares them without reaching into the file image at every row.
    std::vector<quint32> RowCallHeads;
    int RowsWithRcvd = 0; // rows with an eQSL-received field
    bool Writing = false; // a rewrite of the logbook is under way
    // The files rewrites replaced, while a writer may still append to them.
    std::vector<std::shared_ptr<OrphanLog>> Orphans;

    // Where this logbook's long loads and writes tell how far they got, and
    // where a QSO that could not be carried over from a replaced file is
    // reported (none set: nobody is told; the orphan's problem goes to the
    // error output). Each logbook has its own.
    std::function<void(qint64 done, qint64 total)> loadProgress;
    std::function<void(qint64 written, qint64 total)> writeProgress;
    std::function<void(const QString& message)> orphanProblem;
};

#pragma once
// The settings and a logbook side by side in one object, for the tests of the
// data layer's functions: what a Logbook holds and what it is given.
#include "logdata/Loader.h"
#include "logdata/LogbookState.h"
#include "logdata/Rewrite.h"
#include "logdata/State.h"

struct TestLog : ProgramState, LogbookState {
};

inline LoadReport loadLogbookData(TestLog& t)
{
    return loadLogbookData(t, t);
}
inline LoadReport refreshLogbookData(TestLog& t)
{
    return refreshLogbookData(t, t);
}
inline LoadReport followLogbookData(TestLog& t)
{
    return followLogbookData(t, t);
}
inline RewriteOutcome rewriteLogbook(TestLog& t, int lastElement)
{
    return rewriteLogbook(t, t, lastElement);
}
inline RewriteOutcome appendRecord(TestLog& t, const QByteArray& record)
{
    return appendRecord(t, t, record);
}

// One for a test binary, made anew by resetTestLog() (as G() by
// resetProgramState()).
inline TestLog& testLog()
{
    static TestLog log;
    return log;
}
inline void resetTestLog()
{
    testLog() = TestLog();
}

#pragma once
// The view and the deletion form act on the line of the QSO they opened.
// Before they write there they check that the line still holds what they
// opened: a reload of a changed file may have put another QSO there.
#include "logdata/Logbook.h" // lineStillHolds()

#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

// How a write of a record to its line ended.
enum class LineWrite {
    Written, // stored and the logbook rewritten
    Moved,   // the line no longer holds the QSO opened: nothing written
    Failed,  // the rewrite did not succeed (reported by the main window)
};

// What the operator is told when it does not.
inline QString lineMovedText()
{
    return QCoreApplication::translate(
        "TForm2", "The logbook was reloaded since this QSO was opened, and its "
                  "line now holds something else. Nothing was written; please "
                  "open the QSO again.");
}

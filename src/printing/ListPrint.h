#pragma once
// The page layout of the printed QSO list and the procedure that lays the
// list out on a page canvas. Positions are in tenths of a millimetre from the
// top-left corner of the printable area, y growing downward.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace ListPrint
{

// Left edge of every printed line.
constexpr int kLeft = 120;
// Line pitch and the y of slot 0: slot k lies at kTop + kPitch * k.
constexpr int kTop = 100;
constexpr int kPitch = 43;
// Character cell height of the list font.
constexpr int kCellHeight = 40;
// The last slot that takes a list line and the slot of the page-foot line.
constexpr int kLastSlot = 60;
constexpr int kFootSlot = 62;
// The first slot of a list line on the first page (after the title and the
// two headings) and on every following page (one slot left blank).
constexpr int kFirstSlotPage1 = 3;
constexpr int kFirstSlotLater = 4;

constexpr int slotY(int k)
{
    return kTop + kPitch * k;
}

// The column headings of the list builder, used when it did not hand any over.
QString defaultHeading1();
QString defaultHeading2();
// The heading to print: `fromBuilder` when it holds text, else `fallback`.
QString headingOrDefault(const QByteArray& fromBuilder, const QString& fallback);

// The text in front of the page number on the foot of every full page.
QString pageFootPrefix();

// The title line of the first page: the program name, the operator's call
// (when set) and the year, e.g. "Vosmira Logbuch DL1ABC 2024".
QString listTitle(const QByteArray& ownCall, int year);

// Splits a text file image into its lines. A line ends with CR LF, a lone CR
// or a lone LF; a last line without an end still counts, a final line end
// does not start another line. Bytes are Windows-1252.
QStringList splitListLines(const QByteArray& image);

} // namespace ListPrint

// What the list printout draws on: a print job with pages, a bold or regular
// fixed-pitch font and text placed with the top-left of its first character
// cell at (x, y), in tenths of a millimetre.
class ListCanvas
{
public:
    virtual ~ListCanvas() = default;
    // Starts the job on its first page; false when the printer refused it.
    virtual bool beginDoc() = 0;
    virtual void newPage() = 0;
    virtual void endDoc() = 0;
    // Ends the job without printing it (the operator cancelled).
    virtual void abortDoc() = 0;
    // The number of the page being drawn, counted from 1.
    virtual int pageNumber() const = 0;
    virtual void setBold(bool bold) = 0;
    virtual void textOut(int x, int y, const QString& text) = 0;
};

namespace ListPrint
{

// Prints `lines` as a job on `canvas`: the title on the first page, both
// headings on every page, the list lines in slots 3..60 of the first page and
// 4..60 of the following ones, and the page-foot line with the page number
// on every page that was filled. Returns false (and draws nothing) when the
// job could not be started.
// `nextPage`, when set, is asked before each page after the first, with that
// page's number and the job's page count; when it answers false the job is
// aborted there and `cancelled` set.
bool printList(ListCanvas& canvas, const QStringList& lines, const QString& title,
               const QString& heading1, const QString& heading2,
               const std::function<bool(int page, int pages)>& nextPage = {},
               bool* cancelled = nullptr);

// The pages a list of that many lines takes.
int pageCount(int lines);

} // namespace ListPrint

#include "printing/ListPrint.h"

#include "logdata/Cp1252.h"
#include "logdata/LineTable.h"
#include "logdata/TextCodec.h"
#include "logdata/TextList.h"

#include <QCoreApplication>

namespace ListPrint
{

QString defaultHeading1()
{
    return QString::fromLatin1(kListHeading1);
}

QString defaultHeading2()
{
    return QString::fromLatin1(kListHeading2);
}

QString headingOrDefault(const QByteArray& fromBuilder, const QString& fallback)
{
    return fromBuilder.isEmpty() ? fallback : Cp1252::toUnicode(fromBuilder);
}

QString pageFootPrefix()
{
    return QString(42, QLatin1Char(' ')) + QCoreApplication::translate("ListPrint", "Page:") +
           QStringLiteral("  ");
}

QString listTitle(const QByteArray& ownCall, int year)
{
    QString title = QCoreApplication::translate("ListPrint", "Vosmira logbook");
    const QString call = Cp1252::toUnicode(ownCall).trimmed();
    if (!call.isEmpty())
        title += QLatin1Char(' ') + call;
    return title + QLatin1Char(' ') + QString::number(year);
}

QStringList splitListLines(const QByteArray& image)
{
    // The lines as every reader of the program splits them.
    QStringList lines;
    forEachLine(image, [&](LineSpan sp) {
        lines.append(text::decode(QByteArrayView(image).sliced(sp.offset, sp.length)));
    });
    return lines;
}

int pageCount(int lines)
{
    // The first page takes 58 lines, every further one 57; a page is added
    // each time the last slot was filled.
    const int firstPage = kLastSlot - kFirstSlotPage1 + 1;
    const int laterPage = kLastSlot - kFirstSlotLater + 1;
    return lines < firstPage ? 1 : 2 + (lines - firstPage) / laterPage;
}

bool printList(ListCanvas& canvas, const QStringList& lines, const QString& title,
               const QString& heading1, const QString& heading2,
               const std::function<bool(int page, int pages)>& nextPage, bool* cancelled)
{
    if (cancelled)
        *cancelled = false;
    const int pages = pageCount(int(lines.size()));
    if (!canvas.beginDoc())
        return false;

    canvas.setBold(true);
    canvas.textOut(kLeft, slotY(0), title);
    canvas.textOut(kLeft, slotY(1), heading1);
    canvas.textOut(kLeft, slotY(2), heading2);
    canvas.setBold(false);

    int k = kFirstSlotPage1 - 1;
    for (const QString& line : lines) {
        ++k;
        canvas.textOut(kLeft, slotY(k), line);
        if (k >= kLastSlot) {
            // The page is full: number it and carry the headings over. The
            // break happens right after the slot is filled, so a list that
            // ends in the last slot leaves a page with only the headings.
            canvas.setBold(true);
            canvas.textOut(kLeft, slotY(kFootSlot),
                           pageFootPrefix() + QString::number(canvas.pageNumber()));
            if (nextPage && !nextPage(canvas.pageNumber() + 1, pages)) {
                // Cancelled: the job ends here, nothing more goes out.
                canvas.abortDoc();
                if (cancelled)
                    *cancelled = true;
                return true;
            }
            canvas.newPage();
            canvas.textOut(kLeft, slotY(1), heading1);
            canvas.textOut(kLeft, slotY(2), heading2);
            k = kFirstSlotLater - 1;
            canvas.setBold(false);
        }
    }

    canvas.endDoc();
    return true;
}

} // namespace ListPrint

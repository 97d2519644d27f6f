#pragma once
// The list canvas on a real printer (or Qt's PDF output): a QPainter on the
// QPrinter whose world units are hundredths of a millimetre from the top-left
// corner of the printable area, y downward.
//
// The canvas works in 0.01 mm rather than 0.1 mm because Qt keeps font pixel
// sizes in whole world units: the font that gives a 4.0 mm character cell has
// an em of about 3.53 mm, which 0.1 mm units could only round to 3.5 mm.
#include "printing/ListPrint.h"

#include <QFont>
#include <QPainter>

class QPrinter;

class QtPrinterCanvas : public ListCanvas
{
public:
    explicit QtPrinterCanvas(QPrinter& printer);
    ~QtPrinterCanvas() override;

    bool beginDoc() override;
    void newPage() override;
    void endDoc() override;
    void abortDoc() override;
    int pageNumber() const override { return m_page; }
    void setBold(bool bold) override;
    void textOut(int x, int y, const QString& text) override;

    // The list font as set up for the job: "Courier New" (or what the font
    // configuration puts in its place), sized for the character cell.
    static QFont listFont(bool bold);
    // The family the system actually uses for the list font.
    static QString resolvedFamily();

private:
    void setUpUnits();

    QPrinter& m_printer;
    QPainter m_painter;
    int m_page = 0;
    bool m_active = false;
};

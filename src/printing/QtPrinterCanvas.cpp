#include "printing/QtPrinterCanvas.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>

namespace
{
// World units per tenth of a millimetre.
constexpr int kUnitsPerTenth = 10;
// Device units per inch expressed in world units: 25.4 mm = 2540 * 0.01 mm.
constexpr double kUnitsPerInch = 2540.0;

QFont baseFont()
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setKerning(false);
    return f;
}

// The pixel size (em, in world units) whose character cell, ascent plus
// descent, is the list's cell height. Measured once at a large size so that
// rounding of the metrics does not matter.
int cellPixelSize()
{
    static const int size = [] {
        constexpr int reference = 10000;
        QFont f = baseFont();
        f.setPixelSize(reference);
        const QFontMetricsF fm(f);
        const double cell = fm.ascent() + fm.descent();
        const double wanted = ListPrint::kCellHeight * kUnitsPerTenth;
        return cell > 0 ? qRound(wanted * reference / cell) : qRound(wanted);
    }();
    return size;
}
} // namespace

QtPrinterCanvas::QtPrinterCanvas(QPrinter& printer) : m_printer(printer) {}

QtPrinterCanvas::~QtPrinterCanvas()
{
    if (m_active)
        endDoc();
}

QFont QtPrinterCanvas::listFont(bool bold)
{
    QFont f = baseFont();
    f.setPixelSize(cellPixelSize());
    f.setBold(bold);
    return f;
}

QString QtPrinterCanvas::resolvedFamily()
{
    return QFontInfo(listFont(false)).family();
}

bool QtPrinterCanvas::beginDoc()
{
    if (!m_painter.begin(&m_printer))
        return false;
    m_active = true;
    m_page = 1;
    setUpUnits();
    m_painter.setFont(listFont(false));
    // Text goes out on a white ground, as the list's brush is white.
    m_painter.setPen(Qt::black);
    m_painter.setBrush(Qt::white);
    m_painter.setBackground(Qt::white);
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    return true;
}

void QtPrinterCanvas::setUpUnits()
{
    // The painter starts in device pixels with the origin at the top-left of
    // the printable area; scale so that one world unit is 0.01 mm.
    m_painter.resetTransform();
    m_painter.scale(m_printer.logicalDpiX() / kUnitsPerInch,
                    m_printer.logicalDpiY() / kUnitsPerInch);
}

void QtPrinterCanvas::newPage()
{
    if (!m_active)
        return;
    m_printer.newPage();
    ++m_page;
    setUpUnits();
}

void QtPrinterCanvas::endDoc()
{
    if (!m_active)
        return;
    m_painter.end();
    m_active = false;
}

void QtPrinterCanvas::abortDoc()
{
    if (!m_active)
        return;
    m_printer.abort(); // the spooler drops the job
    m_painter.end();
    m_active = false;
}

void QtPrinterCanvas::setBold(bool bold)
{
    if (m_active)
        m_painter.setFont(listFont(bold));
}

void QtPrinterCanvas::textOut(int x, int y, const QString& text)
{
    if (!m_active || text.isEmpty())
        return;
    // (x, y) is the top-left of the character cell; Qt places text by its
    // baseline, one ascent below the cell's top.
    const QFontMetricsF fm(m_painter.font());
    m_painter.drawText(QPointF(x * kUnitsPerTenth, y * kUnitsPerTenth + fm.ascent()), text);
}

#include "platform/qt/qtprinter.h"

#include <QDir>
#include <QFileInfo>
#include <QPageRanges>

#include <cmath>
#include <stdexcept>

namespace quorbel {

namespace {

constexpr double kTwipsPerInch = 1440.0;

int toTwips(double pixels, int dpi)
{
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

} // namespace

QString QtPrinter::unusedPdfFile(const QString &folder)
{
    const QDir dir(folder);
    QString name = dir.filePath(QStringLiteral("Quorbel.pdf"));
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = dir.filePath(QStringLiteral("Quorbel (%1).pdf").arg(n));
    return name;
}

std::unique_ptr<QtPrinter> QtPrinter::pdf(const QString &pdfFile)
{
    return std::make_unique<QtPrinter>(pdfPrinter(pdfFile));
}

std::unique_ptr<QPrinter> QtPrinter::pdfPrinter(const QString &pdfFile)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdfFile);
    printer->setPageSize(QPageSize(QPageSize::A4));
    // A PDF page is printable to its edges; a margin such as printers
    // have keeps the physical offsets meaningful.
    printer->setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
    return printer;
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
{
}

QtPrinter::~QtPrinter()
{
    endDoc();
}

void QtPrinter::start()
{
    if (m_started)
        return;
    if (!m_painter.begin(m_printer.get()))
        throw std::runtime_error("The printer cannot start a print job");
    m_started = true;
    m_page = 1;
    m_printerPageUsed = false;
}

bool QtPrinter::wanted(int page) const
{
    if (m_printer->printRange() != QPrinter::PageRange)
        return true;
    const QPageRanges ranges = m_printer->pageRanges();
    return ranges.isEmpty() || ranges.contains(page);
}

QPainter &QtPrinter::painter()
{
    start();
    if (wanted(m_page))
        return m_painter;
    if (!m_discardedPainter.isActive()) {
        // One pixel is enough: only the resolution matters, for the fonts'
        // measures.
        m_discarded = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = static_cast<int>(std::lround(m_printer->resolution() / 0.0254));
        m_discarded.setDotsPerMeterX(dotsPerMeter);
        m_discarded.setDotsPerMeterY(dotsPerMeter);
        m_discardedPainter.begin(&m_discarded);
    }
    return m_discardedPainter;
}

void QtPrinter::print(const QString &text)
{
    QPainter &current = painter();
    current.drawText(QPointF(0, current.fontMetrics().ascent()), text);
}

QPainter &QtPrinter::deviceContext()
{
    return painter();
}

int QtPrinter::pageWidth() const
{
    return toTwips(m_printer->pageLayout().fullRectPixels(m_printer->resolution()).width(), m_printer->resolution());
}

int QtPrinter::pageHeight() const
{
    return toTwips(m_printer->pageLayout().fullRectPixels(m_printer->resolution()).height(), m_printer->resolution());
}

int QtPrinter::printableWidth() const
{
    return toTwips(m_printer->pageLayout().paintRectPixels(m_printer->resolution()).width(), m_printer->resolution());
}

int QtPrinter::printableHeight() const
{
    return toTwips(m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height(), m_printer->resolution());
}

int QtPrinter::physicalOffsetX() const
{
    return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).left();
}

int QtPrinter::physicalOffsetY() const
{
    return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).top();
}

double QtPrinter::pixelsToTwipsX(double pixels) const
{
    return pixels * kTwipsPerInch / m_printer->resolution();
}

double QtPrinter::pixelsToTwipsY(double pixels) const
{
    return pixels * kTwipsPerInch / m_printer->resolution();
}

void QtPrinter::newPage()
{
    start();
    if (wanted(m_page))
        m_printerPageUsed = true;
    ++m_page;
    if (!wanted(m_page) || !m_printerPageUsed)
        return;
    if (!m_printer->newPage())
        throw std::runtime_error("The printer cannot start a new page");
    m_printerPageUsed = false;
}

void QtPrinter::endDoc()
{
    if (m_discardedPainter.isActive())
        m_discardedPainter.end();
    if (m_painter.isActive())
        m_painter.end();
    m_started = false;
}

} // namespace quorbel

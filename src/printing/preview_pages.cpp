#include "printing/preview_pages.h"

#include "printing/painter_printer.h"

#include <QPainter>
#include <QPen>

PreviewPages::PreviewPages(const QString& deviceName, const QSizeF& printableSize,
                           const QRectF& paperRect)
    : m_deviceName(deviceName), m_printableSize(printableSize), m_paperRect(paperRect) {}

PreviewPages::~PreviewPages() = default;

std::unique_ptr<PrinterObject> PreviewPages::MakePrinter(const PrinterObject& printer,
                                                         PreviewPages** pages) {
    auto device = std::make_unique<PreviewPages>(printer.DeviceName(),
                                                 QSizeF(printer.PageWidth(), printer.PageHeight()),
                                                 printer.PaperRect());
    *pages = device.get();
    auto preview = std::make_unique<PainterPrinter>(std::move(device));
    preview->SetFontName(printer.FontName());
    return preview;
}

QPaintDevice* PreviewPages::OpenDocument() {
    m_documentStart = int(m_pages.size());
    m_pages.emplace_back();
    return &m_pages.back();
}

void PreviewPages::StartPage(QPainter& painter) {
    painter.end();
    Complete(int(m_pages.size()));
    m_pages.emplace_back();
    painter.begin(&m_pages.back());
}

void PreviewPages::CloseDocument(bool keep) {
    if (keep) {
        Complete(int(m_pages.size()));
        return;
    }
    m_pages.resize(size_t(m_documentStart));
    m_completed = std::min(m_completed, m_documentStart);
}

void PreviewPages::Complete(int pages) {
    m_completed = pages;
    if (m_onCompleted)
        m_onCompleted(m_completed);
}

void PaintPreviewPage(QPainter& painter, const QPicture& page, const QRectF& paperRect,
                      const QList<QRectF>& outlines, double scale) {
    painter.save();
    painter.scale(scale, scale);
    painter.translate(-paperRect.topLeft());
    painter.fillRect(paperRect, Qt::white);
    // The outlines are drawn first, faint and one pixel wide, so that the page's own
    // output stands over them.
    painter.save();
    QPen outline(QColor(120, 160, 220, 110));
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    for (const QRectF& rect : outlines)
        painter.drawRect(rect);
    painter.restore();
    // The picture holds the changes of the painter's state it was painted with, not the
    // state it started from: it replays on the state of a new painter. It was painted in
    // device units of its own resolution.
    painter.setPen(QPen());
    painter.setBrush(QBrush());
    painter.setFont(QFont());
    painter.scale(1440.0 / page.logicalDpiX(), 1440.0 / page.logicalDpiY());
    painter.drawPicture(0, 0, page);
    painter.restore();
}

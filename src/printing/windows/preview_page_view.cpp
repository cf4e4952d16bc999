#include "printing/windows/preview_page_view.h"

#include "printing/preview_pages.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
// The grey around the sheet, in pixels.
constexpr int kBorder = 12;
} // namespace

PreviewPageView::PreviewPageView(QWidget* parent) : QWidget(parent) {
    setObjectName("PageView");
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(grey);
}

void PreviewPageView::SetOutlines(const QList<QRectF>& outlines) {
    m_outlines = outlines;
    update();
}

void PreviewPageView::ShowPage(int page) {
    m_page = page;
    update();
}

void PreviewPageView::SetZoom(double zoom) {
    m_zoom = zoom;
    resize(sizeHint());
    updateGeometry();
    update();
}

double PreviewPageView::Scale() const {
    return m_zoom * logicalDpiX() / 1440.0;
}

QSizeF PreviewPageView::SheetPixels(double zoom) const {
    const QSizeF sheet = m_pages ? m_pages->PaperRect().size() : QSizeF(12240, 15840);
    return sheet * (zoom * logicalDpiX() / 1440.0);
}

double PreviewPageView::ZoomToFit(const QSize& room, bool widthOnly) const {
    const QSizeF atOne = SheetPixels(1);
    const double across = (room.width() - 2 * kBorder) / atOne.width();
    const double down = (room.height() - 2 * kBorder) / atOne.height();
    return std::max(0.05, widthOnly ? across : std::min(across, down));
}

QSize PreviewPageView::sizeHint() const {
    return (SheetPixels(m_zoom) + QSizeF(2 * kBorder, 2 * kBorder)).toSize();
}

void PreviewPageView::paintEvent(QPaintEvent*) {
    if (!m_pages || m_page < 0 || m_page >= m_pages->CompletedPages())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF sheet = SheetPixels(m_zoom);
    // The sheet stands in the middle when the view is wider than it.
    const double left = std::max<double>(kBorder, (width() - sheet.width()) / 2);
    painter.translate(left, kBorder);
    painter.fillRect(QRectF(QPointF(3, 3), sheet), QColor(60, 60, 60)); // its shadow
    PaintPreviewPage(painter, m_pages->Page(m_page), m_pages->PaperRect(), m_outlines, Scale());
}

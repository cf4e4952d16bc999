#include "printing/painter_printer.h"

#include "app/messages.h"
#include "printing/page_device.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

PainterPrinter::PainterPrinter(std::unique_ptr<PageDevice> device)
    : PrinterObject(DefaultFontName(), 10), m_device(std::move(device)) {}

PainterPrinter::~PainterPrinter() {
    // A document still open when the printer goes away is not handed over half done.
    if (m_painter && m_painter->isActive()) {
        m_device->AbortDocument();
        m_painter->end();
        m_device->CloseDocument(false);
    }
}

QString PainterPrinter::DefaultFontName() {
    return QFontInfo(QFont()).family();
}

QString PainterPrinter::DeviceName() const {
    return m_device->DeviceName();
}

QStringList PainterPrinter::Fonts() const {
    QStringList fonts;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family))
            fonts << family;
    return fonts;
}

double PainterPrinter::PageWidth() const {
    return m_device->PrintableSize().width();
}

double PainterPrinter::PageHeight() const {
    return m_device->PrintableSize().height();
}

QRectF PainterPrinter::PaperRect() const {
    return m_device->PaperRect();
}

bool PainterPrinter::RunCancelled() const {
    return m_device->RunCancelled();
}

bool PainterPrinter::ForScreen() const {
    return m_device->ForScreen();
}

QFont PainterPrinter::CurrentFont() const {
    QFont font(FontName());
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(FontSize() * 20))));
    font.setBold(FontBold());
    font.setItalic(FontItalic());
    font.setUnderline(FontUnderline());
    font.setStrikeOut(FontStrikethru());
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

double PainterPrinter::MeasureWidth(const QString& line) const {
    return Metrics().horizontalAdvance(line);
}

double PainterPrinter::LineHeight() const {
    return Metrics().lineSpacing();
}

bool PainterPrinter::StartDocument() {
    m_target = m_device->OpenDocument();
    if (!m_target)
        return false;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_target)) {
        m_painter.reset();
        m_device->CloseDocument(false);
        m_target = nullptr;
        InfoBox(QStringLiteral("Couldn't start printing on %1.").arg(DeviceName()));
        return false;
    }
    SetUpPainter();
    return true;
}

void PainterPrinter::SetUpPainter() {
    QPaintDevice* target = m_painter->device();
    m_painter->resetTransform();
    m_painter->scale(target->logicalDpiX() / 1440.0, target->logicalDpiY() / 1440.0);
    m_painter->setFont(CurrentFont());
}

void PainterPrinter::StartPage() {
    if (!m_painter)
        return;
    m_device->StartPage(*m_painter);
    if (m_painter->isActive())
        SetUpPainter();
}

void PainterPrinter::DrawText(double x, double y, const QString& line) {
    if (!m_painter)
        return;
    m_painter->setPen(Qt::black);
    m_painter->drawText(QPointF(x, y + Metrics().ascent()), line);
}

void PainterPrinter::DrawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    if (!m_painter)
        return;
    QPen pen(color, DrawWidth() * kTwipsPerDot, Qt::SolidLine, Qt::FlatCap);
    // Dots two line widths long with gaps of three, so that a thin dotted rule still reads
    // as dotted on paper.
    if (DrawStyle() == LineStyle::Dotted)
        pen.setDashPattern({2, 3});
    m_painter->setPen(pen);
    m_painter->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterPrinter::DrawRect(const QRectF& rect, const QColor& color) {
    if (m_painter)
        m_painter->fillRect(rect, color);
}

void PainterPrinter::FinishDocument(bool keep) {
    if (!m_painter)
        return;
    if (!keep)
        m_device->AbortDocument();
    m_painter->end();
    m_painter.reset();
    m_target = nullptr;
    m_device->CloseDocument(keep);
}

void PainterPrinter::StartRun(const QString& documentName) {
    m_device->StartRun(documentName);
}

const QFontMetricsF& PainterPrinter::Metrics() const {
    if (!m_metrics)
        m_metrics = std::make_unique<QFontMetricsF>(CurrentFont());
    return *m_metrics;
}

void PainterPrinter::FontChanged() {
    m_metrics.reset();
    if (m_painter)
        m_painter->setFont(CurrentFont());
}

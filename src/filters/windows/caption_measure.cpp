#include "filters/windows/caption_measure.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

namespace {

double ScreenTwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

} // namespace

CaptionMeasure::CaptionMeasure(const QFont& font)
    : PrinterObject(font.family(), font.pointSizeF() > 0 ? font.pointSizeF() : 9), m_font(font),
      m_twipsPerPixel(ScreenTwipsPerPixel()) {}

QString CaptionMeasure::DeviceName() const {
    return QStringLiteral("Screen");
}

QStringList CaptionMeasure::Fonts() const {
    return {m_font.family()};
}

double CaptionMeasure::MeasureWidth(const QString& line) const {
    return QFontMetricsF(m_font).horizontalAdvance(line) * m_twipsPerPixel;
}

double CaptionMeasure::LineHeight() const {
    return QFontMetricsF(m_font).height() * m_twipsPerPixel;
}

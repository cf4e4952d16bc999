#pragma once

#include "printing/printer_object.h"

#include <QFont>
#include <memory>

class PageDevice;
class QFontMetricsF;
class QPaintDevice;
class QPainter;

// The printer object that paints with QPainter on the pages a PageDevice hands out.
//
// Fonts are measured and drawn with a pixel size in twips (one pixel = one twip, the size in
// points times 20) and without hinting, so that the widths that layout code measures are
// the widths drawn, whatever the device's resolution; the painter scales twips to the
// device. Lines have flat ends, so a line from x1 to x2 covers exactly that stretch.
class PainterPrinter : public PrinterObject {
public:
    explicit PainterPrinter(std::unique_ptr<PageDevice> device);
    ~PainterPrinter() override;

    QString DeviceName() const override;
    QStringList Fonts() const override;
    double PageWidth() const override;
    double PageHeight() const override;
    QRectF PaperRect() const override;
    bool RunCancelled() const override;
    bool ForScreen() const override;

    // The font a new printer starts with: the family that the platform's default font
    // resolves to.
    static QString DefaultFontName();

protected:
    double MeasureWidth(const QString& line) const override;
    double LineHeight() const override;
    bool StartDocument() override;
    void StartPage() override;
    void DrawText(double x, double y, const QString& line) override;
    void DrawLine(double x1, double y1, double x2, double y2, const QColor& color) override;
    void DrawRect(const QRectF& rect, const QColor& color) override;
    void FinishDocument(bool keep) override;
    void StartRun(const QString& documentName) override;
    void FontChanged() override;

private:
    QFont CurrentFont() const;
    // The metrics of the current font, made once for each font (layout measures every
    // line it prints).
    const QFontMetricsF& Metrics() const;
    // Twips on the painter, in the current font.
    void SetUpPainter();

    std::unique_ptr<PageDevice> m_device;
    std::unique_ptr<QPainter> m_painter;
    QPaintDevice* m_target = nullptr;
    mutable std::unique_ptr<QFontMetricsF> m_metrics;
};

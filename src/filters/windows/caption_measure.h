#pragma once

#include "printing/printer_object.h"

#include <QFont>

// A printer object that prints nothing and measures text as a window shows it: in one
// font, at the screen's logical resolution, in twips. With it the report text primitives
// (FitToWidth) fit the captions of controls to a width in twips.
class CaptionMeasure : public PrinterObject {
public:
    explicit CaptionMeasure(const QFont& font);

    QString DeviceName() const override;
    QStringList Fonts() const override;
    double PageWidth() const override { return 0; }
    double PageHeight() const override { return 0; }

protected:
    double MeasureWidth(const QString& line) const override;
    double LineHeight() const override;
    bool StartDocument() override { return false; }
    void StartPage() override {}
    void DrawText(double, double, const QString&) override {}
    void DrawLine(double, double, double, double, const QColor&) override {}
    void DrawRect(const QRectF&, const QColor&) override {}
    void FinishDocument(bool) override {}
    void StartRun(const QString&) override {}

private:
    QFont m_font;
    double m_twipsPerPixel;
};

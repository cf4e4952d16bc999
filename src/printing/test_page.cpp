#include "printing/test_page.h"

#include "printing/printer_object.h"
#include "printing/printer_values.h"

namespace {
constexpr int kScaleHeight = 3000;
constexpr int kStep = 100;
constexpr double kMarkLeft = 5460;
constexpr double kLabelRight = 5360;
constexpr double kCaptionInset = 100;

// One mark of the scale, d twips above the bottom of the printable area.
void PrintScaleMark(PrinterObject& printer, int d, double length, const QString& label) {
    printer.SetDrawWidth(1);
    const double y = printer.PageHeight() - d;
    if (!label.isEmpty()) {
        printer.SetCurrentX(kLabelRight - printer.TextWidth(label));
        printer.SetCurrentY(y - printer.TextHeight(label) / 2);
        printer.Print(label);
    }
    printer.Line(kMarkLeft, y, kMarkLeft + length, y);
}

// A frame whose lines lie just inside the printable area's edges, and its caption.
void PrintPrintableAreaFrame(PrinterObject& printer) {
    printer.SetDrawWidth(1);
    const double half = kTwipsPerDot / 2;
    const double left = half;
    const double top = half;
    const double right = printer.PageWidth() - half;
    const double bottom = printer.PageHeight() - half;
    printer.Line(left, top, right, top);
    printer.Line(right, top, right, bottom);
    printer.Line(right, bottom, left, bottom);
    printer.Line(left, bottom, left, top);
    printer.SetCurrentX(kCaptionInset);
    printer.SetCurrentY(kCaptionInset);
    printer.Print(QStringLiteral("Printable area"));
}
} // namespace

void PrintTestPage(PrinterObject& printer) {
    printer.BeginRun(QStringLiteral("test page"));
    SetupPrinterFont(printer);
    printer.SetFontSize(8);
    for (int d = kStep; d <= kScaleHeight; d += kStep) {
        // The label is the number as the general conversion writes it, with a leading space
        // where a minus sign would stand.
        const QString label = QStringLiteral(" %1").arg(d);
        if (d % 1000 == 0)
            PrintScaleMark(printer, d, 300, label);
        else if (d % 500 == 0)
            PrintScaleMark(printer, d, 200, label);
        else
            PrintScaleMark(printer, d, 100, QString());
    }
    PrintPrintableAreaFrame(printer);
    printer.EndDoc();
}

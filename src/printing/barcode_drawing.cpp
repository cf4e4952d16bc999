#include "printing/barcode_drawing.h"

#include "app/value_formats.h"
#include "printing/postnet.h"
#include "printing/printer_object.h"

namespace {

bool AllDigits(const QString& text) {
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

void DrawFrameBar(PrinterObject& printer, double x, double y) {
    printer.FillRect(x, y, kFrameBarWidth, kBarcodeHeight);
}

// The five bars of one digit in its 317-twip cell.
void DrawDigit(PrinterObject& printer, int digit, double x, double y) {
    const auto bars = PostnetBars(digit);
    for (int i = 0; i < 5; ++i) {
        const double left = x + i * kBarPitch + kBarWidth;
        if (bars[size_t(i)])
            printer.FillRect(left, y, kBarWidth, kBarcodeHeight);
        else
            printer.FillRect(left, y + kBarcodeHeight - kHalfBarHeight, kBarWidth, kHalfBarHeight);
    }
}

} // namespace

double DrawBarcode(PrinterObject& printer, const QString& digits, double x, double y,
                   bool preview) {
    const QString s = digits + CheckDigit(digits);
    if (preview) {
        const QString text = BarcodePreviewText(s);
        printer.SetCurrentX(x);
        printer.SetCurrentY(y);
        printer.Print(text);
        return printer.TextWidth(text);
    }
    if (digits.isEmpty() || !AllDigits(digits))
        return 0;
    const double left = x;
    DrawFrameBar(printer, x, y);
    x += kFrameBarWidth;
    for (QChar c : s) {
        DrawDigit(printer, c.unicode() - '0', x, y);
        x += kBarcodeDigitWidth;
    }
    x += kFrameBarWidth;
    DrawFrameBar(printer, x, y);
    return x + kFrameBarWidth - left;
}

double DrawZip5Barcode(PrinterObject& printer, const QString& zip, double x, double y) {
    const QString digits = Zip5BarcodeDigits(zip);
    return digits.isEmpty() ? 0 : DrawBarcode(printer, digits, x, y, false);
}

double DrawZip9Barcode(PrinterObject& printer, const QString& zip, double x, double y) {
    const QString digits = Zip9BarcodeDigits(zip);
    return digits.isEmpty() ? 0 : DrawBarcode(printer, digits, x, y, false);
}

double DrawDeliveryPointBarcode(PrinterObject& printer, const QString& zip, const QString& address,
                                const QString& dpOverride, double x, double y, bool preview) {
    if (LeadingNumber(zip.right(4)) == 0)
        return DrawZip5Barcode(printer, zip, x, y); // no Zip+4 extension: no delivery point
    return DrawBarcode(printer, DeliveryPointBarcodeDigits(zip, address, dpOverride), x, y,
                       preview);
}

#include "printing/intelligent_mail_drawing.h"

#include "printing/printer_object.h"

double DrawIntelligentMailBars(PrinterObject& printer, const ImbBars& bars, double x, double y) {
    for (int i = 0; i < kImbBarCount; ++i) {
        const ImbBar bar = bars[size_t(i)];
        const bool up = bar == ImbBar::Full || bar == ImbBar::Ascender;
        const bool down = bar == ImbBar::Full || bar == ImbBar::Descender;
        const double top = up ? y : y + kImbPartHeight;
        const double bottom = down ? y + kImbFullHeight : y + 2 * kImbPartHeight;
        printer.FillRect(x + i * kImbBarPitch, top, kImbBarWidth, bottom - top);
    }
    return kImbBarcodeWidth;
}

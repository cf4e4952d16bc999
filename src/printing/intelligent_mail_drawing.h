#pragma once

#include "printing/intelligent_mail.h"

class PrinterObject;

// Drawing Intelligent Mail barcodes on the printer, in twips, at the densest pitch the
// Postal Service allows, 24 bars per inch, so that the 65 bars (2.69 inches) fit a label
// 2 5/8 inches wide as nearly as they can. Each bar is 0.02 inch wide. Its height is
// made of three equal parts of 70 twips: the tracker in the middle (0.049 inch), the
// ascender part above it and the descender part below; a full bar has all three (0.146
// inch), an ascender or descender bar two (0.097 inch).
constexpr double kImbBarPitch = 1440.0 / 24;
constexpr double kImbBarWidth = 1440 * 0.02;
constexpr double kImbPartHeight = 70;
constexpr double kImbFullHeight = 3 * kImbPartHeight;
constexpr double kImbTrackerHeight = kImbPartHeight;
constexpr double kImbAscenderHeight = 2 * kImbPartHeight;
// From the left edge of the first bar to the right edge of the last.
constexpr double kImbBarcodeWidth = (kImbBarCount - 1) * kImbBarPitch + kImbBarWidth;

// Draws the bars, left to right, as filled rectangles; (x, y) is the top left corner of
// the barcode, the top of its full bars. Returns the width drawn, kImbBarcodeWidth.
double DrawIntelligentMailBars(PrinterObject& printer, const ImbBars& bars, double x, double y);

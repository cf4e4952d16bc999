#pragma once

#include <QString>

class PrinterObject;

// Drawing POSTNET bar codes on the printer. Each digit is five bars on a 63.4-twip pitch,
// 317 twips in all; a bar is 31.7 twips wide and stands in the right half of its cell. Full
// bars are 183 twips (0.127 inch) high, half bars 8/19 of that, sharing the full bars'
// bottom edge. A frame bar, 32 x 183 twips, opens and closes the code. Positions are the
// top left corner of the code, in twips.
constexpr double kBarcodeHeight = 183;
constexpr double kHalfBarHeight = kBarcodeHeight * 8 / 19;
constexpr double kFrameBarWidth = 32;
constexpr double kBarcodeDigitWidth = 317;
constexpr double kBarPitch = kBarcodeDigitWidth / 5;
constexpr double kBarWidth = kBarPitch / 2;

// Each function returns the width of what it drew, in twips (0 when it drew nothing).

// Draws the digits followed by their check digit. In preview the digits are printed as
// one line of text in the printer's current font instead ("12345-6789 55 5"). Digits that
// are not all 0-9 (an international zip, say) give no bars: a bar code must never claim
// digits the text does not hold.
double DrawBarcode(PrinterObject& printer, const QString& digits, double x, double y, bool preview);

// The bar code of the zip's first five digits; nothing for a zip without numeric value.
double DrawZip5Barcode(PrinterObject& printer, const QString& zip, double x, double y);
// The bar code of the nine-digit zip, or of its first five digits when the extension is
// 0000; nothing for a zip without numeric value.
double DrawZip9Barcode(PrinterObject& printer, const QString& zip, double x, double y);
// The bar code of the nine-digit zip and the record's delivery point (its override when
// set, else the digits taken from its street address); the five-digit code for a zip
// without extension.
double DrawDeliveryPointBarcode(PrinterObject& printer, const QString& zip, const QString& address,
                                const QString& dpOverride, double x, double y, bool preview);

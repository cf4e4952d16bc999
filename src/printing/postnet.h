#pragma once

#include <QString>
#include <array>

// POSTNET, the bar code of the United States Postal Service for zip codes: the digits to
// encode, the check digit and the delivery-point digits taken from a street address.
// Positions count from 1, as in the address texts they describe.

// The check digit: brings the sum of all digits to a multiple of ten.
QChar CheckDigit(const QString& digits);

// The two delivery-point digits of a street address: the number after a unit keyword
// ("APT", "BLDG", ..., "BOX"), else the first number, else "99".
QString DeliveryPointDigits(const QString& address);
// The position of the first digit after a keyword that starts the text or follows a space,
// or 0 when the keyword is not followed by a number.
int NumberAfterKeyword(const QString& text, const QString& keyword);
// From position n, past spaces: the position of a digit, 0 for another character, -1 at
// the end of the text.
int FirstDigitAfter(const QString& text, int n);
// The last two digits of the number starting at position p ("0" and the digit for a
// one-digit number; "99" after a fraction or past the end).
QString TwoDigits(const QString& text, int p);

// The five bars of a digit, true for a full bar and false for a half bar (weights 7-4-2-1-0).
std::array<bool, 5> PostnetBars(int digit);

// The digits a label's bar code encodes (without the check digit), by the form chosen:
// empty when nothing is to be drawn.
QString Zip5BarcodeDigits(const QString& zip);
QString Zip9BarcodeDigits(const QString& zip);
// The delivery-point digits of a record: its override when not empty, else the digits
// computed from its address.
QString DeliveryPointOf(const QString& address, const QString& dpOverride);
QString DeliveryPointBarcodeDigits(const QString& zip, const QString& address,
                                   const QString& dpOverride);
// The preview line of a delivery-point bar code: "12345-6789 55 5".
QString BarcodePreviewText(const QString& digitsWithCheck);

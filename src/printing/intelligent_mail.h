#pragma once

#include <QString>
#include <array>

// The Intelligent Mail barcode of the United States Postal Service: 65 bars, each in one of
// four states, that encode a 20-digit tracking code (barcode identifier, service type,
// mailer ID and serial number) and a routing code (the zip: none, 5, 9 or 11 digits).
// The encoding itself is libzint's.

// The state of one bar: the tracker (the short middle part) alone, with the part above it
// (ascender), with the part below it (descender), or both (full bar).
enum class ImbBar { Tracker, Ascender, Descender, Full };

constexpr int kImbBarCount = 65;
using ImbBars = std::array<ImbBar, kImbBarCount>;

// The bars of a tracking code and a routing code (which may be empty), left to right.
// False, with libzint's reason in error, when they cannot be encoded.
bool EncodeIntelligentMail(const QString& tracking, const QString& routing, ImbBars& bars,
                           QString& error);

// The bars as the letters the Postal Service writes them in: "F" full, "A" ascender,
// "D" descender, "T" tracker.
QString ImbBarLetters(const ImbBars& bars);

// The routing code of a record: the 5-digit zip, the 9-digit zip when its +4 is not 0000,
// and with deliveryPoint (for a zip with +4) also the delivery-point digits: the
// record's override when set, else the digits taken from its street address. Empty for a
// zip without numeric value.
QString ImbRoutingCode(const QString& zip, const QString& address, const QString& dpOverride,
                       bool deliveryPoint);

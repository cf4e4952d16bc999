#pragma once

#include <QString>

// What the Intelligent Mail barcodes of every label run share: the tracking code's fixed
// parts, the serial number the next label takes and the form of the routing code. They
// are kept in the per-user settings store, section "IntelligentMail".
struct IntelligentMailSettings {
    QString barcodeIdentifier = QStringLiteral("00"); // 2 digits, the second 0-4
    QString serviceType;                              // Service Type Identifier: 3 digits
    QString mailerId;                                 // 6 digits (0-8 first) or 9 (9 first)
    qint64 nextSerial = 1;                            // the serial number of the next label
    bool deliveryPointRouting = false; // 11-digit routing codes with the delivery point
};

IntelligentMailSettings ReadIntelligentMailSettings();
void SaveIntelligentMailSettings(const IntelligentMailSettings& settings);
// Stores only the serial number the next label takes (after a run).
void SaveNextImbSerial(qint64 serial);

// Each check gives an empty text for a good value, else a message that tells what is
// allowed. Values are checked as they are, without trimming.
QString CheckBarcodeIdentifier(const QString& text);
QString CheckServiceType(const QString& text);
QString CheckMailerId(const QString& text);
// The serial number as typed, for a (good) Mailer ID: up to as many digits as its serial
// has.
QString CheckSerialNumber(const QString& text, const QString& mailerId);
// The first problem of a complete set of settings, in the order of the window's boxes;
// empty when they can make barcodes.
QString CheckIntelligentMailSettings(const IntelligentMailSettings& settings);

// The digits of the serial number that go with a Mailer ID: 9 with a 6-digit Mailer ID,
// 6 with a 9-digit one.
int SerialDigits(const QString& mailerId);
// The largest serial number: 999999999 or 999999.
qint64 LargestSerial(const QString& mailerId);
// The serial number after this one: 0 after the largest.
qint64 FollowingSerial(qint64 serial, const QString& mailerId);
// The 20-digit tracking code of a label with that serial number.
QString ImbTrackingCode(const IntelligentMailSettings& settings, qint64 serial);

#pragma once

#include <QString>

// What the "Delivery Point Digits" window shows for a record.
struct DeliveryPointValues {
    QString zip;           // the zip as shown: "12345-6789"
    QString deliveryPoint; // the two delivery-point digits of the bar code
    QString checkDigit;    // the bar code's check digit
};

// The values of a record with that stored zip, street address and override: the digits
// encoded are the zip, the delivery point (the override when set, else the digits taken
// from the address) and the check digit.
DeliveryPointValues ComputeDeliveryPoint(const QString& zip, const QString& address,
                                         const QString& dpOverride);

// An override as typed, trimmed; empty clears the override.
QString CleanDeliveryPointOverride(const QString& typed);
// True for an override that makes a readable bar code: empty, or exactly two digits.
bool ValidDeliveryPointOverride(const QString& cleaned);
// Why an override was refused.
QString InvalidOverrideMessage();

#include "printing/delivery_point_values.h"

#include "app/value_formats.h"
#include "printing/postnet.h"

DeliveryPointValues ComputeDeliveryPoint(const QString& zip, const QString& address,
                                         const QString& dpOverride) {
    const QString digits = zip + DeliveryPointOf(address, dpOverride);
    const QString s = digits + CheckDigit(digits);
    DeliveryPointValues values;
    values.zip = FormatZip(zip);
    values.deliveryPoint = s.mid(9, 2);
    values.checkDigit = s.right(1);
    return values;
}

QString CleanDeliveryPointOverride(const QString& typed) {
    return typed.trimmed();
}

bool ValidDeliveryPointOverride(const QString& cleaned) {
    if (cleaned.isEmpty())
        return true;
    return cleaned.size() == 2 && cleaned.at(0).isDigit() && cleaned.at(1).isDigit() &&
           cleaned.at(0).unicode() < 128 && cleaned.at(1).unicode() < 128;
}

QString InvalidOverrideMessage() {
    return QStringLiteral("The delivery point override must be two digits (0-9), or empty to "
                          "use the digits taken from the address.");
}

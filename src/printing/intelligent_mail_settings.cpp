#include "printing/intelligent_mail_settings.h"

#include "app/settings.h"

namespace {

const QString kSection = QStringLiteral("IntelligentMail");

bool AllDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

IntelligentMailSettings ReadIntelligentMailSettings() {
    IntelligentMailSettings settings;
    settings.barcodeIdentifier =
        GetSetting(kSection, "BarcodeIdentifier", settings.barcodeIdentifier).trimmed();
    settings.serviceType = GetSetting(kSection, "ServiceTypeIdentifier", QString()).trimmed();
    settings.mailerId = GetSetting(kSection, "MailerID", QString()).trimmed();
    const QString serial = GetSetting(kSection, "NextSerialNumber", QString()).trimmed();
    bool ok = false;
    const qint64 value = serial.toLongLong(&ok);
    // A number that is not one is kept as -1, for the check to refuse; never silently 0.
    settings.nextSerial = serial.isEmpty() ? settings.nextSerial : ok ? value : -1;
    settings.deliveryPointRouting = GetFlagSetting(kSection, "DeliveryPointRouting");
    return settings;
}

void SaveIntelligentMailSettings(const IntelligentMailSettings& settings) {
    SaveSetting(kSection, "BarcodeIdentifier", settings.barcodeIdentifier);
    SaveSetting(kSection, "ServiceTypeIdentifier", settings.serviceType);
    SaveSetting(kSection, "MailerID", settings.mailerId);
    SaveNextImbSerial(settings.nextSerial);
    SaveFlagSetting(kSection, "DeliveryPointRouting", settings.deliveryPointRouting);
}

void SaveNextImbSerial(qint64 serial) {
    SaveSetting(kSection, "NextSerialNumber", QString::number(serial));
}

QString CheckBarcodeIdentifier(const QString& text) {
    if (text.size() == 2 && AllDigits(text) && text.at(1) <= QLatin1Char('4'))
        return QString();
    return QStringLiteral("The Barcode Identifier must be two digits, the second of them 0 to 4 "
                          "(00 when the mail carries no optional endorsement line).");
}

QString CheckServiceType(const QString& text) {
    if (text.size() == 3 && AllDigits(text))
        return QString();
    return QStringLiteral("The Service Type Identifier must be three digits (the service of "
                          "the mail, such as 300 for First-Class Mail without extra services).");
}

QString CheckMailerId(const QString& text) {
    // The first digit tells a reader how long the Mailer ID is: 9 starts the nine-digit
    // ones only.
    if (AllDigits(text) && ((text.size() == 6 && text.at(0) != QLatin1Char('9')) ||
                            (text.size() == 9 && text.at(0) == QLatin1Char('9'))))
        return QString();
    return QStringLiteral("The Mailer ID must be six digits starting with 0 to 8, or nine "
                          "digits starting with 9, as the Postal Service assigned it.");
}

namespace {

QString SerialRangeMessage(const QString& mailerId) {
    const int digits = SerialDigits(mailerId);
    return QStringLiteral("The next serial number must be a whole number from 0 to %1 (%2 "
                          "digits with a %3-digit Mailer ID).")
        .arg(LargestSerial(mailerId))
        .arg(digits)
        .arg(mailerId.size() == 9 ? 9 : 6);
}

} // namespace

QString CheckSerialNumber(const QString& text, const QString& mailerId) {
    if (AllDigits(text) && text.size() <= SerialDigits(mailerId))
        return QString();
    return SerialRangeMessage(mailerId);
}

QString CheckIntelligentMailSettings(const IntelligentMailSettings& settings) {
    for (const QString& problem :
         {CheckBarcodeIdentifier(settings.barcodeIdentifier),
          CheckServiceType(settings.serviceType), CheckMailerId(settings.mailerId)})
        if (!problem.isEmpty())
            return problem;
    if (settings.nextSerial < 0 || settings.nextSerial > LargestSerial(settings.mailerId))
        return SerialRangeMessage(settings.mailerId);
    return QString();
}

int SerialDigits(const QString& mailerId) {
    return mailerId.size() == 9 ? 6 : 9;
}

qint64 LargestSerial(const QString& mailerId) {
    return SerialDigits(mailerId) == 6 ? 999999 : 999999999;
}

qint64 FollowingSerial(qint64 serial, const QString& mailerId) {
    return serial >= LargestSerial(mailerId) ? 0 : serial + 1;
}

QString ImbTrackingCode(const IntelligentMailSettings& settings, qint64 serial) {
    const int digits = SerialDigits(settings.mailerId);
    return settings.barcodeIdentifier + settings.serviceType + settings.mailerId +
           QStringLiteral("%1").arg(serial, digits, 10, QLatin1Char('0'));
}

#include "printing/intelligent_mail_settings.h"

#include "app/settings.h"
#include "support/test_environment.h"

using IntelligentMailSettingsTest = LettrinoTest;

TEST_F(IntelligentMailSettingsTest, EachValueIsCheckedAndTheMessageSaysWhatIsAllowed) {
    for (const char* good : {"00", "04", "10", "94"})
        EXPECT_EQ(CheckBarcodeIdentifier(good), "") << good;
    for (const char* bad : {"", "0", "05", "09", "000", "a0", " 0"}) {
        const QString message = CheckBarcodeIdentifier(bad);
        EXPECT_TRUE(message.contains("two digits") && message.contains("0 to 4")) << bad;
    }
    for (const char* good : {"300", "040", "000"})
        EXPECT_EQ(CheckServiceType(good), "") << good;
    for (const char* bad : {"", "30", "3000", "3a0"})
        EXPECT_TRUE(CheckServiceType(bad).contains("three digits")) << bad;
    // A six-digit Mailer ID never starts with 9; a nine-digit one always does.
    for (const char* good : {"123456", "000001", "899999", "912345678"})
        EXPECT_EQ(CheckMailerId(good), "") << good;
    for (const char* bad : {"", "12345", "1234567", "12345678", "923456", "123456789", "12345a"}) {
        const QString message = CheckMailerId(bad);
        EXPECT_TRUE(message.contains("six digits") && message.contains("nine")) << bad;
    }
    // The serial number has nine digits with a six-digit Mailer ID and six with a nine-digit.
    EXPECT_EQ(CheckSerialNumber("0", "123456"), "");
    EXPECT_EQ(CheckSerialNumber("999999999", "123456"), "");
    EXPECT_EQ(CheckSerialNumber("999999", "912345678"), "");
    for (const char* bad : {"", "-1", "1.5", "1234567"})
        EXPECT_TRUE(CheckSerialNumber(bad, "912345678").contains("0 to 999999 (6 digits")) << bad;
    EXPECT_TRUE(CheckSerialNumber("1000000000", "123456").contains("0 to 999999999 (9 digits"));
}

TEST_F(IntelligentMailSettingsTest, CompleteSettingsAreCheckedInTheOrderOfTheWindow) {
    IntelligentMailSettings settings;
    settings.barcodeIdentifier = "05";
    EXPECT_EQ(CheckIntelligentMailSettings(settings), CheckBarcodeIdentifier("05"));
    settings.barcodeIdentifier = "00";
    EXPECT_EQ(CheckIntelligentMailSettings(settings), CheckServiceType(""));
    settings.serviceType = "300";
    EXPECT_EQ(CheckIntelligentMailSettings(settings), CheckMailerId(""));
    settings.mailerId = "912345678";
    settings.nextSerial = 1000000; // one past the largest six-digit serial
    EXPECT_EQ(CheckIntelligentMailSettings(settings), CheckSerialNumber("1000000", "912345678"));
    settings.nextSerial = 999999;
    EXPECT_EQ(CheckIntelligentMailSettings(settings), "");
    settings.nextSerial = -1;
    EXPECT_FALSE(CheckIntelligentMailSettings(settings).isEmpty());
}

TEST_F(IntelligentMailSettingsTest, TrackingCodeAndSerialNumbersWrapAtTheLargest) {
    IntelligentMailSettings settings;
    settings.barcodeIdentifier = "00";
    settings.serviceType = "300";
    settings.mailerId = "123456";
    EXPECT_EQ(ImbTrackingCode(settings, 42), "00300123456000000042");
    EXPECT_EQ(FollowingSerial(42, "123456"), 43);
    EXPECT_EQ(FollowingSerial(999999998, "123456"), 999999999);
    EXPECT_EQ(FollowingSerial(999999999, "123456"), 0);
    settings.mailerId = "912345678";
    EXPECT_EQ(ImbTrackingCode(settings, 7), "00300912345678000007");
    EXPECT_EQ(ImbTrackingCode(settings, 999999).size(), 20);
    EXPECT_EQ(FollowingSerial(999999, "912345678"), 0);
    EXPECT_EQ(LargestSerial("912345678"), 999999);
    EXPECT_EQ(LargestSerial("123456"), 999999999);
}

TEST_F(IntelligentMailSettingsTest, StoredUnderTheirOwnSectionAndReadBack) {
    // Nothing stored yet: barcode identifier 00, serial 1, the rest to be entered.
    IntelligentMailSettings fresh = ReadIntelligentMailSettings();
    EXPECT_EQ(fresh.barcodeIdentifier, "00");
    EXPECT_EQ(fresh.serviceType, "");
    EXPECT_EQ(fresh.mailerId, "");
    EXPECT_EQ(fresh.nextSerial, 1);
    EXPECT_FALSE(fresh.deliveryPointRouting);

    IntelligentMailSettings settings;
    settings.barcodeIdentifier = "01";
    settings.serviceType = "270";
    settings.mailerId = "654321";
    settings.nextSerial = 123456789;
    settings.deliveryPointRouting = true;
    SaveIntelligentMailSettings(settings);
    EXPECT_EQ(GetSetting("IntelligentMail", "BarcodeIdentifier", ""), "01");
    EXPECT_EQ(GetSetting("IntelligentMail", "ServiceTypeIdentifier", ""), "270");
    EXPECT_EQ(GetSetting("IntelligentMail", "MailerID", ""), "654321");
    EXPECT_EQ(GetSetting("IntelligentMail", "NextSerialNumber", ""), "123456789");
    EXPECT_EQ(GetSetting("IntelligentMail", "DeliveryPointRouting", ""), "True");

    SaveNextImbSerial(5);
    const IntelligentMailSettings read = ReadIntelligentMailSettings();
    EXPECT_EQ(read.barcodeIdentifier, "01");
    EXPECT_EQ(read.serviceType, "270");
    EXPECT_EQ(read.mailerId, "654321");
    EXPECT_EQ(read.nextSerial, 5);
    EXPECT_TRUE(read.deliveryPointRouting);

    // A serial number edited into something else is refused, not taken as 0.
    SaveSetting("IntelligentMail", "NextSerialNumber", "12x");
    EXPECT_FALSE(CheckIntelligentMailSettings(ReadIntelligentMailSettings()).isEmpty());
}

#include "printing/postnet.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

TEST(Postnet, CheckDigitBringsTheSumToAMultipleOfTen) {
    EXPECT_EQ(CheckDigit("12345678955"), QLatin1Char('5'));
    EXPECT_EQ(CheckDigit("02134"), QLatin1Char('0'));
    EXPECT_EQ(CheckDigit("1"), QLatin1Char('9'));
    EXPECT_EQ(CheckDigit("12a"), QLatin1Char('7')); // a non-digit counts 0
    EXPECT_EQ(CheckDigit(""), QLatin1Char('0'));
}

TEST(Postnet, DeliveryPointDigitsFromAddresses) {
    EXPECT_EQ(DeliveryPointDigits("1204 ELM ST APT 5"), "05");
    EXPECT_EQ(DeliveryPointDigits("88 OAK AVE"), "88");
    EXPECT_EQ(DeliveryPointDigits("7 PINE RD"), "07");
    EXPECT_EQ(DeliveryPointDigits("RR 2 BOX 145"), "02");
    EXPECT_EQ(DeliveryPointDigits("PO BOX 3456"), "56");
    EXPECT_EQ(DeliveryPointDigits("12 1/2 MAIN ST"), "99");
    EXPECT_EQ(DeliveryPointDigits("MAIN STREET"), "99");
    EXPECT_EQ(DeliveryPointDigits("Apt 3, 400 Main St"), "03");
    EXPECT_EQ(DeliveryPointDigits("SUITE 200 1 MAIN"), "00");
    EXPECT_EQ(DeliveryPointDigits("55 RIVER RD"), "55");
    // "FL" also starts "FLOOR": that hit has no number after it and is passed over.
    EXPECT_EQ(DeliveryPointDigits("9 HIGH ST FLOOR 3 FL 12"), "12");
    // Lines of the address run together.
    EXPECT_EQ(DeliveryPointDigits("Acme Corp\r\nSTE 410"), "10");
    EXPECT_EQ(DeliveryPointDigits("BOX"), "99");
}

TEST(Postnet, KeywordAndDigitHelpers) {
    EXPECT_EQ(NumberAfterKeyword("APT 5", "APT"), 5);
    EXPECT_EQ(NumberAfterKeyword("1 MAIN ST", "APT"), 0);
    EXPECT_EQ(NumberAfterKeyword("1 MAIN APT", "APT"), 0); // nothing after it
    EXPECT_EQ(FirstDigitAfter("AB  7", 3), 5);
    EXPECT_EQ(FirstDigitAfter("AB  X", 3), 0);
    EXPECT_EQ(FirstDigitAfter("AB", 2), -1);
    EXPECT_EQ(TwoDigits("X 7", 3), "07");
    EXPECT_EQ(TwoDigits("145 X", 1), "45");
    EXPECT_EQ(TwoDigits("X", 5), "99");
}

TEST(Postnet, EveryDigitHasTwoFullBarsWhoseWeightsGiveTheDigit) {
    const int weights[5] = {7, 4, 2, 1, 0};
    for (int digit = 0; digit <= 9; ++digit) {
        const auto bars = PostnetBars(digit);
        int full = 0, sum = 0;
        for (int i = 0; i < 5; ++i)
            if (bars[size_t(i)]) {
                ++full;
                sum += weights[i];
            }
        EXPECT_EQ(full, 2) << digit;
        EXPECT_EQ(sum == 11 ? 0 : sum, digit) << digit;
    }
}

TEST(Postnet, DigitsEncodedForEachForm) {
    EXPECT_EQ(Zip5BarcodeDigits("021340000"), "02134");
    EXPECT_EQ(Zip5BarcodeDigits("000000000"), "");
    EXPECT_EQ(Zip9BarcodeDigits("123450000"), "12345");
    EXPECT_EQ(Zip9BarcodeDigits("123456789"), "123456789");
    EXPECT_EQ(Zip9BarcodeDigits(""), "");
    EXPECT_EQ(DeliveryPointBarcodeDigits("123456789", "55 RIVER RD", ""), "12345678955");
    EXPECT_EQ(DeliveryPointBarcodeDigits("123456789", "55 RIVER RD", "7"), "1234567897");
    EXPECT_EQ(DeliveryPointBarcodeDigits("123450000", "55 RIVER RD", ""), "12345");
    const QString s = "12345678955" + QString(CheckDigit("12345678955"));
    EXPECT_EQ(BarcodePreviewText(s), "12345-6789 55 5");
}

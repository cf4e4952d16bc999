#include "app/value_formats.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {
class ValueFormats : public ::testing::Test {
protected:
    void TearDown() override { SetInternational(false); }
};
} // namespace

TEST_F(ValueFormats, ReverseNameTurnsLastFirstRoundAndDoublesAmpersandsForCaptions) {
    EXPECT_EQ(ReverseName("Smith; John", false), "John Smith");
    EXPECT_EQ(ReverseName("Acme Corp", false), "Acme Corp");
    EXPECT_EQ(ReverseName("  Acme Corp ", false), "  Acme Corp ");
    EXPECT_EQ(ReverseName("Smith;", false), " Smith");
    EXPECT_EQ(ReverseName("Smith & Sons; Bob", false), "Bob Smith && Sons");
    EXPECT_EQ(ReverseName("Smith & Sons; Bob", true), "Bob Smith & Sons");
    EXPECT_EQ(ReverseName("  van der Linde ;  Anneke ; x", true), "Anneke ; x van der Linde");
    EXPECT_EQ(ReverseName("", false), "");
}

TEST_F(ValueFormats, PhoneDigitsKeepsTenDigitsPaddedOnTheLeft) {
    EXPECT_EQ(PhoneDigits("(555) 123-4567"), "5551234567");
    EXPECT_EQ(PhoneDigits("123-4567"), "0001234567");
    EXPECT_EQ(PhoneDigits(""), "0000000000");
    EXPECT_EQ(PhoneDigits("555.123.4567 ext 89"), "5551234567");
    // Digits of other scripts are not digits here.
    EXPECT_EQ(PhoneDigits(QString::fromUtf8("٥٥٥1")), "0000000001");
}

TEST_F(ValueFormats, FormatPhoneShowsAreaOnlyWhenItIsNotZero) {
    EXPECT_EQ(FormatPhone("5551234567"), "(555) 123-4567");
    EXPECT_EQ(FormatPhone("0001234567"), "123-4567");
    EXPECT_EQ(FormatPhone("0000000000"), "");
    EXPECT_EQ(FormatPhone(""), "");
    EXPECT_EQ(FormatPhone("0000000042"), "000-0042");
}

TEST_F(ValueFormats, ZipDigitsPadsToNineWithZerosOrNines) {
    EXPECT_EQ(ZipDigits("12345", false), "123450000");
    EXPECT_EQ(ZipDigits("12345", true), "123459999");
    EXPECT_EQ(ZipDigits("12345-6789", false), "123456789");
    EXPECT_EQ(ZipDigits("", false), "000000000");
    EXPECT_EQ(ZipDigits("1234", false), "123400000");
    EXPECT_EQ(ZipDigits("40", true), "409999999");
    EXPECT_EQ(ZipDigits("12345-6789-99", false), "123456789");
}

TEST_F(ValueFormats, FormatZipShowsFiveDigitsAndTheExtensionWhenThere) {
    EXPECT_EQ(FormatZip("123450000"), "12345");
    EXPECT_EQ(FormatZip("123456789"), "12345-6789");
    EXPECT_EQ(FormatZip("000000000"), "");
    EXPECT_EQ(FormatZip("123400000"), "12340");
    EXPECT_EQ(FormatZip("000001234"), "-1234");
    EXPECT_EQ(FormatZip(""), "");
}

TEST_F(ValueFormats, InternationalModeKeepsPhonesAndZipsAsTyped) {
    SetInternational(true);
    EXPECT_EQ(PhoneDigits("+44 20 7946 0958"), "+44 20 7946 0958");
    EXPECT_EQ(FormatPhone("+44 20 7946 0958"), "+44 20 7946 0958");
    EXPECT_EQ(FormatPhone("(020) 7946 0000"), "(020) 7946 0000");
    EXPECT_EQ(FormatPhone("020 7946 0958"), "020 7946 0958");
    EXPECT_EQ(FormatPhone("0000000000"), ""); // the national form's "no phone"
    EXPECT_EQ(ZipDigits(" SW1A 1AA ", false), "SW1A 1AA");
    EXPECT_EQ(ZipDigits("12345678901234", false), "1234567890");
    EXPECT_EQ(FormatZip("SW1A 1AA"), "SW1A 1AA");
    EXPECT_EQ(FormatZip("000000000"), "000000000");
}

TEST_F(ValueFormats, SequenceNamesCoverTheNineSortOrders) {
    EXPECT_EQ(SequenceName(0), "Name");
    EXPECT_EQ(SequenceName(3), "Zip Code");
    EXPECT_EQ(SequenceName(4), "E-Mail Address");
    EXPECT_EQ(SequenceName(5), "Phone Number");
    EXPECT_EQ(SequenceName(7), "Carrier Route");
    EXPECT_EQ(SequenceName(8), "Date Edited");
    EXPECT_EQ(SequenceName(9), "");
    EXPECT_EQ(SequenceName(-1), "");
}

TEST_F(ValueFormats, SwitchOperationsWorkPositionByPosition) {
    EXPECT_EQ(SwitchesOr("1000000000000000", "0000000000000001"), "1000000000000001");
    EXPECT_EQ(SwitchesNot("1000000000000001"), "0111111111111110");
    EXPECT_EQ(SwitchesAnd("1100000000000001", "1000000000000011"), "1000000000000001");
    // Characters other than 0 and 1 in the first string are kept where nothing sets them.
    EXPECT_EQ(SwitchesOr("x000000000000000", "0000000000000000"), "x000000000000000");
    EXPECT_EQ(SwitchesNot("   "), "111");
}

TEST_F(ValueFormats, StripTrailingLineBreakRemovesOnePair) {
    EXPECT_EQ(StripTrailingLineBreak("a\r\n\r\n"), "a\r\n");
    EXPECT_EQ(StripTrailingLineBreak("\r\n"), "");
    EXPECT_EQ(StripTrailingLineBreak("a\n"), "a\n");
    EXPECT_EQ(StripTrailingLineBreak("a"), "a");
}

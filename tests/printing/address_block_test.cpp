#include "printing/address_block.h"

#include "app/value_formats.h"
#include "database/list_record.h"
#include "printing/recording_printer.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {

ListRecord Sample() {
    ListRecord record;
    record.Name = "Smith; John & Mary";
    record.Address = "12 Main St";
    record.City = "Springfield";
    record.State = "IL";
    record.Zip = "627011234";
    record.Attention = "Accounts";
    record.Code = "VIP";
    record.CarRt = "C012";
    return record;
}

QStringList Lines(const QString& block) {
    return block.split("\r\n");
}

class AddressBlock : public ::testing::Test {
protected:
    void TearDown() override { SetInternational(false); }
};

} // namespace

TEST_F(AddressBlock, NameAndAddressMakeThreeLines) {
    const QString block = ComposeAddressBlock(Sample(), {kNameElement, kAddressElement}, false);
    EXPECT_EQ(block, "John & Mary Smith\r\n12 Main St\r\nSpringfield, IL 62701-1234");
}

TEST_F(AddressBlock, AttentionPrefixDependsOnItsPlaceInTheLayout) {
    const std::vector<int> first = {kAttentionElement, kNameElement, kAddressElement};
    const std::vector<int> second = {kNameElement, kAttentionElement, kAddressElement};
    EXPECT_FALSE(AttentionPrefixed(first));
    EXPECT_TRUE(AttentionPrefixed(second));
    EXPECT_FALSE(AttentionPrefixed({kNameElement, kAddressElement}));
    EXPECT_FALSE(AttentionPrefixed({}));
    // Twice, first and later: the later one counts.
    EXPECT_TRUE(AttentionPrefixed({kAttentionElement, kNameElement, kAttentionElement}));

    EXPECT_EQ(Lines(ComposeAddressBlock(Sample(), first, AttentionPrefixed(first))).at(0),
              "Accounts");
    EXPECT_EQ(Lines(ComposeAddressBlock(Sample(), second, AttentionPrefixed(second))).at(1),
              "Attn: Accounts");
    // An empty attention still takes its line.
    ListRecord record = Sample();
    record.Attention.clear();
    EXPECT_EQ(
        Lines(ComposeAddressBlock(record, second, true)),
        (QStringList{"John & Mary Smith", "Attn: ", "12 Main St", "Springfield, IL 62701-1234"}));
}

TEST_F(AddressBlock, StreetPartLosesATrailingCommaOrLineBreakAndKeepsItsOwnLines) {
    ListRecord record = Sample();
    record.Address = "12 Main St,";
    EXPECT_EQ(Lines(ComposeAddressBlock(record, {kAddressElement}, false)).at(0), "12 Main St");
    record.Address = "12 Main St\r\n";
    EXPECT_EQ(Lines(ComposeAddressBlock(record, {kAddressElement}, false)),
              (QStringList{"12 Main St", "Springfield, IL 62701-1234"}));
    record.Address = "Acme, Inc.\r\nSuite 4, 12 Main St";
    EXPECT_EQ(Lines(ComposeAddressBlock(record, {kAddressElement}, false)),
              (QStringList{"Acme, Inc.", "Suite 4, 12 Main St", "Springfield, IL 62701-1234"}));
}

TEST_F(AddressBlock, PlaceLineWithoutStateOrZipExtension) {
    ListRecord record = Sample();
    record.State = "  ";
    record.Zip = "627010000";
    EXPECT_EQ(Lines(ComposeAddressBlock(record, {kAddressElement}, false)).at(1),
              "Springfield 62701");
    record.Zip = "000000000";
    EXPECT_EQ(Lines(ComposeAddressBlock(record, {kAddressElement}, false)).at(1), "Springfield ");
}

TEST_F(AddressBlock, CarrierRouteEndorsementOnlyForARoute) {
    const std::vector<int> layout = {kCarrierRouteElement, kNameElement};
    ListRecord record = Sample();
    record.CarRt = "R004";
    EXPECT_EQ(Lines(ComposeAddressBlock(record, layout, false)).at(0),
              "*****************CAR-RT**R004");
    record.CarRt.clear();
    EXPECT_EQ(ComposeAddressBlock(record, layout, false), "John & Mary Smith");
}

TEST_F(AddressBlock, InternationalModeKeepsZipAndRouteAsStored) {
    SetInternational(true);
    ListRecord record = Sample();
    record.Zip = "SW1A 1AA";
    record.State.clear();
    record.City = "London";
    EXPECT_EQ(Lines(ComposeAddressBlock(
                  record, {kCarrierRouteElement, kAddressElement, kZipElement}, false)),
              (QStringList{"C012", "12 Main St", "London SW1A 1AA", "SW1A 1AA"}));
    EXPECT_EQ(AvailableLabelElements(true).back(), kZipElement);
    EXPECT_EQ(AvailableLabelElements(false).size(), 5u);
    EXPECT_EQ(LabelElementCaption(kZipElement), "Zip Code");
}

TEST_F(AddressBlock, EmptyElementsAddNoLeadingBreakAndBlankBlocksHaveNoText) {
    ListRecord record;
    record.Code = "K1";
    EXPECT_EQ(ComposeAddressBlock(record, {kNameElement, kCodeElement}, false), "K1");
    EXPECT_EQ(AppendLine(""), "");
    EXPECT_EQ(AppendLine("a"), "a\r\n");
    EXPECT_TRUE(BlockHasText("K1"));
    // An empty record gives only the blank of its place line: nothing to print.
    const QString blank = ComposeAddressBlock(ListRecord(), {kNameElement, kAddressElement}, false);
    EXPECT_FALSE(blank.isEmpty());
    EXPECT_FALSE(BlockHasText(blank));
    EXPECT_FALSE(BlockHasText(""));
}

TEST_F(AddressBlock, PrintedLineByLineFromTheLabelsLeftEdgeAtAWholeTypeSize) {
    RecordingPrinter printer;
    const PrintedBlock after =
        PrintLabelBlock(printer, 4032, 720, 10.5, "  John Smith\r\n12 Main St\nSpringfield  ");
    const auto texts = printer.OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "John Smith");
    EXPECT_EQ(texts[2].text, "Springfield");
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].x, 4032);
        EXPECT_EQ(texts[i].fontSize, 11); // 10.5 points: a whole size
        EXPECT_EQ(texts[i].y, 720 + 11 * 24 * double(i));
    }
    EXPECT_EQ(after.y, 720 + 3 * 11 * 24);
    EXPECT_FALSE(after.cut);
}

TEST_F(AddressBlock, CutToItsRoomLineByLineAndAfterTheLastLineThatFits) {
    // 11 points: characters 110 twips wide, lines 264 high. Room for six characters and
    // two lines.
    RecordingPrinter printer;
    BlockRoom room{4032 + 660, 720 + 2 * 264};
    PrintedBlock printed =
        PrintLabelBlock(printer, 4032, 720, 11, "John Smith\r\n12 Main\r\nSpringfield", room);
    EXPECT_EQ(printer.Texts(), QStringList({"John S", "12 Mai"}));
    EXPECT_TRUE(printed.cut);
    EXPECT_EQ(printed.y, 720 + 2 * 264);

    // A block that fits exactly is not cut, nor is one that leaves out only blank lines.
    printer.Clear();
    EXPECT_FALSE(PrintLabelBlock(printer, 4032, 720, 11, "John S\r\n12 Mai", room).cut);
    EXPECT_FALSE(PrintLabelBlock(printer, 4032, 720, 11, "Ann\r\n\r\n \r\n", room).cut);
    // A line that fits keeps its own spaces.
    PrintLabelBlock(printer, 4032, 720, 11, "Ann\r\n  12", room);
    EXPECT_EQ(printer.Texts().last(), "  12");
}

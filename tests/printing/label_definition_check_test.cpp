#include "printing/label_definition_check.h"

#include "database/label_record.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {
LabelDefinitionTexts Avery5160Typed() {
    return {"Avery 5160", "10", "3", "0.5", "0", "1", "2.8", "10"};
}
} // namespace

TEST(LabelDefinitionCheck, ChecksInOrderEachWithItsMessage) {
    LabelDefinitionTexts texts = Avery5160Typed();
    EXPECT_EQ(CheckLabelDefinition(texts), "");

    texts.name = "   ";
    texts.rows = "";
    EXPECT_EQ(CheckLabelDefinition(texts), "You must enter a name for this label type");
    texts.name = "Mine";
    EXPECT_EQ(CheckLabelDefinition(texts),
              "You must enter the number of rows for this label sheet");
    texts.rows = "7";
    texts.columns = "0";
    EXPECT_EQ(CheckLabelDefinition(texts),
              "You must enter the number of columns for this label sheet");
    texts.columns = "2";
    texts.rowDelta = "abc";
    EXPECT_EQ(CheckLabelDefinition(texts), "You must enter the height of a label");
    texts.rowDelta = ".5";
    texts.columnDelta = "";
    EXPECT_EQ(CheckLabelDefinition(texts), "You must enter the width of a label");
    texts.columns = "1"; // one column needs no column difference
    texts.typeSize = "0.0";
    EXPECT_EQ(CheckLabelDefinition(texts), "You must enter the type size to use with the label");
    texts.typeSize = "12";
    texts.indentTop = "";
    texts.indentLeft = "-0.25"; // indents may be 0, and a negative one passes
    EXPECT_EQ(CheckLabelDefinition(texts), "");
}

TEST(LabelDefinitionCheck, NumbersAreTheValueTheTextStartsWith) {
    EXPECT_EQ(NumericValue("  2.75 in"), 2.75);
    EXPECT_EQ(NumericValue("-0.5"), -0.5);
    EXPECT_EQ(NumericValue(".25"), 0.25);
    EXPECT_EQ(NumericValue("7."), 7);
    EXPECT_EQ(NumericValue("x7"), 0);
    EXPECT_EQ(NumericValue(""), 0);

    const LabelRecord label =
        LabelFromTexts({"  Avery 5162 ", "7", "2 cols", "0.8", "", "1.32", "4.17", "12"});
    EXPECT_EQ(label.LName, "  Avery 5162 "); // stored as typed
    EXPECT_EQ(label.LCols, 2);
    EXPECT_EQ(label.IndentLeft, 0);
    EXPECT_EQ(label.RowDelta, 1.32f);
    EXPECT_EQ(LabelNumberText(label.RowDelta), "1.32");
    EXPECT_EQ(LabelNumberText(label.LRows), "7");
    EXPECT_EQ(LabelNumberText(2.8f), "2.8");
}

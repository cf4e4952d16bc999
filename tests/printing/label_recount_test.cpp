#include "printing/label_recount.h"
#include "printing/label_sheet.h"

#include "database/label_record.h"

#include <gtest/gtest.h>

TEST(LabelRecount, FortyFiveRecordsOnA5160SheetTakeTwoSheets) {
    const LabelRecount count = RecountLabels(45, 10, 3, 1, 1, false, false);
    EXPECT_EQ(count.freePositions, 30);
    EXPECT_EQ(count.fit, 1);
    EXPECT_EQ(count.sheets, 2);
    EXPECT_EQ(count.labelsPerRecord, 1);
    EXPECT_FALSE(count.fillPageEnabled);
}

TEST(LabelRecount, FillPageIsOfferedFirstAndThenRepeatsEachRecord) {
    // Seven records fit four times on a sheet of thirty.
    LabelRecount count = RecountLabels(7, 10, 3, 1, 1, false, false);
    EXPECT_EQ(count.fit, 4);
    EXPECT_TRUE(count.fillPageEnabled);
    EXPECT_EQ(count.labelsPerRecord, 1);
    EXPECT_EQ(count.sheets, 1);
    // Checked while offered: every record four times, 28 labels on the one sheet.
    count = RecountLabels(7, 10, 3, 1, 1, true, true);
    EXPECT_EQ(count.labelsPerRecord, 4);
    EXPECT_EQ(count.sheets, 1);
    // Unchecked again.
    count = RecountLabels(7, 10, 3, 1, 1, false, true);
    EXPECT_EQ(count.labelsPerRecord, 1);
    // When the records no longer fit twice, the choice is withdrawn and cleared, so that a
    // check shown never disagrees with the labels per record.
    count = RecountLabels(16, 10, 3, 1, 1, true, true);
    EXPECT_FALSE(count.fillPageEnabled);
    EXPECT_FALSE(count.fillPageChecked);
    EXPECT_EQ(count.labelsPerRecord, 1);
}

TEST(LabelRecount, StartPositionIsClampedAndCountsTheFreePositions) {
    LabelRecount count = RecountLabels(10, 10, 3, 15, 9, false, false);
    EXPECT_EQ(count.startRow, 10);
    EXPECT_EQ(count.startColumn, 3);
    EXPECT_EQ(count.freePositions, 1);
    count = RecountLabels(10, 10, 3, 3, 2, false, false);
    EXPECT_EQ(count.freePositions, 18);
    count = RecountLabels(10, 10, 3, 0, -4, false, false);
    EXPECT_EQ(count.startRow, 1);
    EXPECT_EQ(count.startColumn, 1);
}

TEST(LabelRecount, SheetsCountWholeLaterSheetsAfterAPartFirstOne) {
    // One free position on the first sheet: 1 + 30 + 14 labels make three sheets, not 45.
    EXPECT_EQ(RecountLabels(45, 10, 3, 10, 3, false, false).sheets, 3);
    EXPECT_EQ(RecountLabels(31, 10, 3, 10, 3, false, false).sheets, 2);
    EXPECT_EQ(RecountLabels(30, 10, 3, 1, 1, false, false).sheets, 1);
    EXPECT_EQ(RecountLabels(31, 10, 3, 1, 1, false, false).sheets, 2);
    EXPECT_EQ(RecountLabels(1, 7, 2, 1, 1, false, false).sheets, 1);
}

TEST(LabelRecount, DefinitionWithoutRowsOrColumnsDoesNotDivideByZero) {
    const LabelRecount count = RecountLabels(5, 0, 0, 1, 1, false, false);
    EXPECT_EQ(count.freePositions, 1);
    EXPECT_EQ(count.sheets, 5);
}

TEST(LabelSheet, PositionsOfTheStandardSheetsInWholeTwips) {
    LabelRecord avery5160;
    avery5160.LRows = 10;
    avery5160.LCols = 3;
    avery5160.IndentTop = 0.5f;
    avery5160.RowDelta = 1;
    avery5160.ColDelta = 2.8f;
    const LabelSheet sheet(avery5160);
    EXPECT_EQ(sheet.Position(0, 0), QPoint(0, 720));
    EXPECT_EQ(sheet.Position(9, 2), QPoint(8064, 13680));
    EXPECT_EQ(sheet.Position(4, 1), QPoint(4032, 6480));

    LabelRecord avery5162;
    avery5162.LRows = 7;
    avery5162.LCols = 2;
    avery5162.IndentTop = 0.8f;
    avery5162.RowDelta = 1.32f;
    avery5162.ColDelta = 4.17f;
    const LabelSheet other(avery5162);
    EXPECT_EQ(other.Position(0, 0), QPoint(0, 1152));
    EXPECT_EQ(other.Position(6, 1), QPoint(6005, 12557)); // 8.72 in, 4.17 in
    EXPECT_TRUE(other.Usable());
    EXPECT_FALSE(LabelSheet(LabelRecord()).Usable());
}

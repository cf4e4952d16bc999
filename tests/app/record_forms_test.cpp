#include "app/record_forms.h"

#include <gtest/gtest.h>

TEST(RecordForms, LineBreaksAreCrLfInTheFileAndLfOnScreen) {
    EXPECT_EQ(StoredLines("4 Oak Ave\nApt 2"), "4 Oak Ave\r\nApt 2");
    EXPECT_EQ(ShownLines("4 Oak Ave\r\nApt 2\rRear"), "4 Oak Ave\nApt 2\nRear");
    // Text that already has CR LF is not doubled.
    EXPECT_EQ(StoredLines("a\r\nb"), "a\r\nb");
    EXPECT_EQ(StoredLength("a\nb"), 4);
    EXPECT_EQ(StoredNotes(""), " ");
    EXPECT_EQ(StoredNotes("x\ny"), "x\r\ny");
}

TEST(RecordForms, SwitchStringsHoldOneCharacterPerSwitch) {
    SwitchStates states{};
    states[0] = states[15] = true;
    EXPECT_EQ(SwitchString(states), "1000000000000001");
    EXPECT_TRUE(SwitchIsSet("0010000000000000", 2));
    EXPECT_FALSE(SwitchIsSet("0010000000000000", 3));
    EXPECT_FALSE(SwitchIsSet("001", 15)); // short strings count as off
    EXPECT_FALSE(SwitchIsSet("1111111111111111", 16));
}

#include "app/filter_choices.h"
#include "app/switch_names.h"

#include "database/connection.h"
#include "support/test_environment.h"

using ListChoices = LettrinoTest;

TEST_F(ListChoices, SwitchNamesAreReadInIdOrder) {
    const QString list = MakeList();
    auto db = Connection::Open(list);
    db->Execute("UPDATE SwitchNames SET Name = 'Switch ' || ID");
    LoadSwitchNames();
    EXPECT_EQ(SwitchNames()[0], "Switch 1");
    EXPECT_EQ(SwitchNames()[15], "Switch 16");

    // Rows missing from a damaged table leave their names empty.
    db->Execute("DELETE FROM SwitchNames WHERE ID > 14");
    LoadSwitchNames();
    EXPECT_EQ(SwitchNames()[13], "Switch 14");
    EXPECT_EQ(SwitchNames()[14], "");
}

TEST_F(ListChoices, WithoutAListTheSwitchNamesStayAsTheyWere) {
    const QString list = MakeList();
    Connection::Open(list)->Execute("UPDATE SwitchNames SET Name = 'Kept' WHERE ID = 1");
    LoadSwitchNames();
    SetCurrentList(Path("Missing.mdb"));
    LoadSwitchNames();
    m_dialogs->TakeMessage(); // couldn't find it
    EXPECT_EQ(SwitchNames()[0], "Kept");
}

TEST_F(ListChoices, FilterChoicesComeInIdOrderWithTheCurrentFilter) {
    const QString list = MakeList();
    auto db = Connection::Open(list);
    db->Execute("INSERT INTO Filter (ID, FilterName, Query) VALUES (7, 'Alpha', 'q'), "
                "(3, 'Zulu', 'q'); UPDATE Control SET CurrentFilter = 7");
    FilterChoices choices;
    ASSERT_TRUE(ReadFilterChoices(choices));
    ASSERT_EQ(choices.filters.size(), 2u);
    EXPECT_EQ(choices.filters[0].id, 3);
    EXPECT_EQ(choices.filters[0].name, "Zulu");
    EXPECT_EQ(choices.filters[1].name, "Alpha");
    EXPECT_EQ(choices.currentFilter, 7);

    SetCurrentList("NO--DB");
    EXPECT_FALSE(ReadFilterChoices(choices));
    m_dialogs->ExpectMessage("Please select a mailing list to open.");
    EXPECT_EQ(choices.filters.size(), 2u);
}

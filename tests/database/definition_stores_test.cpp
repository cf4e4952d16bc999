#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/label_core.h"
#include "database/label_record.h"
#include "database/switch_core.h"
#include "database/template_core.h"
#include "database/template_record.h"

#include "database/connection.h"
#include "support/test_environment.h"

#include <QDate>

namespace {

class DefinitionStoresTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
    }

    static FilterRecord Filter(const QString& name) {
        FilterRecord f;
        f.FilterName = name;
        f.StartPhone = f.EndPhone = "0000000000";
        f.Query = "SELECT * FROM [List] ORDER BY [Name];";
        return f;
    }

    static QStringList FilterNames(FilterCore& store) {
        QStringList names;
        if (store.Records() == 0 || !store.FirstRecord())
            return names;
        do
            names << store.FilterName();
        while (store.MoveUp());
        return names;
    }

    QString m_path;
};

TEST_F(DefinitionStoresTest, AFilterRoundTripsEveryField) {
    FilterRecord f = Filter("Everything");
    f.StartName = "A";
    f.EndName = "M";
    f.StartCity = "Albany";
    f.EndCity = "Boston";
    f.StartState = "MA";
    f.EndState = "NY";
    f.StartZip = "010000000";
    f.EndZip = "029999999";
    f.StartEMail = "a@";
    f.EndEMail = "z@";
    f.StartPhone = "6170000000";
    f.EndPhone = "6179999999";
    f.StartCode = "C1";
    f.EndCode = "C9";
    f.StartCarRt = "R001";
    f.EndCarRt = "R099";
    f.StartDate = QDate(2002, 3, 7);
    f.EndDate = QDate(2024, 12, 31);
    f.OrSelect = "1000000000000000";
    f.AndSelect = "0100000000000000";
    f.AndReject = "0010000000000000";
    f.OrReject = "0001000000000000";
    f.Marked = 1;
    f.Imported = 1;
    f.Sequence = 7;
    f.Query = "SELECT * FROM [List] WHERE [Name] >= 'O''Brien' ORDER BY [CarRt];";
    {
        FilterCore store;
        ASSERT_TRUE(store.NewRecord(f));
    }
    FilterCore store;
    EXPECT_EQ(store.Records(), 1);
    EXPECT_EQ(store.FilterName(), "Everything");
    EXPECT_EQ(store.StartName(), "A");
    EXPECT_EQ(store.EndName(), "M");
    EXPECT_EQ(store.StartCity(), "Albany");
    EXPECT_EQ(store.EndCity(), "Boston");
    EXPECT_EQ(store.StartState(), "MA");
    EXPECT_EQ(store.EndState(), "NY");
    EXPECT_EQ(store.StartZip(), "010000000");
    EXPECT_EQ(store.EndZip(), "029999999");
    EXPECT_EQ(store.StartEMail(), "a@");
    EXPECT_EQ(store.EndEMail(), "z@");
    EXPECT_EQ(store.StartPhone(), "6170000000");
    EXPECT_EQ(store.EndPhone(), "6179999999");
    EXPECT_EQ(store.StartCode(), "C1");
    EXPECT_EQ(store.EndCode(), "C9");
    EXPECT_EQ(store.StartCarRt(), "R001");
    EXPECT_EQ(store.EndCarRt(), "R099");
    EXPECT_EQ(store.StartDate(), QDate(2002, 3, 7));
    EXPECT_EQ(store.EndDate(), QDate(2024, 12, 31));
    EXPECT_EQ(store.OrSelect(), "1000000000000000");
    EXPECT_EQ(store.AndSelect(), "0100000000000000");
    EXPECT_EQ(store.AndReject(), "0010000000000000");
    EXPECT_EQ(store.OrReject(), "0001000000000000");
    EXPECT_EQ(store.Marked(), 1);
    EXPECT_EQ(store.Imported(), 1);
    EXPECT_EQ(store.Sequence(), 7);
    EXPECT_EQ(store.Query(), f.Query);

    // Dates left out are stored as the zero date and read as no date.
    FilterRecord undated = Filter("Undated");
    ASSERT_TRUE(store.NewRecord(undated));
    EXPECT_EQ(store.StartDate(), QDate());
    EXPECT_EQ(Connection::Open(m_path)->QueryText("SELECT EndDate FROM Filter WHERE FilterName "
                                                  "= 'Undated'"),
              "1899-12-30");
}

TEST_F(DefinitionStoresTest, AnEmptyFilterStoreSaysSo) {
    FilterCore store;
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
    EXPECT_EQ(store.FilterName(), QString());
    m_dialogs->ExpectMessage("No current Filter record", "Lettrino");
    EXPECT_FALSE(store.FirstRecord());
    m_dialogs->ExpectMessage("There are no Filter records.", "Lettrino");
    EXPECT_FALSE(store.MoveToName("Any", false));
    m_dialogs->ExpectMessage("There are no Filter records.");
    EXPECT_FALSE(store.UpdateRecord(Filter("X")));
    m_dialogs->ExpectMessage("No current Filter record");
}

TEST_F(DefinitionStoresTest, FiltersWalkInNameOrderOrIdOrderAndAreFoundByName) {
    FilterCore store;
    for (const char* name : {"Zone", "alpha", "Mid", "Beta"})
        ASSERT_TRUE(store.NewRecord(Filter(name)));
    EXPECT_EQ(FilterNames(store), QStringList({"alpha", "Beta", "Mid", "Zone"}));
    EXPECT_EQ(store.FilterName(), "Zone"); // MoveUp past the last stays on it
    store.SetIndex("ID");
    EXPECT_EQ(FilterNames(store), QStringList({"Zone", "alpha", "Mid", "Beta"}));
    store.SetIndex("Sequence"); // no such index: still ID order
    EXPECT_EQ(FilterNames(store), QStringList({"Zone", "alpha", "Mid", "Beta"}));

    EXPECT_TRUE(store.MoveToName("MID", true)); // selects the name index again
    EXPECT_EQ(store.FilterName(), "Mid");
    EXPECT_TRUE(store.MoveUp());
    EXPECT_EQ(store.FilterName(), "Zone");
    EXPECT_TRUE(store.MoveToName("b", false));
    EXPECT_EQ(store.FilterName(), "Beta");
    EXPECT_FALSE(store.MoveToName("Bet", true));
    EXPECT_FALSE(store.MoveToName("zz", false));
    EXPECT_EQ(store.FilterName(), "Beta");
}

TEST_F(DefinitionStoresTest, AnUnknownFilterIdKeepsTheCurrentFilterAndTheNameOrder) {
    FilterCore store;
    for (const char* name : {"Cee", "Ay", "Bee"})
        ASSERT_TRUE(store.NewRecord(Filter(name)));
    ASSERT_TRUE(store.MoveToName("Bee", true));
    const qint64 bee = store.ID();
    store.SetID(999);
    m_dialogs->ExpectMessage("Invalid ID sent to FilterCore", "Lettrino");
    EXPECT_EQ(store.ID(), bee);
    EXPECT_TRUE(store.MoveUp());
    EXPECT_EQ(store.FilterName(), "Cee");
    store.SetID(bee);
    EXPECT_EQ(store.FilterName(), "Bee");
}

TEST_F(DefinitionStoresTest, DeletingAFilterAsksFirst) {
    FilterCore store;
    for (const char* name : {"Ay", "Bee", "Cee"})
        ASSERT_TRUE(store.NewRecord(Filter(name)));
    ASSERT_TRUE(store.MoveToName("Bee", true));
    m_dialogs->AnswerNo();
    EXPECT_FALSE(store.DeleteRecord());
    ASSERT_EQ(m_dialogs->Questions().size(), 1u);
    EXPECT_EQ(m_dialogs->Questions()[0].text, "Are you sure?");
    EXPECT_EQ(m_dialogs->Questions()[0].title, "Checking");
    EXPECT_EQ(store.Records(), 3);

    m_dialogs->AnswerYes();
    EXPECT_TRUE(store.DeleteRecord());
    EXPECT_EQ(store.FilterName(), "Cee");
    m_dialogs->AnswerYes();
    EXPECT_TRUE(store.DeleteRecord());
    EXPECT_EQ(store.FilterName(), "Ay");
    m_dialogs->AnswerYes();
    EXPECT_TRUE(store.DeleteRecord());
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
    m_dialogs->AnswerYes();
    EXPECT_FALSE(store.DeleteRecord());
}

TEST_F(DefinitionStoresTest, ATooLongFilterNameIsRefusedByTheEngine) {
    FilterCore store;
    ASSERT_TRUE(store.NewRecord(Filter("Kept")));
    const QString bookmark = store.CurrentBookmark();
    EXPECT_FALSE(store.NewRecord(Filter(QString(21, 'n'))));
    m_dialogs->ExpectMessage(
        "3163 The value for FilterName is too long: FilterName holds at most 20 characters.",
        "Lettrino");
    EXPECT_EQ(store.CurrentBookmark(), bookmark);
    EXPECT_EQ(store.Records(), 1);
    EXPECT_FALSE(store.UpdateRecord(Filter(QString(21, 'n'))));
    m_dialogs->TakeMessage();
    EXPECT_EQ(store.FilterName(), "Kept");
}

TEST_F(DefinitionStoresTest, LabelLayoutsKeepTheirNumbersAndTheLastOneIsNeverDeleted) {
    LabelCore store;
    EXPECT_FALSE(store.DeleteRecord()); // none: no question
    LabelRecord r{"Avery 5160", 10, 3, 0.5f, 0.1875f, 1.0f, 2.75f, 10.5f};
    ASSERT_TRUE(store.NewRecord(r));
    EXPECT_FALSE(store.DeleteRecord()); // the only one: no question
    EXPECT_TRUE(m_dialogs->Questions().empty());
    EXPECT_EQ(store.LName(), "Avery 5160");
    EXPECT_EQ(store.LRows(), 10.0f);
    EXPECT_EQ(store.LCols(), 3.0f);
    EXPECT_EQ(store.IndentTop(), 0.5f);
    EXPECT_EQ(store.IndentLeft(), 0.1875f);
    EXPECT_EQ(store.RowDelta(), 1.0f);
    EXPECT_EQ(store.ColDelta(), 2.75f);
    EXPECT_EQ(store.LTypeSize(), 10.5f);

    // Rows and columns are whole numbers: halves go to the even neighbour.
    LabelRecord fractions{"Fractions", 2.5f, 3.5f, 0, 0, 0, 0, 0};
    ASSERT_TRUE(store.NewRecord(fractions));
    EXPECT_EQ(store.LRows(), 2.0f);
    EXPECT_EQ(store.LCols(), 4.0f);
    LabelRecord tooMany{"Too many", 300, 1, 0, 0, 0, 0, 0};
    EXPECT_FALSE(store.UpdateRecord(tooMany));
    m_dialogs->ExpectMessage("3349 The value for LRows must be a whole number from 0 to 255.");

    m_dialogs->AnswerYes();
    EXPECT_TRUE(store.DeleteRecord());
    EXPECT_EQ(store.LName(), "Avery 5160");
    EXPECT_EQ(store.Records(), 1);
}

TEST_F(DefinitionStoresTest, LabelLayoutsHaveNoNameIndexSoThatNameChangesNothing) {
    LabelCore store;
    for (const char* name : {"Zeta", "Alpha"})
        ASSERT_TRUE(store.NewRecord(LabelRecord{name, 1, 1, 0, 0, 0, 0, 0}));
    store.SetIndex("LName");
    ASSERT_TRUE(store.FirstRecord());
    EXPECT_EQ(store.LName(), "Zeta"); // still ID order
    EXPECT_TRUE(store.MoveUp());
    EXPECT_EQ(store.LName(), "Alpha");
    store.SetID(77);
    m_dialogs->ExpectMessage("Invalid ID sent to LabelCore");
    EXPECT_EQ(store.LName(), "Alpha");
}

TEST_F(DefinitionStoresTest, TemplatesAreFoundByNameAndDeletedWithoutAsking) {
    TemplateCore store;
    EXPECT_FALSE(store.MoveToName("Any", false)); // empty: no message
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());

    TemplateRecord t;
    t.Name = "Doe; Jane";
    t.Address = "1 Main St";
    t.City = "Salem";
    t.State = "MA";
    t.Zip = "01970";
    t.EMail = "x@y";
    t.Phone = "978";
    t.Attention = "Att";
    t.Code = "K";
    t.CarRt = "R1";
    t.Switches = "0101010101010101";
    t.Notes = " ";
    t.Marked = 1;
    for (const char* name : {"Members", "Donors", "Press"}) {
        t.TemplateName = name;
        ASSERT_TRUE(store.NewRecord(t));
    }
    EXPECT_TRUE(store.MoveToName("Mem", false));
    EXPECT_EQ(store.TemplateName(), "Members");
    EXPECT_EQ(store.Name(), "Doe; Jane");
    EXPECT_EQ(store.Address(), "1 Main St");
    EXPECT_EQ(store.City(), "Salem");
    EXPECT_EQ(store.State(), "MA");
    EXPECT_EQ(store.Zip(), "01970");
    EXPECT_EQ(store.EMail(), "x@y");
    EXPECT_EQ(store.Phone(), "978");
    EXPECT_EQ(store.Attention(), "Att");
    EXPECT_EQ(store.Code(), "K");
    EXPECT_EQ(store.CarRt(), "R1");
    EXPECT_EQ(store.Switches(), "0101010101010101");
    EXPECT_EQ(store.Notes(), " ");
    EXPECT_EQ(store.Marked(), 1);
    EXPECT_FALSE(store.MoveToName("Mem", true));
    EXPECT_EQ(store.TemplateName(), "Members");

    EXPECT_TRUE(store.DeleteRecord());
    EXPECT_EQ(store.TemplateName(), "Press");
    EXPECT_TRUE(m_dialogs->Questions().empty());
    store.SetID(999);
    m_dialogs->ExpectMessage("Invalid ID sent to TemplateCore");
    EXPECT_EQ(store.TemplateName(), "Press");
}

TEST_F(DefinitionStoresTest, SwitchNamesWalkInSwitchOrderAndAreRenamedAtOnce) {
    SwitchCore store;
    EXPECT_EQ(store.Records(), 16);
    std::vector<qint64> ids;
    ASSERT_TRUE(store.FirstRecord());
    do
        ids.push_back(store.ID());
    while (store.MoveUp());
    ASSERT_EQ(ids.size(), 16u);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ids[size_t(i)], i + 1);

    store.SetID(3);
    store.SetSwitchName("Volunteer");
    SwitchCore other;
    other.SetID(3);
    EXPECT_EQ(other.SwitchName(), "Volunteer");

    store.SetID(17);
    m_dialogs->ExpectMessage("Invalid ID sent to SwitchCore", "Lettrino");
    EXPECT_EQ(store.ID(), 3);
    store.SetSwitchName(QString(33, 's'));
    m_dialogs->ExpectMessage(
        "3163 The value for Name is too long: Name holds at most 32 characters.");
    EXPECT_EQ(other.SwitchName(), "Volunteer");
}

TEST_F(DefinitionStoresTest, ChangesThroughOneStoreAreSeenByAnother) {
    FilterCore reader;
    FilterCore writer;
    ASSERT_TRUE(writer.NewRecord(Filter("First")));
    EXPECT_EQ(reader.Records(), 1);
    ASSERT_TRUE(reader.FirstRecord());
    FilterRecord renamed = Filter("Renamed");
    renamed.Sequence = 4;
    ASSERT_TRUE(writer.UpdateRecord(renamed));
    EXPECT_EQ(reader.FilterName(), "Renamed");
    EXPECT_EQ(reader.Sequence(), 4);
}

TEST_F(DefinitionStoresTest, CreationWithoutAListStopsWithTheStoresFatalError) {
    SetCurrentList(Path("missing.mdb"));
    auto expectStop = [this](auto create, int number, const char* message) {
        try {
            create();
            ADD_FAILURE() << "no fatal stop for " << message;
        } catch (const FatalStop& stop) {
            EXPECT_EQ(stop.number, number);
            EXPECT_EQ(stop.message, message);
        }
        m_dialogs->TakeMessage(); // the open's own message
        SetCurrentList(Path("missing.mdb"));
    };
    expectStop([] { FilterCore store; }, 3, "Couldn't open the database in FilterCore");
    expectStop([] { LabelCore store; }, 2, "Couldn't open the database in LabelCore");
    expectStop([] { TemplateCore store; }, 6, "Couldn't open the database in TemplateCore");
    expectStop([] { SwitchCore store; }, 5, "Couldn't open the database in SwitchCore");
}

} // namespace

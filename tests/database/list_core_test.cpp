#include "database/list_core.h"

#include "database/connection.h"
#include "database/list_record.h"
#include "database/statement.h"
#include "support/test_environment.h"

#include <QDate>

namespace {

class ListCoreTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
    }

    static ListRecord Record(const QString& name, const QString& city = QString(),
                             const QString& zip = QString()) {
        ListRecord r;
        r.Name = name;
        r.City = city;
        r.Zip = zip;
        r.LastEdit = QDate(2024, 5, 17);
        r.Switches = "0000000000000000";
        return r;
    }

    // Adds the records through a store of their own, in one batch, and gives their IDs.
    std::vector<qint64> Add(const std::vector<ListRecord>& records) {
        ListCore store;
        auto batch = store.BeginBatch();
        std::vector<qint64> ids;
        for (const ListRecord& r : records) {
            EXPECT_TRUE(store.NewRecord(r));
            ids.push_back(store.ID());
        }
        return ids;
    }

    QString Column(qint64 id, const QString& column) {
        auto db = Connection::Open(m_path);
        Statement s = db->Prepare("SELECT \"" + column + "\" FROM List WHERE ID = ?");
        s.Bind(1, id);
        return s.Step() ? (s.IsNull(0) ? QStringLiteral("<null>") : s.Text(0)) : "<no row>";
    }

    // The names met walking the whole set forwards.
    static QStringList Walk(ListCore& store) {
        QStringList names;
        if (!store.FirstRecord())
            return names;
        do
            names << store.Name();
        while (store.MoveUp());
        return names;
    }

    QString m_path;
};

TEST_F(ListCoreTest, EmptyListHasNoCurrentRecordAndSaysSo) {
    ListCore store;
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
    EXPECT_FALSE(store.Filtered());
    EXPECT_EQ(store.SortSequence(), 0);
    EXPECT_EQ(store.Records(), 0);

    EXPECT_EQ(store.Name(), QString());
    m_dialogs->ExpectMessage("No current List record", "Lettrino");
    EXPECT_EQ(store.LastEdit(), QDate());
    m_dialogs->ExpectMessage("No current List record");
    store.SetMarked(1);
    m_dialogs->ExpectMessage("No current List record");

    EXPECT_FALSE(store.FirstRecord());
    m_dialogs->ExpectMessage("There are no List records.", "Lettrino");
    EXPECT_FALSE(store.MoveUp());
    m_dialogs->ExpectMessage("There are no List records.");
    EXPECT_FALSE(store.MoveToName("A", false));
    m_dialogs->ExpectMessage("There are no List records.");
    store.SetID(1);
    m_dialogs->ExpectMessage("There are no List records.");
    EXPECT_FALSE(store.DeleteRecord());
}

TEST_F(ListCoreTest, CreationStandsOnTheFirstNameAndMovesStopAtEitherEnd) {
    Add({Record("Miller; Ann"), Record("adams; Bob"), Record("Zorn; Carl"), Record("Baker; Dee")});
    ListCore store;
    EXPECT_EQ(store.Name(), "adams; Bob"); // name order ignores case
    EXPECT_EQ(store.Records(), 4);
    EXPECT_EQ(Walk(store), QStringList({"adams; Bob", "Baker; Dee", "Miller; Ann", "Zorn; Carl"}));

    // Walk() ended on a MoveUp past the last record: it is still current.
    EXPECT_EQ(store.Name(), "Zorn; Carl");
    EXPECT_FALSE(store.MoveUp());
    EXPECT_EQ(store.Name(), "Zorn; Carl");

    ASSERT_TRUE(store.FirstRecord());
    EXPECT_FALSE(store.MoveDown());
    EXPECT_EQ(store.Name(), "adams; Bob");
    ASSERT_TRUE(store.LastRecord());
    EXPECT_TRUE(store.MoveDown());
    EXPECT_EQ(store.Name(), "Miller; Ann");
}

TEST_F(ListCoreTest, EqualNamesAreOrderedByIdInBothDirections) {
    const auto ids = Add({Record("Smith; B"), Record("Smith; A"), Record("smith; a"),
                          Record("Jones"), Record("Young")});
    ListCore store;
    ASSERT_TRUE(store.MoveToName("Jones", true));
    std::vector<qint64> forward;
    while (store.MoveUp())
        forward.push_back(store.ID());
    // Names compare without case: "Smith; A" and "smith; a" are one key, ordered by ID.
    EXPECT_EQ(forward, (std::vector<qint64>{ids[1], ids[2], ids[0], ids[4]}));
    std::vector<qint64> backward;
    while (store.MoveDown())
        backward.push_back(store.ID());
    EXPECT_EQ(backward, (std::vector<qint64>{ids[0], ids[2], ids[1], ids[3]}));
}

TEST_F(ListCoreTest, NameSeeksExactAndNotExact) {
    Add({Record("Smith; Al"), Record("Adams"), Record("Snow"), Record("Baker")});
    ListCore store;
    ASSERT_TRUE(store.MoveToName("Baker", true));

    EXPECT_TRUE(store.MoveToName("sm", false));
    EXPECT_EQ(store.Name(), "Smith; Al");
    EXPECT_FALSE(store.MoveToName("Sm", true));
    EXPECT_EQ(store.Name(), "Smith; Al");
    EXPECT_TRUE(store.MoveToName("SNOW", true));
    EXPECT_EQ(store.Name(), "Snow");

    // Nothing at or after the value: false, and the current record stays.
    EXPECT_FALSE(store.MoveToName("Zz", false));
    EXPECT_EQ(store.Name(), "Snow");
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

TEST_F(ListCoreTest, OtherSearchesDoNothingInTableMode) {
    Add({Record("Adams", "Boston"), Record("Baker", "Boston")});
    ListCore store;
    ASSERT_TRUE(store.LastRecord());
    EXPECT_FALSE(store.MoveToCity("Boston", true));
    EXPECT_FALSE(store.MoveToZip("", false));
    EXPECT_FALSE(store.MoveToEditDate(QDate(2024, 5, 17), true));
    EXPECT_EQ(store.Name(), "Baker");
}

TEST_F(ListCoreTest, QuotesInSearchValuesAreTakenAsTyped) {
    Add({Record("O'Brien; Pat"), Record("Say \"Hi\""), Record("O''Hara")});
    ListCore store;
    EXPECT_TRUE(store.MoveToName("O'Brien; Pat", true));
    EXPECT_EQ(store.Name(), "O'Brien; Pat");
    EXPECT_TRUE(store.MoveToName("Say \"H", false));
    EXPECT_EQ(store.Name(), "Say \"Hi\"");
    // A bound value is not doubled: two apostrophes look for two apostrophes.
    EXPECT_TRUE(store.MoveToName("O''", false));
    EXPECT_EQ(store.Name(), "O''Hara");
}

TEST_F(ListCoreTest, IdWriteFindsTheRecordOrKeepsTheCurrentOne) {
    const auto ids = Add({Record("Adams"), Record("Baker"), Record("Clark")});
    ListCore store;
    store.SetID(ids[1]);
    EXPECT_EQ(store.Name(), "Baker");
    EXPECT_EQ(store.CurrentBookmark(), QString::number(ids[1]));

    store.SetID(9999);
    m_dialogs->ExpectMessage("Invalid ID sent to ListCore", "Lettrino");
    EXPECT_EQ(store.Name(), "Baker");
    // The order is still by name.
    EXPECT_TRUE(store.MoveUp());
    EXPECT_EQ(store.Name(), "Clark");
}

TEST_F(ListCoreTest, IndexSwitchesBetweenNameAndIdOrder) {
    const auto ids = Add({Record("Clark"), Record("Adams"), Record("Baker")});
    ListCore store;
    store.SetID(ids[0]);
    store.SetIndex("ID");
    EXPECT_EQ(store.Name(), "Clark");
    EXPECT_TRUE(store.MoveUp());
    EXPECT_EQ(store.Name(), "Adams");
    EXPECT_TRUE(store.MoveUp());
    EXPECT_EQ(store.Name(), "Baker");

    store.SetIndex("Zip"); // not an index: nothing changes
    EXPECT_TRUE(store.FirstRecord());
    EXPECT_EQ(store.Name(), "Clark");

    store.SetIndex("Name");
    EXPECT_FALSE(store.MoveUp()); // from Clark, by name: nothing after it
    EXPECT_EQ(store.Name(), "Clark");
    EXPECT_TRUE(store.FirstRecord());
    EXPECT_EQ(store.Name(), "Adams");
}

TEST_F(ListCoreTest, NewRecordStoresEveryFieldAndBlankSwitchesAsZeros) {
    ListCore store;
    ListRecord r = Record("Doe; Jane", "Salem", "019700000");
    r.Address = "1 Main St\r\nApt 2";
    r.State = "MA";
    r.EMail = "jane@example.com";
    r.Phone = "9785550100";
    r.Attention = "Billing";
    r.Code = "VIP";
    r.CarRt = "C012";
    r.Notes = " ";
    r.Marked = 1;
    r.Imported = 1;
    r.Switches = "   ";
    ASSERT_TRUE(store.NewRecord(r));
    const qint64 id = store.ID();
    EXPECT_EQ(store.Name(), "Doe; Jane");
    EXPECT_EQ(store.Address(), "1 Main St\r\nApt 2");
    EXPECT_EQ(store.City(), "Salem");
    EXPECT_EQ(store.State(), "MA");
    EXPECT_EQ(store.Zip(), "019700000");
    EXPECT_EQ(store.EMail(), "jane@example.com");
    EXPECT_EQ(store.Phone(), "9785550100");
    EXPECT_EQ(store.Attention(), "Billing");
    EXPECT_EQ(store.Code(), "VIP");
    EXPECT_EQ(store.CarRt(), "C012");
    EXPECT_EQ(store.LastEdit(), QDate(2024, 5, 17));
    EXPECT_EQ(store.Notes(), " ");
    EXPECT_EQ(store.Marked(), 1);
    EXPECT_EQ(store.Imported(), 1);
    EXPECT_EQ(store.Switches(), "0000000000000000");
    EXPECT_EQ(store.DPOverride(), "");
    EXPECT_EQ(Column(id, "LastEdit"), "2024-05-17");

    // UpdateRecord stores switches as given.
    ASSERT_TRUE(store.UpdateRecord(r));
    EXPECT_EQ(Column(id, "Switches"), "   ");

    // No date is the zero date in the file.
    r.LastEdit = QDate();
    ASSERT_TRUE(store.NewRecord(r));
    EXPECT_EQ(Column(store.ID(), "LastEdit"), "1899-12-30");
    EXPECT_EQ(store.LastEdit(), QDate());
}

TEST_F(ListCoreTest, ColumnWritesStoreAtOnceAndAMissingOverrideReadsEmpty) {
    const auto ids = Add({Record("Adams")});
    ListCore store;
    store.SetMarked(1);
    store.SetImported(1);
    store.SetCode("K9");
    store.SetCarRt("R001");
    store.SetSwitches("1000000000000001");
    store.SetAttention("Sales");
    store.SetDPOverride("07");
    EXPECT_EQ(Column(ids[0], "Marked"), "1");
    EXPECT_EQ(Column(ids[0], "Imported"), "1");
    EXPECT_EQ(Column(ids[0], "Code"), "K9");
    EXPECT_EQ(Column(ids[0], "CarRt"), "R001");
    EXPECT_EQ(Column(ids[0], "Switches"), "1000000000000001");
    EXPECT_EQ(Column(ids[0], "Attention"), "Sales");
    EXPECT_EQ(Column(ids[0], "DPOverride"), "07");

    Connection::Open(m_path)->Execute("UPDATE List SET DPOverride = NULL");
    EXPECT_EQ(store.DPOverride(), "");
}

TEST_F(ListCoreTest, EngineErrorsAreShownAndNothingIsStored) {
    const auto ids = Add({Record("Adams")});
    ListCore store;
    ListRecord tooLong = Record(QString(35, 'x'));
    EXPECT_FALSE(store.NewRecord(tooLong));
    m_dialogs->ExpectMessage(
        "3163 The value for Name is too long: Name holds at most 34 characters.", "Lettrino");
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
    EXPECT_EQ(store.Records(), 1);

    store.SetID(ids[0]);
    EXPECT_FALSE(store.UpdateRecord(tooLong));
    m_dialogs->ExpectMessage(
        "3163 The value for Name is too long: Name holds at most 34 characters.");
    EXPECT_EQ(store.CurrentBookmark(), QString::number(ids[0]));
    EXPECT_EQ(store.Name(), "Adams");

    store.SetCode(QString(21, 'c'));
    m_dialogs->ExpectMessage(
        "3163 The value for Code is too long: Code holds at most 20 characters.");
    EXPECT_EQ(Column(ids[0], "Code"), "");

    store.SetMarked(300);
    m_dialogs->ExpectMessage("3349 The value for Marked must be a whole number from 0 to 255.");
}

TEST_F(ListCoreTest, DeleteMovesToTheNextOrTheNewLastAndEmptiesAtTheEnd) {
    Add({Record("Adams"), Record("Baker"), Record("Clark")});
    ListCore store;
    ASSERT_TRUE(store.MoveToName("Baker", true));
    EXPECT_TRUE(store.DeleteRecord());
    EXPECT_EQ(store.Name(), "Clark");
    EXPECT_TRUE(store.DeleteRecord()); // the last record: the new last becomes current
    EXPECT_EQ(store.Name(), "Adams");
    EXPECT_TRUE(store.DeleteRecord()); // the only record: none is current
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
    EXPECT_EQ(store.Records(), 0);
    EXPECT_FALSE(store.DeleteRecord());
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

TEST_F(ListCoreTest, BookmarksStayValidAfterOtherRecordsAreDeleted) {
    const auto ids = Add({Record("Adams"), Record("Baker"), Record("Clark"), Record("Drake")});
    ListCore store;
    store.SetID(ids[2]);
    const QString bookmark = store.CurrentBookmark();
    {
        ListCore other;
        other.SetID(ids[1]);
        ASSERT_TRUE(other.DeleteRecord());
        other.SetID(ids[3]);
        ASSERT_TRUE(other.DeleteRecord());
    }
    EXPECT_EQ(store.CurrentBookmark(), bookmark);
    EXPECT_EQ(store.Name(), "Clark");
    EXPECT_FALSE(store.MoveUp());
    EXPECT_TRUE(store.MoveDown());
    EXPECT_EQ(store.Name(), "Adams");
}

TEST_F(ListCoreTest, ChangesThroughOneStoreAreSeenByAnother) {
    const auto ids = Add({Record("Adams"), Record("Clark")});
    ListCore reader;
    EXPECT_EQ(reader.Code(), "");
    ListCore writer;
    ASSERT_TRUE(writer.NewRecord(Record("Baker")));
    writer.SetID(ids[0]);
    writer.SetCode("NEW");

    EXPECT_EQ(reader.Records(), 3);
    EXPECT_EQ(reader.Code(), "NEW");
    EXPECT_TRUE(reader.MoveUp());
    EXPECT_EQ(reader.Name(), "Baker");

    // The record the reader stands on is deleted elsewhere: reading says so, and the next
    // move goes on from where it was.
    writer.SetID(reader.ID());
    ASSERT_TRUE(writer.DeleteRecord());
    EXPECT_EQ(reader.Name(), QString());
    m_dialogs->ExpectMessage("No current List record");
    EXPECT_TRUE(reader.MoveUp());
    EXPECT_EQ(reader.Name(), "Clark");
}

TEST_F(ListCoreTest, RowsChangedAheadOfAMovingStoreAreSeenAtTheNextMove) {
    Add({Record("Adams"), Record("Baker"), Record("Clark"), Record("Drake"), Record("Evans")});
    ListCore reader;
    ASSERT_TRUE(reader.MoveUp()); // Baker; the rows after it have been looked at
    ListCore writer;
    ASSERT_TRUE(writer.NewRecord(Record("Bell")));
    EXPECT_TRUE(reader.MoveUp());
    EXPECT_EQ(reader.Name(), "Bell");
    ASSERT_TRUE(writer.MoveToName("Clark", true));
    ASSERT_TRUE(writer.DeleteRecord());
    EXPECT_TRUE(reader.MoveUp());
    EXPECT_EQ(reader.Name(), "Drake");

    // The current record renamed elsewhere: the next move goes on from its new place.
    writer.SetID(reader.ID());
    ListRecord renamed = Record("Zorn");
    ASSERT_TRUE(writer.UpdateRecord(renamed));
    EXPECT_FALSE(reader.MoveUp());
    EXPECT_EQ(reader.Name(), "Zorn");
    EXPECT_TRUE(reader.MoveDown());
    EXPECT_EQ(reader.Name(), "Evans");
}

TEST_F(ListCoreTest, DeleteRecordsetInTableModeEmptiesTheList) {
    Add({Record("Adams"), Record("Baker")});
    ListCore store;
    store.DeleteRecordset();
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
    EXPECT_EQ(store.Records(), 0);
}

TEST_F(ListCoreTest, CreationWithoutAListStopsWithFatalError4) {
    SetCurrentList(Path("missing.mdb"));
    try {
        ListCore store;
        FAIL() << "no fatal stop";
    } catch (const FatalStop& stop) {
        EXPECT_EQ(stop.number, 4);
        EXPECT_EQ(stop.message, "Couldn't open the database in ListCore");
    }
    m_dialogs->TakeMessage(); // the open's own message
}

} // namespace

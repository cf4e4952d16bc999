#include "database/list_core.h"

#include "database/connection.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_record.h"
#include "database/statement.h"
#include "filters/build_filter_query.h"
#include "support/test_environment.h"

#include <QDate>

namespace {

struct Row {
    const char* name;
    const char* city;
    const char* zip;
    int marked = 0;
    int imported = 0;
};

// The store in query mode: the ZIP-and-name order, the marked and imported records, and
// filters.
class ListCoreQueryTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
    }

    std::vector<qint64> Add(const std::vector<Row>& rows) {
        auto db = Connection::Open(m_path);
        Transaction transaction(*db);
        std::vector<qint64> ids;
        for (const Row& row : rows) {
            Statement insert = db->Prepare("INSERT INTO List (Name, City, Zip, Marked, Imported) "
                                           "VALUES (?, ?, ?, ?, ?)");
            insert.Bind(1, QString(row.name))
                .Bind(2, QString(row.city))
                .Bind(3, QString(row.zip))
                .Bind(4, row.marked)
                .Bind(5, row.imported)
                .Run();
            ids.push_back(db->LastInsertId());
        }
        transaction.Commit();
        return ids;
    }

    // Saves a filter with its query and makes it the list's current filter.
    qint64 MakeCurrentFilter(FilterRecord filter) {
        filter.StartPhone = filter.EndPhone = "0000000000";
        filter.Query = BuildFilterQuery(filter);
        FilterCore filters;
        EXPECT_TRUE(filters.NewRecord(filter));
        ControlCore control;
        control.SetCurrentFilter(filters.ID());
        return filters.ID();
    }

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

const std::vector<Row> kTown = {
    {"Adams", "Boston", "021100000"}, {"Baker", "Salem", "019700000"},
    {"Clark", "Boston", "021090000"}, {"Drake", "Albany", "122070000"},
    {"Evans", "boston", "021090000"},
};

TEST_F(ListCoreQueryTest, ZipNameSortOrdersAndFindsInItsOwnOrder) {
    Add(kTown);
    ListCore store;
    ASSERT_TRUE(store.MoveToName("Drake", true));
    const QString bookmark = store.CurrentBookmark();

    // In table mode the city search does nothing; in the ZIP order it finds.
    EXPECT_FALSE(store.MoveToCity("Boston", true));
    EXPECT_EQ(store.Name(), "Drake");
    store.SetZipNameSort();
    EXPECT_TRUE(store.Filtered());
    EXPECT_EQ(store.CurrentBookmark(), bookmark);
    EXPECT_EQ(store.SortSequence(), 0);
    EXPECT_EQ(store.Records(), 5);
    EXPECT_EQ(Walk(store), QStringList({"Baker", "Clark", "Evans", "Adams", "Drake"}));

    EXPECT_TRUE(store.MoveToCity("BOSTON", true));
    EXPECT_EQ(store.Name(), "Clark");
    EXPECT_TRUE(store.MoveToZip("0211", false));
    EXPECT_EQ(store.Name(), "Adams");
    EXPECT_TRUE(store.MoveToName("A", false)); // the first of the set at or after A
    EXPECT_EQ(store.Name(), "Baker");
    EXPECT_FALSE(store.MoveToCity("Boston ", true));
    EXPECT_EQ(store.Name(), "Baker");
    EXPECT_FALSE(store.MoveToState("NY", false));
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

TEST_F(ListCoreQueryTest, MovesStopAtEitherEndOfTheSet) {
    Add(kTown);
    ListCore store;
    store.SetZipNameSort();
    ASSERT_TRUE(store.LastRecord());
    EXPECT_EQ(store.Name(), "Drake");
    EXPECT_FALSE(store.MoveUp());
    EXPECT_EQ(store.Name(), "Drake");
    ASSERT_TRUE(store.FirstRecord());
    EXPECT_FALSE(store.MoveDown());
    EXPECT_EQ(store.Name(), "Baker");
    EXPECT_TRUE(store.MoveUp());
    EXPECT_EQ(store.Name(), "Clark");
}

TEST_F(ListCoreQueryTest, IdWriteOnlyFindsRecordsOfTheSet) {
    const auto ids = Add(kTown);
    ListCore store;
    store.SetMarkedRecordset();
    EXPECT_EQ(store.Records(), 0);
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
    store.SetID(ids[0]);
    m_dialogs->ExpectMessage("There are no List records.");

    Connection::Open(m_path)->Execute("UPDATE List SET Marked = 1 WHERE Name IN ('Baker', "
                                      "'Drake')");
    store.SetMarkedRecordset();
    EXPECT_EQ(Walk(store), QStringList({"Baker", "Drake"}));
    store.SetID(ids[1]);
    EXPECT_EQ(store.Name(), "Baker");
    store.SetID(ids[0]); // a record of the list, but not of the set
    m_dialogs->ExpectMessage("Invalid ID sent to ListCore");
    EXPECT_EQ(store.Name(), "Baker");
}

TEST_F(ListCoreQueryTest, MarkedAndImportedSetsAndTheWholeListMarkCount) {
    Add({{"Adams", "", "", 1, 0}, {"Baker", "", "", 0, 1}, {"Clark", "", "", 1, 1}});
    ListCore store;
    store.SetImportedFlagRecordset();
    EXPECT_EQ(Walk(store), QStringList({"Baker", "Clark"}));
    EXPECT_EQ(store.MarkedRecordCount(), 2); // of the whole list, not of the set
    store.SetMarkedRecordset();
    EXPECT_EQ(Walk(store), QStringList({"Adams", "Clark"}));
}

TEST_F(ListCoreQueryTest, ResetMarksOfTheSetOrOfTheWholeList) {
    Add({{"Adams", "Boston", "", 1}, {"Baker", "Salem", "", 1}, {"Clark", "Boston", "", 1}});
    FilterRecord boston;
    boston.FilterName = "Boston";
    boston.StartCity = boston.EndCity = "Boston";
    MakeCurrentFilter(boston);
    ListCore store;
    store.SetCurrentFilter();
    ASSERT_EQ(store.Records(), 2);
    store.ResetMarks(false);
    EXPECT_EQ(store.MarkedRecordCount(), 1);
    store.ResetMarks(true);
    EXPECT_EQ(store.MarkedRecordCount(), 0);

    Connection::Open(m_path)->Execute("UPDATE List SET Imported = 1");
    store.ResetImportFlags(false);
    auto db = Connection::Open(m_path);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List WHERE Imported = 1"), 1);

    store.SetMarkedRecordset(); // now empty
    store.ResetMarks(false);
    m_dialogs->ExpectMessage("No records are available with this filter.", "Lettrino");
    store.ResetImportFlags(true);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List WHERE Imported = 1"), 0);
}

TEST_F(ListCoreQueryTest, DeleteInTheSetMovesOnAndDeleteRecordsetTakesOnlyTheSet) {
    Add(kTown);
    ListCore store;
    store.SetZipNameSort(); // Baker, Clark, Evans, Adams, Drake
    ASSERT_TRUE(store.MoveToName("Clark", true));
    EXPECT_TRUE(store.DeleteRecord());
    EXPECT_EQ(store.Name(), "Evans");
    EXPECT_EQ(store.Records(), 4);
    ASSERT_TRUE(store.LastRecord());
    EXPECT_TRUE(store.DeleteRecord());
    EXPECT_EQ(store.Name(), "Adams");

    Connection::Open(m_path)->Execute("UPDATE List SET Marked = 1 WHERE Name <> 'Adams'");
    store.SetMarkedRecordset(); // Baker, Evans
    store.DeleteRecordset();
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
    EXPECT_EQ(store.Records(), 0);
    store.SetZipNameSort();
    EXPECT_EQ(Walk(store), QStringList({"Adams"}));
    ASSERT_TRUE(store.FirstRecord());
    EXPECT_TRUE(store.DeleteRecord());
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
}

TEST_F(ListCoreQueryTest, RecordsDeletedElsewhereAreSkippedOrReportedAsNotCurrent) {
    const auto ids = Add(kTown);
    ListCore store;
    store.SetZipNameSort(); // Baker, Clark, Evans, Adams, Drake
    ASSERT_TRUE(store.MoveToName("Clark", true));
    Connection::Open(m_path)->Execute(
        QStringLiteral("DELETE FROM List WHERE ID IN (%1, %2)").arg(ids[2]).arg(ids[4]));
    EXPECT_EQ(store.Name(), QString());
    m_dialogs->ExpectMessage("No current List record");
    EXPECT_TRUE(store.MoveUp()); // Evans is gone too
    EXPECT_EQ(store.Name(), "Adams");
    EXPECT_TRUE(store.MoveDown());
    EXPECT_EQ(store.Name(), "Baker");
}

TEST_F(ListCoreQueryTest, NewRecordFindsTheFirstRecordWithTheSameSortValue) {
    Add(kTown);
    FilterRecord byCity;
    byCity.FilterName = "By city";
    byCity.Sequence = 1;
    MakeCurrentFilter(byCity);
    ListCore store;
    store.SetCurrentFilter();
    EXPECT_EQ(store.SortSequence(), 1);

    ListRecord r;
    r.Name = "Young";
    r.City = "Boston";
    ASSERT_TRUE(store.NewRecord(r));
    EXPECT_EQ(store.Records(), 6); // the query ran again
    EXPECT_EQ(store.City().toLower(), "boston");
    EXPECT_NE(store.Name(), "Young"); // the first Boston record of the set, not the new one

    r.Name = "Zed";
    r.City = "Worcester";
    ASSERT_TRUE(store.NewRecord(r));
    EXPECT_EQ(store.Name(), "Zed");
}

TEST_F(ListCoreQueryTest, NewRecordOutsideTheFilterStaysCurrentUntilTheStoreMoves) {
    Add(kTown);
    FilterRecord salem;
    salem.FilterName = "Salem";
    salem.StartCity = salem.EndCity = "Salem";
    salem.Sequence = 1;
    MakeCurrentFilter(salem);
    ListCore store;
    store.SetCurrentFilter();
    ASSERT_EQ(store.Records(), 1);
    ListRecord r;
    r.Name = "Young";
    r.City = "Lowell";
    ASSERT_TRUE(store.NewRecord(r));
    EXPECT_TRUE(store.CurrentOutsideSet());
    EXPECT_EQ(store.Name(), "Young");
    EXPECT_EQ(store.Records(), 1);
    EXPECT_EQ(Connection::Open(m_path)->QueryNumber("SELECT count(*) FROM List"), 6);
    // A move goes back into the set.
    store.MoveUp();
    EXPECT_FALSE(store.CurrentOutsideSet());
    EXPECT_EQ(store.City(), "Salem");
}

TEST_F(ListCoreQueryTest, SearchesFindTheFirstMatchInSetOrderFarIntoALargeSet) {
    std::vector<Row> rows;
    std::vector<QByteArray> names;
    for (int i = 0; i < 6000; ++i)
        names.push_back(QStringLiteral("Name %1").arg(i, 5, 10, QLatin1Char('0')).toUtf8());
    for (int i = 0; i < 6000; ++i)
        rows.push_back({names[size_t(i)].constData(), i == 10 || i == 20 ? "Lowell" : "Salem",
                        i == 5000 || i == 5500 ? "999990000" : "100000000"});
    Add(rows);
    ListCore store;
    store.SetZipNameSort(); // zip, then name; ties in zip are in name order
    EXPECT_TRUE(store.MoveToCity("lowell", true));
    EXPECT_EQ(store.Name(), "Name 00010");
    EXPECT_TRUE(store.MoveToZip("99999", false));
    EXPECT_EQ(store.Name(), "Name 05000");
    EXPECT_TRUE(store.MoveToName("Name 05999", true));
    EXPECT_EQ(store.Name(), "Name 05999");
    EXPECT_FALSE(store.MoveToCity("Worcester", true));
    EXPECT_EQ(store.Name(), "Name 05999");
    EXPECT_TRUE(store.MoveUp()); // the zip 99999 rows come after it
    EXPECT_EQ(store.Name(), "Name 05000");
    EXPECT_TRUE(store.MoveUp());
    EXPECT_FALSE(store.MoveUp());
    EXPECT_EQ(store.Name(), "Name 05500");
}

TEST_F(ListCoreQueryTest, SearchValuesWithQuotesFindTheirRecords) {
    Add({{"Adams", "O'Fallon", "630000000"},
         {"Baker", "Say \"When\"", "100000000"},
         {"Clark", "x\" OR \"1\"=\"1", "200000000"}});
    ListCore store;
    store.SetZipNameSort();
    EXPECT_TRUE(store.MoveToCity("o'fallon", true));
    EXPECT_EQ(store.Name(), "Adams");
    EXPECT_TRUE(store.MoveToCity("Say \"When\"", true));
    EXPECT_EQ(store.Name(), "Baker");
    EXPECT_FALSE(store.MoveToCity("x\" OR \"1\"=\"", true));
    EXPECT_EQ(store.Name(), "Baker");
    EXPECT_TRUE(store.MoveToCity("x\" OR \"1\"=\"1", true));
    EXPECT_EQ(store.Name(), "Clark");
}

TEST_F(ListCoreQueryTest, EditDateSearchesCompareDates) {
    auto ids = Add(kTown);
    auto db = Connection::Open(m_path);
    db->Execute(
        QStringLiteral("UPDATE List SET LastEdit = '2020-01-15' WHERE ID = %1").arg(ids[0]));
    db->Execute(
        QStringLiteral("UPDATE List SET LastEdit = '2021-06-01' WHERE ID = %1").arg(ids[2]));
    ListCore store;
    EXPECT_FALSE(store.MoveToEditDate(QDate(2020, 1, 15), true)); // table mode
    store.SetZipNameSort();
    EXPECT_TRUE(store.MoveToEditDate(QDate(2020, 1, 15), true));
    EXPECT_EQ(store.Name(), "Adams");
    EXPECT_TRUE(store.MoveToEditDate(QDate(2020, 2, 1), false));
    EXPECT_EQ(store.Name(), "Clark");
    EXPECT_EQ(store.LastEdit(), QDate(2021, 6, 1));
}

} // namespace

#include "database/list_core.h"

#include "app/dialogs.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/set_query_guard.h"
#include "database/statement.h"
#include "filters/build_filter_query.h"
#include "support/test_environment.h"

#include <QDate>

namespace {

struct Row {
    const char* name;
    const char* zip;
    const char* switches;
    int marked;
    const char* lastEdit;
};

class SetCurrentFilterTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
        auto db = Connection::Open(m_path);
        Transaction transaction(*db);
        const Row rows[] = {
            {"Adams", "400000000", "1000000000000000", 1, "2002-03-07"},
            {"Baker", "410000000", "0010000000000001", 1, "2002-03-08"},
            {"Clark", "399999999", "1000000000000000", 1, "2010-01-01"},
            {"Cole", "450000000", "0010000000000000", 1, "2001-12-31"},
            {"Davis", "450000000", "1000000000000000", 1, "2002-03-07 09:30:00"},
            {"Drake", "420000000", "0100000000000000", 1, "1899-12-30"},
            {"Bloom", "430000000", "1000000000000000", 0, "2003-01-01"},
            {"O'Brien; Pat", "100000000", "0000000000000000", 0, "1899-12-30"},
            {"O'Connor", "100000000", "0000000000000000", 0, "1899-12-30"},
            {"O'Neil", "100000000", "0000000000000000", 0, "1899-12-30"},
            {"O'Neil; Sam", "100000000", "0000000000000000", 0, "1899-12-30"},
            {"Oakes", "100000000", "0000000000000000", 0, "1899-12-30"},
        };
        for (const Row& row : rows)
            db->Prepare("INSERT INTO List (Name, Zip, Switches, Marked, LastEdit) VALUES (?, ?, "
                        "?, ?, ?)")
                .Bind(1, QString(row.name))
                .Bind(2, QString(row.zip))
                .Bind(3, QString(row.switches))
                .Bind(4, row.marked)
                .Bind(5, QString(row.lastEdit))
                .Run();
        transaction.Commit();
    }

    static FilterRecord Filter(const QString& name) {
        FilterRecord f;
        f.FilterName = name;
        f.StartPhone = f.EndPhone = "0000000000";
        return f;
    }

    // Stores the filter (with the query given, or else the one built from it) and makes it
    // the list's current filter.
    qint64 MakeCurrent(FilterRecord filter, const QString& query = QString()) {
        filter.Query = query.isNull() ? BuildFilterQuery(filter) : query;
        FilterCore filters;
        EXPECT_TRUE(filters.NewRecord(filter));
        ControlCore().SetCurrentFilter(filters.ID());
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

TEST_F(SetCurrentFilterTest, WithoutAFilterTheWholeListInNameOrder) {
    ListCore store;
    store.SetIndex("ID");
    store.SetCurrentFilter();
    EXPECT_FALSE(store.Filtered());
    EXPECT_EQ(store.SortSequence(), 0);
    EXPECT_EQ(store.Records(), 12);
    EXPECT_EQ(store.Name(), "Adams");
    EXPECT_TRUE(store.MoveUp()); // name order again, not ID order
    EXPECT_EQ(store.Name(), "Baker");
}

TEST_F(SetCurrentFilterTest, TheWorkedExampleSelectsAndOrdersItsRecords) {
    FilterRecord f = Filter("Example");
    f.StartName = "B";
    f.EndName = "D";
    f.StartZip = "400000000";
    f.Marked = 1;
    f.OrSelect = "1010000000000000";
    f.AndReject = "0000000000000001";
    f.Sequence = 3;
    MakeCurrent(f);
    ListCore store;
    store.SetCurrentFilter();
    EXPECT_TRUE(store.Filtered());
    EXPECT_EQ(store.SortSequence(), 3);
    EXPECT_EQ(store.Records(), 1);
    // Baker has switch 16 (rejected), Clark's zip is below the start, Davis sorts after D,
    // Drake has neither switch 1 nor 3, Bloom is not marked.
    EXPECT_EQ(Walk(store), QStringList({"Cole"}));

    // Back to no filter: the whole list, unfiltered.
    ControlCore().SetCurrentFilter(0);
    store.SetCurrentFilter();
    EXPECT_FALSE(store.Filtered());
    EXPECT_EQ(store.Records(), 12);
}

TEST_F(SetCurrentFilterTest, DateRangesCompareTheStoredDates) {
    FilterRecord f = Filter("March");
    f.StartDate = QDate(2002, 3, 7);
    f.EndDate = QDate(2002, 3, 8);
    f.Sequence = 8;
    MakeCurrent(f);
    ListCore store;
    store.SetCurrentFilter();
    // Davis was edited at 9:30 on the 7th: after the start, as in Jet.
    EXPECT_EQ(Walk(store), QStringList({"Adams", "Davis", "Baker"}));
}

TEST_F(SetCurrentFilterTest, ANameRangeWithApostrophesWorks) {
    FilterRecord f = Filter("Irish");
    f.StartName = "O'Brien";
    f.EndName = "O'Neil";
    MakeCurrent(f);
    ListCore store;
    store.SetCurrentFilter();
    EXPECT_TRUE(store.Filtered());
    EXPECT_EQ(Walk(store), QStringList({"O'Brien; Pat", "O'Connor", "O'Neil"}));
    ControlCore control;
    EXPECT_NE(control.CurrentFilter(), 0);
}

TEST_F(SetCurrentFilterTest, ACorruptFilterIsReportedOnceClearedAndTheListUnfiltered) {
    MakeCurrent(Filter("Locals"), "SELECT * FROM [List] WHERE [Name] >= 'O'Brien' ORDER BY "
                                  "[Name];");
    // A browsing store (the main window's) goes on through the whole list.
    ListCore store;
    store.SetBrowsing(true);
    store.SetCurrentFilter();
    const ScriptedDialogs::Message message = m_dialogs->TakeMessage();
    EXPECT_EQ(message.text, "\"Locals\" filter is corrupt. Recommend you delete and "
                            "re-establish this filter.");
    EXPECT_EQ(message.title, "Lettrino");
    EXPECT_EQ(message.icon, MessageIcon::Critical);
    EXPECT_EQ(ControlCore().CurrentFilter(), 0);
    EXPECT_FALSE(store.Filtered());
    EXPECT_EQ(store.SortSequence(), 0);
    EXPECT_EQ(store.Records(), 12);
    EXPECT_EQ(store.Name(), "Adams");

    store.SetCurrentFilter(); // cleared: no second message
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

TEST_F(SetCurrentFilterTest, StoredStatementsThatDoMoreThanReadTheListAreNeverRun) {
    // Each is refused before it runs, and a store that works on the filter's records (to
    // print, export, change or purge them) then has none: never the whole list.
    for (const char* query :
         {"DELETE FROM [List];", "SELECT * FROM [Filter] ORDER BY [ID];",
          "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT [List].* "
          "FROM [List], n ORDER BY [Name];",
          "SELECT * FROM [List] WHERE [ID] IN (SELECT [ID] FROM [Template]) ORDER BY [Name];",
          "PRAGMA writable_schema = 1;"}) {
        SCOPED_TRACE(query);
        MakeCurrent(Filter("Purge"), query);
        ListCore store;
        store.SetCurrentFilter();
        EXPECT_EQ(m_dialogs->TakeMessage().text, "\"Purge\" filter is corrupt. Recommend you "
                                                 "delete and re-establish this filter.");
        EXPECT_EQ(store.Records(), 0);
        EXPECT_EQ(ControlCore().CurrentFilter(), 0);
    }
    EXPECT_TRUE(CorruptFilterTold());
    EXPECT_EQ(Connection::Open(m_path)->QueryNumber("SELECT count(*) FROM List"), 12);
}

TEST_F(SetCurrentFilterTest, AQueryThatRunsTooLongIsStoppedAndNeverBecomesCurrent) {
    const qint64 plain = MakeCurrent(Filter("Plain"));
    // Reads only the list, but a cross join of the list with itself six times over.
    FilterRecord endless = Filter("Endless");
    endless.Query = "SELECT a.* FROM [List] a, [List] b, [List] c, [List] d, [List] e, "
                    "[List] f ORDER BY a.[Name];";
    FilterCore filters;
    ASSERT_TRUE(filters.NewRecord(endless));
    SetQueryStopCheck([](double seconds) { return seconds > 0.2; });
    ChooseFilterOnceItRuns(filters.ID());
    ListCore store;
    store.SetCurrentFilter();
    SetQueryStopCheck(nullptr);
    EXPECT_EQ(m_dialogs->TakeMessage().text, "\"Endless\" filter is corrupt. Recommend you "
                                             "delete and re-establish this filter.");
    EXPECT_EQ(store.Records(), 0);
    // The filter current before stays current.
    EXPECT_EQ(ControlCore().CurrentFilter(), plain);
}

TEST_F(SetCurrentFilterTest, AFilterThatNoLongerExistsIsClearedAndTheListUnfiltered) {
    const qint64 id = MakeCurrent(Filter("Gone"));
    Connection::Open(m_path)->Execute(QStringLiteral("DELETE FROM Filter WHERE ID = %1").arg(id));
    ListCore store;
    store.SetBrowsing(true);
    store.SetCurrentFilter();
    m_dialogs->ExpectMessage("There are no Filter records.");
    EXPECT_EQ(ControlCore().CurrentFilter(), 0);
    EXPECT_FALSE(store.Filtered());
    EXPECT_EQ(store.Records(), 12);
}

TEST_F(SetCurrentFilterTest, AFilterWithNoRecordsLeavesNoCurrentRecord) {
    FilterRecord f = Filter("Nobody");
    f.StartName = "Zz";
    MakeCurrent(f);
    ListCore store;
    store.SetCurrentFilter();
    EXPECT_TRUE(store.Filtered());
    EXPECT_EQ(store.Records(), 0);
    EXPECT_TRUE(store.CurrentBookmark().isEmpty());
}

} // namespace

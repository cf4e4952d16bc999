#include "filters/bulk_conversion.h"

#include "database/connection.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_core.h"
#include "database/statement.h"
#include "filters/build_filter_query.h"
#include "support/test_environment.h"

#include <QStringList>
#include <map>

namespace {

struct Record {
    Record(const char* name, const char* zip = "454020000",
           const char* switches = "0000000000000000", int marked = 0, int imported = 0)
        : name(name), zip(zip), switches(switches), marked(marked), imported(imported) {}
    Record(const QString& name, const char* zip, const char* switches, int marked)
        : name(name), zip(zip), switches(switches), marked(marked) {}

    QString name;
    QString zip;
    QString switches;
    int marked = 0;
    int imported = 0;
    QString email;
    QString code = "OLD";
    QString notes;
};

// What a record holds after a change, read straight from the file.
struct Stored {
    QString switches;
    QString code;
    int marked = 0;
    int imported = 0;
};

class BulkConversionTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
    }

    void Add(const std::vector<Record>& records) {
        auto db = Connection::Open(m_path);
        Transaction transaction(*db);
        Statement insert =
            db->Prepare("INSERT INTO List (Name, Zip, Switches, Marked, Imported, EMail, Code, "
                        "Notes) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        for (const Record& r : records) {
            insert.Bind(1, r.name)
                .Bind(2, r.zip)
                .Bind(3, r.switches)
                .Bind(4, r.marked)
                .Bind(5, r.imported)
                .Bind(6, r.email)
                .Bind(7, r.code)
                .Bind(8, r.notes)
                .Run();
        }
        transaction.Commit();
    }

    std::map<QString, Stored> ByName() const {
        std::map<QString, Stored> rows;
        auto db = Connection::Open(m_path);
        Statement read = db->Prepare("SELECT Name, Switches, Code, Marked, Imported FROM List");
        while (read.Step())
            rows[read.Text(0)] = {read.Text(1), read.Text(2), int(read.Number(3)),
                                  int(read.Number(4))};
        return rows;
    }

    QStringList MarkedNames() const {
        QStringList names;
        for (const auto& [name, row] : ByName())
            if (row.marked == 1)
                names << name;
        return names;
    }

    // Stores a filter of the ZIP range and makes it the current filter.
    void FilterZips(const QString& start, const QString& end) {
        FilterRecord filter;
        filter.FilterName = "Zips";
        filter.StartZip = start;
        filter.EndZip = end;
        filter.StartPhone = filter.EndPhone = "0000000000";
        filter.Query = BuildFilterQuery(filter);
        FilterCore filters;
        ASSERT_TRUE(filters.NewRecord(filter));
        ControlCore().SetCurrentFilter(filters.ID());
    }

    static std::array<bool, 16> Ticked(std::initializer_list<int> switches) {
        std::array<bool, 16> ticked{};
        for (int number : switches)
            ticked[size_t(number - 1)] = true;
        return ticked;
    }

    QString m_path;
};

TEST_F(BulkConversionTest, SelectedSwitchesAndPadding) {
    EXPECT_EQ(BulkConversion::SelectedSwitches(Ticked({})), "0000000000000000");
    EXPECT_EQ(BulkConversion::SelectedSwitches(Ticked({1, 16})), "1000000000000001");
    EXPECT_EQ(BulkConversion::FullSwitches(""), "0000000000000000");
    EXPECT_EQ(BulkConversion::FullSwitches("101"), "1010000000000000");
    EXPECT_EQ(BulkConversion::FullSwitches("0110000000000000"), "0110000000000000");
}

TEST_F(BulkConversionTest, MarksToSwitchesSetsTheTickedPositionsOfMarkedRecordsOnly) {
    Add({{"Adams", "454020000", "1000000000000001", 1},
         {"Baker", "454020000", "0100100000000000", 1},
         {"Clark", "454020000", "0010000000000000", 0},
         {"Short", "454020000", "11", 1}});
    ListCore list;
    list.SetMarkedRecordset();
    const BulkOutcome outcome = BulkConversion(list).AddSwitches(
        BulkConversion::SelectedSwitches(Ticked({2, 5})), BulkFlag::Marked);
    EXPECT_FALSE(outcome.failed);
    EXPECT_FALSE(outcome.stopped);
    EXPECT_EQ(outcome.changed, 3);

    const auto rows = ByName();
    EXPECT_EQ(rows.at("Adams").switches, "1100100000000001");
    EXPECT_EQ(rows.at("Baker").switches, "0100100000000000");
    EXPECT_EQ(rows.at("Short").switches, "1100100000000000");
    for (const char* name : {"Adams", "Baker", "Short"})
        EXPECT_EQ(rows.at(name).marked, 0) << name;
    // The unmarked record keeps its switches.
    EXPECT_EQ(rows.at("Clark").switches, "0010000000000000");
    EXPECT_EQ(rows.at("Clark").marked, 0);
}

TEST_F(BulkConversionTest, ImportFlagsToCodeWritesTheCodeAsGivenAndLeavesMarks) {
    Add({{"Adams", "454020000", "0000000000000000", 1, 1},
         {"Baker", "454020000", "0000000000000000", 0, 1},
         {"Clark", "454020000", "0000000000000000", 1, 0}});
    ListCore list;
    list.SetImportedFlagRecordset();
    EXPECT_EQ(BulkConversion(list).WriteCode(" Spring 99", BulkFlag::Imported).changed, 2);
    auto rows = ByName();
    EXPECT_EQ(rows.at("Adams").code, " Spring 99");
    EXPECT_EQ(rows.at("Adams").imported, 0);
    EXPECT_EQ(rows.at("Adams").marked, 1);
    EXPECT_EQ(rows.at("Baker").code, " Spring 99");
    EXPECT_EQ(rows.at("Clark").code, "OLD");
    EXPECT_EQ(rows.at("Clark").marked, 1);

    // Marks to code with an empty code box empties the code.
    list.SetMarkedRecordset();
    EXPECT_EQ(BulkConversion(list).WriteCode(QString(), BulkFlag::Marked).changed, 2);
    rows = ByName();
    EXPECT_EQ(rows.at("Adams").code, "");
    EXPECT_EQ(rows.at("Clark").code, "");
    EXPECT_EQ(rows.at("Clark").marked, 0);
    EXPECT_EQ(rows.at("Baker").code, " Spring 99");
}

TEST_F(BulkConversionTest, TurnOffSwitchesWorksOnTheFilterAndKeepsOtherPositions) {
    Add({{"Adams", "454020000", "1111111111111111"},
         {"Baker", "454990000", "0010000000000001"},
         {"Clark", "600000000", "1111111111111111"},
         {"Short", "454100000", "101"}});
    FilterZips("454000000", "459999999");
    ListCore list;
    list.SetCurrentFilter();
    ASSERT_EQ(list.Records(), 3);
    const BulkOutcome outcome =
        BulkConversion(list).TurnOffSwitches(BulkConversion::SelectedSwitches(Ticked({3})));
    EXPECT_EQ(outcome.visited, 3);
    const auto rows = ByName();
    EXPECT_EQ(rows.at("Adams").switches, "1101111111111111");
    EXPECT_EQ(rows.at("Baker").switches, "0000000000000001");
    EXPECT_EQ(rows.at("Short").switches, "1000000000000000");
    // Outside the filter.
    EXPECT_EQ(rows.at("Clark").switches, "1111111111111111");
}

TEST_F(BulkConversionTest, MarkAllMarksTheFilterOrTheWholeList) {
    Add({{"Adams", "454020000"}, {"Baker", "600000000"}, {"Clark", "454990000"}});
    FilterZips("454000000", "459999999");
    ListCore list;
    list.SetCurrentFilter();
    EXPECT_EQ(BulkConversion(list).MarkAll().changed, 2);
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Clark"}));

    // Without a filter the set is the whole list.
    ControlCore().SetCurrentFilter(0);
    list.SetCurrentFilter();
    ASSERT_FALSE(list.Filtered());
    EXPECT_EQ(BulkConversion(list).MarkAll().changed, 3);
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Baker", "Clark"}));
}

TEST_F(BulkConversionTest, ContextSearchForTextIgnoresCaseAndLeavesOthersAlone) {
    Add({{"Smith; John"},
         {"SMITH; Ann"},
         {"Goldsmith; Al"},
         {"Jones; Bo", "454020000", "0000000000000000", 1},
         {"Brown; Cy"}});
    ListCore list;
    EXPECT_EQ(BulkConversion(list).MarkMatches(ContextField::Name, "smith", false).changed, 3);
    // Jones was marked before and stays so; Brown is left alone.
    EXPECT_EQ(MarkedNames(),
              QStringList({"Goldsmith; Al", "Jones; Bo", "SMITH; Ann", "Smith; John"}));

    auto db = Connection::Open(m_path);
    db->Execute("UPDATE List SET Marked = 0");
    EXPECT_EQ(BulkConversion(list).MarkMatches(ContextField::Name, "smith", true).changed, 2);
    EXPECT_EQ(MarkedNames(), QStringList({"Brown; Cy", "Jones; Bo"}));
}

TEST_F(BulkConversionTest, ContextSearchForAnEmptyTextFindsBlankFields) {
    Record withMail{"Adams"};
    withMail.email = "a@example.com";
    Record blankMail{"Baker"};
    blankMail.email = "   ";
    Record noMail{"Clark"};
    Record otherMail{"Davis"};
    otherMail.email = "d@example.com";
    Add({withMail, blankMail, noMail, otherMail});
    ListCore list;
    EXPECT_EQ(BulkConversion(list).MarkMatches(ContextField::EMail, QString(), false).changed, 2);
    EXPECT_EQ(MarkedNames(), QStringList({"Baker", "Clark"}));

    auto db = Connection::Open(m_path);
    db->Execute("UPDATE List SET Marked = 0");
    EXPECT_EQ(BulkConversion(list).MarkMatches(ContextField::EMail, QString(), true).changed, 2);
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Davis"}));
}

TEST_F(BulkConversionTest, ContextSearchReadsTheChosenFieldAsStored) {
    Record a{"Adams", "454021234"};
    a.notes = "Met at the fair";
    Record b{"Baker", "600001234"};
    b.notes = "Prefers e-mail";
    Add({a, b});
    ListCore list;
    // ZIPs as digits: "45402" is in the stored "454021234" only.
    EXPECT_EQ(BulkConversion(list).MarkMatches(ContextField::Zip, "45402", false).changed, 1);
    EXPECT_EQ(MarkedNames(), QStringList({"Adams"}));
    EXPECT_EQ(BulkConversion(list).MarkMatches(ContextField::Notes, "E-MAIL", false).changed, 1);
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Baker"}));
    // The captions and columns of the "In Field" list.
    EXPECT_EQ(ContextFieldCaption(ContextField::EMail), "EMail Address");
    EXPECT_EQ(ContextFieldColumn(ContextField::Attention), "Attention");
    EXPECT_EQ(ContextFieldCaption(ContextField::CarRt), "Carrier Route");
    EXPECT_EQ(ContextFieldColumn(ContextField::CarRt), "CarRt");
}

class BulkBatchTest : public BulkConversionTest {
protected:
    void SetUp() override {
        BulkConversionTest::SetUp();
        std::vector<Record> records;
        for (int i = 0; i < 2500; ++i)
            records.push_back({QStringLiteral("Name %1").arg(i, 4, 10, QLatin1Char('0')),
                               "454020000", "0000000000000000", 1});
        Add(records);
    }

    // Records whose code and mark have both changed, and those with neither changed.
    std::pair<int, int> WholeRecords() const {
        int changed = 0;
        int untouched = 0;
        for (const auto& [name, row] : ByName()) {
            if (row.code == "NEW" && row.marked == 0)
                ++changed;
            else if (row.code == "OLD" && row.marked == 1)
                ++untouched;
            else
                ADD_FAILURE() << "half-changed record " << name.toStdString();
        }
        return {changed, untouched};
    }
};

TEST_F(BulkBatchTest, AStopKeepsTheRecordsDoneAndNoHalfChangedRecord) {
    ListCore list;
    list.SetMarkedRecordset();
    std::vector<qint64> reports;
    BulkConversion bulk(list, [&reports](qint64 done, qint64 total) {
        EXPECT_EQ(total, 2500);
        reports.push_back(done);
        return done < 1000;
    });
    const BulkOutcome outcome = bulk.WriteCode("NEW", BulkFlag::Marked);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.changed, 1000);
    EXPECT_EQ(reports, std::vector<qint64>({0, 1000}));
    EXPECT_EQ(WholeRecords(), std::make_pair(1000, 1500));
}

TEST_F(BulkBatchTest, AFailureKeepsWholeBatchesAndTellsTheEngineError) {
    {
        // The engine refuses to change the 1,205th record in name order.
        auto db = Connection::Open(m_path);
        db->Execute("CREATE TRIGGER Refuse BEFORE UPDATE ON List WHEN NEW.Name = 'Name 1204' "
                    "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
    }
    ListCore list;
    list.SetMarkedRecordset();
    const BulkOutcome outcome = BulkConversion(list, {}, 500).WriteCode("NEW", BulkFlag::Marked);
    EXPECT_TRUE(outcome.failed);
    EXPECT_TRUE(m_dialogs->TakeMessage().text.contains("refused by the test"));
    // Two whole batches of 500 are kept; the batch in hand is rolled back.
    EXPECT_EQ(WholeRecords(), std::make_pair(1000, 1500));
}

} // namespace

#include "filters/duplicate_check.h"

#include "database/connection.h"
#include "database/list_core.h"
#include "database/statement.h"
#include "filters/duplicate_check_host.h"
#include "support/test_environment.h"

#include <QStringList>

namespace {

struct Record {
    Record(const QString& name, const char* address, const char* zip = "454020000", int marked = 0)
        : name(name), address(address), zip(zip), marked(marked) {}

    QString name;
    QString address;
    QString zip;
    int marked = 0;
};

// A host that records what it is shown and asks to stop once the check has visited
// stopAfter records (never when it is 0).
class RecordingHost : public DuplicateCheckHost {
public:
    explicit RecordingHost(qint64 stopAfter = 0) : m_stopAfter(stopAfter) {}
    void Starting(qint64 records) override { started = records; }
    void Visiting(qint64 visited, const QString& zipKey) override {
        lastVisited = visited;
        lastZip = zipKey;
    }
    bool KeepGoing() override {
        ++asked;
        return m_stopAfter == 0 || lastVisited < m_stopAfter;
    }

    qint64 started = -1;
    qint64 lastVisited = 0;
    QString lastZip;
    int asked = 0;

private:
    qint64 m_stopAfter;
};

class DuplicateCheckTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
    }

    void Add(const std::vector<Record>& records) {
        auto db = Connection::Open(m_path);
        Transaction transaction(*db);
        Statement insert =
            db->Prepare("INSERT INTO List (Name, Address, Zip, Marked) VALUES (?, ?, ?, ?)");
        for (const Record& r : records)
            insert.Bind(1, r.name).Bind(2, r.address).Bind(3, r.zip).Bind(4, r.marked).Run();
        transaction.Commit();
    }

    // The names of the marked records, in name order then address.
    QStringList Marked() const {
        QStringList names;
        auto db = Connection::Open(m_path);
        Statement read = db->Prepare("SELECT Name, Address FROM List WHERE Marked = 1 "
                                     "ORDER BY Name COLLATE BINARY, Address");
        while (read.Step())
            names << read.Text(0) + " / " + read.Text(1);
        return names;
    }

    DuplicateCheck::Result Check(bool leaveFirstUnmarked, int batchRows = 0) {
        ListCore list;
        RecordingHost host;
        return DuplicateCheck(list, host, batchRows).Run(leaveFirstUnmarked);
    }

    QString m_path;
};

TEST(DuplicateKeys, FirstWordZipKeyAndContainment) {
    EXPECT_EQ(DuplicateCheck::FirstWord("Smith; John"), "Smith;");
    EXPECT_EQ(DuplicateCheck::FirstWord("12 Oak St"), "12");
    EXPECT_EQ(DuplicateCheck::FirstWord("Jones"), "Jones");
    // A blank that ends the text does not end the word.
    EXPECT_EQ(DuplicateCheck::FirstWord("Jones "), "Jones ");
    EXPECT_EQ(DuplicateCheck::FirstWord(" Jones"), "");
    EXPECT_EQ(DuplicateCheck::FirstWord(""), "");
    EXPECT_EQ(DuplicateCheck::FirstWord("PO Box\r\n12"), "PO");
    EXPECT_EQ(DuplicateCheck::ZipKey("454021234"), "45402");
    EXPECT_EQ(DuplicateCheck::ZipKey("454"), "454");

    EXPECT_TRUE(DuplicateCheck::ContainsKey("Smith; Jane", "Smith;"));
    EXPECT_FALSE(DuplicateCheck::ContainsKey("Smithson; Al", "Smith;"));
    EXPECT_FALSE(DuplicateCheck::ContainsKey("smith; John", "Smith;"));
    EXPECT_TRUE(DuplicateCheck::ContainsKey("Jones-Miller", "Jones"));
    EXPECT_TRUE(DuplicateCheck::ContainsKey("120 Elm St", "12"));
    EXPECT_TRUE(DuplicateCheck::ContainsKey("Apt 12", "12"));
    // An empty key is in every field but an empty one.
    EXPECT_TRUE(DuplicateCheck::ContainsKey("x", ""));
    EXPECT_FALSE(DuplicateCheck::ContainsKey("", ""));
}

TEST_F(DuplicateCheckTest, FindsNeighboursWithAllThreeKeysAndLeavesTheRestAlone) {
    Add({
        // A pair: the keys Smith; and 12 are in the second record.
        {"Smith; John", "12 Oak St", "454020000"},
        {"Smith; Jane", "12 Oak Street", "454021234"},
        // Letters differ by case: no pair.
        {"Brown; Al", "5 Elm", "454100000"},
        {"brown; Al", "5 Elm", "454100000"},
        // The semicolon is part of the key: no pair.
        {"Smith; Al", "7 Pine", "454200000"},
        {"Smithson; Al", "7 Pine", "454200000"},
        // A key without a semicolon is in Jones-Miller; 12 is in Apt 12.
        {"Jones", "12 Main", "454300000"},
        {"Jones-Miller", "Apt 12", "454300000"},
        // Same name and address in another 5-digit ZIP: no pair.
        {"Gray; Ed", "9 Bay Rd", "454400000"},
        {"Gray; Ed", "9 Bay Rd", "454410000"},
        // Empty names give an empty key, which no empty name contains.
        {"", "3 Hill", "454500000"},
        {"", "3 Hill", "454500000"},
    });
    const DuplicateCheck::Result result = Check(false);
    EXPECT_EQ(result.outcome, DuplicateCheck::Outcome::Finished);
    EXPECT_EQ(result.found, 2);
    EXPECT_EQ(result.visited, 12);
    EXPECT_EQ(Marked(), QStringList({"Jones / 12 Main", "Jones-Miller / Apt 12",
                                     "Smith; Jane / 12 Oak Street", "Smith; John / 12 Oak St"}));
}

TEST_F(DuplicateCheckTest, OnlyNeighboursInZipAndNameOrderAreCompared) {
    Add({{"Brown; Al", "12 Oak", "454020000"},
         {"Brown; Bo", "99 Elm", "454020000"},
         {"Brown; Cy", "12 Oak", "454020000"}});
    // Al and Cy match but Bo stands between them, and neither pair with Bo matches.
    EXPECT_EQ(Check(false).found, 0);
    EXPECT_TRUE(Marked().isEmpty());
}

TEST_F(DuplicateCheckTest, ARunOfThreeIsTwoPairs) {
    const std::vector<Record> run = {{"Lee; Ann", "4 Elm", "454020000"},
                                     {"Lee; Bea", "4 Elm", "454020000"},
                                     {"Lee; Cal", "4 Elm", "454020000"},
                                     {"Zane; Dee", "4 Elm", "454020000"}};
    Add(run);
    DuplicateCheck::Result result = Check(false);
    EXPECT_EQ(result.found, 2);
    EXPECT_EQ(Marked(), QStringList({"Lee; Ann / 4 Elm", "Lee; Bea / 4 Elm", "Lee; Cal / 4 Elm"}));

    // With one record left unmarked the first of the run stays so.
    auto db = Connection::Open(m_path);
    db->Execute("UPDATE List SET Marked = 0");
    result = Check(true);
    EXPECT_EQ(result.found, 2);
    EXPECT_EQ(Marked(), QStringList({"Lee; Bea / 4 Elm", "Lee; Cal / 4 Elm"}));
}

TEST_F(DuplicateCheckTest, MarkedRecordsAreClearedOnlyWhenTheUserSaysYes) {
    Add({{"Lee; Ann", "4 Elm"},
         {"Lee; Bea", "4 Elm"},
         {"Zane; Dee", "8 Oak", "600000000", 1},
         {"Young; Eve", "1 Bay", "700000000", 1}});
    m_dialogs->AnswerNo();
    EXPECT_EQ(Check(false).outcome, DuplicateCheck::Outcome::Declined);
    ASSERT_EQ(m_dialogs->Questions().size(), 1u);
    EXPECT_EQ(m_dialogs->Questions()[0].text, "2 marked flags are turned on. Turn them off?");
    EXPECT_EQ(m_dialogs->Questions()[0].title, "Lettrino");
    EXPECT_EQ(m_dialogs->Beeps(), 1);
    EXPECT_EQ(Marked(), QStringList({"Young; Eve / 1 Bay", "Zane; Dee / 8 Oak"}));

    m_dialogs->AnswerYes();
    const DuplicateCheck::Result result = Check(false);
    EXPECT_EQ(result.outcome, DuplicateCheck::Outcome::Finished);
    EXPECT_EQ(result.found, 1);
    EXPECT_EQ(Marked(), QStringList({"Lee; Ann / 4 Elm", "Lee; Bea / 4 Elm"}));
}

TEST_F(DuplicateCheckTest, AnEmptyListFinishesAtOnce) {
    ListCore list;
    RecordingHost host;
    const DuplicateCheck::Result result = DuplicateCheck(list, host).Run(false);
    EXPECT_EQ(result.outcome, DuplicateCheck::Outcome::Finished);
    EXPECT_EQ(result.found, 0);
    EXPECT_EQ(host.started, -1);
}

class DuplicateRunTest : public DuplicateCheckTest {
protected:
    // 3,000 records in one ZIP, all with the same name key and address key: every record
    // but the first is a duplicate of the one before.
    void SetUp() override {
        DuplicateCheckTest::SetUp();
        std::vector<Record> records;
        for (int i = 0; i < 3000; ++i)
            records.push_back({QStringLiteral("Lee; %1").arg(i, 4, 10, QLatin1Char('0')), "4 Elm"});
        Add(records);
    }

    qint64 MarkedCount() const {
        return Connection::Open(m_path)->QueryNumber("SELECT Count(*) FROM List WHERE Marked = 1");
    }
};

TEST_F(DuplicateRunTest, MarksAreWrittenInBatchesWhileTheListIsRead) {
    const DuplicateCheck::Result result = Check(false, 1000);
    EXPECT_EQ(result.outcome, DuplicateCheck::Outcome::Finished);
    EXPECT_EQ(result.found, 2999);
    EXPECT_EQ(MarkedCount(), 3000);
}

TEST_F(DuplicateRunTest, AStopKeepsTheMarksSetSoFar) {
    ListCore list;
    RecordingHost host(1000);
    const DuplicateCheck::Result result = DuplicateCheck(list, host).Run(true);
    EXPECT_EQ(result.outcome, DuplicateCheck::Outcome::Stopped);
    EXPECT_EQ(host.started, 3000);
    EXPECT_GT(host.asked, 0);
    // The host is asked every 256 records: the check stops at the first look past 1,000.
    EXPECT_EQ(result.visited, 1024);
    EXPECT_EQ(result.found, 1023);
    EXPECT_EQ(MarkedCount(), 1023);
    EXPECT_EQ(host.lastZip, "45402");
}

} // namespace

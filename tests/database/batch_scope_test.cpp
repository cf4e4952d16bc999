#include "database/batch_scope.h"

#include "database/connection.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "support/test_environment.h"

#include <stdexcept>

namespace {

class BatchScopeTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
    }

    // What another connection sees of the list.
    qint64 CommittedRecords() {
        return Connection::Open(m_path)->QueryNumber("SELECT count(*) FROM List");
    }

    static ListRecord Record(int i) {
        ListRecord r;
        r.Name = QStringLiteral("Name %1").arg(i);
        return r;
    }

    QString m_path;
};

TEST_F(BatchScopeTest, FullBatchesAreCommittedAsTheyFillAndTheRestAtTheEnd) {
    ListCore store;
    {
        auto batch = store.BeginBatch(3);
        for (int i = 0; i < 7; ++i) {
            ASSERT_TRUE(store.NewRecord(Record(i)));
            EXPECT_EQ(CommittedRecords(), (i + 1) / 3 * 3) << "after row " << i;
        }
        EXPECT_EQ(batch->RowsInBatch(), 1);
    }
    EXPECT_EQ(CommittedRecords(), 7);
}

TEST_F(BatchScopeTest, AFailureRollsBackOnlyTheOpenBatch) {
    ListCore store;
    try {
        auto batch = store.BeginBatch(2);
        for (int i = 0; i < 5; ++i)
            store.NewRecord(Record(i));
        throw std::runtime_error("stopped by a fault");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(CommittedRecords(), 4);
    // The store works on without a transaction afterwards.
    ASSERT_TRUE(store.NewRecord(Record(9)));
    EXPECT_EQ(CommittedRecords(), 5);
}

TEST_F(BatchScopeTest, AScopeOpenedInsideAnotherJoinsIt) {
    ListCore store;
    {
        auto outer = store.BeginBatch(4);
        store.NewRecord(Record(1));
        {
            auto inner = store.BeginBatch(100);
            store.NewRecord(Record(2));
            store.NewRecord(Record(3));
        }
        EXPECT_EQ(CommittedRecords(), 0); // the inner scope ending commits nothing
        store.NewRecord(Record(4));
        EXPECT_EQ(CommittedRecords(), 4);
        outer->Commit();
    }
    EXPECT_EQ(CommittedRecords(), 4);
}

} // namespace

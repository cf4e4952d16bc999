#include "database/change_watch.h"

#include "database/connection.h"
#include "support/test_environment.h"

namespace {

class ChangeWatchTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
        m_own = Connection::Open(m_path);
    }

    QString m_path;
    std::unique_ptr<Connection> m_own;
};

TEST_F(ChangeWatchTest, SeesCommitsOfOtherConnectionsAndOwnWritesButNotReads) {
    ChangeWatch watch(*m_own);
    const ChangeWatch::Token start = watch.Now();
    EXPECT_TRUE(start.valid);
    m_own->QueryNumber("SELECT count(*) FROM List");
    EXPECT_EQ(watch.Now(), start);

    Connection::Open(m_path)->Execute("INSERT INTO List (Name) VALUES ('Other')");
    const ChangeWatch::Token afterOther = watch.Now();
    EXPECT_NE(afterOther, start);
    EXPECT_EQ(watch.Now(), afterOther);

    // An own write is seen before it is committed.
    Transaction transaction(*m_own);
    m_own->Execute("UPDATE List SET Code = 'X'");
    EXPECT_NE(watch.Now(), afterOther);
}

TEST_F(ChangeWatchTest, AFileWithAWriteAheadLogAlwaysCountsAsChanged) {
    m_own->Execute("PRAGMA journal_mode = WAL");
    ChangeWatch watch(*m_own);
    EXPECT_FALSE(watch.Now().valid);
    EXPECT_NE(watch.Now(), watch.Now());
}

} // namespace

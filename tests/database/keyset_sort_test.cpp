#include "database/keyset_sort.h"

#include "database/connection.h"
#include "database/statement.h"
#include "support/test_environment.h"

namespace {

class KeysetSortTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_db = Connection::Open(MakeList());
        Transaction transaction(*m_db);
        // Ties, letters of both cases, non-ASCII letters (which NOCASE leaves alone), empty
        // texts, a NULL, and dates stored as text (compared as they are).
        const char* const names[] = {"adams",  "Adams", "ADAMS",  "Zeta",  "zeta", "Éclair",
                                     "éclair", "Baker", "",       "baker", "Ö",    "o",
                                     "O",      "Adam",  "Adams ", "[x]",   "_x",   "a_b"};
        int i = 0;
        for (const char* name : names) {
            m_db->Prepare("INSERT INTO List (Name, Zip, City, LastEdit) VALUES (?, ?, ?, ?)")
                .Bind(1, QString::fromUtf8(name))
                .Bind(2, QStringLiteral("%1").arg(10000 + (i * 7) % 5))
                .Bind(3, i % 3 ? QStringLiteral("Town") : QStringLiteral("town"))
                .Bind(4, QStringLiteral("2020-01-%1").arg(1 + i % 4, 2, 10, QLatin1Char('0')))
                .Run();
            ++i;
        }
        m_db->Execute("UPDATE List SET City = NULL WHERE Name = 'Baker'");
        transaction.Commit();
    }

    // The IDs as the engine orders them.
    std::vector<qint64> EngineOrder(const QString& sql) {
        std::vector<qint64> ids;
        QString narrowed = sql;
        narrowed.replace(QStringLiteral("SELECT *"), QStringLiteral("SELECT [ID]"));
        Statement rows = m_db->Prepare(narrowed);
        while (rows.Step())
            ids.push_back(rows.Number(0));
        return ids;
    }

    std::unique_ptr<Connection> m_db;
};

TEST_F(KeysetSortTest, SimpleQueriesComeInTheEnginesOrder) {
    for (const char* sql : {
             "SELECT * FROM [List] ORDER BY [Name];",
             "SELECT * FROM List ORDER BY Zip",
             "SELECT * FROM [List] ORDER BY [City];",
             "SELECT * FROM [List] ORDER BY [LastEdit];",
             "SELECT * FROM [List] WHERE [Zip] >= '10001' AND [Zip] <= '10003' ORDER BY [Zip];",
             "SELECT * FROM [List] WHERE ([Name] LIKE 'a*') ORDER BY [City];",
             "select * from [List]\nwhere [Name] >= 'b'\norder by [Name] ;",
         }) {
        std::vector<qint64> ids;
        ASSERT_TRUE(CollectSortedIds(*m_db, sql, ids)) << sql;
        EXPECT_EQ(ids, EngineOrder(sql)) << sql;
    }
}

TEST_F(KeysetSortTest, OtherQueriesAreLeftToTheEngine) {
    for (const char* sql : {
             "SELECT * FROM [List] ORDER BY [Name] DESC;",
             "SELECT * FROM [List] ORDER BY [Name], [Zip];",
             "SELECT * FROM [List] ORDER BY +[Name];",
             "SELECT * FROM [List] WHERE [ID] IN (SELECT [ID] FROM [List]) ORDER BY [Name];",
             "SELECT * FROM [List] ORDER BY [Name] LIMIT 3;",
             "SELECT [ID] FROM [List] ORDER BY [Name];",
             "SELECT * FROM [List] ORDER BY [Marked];", // numbers
             "SELECT * FROM [List] ORDER BY [NoSuchColumn];",
             "SELECT * FROM [List];",
         }) {
        std::vector<qint64> ids{42};
        EXPECT_FALSE(CollectSortedIds(*m_db, sql, ids)) << sql;
        EXPECT_EQ(ids, std::vector<qint64>{42}) << sql;
    }
}

} // namespace

#include "database/schema.h"

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/new_database.h"
#include "database/statement.h"
#include "support/test_environment.h"

namespace {

struct CatalogueColumn {
    QString name, type, defaultValue;
};

std::vector<CatalogueColumn> Columns(Connection& db, const QString& table) {
    std::vector<CatalogueColumn> result;
    Statement info = db.Prepare("PRAGMA table_info(\"" + table + "\")");
    while (info.Step())
        result.push_back({info.Text(1), info.Text(2), info.Text(4)});
    return result;
}

class Schema : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        ASSERT_TRUE(CreateNewDatabase(Path("New.mdb")));
        m_db = Connection::Open(Path("New.mdb"));
    }
    void TearDown() override {
        m_db.reset();
        LettrinoTest::TearDown();
    }
    QString TableSql(const QString& table) {
        Statement s = m_db->Prepare("SELECT sql FROM sqlite_master WHERE name = ?");
        s.Bind(1, table);
        return s.Step() ? s.Text(0) : QString();
    }
    std::unique_ptr<Connection> m_db;
};

} // namespace

TEST_F(Schema, TablesAreCreatedInOrderAndEmpty) {
    QStringList tables;
    Statement s = m_db->Prepare("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                "name NOT LIKE 'sqlite*' ORDER BY rowid");
    while (s.Step())
        tables << s.Text(0);
    EXPECT_EQ(tables,
              QStringList({"Control", "Filter", "Labels", "Template", "List", "SwitchNames"}));
    for (const QString& table : tables)
        EXPECT_EQ(m_db->QueryNumber("SELECT count(*) FROM " + table), 0) << table.toStdString();
}

TEST_F(Schema, ColumnsTypesAndDefaultsAreThoseOfTheListFile) {
    const auto list = Columns(*m_db, "List");
    QStringList names;
    for (const auto& c : list)
        names << c.name;
    EXPECT_EQ(names, QStringList({"ID", "Name", "Address", "City", "State", "Zip", "DPOverride",
                                  "EMail", "Phone", "Attention", "Code", "CarRt", "LastEdit",
                                  "Switches", "Notes", "Marked", "Imported"}));
    EXPECT_EQ(list[1].type, "TEXT");
    EXPECT_EQ(list[1].defaultValue, "''");
    EXPECT_EQ(list[12].defaultValue, "'1899-12-30'");
    EXPECT_EQ(list[13].defaultValue, "'0000000000000000'");
    EXPECT_EQ(list[15].type, "INTEGER");
    EXPECT_EQ(list[15].defaultValue, "0");

    const auto control = Columns(*m_db, "Control");
    ASSERT_EQ(control.size(), 5u);
    EXPECT_EQ(control[0].name, "Identification");
    EXPECT_EQ(control[0].defaultValue, "Tessavane");
    EXPECT_EQ(control[1].name, "DatabaseVersion");

    const auto filter = Columns(*m_db, "Filter");
    ASSERT_EQ(filter.size(), 28u);
    EXPECT_EQ(filter[2].name, "StartName");
    EXPECT_EQ(filter[3].name, "EndName");
    EXPECT_EQ(filter[16].name, "StartCarRt");
    EXPECT_EQ(filter[18].name, "StartDate");
    EXPECT_EQ(filter[20].name, "OrSelect");
    EXPECT_EQ(filter[20].defaultValue, "0000000000000000");
    EXPECT_EQ(filter[23].name, "OrReject");
    EXPECT_EQ(filter[26].name, "Sequence");
    EXPECT_EQ(filter[27].name, "Query");

    const auto labels = Columns(*m_db, "Labels");
    ASSERT_EQ(labels.size(), 9u);
    EXPECT_EQ(labels[3].type, "INTEGER"); // LCols: Byte
    EXPECT_EQ(labels[4].type, "REAL");    // IndentTop: Single

    EXPECT_EQ(Columns(*m_db, "Template").size(), 15u);
    EXPECT_EQ(Columns(*m_db, "SwitchNames").size(), 2u);
}

TEST_F(Schema, CountersAreAutoIncrementingKeysAndTextIsCaseBlind) {
    for (const char* table : {"Filter", "Labels", "Template", "List", "SwitchNames"})
        EXPECT_TRUE(TableSql(table).contains("\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT")) << table;
    EXPECT_FALSE(TableSql("Control").contains("PRIMARY KEY"));
    EXPECT_TRUE(TableSql("List").contains("\"Name\" TEXT COLLATE NOCASE"));
    EXPECT_TRUE(TableSql("List").contains("\"Notes\" TEXT COLLATE NOCASE"));

    // Explicit numbers are accepted and numbering continues above them.
    m_db->Execute("INSERT INTO List (ID, Name) VALUES (250, 'a')");
    m_db->Execute("INSERT INTO List (Name) VALUES ('b')");
    EXPECT_EQ(m_db->LastInsertId(), 251);
    m_db->Execute("DELETE FROM List WHERE ID = 251");
    m_db->Execute("INSERT INTO List (Name) VALUES ('c')");
    EXPECT_EQ(m_db->LastInsertId(), 252); // numbers are never reused
    EXPECT_EQ(m_db->QueryText("SELECT Name FROM List WHERE Name = 'A'"), "a");
}

TEST_F(Schema, IndexesHaveTheirNamesAndAreNotUnique) {
    Statement s = m_db->Prepare("SELECT name, tbl_name, sql FROM sqlite_master WHERE type = "
                                "'index' AND sql IS NOT NULL ORDER BY name");
    QStringList indexes;
    while (s.Step()) {
        indexes << s.Text(1) + "." + s.Text(0);
        EXPECT_FALSE(s.Text(2).contains("UNIQUE")) << s.Text(2).toStdString();
        EXPECT_TRUE(s.Text(2).contains("COLLATE NOCASE")) << s.Text(2).toStdString();
    }
    EXPECT_EQ(indexes, QStringList({"Filter.FilterName", "List.Name", "Template.TemplateName"}));
    m_db->Execute("INSERT INTO List (Name) VALUES ('Lindqvist; Maren'), ('Lindqvist; Maren')");
    EXPECT_EQ(m_db->QueryNumber("SELECT count(*) FROM List"), 2);
}

TEST_F(Schema, TheEngineRefusesValuesThatBreakTheColumnRules) {
    auto expectRefused = [&](const QString& sql, int number, const QString& words) {
        try {
            m_db->Execute(sql);
            ADD_FAILURE() << "accepted: " << sql.toStdString();
        } catch (const EngineError& error) {
            EXPECT_EQ(error.Number(), number) << sql.toStdString();
            EXPECT_TRUE(error.Description().contains(words)) << error.Description().toStdString();
        }
    };
    expectRefused("INSERT INTO List (Name) VALUES ('" + QString(35, 'x') + "')", 3163,
                  "The value for Name is too long: Name holds at most 34 characters.");
    expectRefused("INSERT INTO Filter (FilterName) VALUES ('" + QString(21, 'x') + "')", 3163,
                  "FilterName holds at most 20 characters");
    expectRefused("INSERT INTO List (Switches) VALUES ('')", 3315, "Switches");
    expectRefused("INSERT INTO List (Marked) VALUES (256)", 3349, "Marked");
    expectRefused("INSERT INTO Control (Identification) VALUES ('')", 3315, "Identification");
    // At the limit, counted in characters rather than bytes.
    m_db->Execute("INSERT INTO List (Name) VALUES ('" + QString(34, QChar(0x00FC)) + "')");
    EXPECT_EQ(m_db->QueryNumber("SELECT count(*) FROM List"), 1);
}

#include "database/jet_file.h"
#include "database/upgrade.h"

#include "app/settings.h"
#include "database/connection.h"
#include "database/open_database.h"
#include "database/statement.h"
#include "support/test_environment.h"

#include <QDir>

namespace {

const QString kNotAList = " is not a valid Lettrino mailing list. Please open a different one.";

class JetConversion : public LettrinoTest {
protected:
    // Copies a Jet fixture, opens it as the current list and returns the open list.
    std::unique_ptr<Connection> OpenFixture(const QString& name) {
        m_path = CopyFixture("jet/" + name);
        if (m_path.isEmpty())
            return nullptr;
        m_original = ReadBytes(m_path);
        SetCurrentList(m_path);
        return OpenCurrentDatabase();
    }

    static QList<qint64> Ids(Connection& db, const QString& sql) {
        QList<qint64> ids;
        Statement rows = db.Prepare(sql);
        while (rows.Step())
            ids << rows.Number(0);
        return ids;
    }

    QString m_path;
    QByteArray m_original;
};

#define REQUIRE_FIXTURE(db)                                                                        \
    if (m_path.isEmpty())                                                                          \
        GTEST_SKIP() << "the shared fixtures are not on this machine";                             \
    ASSERT_NE(db, nullptr)

} // namespace

TEST_F(JetConversion, AVersion2JetListBecomesAListWithEveryRowAndValue) {
    auto db = OpenFixture("list-v2.mdb");
    REQUIRE_FIXTURE(db);
    EXPECT_EQ(ReadBytes(UpgradeBackupFile(m_path)), m_original);
    EXPECT_EQ(db->QueryText("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(db->QueryNumber("SELECT DatabaseVersion FROM Control"), 2);
    EXPECT_EQ(db->QueryNumber("SELECT CurrentTemplate FROM Control"), 4);
    EXPECT_EQ(db->QueryNumber("SELECT CurrentFilter FROM Control"), 3);
    EXPECT_EQ(db->QueryNumber("SELECT CurrentLabel FROM Control"), 4);

    EXPECT_EQ(Ids(*db, "SELECT ID FROM Filter ORDER BY ID"), QList<qint64>({1, 3, 7}));
    EXPECT_EQ(Ids(*db, "SELECT ID FROM Labels ORDER BY ID"), QList<qint64>({1, 2, 4}));
    EXPECT_EQ(Ids(*db, "SELECT ID FROM Template ORDER BY ID"), QList<qint64>({2, 4}));
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM SwitchNames"), 16);
    QList<qint64> listIds;
    for (qint64 id = 1; id <= 42; ++id)
        if (id != 5 && id != 15 && id != 16 && id != 30)
            listIds << id;
    listIds << 250 << 251;
    EXPECT_EQ(Ids(*db, "SELECT ID FROM List ORDER BY ID"), listIds);

    // Singles keep the value typed, not the float's long tail.
    EXPECT_EQ(db->QueryText("SELECT IndentTop || '/' || RowDelta || '/' || ColDelta FROM Labels "
                            "WHERE ID = 1"),
              "0.8/1.32/4.17");
    EXPECT_EQ(db->QueryText("SELECT LName FROM Labels WHERE ID = 4"), "Club badge 4x2");
    EXPECT_EQ(db->QueryText("SELECT Name FROM SwitchNames WHERE ID = 7"),
              QString::fromUtf8("Café meetup"));
    EXPECT_EQ(db->QueryText("SELECT Phone FROM Template WHERE ID = 2"), "317");
    EXPECT_EQ(db->QueryText("SELECT Notes FROM Template WHERE ID = 4").count("\r\n"), 1);

    // Texts beyond Latin-1, long notes, quotes and empty values.
    const QString notes22 = db->QueryText("SELECT Notes FROM List WHERE ID = 22");
    EXPECT_EQ(notes22.size(), 30000);
    EXPECT_TRUE(notes22.endsWith("-- END --."));
    EXPECT_TRUE(notes22.contains(QString::fromUtf8("€")));
    EXPECT_TRUE(db->QueryText("SELECT Notes FROM List WHERE ID = 23")
                    .contains(QString::fromUtf8("€ 25 pledged.")));
    EXPECT_EQ(db->QueryText("SELECT Name FROM List WHERE ID = 14"), "O'Brien; Siobhan");
    EXPECT_TRUE(db->QueryText("SELECT Name FROM List WHERE ID = 17").contains("\"Bob\""));
    EXPECT_EQ(db->QueryText("SELECT Name FROM List WHERE ID = 18"), "");
    EXPECT_EQ(db->QueryText("SELECT LastEdit || Switches || Marked FROM List WHERE ID = 19"),
              "1899-12-300000000000000000"
              "0");
    EXPECT_EQ(db->QueryNumber("SELECT length(Name) + length(Address) FROM List WHERE ID = 25"),
              34 + 200);
    EXPECT_EQ(db->QueryText("SELECT Zip || DPOverride || Switches FROM List WHERE ID = 25"),
              "99999999999"
              "1111111111111111");
    EXPECT_EQ(db->QueryText("SELECT DPOverride FROM List WHERE ID = 4"), "07");
    EXPECT_EQ(Ids(*db, "SELECT ID FROM List WHERE Marked = 1 ORDER BY ID"),
              QList<qint64>({3, 4, 6, 8, 9, 10, 23, 29, 35}));
    EXPECT_EQ(Ids(*db, "SELECT ID FROM List WHERE Imported = 1 ORDER BY ID"),
              QList<qint64>({2, 12, 18, 29, 33}));
    EXPECT_EQ(
        Ids(*db,
            "SELECT ID FROM List WHERE length(Zip) = 9 AND substr(Zip, 6) <> '0000' ORDER BY ID"),
        QList<qint64>({3, 6, 13, 21, 25}));
    EXPECT_EQ(Ids(*db, "SELECT ID FROM List WHERE Phone = '0000000000' ORDER BY ID"),
              QList<qint64>({10, 18, 26}));
    EXPECT_EQ(db->QueryText("SELECT LastEdit FROM List WHERE ID = 7"), "2002-03-06");

    // The stored filter queries run as they are.
    const QString query3 = db->QueryText("SELECT Query FROM Filter WHERE ID = 3");
    EXPECT_EQ(Ids(*db, query3), QList<qint64>({3, 9, 6}));
    const QString query7 = db->QueryText("SELECT Query FROM Filter WHERE ID = 7");
    EXPECT_EQ(query7, "SELECT * FROM [List] WHERE [LastEdit] >= #3/7/2002# ORDER BY [LastEdit];");
    EXPECT_EQ(Ids(*db, query7).size(), 19);
    EXPECT_EQ(db->QueryText("SELECT OrSelect || AndReject || StartDate FROM Filter WHERE ID = 3"),
              "10100000000000000000000000000001"
              "1899-12-30");

    // Opening it again changes nothing.
    db.reset();
    const QByteArray converted = ReadBytes(m_path);
    ASSERT_NE(OpenCurrentDatabase(), nullptr);
    EXPECT_EQ(ReadBytes(m_path), converted);
}

TEST_F(JetConversion, AVersion1JetListHasTheSameRowsWithEmptyNewColumns) {
    auto db = OpenFixture("list-v1.mdb");
    REQUIRE_FIXTURE(db);
    const QString v1 = m_path;
    db.reset();
    auto db2 = OpenFixture("list-v2.mdb");
    ASSERT_NE(db2, nullptr);
    db2.reset();
    EXPECT_EQ(Connection::Open(v1)->QueryNumber("SELECT DatabaseVersion FROM Control"), 2);
    EXPECT_EQ(Connection::Open(v1)->QueryNumber(
                  "SELECT count(*) FROM List WHERE CarRt <> '' OR DPOverride <> ''"),
              0);
    // Field by field, the version-1 list holds what the version-2 list holds.
    for (const char* table : {"Control", "Filter", "Labels", "Template", "SwitchNames", "List"}) {
        SCOPED_TRACE(table);
        auto dump = [&](const QString& path) {
            auto c = Connection::Open(path, Connection::Mode::ReadOnly);
            Statement rows =
                c->Prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
            QStringList out;
            while (rows.Step()) {
                QStringList values;
                for (int i = 0; i < rows.ColumnCount(); ++i) {
                    const QString column = rows.ColumnName(i);
                    if (column != "CarRt" && column != "DPOverride" && column != "StartCarRt" &&
                        column != "EndCarRt")
                        values << column + "=" + rows.Value(i).toString();
                }
                out << values.join("|");
            }
            return out;
        };
        EXPECT_EQ(dump(v1), dump(m_path));
    }
}

TEST_F(JetConversion, JetFilesThatAreNotListsAreLeftUntouched) {
    for (const char* name : {"wrong-mark.mdb", "not-a-list.mdb"}) {
        SCOPED_TRACE(name);
        auto db = OpenFixture(name);
        if (m_path.isEmpty())
            GTEST_SKIP() << "the shared fixtures are not on this machine";
        EXPECT_EQ(db, nullptr);
        m_dialogs->ExpectMessage(m_path + kNotAList);
        EXPECT_EQ(ReadBytes(m_path), m_original);
        EXPECT_FALSE(QFileInfo::exists(UpgradeBackupFile(m_path)));
        EXPECT_FALSE(QFileInfo::exists(UpgradeWorkFile(m_path)));
    }
}

TEST_F(JetConversion, AListBearingTheWorkOrBackupNameIsConvertedNeverDeleted) {
    // A kept backup opened as a list, and a list named like the work file: the conversion
    // works under other free names and keeps the original.
    struct Case {
        const char* fixture;
        const char* name;
        const char* keptAs;
    };
    int n = 0;
    for (const Case& c : {Case{"list-v1.mdb", "CLUB.bak", "CLUB-2.bak"},
                          Case{"list-v2.mdb", "CLUB.bak", "CLUB-2.bak"},
                          Case{"list-v1.mdb", "GLTmp.mdb", "GLTMP.bak"},
                          Case{"list-v2.mdb", "GLTmp.mdb", "GLTMP.bak"}}) {
        SCOPED_TRACE(std::string(c.fixture) + " as " + c.name);
        const QString folder = QStringLiteral("case%1/").arg(++n);
        QDir().mkpath(Path(folder));
        m_path = CopyFixture(QStringLiteral("jet/") + c.fixture, folder + c.name);
        if (m_path.isEmpty())
            GTEST_SKIP() << "the shared fixtures are not on this machine";
        const QByteArray original = ReadBytes(m_path);
        SetCurrentList(m_path);
        auto db = OpenCurrentDatabase();
        ASSERT_NE(db, nullptr);
        EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List"), 40);
        db.reset();
        EXPECT_EQ(CurrentListSetting(), m_path);
        const QString kept = Path(folder + c.keptAs);
        EXPECT_EQ(ReadBytes(kept), original);
        if (QLatin1String(c.name) == QLatin1String("CLUB.bak"))
            m_dialogs->ExpectMessage(
                "The list was converted to the current format. The original was kept as " + kept +
                ".");
        QStringList files = QDir(Path(folder)).entryList(QDir::Files);
        files.sort();
        QStringList expected = {QString::fromLatin1(c.name), QString::fromLatin1(c.keptAs)};
        expected.sort();
        EXPECT_EQ(files, expected);
    }
}

TEST_F(JetConversion, TheLargeJetListConvertsWhole) {
    auto db = OpenFixture("big-v2.mdb");
    REQUIRE_FIXTURE(db);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List"), 20000);
    EXPECT_EQ(db->QueryNumber("SELECT max(ID) FROM List"), 20000);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List WHERE Marked = 1"), 1990);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List WHERE Imported = 1"), 2913);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List WHERE LastEdit = '1899-12-30'"), 984);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List WHERE Address LIKE '*' || char(13, 10) "
                              "|| '*'"),
              2048);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List WHERE Phone = '0000000000'"), 2480);
}

TEST(JetDates, DaysBecomeIsoDatesWithTimeOnlyWhenThereIsOne) {
    EXPECT_EQ(JetFile::DateText(0), "1899-12-30");
    EXPECT_EQ(JetFile::DateText(37322), "2002-03-07");
    EXPECT_EQ(JetFile::DateText(37322.5), "2002-03-07 12:00:00");
    EXPECT_EQ(JetFile::DateText(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(JetFile::DateText(2958465), "9999-12-31");
}

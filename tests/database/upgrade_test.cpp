#include "database/upgrade.h"

#include "app/settings.h"
#include "database/connection.h"
#include "database/engine_error.h"
#include "database/open_database.h"
#include "database/schema.h"
#include "database/statement.h"
#include "support/test_environment.h"

#include <QDir>

namespace {

// Writes a list in the version-1 format: counters named Number (LNumber in Labels), no
// carrier route or delivery point columns.
void MakeVersion1List(const QString& path) {
    auto db = Connection::Open(path, Connection::Mode::Create);
    for (const TableDef& table : ListSchema()) {
        QStringList columns;
        for (const ColumnDef& c : table.columns) {
            const QString name = QLatin1String(c.name);
            if (name == "CarRt" || name == "DPOverride" || name == "StartCarRt" ||
                name == "EndCarRt")
                continue;
            if (name == "ID")
                columns << (QLatin1String(table.name) == QLatin1String("Labels") ? "LNumber"
                                                                                 : "Number") +
                               QString(" INTEGER PRIMARY KEY AUTOINCREMENT");
            else
                columns << "\"" + name + "\"";
        }
        db->Execute(QStringLiteral("CREATE TABLE \"%1\" (%2)")
                        .arg(QLatin1String(table.name), columns.join(", ")));
    }
    db->Execute("INSERT INTO Control VALUES ('Tessavane', 1, 4, 5, 2)");
    db->Execute("INSERT INTO Filter (Number, FilterName, StartName, OrSelect, AndSelect, "
                "AndReject, OrReject, StartDate, Sequence, Query) VALUES "
                "(2, 'All', '', '0000000000000000', '0000000000000000', '0000000000000000', "
                "'0000000000000000', '1899-12-30', 0, 'SELECT * FROM [List] ORDER BY [Name];'), "
                "(5, 'Since March', 'B', '1000000000000000', '0000000000000000', "
                "'0000000000000000', '0000000000000000', '2002-03-07', 8, "
                "'SELECT * FROM [List] WHERE [LastEdit] >= #3/7/2002# ORDER BY [LastEdit];')");
    db->Execute("INSERT INTO Labels VALUES (2, 'Avery 5160', 10, 3, 0.5, 0, 1, 2.8, 10)");
    db->Execute("INSERT INTO Template (Number, TemplateName, City, Switches, Notes, Marked) "
                "VALUES (4, 'Locals', 'Fernhollow', '1000000000000000', 'a' || char(13, 10) || "
                "'b', 1)");
    for (int i = 1; i <= 16; ++i)
        db->Execute(QStringLiteral("INSERT INTO SwitchNames VALUES (%1, '%2')")
                        .arg(i)
                        .arg(i == 2 ? "Donor" : ""));
    db->Execute("INSERT INTO List (Number, Name, Address, Zip, Phone, LastEdit, Switches, Notes, "
                "Marked, Imported) VALUES "
                "(3, 'O''Brien; Siobhan', '14 O''Connell Ct', '462170000', '3175550101', "
                "'2002-03-07', '0100000000000000', 'don''t', 1, 0), "
                "(250, 'Müller-Ostrander; Jürgen', '', '000000000', '0000000000', '1899-12-30', "
                "'0000000000000000', ' ', 0, 1)");
}

class Upgrade : public LettrinoTest {
protected:
    void TearDown() override {
        SetUpgradeStepHook(nullptr);
        LettrinoTest::TearDown();
    }

    // Every value of every table, row by row in ID order, as text.
    static QStringList Dump(const QString& path, const QString& table,
                            const QStringList& skipColumns = {}) {
        auto db = Connection::Open(path, Connection::Mode::ReadOnly);
        Statement rows = db->Prepare("SELECT * FROM \"" + table + "\" ORDER BY rowid");
        QStringList out;
        while (rows.Step()) {
            QStringList values;
            for (int i = 0; i < rows.ColumnCount(); ++i)
                if (!skipColumns.contains(rows.ColumnName(i))) {
                    // Version 1 names the record number "Number".
                    const QString name = rows.ColumnName(i) == "Number" ? "ID" : rows.ColumnName(i);
                    values << name + "=" + rows.Value(i).toString();
                }
            out << values.join("|");
        }
        return out;
    }

    QString FolderFile(const QString& name) const { return Path("A/" + name); }
};

} // namespace

TEST_F(Upgrade, AVersion1ListIsConvertedKeepingNumbersAndTheOldFileAsBackup) {
    QDir().mkpath(Path("A"));
    const QString path = FolderFile("My List.mdb");
    MakeVersion1List(path);
    const QByteArray original = ReadBytes(path);
    WriteBytes(FolderFile("GLTmp.mdb"), "stale work file");
    WriteBytes(FolderFile("MY LIST.bak"), "stale backup");
    SetCurrentList(path);

    auto db = OpenCurrentDatabase();
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(ReadBytes(FolderFile("MY LIST.bak")), original);
    EXPECT_FALSE(QFileInfo::exists(FolderFile("GLTmp.mdb")));
    EXPECT_EQ(QDir(Path("A")).entryList(QDir::Files).size(), 2);

    EXPECT_EQ(db->QueryNumber("SELECT DatabaseVersion FROM Control"), 2);
    EXPECT_EQ(db->QueryNumber("SELECT CurrentFilter FROM Control"), 5);
    EXPECT_EQ(db->QueryText("SELECT FilterName FROM Filter WHERE ID = 5"), "Since March");
    EXPECT_EQ(db->QueryText("SELECT TemplateName FROM Template WHERE ID = 4"), "Locals");
    EXPECT_EQ(db->QueryText("SELECT LName FROM Labels WHERE ID = 2"), "Avery 5160");
    EXPECT_EQ(db->QueryText("SELECT Name FROM SwitchNames WHERE ID = 2"), "Donor");
    EXPECT_EQ(Dump(path, "List"),
              QStringList({"ID=3|Name=O'Brien; Siobhan|Address=14 O'Connell Ct|City=|State=|"
                           "Zip=462170000|DPOverride=|EMail=|Phone=3175550101|Attention=|Code=|"
                           "CarRt=|LastEdit=2002-03-07|Switches=0100000000000000|Notes=don't|"
                           "Marked=1|Imported=0",
                           "ID=250|Name=Müller-Ostrander; Jürgen|Address=|City=|State=|"
                           "Zip=000000000|DPOverride=|EMail=|Phone=0000000000|Attention=|Code=|"
                           "CarRt=|LastEdit=1899-12-30|Switches=0000000000000000|Notes= |"
                           "Marked=0|Imported=1"}));
    // New records are numbered above the kept numbers.
    db->Execute("INSERT INTO List (Name) VALUES ('New')");
    EXPECT_EQ(db->LastInsertId(), 251);
    EXPECT_EQ(db->QueryNumber("SELECT count(*) FROM List WHERE LastEdit >= #3/7/2002#"), 1);

    // A second open changes nothing.
    db.reset();
    const QByteArray converted = ReadBytes(path);
    ASSERT_NE(OpenCurrentDatabase(), nullptr);
    EXPECT_EQ(ReadBytes(path), converted);
    EXPECT_EQ(ReadBytes(FolderFile("MY LIST.bak")), original);
}

TEST_F(Upgrade, AConversionStoppedAtAnyStepLeavesACompleteListAtThePath) {
    for (const char* stopAt : {"converted", "kept", "replaced"}) {
        SCOPED_TRACE(stopAt);
        const QString path = Path(QStringLiteral("Stop %1.mdb").arg(stopAt));
        MakeVersion1List(path);
        const QByteArray original = ReadBytes(path);
        const QStringList rows = Dump(path, "List", {"CarRt", "DPOverride"});
        SetUpgradeStepHook([stopAt](const char* step) {
            if (QLatin1String(step) == QLatin1String(stopAt))
                throw EngineError(61, "simulated crash");
        });
        EXPECT_THROW(UpgradeDatabase(path), EngineError);
        SetUpgradeStepHook(nullptr);
        // The path holds either the old list or the new one, with every record.
        EXPECT_EQ(Dump(path, "List", {"CarRt", "DPOverride"}), rows);
        if (QLatin1String(stopAt) != QLatin1String("replaced")) {
            EXPECT_EQ(ReadBytes(path), original);
        }
        // The next attempt completes the conversion.
        UpgradeDatabase(path);
        EXPECT_EQ(Connection::Open(path)->QueryNumber("SELECT DatabaseVersion FROM Control"), 2);
        EXPECT_EQ(Dump(path, "List", {"CarRt", "DPOverride"}), rows);
        EXPECT_FALSE(QFileInfo::exists(UpgradeWorkFile(path)));
    }
}

TEST_F(Upgrade, AVersion1FileWithoutAnExpectedColumnIsOpenedUnconverted) {
    const QString path = Path("Odd.mdb");
    MakeVersion1List(path);
    Connection::Open(path)->Execute("ALTER TABLE List DROP COLUMN Attention");
    const QByteArray before = ReadBytes(path);
    SetCurrentList(path);
    auto db = OpenCurrentDatabase();
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(db->QueryNumber("SELECT DatabaseVersion FROM Control"), 1);
    db.reset();
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_FALSE(QFileInfo::exists(Path("ODD.bak")));
}

TEST(UpgradeNames, BackupAndWorkFilesStandBesideTheList) {
    EXPECT_EQ(UpgradeBackupFile("/A/My List.mdb"), "/A/MY LIST.bak");
    EXPECT_EQ(UpgradeWorkFile("/A/My List.mdb"), "/A/GLTmp.mdb");
}

#include "database/windows/new_list.h"

#include "database/connection.h"
#include "database/statement.h"
#include "support/test_environment.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

class NewListWindow : public LettrinoTest {
protected:
    // Opens the window, answers the file dialog with path and presses OK.
    void MakeThrough(const QString& path, bool templates = true, bool names = true,
                     bool filters = true) {
        NewList window;
        if (window.findChild<QCheckBox*>("TemplateCheck")->isEnabled()) {
            window.findChild<QCheckBox*>("TemplateCheck")->setChecked(templates);
            window.findChild<QCheckBox*>("NamesCheck")->setChecked(names);
            window.findChild<QCheckBox*>("FilterCheck")->setChecked(filters);
        }
        m_dialogs->ChooseFile(path);
        window.findChild<QPushButton*>("OKButton")->click();
        EXPECT_FALSE(window.isVisible());
    }

    static QStringList Rows(const QString& path, const QString& sql) {
        auto db = Connection::Open(path, Connection::Mode::ReadOnly);
        Statement rows = db->Prepare(sql);
        QStringList out;
        while (rows.Step()) {
            QStringList values;
            for (int i = 0; i < rows.ColumnCount(); ++i)
                values << rows.Value(i).toString();
            out << values.join("|");
        }
        return out;
    }

    // A current list with three layouts numbered 4, 7 and 9, named switches, a filter
    // with a carrier-route range and a template with phone and notes.
    QString MakeRichCurrentList() {
        const QString path = MakeList("Current.mdb");
        auto db = Connection::Open(path);
        db->Execute("INSERT INTO Labels (ID, LName, LRows, LCols, IndentTop, IndentLeft, "
                    "RowDelta, ColDelta, LTypeSize) VALUES "
                    "(4, 'Badge', 4, 2, 0.75, 0.25, 2.5, 4.25, 14.5), "
                    "(7, 'Avery 5160', 10, 3, 0.5, 0, 1, 2.8, 10), "
                    "(9, 'Avery 5162', 7, 2, 0.8, 0, 1.32, 4.17, 12)");
        db->Execute("UPDATE SwitchNames SET Name = 'Switch ' || ID");
        db->Execute("INSERT INTO Filter (ID, FilterName, StartName, StartCarRt, EndCarRt, "
                    "OrSelect, AndSelect, AndReject, OrReject, StartDate, Sequence, Query) VALUES "
                    "(5, 'Routes', 'B', 'C001', 'C009', '1000000000000000', "
                    "'0000000000000000', '0000000000000000', '0000000000000000', "
                    "'2002-03-07', 7, 'SELECT * FROM [List] ORDER BY [CarRt];')");
        db->Execute("INSERT INTO Template (ID, TemplateName, City, Zip, Phone, CarRt, Switches, "
                    "Notes, Marked) VALUES (3, 'Locals', 'Fernhollow', '46217', '317', 'C002', "
                    "'1000000000000000', 'note', 1)");
        return path;
    }
};

} // namespace

TEST_F(NewListWindow, WithoutACurrentListTheNewListHasTheStandardRows) {
    SetCurrentList("NO--DB");
    const QString path = Path("New.mdb");
    MakeThrough(path);
    EXPECT_EQ(Rows(path, "SELECT * FROM Control"), QStringList({"Tessavane|2|0|0|1"}));
    EXPECT_EQ(Rows(path, "SELECT count(*), min(ID), max(ID), max(Name) FROM SwitchNames"),
              QStringList({"16|1|16|"}));
    EXPECT_EQ(
        Rows(path, "SELECT * FROM Labels ORDER BY ID"),
        QStringList({"1|Avery 5162|7|2|0.8|0|1.32|4.17|12", "2|Avery 5160|10|3|0.5|0|1|2.8|10"}));
    EXPECT_EQ(Rows(path, "SELECT count(*) FROM Filter"), QStringList({"0"}));
    EXPECT_EQ(Rows(path, "SELECT count(*) FROM Template"), QStringList({"0"}));
    EXPECT_EQ(Rows(path, "SELECT count(*) FROM List"), QStringList({"0"}));
}

TEST_F(NewListWindow, AnUnreadableCurrentListDisablesTheTransfersAndStopsNothing) {
    WriteBytes(Path("Text.mdb"), "Name,Address\nAnn,12 Oak St\n");
    SetCurrentList(Path("Text.mdb"));
    {
        NewList window;
        EXPECT_FALSE(window.findChild<QCheckBox*>("TemplateCheck")->isEnabled());
        EXPECT_FALSE(window.findChild<QCheckBox*>("FilterCheck")->isChecked());
    }
    const QString path = Path("New.mdb");
    MakeThrough(path);
    EXPECT_EQ(Rows(path, "SELECT LName FROM Labels ORDER BY ID"),
              QStringList({"Avery 5162", "Avery 5160"}));
    EXPECT_EQ(ReadBytes(Path("Text.mdb")), "Name,Address\nAnn,12 Oak St\n");
}

TEST_F(NewListWindow, TransfersRenumberLayoutsAndCopyTheListedColumns) {
    const QString current = MakeRichCurrentList();
    const QByteArray before = ReadBytes(current);
    const QString path = Path("New.mdb");
    MakeThrough(path);
    EXPECT_EQ(Rows(path, "SELECT ID, LName FROM Labels ORDER BY ID"),
              QStringList({"1|Badge", "2|Avery 5160", "3|Avery 5162"}));
    EXPECT_EQ(Rows(path, "SELECT CurrentLabel FROM Control"), QStringList({"1"}));
    EXPECT_EQ(Rows(path, "SELECT Name FROM SwitchNames WHERE ID IN (1, 16) ORDER BY ID"),
              QStringList({"Switch 1", "Switch 16"}));
    EXPECT_EQ(Rows(path, "SELECT ID, FilterName, StartName, StartCarRt, EndCarRt, OrSelect, "
                         "StartDate, Sequence, Query FROM Filter"),
              QStringList({"1|Routes|B|||1000000000000000|2002-03-07|7|"
                           "SELECT * FROM [List] ORDER BY [CarRt];"}));
    EXPECT_EQ(Rows(path, "SELECT ID, TemplateName, City, Zip, Phone, CarRt, Switches, Notes, "
                         "Marked FROM Template"),
              QStringList({"1|Locals|Fernhollow|46217||C002|1000000000000000||0"}));
    EXPECT_EQ(ReadBytes(current), before); // the current list is not changed
}

TEST_F(NewListWindow, UncheckedTransfersCopyOnlyTheLayouts) {
    MakeRichCurrentList();
    const QString path = Path("New.mdb");
    MakeThrough(path, false, false, false);
    EXPECT_EQ(Rows(path, "SELECT count(*) FROM Labels"), QStringList({"3"}));
    EXPECT_EQ(Rows(path, "SELECT count(*) FROM SwitchNames WHERE Name = ''"), QStringList({"16"}));
    EXPECT_EQ(Rows(path, "SELECT count(*) FROM Filter"), QStringList({"0"}));
    EXPECT_EQ(Rows(path, "SELECT count(*) FROM Template"), QStringList({"0"}));
}

TEST_F(NewListWindow, ACurrentListWithoutLayoutsOrWithFewerNamesStillGivesACompleteList) {
    const QString current = MakeList("Current.mdb");
    {
        auto db = Connection::Open(current);
        db->Execute("DELETE FROM SwitchNames WHERE ID > 10");
        db->Execute("UPDATE SwitchNames SET Name = 'S' || ID");
    }
    const QString path = Path("New.mdb");
    MakeThrough(path);
    EXPECT_EQ(Rows(path, "SELECT count(*) FROM Labels"), QStringList({"0"}));
    EXPECT_EQ(Rows(path, "SELECT CurrentLabel FROM Control"), QStringList({"1"}));
    EXPECT_EQ(Rows(path, "SELECT Name FROM SwitchNames WHERE ID IN (10, 11, 16) ORDER BY ID"),
              QStringList({"S10", "", ""}));
}

TEST_F(NewListWindow, TheCurrentListIsNeverOverwrittenAndOtherFilesAreReplaced) {
    const QString current = MakeRichCurrentList();
    const QByteArray before = ReadBytes(current);
    MakeThrough(current);
    m_dialogs->ExpectMessage("Can't overwrite the current database");
    EXPECT_EQ(ReadBytes(current), before);

    const QString other = Path("Other.mdb");
    WriteBytes(other, "an old file the user chose to overwrite");
    MakeThrough(other);
    EXPECT_EQ(Rows(other, "SELECT Identification FROM Control"), QStringList({"Tessavane"}));
}

TEST_F(NewListWindow, CancelAndInvalidPathsMakeNothing) {
    MakeList("Current.mdb");
    MakeThrough(QString()); // the file dialog cancelled: silence
    const QString bad = Path("no/such/folder/New.mdb");
    MakeThrough(bad);
    m_dialogs->ExpectMessage("Invalid path name: \n" + bad);
    EXPECT_FALSE(QFileInfo::exists(bad));
    EXPECT_EQ(QDir(m_dir->path()).entryList({"*.mdb"}, QDir::Files), QStringList({"Current.mdb"}));
}

TEST_F(NewListWindow, ANameWithoutExtensionGetsMdb) {
    SetCurrentList("NO--DB");
    MakeThrough(Path("Club"));
    EXPECT_TRUE(QFileInfo::exists(Path("Club.mdb")));
}

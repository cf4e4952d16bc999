#include "filters/windows/convert.h"

#include "app/switch_names.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/statement.h"
#include "filters/build_filter_query.h"
#include "support/test_environment.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QToolBar>
#include <map>

namespace {

struct Record {
    Record(const char* name, const char* zip, int marked = 0, int imported = 0,
           const char* switches = "0000000000000000", const char* email = "")
        : name(name), zip(zip), marked(marked), imported(imported), switches(switches),
          email(email) {}

    QString name;
    QString zip;
    int marked = 0;
    int imported = 0;
    QString switches;
    QString email;
};

struct Stored {
    int marked = 0;
    int imported = 0;
    QString switches;
    QString code;
};

const QString kSure = "\r\nAre you sure you want to do this?";

class ConvertTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
    }

    void Add(const std::vector<Record>& records) {
        auto db = Connection::Open(m_path);
        Transaction transaction(*db);
        Statement insert = db->Prepare("INSERT INTO List (Name, Zip, Marked, Imported, Switches, "
                                       "EMail, Code) VALUES (?, ?, ?, ?, ?, ?, 'OLD')");
        for (const Record& r : records)
            insert.Bind(1, r.name)
                .Bind(2, r.zip)
                .Bind(3, r.marked)
                .Bind(4, r.imported)
                .Bind(5, r.switches)
                .Bind(6, r.email)
                .Run();
        transaction.Commit();
    }

    // Four records: Adams and Baker marked, Baker and Clark imported; Davis outside the
    // 454 ZIPs.
    void AddStandardRecords() {
        Add({{"Adams", "454020000", 1, 0, "1000000000000000", "adams@example.com"},
             {"Baker", "454100000", 1, 1, "0000000000000001"},
             {"Clark", "454200000", 0, 1, "0010000000000000", "clark@example.com"},
             {"Davis", "600000000", 0, 0, "1111111111111111"}});
    }

    std::map<QString, Stored> ByName() const {
        std::map<QString, Stored> rows;
        auto db = Connection::Open(m_path);
        Statement read = db->Prepare("SELECT Name, Marked, Imported, Switches, Code FROM List");
        while (read.Step())
            rows[read.Text(0)] = {int(read.Number(1)), int(read.Number(2)), read.Text(3),
                                  read.Text(4)};
        return rows;
    }

    QStringList MarkedNames() const {
        QStringList names;
        for (const auto& [name, row] : ByName())
            if (row.marked)
                names << name;
        return names;
    }

    qint64 AddZipFilter(const QString& name, const QString& start, const QString& end) {
        FilterRecord filter;
        filter.FilterName = name;
        filter.StartZip = start;
        filter.EndZip = end;
        filter.StartPhone = filter.EndPhone = "0000000000";
        filter.Query = BuildFilterQuery(filter);
        FilterCore filters;
        EXPECT_TRUE(filters.NewRecord(filter));
        return filters.ID();
    }

    static void Run(Convert& window, const char* action) {
        QAction* command = window.findChild<QAction*>(action);
        ASSERT_NE(command, nullptr) << action;
        command->trigger();
    }
    static QString CountShown(Convert& window) {
        return window.findChild<QLineEdit*>("CountBox")->text();
    }
    static void Tick(Convert& window, std::initializer_list<int> switches) {
        for (int number : switches)
            window.findChild<QCheckBox*>(QStringLiteral("Switch%1").arg(number - 1))
                ->setChecked(true);
    }
    void ExpectQuestion(size_t index, const QString& text, const QString& title) {
        ASSERT_GT(m_dialogs->Questions().size(), index);
        EXPECT_EQ(m_dialogs->Questions()[index].text, text);
        EXPECT_EQ(m_dialogs->Questions()[index].title, title);
    }

    QString m_path;
};

TEST_F(ConvertTest, OpeningWithoutRecordsSaysNoMailingList) {
    Convert window;
    EXPECT_FALSE(window.Loaded());
    m_dialogs->ExpectMessage("No mailing list.", "Lettrino");

    // A filter that selects no record counts as none too.
    Add({{"Adams", "600000000"}});
    ControlCore().SetCurrentFilter(AddZipFilter("Empty", "100000000", "199999999"));
    Convert filtered;
    EXPECT_FALSE(filtered.Loaded());
    m_dialogs->ExpectMessage("No mailing list.");
}

TEST_F(ConvertTest, LoadingShowsTheCountFieldsAndSwitchNames) {
    AddStandardRecords();
    {
        auto db = Connection::Open(m_path);
        db->Execute("UPDATE SwitchNames SET Name = 'Christmas card list' WHERE ID = 1");
    }
    LoadSwitchNames();
    const qint64 filter = AddZipFilter("Ohio", "454000000", "459999999");
    ControlCore().SetCurrentFilter(filter);
    Convert window;
    ASSERT_TRUE(window.Loaded());
    EXPECT_EQ(window.windowTitle(), "Convert and Purge");
    EXPECT_EQ(CountShown(window), "3");
    auto* filterBox = window.findChild<QComboBox*>("FilterBox");
    EXPECT_EQ(filterBox->currentText(), "Ohio");
    EXPECT_EQ(window.findChild<QCheckBox*>("Switch0")->text(), "Christmas card list");
    auto* fields = window.findChild<QListWidget*>("ContextList");
    ASSERT_EQ(fields->count(), 10);
    EXPECT_EQ(fields->item(4)->text(), "EMail Address");
    EXPECT_EQ(fields->item(9)->text(), "Notes");
    EXPECT_EQ(window.findChild<QLineEdit*>("CodeBox")->maxLength(), 20);

    // Choosing "<None>" clears the current filter and counts the whole list.
    filterBox->setCurrentIndex(0);
    Q_EMIT filterBox->activated(0);
    EXPECT_EQ(CountShown(window), "4");
    EXPECT_EQ(ControlCore().CurrentFilter(), 0);
    filterBox->setCurrentIndex(filterBox->findText("Ohio"));
    Q_EMIT filterBox->activated(filterBox->currentIndex());
    EXPECT_EQ(ControlCore().CurrentFilter(), filter);
    EXPECT_EQ(CountShown(window), "3");
}

TEST_F(ConvertTest, MarksToCodeAsksWithABeepAndConvertsOnYes) {
    AddStandardRecords();
    Convert window;
    window.findChild<QLineEdit*>("CodeBox")->setText("XMAS");
    m_dialogs->AnswerNo();
    Run(window, "mnuConvertMarksToCode");
    ExpectQuestion(0, "You are about to convert 2 marks to codes" + kSure, "Warning!");
    EXPECT_EQ(m_dialogs->Beeps(), 1);
    EXPECT_EQ(ByName().at("Adams").code, "OLD");
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Baker"}));

    m_dialogs->AnswerYes();
    Run(window, "mnuConvertMarksToCode");
    const auto rows = ByName();
    EXPECT_EQ(rows.at("Adams").code, "XMAS");
    EXPECT_EQ(rows.at("Baker").code, "XMAS");
    EXPECT_EQ(rows.at("Clark").code, "OLD");
    EXPECT_TRUE(MarkedNames().isEmpty());
    EXPECT_EQ(CountShown(window), "4");

    // Nothing is marked now.
    Run(window, "mnuConvertMarksToCode");
    m_dialogs->ExpectMessage("No records are marked.", "Lettrino");
    EXPECT_EQ(m_dialogs->Questions().size(), 2u);
}

TEST_F(ConvertTest, SwitchConversionsRefuseWithoutSwitchesAndKeepOtherPositions) {
    AddStandardRecords();
    Convert window;
    Run(window, "mnuConvertMarksToSwitches");
    m_dialogs->ExpectMessage("No switches are checked");
    Run(window, "mnuConvertImportFlagsToSwitches");
    m_dialogs->ExpectMessage("No switches have been checked");
    EXPECT_TRUE(m_dialogs->Questions().empty());

    Tick(window, {2, 5});
    m_dialogs->AnswerYes();
    Run(window, "mnuConvertMarksToSwitches");
    ExpectQuestion(0, "You are about to convert 2 marks to switches" + kSure, "Warning!");
    EXPECT_EQ(m_dialogs->Beeps(), 1);
    auto rows = ByName();
    EXPECT_EQ(rows.at("Adams").switches, "1100100000000000");
    EXPECT_EQ(rows.at("Baker").switches, "0100100000000001");
    EXPECT_EQ(rows.at("Clark").switches, "0010000000000000");
    EXPECT_TRUE(MarkedNames().isEmpty());

    // Import flags to switches asks without a beep.
    m_dialogs->AnswerYes();
    Run(window, "mnuConvertImportFlagsToSwitches");
    ExpectQuestion(1, "You are about to convert 2 imported flags to switches" + kSure, "Warning!");
    EXPECT_EQ(m_dialogs->Beeps(), 1);
    rows = ByName();
    EXPECT_EQ(rows.at("Clark").switches, "0110100000000000");
    EXPECT_EQ(rows.at("Clark").imported, 0);
    EXPECT_EQ(rows.at("Baker").imported, 0);
    EXPECT_EQ(rows.at("Davis").switches, "1111111111111111");

    Run(window, "mnuConvertImportFlagsToCode");
    m_dialogs->ExpectMessage("No records are imported.");
}

TEST_F(ConvertTest, ImportFlagsToCodeWithAnEmptyCodeBox) {
    AddStandardRecords();
    Convert window;
    m_dialogs->AnswerYes();
    Run(window, "mnuConvertImportFlagsToCode");
    ExpectQuestion(0, "You are about to convert 2 import flags to codes" + kSure, "Warning!");
    EXPECT_EQ(m_dialogs->Beeps(), 1);
    const auto rows = ByName();
    EXPECT_EQ(rows.at("Baker").code, "");
    EXPECT_EQ(rows.at("Clark").code, "");
    EXPECT_EQ(rows.at("Adams").code, "OLD");
}

TEST_F(ConvertTest, PurgeDeletesTheFilterRecordsAndKeepsTheCountShown) {
    AddStandardRecords();
    ControlCore().SetCurrentFilter(AddZipFilter("Ohio", "454000000", "459999999"));
    Convert window;
    m_dialogs->AnswerNo();
    Run(window, "mnuFilePurge");
    ExpectQuestion(0, "YOU ARE ABOUT TO DELETE 3 RECORDS FROM YOUR MAILING LIST" + kSure,
                   "Warning!");
    EXPECT_EQ(m_dialogs->Beeps(), 1);
    EXPECT_EQ(ByName().size(), 4u);

    m_dialogs->AnswerYes();
    Run(window, "mnuFilePurge");
    EXPECT_EQ(ByName().size(), 1u);
    EXPECT_EQ(ByName().count("Davis"), 1u);
    EXPECT_EQ(CountShown(window), "3");

    // The filter's records are gone now.
    Run(window, "mnuFilePurge");
    m_dialogs->ExpectMessage("No records are available with this filter.");
    Run(window, "mnuMarkFromContextSearch");
    m_dialogs->ExpectMessage("There are no records to search.");
}

TEST_F(ConvertTest, PurgeWithoutAFilterEmptiesTheList) {
    AddStandardRecords();
    Convert window;
    m_dialogs->AnswerYes();
    Run(window, "mnuFilePurge");
    ExpectQuestion(0, "YOU ARE ABOUT TO DELETE 4 RECORDS FROM YOUR MAILING LIST" + kSure,
                   "Warning!");
    EXPECT_TRUE(ByName().empty());
    EXPECT_EQ(CountShown(window), "4");
}

TEST_F(ConvertTest, MarkFromFilterSettingWithAndWithoutClearingFirst) {
    AddStandardRecords();
    ControlCore().SetCurrentFilter(AddZipFilter("Ohio", "454100000", "459999999"));
    Convert window;
    m_dialogs->AnswerYes();
    m_dialogs->AnswerNo();
    Run(window, "mnuMarkFromFilterSetting");
    ExpectQuestion(0, "You are about to mark 2 records from a filter setting" + kSure, "Warning!");
    ExpectQuestion(1, "Do you want to clear the marks first?", "Lettrino");
    EXPECT_EQ(m_dialogs->Beeps(), 0);
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Baker", "Clark"}));

    m_dialogs->AnswerYes();
    m_dialogs->AnswerYes();
    Run(window, "mnuMarkFromFilterSetting");
    EXPECT_EQ(MarkedNames(), QStringList({"Baker", "Clark"}));
}

TEST_F(ConvertTest, ContextSearchRefusalsQuestionsAndMatches) {
    AddStandardRecords();
    Convert window;
    auto* fields = window.findChild<QListWidget*>("ContextList");
    Run(window, "mnuMarkFromContextSearch");
    m_dialogs->ExpectMessage("You must select a field to search.");

    // Blank text in EMail Address marks the records without an e-mail address; the marks
    // of the others are left as they were.
    window.findChild<QLineEdit*>("ContextBox")->setText("   ");
    fields->setCurrentRow(4);
    m_dialogs->AnswerYes();
    m_dialogs->AnswerNo();
    Run(window, "mnuMarkFromContextSearch");
    ExpectQuestion(0, "Are you sure?", "Checking");
    ExpectQuestion(1, "Do you want to clear the marks first?", "Lettrino");
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Baker", "Davis"}));

    // Not, and clearing the marks of the filter's records first.
    window.findChild<QCheckBox*>("NotCheck")->setChecked(true);
    m_dialogs->AnswerYes();
    m_dialogs->AnswerYes();
    Run(window, "mnuMarkFromContextSearch");
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Clark"}));

    // No to "Are you sure?" changes nothing.
    window.findChild<QCheckBox*>("NotCheck")->setChecked(false);
    window.findChild<QLineEdit*>("ContextBox")->setText("DAV");
    fields->setCurrentRow(0);
    m_dialogs->AnswerNo();
    Run(window, "mnuMarkFromContextSearch");
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Clark"}));
    m_dialogs->AnswerYes();
    m_dialogs->AnswerNo();
    Run(window, "mnuMarkFromContextSearch");
    EXPECT_EQ(MarkedNames(), QStringList({"Adams", "Clark", "Davis"}));
}

TEST_F(ConvertTest, TurnOffCommandsAskAndChangeTheirRecords) {
    AddStandardRecords();
    ControlCore().SetCurrentFilter(AddZipFilter("Ohio", "454100000", "459999999"));
    Convert window;
    Run(window, "mnuTurnOffSwitches");
    m_dialogs->ExpectMessage("No switches are checked");

    Tick(window, {1, 16});
    m_dialogs->AnswerYes();
    Run(window, "mnuTurnOffSwitches");
    ExpectQuestion(0, "Are you sure?", "Checking");
    auto rows = ByName();
    EXPECT_EQ(rows.at("Baker").switches, "0000000000000000");
    EXPECT_EQ(rows.at("Clark").switches, "0010000000000000");
    EXPECT_EQ(rows.at("Adams").switches, "1000000000000000");
    EXPECT_EQ(rows.at("Davis").switches, "1111111111111111");

    m_dialogs->AnswerYes();
    Run(window, "mnuTurnOffFilterMarks");
    EXPECT_EQ(MarkedNames(), QStringList({"Adams"}));
    m_dialogs->AnswerYes();
    Run(window, "mnuTurnOfFilterfImportFlags");
    rows = ByName();
    EXPECT_EQ(rows.at("Baker").imported, 0);
    EXPECT_EQ(rows.at("Clark").imported, 0);

    m_dialogs->AnswerNo();
    Run(window, "mnuTurnOffAllMarks");
    EXPECT_EQ(MarkedNames(), QStringList({"Adams"}));
    m_dialogs->AnswerYes();
    Run(window, "mnuTurnOffAllMarks");
    EXPECT_TRUE(MarkedNames().isEmpty());

    {
        auto db = Connection::Open(m_path);
        db->Execute("UPDATE List SET Imported = 1");
    }
    m_dialogs->AnswerYes();
    Run(window, "mnuTurnOffAllImportFlags");
    for (const auto& [name, row] : ByName())
        EXPECT_EQ(row.imported, 0) << name.toStdString();
    EXPECT_EQ(m_dialogs->Questions().size(), 6u);
    EXPECT_EQ(m_dialogs->Beeps(), 0);
    EXPECT_EQ(CountShown(window), "2");
}

TEST_F(ConvertTest, ClearCriteriaBlanksTheCriteriaOnly) {
    AddStandardRecords();
    Convert window;
    Tick(window, {3, 7});
    window.findChild<QLineEdit*>("CodeBox")->setText("CODE");
    window.findChild<QLineEdit*>("ContextBox")->setText("text");
    window.findChild<QCheckBox*>("NotCheck")->setChecked(true);
    window.findChild<QListWidget*>("ContextList")->setCurrentRow(2);
    // From the toolbar's "Clear" button.
    auto* toolbar = window.findChild<QToolBar*>("Toolbar1");
    QAction* clear = window.findChild<QAction*>("Toolbar1Clear");
    Q_EMIT toolbar->actionTriggered(clear);
    for (int i = 0; i < 16; ++i)
        EXPECT_FALSE(window.findChild<QCheckBox*>(QStringLiteral("Switch%1").arg(i))->isChecked());
    EXPECT_EQ(window.findChild<QLineEdit*>("CodeBox")->text(), "");
    EXPECT_EQ(window.findChild<QLineEdit*>("ContextBox")->text(), "");
    EXPECT_TRUE(window.findChild<QCheckBox*>("NotCheck")->isChecked());
    EXPECT_EQ(window.findChild<QListWidget*>("ContextList")->currentRow(), 2);
}

} // namespace

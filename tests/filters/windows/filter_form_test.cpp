#include "filters/windows/filter_form.h"

#include "app/messages.h"
#include "app/switch_names.h"
#include "app/value_formats.h"
#include "database/connection.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/statement.h"
#include "filters/build_filter_query.h"
#include "support/test_environment.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

const QString kNoSwitches = QStringLiteral("0000000000000000");

} // namespace

// The filter editor on a list of four records and two saved filters, driven through its
// named controls as a user would.
class FilterWindow : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_list = MakeList();
        auto db = Connection::Open(m_list);
        db->Execute(
            "INSERT INTO List (ID, Name, City, State, Zip, Phone, Code, CarRt, LastEdit, "
            "Switches, Marked, Imported) VALUES "
            "(1, 'Adams; Ruth', 'Brookfield', 'WI', '530051234', '2625550101', 'DONOR', "
            "'C001', '2002-03-05', '1000000000000000', 0, 0), "
            "(2, 'Baker; Tom', 'Columbus', 'OH', '432150000', '6145550102', 'MEMBER', 'C007', "
            "'2001-07-19', '0100000000000001', 1, 0), "
            "(3, 'Chen; Li', 'Albany', 'NY', '122070000', '5185550103', 'BOARD', 'R002', "
            "'2003-01-10', '0000000000000000', 0, 1), "
            "(4, 'Davis; Ann', 'Dayton', 'OH', '454020000', '9375550104', 'ALUMNI', 'C003', "
            "'1999-11-30', '1010000000000000', 1, 0)");
        db->Execute("UPDATE SwitchNames SET Name = 'Newsletter' WHERE ID = 1");
        db->Execute("UPDATE SwitchNames SET Name = 'Donor' WHERE ID = 3");
        db->Execute("UPDATE SwitchNames SET Name = 'Bad address' WHERE ID = 16");
        LoadSwitchNames();

        FilterCore filters;
        FilterRecord ohio;
        ohio.FilterName = "Ohio";
        ohio.StartState = ohio.EndState = "OH";
        ohio.StartPhone = ohio.EndPhone = "0000000000";
        ohio.Sequence = 1;
        ohio.Query = BuildFilterQuery(ohio);
        ASSERT_TRUE(filters.NewRecord(ohio));
        m_ohio = filters.ID();
        FilterRecord locals;
        locals.FilterName = "Locals";
        locals.StartZip = "530000000";
        locals.EndZip = "539999999";
        locals.StartPhone = "2625550000";
        locals.EndPhone = "0000000000";
        locals.StartDate = QDate(2002, 1, 1);
        locals.OrSelect = "1000000000000000";
        locals.AndReject = "0000000000000001";
        locals.Imported = 1;
        locals.Sequence = 8;
        locals.Query = BuildFilterQuery(locals);
        ASSERT_TRUE(filters.NewRecord(locals));
        m_locals = filters.ID();
    }
    void TearDown() override {
        m_form.reset();
        LettrinoTest::TearDown();
    }

    FilterForm& Open() {
        m_form = std::make_unique<FilterForm>();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        return *m_form;
    }
    template <typename T = QLineEdit> T* Find(const QString& name) const {
        T* found = m_form->findChild<T*>(name);
        EXPECT_TRUE(found) << name.toStdString();
        return found;
    }
    QString Text(const QString& box) const { return Find(box)->text(); }
    QAction* Action(const QString& name) const { return Find<QAction>(name); }
    void Trigger(const QString& name) { Action(name)->trigger(); }
    QCheckBox* Switch(const char* group, int i) const {
        return Find<QCheckBox>(QLatin1String(group) + "Switch" + QString::number(i));
    }
    QRadioButton* Option(int i) const {
        return Find<QRadioButton>("SequenceOption" + QString::number(i));
    }
    QWidget* Focused() const { return QApplication::focusWidget(); }
    // Clicks a check box or option button on its indicator, as a user would.
    void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    // Puts the focus into a box as the Tab key would.
    void FocusOn(const QString& box) {
        Find(box)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    // Types into a box, replacing what it held.
    void Type(const QString& box, const QString& text) {
        FocusOn(box);
        QLineEdit* edit = Find(box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // Leaves the focused control with the Tab key and lets the window check the box.
    void Leave() {
        QTest::keyClick(Focused(), Qt::Key_Tab);
        QApplication::processEvents();
    }
    void Choose(const QString& entry) {
        auto* list = Find<QListWidget>("FilterList");
        list->setCurrentItem(list->findItems(entry, Qt::MatchExactly).value(0));
    }
    QStringList Entries() const {
        QStringList entries;
        auto* list = Find<QListWidget>("FilterList");
        for (int i = 0; i < list->count(); ++i)
            entries << list->item(i)->text();
        return entries;
    }
    QString Chosen() const {
        auto* item = Find<QListWidget>("FilterList")->currentItem();
        return item && item->isSelected() ? item->text() : QString();
    }

    QString Value(const QString& sql) const {
        auto db = Connection::Open(m_list);
        return db->QueryText(sql);
    }
    QString FilterValue(const QString& name, const QString& column) const {
        return Value(
            QStringLiteral("SELECT %1 FROM Filter WHERE FilterName = '%2'").arg(column, name));
    }
    void Execute(const QString& sql) const { Connection::Open(m_list)->Execute(sql); }
    qint64 Filters() const { return Value("SELECT COUNT(*) FROM Filter").toLongLong(); }
    qint64 CurrentFilter() const { return ControlCore().CurrentFilter(); }

    QString m_list;
    qint64 m_ohio = 0;
    qint64 m_locals = 0;
    std::unique_ptr<FilterForm> m_form;
};

// ---------------------------------------------------------------------------------------
// Showing and choosing filters

TEST_F(FilterWindow, OpensOnTheCurrentFilterAndShowsItsValues) {
    ControlCore().SetCurrentFilter(m_locals);
    FilterForm& form = Open();
    EXPECT_EQ(form.windowTitle(), "Filter");
    EXPECT_EQ(m_dialogs->Beeps(), 0);
    EXPECT_EQ(Entries(), QStringList({"<None>", "Locals", "Ohio"}));
    EXPECT_EQ(Chosen(), "Locals");
    EXPECT_EQ(form.CurrentFilterId(), m_locals);
    EXPECT_EQ(Text("FilterNameBox"), "Locals");
    EXPECT_EQ(Text("StartingZipBox"), "530000000"); // as stored
    EXPECT_EQ(Text("EndingZipBox"), "539999999");
    EXPECT_EQ(Text("StartingPhoneBox"), "(262) 555-0000");
    EXPECT_EQ(Text("EndingPhoneBox"), ""); // zero is no bound
    EXPECT_EQ(Text("StartingDateBox"), "01-Jan-2002");
    EXPECT_EQ(Text("EndingDateBox"), "");
    EXPECT_TRUE(Option(8)->isChecked());
    EXPECT_TRUE(Switch("OrSelect", 0)->isChecked());
    EXPECT_FALSE(Switch("OrSelect", 1)->isChecked());
    EXPECT_TRUE(Switch("AndReject", 15)->isChecked());
    EXPECT_FALSE(Switch("AndSelect", 0)->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("ImportedCheck")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("MarkedCheck")->isChecked());

    // Browsing: no state shown, Save and Clear put away; the first tab is up.
    EXPECT_FALSE(Find("CurrentStateBox")->isVisible());
    EXPECT_FALSE(Action("mnuEditSave")->isVisible());
    EXPECT_FALSE(Action("mnuEditClear")->isVisible());
    EXPECT_FALSE(Action("Toolbar1Save")->isEnabled());
    EXPECT_FALSE(Action("Toolbar1Clear")->isEnabled());
    EXPECT_EQ(Find<QTabWidget>("SSTab1")->currentIndex(), 0);
    EXPECT_EQ(Find<QTabWidget>("SSTab1")->tabText(2), "And Re&ject");

    // Another entry shows that filter, "<None>" empties the fields.
    Choose("Ohio");
    EXPECT_EQ(Text("StartingStateBox"), "OH");
    EXPECT_EQ(Text("StartingZipBox"), "");
    EXPECT_TRUE(Option(1)->isChecked());
    EXPECT_FALSE(Switch("OrSelect", 0)->isChecked());
    Choose("<None>");
    EXPECT_EQ(Text("FilterNameBox"), "");
    EXPECT_EQ(Text("StartingStateBox"), "");
    EXPECT_TRUE(Option(0)->isChecked());
    EXPECT_EQ(form.CurrentFilterId(), 0);
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

TEST_F(FilterWindow, TheFilterShownWhenTheWindowClosesBecomesCurrent) {
    // Nothing current: nothing chosen, empty fields, and it stays so.
    Open();
    EXPECT_EQ(Chosen(), "");
    EXPECT_EQ(Text("FilterNameBox"), "");
    m_form->close();
    EXPECT_EQ(CurrentFilter(), 0);

    // A filter chosen and never edited becomes current.
    Open();
    Choose("Ohio");
    m_form->close();
    EXPECT_EQ(CurrentFilter(), m_ohio);

    // "<None>" clears it.
    Open();
    EXPECT_EQ(Chosen(), "Ohio");
    Choose("<None>");
    m_form->close();
    EXPECT_EQ(CurrentFilter(), 0);
}

TEST_F(FilterWindow, SwitchBoxesCarryTheSwitchNamesFittedToTheirWidth) {
    auto db = Connection::Open(m_list);
    const QString longName = "QUARTERLY NEWSLETTER FIRST CLASS";
    Statement rename = db->Prepare("UPDATE SwitchNames SET Name = ? WHERE ID = 2");
    rename.Bind(1, longName).Run();
    LoadSwitchNames();
    Open();
    for (const char* group : {"OrSelect", "AndSelect", "AndReject", "OrReject"}) {
        EXPECT_EQ(Switch(group, 0)->text(), "Newsletter");
        EXPECT_EQ(Switch(group, 15)->text(), "Bad address");
        EXPECT_EQ(Switch(group, 3)->text(), "");
        // The long name is cut from the end to 2700 twips (180 pixels at 96 dots an inch).
        const QString fitted = Switch(group, 1)->text();
        EXPECT_TRUE(longName.startsWith(fitted)) << fitted.toStdString();
        EXPECT_LT(fitted.size(), longName.size());
        EXPECT_GT(fitted.size(), 5);
        const double dpi = m_form->logicalDpiX();
        EXPECT_LE(QFontMetrics(m_form->font()).horizontalAdvance(fitted), 2700 * dpi / 1440 + 1);
    }
}

// ---------------------------------------------------------------------------------------
// New filters

TEST_F(FilterWindow, ANewFilterIsSavedWithItsQuery) {
    FilterForm& form = Open();
    Trigger("mnuEditNew");
    EXPECT_TRUE(form.NewMode());
    EXPECT_TRUE(Find("CurrentStateBox")->isVisible());
    EXPECT_EQ(Text("CurrentStateBox"), "NEW FILTER");
    EXPECT_TRUE(Action("mnuEditSave")->isVisible());
    EXPECT_TRUE(Action("Toolbar1Clear")->isEnabled());
    EXPECT_EQ(Focused(), Find("FilterNameBox"));

    QTest::keyClicks(Focused(), "Midwest");
    Type("StartingNameBox", "B");
    Type("EndingNameBox", "D");
    Type("StartingZipBox", "40000");
    Type("EndingZipBox", "41");
    Leave();
    Click(Find<QCheckBox>("MarkedCheck"));
    Click(Option(3));
    Switch("OrSelect", 0)->click();
    Switch("OrSelect", 2)->click();
    Find<QTabWidget>("SSTab1")->setCurrentIndex(2);
    Click(Switch("AndReject", 15));

    // Insert saves from whichever box has the focus.
    FocusOn("StartingCityBox");
    QTest::keyClick(Focused(), Qt::Key_Insert);
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    EXPECT_FALSE(form.NewMode());
    EXPECT_EQ(Text("StartingCityBox"), ""); // the key was not typed
    EXPECT_EQ(Filters(), 3);
    EXPECT_EQ(FilterValue("Midwest", "Query"),
              R"(SELECT * FROM [List] WHERE [Name] >= 'B' AND [Name] <= 'D' AND [Zip] >= )"
              R"('400000000' AND [Zip] <= '419999999' AND [Marked] = 1 AND ([Switches] LIKE )"
              R"('1???????????????' OR [Switches] LIKE '??1?????????????') AND [Switches] NOT )"
              R"(LIKE '???????????????1' ORDER BY [Zip];)");
    EXPECT_EQ(FilterValue("Midwest", "StartPhone"), "0000000000");
    EXPECT_EQ(FilterValue("Midwest", "EndZip"), "419999999");
    EXPECT_EQ(FilterValue("Midwest", "OrSelect"), "1010000000000000");
    EXPECT_EQ(FilterValue("Midwest", "AndSelect"), kNoSwitches);
    EXPECT_EQ(FilterValue("Midwest", "Sequence"), "3");
    EXPECT_EQ(FilterValue("Midwest", "Imported"), "0");
    EXPECT_EQ(FilterValue("Midwest", "StartDate"), "1899-12-30");

    // The list holds it, chosen and shown with its stored bounds.
    EXPECT_EQ(Entries(), QStringList({"<None>", "Locals", "Midwest", "Ohio"}));
    EXPECT_EQ(Chosen(), "Midwest");
    EXPECT_EQ(form.CurrentFilterId(), FilterValue("Midwest", "ID").toLongLong());
    EXPECT_EQ(Text("StartingZipBox"), "400000000");
    EXPECT_FALSE(Find("CurrentStateBox")->isVisible());
    m_form->close();
    EXPECT_EQ(CurrentFilter(), FilterValue("Midwest", "ID").toLongLong());
}

TEST_F(FilterWindow, SaveRefusesWhatItCannotStoreAndKeepsWhatWasTyped) {
    FilterForm& form = Open();
    Trigger("Toolbar1New");
    Type("FilterNameBox", "   ");
    Type("StartingCityBox", "Akron");
    Trigger("Toolbar1Save");
    m_dialogs->ExpectMessage("The Filter must have a name", "Lettrino");
    EXPECT_TRUE(form.NewMode());

    // Names compare without case.
    Type("FilterNameBox", "ohio");
    Trigger("mnuEditSave");
    m_dialogs->ExpectMessage("Duplicate filter name. Please select a different one.");
    EXPECT_TRUE(form.NewMode());
    EXPECT_EQ(Text("StartingCityBox"), "Akron");

    // A date box still holding a non-date is caught before anything is stored.
    Type("FilterNameBox", "Akron");
    Type("StartingDateBox", "sometime");
    Trigger("mnuEditSave");
    m_dialogs->ExpectMessage("Invalid Date. Try again.");
    EXPECT_EQ(Focused(), Find("StartingDateBox"));
    EXPECT_EQ(Find("StartingDateBox")->selectedText(), "sometime");
    EXPECT_TRUE(form.NewMode());
    EXPECT_EQ(Filters(), 2);

    Type("StartingDateBox", "");
    Trigger("mnuEditSave");
    EXPECT_FALSE(form.NewMode());
    EXPECT_EQ(FilterValue("Akron", "Query"),
              "SELECT * FROM [List] WHERE [City] >= 'Akron' ORDER BY [Name];");
}

TEST_F(FilterWindow, TheFirstFilterOfAListIsSavedWithoutComplaint) {
    Execute("DELETE FROM Filter");
    FilterForm& form = Open();
    EXPECT_EQ(Entries(), QStringList({"<None>"}));
    Trigger("mnuEditNew");
    QTest::keyClicks(Focused(), "Everyone");
    QTest::keyClick(Focused(), Qt::Key_Insert);
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    EXPECT_FALSE(form.NewMode());
    EXPECT_EQ(FilterValue("Everyone", "Query"), "SELECT * FROM [List] ORDER BY [Name];");
}

// ---------------------------------------------------------------------------------------
// The checks when a box is left

TEST_F(FilterWindow, AnEndBeforeItsStartIsRefusedWithTheRangesMessage) {
    Open();
    Trigger("mnuEditNew");
    const struct {
        const char* range;
        const char* start;
        const char* end;
        const char* message;
    } cases[] = {
        {"Name", "Smith", "adams", "Ending name is less than starting name"},
        {"City", "Dayton", "Akron", "Ending city name is less than starting city name"},
        {"State", "WI", "oh", "Ending state is less than starting state"},
        // The box texts are compared, not the stored bounds: 9 sorts after 10.
        {"Zip", "9", "10", "Ending zip is less than starting zip"},
        {"EMail", "z@x.org", "a@x.org",
         "Ending E-Mail address is less than starting E-Mail address"},
        {"Code", "MEMBER", "DONOR", "Ending code is less than starting code"},
        {"CarRt", "R002", "C001", "Ending Carrier Route is less than starting Carrier Route"},
        {"Phone", "9375550104", "262-555-0101",
         "Ending phone number is less than starting phone number"}};
    for (const auto& c : cases) {
        const QString start = QStringLiteral("Starting%1Box").arg(c.range);
        const QString end = QStringLiteral("Ending%1Box").arg(c.range);
        Type(start, c.start);
        Type(end, c.end);
        Leave();
        m_dialogs->ExpectMessage(c.message, "Lettrino");
        EXPECT_EQ(Focused(), Find(end)) << c.range;
        // Equal texts in another case pass.
        Type(end, QString::fromLatin1(c.start).toLower());
        Leave();
        EXPECT_TRUE(m_dialogs->NoMessagesLeft()) << c.range;
        EXPECT_NE(Focused(), Find(end)) << c.range;
    }
    // Leaving a phone box rewrites it in the shown form.
    EXPECT_EQ(Text("StartingPhoneBox"), "(937) 555-0104");
    EXPECT_EQ(Text("EndingPhoneBox"), "(937) 555-0104");
    Type("StartingPhoneBox", "414.555.1212 x3");
    Leave();
    EXPECT_EQ(Text("StartingPhoneBox"), "(414) 555-1212");

    // A blank side means no comparison.
    Type("StartingNameBox", "  ");
    Type("EndingNameBox", "adams");
    Leave();
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

TEST_F(FilterWindow, DateBoxesAreCheckedAndComparedWhenLeft) {
    Open();
    Trigger("mnuEditNew");
    Type("StartingDateBox", "3/45/2002");
    Leave();
    m_dialogs->ExpectMessage("Invalid Date. Try again.");
    EXPECT_EQ(Focused(), Find("StartingDateBox"));
    EXPECT_EQ(Find("StartingDateBox")->selectedText(), "3/45/2002");

    Type("StartingDateBox", "3/7/2002");
    Leave();
    EXPECT_EQ(Text("StartingDateBox"), "07-Mar-2002");
    Type("EndingDateBox", "2002-03-06");
    Leave();
    m_dialogs->ExpectMessage("Starting date is later than ending date");
    EXPECT_EQ(Focused(), Find("EndingDateBox"));
    EXPECT_EQ(Text("EndingDateBox"), "06-Mar-2002");
    Type("EndingDateBox", "Mar 7, 2002");
    Leave();
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    EXPECT_EQ(Text("EndingDateBox"), "07-Mar-2002");

    Type("FilterNameBox", "March 7");
    Trigger("mnuEditSave");
    EXPECT_EQ(FilterValue("March 7", "StartDate"), "2002-03-07");
    EXPECT_EQ(FilterValue("March 7", "Query"),
              "SELECT * FROM [List] WHERE [LastEdit] >= #3/7/2002# AND [LastEdit] <= #3/7/2002# "
              "ORDER BY [Name];");
}

// ---------------------------------------------------------------------------------------
// Browsing

TEST_F(FilterWindow, WhileBrowsingNothingCanBeChanged) {
    ControlCore().SetCurrentFilter(m_locals);
    const QString stored = Value("SELECT group_concat(Query || FilterName) FROM Filter");
    Open();
    int beeps = m_dialogs->Beeps();

    // A range box sends the focus to the name box; the name box takes no keys.
    FocusOn("StartingCityBox");
    EXPECT_EQ(m_dialogs->Beeps(), ++beeps);
    EXPECT_EQ(Focused(), Find("FilterNameBox"));
    QTest::keyClicks(Focused(), "xy");
    EXPECT_EQ(m_dialogs->Beeps(), beeps += 2);
    QTest::keyClick(Focused(), Qt::Key_Backspace);
    EXPECT_EQ(m_dialogs->Beeps(), ++beeps);
    EXPECT_EQ(Text("FilterNameBox"), "Locals");

    // Clicks go back to what the filter holds.
    Click(Switch("OrSelect", 0)); // stored ticked
    Click(Switch("OrSelect", 1)); // stored unticked
    Find<QCheckBox>("ImportedCheck")->click();
    Find<QCheckBox>("MarkedCheck")->click();
    Click(Option(2));
    EXPECT_EQ(m_dialogs->Beeps(), beeps += 5);
    EXPECT_TRUE(Switch("OrSelect", 0)->isChecked());
    EXPECT_FALSE(Switch("OrSelect", 1)->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("ImportedCheck")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("MarkedCheck")->isChecked());
    EXPECT_TRUE(Option(8)->isChecked());
    EXPECT_FALSE(Option(2)->isChecked());

    // Save, Clear and Edit without a filter only beep; Insert is Save.
    Trigger("mnuEditSave");
    Trigger("Toolbar1Clear");
    QTest::keyClick(Focused(), Qt::Key_Insert);
    EXPECT_EQ(m_dialogs->Beeps(), beeps += 2); // the disabled button does nothing
    EXPECT_EQ(Text("StartingZipBox"), "530000000");

    // With no filter shown everything goes back to empty.
    Choose("<None>");
    Switch("AndSelect", 4)->click();
    Click(Option(5));
    EXPECT_FALSE(Switch("AndSelect", 4)->isChecked());
    EXPECT_TRUE(Option(0)->isChecked());
    Trigger("mnuEditEdit");
    EXPECT_EQ(m_dialogs->Beeps(), beeps += 3);
    EXPECT_FALSE(m_form->Editing());
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    EXPECT_EQ(Value("SELECT group_concat(Query || FilterName) FROM Filter"), stored);
}

// ---------------------------------------------------------------------------------------
// Editing, the mode changes, deleting and closing

TEST_F(FilterWindow, EditingRewritesTheShownFilter) {
    FilterForm& form = Open();
    Choose("Ohio");
    Trigger("Toolbar1Edit");
    EXPECT_TRUE(form.Editing());
    EXPECT_EQ(Text("CurrentStateBox"), "EDITING");
    Type("EndingStateBox", "WI");
    Click(Find<QCheckBox>("MarkedCheck"));

    // Delete while editing gives the stored filter back.
    Trigger("mnuEditDelete");
    EXPECT_FALSE(form.Editing());
    EXPECT_EQ(Text("EndingStateBox"), "OH");
    EXPECT_FALSE(Find<QCheckBox>("MarkedCheck")->isChecked());
    EXPECT_EQ(Filters(), 2);

    // Clear Filter empties the ranges and keeps the name; an edit may take another
    // filter's name.
    Trigger("mnuEditEdit");
    Trigger("mnuEditClear");
    EXPECT_EQ(Text("StartingStateBox"), "");
    EXPECT_TRUE(Option(0)->isChecked());
    EXPECT_EQ(Text("FilterNameBox"), "Ohio");
    Type("StartingCodeBox", "B");
    Type("FilterNameBox", "Locals");
    Trigger("mnuEditSave");
    EXPECT_FALSE(form.Editing());
    EXPECT_EQ(Value(QStringLiteral("SELECT Query FROM Filter WHERE ID = %1").arg(m_ohio)),
              "SELECT * FROM [List] WHERE [Code] >= 'B' ORDER BY [Name];");
    EXPECT_EQ(Value(QStringLiteral("SELECT FilterName FROM Filter WHERE ID = %1").arg(m_ohio)),
              "Locals");
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Filter WHERE FilterName = 'Locals'"), "2");
    EXPECT_EQ(form.CurrentFilterId(), m_ohio);
}

TEST_F(FilterWindow, SwitchingModesOffersToSaveFirst) {
    FilterForm& form = Open();
    Choose("Ohio");
    Trigger("mnuEditEdit");
    Type("StartingCityBox", "Akron");

    // New while editing: No leaves everything as it was.
    m_dialogs->AnswerNo();
    Trigger("mnuEditNew");
    EXPECT_EQ(m_dialogs->Questions().back().text,
              "You are editing the current Filter. Do you want to save it?");
    EXPECT_TRUE(form.Editing());
    EXPECT_EQ(Text("StartingCityBox"), "Akron");
    // Yes saves the edit, then starts the new filter.
    m_dialogs->AnswerYes();
    Trigger("mnuEditNew");
    EXPECT_TRUE(form.NewMode());
    EXPECT_FALSE(form.Editing());
    EXPECT_EQ(Text("StartingCityBox"), "");
    EXPECT_EQ(FilterValue("Ohio", "StartCity"), "Akron");

    // Edit while new: No stays new; Yes saves the new filter and edits it.
    Type("FilterNameBox", "Chicago");
    m_dialogs->AnswerNo();
    Trigger("mnuEditEdit");
    EXPECT_EQ(m_dialogs->Questions().back().text,
              "You are working on a new Filter. Do you want to save it?");
    EXPECT_TRUE(form.NewMode());
    m_dialogs->AnswerYes();
    Trigger("mnuEditEdit");
    EXPECT_TRUE(form.Editing());
    EXPECT_EQ(Chosen(), "Chicago");
    EXPECT_EQ(form.CurrentFilterId(), FilterValue("Chicago", "ID").toLongLong());

    // A refused save ends the command where it was.
    Type("FilterNameBox", "");
    m_dialogs->AnswerYes();
    Trigger("mnuEditNew");
    m_dialogs->ExpectMessage("The Filter must have a name");
    EXPECT_TRUE(form.Editing());

    // Delete in a new filter drops it.
    Trigger("mnuEditDelete"); // cancels the edit
    Trigger("mnuEditNew");
    Type("FilterNameBox", "Dropped");
    Trigger("Toolbar1Delete");
    EXPECT_FALSE(form.NewMode());
    EXPECT_EQ(Text("FilterNameBox"), "");
    EXPECT_EQ(form.CurrentFilterId(), 0);
    EXPECT_EQ(Filters(), 3);
}

TEST_F(FilterWindow, DeleteAsksTwiceAndClearsTheCurrentFilterAtOnce) {
    ControlCore().SetCurrentFilter(m_ohio);
    FilterForm& form = Open();
    EXPECT_EQ(Chosen(), "Ohio");

    // The store's own question answered No keeps the filter, but it is no longer current.
    const int beeps = m_dialogs->Beeps();
    m_dialogs->AnswerYes();
    m_dialogs->AnswerNo();
    Trigger("mnuEditDelete");
    ASSERT_EQ(m_dialogs->Questions().size(), 2u);
    EXPECT_EQ(m_dialogs->Questions()[0].text, "Delete this Filter?");
    EXPECT_EQ(m_dialogs->Questions()[1].text, "Are you sure?");
    EXPECT_EQ(m_dialogs->Questions()[1].title, "Checking");
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 1);
    EXPECT_EQ(Filters(), 2);
    EXPECT_EQ(CurrentFilter(), 0);
    EXPECT_EQ(Chosen(), "");
    EXPECT_EQ(Text("FilterNameBox"), "");

    // Yes twice deletes it.
    Choose("Ohio");
    m_dialogs->AnswerYes();
    m_dialogs->AnswerYes();
    Trigger("Toolbar1Delete");
    EXPECT_EQ(Filters(), 1);
    EXPECT_EQ(Entries(), QStringList({"<None>", "Locals"}));
    EXPECT_EQ(form.CurrentFilterId(), 0);

    // The first question answered No deletes nothing; "<None>" has nothing to delete.
    Choose("Locals");
    m_dialogs->AnswerNo();
    Trigger("mnuEditDelete");
    EXPECT_EQ(Filters(), 1);
    Choose("<None>");
    Trigger("mnuEditDelete");
    EXPECT_EQ(m_dialogs->Questions().size(), 5u);
}

TEST_F(FilterWindow, ClosingAnUnsavedFilterOffersToSaveIt) {
    Open();
    Trigger("mnuEditNew");
    Type("FilterNameBox", "Buckeyes");
    Type("StartingStateBox", "OH");

    // Yes with a name that cannot be saved keeps the window open with what was typed.
    Type("FilterNameBox", " ");
    m_dialogs->AnswerYes();
    EXPECT_FALSE(m_form->close());
    EXPECT_EQ(m_dialogs->Questions().back().text, "Save changes to this filter?");
    EXPECT_EQ(m_dialogs->Questions().back().title, "Un-saved Filter");
    m_dialogs->ExpectMessage("The Filter must have a name");
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_EQ(Text("StartingStateBox"), "OH");

    Type("FilterNameBox", "Buckeyes");
    m_dialogs->AnswerYes();
    EXPECT_TRUE(m_form->close());
    EXPECT_EQ(FilterValue("Buckeyes", "StartState"), "OH");
    EXPECT_EQ(CurrentFilter(), FilterValue("Buckeyes", "ID").toLongLong());

    // No closes without saving.
    Open();
    Trigger("mnuEditEdit");
    Type("EndingStateBox", "WI");
    m_dialogs->AnswerNo();
    EXPECT_TRUE(m_form->close());
    EXPECT_EQ(FilterValue("Buckeyes", "EndState"), "");
}

// ---------------------------------------------------------------------------------------
// Counting

TEST_F(FilterWindow, CountShowsHowManyRecordsTheShownFilterSelects) {
    Open();
    Trigger("mnuEditCount");
    m_dialogs->ExpectMessage("You must select a filter.");

    Choose("Ohio");
    Trigger("Toolbar1Count");
    const ScriptedDialogs::Message count = m_dialogs->TakeMessage();
    EXPECT_EQ(count.text, "2 records satisfy this filter.");
    EXPECT_EQ(count.title, "Lettrino");
    EXPECT_EQ(count.icon, MessageIcon::None);

    // Locals: zips 53..., phones from 262-555-0000, edited since 2002, switch 1, imported.
    Choose("Locals");
    Trigger("mnuEditCount");
    m_dialogs->ExpectMessage("No records satisfy this filter.");

    // A new filter counts after it is saved.
    Trigger("mnuEditNew");
    Type("FilterNameBox", "Marked");
    Click(Find<QCheckBox>("MarkedCheck"));
    Trigger("mnuEditCount");
    m_dialogs->ExpectMessage("You must select a filter.");
    Trigger("mnuEditSave");
    Trigger("mnuEditCount");
    m_dialogs->ExpectMessage("2 records satisfy this filter.");
}

TEST_F(FilterWindow, CountOnACorruptFilterSaysSoAndCountsNothing) {
    // A quote inside a bound breaks the stored statement.
    auto db = Connection::Open(m_list);
    db->Prepare("UPDATE Filter SET Query = ? WHERE FilterName = 'Ohio'")
        .Bind(1, "SELECT * FROM [List] WHERE [Name] >= 'O'Brien' ORDER BY [Name];")
        .Run();
    Open();
    Choose("Ohio");
    Trigger("mnuEditCount");
    m_dialogs->ExpectMessage("\"Ohio\" filter is corrupt. Recommend you delete and re-establish "
                             "this filter.");
    m_dialogs->ExpectMessage("No records satisfy this filter.");
}

// The record commands: new with continuous entry, edit, save, cancel, delete, copy, the
// flags, the moves and the auto-repeating buttons.

#include "main_form_window.h"

#include "database/connection.h"
#include "support/deterministic_run.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using MainFormCommands = MainFormWindow;

namespace {
// One tick of a timer, now.
void Tick(QTimer* timer) {
    QMetaObject::invokeMethod(timer, "timeout");
}
} // namespace

TEST_F(MainFormCommands, SavingANewRecordStaysInEntryUntilCancel) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Trigger("mnuEditNew");
    EXPECT_TRUE(window.Entering());
    EXPECT_TRUE(Action("mnuEditSave")->isVisible());
    EXPECT_TRUE(Action("mnuEditCancel")->isVisible());
    EXPECT_TRUE(Action("Toolbar1Save")->isEnabled());
    EXPECT_TRUE(Button("CancelButton")->isVisible());
    EXPECT_EQ(Button("CancelButton")->text(), "&Cancel Entering");
    EXPECT_EQ(ShownName(), "");

    Type("Doe; Jane");
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(RecordCount(), 6);
    EXPECT_TRUE(window.Entering());
    EXPECT_FALSE(window.Dirty());
    EXPECT_EQ(ShownName(), "");
    EXPECT_EQ(QApplication::focusWidget(), Box("NameBox"));

    Type("Roe; Rick");
    Press(Qt::Key_Insert);
    EXPECT_EQ(RecordCount(), 7);
    EXPECT_EQ(Rows("SELECT Name FROM List WHERE ID > 5 ORDER BY ID"),
              QStringList({"Doe; Jane", "Roe; Rick"}));

    // Cancelling the fresh, untouched record shows the last one saved.
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window.Entering());
    EXPECT_EQ(ShownName(), "Roe; Rick");
    EXPECT_FALSE(Action("mnuEditSave")->isVisible());
    EXPECT_FALSE(Button("CancelButton")->isVisible());
    EXPECT_TRUE(m_dialogs->Questions().empty());
}

TEST_F(MainFormCommands, ANewRecordOutsideTheFilterIsSavedAndEntryGoesOn) {
    MakeClubList();
    Connection::Open(m_list)->Execute(
        "INSERT INTO Filter (ID, FilterName, Sequence, Query) VALUES (20, 'Ohio', 0, "
        "'SELECT * FROM [List] WHERE [State] = ''OH'' ORDER BY [Name];')");
    MainForm& window = OpenWindow();
    ChooseFilter("Ohio");
    ASSERT_EQ(RecordCount(), 2);
    Trigger("mnuEditNew");
    Type("Doe; Jane");
    Trigger("mnuEditSave");
    m_dialogs->ExpectMessage("The new record is not selected by the current filter.");
    Type("Roe; Rick");
    Trigger("mnuEditSave"); // told once only
    EXPECT_TRUE(window.Entering());
    EXPECT_EQ(RecordCount(), 2);
    EXPECT_EQ(Rows("SELECT Name FROM List WHERE ID > 5 ORDER BY ID"),
              QStringList({"Doe; Jane", "Roe; Rick"}));
    // The last record saved stays on screen until the user moves into the filter's set.
    Trigger("mnuEditCancel");
    EXPECT_EQ(ShownName(), "Roe; Rick");
    Trigger("mnuMoveDown");
    EXPECT_EQ(ShownName(), "Baker; Tom");
    EXPECT_EQ(RecordCount(), 2);
}

TEST_F(MainFormCommands, ANewRecordStartsFromTheCurrentTemplate) {
    MakeClubList();
    Connection::Open(m_list)->Execute("UPDATE Control SET CurrentTemplate = 1");
    MainForm& window = OpenWindow();
    Trigger("mnuMoveLast");
    Trigger("mnuMoveUp");
    Trigger("mnuMoveUp"); // Chen, an imported record
    ASSERT_TRUE(Check("ImportedCheck")->isChecked());
    Trigger("mnuEditNew");
    EXPECT_EQ(Box("CityBox")->text(), "Fernhollow");
    EXPECT_EQ(Box("StateBox")->text(), "IN");
    EXPECT_EQ(Box("ZipBox")->text(), "46217");
    EXPECT_EQ(Box("PhoneBox")->text(), "317");
    EXPECT_TRUE(Check("Switch2")->isChecked());
    EXPECT_TRUE(Check("MarkedCheck")->isChecked());
    // A record typed by hand is not an imported one.
    EXPECT_FALSE(Check("ImportedCheck")->isChecked());
    EXPECT_FALSE(window.Dirty());

    Type("Lark; Amy");
    Trigger("mnuEditSave");
    EXPECT_EQ(Box("CityBox")->text(), "Fernhollow"); // the next record starts afresh
    EXPECT_EQ(ShownName(), "");
    Trigger("mnuEditCancel");
    EXPECT_EQ(Rows("SELECT Name, City, State, Zip, Phone, Switches, Marked, Imported FROM List "
                   "WHERE ID > 5"),
              QStringList({"Lark; Amy|Fernhollow|IN|462170000|0000000317|0010000000000000|1|0"}));
}

TEST_F(MainFormCommands, SavingAnEmptyRecordStoresTheEmptyForms) {
    MakeClubList();
    OpenWindow();
    Trigger("mnuEditNew");
    Trigger("mnuEditSave");
    Trigger("mnuEditCancel");
    EXPECT_EQ(Rows("SELECT Name, Zip, Phone, Notes, Switches FROM List WHERE ID > 5"),
              QStringList({"|000000000|0000000000| |0000000000000000"}));
}

TEST_F(MainFormCommands, CancellingATypedRecordAsksWhetherToSaveIt) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Trigger("mnuMoveDown");
    const int beeps = m_dialogs->Beeps();

    // No: nothing is stored and the record shown before comes back.
    Trigger("mnuEditNew");
    Type("Gone; Never");
    m_dialogs->AnswerNo();
    Press(Qt::Key_Escape);
    ASSERT_EQ(m_dialogs->Questions().size(), 1u);
    EXPECT_EQ(m_dialogs->Questions()[0].text, "Save current record?");
    EXPECT_EQ(m_dialogs->Questions()[0].title, "Record was not saved");
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 1);
    EXPECT_FALSE(window.Entering());
    EXPECT_EQ(ShownName(), "Baker; Tom");
    EXPECT_EQ(Value("SELECT count(*) FROM List"), "5");

    // Yes: it is stored and shown.
    Trigger("mnuEditNew");
    Type("Kept; Always");
    m_dialogs->AnswerYes();
    Button("CancelButton")->click();
    Settle();
    EXPECT_FALSE(window.Entering());
    EXPECT_EQ(ShownName(), "Kept; Always");
    EXPECT_EQ(RecordCount(), 6);
    EXPECT_EQ(Value("SELECT count(*) FROM List WHERE Name = 'Kept; Always'"), "1");

    // At the end of the list, No shows the last record, not the one before it.
    Trigger("mnuMoveLast");
    Trigger("mnuEditNew");
    Type("Gone; Again");
    m_dialogs->AnswerNo();
    Trigger("mnuEditCancel");
    EXPECT_EQ(ShownName(), "Smith & Sons; Bob");
}

TEST_F(MainFormCommands, EditingRewritesTheRecordAndCancelAsksNothing) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Trigger("mnuMoveDown");
    Trigger("mnuEditEdit");
    EXPECT_TRUE(window.Editing());
    EXPECT_EQ(Button("CancelButton")->text(), "&Cancel Edit");
    FocusOn(Box("CityBox"));
    Type("Dublin");
    EXPECT_TRUE(window.Dirty());
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Box("CityBox")->text(), "Columbus");
    EXPECT_TRUE(m_dialogs->Questions().empty());

    Trigger("mnuEditEdit");
    FocusOn(Box("CityBox"));
    Type("Dublin");
    FocusOn(TextArea("NotesBox"));
    TextArea("NotesBox")->selectAll();
    Press(Qt::Key_Delete);
    Trigger("mnuEditSave");
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Box("CityBox")->text(), "Dublin");
    EXPECT_EQ(RecordCount(), 5);
    EXPECT_EQ(Rows("SELECT City, Notes, Address, LastEdit FROM List WHERE ID = 2"),
              QStringList({"Dublin| |4 Oak Ave\r\nApt 2|" +
                           FixedTestTime().date().toString("yyyy-MM-dd")}));
    EXPECT_EQ(DateBox()->date(), FixedTestTime().date());
}

TEST_F(MainFormCommands, DeletingDownToAnEmptyList) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Trigger("mnuMoveDown");
    m_dialogs->AnswerNo();
    Trigger("mnuEditDelete");
    ASSERT_EQ(m_dialogs->Questions().size(), 1u);
    EXPECT_EQ(m_dialogs->Questions()[0].text, "Delete this Record?");
    EXPECT_EQ(m_dialogs->Questions()[0].title, "Lettrino");
    EXPECT_EQ(m_dialogs->Questions()[0].icon, MessageIcon::None);
    EXPECT_EQ(RecordCount(), 5);

    m_dialogs->AnswerYes();
    Trigger("mnuEditDelete");
    EXPECT_EQ(ShownName(), "Chen; Li"); // the next record
    EXPECT_EQ(RecordCount(), 4);
    EXPECT_EQ(Value("SELECT count(*) FROM List WHERE ID = 2"), "0");

    for (int left = 3; left >= 0; --left) {
        m_dialogs->AnswerYes();
        Trigger("Toolbar1Delete");
        EXPECT_EQ(RecordCount(), left);
    }
    EXPECT_EQ(ShownName(), "");
    EXPECT_EQ(Label("ReversedNameBox")->text(), "");
    EXPECT_EQ(Box("CityBox")->text(), "");
    EXPECT_EQ(window.CurrentID(), 0);
    EXPECT_EQ(Value("SELECT count(*) FROM List"), "0");

    // Nothing more to delete, edit or move to.
    const int beeps = m_dialogs->Beeps();
    Trigger("mnuEditDelete");
    Trigger("mnuEditEdit");
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 2);
    Trigger("mnuMoveLast");
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());

    // The empty list takes a new record again.
    Trigger("mnuEditNew");
    Type("First; Again");
    Trigger("mnuEditSave");
    Trigger("mnuEditCancel");
    EXPECT_EQ(ShownName(), "First; Again");
    EXPECT_EQ(RecordCount(), 1);
}

TEST_F(MainFormCommands, DeleteWhileEnteringBlanksTheEntry) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Trigger("mnuEditNew");
    Type("Half; Typed");
    Trigger("mnuEditDelete");
    EXPECT_TRUE(window.Entering());
    EXPECT_FALSE(window.Dirty());
    EXPECT_EQ(ShownName(), "");
    EXPECT_TRUE(m_dialogs->Questions().empty());
    Trigger("mnuEditCancel");
    EXPECT_EQ(Value("SELECT count(*) FROM List"), "5");
}

TEST_F(MainFormCommands, CopyAddressPutsTheShownAddressOnTheClipboard) {
    MakeClubList();
    OpenWindow();
    Trigger("mnuMoveLast");
    Trigger("mnuEditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Bob Smith & Sons\r\n1 Main St\r\nEvanston, IL 60201-1111");
    // A record being typed is copied as it stands.
    Trigger("mnuEditNew");
    Type("Hay; Ann");
    FocusOn(TextArea("AddressBox"));
    Type("2 Mill Rd");
    Press(Qt::Key_Return);
    Type("Unit 4");
    FocusOn(Box("ZipBox"));
    Type("12345");
    Trigger("mnuEditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), "Ann Hay\r\n2 Mill Rd\r\nUnit 4\r\n,  12345");
    // No name, nothing copied.
    Trigger("mnuEditDelete");
    Trigger("mnuEditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), "Ann Hay\r\n2 Mill Rd\r\nUnit 4\r\n,  12345");
    Trigger("mnuEditCancel");
}

TEST_F(MainFormCommands, MovesFollowTheFilterOrderAndStopAtTheEnds) {
    MakeClubList();
    OpenWindow();
    ChooseFilter("By City");
    QStringList seen{ShownName()};
    for (int i = 0; i < 5; ++i) {
        Trigger("mnuMoveDown");
        seen << ShownName();
    }
    EXPECT_EQ(seen, QStringList({"Chen; Li", "Adams; Ruth", "Baker; Tom", "O'Brien; Siobhan",
                                 "Smith & Sons; Bob", "Smith & Sons; Bob"}));
    Button("FirstRecordButton")->click();
    EXPECT_EQ(ShownName(), "Chen; Li");
    Trigger("mnuMoveUp");
    EXPECT_EQ(ShownName(), "Chen; Li");
    Button("LastRecordButton")->click();
    EXPECT_EQ(ShownName(), "Smith & Sons; Bob");
}

TEST_F(MainFormCommands, HoldingAMoveButtonRepeatsAfterHalfASecondThenFiveTimesASecond) {
    MakeClubList();
    MainForm& window = OpenWindow();
    auto* timer = window.findChild<QTimer*>("Timer");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());

    QTest::mousePress(Button("DownButton"), Qt::LeftButton);
    EXPECT_EQ(ShownName(), "Baker; Tom"); // at once
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 500);
    Tick(timer);
    EXPECT_EQ(ShownName(), "Chen; Li");
    EXPECT_EQ(timer->interval(), 200);
    for (int i = 0; i < 5; ++i)
        Tick(timer);
    EXPECT_EQ(ShownName(), "Smith & Sons; Bob"); // held at the last record
    QTest::mouseRelease(Button("DownButton"), Qt::LeftButton);
    EXPECT_FALSE(timer->isActive());

    QTest::mousePress(Button("UpButton"), Qt::LeftButton);
    EXPECT_EQ(ShownName(), "O'Brien; Siobhan");
    Tick(timer);
    EXPECT_EQ(ShownName(), "Chen; Li");
    QTest::mouseRelease(Button("UpButton"), Qt::LeftButton);
    EXPECT_FALSE(timer->isActive());

    // The real timer, held for a while: at least the first move and one repeat.
    QTest::mousePress(Button("DownButton"), Qt::LeftButton);
    QTest::qWait(800);
    QTest::mouseRelease(Button("DownButton"), Qt::LeftButton);
    EXPECT_EQ(ShownName(), "Smith & Sons; Bob");
}

// The record area: shown and stored forms, the key box of every sort order and its
// search, the focus and key rules, the check boxes, the date picker and the zip shift-click.

#include "main_form_window.h"

#include "app/value_formats.h"
#include "database/connection.h"
#include "support/deterministic_run.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using MainFormRecordArea = MainFormWindow;

namespace {

struct SortCase {
    const char* filter;
    const char* keyBox;
    const char* typed;
    const char* found;
};

// Opens the date picker's calendar, picks a date in it and closes it with Enter.
void PickInCalendar(QDateEdit* picker, const QDate& date) {
    QCalendarWidget* calendar = picker->calendarWidget();
    calendar->window()->show();
    calendar->setSelectedDate(date);
    QTest::keyClick(calendar->findChild<QAbstractItemView*>(), Qt::Key_Return);
    QCoreApplication::processEvents();
    // The offscreen platform does not hand activation back from a closed popup.
    QApplication::setActiveWindow(picker->window());
    QCoreApplication::processEvents();
}

} // namespace

TEST_F(MainFormRecordArea, EverySortOrderHasItsKeyBoxAndEnterSearchesIt) {
    MakeClubList();
    MainForm& window = OpenWindow();
    const SortCase cases[] = {
        {"By Name", "NameBox", "o'b", "O'Brien; Siobhan"},
        {"By City", "CityBox", "Col", "Baker; Tom"},
        {"By State", "StateBox", "ny", "Chen; Li"},
        {"By Zip Code", "ZipBox", "454", "O'Brien; Siobhan"},
        {"By E-Mail Address", "EMailBox", "li@", "Chen; Li"},
        {"By Phone Number", "PhoneBox", "847", "Smith & Sons; Bob"},
        {"By Code", "CodeBox", "M", "Baker; Tom"},
        {"By Carrier Route", "CarRtBox", "H", "Smith & Sons; Bob"},
    };
    for (const SortCase& c : cases) {
        SCOPED_TRACE(c.filter);
        ChooseFilter(c.filter);
        // A click into the address (never a key box) lands in the key box, text selected.
        QTest::mouseClick(TextArea("AddressBox")->viewport(), Qt::LeftButton);
        Settle();
        QLineEdit* key = Box(c.keyBox);
        ASSERT_EQ(QApplication::focusWidget(), key);
        EXPECT_EQ(key->selectedText(), key->text());
        Type(c.typed);
        Press(Qt::Key_Return);
        EXPECT_EQ(ShownName(), c.found);
        EXPECT_EQ(window.CurrentID(), Value("SELECT ID FROM List WHERE Name = '" +
                                            QString(c.found).replace("'", "''") + "'")
                                          .toLongLong());
    }

    // A search that finds nothing shows the record it stood on again.
    ChooseFilter("By City");
    FocusOn(Box("CityBox"));
    Type("Col");
    Press(Qt::Key_Return);
    Type("Zzz");
    Press(Qt::Key_Return);
    EXPECT_EQ(ShownName(), "Baker; Tom");
    EXPECT_EQ(Box("CityBox")->text(), "Columbus");

    // Date Edited: the date picker is the key box; Enter (or closing its calendar) searches.
    ChooseFilter("By Date Edited");
    QTest::mouseClick(Box("AttentionBox"), Qt::LeftButton);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), DateBox());
    DateBox()->setDate(QDate(2002, 1, 1));
    Press(Qt::Key_Return);
    EXPECT_EQ(ShownName(), "Adams; Ruth");
}

TEST_F(MainFormRecordArea, ClosingTheCalendarSearchesByDateOrPutsTheDateBack) {
    MakeClubList();
    OpenWindow();
    ChooseFilter("By Date Edited");
    FocusOn(DateBox());
    PickInCalendar(DateBox(), QDate(2001, 1, 1));
    EXPECT_FALSE(DateBox()->calendarWidget()->isVisible());
    EXPECT_EQ(ShownName(), "Baker; Tom");
    EXPECT_EQ(DateBox()->date(), QDate(2001, 7, 19));

    // In name order the picker only shows the record's date: a choice is taken back.
    ChooseFilter("<None>");
    FocusOn(Combo("FilterBox"));
    FocusOn(DateBox()); // viewing: the focus goes on to the name box
    EXPECT_EQ(QApplication::focusWidget(), Box("NameBox"));
    PickInCalendar(DateBox(), QDate(2010, 5, 5));
    EXPECT_EQ(ShownName(), "Adams; Ruth");
    EXPECT_EQ(DateBox()->date(), QDate(2002, 3, 5));
    EXPECT_EQ(Value("SELECT LastEdit FROM List WHERE ID = 1"), "2002-03-05");
}

TEST_F(MainFormRecordArea, ViewingModeSendsTheFocusToTheKeyBox) {
    MakeClubList();
    MainForm& window = OpenWindow();
    ChooseFilter("By State");
    QTest::mouseClick(TextArea("AddressBox")->viewport(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), Box("StateBox"));
    EXPECT_EQ(Box("StateBox")->selectedText(), "IL"); // the first record in state order

    ChooseFilter("By Carrier Route");
    QTest::mouseClick(Box("CarRtBox"), Qt::LeftButton);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), Box("CarRtBox"));
    EXPECT_EQ(Box("CarRtBox")->selectedText(), Box("CarRtBox")->text());
    QTest::mouseClick(Box("CodeBox"), Qt::LeftButton);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), Box("CarRtBox"));
    // A click into the notes goes to the key box too.
    QTest::mouseClick(TextArea("NotesBox")->viewport(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), Box("CarRtBox"));

    // Typing into the name box while the order is not by name dings and types nothing.
    const int beeps = m_dialogs->Beeps();
    QTest::keyClick(Box("NameBox"), Qt::Key_A);
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 1);
    EXPECT_EQ(ShownName(), "Adams; Ruth");
    EXPECT_FALSE(window.Dirty());
}

TEST_F(MainFormRecordArea, InputModeSelectsTextAndPutsTheCaretAfterATemplatesPrefix) {
    MakeClubList();
    Connection::Open(m_list)->Execute("UPDATE Control SET CurrentTemplate = 1");
    MainForm& window = OpenWindow();
    Trigger("mnuEditEdit");
    QTest::mouseClick(Box("PhoneBox"), Qt::LeftButton);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), Box("PhoneBox"));
    EXPECT_EQ(Box("PhoneBox")->selectedText(), "(262) 555-0101");
    FocusOn(TextArea("AddressBox"));
    EXPECT_EQ(TextArea("AddressBox")->textCursor().selectedText(), "12 Elm St");
    Trigger("mnuEditCancel");

    Trigger("mnuEditNew");
    ASSERT_TRUE(window.Entering());
    EXPECT_EQ(QApplication::focusWidget(), Box("NameBox"));
    FocusOn(Box("PhoneBox"));
    EXPECT_EQ(Box("PhoneBox")->text(), "317");
    EXPECT_FALSE(Box("PhoneBox")->hasSelectedText());
    EXPECT_EQ(Box("PhoneBox")->cursorPosition(), 3);
    Type("5550199");
    FocusOn(Box("ZipBox"));
    EXPECT_EQ(Box("ZipBox")->cursorPosition(), 5);
    FocusOn(Box("CityBox"));
    EXPECT_EQ(Box("CityBox")->selectedText(), "Fernhollow");
    EXPECT_TRUE(window.Dirty());
}

TEST_F(MainFormRecordArea, ATypedRecordIsStoredInItsStoredForms) {
    MakeClubList();
    OpenWindow();
    Trigger("mnuEditNew");
    Type("Doe & Co; Jane");
    EXPECT_EQ(Label("ReversedNameBox")->text(), "Jane Doe & Co");
    FocusOn(TextArea("AddressBox"));
    Type("77 Lake Rd");
    Press(Qt::Key_Return);
    Type("Suite 5");
    Press(Qt::Key_Return);
    FocusOn(Box("CityBox"));
    Type("Madison");
    FocusOn(Box("StateBox"));
    Type("wi");
    EXPECT_EQ(Box("StateBox")->text(), "WI");
    FocusOn(Box("ZipBox"));
    Type("53703-12");
    FocusOn(Box("PhoneBox"));
    Type("(608) 555-0123");
    FocusOn(Box("CodeBox"));
    Type("NEW");
    Check("Switch2")->click();
    Check("Switch15")->click();
    Check("MarkedCheck")->click();
    Trigger("mnuEditSave");
    Trigger("mnuEditCancel");

    const QString today = FixedTestTime().date().toString("yyyy-MM-dd");
    EXPECT_EQ(Rows("SELECT Name, Address, City, State, Zip, Phone, Code, Notes, Switches, "
                   "Marked, Imported, LastEdit FROM List WHERE ID > 5"),
              QStringList({"Doe & Co; Jane|77 Lake Rd\r\nSuite 5|Madison|WI|537031200|"
                           "6085550123|NEW| |0010000000000001|1|0|" +
                           today}));
    EXPECT_EQ(ShownName(), "Doe & Co; Jane");
    EXPECT_EQ(Box("ZipBox")->text(), "53703-1200");
    EXPECT_EQ(Box("PhoneBox")->text(), "(608) 555-0123");
    EXPECT_EQ(TextArea("AddressBox")->toPlainText(), "77 Lake Rd\nSuite 5");
}

TEST_F(MainFormRecordArea, InternationalValuesAreStoredAsTyped) {
    MakeClubList();
    OpenWindow();
    Trigger("mnuFileSetupInternational");
    Trigger("mnuEditNew");
    Type("Wren; Ada");
    FocusOn(Box("ZipBox"));
    Type("SW1A 1AA");
    FocusOn(Box("PhoneBox"));
    Type("+44 20 7946 000");
    Trigger("mnuEditSave");
    Trigger("mnuEditCancel");
    EXPECT_EQ(Rows("SELECT Zip, Phone FROM List WHERE Name = 'Wren; Ada'"),
              QStringList({"SW1A 1AA|+44 20 7946 000"}));
    EXPECT_EQ(Box("ZipBox")->text(), "SW1A 1AA");
    EXPECT_EQ(Box("PhoneBox")->text(), "+44 20 7946 000");
    // Saving the record again keeps the phone that does not start with a digit.
    Trigger("mnuEditEdit");
    FocusOn(Box("CityBox"));
    Type("London");
    Trigger("mnuEditSave");
    EXPECT_EQ(Rows("SELECT City, Phone FROM List WHERE Name = 'Wren; Ada'"),
              QStringList({"London|+44 20 7946 000"}));
}

TEST_F(MainFormRecordArea, TheAddressTakesNoMoreThanTheListHolds) {
    MakeClubList();
    OpenWindow();
    Trigger("mnuEditEdit");
    QPlainTextEdit* address = TextArea("AddressBox");
    FocusOn(address);
    // 98 + CR LF + 100 = 200 stored characters fit; the next one is refused.
    Type(QString(98, 'a'));
    Press(Qt::Key_Return);
    Type(QString(100, 'b'));
    EXPECT_EQ(address->toPlainText(), QString(98, 'a') + "\n" + QString(100, 'b'));
    Type("c");
    EXPECT_EQ(address->toPlainText(), QString(98, 'a') + "\n" + QString(100, 'b'));
    // Typing in the middle is refused too, and the caret stays where it was.
    QTextCursor caret = address->textCursor();
    caret.setPosition(10);
    address->setTextCursor(caret);
    Type("d");
    EXPECT_EQ(address->textCursor().position(), 10);
    EXPECT_EQ(address->toPlainText(), QString(98, 'a') + "\n" + QString(100, 'b'));
    Trigger("mnuEditSave");
    EXPECT_EQ(Value("SELECT length(Address) FROM List WHERE ID = 1"), "200");

    // A stored address is shown whole, however its lines end.
    Connection::Open(m_list)->Execute(
        "UPDATE List SET Address = 'x' || char(10) || printf('%.197c', 'y') || char(10) WHERE "
        "ID = 2");
    Trigger("mnuMoveDown");
    EXPECT_EQ(address->toPlainText(), "x\n" + QString(197, 'y') + "\n");
}

TEST_F(MainFormRecordArea, FlagsAreStoredAtOnceWhileViewingAndSwitchesStayPut) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Check("MarkedCheck")->click();
    EXPECT_EQ(Value("SELECT Marked FROM List WHERE ID = 1"), "1");
    EXPECT_TRUE(window.Dirty());
    Trigger("mnuEditImportedFlag");
    EXPECT_TRUE(Check("ImportedCheck")->isChecked());
    EXPECT_EQ(Value("SELECT Imported FROM List WHERE ID = 1"), "1");
    Trigger("mnuEditMark");
    EXPECT_EQ(Value("SELECT Marked FROM List WHERE ID = 1"), "0");

    // Switches change only in input mode.
    Check("Switch0")->click();
    Check("Switch3")->click();
    EXPECT_TRUE(Check("Switch0")->isChecked());
    EXPECT_FALSE(Check("Switch3")->isChecked());
    EXPECT_EQ(Value("SELECT Switches FROM List WHERE ID = 1"), "1000000000000000");

    // In input mode the flags wait for the save.
    Trigger("mnuEditEdit");
    Check("MarkedCheck")->click();
    Check("Switch3")->click();
    EXPECT_EQ(Value("SELECT Marked FROM List WHERE ID = 1"), "0");
    Trigger("mnuEditSave");
    EXPECT_EQ(Rows("SELECT Marked, Switches FROM List WHERE ID = 1"),
              QStringList({"1|1001000000000000"}));

    // An empty list has nothing to mark.
    Connection::Open(m_list)->Execute("DELETE FROM List");
    OpenWindow();
    Check("MarkedCheck")->click();
    EXPECT_FALSE(Check("MarkedCheck")->isChecked());
}

TEST_F(MainFormRecordArea, AZeroDateShowsAnEmptyPicker) {
    MakeClubList();
    OpenWindow();
    Trigger("mnuMoveLast");
    EXPECT_EQ(ShownName(), "Smith & Sons; Bob");
    EXPECT_TRUE(DateBox()->text().trimmed().isEmpty());
    Trigger("mnuMoveFirst");
    EXPECT_EQ(DateBox()->text(), "Mar 5, 2002");
}

TEST_F(MainFormRecordArea, ShiftClickOnTheZipLooksForAZipPlus4Extension) {
    MakeClubList();
    MainForm& window = OpenWindow();
    QList<qint64> opened;
    // Baker's zip has no extension.
    Trigger("mnuMoveDown");
    ASSERT_EQ(ShownName(), "Baker; Tom");
    QTest::mouseClick(Box("ZipBox"), Qt::LeftButton, Qt::ShiftModifier);
    m_dialogs->ExpectMessage("No Zip+4 Extension", "Lettrino");

    // Adams has one: the delivery-point window opens for the record.
    Trigger("mnuMoveFirst");
    window.SetDeliveryPointOpener([&opened](QWidget*, qint64 id) { opened << id; });
    QTest::mouseClick(Box("ZipBox"), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(opened, QList<qint64>({1}));

    // Not while editing, nor in international mode, nor on a plain click.
    Trigger("mnuEditEdit");
    QTest::mouseClick(Box("ZipBox"), Qt::LeftButton, Qt::ShiftModifier);
    Trigger("mnuEditCancel");
    Trigger("mnuFileSetupInternational");
    QTest::mouseClick(Box("ZipBox"), Qt::LeftButton, Qt::ShiftModifier);
    Trigger("mnuFileSetupInternational");
    QTest::mouseClick(Box("ZipBox"), Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

// The main window's fixture, and its start-up, menus, toolbar, settings, keys and guards.

#include "main_form_window.h"

#include "app/messages.h"
#include "app/settings.h"
#include "app/value_formats.h"
#include "database/connection.h"
#include "database/statement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

// ---------------------------------------------------------------------------------------
// The fixture

void HookedDialogs::ShowMessage(const QString& text, const QString& title, MessageIcon icon) {
    ScriptedDialogs::ShowMessage(text, title, icon);
    if (onMessage)
        onMessage(text);
}

QString HookedDialogs::SaveFileName(const QString& title, const QString& suggested,
                                    const QString& filters) {
    proposals << suggested;
    return ScriptedDialogs::SaveFileName(title, suggested, filters);
}

void MainFormWindow::SetUp() {
    LettrinoTest::SetUp();
    auto hooked = std::make_unique<HookedDialogs>();
    m_hooks = hooked.get();
    m_dialogs = std::move(hooked);
    Dialogs::Install(m_dialogs.get());
}

void MainFormWindow::TearDown() {
    m_window.reset();
    LettrinoTest::TearDown();
}

QString MainFormWindow::MakeClubList(const QString& name) {
    m_list = MakeList(name);
    auto db = Connection::Open(m_list);
    Transaction rows(*db);
    db->Execute(
        "INSERT INTO List (ID, Name, Address, City, State, Zip, EMail, Phone, Attention, Code, "
        "CarRt, LastEdit, Switches, Notes, Marked, Imported) VALUES "
        "(1, 'Adams; Ruth', '12 Elm St', 'Brookfield', 'WI', '530051234', 'ruth@example.com', "
        "'2625550101', '', 'DONOR', 'C001', '2002-03-05', '1000000000000000', ' ', 0, 0), "
        "(2, 'Baker; Tom', '4 Oak Ave' || char(13, 10) || 'Apt 2', 'Columbus', 'OH', "
        "'432150000', 'tom@example.org', '6145550102', 'Treasurer', 'MEMBER', 'C007', "
        "'2001-07-19', '0100000000000001', 'Likes' || char(13, 10) || 'stamps', 1, 0), "
        "(3, 'Chen; Li', '9 Pine Rd', 'Albany', 'NY', '122070000', 'li@example.net', "
        "'5185550103', '', 'BOARD', 'R002', '2003-01-10', '0000000000000000', ' ', 0, 1), "
        "(4, 'O''Brien; Siobhan', '14 O''Connell Ct', 'Dayton', 'OH', '454020000', "
        "'sio@example.com', '9375550104', '', 'ALUMNI', 'C003', '1999-11-30', "
        "'0000000000000000', ' ', 0, 0), "
        "(5, 'Smith & Sons; Bob', '1 Main St', 'Evanston', 'IL', '602011111', "
        "'bob@example.com', '8475550105', '', 'VENDOR', 'H010', '1899-12-30', "
        "'0000000000000000', ' ', 0, 0)");
    const char* const columns[] = {"Name",  "City", "State", "Zip",     "EMail",
                                   "Phone", "Code", "CarRt", "LastEdit"};
    for (int sequence = 0; sequence <= 8; ++sequence) {
        Statement filter = db->Prepare("INSERT INTO Filter (ID, FilterName, Sequence, Query) "
                                       "VALUES (?, ?, ?, ?)");
        filter.Bind(1, sequence + 1)
            .Bind(2, "By " + SequenceName(sequence))
            .Bind(3, sequence)
            .Bind(4, QStringLiteral("SELECT * FROM [List] ORDER BY [%1];")
                         .arg(QLatin1String(columns[sequence])))
            .Run();
    }
    db->Execute("INSERT INTO Template (ID, TemplateName, City, State, Zip, Phone, Switches, "
                "Notes, Marked) VALUES (1, 'Locals', 'Fernhollow', 'IN', '46217', '317', "
                "'0010000000000000', ' ', 1)");
    db->Execute("UPDATE SwitchNames SET Name = 'Newsletter' WHERE ID = 1");
    db->Execute("UPDATE SwitchNames SET Name = 'Donor' WHERE ID = 2");
    db->Execute("UPDATE SwitchNames SET Name = 'Bad address' WHERE ID = 16");
    rows.Commit();
    return m_list;
}

MainForm& MainFormWindow::OpenWindow() {
    m_window = std::make_unique<MainForm>();
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    Settle();
    return *m_window;
}

QLineEdit* MainFormWindow::Box(const QString& name) const {
    auto* box = m_window->findChild<QLineEdit*>(name);
    EXPECT_NE(box, nullptr) << name.toStdString();
    return box;
}

QPlainTextEdit* MainFormWindow::TextArea(const QString& name) const {
    return m_window->findChild<QPlainTextEdit*>(name);
}

QLabel* MainFormWindow::Label(const QString& name) const {
    return m_window->findChild<QLabel*>(name);
}

QCheckBox* MainFormWindow::Check(const QString& name) const {
    return m_window->findChild<QCheckBox*>(name);
}

QComboBox* MainFormWindow::Combo(const QString& name) const {
    return m_window->findChild<QComboBox*>(name);
}

QDateEdit* MainFormWindow::DateBox() const {
    return m_window->findChild<QDateEdit*>("DateBox");
}

QPushButton* MainFormWindow::Button(const QString& name) const {
    return m_window->findChild<QPushButton*>(name);
}

QAction* MainFormWindow::Action(const QString& name) const {
    auto* action = m_window->findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name.toStdString();
    return action;
}

void MainFormWindow::Trigger(const QString& action) {
    Action(action)->trigger();
    Settle();
}

void MainFormWindow::FocusOn(QWidget* control) {
    control->setFocus(Qt::TabFocusReason);
    Settle();
}

void MainFormWindow::Type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
    Settle();
}

void MainFormWindow::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    Settle();
}

void MainFormWindow::ChooseFilter(const QString& name) {
    QComboBox* box = Combo("FilterBox");
    const int index = box->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
    Settle();
}

void MainFormWindow::Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QStringList MainFormWindow::Rows(const QString& sql) const {
    auto db = Connection::Open(m_list, Connection::Mode::ReadOnly);
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

QString MainFormWindow::Value(const QString& sql) const {
    return Connection::Open(m_list, Connection::Mode::ReadOnly)->QueryText(sql);
}

QString MainFormWindow::ShownName() const {
    return m_window->findChild<QLineEdit*>("NameBox")->text();
}

qint64 MainFormWindow::RecordCount() const {
    return m_window->findChild<QLabel*>("RecordCountBox")->text().toLongLong();
}

// ---------------------------------------------------------------------------------------
// Start-up and the Configuration panel

namespace {

QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

TEST_F(MainFormWindow, StartUpShowsTheFirstRecordInNameOrderAndTheListsConfiguration) {
    MakeClubList();
    Connection::Open(m_list)->Execute("UPDATE Control SET CurrentTemplate = 1");
    MainForm& window = OpenWindow();
    EXPECT_EQ(window.objectName(), "MainForm");
    EXPECT_EQ(window.windowTitle(), "Lettrino");
    EXPECT_TRUE(window.ListIsOpen());

    EXPECT_EQ(ShownName(), "Adams; Ruth");
    EXPECT_EQ(Label("ReversedNameBox")->text(), "Ruth Adams");
    EXPECT_EQ(Box("ZipBox")->text(), "53005-1234");
    EXPECT_EQ(Box("PhoneBox")->text(), "(262) 555-0101");
    EXPECT_EQ(DateBox()->text(), "Mar 5, 2002");
    EXPECT_TRUE(Check("Switch0")->isChecked());
    EXPECT_EQ(window.CurrentID(), 1);

    EXPECT_EQ(Combo("FilterBox")->currentText(), "<None>");
    EXPECT_EQ(Combo("FilterBox")->count(), 10);
    EXPECT_EQ(Combo("FilterBox")->itemData(9).toLongLong(), 9);
    EXPECT_EQ(Combo("TemplateBox")->currentText(), "Locals");
    EXPECT_EQ(Label("SortBox")->text(), "Name");
    EXPECT_EQ(RecordCount(), 5);
    EXPECT_EQ(Label("PathBox")->toolTip(), m_list);
    // A path too long for the box gives way in its folders; the file name stays whole.
    Label("PathBox")->resize(Label("PathBox")->fontMetrics().horizontalAdvance("/…/Club.mdb") + 20,
                             Label("PathBox")->height());
    const QString shown = Label("PathBox")->text();
    EXPECT_TRUE(shown.endsWith("/Club.mdb") && shown.contains(QChar(0x2026)))
        << shown.toStdString();
    EXPECT_EQ(Check("Switch0")->text(), "Newsletter");
    EXPECT_EQ(Check("Switch15")->text(), "Bad address");
    EXPECT_EQ(Check("Switch5")->text(), "");

    // Viewing mode: no save, no cancel.
    EXPECT_FALSE(Action("mnuEditSave")->isVisible());
    EXPECT_FALSE(Action("mnuEditCancel")->isVisible());
    EXPECT_FALSE(Action("Toolbar1Save")->isEnabled());
    EXPECT_FALSE(Button("CancelButton")->isVisible());
    EXPECT_EQ(Box("NameBox")->maxLength(), 34);
    EXPECT_EQ(Box("StateBox")->maxLength(), 2);
    EXPECT_EQ(Box("ZipBox")->maxLength(), 10);
    EXPECT_EQ(DateBox()->displayFormat(), "MMM d, yyyy");
}

TEST_F(MainFormWindow, ChoosingAFilterAppliesItAndNoneGoesBackToTheWholeList) {
    MakeClubList();
    Connection::Open(m_list)->Execute("DELETE FROM List WHERE ID = 3; "
                                      "UPDATE Filter SET Query = 'SELECT * FROM [List] WHERE "
                                      "[State] = ''OH'' ORDER BY [Zip];' WHERE ID = 4");
    MainForm& window = OpenWindow();
    ChooseFilter("By Zip Code");
    EXPECT_EQ(Label("SortBox")->text(), "Zip Code");
    EXPECT_EQ(window.SortOrder(), 3);
    EXPECT_EQ(RecordCount(), 2);
    EXPECT_EQ(ShownName(), "Baker; Tom");
    EXPECT_EQ(Value("SELECT CurrentFilter FROM Control"), "4");

    ChooseFilter("<None>");
    EXPECT_EQ(Label("SortBox")->text(), "Name");
    EXPECT_EQ(window.SortOrder(), 0);
    EXPECT_EQ(RecordCount(), 4);
    EXPECT_EQ(Value("SELECT CurrentFilter FROM Control"), "0");

    // The choice belongs to the list: a new start applies it again.
    ChooseFilter("By City");
    m_window.reset();
    OpenWindow();
    EXPECT_EQ(Combo("FilterBox")->currentText(), "By City");
    EXPECT_EQ(ShownName(), "Adams; Ruth"); // Brookfield comes first once Albany is gone
}

TEST_F(MainFormWindow, ChoosingATemplateStoresItInTheList) {
    MakeClubList();
    OpenWindow();
    QComboBox* box = Combo("TemplateBox");
    ASSERT_EQ(box->count(), 2);
    box->setCurrentIndex(1);
    Q_EMIT box->activated(1);
    EXPECT_EQ(Value("SELECT CurrentTemplate FROM Control"), "1");
    box->setCurrentIndex(0);
    Q_EMIT box->activated(0);
    EXPECT_EQ(Value("SELECT CurrentTemplate FROM Control"), "0");
}

// ---------------------------------------------------------------------------------------
// Menus and toolbar

TEST_F(MainFormWindow, MenusCarryTheirCaptionsSeparatorsAndShortcuts) {
    MakeClubList();
    MainForm& window = OpenWindow();
    QStringList bar;
    for (const QAction* action : window.menuBar()->actions())
        bar << action->text();
    EXPECT_EQ(bar, QStringList({"&File", "&Edit", "&Move", "&Tools", "&Help"}));

    EXPECT_EQ(MenuTexts(window.findChild<QMenu*>("mnuFile")),
              QStringList({"&Open Mailing List...", "&New Mailing List...", "&Backup...", "-",
                           "&Print", "-", "&Setup", "-", "E&xit"}));
    EXPECT_EQ(MenuTexts(window.findChild<QMenu*>("mnuFilePrint")),
              QStringList({"&Mailing Labels...", "&Lists..."}));
    EXPECT_EQ(MenuTexts(window.findChild<QMenu*>("mnuFileSetup")),
              QStringList({"Use &Large Screen", "Select &Printer...", "Set &BackupPath...",
                           "Use &International Values"}));
    EXPECT_EQ(MenuTexts(window.findChild<QMenu*>("mnuEdit")),
              QStringList({"&NewRecord", "&Edit Record", "&Save Record", "&Delete Record",
                           "&Cancel Input", "-", "Copy &Address to Clipboard", "-",
                           "&Mark/Un-Mark Record", "Toggle &Imported Flag", "Set &Template...",
                           "Set &Filter...", "-"}));
    EXPECT_EQ(MenuTexts(window.findChild<QMenu*>("mnuMove")),
              QStringList({"&First Record", "&Up One Record", "&Down One Record", "&Last Record"}));
    EXPECT_EQ(MenuTexts(window.findChild<QMenu*>("mnuTools")),
              QStringList({"&View Records In Grid...", "-", "Define &Switches...",
                           "&Import/Export Text File...", "&Convert and Purge...",
                           "Com&pact Mailing List", "Check For &Duplicates"}));
    EXPECT_EQ(MenuTexts(window.findChild<QMenu*>("mnuHelp")),
              QStringList({"Lettrino &Help Topics...", "-", "Read &Me...", "Technical &Support",
                           "-", "&About Lettrino..."}));

    const std::pair<const char*, const char*> shortcuts[] = {
        {"mnuEditNew", "Ctrl+N"},    {"mnuEditEdit", "Ctrl+E"},         {"mnuEditSave", "Ctrl+S"},
        {"mnuEditDelete", "Ctrl+D"}, {"mnuEditCancel", "Ctrl+X"},       {"mnuEditCopy", "Ctrl+A"},
        {"mnuEditMark", "Ctrl+M"},   {"mnuEditImportedFlag", "Ctrl+I"}, {"mnuToolsGrid", "Ctrl+G"}};
    for (const auto& [name, keys] : shortcuts)
        EXPECT_EQ(Action(name)->shortcut().toString().toStdString(), keys) << name;
}

TEST_F(MainFormWindow, ToolbarButtonsCarryTheirKeysCaptionsTipsAndIcons) {
    MakeClubList();
    MainForm& window = OpenWindow();
    const QList<QAction*> buttons = window.findChild<QToolBar*>("Toolbar1")->actions();
    QStringList seen;
    for (const QAction* button : buttons) {
        seen << button->data().toString() + "|" + button->text() + "|" + button->toolTip();
        EXPECT_FALSE(button->icon().isNull()) << button->text().toStdString();
    }
    EXPECT_EQ(seen,
              QStringList({"New|New|New Records", "Open|Edit|Edit This Record",
                           "Delete|Delete|Delete This Record", "Print|Print|Print Labels",
                           "Template|Template|Set Record As Template", "Filter|Filter|Set Filter",
                           "List|List|View As List", "Save|Save|Save This Record"}));
    for (const char* name : {"FirstRecordButton", "UpButton", "DownButton", "LastRecordButton"})
        EXPECT_FALSE(Button(name)->icon().isNull()) << name;

    // The key decides: "Open" edits the record, "Save" stores it.
    Trigger("Toolbar1Open");
    EXPECT_TRUE(window.Editing());
    EXPECT_TRUE(Action("Toolbar1Save")->isEnabled());
    Box("CityBox")->setText("Waukesha");
    Trigger("Toolbar1Save");
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Value("SELECT City FROM List WHERE ID = 1"), "Waukesha");
}

TEST_F(MainFormWindow, TheToolCommandsOpenTheirWindows) {
    MakeClubList();
    OpenWindow();
    const std::vector<std::pair<const char*, QString>> commands = {
        {"mnuFilePrintLabels", "Print Mailing Labels"},
        {"Toolbar1Print", "Print Mailing Labels"},
        {"mnuToolsImport", "Import/Export Text Files"},
        {"mnuEditFilter", "Filter"},
        {"Toolbar1Filter", "Filter"},
        {"mnuFilePrintRecords", "Print Record List"},
        {"mnuToolsGrid", "Grid View"},
        {"Toolbar1List", "Grid View"},
        {"mnuToolsConvert", "Convert and Purge"},
        {"mnuToolsDuplicates", "Checking for duplicates"}};
    for (const auto& [name, caption] : commands) {
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (QWidget* window = QApplication::activeModalWidget()) {
                shown = window->windowTitle();
                window->close();
            }
        });
        Trigger(name);
        EXPECT_EQ(shown, caption) << name;
    }
}

TEST_F(MainFormWindow, HelpOpensTheGuideAtItsContentsAndTopics) {
    OpenWindow(); // no list needed
    m_dialogs->ExpectMessage("Please select a mailing list to open.");
    Trigger("mnuHelpHelp");
    Trigger("mnuHelpReadMe");
    Trigger("mnuHelpTechSupport");
    ASSERT_EQ(m_dialogs->OpenedUrls().size(), 3);
    EXPECT_TRUE(m_dialogs->OpenedUrls()[0].endsWith("/index.html"));
    EXPECT_EQ(m_dialogs->OpenedUrls()[1], QUrl::fromLocalFile(HelpTopicFile(8000)).toString());
    EXPECT_EQ(m_dialogs->OpenedUrls()[2], QUrl::fromLocalFile(HelpTopicFile(8800)).toString());
}

// ---------------------------------------------------------------------------------------
// Without a list, and the guards

TEST_F(MainFormWindow, WithoutAListTheListCommandsWarnAndTheOthersWork) {
    SetCurrentList("NO--DB");
    MainForm& window = OpenWindow();
    m_dialogs->ExpectMessage("Please select a mailing list to open.");
    EXPECT_FALSE(window.ListIsOpen());
    EXPECT_EQ(DateBox()->text().trimmed(), ""); // no record, no date

    for (const char* name :
         {"mnuFileBackup",   "mnuFilePrintLabels", "mnuFilePrintRecords", "mnuEditEdit",
          "mnuEditDelete",   "mnuEditCopy",        "mnuEditMark",         "mnuEditImportedFlag",
          "mnuEditTemplate", "mnuEditFilter",      "mnuMoveFirst",        "mnuMoveUp",
          "mnuMoveDown",     "mnuMoveLast",        "mnuToolsGrid",        "mnuToolsDefineSwitches",
          "mnuToolsImport",  "mnuToolsConvert",    "mnuToolsCompact",     "mnuToolsDuplicates",
          "mnuEditNew"}) {
        Trigger(name);
        m_dialogs->ExpectMessage("You first must open a mailing list");
    }
    EXPECT_FALSE(Check("MarkedCheck")->isChecked());
    EXPECT_FALSE(window.Entering());

    // Typing into the name box asks for a list too, and types nothing.
    FocusOn(Box("NameBox"));
    Type("x");
    m_dialogs->ExpectMessage("You first must open a mailing list");
    EXPECT_EQ(ShownName(), "");

    // The filter box does nothing.
    Q_EMIT Combo("FilterBox")->activated(0);
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());

    // The settings, help and the new-list window work.
    Trigger("mnuFileSetupInternational");
    EXPECT_TRUE(International());
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    Trigger("mnuFileNew");
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

TEST_F(MainFormWindow, BusyAndEmptyGuardsOnlyDing) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Trigger("mnuEditEdit");
    ASSERT_TRUE(window.Editing());
    int beeps = m_dialogs->Beeps();
    for (const char* name : {"mnuFileOpen", "mnuFileNew", "mnuFileBackup", "mnuFilePrintLabels",
                             "mnuFilePrintRecords", "mnuEditTemplate", "mnuEditFilter",
                             "mnuToolsImport", "mnuToolsConvert", "mnuToolsCompact", "mnuMoveFirst",
                             "mnuMoveLast", "mnuMoveUp", "mnuMoveDown", "mnuEditDelete"}) {
        Trigger(name);
        EXPECT_EQ(m_dialogs->Beeps(), ++beeps) << name;
    }
    EXPECT_EQ(ShownName(), "Adams; Ruth");
    EXPECT_TRUE(window.ListIsOpen());
    Trigger("mnuEditNew");
    m_dialogs->ExpectMessage("You are editing a record");
    EXPECT_FALSE(window.Entering());
    Trigger("mnuEditCancel");

    // An empty list: nothing to print, edit or convert.
    Connection::Open(m_list)->Execute("DELETE FROM List");
    m_window.reset();
    OpenWindow();
    beeps = m_dialogs->Beeps();
    for (const char* name : {"mnuFilePrintLabels", "mnuFilePrintRecords", "mnuEditEdit"}) {
        Trigger(name);
        EXPECT_EQ(m_dialogs->Beeps(), ++beeps) << name;
    }
    Trigger("mnuToolsConvert"); // does nothing at all
    EXPECT_EQ(m_dialogs->Beeps(), beeps);
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

// ---------------------------------------------------------------------------------------
// Settings

TEST_F(MainFormWindow, InternationalModeRedisplaysTheRecordAtOnce) {
    MakeClubList();
    OpenWindow();
    EXPECT_FALSE(Action("mnuFileSetupInternational")->isChecked());
    Trigger("mnuFileSetupInternational");
    EXPECT_EQ(GetSetting("Settings", "International", ""), "True");
    EXPECT_TRUE(Action("mnuFileSetupInternational")->isChecked());
    EXPECT_EQ(Box("ZipBox")->text(), "530051234");
    EXPECT_EQ(Box("PhoneBox")->text(), "2625550101");

    Trigger("mnuFileSetupInternational");
    EXPECT_EQ(GetSetting("Settings", "International", ""), "False");
    EXPECT_FALSE(Action("mnuFileSetupInternational")->isChecked());
    EXPECT_EQ(Box("ZipBox")->text(), "53005-1234");

    // A record being typed keeps what was typed.
    Trigger("mnuEditNew");
    Type("New; Person");
    Trigger("mnuFileSetupInternational");
    EXPECT_EQ(ShownName(), "New; Person");
    m_dialogs->AnswerNo();
    Trigger("mnuEditCancel");
}

TEST_F(MainFormWindow, InternationalIsReadAtStartUp) {
    MakeClubList();
    SaveSetting("Settings", "International", "true");
    OpenWindow();
    EXPECT_TRUE(International());
    EXPECT_TRUE(Action("mnuFileSetupInternational")->isChecked());
    EXPECT_EQ(Box("ZipBox")->text(), "530051234");
}

TEST_F(MainFormWindow, LargeScreenIsToggledForTheNextStartWithAWarning) {
    MakeClubList();
    OpenWindow();
    const QSize before = m_window->size();
    Trigger("mnuFileSetupLargeScreen");
    const ScriptedDialogs::Message message = m_dialogs->TakeMessage();
    EXPECT_EQ(message.text, "You must re-start Lettrino to switch to the new screen");
    EXPECT_EQ(message.icon, MessageIcon::Warning);
    EXPECT_EQ(GetSetting("Settings", "BigScreen", ""), "True");
    EXPECT_TRUE(Action("mnuFileSetupLargeScreen")->isChecked());
    EXPECT_EQ(m_window->size(), before);
    Trigger("mnuFileSetupLargeScreen");
    m_dialogs->ExpectMessage("You must re-start Lettrino to switch to the new screen");
    EXPECT_EQ(GetSetting("Settings", "BigScreen", ""), "False");
}

TEST_F(MainFormWindow, OnlyTrueInAnyCaseGivesTheLargeWindow) {
    MakeClubList();
    for (const char* value : {"", "false", "yes"}) {
        SaveSetting("Settings", "BigScreen", value);
        OpenWindow();
        EXPECT_FALSE(m_window->BigScreen()) << value;
        EXPECT_LT(m_window->width(), MainForm::LargeClientSize().width()) << value;
    }
    SaveSetting("Settings", "BigScreen", "TRUE");
    OpenWindow();
    EXPECT_TRUE(m_window->BigScreen());
    EXPECT_TRUE(Action("mnuFileSetupLargeScreen")->isChecked());
    EXPECT_GE(m_window->width(), MainForm::LargeClientSize().width());
    EXPECT_GE(m_window->height(), MainForm::LargeClientSize().height());
}

// ---------------------------------------------------------------------------------------
// The six keys the window sees first

TEST_F(MainFormWindow, PageKeysHomeAndEndMoveThroughTheList) {
    MakeClubList();
    MainForm& window = OpenWindow();
    FocusOn(Box("NameBox"));
    Press(Qt::Key_PageDown);
    EXPECT_EQ(ShownName(), "Baker; Tom");
    Press(Qt::Key_PageDown);
    EXPECT_EQ(ShownName(), "Chen; Li");
    Press(Qt::Key_PageUp);
    EXPECT_EQ(ShownName(), "Baker; Tom");
    Press(Qt::Key_End);
    EXPECT_EQ(ShownName(), "Smith & Sons; Bob");
    Press(Qt::Key_PageDown); // stays on the last
    EXPECT_EQ(ShownName(), "Smith & Sons; Bob");
    Press(Qt::Key_Home);
    EXPECT_EQ(ShownName(), "Adams; Ruth");
    Press(Qt::Key_PageUp); // stays on the first
    EXPECT_EQ(ShownName(), "Adams; Ruth");
    EXPECT_EQ(window.CurrentID(), 1);

    // The keys work wherever the focus is, the date picker included.
    FocusOn(TextArea("NotesBox"));
    Press(Qt::Key_End);
    EXPECT_EQ(ShownName(), "Smith & Sons; Bob");
}

TEST_F(MainFormWindow, HomeAndEndInATextBoxNeverMoveTheCaret) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Press(Qt::Key_PageDown);
    Trigger("mnuEditEdit");
    QLineEdit* city = Box("CityBox");
    FocusOn(city);
    city->setCursorPosition(3);
    const int beeps = m_dialogs->Beeps();
    Press(Qt::Key_Home);
    Press(Qt::Key_End);
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 2); // moves are refused while editing
    EXPECT_EQ(city->cursorPosition(), 3);
    EXPECT_EQ(ShownName(), "Baker; Tom");

    // Viewing: Home in the key box goes to the first record and the caret stays put.
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window.Editing());
    QLineEdit* name = Box("NameBox");
    FocusOn(name);
    name->deselect();
    name->setCursorPosition(4);
    Press(Qt::Key_Home);
    EXPECT_EQ(ShownName(), "Adams; Ruth");
    EXPECT_EQ(name->cursorPosition(), 4);
    Press(Qt::Key_End);
    EXPECT_EQ(ShownName(), "Smith & Sons; Bob");
    EXPECT_EQ(name->cursorPosition(), 4);
}

TEST_F(MainFormWindow, InsertSavesAndEscapeCancelsOnlyWhileTyping) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Press(Qt::Key_Escape); // viewing: nothing happens
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    Press(Qt::Key_Insert); // viewing: nothing to save
    EXPECT_FALSE(window.Entering());

    Trigger("mnuEditEdit");
    FocusOn(Box("CityBox"));
    Type("Elm Grove");
    Press(Qt::Key_Insert);
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Value("SELECT City FROM List WHERE ID = 1"), "Elm Grove");

    Trigger("mnuEditEdit");
    FocusOn(Box("CityBox"));
    Type("Lost");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Box("CityBox")->text(), "Elm Grove");
}

TEST_F(MainFormWindow, MenuShortcutsWinOverTheTextBoxes) {
    MakeClubList();
    MainForm& window = OpenWindow();
    // Ctrl+A copies the address instead of selecting the box's text.
    FocusOn(Box("NameBox"));
    Box("NameBox")->deselect();
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Ruth Adams\r\n12 Elm St\r\nBrookfield, WI 53005-1234");

    // Ctrl+X cancels while editing instead of cutting the text.
    Press(Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(window.Editing());
    FocusOn(Box("CityBox"));
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(window.Editing());
    EXPECT_EQ(Box("CityBox")->text(), "Brookfield");

    // Ctrl+M marks in viewing mode, at once.
    Press(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(Check("MarkedCheck")->isChecked());
    EXPECT_EQ(Value("SELECT Marked FROM List WHERE ID = 1"), "1");
}

TEST_F(MainFormWindow, SelectPrinterOpensThePrinterWindow) {
    OpenWindow();
    m_dialogs->ExpectMessage("Please select a mailing list to open.");
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = modal->metaObject()->className();
            modal->close();
        }
    });
    Trigger("mnuFileSetupPrinter");
    EXPECT_EQ(shown, "GetPrinter");
}

TEST_F(MainFormWindow, ExitClosesTheWindowAndTheList) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Trigger("mnuFileExit");
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.ListIsOpen());
}

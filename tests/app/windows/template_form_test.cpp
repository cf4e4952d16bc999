// The template editor: naming rules, the current template it leaves behind, the guards of
// viewing, and what a template hands to a new record in the main window.

#include "main_form_window.h"

#include "app/switch_names.h"
#include "app/windows/template_form.h"
#include "database/connection.h"
#include "printing/printer_object.h"
#include "printing/printers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

class TemplateEditor : public MainFormWindow {
protected:
    void SetUp() override {
        MainFormWindow::SetUp();
        MakeClubList(); // template 1 "Locals": Fernhollow, IN, 46217, 317, switch 2, marked
        Connection::Open(m_list)->Execute(
            "INSERT INTO Template (ID, TemplateName, City, Zip, Switches, Notes, Marked) "
            "VALUES (2, 'Farmers', 'Millbrook', '47001', '0000000000000000', ' ', 0)");
    }
    void TearDown() override {
        m_editor.reset();
        MainFormWindow::TearDown();
    }

    // The editor on its own, shown and active.
    Template& OpenEditor() {
        m_editor = std::make_unique<Template>();
        m_editor->show();
        QApplication::setActiveWindow(m_editor.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_editor.get()));
        Settle();
        return *m_editor;
    }

    // Opens the editor from the main window's menu, runs the steps in it and closes it.
    void UseEditorFromMainWindow(const std::function<void(Template&)>& steps) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<Template*>(QApplication::activeModalWidget());
            ASSERT_NE(editor, nullptr);
            steps(*editor);
            ran = true;
            editor->close();
        });
        Trigger("mnuEditTemplate");
        EXPECT_TRUE(ran);
    }

    static QLineEdit* EditorBox(Template& editor, const QString& name) {
        auto* box = editor.findChild<QLineEdit*>(name);
        EXPECT_NE(box, nullptr) << name.toStdString();
        return box;
    }
    static void Run(Template& editor, const QString& action) {
        editor.findChild<QAction*>(action)->trigger();
        Settle();
    }
    static void ChooseLine(Template& editor, const QString& text) {
        auto* list = editor.findChild<QListWidget*>("TemplateList");
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.first());
        Settle();
    }
    static QStringList Lines(Template& editor) {
        auto* list = editor.findChild<QListWidget*>("TemplateList");
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }
    // Puts the focus into the box as Tab would and types at the end of its text.
    static void TypeInto(QWidget* box, const QString& text) {
        box->setFocus(Qt::TabFocusReason);
        Settle();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), text);
        Settle();
    }

    qint64 CurrentTemplate() const {
        return Connection::Open(m_list)->QueryNumber("SELECT CurrentTemplate FROM Control");
    }

    std::unique_ptr<Template> m_editor;
};

} // namespace

TEST_F(TemplateEditor, ANewTemplateNeedsAFreshNameWhileARenameMayTakeAnyName) {
    Template& editor = OpenEditor();
    EXPECT_EQ(editor.windowTitle(), "Template");
    EXPECT_EQ(Lines(editor), QStringList({"<None>", "Farmers", "Locals"}));

    Run(editor, "mnuEditNew");
    ASSERT_TRUE(editor.Entering());
    EXPECT_EQ(editor.findChild<QLabel*>("CurrentStateBox")->text(), "New Template");
    TypeInto(EditorBox(editor, "TemplateNameBox"), "   ");
    Run(editor, "mnuEditSave");
    m_dialogs->ExpectMessage("The template must have a name", "Lettrino");

    EditorBox(editor, "TemplateNameBox")->setText("Locals");
    EditorBox(editor, "CityBox")->setText("Elsewhere");
    Run(editor, "Toolbar1Save");
    m_dialogs->ExpectMessage("Duplicate template name. Please select a different one.");
    EXPECT_TRUE(editor.Entering());
    EXPECT_EQ(Value("SELECT COUNT(*) FROM Template"), "2");

    // Delete cancels the new template.
    Run(editor, "mnuEditDelete");
    EXPECT_FALSE(editor.Entering());
    EXPECT_EQ(EditorBox(editor, "TemplateNameBox")->text(), "");

    // Renaming Farmers to Locals is not checked.
    ChooseLine(editor, "Farmers");
    Run(editor, "mnuEditEdit");
    ASSERT_TRUE(editor.Editing());
    EXPECT_EQ(editor.findChild<QLabel*>("CurrentStateBox")->text(), "Editing");
    EditorBox(editor, "TemplateNameBox")->setText("Locals");
    Run(editor, "mnuEditSave");
    EXPECT_FALSE(editor.Editing());
    EXPECT_EQ(Rows("SELECT ID, TemplateName, City FROM Template ORDER BY ID"),
              QStringList({"1|Locals|Fernhollow", "2|Locals|Millbrook"}));
    EXPECT_EQ(editor.TemplateID(), 2);
}

TEST_F(TemplateEditor, ANewTemplateReachesNewRecordsAsTyped) {
    OpenWindow();
    UseEditorFromMainWindow([](Template& editor) {
        Run(editor, "Toolbar1New");
        TypeInto(EditorBox(editor, "TemplateNameBox"), "Downtown");
        TypeInto(EditorBox(editor, "CityBox"), "Fernhollow");
        TypeInto(EditorBox(editor, "StateBox"), "in");
        EXPECT_EQ(EditorBox(editor, "StateBox")->text(), "IN");
        TypeInto(EditorBox(editor, "ZipBox"), "12345");
        TypeInto(EditorBox(editor, "PhoneBox"), "317");
        TypeInto(EditorBox(editor, "Text1"), "C012");
        editor.findChild<QPlainTextEdit*>("AddressBox")->setPlainText("1 Main St\nSuite 4");
        editor.findChild<QCheckBox*>("Switch3")->click();
        // Insert saves wherever the focus is, here in the phone box.
        TypeInto(EditorBox(editor, "PhoneBox"), "");
        QTest::keyClick(EditorBox(editor, "PhoneBox"), Qt::Key_Insert);
        Settle();
        EXPECT_FALSE(editor.Entering());
        EXPECT_EQ(EditorBox(editor, "PhoneBox")->text(), "317");
    });
    EXPECT_EQ(Rows("SELECT Zip, Phone, CarRt, State, Address, Switches, Notes, Marked "
                   "FROM Template WHERE TemplateName = 'Downtown'"),
              QStringList({"12345|317|C012|IN|1 Main St\r\nSuite 4|0001000000000000| |0"}));
    // The template shown on closing is the current one, in the main window too.
    EXPECT_EQ(CurrentTemplate(),
              Value("SELECT ID FROM Template WHERE TemplateName = 'Downtown'").toLongLong());
    EXPECT_EQ(Combo("TemplateBox")->currentText(), "Downtown");
    EXPECT_EQ(Combo("TemplateBox")->count(), 4);

    Trigger("mnuEditNew");
    EXPECT_EQ(Box("ZipBox")->text(), "12345");
    EXPECT_EQ(Box("PhoneBox")->text(), "317");
    EXPECT_EQ(Box("CarRtBox")->text(), "C012");
    EXPECT_EQ(Box("CityBox")->text(), "Fernhollow");
    EXPECT_TRUE(Check("Switch3")->isChecked());
}

TEST_F(TemplateEditor, ClosingOnNoneClearsTheCurrentTemplateAndNewRecordsStartBlank) {
    Connection::Open(m_list)->Execute("UPDATE Control SET CurrentTemplate = 1");
    OpenWindow();
    EXPECT_EQ(Combo("TemplateBox")->currentText(), "Locals");
    UseEditorFromMainWindow([](Template& editor) {
        // The current template is shown first.
        EXPECT_EQ(EditorBox(editor, "TemplateNameBox")->text(), "Locals");
        EXPECT_EQ(EditorBox(editor, "CityBox")->text(), "Fernhollow");
        EXPECT_TRUE(editor.findChild<QCheckBox*>("MarkedCheck")->isChecked());
        ChooseLine(editor, "<None>");
        EXPECT_EQ(editor.TemplateID(), 0);
        EXPECT_EQ(EditorBox(editor, "CityBox")->text(), "");
    });
    EXPECT_EQ(CurrentTemplate(), 0);
    EXPECT_EQ(Combo("TemplateBox")->currentText(), "<None>");
    Trigger("mnuEditNew");
    EXPECT_EQ(Box("CityBox")->text(), "");
    EXPECT_EQ(Box("PhoneBox")->text(), "");
    EXPECT_FALSE(Check("MarkedCheck")->isChecked());
}

TEST_F(TemplateEditor, DeletingTheCurrentTemplateClearsIt) {
    Connection::Open(m_list)->Execute("UPDATE Control SET CurrentTemplate = 1");
    OpenWindow();
    UseEditorFromMainWindow([this](Template& editor) {
        ASSERT_EQ(editor.TemplateID(), 1);
        m_dialogs->AnswerNo();
        Run(editor, "mnuEditDelete");
        EXPECT_EQ(Value("SELECT COUNT(*) FROM Template"), "2");
        m_dialogs->AnswerYes();
        Run(editor, "Toolbar1Delete");
        ASSERT_EQ(m_dialogs->Questions().size(), 2u);
        EXPECT_EQ(m_dialogs->Questions()[1].text, "Delete this template?");
        EXPECT_EQ(CurrentTemplate(), 0);
        EXPECT_EQ(Lines(editor), QStringList({"<None>", "Farmers"}));
        EXPECT_EQ(EditorBox(editor, "TemplateNameBox")->text(), "");
    });
    EXPECT_EQ(Rows("SELECT TemplateName FROM Template"), QStringList({"Farmers"}));
    EXPECT_EQ(CurrentTemplate(), 0);
    EXPECT_EQ(Combo("TemplateBox")->count(), 2);
    EXPECT_EQ(Combo("TemplateBox")->currentText(), "<None>");
}

TEST_F(TemplateEditor, ViewingProtectsTheFieldsAndEditingOpensThem) {
    Connection::Open(m_list)->Execute("UPDATE Control SET CurrentTemplate = 1");
    Template& editor = OpenEditor();
    QLineEdit* name = EditorBox(editor, "TemplateNameBox");
    QCheckBox* switch2 = editor.findChild<QCheckBox*>("Switch2");
    QCheckBox* marked = editor.findChild<QCheckBox*>("MarkedCheck");
    EXPECT_FALSE(editor.findChild<QAction*>("mnuEditSave")->isVisible());
    EXPECT_FALSE(editor.findChild<QAction*>("Toolbar1Save")->isEnabled());

    int beeps = m_dialogs->Beeps();
    TypeInto(name, "x");
    EXPECT_EQ(name->text(), "Locals");
    TypeInto(EditorBox(editor, "CityBox"), "y");
    EXPECT_EQ(QApplication::focusWidget(), name);
    EXPECT_EQ(EditorBox(editor, "CityBox")->text(), "Fernhollow");
    switch2->click();
    marked->click();
    EXPECT_TRUE(switch2->isChecked());
    EXPECT_TRUE(marked->isChecked());
    EXPECT_GE(m_dialogs->Beeps(), beeps + 4);
    // Save while viewing only dings.
    beeps = m_dialogs->Beeps();
    Run(editor, "mnuEditSave");
    EXPECT_EQ(m_dialogs->Beeps(), beeps + 1);

    Run(editor, "mnuEditEdit");
    EXPECT_TRUE(editor.findChild<QAction*>("mnuEditSave")->isVisible());
    EXPECT_TRUE(editor.findChild<QAction*>("Toolbar1Save")->isEnabled());
    switch2->click();
    EXPECT_FALSE(switch2->isChecked());
    TypeInto(EditorBox(editor, "CityBox"), "ville");
    EXPECT_EQ(EditorBox(editor, "CityBox")->text(), "Fernhollowville");

    // Delete cancels the edit: the stored values come back.
    Run(editor, "mnuEditDelete");
    EXPECT_FALSE(editor.Editing());
    EXPECT_EQ(EditorBox(editor, "CityBox")->text(), "Fernhollow");
    EXPECT_TRUE(switch2->isChecked());
}

TEST_F(TemplateEditor, ChoosingAnotherTemplateWhileEditingKeepsEditingThatOne) {
    Template& editor = OpenEditor();
    ChooseLine(editor, "Locals");
    Run(editor, "mnuEditEdit");
    ChooseLine(editor, "Farmers");
    EXPECT_TRUE(editor.Editing());
    EditorBox(editor, "CityBox")->setText("Riverside");
    Run(editor, "mnuEditSave");
    EXPECT_EQ(Rows("SELECT TemplateName, City FROM Template ORDER BY ID"),
              QStringList({"Locals|Fernhollow", "Farmers|Riverside"}));

    // New while editing asks first; No keeps the edit.
    Run(editor, "mnuEditEdit");
    EditorBox(editor, "CityBox")->setText("Lakeside");
    m_dialogs->AnswerNo();
    Run(editor, "mnuEditNew");
    EXPECT_EQ(m_dialogs->Questions().back().text,
              "You are editing the current template. Do you want to save it?");
    EXPECT_TRUE(editor.Editing());
    EXPECT_EQ(EditorBox(editor, "CityBox")->text(), "Lakeside");
    m_dialogs->AnswerYes();
    Run(editor, "mnuEditNew");
    EXPECT_TRUE(editor.Entering());
    EXPECT_EQ(Value("SELECT City FROM Template WHERE ID = 2"), "Lakeside");
}

TEST_F(TemplateEditor, ClosingWithUnsavedWorkAsksAndARefusedSaveKeepsTheWindowOpen) {
    Template& editor = OpenEditor();
    Run(editor, "mnuEditNew");
    EditorBox(editor, "CityBox")->setText("Nowhere");
    m_dialogs->AnswerYes();
    EXPECT_FALSE(editor.close());
    EXPECT_EQ(m_dialogs->Questions().back().text, "Save changes to this Template?");
    EXPECT_EQ(m_dialogs->Questions().back().title, "Un-saved Template");
    m_dialogs->ExpectMessage("The template must have a name");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(EditorBox(editor, "CityBox")->text(), "Nowhere");

    EditorBox(editor, "TemplateNameBox")->setText("Remote");
    m_dialogs->AnswerYes();
    EXPECT_TRUE(editor.close());
    const qint64 saved = Value("SELECT ID FROM Template WHERE City = 'Nowhere'").toLongLong();
    EXPECT_GT(saved, 2);
    EXPECT_EQ(CurrentTemplate(), saved);
}

TEST_F(TemplateEditor, LongSwitchNamesAreCutToTheCaptionWidthHereAndElidedInTheMainWindow) {
    // As long as a switch name can be, and wider than a caption may be.
    const QString longName = "WANTS THE WINTER BULLETIN MAILED";
    ASSERT_EQ(longName.size(), 32);
    Connection::Open(m_list)->Execute(
        QStringLiteral("UPDATE SwitchNames SET Name = '%1' WHERE ID = 5").arg(longName));
    OpenWindow();
    // The main window keeps its width: the caption ends in "...", the name is its tool tip.
    const QString shown = Check("Switch4")->text();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(longName.startsWith(shown.chopped(1)));
    EXPECT_EQ(Check("Switch4")->toolTip(), longName);

    Template& editor = OpenEditor();
    const QString caption = editor.findChild<QCheckBox*>("Switch4")->text();
    const PrinterObject& printer = Printers::Current();
    ASSERT_LT(caption.size(), longName.size());
    EXPECT_TRUE(longName.startsWith(caption));
    EXPECT_LE(printer.TextWidth(caption), 3000);
    EXPECT_GT(printer.TextWidth(longName.left(caption.size() + 1)), 3000);
    EXPECT_EQ(editor.findChild<QCheckBox*>("Switch0")->text(), "Newsletter");
}

// The switch-name editor: live names, Enter moving round, and the names written on closing.

#include "main_form_window.h"

#include "app/switch_names.h"
#include "app/windows/define_switches.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using SwitchNamesEditor = MainFormWindow;

namespace {

void Retype(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

} // namespace

TEST_F(SwitchNamesEditor, TypedNamesShowInTheMainWindowAtOnceAndAfterARestart) {
    MakeClubList(); // switch 0 "Newsletter", switch 1 "Donor"
    OpenWindow();
    bool ran = false;
    QTimer::singleShot(0, [&ran] {
        auto* editor = qobject_cast<DefineSwitches*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->windowTitle(), "Define Switches");
        EXPECT_EQ(editor->SB(0)->text(), "Newsletter");
        Retype(editor->SB(3), "Donor");
        // Every change is the program's switch name at once.
        EXPECT_EQ(SwitchNames()[3], "Donor");
        Retype(editor->SB(0), ""); // empty names and duplicates are kept as typed
        ran = true;
        editor->close();
    });
    Trigger("mnuToolsDefineSwitches");
    ASSERT_TRUE(ran);
    EXPECT_EQ(Check("Switch3")->text(), "Donor");
    EXPECT_EQ(Check("Switch0")->text(), "");
    EXPECT_EQ(Rows("SELECT Name FROM SwitchNames WHERE ID IN (1, 2, 4, 16) ORDER BY ID"),
              QStringList({"", "Donor", "Donor", "Bad address"}));

    m_window.reset();
    OpenWindow();
    EXPECT_EQ(Check("Switch3")->text(), "Donor");
    EXPECT_EQ(Check("Switch1")->text(), "Donor");
    EXPECT_EQ(Check("Switch0")->text(), "");
}

TEST_F(SwitchNamesEditor, EnterMovesRoundTheBoxesAndNamesStopAtThirtyTwoCharacters) {
    MakeClubList();
    LoadSwitchNames();
    DefineSwitches editor;
    editor.show();
    QApplication::setActiveWindow(&editor);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));

    editor.SB(14)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(editor.SB(14), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), editor.SB(15));
    QTest::keyClick(editor.SB(15), Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), editor.SB(0));
    EXPECT_EQ(editor.SB(15)->text(), "Bad address");
    EXPECT_TRUE(editor.isVisible());

    Retype(editor.SB(5), QString(40, QLatin1Char('x')));
    EXPECT_EQ(editor.SB(5)->text(), QString(32, QLatin1Char('x')));
    editor.close();
    EXPECT_EQ(Value("SELECT Name FROM SwitchNames WHERE ID = 6"), QString(32, QLatin1Char('x')));
}

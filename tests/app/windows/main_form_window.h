#pragma once

#include "app/windows/main_form.h"
#include "support/test_environment.h"

#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The scripted dialogs, with a hook that runs when a message is shown (to change the world
// at that moment, as another program might) and the names the save dialogs proposed.
class HookedDialogs : public ScriptedDialogs {
public:
    void ShowMessage(const QString& text, const QString& title, MessageIcon icon) override;
    QString SaveFileName(const QString& title, const QString& suggested,
                         const QString& filters) override;

    std::function<void(const QString& text)> onMessage;
    QStringList proposals;
};

// A main window on a list of five real-looking records with a filter for every sort
// order, driven through its named controls as a user would.
class MainFormWindow : public LettrinoTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The club list: five records and nine filters ("By Name" ... "By Date Edited"),
    // made current.
    QString MakeClubList(const QString& name = "Club.mdb");
    // Opens the window on the current list, shown and active.
    MainForm& OpenWindow();

    // The window's controls by name.
    QLineEdit* Box(const QString& name) const;
    QPlainTextEdit* TextArea(const QString& name) const;
    QLabel* Label(const QString& name) const;
    QCheckBox* Check(const QString& name) const;
    QComboBox* Combo(const QString& name) const;
    QDateEdit* DateBox() const;
    QPushButton* Button(const QString& name) const;
    QAction* Action(const QString& name) const;

    // Runs a menu command or toolbar button.
    void Trigger(const QString& action);
    // Puts the focus into a control as the Tab key would and lets the window react.
    void FocusOn(QWidget* control);
    // Types text into the focused control, key by key.
    void Type(const QString& text);
    // Presses a key (with modifiers) in the focused control.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Picks a filter in the filter box as a user would.
    void ChooseFilter(const QString& name);
    // Lets queued work (deferred selections, timers due) run.
    static void Settle();

    // Rows of the current list file, columns joined with "|".
    QStringList Rows(const QString& sql) const;
    QString Value(const QString& sql) const;
    // The names shown on the window's record area.
    QString ShownName() const;
    qint64 RecordCount() const;

    HookedDialogs* m_hooks = nullptr;
    std::unique_ptr<MainForm> m_window;
    QString m_list;
};

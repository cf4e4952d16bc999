#include "filters/windows/check_dup.h"

#include "database/connection.h"
#include "database/statement.h"
#include "support/test_environment.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

class CheckDupTest : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        m_path = MakeList();
    }

    // Records in one ZIP with one address; names "Lee; 0000", "Lee; 0001", ... so that
    // every record is a duplicate of the one before.
    void AddRun(int records, int marked = 0) {
        auto db = Connection::Open(m_path);
        Transaction transaction(*db);
        Statement insert = db->Prepare(
            "INSERT INTO List (Name, Address, Zip, Marked) VALUES (?, '4 Elm', '454020000', ?)");
        for (int i = 0; i < records; ++i)
            insert.Bind(1, QStringLiteral("Lee; %1").arg(i, 6, 10, QLatin1Char('0')))
                .Bind(2, i < marked ? 1 : 0)
                .Run();
        transaction.Commit();
    }

    qint64 MarkedCount() const {
        return Connection::Open(m_path)->QueryNumber("SELECT Count(*) FROM List WHERE Marked = 1");
    }

    static QString Shown(CheckDup& window, const char* box) {
        return window.findChild<QLineEdit*>(box)->text();
    }
    static QPushButton* Button(CheckDup& window, const char* name) {
        return window.findChild<QPushButton*>(name);
    }

    QString m_path;
};

TEST_F(CheckDupTest, GoShowsTheCountAndTheLastZip) {
    AddRun(3);
    CheckDup window;
    window.show();
    EXPECT_EQ(window.windowTitle(), "Checking for duplicates");
    window.findChild<QCheckBox*>("SecondRecordCheck")->setChecked(true);
    Button(window, "GoButton")->click();
    EXPECT_EQ(Shown(window, "CountBox"), "2");
    EXPECT_EQ(Shown(window, "ZipBox"), "45402");
    EXPECT_EQ(window.findChild<QProgressBar*>("Progress")->maximum(), 3);
    EXPECT_EQ(window.findChild<QProgressBar*>("Progress")->value(), 3);
    EXPECT_EQ(MarkedCount(), 2);
    EXPECT_TRUE(Button(window, "GoButton")->isEnabled());
    EXPECT_TRUE(window.isVisible());

    // Quit when idle closes the window.
    Button(window, "QuitButton")->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(CheckDupTest, NoToTheMarkedQuestionChecksNothing) {
    AddRun(3, 1);
    CheckDup window;
    window.show();
    m_dialogs->AnswerNo();
    Button(window, "GoButton")->click();
    ASSERT_EQ(m_dialogs->Questions().size(), 1u);
    EXPECT_EQ(m_dialogs->Questions()[0].text, "1 marked flags are turned on. Turn them off?");
    EXPECT_EQ(m_dialogs->Beeps(), 1);
    EXPECT_EQ(Shown(window, "CountBox"), "");
    EXPECT_EQ(MarkedCount(), 1);

    m_dialogs->AnswerYes();
    Button(window, "GoButton")->click();
    EXPECT_EQ(Shown(window, "CountBox"), "2");
    EXPECT_EQ(MarkedCount(), 3);
}

TEST_F(CheckDupTest, AnEmptyListShowsNoDuplicates) {
    CheckDup window;
    window.show();
    Button(window, "GoButton")->click();
    EXPECT_EQ(Shown(window, "CountBox"), "0");
}

TEST_F(CheckDupTest, QuitDuringACheckStopsItAndKeepsTheWindowAndTheOldCount) {
    AddRun(4);
    CheckDup window;
    window.show();
    Button(window, "GoButton")->click();
    ASSERT_EQ(Shown(window, "CountBox"), "3");

    {
        auto db = Connection::Open(m_path);
        db->Execute("UPDATE List SET Marked = 0");
    }
    AddRun(50000);
    bool goEnabledWhileRunning = true;
    bool secondGoIgnored = false;
    QElapsedTimer sinceQuit;
    // Clicks Quit once the check is under way (the window handles events while it runs).
    QTimer::singleShot(0, &window, [&] {
        goEnabledWhileRunning = Button(window, "GoButton")->isEnabled();
        // A second Go is refused while the check runs.
        Q_EMIT Button(window, "GoButton")->clicked();
        secondGoIgnored = window.Running();
        sinceQuit.start();
        Button(window, "QuitButton")->click();
    });
    Button(window, "GoButton")->click();
    const qint64 stoppedAfter = sinceQuit.elapsed();

    EXPECT_FALSE(goEnabledWhileRunning);
    EXPECT_TRUE(secondGoIgnored);
    EXPECT_LT(stoppedAfter, 200);
    EXPECT_FALSE(window.Running());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(Button(window, "GoButton")->isEnabled());
    EXPECT_EQ(Shown(window, "CountBox"), "3");
    EXPECT_LT(MarkedCount(), 50004);
}

TEST_F(CheckDupTest, ClosingDuringACheckStopsItFirst) {
    AddRun(50000);
    CheckDup window;
    window.show();
    bool stillOpen = false;
    QTimer::singleShot(0, &window, [&] {
        window.close();
        stillOpen = window.isVisible();
    });
    Button(window, "GoButton")->click();
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Shown(window, "CountBox"), "");
}

} // namespace

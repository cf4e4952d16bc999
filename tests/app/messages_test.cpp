#include "app/messages.h"

#include "support/test_environment.h"

#include <QDate>
#include <QDir>
#include <QUrl>

using Messages = LettrinoTest;

TEST_F(Messages, BoxesCarryTheirTitlesAndIcons) {
    InfoBox("Saved.");
    SorryBox("Not found.");
    MustOpenList();
    ScriptedDialogs::Message info = m_dialogs->TakeMessage();
    EXPECT_EQ(info.text, "Saved.");
    EXPECT_EQ(info.title, "Lettrino");
    EXPECT_EQ(info.icon, MessageIcon::Information);
    m_dialogs->ExpectMessage("Not found.", "Sorry");
    ScriptedDialogs::Message must = m_dialogs->TakeMessage();
    EXPECT_EQ(must.text, "You first must open a mailing list");
    EXPECT_EQ(must.icon, MessageIcon::Warning);
}

TEST_F(Messages, AreYouSureAsksUnderTheCallersTitleAndIsTrueOnlyForYes) {
    m_dialogs->AnswerYes();
    m_dialogs->AnswerNo();
    EXPECT_TRUE(AreYouSure("Checking"));
    EXPECT_FALSE(AreYouSure("Checking"));
    ASSERT_EQ(m_dialogs->Questions().size(), 2u);
    EXPECT_EQ(m_dialogs->Questions()[0].text, "Are you sure?");
    EXPECT_EQ(m_dialogs->Questions()[0].title, "Checking");
    EXPECT_EQ(m_dialogs->Questions()[0].icon, MessageIcon::Question);
}

TEST_F(Messages, DateLiteralHasNoLeadingZeros) {
    EXPECT_EQ(DateLiteral(QDate(2001, 12, 25)), "#12/25/2001#");
    EXPECT_EQ(DateLiteral(QDate(2002, 3, 7)), "#3/7/2002#");
}

TEST_F(Messages, FatalErrorEndsTheScenarioWithItsNumberAndMessage) {
    try {
        ShowFatalError(4, "Couldn't open the mailing list after compaction");
        FAIL() << "ShowFatalError returned";
    } catch (const FatalStop& stop) {
        EXPECT_EQ(stop.number, 4);
        EXPECT_EQ(stop.message, "Couldn't open the mailing list after compaction");
    }
}

TEST_F(Messages, HelpTopicsOpenTheirPagesAndAMissingPageIsReported) {
    ShowHelpTopic(kHelpReadMe);
    ASSERT_EQ(m_dialogs->OpenedUrls().size(), 1);
    const QString file = QUrl(m_dialogs->OpenedUrls().first()).toLocalFile();
    EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    EXPECT_EQ(file, HelpFolder() + "/readme.html");

    // A topic the guide has no page for.
    ShowHelpTopic(1234);
    m_dialogs->ExpectMessage("There is no help page for topic 1234.", "Lettrino");

    // A guide whose read-me page is missing: the message names the page, nothing opens.
    qputenv("LETTRINO_HELP", Path("guide").toUtf8());
    QDir().mkpath(Path("guide"));
    WriteBytes(Path("guide/index.html"), "<html></html>");
    ShowHelpTopic(kHelpContents);
    ShowHelpTopic(kHelpReadMe);
    qunsetenv("LETTRINO_HELP");
    ASSERT_EQ(m_dialogs->OpenedUrls().size(), 2);
    EXPECT_EQ(QUrl(m_dialogs->OpenedUrls()[1]).toLocalFile(), Path("guide") + "/index.html");
    m_dialogs->ExpectMessage("Couldn't find the help page \"" + Path("guide") +
                                 "/readme.html\". The user guide may not be installed.",
                             "Lettrino");
}

TEST_F(Messages, DingBeepsOnEveryCallWithoutASoundDevice) {
    if (!QDir("/dev/snd").entryList({"pcmC*p"}, QDir::System).isEmpty())
        GTEST_SKIP() << "this machine has a sound device";
    Ding();
    Ding();
    EXPECT_EQ(m_dialogs->Beeps(), 2);
}

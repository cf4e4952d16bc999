#include "app/windows/fatal.h"

#include "support/test_environment.h"

#include <QDir>
#include <QLabel>
#include <QTest>

using FatalWindow = LettrinoTest;

TEST_F(FatalWindow, ShowsTheNumberAndMessageAndAnyKeyClosesIt) {
    Fatal fatal(4, "Couldn't open the mailing list after compaction");
    EXPECT_EQ(fatal.windowTitle(), "Fatal Error");
    EXPECT_EQ(fatal.findChild<QLabel*>("ErrorNumberBox")->text(), "4");
    EXPECT_EQ(fatal.findChild<QLabel*>("ErrorMessageBox")->text(),
              "Couldn't open the mailing list after compaction");
    QStringList texts;
    for (QLabel* label : fatal.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("An unexpected and fatal error has occurred in this software"));
    EXPECT_TRUE(texts.contains("Press any key to exit the program"));

    fatal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fatal));
    if (QDir("/dev/snd").entryList({"pcmC*p"}, QDir::System).isEmpty()) {
        EXPECT_EQ(m_dialogs->Beeps(), 1); // it dings as it appears
    }
    QTest::keyClick(&fatal, Qt::Key_Space);
    EXPECT_FALSE(fatal.isVisible());
    EXPECT_EQ(fatal.result(), QDialog::Accepted);
}

TEST_F(FatalWindow, AClickOnALabelClosesItToo) {
    Fatal fatal(2, "Couldn't open the database in ControlCore");
    fatal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fatal));
    QTest::mouseClick(fatal.findChild<QLabel*>("ErrorMessageBox"), Qt::LeftButton);
    EXPECT_FALSE(fatal.isVisible());
}

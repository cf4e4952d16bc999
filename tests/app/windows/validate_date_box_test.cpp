#include "app/windows/validate_date_box.h"

#include "support/test_environment.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using DateBoxCheck = LettrinoTest;

TEST_F(DateBoxCheck, AValidDateIsWrittenInTheMediumForm) {
    QLineEdit box;
    box.setText(" 3/7/02 ");
    EXPECT_TRUE(ValidateDateBox(&box, false));
    EXPECT_EQ(box.text(), "07-Mar-2002");
    box.clear();
    EXPECT_TRUE(ValidateDateBox(&box, true));
    EXPECT_EQ(box.text(), "");
}

TEST_F(DateBoxCheck, AnythingElseIsRefusedWithTheFocusBackInTheBox) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* other = new QLineEdit(&window);
    auto* box = new QLineEdit(&window);
    layout->addWidget(other);
    layout->addWidget(box);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();

    box->setText("Feb 30 2002");
    EXPECT_FALSE(ValidateDateBox(box, true));
    m_dialogs->ExpectMessage("Invalid Date. Try again.", "Lettrino");
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->selectedText(), "Feb 30 2002");

    box->setText("  ");
    EXPECT_FALSE(ValidateDateBox(box, false)); // blank is refused unless allowed
    m_dialogs->ExpectMessage("Invalid Date. Try again.");
}

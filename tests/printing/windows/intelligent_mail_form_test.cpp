#include "printing/windows/intelligent_mail_form.h"

#include "printing/intelligent_mail_settings.h"
#include "support/test_environment.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class IntelligentMailWindow : public LettrinoTest {
protected:
    void Open() {
        m_window = std::make_unique<IntelligentMailForm>();
        m_window->show();
    }
    QLineEdit* Box(const char* name) { return m_window->findChild<QLineEdit*>(name); }
    void Fill(const char* barcodeId, const char* serviceType, const char* mailerId,
              const char* serial) {
        Box("BarcodeIdBox")->setText(barcodeId);
        Box("ServiceTypeBox")->setText(serviceType);
        Box("MailerIdBox")->setText(mailerId);
        Box("SerialBox")->setText(serial);
    }
    void ClickOk() { m_window->findChild<QPushButton*>("OKButton")->click(); }

    std::unique_ptr<IntelligentMailForm> m_window;
};

TEST_F(IntelligentMailWindow, ShowsTheStoredSettingsAndOkStoresWhatWasTyped) {
    Open();
    EXPECT_EQ(m_window->windowTitle(), "Intelligent Mail Settings");
    EXPECT_EQ(Box("BarcodeIdBox")->text(), "00");
    EXPECT_EQ(Box("MailerIdBox")->text(), "");
    EXPECT_EQ(Box("SerialBox")->text(), "1");

    Fill("01", "270", "912345678", " 000123 ");
    m_window->findChild<QCheckBox*>("DeliveryPointCheck")->setChecked(true);
    EXPECT_TRUE(m_window->findChild<QLabel*>("SerialRangeLabel")->text().contains("0 to 999999"));
    ClickOk();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
    const IntelligentMailSettings stored = ReadIntelligentMailSettings();
    EXPECT_EQ(stored.barcodeIdentifier, "01");
    EXPECT_EQ(stored.serviceType, "270");
    EXPECT_EQ(stored.mailerId, "912345678");
    EXPECT_EQ(stored.nextSerial, 123);
    EXPECT_TRUE(stored.deliveryPointRouting);

    // Opened again, the window shows them; Cancel keeps them as they are.
    Open();
    EXPECT_EQ(Box("ServiceTypeBox")->text(), "270");
    EXPECT_EQ(Box("SerialBox")->text(), "123");
    EXPECT_TRUE(m_window->findChild<QCheckBox*>("DeliveryPointCheck")->isChecked());
    Fill("02", "300", "123456", "9");
    m_window->findChild<QPushButton*>("CancelButton")->click();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(ReadIntelligentMailSettings().serviceType, "270");
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 123);
}

TEST_F(IntelligentMailWindow, BadValuesAreRefusedOneAtATimeAndNothingIsStored) {
    Open();
    const struct {
        const char* barcodeId;
        const char* serviceType;
        const char* mailerId;
        const char* serial;
        const char* box;     // the box the focus goes to
        const char* message; // what the message says is allowed
    } cases[] = {
        {"07", "300", "123456", "1", "BarcodeIdBox", "the second of them 0 to 4"},
        {"0", "300", "123456", "1", "BarcodeIdBox", "two digits"},
        {"00", "3x0", "123456", "1", "ServiceTypeBox", "three digits"},
        {"00", "300", "12345", "1", "MailerIdBox", "six digits starting with 0 to 8"},
        {"00", "300", "923456", "1", "MailerIdBox", "nine digits starting with 9"},
        {"00", "300", "912345678", "1000000", "SerialBox", "0 to 999999 (6 digits"},
        {"00", "300", "123456", "", "SerialBox", "0 to 999999999 (9 digits"},
        {"00", "300", "123456", "-5", "SerialBox", "whole number"},
    };
    for (const auto& bad : cases) {
        Fill(bad.barcodeId, bad.serviceType, bad.mailerId, bad.serial);
        ClickOk();
        const QString message = m_dialogs->TakeMessage().text;
        EXPECT_TRUE(message.contains(bad.message)) << bad.box << ": " << message.toStdString();
        EXPECT_TRUE(m_window->isVisible()) << bad.box;
        EXPECT_EQ(m_window->focusWidget(), Box(bad.box)) << bad.box;
        EXPECT_EQ(Box(bad.box)->selectedText(), Box(bad.box)->text()) << bad.box;
    }
    EXPECT_EQ(ReadIntelligentMailSettings().mailerId, "") << "nothing stored";
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

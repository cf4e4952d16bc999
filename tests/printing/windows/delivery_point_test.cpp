#include "printing/windows/delivery_point.h"

#include "database/list_core.h"
#include "database/list_record.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <QLineEdit>
#include <QPushButton>

class DeliveryPointWindow : public LettrinoTest {
protected:
    void SetUp() override {
        LettrinoTest::SetUp();
        MakeList();
        AddAddressRecords(2, [](int i, ListRecord& record) {
            record.Zip = i == 1 ? "123456789" : "021341234";
            record.Address = i == 1 ? "55 RIVER RD" : "Acme Corp\r\nSTE 410";
        });
    }

    // Opens the window on record i (from 1) as the main window does.
    void Open(int record) {
        m_window = std::make_unique<DeliveryPoint>();
        m_window->SetRecord(record);
        m_window->show();
    }
    QLineEdit* Box(const char* name) { return m_window->findChild<QLineEdit*>(name); }
    QString Override(int record) {
        ListCore list;
        list.SetID(record);
        return list.DPOverride();
    }

    std::unique_ptr<DeliveryPoint> m_window;
};

TEST_F(DeliveryPointWindow, ShowsTheDigitsOfTheBarcode) {
    Open(1);
    EXPECT_EQ(m_window->windowTitle(), "Delivery Point Digits");
    EXPECT_EQ(Box("ZipBox")->text(), "12345-6789");
    EXPECT_EQ(Box("DPBox")->text(), "55");
    EXPECT_EQ(Box("CDBox")->text(), "5");
    EXPECT_EQ(Box("OverrideBox")->text(), "");
    EXPECT_TRUE(Box("ZipBox")->isReadOnly());

    Open(2);
    EXPECT_EQ(Box("ZipBox")->text(), "02134-1234");
    EXPECT_EQ(Box("DPBox")->text(), "10");
}

TEST_F(DeliveryPointWindow, OkStoresTheTrimmedOverrideAndCancelNothing) {
    Open(1);
    Box("OverrideBox")->setText(" 07 ");
    m_window->findChild<QPushButton*>("OKButton")->click();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(Override(1), "07");

    // Shown again with the override in use.
    Open(1);
    EXPECT_EQ(Box("OverrideBox")->text(), "07");
    EXPECT_EQ(Box("DPBox")->text(), "07");
    EXPECT_EQ(Box("CDBox")->text(), "8"); // 45 + 0 + 7 = 52
    Box("OverrideBox")->setText("12");
    m_window->findChild<QPushButton*>("CancelButton")->click();
    EXPECT_EQ(Override(1), "07");

    // An empty box gives the address its say again.
    Open(1);
    Box("OverrideBox")->clear();
    m_window->findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(Override(1), "");
}

TEST_F(DeliveryPointWindow, AnOverrideThatIsNotTwoDigitsIsRefused) {
    for (const QString typed : {"7", "123", "A1", "1 2"}) {
        Open(1);
        Box("OverrideBox")->setText(typed);
        m_window->findChild<QPushButton*>("OKButton")->click();
        m_dialogs->ExpectMessage("The delivery point override must be two digits (0-9), or "
                                 "empty to use the digits taken from the address.");
        EXPECT_TRUE(m_window->isVisible()) << typed.toStdString();
        EXPECT_EQ(Box("OverrideBox")->text(), typed); // nothing typed is lost
        EXPECT_EQ(Override(1), "");
    }
}

#include "app/settings.h"
#include "printing/printer_object.h"
#include "printing/printer_settings.h"
#include "printing/printer_values.h"
#include "printing/printers.h"
#include "printing/windows/get_printer.h"
#include "support/printing_test.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {
QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

QString Selected(const QListWidget* list) {
    return list->currentItem() ? list->currentItem()->text() : QString();
}
} // namespace

class GetPrinterWindow : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        m_source->SetFonts({"Arial", "Courier New", "Times New Roman", "Verdana"});
    }

    // Opens the window as the main window does.
    void Open() {
        m_window = std::make_unique<GetPrinter>();
        m_window->SetProjectName("Tessavane");
        m_window->show();
        m_printerList = m_window->findChild<QListWidget*>("PrinterList");
        m_fontList = m_window->findChild<QListWidget*>("FontList");
        m_pageLimitBox = m_window->findChild<QLineEdit*>("PageLimitBox");
        ASSERT_TRUE(m_printerList && m_fontList && m_pageLimitBox);
    }
    void Click(const char* button) {
        auto* found = m_window->findChild<QPushButton*>(button);
        ASSERT_TRUE(found) << button;
        found->click();
    }
    void Choose(QListWidget* list, const QString& entry) {
        const auto items = list->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        list->setCurrentItem(items.first());
    }

    std::unique_ptr<GetPrinter> m_window;
    QListWidget* m_printerList = nullptr;
    QListWidget* m_fontList = nullptr;
    QLineEdit* m_pageLimitBox = nullptr;
};

TEST_F(GetPrinterWindow, FirstRunPreselectsTheCurrentPrinterAndItsFont) {
    Printers::Current().SetFontName("Times New Roman");
    Open();
    EXPECT_EQ(m_window->windowTitle(), "Printer Setup");
    EXPECT_EQ(Entries(m_printerList), (QStringList{"PDF file", "Office Laser", "Label Writer"}));
    EXPECT_EQ(Selected(m_printerList), "Office Laser");
    EXPECT_EQ(Entries(m_fontList),
              (QStringList{"Arial", "Courier New", "Times New Roman", "Verdana"}));
    EXPECT_EQ(Selected(m_fontList), "Times New Roman");
    EXPECT_EQ(m_pageLimitBox->text(), "100");
}

TEST_F(GetPrinterWindow, OkStoresTheChoicesAndTheyAreBackAfterARestart) {
    Open();
    Choose(m_printerList, "Label Writer");
    EXPECT_EQ(Printers::Current().DeviceName(), "Label Writer");
    Choose(m_fontList, "Courier New");
    EXPECT_EQ(Printers::Current().FontName(), "Courier New");
    EXPECT_EQ(PrinterFontName(), ""); // only OK changes the program-wide font
    m_pageLimitBox->setText("350");
    Click("OKButton");
    EXPECT_EQ(m_window->result(), QDialog::Accepted);
    EXPECT_EQ(PrinterFontName(), "Courier New");
    EXPECT_EQ(PageLimit(), 350);
    EXPECT_EQ(GetSetting("Printer", "PrinterName", ""), "Label Writer");
    EXPECT_EQ(GetSetting("Printer", "FontName", ""), "Courier New");
    EXPECT_EQ(GetSetting("Printer", "PageLimit", ""), "350");

    // A new run of the program: fresh printer objects and values, then start-up.
    Printers::SetSource(m_source.get());
    SetPrinterFontName(QString());
    SetPageLimit(kDefaultPageLimit);
    ApplyPrinterSettings("Tessavane");
    EXPECT_EQ(Printers::Current().DeviceName(), "Label Writer");
    EXPECT_EQ(PrinterFontName(), "Courier New");
    EXPECT_EQ(PageLimit(), 350);

    Open();
    EXPECT_EQ(Selected(m_printerList), "Label Writer");
    EXPECT_EQ(Selected(m_fontList), "Courier New");
    EXPECT_EQ(m_pageLimitBox->text(), "350");
}

TEST_F(GetPrinterWindow, CancelRestoresThePrinterAndFontCurrentAtOpening) {
    SaveSetting("Printer", "FontName", "Verdana");
    Printers::Current().SetFontName("Arial");
    Open();
    // The stored font is selected, and so given to the printer.
    EXPECT_EQ(Selected(m_fontList), "Verdana");
    EXPECT_EQ(Printers::Current().FontName(), "Verdana");
    Choose(m_printerList, "PDF file");
    Choose(m_printerList, "Label Writer");
    Choose(m_fontList, "Times New Roman");
    m_pageLimitBox->setText("999");
    Click("CancelButton");
    EXPECT_EQ(m_window->result(), QDialog::Rejected);
    EXPECT_EQ(Printers::Current().DeviceName(), "Office Laser");
    EXPECT_EQ(Printers::Current().FontName(), "Arial");
    EXPECT_EQ(PageLimit(), 100);
    EXPECT_EQ(PrinterFontName(), "");
    EXPECT_EQ(GetSetting("Printer", "PrinterName", "(none)"), "(none)");
}

TEST_F(GetPrinterWindow, EscapeCancelsToo) {
    Open();
    Choose(m_printerList, "Label Writer");
    QTest::keyClick(m_fontList, Qt::Key_Escape);
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(Printers::Current().DeviceName(), "Office Laser");
}

TEST_F(GetPrinterWindow, StoredPrinterThatIsGoneSelectsNothingAndOkKeepsTheCurrentOne) {
    SaveSetting("Printer", "PrinterName", "Gone Away");
    SaveSetting("Printer", "PageLimit", "abc");
    Open();
    EXPECT_EQ(Selected(m_printerList), "");
    EXPECT_EQ(m_pageLimitBox->text(), "abc");
    Click("OKButton");
    EXPECT_EQ(Printers::Current().DeviceName(), "Office Laser");
    EXPECT_EQ(GetSetting("Printer", "PrinterName", "(none)"), "");
    EXPECT_EQ(GetSetting("Printer", "PageLimit", ""), "abc");
    EXPECT_EQ(PageLimit(), 0);
}

TEST_F(GetPrinterWindow, FontTheNewPrinterLacksFallsToItsLastFont) {
    Printers::Current().SetFontName("Courier New");
    Open();
    m_source->SetFonts({"Garamond", "Futura"});
    Choose(m_printerList, "Label Writer");
    EXPECT_EQ(Entries(m_fontList), (QStringList{"Garamond", "Futura"}));
    EXPECT_EQ(Selected(m_fontList), "Futura");
    EXPECT_EQ(Printers::Current().FontName(), "Futura");
}

TEST_F(GetPrinterWindow, TestPagePrintsOnTheCurrentPrinterWithTheChosenFont) {
    SetPrinterFontName("Times New Roman");
    Open();
    Click("TestPageButton");
    RecordingPrinter* printer = Recorder();
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->DeviceName(), "Office Laser");
    EXPECT_EQ(printer->EndedDocuments(), 1);
    // 30 scale marks and the four sides of the printable area's frame.
    EXPECT_EQ(printer->OperationsOf(PrintOperation::Line).size(), 34u);
    EXPECT_EQ(printer->Texts(),
              (QStringList{" 500", " 1000", " 1500", " 2000", " 2500", " 3000", "Printable area"}));
    EXPECT_EQ(printer->OperationsOf(PrintOperation::Text).front().fontName, "Times New Roman");
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(GetPrinterWindow, TestPageToThePdfPrinterAsksForTheFile) {
    Open();
    Choose(m_printerList, "PDF file");
    m_dialogs->ChooseFile(Path("scale.pdf"));
    Click("TestPageButton");
    EXPECT_TRUE(ReadBytes(Path("scale.pdf")).startsWith("%PDF"));
    std::vector<PdfWord> words;
    if (!ReadPdfWords(Path("scale.pdf"), words))
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(words.size(), 8u); // six scale labels and "Printable area"
}

#include "app/settings.h"
#include "printing/printer_object.h"
#include "printing/printer_settings.h"
#include "printing/printer_values.h"
#include "printing/printers.h"
#include "support/printing_test.h"

using PrinterSettings = PrintingTest;

TEST_F(PrinterSettings, InstalledPrintersListPdfFileFirstAndKeepTheirObjects) {
    EXPECT_EQ(Printers::DeviceNames(),
              (QStringList{"PDF file", "Office Laser", "Rendering Subsystem", "Label Writer"}));
    EXPECT_EQ(Printers::Current().DeviceName(), "Office Laser"); // the system's default

    EXPECT_FALSE(Printers::Select("label writer"));
    EXPECT_FALSE(Printers::Select("Nowhere", Qt::CaseInsensitive));
    EXPECT_EQ(Printers::Current().DeviceName(), "Office Laser");
    Printers::Current().SetFontName("Courier New");
    EXPECT_TRUE(Printers::Select("label writer", Qt::CaseInsensitive));
    EXPECT_EQ(Printers::Current().DeviceName(), "Label Writer");
    EXPECT_EQ(Printers::Current().FontName(), "Arial");
    EXPECT_TRUE(Printers::Select("Office Laser"));
    EXPECT_EQ(Printers::Current().FontName(), "Courier New");

    Printers::Reset();
    EXPECT_EQ(Printers::DeviceNames(), (QStringList{"PDF file"}));
    EXPECT_EQ(Printers::Current().DeviceName(), "PDF file");
}

TEST_F(PrinterSettings, StartUpAppliesTheStoredPrinterFontAndPageLimit) {
    SaveSetting("Printer", "PrinterName", "  label WRITER ");
    SaveSetting("Printer", "FontName", " Courier New ");
    SaveSetting("Printer", "PageLimit", "250");
    ApplyPrinterSettings("Tessavane");
    EXPECT_EQ(Printers::Current().DeviceName(), "Label Writer");
    EXPECT_EQ(PrinterFontName(), "Courier New");
    EXPECT_EQ(Printers::Current().FontName(), "Courier New");
    EXPECT_EQ(PageLimit(), 250);
}

TEST_F(PrinterSettings, StartUpWithoutSettingsOrWithAnUnknownPrinter) {
    SetPageLimit(7);
    SetPrinterFontName("Arial");
    ApplyPrinterSettings("Tessavane");
    EXPECT_EQ(Printers::Current().DeviceName(), "Office Laser");
    EXPECT_EQ(PageLimit(), 100);
    // A first run stores the printer it starts with and the system's sans-serif font, so
    // that reports print at once.
    const QString sans = DefaultPrinterFontName();
    EXPECT_FALSE(sans.isEmpty());
    EXPECT_EQ(PrinterFontName(), sans);
    EXPECT_EQ(Printers::Current().FontName(), sans);
    EXPECT_EQ(GetSetting("Printer", "FontName", ""), sans);
    EXPECT_EQ(GetSetting("Printer", "PrinterName", ""), "Office Laser");

    SaveSetting("Printer", "PrinterName", "Gone Away");
    SaveSetting("Printer", "PageLimit", "lots");
    ApplyPrinterSettings("Tessavane");
    EXPECT_EQ(Printers::Current().DeviceName(), "Office Laser");
    EXPECT_EQ(PageLimit(), 0);
}

TEST_F(PrinterSettings, SettingsAreReadUnderTheProjectNameHandedIn) {
    SaveApplicationSetting("Elsewhere", "Printer", "PageLimit", "321");
    ApplyPrinterSettings("Tessavane");
    EXPECT_EQ(PageLimit(), 100);
    ApplyPrinterSettings("Elsewhere");
    EXPECT_EQ(PageLimit(), 321);
    EXPECT_EQ(GetPrinterSetting("Elsewhere", "PageLimit"), "321");
}

TEST_F(PrinterSettings, PageLimitIsTheWholeNumberAtTheStartOfTheText) {
    EXPECT_EQ(PageLimitValue("100"), 100);
    EXPECT_EQ(PageLimitValue("  250"), 250);
    EXPECT_EQ(PageLimitValue("+30"), 30);
    EXPECT_EQ(PageLimitValue("12abc"), 12);
    EXPECT_EQ(PageLimitValue("99.6"), 100);
    EXPECT_EQ(PageLimitValue(".4"), 0);
    EXPECT_EQ(PageLimitValue("abc"), 0);
    EXPECT_EQ(PageLimitValue(""), 0);
    EXPECT_EQ(PageLimitValue("-50"), 0);
    EXPECT_EQ(PageLimitValue("99999999999999"), INT_MAX);
}

TEST_F(PrinterSettings, SetupPrinterFontStartsEveryJobPlainAtTheTopLeft) {
    RecordingPrinter printer;
    printer.SetFontName("Times New Roman");
    printer.SetFontSize(14);
    printer.SetFontBold(true);
    printer.SetFontItalic(true);
    printer.SetFontUnderline(true);
    printer.SetFontStrikethru(true);
    printer.SetCurrentX(300);
    printer.SetCurrentY(400);

    SetupPrinterFont(printer); // no font chosen yet: the printer keeps its own
    EXPECT_EQ(printer.FontName(), "Times New Roman");
    SetPrinterFontName("Courier New");
    SetupPrinterFont(printer);
    EXPECT_EQ(printer.FontName(), "Courier New");
    EXPECT_EQ(printer.FontSize(), 14);
    EXPECT_FALSE(printer.FontBold());
    EXPECT_FALSE(printer.FontItalic());
    EXPECT_FALSE(printer.FontUnderline());
    EXPECT_FALSE(printer.FontStrikethru());
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_EQ(printer.CurrentY(), 0);
}

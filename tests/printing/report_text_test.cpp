#include "printing/printer_values.h"
#include "printing/report_state.h"
#include "printing/report_text.h"
#include "support/deterministic_run.h"
#include "support/printing_test.h"

// Lines are "M" high: 240 twips at 10 points on the recording printer, whose page is
// 15840 twips high unless set otherwise.

using ReportText = PrintingTest;

TEST_F(ReportText, LinesFitKeepsOneLineAndTheBottomStripFree) {
    RecordingPrinter printer;
    // n = 1 at y = 0 fits exactly when the page holds two lines and the page limit.
    printer.SetPageSize(12240, 2 * 240 + 100);
    EXPECT_TRUE(LinesFit(printer, 1, 0, 0));
    printer.SetPageSize(12240, 2 * 240 + 99);
    EXPECT_FALSE(LinesFit(printer, 1, 0, 0));

    printer.SetPageSize(12240, 15840);
    // Three lines below y, one more line and 100 twips: y may be at most 15840 - 960 - 100.
    EXPECT_TRUE(LinesFit(printer, 3, 100, 14780));
    EXPECT_FALSE(LinesFit(printer, 3, 100, 14781));
    // An explicit bottom strip, and -1 for the current y.
    printer.SetCurrentY(13000);
    EXPECT_TRUE(LinesFit(printer, 3, 1880, -1));
    EXPECT_FALSE(LinesFit(printer, 3, 1881, -1));
    // 0 stands for the page limit.
    SetPageLimit(1880);
    EXPECT_TRUE(LinesFit(printer, 3));
    SetPageLimit(1881);
    EXPECT_FALSE(LinesFit(printer, 3));
    // The line height is that of the current font.
    printer.SetFontSize(5);
    EXPECT_TRUE(LinesFit(printer, 3));
}

TEST_F(ReportText, FitToWidthTrimsThenShortensFromTheEnd) {
    RecordingPrinter printer;
    EXPECT_EQ(FitToWidth(printer, "   Smith, John   ", 100000), "Smith, John");
    EXPECT_EQ(FitToWidth(printer, "   Smith, John   ", 500), "Smith");
    EXPECT_EQ(FitToWidth(printer, "Smith", 499), "Smit");
    EXPECT_EQ(FitToWidth(printer, "Smith", 50), "");
    EXPECT_EQ(FitToWidth(printer, "     ", 1000), "");
}

TEST_F(ReportText, PrintAtAndRightAlignedStayOnTheLine) {
    RecordingPrinter printer;
    printer.SetCurrentY(720);
    PrintAt(printer, 3000, "Address");
    PrintRightAligned(printer, 11520, "Page  12");
    const auto texts = printer.OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].x, 3000);
    EXPECT_EQ(texts[1].x, 11520 - 800);
    EXPECT_EQ(texts[1].y, 720);
    EXPECT_EQ(printer.CurrentX(), 11520);
    EXPECT_EQ(printer.CurrentY(), 720);
}

TEST_F(ReportText, RulesDrawAtTheCurrentLineAndMoveDown) {
    RecordingPrinter printer;
    printer.SetCurrentX(400);
    printer.SetCurrentY(1000);
    SolidRule(printer, 5, 0, 11520);
    EXPECT_EQ(printer.CurrentY(), 1120);
    EXPECT_EQ(printer.CurrentX(), 0);
    printer.SetCurrentX(400);
    DottedRule(printer, 1000, 5500);
    EXPECT_EQ(printer.CurrentY(), 1180);
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_EQ(printer.DrawStyle(), LineStyle::Solid);

    const auto lines = printer.OperationsOf(PrintOperation::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].x, 0);
    EXPECT_EQ(lines[0].x2, 11520);
    EXPECT_EQ(lines[0].y, 1000);
    EXPECT_EQ(lines[0].y2, 1000);
    EXPECT_EQ(lines[0].lineWidth, 5);
    EXPECT_EQ(lines[0].lineStyle, LineStyle::Solid);
    EXPECT_EQ(lines[1].x, 1000);
    EXPECT_EQ(lines[1].x2, 5500);
    EXPECT_EQ(lines[1].y, 1120);
    EXPECT_EQ(lines[1].lineWidth, 1);
    EXPECT_EQ(lines[1].lineStyle, LineStyle::Dotted);
    EXPECT_EQ(lines[1].color, QColor(Qt::black));
}

TEST_F(ReportText, JoinAndCountLines) {
    EXPECT_EQ(JoinLines("12 Main St\r\nApt 4\r\nBack door"), "12 Main St Apt 4 Back door");
    EXPECT_EQ(JoinLines("a\nb\rc"), "a b c");
    EXPECT_EQ(CountLines("12 Main St\r\nApt 4"), 2);
    EXPECT_EQ(CountLines("12 Main St\r\n"), 2);
    EXPECT_EQ(CountLines("one"), 1);
    EXPECT_EQ(CountLines(""), 0);
}

TEST_F(ReportText, BeginReportNeedsAPrinterFont) {
    RecordingPrinter printer;
    EXPECT_FALSE(BeginReport(printer));
    m_dialogs->ExpectMessage("You must define a printer and a font.", "Lettrino");
    EXPECT_TRUE(printer.Operations().empty());

    SetPrinterFontName("Arial");
    NextReportPage();
    EXPECT_TRUE(BeginReport(printer));
    EXPECT_EQ(ReportPageCounter(), 0);
    EXPECT_EQ(ReportStartTime(), FixedTestTime());
    EXPECT_EQ(NextReportPage(), 1);
    EXPECT_EQ(NextReportPage(), 2);
    EXPECT_EQ(printer.OperationsOf(PrintOperation::BeginRun).size(), 1u);
}

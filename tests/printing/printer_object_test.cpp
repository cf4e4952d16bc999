#include "printing/recording_printer.h"

#include <gtest/gtest.h>

// The printer object's own bookkeeping (positions, documents, pages), seen through the
// recording printer's fixed metrics: 100 twips a character and 240 a line at 10 points.

TEST(PrinterObject, PrintingMovesAlongTheLineOrDownToTheNextLine) {
    RecordingPrinter printer;
    printer.SetCurrentX(1000);
    printer.SetCurrentY(500);
    printer.Print("abc", false);
    EXPECT_EQ(printer.CurrentX(), 1300);
    EXPECT_EQ(printer.CurrentY(), 500);
    printer.Print("de");
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_EQ(printer.CurrentY(), 740);
    printer.Print(QString()); // a blank line only moves down
    EXPECT_EQ(printer.CurrentY(), 980);

    const auto texts = printer.OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].x, 1000);
    EXPECT_EQ(texts[0].y, 500);
    EXPECT_EQ(texts[1].text, "de");
    EXPECT_EQ(texts[1].x, 1300);
    EXPECT_EQ(texts[1].y, 500);
}

TEST(PrinterObject, LineBreaksInsideATextStartNewLinesAtTheLeft) {
    RecordingPrinter printer;
    printer.SetCurrentX(700);
    printer.Print("one\r\ntwo\nthree", false);
    const auto texts = printer.OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].x, 700);
    EXPECT_EQ(texts[1].x, 0);
    EXPECT_EQ(texts[1].y, 240);
    EXPECT_EQ(texts[2].y, 480);
    EXPECT_EQ(printer.CurrentX(), 500);
    EXPECT_EQ(printer.TextWidth("one\r\nthree"), 500);
    EXPECT_EQ(printer.TextHeight("one\r\nthree"), 480);
}

TEST(PrinterObject, MetricsFollowTheFontSize) {
    RecordingPrinter printer;
    printer.SetFontSize(8);
    EXPECT_EQ(printer.TextWidth("MM"), 160);
    EXPECT_EQ(printer.TextWidth("W"), 120);
    EXPECT_EQ(printer.TextHeight("M"), 192);
    printer.SetFontSize(0); // not a size: ignored
    EXPECT_EQ(printer.FontSize(), 8);
}

TEST(PrinterObject, EachOperationCarriesItsFontAndLineSettings) {
    RecordingPrinter printer;
    printer.SetFontName("Courier New");
    printer.SetFontSize(12);
    printer.SetFontBold(true);
    printer.SetFontUnderline(true);
    printer.Print("x");
    printer.SetDrawWidth(5);
    printer.SetDrawStyle(LineStyle::Dotted);
    printer.Line(0, 10, 200, 10);
    printer.SetDrawWidth(0); // at least one dot
    EXPECT_EQ(printer.DrawWidth(), 1);

    const auto& operations = printer.Operations();
    ASSERT_EQ(operations.size(), 2u);
    EXPECT_EQ(operations[0].fontName, "Courier New");
    EXPECT_EQ(operations[0].fontSize, 12);
    EXPECT_TRUE(operations[0].bold);
    EXPECT_TRUE(operations[0].underline);
    EXPECT_FALSE(operations[0].italic);
    EXPECT_EQ(operations[1].lineWidth, 5);
    EXPECT_EQ(operations[1].lineStyle, LineStyle::Dotted);
    EXPECT_EQ(operations[1].color, QColor(Qt::black));
}

TEST(PrinterObject, DocumentStartsAtTheFirstOutputAndPagesWhenOutputFollowsNewPage) {
    RecordingPrinter printer;
    printer.NewPage(); // nothing printed yet: no document, no page
    EXPECT_FALSE(printer.DocumentOpen());
    printer.SetCurrentY(900);
    printer.Print("first");
    EXPECT_TRUE(printer.DocumentOpen());
    EXPECT_EQ(printer.Page(), 1);

    printer.SetCurrentX(300);
    printer.NewPage();
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_EQ(printer.CurrentY(), 0);
    EXPECT_EQ(printer.Page(), 1); // the page begins with its first output
    printer.FillRect(10, 20, 30, 40);
    EXPECT_EQ(printer.Page(), 2);

    printer.NewPage();
    printer.EndDoc(); // right after NewPage: no empty page
    EXPECT_FALSE(printer.DocumentOpen());

    const auto& operations = printer.Operations();
    ASSERT_EQ(operations.size(), 4u);
    EXPECT_EQ(operations[0].page, 1);
    EXPECT_EQ(operations[1].kind, PrintOperation::NewPage);
    EXPECT_EQ(operations[2].kind, PrintOperation::Rect);
    EXPECT_EQ(operations[2].page, 2);
    EXPECT_EQ(operations[2].x2, 40);
    EXPECT_EQ(operations[2].y2, 60);
    EXPECT_EQ(operations[3].kind, PrintOperation::EndDoc);
    EXPECT_EQ(printer.EndedDocuments(), 1);
}

TEST(PrinterObject, KillDocDiscardsAndTheNextOutputStartsANewDocument) {
    RecordingPrinter printer;
    printer.EndDoc(); // nothing to end
    printer.KillDoc();
    EXPECT_TRUE(printer.Operations().empty());

    printer.Print("dropped");
    printer.KillDoc();
    EXPECT_EQ(printer.KilledDocuments(), 1);
    EXPECT_EQ(printer.EndedDocuments(), 0);
    EXPECT_EQ(printer.Page(), 0);

    printer.Print("kept");
    printer.EndDoc();
    const auto texts = printer.OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].document, 1);
    EXPECT_EQ(texts[1].document, 2);
    EXPECT_EQ(texts[1].page, 1);
    EXPECT_EQ(printer.EndedDocuments(), 1);
}

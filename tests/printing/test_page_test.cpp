#include "printing/pdf_file_device.h"
#include "printing/printer_object.h"
#include "printing/printer_values.h"
#include "printing/test_page.h"
#include "support/printing_test.h"

#include <algorithm>
#include <cmath>
#include <map>

using TestPage = PrintingTest;

TEST_F(TestPage, MarksEveryHundredTwipsUpTheBottomWithLabelsEveryFiveHundred) {
    RecordingPrinter printer("Office Laser", 12240, 15000);
    SetPrinterFontName("Courier New");
    printer.SetFontBold(true);
    PrintTestPage(printer);

    const auto lines = printer.OperationsOf(PrintOperation::Line);
    ASSERT_EQ(lines.size(), 34u);
    for (size_t i = 0; i < 30; ++i) {
        const int d = 100 * static_cast<int>(i + 1);
        const double length = d % 1000 == 0 ? 300 : d % 500 == 0 ? 200 : 100;
        SCOPED_TRACE(d);
        EXPECT_EQ(lines[i].x, 5460);
        EXPECT_EQ(lines[i].x2, 5460 + length);
        EXPECT_EQ(lines[i].y, 15000 - d);
        EXPECT_EQ(lines[i].y2, 15000 - d);
        EXPECT_EQ(lines[i].lineWidth, 1);
        EXPECT_EQ(lines[i].color, QColor(Qt::black));
    }

    // Labels end at 5360 and are centred on their marks: 8 points gives 80 twips a
    // character and lines 192 high.
    const auto texts = printer.OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 7u);
    const int heights[] = {500, 1000, 1500, 2000, 2500, 3000};
    for (size_t i = 0; i < 6; ++i) {
        const QString label = QStringLiteral(" %1").arg(heights[i]);
        SCOPED_TRACE(label.toStdString());
        EXPECT_EQ(texts[i].text, label);
        EXPECT_EQ(texts[i].x + 80 * label.size(), 5360);
        EXPECT_EQ(texts[i].y, 15000 - heights[i] - 96);
        EXPECT_EQ(texts[i].fontSize, 8);
        EXPECT_EQ(texts[i].fontName, "Courier New");
        EXPECT_FALSE(texts[i].bold);
    }
    // The frame: one dot wide, its lines' outer edges on the printable area's edges.
    const double half = kTwipsPerDot / 2;
    const QRectF frame(half, half, 12240 - 2 * half, 15000 - 2 * half);
    const QPointF corners[] = {frame.topLeft(), frame.topRight(), frame.bottomRight(),
                               frame.bottomLeft()};
    for (size_t side = 0; side < 4; ++side) {
        const PrintOperation& line = lines[30 + side];
        EXPECT_EQ(QPointF(line.x, line.y), corners[side]) << side;
        EXPECT_EQ(QPointF(line.x2, line.y2), corners[(side + 1) % 4]) << side;
        EXPECT_EQ(line.lineWidth, 1);
    }
    EXPECT_EQ(texts[6].text, "Printable area");
    EXPECT_EQ(printer.EndedDocuments(), 1);
    EXPECT_EQ(printer.OperationsOf(PrintOperation::NewPage).size(), 0u);
    ASSERT_FALSE(printer.Operations().empty());
    EXPECT_EQ(printer.Operations().front().kind, PrintOperation::BeginRun);
}

TEST_F(TestPage, WithoutAChosenFontThePrintersOwnIsUsed) {
    RecordingPrinter printer;
    printer.SetFontName("Times New Roman");
    PrintTestPage(printer);
    EXPECT_EQ(printer.OperationsOf(PrintOperation::Text).front().fontName, "Times New Roman");
}

TEST_F(TestPage, PrintedToPdfTheLabelsStandBesideTheirMarks) {
    auto printer = PdfFileDevice::MakePrinter();
    m_dialogs->ChooseFile(Path("test page.pdf"));
    PrintTestPage(*printer);
    ASSERT_TRUE(QFile::exists(Path("test page.pdf")));

    std::vector<PdfWord> words;
    if (!ReadPdfWords(Path("test page.pdf"), words))
        GTEST_SKIP() << "pdftotext is not installed";
    std::map<int, PdfWord> labels;
    for (const PdfWord& word : words)
        if (word.text.toInt() > 0)
            labels.emplace(word.text.toInt(), word);
    ASSERT_EQ(labels.size(), 6u);
    // Points: the printable area starts 18 points inside the sheet's edges and ends 774
    // points down; the labels end at 5360 twips = 268 points into it and are centred on the
    // mark d twips above its bottom.
    for (int d : {500, 1000, 1500, 2000, 2500, 3000}) {
        SCOPED_TRACE(d);
        ASSERT_EQ(labels.count(d), 1u);
        const PdfWord& word = labels.at(d);
        EXPECT_EQ(word.page, 1);
        EXPECT_NEAR(word.xMax, 18 + 268, 1.0);
        EXPECT_NEAR((word.yMin + word.yMax) / 2, 774 - d / 20.0, 1.5);
        EXPECT_NEAR(word.yMax - word.yMin, 8 * 1.2, 2.5); // an 8-point line
    }
    // The frame's caption stands just inside the printable area's top left corner.
    const auto caption = std::find_if(words.begin(), words.end(),
                                      [](const PdfWord& word) { return word.text == "Printable"; });
    ASSERT_NE(caption, words.end());
    EXPECT_NEAR(caption->xMin, 18 + 5, 1.0);
    EXPECT_NEAR(caption->yMin, 18 + 5, 1.5);
}

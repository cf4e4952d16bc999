// Labels printed to a PDF file land on real label stock: the words read back with pdftotext
// lie inside the labels of the sheet products that the stored layouts describe.
#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/address_block.h"
#include "printing/intelligent_mail_settings.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/pdf_file_device.h"
#include "printing/print_labels.h"
#include "printing/printer_values.h"
#include "printing/printers.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <QRectF>
#include <algorithm>

namespace {

// A sheet product as it is made, in inches from the paper's top left.
struct PhysicalSheet {
    int rows, columns;
    double width, height; // of one label
    double left, top;     // of the first label
    double columnPitch, rowPitch;

    // The label that holds the rectangle (in points), or -1.
    int LabelHolding(const QRectF& points) const {
        const QRectF inches(points.x() / 72, points.y() / 72, points.width() / 72,
                            points.height() / 72);
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                if (QRectF(left + c * columnPitch, top + r * rowPitch, width, height)
                        .contains(inches))
                    return c * rows + r;
        return -1;
    }
};

constexpr PhysicalSheet kAvery5160{10, 3, 2.625, 1, 0.1875, 0.5, 2.75, 1};
constexpr PhysicalSheet kAvery5162{7, 2, 4, 1.333, 0.156, 0.833, 4.188, 1.333};

// Records 1 to 40 as the fixtures make them, but record 2 with a street line far too long
// for any label and record 3 with a three-line street address, which makes a block of five lines.
void AddAwkwardRecords() {
    AddAddressRecords(40, [](int i, ListRecord& record) {
        if (i == 2)
            record.Address = "1200 North Featherstonehaugh Boulevard West";
        if (i == 3)
            record.Address = "Suite 400\r\nNorthern Estate Building 7\r\n3 Main St";
    });
}

} // namespace

class LabelPdf : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        MakeList();
        ASSERT_TRUE(Printers::Select("PDF file"));
        SetPrinterFontName("DejaVu Sans");
        IntelligentMailSettings settings;
        settings.serviceType = "300";
        settings.mailerId = "123456";
        SaveIntelligentMailSettings(settings);
        AddAwkwardRecords();
    }

    // Prints every record on the sheet and reads the words back; false (test skipped) when
    // pdftotext is missing.
    bool PrintAndRead(qint64 labelId, int barcode) {
        LabelRunOptions options;
        options.labelId = labelId;
        options.layout = DefaultLabelLayout();
        options.barcode = barcode;
        m_dialogs->ChooseFile(Path("labels.pdf"));
        ListCore list;
        list.SetCurrentFilter();
        LabelRunHost host;
        PrintLabels(options, list, host);
        return ReadPdfWords(Path("labels.pdf"), m_words);
    }

    // Every word lies inside a label of the sheet, and each label's words are its own
    // record's: the label of record n (in filling order) holds "Name<nnn>".
    void ExpectWordsInsideLabels(const PhysicalSheet& sheet) {
        ASSERT_FALSE(m_words.empty());
        const int perSheet = sheet.rows * sheet.columns;
        int names = 0;
        for (const PdfWord& word : m_words) {
            const QRectF box(word.xMin, word.yMin, word.xMax - word.xMin, word.yMax - word.yMin);
            const int label = sheet.LabelHolding(box);
            EXPECT_GE(label, 0) << "\"" << word.text.toStdString() << "\" on page " << word.page
                                << " at " << word.xMin / 72 << ", " << word.yMin / 72
                                << " in lies outside every label";
            if (word.text.startsWith("Name0")) {
                ++names;
                EXPECT_EQ(word.text.mid(4, 3).toInt(), (word.page - 1) * perSheet + label + 1)
                    << word.text.toStdString();
            }
        }
        EXPECT_EQ(names, 40);
    }

    // The message at the end of the run names the wide and the tall record among those cut.
    void ExpectCutMessage(int labelsCut) {
        const QString text = m_dialogs->TakeMessage().text;
        const QString count = labelsCut == 1 ? QStringLiteral("1 label was")
                                             : QStringLiteral("%1 labels were").arg(labelsCut);
        EXPECT_TRUE(text.startsWith(count + " cut to fit")) << text.toStdString();
        EXPECT_TRUE(text.contains("First Name002;")) << text.toStdString();
        EXPECT_TRUE(text.contains("First Name003")) << text.toStdString();
    }

    std::vector<PdfWord> m_words;
};

TEST_F(LabelPdf, Avery5160WithoutBarcodesLandsInsideTheLabels) {
    if (!PrintAndRead(AddAvery5160(), kNoBarcode))
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    ExpectWordsInsideLabels(kAvery5160);
    // The long street line is cut; five lines fit no 5160 label whole.
    ExpectCutMessage(2);
}

TEST_F(LabelPdf, Avery5160With9DigitBarcodesLandsInsideTheLabels) {
    if (!PrintAndRead(AddAvery5160(), kZip9Barcode))
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    ExpectWordsInsideLabels(kAvery5160);
    ExpectCutMessage(2);
}

TEST_F(LabelPdf, Avery5160WithIntelligentMailCountsEveryLabelItsBarcodeOverhangs) {
    if (!PrintAndRead(AddAvery5160(), kIntelligentMailBarcode))
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    ExpectWordsInsideLabels(kAvery5160);
    // The barcode, 2.69 inches, is wider than a 5160 label: every label is counted.
    ExpectCutMessage(40);
}

TEST_F(LabelPdf, Avery5162WithAndWithoutBarcodesLandsInsideTheLabels) {
    const qint64 id = AddAvery5162();
    for (int barcode : {kNoBarcode, kZip9Barcode, kIntelligentMailBarcode}) {
        SCOPED_TRACE(barcode);
        if (!PrintAndRead(id, barcode))
            GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
        ExpectWordsInsideLabels(kAvery5162);
        // Five lines fit a 5162 label, but not under a barcode.
        if (barcode == kNoBarcode) {
            const QString text = m_dialogs->TakeMessage().text;
            EXPECT_TRUE(text.startsWith("1 label was cut")) << text.toStdString();
        } else {
            ExpectCutMessage(2);
        }
    }
}

TEST_F(LabelPdf, TheFirstLabelStartsAtThePrintableAreasCorner) {
    if (!PrintAndRead(AddAvery5162(), kNoBarcode))
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    m_dialogs->TakeMessage(); // the tall block cut
    ASSERT_FALSE(m_words.empty());
    // Indent From Left 0 and From Top 0.8 inch, measured from the printable area, which
    // starts 0.25 inch inside the sheet's edges.
    const double inset = PdfFileDevice::kPrintableInset / 20;
    EXPECT_EQ(m_words.front().text, "First");
    EXPECT_NEAR(m_words.front().xMin, inset, 0.5);
    EXPECT_NEAR(m_words.front().yMin, inset + 0.8 * 72, 1.5);
}

// The bars, which pdftotext cannot read, recorded on a printer with the "PDF file"
// printer's printable area and placed on the sheet as that printer places them.
class LabelBars : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        MakeList();
        Recorder()->SetPageSize(11520, 15120);
        IntelligentMailSettings settings;
        settings.serviceType = "300";
        settings.mailerId = "123456";
        SaveIntelligentMailSettings(settings);
        AddAddressRecords(40);
    }

    // The bars that lie outside every label of the sheet.
    int BarsOutside(qint64 labelId, int barcode, const PhysicalSheet& sheet) {
        Recorder()->Clear();
        LabelRunOptions options;
        options.labelId = labelId;
        options.layout = DefaultLabelLayout();
        options.barcode = barcode;
        ListCore list;
        list.SetCurrentFilter();
        LabelRunHost host;
        PrintLabels(options, list, host);
        const double inset = PdfFileDevice::kPrintableInset;
        const auto bars = Recorder()->OperationsOf(PrintOperation::Rect);
        EXPECT_FALSE(bars.empty());
        int outside = 0;
        for (const PrintOperation& bar : bars) {
            const QRectF points((bar.x + inset) / 20, (bar.y + inset) / 20, (bar.x2 - bar.x) / 20,
                                (bar.y2 - bar.y) / 20);
            outside += sheet.LabelHolding(points) < 0 ? 1 : 0;
        }
        return outside;
    }
};

TEST_F(LabelBars, PostnetBarsLandInsideTheLabelsAndIntelligentMailInside5162) {
    const qint64 avery5160 = AddAvery5160();
    const qint64 avery5162 = AddAvery5162();
    EXPECT_EQ(BarsOutside(avery5160, kZip9Barcode, kAvery5160), 0);
    EXPECT_EQ(BarsOutside(avery5162, kZip9Barcode, kAvery5162), 0);
    EXPECT_EQ(BarsOutside(avery5162, kIntelligentMailBarcode, kAvery5162), 0);
    // 2.69 inches of bars from 0.06 inch inside a label 2.63 inches wide run over its edge:
    // the run says so.
    EXPECT_GT(BarsOutside(avery5160, kIntelligentMailBarcode, kAvery5160), 0);
    EXPECT_TRUE(m_dialogs->TakeMessage().text.startsWith("40 labels were cut to fit"));
}

TEST_F(LabelPdf, RaisedOnTheLabelFourLinesFitUnderTheBars) {
    // "Avery 5160" with the text 0.2 inch higher, near the top of the label: the text area
    // reaches 1/16 inch short of the label's bottom edge, room for the bars and four lines.
    const qint64 raised = AddLabelDefinition("Avery 5160 raised", 10, 3, 0.3f, 0, 1, 2.8f, 10);
    if (!PrintAndRead(raised, kZip9Barcode))
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    ExpectWordsInsideLabels(kAvery5160);
    ExpectCutMessage(2);
    // The third label holds four of the five lines of record 3: "First Name003", "Suite
    // 400", "Northern Estate Building 7", "3 Main St".
    int words = 0;
    for (const PdfWord& word : m_words) {
        const QRectF box(word.xMin, word.yMin, word.xMax - word.xMin, word.yMax - word.yMin);
        words += word.page == 1 && kAvery5160.LabelHolding(box) == 2 ? 1 : 0;
    }
    EXPECT_EQ(words, 11);
}

#include "database/label_record.h"
#include "database/list_core.h"
#include "printing/address_block.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/label_sheet.h"
#include "printing/print_labels.h"
#include "printing/printer_values.h"
#include "printing/printers.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <QPoint>
#include <algorithm>

namespace {
// pdftotext measures in points; the engine places in twips.
constexpr double kTwipsPerPoint = 20;
} // namespace

// Labels printed to a PDF file stand where the engine put them: read back with pdftotext.
class LabelPdf : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        MakeList();
        ASSERT_TRUE(Printers::Select("PDF file"));
        SetPrinterFontName("DejaVu Sans");
    }

    // Prints the records on the sheet and reads the words back; false (test skipped) when
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

    // The first word of the label of that record ("First" of "First Name012").
    const PdfWord* LabelOf(int record) const {
        const QString name = LabelNameOf(record).section(' ', 1);
        for (size_t i = 1; i < m_words.size(); ++i)
            if (m_words[i].text == name && m_words[i - 1].text == "First")
                return &m_words[i - 1];
        return nullptr;
    }

    // The label of the record stands on the page at the position (in twips) given, the top
    // of its first line "below" lower; within half a point, as the reader measures the
    // font's ascent in its own way.
    void ExpectLabel(int record, int page, QPoint at, double below = 0) const {
        const PdfWord* word = LabelOf(record);
        ASSERT_TRUE(word) << "label " << record << " not found";
        EXPECT_EQ(word->page, page) << record;
        EXPECT_NEAR(word->xMin * kTwipsPerPoint, at.x(), 2) << record;
        EXPECT_NEAR(word->yMin * kTwipsPerPoint, at.y() + below, 10) << record;
    }

    std::vector<PdfWord> m_words;
};

TEST_F(LabelPdf, Avery5160SheetsWithBarcodes) {
    const qint64 id = AddAvery5160();
    AddAddressRecords(45);
    if (!PrintAndRead(id, kZip9Barcode))
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    LabelRecord sheet;
    sheet.LRows = 10;
    sheet.LCols = 3;
    sheet.IndentTop = 0.5f;
    sheet.RowDelta = 1;
    sheet.ColDelta = 2.8f;
    const LabelSheet positions(sheet);
    // The block stands 0.2 inch below the top of the label, under the bars.
    ExpectLabel(1, 1, positions.Position(0, 0), 288);
    ExpectLabel(15, 1, positions.Position(4, 1), 288);
    ExpectLabel(30, 1, positions.Position(9, 2), 288);
    ExpectLabel(31, 2, positions.Position(0, 0), 288);
    ExpectLabel(45, 2, positions.Position(4, 1), 288);
    EXPECT_EQ(std::max_element(m_words.begin(), m_words.end(),
                               [](const PdfWord& a, const PdfWord& b) { return a.page < b.page; })
                  ->page,
              2);
}

TEST_F(LabelPdf, Avery5162SheetsWithoutBarcodes) {
    const qint64 id = AddAvery5162();
    AddAddressRecords(15);
    if (!PrintAndRead(id, kNoBarcode))
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    LabelRecord sheet;
    sheet.LRows = 7;
    sheet.LCols = 2;
    sheet.IndentTop = 0.8f;
    sheet.RowDelta = 1.32f;
    sheet.ColDelta = 4.17f;
    const LabelSheet positions(sheet);
    ExpectLabel(1, 1, positions.Position(0, 0));
    ExpectLabel(7, 1, positions.Position(6, 0));
    ExpectLabel(8, 1, positions.Position(0, 1));
    ExpectLabel(14, 1, positions.Position(6, 1));
    ExpectLabel(15, 2, positions.Position(0, 0));
}

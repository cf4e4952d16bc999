// Intelligent Mail barcodes on a page of labels printed to a PDF file, measured on the
// page as pdftoppm renders it.
#include "database/list_core.h"
#include "printing/address_block.h"
#include "printing/intelligent_mail.h"
#include "printing/intelligent_mail_settings.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/print_labels.h"
#include "printing/printer_values.h"
#include "printing/printers.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr int kDotsPerInch = 600;

// One bar found on the rendered page, in pixels.
struct RenderedBar {
    int left, right; // first and last dark column
    int top, bottom; // first and last dark row at the bar's middle column
};

bool Dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The bars of the image from left to right: runs of columns with dark pixels.
std::vector<RenderedBar> FindBars(const QImage& image) {
    std::vector<RenderedBar> bars;
    auto columnDark = [&](int x) {
        for (int y = 0; y < image.height(); ++y)
            if (Dark(image, x, y))
                return true;
        return false;
    };
    for (int x = 0; x < image.width(); ++x) {
        if (!columnDark(x))
            continue;
        RenderedBar bar{x, x, -1, -1};
        while (bar.right + 1 < image.width() && columnDark(bar.right + 1))
            ++bar.right;
        const int middle = (bar.left + bar.right) / 2;
        for (int y = 0; y < image.height(); ++y) {
            if (Dark(image, middle, y)) {
                if (bar.top < 0)
                    bar.top = y;
                bar.bottom = y;
            }
        }
        bars.push_back(bar);
        x = bar.right;
    }
    return bars;
}

} // namespace

class ImbPdf : public PrintingTest {};

TEST_F(ImbPdf, RenderedBarsHaveTheHeightsAndPitchOfTheSpecificationAndReadBack) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed (poppler-utils)";
    MakeList();
    ASSERT_TRUE(Printers::Select("PDF file"));
    SetPrinterFontName("DejaVu Sans");
    AddAddressRecords(30);
    IntelligentMailSettings settings;
    settings.serviceType = "300";
    settings.mailerId = "123456";
    settings.nextSerial = 41;
    SaveIntelligentMailSettings(settings);

    LabelRunOptions options;
    options.labelId = AddAvery5160();
    options.layout = DefaultLabelLayout();
    options.barcode = kIntelligentMailBarcode;
    m_dialogs->ChooseFile(Path("labels.pdf"));
    ListCore list;
    list.SetCurrentFilter();
    LabelRunHost host;
    PrintLabels(options, list, host);

    // The first label's barcode. The printable area starts 0.25 inch inside the sheet, so
    // the first row's bars stand 0.75 inch down the page and the block 0.2 inch lower: the
    // page from 0.7 to 0.92 inch down, and from 0.25 to 3 inches across, short of the next
    // column's bars (3.05 inches).
    QProcess render;
    render.start("pdftoppm", {"-r", QString::number(kDotsPerInch), "-f", "1", "-l", "1", "-x",
                              "150", "-y", "420", "-W", "1650", "-H", "132", "-png", "-singlefile",
                              Path("labels.pdf"), Path("page")});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QImage image(Path("page.png"));
    ASSERT_FALSE(image.isNull());

    const std::vector<RenderedBar> bars = FindBars(image);
    ASSERT_EQ(bars.size(), size_t(kImbBarCount));
    int top = image.height(), bottom = 0, trackerTop = 0, trackerBottom = image.height();
    for (const RenderedBar& bar : bars) {
        top = std::min(top, bar.top);
        bottom = std::max(bottom, bar.bottom);
        trackerTop = std::max(trackerTop, bar.top);
        trackerBottom = std::min(trackerBottom, bar.bottom);
    }
    auto inches = [](double pixels) { return pixels / kDotsPerInch; };
    const double full = inches(bottom - top + 1);
    const double tracker = inches(trackerBottom - trackerTop + 1);
    EXPECT_GE(full, 0.125);
    EXPECT_LE(full, 0.165);
    EXPECT_GE(tracker, 0.039);
    EXPECT_LE(tracker, 0.057);
    // The bars' top edge is the label's top edge, 0.75 inch down the page, and they start
    // at its left edge, 0.25 inch across.
    EXPECT_NEAR(inches(top + 420), 0.75, 2.0 / kDotsPerInch);
    EXPECT_NEAR(inches(bars.front().left + 150), 0.25, 2.0 / kDotsPerInch);

    // 24 bars per inch, each 0.015 to 0.025 inch wide.
    const double pitch = inches(bars.back().left - bars.front().left) / (kImbBarCount - 1);
    EXPECT_NEAR(1 / pitch, 24, 0.05);
    for (size_t i = 0; i < bars.size(); ++i) {
        const double width = inches(bars[i].right - bars[i].left + 1);
        EXPECT_GE(width, 0.015) << i;
        EXPECT_LE(width, 0.025) << i;
        if (i > 0) {
            EXPECT_NEAR(bars[i].left - bars[i - 1].left, kDotsPerInch / 24.0, 1.0) << i;
        }
    }

    // Read back, the bars are the first label's code: serial 41, routing 627010001.
    QString letters;
    for (const RenderedBar& bar : bars) {
        const bool up = bar.top - top <= 2;
        const bool down = bottom - bar.bottom <= 2;
        letters += up && down ? 'F' : up ? 'A' : down ? 'D' : 'T';
    }
    ImbBars expected;
    QString error;
    ASSERT_TRUE(EncodeIntelligentMail(ImbTrackingCode(settings, 41), "627010001", expected, error));
    EXPECT_EQ(letters, ImbBarLetters(expected));
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 71);
    // Each of the 30 barcodes is wider than its label, and the run said so.
    EXPECT_TRUE(m_dialogs->TakeMessage().text.startsWith("30 labels were cut to fit"));
}

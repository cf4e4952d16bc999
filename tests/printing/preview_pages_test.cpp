#include "printing/preview_pages.h"

#include "database/list_core.h"
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

#include <QImage>
#include <QPainter>

namespace {

// A page drawn as the preview window draws it, at 1/20 pixel a twip (72 pixels an inch).
QImage Render(const PreviewPages& pages, int page, const QList<QRectF>& outlines = {}) {
    const QRectF paper = pages.PaperRect();
    QImage image((paper.size() / 20).toSize(), QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    PaintPreviewPage(painter, pages.Page(page), paper, outlines, 1.0 / 20);
    return image;
}

// The pixels darker than mid grey in a rectangle of the image.
int DarkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

} // namespace

class Preview : public PrintingTest {};

TEST_F(Preview, StandsInForThePrinterAndKeepsEveryPageAsItIsPainted) {
    auto pdf = PdfFileDevice::MakePrinter();
    pdf->SetFontName("DejaVu Sans");
    PreviewPages* pages = nullptr;
    auto preview = PreviewPages::MakePrinter(*pdf, &pages);
    ASSERT_TRUE(pages);
    EXPECT_TRUE(preview->ForScreen());
    EXPECT_FALSE(pdf->ForScreen());
    EXPECT_EQ(preview->DeviceName(), "PDF file");
    EXPECT_EQ(preview->PageWidth(), pdf->PageWidth());
    EXPECT_EQ(preview->PageHeight(), pdf->PageHeight());
    EXPECT_EQ(preview->PaperRect(), pdf->PaperRect());
    EXPECT_EQ(preview->FontName(), "DejaVu Sans");

    std::vector<int> completed;
    pages->SetPageCompleted([&](int count) { completed.push_back(count); });
    // Three pages, a block of text at the top left of the first and the third, a filled
    // rectangle in the middle of the second.
    preview->SetFontSize(36);
    preview->Print("MMMM");
    preview->NewPage();
    preview->FillRect(4000, 6000, 2000, 2000);
    EXPECT_EQ(pages->CompletedPages(), 1); // the second page has begun
    preview->NewPage();
    preview->Print("MMMM");
    preview->EndDoc();
    EXPECT_EQ(pages->CompletedPages(), 3);
    EXPECT_EQ(completed, (std::vector<int>{1, 2, 3}));

    // On screen, every page stands on its sheet with the printable area's origin a quarter
    // inch (18 pixels here) inside the sheet's corner.
    const QRect text(18, 18, 100, 30);
    const QRect square((4000 + 360) / 20, (6000 + 360) / 20, 100, 100);
    const QImage first = Render(*pages, 0);
    EXPECT_GT(DarkPixels(first, text), 300);
    EXPECT_EQ(DarkPixels(first, square), 0);
    EXPECT_EQ(DarkPixels(first, QRect(0, 0, 18, 18)), 0); // the sheet is white
    const QImage second = Render(*pages, 1);
    EXPECT_EQ(DarkPixels(second, text), 0);
    EXPECT_EQ(DarkPixels(second, square), 100 * 100);
    EXPECT_GT(DarkPixels(Render(*pages, 2), text), 300);
}

TEST_F(Preview, ADiscardedDocumentTakesItsPagesAndOutlinesAreFaint) {
    auto pdf = PdfFileDevice::MakePrinter();
    PreviewPages* pages = nullptr;
    auto preview = PreviewPages::MakePrinter(*pdf, &pages);
    preview->FillRect(0, 0, 100, 100);
    preview->EndDoc();
    preview->FillRect(0, 0, 100, 100);
    preview->NewPage();
    preview->FillRect(0, 0, 100, 100);
    EXPECT_EQ(pages->CompletedPages(), 2);
    preview->KillDoc();
    EXPECT_EQ(pages->CompletedPages(), 1);

    // An outline is drawn, but lighter than anything printed.
    const QImage page = Render(*pages, 0, {QRectF(2000, 2000, 4000, 2000)});
    const QRgb edge = page.pixel((2000 + 360) / 20, (3000 + 360) / 20);
    EXPECT_NE(edge, qRgb(255, 255, 255));
    EXPECT_GT(qGray(edge), 160);
}

TEST_F(Preview, ALabelRunOnThePreviewUsesNoSerialNumbersAndAsksNothing) {
    MakeList();
    AddAddressRecords(31);
    IntelligentMailSettings settings;
    settings.serviceType = "300";
    settings.mailerId = "123456";
    settings.nextSerial = 999999990; // the run passes the largest serial number
    SaveIntelligentMailSettings(settings);
    LabelRunOptions options;
    options.labelId = AddAvery5162();
    options.layout = DefaultLabelLayout();
    options.barcode = kIntelligentMailBarcode;

    PreviewPages* pages = nullptr;
    auto preview = PreviewPages::MakePrinter(Printers::Current(), &pages);
    ListCore list;
    list.SetCurrentFilter();
    LabelRunHost host;
    PrintLabels(options, list, host, *preview);
    // 14 labels a sheet; a new sheet is begun after the second one is full.
    EXPECT_EQ(pages->CompletedPages(), 3);
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 999999990);
    EXPECT_TRUE(m_dialogs->Questions().empty());
}

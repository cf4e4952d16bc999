#include "printing/intelligent_mail_drawing.h"

#include "printing/recording_printer.h"

#include <gtest/gtest.h>

namespace {

constexpr double kTwipsPerInch = 1440;

ImbBars Encode(const QString& tracking, const QString& routing) {
    ImbBars bars;
    QString error;
    EXPECT_TRUE(EncodeIntelligentMail(tracking, routing, bars, error)) << error.toStdString();
    return bars;
}

} // namespace

// Every bar's rectangle within the Postal Service's ranges (USPS-B-3200): 22 +/- 2 bars per
// inch, bars 0.015 to 0.025 inch wide, full bars 0.125 to 0.165 inch and trackers 0.039 to
// 0.057 inch high; ascenders and descenders reach from the tracker to the full bar's top or
// bottom edge.
TEST(IntelligentMailDrawing, BarsHaveTheDimensionsThePostalServiceAllows) {
    const ImbBars bars = Encode("01234567094987654321", "01234567891");
    RecordingPrinter printer;
    DrawIntelligentMailBars(printer, bars, 1000, 2000);
    const auto rects = printer.OperationsOf(PrintOperation::Rect);
    ASSERT_EQ(rects.size(), size_t(kImbBarCount));

    // Where the tracker of every bar is: the band every bar covers.
    double bandTop = 0, bandBottom = 1e9, top = 1e9, bottom = 0;
    for (const PrintOperation& r : rects) {
        bandTop = std::max(bandTop, r.y);
        bandBottom = std::min(bandBottom, r.y2);
        top = std::min(top, r.y);
        bottom = std::max(bottom, r.y2);
    }
    EXPECT_DOUBLE_EQ(top, 2000) << "the barcode's top edge is at y";
    const double full = (bottom - top) / kTwipsPerInch;
    const double tracker = (bandBottom - bandTop) / kTwipsPerInch;
    EXPECT_GE(full, 0.125);
    EXPECT_LE(full, 0.165);
    EXPECT_GE(tracker, 0.039);
    EXPECT_LE(tracker, 0.057);
    // The tracker stands in the middle.
    EXPECT_NEAR(bandTop - top, bottom - bandBottom, 1e-9);

    QString letters;
    for (size_t i = 0; i < rects.size(); ++i) {
        const PrintOperation& r = rects[i];
        const double width = (r.x2 - r.x) / kTwipsPerInch;
        EXPECT_GE(width, 0.015) << i;
        EXPECT_LE(width, 0.025) << i;
        if (i > 0) {
            const double barsPerInch = kTwipsPerInch / (r.x - rects[i - 1].x);
            EXPECT_NEAR(barsPerInch, 24, 1e-9) << i;
        }
        // Each bar reaches the top edge or stops at the tracker, likewise at the bottom.
        const bool up = std::abs(r.y - top) < 1e-9;
        const bool down = std::abs(r.y2 - bottom) < 1e-9;
        EXPECT_TRUE(up || std::abs(r.y - bandTop) < 1e-9) << i;
        EXPECT_TRUE(down || std::abs(r.y2 - bandBottom) < 1e-9) << i;
        letters += up && down ? 'F' : up ? 'A' : down ? 'D' : 'T';
    }
    EXPECT_EQ(letters, ImbBarLetters(bars));
    EXPECT_DOUBLE_EQ(rects.front().x, 1000);
    // The whole barcode is about 2.7 inches long.
    EXPECT_NEAR((rects.back().x2 - rects.front().x) / kTwipsPerInch, 2.69, 0.005);
    EXPECT_DOUBLE_EQ(rects.back().x2 - rects.front().x, kImbBarcodeWidth);
}

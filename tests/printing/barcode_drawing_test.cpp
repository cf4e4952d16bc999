#include "printing/barcode_drawing.h"

#include "printing/postnet.h"
#include "printing/recording_printer.h"
#include "support/qt_print.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The bars drawn, left to right: "F" for a full bar (and the frame bars), "h" for a half
// bar. Checks on the way that every bar has one of the two shapes.
QString BarSequence(const RecordingPrinter& printer) {
    auto rects = printer.OperationsOf(PrintOperation::Rect);
    std::sort(rects.begin(), rects.end(),
              [](const PrintOperation& a, const PrintOperation& b) { return a.x < b.x; });
    QString sequence;
    for (const PrintOperation& bar : rects) {
        const double height = bar.y2 - bar.y;
        if (std::abs(height - kBarcodeHeight) < 1e-6)
            sequence += 'F';
        else if (std::abs(height - kHalfBarHeight) < 1e-6)
            sequence += 'h';
        else
            sequence += '?';
    }
    return sequence;
}

QString DrawnSequence(const QString& digits) {
    RecordingPrinter printer;
    DrawBarcode(printer, digits, 0, 0, false);
    return BarSequence(printer);
}

// The bars zint draws for the same digits (it adds the check digit itself): its dump is one
// row of modules for the upper part and one for the lower, bars on the even modules. Empty
// when zint is missing or fails.
QString ZintSequence(const QString& digits, int bars) {
    QProcess zint;
    zint.start("zint", {"-b", "POSTNET", "-d", digits, "--dump"});
    if (!zint.waitForFinished(30000) || zint.exitCode() != 0)
        return QString();
    const QStringList rows =
        QString::fromLatin1(zint.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    if (rows.size() < 2)
        return QString();
    auto modules = [](const QString& row) {
        QString bits;
        for (QChar hex : QString(row).remove(' ').trimmed())
            bits += QStringLiteral("%1").arg(QString(hex).toInt(nullptr, 16), 4, 2, QChar('0'));
        return bits;
    };
    const QString top = modules(rows.at(0));
    const QString bottom = modules(rows.at(1));
    QString sequence;
    for (int bar = 0; bar < bars; ++bar) {
        const int module = 2 * bar;
        if (module >= top.size() || bottom.at(module) != '1')
            return QString();
        sequence += top.at(module) == '1' ? 'F' : 'h';
    }
    return sequence;
}

// The expected sequence from the digit table.
QString TableSequence(const QString& digitsWithCheck) {
    QString sequence = "F";
    for (QChar c : digitsWithCheck)
        for (bool full : PostnetBars(c.unicode() - '0'))
            sequence += full ? 'F' : 'h';
    return sequence + "F";
}

} // namespace

TEST(BarcodeDrawing, FrameAndDigitBarsHaveTheirExactGeometry) {
    RecordingPrinter printer;
    DrawBarcode(printer, "02134", 1000, 2000, false); // check digit 0
    const auto rects = printer.OperationsOf(PrintOperation::Rect);
    ASSERT_EQ(rects.size(), 32u);
    // Opening frame bar.
    EXPECT_DOUBLE_EQ(rects[0].x, 1000);
    EXPECT_DOUBLE_EQ(rects[0].x2, 1032);
    EXPECT_DOUBLE_EQ(rects[0].y, 2000);
    EXPECT_DOUBLE_EQ(rects[0].y2, 2183);
    // The first digit, 0: full, full, half, half, half, each bar in the right half of its
    // 63.4-twip cell.
    for (int i = 0; i < 5; ++i) {
        const PrintOperation& bar = rects[size_t(1 + i)];
        EXPECT_NEAR(bar.x, 1032 + i * 63.4 + 31.7, 1e-9) << i;
        EXPECT_NEAR(bar.x2 - bar.x, 31.7, 1e-9) << i;
        EXPECT_DOUBLE_EQ(bar.y2, 2183) << "bars share their bottom edge";
        EXPECT_NEAR(bar.y, i < 2 ? 2000 : 2183 - 183.0 * 8 / 19, 1e-9) << i;
    }
    // Second digit starts 317 twips further.
    EXPECT_NEAR(rects[6].x, 1032 + 317 + 31.7, 1e-9);
    // Closing frame bar after six digits and a 32-twip step.
    EXPECT_DOUBLE_EQ(rects[31].x, 1000 + 32 + 6 * 317 + 32);
    EXPECT_DOUBLE_EQ(rects[31].x2 - rects[31].x, 32);
    EXPECT_EQ(BarSequence(printer), TableSequence("021340"));
}

TEST(BarcodeDrawing, ZipFormsAndTheirFallbacks) {
    auto bars = [](auto draw) {
        RecordingPrinter printer;
        draw(printer);
        return BarSequence(printer);
    };
    // Five-digit form uses the first five digits only.
    EXPECT_EQ(bars([](PrinterObject& p) { DrawZip5Barcode(p, "021341234", 0, 0); }),
              TableSequence("021340"));
    EXPECT_EQ(bars([](PrinterObject& p) { DrawZip9Barcode(p, "021341234", 0, 0); }).size(), 52);
    // An extension of 0000 gives the five-digit code.
    EXPECT_EQ(bars([](PrinterObject& p) { DrawZip9Barcode(p, "123450000", 0, 0); }),
              TableSequence("123455"));
    // No numeric value: nothing at all.
    for (const QString zip : {"", "000000000", "abcde"}) {
        EXPECT_EQ(bars([&](PrinterObject& p) { DrawZip5Barcode(p, zip, 0, 0); }), "")
            << zip.toStdString();
        EXPECT_EQ(bars([&](PrinterObject& p) { DrawZip9Barcode(p, zip, 0, 0); }), "")
            << zip.toStdString();
        EXPECT_EQ(bars([&](PrinterObject& p) {
                      DrawDeliveryPointBarcode(p, zip, "55 RIVER RD", "", 0, 0, false);
                  }),
                  "")
            << zip.toStdString();
    }
    // A zip that is not digits (an international one starting with a number) gives no bars
    // rather than bars for digits it does not hold.
    EXPECT_EQ(bars([](PrinterObject& p) { DrawZip5Barcode(p, "1234 AB", 0, 0); }), "");
}

TEST(BarcodeDrawing, DeliveryPointFormAndItsPreview) {
    RecordingPrinter printer;
    DrawDeliveryPointBarcode(printer, "123456789", "55 RIVER RD", "", 0, 0, false);
    EXPECT_EQ(BarSequence(printer), TableSequence("123456789555"));
    EXPECT_EQ(BarSequence(printer).size(), 62);

    // An override is used as stored: '7' makes eleven digits with the check digit.
    printer.Clear();
    DrawDeliveryPointBarcode(printer, "123456789", "55 RIVER RD", "7", 0, 0, false);
    EXPECT_EQ(BarSequence(printer),
              TableSequence("1234567897" + QString(CheckDigit("1234567897"))));

    // Without an extension the five-digit code is drawn, even in preview.
    printer.Clear();
    DrawDeliveryPointBarcode(printer, "123450000", "55 RIVER RD", "", 0, 0, true);
    EXPECT_EQ(BarSequence(printer), TableSequence("123455"));
    EXPECT_TRUE(printer.Texts().isEmpty());

    printer.Clear();
    DrawDeliveryPointBarcode(printer, "123456789", "55 RIVER RD", "", 1440, 720, true);
    EXPECT_TRUE(printer.OperationsOf(PrintOperation::Rect).empty());
    const auto texts = printer.OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "12345-6789 55 5");
    EXPECT_EQ(texts[0].x, 1440);
    EXPECT_EQ(texts[0].y, 720);
}

TEST(BarcodeDrawing, BarsMatchAnIndependentEncoder) {
    if (QStandardPaths::findExecutable("zint").isEmpty())
        GTEST_SKIP() << "zint is not installed (Debian package zint): the bars are not "
                        "compared with an independent POSTNET encoder";
    const QStringList samples = {"02134",       "12345",       "99999",
                                 "00000",       "123456789",   "021341234",
                                 "12345678955", "55555678901", "98765432100"};
    for (const QString& digits : samples) {
        const QString ours = DrawnSequence(digits);
        ASSERT_EQ(ours.size(), 2 + 5 * (digits.size() + 1)) << digits.toStdString();
        EXPECT_EQ(ZintSequence(digits, int(ours.size())), ours) << digits.toStdString();
    }
}

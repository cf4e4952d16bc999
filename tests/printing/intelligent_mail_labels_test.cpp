// Label runs with Intelligent Mail barcodes: the serial numbers labels take, the routing
// codes of the records, and runs that stop before printing anything.
#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/address_block.h"
#include "printing/intelligent_mail_drawing.h"
#include "printing/intelligent_mail_settings.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/print_labels.h"
#include "printing/printers.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <QFile>

namespace {
// Keeps what a run tells at its end: on a 5160 sheet every Intelligent Mail barcode is
// wider than the label, and the run says so.
class NoticeHost : public LabelRunHost {
public:
    void Notify(const QString& text) override { notices << text; }
    QStringList notices;
};
} // namespace

class ImbLabelRun : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        MakeList();
        m_options.labelId = AddAvery5160();
        m_options.layout = DefaultLabelLayout();
        m_options.barcode = kIntelligentMailBarcode;
        m_settings.barcodeIdentifier = "00";
        m_settings.serviceType = "300";
        m_settings.mailerId = "123456";
        m_settings.nextSerial = 41;
    }

    void Run() {
        SaveIntelligentMailSettings(m_settings);
        ListCore list;
        list.SetCurrentFilter();
        m_host.notices.clear();
        PrintLabels(m_options, list, m_host);
    }

    // The bar rectangles of the labels printed, 65 to a label, in printing order.
    std::vector<std::vector<PrintOperation>> BarcodesPrinted() {
        const auto rects = Recorder()->OperationsOf(PrintOperation::Rect);
        EXPECT_EQ(rects.size() % kImbBarCount, 0u);
        std::vector<std::vector<PrintOperation>> codes;
        for (size_t i = 0; i + kImbBarCount <= rects.size(); i += kImbBarCount)
            codes.emplace_back(rects.begin() + long(i), rects.begin() + long(i + kImbBarCount));
        return codes;
    }

    // Checks that a label's bars are those of the serial number and routing code, drawn at
    // the top left corner of the label.
    void ExpectBarcode(const std::vector<PrintOperation>& printed, qint64 serial,
                       const QString& routing, double x, double y) {
        ImbBars bars;
        QString error;
        ASSERT_TRUE(
            EncodeIntelligentMail(ImbTrackingCode(m_settings, serial), routing, bars, error));
        RecordingPrinter expected;
        DrawIntelligentMailBars(expected, bars, x, y);
        const auto rects = expected.OperationsOf(PrintOperation::Rect);
        ASSERT_EQ(printed.size(), rects.size());
        for (size_t i = 0; i < rects.size(); ++i) {
            EXPECT_DOUBLE_EQ(printed[i].x, rects[i].x) << "serial " << serial << " bar " << i;
            EXPECT_DOUBLE_EQ(printed[i].y, rects[i].y) << "serial " << serial << " bar " << i;
            EXPECT_DOUBLE_EQ(printed[i].y2, rects[i].y2) << "serial " << serial << " bar " << i;
        }
    }

    static void SetOverride(qint64 record, const QString& digits) {
        ListCore list;
        list.SetID(record);
        list.SetDPOverride(digits);
    }

    LabelRunOptions m_options;
    IntelligentMailSettings m_settings;
    NoticeHost m_host;
};

TEST_F(ImbLabelRun, EachLabelTakesTheNextSerialNumberAndTheNextRunGoesOn) {
    AddAddressRecords(3);
    m_options.labelsPerRecord = 2; // every copy is a piece of mail of its own
    Run();
    auto codes = BarcodesPrinted();
    ASSERT_EQ(codes.size(), 6u);
    for (int label = 0; label < 6; ++label) {
        const int record = label / 2 + 1;
        const QString routing = QStringLiteral("62701%1").arg(record, 4, 10, QChar('0'));
        // Down the first column of the 5160 sheet: 0.5 inch from the top, 1 inch apart.
        ExpectBarcode(codes[size_t(label)], 41 + label, routing, 0, 720 + label * 1440);
    }
    // The block stands 0.2 inch lower, under the bars.
    const auto texts = Recorder()->OperationsOf(PrintOperation::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front().text, "First Name001");
    EXPECT_EQ(texts.front().y, 720 + 288);
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 47);
    ASSERT_EQ(m_host.notices.size(), 1);
    EXPECT_TRUE(m_host.notices[0].startsWith("6 labels were cut to fit"));

    // The next run starts where this one stopped.
    Recorder()->Clear();
    m_options.labelsPerRecord = 1;
    m_settings.nextSerial = ReadIntelligentMailSettings().nextSerial;
    Run();
    codes = BarcodesPrinted();
    ASSERT_EQ(codes.size(), 3u);
    for (int label = 0; label < 3; ++label)
        ExpectBarcode(codes[size_t(label)], 47 + label,
                      QStringLiteral("62701%1").arg(label + 1, 4, 10, QChar('0')), 0,
                      720 + label * 1440);
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 50);
}

TEST_F(ImbLabelRun, RoutingCodeOfEachRecordAndRecordsWithoutALabelTakeNoNumber) {
    AddAddressRecords(5, [](int i, ListRecord& record) {
        if (i == 1) {
            record.Zip = "123456789";
            record.Address = "55 RIVER RD";
        }
        if (i == 2)
            record.Zip = "000000000"; // no value: the tracking code alone
        if (i == 3)
            record.Zip = "627010000"; // no +4: five digits
        if (i == 4)
            record = ListRecord(); // nothing to print: no label, no serial number
    });
    SetOverride(5, "07");
    m_settings.deliveryPointRouting = true;
    m_settings.mailerId = "912345678";
    m_settings.nextSerial = 0;
    Run();
    const auto codes = BarcodesPrinted();
    ASSERT_EQ(codes.size(), 4u);
    ExpectBarcode(codes[0], 0, "12345678955", 0, 720);
    ExpectBarcode(codes[1], 1, "", 0, 720 + 1440);
    ExpectBarcode(codes[2], 2, "62701", 0, 720 + 2 * 1440);
    ExpectBarcode(codes[3], 3, "62701000507", 0, 720 + 3 * 1440);
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 4);

    // Without delivery-point routing the nine digits only.
    Recorder()->Clear();
    m_settings.deliveryPointRouting = false;
    m_settings.nextSerial = 0;
    Run();
    const auto nine = BarcodesPrinted();
    ASSERT_EQ(nine.size(), 4u);
    ExpectBarcode(nine[0], 0, "123456789", 0, 720);
    ExpectBarcode(nine[3], 3, "627010005", 0, 720 + 3 * 1440);
}

TEST_F(ImbLabelRun, ABarcodeThatCannotBeMadeStopsTheRunBeforeAnythingIsPrinted) {
    AddAddressRecords(40, [](int i, ListRecord& record) {
        if (i == 35)
            record.Zip = "1234"; // on the second sheet
    });
    Run();
    const ScriptedDialogs::Message message = m_dialogs->TakeMessage();
    EXPECT_TRUE(message.text.contains("\"First Name035\"")) << message.text.toStdString();
    EXPECT_TRUE(message.text.contains("\"1234\"")) << message.text.toStdString();
    EXPECT_TRUE(message.text.contains("ZIP code")) << message.text.toStdString();
    EXPECT_TRUE(Recorder()->Operations().empty());
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 41);

    // An override that makes the routing code ten digits, likewise.
    MakeList("Override.mdb");
    m_options.labelId = AddAvery5160();
    AddAddressRecords(5);
    SetOverride(3, "7");
    m_settings.deliveryPointRouting = true;
    Run();
    const QString overridden = m_dialogs->TakeMessage().text;
    EXPECT_TRUE(overridden.contains("\"First Name003\"")) << overridden.toStdString();
    EXPECT_TRUE(Recorder()->Operations().empty());
}

TEST_F(ImbLabelRun, IncompleteSettingsPrintNothing) {
    AddAddressRecords(2);
    m_settings.mailerId = "";
    Run();
    const QString text = m_dialogs->TakeMessage().text;
    EXPECT_TRUE(text.contains("Mailer ID must be six digits")) << text.toStdString();
    EXPECT_TRUE(text.contains("Intelligent Mail Settings")) << text.toStdString();
    EXPECT_TRUE(Recorder()->Operations().empty());
}

TEST_F(ImbLabelRun, PassingTheLargestSerialNumberIsAskedAndWrapsToZero) {
    AddAddressRecords(3);
    m_settings.mailerId = "912345678";
    m_settings.nextSerial = 999998;
    m_dialogs->AnswerNo();
    Run();
    ASSERT_EQ(m_dialogs->Questions().size(), 1u);
    EXPECT_TRUE(m_dialogs->Questions()[0].text.contains("999999")) << "the largest is named";
    EXPECT_TRUE(Recorder()->Operations().empty());
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 999998);

    m_dialogs->AnswerYes();
    Run();
    EXPECT_EQ(m_dialogs->Questions().size(), 2u);
    const auto codes = BarcodesPrinted();
    ASSERT_EQ(codes.size(), 3u);
    ExpectBarcode(codes[0], 999998, "627010001", 0, 720);
    ExpectBarcode(codes[1], 999999, "627010002", 0, 720 + 1440);
    ExpectBarcode(codes[2], 0, "627010003", 0, 720 + 2 * 1440);
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 1);

    // A run that ends on the largest is asked about too: the numbering starts again at 0.
    Recorder()->Clear();
    m_settings.nextSerial = 999997;
    m_dialogs->AnswerYes();
    Run();
    EXPECT_EQ(m_dialogs->Questions().size(), 3u);
    EXPECT_EQ(BarcodesPrinted().size(), 3u);
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 0);
}

TEST_F(ImbLabelRun, ARunDeclinedAtThePrinterUsesNoNumbers) {
    AddAddressRecords(2);
    ASSERT_TRUE(Printers::Select("PDF file"));
    m_dialogs->ChooseFile(""); // the file dialog cancelled
    Run();
    EXPECT_FALSE(QFile::exists(Path("labels.pdf")));
    EXPECT_EQ(ReadIntelligentMailSettings().nextSerial, 41);
}

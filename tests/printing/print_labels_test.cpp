#include "printing/print_labels.h"

#include "app/value_formats.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/address_block.h"
#include "printing/barcode_drawing.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/printer_values.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <QPointF>
#include <QRegularExpression>
#include <deque>

namespace {

// Stands in for the label window: answers "Continue Printing?" from a queue, and sets the
// stop request at a chosen turn of the user interface.
class ScriptedHost : public LabelRunHost {
public:
    void ShowStopButton(bool visible) override { stopButton.push_back(visible); }
    void ClearStopRequest() override { stop = false; }
    bool StopRequested() const override { return stop; }
    void ClearStopBetweenSheets() override { ++betweenSheetsCleared; }
    void SetBusy(bool on) override { busy = on; }
    void Yield() override {
        ++yields;
        if (yields == stopAtYield)
            stop = true;
    }
    ContinueDecision AskContinue() override {
        ++asks;
        EXPECT_FALSE(busy) << "the pointer is not busy while the user is asked";
        EXPECT_FALSE(decisions.empty()) << "unexpected Continue Printing?";
        if (decisions.empty())
            return kCancelPrinting;
        const ContinueDecision decision = decisions.front();
        decisions.pop_front();
        return decision;
    }
    void RunFinished() override { ++finished; }

    std::deque<ContinueDecision> decisions;
    int stopAtYield = -1;
    bool stop = false;
    bool busy = false;
    int yields = 0;
    int asks = 0;
    int finished = 0;
    int betweenSheetsCleared = 0;
    std::vector<bool> stopButton;
};

// One printed label: where its first line stands.
struct PrintedLabel {
    QString name;
    double x, y;
    int document, page;
};

} // namespace

class LabelRun : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        MakeList();
        m_avery5162 = AddAvery5162();
        m_avery5160 = AddAvery5160();
        m_options.labelId = m_avery5160;
        m_options.layout = DefaultLabelLayout();
    }

    void Run() {
        ListCore list;
        list.SetCurrentFilter();
        PrintLabels(m_options, list, m_host);
    }

    // The labels printed, by the first line of each block.
    std::vector<PrintedLabel> Labels() {
        std::vector<PrintedLabel> labels;
        for (const PrintOperation& text : Recorder()->OperationsOf(PrintOperation::Text))
            if (text.text.startsWith("First Name"))
                labels.push_back({text.text, text.x, text.y, text.document, text.page});
        return labels;
    }

    // Where the 5160 sheet has the label of row and column (from 0).
    static QPointF At5160(int row, int column) { return QPointF(column * 4032, 720 + row * 1440); }

    static void ExpectAt(const PrintedLabel& label, const QString& name, QPointF at, int document,
                         int page) {
        EXPECT_EQ(label.name, name);
        EXPECT_EQ(label.x, at.x()) << label.name.toStdString();
        EXPECT_EQ(label.y, at.y()) << label.name.toStdString();
        EXPECT_EQ(label.document, document) << label.name.toStdString();
        EXPECT_EQ(label.page, page) << label.name.toStdString();
    }

    qint64 m_avery5160 = 0;
    qint64 m_avery5162 = 0;
    LabelRunOptions m_options;
    ScriptedHost m_host;
};

TEST_F(LabelRun, StartRow3Column2FillsDownThenAcrossAndLaterSheetsStartAtTheTop) {
    AddAddressRecords(20);
    m_options.startRow = 3;
    m_options.startColumn = 2;
    Run();
    const auto labels = Labels();
    ASSERT_EQ(labels.size(), 20u);
    ExpectAt(labels[0], LabelNameOf(1), At5160(2, 1), 1, 1);
    ExpectAt(labels[7], LabelNameOf(8), At5160(9, 1), 1, 1);
    ExpectAt(labels[8], LabelNameOf(9), At5160(0, 2), 1, 1);
    ExpectAt(labels[17], LabelNameOf(18), At5160(9, 2), 1, 1);
    ExpectAt(labels[18], LabelNameOf(19), At5160(0, 0), 1, 2);
    ExpectAt(labels[19], LabelNameOf(20), At5160(1, 0), 1, 2);
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
    EXPECT_EQ(Recorder()->KilledDocuments(), 0);

    // The block under the name: street and place line at the same left edge, each one
    // line (10 points: 240 twips) lower, at the sheet's type size.
    const auto texts = Recorder()->OperationsOf(PrintOperation::Text);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[1].text, "1 Main St");
    EXPECT_EQ(texts[2].text, "Springfield, IL 62701-0001");
    EXPECT_EQ(texts[2].x, 4032);
    EXPECT_EQ(texts[2].y, 720 + 2 * 1440 + 2 * 240);
    EXPECT_EQ(texts[2].fontSize, 10);

    // One turn for the user interface after every record and at the sheet end; the stop
    // button shown for the run and hidden after it; the pointer back to normal.
    EXPECT_EQ(m_host.yields, 21);
    EXPECT_EQ(m_host.stopButton, (std::vector<bool>{true, false}));
    EXPECT_FALSE(m_host.busy);
    EXPECT_EQ(m_host.finished, 1);
    EXPECT_EQ(Recorder()->OperationsOf(PrintOperation::BeginRun).at(0).text, "labels");
}

TEST_F(LabelRun, TwoLabelsPerRecordAcrossASheetEndAskBetweenTheCopies) {
    AddAddressRecords(2);
    m_options.startRow = 10;
    m_options.startColumn = 3; // one free position
    m_options.labelsPerRecord = 2;
    m_options.stopBetweenSheets = true;
    m_host.decisions = {kNextPage};
    Run();
    const auto labels = Labels();
    ASSERT_EQ(labels.size(), 4u);
    ExpectAt(labels[0], LabelNameOf(1), At5160(9, 2), 1, 1);
    // The finished sheet went to the printer before the question; the second copy starts
    // the next sheet, a document of its own.
    ExpectAt(labels[1], LabelNameOf(1), At5160(0, 0), 2, 1);
    ExpectAt(labels[2], LabelNameOf(2), At5160(1, 0), 2, 1);
    ExpectAt(labels[3], LabelNameOf(2), At5160(2, 0), 2, 1);
    EXPECT_EQ(m_host.asks, 1);
    EXPECT_EQ(Recorder()->EndedDocuments(), 2);
    // Stopping between sheets: no stop button.
    EXPECT_EQ(m_host.stopButton, (std::vector<bool>{false}));
}

TEST_F(LabelRun, LastRecordFillingASheetStillEndsTheSheet) {
    AddAddressRecords(30);
    // Without pauses: a stop request made during the last sheet is honoured at its end even
    // though no record is left, and the document is thrown away.
    m_host.stopAtYield = 30; // after the last record, before the sheet end
    Run();
    EXPECT_EQ(Labels().size(), 30u);
    EXPECT_EQ(Recorder()->KilledDocuments(), 1);
    EXPECT_EQ(Recorder()->EndedDocuments(), 0);
    EXPECT_EQ(m_host.stopButton.back(), false);

    // With pauses: the full sheet is handed over and the question is asked once.
    Recorder()->Clear();
    m_host = ScriptedHost();
    m_options.stopBetweenSheets = true;
    m_host.decisions = {kNextPage};
    Run();
    EXPECT_EQ(m_host.asks, 1);
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
    // Nothing follows: no second, empty page.
    for (const PrintOperation& op : Recorder()->Operations())
        EXPECT_LE(op.page, 1);
}

TEST_F(LabelRun, StopBetweenSheetsWithEachDecision) {
    AddAddressRecords(65); // sheets of 30, 30 and 5
    m_options.stopBetweenSheets = true;

    // Cancel: only the first sheet, which was handed over before the question.
    m_host.decisions = {kCancelPrinting};
    Run();
    EXPECT_EQ(Labels().size(), 30u);
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
    EXPECT_EQ(m_host.finished, 1);
    EXPECT_FALSE(m_host.busy);

    // Next Page every time: one document per sheet.
    Recorder()->Clear();
    m_host = ScriptedHost();
    m_host.decisions = {kNextPage, kNextPage};
    Run();
    auto labels = Labels();
    ASSERT_EQ(labels.size(), 65u);
    // The recorder numbers documents over its life: count from this run's first.
    int first = labels[0].document;
    ExpectAt(labels[30], LabelNameOf(31), At5160(0, 0), first + 1, 1);
    ExpectAt(labels[60], LabelNameOf(61), At5160(0, 0), first + 2, 1);
    EXPECT_EQ(Recorder()->EndedDocuments(), 3);
    EXPECT_EQ(m_host.betweenSheetsCleared, 0);

    // Print All: no further question; the window's check box is cleared and the stop button
    // shown; the rest is one document of two pages.
    Recorder()->Clear();
    m_host = ScriptedHost();
    m_host.decisions = {kPrintAll};
    Run();
    labels = Labels();
    ASSERT_EQ(labels.size(), 65u);
    EXPECT_EQ(m_host.asks, 1);
    EXPECT_EQ(m_host.betweenSheetsCleared, 1);
    EXPECT_EQ(m_host.stopButton, (std::vector<bool>{true, false}));
    first = labels[0].document;
    ExpectAt(labels[30], LabelNameOf(31), At5160(0, 0), first + 1, 1);
    ExpectAt(labels[64], LabelNameOf(65), At5160(4, 0), first + 1, 2);
    EXPECT_EQ(Recorder()->EndedDocuments(), 2);
}

TEST_F(LabelRun, StopPrintingMidSheetFinishesTheSheetThenDiscardsTheDocument) {
    AddAddressRecords(70);
    m_host.stopAtYield = 35; // the fifth record of the second sheet
    Run();
    const auto labels = Labels();
    ASSERT_EQ(labels.size(), 60u); // the second sheet is finished first
    EXPECT_EQ(labels.back().name, LabelNameOf(60));
    EXPECT_EQ(Recorder()->KilledDocuments(), 1);
    EXPECT_EQ(Recorder()->EndedDocuments(), 0);
    EXPECT_EQ(m_host.stopButton, (std::vector<bool>{true, false}));

    // A new run clears an old stop request.
    Recorder()->Clear();
    m_host.stopAtYield = -1;
    m_host.stop = true;
    Run();
    EXPECT_EQ(Labels().size(), 70u);
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
}

TEST_F(LabelRun, RecordsWithNothingToPrintTakeNoPosition) {
    AddAddressRecords(5, [](int i, ListRecord& record) {
        record.Code = i % 2 ? QStringLiteral("K%1").arg(i) : QString();
        if (i == 5) {
            record = ListRecord();
            record.Name = "Name005; First";
        }
    });
    // Layout Code: records 2 and 4 have none.
    m_options.layout = {kCodeElement};
    Run();
    auto texts = Recorder()->OperationsOf(PrintOperation::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "K1");
    EXPECT_EQ(texts[1].text, "K3");
    EXPECT_EQ(texts[1].y, At5160(1, 0).y());

    // Layout Address: the empty fifth record has only a blank place line: no label.
    Recorder()->Clear();
    m_options.layout = {kAddressElement};
    Run();
    texts = Recorder()->OperationsOf(PrintOperation::Text);
    EXPECT_EQ(texts.size(), 8u);     // four records of street and place
    EXPECT_EQ(m_host.yields, 5 + 5); // still a turn after every record
}

TEST_F(LabelRun, AttentionEndorsementInternationalAndTypeSize) {
    AddAddressRecords(1, [](int, ListRecord& record) {
        record.Attention = "Billing";
        record.CarRt = "R004";
        record.Zip = "SW1A 1AA";
    });
    m_options.layout = {kCarrierRouteElement, kNameElement, kAttentionElement, kAddressElement};
    m_options.labelId = AddLabelDefinition("Odd size", 5, 1, 0.25f, 0.1f, 2, 0, 10.5f);
    SetInternational(true);
    Run();
    EXPECT_EQ(Recorder()->Texts(), (QStringList{"R004", "First Name001", "Attn: Billing",
                                                "1 Main St", "Springfield, IL SW1A 1AA"}));
    for (const PrintOperation& text : Recorder()->OperationsOf(PrintOperation::Text)) {
        EXPECT_EQ(text.fontSize, 11); // 10.5 points printed at a whole size
        EXPECT_EQ(text.x, 144);
    }
    EXPECT_EQ(Recorder()->OperationsOf(PrintOperation::Text).at(0).y, 360);

    SetInternational(false);
    Recorder()->Clear();
    m_options.layout = {kAttentionElement, kCarrierRouteElement, kNameElement};
    Run();
    EXPECT_EQ(Recorder()->Texts(),
              (QStringList{"Billing", "*****************CAR-RT**R004", "First Name001"}));
}

TEST_F(LabelRun, BarcodeAboveTheBlockAndTheBlockAlwaysLower) {
    AddAddressRecords(3, [](int i, ListRecord& record) {
        if (i == 1)
            record.Zip = "123456789";
        if (i == 2)
            record.Zip = "000000000"; // no zip: no bars, same gap
        if (i == 3)
            record.Address = "55 RIVER RD";
    });
    m_options.barcode = kZip9Barcode;
    Run();
    auto rects = Recorder()->OperationsOf(PrintOperation::Rect);
    ASSERT_EQ(rects.size(), 52u * 2);
    EXPECT_EQ(rects[0].x, 0);
    EXPECT_EQ(rects[0].y, 720);
    EXPECT_EQ(rects[52].y, 720 + 2 * 1440); // third label
    auto labels = Labels();
    ASSERT_EQ(labels.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(labels[size_t(i)].y, 720 + i * 1440 + 288) << i;

    // Delivery point in preview: the digits as text where the bars would be.
    Recorder()->Clear();
    m_options.barcode = kDeliveryPointBarcode;
    m_options.previewDeliveryPoint = true;
    Run();
    EXPECT_TRUE(Recorder()->OperationsOf(PrintOperation::Rect).empty());
    const QStringList texts = Recorder()->Texts();
    EXPECT_EQ(texts.at(0), "12345-6789 01 4");
    const QRegularExpression preview("^\\d{5}-\\d{4} \\d\\d \\d$");
    EXPECT_EQ(texts.filter(preview).size(), 2) << "no preview for the record without a zip";
    EXPECT_TRUE(texts.contains("62701-0003 55 1"));
    labels = Labels();
    ASSERT_EQ(labels.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(labels[size_t(i)].y, 720 + i * 1440 + 288) << i;
}

TEST_F(LabelRun, NoLabelOrNoRecordsPrintsNothing) {
    AddAddressRecords(1);
    m_options.labelId = 0;
    Run();
    m_dialogs->ExpectMessage("No label description available");
    m_options.labelId = 999;
    Run();
    m_dialogs->ExpectMessage("No label description available");
    EXPECT_TRUE(Recorder()->Operations().empty());
    EXPECT_TRUE(m_host.stopButton.empty());

    MakeList("Empty.mdb");
    m_options.labelId = AddAvery5160();
    Run();
    m_dialogs->ExpectMessage("There are no records to print.");
    EXPECT_TRUE(Recorder()->Operations().empty());
}

TEST_F(LabelRun, LongAndTallBlocksAreCutToTheLabelAndToldOnceAtTheEnd) {
    // 5160 at 10 points: a character is 100 twips and a line 240. A label's text area is
    // 7/8 of 2.8 inches wide (3528 twips: 35 characters). On this printer the sheet is the
    // printable area: its ten rows of an inch stand from 0.5 inch down, so the first
    // label's text area reaches from 0.5 inch to 1/16 inch short of 1.5 inches (1350
    // twips: five lines).
    AddAddressRecords(7, [](int i, ListRecord& record) {
        if (i <= 6)
            record.Address = QStringLiteral("%1 ").arg(i) + QString(40, 'x');
        if (i == 7)
            record.Address = "Unit 1\r\nBlock 2\r\nEstate 4\r\n3 Main St";
    });
    Run();
    const auto texts = Recorder()->OperationsOf(PrintOperation::Text);
    for (const PrintOperation& text : texts) // all in the first column
        EXPECT_LE(text.x + 100 * text.text.size(), 3528) << text.text.toStdString();
    EXPECT_EQ(Recorder()->Texts().at(1), "1 " + QString(33, 'x'));
    // The six-line block of record 7 keeps its first five lines.
    const QStringList last = Recorder()->Texts().mid(Recorder()->Texts().size() - 5);
    EXPECT_EQ(last, QStringList({"First Name007", "Unit 1", "Block 2", "Estate 4", "3 Main St"}));

    EXPECT_EQ(m_dialogs->TakeMessage().text,
              "7 labels were cut to fit: a line longer than the label is wide, more lines than "
              "it holds, or a barcode wider than the label.\nFirst records cut: First Name001; "
              "First Name002; First Name003; First Name004; First Name005.");

    // With the bars, 0.2 inch lower, four lines of that block fit.
    Recorder()->Clear();
    m_options.barcode = kZip9Barcode;
    Run();
    EXPECT_EQ(Recorder()->Texts().last(), "Estate 4");
    EXPECT_TRUE(m_dialogs->TakeMessage().text.startsWith("7 labels were cut"));
}

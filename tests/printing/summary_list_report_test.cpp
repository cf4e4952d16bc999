#include "printing/summary_list_report.h"

#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/label_run_host.h"
#include "printing/printer_values.h"
#include "printing/report_options.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <deque>

namespace {

class SummaryHost : public LabelRunHost {
public:
    bool StopRequested() const override { return stop; }
    void ClearStopRequest() override { stop = false; }
    void Yield() override { ++yields; }
    ContinueDecision AskContinue() override {
        ++asks;
        if (decisions.empty())
            return kCancelPrinting;
        const ContinueDecision decision = decisions.front();
        decisions.pop_front();
        return decision;
    }
    std::deque<ContinueDecision> decisions;
    bool stop = false;
    int yields = 0;
    int asks = 0;
};

// Where the header ends on the recording printer (see the record list's tests).
constexpr double kTop = 1008;

} // namespace

class SummaryListReport : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        MakeList();
        SetPrinterFontName("Arial");
    }

    void Run() {
        ListCore list;
        list.SetCurrentFilter();
        PrintSummaryList(list, m_host, m_options);
        m_texts = Recorder()->OperationsOf(PrintOperation::Text);
    }

    const PrintOperation* Find(const QString& text) const {
        for (const PrintOperation& op : m_texts)
            if (op.text == text)
                return &op;
        return nullptr;
    }

    SummaryHost m_host;
    ReportOptions m_options;
    std::vector<PrintOperation> m_texts;
};

TEST_F(SummaryListReport, ColumnsAreFittedToTheirWidths) {
    AddAddressRecords(3, [](int i, ListRecord& record) {
        if (i == 1) {
            record.Name = "Bartholomew-Fitzgerald; Alexandrin"; // 34 characters
            record.Address = "1 Main St\r\nSuite 200";
            record.Phone = "2175550123";
        } else if (i == 2) {
            record.Name = "Name002; First";
            record.Address = "22 Extraordinarily Long Boulevard of the Northern Prairie Townships";
        } else {
            record.Name = "Name003; First";
            record.Address.clear();
        }
    });
    Run();

    // Column titles under the header, then a blank line.
    const PrintOperation* name = Find("Name");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->x, 0);
    EXPECT_EQ(name->y, kTop);
    EXPECT_EQ(name->fontSize, 10);
    EXPECT_EQ(Find("Address")->x, 3000);
    EXPECT_EQ(Find("Phone Number")->x, 11520 - 12 * 100);
    EXPECT_EQ(Find("Phone Number")->y, kTop);

    // Name cut to 2800 twips (28 characters at 10 points), address as one line.
    const PrintOperation* first = Find("Bartholomew-Fitzgerald; Alex");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->x, 0);
    EXPECT_EQ(first->y, kTop + 480);
    const PrintOperation* address = Find("1 Main St Suite 200  Springfield, IL 62701-0001");
    ASSERT_TRUE(address);
    EXPECT_EQ(address->x, 3000);
    EXPECT_EQ(address->y, first->y);
    const PrintOperation* phone = Find("(217) 555-0123");
    ASSERT_TRUE(phone);
    EXPECT_EQ(phone->x, 11520 - 14 * 100);
    EXPECT_EQ(phone->y, first->y);

    // An address cut to 7000 twips (70 characters); one without address starts at the city.
    const QString longAddress =
        "22 Extraordinarily Long Boulevard of the Northern Prairie Townships  Springfield, IL "
        "62701-0002";
    const PrintOperation* cut = Find(longAddress.left(70));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->y, first->y + 240);
    EXPECT_TRUE(Find("Springfield, IL 62701-0003"));
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
}

TEST_F(SummaryListReport, AFullPageStartsANewOneWithTitles) {
    AddAddressRecords(60); // 58 lines a page
    Run();
    const PrintOperation* last = Find("Name058; First");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->page, 1);
    EXPECT_EQ(last->y, kTop + 480 + 57 * 240);
    const PrintOperation* next = Find("Name059; First");
    ASSERT_TRUE(next);
    EXPECT_EQ(next->page, 2);
    EXPECT_EQ(next->y, kTop + 480);
    EXPECT_EQ(Recorder()->Texts().filter("Phone Number").size(), 2);
    EXPECT_TRUE(Recorder()->Texts().contains("Page   2"));

    // "Cancel" between sheets ends the list after the first page.
    Recorder()->Clear();
    m_options.stopBetweenSheets = true;
    m_host.decisions = {kCancelPrinting};
    Run();
    EXPECT_EQ(m_host.asks, 1);
    EXPECT_TRUE(Find("Name058; First"));
    EXPECT_FALSE(Find("Name059; First"));
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
}

TEST(SummaryAddressText, PartsStayApartWhateverIsMissing) {
    RecordingPrinter printer;
    ListRecord record;
    record.Address = "1 Main St";
    record.City = "Springfield";
    record.State = "IL";
    record.Zip = "627010001";
    EXPECT_EQ(SummaryAddress(printer, record), "1 Main St  Springfield, IL 62701-0001");
    record.Address.clear();
    EXPECT_EQ(SummaryAddress(printer, record), "Springfield, IL 62701-0001");
    record.City.clear();
    EXPECT_EQ(SummaryAddress(printer, record), "IL 62701-0001");
    record.Address = "1 Main St";
    EXPECT_EQ(SummaryAddress(printer, record), "1 Main St  IL 62701-0001");
    record.State.clear();
    record.Zip.clear();
    EXPECT_EQ(SummaryAddress(printer, record), "1 Main St");
}

#include "printing/record_list_report.h"

#include "app/settings.h"
#include "app/switch_names.h"
#include "database/control_core.h"
#include "database/filter_core.h"
#include "database/filter_record.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "filters/build_filter_query.h"
#include "printing/label_run_host.h"
#include "printing/printer_values.h"
#include "printing/report_options.h"
#include "printing/report_pages.h"
#include "printing/report_state.h"
#include "support/label_fixtures.h"
#include "support/printing_test.h"

#include <QRegularExpression>
#include <deque>

namespace {

// Stands in for the list window: answers "Continue Printing?" from a queue and sets the
// stop request at a chosen turn of the user interface.
class ReportHost : public LabelRunHost {
public:
    void ShowStopButton(bool visible) override { stopButton.push_back(visible); }
    void ClearStopRequest() override { stop = false; }
    bool StopRequested() const override { return stop; }
    void ClearStopBetweenSheets() override { ++betweenSheetsCleared; }
    void Yield() override {
        if (++yields == stopAtYield)
            stop = true;
    }
    ContinueDecision AskContinue() override {
        ++asks;
        EXPECT_FALSE(decisions.empty()) << "unexpected Continue Printing?";
        if (decisions.empty())
            return kCancelPrinting;
        const ContinueDecision decision = decisions.front();
        decisions.pop_front();
        return decision;
    }

    std::deque<ContinueDecision> decisions;
    int stopAtYield = -1;
    bool stop = false;
    int yields = 0;
    int asks = 0;
    int betweenSheetsCleared = 0;
    std::vector<bool> stopButton;
};

// The recording printer's metrics: 10 points is 100 twips a character and 240 a line.
// The header ends 1008 twips down the page (12-point title line, list line and filter line
// of 288 each, then half a line under the rule).
constexpr double kTop = 1008;

// Three address lines and notes that wrap onto two lines of the 4500-twip column: ten
// lines reckoned.
void MakeLong(ListRecord& record) {
    record.Address = "1 Main St\r\nSuite 200\r\nBuilding C";
    record.Notes = "Likes to be called before noon on weekdays and never on Sunday.";
}

} // namespace

class RecordListReport : public PrintingTest {
protected:
    void SetUp() override {
        PrintingTest::SetUp();
        MakeList();
        SetPrinterFontName("Arial");
    }

    void Run() {
        ListCore list;
        list.SetCurrentFilter();
        PrintRecordList(list, m_host, m_options);
        m_texts = Recorder()->OperationsOf(PrintOperation::Text);
    }

    // The first text printed by the last run equal to text (at or after the index given).
    const PrintOperation* Find(const QString& text, size_t from = 0) const {
        for (size_t i = from; i < m_texts.size(); ++i)
            if (m_texts[i].text == text)
                return &m_texts[i];
        return nullptr;
    }
    // The texts printed on the line of the first text equal to first, from it on.
    QStringList LineFrom(const QString& first) {
        const PrintOperation* start = Find(first);
        QStringList line;
        if (!start)
            return line;
        for (size_t i = size_t(start - m_texts.data()); i < m_texts.size(); ++i) {
            if (m_texts[i].y != start->y || m_texts[i].page != start->page ||
                m_texts[i].document != start->document)
                break;
            line << m_texts[i].text;
        }
        return line;
    }

    ReportHost m_host;
    ReportOptions m_options;
    std::vector<PrintOperation> m_texts;
};

TEST_F(RecordListReport, PageHeaderNamesTheReportListFilterAndSortOrder) {
    FilterRecord filter;
    filter.FilterName = "Springfield";
    filter.StartCity = filter.EndCity = "Springfield";
    filter.Sequence = 3;
    filter.Query = BuildFilterQuery(filter);
    FilterCore filters;
    ASSERT_TRUE(filters.NewRecord(filter));
    ControlCore().SetCurrentFilter(filters.ID());
    AddAddressRecords(1);
    Run();

    const auto texts = Recorder()->OperationsOf(PrintOperation::Text);
    ASSERT_GE(texts.size(), 6u);
    EXPECT_EQ(texts[0].text, "LETTRINO");
    EXPECT_EQ(texts[0].fontSize, 12);
    EXPECT_EQ(texts[0].fontName, "Arial");
    EXPECT_EQ(texts[0].x, 0);
    EXPECT_EQ(texts[0].y, 0);
    // Date and time of the run's start (the tests' fixed clock and US English) in small
    // type, each 800 twips after what stands before it; at 8 points a character is 80
    // twips wide and a "W" 120.
    EXPECT_EQ(texts[1].text, "Wednesday, December 31, 2031");
    EXPECT_EQ(texts[1].fontSize, 8);
    EXPECT_EQ(texts[1].x, 8 * 120 + 800);
    EXPECT_EQ(texts[2].text, "3:04 pm");
    EXPECT_EQ(texts[2].x, texts[1].x + 27 * 80 + 120 + 800);
    EXPECT_EQ(texts[3].text, "Page   1");
    EXPECT_EQ(texts[3].x, 11520 - 8 * 120);
    EXPECT_EQ(texts[3].y, 0);
    EXPECT_EQ(texts[4].text, "Mailing List: " + CurrentListSetting());
    EXPECT_EQ(texts[4].y, 288);
    EXPECT_EQ(texts[5].text, "Filter: Springfield     ");
    EXPECT_EQ(texts[5].x, 0);
    EXPECT_EQ(texts[5].y, 576);
    EXPECT_EQ(texts[6].text, "Sorted By: Zip Code");
    EXPECT_EQ(texts[6].x, 11520 - 19 * 120);
    EXPECT_EQ(texts[6].y, 576);
    const auto rules = Recorder()->OperationsOf(PrintOperation::Line);
    ASSERT_FALSE(rules.empty());
    EXPECT_EQ(rules[0].lineWidth, 5);
    EXPECT_EQ(rules[0].x, 0);
    EXPECT_EQ(rules[0].x2, 11520);
    EXPECT_EQ(rules[0].y, 864);
    EXPECT_EQ(rules[0].y2, 864);
    // The record starts under the rule at 10 points.
    EXPECT_EQ(texts[7].text, "Name001; First");
    EXPECT_EQ(texts[7].x, 1000);
    EXPECT_EQ(texts[7].y, kTop);
    EXPECT_EQ(texts[7].fontSize, 10);
    EXPECT_EQ(Recorder()->OperationsOf(PrintOperation::BeginRun).at(0).text, "report");
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
    EXPECT_EQ(m_host.stopButton, (std::vector<bool>{true, false}));
}

TEST_F(RecordListReport, PageNumbersTakeThreePlacesAndTheHeaderWithoutFilter) {
    ASSERT_TRUE(BeginReport(*Recorder()));
    ReportPages pages(*Recorder(), m_host, CurrentReportHeading(), false);
    for (int page = 1; page <= 12; ++page)
        ASSERT_TRUE(pages.StartReportPage());
    const QStringList texts = Recorder()->Texts();
    EXPECT_TRUE(texts.contains("Page   9"));
    EXPECT_TRUE(texts.contains("Page  10"));
    EXPECT_TRUE(texts.contains("Page  12"));
    EXPECT_TRUE(texts.contains("No filter     "));
    EXPECT_TRUE(texts.contains("Sorted By: Name"));
    EXPECT_EQ(Recorder()->OperationsOf(PrintOperation::Text).back().page, 12);
}

TEST_F(RecordListReport, RecordsMoveToTheSecondColumnAndThenToANewPage) {
    // Eleven short records (five lines each) fill the first column to 14208 twips; the long
    // twelfth (ten lines reckoned) does not fit below them and starts the second column.
    // There it is followed by ten short ones, and the long 23rd starts page 2 under a fresh
    // header.
    AddAddressRecords(25, [](int i, ListRecord& record) {
        if (i == 12 || i == 23)
            MakeLong(record);
    });
    Run();

    const PrintOperation* eleventh = Find("Name011; First");
    ASSERT_TRUE(eleventh);
    EXPECT_EQ(eleventh->x, 1000);
    EXPECT_EQ(eleventh->y, kTop + 10 * 1200);
    const PrintOperation* twelfth = Find("Name012; First");
    ASSERT_TRUE(twelfth);
    EXPECT_EQ(twelfth->x, 6000);
    EXPECT_EQ(twelfth->y, kTop);
    EXPECT_EQ(twelfth->page, 1);
    // Its address, place, notes under a dotted rule, all in the second column.
    EXPECT_EQ(LineFrom("Building C"), QStringList{"Building C"});
    EXPECT_EQ(Find("Building C")->x, 6000);
    const PrintOperation* notes = Find("Likes to be called before noon on weekdays ");
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->x, 6000);
    EXPECT_TRUE(Find("and never on Sunday."));
    bool dotted = false;
    for (const PrintOperation& line : Recorder()->OperationsOf(PrintOperation::Line))
        if (line.lineStyle == LineStyle::Dotted && line.x == 6000 && line.x2 == 10500)
            dotted = true;
    EXPECT_TRUE(dotted);

    const PrintOperation* twentySecond = Find("Name022; First");
    ASSERT_TRUE(twentySecond);
    EXPECT_EQ(twentySecond->x, 6000);
    EXPECT_EQ(twentySecond->page, 1);
    const PrintOperation* twentyThird = Find("Name023; First");
    ASSERT_TRUE(twentyThird);
    EXPECT_EQ(twentyThird->x, 1000);
    EXPECT_EQ(twentyThird->y, kTop);
    EXPECT_EQ(twentyThird->page, 2);
    const PrintOperation* pageTwo = Find("Page   2");
    ASSERT_TRUE(pageTwo);
    EXPECT_EQ(pageTwo->page, 2);
    EXPECT_EQ(pageTwo->y, 0);
    EXPECT_EQ(Find("Name025; First")->page, 2);
    EXPECT_EQ(Recorder()->EndedDocuments(), 1);
    EXPECT_EQ(m_host.yields, 25);
}

TEST_F(RecordListReport, PrintedItemsAndThePlaceLine) {
    SetSwitchName(1, "Newsletter");
    SetSwitchName(4, "Donor");
    SetSwitchName(8, "Volunteer");
    AddAddressRecords(4, [](int i, ListRecord& record) {
        switch (i) {
        case 1: // every item
            record.CarRt = "C001";
            record.Attention = "Accounts";
            record.Phone = "2175550123";
            record.EMail = "first@example.com";
            record.Code = "VIP";
            record.Switches = "0100100010000000"; // switches 2, 5 and 9
            record.Marked = 1;
            record.Imported = 1;
            record.LastEdit = QDate(2024, 3, 7);
            break;
        case 2: // no place at all; a phone of zeros
            record.City.clear();
            record.State.clear();
            record.Zip = "000000000";
            record.Phone = "0000000000";
            record.Imported = 1;
            break;
        case 3: // a city alone
            record.State.clear();
            record.Zip.clear();
            break;
        case 4: // no name, no address
            record.Name = " ";
            record.Address.clear();
            record.Marked = 1;
            break;
        }
    });
    Run();

    EXPECT_EQ(LineFrom("Springfield, IL 62701-0001"), QStringList{"Springfield, IL 62701-0001"});
    EXPECT_TRUE(Find("Carrier Route: C001"));
    EXPECT_TRUE(Find("Attn: Accounts"));
    EXPECT_TRUE(Find("Phone: (217) 555-0123"));
    EXPECT_TRUE(Find("EMail: first@example.com"));
    EXPECT_TRUE(Find("Code: VIP"));
    // Two switch names to a line, the odd one alone on the next.
    const PrintOperation* pair = Find("<Newsletter> <Donor>");
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->x, 1000);
    const PrintOperation* single = Find("<Volunteer>");
    ASSERT_TRUE(single);
    EXPECT_EQ(single->y, pair->y + 240);
    // Marked and imported on one line, the second part with its two spaces.
    const size_t next = size_t(single - m_texts.data()) + 1;
    ASSERT_LT(next + 1, m_texts.size());
    EXPECT_EQ(m_texts[next].text, "<Marked>");
    EXPECT_EQ(m_texts[next].x, 1000);
    EXPECT_EQ(m_texts[next].y, single->y + 240);
    EXPECT_EQ(m_texts[next + 1].text, "  <Imported>");
    EXPECT_EQ(m_texts[next + 1].x, 1000 + 8 * 100);
    EXPECT_EQ(m_texts[next + 1].y, single->y + 240);
    EXPECT_EQ(Find("Last Edit: Mar 7, 2024")->y, single->y + 480);

    // Record 2: the address is followed straight by the import flag; no phone line.
    const PrintOperation* street2 = Find("2 Main St");
    ASSERT_TRUE(street2);
    const PrintOperation* imported = Find("<Imported>");
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->y, street2->y + 240);
    const QStringList all = Recorder()->Texts();
    EXPECT_EQ(all.filter("Phone:").size(), 1);
    // Record 3: the place line is the city alone, and the line ends after it.
    const PrintOperation* city = Find("Springfield");
    ASSERT_TRUE(city);
    EXPECT_EQ(Find("3 Main St")->y + 240, city->y);
    EXPECT_EQ(LineFrom("Springfield"), QStringList{"Springfield"});
    // Record 4: "<No Name>", no address, its place, its mark.
    const PrintOperation* noName = Find("<No Name>");
    ASSERT_TRUE(noName);
    EXPECT_EQ(Find("Springfield, IL 62701-0004")->y, noName->y + 240);

    // Without "Show Switches" neither names nor marks are printed.
    Recorder()->Clear();
    m_options.showSwitches = false;
    Run();
    EXPECT_FALSE(Find("<Newsletter> <Donor>"));
    EXPECT_FALSE(Find("<Marked>"));
    EXPECT_TRUE(Find("Code: VIP"));
}

TEST_F(RecordListReport, TooLongRecordIsSkippedWithAMessage) {
    AddAddressRecords(3, [](int i, ListRecord& record) {
        if (i == 2)
            record.Notes = QString("word ").repeated(600); // about 67 lines of notes
    });
    Run();
    m_dialogs->ExpectMessage("Record for Name002; First is too long for the page. Skipping.");
    EXPECT_FALSE(Find("Name002; First"));
    const PrintOperation* third = Find("Name003; First");
    ASSERT_TRUE(third);
    EXPECT_EQ(third->y, kTop + 1200);
}

TEST_F(RecordListReport, NoPrinterFontOrNoRecordsPrintsNothing) {
    AddAddressRecords(1);
    SetPrinterFontName(QString());
    Run();
    m_dialogs->ExpectMessage("You must define a printer and a font.");
    EXPECT_TRUE(Recorder()->Operations().empty());
    EXPECT_EQ(m_host.stopButton, (std::vector<bool>{true, false}));
}

TEST_F(RecordListReport, StopBetweenSheetsCancelKeepsThePagesPrinted) {
    AddAddressRecords(60); // 24 a page: three pages
    m_options.stopBetweenSheets = true;
    m_host.decisions = {kNextPage, kCancelPrinting};
    Run();
    EXPECT_EQ(m_host.asks, 2);
    // Each page was a document of its own, handed over before the question.
    EXPECT_EQ(Recorder()->EndedDocuments(), 2);
    EXPECT_EQ(Recorder()->KilledDocuments(), 0);
    EXPECT_TRUE(Find("Name048; First"));
    EXPECT_FALSE(Find("Name049; First"));
    EXPECT_FALSE(Find("Page   3"));
    EXPECT_EQ(Find("Page   2")->document, 2);

    // Print All: no more questions, the choice is cleared in the window, all is printed.
    Recorder()->Clear();
    m_host = ReportHost();
    m_host.decisions = {kPrintAll};
    Run();
    EXPECT_EQ(m_host.asks, 1);
    EXPECT_EQ(m_host.betweenSheetsCleared, 1);
    EXPECT_TRUE(Find("Name060; First"));
    EXPECT_EQ(Find("Page   3")->document, Find("Page   2")->document);
}

TEST_F(RecordListReport, StopRequestThrowsTheDocumentAwayAtTheNextPage) {
    AddAddressRecords(40);
    m_host.stopAtYield = 3;
    Run();
    // The request waits for the page break after record 24.
    EXPECT_TRUE(Find("Name024; First"));
    EXPECT_FALSE(Find("Name025; First"));
    EXPECT_EQ(Recorder()->KilledDocuments(), 1);
    EXPECT_EQ(Recorder()->EndedDocuments(), 0);
}

TEST(RecordLineEstimate, CountsEveryItemAndHalfTheSwitches) {
    RecordingPrinter printer;
    ListRecord record;
    EXPECT_EQ(EstimateRecordLines(printer, record), 3);
    record.Address = "1 Main St\r\nApt 2";
    record.City = "Springfield";
    record.EMail = "a@b.c";
    record.Phone = "0000000000"; // counted, though not printed
    record.Attention = "Me";
    record.Code = "X";
    record.CarRt = "C001";
    record.Imported = 1;
    record.Switches = "1110000000000000"; // three switches: two lines
    record.Notes = "Short note";
    EXPECT_EQ(EstimateRecordLines(printer, record), 3 + 2 + 1 + 2 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1);
}

TEST_F(RecordListReport, LongLinesAreCutToTheirColumnAndToThePage) {
    AddAddressRecords(1, [](int, ListRecord& record) {
        record.Address = "1 Main St\r\n" + QString(70, 'a') + "\r\n" + QString(70, 'b');
        record.EMail = QString(35, 'c');
    });
    // At 100 twips a character, a line of the first column (from 1000) keeps clear of the
    // second (from 6000): at most 49 characters.
    Run();
    for (const PrintOperation& text : m_texts) {
        if (text.y >= kTop) { // below the header
            EXPECT_LE(text.x + 100 * text.text.size(), 5900) << text.text.toStdString();
        }
    }
    EXPECT_TRUE(Find(QString(49, 'a')));
    EXPECT_TRUE(Find(QString(49, 'b')));
    EXPECT_TRUE(Find("EMail: " + QString(35, 'c')));

    // On a printer whose printable area is narrower, the page's edge comes first.
    Recorder()->Clear();
    Recorder()->SetPageSize(5000, 15840);
    Run();
    for (const PrintOperation& text : m_texts) {
        if (text.y >= kTop) {
            EXPECT_LE(text.x + 100 * text.text.size(), 5000) << text.text.toStdString();
        }
    }
    EXPECT_TRUE(Find(QString(40, 'a')));
    EXPECT_TRUE(Find("EMail: " + QString(33, 'c')));
}

TEST_F(RecordListReport, LongListAndFilterNamesInTheHeaderStayOnThePage) {
    RecordingPrinter printer;
    LabelRunHost host;
    ReportHeading heading;
    heading.listName = "/home/office/" + QString(200, 'l') + ".mdb";
    heading.filterPart = "Filter: " + QString(150, 'f');
    heading.sortPart = "Sorted By: Name";
    ReportPages(printer, host, heading, false).StartReportPage();
    // At 12 points a character is 120 twips: the lines end by the right edge, 11520, and
    // the filter part leaves room for five spaces and the sort part.
    const auto texts = printer.OperationsOf(PrintOperation::Text);
    for (const PrintOperation& text : texts)
        EXPECT_LE(text.x + 120 * text.text.size(), 11520) << text.text.toStdString();
    // (The date and time stand in the header only once a report has begun.)
    const QStringList printed = printer.Texts();
    const QStringList list = printed.filter(QRegularExpression("^Mailing List: "));
    ASSERT_EQ(list.size(), 1);
    EXPECT_TRUE(list[0].startsWith("Mailing List: /home/office/lll"));
    EXPECT_EQ(list[0].size(), 96);
    EXPECT_TRUE(printed.contains("Filter: " + QString(68, 'f') + "     "));
    EXPECT_TRUE(printed.contains("Sorted By: Name"));
}

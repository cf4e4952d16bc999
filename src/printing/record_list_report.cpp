#include "printing/record_list_report.h"

#include "app/messages.h"
#include "app/switch_names.h"
#include "app/value_formats.h"
#include "database/current_record.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/address_block.h"
#include "printing/label_run_host.h"
#include "printing/paragraph_layout.h"
#include "printing/printer_object.h"
#include "printing/printers.h"
#include "printing/report_options.h"
#include "printing/report_pages.h"
#include "printing/report_state.h"
#include "printing/report_text.h"

#include <QDate>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kFirstColumn = 1000;
constexpr double kSecondColumn = 6000;
constexpr double kNotesWidth = 4500;
// The room of a line in either column: it keeps clear of the second column, and in the
// second of the page's printable edge.
constexpr double kColumnWidth = kSecondColumn - kFirstColumn - 100;
constexpr double kFontSize = 10;

bool Blank(const QString& text) {
    return text.trimmed().isEmpty();
}

// A zip worth printing: one with a value above 0, or any text in international mode,
// where zips are kept as typed.
bool ZipHasValue(const QString& zip) {
    return International() ? !Blank(zip) : LeadingNumber(zip) > 0;
}

bool PlaceHasText(const ListRecord& record) {
    return !Blank(record.City) || !Blank(record.State) || ZipHasValue(record.Zip);
}

// A stored phone of all zeros is no phone.
bool PhoneHasValue(const QString& phone) {
    return !Blank(phone) && phone.trimmed() != QLatin1String("0000000000");
}

// The numbers (from 0) of the switches set in a switch string.
QList<int> SetSwitches(const QString& switches) {
    QList<int> set;
    for (int i = 0; i < 16 && i < switches.size(); ++i)
        if (switches.at(i) == QLatin1Char('1'))
            set << i;
    return set;
}

class RecordListRun {
public:
    RecordListRun(PrinterObject& printer, LabelRunHost& host, const ReportOptions& options)
        : m_printer(printer), m_host(host), m_options(options),
          m_pages(printer, host, CurrentReportHeading(), options.stopBetweenSheets) {}

    void Run(ListCore& records);

private:
    // Moves to the top of the second column, or of a new page; false when the report is to
    // end.
    bool NextColumn();
    void PrintRecord(const ListRecord& record);
    // Where the lines of the current column end.
    double ColumnRight() const;
    // Prints a line in the column, cut to the column's width, and ends the line.
    void Item(const QString& text);
    void PrintPlaceLine(const ListRecord& record);
    void PrintSwitchNames(const ListRecord& record);

    PrinterObject& m_printer;
    LabelRunHost& m_host;
    const ReportOptions& m_options;
    ReportPages m_pages;
    double m_top = 0;
    double m_x = kFirstColumn;
};

void RecordListRun::Run(ListCore& records) {
    m_pages.StartReportPage();
    m_top = std::floor(m_printer.CurrentY());
    m_printer.SetFontSize(kFontSize);
    m_x = kFirstColumn;
    bool more = records.FirstRecord();
    while (more) {
        m_host.Yield();
        const ListRecord record = CurrentListRecord(records);
        const int lines = EstimateRecordLines(m_printer, record);
        if (!LinesFit(m_printer, lines, 0, m_top)) {
            const QString name = Blank(record.Name) ? QStringLiteral("<No Name>") : record.Name;
            InfoBox("Record for " + name + " is too long for the page. Skipping.");
        } else {
            if (!LinesFit(m_printer, lines) && !NextColumn())
                break;
            PrintRecord(record);
        }
        // A run the printer has declined (its file dialog cancelled) prints nothing more.
        if (m_printer.RunCancelled())
            break;
        more = records.MoveUp();
    }
}

bool RecordListRun::NextColumn() {
    if (m_x == kSecondColumn) {
        if (!m_pages.StartReportPage())
            return false;
        if (m_host.StopRequested()) {
            m_printer.KillDoc();
            return false;
        }
        m_printer.SetFontSize(kFontSize);
        m_x = kFirstColumn;
    } else {
        m_x = kSecondColumn;
    }
    m_printer.SetCurrentY(m_top);
    return true;
}

double RecordListRun::ColumnRight() const {
    return std::min(m_x + kColumnWidth, m_printer.PageWidth());
}

void RecordListRun::Item(const QString& text) {
    PrintAt(m_printer, m_x, CutToWidth(m_printer, text, ColumnRight() - m_x));
    m_printer.Print(QString());
}

void RecordListRun::PrintRecord(const ListRecord& record) {
    Item(Blank(record.Name) ? QStringLiteral("<No Name>") : record.Name);
    if (!Blank(record.Address)) {
        BlockRoom room;
        room.right = ColumnRight();
        const double y =
            PrintLabelBlock(m_printer, m_x, m_printer.CurrentY(), kFontSize, record.Address, room)
                .y;
        m_printer.SetCurrentY(y);
        m_printer.SetCurrentX(0);
    }
    PrintPlaceLine(record);
    if (!Blank(record.CarRt))
        Item("Carrier Route: " + record.CarRt);
    if (!Blank(record.Attention))
        Item("Attn: " + record.Attention);
    if (PhoneHasValue(record.Phone))
        Item("Phone: " + FormatPhone(record.Phone));
    if (!Blank(record.EMail))
        Item("EMail: " + record.EMail);
    if (!Blank(record.Code))
        Item("Code: " + record.Code);
    if (m_options.showSwitches) {
        PrintSwitchNames(record);
        if (record.Marked && record.Imported) {
            PrintAt(m_printer, m_x, QStringLiteral("<Marked>"));
            m_printer.Print(QStringLiteral("  <Imported>"));
        } else if (record.Marked) {
            Item(QStringLiteral("<Marked>"));
        } else if (record.Imported) {
            Item(QStringLiteral("<Imported>"));
        }
    }
    const QString lastEdit = record.LastEdit.isValid()
                                 ? QLocale::c().toString(record.LastEdit, "MMM d, yyyy")
                                 : QString();
    Item("Last Edit: " + lastEdit);
    if (!Blank(record.Notes)) {
        DottedRule(m_printer, m_x, m_x + kNotesWidth);
        PrintParagraph(m_printer, m_x, m_printer.CurrentY(), kNotesWidth, kFontSize, record.Notes,
                       false);
    }
    if (LinesFit(m_printer, 1))
        m_printer.Print(QString());
}

void RecordListRun::PrintPlaceLine(const ListRecord& record) {
    QString place = record.City.trimmed();
    if (!Blank(record.State))
        place += ", " + record.State;
    if (ZipHasValue(record.Zip))
        place += " " + FormatZip(record.Zip);
    if (PlaceHasText(record))
        Item(place);
}

void RecordListRun::PrintSwitchNames(const ListRecord& record) {
    const QList<int> set = SetSwitches(record.Switches);
    for (int i = 0; i < set.size(); i += 2) {
        QString line = "<" + SwitchNames()[size_t(set[i])] + ">";
        if (i + 1 < set.size())
            line += " <" + SwitchNames()[size_t(set[i + 1])] + ">";
        Item(line);
    }
}

} // namespace

int EstimateRecordLines(PrinterObject& printer, const ListRecord& record) {
    int lines = 3;
    lines += (int(SetSwitches(record.Switches).size()) + 1) / 2;
    lines += CountParagraphLines(printer, kNotesWidth, kFontSize, record.Notes, false);
    lines += CountLines(record.Address);
    const bool items[] = {!Blank(record.Notes),     PlaceHasText(record),
                          !Blank(record.EMail),     !Blank(record.Phone),
                          !Blank(record.Attention), !Blank(record.Code),
                          !Blank(record.CarRt),     record.Marked != 0 || record.Imported != 0};
    for (bool item : items)
        lines += item ? 1 : 0;
    return lines;
}

void PrintRecordList(ListCore& records, LabelRunHost& host, const ReportOptions& options) {
    host.ClearStopRequest();
    host.ShowStopButton(true);
    PrinterObject& printer = options.printer ? *options.printer : Printers::Current();
    if (records.Records() > 0 && BeginReport(printer)) {
        host.SetBusy(true);
        RecordListRun(printer, host, options).Run(records);
        printer.EndDoc();
        host.SetBusy(false);
    }
    host.ShowStopButton(false);
}

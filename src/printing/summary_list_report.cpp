#include "printing/summary_list_report.h"

#include "app/value_formats.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/label_run_host.h"
#include "printing/printer_object.h"
#include "printing/printers.h"
#include "printing/report_options.h"
#include "printing/report_pages.h"
#include "printing/report_state.h"
#include "printing/report_text.h"

namespace {

constexpr double kAddressColumn = 3000;
constexpr double kNameWidth = 2800;
constexpr double kAddressWidth = 7000;
constexpr double kFontSize = 10;

// The fields the summary reads (the whole record is not needed for one line).
ListRecord SummaryRecord(const ListCore& records) {
    ListRecord record;
    record.Name = records.Name();
    record.Address = records.Address();
    record.City = records.City();
    record.State = records.State();
    record.Zip = records.Zip();
    record.Phone = records.Phone();
    return record;
}

// A new page with the header and the column titles; false when the user cancelled.
bool SummaryPage(PrinterObject& printer, ReportPages& pages) {
    if (!pages.StartReportPage())
        return false;
    printer.SetFontSize(kFontSize);
    PrintAt(printer, 0, QStringLiteral("Name"));
    PrintAt(printer, kAddressColumn, QStringLiteral("Address"));
    PrintRightAligned(printer, ReportPages::kRightEdge, QStringLiteral("Phone Number"));
    printer.Print(QString());
    printer.Print(QString());
    return true;
}

void Run(PrinterObject& printer, ListCore& records, LabelRunHost& host,
         const ReportOptions& options) {
    ReportPages pages(printer, host, CurrentReportHeading(), options.stopBetweenSheets);
    SummaryPage(printer, pages);
    bool more = records.FirstRecord();
    while (more) {
        if (!LinesFit(printer, 1)) {
            SummaryPage(printer, pages);
            host.Yield();
            if (host.StopRequested() || pages.Cancelled()) {
                printer.KillDoc();
                return;
            }
        }
        const ListRecord record = SummaryRecord(records);
        PrintAt(printer, 0, FitToWidth(printer, record.Name, kNameWidth));
        PrintAt(printer, kAddressColumn, SummaryAddress(printer, record));
        PrintRightAligned(printer, ReportPages::kRightEdge, FormatPhone(record.Phone));
        printer.Print(QString());
        if (printer.RunCancelled())
            return;
        host.Yield();
        more = records.MoveUp();
    }
}

} // namespace

QString SummaryAddress(const PrinterObject& printer, const ListRecord& record) {
    QString text = JoinLines(record.Address) + QStringLiteral("  ") + record.City.trimmed();
    // The comma stands between city and state only when both are there, so that neither
    // runs into the other nor is a comma left standing alone.
    if (!record.City.trimmed().isEmpty() && !record.State.trimmed().isEmpty())
        text += QStringLiteral(", ");
    text += record.State.trimmed() + QLatin1Char(' ') + FormatZip(record.Zip);
    return FitToWidth(printer, text, kAddressWidth);
}

void PrintSummaryList(ListCore& records, LabelRunHost& host, const ReportOptions& options) {
    host.ClearStopRequest();
    host.ShowStopButton(true);
    PrinterObject& printer = options.printer ? *options.printer : Printers::Current();
    if (records.Records() > 0 && BeginReport(printer)) {
        host.SetBusy(true);
        Run(printer, records, host, options);
        printer.EndDoc();
        host.SetBusy(false);
    }
    host.ShowStopButton(false);
}

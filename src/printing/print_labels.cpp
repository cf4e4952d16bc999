#include "printing/print_labels.h"

#include "app/messages.h"
#include "database/label_core.h"
#include "database/label_record.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/address_block.h"
#include "printing/barcode_drawing.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/label_sheet.h"
#include "printing/printer_object.h"
#include "printing/printer_values.h"
#include "printing/printers.h"

#include <algorithm>

namespace {

// The block starts this much lower under a bar code (0.2 inch).
constexpr double kBarcodeAllowance = 288;

// Reads the label definition with that ID; false when there is none.
bool ReadLabel(qint64 id, LabelRecord& label) {
    if (id <= 0)
        return false;
    LabelCore labels;
    if (labels.Records() == 0 || !labels.FirstRecord())
        return false;
    do {
        if (labels.ID() == id) {
            label.LName = labels.LName();
            label.LRows = labels.LRows();
            label.LCols = labels.LCols();
            label.IndentTop = labels.IndentTop();
            label.IndentLeft = labels.IndentLeft();
            label.RowDelta = labels.RowDelta();
            label.ColDelta = labels.ColDelta();
            label.LTypeSize = labels.LTypeSize();
            return true;
        }
    } while (labels.MoveUp());
    return false;
}

// The fields of the current record that a label prints.
ListRecord ReadRecord(const ListCore& records) {
    ListRecord record;
    record.Name = records.Name();
    record.Address = records.Address();
    record.City = records.City();
    record.State = records.State();
    record.Zip = records.Zip();
    record.Attention = records.Attention();
    record.Code = records.Code();
    record.CarRt = records.CarRt();
    return record;
}

// One run through the record set.
class LabelRun {
public:
    LabelRun(const LabelRunOptions& options, const LabelRecord& label, ListCore& records,
             LabelRunHost& host, PrinterObject& printer)
        : m_options(options), m_label(label), m_sheet(label), m_records(records), m_host(host),
          m_printer(printer), m_stopBetweenSheets(options.stopBetweenSheets),
          m_attentionPrefixed(AttentionPrefixed(options.layout)),
          m_row(std::clamp(options.startRow, 1, m_sheet.Rows()) - 1),
          m_column(std::clamp(options.startColumn, 1, m_sheet.Columns()) - 1) {}

    void Run();

private:
    // Prints one label of the record; false when the run is to end.
    bool PrintLabel(const ListRecord& record, const QString& block);
    void DrawBarcodeOf(const ListRecord& record, double x, double y);
    // The step after the last position of a sheet; false when the run is to end.
    bool SheetEnd();

    const LabelRunOptions& m_options;
    const LabelRecord& m_label;
    const LabelSheet m_sheet;
    ListCore& m_records;
    LabelRunHost& m_host;
    PrinterObject& m_printer;
    bool m_stopBetweenSheets;
    const bool m_attentionPrefixed;
    int m_row;
    int m_column;
};

void LabelRun::Run() {
    m_host.SetBusy(true);
    bool going = m_records.FirstRecord();
    while (going) {
        const ListRecord record = ReadRecord(m_records);
        const QString block = ComposeAddressBlock(record, m_options.layout, m_attentionPrefixed);
        if (BlockHasText(block)) {
            const int copies = std::max(m_options.labelsPerRecord, 1);
            for (int copy = 0; copy < copies && going; ++copy)
                going = PrintLabel(record, block);
        }
        // A run the printer has declined (its file dialog cancelled) prints nothing more.
        if (m_printer.RunCancelled())
            going = false;
        m_host.Yield();
        going = going && m_records.MoveUp();
    }
    m_host.ShowStopButton(false);
    m_host.RunFinished();
    m_printer.EndDoc();
    m_host.SetBusy(false);
}

bool LabelRun::PrintLabel(const ListRecord& record, const QString& block) {
    const QPoint position = m_sheet.Position(m_row, m_column);
    double y = position.y();
    if (m_options.barcode != kNoBarcode) {
        DrawBarcodeOf(record, position.x(), y);
        y += kBarcodeAllowance;
    }
    PrintLabelBlock(m_printer, position.x(), y, m_label.LTypeSize, block);
    if (++m_row < m_sheet.Rows())
        return true;
    m_row = 0;
    if (++m_column < m_sheet.Columns())
        return true;
    return SheetEnd();
}

void LabelRun::DrawBarcodeOf(const ListRecord& record, double x, double y) {
    switch (m_options.barcode) {
    case kZip5Barcode:
        DrawZip5Barcode(m_printer, record.Zip, x, y);
        break;
    case kZip9Barcode:
        DrawZip9Barcode(m_printer, record.Zip, x, y);
        break;
    case kDeliveryPointBarcode:
        DrawDeliveryPointBarcode(m_printer, record.Zip, record.Address, m_records.DPOverride(), x,
                                 y, m_options.previewDeliveryPoint);
        break;
    default:
        break;
    }
}

bool LabelRun::SheetEnd() {
    if (m_stopBetweenSheets)
        m_printer.EndDoc(); // the finished sheet prints while the user loads the next
    else
        m_printer.NewPage();
    m_host.Yield();
    m_column = 0;
    if (m_stopBetweenSheets) {
        m_host.SetBusy(false);
        switch (m_host.AskContinue()) {
        case kCancelPrinting:
            return false;
        case kPrintAll:
            m_host.ClearStopBetweenSheets();
            m_stopBetweenSheets = false;
            m_host.ShowStopButton(true);
            break;
        case kNextPage:
            break;
        }
        m_host.SetBusy(true);
        return true;
    }
    if (m_host.StopRequested()) {
        m_printer.KillDoc();
        return false;
    }
    return true;
}

} // namespace

void PrintLabels(const LabelRunOptions& options, ListCore& records, LabelRunHost& host) {
    LabelRecord label;
    if (!ReadLabel(options.labelId, label) || !LabelSheet(label).Usable()) {
        InfoBox(QStringLiteral("No label description available"));
        return;
    }
    if (records.Records() == 0) {
        InfoBox(QStringLiteral("There are no records to print."));
        return;
    }
    host.ClearStopRequest();
    if (!options.stopBetweenSheets)
        host.ShowStopButton(true);

    PrinterObject& printer = Printers::Current();
    printer.BeginRun(QStringLiteral("labels"));
    SetupPrinterFont(printer);
    printer.SetFontSize(label.LTypeSize);
    LabelRun(options, label, records, host, printer).Run();
}

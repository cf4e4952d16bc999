#include "printing/print_labels.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/value_formats.h"
#include "database/label_core.h"
#include "database/label_record.h"
#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/address_block.h"
#include "printing/barcode_drawing.h"
#include "printing/intelligent_mail_drawing.h"
#include "printing/intelligent_mail_labels.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/label_sheet.h"
#include "printing/printer_object.h"
#include "printing/printer_values.h"
#include "printing/printers.h"

#include <algorithm>
#include <optional>

namespace {

// The block starts this much lower under a bar code (0.2 inch).
constexpr double kBarcodeAllowance = 288;
// How many records the message about cut labels names.
constexpr int kCutRecordsNamed = 5;

} // namespace

LabelRecord CurrentLabelRecord(const LabelCore& labels) {
    LabelRecord label;
    label.LName = labels.LName();
    label.LRows = labels.LRows();
    label.LCols = labels.LCols();
    label.IndentTop = labels.IndentTop();
    label.IndentLeft = labels.IndentLeft();
    label.RowDelta = labels.RowDelta();
    label.ColDelta = labels.ColDelta();
    label.LTypeSize = labels.LTypeSize();
    return label;
}

bool ReadLabelDefinition(qint64 id, LabelRecord& label) {
    if (id <= 0)
        return false;
    LabelCore labels;
    if (labels.Records() == 0 || !labels.FirstRecord())
        return false;
    do {
        if (labels.ID() == id) {
            label = CurrentLabelRecord(labels);
            return true;
        }
    } while (labels.MoveUp());
    return false;
}

namespace {

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

// How a message names a record: its name as a label prints it, else its street address.
QString RecordCalled(const ListRecord& record) {
    const QString name = ReverseName(record.Name, true).trimmed();
    return name.isEmpty() ? StripTrailingLineBreak(record.Address).simplified() : name;
}

// Makes the Intelligent Mail barcode of every label of the run once before anything is
// printed, so that a record whose barcode cannot be made stops the run before its first
// label rather than in its middle. A run that would pass the largest serial number (and
// so repeat numbers used before) goes ahead only when the user says so.
bool CheckIntelligentMailRun(const LabelRunOptions& options, ListCore& records,
                             const IntelligentMailSettings& settings, bool askOnWrap) {
    IntelligentMailLabels labels(settings);
    const bool attentionPrefixed = AttentionPrefixed(options.layout);
    const int copies = std::max(options.labelsPerRecord, 1);
    for (bool going = records.FirstRecord(); going; going = records.MoveUp()) {
        const ListRecord record = ReadRecord(records);
        if (!BlockHasText(ComposeAddressBlock(record, options.layout, attentionPrefixed)))
            continue;
        const QString dpOverride = records.DPOverride();
        for (int copy = 0; copy < copies; ++copy) {
            ImbBars bars;
            QString error;
            if (!labels.Next(record.Zip, record.Address, dpOverride, bars, error)) {
                InfoBox(QStringLiteral("The Intelligent Mail barcode of the record \"%1\" (zip "
                                       "\"%2\") cannot be made: %3.\nNo labels were printed.")
                            .arg(RecordCalled(record), record.Zip, error));
                return false;
            }
        }
    }
    if (!labels.Wrapped() || !askOnWrap)
        return true;
    return Dialogs::Current().AskYesNo(
        QStringLiteral("The serial numbers of the Intelligent Mail barcodes reach the largest, "
                       "%1, in this run and start again at 0, so labels may repeat the "
                       "numbers of earlier mailings.\nPrint the labels anyway?")
            .arg(labels.LargestSerial()),
        ApplicationTitle(), MessageIcon::Warning);
}

// One run through the record set.
class LabelRun {
public:
    LabelRun(const LabelRunOptions& options, const LabelRecord& label, ListCore& records,
             LabelRunHost& host, PrinterObject& printer, IntelligentMailLabels* imb)
        : m_options(options), m_label(label), m_sheet(label), m_records(records), m_host(host),
          m_printer(printer), m_imb(imb), m_stopBetweenSheets(options.stopBetweenSheets),
          m_attentionPrefixed(AttentionPrefixed(options.layout)),
          m_row(std::clamp(options.startRow, 1, m_sheet.Rows()) - 1),
          m_column(std::clamp(options.startColumn, 1, m_sheet.Columns()) - 1) {}

    void Run();

private:
    // Prints one label of the record; false when the run is to end.
    bool PrintLabel(const ListRecord& record, const QString& block);
    // Draws the record's barcode; returns its width.
    double DrawBarcodeOf(const ListRecord& record, double x, double y);
    void NoteCut(const ListRecord& record);
    // What the user is told of the labels cut to fit; empty when none was.
    QString CutMessage() const;
    // The step after the last position of a sheet; false when the run is to end.
    bool SheetEnd();

    const LabelRunOptions& m_options;
    const LabelRecord& m_label;
    const LabelSheet m_sheet;
    ListCore& m_records;
    LabelRunHost& m_host;
    PrinterObject& m_printer;
    IntelligentMailLabels* m_imb; // the Intelligent Mail barcodes; null for other choices
    bool m_stopBetweenSheets;
    const bool m_attentionPrefixed;
    int m_row;
    int m_column;
    bool m_discarded = false; // the run was stopped and its document thrown away
    int m_cutLabels = 0;
    QStringList m_cutRecords; // the first few records cut, as messages name them
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
    const QString cut = CutMessage();
    if (!cut.isEmpty() && !m_discarded && !m_printer.RunCancelled())
        m_host.Notify(cut);
}

bool LabelRun::PrintLabel(const ListRecord& record, const QString& block) {
    const QPoint position = m_sheet.Position(m_row, m_column);
    const QRectF area = m_sheet.TextArea(m_row, m_column, m_printer);
    double y = position.y();
    bool cut = false;
    if (m_options.barcode != kNoBarcode) {
        // A barcode wider than the label still starts at its left edge.
        cut = DrawBarcodeOf(record, position.x(), y) > area.right() - position.x();
        y += kBarcodeAllowance;
    }
    const BlockRoom room{area.right(), area.bottom()};
    cut = PrintLabelBlock(m_printer, position.x(), y, m_label.LTypeSize, block, room).cut || cut;
    if (cut)
        NoteCut(record);
    if (++m_row < m_sheet.Rows())
        return true;
    m_row = 0;
    if (++m_column < m_sheet.Columns())
        return true;
    return SheetEnd();
}

double LabelRun::DrawBarcodeOf(const ListRecord& record, double x, double y) {
    switch (m_options.barcode) {
    case kZip5Barcode:
        return DrawZip5Barcode(m_printer, record.Zip, x, y);
    case kZip9Barcode:
        return DrawZip9Barcode(m_printer, record.Zip, x, y);
    case kDeliveryPointBarcode:
        return DrawDeliveryPointBarcode(m_printer, record.Zip, record.Address,
                                        m_records.DPOverride(), x, y,
                                        m_options.previewDeliveryPoint);
    case kIntelligentMailBarcode:
        if (m_imb) {
            ImbBars bars;
            QString error; // every label's barcode was made once before the run
            if (m_imb->Next(record.Zip, record.Address, m_records.DPOverride(), bars, error))
                return DrawIntelligentMailBars(m_printer, bars, x, y);
        }
        return 0;
    default:
        return 0;
    }
}

void LabelRun::NoteCut(const ListRecord& record) {
    ++m_cutLabels;
    const QString called = RecordCalled(record);
    if (m_cutRecords.size() < kCutRecordsNamed && !m_cutRecords.contains(called))
        m_cutRecords << called;
}

QString LabelRun::CutMessage() const {
    if (m_cutLabels == 0)
        return QString();
    const QString what = m_cutLabels == 1 ? QStringLiteral("1 label was")
                                          : QStringLiteral("%1 labels were").arg(m_cutLabels);
    return QStringLiteral("%1 cut to fit: a line longer than the label is wide, more lines than "
                          "it holds, or a barcode wider than the label.\nFirst records cut: %2.")
        .arg(what, m_cutRecords.join(QStringLiteral("; ")));
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
        m_discarded = true;
        return false;
    }
    return true;
}

} // namespace

void PrintLabels(const LabelRunOptions& options, ListCore& records, LabelRunHost& host) {
    PrintLabels(options, records, host, Printers::Current());
}

void PrintLabels(const LabelRunOptions& options, ListCore& records, LabelRunHost& host,
                 PrinterObject& printer) {
    LabelRecord label;
    if (options.definition)
        label = *options.definition;
    else if (!ReadLabelDefinition(options.labelId, label))
        label = LabelRecord();
    if (!LabelSheet(label).Usable()) {
        InfoBox(QStringLiteral("No label description available"));
        return;
    }
    if (records.Records() == 0) {
        InfoBox(QStringLiteral("There are no records to print."));
        return;
    }
    std::optional<IntelligentMailLabels> imb;
    if (options.barcode == kIntelligentMailBarcode) {
        const IntelligentMailSettings settings = ReadIntelligentMailSettings();
        const QString problem = CheckIntelligentMailSettings(settings);
        if (!problem.isEmpty()) {
            InfoBox(problem + QStringLiteral("\nEnter it in the Intelligent Mail Settings window "
                                             "of the label window; no labels were printed."));
            return;
        }
        if (!CheckIntelligentMailRun(options, records, settings, !printer.ForScreen()))
            return;
        imb.emplace(settings);
    }
    host.ClearStopRequest();
    if (!options.stopBetweenSheets)
        host.ShowStopButton(true);

    printer.BeginRun(QStringLiteral("labels"));
    SetupPrinterFont(printer);
    printer.SetFontSize(label.LTypeSize);
    LabelRun(options, label, records, host, printer, imb ? &*imb : nullptr).Run();
    // The next run goes on where this one stopped, so that no two labels share a number;
    // a run the printer declined printed nothing and used none, and neither did a preview.
    if (imb && !printer.RunCancelled() && !printer.ForScreen())
        SaveNextImbSerial(imb->NextSerial());
}

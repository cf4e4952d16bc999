#include "cli/print_commands.h"

#include "app/dialogs.h"
#include "app/messages.h"
#include "app/value_formats.h"
#include "cli/command_line.h"
#include "cli/command_support.h"
#include "cli/pdf_output.h"
#include "cli/settings_commands.h"
#include "database/control_core.h"
#include "database/engine_error.h"
#include "database/label_core.h"
#include "database/list_core.h"
#include "printing/address_block.h"
#include "printing/label_choice.h"
#include "printing/label_product.h"
#include "printing/label_recount.h"
#include "printing/label_run_host.h"
#include "printing/label_run_options.h"
#include "printing/print_labels.h"
#include "printing/printer_values.h"
#include "printing/printers.h"
#include "printing/record_list_report.h"
#include "printing/record_text_file.h"
#include "printing/report_options.h"
#include "printing/summary_list_report.h"
#include "printing/text_file_failure.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <functional>

namespace {

// The title of the PDF printer's file dialog, under which replacing a file is asked.
QString PdfDialogTitle() {
    return QStringLiteral("Print to PDF File");
}

int BarcodeFromName(const QString& name) {
    if (name == QLatin1String("zip5"))
        return kZip5Barcode;
    if (name == QLatin1String("zip9"))
        return kZip9Barcode;
    if (name == QLatin1String("dp"))
        return kDeliveryPointBarcode;
    if (name == QLatin1String("imb"))
        return kIntelligentMailBarcode;
    return kNoBarcode;
}

// A start position as the label window's boxes read it: the leading number, at least 1.
int StartPosition(const CommandLine& line, const char* option) {
    if (!line.HasValue(option))
        return 1;
    return int(std::clamp<qint64>(LeadingNumber(line.Value(option)), 1, 999));
}

// The label layout named (compared without regard to case, an exact match first); 0 with
// the names there are told when there is none.
qint64 NamedLabel(const std::vector<LabelChoice>& choices, const QString& name) {
    QStringList names;
    for (const LabelChoice& choice : choices)
        names << choice.name;
    const QString chosen =
        ChooseNamed(names, name, QStringLiteral("label layout"), QStringLiteral("layouts"));
    for (const LabelChoice& choice : choices)
        if (!chosen.isEmpty() && choice.name == chosen)
            return choice.id;
    return 0;
}

// The host of a run without a window: nothing to show, every sheet printed, and what the
// run tells at its end (labels cut to fit) on standard error, which is no failure.
class ToolRunHost : public LabelRunHost {
public:
    void Notify(const QString& text) override { ToolMessage(ConsoleDialogs::OneLine(text)); }
};

// Prints to the PDF file at path and tells the files written; a failure when nothing was
// written or the printing told of a problem (the engines tell every reason they print
// nothing, or leave something out, in a message).
int PrintToPdf(const QString& path, const std::function<void(LabelRunHost&)>& print) {
    const int messagesBefore = MessagesShown();
    PdfOutput output(path);
    ToolRunHost host;
    print(host);
    const QStringList written = output.WrittenFiles();
    if (written.isEmpty() || MessagesShown() != messagesBefore)
        return kExitFailed;
    for (const QString& file : written)
        PrintResult(file);
    return kExitDone;
}

// The address block's elements: --layout, or the layout the window starts from.
bool ReadLayout(const CommandLine& line, std::vector<int>& layout, QString& error) {
    layout = DefaultLabelLayout();
    if (!line.HasValue("layout"))
        return true;
    QList<int> available;
    for (int code : AvailableLabelElements(International()))
        available << code;
    QList<int> items;
    if (!ReadItemList(line.Value("layout"), available, &LabelElementCaption, items, error))
        return false;
    layout.assign(items.begin(), items.end());
    return true;
}

} // namespace

int CheckLabelOptions(const CommandLine& line) {
    if (line.HasValue("label") && line.HasValue("product"))
        return UsageError(line.Command(), "--label and --product can't go together");
    std::vector<int> layout;
    QString error;
    if (!ReadLayout(line, layout, error))
        return UsageError(line.Command(), "--layout: " + error);
    if (line.Flag("preview-dp") && BarcodeFromName(line.Value("barcode")) != kDeliveryPointBarcode)
        return UsageError(line.Command(), "--preview-dp goes with --barcode dp");
    return kExitDone;
}

int RunLabels(const CommandLine& line) {
    LabelRunOptions options;
    QString error;
    if (!ReadLayout(line, options.layout, error))
        return UsageError(line.Command(), "--layout: " + error);
    options.barcode = BarcodeFromName(line.Value("barcode"));
    options.previewDeliveryPoint = line.Flag("preview-dp");
    if (options.barcode != kNoBarcode && International()) {
        ToolMessage("bar codes are not offered in international mode");
        return kExitFailed;
    }
    if (line.HasValue("filter") && !ChooseFilter(line.Value("filter")))
        return kExitFailed;

    // A label product prints with its own geometry; no layout is chosen or saved.
    const std::vector<LabelProduct> products =
        line.HasValue("product") ? LabelProducts() : std::vector<LabelProduct>();
    const LabelProduct* product = nullptr;
    if (line.HasValue("product")) {
        product = FindLabelProduct(products, line.Value("product"));
        if (!product) {
            ToolMessage(QStringLiteral("there is no label product named \"%1\"; \"lettrino-cli "
                                       "products SEARCH\" lists them")
                            .arg(line.Value("product")));
            return kExitFailed;
        }
    }

    ControlCore control;
    LabelCore labels;
    const std::vector<LabelChoice> choices = ReadLabelChoices(labels);
    if (!product && choices.empty()) {
        InfoBox(QStringLiteral("You must define a label before you can print"));
        return kExitFailed;
    }
    options.labelId = OpeningLabel(choices, control.CurrentLabel());
    if (line.HasValue("label")) {
        options.labelId = NamedLabel(choices, line.Value("label"));
        if (options.labelId == 0)
            return kExitFailed;
        // Choosing a layout in the label window makes it the list's current one.
        control.SetCurrentLabel(options.labelId);
    }

    ListCore list;
    list.SetCurrentFilter();
    const qint64 records = list.Records();
    options.startRow = StartPosition(line, "row");
    options.startColumn = StartPosition(line, "col");
    if (records > 0) {
        labels.SetID(options.labelId);
        const int rows = product ? product->rows : int(labels.LRows());
        const int columns = product ? product->columns : int(labels.LCols());
        LabelRecount count = RecountLabels(records, rows, columns, options.startRow,
                                           options.startColumn, false, false);
        if (line.Flag("fill-page")) {
            if (!count.fillPageEnabled) {
                ToolMessage("--fill-page is offered only when every record fits on the first "
                            "sheet at least twice");
                return kExitFailed;
            }
            count = RecountLabels(records, rows, columns, options.startRow, options.startColumn,
                                  true, true);
        }
        options.startRow = count.startRow;
        options.startColumn = count.startColumn;
        options.labelsPerRecord = count.labelsPerRecord;
    }

    const QString path = QFileInfo(line.Arguments().first()).absoluteFilePath();
    if (!MayReplace(path, PdfDialogTitle()))
        return kExitFailed;
    return PrintToPdf(path, [&](LabelRunHost& host) {
        // Measured from the printable area of the printer the labels go to.
        if (product)
            options.definition = LabelFromProduct(*product, Printers::Current());
        PrintLabels(options, list, host);
    });
}

int RunReport(const CommandLine& line) {
    if (line.HasValue("filter") && !ChooseFilter(line.Value("filter")))
        return kExitFailed;
    ListCore list;
    list.SetCurrentFilter();
    const QString path = QFileInfo(line.Arguments().first()).absoluteFilePath();
    const QString kind = line.Value("kind");
    if (kind == QLatin1String("text")) {
        if (list.Records() < 1) {
            ToolMessage("the current filter selects no records; nothing was written");
            return kExitFailed;
        }
        if (!MayReplace(path, QStringLiteral("Print Record List")))
            return kExitFailed;
        try {
            PrintResult(QStringLiteral("records: %1").arg(WriteRecordTextFile(path, list)));
        } catch (const EngineError& error) {
            InfoBox(TextFileFailure(error, path));
            return kExitFailed;
        }
        return kExitDone;
    }
    QString font;
    if (line.HasValue("font")) {
        font = ChooseNamed(PdfFonts(), line.Value("font").trimmed(), QStringLiteral("font"));
        if (font.isEmpty())
            return kExitFailed;
    }
    if (!MayReplace(path, PdfDialogTitle()))
        return kExitFailed;
    ReportOptions options;
    options.showSwitches = !line.Flag("no-switches");
    const auto report = kind == QLatin1String("records") ? &PrintRecordList : &PrintSummaryList;
    return PrintToPdf(path, [&](LabelRunHost& host) {
        // The font of this run only: the stored one comes back with the next run.
        if (!font.isEmpty())
            SetPrinterFontName(font);
        report(list, host, options);
    });
}

int RunProducts(const CommandLine& line) {
    const std::vector<LabelProduct> found =
        FindLabelProducts(LabelProducts(), line.Arguments().join(QLatin1Char(' ')));
    for (const LabelProduct& product : found)
        PrintResult(QStringList{product.Name(), product.description, product.SizeText(),
                                QString::number(product.LabelsPerSheet()), product.paper}
                        .join(QLatin1Char('\t')));
    if (found.empty()) {
        ToolMessage("no label product matches");
        return kExitFailed;
    }
    return kExitDone;
}

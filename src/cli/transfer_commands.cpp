#include "cli/transfer_commands.h"

#include "app/clock.h"
#include "app/messages.h"
#include "cli/command_line.h"
#include "cli/command_support.h"
#include "database/engine_error.h"
#include "database/list_record.h"
#include "database/new_list_path.h"
#include "filters/export_failure_text.h"
#include "filters/import_export.h"
#include "filters/transfer_items.h"

#include <QDate>
#include <QFileInfo>
#include <algorithm>

namespace {

// The title of the window whose work these commands do.
QString WindowTitle() {
    return QStringLiteral("Import/Export Text Files");
}

// The items of a line: --fields, or the fifteen standard items the window starts with.
bool ReadFields(const CommandLine& line, QList<int>& fields, QString& error) {
    fields = StandardTransferItems();
    if (!line.HasValue("fields"))
        return true;
    return ReadItemList(line.Value("fields"), StandardTransferItems() + ExtraTransferItems(),
                        &TransferItemCaption, fields, error);
}

Delimiter ChosenDelimiter(const CommandLine& line) {
    if (line.Flag("csv"))
        return Delimiter::Csv;
    return line.Flag("tab") ? Delimiter::Tab : Delimiter::QuoteComma;
}

char CsvDelimiter(const CommandLine& line) {
    const QString name = line.Value("delimiter");
    return name == "semicolon" ? ';' : name == "tab" ? '\t' : name == "comma" ? ',' : 0;
}

// A value on one line: its line breaks shown as " / ".
QString OneLine(QString value) {
    return value.replace(QLatin1String("\r\n"), QLatin1String(" / "));
}

// What the import would do: the form read, the items of the columns and the first records
// as they would be stored.
int PrintPlan(const QString& path, const ImportOptions& options) {
    const ImportPlan plan = PlanImport(path, options);
    if (!plan.readable) {
        InfoBox(QFileInfo::exists(path) ? NotTextMessage(path)
                                        : "Couldn't read the file. Reason unknown.\n" + path);
        return kExitFailed;
    }
    if (options.delimiter == Delimiter::Csv) {
        const QString delimiter = plan.csvDelimiter == ';'    ? QStringLiteral("semicolon")
                                  : plan.csvDelimiter == '\t' ? QStringLiteral("tab")
                                                              : QStringLiteral("comma");
        PrintResult("delimiter: " + delimiter);
        PrintResult(QStringLiteral("header: %1").arg(plan.header ? "yes" : "no"));
    }
    PrintResult("columns:");
    for (int column = 0; column < std::max<int>(plan.columns, plan.fields.size()); ++column) {
        const QString heading =
            column < plan.headings.size() ? plan.headings.at(column) : QString();
        const int item = column < plan.fields.size() ? plan.fields.at(column) : TransferItem::Skip;
        PrintResult(
            QStringLiteral("%1\t%2\t%3").arg(column + 1).arg(heading, TransferItemCaption(item)));
    }
    PrintResult("records:");
    PrintResult("line\t" + PreviewCaptions().join('\t'));
    const QDate today = CurrentDate();
    for (const SourceRow& row : plan.rows) {
        ListRecord record;
        QString reason;
        if (PlannedRecord(row, plan.fields, today, record, reason) != LineFault::None) {
            PrintResult(QStringLiteral("%1\tnot imported: %2").arg(row.line).arg(reason));
            continue;
        }
        QStringList values;
        for (const QString& value : PreviewValues(record))
            values << OneLine(value);
        PrintResult(QString::number(row.line) + '\t' + values.join('\t'));
    }
    return kExitDone;
}

} // namespace

int CheckTransferOptions(const CommandLine& line) {
    QList<int> fields;
    QString error;
    if (!ReadFields(line, fields, error))
        return UsageError(line.Command(), "--fields: " + error);
    if (line.Flag("tab") && line.Flag("csv"))
        return UsageError(line.Command(), "--tab and --csv can't be given together");
    if (line.HasValue("delimiter") && !line.Flag("csv"))
        return UsageError(line.Command(), "--delimiter is for --csv");
    if (line.Flag("header") && line.Flag("no-header"))
        return UsageError(line.Command(), "--header and --no-header can't be given together");
    if ((line.Flag("header") || line.Flag("no-header")) && !line.Flag("csv"))
        return UsageError(line.Command(), "--header and --no-header are for --csv");
    return kExitDone;
}

int RunImport(const CommandLine& line) {
    ImportOptions options;
    QString error;
    if (!ReadFields(line, options.fields, error))
        return UsageError(line.Command(), "--fields: " + error);
    options.delimiter = ChosenDelimiter(line);
    options.csvDelimiter = CsvDelimiter(line);
    options.headingsChooseFields = !line.HasValue("fields");
    options.firstLine = line.Flag("header")      ? FirstLine::Header
                        : line.Flag("no-header") ? FirstLine::Data
                                                 : FirstLine::Detect;
    const QString path = QFileInfo(line.Arguments().first()).absoluteFilePath();
    if (line.Flag("dry-run"))
        return PrintPlan(path, options);
    const ImportResult result = ImportTextFile(path, options);
    PrintResult(QStringLiteral("imported: %1").arg(result.added));
    if (result.unreadable || result.notText || result.failed)
        return kExitFailed; // told by its message
    // The count alone is the line above; anything more is told.
    const QString report = ImportReportText(result);
    if (report.contains('\n'))
        InfoBox(report);
    return result.notImported == 0 ? kExitDone : kExitFailed;
}

int RunExport(const CommandLine& line) {
    ExportOptions options;
    QString error;
    if (!ReadFields(line, options.fields, error))
        return UsageError(line.Command(), "--fields: " + error);
    options.delimiter = ChosenDelimiter(line);
    options.skip = NthSelectValue(line.Value("start"));
    options.interval = NthSelectValue(line.Value("every"));
    options.mailMerge = line.Flag("mail-merge");
    if (line.HasValue("filter") && !ChooseFilter(line.Value("filter")))
        return kExitFailed;
    const QString path = QFileInfo(line.Arguments().first()).absoluteFilePath();
    if (!ValidTargetPath(path)) {
        InfoBox("Invalid path name: \n" + path);
        return kExitFailed;
    }
    if (!MayReplace(path, WindowTitle()))
        return kExitFailed;
    try {
        if (WriteDelimitedFile(path, options) == WriteResult::NoRecords) {
            ToolMessage("the current filter selects no records; nothing was written");
            return kExitFailed;
        }
    } catch (const EngineError& failure) {
        InfoBox(ExportFailureText(failure, options.mailMerge, path));
        return kExitFailed;
    }
    return kExitDone;
}

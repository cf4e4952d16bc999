#include "cli/transfer_commands.h"

#include "app/messages.h"
#include "cli/command_line.h"
#include "cli/command_support.h"
#include "database/engine_error.h"
#include "database/new_list_path.h"
#include "filters/export_failure_text.h"
#include "filters/import_export.h"
#include "filters/transfer_items.h"

#include <QFileInfo>

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
    return line.Flag("tab") ? Delimiter::Tab : Delimiter::QuoteComma;
}

} // namespace

int CheckTransferOptions(const CommandLine& line) {
    QList<int> fields;
    QString error;
    if (!ReadFields(line, fields, error))
        return UsageError(line.Command(), "--fields: " + error);
    return kExitDone;
}

int RunImport(const CommandLine& line) {
    QList<int> fields;
    QString error;
    if (!ReadFields(line, fields, error))
        return UsageError(line.Command(), "--fields: " + error);
    const QString path = QFileInfo(line.Arguments().first()).absoluteFilePath();
    const ImportResult result = ImportTextFile(path, fields, ChosenDelimiter(line));
    PrintResult(QStringLiteral("imported: %1").arg(result.added));
    // Every way the import can fall short has been told by its message.
    const bool complete =
        !result.unreadable && !result.failed && result.invalidLine == 0 && result.refused == 0;
    return complete ? kExitDone : kExitFailed;
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

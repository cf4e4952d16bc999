#include "cli/list_commands.h"

#include "app/filter_choices.h"
#include "app/list_file_texts.h"
#include "app/messages.h"
#include "app/settings.h"
#include "app/switch_names.h"
#include "app/value_formats.h"
#include "cli/command_line.h"
#include "cli/command_support.h"
#include "database/control_core.h"
#include "database/engine_error.h"
#include "database/filter_core.h"
#include "database/label_core.h"
#include "database/list_core.h"
#include "database/list_file_operations.h"
#include "database/make_new_list.h"
#include "database/new_database.h"
#include "database/new_list_path.h"
#include "database/repair.h"
#include "database/template_core.h"
#include "database/upgrade.h"
#include "filters/duplicate_check.h"
#include "filters/duplicate_check_host.h"
#include "printing/label_choice.h"

#include <QFileInfo>
#include <QStringList>

namespace {

QString NoneChoice() {
    return QStringLiteral("<None>");
}

// The name shown for a current selection: "<None>" for 0, the name when the row is there.
QString SelectionName(qint64 id, const QString& name, bool found) {
    if (id == 0)
        return NoneChoice();
    if (!found)
        return QStringLiteral("<missing: ID %1>").arg(id);
    return name;
}

QString FilterName(qint64 id) {
    FilterChoices choices;
    ReadFilterChoices(choices);
    for (const FilterChoices::Choice& filter : choices.filters)
        if (filter.id == id)
            return SelectionName(id, filter.name, true);
    return SelectionName(id, QString(), false);
}

QString TemplateName(qint64 id) {
    TemplateCore templates;
    if (id != 0 && templates.Records() > 0 && templates.FirstRecord()) {
        do
            if (templates.ID() == id)
                return SelectionName(id, templates.TemplateName(), true);
        while (templates.MoveUp());
    }
    return SelectionName(id, QString(), false);
}

QString LabelName(qint64 id) {
    LabelCore labels;
    for (const LabelChoice& label : ReadLabelChoices(labels))
        if (label.id == id)
            return SelectionName(id, label.name, true);
    return SelectionName(id, QString(), false);
}

// The named switches as "n=name", switch numbers from 1 (loaded when the list was opened).
QString NamedSwitches() {
    QStringList named;
    for (int i = 0; i < int(SwitchNames().size()); ++i)
        if (!SwitchNames()[i].trimmed().isEmpty())
            named << QStringLiteral("%1=%2").arg(i + 1).arg(SwitchNames()[i]);
    return named.join(QStringLiteral(", "));
}

QString OneLine(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace('\n', ' ');
}

} // namespace

int RunNew(const CommandLine& line) {
    const QString current = NewListCurrentPath();
    try {
        UpgradeDatabase(current);
    } catch (...) {
        // The list stays as it is; MakeNewList opens it again when it is needed.
    }
    const bool noCurrent = !CurrentListReadable(current);
    const QString path = NewListFileName(QFileInfo(line.Arguments().first()).absoluteFilePath());
    if (!ValidTargetPath(path)) {
        InfoBox("Invalid path name: \n" + path);
        return kExitFailed;
    }
    if (!MayReplace(path, QStringLiteral("Make a New Mailing List")))
        return kExitFailed;
    NewListOptions options;
    options.templates = line.Flag("transfer-templates");
    options.switchNames = line.Flag("transfer-switch-names");
    options.filters = line.Flag("transfer-filters");
    try {
        if (!MakeNewList(path, noCurrent, options))
            return kExitFailed;
    } catch (const EngineError& error) {
        InfoBox(NewListFailureText(error.Number()));
        return kExitFailed;
    }
    PrintResult(path);
    return kExitDone;
}

int RunInfo(const CommandLine&) {
    ControlCore control;
    PrintResult("path: " + CurrentListSetting());
    PrintResult("identification: " + control.Magic());
    PrintResult("version: " + QString::number(control.DatabaseVersion()));
    {
        ListCore list;
        PrintResult("records: " + QString::number(list.Records()));
        PrintResult("marked: " + QString::number(list.MarkedRecordCount()));
        list.SetImportedFlagRecordset();
        PrintResult("imported: " + QString::number(list.Records()));
    }
    PrintResult("current filter: " + FilterName(control.CurrentFilter()));
    PrintResult("current template: " + TemplateName(control.CurrentTemplate()));
    PrintResult("current label: " + LabelName(control.CurrentLabel()));
    PrintResult("switch names: " + NamedSwitches());
    return kExitDone;
}

int RunFilters(const CommandLine&) {
    FilterCore filters;
    filters.SetIndex(QStringLiteral("ID"));
    if (filters.Records() > 0 && filters.FirstRecord()) {
        do
            PrintResult(QStringList{QString::number(filters.ID()), filters.FilterName(),
                                    SequenceName(filters.Sequence()), OneLine(filters.Query())}
                            .join('\t'));
        while (filters.MoveUp());
    }
    return kExitDone;
}

int RunCount(const CommandLine& line) {
    if (line.HasValue("filter") && !ChooseFilter(line.Value("filter")))
        return kExitFailed;
    ListCore list;
    list.SetCurrentFilter();
    PrintResult(QString::number(list.Records()));
    return kExitDone;
}

int RunDuplicates(const CommandLine& line) {
    ListCore list;
    DuplicateCheckHost host; // no window: nothing shown, never stopped
    DuplicateCheck check(list, host);
    const DuplicateCheck::Result result = check.Run(line.Flag("leave-one"));
    // Declined: the question whether to clear the marks was answered No.
    if (result.outcome != DuplicateCheck::Outcome::Finished)
        return kExitFailed;
    PrintResult(QString::number(result.found));
    return kExitDone;
}

int RunBackup(const CommandLine& line) {
    const QString current = CurrentListSetting().trimmed();
    QString target;
    if (line.Arguments().isEmpty()) {
        target = BackupProposal(BackupFolderSetting(), current);
    } else {
        const QFileInfo chosen(line.Arguments().first());
        target = chosen.isDir()
                     ? BackupProposal(BackupFolderEntry(chosen.absoluteFilePath()), current)
                     : chosen.absoluteFilePath();
    }
    if (RefuseCurrentListPath(target) || !MayReplace(target, QStringLiteral("Backup Mailing List")))
        return kExitFailed;
    try {
        BackupListFile(current, target);
    } catch (const EngineError& error) {
        if (error.IsDamagedFile())
            RepairDamagedList(current);
        else
            InfoBox(BackupFailureText(error));
        return kExitFailed;
    }
    InfoBox(QStringLiteral("Backup complete."));
    PrintResult(target);
    return kExitDone;
}

int RunCompact(const CommandLine&) {
    const QString current = CurrentListSetting();
    QString keptAs;
    try {
        // The previous version stays as the BAK file; a failure leaves the list as it was.
        keptAs = CompactListFile(current);
    } catch (const EngineError& error) {
        if (error.IsDamagedFile())
            RepairDamagedList(current);
        else
            SorryBox(CompactFailureText(error));
        return kExitFailed;
    }
    InfoBox(CompactDoneText(current, keptAs));
    return kExitDone;
}

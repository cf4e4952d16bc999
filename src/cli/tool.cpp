#include "cli/tool.h"

#include "app/dialogs.h"
#include "app/settings.h"
#include "app/value_formats.h"
#include "cli/command_line.h"
#include "cli/command_support.h"
#include "cli/list_commands.h"
#include "cli/print_commands.h"
#include "cli/settings_commands.h"
#include "cli/transfer_commands.h"
#include "database/damage_notes.h"
#include "database/list_core.h"
#include "database/repair.h"
#include "database/set_query_guard.h"

#include <cstdio>
#include <map>

namespace {

// A command: what it checks before the list is opened (nullptr for nothing), and its run.
struct Command {
    int (*check)(const CommandLine&);
    int (*run)(const CommandLine&);
};

const std::map<QString, Command>& Commands() {
    static const std::map<QString, Command> commands = {
        {"new", {nullptr, RunNew}},
        {"info", {nullptr, RunInfo}},
        {"filters", {nullptr, RunFilters}},
        {"count", {nullptr, RunCount}},
        {"import", {CheckTransferOptions, RunImport}},
        {"export", {CheckTransferOptions, RunExport}},
        {"labels", {CheckLabelOptions, RunLabels}},
        {"report", {nullptr, RunReport}},
        {"duplicates", {nullptr, RunDuplicates}},
        {"backup", {nullptr, RunBackup}},
        {"compact", {nullptr, RunCompact}},
        {"printer", {nullptr, RunPrinter}},
        {"intelligent-mail", {nullptr, RunIntelligentMail}},
        {"products", {nullptr, RunProducts}},
    };
    return commands;
}

// The commands that need no list: they work on the settings alone.
bool NeedsNoList(const QString& command) {
    return command == QLatin1String("printer") || command == QLatin1String("intelligent-mail") ||
           command == QLatin1String("products");
}

// The seconds a filter's query may run: LETTRINO_QUERY_SECONDS, else a minute.
double QueryTimeLimit() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("LETTRINO_QUERY_SECONDS").toDouble(&ok);
    return ok && seconds > 0 ? seconds : 60.0;
}

void PrintText(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

} // namespace

int RunTool(const QStringList& arguments) {
    CommandLine line;
    if (!line.Parse(arguments))
        return UsageError(line.Command(), line.Error());
    if (line.Help()) {
        PrintText(line.Command().isEmpty() ? CommandLine::ToolUsage()
                                           : CommandLine::CommandUsage(line.Command()));
        return kExitDone;
    }

    // The program-wide mode the program reads at start-up; the offered items depend on it.
    SetInternational(GetFlagSetting(QStringLiteral("Settings"), QStringLiteral("International")));
    // The command line names a known command (Parse refuses any other).
    const Command& chosen = Commands().at(line.Command());
    if (chosen.check) {
        const int checked = chosen.check(line);
        if (checked != kExitDone)
            return checked;
    }
    ConsoleDialogs dialogs(line.Yes());
    Dialogs::Install(&dialogs);
    // A filter's query that runs past the time limit is stopped: the filter is corrupt.
    const double limit = QueryTimeLimit();
    SetQueryStopCheck([limit](double seconds) { return seconds > limit; });
    int status = kExitFailed;
    // A new list is made beside the current one, which need not be open (or exist).
    if (NeedsNoList(line.Command()) ||
        (line.Command() == QLatin1String("new") && line.List().isEmpty()))
        status = chosen.run(line);
    else if (OpenList(line.List()))
        status = chosen.run(line);
    // Work on the records of a corrupt filter has done nothing: the run failed.
    if (CorruptFilterTold())
        status = kExitFailed;
    // Damage met on the way (the list's stores are closed by now): told, repaired, failed.
    const QString damaged = TakeDamagedCurrentList();
    if (!damaged.isEmpty()) {
        RepairDamagedList(damaged);
        status = kExitFailed;
    }
    SetQueryStopCheck(nullptr);
    Dialogs::Install(nullptr);
    return status;
}

// The tool's command line: help texts and usage errors, which are told before anything is
// opened or changed.
#include "cli/cli_process.h"

#include <QFileInfo>

namespace {

const QStringList kCommands = {"new",     "info",    "filters",         "count",      "import",
                               "export",  "labels",  "report",          "duplicates", "backup",
                               "compact", "printer", "intelligent-mail"};

} // namespace

TEST_F(CliTest, HelpListsEveryCommandAndEachCommandHasItsOwn) {
    const CliResult tool = Run({"--help"});
    EXPECT_EQ(tool.exitCode, 0);
    EXPECT_TRUE(tool.out.startsWith("Usage: lettrino-cli [--list PATH] [--yes] COMMAND"));
    for (const QString& command : kCommands) {
        EXPECT_TRUE(tool.out.contains("\n  " + command)) << command.toStdString();
        const CliResult own = Run({command, "--help"});
        EXPECT_EQ(own.exitCode, 0) << command.toStdString();
        EXPECT_TRUE(own.out.startsWith("Usage: lettrino-cli [--list PATH] [--yes] " + command))
            << own.out.toStdString();
        EXPECT_TRUE(own.err.isEmpty()) << own.err.toStdString();
    }
    // -h works as well, also before the command.
    EXPECT_EQ(Run({"-h", "labels"}).out, Run({"labels", "--help"}).out);
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndTheUsageTextBeforeAnythingIsOpened) {
    const QString list = Path("never.mdb");
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{"--list", list}, "no command given"},
        {{"--list", list, "frobnicate"}, "unknown command \"frobnicate\""},
        {{"--list", list, "export"}, "the command \"export\" needs FILE"},
        {{"--list", list, "info", "extra"}, "too many arguments for \"info\": extra"},
        {{"--list", list, "count", "--bogus"}, "the command \"count\" has no option \"--bogus\""},
        {{"--list", list, "--filter", "x", "count"}, "unknown option \"--filter\""},
        {{"--list", list, "labels", "a.pdf", "--barcode", "zip7"},
         "\"--barcode\" takes none|zip5|zip9|dp|imb, not \"zip7\""},
        {{"--list", list, "report", "a.pdf"}, "the command \"report\" needs \"--kind\""},
        {{"--list", list, "new", "a.mdb", "--transfer-filters=yes"},
         "the option \"--transfer-filters\" takes no value"},
        {{"--list", list, "count", "--filter"}, "the option \"--filter\" needs a value"},
        {{"--list", list, "count", "--filter", "a", "--filter=b"},
         "the option \"--filter\" is given twice"},
        {{"--list", list, "labels", "a.pdf", "--preview-dp"},
         "--preview-dp goes with --barcode dp"},
    };
    for (const auto& one : cases) {
        const CliResult result = Run(one.arguments);
        EXPECT_EQ(result.exitCode, 2) << one.arguments.join(' ').toStdString();
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("lettrino-cli: ") + one.message))
            << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("\nUsage: lettrino-cli")) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    // Nothing was opened: the current-list setting was never written.
    EXPECT_TRUE(ToolSetting("Database", "CurrentDatabase").isEmpty());
    EXPECT_FALSE(QFileInfo::exists(list));
}

TEST_F(CliTest, OptionValuesMayFollowAnEqualsSignAndToolOptionsMayFollowTheCommand) {
    const QString list = MakeClubList();
    const CliResult result = Run({"count", "--filter=Wisconsin", "--list=" + list});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "2\n");
}

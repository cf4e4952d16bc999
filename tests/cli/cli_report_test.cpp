// List reports and the duplicate check through the tool.
#include "cli/cli_process.h"

#include "database/list_core.h"
#include "database/list_record.h"
#include "printing/record_text_file.h"

#include <QFileInfo>

TEST_F(CliTest, ReportsOfEachKindHoldTheRecordsOfTheFilter) {
    const QString club = MakeClubList();
    if (HavePdfToText()) {
        // A fresh settings folder: the first report stores the system's sans-serif font.
        EXPECT_EQ(ToolSetting("Printer", "FontName"), "");
        const CliResult records =
            Run({"--list", club, "report", Path("records.pdf"), "--kind", "records"});
        ASSERT_EQ(records.exitCode, 0) << records.err.toStdString();
        EXPECT_EQ(records.out, Path("records.pdf") + "\n");
        const QString detailed = PdfText(Path("records.pdf"));
        for (const char* expected : {"Adams; Ann", "12 Oak St", "Baker; Bob", "Volunteer"})
            EXPECT_TRUE(detailed.contains(expected)) << expected;
        EXPECT_FALSE(ToolSetting("Printer", "FontName").isEmpty());
        // The tool prints to its own file: it stores no printer.
        EXPECT_EQ(ToolSetting("Printer", "PrinterName"), "");

        ASSERT_EQ(Run({"report", Path("bare.pdf"), "--kind", "records", "--no-switches", "--filter",
                       "Wisconsin"})
                      .exitCode,
                  0);
        const QString bare = PdfText(Path("bare.pdf"));
        EXPECT_TRUE(bare.contains("Cole; Cy"));
        EXPECT_FALSE(bare.contains("Volunteer"));
        EXPECT_FALSE(bare.contains("Baker"));

        ASSERT_EQ(Run({"report", Path("summary.pdf"), "--kind", "summary", "--filter", "<None>"})
                      .exitCode,
                  0);
        const QString summary = PdfText(Path("summary.pdf"));
        for (const char* expected : {"Phone Number", "Adams; Ann", "Baker; Bob", "Cole; Cy"})
            EXPECT_TRUE(summary.contains(expected)) << expected;
    }

    // The text file is the one the list window writes.
    const CliResult text =
        Run({"report", Path("list.txt"), "--kind", "text", "--filter", "Wisconsin"});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_EQ(text.out, "records: 2\n");
    {
        ListCore list;
        list.SetCurrentFilter();
        EXPECT_EQ(WriteRecordTextFile(Path("core.txt"), list), 2);
    }
    EXPECT_EQ(ReadBytes(Path("list.txt")), ReadBytes(Path("core.txt")));
    EXPECT_FALSE(QString::fromUtf8(ReadBytes(Path("list.txt"))).contains("Baker"));

    // An existing file is kept unless the question is answered Yes.
    const CliResult asked = Run({"report", Path("list.txt"), "--kind", "summary"});
    EXPECT_EQ(asked.exitCode, 1);
    EXPECT_TRUE(asked.err.contains("Print to PDF File: " + Path("list.txt") +
                                   " already exists. Do you want to replace it? No"));
    EXPECT_EQ(ReadBytes(Path("list.txt")), ReadBytes(Path("core.txt")));

    const CliResult bad = Run({"report", Path("no/such/folder/list.txt"), "--kind", "text"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.startsWith("Lettrino: ")) << bad.err.toStdString();
}

TEST_F(CliTest, DuplicatesAreCountedAndMarkedAndOldMarksClearedOnlyWhenToldYes) {
    const QString club = MakeClubList();
    {
        ListCore list;
        ListRecord twin;
        twin.Name = "Adams; Andrew";
        twin.Address = "12 Oak Street";
        twin.City = "Madison";
        twin.State = "WI";
        twin.Zip = "537030000";
        ASSERT_TRUE(list.NewRecord(twin));
    }
    const CliResult found = Run({"--list", club, "duplicates"});
    ASSERT_EQ(found.exitCode, 0) << found.err.toStdString();
    EXPECT_EQ(found.out, "1\n");
    EXPECT_TRUE(Run({"info"}).out.contains("\nmarked: 2\n"));

    // The marks are there now: clearing them is asked first, and No changes nothing.
    const CliResult declined = Run({"duplicates", "--leave-one"});
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_TRUE(declined.err.contains(" No\n")) << declined.err.toStdString();
    EXPECT_TRUE(declined.out.isEmpty());
    EXPECT_TRUE(Run({"info"}).out.contains("\nmarked: 2\n"));

    const CliResult again = Run({"--yes", "duplicates", "--leave-one"});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, "1\n");
    EXPECT_TRUE(Run({"info"}).out.contains("\nmarked: 1\n"));
}

// Import and export through the tool: the same files as the window's, the items chosen by
// caption or code, and every way a transfer can fail told with its exit status.
#include "cli/cli_process.h"

#include "database/connection.h"
#include "database/control_core.h"
#include "filters/import_export.h"
#include "filters/transfer_items.h"

#include <QFileInfo>

namespace {

const QString kFields = QStringLiteral("Name,Address Line 1,City,State,Zip Code,Code");

} // namespace

TEST_F(CliTest, ExportedRecordsImportIntoAnotherListAndExportTheSame) {
    const QString club = MakeClubList();
    const CliResult exported =
        Run({"--list", club, "export", Path("club.txt"), "--fields", kFields});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const QStringList lines = TextLines(QString::fromUtf8(ReadBytes(Path("club.txt"))));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("\"Adams; Ann\",\"12 Oak St\",\"Madison\",\"WI\","))
        << lines[0].toStdString();

    ASSERT_EQ(Run({"new", Path("Copy.mdb")}).exitCode, 0);
    const CliResult imported =
        Run({"--list", Path("Copy.mdb"), "import", Path("club.txt"), "--fields", kFields});
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "imported: 3\n");
    EXPECT_TRUE(Run({"info"}).out.contains("\nimported: 3\n"));
    ASSERT_EQ(Run({"export", Path("copy.txt"), "--fields", kFields}).exitCode, 0);
    EXPECT_EQ(ReadBytes(Path("copy.txt")), ReadBytes(Path("club.txt")));

    // The same items by their codes, tab-separated, give the same records again.
    ASSERT_EQ(Run({"--list", club, "export", Path("club.tab"), "--tab", "--fields", "1,2,5,6,7,11"})
                  .exitCode,
              0);
    ASSERT_EQ(Run({"new", Path("Tabbed.mdb")}).exitCode, 0);
    EXPECT_EQ(Run({"--list", Path("Tabbed.mdb"), "import", Path("club.tab"), "--tab", "--fields",
                   "name, address line 1, CITY,6,7,code"})
                  .out,
              "imported: 3\n");
    ASSERT_EQ(Run({"export", Path("tabbed.txt"), "--fields", kFields}).exitCode, 0);
    EXPECT_EQ(ReadBytes(Path("tabbed.txt")), ReadBytes(Path("club.txt")));
}

TEST_F(CliTest, ExportReadsStartEveryAndFilterAsTheWindowDoes) {
    const QString club = MakeClubList();
    // 2.5 is read as 2 (half to even), "1st" as 1: the third record only.
    ASSERT_EQ(Run({"--list", club, "export", Path("tool.txt"), "--start", "2.5", "--every", "1st"})
                  .exitCode,
              0);
    ExportOptions options;
    options.fields = StandardTransferItems();
    options.skip = 2;
    options.interval = 1;
    ASSERT_EQ(WriteDelimitedFile(Path("core.txt"), options), WriteResult::Written);
    EXPECT_EQ(ReadBytes(Path("tool.txt")), ReadBytes(Path("core.txt")));
    EXPECT_EQ(TextLines(QString::fromUtf8(ReadBytes(Path("tool.txt")))).size(), 1);

    ASSERT_EQ(Run({"export", Path("wi.txt"), "--filter", "Wisconsin", "--fields", "Name"}).exitCode,
              0);
    EXPECT_EQ(TextLines(QString::fromUtf8(ReadBytes(Path("wi.txt")))),
              QStringList({"\"Adams; Ann\"", "\"Cole; Cy\""}));
    EXPECT_EQ(ControlCore().CurrentFilter(), 1);

    ASSERT_EQ(
        Run({"export", Path("merge.txt"), "--mail-merge", "--tab", "--fields", kFields}).exitCode,
        0);
    const QStringList merge = TextLines(QString::fromUtf8(ReadBytes(Path("merge.txt"))));
    ASSERT_EQ(merge.size(), 3);
    EXPECT_EQ(merge[0], MailMergeHeader({1, 2, 5, 6, 7, 11}, Delimiter::Tab));
}

TEST_F(CliTest, ExportAsksBeforeReplacingAFileAndWritesNothingForNoRecords) {
    const QString club = MakeClubList();
    WriteBytes(Path("out.txt"), "keep me");
    const CliResult asked = Run({"--list", club, "export", Path("out.txt")});
    EXPECT_EQ(asked.exitCode, 1);
    EXPECT_TRUE(asked.err.contains("Import/Export Text Files: " + Path("out.txt") +
                                   " already exists. Do you want to replace it? No"));
    EXPECT_EQ(ReadBytes(Path("out.txt")), "keep me");
    EXPECT_EQ(Run({"--yes", "export", Path("out.txt")}).exitCode, 0);
    EXPECT_EQ(TextLines(QString::fromUtf8(ReadBytes(Path("out.txt")))).size(), 3);

    AddStateFilter("Nobody", "ZZ");
    const CliResult none = Run({"export", Path("none.txt"), "--filter", "Nobody"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("lettrino-cli: the current filter selects no records; nothing "
                                  "was written"))
        << none.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("none.txt")));

    const CliResult unwritable =
        Run({"export", Path("no/such/folder/x.txt"), "--filter", "<None>"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(
        unwritable.err.contains("Lettrino: Invalid path name: " + Path("no/such/folder/x.txt")))
        << unwritable.err.toStdString();
}

TEST_F(CliTest, UnknownItemsAreUsageErrorsThatNameTheValidItems) {
    const QString club = MakeClubList();
    const CliResult result =
        Run({"--list", club, "export", Path("x.txt"), "--fields", "Name, Shoe Size"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.startsWith("lettrino-cli: --fields: unknown item \"Shoe Size\"; the "
                                      "items are: \"Name\" (1), \"Address Line 1\" (2),"))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("\"Reversed Name\" (18), \"<Skip Field>\" (0)\n"));
    EXPECT_TRUE(result.err.contains("Usage: lettrino-cli [--list PATH] [--yes] export FILE"));
    EXPECT_FALSE(QFileInfo::exists(Path("x.txt")));

    EXPECT_EQ(Run({"import", Path("x.txt"), "--fields", "1,,2"}).exitCode, 2);
    EXPECT_EQ(Run({"import", Path("x.txt"), "--fields", "19"}).exitCode, 2);
    EXPECT_EQ(Run({"--list", club, "count"}).out, "3\n");
}

TEST_F(CliTest, ImportFailuresAreToldAndTheOtherLinesImported) {
    const QString club = MakeClubList();
    WriteBytes(Path("bad.txt"), "\"Dunn; Di\",\"1 Way\"\r\n\"Evans; Ed\",\"2 Way\r\n"
                                "\r\n\"Ford; Flo\",\"3 Way\"\r\n");
    const CliResult invalid =
        Run({"--list", club, "import", Path("bad.txt"), "--fields", "Name,Address Line 1"});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_EQ(invalid.out, "imported: 2\n");
    EXPECT_TRUE(invalid.err.contains("Lettrino: Invalid input file. 2 records were imported. 1 "
                                     "line was not imported: line 2 (not a record)"))
        << invalid.err.toStdString();
    EXPECT_EQ(Run({"count"}).out, "5\n");

    const CliResult missing = Run({"import", Path("missing.txt")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("Lettrino: Couldn't read the file. Reason unknown. " +
                                     Path("missing.txt")))
        << missing.err.toStdString();
    EXPECT_EQ(Run({"count"}).out, "5\n");
}

TEST_F(CliTest, CsvImportPreviewImportAndExport) {
    const QString club = MakeClubList();
    // A spreadsheet's file: semicolons, a header of its own names, a quoted two-line street.
    WriteBytes(Path("sheet.csv"),
               "\xEF\xBB\xBFSurname;Given Name;Street;Town;Postcode;Shoe Size\r\n"
               "Dunn;Di;\"1 Way\r\nRear\";Madison;53703;9\r\n"
               "Evans;Ed;2 Way;Ohio City;45874;10\r\n");
    const CliResult plan = Run({"--list", club, "import", Path("sheet.csv"), "--csv", "--dry-run"});
    EXPECT_EQ(plan.exitCode, 0) << plan.err.toStdString();
    const QStringList lines = TextLines(plan.out);
    ASSERT_EQ(lines.size(), 13) << plan.out.toStdString();
    EXPECT_EQ(
        lines.mid(0, 9),
        QStringList({"delimiter: semicolon", "header: yes", "columns:", "1\tSurname\tLast Name",
                     "2\tGiven Name\tFirst Name", "3\tStreet\tAddress Line 1", "4\tTown\tCity",
                     "5\tPostcode\tZip Code", "6\tShoe Size\t<Skip Field>"}));
    EXPECT_EQ(lines[9], "records:");
    EXPECT_TRUE(lines[11].startsWith("2\tDunn; Di\t1 Way / Rear\tMadison\t\t537030000\t"))
        << lines[11].toStdString();
    EXPECT_EQ(Run({"count"}).out, "3\n"); // nothing stored

    const CliResult imported = Run({"import", Path("sheet.csv"), "--csv"});
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_EQ(imported.out, "imported: 2\n");
    EXPECT_TRUE(imported.err.contains("Columns not imported: \"Shoe Size\""))
        << imported.err.toStdString();
    // --fields stands instead of the headings; the header line is still no record.
    EXPECT_EQ(Run({"import", Path("sheet.csv"), "--csv", "--fields", "Name,Code"}).exitCode, 1);
    EXPECT_EQ(Run({"count"}).out, "5\n");

    ASSERT_EQ(Run({"export", Path("out.csv"), "--csv", "--fields", "Name,Address Line 2,City",
                   "--filter", "<None>"})
                  .exitCode,
              0);
    const QStringList exported = QString::fromUtf8(ReadBytes(Path("out.csv"))).split("\r\n");
    EXPECT_EQ(exported,
              QStringList({QString::fromUtf8("\uFEFFName,Address Line 2,City"),
                           "Adams; Ann,,Madison", "Baker; Bob,,Chicago", "Cole; Cy,,Milwaukee",
                           "Dunn; Di,Rear,Madison", "Evans; Ed,,Ohio City", ""}));

    EXPECT_EQ(Run({"import", Path("sheet.csv"), "--tab", "--csv"}).exitCode, 2);
    EXPECT_EQ(Run({"import", Path("sheet.csv"), "--delimiter", "semicolon"}).exitCode, 2);
    EXPECT_EQ(Run({"import", Path("sheet.csv"), "--no-header"}).exitCode, 2);
    EXPECT_EQ(Run({"import", Path("sheet.csv"), "--csv", "--header", "--no-header"}).exitCode, 2);
    const CliResult asData =
        Run({"import", Path("sheet.csv"), "--csv", "--no-header", "--dry-run", "--fields",
             "Last Name,First Name,Address Line 1,City,<Skip Field>,<Skip Field>"});
    EXPECT_TRUE(asData.out.contains("header: no\n")) << asData.out.toStdString();
    EXPECT_TRUE(asData.out.contains("\n1\tSurname; Given Name\tStreet\tTown\t"))
        << asData.out.toStdString();
}

TEST_F(CliTest, ACorruptFilterStopsWorkOnItsRecords) {
    const QString club = MakeClubList();
    Connection::Open(club)->Execute(
        "UPDATE Filter SET Query = 'DELETE FROM [List];' WHERE FilterName = 'Wisconsin'");
    const QString out = Path("out.ltx");
    const CliResult exported = Run({"--list", club, "export", out, "--filter", "Wisconsin"});
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_TRUE(exported.err.contains("\"Wisconsin\" filter is corrupt."))
        << exported.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
    // Nothing was run, and the corrupt filter did not become the current one.
    EXPECT_EQ(Run({"count"}).out, "3\n");
    EXPECT_TRUE(Run({"info"}).out.contains("\ncurrent filter: <None>"));
}

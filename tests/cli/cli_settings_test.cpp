// The settings commands: Printer Setup and the Intelligent Mail settings from the command
// line, with the checks of their windows, and a report's font for one run.
#include "cli/cli_process.h"

#include <QFileInfo>

TEST_F(CliTest, PrinterShowsAndSetsTheValuesOfPrinterSetupRefusingUnknownNames) {
    // Needs no list: a fresh settings folder shows the defaults and stores nothing.
    const CliResult fresh = Run({"printer"});
    ASSERT_EQ(fresh.exitCode, 0) << fresh.err.toStdString();
    const QStringList shown = TextLines(fresh.out);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0], "printer: ");
    EXPECT_TRUE(shown[1].startsWith("font: ") && shown[1].size() > 6) << shown[1].toStdString();
    EXPECT_EQ(shown[2], "page limit: 100");
    EXPECT_EQ(ToolSetting("Printer", "FontName"), "");

    // Names are taken without regard to case and stored as the printer lists them.
    const CliResult set =
        Run({"printer", "--name", "pdf FILE", "--font", "dejavu sans", "--page-limit", "250"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(TextLines(set.out),
              (QStringList{"printer: PDF file", "font: DejaVu Sans", "page limit: 250"}));
    EXPECT_EQ(ToolSetting("Printer", "PrinterName"), "PDF file");
    EXPECT_EQ(ToolSetting("Printer", "FontName"), "DejaVu Sans");
    EXPECT_EQ(ToolSetting("Printer", "PageLimit"), "250");

    // Unknown names and a page limit that is no number change nothing.
    const CliResult printer = Run({"printer", "--name", "Nowhere", "--page-limit", "5"});
    EXPECT_EQ(printer.exitCode, 1);
    EXPECT_TRUE(printer.err.contains(
        "there is no printer named \"Nowhere\"; the printers are: \"PDF file\""))
        << printer.err.toStdString();
    const CliResult font = Run({"printer", "--font", "No Such Font 42"});
    EXPECT_EQ(font.exitCode, 1);
    EXPECT_TRUE(font.err.contains("there is no font named \"No Such Font 42\"; the fonts are: "));
    EXPECT_TRUE(font.err.contains("\"DejaVu Sans\""));
    const CliResult limit = Run({"printer", "--page-limit", "lots"});
    EXPECT_EQ(limit.exitCode, 2);
    EXPECT_TRUE(limit.err.contains("--page-limit takes a whole number of twips, not \"lots\""));
    EXPECT_EQ(ToolSetting("Printer", "PageLimit"), "250");
    EXPECT_EQ(ToolSetting("Printer", "FontName"), "DejaVu Sans");
}

TEST_F(CliTest, IntelligentMailStoresNothingUntilEveryValuePassesTheWindowsChecks) {
    const CliResult fresh = Run({"intelligent-mail"});
    ASSERT_EQ(fresh.exitCode, 0) << fresh.err.toStdString();
    EXPECT_EQ(TextLines(fresh.out), (QStringList{"barcode id: 00", "service type: ", "mailer id: ",
                                                 "next serial: 1", "delivery point routing: no"}));

    // The stored settings lack a Mailer ID, so one value alone can't make them whole.
    const CliResult partial = Run({"intelligent-mail", "--service-type", "300"});
    EXPECT_EQ(partial.exitCode, 1);
    EXPECT_TRUE(partial.err.contains("The Mailer ID must be six digits"))
        << partial.err.toStdString();
    EXPECT_EQ(ToolSetting("IntelligentMail", "ServiceTypeIdentifier"), "");

    const CliResult set = Run({"intelligent-mail", "--service-type", "300", "--mailer-id", "123456",
                               "--next-serial", "42", "--delivery-point-routing", "yes"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(TextLines(set.out),
              (QStringList{"barcode id: 00", "service type: 300", "mailer id: 123456",
                           "next serial: 42", "delivery point routing: yes"}));

    // Each check of the window, in the order of its boxes; nothing changes on a refusal.
    const struct {
        QStringList options;
        const char* message;
    } refused[] = {
        {{"--barcode-id", "05"}, "The Barcode Identifier must be two digits"},
        {{"--service-type", "30"}, "The Service Type Identifier must be three digits"},
        {{"--mailer-id", "912345"}, "The Mailer ID must be six digits"},
        // A nine-digit Mailer ID leaves six digits for the serial number stored (42 fits).
        {{"--mailer-id", "912345678", "--next-serial", "1234567"}, "Serial"},
        {{"--next-serial", "-3"}, "Serial"},
    };
    for (const auto& check : refused) {
        const CliResult result = Run(QStringList{"intelligent-mail"} + check.options);
        EXPECT_EQ(result.exitCode, 1) << check.options.join(' ').toStdString();
        EXPECT_TRUE(result.err.contains(check.message, Qt::CaseInsensitive))
            << result.err.toStdString();
    }
    EXPECT_EQ(ToolSetting("IntelligentMail", "MailerID"), "123456");
    EXPECT_EQ(ToolSetting("IntelligentMail", "NextSerialNumber"), "42");
    EXPECT_EQ(Run({"intelligent-mail", "--delivery-point-routing", "maybe"}).exitCode, 2);
}

TEST_F(CliTest, ReportFontServesOneRunAndAnUnknownFontPrintsNothing) {
    const QString club = MakeClubList();
    SetToolSetting("Printer", "FontName", "DejaVu Sans");
    const CliResult unknown =
        Run({"--list", club, "report", Path("r.pdf"), "--kind", "summary", "--font", "Nope 9"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("there is no font named \"Nope 9\""));
    EXPECT_FALSE(QFileInfo::exists(Path("r.pdf")));

    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
    const CliResult mono =
        Run({"report", Path("mono.pdf"), "--kind", "summary", "--font", "DejaVu Sans Mono"});
    ASSERT_EQ(mono.exitCode, 0) << mono.err.toStdString();
    EXPECT_EQ(ToolSetting("Printer", "FontName"), "DejaVu Sans");
    const CliResult fonts = RunProgram("pdffonts", {Path("mono.pdf")});
    EXPECT_TRUE(fonts.out.contains("DejaVuSansMono")) << fonts.out.toStdString();
}

// Labels through the tool: the label engine's pages in a PDF file, read back with
// pdftotext, for the options the label window offers.
#include "cli/cli_process.h"

#include <QFileInfo>
#include <QPointF>
#include <QRegularExpression>

namespace {

// The top and left edge (in points) of the first word box pdftotext -bbox gives for a word.
QPointF WordPosition(const QString& boxes, const QString& word) {
    const QRegularExpression box(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>") +
        QRegularExpression::escape(word) + "</word>");
    const QRegularExpressionMatch match = box.match(boxes);
    if (!match.hasMatch())
        return QPointF(-1, -1);
    return QPointF(match.captured(1).toDouble(), match.captured(2).toDouble());
}

} // namespace

class CliLabelsTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        if (!HavePdfToText())
            GTEST_SKIP() << "pdftotext is not installed";
        m_club = MakeClubList();
    }

    QString m_club;
};

TEST_F(CliLabelsTest, LabelsOfTheFilterArePrintedToThePdfFile) {
    const CliResult all = Run({"--list", m_club, "labels", Path("all.pdf")});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.out, Path("all.pdf") + "\n");
    const QString text = PdfText(Path("all.pdf"));
    for (const char* expected : {"Ann Adams", "12 Oak St", "Madison", "Bob Baker", "Cy Cole"})
        EXPECT_TRUE(text.contains(expected)) << expected << " in " << text.toStdString();
    EXPECT_LT(text.indexOf("Adams"), text.indexOf("Baker"));

    const CliResult wisconsin =
        Run({"labels", Path("wi.pdf"), "--filter", "Wisconsin", "--layout", "Code,Name"});
    ASSERT_EQ(wisconsin.exitCode, 0) << wisconsin.err.toStdString();
    const QString filtered = PdfText(Path("wi.pdf"));
    EXPECT_TRUE(filtered.contains("MEM\nAnn Adams")) << filtered.toStdString();
    EXPECT_FALSE(filtered.contains("Baker"));
    EXPECT_FALSE(filtered.contains("Oak St"));
}

TEST_F(CliLabelsTest, LayoutStartPositionBarcodeAndFillPageMoveTheLabels) {
    ASSERT_EQ(Run({"--list", m_club, "labels", Path("plain.pdf")}).exitCode, 0);
    const QPointF plain = WordPosition(PdfText(Path("plain.pdf"), true), "Adams");
    ASSERT_GE(plain.y(), 0);

    // Bars above the block move it down by 0.2 inch (14.4 points).
    ASSERT_EQ(Run({"labels", Path("bars.pdf"), "--barcode", "zip9"}).exitCode, 0);
    const QPointF bars = WordPosition(PdfText(Path("bars.pdf"), true), "Adams");
    EXPECT_NEAR(bars.y() - plain.y(), 14.4, 0.5);

    // Avery 5162 labels are 4.17 inches apart across and 1.32 inches down.
    ASSERT_EQ(Run({"labels", Path("moved.pdf"), "--row", "2", "--col", "2"}).exitCode, 0);
    const QPointF moved = WordPosition(PdfText(Path("moved.pdf"), true), "Adams");
    EXPECT_NEAR(moved.x() - plain.x(), 4.17 * 72, 0.5);
    EXPECT_NEAR(moved.y() - plain.y(), 1.32 * 72, 0.5);

    // Fourteen positions hold each of the three records four times.
    ASSERT_EQ(Run({"labels", Path("fill.pdf"), "--fill-page"}).exitCode, 0);
    EXPECT_EQ(PdfText(Path("fill.pdf")).count("Adams"), 4);

    // Another layout is chosen by name and becomes the list's current one.
    ASSERT_EQ(Run({"labels", Path("5160.pdf"), "--label", "avery 5160"}).exitCode, 0);
    EXPECT_TRUE(Run({"info"}).out.contains("\ncurrent label: Avery 5160\n"));
    const QPointF small = WordPosition(PdfText(Path("5160.pdf"), true), "Adams");
    EXPECT_NEAR(small.y() - plain.y(), (0.5 - 0.8) * 72, 3); // 10 points type, not 12
}

TEST_F(CliLabelsTest, LabelFailuresAreToldAndLeaveNoFile) {
    const CliResult layout =
        Run({"--list", m_club, "labels", Path("x.pdf"), "--layout", "Name,Shoe"});
    EXPECT_EQ(layout.exitCode, 2);
    EXPECT_TRUE(layout.err.startsWith("lettrino-cli: --layout: unknown item \"Shoe\"; the items "
                                      "are: \"Name\" (0), \"Address\" (1), \"AttentionLine\" (2), "
                                      "\"Code\" (3), \"Carrier Route\" (4)\n"))
        << layout.err.toStdString();

    const CliResult label =
        Run({"--list", m_club, "labels", Path("x.pdf"), "--label", "Avery 9999"});
    EXPECT_EQ(label.exitCode, 1);
    EXPECT_TRUE(label.err.contains("lettrino-cli: there is no label layout named \"Avery 9999\"; "
                                   "the layouts are: \"Avery 5162\", \"Avery 5160\""))
        << label.err.toStdString();

    AddStateFilter("Nobody", "ZZ");
    const CliResult none = Run({"labels", Path("x.pdf"), "--filter", "Nobody"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains("Lettrino: There are no records to print."))
        << none.err.toStdString();

    const CliResult fill = Run(
        {"labels", Path("x.pdf"), "--filter", "<None>", "--fill-page", "--row", "7", "--col", "2"});
    EXPECT_EQ(fill.exitCode, 1);
    EXPECT_TRUE(fill.err.contains("--fill-page is offered only when")) << fill.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("x.pdf")));

    WriteBytes(Path("old.pdf"), "old");
    EXPECT_EQ(Run({"labels", Path("old.pdf")}).exitCode, 1);
    EXPECT_EQ(ReadBytes(Path("old.pdf")), "old");
    EXPECT_EQ(Run({"--yes", "labels", Path("old.pdf")}).exitCode, 0);
    EXPECT_TRUE(PdfText(Path("old.pdf")).contains("Ann Adams"));
}

TEST_F(CliLabelsTest, IntelligentMailBarcodesTakeTheSettingsAndTheNextSerialNumbers) {
    ASSERT_EQ(Run({"--list", m_club, "labels", Path("plain.pdf")}).exitCode, 0);
    const QPointF plain = WordPosition(PdfText(Path("plain.pdf"), true), "Adams");

    // Nothing set up yet: told what is missing, nothing written.
    const CliResult unset = Run({"labels", Path("imb.pdf"), "--barcode", "imb"});
    EXPECT_EQ(unset.exitCode, 1);
    EXPECT_TRUE(unset.err.contains("The Service Type Identifier must be three digits"))
        << unset.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("imb.pdf")));

    SetToolSetting("IntelligentMail", "ServiceTypeIdentifier", "300");
    SetToolSetting("IntelligentMail", "MailerID", "123456");
    SetToolSetting("IntelligentMail", "NextSerialNumber", "5");
    const CliResult first = Run({"labels", Path("imb.pdf"), "--barcode", "imb"});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const QPointF bars = WordPosition(PdfText(Path("imb.pdf"), true), "Adams");
    EXPECT_NEAR(bars.y() - plain.y(), 14.4, 0.5) << "the block 0.2 inch lower";
    EXPECT_EQ(ToolSetting("IntelligentMail", "NextSerialNumber"), "8"); // three labels
    ASSERT_EQ(Run({"--yes", "labels", Path("imb.pdf"), "--barcode", "imb"}).exitCode, 0);
    EXPECT_EQ(ToolSetting("IntelligentMail", "NextSerialNumber"), "11");

    // Passing the largest serial number is a question: No (the default) prints nothing.
    SetToolSetting("IntelligentMail", "NextSerialNumber", "999999998");
    const CliResult wrap = Run({"labels", Path("wrap.pdf"), "--barcode", "imb"});
    EXPECT_EQ(wrap.exitCode, 1);
    EXPECT_TRUE(wrap.err.contains("999999999")) << wrap.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("wrap.pdf")));
    EXPECT_EQ(ToolSetting("IntelligentMail", "NextSerialNumber"), "999999998");
    ASSERT_EQ(Run({"--yes", "labels", Path("wrap.pdf"), "--barcode", "imb"}).exitCode, 0);
    EXPECT_EQ(ToolSetting("IntelligentMail", "NextSerialNumber"), "1");
}

TEST_F(CliLabelsTest, LabelsCutToFitAreToldOnStandardErrorAndAreNoFailure) {
    SetToolSetting("IntelligentMail", "ServiceTypeIdentifier", "300");
    SetToolSetting("IntelligentMail", "MailerID", "123456");
    // The Intelligent Mail barcode is wider than an Avery 5160 label.
    const CliResult cut = Run(
        {"--list", m_club, "labels", Path("cut.pdf"), "--label", "Avery 5160", "--barcode", "imb"});
    EXPECT_EQ(cut.exitCode, 0) << cut.err.toStdString();
    EXPECT_EQ(cut.out, Path("cut.pdf") + "\n");
    EXPECT_TRUE(cut.err.contains("lettrino-cli: 3 labels were cut to fit"))
        << cut.err.toStdString();
    EXPECT_TRUE(cut.err.contains("First records cut: Ann Adams; ")) << cut.err.toStdString();
    EXPECT_EQ(cut.err.count('\n'), 1) << "told once, on one line";
}

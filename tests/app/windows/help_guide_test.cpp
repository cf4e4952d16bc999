// The user guide: every page the program opens is there, and every link inside the guide
// leads to a page (and a section) that exists.

#include "main_form_window.h"

#include "app/messages.h"
#include "app/windows/help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>

using HelpGuide = MainFormWindow;

namespace {

QString ReadText(const QString& path) {
    return QString::fromUtf8(ReadBytes(path));
}

QSet<QString> Anchors(const QString& page) {
    QSet<QString> ids;
    static const QRegularExpression id(QStringLiteral("\\bid=\"([^\"]+)\""));
    for (const auto& match : id.globalMatch(ReadText(page)))
        ids << match.captured(1);
    return ids;
}

} // namespace

TEST_F(HelpGuide, EveryPageTheProgramOpensIsThere) {
    OpenWindow();
    m_dialogs->ExpectMessage("Please select a mailing list to open.");
    for (const char* item : {"mnuHelpHelp", "mnuHelpReadMe", "mnuHelpTechSupport"})
        Trigger(item);
    ASSERT_EQ(m_dialogs->OpenedUrls().size(), 3);
    const QStringList expected = {"index.html", "readme.html", "support.html"};
    for (int i = 0; i < 3; ++i) {
        const QString file = QUrl(m_dialogs->OpenedUrls()[i]).toLocalFile();
        EXPECT_EQ(QFileInfo(file).fileName(), expected[i]);
        EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    }
    for (int topic :
         {kHelpContents,     kHelpReadMe,        kHelpSupport,       kHelpRecords,
          kHelpTemplates,    kHelpSwitchNames,   kHelpNewList,       kHelpFilters,
          kHelpImport,       kHelpImportPreview, kHelpDuplicates,    kHelpConvert,
          kHelpLabels,       kHelpLabelProducts, kHelpDeliveryPoint, kHelpIntelligentMail,
          kHelpLabelPreview, kHelpPrinting,      kHelpPrinter,       kHelpReports,
          kHelpGrid}) {
        const QUrl page = QUrl::fromLocalFile(HelpTopicFile(topic).section('#', 0, 0));
        EXPECT_TRUE(QFileInfo::exists(page.toLocalFile())) << topic;
        const QString section = HelpTopicFile(topic).section('#', 1);
        if (!section.isEmpty()) {
            EXPECT_TRUE(Anchors(page.toLocalFile()).contains(section)) << topic;
        }
    }
    // A section travels as the address's fragment.
    ShowHelpTopic(kHelpPrinter);
    const QUrl printer(m_dialogs->OpenedUrls().back());
    EXPECT_EQ(QFileInfo(printer.toLocalFile()).fileName(), "settings.html");
    EXPECT_EQ(printer.fragment(), "printer");
}

TEST_F(HelpGuide, HelpWindowShowsTheGuideWithBackForwardAndHome) {
    const QDir folder(HelpFolder());
    QUrl printer = QUrl::fromLocalFile(folder.filePath("settings.html"));
    printer.setFragment("printer");
    HelpWindow* window = HelpWindow::ShowPage(printer);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Source(), printer);
    EXPECT_TRUE(window->windowTitle().startsWith("Lettrino Help: "))
        << window->windowTitle().toStdString();
    auto* browser = window->findChild<QTextBrowser*>("HelpBrowser");
    ASSERT_TRUE(browser);
    EXPECT_TRUE(browser->toPlainText().contains("Printer setup"));
    auto* back = window->findChild<QToolButton*>("BackButton");
    auto* forward = window->findChild<QToolButton*>("ForwardButton");
    EXPECT_FALSE(back->isEnabled());

    // Home is the guide's contents; Back and Forward walk the pages seen.
    window->findChild<QToolButton*>("HomeButton")->click();
    EXPECT_EQ(QFileInfo(window->Source().toLocalFile()).fileName(), "index.html");
    EXPECT_TRUE(browser->toPlainText().contains("Labels and barcodes"));
    ASSERT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(window->Source(), printer);
    ASSERT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_EQ(QFileInfo(window->Source().toLocalFile()).fileName(), "index.html");

    // A second page comes up in the same window.
    EXPECT_EQ(HelpWindow::ShowPage(QUrl::fromLocalFile(folder.filePath("labels.html"))), window);
    EXPECT_EQ(QFileInfo(window->Source().toLocalFile()).fileName(), "labels.html");
    window->close(); // deletes it
}

TEST_F(HelpGuide, EveryLinkInsideTheGuideResolvesAndEveryPageIsInTheContents) {
    const QDir folder(HelpFolder());
    const QStringList pages = folder.entryList({"*.html"}, QDir::Files);
    ASSERT_GE(pages.size(), 12) << folder.path().toStdString();

    static const QRegularExpression link(QStringLiteral("\\b(?:href|src)=\"([^\"]*)\""));
    static const QRegularExpression title(QStringLiteral("<title>[^<]+</title>"));
    QSet<QString> linkedFromContents;
    int links = 0;
    for (const QString& page : pages) {
        const QString path = folder.filePath(page);
        const QString text = ReadText(path);
        EXPECT_TRUE(title.match(text).hasMatch()) << page.toStdString();
        for (const auto& match : link.globalMatch(text)) {
            const QString target = match.captured(1);
            SCOPED_TRACE((page + " -> " + target).toStdString());
            ASSERT_FALSE(target.isEmpty());
            const QUrl url(target);
            if (!url.scheme().isEmpty()) {
                // Only links out of the guide may name a scheme.
                EXPECT_TRUE(url.scheme() == "https" || url.scheme() == "mailto");
                continue;
            }
            ++links;
            const QString file = url.path().isEmpty() ? path : folder.filePath(url.path());
            ASSERT_TRUE(QFileInfo::exists(file));
            if (url.hasFragment()) {
                EXPECT_TRUE(Anchors(file).contains(url.fragment()));
            }
            if (page == "index.html")
                linkedFromContents << QFileInfo(file).fileName();
        }
    }
    EXPECT_GT(links, 30);
    for (const QString& page : pages) {
        if (page != "index.html") {
            EXPECT_TRUE(linkedFromContents.contains(page)) << page.toStdString();
        }
    }
}

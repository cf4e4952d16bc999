// The user guide: every page the program opens is there, and every link inside the guide
// leads to a page (and a section) that exists.

#include "main_form_window.h"

#include "app/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
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
    for (int topic : {kHelpContents, kHelpReadMe, kHelpSupport})
        EXPECT_TRUE(QFileInfo::exists(HelpTopicFile(topic))) << topic;
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

// The about box: title and version, not blocking the main window, and the system
// information button with and without a program to start.

#include "main_form_window.h"

#include "app/windows/about_form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

class AboutBox : public MainFormWindow {
protected:
    void SetUp() override {
        MainFormWindow::SetUp();
        m_path = qgetenv("PATH");
    }
    void TearDown() override {
        qputenv("PATH", m_path);
        MainFormWindow::TearDown();
    }
    // A program that leaves a file named after itself in the test's folder when it runs.
    void MakeProgram(const QString& folder, const QString& name) {
        QDir().mkpath(folder);
        const QString path = folder + "/" + name;
        WriteBytes(path, QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(Path(name + ".ran")).toUtf8());
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    }

    QByteArray m_path;
};

} // namespace

TEST_F(AboutBox, ShowsTitleAndVersionWithoutBlockingTheMainWindow) {
    MakeClubList();
    MainForm& window = OpenWindow();
    Trigger("mnuHelpAbout");
    auto* about = window.findChild<frmAbout*>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(about->windowTitle(), "About Lettrino");
    EXPECT_EQ(about->findChild<QLabel*>("lblTitle")->text(), "Lettrino");
    const QString version = about->findChild<QLabel*>("lblVersion")->text();
    EXPECT_TRUE(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$").match(version).hasMatch())
        << version.toStdString();
    EXPECT_EQ(version, QStringLiteral("Version %1.%2.%3")
                           .arg(LETTRINO_VERSION_MAJOR)
                           .arg(LETTRINO_VERSION_MINOR)
                           .arg(LETTRINO_VERSION_REVISION));
    EXPECT_FALSE(about->findChild<QLabel*>("lblDescription")->text().isEmpty());
    EXPECT_FALSE(about->findChild<QLabel*>("lblDisclaimer")->text().isEmpty());
    EXPECT_EQ(about->findChild<QPushButton*>("cmdSysInfo")->text(), "&System Info...");

    // The main window goes on working meanwhile, and asking again shows the same box.
    Trigger("mnuMoveLast");
    EXPECT_EQ(window.CurrentID(), 5);
    Trigger("mnuHelpAbout");
    EXPECT_EQ(window.findChildren<frmAbout*>().size(), 1);

    QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    Settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.findChildren<frmAbout*>().isEmpty());
}

TEST_F(AboutBox, SystemInfoStartsTheFirstProgramFoundOrSaysItIsUnavailable) {
    frmAbout about;
    auto* button = about.findChild<QPushButton*>("cmdSysInfo");

    qputenv("PATH", Path("empty").toUtf8());
    QTest::mouseClick(button, Qt::LeftButton);
    m_dialogs->ExpectMessage("System Information Is Unavailable At This Time", "Lettrino");

    // hardinfo comes before gnome-system-monitor in the search.
    MakeProgram(Path("bin1"), "gnome-system-monitor");
    MakeProgram(Path("bin2"), "hardinfo");
    qputenv("PATH", (Path("bin1") + ":" + Path("bin2")).toUtf8());
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(Path("hardinfo.ran")), 5000);
    EXPECT_FALSE(QFile::exists(Path("gnome-system-monitor.ran")));
    EXPECT_TRUE(m_dialogs->NoMessagesLeft());
}

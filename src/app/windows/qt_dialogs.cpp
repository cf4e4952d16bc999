#include "app/windows/qt_dialogs.h"

#include "app/messages.h"
#include "app/windows/fatal.h"
#include "app/windows/help_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>
#include <cstdlib>

namespace {
QWidget* Parent() {
    return QApplication::activeWindow();
}

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

void QtDialogs::ShowMessage(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box(ToQt(icon), title, text, QMessageBox::Ok, Parent());
    box.exec();
}

bool QtDialogs::AskYesNo(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box(ToQt(icon), title, text, QMessageBox::Yes | QMessageBox::No, Parent());
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::ShowFatal(int number, const QString& message) {
    Fatal fatal(number, message, Parent());
    fatal.exec();
    // Closing the window ends the run at once, without any further saving.
    std::_Exit(EXIT_FAILURE);
}

QString QtDialogs::OpenFileName(const QString& title, const QString& folder,
                                const QString& filters) {
    return QFileDialog::getOpenFileName(Parent(), title, folder, filters);
}

QString QtDialogs::SaveFileName(const QString& title, const QString& suggested,
                                const QString& filters) {
    return QFileDialog::getSaveFileName(Parent(), title, suggested, filters);
}

bool QtDialogs::InputText(const QString& prompt, const QString& title, QString& value) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(Parent(), title, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = text;
    return ok;
}

void QtDialogs::Beep() {
    QApplication::beep();
}

void QtDialogs::OpenUrl(const QUrl& url) {
    // The pages of the user guide open in the program's own help window.
    if (url.isLocalFile() && url.path().endsWith(QLatin1String(".html"))) {
        HelpWindow::ShowPage(url);
        return;
    }
    if (QDesktopServices::openUrl(url))
        return;
    // No browser could be started: say where the page is, so it can be opened by hand.
    ShowMessage(
        QStringLiteral("Couldn't start a web browser to show \"%1\".")
            .arg(url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString()),
        ApplicationTitle(), MessageIcon::Warning);
}

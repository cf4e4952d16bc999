#include "app/dialogs.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace {
Dialogs* g_installed = nullptr;

void PrintLine(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}
} // namespace

Dialogs::~Dialogs() = default;

Dialogs& Dialogs::Current() {
    static ConsoleDialogs console;
    return g_installed ? *g_installed : console;
}

void Dialogs::Install(Dialogs* dialogs) {
    g_installed = dialogs;
}

QString ConsoleDialogs::OneLine(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    QStringList pieces;
    for (const QString& line : text.split(lineBreak)) {
        const QString piece = line.trimmed();
        if (!piece.isEmpty())
            pieces << piece;
    }
    return pieces.join(QLatin1Char(' '));
}

void ConsoleDialogs::ShowMessage(const QString& text, const QString& title, MessageIcon) {
    ++m_messages;
    PrintLine(title.isEmpty() ? OneLine(text) : title + ": " + OneLine(text));
}

bool ConsoleDialogs::AskYesNo(const QString& text, const QString& title, MessageIcon) {
    if (!m_answerYes)
        ++m_noAnswers;
    PrintLine(title + ": " + OneLine(text) + (m_answerYes ? " Yes" : " No"));
    return m_answerYes;
}

void ConsoleDialogs::ShowFatal(int number, const QString& message) {
    PrintLine(QStringLiteral("Fatal error %1: %2").arg(number).arg(message));
    std::_Exit(EXIT_FAILURE);
}

QString ConsoleDialogs::OpenFileName(const QString&, const QString&, const QString&) {
    return QString();
}

QString ConsoleDialogs::SaveFileName(const QString&, const QString&, const QString&) {
    return QString();
}

bool ConsoleDialogs::InputText(const QString&, const QString&, QString&) {
    return false;
}

void ConsoleDialogs::Beep() {}

void ConsoleDialogs::OpenUrl(const QUrl& url) {
    PrintLine(url.toString());
}

#pragma once

#include "app/dialogs.h"

#include <QStringList>
#include <deque>
#include <stdexcept>
#include <vector>

// Thrown by the scripted stand-in when the program stops with a fatal error, so that a
// test sees the stop and the run of the scenario ends there.
struct FatalStop : std::runtime_error {
    FatalStop(int number, const QString& message)
        : std::runtime_error(message.toStdString()), number(number), message(message) {}
    int number;
    QString message;
};

// The test stand-in for every dialog. It records each message, answers each question and
// file dialog from a queue, and fails the test on a question it has no answer for and on
// messages the test never looked at.
class ScriptedDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon;
    };

    ~ScriptedDialogs() override;

    // Answers for the questions to come, in order.
    void AnswerYes() { m_answers.push_back(true); }
    void AnswerNo() { m_answers.push_back(false); }
    // File names for the file dialogs to come; an empty name is a cancel.
    void ChooseFile(const QString& path) { m_files.push_back(path); }
    // Texts for the input boxes to come; a null text is a cancel.
    void EnterText(const QString& text) { m_inputs.push_back(text); }

    // Takes the oldest message not yet checked (failing the test when there is none).
    Message TakeMessage();
    // Takes the oldest message and checks its text (and title when given).
    void ExpectMessage(const QString& text, const QString& title = QString());
    // True when every message shown has been taken.
    bool NoMessagesLeft() const { return m_messages.empty(); }
    // Questions asked so far (their titles and texts).
    const std::vector<Message>& Questions() const { return m_questions; }
    int Beeps() const { return m_beeps; }
    const QStringList& OpenedUrls() const { return m_urls; }
    const QStringList& FileDialogTitles() const { return m_fileTitles; }

    void ShowMessage(const QString& text, const QString& title, MessageIcon icon) override;
    bool AskYesNo(const QString& text, const QString& title, MessageIcon icon) override;
    void ShowFatal(int number, const QString& message) override;
    QString OpenFileName(const QString& title, const QString& folder,
                         const QString& filters) override;
    QString SaveFileName(const QString& title, const QString& suggested,
                         const QString& filters) override;
    bool InputText(const QString& prompt, const QString& title, QString& value) override;
    void Beep() override { ++m_beeps; }
    void OpenUrl(const QUrl& url) override;

private:
    QString NextFile(const QString& title);

    std::deque<Message> m_messages;
    std::vector<Message> m_questions;
    std::deque<bool> m_answers;
    std::deque<QString> m_files;
    std::deque<QString> m_inputs;
    QStringList m_urls;
    QStringList m_fileTitles;
    int m_beeps = 0;
};

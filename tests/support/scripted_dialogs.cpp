#include "support/scripted_dialogs.h"

#include <QUrl>
#include <gtest/gtest.h>

ScriptedDialogs::~ScriptedDialogs() {
    for (const Message& m : m_messages)
        ADD_FAILURE() << "Message never checked: [" << m.title.toStdString() << "] "
                      << m.text.toStdString();
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " answer(s) never asked for";
    if (!m_files.empty())
        ADD_FAILURE() << m_files.size() << " file name(s) never asked for";
}

ScriptedDialogs::Message ScriptedDialogs::TakeMessage() {
    if (m_messages.empty()) {
        ADD_FAILURE() << "Expected a message, but none was shown";
        return {};
    }
    Message m = m_messages.front();
    m_messages.pop_front();
    return m;
}

void ScriptedDialogs::ExpectMessage(const QString& text, const QString& title) {
    const Message m = TakeMessage();
    EXPECT_EQ(m.text.toStdString(), text.toStdString());
    if (!title.isNull()) {
        EXPECT_EQ(m.title.toStdString(), title.toStdString());
    }
}

void ScriptedDialogs::ShowMessage(const QString& text, const QString& title, MessageIcon icon) {
    m_messages.push_back({text, title, icon});
}

bool ScriptedDialogs::AskYesNo(const QString& text, const QString& title, MessageIcon icon) {
    m_questions.push_back({text, title, icon});
    if (m_answers.empty()) {
        ADD_FAILURE() << "Unexpected question: [" << title.toStdString() << "] "
                      << text.toStdString();
        return false;
    }
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void ScriptedDialogs::ShowFatal(int number, const QString& message) {
    throw FatalStop(number, message);
}

QString ScriptedDialogs::NextFile(const QString& title) {
    m_fileTitles << title;
    if (m_files.empty()) {
        ADD_FAILURE() << "Unexpected file dialog: " << title.toStdString();
        return QString();
    }
    const QString path = m_files.front();
    m_files.pop_front();
    return path;
}

QString ScriptedDialogs::OpenFileName(const QString& title, const QString&, const QString&) {
    return NextFile(title);
}

QString ScriptedDialogs::SaveFileName(const QString& title, const QString&, const QString&) {
    return NextFile(title);
}

bool ScriptedDialogs::InputText(const QString& prompt, const QString& title, QString& value) {
    m_questions.push_back({prompt, title, MessageIcon::None});
    if (m_inputs.empty()) {
        ADD_FAILURE() << "Unexpected input box: " << prompt.toStdString();
        return false;
    }
    const QString text = m_inputs.front();
    m_inputs.pop_front();
    if (text.isNull())
        return false;
    value = text;
    return true;
}

void ScriptedDialogs::OpenUrl(const QUrl& url) {
    m_urls << url.toString();
}

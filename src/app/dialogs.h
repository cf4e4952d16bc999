#pragma once

#include <QString>

class QUrl;

// The icon a message or question box shows.
enum class MessageIcon { None, Information, Question, Warning, Critical };

// Everything through which the program talks to the user in a box of its own: messages,
// questions, the fatal stop, file dialogs, the input box, the beep and the help viewer.
// The desktop program installs the Qt implementation; tests install a scripted stand-in;
// without either, messages go to the standard error stream and questions are answered No.
class Dialogs {
public:
    virtual ~Dialogs();

    virtual void ShowMessage(const QString& text, const QString& title, MessageIcon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const QString& text, const QString& title, MessageIcon icon) = 0;
    // Shows the fatal error and ends the run; never returns into normal work.
    virtual void ShowFatal(int number, const QString& message) = 0;
    // File dialogs return an empty string when the user cancels.
    virtual QString OpenFileName(const QString& title, const QString& folder,
                                 const QString& filters) = 0;
    virtual QString SaveFileName(const QString& title, const QString& suggested,
                                 const QString& filters) = 0;
    // The input box: false when cancelled; otherwise value holds the text entered.
    virtual bool InputText(const QString& prompt, const QString& title, QString& value) = 0;
    virtual void Beep() = 0;
    virtual void OpenUrl(const QUrl& url) = 0;

    // The implementation in use. Install() does not take ownership; pass nullptr to go
    // back to the console implementation.
    static Dialogs& Current();
    static void Install(Dialogs* dialogs);
};

// Console implementation: messages and fatal errors on stderr, one line each under the
// box's title (line breaks inside a message become blanks), questions printed with the
// fixed answer they get (No unless told otherwise), no file names. It counts what it was
// shown, so that a batch run can tell whether something went wrong.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(bool answerYes = false) : m_answerYes(answerYes) {}

    void ShowMessage(const QString& text, const QString& title, MessageIcon icon) override;
    bool AskYesNo(const QString& text, const QString& title, MessageIcon icon) override;
    void ShowFatal(int number, const QString& message) override;
    QString OpenFileName(const QString& title, const QString& folder,
                         const QString& filters) override;
    QString SaveFileName(const QString& title, const QString& suggested,
                         const QString& filters) override;
    bool InputText(const QString& prompt, const QString& title, QString& value) override;
    void Beep() override;
    void OpenUrl(const QUrl& url) override;

    // Messages shown and questions answered No so far.
    int MessagesShown() const { return m_messages; }
    int QuestionsAnsweredNo() const { return m_noAnswers; }

    // A message's text on one line: its lines trimmed and joined by blanks.
    static QString OneLine(const QString& text);

private:
    bool m_answerYes;
    int m_messages = 0;
    int m_noAnswers = 0;
};

#pragma once

#include "app/dialogs.h"

class QWidget;

// The desktop program's dialogs: Qt message boxes, file dialogs and the Fatal window.
class QtDialogs : public Dialogs {
public:
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
};

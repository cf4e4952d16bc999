#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;
class QToolButton;

// "Lettrino Help": the pages of the user guide in a browser of the program's own, with
// Back, Forward and Home (the guide's contents), following the guide's own links; links to
// other sites go to the desktop's browser. One window at a time: showing a page brings it
// up, over the window the user called it from.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(const QUrl& home, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Shows the page (a file of the guide, with or without a section) in the help window,
    // made when first needed; returns the window.
    static HelpWindow* ShowPage(const QUrl& page);

    QUrl Source() const;
    void Open(const QUrl& page);

private:
    void UpdateTitle();

    QUrl m_home;
    QTextBrowser* m_browser;
    QToolButton* m_backButton;
    QToolButton* m_forwardButton;
    QToolButton* m_homeButton;
};

// Gives a window the Help key (F1), which opens the guide at the topic (see ShowHelpTopic).
void AddHelpKey(QWidget* window, int topic);

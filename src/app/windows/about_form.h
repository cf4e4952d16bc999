#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "About Lettrino": the program's title, version and notices, and a button that starts
// the desktop's system-information program. It does not block the main window.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // "Version " and the build's major, minor and revision numbers.
    static QString VersionText();

private:
    void StartSysInfo();

    QLabel* m_picIcon;
    QLabel* m_lblTitle;
    QLabel* m_lblVersion;
    QLabel* m_lblDescription;
    QLabel* m_lblDisclaimer;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdSysInfo;
};

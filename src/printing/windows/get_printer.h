#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

// The "Printer Setup" window: the printer all printing goes to, the font of labels and
// reports, and the page limit, with a test page to read the page limit from. OK stores the
// choices in section "Printer" of the settings and in the program-wide values; Cancel (and
// Esc, and closing the window) puts back the printer and font current at opening.
class GetPrinter : public QDialog {
    Q_OBJECT
public:
    explicit GetPrinter(QWidget* parent = nullptr);
    ~GetPrinter() override;

    // The application name the settings are kept under; set before the window is shown.
    void SetProjectName(const QString& name) { m_projectName = name; }

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Open();
    void FillFonts();
    void PrinterClicked();
    void FontClicked(int row);
    void PrintTestPageClicked();
    QString Setting(const QString& key, const QString& fallback = QString()) const;

    QString m_projectName = QStringLiteral("Tessavane");
    QString m_openingPrinter;
    QString m_openingFont;
    bool m_opened = false;
    bool m_ready = false;
    QListWidget* m_printerList;
    QListWidget* m_fontList;
    QLineEdit* m_pageLimitBox;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    QPushButton* m_testPageButton;
};
